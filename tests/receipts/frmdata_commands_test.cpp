// The register's commands: print the ticked receipts, the period report and
// delete, through the register's buttons.
#include "receipts/frmdata_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "core/modal_steps.h"
#include "platform/report/preview.h"
#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/ui/win_util.h"
#include "platform/vb/locale.h"
#include "receipts/frmkwitansi.h"
#include "receipts/keyboard.h"
#include "receipts/frmseting.h"
#include "support/print_support.h"
#include "support/win_test_support.h"

namespace {

using ui::testing::clickWindow;
using vt::test::RegisterTest;

class CommandsTest : public RegisterTest {
protected:
  // Five receipts of today, numbered 001 to 005; returns their keys in that order.
  std::vector<std::string> fiveReceipts() {
    const char* payers[] = {"Eko", "Dewi", "Citra", "Budi", "Agus"};
    std::vector<std::string> keys;
    for (int i = 1; i <= 5; ++i) {
      const std::string number = "00" + std::to_string(i) + "/12/2025";
      addReceipt("KW-", number, payers[i - 1], i % 2 ? "Rp." : "USD", 1000.0 * i, "05/12/2025");
      keys.push_back(scalar("select [no] from tblkwitansi where NoKwitansi = '" + number + "'"));
    }
    return keys;
  }
  std::string count() { return scalar("select count(*) from tblkwitansi"); }
};

TEST_F(CommandsTest, PrintTheTickedReceiptsInNumberOrder) {
  const auto keys = fiveReceipts();
  exec("insert into tblset (namalembaga, templete) values ('SMK', 'Kwitansi 2 Portrait')");
  open();
  FrmData& f = data();
  // Sorted by payer, the list shows 005 first; the print still goes by number.
  clickHeader(3);
  ASSERT_EQ(column(2).front(), "KW-005/12/2025");
  tick({1, 2, 4});  // Agus 005, Budi 004, Dewi 002
  clickWindow(f.BCetak.hwnd());
  EXPECT_TRUE(seams->boxes.empty());
  EXPECT_EQ(f.idTerpilih, keys[4] + "," + keys[3] + "," + keys[1]);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].query, "SELECT tblkwitansi.*, Format(tgl, 'dd mmmm yyyy') AS tgl_string from tblkwitansi where [no] in (" +
                               f.idTerpilih + ") order by nokwitansi");
  EXPECT_EQ(jobs[0].templatePath, folder() + "\\temp\\02.rep");
  EXPECT_EQ(jobs[0].title, "Cetak Kwitansi");
  EXPECT_FALSE(jobs[0].period.has_value());
  // Printing marks every row selected and leaves the ticks as they were.
  for (int i = 1; i <= 5; ++i) {
    EXPECT_TRUE(f.Lv1.ListItems.Item(i).Selected()) << i;
    EXPECT_EQ(f.Lv1.ListItems.Item(i).Checked(), i == 1 || i == 2 || i == 4) << i;
  }

  // Pilih Semua prints every listed receipt.
  clickWindow(f.Check1.hwnd());
  clickWindow(f.BCetak.hwnd());
  ASSERT_EQ(jobs.size(), 2u);
  EXPECT_EQ(f.idTerpilih, keys[4] + "," + keys[3] + "," + keys[2] + "," + keys[1] + "," + keys[0]);
}

TEST_F(CommandsTest, PrintWithoutTicksOrRows) {
  fiveReceipts();
  open();
  clickWindow(data().BCetak.hwnd());
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, "silakan pilih atau ceklist data yang akan di cetak KTA-nya");
  EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation);
  EXPECT_EQ(seams->boxes[0].title, "Vantorel V1.7 BUILD 28092025");
  // An empty list: nothing at all.
  freshSeams();
  data().TglAwal.Value(vb::Date::fromParts(2025, 1, 1));
  data().TglAkhir.Value(vb::Date::fromParts(2025, 1, 1));
  clickWindow(data().BTampil.hwnd());
  freshSeams();
  clickWindow(data().BCetak.hwnd());
  EXPECT_TRUE(seams->boxes.empty());
  EXPECT_TRUE(jobs.empty());
}

