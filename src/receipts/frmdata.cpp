#include "receipts/frmdata.h"

#include <algorithm>
#include <unordered_set>

#include "core/dialog_layout.h"
#include "core/listsort.h"
#include "core/module1.h"
#include "platform/db/recordset.h"
#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/vb/date.h"
#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "platform/vb/text.h"
#include "receipts/terbilang.h"

using Module1::abaikanError;
using Module1::koneksi;
using layout::lineHeightPx;
using layout::px;
using layout::py;

namespace {

const char* const kJudul = "Talvoren";

// The dialog's measures in pixels; heights follow from the font's line height.
constexpr int kPad = 10, kGap = 8, kBtnH = 28;
// The filter row: search field, key, Cari; from-date, "S.D", to-date, Tampilkan and Refrash.
constexpr int kFieldW = 190, kKeyW = 220, kCariW = 84, kDateW = 112, kUntilW = 28, kShowW = 96;

// The list's columns, from 1 (widths in twips); the key `no` is hidden.
struct ColumnSpec {
  const char* header;
  int width, align;
};
const ColumnSpec kColumns[] = {{"##", 740, ui::lvwColumnLeft},
                               {"No Kwitansi", 2440, ui::lvwColumnLeft},
                               {"Sudah Terima dari", 2440, ui::lvwColumnLeft},
                               {"Mata Uang", 1440, ui::lvwColumnLeft},
                               {"Jumlah", 1440, ui::lvwColumnRight},
                               {"Untuk Pembayaran", 4000, ui::lvwColumnLeft},
                               {"Tempat Terima", 1440, ui::lvwColumnLeft},
                               {"Tgl Diterima", 1440, ui::lvwColumnLeft},
                               {"Penerima", 1440, ui::lvwColumnLeft},
                               {"id", 0, ui::lvwColumnLeft}};

// An amount as the list shows it: no decimals, grouped as the regional settings group.
std::string formatJumlah(double value) { return vb::Format(vb::Variant(value), "#,##0"); }

// A stored amount, grouped as the PC that saved it grouped it ("1,250,000" or
// "1.250.000"): the whole number its digits spell. False for a text that is
// no amount, which the list shows blank.
bool nilaiNominal(const vb::Variant& nominal, double& nilai) {
  if (nominal.isNull() || nominal.isEmpty()) return false;
  if (nominal.type() != vb::VarType::String) {
    nilai = nominal.toDouble();
    return true;
  }
  return vb::groupedWholeNumber(nominal.stringValue(), nilai);
}

// A date as the database reads it between "#" signs: month first, always with
// "/", whatever the regional date separator (which a bare "/" in a format
// pattern stands for).
std::string tanggalSql(const vb::Date& d) { return "#" + vb::Format(vb::Variant(d), "MM\\/dd\\/yyyy") + "#"; }

// A 16 x 16 header arrow on a magenta ground that the image list masks out.
HBITMAP arrowBitmap(bool up) {
  ui::ScopedGetDC screen(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
  ui::OwnedMemDC mem(screen);
  ui::ScopedSelect sel(mem, bmp);
  RECT all{0, 0, 16, 16};
  ui::OwnedBrush ground(CreateSolidBrush(RGB(255, 0, 255)));
  FillRect(mem, &all, ground);
  const POINT upTip[] = {{8, 4}, {12, 10}, {4, 10}};
  const POINT downTip[] = {{4, 5}, {12, 5}, {8, 11}};
  ui::OwnedBrush fill(CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)));
  ui::ScopedSelect brush(mem, fill);
  ui::ScopedSelect pen(mem, GetStockObject(NULL_PEN));
  Polygon(mem, up ? upTip : downTip, 3);
  return bmp;
}

}  // namespace

