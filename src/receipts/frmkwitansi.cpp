#include "receipts/frmkwitansi.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/dialog_layout.h"
#include "core/module1.h"
#include "platform/db/recordset.h"
#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/vb/date.h"
#include "platform/vb/format.h"
#include "platform/vb/text.h"
#include "receipts/frmseting.h"
#include "receipts/nomor.h"
#include "receipts/report_runs.h"
#include "receipts/terbilang.h"

using Module1::abaikanError;
using Module1::koneksi;
using layout::boxHeightPx;
using layout::lineHeightPx;
using layout::px;
using layout::py;

std::function<void(FrmKwitansi&)> FrmKwitansi::PilihCustomer;

namespace {

constexpr int kEnter = 13, kBackspace = 8;
// Copy, paste and cut reach the amount box as control characters; they are
// editing commands, not typed text.
constexpr int kCopy = 3, kPaste = 22, kCut = 24;
// The amount box holds whole amounts of up to fifteen digits.
constexpr int kDigitJumlah = 15;
const char* const kPesanBulat = "Banyaknya Uang harus berupa bilangan bulat (tanpa desimal)";

std::string pesanRentang() {
  return "Banyaknya Uang harus berupa angka dari 1 sampai " + vb::Format(vb::Variant(kJumlahTerbesar), "#,##0");
}

int jumlahDigit(const std::string& text) {
  return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }));
}

// The dialog's measures in pixels; heights follow from the font's line height.
constexpr int kMargin = 12, kPad = 14, kGap = 8;
// The receipt's rows: a label, then its box (a short one for the number, the
// amount and the receiver).
constexpr int kLabelW = 140, kBoxW = 400, kShortW = 190;
constexpr int kBoxX = kPad + kLabelW + kGap;
constexpr int kCariW = 80, kCurrencyW = 100, kDateW = 130;
constexpr int kFrameW = kBoxX + kBoxW + kPad;
constexpr int kWidth = kMargin + kFrameW + kMargin;
constexpr int kBannerH = 56;
constexpr int kBtnW = 92, kBtnH = 28;

// The rows' labels, at the left of their boxes.
constexpr layout::LabelColumn kLabels{kPad, kLabelW, kGap};

// The longest words an amount below 10^15 takes, with either currency word.
std::vector<std::string> kataTerpanjang() {
  std::vector<std::string> longest;
  for (int digit = 1; digit <= 9; ++digit) {
    double amount = digit * 111111111111111.0;
    const std::string words = Terbilang(amount, "terlalu besar");
    for (const char* currency : {"Rupiah", "Dollar"}) longest.push_back(words + currency);
  }
  return longest;
}

// The stored date text: always day/month/year with "/", whatever the regional separator.
std::string teksTanggal(const vb::Date& d) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d.day(), d.month(), d.year());
  return buf;
}

// The banner along the top of the dialog: a blue band with the program's
// receipt icon at its left.
img::Picture spanduk(int width, int height) {
  ui::OwnedMemDC dc;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  ui::OwnedBitmap bmp(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bmp) return {};
  {
    ui::ScopedSelect sel(dc, bmp);
    // From a deep blue at the left to a lighter one at the right.
    for (int x = 0; x < width; x += 4) {
      const int t = x * 255 / (width > 1 ? width - 1 : 1);
      ui::OwnedBrush brush(CreateSolidBrush(RGB(31 + t * 60 / 255, 79 + t * 70 / 255, 143 + t * 70 / 255)));
      RECT r{x, 0, x + 4, height};
      FillRect(dc, &r, brush);
    }
    RECT line{0, height - 2, width, height};
    ui::OwnedBrush accent(CreateSolidBrush(RGB(46, 154, 72)));
    FillRect(dc, &line, accent);
    const int iconSize = height - 16;
    if (HICON icon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, iconSize, iconSize, 0))) {
      DrawIconEx(dc, 12, (height - 2 - iconSize) / 2, icon, iconSize, iconSize, 0, nullptr, DI_NORMAL);
      DestroyIcon(icon);
    }
  }
  return img::Picture::fromHBITMAP(bmp);
}

}  // namespace

