// Report runs through the real engine: saved receipts previewed and printed
// with each template and the period report on the run's PDF printer, and
// read back from the PDFs.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <atomic>
#include <filesystem>
#include <thread>

#include "core/module1.h"
#include "core/program_fixture.h"
#include "platform/report/preview.h"
#include "platform/ui/app.h"
#include "platform/ui/testing.h"
#include "platform/ui/win_util.h"
#include "receipts/frmkwitansi.h"
#include "receipts/report_runs.h"
#include "receipts/terbilang.h"
#include "platform/report/template.h"
#include "platform/vb/format.h"
#include "support/print_support.h"
#include "support/win_test_support.h"

namespace {

// An amount as paper shows it: grouped as the settings in force group.
std::string grouped(double amount) { return vb::Format(vb::Variant(amount), "#,##0"); }

using ui::testing::clickWindow;

const char* kReceiptQuery =
    "SELECT tblkwitansi.*, Format(tgl, 'dd mmmm yyyy') AS tgl_string from tblkwitansi where nokwitansi = '";

// The receipts' date, 05/12/2025, as that query writes it: the month as the regional settings name it.
std::string writtenDate() { return vb::Format(vb::Variant(vb::Date::fromParts(2025, 12, 5)), "dd mmmm yyyy"); }

class ReportPrintTest : public vt::test::ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Module1::bukaDatabase();
    ui::App::get().Title("Vantorel V1.7 BUILD 28092025");
    // As the start-up's schema upgrade leaves it.
    exec("ALTER TABLE tblkwitansi ADD COLUMN terbilang memo");
    // The program folder's templates, as the program ships them.
    const char* src = std::getenv("VT_SOURCE_DIR");
    std::filesystem::path from = vt::test::WinPathFromUnix(std::string(src ? src : ".") + "/resources/program/temp");
    std::filesystem::create_directories(ui::Widen(file("temp")));
    for (const char* t : {"01.rep", "02.rep", "03.rep", "04.rep"})
      std::filesystem::copy_file(from / t, ui::Widen(file("temp\\") + t),
                                 std::filesystem::copy_options::overwrite_existing);
    exec("insert into tblset (namalembaga, alamat, tempatcetak, pemilik, jabatan, Catatan, NoKw, templete) values "
         "('Yayasan Pendidikan Nusantara', 'Jl. Merdeka No. 17, Bandung 40115 - Telp. (022) 420 1234 - "
         "www.nusantara.sch.id', 'Bandung', 'Siti Rahmawati', 'Bendahara', 'Terima kasih', 'KW-', "
         "'Kwitansi 1 Portrait')");
    writeLogo(file("images\\logo.jpg"));
    addReceipt("001/12/2025", "Budi Santoso", "Rp.", "1,500,000",
               "Pembayaran uang sekolah bulan Desember 2025 dan uang kegiatan akhir semester", "05/12/2025",
               "Satu Juta Lima Ratus Ribu ");
    addReceipt("002/12/2025", "PT Sinar Abadi Sentosa", "USD", "250", "Sewa aula untuk seminar pendidikan",
               "08/12/2025", "Dua Ratus Lima Puluh ");
    addReceipt("003/12/2025", "Dewi Lestari", "Rp.", "75,000", "Buku paket", "12/12/2025", "Tujuh Puluh Lima Ribu ");
    // Printing goes to this run's printer; the print dialog is answered with it.
    ui::seams().print = ui::RealPrint;
    ui::seams().printDialog = [this](ui::PrintDialogRequest& r) {
      ++dialogs_;
      r.printerName = vt::test::TestPrinter();
      return true;
    };
  }

  void addReceipt(const std::string& number, const std::string& payer, const std::string& currency,
                  const std::string& amount, const std::string& purpose, const std::string& date,
                  const std::string& words) {
    exec("insert into tblkwitansi (NoKwitansi, NoPasport, SudahTerima, Matauang, Nominal, untuk, Catatan, "
         "TempatDiterima, tgl, oleh, terbilang) values ('" + number + "', 'KW-', '" + payer + "', '" + currency +
         "', '" + amount + "', '" + purpose + "', 'Pembayaran diterima dengan baik.', 'Bandung', '" + date +
         "', 'Siti Rahmawati', '" + words + "')");
  }

  static void writeLogo(const std::string& path) {
    vt::test::Canvas c(240, 240);
    c.Fill(RGB(255, 255, 255));
    HBRUSH blue = CreateSolidBrush(RGB(0x1F, 0x3A, 0x5F));
    HGDIOBJ old = SelectObject(c.dc(), blue);
    SelectObject(c.dc(), GetStockObject(NULL_PEN));
    Ellipse(c.dc(), 10, 10, 230, 230);
    SelectObject(c.dc(), old);
    DeleteObject(blue);
    HBRUSH gold = CreateSolidBrush(RGB(0xE3, 0xB0, 0x4B));
    RECT band{40, 105, 200, 135};
    FillRect(c.dc(), &band, gold);
    DeleteObject(gold);
    img::Picture::fromHBITMAP(c.bitmap()).save(path);
  }

  // Runs a report; inside its preview takes the screenshots asked for and
  // presses Cetak, then closes it. Returns the PDF printed ("" for none).
  std::string printFromPreview(const std::string& query, const std::string& templateName,
                               const std::optional<std::string>& period, const std::string& shot) {
    const size_t before = vt::test::PrintedPdfs().size();
    bool shown = false;
    ui::testing::onShown([&](ui::Form& f) {
      auto& p = static_cast<report::PreviewWindow&>(f);
      shown = true;
      EXPECT_EQ(f.Caption(), "Cetak Kwitansi");
      if (!shot.empty()) {
        vt::test::screenshot(f.hwnd(), shot + "_preview_page.png");
        p.setZoom(report::Zoom::PageWidth);
        vt::test::screenshot(f.hwnd(), shot + "_preview_width.png");
      }
      clickWindow(p.BCetak.hwnd());
      clickWindow(p.BTutup.hwnd());
    });
    runReceiptReport(query, templateName, period);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(seams->boxes.empty()) << (seams->boxes.empty() ? "" : seams->boxes[0].prompt);
    auto pdfs = vt::test::WaitForPdfs(before);
    return pdfs.empty() ? std::string() : pdfs.back();
  }

  int dialogs_ = 0;
};

