// The register's export: the file written, read back by a program nobody
// here wrote, and the ways an export ends without one.
#include "receipts/frmdata_fixture.h"

#include <filesystem>
#include <fstream>

#include "core/module1.h"
#include "platform/ui/app.h"
#include "platform/ui/win_util.h"
#include "platform/vb/error.h"
#include "platform/vb/text.h"
#include "support/file_dialog_user.h"

namespace {

using ui::testing::clickWindow;
using vt::test::RegisterTest;

class ExportTest : public RegisterTest {
protected:
  bool exists(const std::string& path) {
    return GetFileAttributesW(ui::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  void expectOnlyBox(const std::string& prompt, int flags) {
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].prompt, prompt);
    EXPECT_EQ(seams->boxes[0].flags, flags);
    EXPECT_EQ(seams->boxes[0].title, "Fram Data Transksi Kwitansi");
  }
  static void write(const std::string& path, const std::string& content) {
    std::ofstream(std::filesystem::path(ui::Widen(path)), std::ios::binary) << content;
  }
  static std::string read(const std::string& path) {
    std::ifstream in(std::filesystem::path(ui::Widen(path)), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  // Recorded seams, but the real file dialog, worked by the user's steps
  // while the export waits for it.
  void exportThrough(vt::test::FileDialogUser& user) {
    freshSeams();
    ui::seams().fileDialog = ui::RealFileDialog;
    user.start();
    clickWindow(data().BExport.hwnd());
    user.finish();
    std::string problems;
    for (const std::string& p : user.problems) problems += p + "; ";
    EXPECT_TRUE(user.problems.empty()) << problems;
  }
};

TEST_F(ExportTest, WritesTheListCellForCell) {
  // More than 8 KB of texts, one of them longer than a record of the file.
  const std::string longPurpose = "Pembayaran angsuran uang gedung tahap pertama; " + std::string(9000, 'x') + " akhir";
  addReceipt("", "001/12/2025", "Dian O'Brien", "Rp.", 1250000, "05/12/2025", "SPP Desember", "Bandung", "Ani");
  addReceipt("KW-", "002/12/2025", "Dévi Ŝantoso", "USD", 300, "05/12/2025", longPurpose, "Bogor", "0123");
  addReceipt("KW/", "003/12/2025", "Rina\tTab", "Rp.", 75000, "05/12/2025", "Baris satu\r\nbaris dua", "Jakarta",
             "Rudi");
  groupAsAnotherPC("001/12/2025");
  open();
  FrmData& f = data();
  EXPECT_EQ(column(5).front(), amount(1250000));
  clickHeader(3);  // the list's order, not the query's, is exported
  const std::string chosen = file("Ekspor Kwitansi");
  seams->fileAnswers.push_back(chosen);
  clickWindow(f.BExport.hwnd());
  expectOnlyBox("Export selesai", ui::vbInformation);
  ASSERT_EQ(seams->fileDialogs.size(), 1u);
  EXPECT_TRUE(seams->fileDialogs[0].save);
  const std::string written = chosen + ".xls";
  ASSERT_TRUE(exists(written));
  // The saved workbook is opened for the user.
  ASSERT_EQ(seams->shells.size(), 1u);
  EXPECT_EQ(seams->shells[0].file, written);
  EXPECT_EQ(seams->shells[0].verb, "");

  const Sheet sheet = readBack(written);
  ASSERT_FALSE(sheet.empty()) << "python3-xlrd could not read " << written;
  EXPECT_EQ(sheet.at({0, 1}).value, "1");
  EXPECT_EQ(sheet.at({0, 0}).value, "4x9");
  const char* headers[] = {"##", "No Kwitansi", "Sudah Terima dari", "Mata Uang", "Jumlah", "Untuk Pembayaran",
                           "Tempat Terima", "Tgl Diterima", "Penerima"};
  for (int c = 1; c <= 9; ++c) {
    EXPECT_EQ(sheet.at({1, c}).kind, "text") << c;
    EXPECT_EQ(sheet.at({1, c}).value, headers[c - 1]) << c;
  }
  const Rows list = rows();
  for (int r = 2; r <= 4; ++r) {
    for (int c = 1; c <= 9; ++c) {
      SCOPED_TRACE("row " + std::to_string(r) + " column " + std::to_string(c));
      const auto it = sheet.find({r, c});
      ASSERT_NE(it, sheet.end());
      const std::string& shown = list[static_cast<size_t>(r - 2)][static_cast<size_t>(c - 1)];
      // The receipt date is a date; "0123" a number as typed in; the rest
      // (running number, receipt number, grouped amount) the list's texts.
      const std::string kind = c == 8 ? "date" : (c == 9 && shown == "0123") ? "number" : "text";
      EXPECT_EQ(it->second.kind, kind);
      EXPECT_EQ(it->second.value, kind == "number" ? "123.0" : shown);
    }
  }
  EXPECT_EQ(sheet.at({3, 2}).value, "001/12/2025");
  EXPECT_EQ(sheet.at({2, 6}).value, longPurpose);

  // LibreOffice shows the same cells (a line break inside a cell as LF alone).
  const auto csv = readBackCsv(written);
  ASSERT_EQ(csv.size(), 4u) << "LibreOffice could not convert " << written;
  for (int c = 1; c <= 9; ++c) EXPECT_EQ(csv[0][static_cast<size_t>(c - 1)], headers[c - 1]);
  for (size_t r = 1; r < 4; ++r) {
    ASSERT_EQ(csv[r].size(), 9u) << r;
    for (size_t c = 0; c < 9; ++c) {
      const std::string shown = vb::Replace(list[r - 1][c], "\r\n", "\n");
      EXPECT_EQ(csv[r][c], shown == "0123" ? "123" : shown) << "row " << r + 1 << " column " << c + 1;
    }
  }
}

TEST_F(ExportTest, EndsWithoutAFileWhenCancelledEmptyOrUnwritable) {
  addReceipt("KW-", "001/12/2025", "Ani", "Rp.", 1000, "05/12/2025");
  open();
  FrmData& f = data();

  // Cancelled: nothing written, nothing said.
  clickWindow(f.BExport.hwnd());
  EXPECT_EQ(seams->fileDialogs.size(), 1u);
  EXPECT_TRUE(seams->boxes.empty());
  EXPECT_TRUE(seams->shells.empty());
  EXPECT_FALSE(exists(".xls"));

  // A folder that is not there.
  freshSeams();
  seams->fileAnswers.push_back(file("tidak ada\\Ekspor"));
  clickWindow(f.BExport.hwnd());
  expectOnlyBox("Terjadi kesalahan saat menyimpan file.", ui::vbExclamation);
  EXPECT_TRUE(seams->shells.empty());
  EXPECT_FALSE(exists(file("tidak ada\\Ekspor.xls")));

  // A file another program holds open: it stays as it was.
  const std::string held = file("Terbuka.xls");
  { std::ofstream(std::filesystem::path(ui::Widen(held)), std::ios::binary) << "lama"; }
  HANDLE h = CreateFileW(ui::Widen(held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  freshSeams();
  seams->fileAnswers.push_back(held);  // ".xls" typed already is not doubled
  clickWindow(f.BExport.hwnd());
  CloseHandle(h);
  expectOnlyBox("Terjadi kesalahan saat menyimpan file.", ui::vbExclamation);
  std::ifstream in(std::filesystem::path(ui::Widen(held)), std::ios::binary);
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, "lama");
  WIN32_FIND_DATAW found{};
  HANDLE finder = FindFirstFileW(ui::Widen(file("*.xls*")).c_str(), &found);
  int files = 0;
  if (finder != INVALID_HANDLE_VALUE) {
    do ++files;
    while (FindNextFileW(finder, &found));
    FindClose(finder);
  }
  EXPECT_EQ(files, 1) << "no temporary file is left beside it";

  // A save dialog that fails: said, nothing written.
  freshSeams();
  ui::seams().fileDialog = [](ui::FileDialogRequest&) -> bool { vb::raise(vb::err::OutOfMemory); };
  clickWindow(f.BExport.hwnd());
  expectOnlyBox("Terjadi kesalahan saat menyimpan file.", ui::vbExclamation);
  EXPECT_TRUE(seams->shells.empty());

  // Saved, but no program opens it (the shell's result is 32 or less): said
  // after the export's own message.
  for (const intptr_t result : {0, 2, 31, 32, 33}) {
    SCOPED_TRACE(result);
    freshSeams();
    seams->fileAnswers.push_back(file("Tanpa Program.xls"));
    ui::seams().shellExecute = [&](const ui::ShellRequest& r) {
      seams->shells.push_back(r);
      return result;
    };
    clickWindow(f.BExport.hwnd());
    EXPECT_EQ(seams->shells.size(), 1u);
    std::vector<std::string> said;
    for (const ui::testing::MsgBoxCall& box : seams->boxes) {
      said.push_back(box.prompt);
      EXPECT_EQ(box.title, "Fram Data Transksi Kwitansi");
    }
    std::vector<std::string> expected{"Export selesai"};
    if (result <= 32) expected.push_back("Terjadi kesalahan saat menyimpan file.");
    EXPECT_EQ(said, expected);
    if (said.size() == 2) {
      EXPECT_EQ(seams->boxes[1].flags, ui::vbExclamation);
    }
  }

  // An empty list.
  search("No Kwitansi", "zzz");
  freshSeams();
  clickWindow(f.BExport.hwnd());
  expectOnlyBox("Tidak ada data untuk diekspor", ui::vbInformation);
  EXPECT_TRUE(seams->fileDialogs.empty());
}

// The real save dialog: it adds ".xls" to the name typed and asks before it
// replaces a file of that name; No keeps the old file and the dialog.
TEST_F(ExportTest, SaveDialogAsksBeforeReplacingAFile) {
  addReceipt("KW-", "001/12/2025", "Ani", "Rp.", 1000, "05/12/2025");
  open();
  const std::string report = file("laporan.xls");
  write(report, "lama");

  vt::test::FileDialogUser refused;
  refused.shots = "register-export";
  refused.type(file("laporan")).answer(IDNO).cancel();
  exportThrough(refused);
  EXPECT_EQ(refused.titles, (std::vector<std::string>{"Save As", "Save As"}));
  EXPECT_EQ(refused.questions.size(), 1u);
  EXPECT_TRUE(read(report) == "lama") << "the old file was replaced";
  EXPECT_TRUE(seams->boxes.empty());
  EXPECT_TRUE(seams->shells.empty());

  vt::test::FileDialogUser replaced;
  replaced.type(file("laporan")).answer(IDYES);
  exportThrough(replaced);
  EXPECT_EQ(replaced.questions.size(), 1u);
  expectOnlyBox("Export selesai", ui::vbInformation);
  EXPECT_EQ(readBack(report).at({0, 0}).value, "2x9");

  // A name typed with another extension gets ".xls" after the dialog, and
  // the same question before that file is replaced.
  const std::string dotted = file("laporan 05.12.2025");
  write(dotted + ".xls", "lama");
  vt::test::FileDialogUser again;
  again.type(dotted).cancel();
  freshSeams();
  seams->answers.push_back(ui::vbNo);
  ui::seams().fileDialog = ui::RealFileDialog;
  again.start();
  clickWindow(data().BExport.hwnd());
  again.finish();
  EXPECT_TRUE(again.problems.empty());
  EXPECT_EQ(again.titles.size(), 2u) << "the dialog is shown again after No";
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, dotted + ".xls sudah ada.\nApakah Anda ingin menggantinya?");
  EXPECT_EQ(seams->boxes[0].flags, ui::vbYesNo | ui::vbExclamation | ui::vbDefaultButton2);
  EXPECT_TRUE(read(dotted + ".xls") == "lama") << "the old file was replaced";
  EXPECT_FALSE(exists(dotted));
}

// A list longer than a sheet holds is refused with the reason, before any
// file is asked for.
TEST_F(ExportTest, AListLongerThanASheetIsRefused) {
  Module1::koneksi->beginTrans();
  for (int i = 1; i <= 65536; ++i)
    Module1::koneksi->execute("insert into tblkwitansi (NoKwitansi, NoPasport, SudahTerima, Matauang, Nominal, tgl) "
                              "values ('" + std::to_string(i) + "', 'KW-', 'Ani', 'Rp.', '1,000', #12/05/2025#)");
  Module1::koneksi->commitTrans();
  open();
  ASSERT_EQ(data().Lv1.ListItems.Count(), 65536);
  clickWindow(data().BExport.hwnd());
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation);
  EXPECT_EQ(seams->boxes[0].title, "Fram Data Transksi Kwitansi");
  const std::string& said = seams->boxes[0].prompt;
  EXPECT_NE(said.find("terlalu panjang"), std::string::npos) << said;
  EXPECT_NE(said.find("65"), std::string::npos) << said;
  EXPECT_NE(said.find("537 baris"), std::string::npos) << said;
  EXPECT_TRUE(seams->fileDialogs.empty());
}

}  // namespace
