// The customer report dialog: column sort, the rows it hands to the report,
// the empty-list messages and the layout after a resize.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "core/module1.h"
#include "customer_fixture.h"
#include "customers/lapdatacustomer.h"
#include "customers/mahasiswa.h"
#include "platform/ui/testing.h"
#include "platform/ui/win_util.h"
#include "platform/vb/error.h"
#include "support/file_dialog_user.h"
#include "support/print_support.h"
#include "support/win_test_support.h"

namespace customers_test {
namespace {

using ui::testing::clickWindow;

class LapDataCustomerTest : public CustomerTest {
protected:
  LapDataCustomer& dlg() { return ui::Default<LapDataCustomer>(); }
  void showModal(const std::function<void(LapDataCustomer&)>& steps) {
    ui::testing::onShown([&](ui::Form&) {
      steps(dlg());
      if (dlg().Loaded()) clickWindow(dlg().Button2.hwnd());
    });
    dlg().ShowModal();
  }
  // A click on a column heading, as the list reports it.
  void clickHeading(int index) { dlg().Lv1_ColumnClick(dlg().Lv1.ColumnHeaders.Item(index)); }
  std::vector<std::string> icons() {
    std::vector<std::string> out;
    for (int i = 1; i <= dlg().Lv1.ColumnHeaders.Count(); ++i) out.push_back(dlg().Lv1.ColumnHeaders.Item(i).Icon());
    return out;
  }
  void addThree() {
    add({{"CUST00002", "Budi", "Jl. B", "0812", "b@contoh.id", "PT B"},
         {"CUST00001", "Citra", "Jl. C", "0813", "c@contoh.id", "PT C"},
         {"CUST00003", "Ani", "Jl. A", "0811", "a@contoh.id", "PT A"}});
  }
};

TEST(Mahasiswa, NineTextsKeptAsWritten) {
  mahasiswa m;
  for (int n = 1; n <= 9; ++n) EXPECT_EQ(m.baris(n), "") << n;
  const std::string values[] = {"CUST00001", " Ani ", "Jl. O'Neil", "", "a@b", "PT\r\nSatu", "7", "8", "9"};
  for (int n = 1; n <= 9; ++n) m.baris(n, values[n - 1]);
  EXPECT_EQ(m.baris1(), values[0]);
  EXPECT_EQ(m.baris2(), values[1]);
  EXPECT_EQ(m.baris3(), values[2]);
  EXPECT_EQ(m.baris4(), values[3]);
  EXPECT_EQ(m.baris5(), values[4]);
  EXPECT_EQ(m.baris6(), values[5]);
  EXPECT_EQ(m.baris7(), values[6]);
  EXPECT_EQ(m.baris8(), values[7]);
  EXPECT_EQ(m.baris9(), values[8]);
  m.baris4("0812");
  EXPECT_EQ(m.baris(4), "0812");
  EXPECT_EQ(m.baris(5), "a@b");
}

TEST_F(LapDataCustomerTest, HeadingClicksSortUpAndDownAndClearTheOtherIcons) {
  addThree();
  showModal([&](LapDataCustomer& f) {
    // Stored order: by the first column.
    EXPECT_EQ(column(f.Lv1, 2), (std::vector<std::string>{"Budi", "Citra", "Ani"}));
    struct Step {
      int heading;
      std::vector<std::string> names, numbers, icons;
    };
    const Step steps[] = {
        {3, {"Ani", "Budi", "Citra"}, {"3", "1", "2"}, {"", "", "down", "", "", "", ""}},
        {3, {"Citra", "Budi", "Ani"}, {"2", "1", "3"}, {"", "", "up", "", "", "", ""}},
        {3, {"Ani", "Budi", "Citra"}, {"3", "1", "2"}, {"", "", "down", "", "", "", ""}},
        {2, {"Citra", "Budi", "Ani"}, {"2", "1", "3"}, {"", "down", "", "", "", "", ""}},
        {5, {"Ani", "Budi", "Citra"}, {"3", "1", "2"}, {"", "", "", "", "down", "", ""}},
        {5, {"Citra", "Budi", "Ani"}, {"2", "1", "3"}, {"", "", "", "", "up", "", ""}},
    };
    for (const Step& s : steps) {
      clickHeading(s.heading);
      EXPECT_EQ(column(f.Lv1, 2), s.names) << s.heading;
      // The running numbers move with their rows.
      EXPECT_EQ(column(f.Lv1, 0), s.numbers) << s.heading;
      EXPECT_EQ(icons(), s.icons) << s.heading;
    }
    // A search afterwards lists in the statement's order, numbered afresh.
    f.Text1.Text("Jl.");
    clickWindow(f.Button5.hwnd());
    EXPECT_EQ(column(f.Lv1, 2), (std::vector<std::string>{"Budi", "Citra", "Ani"}));
    EXPECT_EQ(column(f.Lv1, 0), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(column(f.Lv1, 4), (std::vector<std::string>{"0812", "0813", "0811"}));
  });
}

TEST_F(LapDataCustomerTest, ReportRowsFollowTheShownOrder) {
  addThree();
  showModal([&](LapDataCustomer& f) {
    clickHeading(3);
    clickHeading(3);  // by name, descending
    const auto rows = f.daftarBaris();
    ASSERT_EQ(rows->Count(), 3);
    EXPECT_EQ(rows->Keys(), (std::vector<std::string>{"1", "2", "3"}));
    const std::vector<std::vector<std::string>> expected = {
        {"CUST00001", "Citra", "Jl. C", "0813", "c@contoh.id", "PT C"},
        {"CUST00002", "Budi", "Jl. B", "0812", "b@contoh.id", "PT B"},
        {"CUST00003", "Ani", "Jl. A", "0811", "a@contoh.id", "PT A"}};
    for (int i = 1; i <= 3; ++i) {
      const auto row = rowOf(*rows, std::to_string(i));
      ASSERT_TRUE(row);
      for (int n = 1; n <= 6; ++n) EXPECT_EQ(row->baris(n), expected[static_cast<size_t>(i - 1)][static_cast<size_t>(n - 1)]);
      for (int n = 7; n <= 9; ++n) EXPECT_EQ(row->baris(n), "");
    }
  });
}

TEST_F(LapDataCustomerTest, EmptyListSaysSoForPrintAndExport) {
  struct Case {
    Button LapDataCustomer::*button;
    const char* prompt;
    const char* title;
  };
  const Case cases[] = {{&LapDataCustomer::Button1, "Tidak ada data yang bisa ditampilkan", "Preview"},
                        {&LapDataCustomer::Button3, "No data to export", "Lap Data Customer"}};
  showModal([&](LapDataCustomer& f) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.prompt);
      freshSeams();
      clickWindow((f.*c.button).hwnd());
      ASSERT_EQ(seams->boxes.size(), 1u);
      expectBox(0, c.prompt, ui::vbInformation, c.title);
      EXPECT_TRUE(seams->fileDialogs.empty());
    }
  });
}