TEST_F(ReportPrintTest, EachTemplatePrintsASavedReceipt) {
  if (vt::test::TestPrinter().empty()) GTEST_SKIP() << "no PDF printer in this run";
  struct Case {
    int index;
    const char* shot;
    bool landscape;
  };
  const Case cases[] = {{0, "kwitansi1", false}, {1, "kwitansi2", false}, {2, "kwitansi3", true}};
  for (const Case& c : cases) {
    std::string pdf = printFromPreview(std::string(kReceiptQuery) + "001/12/2025'", receiptTemplate(c.index),
                                       std::nullopt, c.index == 0 ? "report_kwitansi1" : "");
    ASSERT_FALSE(pdf.empty()) << c.shot;
    std::string text = vt::test::PdfText(pdf);
    // Saved as "1,500,000": printed grouped as the settings in force group.
    for (const std::string& want : {std::string("KWITANSI"), std::string("Budi Santoso"),
                                    std::string("Satu Juta Lima Ratus Ribu Rupiah"), std::string("KW-001/12/2025"),
                                    "Rp. " + grouped(1500000),
                                    std::string("Yayasan Pendidikan Nusantara"), std::string("Siti Rahmawati"),
                                    "Bandung, " + writtenDate(),
                                    std::string("Pembayaran diterima dengan baik.")})
      EXPECT_NE(text.find(want), std::string::npos) << c.shot << ": " << want << "\n" << text;
    EXPECT_EQ(vt::test::PdfPages(pdf), 1) << c.shot;
    EXPECT_TRUE(vt::test::PdfToScreenshot(pdf, std::string("report_") + c.shot + "_pdf"));
  }
  EXPECT_EQ(dialogs_, 3);
}

// The longest texts a real institution has: every one is printed whole, in
// order, and no word stands past the template's margins.
const char* kLongName = "Yayasan Pendidikan Islam Al-Ma'arif S\xC3\xA9kolah Menengah Kejuruan T\xC3\xA9knologi Informasi "
                        "dan Bisnis Bandung";
