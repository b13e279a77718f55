#include "customers/lap_datacustomer.h"

#include "customers/row_report.h"

lap_DataCustomer::lap_DataCustomer() {
  Caption = "Laporan Member";
  ReportHeader.Height = 1700;
  GroupHeader.Height = 1040;
  Detail.Height = 285;

  styleHeader(Label14, Field12, Image1, Label31);
  styleColumns({&Label17, &Label18, &Label19, &Label24, &Label20, &Label27},
               {&Field6, &Field2, &Field3, &Field4, &Field5, &Field9});
  // Name, address, telephone and e-mail wrap in their columns and the row
  // grows with them; number and ID stay one line, smaller when they must.
  keepOneLine({&Field6, &Field2});
  growWithText({&Field3, &Field4, &Field5, &Field9});

  ReportHeader.Format = [this] { ReportHeader_Format(); };
  FetchData = [this](bool& eof) { ActiveReport_FetchData(eof); };
  Detail.BeforePrint = [this] { Detail_BeforePrint(); };
}

void lap_DataCustomer::ReportHeader_Format() { isiKepalaLaporan(Label14, Field12, Image1); }

// Field6 numbers the rows; ID, name, address, telephone and e-mail follow.
void lap_DataCustomer::ActiveReport_FetchData(bool& eof) {
  fetchRow(*daftarMhs, nomorBaris, eof, Field6, {&Field2, &Field3, &Field4, &Field5, &Field9});
}

void lap_DataCustomer::Detail_BeforePrint() {
  cellsAsTallAsRow(Detail, {&Field6, &Field2, &Field3, &Field4, &Field5, &Field9});
}