FrmKwitansi::FrmKwitansi() {
  BSimpan.Click = [this] { BSimpan_Click(); };
  BTambah.Click = [this] { BTambah_Click(); };
  Button1.Click = [this] { Button1_Click(); };
  BCetak.Click = [this] { BCetak_Click(); };
  BTutup.Click = [this] { BTutup_Click(); };
  Text4.Change = [this] { Text4_Change(); };
  Combo1.Click = [this] { Combo1_Click(); };
  Text1.KeyPress = [this](int& k) { Text1_KeyPress(k); };
  Text3.KeyPress = [this](int& k) { Text3_KeyPress(k); };
  Combo1.KeyPress = [this](int& k) { Combo1_KeyPress(k); };
  Text4.KeyPress = [this](int& k) { Text4_KeyPress(k); };
  Text5.KeyPress = [this](int& k) { Text5_KeyPress(k); };
  Text6.KeyPress = [this](int& k) { Text6_KeyPress(k); };
}

void FrmKwitansi::Design() {
  Caption("Form Entri");
  BorderStyle(ui::vbFixedDialog);
  StartUpPosition(ui::vbStartUpOwner);
  font_.name = "Trebuchet MS";
  font_.size = 9;
  const int lineH = lineHeightPx(font_);

  designBanner();
  // Under the banner the receipt, under it the commands.
  const int frame1Y = kBannerH + kMargin;
  Frame1.Create(*this, px(kMargin), py(frame1Y), px(kFrameW), py(100), "Detail Kwitansi");
  int y = designPayment(lineH, lineH + kGap);  // the first row under the caption
  y = designWords(lineH, y);
  y = designDetails(lineH, y);
  const int frame1H = y + kPad - kGap;
  Frame1.Height(py(frame1H));
  const int frame2Y = frame1Y + frame1H + kGap;
  const int frame2H = designCommands(lineH, frame2Y);

  ClientSize(px(kWidth), py(frame2Y + frame2H + kMargin));
  designTabOrder();

  // Each box holds its own name until the load fills it.
  Text1.Text("Text1");
  Text3.Text("Text3");
  Text4.Text("Text4");
  Text5.Text("Text5");
  Text6.Text("Text6");
  Text7.Text("Text7");
  Text8.Text("Text8");
  Text9.Text("Text9");
}

// The banner along the top and the heading written on it.
void FrmKwitansi::designBanner() {
  Image1.Create(*this, 0, 0, px(kWidth), py(kBannerH));
  Image1.Stretch(true);
  Image1.Picture(spanduk(kWidth, kBannerH));
  ui::FontSpec heading = font_;
  heading.size = 11;
  heading.bold = true;
  const int headingH = lineHeightPx(heading);
  Label10.Create(*this, px(kBannerH + 8), py((kBannerH - 2 - headingH) / 2), px(kWidth - kBannerH - 16),
                 py(headingH), "Gunakan Form ini untuk menginputkan data Kwitansi ");
  Label10.FontSize(heading.size);
  Label10.FontBold(true);
  Label10.BackStyle(ui::vbTransparent);
  Label10.ForeColor(RGB(255, 255, 255));
}

// The number with its note, the payer with the customer search, the currency
// and the amount, from y on; returns the top of the next row.
int FrmKwitansi::designPayment(int lineH, int y) {
  const int boxH = boxHeightPx(lineH);
  Text1.Create(Frame1, px(kBoxX), py(y), px(kShortW), py(boxH));
  Label2.Create(Frame1, px(kBoxX + kShortW + kGap), py(y + (boxH - lineH) / 2), px(kBoxW - kShortW - kGap),
                py(lineH), "Auto Generate By System");
  Label2.ForeColor(ui::SysColor(COLOR_GRAYTEXT));
  kLabels.place(Frame1, Label1, "No Kwitansi :", lineH, boxH, y);

  Text3.Create(Frame1, px(kBoxX), py(y), px(kBoxW - kCariW - kGap), py(boxH));
  Button1.Create(Frame1, px(kBoxX + kBoxW - kCariW), py(y - 1), px(kCariW), py(boxH + 2), "&Cari");
  kLabels.place(Frame1, Label3, "Sudah Terima dari :", lineH, boxH, y);

  // The currencies to choose from; nothing else can be typed.
  Combo1.Create(Frame1, px(kBoxX), py(y), px(kCurrencyW), ui::vbComboDropdownList);
  kLabels.place(Frame1, Label4, "Mata Uang :", lineH, ui::TwipsToPixelsY(Combo1.Height()), y);

  Text4.Create(Frame1, px(kBoxX), py(y), px(kShortW), py(boxH));
  kLabels.place(Frame1, Label5, "Banyaknya Uang :", lineH, boxH, y);
  return y;
}