const char* kLongAddress = "Jl. Prof. Dr. Sutami No. 123A, Kelurahan Sukarasa, Kecamatan Sukasari, Kota Bandung, Jawa "
                           "Barat 40152 - Telp. (022) 2011 234 / 0812 2345 6789 - www.almaarif-bandung.sch.id";
const char* kLongPayer = "Perkumpulan Orang Tua Murid dan Guru Sekolah Dasar Negeri 17 Kecamatan Cibeunying Kidul Kota "
                         "Bandung";
const char* kLongPurpose = "Pembayaran uang sekolah semester genap tahun ajaran 2025/2026, uang gedung, seragam olahraga "
                           "dan batik, buku paket kurikulum merdeka kelas VII sampai IX, kegiatan ekstrakurikuler pramuka "
                           "dan paskibra, serta iuran study tour ke Yogyakarta bulan Maret";
const char* kLongPlace = "Kecamatan Cibeunying Kidul, Kota Bandung";
const char* kLongReceiver = "Dra. Hj. Raden Ayu Siti Nurhaliza Kusumawardhani, M.Pd.";

std::string quoted(std::string s) {
  for (size_t at = 0; (at = s.find('\'', at)) != std::string::npos; at += 2) s.insert(at, "'");
  return "'" + s + "'";
}

std::string words(double amount) { return Terbilang(amount, "terlalu besar"); }

struct LongReceipt {
  const char* number;
  const char* currency;
  const char* amount;
  double value;
  const char* unit;
};
const LongReceipt kLongReceipts[] = {
    {"001/12/2025", "Rp.", "999,999,999,999,999", 999999999999999.0, "Rupiah"},
    {"002/12/2025", "Rp.", "777,777,777,777,777", 777777777777777.0, "Rupiah"},
    {"003/12/2025", "USD", "7,777,777", 7777777.0, "Dollar"},
};

class LongTextPrintTest : public ReportPrintTest {
protected:
  void SetUp() override {
    ReportPrintTest::SetUp();
    exec("delete from tblkwitansi");
    exec("update tblset set namalembaga = " + quoted(kLongName) + ", alamat = " + quoted(kLongAddress) +
         ", jabatan = 'Bendahara Yayasan', NoKw = 'KW/YPI-ALM/'");
    for (const LongReceipt& r : kLongReceipts)
      exec(std::string("insert into tblkwitansi (NoKwitansi, NoPasport, SudahTerima, Matauang, Nominal, untuk, "
                       "Catatan, TempatDiterima, tgl, oleh, terbilang) values ('") +
           r.number + "', 'KW/YPI-ALM/', " + quoted(kLongPayer) + ", '" + r.currency + "', '" + r.amount + "', " +
           quoted(kLongPurpose) + ", 'Pembayaran diterima dengan baik.', " + quoted(kLongPlace) +
           ", '05/12/2025', " + quoted(kLongReceiver) + ", " + quoted(words(r.value)) + ")");
  }

  // Every text of the data, whole and in order, and every word inside the margins.
  void expectWhole(const std::string& pdf, const std::string& templateName, const std::vector<std::string>& texts) {
    const vt::test::PdfLayout layout = vt::test::PdfWords(pdf);
    ASSERT_FALSE(layout.words.empty()) << templateName;
    std::string all;
    for (const auto& w : layout.words) all += w.text + " ";
    for (const std::string& t : texts) EXPECT_TRUE(vt::test::HasWordRun(layout, t)) << templateName << ": " << t << "\n" << all;
    EXPECT_EQ(all.find("\xE2\x80\xA6"), std::string::npos) << templateName << ": a text was cut\n" << all;
    const report::TemplateDef def = report::loadTemplate(file("temp") + templateName);
    const double mm = 1.0 / report::kUnitsPerMm;
    const auto outside = vt::test::WordsOutside(layout, def.marginLeft * mm, def.marginTop * mm,
                                                def.marginRight * mm, def.marginBottom * mm);
    EXPECT_TRUE(outside.empty()) << templateName << ": " << outside.size() << " words past the margins, first "
                                 << (outside.empty() ? "" : outside[0]);
  }
};

