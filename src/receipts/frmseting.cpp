#include "receipts/frmseting.h"

#include <algorithm>
#include <cmath>

#include "core/dialog_layout.h"
#include "core/mdiform1.h"
#include "core/module1.h"
#include "platform/db/recordset.h"
#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/vb/format.h"
#include "receipts/nomor.h"
#include "receipts/report_runs.h"

using Module1::abaikanError;
using Module1::koneksi;
using layout::boxHeightPx;
using layout::lineHeightPx;
using layout::px;
using layout::py;

namespace {
const char* const kTemplates[] = {"Kwitansi 1 Portrait", "Kwitansi 2 Portrait", "Kwitansi 3 Landscape"};
// The name box's design text, shown while no settings row is stored.
const char kLembagaAwal[] = "Text1";

// The dialog's measures in pixels; heights follow from the font's line height.
constexpr int kMargin = 12, kPad = 14, kGap = 8;
// Left, the settings' frame: a label, then its box.
constexpr int kLabelW = 150, kBoxW = 260;
constexpr int kBoxX = kPad + kLabelW + kGap;
constexpr int kLeftW = kBoxX + kBoxW + kPad;
// Right, the frames of the logo and of the commands.
constexpr int kRightX = kMargin + kLeftW + kMargin, kRightW = 176;
constexpr int kBtnW = kRightW - 2 * kPad, kBtnH = 28;

// The rows' labels, at the left of their boxes.
constexpr layout::LabelColumn kLabels{kPad, kLabelW, kGap};

// The key of the row shown, written into the statement as a plain number.
std::string plainNumber(const std::string& text) {
  double v = vb::Val(text);
  if (v == std::floor(v) && std::fabs(v) < 1e15) return std::to_string(static_cast<long long>(v));
  return vb::Format(vb::Variant(v), "0.###############");
}
}  // namespace

FrmSeting::FrmSeting() {
  BOpen.Click = [this] { BOpen_Click(); };
  BSimpan.Click = [this] { BSimpan_Click(); };
  Button1.Click = [this] { Button1_Click(); };
  Btutup.Click = [this] { Btutup_Click(); };
  TextFormat.Change = [this] { TextFormat_Change(); };
}

void FrmSeting::Design() {
  Caption("Form Pengaturan");
  BorderStyle(ui::vbFixedDialog);
  StartUpPosition(ui::vbStartUpOwner);
  font_.name = "Trebuchet MS";
  font_.size = 9;
  const int lineH = lineHeightPx(font_);

  // Left: the settings, one labelled row each.
  Frame1.Create(*this, px(kMargin), py(kMargin), px(kLeftW), py(100));
  int y = designInstitution(lineH);
  y = designNumberFormat(lineH, y);
  const int frame1H = designTemplate(lineH, y);
  Frame1.Height(py(frame1H));
  TextId.Create(Frame1, px(kPad), py(kPad), px(60), py(boxHeightPx(lineH)));
  TextId.Visible(false);
  TextId.TabStop(false);

  // Right: the logo in its frame with its button, under it the commands,
  // down to the foot of the settings.
  const int frame3H = designLogo(lineH);
  const int frame2Y = kMargin + frame3H + kGap;
  designCommands(frame2Y, kMargin + frame1H - frame2Y);

  ClientSize(px(kRightX + kRightW + kMargin), py(kMargin + frame1H + kMargin));

  // The design texts, shown until a settings row is loaded.
  TextLembaga.Text(kLembagaAwal);
  TextAlamat.Text("Text2");
  TextKota.Text("Text3");
  TextNama.Text("Text4");
  TextJabatan.Text("Text5");
  TextCatatan.Text("Text6");
  TextFormat.Text("Text1");
  TextTgl.Text("Text2");
  TextId.Text("0");
}

// The institution's rows, from its name to the receipt's note; returns the
// top of the next row.
int FrmSeting::designInstitution(int lineH) {
  const int boxH = boxHeightPx(lineH), memoH = 3 * lineH + 10;
  int y = kPad;
  TextLembaga.Create(Frame1, px(kBoxX), py(y), px(kBoxW), py(boxH));
  kLabels.place(Frame1, Label1, "Nama Instansi", lineH, boxH, y);
  TextAlamat.Create(Frame1, px(kBoxX), py(y), px(kBoxW), py(memoH), true, true);
  kLabels.place(Frame1, Label2, "Alamat, Tlpn, Website", lineH, memoH, y);
  TextKota.Create(Frame1, px(kBoxX), py(y), px(kBoxW), py(boxH));
  kLabels.place(Frame1, Label3, "Kota", lineH, boxH, y);
  TextNama.Create(Frame1, px(kBoxX), py(y), px(kBoxW), py(boxH));
  kLabels.place(Frame1, Label4, "Penanggung Jawab", lineH, boxH, y);
  TextJabatan.Create(Frame1, px(kBoxX), py(y), px(kBoxW), py(boxH));
  kLabels.place(Frame1, Label5, "Jabatan", lineH, boxH, y);
  TextCatatan.Create(Frame1, px(kBoxX), py(y), px(kBoxW), py(memoH), true, true);
  kLabels.place(Frame1, Label6, "Templete Catatan", lineH, memoH, y);
  return y;
}