FrmData::FrmData() {
  BCari.Click = [this] { BCari_Click(); };
  BTampil.Click = [this] { BTampil_Click(); };
  Button1.Click = [this] { Button1_Click(); };
  Check1.Click = [this] { Check1_Click(); };
  Lv1.ColumnClick = [this](ui::ColumnHeader& h) { Lv1_ColumnClick(h); };
  BCetak.Click = [this] { BCetak_Click(); };
  BCetak2.Click = [this] { BCetak2_Click(); };
  BExport.Click = [this] { BExport_Click(); };
  BHapus.Click = [this] { BHapus_Click(); };
  BTambah.Click = [this] { BTambah_Click(); };
  BUbah.Click = [this] { BUbah_Click(); };
  Btutup.Click = [this] { Btutup_Click(); };
}

// The pictures the headers show when the list sorts by them.
void FrmData::designSortIcons() {
  ImgSorted.ImageSize(16, 16);
  for (bool up : {true, false}) {
    ui::OwnedBitmap bmp(arrowBitmap(up));
    ImgSorted.Add(up ? "up" : "down", bmp, RGB(255, 0, 255));
  }
}

void FrmData::Design() {
  Caption("Fram Data Transksi Kwitansi");
  BorderStyle(ui::vbSizable);
  StartUpPosition(ui::vbStartUpOwner);
  font_.name = "Trebuchet MS";
  font_.size = 9;
  const int lineH = lineHeightPx(font_);
  const int margin = ui::TwipsToPixelsX(100);

  // The frames one under the other; the resize gives them their widths and
  // the list its height, and puts the commands under the list.
  Frame1.Create(*this, px(margin), py(margin), px(1000), py(100));
  designFilters(lineH);
  designSortIcons();
  Frame2.Create(*this, px(margin), py(margin) + Frame1.Height(), px(1000), py(400), "Detail Data");
  const int columnsW = designList(lineH);
  designTotals(lineH);
  Frame3.Create(*this, px(margin), py(500), px(1000), py(lineH + 4 + kBtnH + kPad), "Proses");
  designCommands(lineH);

  // Wide enough for every visible column and the list's scroll bar, as far
  // as the screen allows; a narrower list scrolls sideways.
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int frameW = Width() - ScaleWidth();
  ClientSize(std::min(columnsW + 400 + px(GetSystemMetrics(SM_CXVSCROLL) + 6), px(work.right - work.left) - frameW),
             py(660));

  TextCari.TabIndex(0);
  Combo1.TabIndex(1);
}

// Frame1: the search (field and key) and the date filter (from "S.D" to),
// labels over their boxes, and their buttons, on one row; the frame as tall
// as the row.
void FrmData::designFilters(int lineH) {
  const int labelY = 8, rowY = labelY + lineH + 3;
  Combo1.Create(Frame1, px(kPad), py(rowY), px(kFieldW));
  const int boxH = ui::TwipsToPixelsY(Combo1.Height());
  const int buttonY = rowY + (boxH - kBtnH) / 2;
  Label1.Create(Frame1, px(kPad), py(labelY), px(kFieldW), py(lineH), "Filter Pencarian Berdasarkan");
  int x = kPad + kFieldW + kGap;
  Label2.Create(Frame1, px(x), py(labelY), px(kKeyW), py(lineH), "Masukkan Kata Kunci");
  TextCari.Create(Frame1, px(x), py(rowY), px(kKeyW), py(boxH));
  x += kKeyW + kGap;
  BCari.Create(Frame1, px(x), py(buttonY), px(kCariW), py(kBtnH), "&Cari");
  x += kCariW + 3 * kGap;

  Label3.Create(Frame1, px(x), py(labelY), px(260), py(lineH), "Filter Tanggal Transaksi");
  TglAwal.Create(Frame1, px(x), py(rowY), px(kDateW), py(boxH));
  x += kDateW + 4;
  Label4.Create(Frame1, px(x), py(rowY + (boxH - lineH) / 2), px(kUntilW), py(lineH), "S.D");
  Label4.Alignment(ui::vbCenter);
  x += kUntilW + 4;
  TglAkhir.Create(Frame1, px(x), py(rowY), px(kDateW), py(boxH));
  x += kDateW + kGap;
  BTampil.Create(Frame1, px(x), py(buttonY), px(kShowW), py(kBtnH), "&Tampilkan");
  x += kShowW + kGap;
  Button1.Create(Frame1, px(x), py(buttonY), px(kShowW), py(kBtnH), "&Refrash");
  Frame1.Height(py(std::max(rowY + boxH, buttonY + kBtnH) + kPad));
}

