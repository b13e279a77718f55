#include "customers/lap_datasiswa.h"

#include "customers/row_report.h"

lap_DataSiswa::lap_DataSiswa() {
  Caption = "Laporan Transaksi";
  ReportHeader.Height = 1700;
  GroupHeader.Height = 1330;
  Detail.Height = 285;
  GroupFooter.Height = 400;

  styleHeader(Label14, Field12, Image1, Label31);
  // The period and "Total :" look like the headings; the total stands at the
  // right of its box.
  styleColumns({&Label32, &Label17, &Label18, &Label19, &Label20, &Label21, &Label22, &Label23, &Label24, &Label25},
               {&Field1, &Field2, &Field3, &Field4, &Field5, &Field6, &Field7, &Field8});
  Field13.Font.size = 9;
  Label25.Alignment = report::Align::Right;
  // Number, payer, purpose and receiver wrap and the row grows with them
  // (a long number breaks after a "/"); the others stay one line, smaller
  // when they must.
  keepOneLine({&Field1, &Field4, &Field5, &Field7});
  growWithText({&Field2, &Field3, &Field6, &Field8});

  ReportHeader.Format = [this] { ReportHeader_Format(); };
  FetchData = [this](bool& eof) { ActiveReport_FetchData(eof); };
  Detail.BeforePrint = [this] { Detail_BeforePrint(); };
}

void lap_DataSiswa::ReportHeader_Format() { isiKepalaLaporan(Label14, Field12, Image1); }

// Field1 numbers the rows; baris1 to baris7 follow, baris8 and baris9 are not shown.
void lap_DataSiswa::ActiveReport_FetchData(bool& eof) {
  fetchRow(*daftarMhs, nomorBaris, eof, Field1, {&Field2, &Field3, &Field4, &Field5, &Field6, &Field7, &Field8});
}

// The running number first.
void lap_DataSiswa::Detail_BeforePrint() {
  cellsAsTallAsRow(Detail, {&Field1, &Field2, &Field3, &Field4, &Field5, &Field6, &Field7, &Field8});
}