// The prefix and, beside it, the number it makes this month with its pattern
// under it; returns the top of the next row.
int FrmSeting::designNumberFormat(int lineH, int top) {
  const int boxH = boxHeightPx(lineH);
  const int halfW = (kBoxW - kGap) / 2;
  const int previewX = kBoxX + halfW + kGap, previewW = kBoxW - halfW - kGap;
  TextFormat.Create(Frame1, px(kBoxX), py(top), px(halfW), py(boxH));
  TextTgl.Create(Frame1, px(previewX), py(top), px(previewW), py(boxH));
  TextTgl.Locked(true);
  TextTgl.TabStop(false);
  TextTgl.BackColor(ui::vbButtonFace);
  int y = top;
  kLabels.place(Frame1, Label7, "Format No Kwitansi", lineH, boxH, y);
  Label9.Create(Frame1, px(previewX), py(top + boxH + 2), px(previewW), py(lineH), "(No/MM/YYYY)");
  return top + boxH + 2 + lineH + kGap;
}

// The template list, the last row; returns the height of the settings' frame.
int FrmSeting::designTemplate(int lineH, int top) {
  cmbKwitansi.Create(Frame1, px(kBoxX), py(top), px(kBoxW), ui::vbComboDropdownList);
  const int comboH = ui::TwipsToPixelsY(cmbKwitansi.Height());
  Label8.Create(Frame1, px(kPad), py(top + (comboH - lineH) / 2), px(kLabelW), py(lineH), "Pilih Templete Kwitansi");
  return top + comboH + kPad;
}

// "Logo": the picture's area and the button that chooses one; returns the
// frame's height.
int FrmSeting::designLogo(int lineH) {
  const int logoTop = lineH + 4, logoH = 132;
  const int frame3H = logoTop + logoH + kGap + kBtnH + kPad;
  Frame3.Create(*this, px(kRightX), py(kMargin), px(kRightW), py(frame3H), "Logo");
  logoArea_ = {px(kPad), py(logoTop), px(kRightW - kPad), py(logoTop + logoH)};
  Image1.Create(Frame3, logoArea_.left, logoArea_.top, logoArea_.right - logoArea_.left,
                logoArea_.bottom - logoArea_.top);
  Image1.Stretch(true);
  BOpen.Create(Frame3, px(kPad), py(logoTop + logoH + kGap), px(kBtnW), py(kBtnH), "Open");
  return frame3H;
}

// "Proses": save, preview and close, one under the other at the frame's foot.
void FrmSeting::designCommands(int top, int height) {
  Frame2.Create(*this, px(kRightX), py(top), px(kRightW), py(height), "Proses");
  const int firstY = height - kPad - 3 * kBtnH - 2 * kGap;
  BSimpan.Create(Frame2, px(kPad), py(firstY), px(kBtnW), py(kBtnH), "Simpan");
  Button1.Create(Frame2, px(kPad), py(firstY + kBtnH + kGap), px(kBtnW), py(kBtnH), "Preview");
  Btutup.Create(Frame2, px(kPad), py(firstY + 2 * (kBtnH + kGap)), px(kBtnW), py(kBtnH), "Tutup");
}

void FrmSeting::Form_Load() {
  abaikanError([&] {
    for (const char* item : kTemplates) cmbKwitansi.AddItem(item);
  });
  abaikanError([&] { cmbKwitansi.ListIndex(0); });

  db::Recordset rs;
  bool open = false;
  abaikanError([&] {
    rs.setCursorLocation(db::adUseClient);
    rs.open("select * from tblset", koneksi);
    open = true;
  });
  if (open && !rs.eof()) {
    // Each box on its own: an empty column leaves that box as it was.
    auto put = [&](ui::TextBox& box, const char* column) {
      abaikanError([&] { box.Text(rs[column].toString()); });
    };
    put(TextLembaga, "namalembaga");
    put(TextAlamat, "alamat");
    put(TextKota, "tempatcetak");
    put(TextNama, "pemilik");
    put(TextJabatan, "jabatan");
    put(TextCatatan, "Catatan");
    put(TextFormat, "Nokw");
    abaikanError([&] { cmbKwitansi.Text(rs["templete"].toString()); });
    put(TextId, "noset");
  }
  abaikanError([&] { rs.close(); });
  abaikanError([&] { tampilkanLogo(img::Picture::load(ui::App::get().Path() + "\\images\\logo.jpg")); });
}