TEST_F(LongTextPrintTest, EveryTemplatePrintsTheLongestTextsWhole) {
  if (vt::test::TestPrinter().empty()) GTEST_SKIP() << "no PDF printer in this run";
  std::vector<std::string> texts = {kLongName, kLongAddress, kLongPayer, kLongPurpose, kLongReceiver,
                                    std::string(kLongPlace) + ", " + writtenDate(), "KW/YPI-ALM/001/12/2025"};
  for (const LongReceipt& r : kLongReceipts) {
    texts.push_back(words(r.value) + r.unit);
    texts.push_back(std::string(r.currency) + " " + grouped(r.value));
  }
  for (int index = 0; index <= 2; ++index) {
    const std::string name = receiptTemplate(index);
    const std::string pdf = printFromPreview(
        "SELECT tblkwitansi.*, Format(tgl, 'dd mmmm yyyy') AS tgl_string from tblkwitansi order by nokwitansi", name,
        std::nullopt, "");
    ASSERT_FALSE(pdf.empty()) << name;
    EXPECT_EQ(vt::test::PdfPages(pdf), 3) << name;
    expectWhole(pdf, name.substr(5), texts);
    EXPECT_TRUE(vt::test::PdfPagesToScreenshots(pdf, "report_long_kwitansi" + std::to_string(index + 1)));
  }
}

// A purpose no page can hold: the one case where text is cut; it ends in an
// ellipsis on its page, inside the margins, and the rest of the receipt
// stays whole.
TEST_F(LongTextPrintTest, AnEndlessPurposeEndsInAnEllipsisOnItsPage) {
  if (vt::test::TestPrinter().empty()) GTEST_SKIP() << "no PDF printer in this run";
  std::string endless;
  while (endless.size() < 10000) endless += "kegiatan ";
  exec("update tblkwitansi set untuk = '" + endless + "' where NoKwitansi = '003/12/2025'");
  for (const std::string& name : {receiptTemplate(0), std::string("\\temp\\04.rep")}) {
    const std::string pdf = printFromPreview(std::string(kReceiptQuery) + "003/12/2025'", name,
                                             std::string("Periode : 05 December 2025"), "");
    ASSERT_FALSE(pdf.empty()) << name;
    const vt::test::PdfLayout layout = vt::test::PdfWords(pdf);
    std::string all;
    for (const auto& w : layout.words) all += w.text + " ";
    EXPECT_NE(all.find("kegiatan kegiatan\xE2\x80\xA6"), std::string::npos) << name << ": " << all.substr(0, 400);
    EXPECT_TRUE(vt::test::HasWordRun(layout, kLongPayer)) << name;
    const std::string usd = grouped(7777777);
    EXPECT_TRUE(vt::test::HasWordRun(layout, "USD " + usd) || vt::test::HasWordRun(layout, usd)) << name;
    const report::TemplateDef def = report::loadTemplate(file(name.substr(1)));
    const double mm = 1.0 / report::kUnitsPerMm;
    EXPECT_TRUE(vt::test::WordsOutside(layout, def.marginLeft * mm, def.marginTop * mm, def.marginRight * mm,
                                       def.marginBottom * mm)
                    .empty())
        << name;
  }
}

TEST_F(LongTextPrintTest, PeriodReportPrintsTheLongestTextsWhole) {
  if (vt::test::TestPrinter().empty()) GTEST_SKIP() << "no PDF printer in this run";
  const std::string pdf = printFromPreview(
      "select * from tblKwitansi where tgl >=#12/01/2025# and tgl<=#12/31/2025#  order by nokwitansi",
      "\\temp\\04.rep", std::string("Periode : 01 December 2025 - 31 December 2025"), "");
  ASSERT_FALSE(pdf.empty());
  std::vector<std::string> texts = {kLongName, kLongAddress, kLongPayer, kLongPurpose, "KW/YPI-ALM/001/12/2025",
                                    "Mata Uang", grouped(999999999999999.0), grouped(777777777777777.0),
                                    grouped(7777777), "Total Rp. (2 kwitansi)", grouped(1777777777777776.0),
                                    "Total USD (1 kwitansi)"};
  expectWhole(pdf, "\\04.rep", texts);
  EXPECT_TRUE(vt::test::PdfPagesToScreenshots(pdf, "report_long_periode"));
}