// What xlrd, a reader nobody here wrote, finds in a file: "kind:value" by
// "row,column".
std::map<std::string, std::string> readBack(const std::string& unixFile) {
  const char* source = std::getenv("VT_SOURCE_DIR");
  const std::string out = unixFile + ".txt";
  std::map<std::string, std::string> cells;
  if (!source || !vt::test::RunUnix("/usr/bin/python3 '" + std::string(source) + "/tests/customers/read_xls.py' '" + unixFile +
                                    "' '" + out + "'"))
    return cells;
  std::ifstream in(std::filesystem::path(vt::test::WinPathFromUnix(out)));
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string r, c, kind, value;
    std::getline(fields, r, '\t');
    std::getline(fields, c, '\t');
    std::getline(fields, kind, '\t');
    std::getline(fields, value);
    cells[r + "," + c] = kind + ":" + value;
  }
  return cells;
}

TEST_F(LapDataCustomerTest, ExportWritesTheShownRowsKeepingLeadingZeros) {
  if (!std::getenv("VT_SOURCE_DIR")) GTEST_SKIP() << "run through ctest";
  add({{"CUST00001", "Ani", "Jl. A", "0811-22", "a@contoh.id", "00123"},
       {"CUST00002", "Budi", "Jl. B", "08123", "b@contoh.id", "PT B"}});
  const std::string dir = "/tmp/vt-customers-export-" + std::to_string(GetCurrentProcessId());
  const std::wstring winDir = vt::test::WinPathFromUnix(dir);
  CreateDirectoryW(winDir.c_str(), nullptr);
  const std::string chosen = ui::Narrow(winDir) + "\\data.xls";
  const std::string failed = "Terjadi kesalahan saat menyimpan file.";
  showModal([&](LapDataCustomer& f) {
    clickHeading(3);
    clickHeading(3);  // by name, descending: Budi first
    // A cancel says nothing and writes nothing.
    seams->fileAnswers.push_back(std::nullopt);
    clickWindow(f.Button3.hwnd());
    EXPECT_TRUE(seams->boxes.empty());
    // A folder that is not there: said, not passed over.
    seams->fileAnswers.push_back(ui::Narrow(winDir) + "\\tidak-ada\\data");
    clickWindow(f.Button3.hwnd());
    ASSERT_EQ(seams->boxes.size(), 1u);
    expectBox(0, failed, ui::vbExclamation, "Lap Data Customer");
    // A save dialog; the name chosen keeps the ".xls" typed, without a second one.
    seams->fileAnswers.push_back(chosen);
    clickWindow(f.Button3.hwnd());
    ASSERT_EQ(seams->boxes.size(), 2u);
    expectBox(1, "Export Completed", ui::vbInformation, "Lap Data Customer");
    ASSERT_EQ(seams->fileDialogs.size(), 3u);
    EXPECT_TRUE(seams->fileDialogs[2].save);
    EXPECT_EQ(seams->fileDialogs[2].defaultExt, "xls");
    // Then shown in the program that opens it.
    ASSERT_EQ(seams->shells.size(), 1u);
    EXPECT_EQ(seams->shells[0].file, chosen);

    // A save dialog that fails, and a saved file that no program opens (the
    // shell's result is 32 or less): both said, as the register's export does.
    freshSeams();
    ui::seams().fileDialog = [](ui::FileDialogRequest&) -> bool { vb::raise(vb::err::OutOfMemory); };
    clickWindow(f.Button3.hwnd());
    ASSERT_EQ(seams->boxes.size(), 1u);
    expectBox(0, failed, ui::vbExclamation, "Lap Data Customer");
    EXPECT_TRUE(seams->shells.empty());
    freshSeams();
    seams->fileAnswers.push_back(chosen);
    ui::seams().shellExecute = [&](const ui::ShellRequest& r) {
      seams->shells.push_back(r);
      return intptr_t{31};
    };
    clickWindow(f.Button3.hwnd());
    EXPECT_EQ(prompts(), (std::vector<std::string>{"Export Completed", failed}));
    if (seams->boxes.size() == 2) {
      expectBox(1, failed, ui::vbExclamation, "Lap Data Customer");
    }
  });
  EXPECT_EQ(GetFileAttributesW(ui::Widen(chosen + ".xls").c_str()), INVALID_FILE_ATTRIBUTES);
  const auto cells = readBack(dir + "/data.xls");
  const std::map<std::string, std::string> expected = {
      {"1,1", "text:No"},           {"1,2", "text:ID Customer"}, {"1,3", "text:Nama Lengkap"},
      {"1,4", "text:Alamat"},       {"1,5", "text:No. Telp"},    {"1,6", "text:Alamat Email"},
      {"1,7", "text:Perusahaan"},   {"2,1", "text:2"},           {"2,2", "text:CUST00002"},
      {"2,3", "text:Budi"},         {"2,4", "text:Jl. B"},       {"2,5", "text:08123"},
      {"2,6", "text:b@contoh.id"},  {"2,7", "text:PT B"},        {"3,1", "text:1"},
      {"3,2", "text:CUST00001"},    {"3,3", "text:Ani"},         {"3,4", "text:Jl. A"},
      {"3,5", "text:0811-22"},      {"3,6", "text:a@contoh.id"},
      // The company column takes the spreadsheet's own reading of a number.
      {"3,7", "number:123"}};
  EXPECT_EQ(cells, expected);
  vt::test::RunUnix("rm -rf '" + dir + "'");
}

