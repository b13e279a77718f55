#include "customers/lapdatacustomer.h"

#include <algorithm>

#include "core/dialog_layout.h"
#include "core/listsort.h"
#include "core/module1.h"
#include "core/spreadsheet_export.h"
#include "customers/customer_pictures.h"
#include "customers/lap_datacustomer.h"
#include "customers/mahasiswa.h"
#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/xls/xls.h"

using Module1::abaikanError;
using layout::lineHeightPx;
using layout::px;
using layout::py;

namespace {
// Width in pixels of a text in the dialog's font.
int textWidthPx(const std::string& text) {
  ui::FontSpec font;
  font.name = "Trebuchet MS";
  font.size = 9;
  ui::ScopedGetDC dc(nullptr);
  ui::ScopedSelect sel(dc, ui::FontFor(font));
  const std::wstring w = ui::Widen(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
  return size.cx;
}

// Margins the resize keeps, in twips: the frames' widths and the list's are
// the dialog's width less these.
constexpr int kFrameLeft = 60;
constexpr int kListLeft = 100;
}  // namespace

LapDataCustomer::LapDataCustomer() : CustomerListForm(customerListByEntry()) {
  Button1.Click = [this] { Button1_Click(); };
  Button2.Click = [this] { Button2_Click(); };
  Button3.Click = [this] { Button3_Click(); };
  Lv1.ColumnClick = [this](ui::ColumnHeader& h) { Lv1_ColumnClick(h); };
}

void LapDataCustomer::Design() {
  Caption("Lap Data Customer");
  BorderStyle(ui::vbSizable);
  StartUpPosition(ui::vbStartUpOwner);
  font_.name = "Trebuchet MS";
  font_.size = 9;
  const int lineH = lineHeightPx(font_);

  // The designed size; the resize lays the frames out from it.
  ClientSize(px(880), py(540));
  const int W = Width(), H = Height();
  const int nonClientH = H - ScaleHeight();

  ImgSorted.ImageSize(16, 16);
  for (const bool down : {false, true}) {
    ui::OwnedBitmap arrow(sortArrowBitmap(down));
    ImgSorted.Add(down ? "down" : "up", arrow, RGB(255, 255, 255));
  }

  // At the top: the resize ends this frame where "Proses" begins (H - 1000),
  // so any lower start would lay it over that frame's caption.
  Frame4.Create(*this, kFrameLeft, 0, W - 200, H - 1000, "Data Customer");
  // The list's top is where the resize's 1200 twips leave room for the
  // keyword line above it and the count label below it.
  const int listTop = py(lineH + 6);
  designList(Frame4, kListLeft - kFrameLeft, listTop, W - 400, H - 1000 - listTop - py(6), "Cari", &ImgSorted);

  // The commands along the bottom, "Tutup" at the right.
  // The frame gets what the resize leaves under the list (1000 twips of the
  // window, borders included); its buttons sit between its outline's top
  // line and its bottom edge, beside its caption, as tall as that room allows.
  const int btnW = 88;
  const int frame1H = 1000 - nonClientH - py(3);
  Frame1.Create(*this, kFrameLeft, H - 1000, W - 200, frame1H, "Proses");
  const int innerTop = lineH / 2 + 2, innerBottom = ui::TwipsToPixelsY(frame1H) - 2;
  const int btnH = std::max(1, std::min(22, innerBottom - innerTop - 4));
  const int btnY = (innerTop + innerBottom - btnH) / 2;
  const int firstX = 12 + ui::TwipsToPixelsX(ui::PixelsToTwipsX(textWidthPx("Proses")));
  Button1.Create(Frame1, px(firstX), py(btnY), px(btnW), py(btnH), "Cetak");
  Button3.Create(Frame1, px(firstX + btnW + 8), py(btnY), px(btnW), py(btnH), "Export");
  Button2.Create(Frame1, W - 1700, py(btnY), px(btnW), py(btnH), "Tutup");

  // Wide enough that the list shows all its columns (widened to their
  // headers) without scrolling sideways; the resize lays the rest out.
  int columnsW = 0;
  for (int i = 1; i <= Lv1.ColumnHeaders.Count(); ++i) columnsW += Lv1.ColumnHeaders.Item(i).Width();
  const int listW = columnsW + px(GetSystemMetrics(SM_CXVSCROLL) + 4);
  if (listW + 400 > W) ClientSize(ScaleWidth() + listW + 400 - W, ScaleHeight());
}

void LapDataCustomer::Form_Load() {
  bukadata();
  bersih();
}

// Every step on its own; a size that would be negative is left as it was.
void LapDataCustomer::Form_Resize() {
  const int W = Width(), H = Height();
  auto step = [](int value, const std::function<void(int)>& apply) {
    if (value >= 0) abaikanError([&] { apply(value); });
  };
  step(W - 200, [&](int v) { Frame1.Width(v); });
  step(W - 200, [&](int v) { Frame4.Width(v); });
  step(W - 400, [&](int v) { Lv1.Width(v); });
  step(H - 1000, [&](int v) { Frame4.Height(v); });
  step(H - 1000, [&](int v) { Frame1.Top(v); });
  step(Frame4.Height() - 1200, [&](int v) { Lv1.Height(v); });
  step(Lv1.Top() + Lv1.Height(), [&](int v) { Label7.Top(v); });
  step(W - 1700, [&](int v) { Button2.Left(v); });
}

void LapDataCustomer::hapusIkonKolom(short index) {
  for (int i = 1; i <= Lv1.ColumnHeaders.Count(); ++i)
    if (i != index) Lv1.ColumnHeaders.Item(i).Icon("");
}

std::shared_ptr<vb::Dictionary> LapDataCustomer::daftarBaris() {
  auto rows = std::make_shared<vb::Dictionary>();
  for (int i = 1; i <= Lv1.ListItems.Count(); ++i) {
    const ui::ListItem& item = Lv1.ListItems.Item(i);
    auto row = std::make_shared<mahasiswa>();
    for (int c = 1; c <= 6; ++c) row->baris(c, item.SubItems(c));
    rows->Add(std::to_string(i), vb::Variant(std::move(row)));
  }
  return rows;
}

void LapDataCustomer::Button1_Click() {
  if (Lv1.ListItems.Count() == 0) {
    ui::MsgBox("Tidak ada data yang bisa ditampilkan", ui::vbInformation | ui::vbOKOnly, std::string("Preview"));
    return;
  }
  // A new layout for every print: its row counter starts at 0 and is never reset.
  std::shared_ptr<vb::Dictionary> rows;
  abaikanError([&] { rows = daftarBaris(); });
  lap_DataCustomer report;
  abaikanError([&] {
    if (rows) report.daftarMhs = rows;
  });
  abaikanError([&] { report.Show(this); });
}

void LapDataCustomer::Button2_Click() { Unload(); }

void LapDataCustomer::Button3_Click() {
  if (Lv1.ListItems.Count() == 0) {
    ui::MsgBox("No data to export", ui::vbInformation | ui::vbOKOnly, Caption());
    return;
  }
  xls::Workbook book;
  try {
    // The headings, then one row per list row in its shown order. "No",
    // "ID Customer" and "No. Telp" stay text, so that leading zeros stay.
    xls::Worksheet& sheet = book.Sheet(1);
    const int columns = Lv1.ColumnHeaders.Count();
    for (int c = 1; c <= columns; ++c) sheet.Cell(1, c, Lv1.ColumnHeaders.Item(c).Text());
    for (const int c : {1, 2, 5}) sheet.NumberFormat(c, "@");
    for (int r = 1; r <= Lv1.ListItems.Count(); ++r) {
      const ui::ListItem& item = Lv1.ListItems.Item(r);
      sheet.Cell(r + 1, 1, item.Text());
      for (int c = 2; c <= columns; ++c) sheet.Cell(r + 1, c, item.SubItems(c - 1));
    }
    sheet.AutoFit();
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (const std::exception& e) {
    ui::MsgBoxError(e);
    return;
  }
  SaveExport(book, CommonDialog1, Caption(), "Export Completed");
}

void LapDataCustomer::Lv1_ColumnClick(ui::ColumnHeader& header) {
  const int index = header.Index();
  hapusIkonKolom(static_cast<short>(index));
  // The first click sorts ascending and shows "down"; the next, descending with "up".
  if (header.Icon() == "down") {
    header.Icon("up");
    SortListView(Lv1, index, ui::lvwDescending, sortText);
  } else {
    header.Icon("down");
    SortListView(Lv1, index, ui::lvwAscending, sortText);
  }
}