// A payer and an institution written in Chinese characters print as such
// (not as boxes) and read back from the PDF. So do Arabic ones, in every
// field, the italic note among them: joined and right to left, they read
// back as their letters' joined forms in the order they are written, as
// the same words drawn by the system itself read back, whether a blank, a
// no-break space, a dash or a zero-width non-joiner stands between them.
TEST_F(ReportPrintTest, ChineseAndArabicNamesPrintAndReadBack) {
  if (vt::test::TestPrinter().empty()) GTEST_SKIP() << "no PDF printer in this run";
  const std::string payer = "\xE5\x8C\x97\xE4\xBA\xAC\xE5\xB8\x82\xE6\xB5\xB7\xE6\xB7\x80\xE5\x8C\xBA"
                            "\xE4\xB8\xAD\xE5\x85\xB3\xE6\x9D\x91\xE7\xAC\xAC\xE4\xB8\x80\xE5\xB0\x8F"
                            "\xE5\xAD\xA6\xE5\xAE\xB6\xE9\x95\xBF\xE5\xA7\x94\xE5\x91\x98\xE4\xBC\x9A";
  const std::string institution = "\xE9\x9B\x85\xE5\x8A\xA0\xE8\xBE\xBE\xE5\x8D\x8E\xE6\x96\x87"
                                  "\xE5\xAD\xA6\xE6\xA0\xA1";
  const std::string arabic = "\xD9\x85\xD8\xAD\xD9\x85\xD8\xAF \xD8\xB9\xD9\x84\xD9\x8A";
  const std::string arabicRead = "\xEF\xBB\xA3\xEF\xBA\xA4\xEF\xBB\xA4\xEF\xBA\xAA \xEF\xBB\x8B\xEF\xBB\xA0\xEF\xBB\xB2";
  const std::string thanks = "\xD8\xB4\xD9\x83\xD8\xB1\xD8\xA7 \xD8\xAC\xD8\xB2\xD9\x8A\xD9\x84\xD8\xA7";
  const std::string thanksRead = "\xEF\xBA\xB7\xEF\xBB\x9C\xEF\xBA\xAE\xEF\xBA\x8D \xEF\xBA\x9F\xEF\xBA\xB0\xEF\xBB\xB3\xEF\xBB\xBC";
  auto joined = [](std::string two, const char* by) { return two.replace(two.find(' '), 1, by); };
  exec("update tblset set namalembaga = '" + institution + "'");
  addReceipt("004/12/2025", payer, "Rp.", "2,000,000", "Uang sekolah", "15/12/2025", "Dua Juta ");
  addReceipt("005/12/2025", arabic, "Rp.", "150,000", "Uang sekolah " + joined(arabic, "\xC2\xA0") + " 2025",
             "15/12/2025", "Seratus Lima Puluh Ribu ");
  exec("update tblkwitansi set Catatan = 'Catatan " + joined(thanks, "\xE2\x80\x93") + " lunas " +
       joined(thanks, "\xE2\x80\x8C") + "' where NoKwitansi = '005/12/2025'");
  for (int index : {0, 2}) {
    const std::string pdf = printFromPreview(std::string(kReceiptQuery) + "004/12/2025'", receiptTemplate(index),
                                             std::nullopt, "");
    ASSERT_FALSE(pdf.empty());
    const vt::test::PdfLayout layout = vt::test::PdfWords(pdf);
    std::string all;
    for (const auto& w : layout.words) all += w.text + " ";
    EXPECT_TRUE(vt::test::HasWordRun(layout, payer)) << index << ": " << all;
    EXPECT_TRUE(vt::test::HasWordRun(layout, institution)) << index << ": " << all;
    EXPECT_TRUE(vt::test::HasWordRun(layout, "Dua Juta Rupiah")) << all;
    EXPECT_TRUE(vt::test::PdfToScreenshot(pdf, "report_chinese_kwitansi" + std::to_string(index + 1), 150));

    const std::string arabicPdf = printFromPreview(std::string(kReceiptQuery) + "005/12/2025'",
                                                   receiptTemplate(index), std::nullopt,
                                                   index == 0 ? "report_arabic" : "");
    ASSERT_FALSE(arabicPdf.empty());
    const std::string text = vt::test::PdfText(arabicPdf);
    // The payer, and the purpose between Latin words (joined by a no-break space).
    const size_t first = text.find(arabicRead);
    EXPECT_NE(first, std::string::npos) << index << ": " << text;
    EXPECT_NE(text.find(arabicRead, first + 1), std::string::npos) << index << ": " << text;
    for (const std::string& want : {std::string("Uang sekolah"), std::string("Catatan"),
                                    joined(thanksRead, "\xE2\x80\x93"), joined(thanksRead, "")})
      EXPECT_NE(text.find(want), std::string::npos) << index << ": " << want << "\n" << text;
    EXPECT_TRUE(vt::test::PdfToScreenshot(arabicPdf, "report_arabic_kwitansi" + std::to_string(index + 1), 150));
  }
}