// The export's real save dialog: titled as one, it adds ".xls" to the name
// typed and asks before it replaces that file; No keeps the old file.
TEST_F(LapDataCustomerTest, ExportAsksBeforeReplacingAFile) {
  addThree();
  const std::string report = file("laporan.xls");
  std::ofstream(std::filesystem::path(ui::Widen(report)), std::ios::binary) << "lama";
  auto content = [&] {
    std::ifstream in(std::filesystem::path(ui::Widen(report)), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  };
  vt::test::FileDialogUser refused, replaced;
  refused.shots = "customer-export";
  refused.type(file("laporan")).answer(IDNO).cancel();
  replaced.type(file("laporan")).answer(IDYES);
  showModal([&](LapDataCustomer& f) {
    for (vt::test::FileDialogUser* user : {&refused, &replaced}) {
      freshSeams();
      ui::seams().fileDialog = ui::RealFileDialog;
      user->start();
      clickWindow(f.Button3.hwnd());
      user->finish();
    }
  });
  for (vt::test::FileDialogUser* user : {&refused, &replaced}) {
    std::string problems;
    for (const std::string& p : user->problems) problems += p + "; ";
    EXPECT_TRUE(user->problems.empty()) << problems;
    EXPECT_EQ(user->questions.size(), 1u);
  }
  EXPECT_EQ(refused.titles, (std::vector<std::string>{"Save As", "Save As"}));
  ASSERT_EQ(seams->boxes.size(), 1u);
  expectBox(0, "Export Completed", ui::vbInformation, "Lap Data Customer");
  const std::string replacedWith = content();
  EXPECT_EQ(replacedWith.compare(0, 4, "\xD0\xCF\x11\xE0"), 0) << "a workbook replaced the old file";
}

// A list longer than a sheet holds is refused with the reason, before any
// file is asked for.
TEST_F(LapDataCustomerTest, ExportRefusesAListLongerThanASheet) {
  addMany(65536);
  showModal([&](LapDataCustomer& f) {
    ASSERT_EQ(f.Lv1.ListItems.Count(), 65536);
    clickWindow(f.Button3.hwnd());
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation);
    EXPECT_EQ(seams->boxes[0].title, "Lap Data Customer");
    EXPECT_NE(seams->boxes[0].prompt.find("terlalu panjang"), std::string::npos) << seams->boxes[0].prompt;
    EXPECT_NE(seams->boxes[0].prompt.find("537 baris"), std::string::npos) << seams->boxes[0].prompt;
    EXPECT_TRUE(seams->fileDialogs.empty());
  });
}