TEST_F(CommandsTest, PeriodReportPrintsThePickedRange) {
  addReceipt("", "001/11/2025", "A", "Rp.", 1, "30/11/2025");
  addReceipt("", "002/12/2025", "B", "Rp.", 2, "01/12/2025");
  addReceipt("", "003/12/2025", "C", "Rp.", 4, "05/12/2025");
  open();
  FrmData& f = data();
  // The list shows a search result; the range alone counts.
  search("Sudah Terima Dari", "C");
  ASSERT_EQ(f.Lv1.ListItems.Count(), 1);
  f.TglAwal.Value(vb::Date::fromParts(2025, 11, 1));
  f.TglAkhir.Value(vb::Date::fromParts(2025, 12, 1));
  freshSeams();
  clickWindow(f.BCetak2.hwnd());
  EXPECT_TRUE(seams->boxes.empty());
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].templatePath, folder() + "\\temp\\04.rep");
  EXPECT_EQ(jobs[0].query,
            "select * from tblKwitansi where tgl >=#11/01/2025# and tgl<=#12/01/2025#  order by nokwitansi");
  const auto& months = vb::currentLocale().monthNames;
  EXPECT_EQ(jobs[0].period, "Periode : 01 " + months[10] + " 2025 - 01 " + months[11] + " 2025");
  EXPECT_EQ(jobs[0].title, "Cetak Kwitansi");

  // Rows listed but nothing in the range: nothing shown, nothing said.
  f.TglAwal.Value(vb::Date::fromParts(2024, 1, 1));
  f.TglAkhir.Value(vb::Date::fromParts(2024, 1, 31));
  clickWindow(f.BCetak2.hwnd());
  EXPECT_EQ(jobs.size(), 1u);
  EXPECT_TRUE(seams->boxes.empty());

  // An empty list says so, even though the range has receipts.
  search("No Kwitansi", "zzz");
  freshSeams();
  f.TglAwal.Value(vb::Date::fromParts(2025, 11, 1));
  f.TglAkhir.Value(vb::Date::fromParts(2025, 12, 31));
  clickWindow(f.BCetak2.hwnd());
  EXPECT_EQ(jobs.size(), 1u);
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, "Tidak ada data yang bisa ditampilkan");
  EXPECT_EQ(seams->boxes[0].flags, ui::vbInformation);
  EXPECT_EQ(seams->boxes[0].title, "Preview");
}

TEST_F(CommandsTest, DeleteTheTickedRows) {
  const auto keys = fiveReceipts();
  open();
  FrmData& f = data();
  EXPECT_EQ(f.Label7.Caption(), "Total : Rp. " + amount(9000) + " ; USD " + amount(6000));
  tick({2, 4});

  // No keeps everything but still counts again.
  exec("insert into tblkwitansi (NoKwitansi) values ('lain')");
  seams->answers.push_back(ui::vbNo);
  clickWindow(f.BHapus.hwnd());
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, "Apakah Anda Yakin Menghapus 2  data? ");
  EXPECT_EQ(seams->boxes[0].flags, ui::vbYesNo);
  EXPECT_EQ(seams->boxes[0].title, "Konfirmasi");
  EXPECT_EQ(count(), "6");
  EXPECT_EQ(f.Label6.Caption(), "5 Dari 6 Record");

  freshSeams();
  seams->answers.push_back(ui::vbYes);
  clickWindow(f.BHapus.hwnd());
  ASSERT_EQ(seams->boxes.size(), 2u);
  EXPECT_EQ(seams->boxes[1].prompt, "Telah dihapus");
  EXPECT_EQ(seams->boxes[1].flags, ui::vbInformation);
  EXPECT_EQ(seams->boxes[1].title, "Hapus");
  EXPECT_EQ(column(1), (std::vector<std::string>{"1", "3", "5"}));
  EXPECT_EQ(count(), "4");
  EXPECT_EQ(scalar("select count(*) from tblkwitansi where [no] in (" + keys[1] + "," + keys[3] + ")"), "0");
  EXPECT_EQ(f.Label6.Caption(), "3 Dari 4 Record");
  // The sum of the rows still listed, rupiah only: 1,000 + 3,000 + 5,000.
  EXPECT_EQ(f.Label7.Caption(), "Total : " + amount(9000));

  // Nothing ticked.
  freshSeams();
  clickWindow(f.BHapus.hwnd());
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, "Silakan pilih / ceklist data yang ingin dihapus");
  EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation);
  EXPECT_EQ(seams->boxes[0].title, "Vantorel V1.7 BUILD 28092025");
}