// Frame2: the list with its tick-all box above (the resize keeps 900 twips
// of the frame's height for the box and the totals below the list). Each
// header stays whole beside its sort icon, and the amount column shows the
// largest amount the entry takes (15 digits) whole. Returns the width of the
// columns.
int FrmData::designList(int lineH) {
  Check1.Create(Frame2, px(kPad), py(lineH + 1), px(120), py(lineH + 2), "Pilih Semua");
  const int listTop = std::max(lineH + 1 + lineH + 4, ui::TwipsToPixelsY(900) - (lineH + 6));
  Lv1.CheckBoxes(true);
  Lv1.FullRowSelect(true);
  Lv1.GridLines(true);
  Lv1.HideSelection(false);
  Lv1.MultiSelect(true);
  Lv1.Create(Frame2, px(kPad), py(listTop), px(900), py(200));
  Lv1.ColumnHeaderIcons(&ImgSorted);
  for (const ColumnSpec& c : kColumns) Lv1.ColumnHeaders.Add(c.header, c.width, c.align);
  const std::string largest = formatJumlah(kJumlahTerbesar);
  int columnsW = 0;
  for (int i = colNo; i <= colId; ++i) {
    ui::ColumnHeader& h = Lv1.ColumnHeaders.Item(i);
    if (i != colId) h.Width(std::max(h.Width(), Lv1.FitWidth(i, i == colJumlah ? largest : "")));
    columnsW += h.Width();
  }
  return columnsW;
}

// The count and the sum; the resize puts them directly under the list, the
// sum at its right edge.
void FrmData::designTotals(int lineH) {
  Label5.Create(Frame2, px(kPad), 0, px(90), py(lineH), "Total Record :");
  Label6.Create(Frame2, px(kPad + 92), 0, px(300), py(lineH), "");
  // Wide enough for a total in each currency, fifteen digits each.
  Label7.Create(Frame2, 0, 0, px(560), py(lineH), "Total :");
  Label7.Alignment(ui::vbRightJustify);
  Label7.FontBold(true);
}

// Frame3: the commands in a row; Tutup keeps to the right edge.
void FrmData::designCommands(int lineH) {
  const int btnY = lineH + 4;
  struct ButtonSpec {
    Button* button;
    const char* caption;
    int width;
  };
  const ButtonSpec buttons[] = {{&BTambah, "T&ambah", 92}, {&BUbah, "&Ubah", 92},
                                {&BHapus, "&Hapus", 92},   {&BExport, "E&xport", 92},
                                {&BCetak, "Cetak &Kwitansi", 124}, {&BCetak2, "C&etak", 92}};
  int x = kPad;
  for (const ButtonSpec& b : buttons) {
    b.button->Create(Frame3, px(x), py(btnY), px(b.width), py(kBtnH), b.caption);
    x += b.width + kGap;
  }
  // The resize puts it at W - 1700; this width ends it 200 twips inside the frame.
  Btutup.Create(Frame3, 0, py(btnY), 1300, py(kBtnH), "Tutu&p");
}

void FrmData::Form_Load() {
  abaikanError([&] { Combo1.Clear(); });
  abaikanError([&] { Combo1.AddItem("No Kwitansi"); });
  abaikanError([&] { Combo1.AddItem("Sudah Terima Dari"); });
  abaikanError([&] { Combo1.Text("No Kwitansi"); });
  for (ui::DatePicker* picker : {&TglAwal, &TglAkhir}) {
    abaikanError([&] { picker->Format(ui::dtpCustom); });
    abaikanError([&] { picker->Value(vb::now().dateOnly()); });
  }
  dataLv1();
}

