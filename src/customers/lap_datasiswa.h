#pragma once
// The receipt transaction report: the institution's header, the title
// "LAPORAN DATA TRANSAKSI KWITANSI", and one line per receipt pulled from the
// mahasiswa rows the host hands over in daftarMhs ("1" to "n"). No command
// shows it; it stands ready for a host that fills and shows it. It lives with
// the customer report because both take their rows as mahasiswa records.
#include "platform/report/banded.h"

class lap_DataSiswa : public report::BandedLayout {
public:
  lap_DataSiswa();

  report::LineControl& Line1 = ReportHeader.addLine("Line1", 0, 1606, 10600, 1606);
  report::Label& Label14 = ReportHeader.addLabel("Label14", 1795, 200, 8800, 378);
  report::Field& Field12 = ReportHeader.addField("Field12", 1795, 478, 8800, 1134);
  report::PictureBox& Image1 = ReportHeader.addPicture("Image1", 180, 90, 1440, 1170);

  report::Label& Label31 =
      GroupHeader.addLabel("Label31", 0, 94, 10600, 378, "LAPORAN DATA TRANSAKSI KWITANSI");
  report::Label& Label32 = GroupHeader.addLabel("Label32", 0, 560, 900, 284, "Periode");
  // No code fills the period; it prints empty.
  report::Field& Field13 = GroupHeader.addField("Field13", 900, 560, 4000, 284);
  report::Label& Label17 = GroupHeader.addLabel("Label17", 0, 960, 500, 284, "No.");
  report::Label& Label18 = GroupHeader.addLabel("Label18", 500, 960, 1300, 284, "No Kwitansi");
  report::Label& Label19 = GroupHeader.addLabel("Label19", 1800, 960, 1600, 284, "Terima dari");
  report::Label& Label20 = GroupHeader.addLabel("Label20", 3400, 960, 1000, 284, "Mata Uang");
  report::Label& Label21 = GroupHeader.addLabel("Label21", 4400, 960, 1250, 284, "Nominal");
  report::Label& Label22 = GroupHeader.addLabel("Label22", 5650, 960, 2300, 284, "Untuk Pembayaran");
  report::Label& Label23 = GroupHeader.addLabel("Label23", 7950, 960, 1150, 284, "Tgl Diterima");
  report::Label& Label24 = GroupHeader.addLabel("Label24", 9100, 960, 1500, 284, "Penerima");

  report::Field& Field1 = Detail.addField("Field1", 0, 0, 500, 283);
  report::Field& Field2 = Detail.addField("Field2", 500, 0, 1300, 283);
  report::Field& Field3 = Detail.addField("Field3", 1800, 0, 1600, 283);
  report::Field& Field4 = Detail.addField("Field4", 3400, 0, 1000, 283);
  report::Field& Field5 = Detail.addField("Field5", 4400, 0, 1250, 283);
  report::Field& Field6 = Detail.addField("Field6", 5650, 0, 2300, 283);
  report::Field& Field7 = Detail.addField("Field7", 7950, 0, 1150, 283);
  report::Field& Field8 = Detail.addField("Field8", 9100, 0, 1500, 283);

  // "Total :" with no value computed beside it.
  report::Label& Label25 = GroupFooter.addLabel("Label25", 3100, 60, 1300, 284, "Total :");

  // Rows requested so far by this layout; never reset.
  long nomorBaris = 0;

  void ReportHeader_Format();
  void ActiveReport_FetchData(bool& eof);
  void Detail_BeforePrint();
};