TEST_F(ReportPrintTest, TickedReceiptsPrintOnePerPageInNumberOrder) {
  if (vt::test::TestPrinter().empty()) GTEST_SKIP() << "no PDF printer in this run";
  std::string pdf = printFromPreview(
      "SELECT tblkwitansi.*, Format(tgl, 'dd mmmm yyyy') AS tgl_string from tblkwitansi where [no] in (3,2) "
      "order by nokwitansi",
      receiptTemplate(-1), std::nullopt, "");
  ASSERT_FALSE(pdf.empty());
  EXPECT_EQ(vt::test::PdfPages(pdf), 2);
  std::string text = vt::test::PdfText(pdf);
  const size_t sinar = text.find("PT Sinar Abadi Sentosa"), dewi = text.find("Dewi Lestari");
  ASSERT_NE(sinar, std::string::npos);
  ASSERT_NE(dewi, std::string::npos);
  EXPECT_LT(sinar, dewi);
  EXPECT_NE(text.find("Dua Ratus Lima Puluh Dollar"), std::string::npos) << text;
  EXPECT_NE(text.find("USD 250"), std::string::npos);
  EXPECT_EQ(text.find("Budi Santoso"), std::string::npos);
}

TEST_F(ReportPrintTest, PeriodReportPrintsTheRangeWithTotals) {
  if (vt::test::TestPrinter().empty()) GTEST_SKIP() << "no PDF printer in this run";
  addReceipt("001/11/2025", "Di Luar Periode", "Rp.", "9,999", "Lama", "28/11/2025", "");
  std::string pdf = printFromPreview(
      "select * from tblKwitansi where tgl >=#12/01/2025# and tgl<=#12/31/2025#  order by nokwitansi", "\\temp\\04.rep",
      std::string("Periode : 01 December 2025 - 31 December 2025"), "report_periode");
  ASSERT_FALSE(pdf.empty());
  std::string text = vt::test::PdfText(pdf);
  const std::vector<std::string> wants = {"LAPORAN KWITANSI", "Periode : 01 December 2025 - 31 December 2025",
                                         "Budi Santoso", "PT Sinar Abadi Sentosa", "Dewi Lestari", "KW-003/12/2025",
                                         grouped(1575000), "Total Rp.", "Total USD", "Halaman 1 dari 1"};
  for (const std::string& want : wants)
    EXPECT_NE(text.find(want), std::string::npos) << want << "\n" << text;
  EXPECT_EQ(text.find("Di Luar Periode"), std::string::npos);
  EXPECT_TRUE(vt::test::PdfToScreenshot(pdf, "report_periode_pdf"));
}