void FrmData::Form_Resize() {
  const int W = ScaleWidth(), H = ScaleHeight();
  // Each step on its own; one that would give a negative size is skipped.
  auto step = [](int value, const std::function<void(int)>& set) {
    if (value >= 0) abaikanError([&] { set(value); });
  };
  for (ui::Frame* f : {&Frame1, &Frame2, &Frame3}) step(W - 200, [f](int v) { f->Width(v); });
  step(W - 400, [this](int v) { Lv1.Width(v); });
  step(H - (Frame1.Height() + Frame3.Height() + 200), [this](int v) { Frame2.Height(v); });
  step(Frame2.Height() - 900, [this](int v) { Lv1.Height(v); });
  step(Frame2.Top() + Frame2.Height(), [this](int v) { Frame3.Top(v); });
  for (ui::Label* l : {&Label5, &Label6, &Label7}) step(Lv1.Top() + Lv1.Height(), [l](int v) { l->Top(v); });
  // Right-aligned with the list rather than on the frame's edge.
  step(Frame3.Width() - Label7.Width() - (Frame2.Width() - Lv1.Left() - Lv1.Width()),
       [this](int v) { Label7.Left(v); });
  step(W - 1700, [this](int v) { Btutup.Left(v); });
}

// --- filling the list ----------------------------------------------------------------

void FrmData::isiBaris(db::Recordset& rs) {
  Lv1.ListItems.Clear();
  Lv1.Sorted(false);
  TotalMataUang total;
  // Fields looked up once; each row only reads them.
  db::Field* fPrefix = nullptr;
  db::Field *fNomor = nullptr, *fTerima = nullptr, *fUang = nullptr, *fNominal = nullptr, *fUntuk = nullptr,
            *fTempat = nullptr, *fTgl = nullptr, *fOleh = nullptr, *fNo = nullptr;
  abaikanError([&] { fPrefix = &rs.field("Nopasport"); });
  abaikanError([&] { fNomor = &rs.field("NoKwitansi"); });
  abaikanError([&] { fTerima = &rs.field("sudahterima"); });
  abaikanError([&] { fUang = &rs.field("matauang"); });
  abaikanError([&] { fNominal = &rs.field("Nominal"); });
  abaikanError([&] { fUntuk = &rs.field("untuk"); });
  abaikanError([&] { fTempat = &rs.field("tempatditerima"); });
  abaikanError([&] { fTgl = &rs.field("tgl"); });
  abaikanError([&] { fOleh = &rs.field("oleh"); });
  abaikanError([&] { fNo = &rs.field("no"); });
  auto text = [](db::Field* f) { return f ? f->value().toString() : std::string(); };
  while (!rs.eof()) {
    ui::ListItem& item = Lv1.ListItems.Add(std::to_string(Lv1.ListItems.Count() + 1));
    abaikanError([&] { item.SubItems(1, text(fPrefix) + text(fNomor)); });
    abaikanError([&] { item.SubItems(2, text(fTerima)); });
    abaikanError([&] { item.SubItems(3, text(fUang)); });
    double nilai = 0;
    bool adaNilai = false;
    abaikanError([&] { adaNilai = nilaiNominal(fNominal->value(), nilai); });
    if (adaNilai) abaikanError([&] { item.SubItems(4, formatJumlah(nilai)); });
    abaikanError([&] { item.SubItems(5, text(fUntuk)); });
    abaikanError([&] { item.SubItems(6, text(fTempat)); });
    abaikanError([&] { item.SubItems(7, vb::Format(fTgl->value(), "dd/mm/yyyy")); });
    abaikanError([&] { item.SubItems(8, text(fOleh)); });
    abaikanError([&] { item.SubItems(9, text(fNo)); });
    if (adaNilai) abaikanError([&] { total.tambah(text(fUang), nilai); });
    rs.moveNext();
  }
  // As the list control does: the first row is the current one.
  if (Lv1.ListItems.Count() > 0) Lv1.ListItems.Item(1).Selected(true);
  tampilTotal(total);
}

