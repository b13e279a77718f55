#include "customers/row_report.h"

#include <string>

#include "core/module1.h"
#include "customers/mahasiswa.h"
#include "platform/ui/app.h"
#include "platform/ui/form.h"
#include "platform/vb/variant.h"
#include "receipts/frmseting.h"

void isiKepalaLaporan(report::Label& name, report::Field& address, report::PictureBox& logo) {
  FrmSeting& settings = ui::Default<FrmSeting>();
  name.Caption = settings.TextLembaga.Text();
  address.Text = settings.TextAlamat.Text();
  // The settings dialog writes "logo.jpg"; file names are compared without
  // regard to case, so this is the same file.
  Module1::abaikanError([&] { logo.Picture = img::Picture::load(ui::App::get().Path() + "\\images\\" + "LOGO.jpg"); });
}

void styleHeader(report::Label& name, report::Field& address, report::PictureBox& logo, report::Label& title) {
  name.Font.size = 14;
  name.Font.bold = true;
  address.Font.size = 9;
  name.CanGrow = address.CanGrow = true;
  logo.Stretch = false;
  title.Font.size = 12;
  title.Font.bold = true;
  title.Alignment = report::Align::Center;
}

void styleColumns(std::initializer_list<report::Label*> headings, std::initializer_list<report::Field*> cells) {
  for (report::Label* heading : headings) {
    heading->Font.size = 9;
    heading->Font.bold = true;
    heading->WordWrap = false;
  }
  for (report::Field* cell : cells) cell->Font.size = 9;
}

void keepOneLine(std::initializer_list<report::Field*> cells) {
  for (report::Field* cell : cells) {
    cell->WordWrap = false;
    cell->ShrinkTo = report::kReadableMinimum;
  }
}

void growWithText(std::initializer_list<report::Field*> cells) {
  for (report::Field* cell : cells) cell->CanGrow = true;
}

void fetchRow(const vb::Dictionary& rows, long& counter, bool& eof, report::Field& number,
                std::initializer_list<report::Field*> cells) {
  ++counter;
  if (counter > rows.Count()) {
    eof = true;
    return;
  }
  eof = false;
  const auto row = rowOf(rows, std::to_string(counter));
  number.Text = vb::Variant(vb::Val(number.Text) + 1).toString();
  int n = 0;
  for (report::Field* cell : cells) cell->Text = row->baris(++n);
}

void cellsAsTallAsRow(const report::Section& detail, std::initializer_list<report::Field*> cells) {
  for (report::Field* cell : cells) cell->Height = detail.Height;
}