TEST_F(CommandsTest, DeleteThatFailsKeepsEveryTickedRow) {
  const auto keys = fiveReceipts();
  // The database refuses to delete receipt 002, the second delete of the walk
  // from the last row: the first one, already done, is taken back.
  exec("CREATE TRIGGER tetap BEFORE DELETE ON tblkwitansi WHEN old.[no] = " + keys[1] +
       " BEGIN SELECT RAISE(ABORT, 'Kwitansi 002 terkunci'); END");
  open();
  FrmData& f = data();
  tick({2, 4});
  seams->answers.push_back(ui::vbYes);
  clickWindow(f.BHapus.hwnd());
  ASSERT_EQ(seams->boxes.size(), 2u);
  EXPECT_NE(seams->boxes[1].prompt.find("terkunci"), std::string::npos) << seams->boxes[1].prompt;
  EXPECT_EQ(seams->boxes[1].title, "Hapus");
  // Neither delete stands, and both rows are still listed and ticked.
  EXPECT_EQ(count(), "5");
  EXPECT_EQ(column(1), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  EXPECT_TRUE(f.Lv1.ListItems.Item(2).Checked());
  EXPECT_TRUE(f.Lv1.ListItems.Item(4).Checked());
  EXPECT_EQ(f.Label6.Caption(), "5 Dari 5 Record");
}

TEST_F(CommandsTest, CloseUnloadsTheRegister) {
  open();
  clickWindow(data().Btutup.hwnd());
  EXPECT_FALSE(data().Loaded());
}

}  // namespace