// The amount in words, at y: read-only and wrapped, as tall as the longest
// words of an amount below 10^15 take in the box's font at its width, so the
// whole amount always reads. Returns the top of the next row.
int FrmKwitansi::designWords(int lineH, int y) {
  Text5.Create(Frame1, px(kBoxX), py(y), px(kBoxW), py(3 * lineH + 8), true);
  Text5.Locked(true);
  Text5.TabStop(false);
  Text5.BackColor(ui::vbButtonFace);
  Text5.Height(std::max(Text5.Height(), Text5.FitHeight(kataTerpanjang())));
  return y + ui::TwipsToPixelsY(Text5.Height()) + kGap;
}

// Purpose and note on several lines each, place with the date, and the
// receiver, from y on; returns the top of the next row.
int FrmKwitansi::designDetails(int lineH, int y) {
  const int boxH = boxHeightPx(lineH), memoH = 3 * lineH + 10;
  Text6.Create(Frame1, px(kBoxX), py(y), px(kBoxW), py(memoH), true, true);
  kLabels.place(Frame1, Label6, "Untuk Pembayaran :", lineH, memoH, y);
  Text7.Create(Frame1, px(kBoxX), py(y), px(kBoxW), py(memoH), true, true);
  kLabels.place(Frame1, Label7, "Catatan", lineH, memoH, y);

  Text8.Create(Frame1, px(kBoxX), py(y), px(kBoxW - kDateW - kGap), py(boxH));
  TglDiterima.Create(Frame1, px(kBoxX + kBoxW - kDateW), py(y), px(kDateW), py(boxH));
  kLabels.place(Frame1, Label8, "Tempat, Tgl Diterima", lineH, boxH, y);
  Text9.Create(Frame1, px(kBoxX), py(y), px(kShortW), py(boxH));
  kLabels.place(Frame1, Label9, "Penerima", lineH, boxH, y);
  return y;
}

// "Proses" at top: the commands in a row at the right of the frame; returns
// the frame's height.
int FrmKwitansi::designCommands(int lineH, int top) {
  const int frame2H = lineH + kGap + kBtnH + kPad;
  Frame2.Create(*this, px(kMargin), py(top), px(kFrameW), py(frame2H), "Proses");
  Button* buttons[] = {&BSimpan, &BTambah, &BCetak, &BTutup};
  const char* captions[] = {"&Simpan", "&Tambah", "&Cetak", "T&utup"};
  for (int i = 0; i < 4; ++i) {
    const int x = kFrameW - kPad - (4 - i) * kBtnW - (3 - i) * kGap;
    buttons[i]->Create(Frame2, px(x), py(lineH + kGap), px(kBtnW), py(kBtnH), captions[i]);
  }
  return frame2H;
}

// Tab follows the Enter chain; the words box is passed over.
void FrmKwitansi::designTabOrder() {
  ui::Control* order[] = {&Text1, &Text3, &Button1, &Combo1, &Text4, &Text6, &Text7, &Text8,
                          &TglDiterima, &Text9, &BSimpan, &BTambah, &BCetak, &BTutup};
  for (int i = 0; i < static_cast<int>(sizeof order / sizeof order[0]); ++i) order[i]->TabIndex(i);
}

void FrmKwitansi::Form_Load() {
  noDisimpan.clear();
  bersih();
  // The defaults of a receipt from the settings row; without one (or without
  // an answer from the database) the boxes keep what they hold.
  db::Recordset rs;
  abaikanError([&] {
    rs.open("select * from tblset", koneksi);
    if (rs.eof()) return;
    auto put = [&](ui::TextBox& box, const char* column) {
      abaikanError([&] { box.Text(rs[column].toString()); });
    };
    put(Text7, "catatan");
    put(Text8, "tempatCetak");
    put(Text9, "pemilik");
  });
  abaikanError([&] { rs.close(); });
  // A receipt starts with its payer, as Tambah leaves it.
  Text3.SetFocus();
}