void FrmData::TotalMataUang::tambah(const std::string& mataUang, double nilai) {
  const std::string kunci = vb::UCase(vb::Trim(mataUang));
  for (Jumlah& j : jumlah)
    if (j.kunci == kunci) {
      j.sum += nilai;
      return;
    }
  // Rupiah leads, whichever currency the list starts with.
  jumlah.insert(kunci == "RP." ? jumlah.begin() : jumlah.end(), Jumlah{kunci, vb::Trim(mataUang), nilai});
}

std::string FrmData::TotalMataUang::teks() const {
  if (jumlah.empty()) return formatJumlah(0);
  if (jumlah.size() == 1 && jumlah[0].kunci == "RP.") return formatJumlah(jumlah[0].sum);
  std::string out;
  for (const Jumlah& j : jumlah) out += (out.empty() ? "" : " ; ") + j.nama + " " + formatJumlah(j.sum);
  return out;
}

void FrmData::tampilTotal(const TotalMataUang& total) {
  abaikanError([&] { Label7.Caption("Total : " + total.teks()); });
  tampilJumlahRecord();
}

void FrmData::tampilJumlahRecord() {
  abaikanError([&] {
    db::Recordset rs;
    rs.open("select count(NoKwitansi) as jml from tblKwitansi", koneksi, db::adOpenStatic);
    Label6.Caption(std::to_string(Lv1.ListItems.Count()) + " Dari " + formatJumlah(rs["jml"].toDouble()) + " Record");
    rs.close();
  });
}

void FrmData::dataLv1() {
  tampilan_.clear();
  abaikanError([&] { Lv1.ListItems.Clear(); });
  isiDari("select * from tblKwitansi where tgl =" + tanggalSql(vb::now()) + "  order by nokwitansi");
}

void FrmData::isiDari(const std::string& sql) {
  db::Recordset rs;
  bool open = false;
  abaikanError([&] {
    rs.open(sql, koneksi, db::adOpenStatic);
    open = true;
  });
  if (open) {
    abaikanError([&] { isiBaris(rs); });
    abaikanError([&] { rs.close(); });
  }
  if (!open) tampilTotal({});
}

void FrmData::tampilkanLagi(const std::string& disimpan) {
  // The clerk's ticks and place, by receipt key: rows move with the fill and
  // the sort. One pass each way, so a big register stays quick.
  std::unordered_set<std::string> dicentang;
  std::string terpilih;
  abaikanError([&] {
    const int rows = Lv1.ListItems.Count();
    for (int i = 1; i <= rows; ++i) {
      const ui::ListItem& item = Lv1.ListItems.Item(i);
      if (item.Checked()) dicentang.emplace(item.cell(kSubId));
    }
    if (const ui::ListItem* selected = Lv1.SelectedItem()) terpilih = selected->SubItems(kSubId);
  });
  // A fill shows the query's order; a column click after it sorted the list.
  const bool sorted = Lv1.Sorted();
  const int key = Lv1.SortKey(), order = Lv1.SortOrder();
  if (tampilan_.empty())
    dataLv1();
  else
    isiDari(tampilan_);
  if (sorted) SortListView(Lv1, key + 1, order, jenisUrut(key + 1));
  abaikanError([&] {
    ui::ListItem *saved = nullptr, *before = nullptr;
    const int rows = Lv1.ListItems.Count();
    for (int i = 1; i <= rows; ++i) {
      ui::ListItem& item = Lv1.ListItems.Item(i);
      const std::string id(item.cell(kSubId));
      if (dicentang.count(id)) item.Checked(true);
      if (!disimpan.empty() && id == disimpan) saved = &item;
      if (!terpilih.empty() && id == terpilih) before = &item;
    }
    ui::ListItem* place = saved ? saved : before;
    if (!place) return;
    // The fill made its first row the current one.
    if (ui::ListItem* first = Lv1.SelectedItem()) first->Selected(false);
    place->Selected(true);
    place->EnsureVisible();
  });
}