namespace {

TEST_F(CommandsTest, EditOpensTheSelectedReceiptLockedAndKeepsItsPrefix) {
  // As after the login's upgrade, which gives the receipts their words.
  exec("ALTER TABLE tblkwitansi ADD COLUMN terbilang memo");
  // The settings' prefix has changed since the receipts were written.
  exec("insert into tblset (namalembaga, NoKw, catatan, tempatCetak, pemilik) "
       "values ('SMK', 'BARU-', 'Lunas', 'Cimahi', 'Siti')");
  addReceipt("KW-", "001/12/2025", "Agus", "Rp.", 1000, "05/12/2025", "SPP", "Bandung", "Ani");
  addReceipt("KW-", "002/12/2025", "Budi", "USD", 1500, "03/12/2025", "Buku paket", "Bogor", "Rudi");
  open();
  FrmData& f = data();
  f.TglAwal.Value(vb::Date::fromParts(2025, 12, 1));
  clickWindow(f.BTampil.hwnd());
  ASSERT_EQ(f.Lv1.ListItems.Count(), 2);
  // The ticks play no part; the selected row does.
  tick({1});
  clickRow(2);
  ASSERT_TRUE(f.Lv1.ListItems.Item(2).Selected());
  FrmKwitansi& entry = ui::Default<FrmKwitansi>();
  bool shown = false;
  ui::testing::onShown([&](ui::Form& shownForm) {
    shown = &shownForm == &entry && !IsWindowEnabled(f.hwnd());
    EXPECT_EQ(entry.Text1.Text(), "KW-002/12/2025");
    EXPECT_FALSE(entry.Text1.Enabled());
    EXPECT_EQ(entry.Text3.Text(), "Budi");
    EXPECT_EQ(entry.Combo1.Text(), "USD");
    EXPECT_EQ(entry.Text4.Text(), amount(1500));
    EXPECT_EQ(entry.Text6.Text(), "Buku paket");
    EXPECT_EQ(entry.Text7.Text(), "Catatan 002/12/2025");
    EXPECT_EQ(entry.Text8.Text(), "Bogor");
    EXPECT_EQ(entry.TglDiterima.Value(), vb::Date::fromParts(2025, 12, 3));
    EXPECT_EQ(entry.Text9.Text(), "Rudi");
    // Saved again: the question, then the stored receipt changed in place.
    entry.Text3.Text("Budi Santoso");
    seams->answers.push_back(ui::vbYes);
    clickWindow(entry.BSimpan.hwnd());
    clickWindow(entry.BTutup.hwnd());
  });
  clickWindow(f.BUbah.hwnd());
  EXPECT_TRUE(shown);
  ASSERT_FALSE(seams->boxes.empty());
  EXPECT_EQ(seams->boxes.back().prompt, "Data Berhasil Di Update");
  EXPECT_FALSE(entry.Loaded());
  EXPECT_EQ(count(), "2");
  EXPECT_EQ(scalar("select SudahTerima from tblkwitansi where NoKwitansi = '002/12/2025'"), "Budi Santoso");
  EXPECT_EQ(scalar("select NoPasport from tblkwitansi where NoKwitansi = '002/12/2025'"), "KW-");
  // The list shows what is stored now.
  EXPECT_EQ(f.Lv1.ListItems.Item(2).SubItems(2), "Budi Santoso");
}

// Ubah saves over the stored receipt whatever the length of its number, and
// keeps a stored currency the entry's list lacks. The question over the
// receipt being edited has Yes for its default: Enter updates it.
TEST_F(CommandsTest, EditSavesOverTheStoredReceiptWhateverItsNumber) {
  exec("ALTER TABLE tblkwitansi ADD COLUMN terbilang memo");
  exec("insert into tblset (namalembaga, NoKw) values ('SMK', 'BARU-')");
  struct Case {
    const char *prefix, *number, *currency, *words;
  };
  const Case cases[] = {
      {"KW-", "KW'01", "Rp.", "Seribu Rupiah"},           // shorter than eleven characters
      {"", "77", "USD", "Seribu Dollar"},                 // shorter, without a prefix
      {"KW-", "2025/000123/12", "Rp.", "Seribu Rupiah"},  // longer than eleven
      {"KW-", "004/12/2025", "EUR", "Seribu EUR"},        // a currency the list lacks
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    addReceipt(cases[i].prefix, cases[i].number, "Lama " + std::to_string(i), cases[i].currency, 1000, "05/12/2025");
  open();
  FrmData& f = data();
  FrmKwitansi& entry = ui::Default<FrmKwitansi>();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    const std::string shown = std::string(c.prefix) + c.number;
    const auto numbers = column(2);
    const auto at = std::find(numbers.begin(), numbers.end(), shown);
    ASSERT_NE(at, numbers.end());
    clickRow(static_cast<int>(at - numbers.begin()) + 1);
    freshSeams();
    vt::test::AnswerWithEnter(*seams, "Nomer Kwitansi Sudah ada dalam Sistem, apakah ingin di Update?");
    ui::testing::onShown([&](ui::Form&) {
      EXPECT_EQ(entry.Text1.Text(), shown);
      EXPECT_EQ(entry.Combo1.Text(), c.currency);
      EXPECT_EQ(entry.Text5.Text(), c.words);
      EXPECT_TRUE(entry.Text3.HasFocus());
      entry.Text6.SetFocus();
      vt::test::keyboardType("Pelunasan");
      clickWindow(entry.BSimpan.hwnd());
      clickWindow(entry.BTutup.hwnd());
    });
    clickWindow(f.BUbah.hwnd());
    ASSERT_EQ(seams->boxes.size(), 2u);
    EXPECT_EQ(seams->boxes[0].prompt, "Nomer Kwitansi Sudah ada dalam Sistem, apakah ingin di Update?");
    EXPECT_EQ(seams->boxes[0].flags, ui::vbYesNo);
    EXPECT_EQ(seams->boxes[1].prompt, "Data Berhasil Di Update");
    EXPECT_EQ(count(), std::to_string(std::size(cases)));
    const std::string where = " from tblkwitansi where NoKwitansi = '" + db::quote(c.number) + "'";
    EXPECT_EQ(scalar("select untuk" + where), "Pelunasan");
    EXPECT_EQ(scalar("select Matauang" + where), c.currency);
    EXPECT_EQ(scalar("select NoPasport" + where), c.prefix);
  }
}

// A database moved between PCs: amounts saved grouped by US settings and by
// Indonesian ones list, total, sort and edit as the same whole numbers under
// the settings in force (the suite runs under both).
TEST_F(CommandsTest, AmountsSavedOnAnotherPCKeepTheirValue) {
  exec("ALTER TABLE tblkwitansi ADD COLUMN terbilang memo");
  const char* saved[] = {"100,000", "987,654,321", "1.500.000", "2.750", "1.250"};
  const char* payers[] = {"Agus", "Budi", "Citra", "Dewi", "Eko"};
  for (int i = 0; i < 5; ++i) {
    addReceipt("KW-", "00" + std::to_string(i + 1) + "/12/2025", payers[i], i < 4 ? "Rp." : "USD", 0, "05/12/2025");
    exec("update tblkwitansi set Nominal = '" + std::string(saved[i]) + "' where SudahTerima = '" + payers[i] + "'");
  }
  open();
  FrmData& f = data();
  EXPECT_EQ(column(5), (std::vector<std::string>{amount(100000), amount(987654321), amount(1500000), amount(2750),
                                                 amount(1250)}));
  EXPECT_EQ(f.Label7.Caption(), "Total : Rp. " + amount(989257071) + " ; USD " + amount(1250));
  clickHeader(5);
  EXPECT_EQ(column(3), (std::vector<std::string>{"Eko", "Dewi", "Agus", "Citra", "Budi"}));
  // Ubah on the amount saved with ",", Simpan: the words and the value stay.
  clickRow(3);
  FrmKwitansi& entry = ui::Default<FrmKwitansi>();
  ui::testing::onShown([&](ui::Form&) {
    EXPECT_EQ(entry.Text4.Text(), amount(100000));
    seams->answers.push_back(ui::vbYes);
    clickWindow(entry.BSimpan.hwnd());
    clickWindow(entry.BTutup.hwnd());
  });
  clickWindow(f.BUbah.hwnd());
  EXPECT_EQ(scalar("select terbilang from tblkwitansi where SudahTerima = 'Agus'"), "Seratus Ribu ");
  EXPECT_EQ(column(5)[2], amount(100000));
}

// After the entry dialog closes, the register shows the list it showed
// (today's sorted by a column, a search, a date range) with what was saved.
TEST_F(CommandsTest, AddAndEditShowTheRegistersListAgain) {
  exec("ALTER TABLE tblkwitansi ADD COLUMN terbilang memo");
  exec("insert into tblset (namalembaga, NoKw) values ('SMK', 'KW-')");
  addReceipt("KW-", "001/12/2025", "Agus", "Rp.", 1000, "05/12/2025", "SPP");
  addReceipt("KW-", "002/12/2025", "Budi", "Rp.", 2000, "03/12/2025", "Buku");
  open();
  FrmData& f = data();
  FrmKwitansi& entry = ui::Default<FrmKwitansi>();
  clickHeader(5);  // by amount
  bool shown = false;
  ui::testing::onShown([&](ui::Form& shownForm) {
    shown = &shownForm == &entry && !IsWindowEnabled(f.hwnd());
    EXPECT_TRUE(entry.Text1.Enabled());
    EXPECT_EQ(entry.Text1.Text(), "KW-003/12/2025");
    EXPECT_EQ(entry.Text3.Text(), "");
    vt::test::keyboardType("Citra");
    entry.Text4.SetFocus();
    vt::test::keyboardType("500");
    clickWindow(entry.BSimpan.hwnd());
    clickWindow(entry.BTutup.hwnd());
  });
  clickWindow(f.BTambah.hwnd());
  EXPECT_TRUE(shown);
  EXPECT_EQ(column(3), (std::vector<std::string>{"Citra", "Agus"}));
  // Ubah on a search, then on a date range (its first row a new purpose, Yes to the question).
  search("Sudah Terima Dari", "i");
  for (const std::vector<std::string>& payers : {std::vector<std::string>{"Budi", "Citra"}, {"Agus", "Budi", "Citra"}}) {
    clickRow(1);
    ui::testing::onShown([&](ui::Form&) {
      entry.Text6.Text("");
      entry.Text6.SetFocus();
      vt::test::keyboardType("Pelunasan");
      clickWindow(entry.BSimpan.hwnd());
      clickWindow(entry.BTutup.hwnd());
    });
    clickWindow(f.BUbah.hwnd());
    EXPECT_EQ(column(3), payers);
    EXPECT_EQ(column(6).front(), "Pelunasan");
    f.TglAwal.Value(vb::Date::fromParts(2025, 12, 3));  // to today
    clickWindow(f.BTampil.hwnd());
  }
  // A screenful more, largest amount first, two ticked: the ticks stay, and
  // the receipt just added (the smallest, the last row) is selected, in view.
  for (int i = 10; i < 40; ++i) addReceipt("KW-", std::to_string(i) + "0/12/2025", "Eko", "Rp.", 900, "04/12/2025");
  clickWindow(f.BTampil.hwnd());
  clickHeader(5);
  tick({1, 2});
  ui::testing::onShown([&](ui::Form&) {
    vt::test::keyboardType("Fajar");
    entry.Text4.SetFocus();
    vt::test::keyboardType("1");
    clickWindow(entry.BSimpan.hwnd());
    clickWindow(entry.BTutup.hwnd());
  });
  clickWindow(f.BTambah.hwnd());
  const int n = f.Lv1.ListItems.Count();
  ASSERT_EQ(column(3).back(), "Fajar");
  for (int i = 1; i <= n; ++i) {
    EXPECT_EQ(f.Lv1.ListItems.Item(i).Checked(), i <= 2) << i;
    EXPECT_EQ(f.Lv1.ListItems.Item(i).Selected(), i == n) << i;
  }
  const int top = static_cast<int>(SendMessageW(f.Lv1.hwnd(), LVM_GETTOPINDEX, 0, 0));
  EXPECT_LT(n - 1, top + static_cast<int>(SendMessageW(f.Lv1.hwnd(), LVM_GETCOUNTPERPAGE, 0, 0)));
  // Nothing selected in an empty list: edit does nothing.
  search("No Kwitansi", "zzz");
  freshSeams();
  clickWindow(f.BUbah.hwnd());
  EXPECT_EQ(ui::testing::pendingShown(), 0u);
  EXPECT_TRUE(seams->boxes.empty());
}

}  // namespace