void FrmKwitansi::bersih() {
  nomorTersimpan.clear();
  abaikanError([&] { Text3.Text(""); });
  abaikanError([&] { Text4.Text(""); });
  abaikanError([&] {
    Combo1.Clear();
    Combo1.AddItem("Rp.");
    Combo1.AddItem("USD");
    Combo1.Text("Rp.");
  });
  abaikanError([&] { Text5.Text(""); });
  abaikanError([&] { Text6.Text(""); });
  buatNomer();
  abaikanError([&] {
    TglDiterima.Format(ui::dtpCustom);
    TglDiterima.Value(vb::now().dateOnly());
  });
}

void FrmKwitansi::buatNomer() {
  const std::string prefix = awalan();
  abaikanError([&] { Text1.Text(usulanNomor(prefix)); });
}

std::string FrmKwitansi::awalan() {
  std::string prefix;
  abaikanError([&] { prefix = ui::Default<FrmSeting>().TextFormat.Text(); });
  return prefix;
}

void FrmKwitansi::tampilMataUang(const std::string& mataUang) {
  bool ada = false;
  for (int i = 0; i < Combo1.ListCount() && !ada; ++i) ada = vb::UCase(Combo1.List(i)) == vb::UCase(mataUang);
  if (!ada) Combo1.AddItem(mataUang);
  Combo1.Text(mataUang);
}

void FrmKwitansi::tampilJumlah(const std::string& tersimpan) {
  double nilai = 0;
  Text4.Text(vb::groupedWholeNumber(tersimpan, nilai) ? vb::Format(vb::Variant(nilai), "#,###") : tersimpan);
}

std::string FrmKwitansi::kunci(const std::string& prefix) {
  if (!nomorTersimpan.empty()) return nomorTersimpan;
  const std::string nomor = Text1.Text();
  const long panjang = vb::Len(nomor) - vb::Len(prefix);
  if (vb::Left(nomor, vb::Len(prefix)) == prefix && panjang >= 1 && panjang <= 11)
    return vb::Mid(nomor, vb::Len(prefix) + 1);
  ui::MsgBox(prefix.empty() ? std::string("No Kwitansi harus berisi 1 sampai 11 karakter")
                            : "No Kwitansi harus diawali \"" + prefix + "\" dan diikuti 1 sampai 11 karakter",
             ui::vbExclamation, std::string("Talvoren"));
  Text1.SetFocus();
  return "";
}

std::string FrmKwitansi::kataMataUang() {
  const std::string mataUang = Combo1.Text();
  if (mataUang == "Rp.") return "Rupiah";
  if (mataUang == "USD") return "Dollar";
  // A stored receipt's other currency is named as it is.
  return mataUang;
}

double FrmKwitansi::nilaiJumlah() {
  return vb::Val(vb::Replace(Text4.Text(), vb::currentLocale().groupSep, ""));
}

void FrmKwitansi::perbaruiJumlah() {
  const std::string teks = Text4.Text();
  double angka = 0;
  // The words belong to the amount shown: none for an empty box or a text
  // that is no number.
  if (teks.empty() || !vb::parseNumber(teks, angka)) {
    if (teks.empty()) jumlahTerakhir_.clear();
    Text5.Text("");
    return;
  }
  // A pasted fraction or a number beyond fifteen digits is refused, never
  // rounded into another amount: the box keeps what it held.
  const std::string& desimal = vb::currentLocale().decimalSep;
  const bool pecahan = (!desimal.empty() && teks.find(desimal) != std::string::npos) || angka != std::floor(angka);
  if (pecahan || std::fabs(angka) > kJumlahTerbesar) {
    const std::string semula = jumlahTerakhir_;
    Text4.Text(semula);
    Text4.SelStart(vb::Len(semula));
    ui::MsgBox(pecahan ? kPesanBulat : pesanRentang(), ui::vbExclamation, std::string("Talvoren"));
    return;
  }
  Text4.SelStart(vb::Len(teks));
  Text4.Text(vb::Format(vb::Variant(angka), "#,###"));
  // Typing goes on at the end of the regrouped digits.
  Text4.SelStart(vb::Len(Text4.Text()));
  jumlahTerakhir_ = Text4.Text();
  double jumlah = nilaiJumlah();
  // 0 empties the box, and a negative number is no amount.
  if (Text4.Text().empty() || jumlah < 0) {
    Text5.Text("");
    return;
  }
  std::string kata = Terbilang(jumlah, "terlalu besar");
  if (!kata.empty() && kata.back() != ' ') kata += ' ';
  Text5.Text(kata + kataMataUang());
}

