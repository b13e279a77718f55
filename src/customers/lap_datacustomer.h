#pragma once
// The customer report: the institution's name, address and logo at the top,
// then one line per customer pulled from the rows the dialog hands over in
// daftarMhs ("1" to "n", mahasiswa records). The row counter starts at 0 with
// each layout and is never reset, so every print uses a new layout.
#include "platform/report/banded.h"

class lap_DataCustomer : public report::BandedLayout {
public:
  lap_DataCustomer();

  report::PictureBox& Image1 = ReportHeader.addPicture("Image1", 180, 90, 1440, 1170);
  report::Label& Label14 = ReportHeader.addLabel("Label14", 1795, 200, 7937, 378);
  report::Field& Field12 = ReportHeader.addField("Field12", 1795, 478, 7937, 1134);
  report::LineControl& Line1 = ReportHeader.addLine("Line1", 0, 1606, 10488, 1606);

  report::Label& Label31 = GroupHeader.addLabel("Label31", 94, 94, 10583, 378, "LAPORAN DATA CUSTOMER");
  report::Label& Label17 = GroupHeader.addLabel("Label17", 94, 661, 550, 284, "No.");
  report::Label& Label18 = GroupHeader.addLabel("Label18", 661, 661, 1400, 284, "ID Customer");
  report::Label& Label19 = GroupHeader.addLabel("Label19", 2065, 661, 1790, 284, "Nama");
  report::Label& Label24 = GroupHeader.addLabel("Label24", 3870, 661, 2800, 284, "Alamat");
  report::Label& Label20 = GroupHeader.addLabel("Label20", 6690, 661, 1800, 284, "No. Telpn");
  report::Label& Label27 = GroupHeader.addLabel("Label27", 8500, 661, 2000, 284, "Email");

  report::Field& Field6 = Detail.addField("Field6", 94, 0, 550, 283, "0");
  report::Field& Field2 = Detail.addField("Field2", 661, 0, 1400, 283);
  report::Field& Field3 = Detail.addField("Field3", 2065, 0, 1790, 283);
  report::Field& Field4 = Detail.addField("Field4", 3870, 0, 2800, 283);
  report::Field& Field5 = Detail.addField("Field5", 6690, 0, 1800, 283);
  report::Field& Field9 = Detail.addField("Field9", 8500, 0, 2000, 283);

  // Rows fetched so far by this layout.
  long nomorBaris = 0;

  void ReportHeader_Format();
  void ActiveReport_FetchData(bool& eof);
  void Detail_BeforePrint();
};