TEST_F(LapDataCustomerTest, ResizeFollowsTheWindow) {
  addThree();
  showModal([&](LapDataCustomer& f) {
    for (const std::pair<int, int>& size : {std::pair<int, int>{15000, 9000}, {11000, 7000}, {16500, 11000}}) {
      f.Move(f.Left(), f.Top(), size.first, size.second);
      pump();
      const int W = f.Width(), H = f.Height();
      SCOPED_TRACE(std::to_string(W) + " x " + std::to_string(H));
      EXPECT_EQ(f.Frame1.Width(), W - 200);
      EXPECT_EQ(f.Frame4.Width(), W - 200);
      EXPECT_EQ(f.Lv1.Width(), W - 400);
      EXPECT_EQ(f.Frame4.Height(), H - 1000);
      EXPECT_EQ(f.Frame1.Top(), H - 1000);
      EXPECT_EQ(f.Lv1.Height(), f.Frame4.Height() - 1200);
      EXPECT_EQ(f.Label7.Top(), f.Lv1.Top() + f.Lv1.Height());
      EXPECT_EQ(f.Button2.Left(), W - 1700);
      // What the user sees stays inside the window.
      EXPECT_LE(f.Label7.Top() + f.Label7.Height(), f.Frame4.Height());
      EXPECT_LE(f.Frame1.Top() + f.Frame1.Height(), f.ScaleHeight());
    }
    // Too small for the list: the steps that would go negative are skipped.
    const int listH = f.Lv1.Height();
    f.Move(f.Left(), f.Top(), 3000, 1800);
    pump();
    EXPECT_EQ(f.Lv1.Height(), listH);
    EXPECT_TRUE(f.Visible());
  });
}

// Both frames show whole, at the designed size and larger: their outlines
// along all four edges, their captions unhidden, nothing past the window.
TEST_F(LapDataCustomerTest, FramesShowWhole) {
  addThree();
  showModal([&](LapDataCustomer& f) {
    SetForegroundWindow(f.hwnd());
    HFONT font = ui::FontFor(f.Font());
    for (const int grow : {0, 3000}) {
      SCOPED_TRACE(grow);
      // Kept on the screen, whose pixels are what the test reads.
      if (grow) f.Move(0, 0, f.Width() + grow, f.Height() + grow);
      ui::testing::pumpFor(200);
      EXPECT_EQ(vt::test::FrameShowsWhole(f.Frame4.hwnd(), font, L"Data Customer"), "");
      EXPECT_EQ(vt::test::FrameShowsWhole(f.Frame1.hwnd(), font, L"Proses"), "");
      // Its commands inside it.
      for (Button* b : {&f.Button1, &f.Button3, &f.Button2}) {
        EXPECT_GE(b->Top(), 0);
        EXPECT_LE(b->Top() + b->Height(), f.Frame1.Height());
        EXPECT_LE(b->Left() + b->Width(), f.Frame1.Width());
      }
    }
    EXPECT_TRUE(vt::test::screenshot(f.hwnd(), "customer_report_frames.png"));
  });
}

TEST_F(LapDataCustomerTest, Screenshot) {
  add({{"CUST00001", "Ani Suryani", "Jl. Melati No. 1, Bandung", "0811-2233-4455", "ani@contoh.id", "Guru"},
       {"CUST00002", "Budi Santoso", "Jl. Kenanga 2, Cimahi", "0812-9876-5432", "budi@contoh.id", "Wiraswasta"},
       {"CUST00003", "Citra Lestari", "Komplek Griya Asri B-7", "022-555-1234", "citra@contoh.id", "PT Nusantara"},
       {"CUST00004", "Dedi Kurniawan", "Jl. Sudirman 45", "0813-1111-2222", "dedi@contoh.id", "CV Maju"}});
  showModal([&](LapDataCustomer& f) {
    clickHeading(3);
    clickHeading(3);
    EXPECT_TRUE(vt::test::screenshot(f.hwnd(), "customer_report_dialog.png"));
  });
}

}  // namespace
}  // namespace customers_test