std::string FrmSeting::namaLembaga() {
  FrmSeting& shown = ui::Default<FrmSeting>();
  if (shown.Loaded() || shown.loading()) return shown.TextLembaga.Text();
  std::string name = kLembagaAwal;
  abaikanError([&] {
    db::Recordset rs;
    rs.open("select * from tblset", koneksi);
    if (!rs.eof()) abaikanError([&] { name = rs["namalembaga"].toString(); });
    rs.close();
  });
  return name;
}

void FrmSeting::muatUlang() {
  FrmSeting& settings = ui::Default<FrmSeting>();
  if (!settings.Loaded()) return;
  settings.Unload();
  settings.Load();
}

void FrmSeting::tampilkanLogo(const img::Picture& picture) {
  const int areaW = logoArea_.right - logoArea_.left, areaH = logoArea_.bottom - logoArea_.top;
  int w = areaW, h = areaH;
  if (!picture.empty() && picture.width() > 0 && picture.height() > 0) {
    const double scale = std::min(static_cast<double>(areaW) / picture.width(),
                                  static_cast<double>(areaH) / picture.height());
    w = std::max(1, static_cast<int>(picture.width() * scale));
    h = std::max(1, static_cast<int>(picture.height() * scale));
  }
  Image1.Move(logoArea_.left + (areaW - w) / 2, logoArea_.top + (areaH - h) / 2, w, h);
  Image1.Picture(picture);
}

void FrmSeting::TextFormat_Change() {
  // The first number of the month, written as the receipts get it.
  TextTgl.Text(TextFormat.Text() + "001/" + bulanTahunNomor());
}

void FrmSeting::BOpen_Click() {
  try {
    ui::FileDialogRequest req;
    req.owner = hwnd();
    req.filter = "Pictures (*.jpeg;*.jpg;*.png;*.gif)|*.jpeg;*.jpg;*.png;*.gif";
    if (!ui::seams().fileDialog || !ui::seams().fileDialog(req)) return;
    // Shown only; the file is written by the save.
    tampilkanLogo(img::Picture::load(req.fileName));
    Image1.Stretch(true);
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (...) {
    // Cancel or an unreadable picture: the shown logo stays.
  }
}

void FrmSeting::BSimpan_Click() {
  try {
    db::Recordset rs;
    rs.setCursorLocation(db::adUseClient);
    rs.open("select * from tblset where noset = " + plainNumber(TextId.Text()), koneksi, db::adOpenDynamic,
            db::adLockOptimistic);
    const bool adding = rs.eof();
    if (adding) rs.addNew();
    rs.field("namalembaga").setValue(TextLembaga.Text());
    rs.field("alamat").setValue(TextAlamat.Text());
    rs.field("tempatcetak").setValue(TextKota.Text());
    rs.field("pemilik").setValue(TextNama.Text());
    rs.field("jabatan").setValue(TextJabatan.Text());
    rs.field("Catatan").setValue(TextCatatan.Text());
    rs.field("NoKw").setValue(TextFormat.Text());
    rs.field("templete").setValue(cmbKwitansi.Text());
    rs.update();
    // The new row's key, so that the next save changes this row instead of
    // adding another.
    if (adding) TextId.Text(rs["noset"].toString());
    rs.close();
    // The main window's title names the institution as stored now.
    MDIForm1::tampilkanJudul();

    // No logo shown, nothing to write: the file stays as it is.
    const img::Picture logo = Image1.Picture();
    if (!logo.empty()) logo.saveJpeg(ui::App::get().Path() + "\\images\\logo.jpg");

    ui::MsgBox("Data Berhasil Disimpan", ui::vbInformation, std::string("TALVOREN"));
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (...) {
    // The save ends quietly; what was written stays written.
  }
}

void FrmSeting::Button1_Click() {
  runReceiptReport("SELECT tblkuitansitemp.*, Format(tgl, 'dd mmmm yyyy') AS tgl_string from tblkuitansitemp",
                   receiptTemplate(cmbKwitansi.ListIndex()));
}

void FrmSeting::Btutup_Click() { Unload(); }
