#include "customers/lap_datasiswa.h"

#include "customers/lap_datacustomer.h"
#include "customers/mahasiswa.h"
#include "platform/vb/variant.h"

lap_DataSiswa::lap_DataSiswa() {
  Caption = "Laporan Transaksi";
  ReportHeader.Height = 1700;
  GroupHeader.Height = 1330;
  Detail.Height = 285;
  GroupFooter.Height = 400;

  Label14.Font.size = 14;
  Label14.Font.bold = true;
  Field12.Font.size = 9;
  Label14.CanGrow = Field12.CanGrow = true;
  Label31.Font.size = 12;
  Label31.Font.bold = true;
  Label31.Alignment = report::Align::Center;
  Label25.Alignment = report::Align::Right;
  for (report::Label* label : {&Label32, &Label17, &Label18, &Label19, &Label20, &Label21, &Label22, &Label23,
                               &Label24, &Label25}) {
    label->Font.size = 9;
    label->Font.bold = true;
    label->WordWrap = false;
  }
  Field13.Font.size = 9;
  for (report::Field* cell : {&Field1, &Field2, &Field3, &Field4, &Field5, &Field6, &Field7, &Field8})
    cell->Font.size = 9;
  // Number, payer, purpose and receiver wrap and the row grows with them
  // (a long number breaks after a "/"); the others stay one line, smaller
  // when they must.
  for (report::Field* cell : {&Field1, &Field4, &Field5, &Field7}) {
    cell->WordWrap = false;
    cell->ShrinkTo = report::kReadableMinimum;
  }
  for (report::Field* cell : {&Field2, &Field3, &Field6, &Field8}) cell->CanGrow = true;

  ReportHeader.Format = [this] { ReportHeader_Format(); };
  FetchData = [this](bool& eof) { ActiveReport_FetchData(eof); };
  Detail.BeforePrint = [this] { Detail_BeforePrint(); };
}

void lap_DataSiswa::ReportHeader_Format() { isiKepalaLaporan(Label14, Field12, Image1); }

void lap_DataSiswa::ActiveReport_FetchData(bool& eof) {
  ++nomorBaris;
  if (nomorBaris > daftarMhs->Count()) {
    eof = true;
    return;
  }
  eof = false;
  const auto row = rowOf(*daftarMhs, std::to_string(nomorBaris));
  // Counts 1, 2, 3 from the field's empty text.
  Field1.Text = vb::Variant(vb::Val(Field1.Text) + 1).toString();
  report::Field* const cells[] = {&Field2, &Field3, &Field4, &Field5, &Field6, &Field7, &Field8};
  for (int n = 1; n <= 7; ++n) cells[n - 1]->Text = row->baris(n);
}

// Every cell of a row as tall as the row, the running number first.
void lap_DataSiswa::Detail_BeforePrint() {
  for (report::Field* cell : {&Field1, &Field2, &Field3, &Field4, &Field5, &Field6, &Field7, &Field8})
    cell->Height = Detail.Height;
}
