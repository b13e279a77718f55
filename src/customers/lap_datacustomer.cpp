#include "customers/lap_datacustomer.h"

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

lap_DataCustomer::lap_DataCustomer() {
  Caption = "Laporan Member";
  ReportHeader.Height = 1700;
  GroupHeader.Height = 1040;
  Detail.Height = 285;

  Label14.Font.size = 14;
  Label14.Font.bold = true;
  Field12.Font.size = 9;
  // A long institution name or address takes more lines; the rule and the
  // rows below move down.
  Label14.CanGrow = Field12.CanGrow = true;
  Image1.Stretch = false;
  Label31.Font.size = 12;
  Label31.Font.bold = true;
  Label31.Alignment = report::Align::Center;
  for (report::Label* heading : {&Label17, &Label18, &Label19, &Label24, &Label20, &Label27}) {
    heading->Font.size = 9;
    heading->Font.bold = true;
    heading->WordWrap = false;
  }
  for (report::Field* cell : {&Field6, &Field2, &Field3, &Field4, &Field5, &Field9}) cell->Font.size = 9;
  // Name, address, telephone and e-mail wrap in their columns and the row
  // grows with them; number and ID stay one line, smaller when they must.
  for (report::Field* cell : {&Field6, &Field2}) {
    cell->WordWrap = false;
    cell->ShrinkTo = report::kReadableMinimum;
  }
  for (report::Field* cell : {&Field3, &Field4, &Field5, &Field9}) cell->CanGrow = true;

  ReportHeader.Format = [this] { ReportHeader_Format(); };
  FetchData = [this](bool& eof) { ActiveReport_FetchData(eof); };
  Detail.BeforePrint = [this] { Detail_BeforePrint(); };
}

void lap_DataCustomer::ReportHeader_Format() { isiKepalaLaporan(Label14, Field12, Image1); }

void lap_DataCustomer::ActiveReport_FetchData(bool& eof) {
  ++nomorBaris;
  if (nomorBaris > daftarMhs->Count()) {
    eof = true;
    return;
  }
  eof = false;
  const auto row = rowOf(*daftarMhs, std::to_string(nomorBaris));
  Field6.Text = vb::Variant(vb::Val(Field6.Text) + 1).toString();
  Field2.Text = row->baris1();
  Field3.Text = row->baris2();
  Field4.Text = row->baris3();
  Field5.Text = row->baris4();
  Field9.Text = row->baris5();
}

// Every cell of a row as tall as the row.
void lap_DataCustomer::Detail_BeforePrint() {
  for (report::Field* cell : {&Field6, &Field2, &Field3, &Field4, &Field5, &Field9}) cell->Height = Detail.Height;
}
