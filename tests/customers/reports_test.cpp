// The two banded report layouts: the customer report through the report
// dialog's preview, printed on the run's PDF printer and read back, and the
// receipt transaction layout filled and rendered by hand.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "core/module1.h"
#include "customer_fixture.h"
#include "customers/lap_datacustomer.h"
#include "customers/lap_datasiswa.h"
#include "customers/lapdatacustomer.h"
#include "customers/mahasiswa.h"
#include "platform/report/preview.h"
#include "platform/ui/testing.h"
#include "platform/ui/win_util.h"
#include "support/print_support.h"
#include "support/win_test_support.h"

namespace customers_test {
namespace {

using ui::testing::clickWindow;

// The texts of a page, top to bottom and left to right.
std::vector<std::string> pageTexts(const report::Page& page) {
  std::vector<const report::Item*> items;
  for (const report::Item& it : page.items)
    if (it.kind == report::Item::Text) items.push_back(&it);
  std::stable_sort(items.begin(), items.end(), [](const report::Item* a, const report::Item* b) {
    return a->y != b->y ? a->y < b->y : a->x < b->x;
  });
  std::vector<std::string> out;
  for (const report::Item* it : items) out.push_back(page.textOf(*it));
  return out;
}

bool has(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

size_t pictures(const report::Page& page) {
  return static_cast<size_t>(std::count_if(page.items.begin(), page.items.end(),
                                           [](const report::Item& it) { return it.kind == report::Item::Picture; }));
}

// A row record with the given fields from baris1.
std::shared_ptr<mahasiswa> row(const std::vector<std::string>& fields) {
  auto m = std::make_shared<mahasiswa>();
  for (size_t i = 0; i < fields.size(); ++i) m->baris(static_cast<int>(i) + 1, fields[i]);
  return m;
}

class ReportTest : public CustomerTest {
protected:
  void SetUp() override {
    CustomerTest::SetUp();
    exec("insert into tblset (namalembaga, alamat) values ('Yayasan Pendidikan Nusantara', "
         "'Jl. Merdeka No. 17, Bandung 40115 - Telp. (022) 420 1234')");
    vt::test::writePicture(file("images\\logo.jpg"), 160, 130, RGB(0x1F, 0x3A, 0x5F));
  }

  // Printing goes to the run's PDF printer, chosen in the print dialog.
  static void printToTestPrinter() {
    ui::seams().print = ui::RealPrint;
    ui::seams().printDialog = [](ui::PrintDialogRequest& r) {
      r.printerName = vt::test::TestPrinter();
      return true;
    };
  }
};

TEST_F(ReportTest, PreviewFollowsTheSortAndPrints) {
  add({{"CUST00001", "Ani Suryani", "Jl. Melati No. 1", "0811-2233", "ani@contoh.id", "Guru"},
       {"CUST00002", "Budi Santoso", "Jl. Kenanga 2", "0812-9876", "budi@contoh.id", "Wiraswasta"},
       {"CUST00003", "Citra Lestari", "Komplek Griya Asri B-7", "022-555", "citra@contoh.id", "PT Nusantara"},
       {"CUST00004", "Dedi Kurniawan", "Jl. Sudirman 45", "0813-1111", "dedi@contoh.id", "CV Maju"}});
  const bool printing = !vt::test::TestPrinter().empty();
  if (printing) printToTestPrinter();
  LapDataCustomer& dlg = ui::Default<LapDataCustomer>();
  const size_t before = vt::test::PrintedPdfs().size();
  bool previewed = false;
  ui::testing::onShown([&](ui::Form&) {
    dlg.Lv1_ColumnClick(dlg.Lv1.ColumnHeaders.Item(3));
    dlg.Lv1_ColumnClick(dlg.Lv1.ColumnHeaders.Item(3));  // by name, descending
    clickWindow(dlg.Button1.hwnd());
    clickWindow(dlg.Button2.hwnd());
  });
  ui::testing::onShown([&](ui::Form& f) {
    auto& p = static_cast<report::PreviewWindow&>(f);
    previewed = true;
    EXPECT_EQ(f.Caption(), "Laporan Member");
    EXPECT_FALSE(IsWindowEnabled(dlg.hwnd()));
    report::Document& doc = p.document();
    doc.layoutAll();
    ASSERT_EQ(doc.pages.size(), 1u);
    const std::vector<std::string> texts = pageTexts(doc.pages[0]);
    for (const char* want : {"Yayasan Pendidikan Nusantara", "LAPORAN DATA CUSTOMER", "No.", "ID Customer", "Nama",
                             "Alamat", "No. Telpn", "Email"})
      EXPECT_TRUE(has(texts, want)) << want;
    for (const char* absent : {"Nama Lengkap", "No. Telp", "Alamat Email", "Guru", "PT Nusantara"})
      EXPECT_FALSE(has(texts, absent)) << absent;
    EXPECT_EQ(pictures(doc.pages[0]), 1u);  // the logo
    // The rows in the list's order, numbered from 1 whatever the list's "No" shows.
    const char* order[] = {"Dedi Kurniawan", "Citra Lestari", "Budi Santoso", "Ani Suryani"};
    size_t at = std::find(texts.begin(), texts.end(), "Email") - texts.begin();
    for (int i = 0; i < 4; ++i) {
      const auto number = std::find(texts.begin() + static_cast<long>(at), texts.end(), std::to_string(i + 1));
      ASSERT_NE(number, texts.end()) << i + 1;
      EXPECT_EQ(*(number + 2), order[i]) << i + 1;
      at = static_cast<size_t>(number - texts.begin()) + 1;
    }
    EXPECT_TRUE(vt::test::screenshot(f.hwnd(), "customer_report_preview.png"));
    if (printing) clickWindow(p.BCetak.hwnd());
    clickWindow(p.BTutup.hwnd());
  });
  dlg.ShowModal();
  EXPECT_TRUE(previewed);
  EXPECT_TRUE(seams->boxes.empty());
  if (!printing) GTEST_SKIP() << "no PDF printer in this run";
  const auto pdfs = vt::test::WaitForPdfs(before);
  ASSERT_FALSE(pdfs.empty());
  const std::string text = vt::test::PdfText(pdfs.back());
  size_t last = 0;
  for (const char* want : {"Yayasan Pendidikan Nusantara", "LAPORAN DATA CUSTOMER", "No. Telpn", "Dedi Kurniawan",
                           "Citra Lestari", "Budi Santoso", "Ani Suryani"}) {
    const size_t found = text.find(want, last);
    EXPECT_NE(found, std::string::npos) << want << "\n" << text;
    if (found != std::string::npos) last = found;
  }
  EXPECT_TRUE(vt::test::PdfToScreenshot(pdfs.back(), "customer_report_page1"));
}

// The longest texts a customer and the institution have: printed whole, in
// order, inside the page's margins.
TEST_F(ReportTest, LongestTextsPrintWhole) {
  if (vt::test::TestPrinter().empty()) GTEST_SKIP() << "no PDF printer in this run";
  const std::string name = "Yayasan Pendidikan Islam Al-Ma''arif S\xC3\xA9kolah Menengah Kejuruan T\xC3\xA9knologi "
                           "Informasi dan Bisnis Bandung";
  const std::string address = "Jl. Prof. Dr. Sutami No. 123A, Kelurahan Sukarasa, Kecamatan Sukasari, Kota Bandung, "
                              "Jawa Barat 40152 - Telp. (022) 2011 234 / 0812 2345 6789 - www.almaarif-bandung.sch.id";
  exec("update tblset set namalembaga = '" + name + "', alamat = '" + address + "'");
  const Customer longest = {"CUST00001",
                            "Perkumpulan Orang Tua Murid dan Guru Sekolah Dasar Negeri 17 Kecamatan Cibeunying Kidul "
                            "Kota Bandung",
                            "Jl. Cibeunying Kidul Gg. Sukamaju III No. 17B RT 05 RW 11, Kelurahan Sukamaju, Kecamatan "
                            "Cibeunying Kidul, Kota Bandung 40121",
                            "(022) 7271 234 / 0812 2345 6789",
                            "perkumpulan.orangtua.sdn17.cibeunyingkidul@gmail.com",
                            "Komite Sekolah"};
  add({longest, {"CUST00002", "Ani Suryani", "Jl. Melati No. 1", "0811-2233", "ani@contoh.id", "Guru"}});
  printToTestPrinter();
  LapDataCustomer& dlg = ui::Default<LapDataCustomer>();
  const size_t before = vt::test::PrintedPdfs().size();
  ui::testing::onShown([&](ui::Form&) {
    clickWindow(dlg.Button1.hwnd());
    clickWindow(dlg.Button2.hwnd());
  });
  ui::testing::onShown([&](ui::Form& f) {
    auto& p = static_cast<report::PreviewWindow&>(f);
    clickWindow(p.BCetak.hwnd());
    clickWindow(p.BTutup.hwnd());
  });
  dlg.ShowModal();
  const auto pdfs = vt::test::WaitForPdfs(before);
  ASSERT_FALSE(pdfs.empty());
  const vt::test::PdfLayout pdf = vt::test::PdfWords(pdfs.back());
  std::string all;
  for (const auto& w : pdf.words) all += w.text + " ";
  for (const std::string& text : {std::string("Yayasan Pendidikan Islam Al-Ma'arif S\xC3\xA9kolah Menengah Kejuruan "
                                              "T\xC3\xA9knologi Informasi dan Bisnis Bandung"),
                                  address, longest.id, longest.nama, longest.alamat, longest.telpn, longest.email,
                                  std::string("Ani Suryani")})
    EXPECT_TRUE(vt::test::HasWordRun(pdf, text)) << text << "\n" << all;
  EXPECT_EQ(all.find("\xE2\x80\xA6"), std::string::npos) << all;
  const auto outside = vt::test::WordsOutside(pdf, 10, 10, 10, 10);  // the layout's 1 cm margins
  EXPECT_TRUE(outside.empty()) << outside.size() << " words past the margins, first "
                               << (outside.empty() ? "" : outside[0]);
  EXPECT_TRUE(vt::test::PdfToScreenshot(pdfs.back(), "customer_report_long"));
}

// A run meant to print (the test command's) fails a print test whose printer
// is missing instead of letting it pass by skipping; a test run by hand
// without a printer only skips.
TEST(PrintSupport, AMissingPrinterFailsARunMeantToPrint) {
  auto get = [](const char* name) { return std::string(std::getenv(name) ? std::getenv(name) : ""); };
  const std::string printer = get("VT_PRINTER"), required = get("VT_REQUIRE_PRINTER");
  _putenv("VT_PRINTER=");
  _putenv("VT_REQUIRE_PRINTER=1");
  EXPECT_NONFATAL_FAILURE(vt::test::TestPrinter(), "VT_PRINTER is not set");
  _putenv("VT_REQUIRE_PRINTER=");
  EXPECT_EQ(vt::test::TestPrinter(), "");
  _putenv(("VT_PRINTER=" + printer).c_str());
  _putenv(("VT_REQUIRE_PRINTER=" + required).c_str());
}

// A customer named in Chinese characters shows as such in the report
// dialog's list: its cell differs from one whose characters no font has
// (which shows as boxes).
TEST_F(ReportTest, ChineseNamesShowOnScreen) {
  const std::string chinese = "\xE9\x9B\x85\xE5\x8A\xA0\xE8\xBE\xBE\xE5\x8D\x8E\xE6\x96\x87";
  const std::string unknown = "\xEE\x80\x80\xEE\x80\x81\xEE\x80\x82\xEE\x80\x83\xEE\x80\x84";  // private use
  add({{"CUST00001", chinese, "Jakarta", "021", "a@contoh.id", ""},
       {"CUST00002", unknown, "Jakarta", "021", "b@contoh.id", ""}});
  LapDataCustomer& dlg = ui::Default<LapDataCustomer>();
  bool checked = false;
  ui::testing::onShown([&](ui::Form& f) {
    EXPECT_TRUE(vt::test::screenshot(f.hwnd(), "customer_report_chinese.png"));
    const HWND list = dlg.Lv1.hwnd();
    auto cell = [&](int row) {
      RECT r{};
      r.top = 2;  // the name's column
      r.left = LVIR_LABEL;
      SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
      return r;
    };
    const RECT a = cell(0), b = cell(1);
    const int w = std::min(a.right - a.left, b.right - b.left), h = std::min(a.bottom - a.top, b.bottom - b.top);
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);
    HDC screen = GetDC(list);
    vt::test::Canvas first(w, h), second(w, h);
    first.Blit(0, 0, w, h, screen, a.left, a.top);
    second.Blit(0, 0, w, h, screen, b.left, b.top);
    ReleaseDC(list, screen);
    int differ = 0, dark = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        differ += first.Pixel(x, y) != second.Pixel(x, y) ? 1 : 0;
        dark += GetGValue(first.Pixel(x, y)) < 128 ? 1 : 0;
      }
    EXPECT_GT(dark, 20);    // something is drawn
    EXPECT_GT(differ, 20);  // and it is not the boxes of characters no font has
    checked = true;
    clickWindow(dlg.Button2.hwnd());
  });
  dlg.ShowModal();
  EXPECT_TRUE(checked);
}

TEST_F(ReportTest, MissingLogoLeavesThePictureEmpty) {
  DeleteFileW(ui::Widen(file("images\\logo.jpg")).c_str());
  lap_DataCustomer layout;
  layout.daftarMhs->Add("1", vb::Variant(row({"CUST00001", "Ani"})));
  report::Document& doc = layout.Run();
  ASSERT_EQ(doc.pages.size(), 1u);
  EXPECT_EQ(pictures(doc.pages[0]), 0u);
  const auto texts = pageTexts(doc.pages[0]);
  EXPECT_TRUE(has(texts, "Yayasan Pendidikan Nusantara"));
  EXPECT_TRUE(has(texts, "Ani"));
}

TEST_F(ReportTest, TransactionLayoutTakesRowsByKey) {
  struct Case {
    std::vector<std::string> keys;  // in the order added
    std::vector<std::string> payers;
  };
  const Case cases[] = {
      {{}, {}},
      {{"1"}, {"Payer 1"}},
      {{"2", "3", "1"}, {"Payer 1", "Payer 2", "Payer 3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.keys.size()) + " rows");
    lap_DataSiswa layout;
    for (const std::string& k : c.keys)
      layout.daftarMhs->Add(k, vb::Variant(row({"00" + k + "/12/2025", "Payer " + k, "Rp.", k + ",000", "SPP",
                                                "0" + k + "/12/2025", "Siti", "hidden 8", "hidden 9"})));
    report::Document& doc = layout.Run();
    ASSERT_EQ(doc.pages.size(), 1u);
    const auto texts = pageTexts(doc.pages[0]);
    for (const char* heading : {"Yayasan Pendidikan Nusantara", "LAPORAN DATA TRANSAKSI KWITANSI", "Periode", "No.",
                                "No Kwitansi", "Terima dari", "Mata Uang", "Nominal", "Untuk Pembayaran",
                                "Tgl Diterima", "Penerima", "Total :"})
      EXPECT_TRUE(has(texts, heading)) << heading;
    std::vector<std::string> payers;
    for (const std::string& t : texts)
      if (t.rfind("Payer ", 0) == 0) payers.push_back(t);
    EXPECT_EQ(payers, c.payers);
    for (size_t i = 1; i <= c.payers.size(); ++i) {
      const auto number = std::find(texts.begin(), texts.end(), std::to_string(i));
      ASSERT_NE(number, texts.end());
      EXPECT_EQ(*(number + 1), "00" + std::to_string(i) + "/12/2025");
    }
    EXPECT_FALSE(has(texts, "hidden 8"));
    EXPECT_FALSE(has(texts, "hidden 9"));
    EXPECT_EQ(layout.nomorBaris, static_cast<long>(c.keys.size()) + 1);
    // A second run continues the counter: no rows at once.
    const auto againTexts = pageTexts(layout.Run().pages[0]);
    EXPECT_TRUE(std::none_of(againTexts.begin(), againTexts.end(),
                             [](const std::string& t) { return t.rfind("Payer ", 0) == 0; }));
    EXPECT_TRUE(has(againTexts, "LAPORAN DATA TRANSAKSI KWITANSI"));
  }
}

// A receipt row with the longest texts: each column shows its text whole,
// inside the page.
TEST_F(ReportTest, TransactionLayoutShowsLongTextsWhole) {
  const std::vector<std::string> fields = {
      "KW/YPI-ALM/001/12/2025", "Perkumpulan Orang Tua Murid dan Guru Sekolah Dasar Negeri 17 Kecamatan Cibeunying",
      "Rp.", "999,999,999,999,999",
      "Pembayaran uang sekolah semester genap tahun ajaran 2025/2026, uang gedung, seragam dan buku paket", "05/12/2025",
      "Dra. Hj. Raden Ayu Siti Nurhaliza Kusumawardhani, M.Pd."};
  lap_DataSiswa layout;
  layout.daftarMhs->Add("1", vb::Variant(row(fields)));
  layout.daftarMhs->Add("2", vb::Variant(row({"002/12/2025", "Budi", "Rp.", "1,000", "SPP", "06/12/2025", "Siti"})));
  report::Document& doc = layout.Run();
  ASSERT_EQ(doc.pages.size(), 1u);
  const report::Page& page = doc.pages[0];
  const report::Field* cells[] = {&layout.Field2, &layout.Field3, &layout.Field4, &layout.Field5,
                                  &layout.Field6, &layout.Field7, &layout.Field8};
  int budiTop = 0, firstBottom = 0, headings = 0;
  for (const report::Item& it : page.items) {
    if (it.kind == report::Item::Text && page.textOf(it) == "Budi") budiTop = it.y;
    if (it.kind == report::Item::Text && page.textOf(it) == "Penerima") headings = it.y + it.h;
  }
  for (size_t c = 0; c < fields.size(); ++c) {
    // The lines of the first row in this column, top to bottom.
    const int left = report::twipsToUnits(layout.LeftMargin) + report::twipsToUnits(cells[c]->Left);
    std::string joined;
    for (const report::Item& it : page.items) {
      if (it.kind != report::Item::Text || it.x != left || it.y >= budiTop || it.y < headings) continue;
      // A word broken at the end of its line goes on in the next one.
      const bool broken = !joined.empty() && joined.back() == '/';
      joined += (joined.empty() || broken ? "" : " ") + page.textOf(it);
      EXPECT_LE(doc.metrics(it.font).width(ui::Widen(page.textOf(it))), report::twipsToUnits(cells[c]->Width));
      firstBottom = std::max(firstBottom, it.y + it.h);
    }
    EXPECT_EQ(joined, fields[c]) << c;
  }
  EXPECT_GE(budiTop, firstBottom);  // the next row below the tallest cell
  for (const report::Item& it : page.items)
    EXPECT_LE(it.x + it.w, report::twipsToUnits(layout.PaperWidth - layout.RightMargin) + 1);
}

TEST_F(ReportTest, TransactionLayoutPicture) {
  lap_DataSiswa layout;
  layout.daftarMhs->Add("1", vb::Variant(row({"001/12/2025", "Budi Santoso", "Rp.", "1,500,000",
                                              "Uang sekolah Desember", "05/12/2025", "Siti Rahmawati"})));
  layout.daftarMhs->Add("2", vb::Variant(row({"002/12/2025", "PT Sinar Abadi", "USD", "250", "Sewa aula",
                                              "08/12/2025", "Siti Rahmawati"})));
  report::Document& doc = layout.Run();
  ASSERT_FALSE(doc.pages.empty());
  const report::Page& page = doc.pages[0];
  // The page at 96 dots per inch on white paper.
  const report::Viewport vp = report::Viewport::forDpi(96, 96);
  vt::test::Canvas canvas(static_cast<int>(page.width * vp.scaleX) + 1, static_cast<int>(page.height * vp.scaleY) + 1);
  canvas.Fill(RGB(255, 255, 255));
  report::drawPage(canvas.dc(), doc, page, vp);
  EXPECT_TRUE(vt::test::SavePng(canvas.bitmap(), "receipt_transactions_report.png"));
}

}  // namespace
}  // namespace customers_test