bool FrmKwitansi::isianLengkap() {
  auto tolak = [](const std::string& pesan, ui::TextBox& box) {
    ui::MsgBox(pesan, ui::vbExclamation, std::string("Talvoren"));
    box.SetFocus();
    return false;
  };
  if (vb::Trim(Text3.Text()).empty()) return tolak("Sudah Terima dari Harus di isi", Text3);
  if (Text4.Text().empty()) return tolak("Banyaknya Uang Harus di isi", Text4);
  double angka = 0;
  if (!vb::parseNumber(Text4.Text(), angka) || angka < 1 || angka > kJumlahTerbesar)
    return tolak(pesanRentang(), Text4);
  return true;
}

void FrmKwitansi::kunciEntri(bool bisaDiubah) {
  Frame1.Enabled(bisaDiubah);
  // The frame alone keeps its boxes from input; they also look it.
  ui::Control* isian[] = {&Text3, &Button1, &Combo1, &Text4, &Text5, &Text6, &Text7, &Text8, &TglDiterima, &Text9};
  for (ui::Control* c : isian) c->Enabled(bisaDiubah);
  // The number box keeps the lock the register may have put on it.
  EnableWindow(Text1.hwnd(), bisaDiubah && Text1.Enabled());
}

void FrmKwitansi::Text4_Change() { perbaruiJumlah(); }

void FrmKwitansi::Combo1_Click() { perbaruiJumlah(); }

void FrmKwitansi::Text1_KeyPress(int& keyAscii) {
  if (keyAscii == kEnter) Text3.SetFocus();
}

void FrmKwitansi::Text3_KeyPress(int& keyAscii) {
  if (keyAscii == kEnter) Combo1.SetFocus();
}

void FrmKwitansi::Combo1_KeyPress(int& keyAscii) {
  if (keyAscii == kEnter) Text4.SetFocus();
}

void FrmKwitansi::Text4_KeyPress(int& keyAscii) {
  if (keyAscii == kEnter) Text6.SetFocus();
  // The decimal separator would join the cents to the amount: said, not taken.
  const std::string& desimal = vb::currentLocale().decimalSep;
  if (desimal.size() == 1 && keyAscii == static_cast<unsigned char>(desimal[0])) {
    keyAscii = 0;
    ui::MsgBox(kPesanBulat, ui::vbExclamation, std::string("Talvoren"));
    return;
  }
  // Digits only, fifteen at most; the grouping is the box's own.
  bool digit = keyAscii >= '0' && keyAscii <= '9';
  if (digit && jumlahDigit(Text4.Text()) - jumlahDigit(Text4.SelText()) >= kDigitJumlah) digit = false;
  const bool edit = keyAscii == kBackspace || keyAscii == kCopy || keyAscii == kPaste || keyAscii == kCut;
  if (!digit && !edit) keyAscii = 0;
}

void FrmKwitansi::Text5_KeyPress(int& keyAscii) {
  if (keyAscii == kEnter) Text6.SetFocus();
}

void FrmKwitansi::Text6_KeyPress(int& keyAscii) {
  // Enter moves on without a line break (Ctrl+Enter still breaks the line).
  if (keyAscii == kEnter) {
    BSimpan.SetFocus();
    keyAscii = 0;
  }
}