namespace {

// The print commands through the real report engine onto the run's PDF
// printer, read back from the PDF.
class PaperTest : public CommandsTest {
protected:
  void SetUp() override {
    CommandsTest::SetUp();
    if (vt::test::TestPrinter().empty()) GTEST_SKIP() << "this run has no PDF printer";
    // The program folder's templates, and the receipts' words as after the login's upgrade.
    const char* source = std::getenv("VT_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    CreateDirectoryW(ui::Widen(file("temp")).c_str(), nullptr);
    for (const char* name : {"01.rep", "04.rep"}) {
      const std::wstring from = vt::test::WinPathFromUnix(std::string(source) + "/resources/program/temp/" + name);
      ASSERT_TRUE(CopyFileW(from.c_str(), ui::Widen(file("temp\\" + std::string(name))).c_str(), FALSE)) << name;
    }
    exec("ALTER TABLE tblkwitansi ADD COLUMN terbilang memo");
    exec("insert into tblset (namalembaga, templete) values ('SMK Harapan', 'Kwitansi 1 Portrait')");
    setReportViewer(nullptr);
    // The print dialog answers with the run's printer; the pages go to it.
    ui::seams().printDialog = [](ui::PrintDialogRequest& r) {
      r.printerName = vt::test::TestPrinter();
      return true;
    };
    ui::seams().print = ui::RealPrint;
  }
  // Clicks a print button; the preview that opens prints and closes.
  std::string printWith(Button& button) {
    const size_t before = vt::test::PrintedPdfs().size();
    bool previewed = false;
    ui::testing::onShown([&](ui::Form& shown) {
      auto* preview = dynamic_cast<report::PreviewWindow*>(&shown);
      if (!preview) return;
      previewed = true;
      preview->print();
      preview->Unload();
    });
    clickWindow(button.hwnd());
    EXPECT_TRUE(previewed);
    const auto pdfs = vt::test::WaitForPdfs(before, 1);
    return pdfs.size() == 1 ? pdfs[0] : std::string();
  }
};

TEST_F(PaperTest, TickedReceiptsOnePerPageInNumberOrder) {
  fiveReceipts();
  open();
  clickHeader(3);  // Agus 005, Budi 004, Citra 003, Dewi 002, Eko 001
  tick({1, 3, 4});
  const std::string pdf = printWith(data().BCetak);
  ASSERT_FALSE(pdf.empty());
  EXPECT_EQ(vt::test::PdfPages(pdf), 3);
  const std::string text = vt::test::PdfText(pdf);
  // Pages apart by form feeds, each with its one receipt.
  std::vector<std::string> pages;
  size_t start = 0;
  for (size_t ff; (ff = text.find('\f', start)) != std::string::npos; start = ff + 1) pages.push_back(text.substr(start, ff - start));
  if (start < text.size() && text.find_first_not_of(" \r\n", start) != std::string::npos) pages.push_back(text.substr(start));
  ASSERT_EQ(pages.size(), 3u) << text;
  const char* expected[] = {"002/12/2025", "003/12/2025", "005/12/2025"};
  const char* payers[] = {"Dewi", "Citra", "Agus"};
  for (size_t p = 0; p < 3; ++p) {
    EXPECT_NE(pages[p].find(std::string("KW-") + expected[p]), std::string::npos) << pages[p];
    EXPECT_NE(pages[p].find(payers[p]), std::string::npos) << pages[p];
  }
  for (const char* absent : {"001/12/2025", "004/12/2025", "Eko", "Budi"})
    EXPECT_EQ(text.find(absent), std::string::npos) << absent;
  EXPECT_TRUE(seams->boxes.empty());
}

TEST_F(PaperTest, PeriodReportWithItsPeriodAndTotals) {
  addReceipt("KW-", "001/12/2025", "Agus", "Rp.", 150000, "01/12/2025", "SPP");
  addReceipt("KW-", "002/12/2025", "Budi", "USD", 40, "02/12/2025", "Buku");
  addReceipt("KW-", "003/12/2025", "Citra", "Rp.", 75000, "05/12/2025", "Seragam");
  addReceipt("KW-", "004/11/2025", "Dewi", "Rp.", 9000, "30/11/2025", "Lama");
  groupAsAnotherPC("001/12/2025");
  open();
  FrmData& f = data();
  f.TglAwal.Value(vb::Date::fromParts(2025, 12, 1));
  const std::string pdf = printWith(f.BCetak2);
  ASSERT_FALSE(pdf.empty());
  const std::string text = vt::test::PdfText(pdf);
  const std::string december = vb::currentLocale().monthNames[11];
  EXPECT_NE(text.find("Periode : 01 " + december + " 2025 - 05 " + december + " 2025"), std::string::npos) << text;
  for (const char* number : {"KW-001/12/2025", "KW-002/12/2025", "KW-003/12/2025"})
    EXPECT_NE(text.find(number), std::string::npos) << number;
  EXPECT_EQ(text.find("004/11/2025"), std::string::npos);
  EXPECT_NE(text.find("Total Rp. (2 kwitansi)"), std::string::npos) << text;
  EXPECT_NE(text.find(amount(150000)), std::string::npos) << text;
  EXPECT_NE(text.find(amount(225000)), std::string::npos) << text;
  EXPECT_NE(text.find("Total USD (1 kwitansi)"), std::string::npos) << text;
  EXPECT_TRUE(seams->boxes.empty());
}

}  // namespace