TEST_F(ReportPrintTest, SavingInTheEntryDialogPrintsTheNewReceipt) {
  if (vt::test::TestPrinter().empty()) GTEST_SKIP() << "no PDF printer in this run";
  exec("update tblset set templete = 'Kwitansi 2 Portrait'");
  FrmKwitansi& entry = ui::Default<FrmKwitansi>();
  const size_t before = vt::test::PrintedPdfs().size();
  bool previewed = false;
  ui::testing::onShown([&](ui::Form&) {
    auto type = [](ui::TextBox& box, const std::string& text) {
      box.SetFocus();
      ui::testing::typeText(box.hwnd(), text);
    };
    type(entry.Text3, "Rina Kartika");
    type(entry.Text4, "1250000");
    type(entry.Text6, "Iuran kegiatan study tour kelas XI");
    EXPECT_TRUE(vt::test::screenshot(entry.hwnd(), "report_entry.png"));
    clickWindow(entry.BSimpan.hwnd());
    clickWindow(entry.BTutup.hwnd());
  });
  ui::testing::onShown([&](ui::Form& f) {
    auto& p = static_cast<report::PreviewWindow&>(f);
    previewed = true;
    EXPECT_TRUE(vt::test::screenshot(f.hwnd(), "report_entry_preview_page.png"));
    p.setZoom(report::Zoom::PageWidth);
    EXPECT_TRUE(vt::test::screenshot(f.hwnd(), "report_entry_preview_width.png"));
    clickWindow(p.BCetak.hwnd());
    clickWindow(p.BTutup.hwnd());
  });
  entry.ShowModal();
  EXPECT_TRUE(previewed);
  auto pdfs = vt::test::WaitForPdfs(before);
  ASSERT_EQ(pdfs.size(), 1u);
  std::string text = vt::test::PdfText(pdfs[0]);
  for (const char* want : {"Rina Kartika", "Satu Juta Dua Ratus Lima Puluh Ribu Rupiah", "KW-004/12/2025",
                           "Iuran kegiatan study tour kelas XI", "Nomor: KW-004/12/2025"})
    EXPECT_NE(text.find(want), std::string::npos) << want << "\n" << text;
  EXPECT_TRUE(vt::test::PdfToScreenshot(pdfs[0], "report_entry_pdf"));
}

// The print dialog as Windows shows it: the run's printer chosen in its list,
// two copies typed, OK pressed, as a user does.
TEST_F(ReportPrintTest, PrintDialogChoosesPrinterAndCopies) {
  if (vt::test::TestPrinter().empty()) GTEST_SKIP() << "no PDF printer in this run";
  ui::seams().printDialog = ui::RealPrintDialog;
  const size_t before = vt::test::PrintedPdfs().size();
  std::atomic<bool> answered{false};
  std::thread user([&] {
    const std::wstring printer = ui::Widen(vt::test::TestPrinter());
    for (int i = 0; i < 300 && !answered; ++i) {
      Sleep(100);
      HWND dlg = nullptr;
      while ((dlg = FindWindowExW(nullptr, dlg, L"#32770", nullptr)) != nullptr) {
        HWND list = GetDlgItem(dlg, 0x473), copies = GetDlgItem(dlg, 0x482);  // printer list, copies
        if (!list || !copies || !IsWindowVisible(dlg)) continue;
        const LRESULT at = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(printer.c_str()));
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
        SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(0x473, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        SetWindowTextW(copies, L"2");
        PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
        answered = true;
        break;
      }
    }
  });
  ui::testing::onShown([&](ui::Form& f) {
    clickWindow(static_cast<report::PreviewWindow&>(f).BCetak.hwnd());
    clickWindow(static_cast<report::PreviewWindow&>(f).BTutup.hwnd());
  });
  runReceiptReport(std::string(kReceiptQuery) + "002/12/2025'", receiptTemplate(2));
  answered = true;
  user.join();
  auto pdfs = vt::test::WaitForPdfs(before);
  ASSERT_EQ(pdfs.size(), 1u);
  EXPECT_EQ(vt::test::PdfPages(pdfs[0]), 2);  // the one receipt, twice
  EXPECT_NE(vt::test::PdfText(pdfs[0]).find("PT Sinar Abadi Sentosa"), std::string::npos);
}