void FrmKwitansi::BSimpan_Click() {
  try {
    if (Text1.Text().empty()) {
      ui::MsgBox("No Kwitansi Harus di isi", ui::vbExclamation, std::string("Talvoren"));
      Text1.SetFocus();
      return;
    }
    const std::string prefix = awalan();
    const std::string key = kunci(prefix);
    if (key.empty() || !isianLengkap()) return;
    db::Recordset rs;
    rs.setCursorLocation(db::adUseClient);
    // The number is typed text: its apostrophes are doubled like any other.
    rs.open("select * from tblKwitansi where NoKwitansi = '" + db::quote(key) + "'", koneksi, -1,
            db::adLockOptimistic);

    // The columns both branches write, in the order the new receipt has them.
    auto isi = [&] {
      rs.field("SudahTerima").setValue(Text3.Text());
      rs.field("Matauang").setValue(Combo1.Text());
      rs.field("Nominal").setValue(Text4.Text());
      rs.field("untuk").setValue(Text6.Text());
      rs.field("Catatan").setValue(Text7.Text());
      rs.field("TempatDiterima").setValue(Text8.Text());
      rs.field("tgl").setValue(teksTanggal(TglDiterima.Value()));
      rs.field("oleh").setValue(Text9.Text());
      double jumlah = nilaiJumlah();
      rs.field("terbilang").setValue(Terbilang(jumlah, "terlalu besar"));
    };

    if (rs.eof()) {
      // Nothing is stored unless the whole row is written by the update.
      rs.addNew();
      rs.field("NoKwitansi").setValue(key);
      rs.field("NoPasport").setValue(prefix);
      isi();
      rs.update();
      abaikanError([&] { noDisimpan = rs["no"].toString(); });
      rs.close();
      ui::MsgBox("Data Berhasil Disimpan", ui::vbInformation, std::string("TALVOREN"));
      BCetak_Click();
    } else {
      // Only the receipt the register opened to edit is updated on Enter; any
      // other stored one is another clerk's (saved first from another window)
      // or was typed over by mistake.
      const int tombol = nomorTersimpan.empty() ? ui::vbDefaultButton2 : 0;
      if (ui::MsgBox("Nomer Kwitansi Sudah ada dalam Sistem, apakah ingin di Update?", ui::vbYesNo | tombol,
                     std::string("Talvoren")) != ui::vbYes)
        return;
      // The stored number and its prefix stay as they are.
      isi();
      rs.update();
      abaikanError([&] { noDisimpan = rs["no"].toString(); });
      rs.close();
      ui::MsgBox("Data Berhasil Di Update", ui::vbInformation, std::string("talvoren"));
    }
    kunciEntri(false);
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (const std::exception& e) {
    ui::MsgBoxError(e);
  }
}

void FrmKwitansi::BTambah_Click() {
  bersih();
  kunciEntri(true);
  Text3.SetFocus();
}

void FrmKwitansi::Button1_Click() {
  if (!PilihCustomer) return;
  PilihCustomer(*this);
  if (!Text3.Text().empty()) Text4.SetFocus();
}

std::string FrmKwitansi::kunciCetak() {
  if (!nomorTersimpan.empty()) return nomorTersimpan;
  const std::string prefix = awalan();
  std::string key;
  db::Recordset rs;
  // A prefix missing in old data joins as the empty text.
  rs.open("select NoKwitansi, NoPasport from tblkwitansi where NoPasport & NoKwitansi = '" +
              db::quote(Text1.Text()) + "'",
          koneksi);
  for (; !rs.eof(); rs.moveNext()) {
    const vb::Variant& stored = rs["NoPasport"];
    if (key.empty() || (stored.isNull() ? std::string() : stored.toString()) == prefix)
      key = rs["NoKwitansi"].toString();
  }
  rs.close();
  return key;
}

void FrmKwitansi::BCetak_Click() {
  // Any receipt stored prints again, also one numbered under an earlier
  // prefix; only a new number must start with the current one.
  std::string key;
  try {
    key = kunciCetak();
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (const std::exception& e) {
    ui::MsgBoxError(e);
    return;
  }
  if (key.empty()) return;
  int templateIndex = 0;
  abaikanError([&] { templateIndex = ui::Default<FrmSeting>().cmbKwitansi.ListIndex(); });
  runReceiptReport("SELECT tblkwitansi.*, Format(tgl, 'dd mmmm yyyy') AS tgl_string from tblkwitansi "
                   "where nokwitansi = '" + db::quote(key) + "'",
                   receiptTemplate(templateIndex));
}

void FrmKwitansi::BTutup_Click() { Unload(); }