void FrmData::tampilkanQuery(const std::string& sql, const std::string& notFound) {
  db::Recordset rs;
  try {
    rs.open(sql, koneksi, db::adOpenStatic);
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (const vb::Error& e) {
    // Never a list filled from a query that failed: it stays as it was.
    ui::MsgBox(e.description(), ui::vbOKOnly | ui::vbExclamation, std::string(kJudul));
    return;
  }
  tampilan_ = sql;
  if (rs.eof()) {
    abaikanError([&] { Lv1.ListItems.Clear(); });
    ui::MsgBox(notFound, ui::vbExclamation | ui::vbOKOnly, std::string(kJudul));
    abaikanError([&] { rs.close(); });
    tampilTotal({});
    return;
  }
  abaikanError([&] { isiBaris(rs); });
  abaikanError([&] { rs.close(); });
}

void FrmData::BCari_Click() {
  const std::string key = TextCari.Text();
  if (key.empty()) {
    ui::MsgBox("Masukkan kata kunci Pencarian terlebih dahulu", ui::vbExclamation | ui::vbOKOnly, std::string(kJudul));
    abaikanError([&] { TextCari.SetFocus(); });
    return;
  }
  // The key is the user's text: its apostrophes are doubled so that it stays
  // a text inside the statement.
  std::string sql;
  const std::string field = Combo1.Text();
  if (field == "No Kwitansi")
    sql = "select * from tblKwitansi where NoKwitansi like '%" + db::quote(key) + "%' order by nokwitansi";
  else if (field == "Sudah Terima Dari")
    sql = "select * from tblKwitansi where SudahTerima like '%" + db::quote(key) + "%' order by sudahterima";
  else
    return;
  tampilkanQuery(sql, "Data yang anda cari didak ditemukan");
}

std::string FrmData::rangeQuery() {
  return "select * from tblKwitansi where tgl >=" + tanggalSql(TglAwal.Value()) + " and tgl<=" +
         tanggalSql(TglAkhir.Value()) + "  order by nokwitansi";
}

void FrmData::BTampil_Click() {
  std::string sql;
  abaikanError([&] { sql = rangeQuery(); });
  if (!sql.empty()) tampilkanQuery(sql, "Data untuk range tanggal tersebut tidak ditemukan");
}

void FrmData::Button1_Click() { dataLv1(); }

void FrmData::Check1_Click() {
  const bool on = Check1.Value() == ui::vbChecked;
  const int rows = Lv1.ListItems.Count();
  for (int i = 1; i <= rows; ++i) {
    ui::ListItem& item = Lv1.ListItems.Item(i);
    item.Checked(on);
    item.Selected(on);
  }
}

// --- sorting ----------------------------------------------------------------------------

void FrmData::hapusIkonKolom(int16_t index) {
  const int n = Lv1.ColumnHeaders.Count();
  for (int i = 1; i <= n; ++i) {
    ui::ColumnHeader& h = Lv1.ColumnHeaders.Item(i);
    if (h.Index() != index) h.Icon("");
  }
}

void FrmData::Lv1_ColumnClick(ui::ColumnHeader& header) {
  hapusIkonKolom(static_cast<int16_t>(header.Index()));
  // The hidden key column is never sorted.
  if (header.Index() < colNo || header.Index() > colPenerima) return;
  const long kind = jenisUrut(header.Index());
  if (header.Icon() == "down") {
    header.Icon("up");
    SortListView(Lv1, header.Index(), ui::lvwDescending, kind);
  } else {
    header.Icon("down");
    SortListView(Lv1, header.Index(), ui::lvwAscending, kind);
  }
}

long FrmData::jenisUrut(int column) {
  return column == colJumlah ? sortNumber : column == colTgl ? sortDate : sortText;
}