TEST_F(ReportPrintTest, PreviewPagesThroughAndClosesOnEscape) {
  for (int i = 4; i <= 9; ++i) {
    char n[16];
    std::snprintf(n, sizeof n, "%03d/12/2025", i);
    addReceipt(n, "Pembayar " + std::to_string(i), "Rp.", "10,000", "SPP", "15/12/2025", "Sepuluh Ribu ");
  }
  seams->prints.clear();
  ui::seams().print = [this](const ui::PrintRequest& r) {
    seams->prints.push_back(r);
    return true;
  };
  int closedBy = 0;
  ui::testing::onShown([&](ui::Form& f) {
    auto& p = static_cast<report::PreviewWindow&>(f);
    p.document().layoutAll();
    ui::testing::pumpFor(50);
    EXPECT_EQ(p.LHalaman.Caption(), "1 / 9");
    EXPECT_FALSE(p.BPrev.Enabled());
    clickWindow(p.BNext.hwnd());
    EXPECT_EQ(p.LHalaman.Caption(), "2 / 9");
    clickWindow(p.BLast.hwnd());
    EXPECT_EQ(p.LHalaman.Caption(), "9 / 9");
    EXPECT_FALSE(p.BNext.Enabled());
    clickWindow(p.BFirst.hwnd());
    EXPECT_EQ(p.page(), 0);
    // The wheel at the foot of a page turns to the next one.
    p.setZoom(report::Zoom::WholePage);
    SendMessageW(p.View.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(p.page(), 1);
    p.View.SetFocus();
    ui::testing::pressKey(p.View.hwnd(), VK_END);
    ui::testing::pressKey(p.View.hwnd(), VK_NEXT);
    EXPECT_EQ(p.page(), 2);
    clickWindow(p.BCetak.hwnd());
    closedBy = 1;
    ui::testing::pressKey(p.View.hwnd(), VK_ESCAPE);
  });
  runReceiptReport("SELECT tblkwitansi.*, Format(tgl, 'dd mmmm yyyy') AS tgl_string from tblkwitansi order by nokwitansi",
                   receiptTemplate(0));
  EXPECT_EQ(closedBy, 1);
  EXPECT_EQ(ui::testing::pendingShown(), 0u);
  for (ui::Form* f : ui::Form::all()) EXPECT_FALSE(f->Visible());
  ASSERT_EQ(seams->prints.size(), 1u);
  EXPECT_EQ(seams->prints[0].pageCount, 9);
  EXPECT_EQ(seams->prints[0].documentName, "Cetak Kwitansi");
  EXPECT_EQ(seams->prints[0].paperWidth, 1480);  // A5 upright
  EXPECT_FALSE(seams->prints[0].landscape);
}

TEST_F(ReportPrintTest, FailuresShowTheirTextAndNothingRunsWithoutRows) {
  struct Case {
    std::string query, templateName, message;
  };
  const Case cases[] = {
      {std::string(kReceiptQuery) + "999/12/2025'", receiptTemplate(0), ""},
      {std::string(kReceiptQuery) + "001/12/2025'", "\\temp\\09.rep",
       "Report template not found: " + file("temp\\09.rep")},
  };
  for (const Case& c : cases) {
    freshSeams();
    runReceiptReport(c.query, c.templateName);
    if (c.message.empty()) {
      EXPECT_TRUE(seams->boxes.empty());
    } else {
      ASSERT_EQ(seams->boxes.size(), 1u);
      EXPECT_EQ(seams->boxes[0].prompt, c.message);
      EXPECT_EQ(seams->boxes[0].flags, ui::vbOKOnly);
      EXPECT_EQ(seams->boxes[0].title, "Vantorel V1.7 BUILD 28092025");
    }
  }
  // A template with a fault names its line.
  std::filesystem::path bad = ui::Widen(file("temp\\01.rep"));
  HANDLE h = CreateFileW(bad.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  const char text[] = "dataset datasiswa\nband detail height 10\n  text 0 0 20 5 \"[Penyetor]\"\nend\n";
  DWORD put = 0;
  WriteFile(h, text, sizeof text - 1, &put, nullptr);
  CloseHandle(h);
  freshSeams();
  runReceiptReport(std::string(kReceiptQuery) + "001/12/2025'", receiptTemplate(0));
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt,
            file("temp\\01.rep") + ", line 3: unknown field \"Penyetor\" in dataset \"datasiswa\"");
}

}  // namespace
