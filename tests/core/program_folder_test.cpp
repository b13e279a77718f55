// The program in a folder whose name is not plain ASCII, or holds an
// apostrophe: start-up, login, the settings logo, backup and restore all reach
// the files of that folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/frmlogin.h"
#include "core/mdiform1.h"
#include "core/module1.h"
#include "core/program_fixture.h"
#include "platform/db/connection.h"
#include "platform/db/schema.h"
#include "platform/image/picture.h"
#include "platform/ui/app.h"
#include "platform/ui/testing.h"
#include "platform/ui/win_util.h"
#include "receipts/frmseting.h"

namespace {

using ui::testing::clickWindow;

std::filesystem::path wide(const std::string& utf8) { return std::filesystem::path(ui::Widen(utf8)); }

class ProgramFolderTest : public vt::test::ProgramTest, public ::testing::WithParamInterface<const char*> {
protected:
  ProgramFolderTest() : ProgramTest(GetParam()) {}
  Frmlogin& login() { return ui::Default<Frmlogin>(); }
  MDIForm1& main() { return ui::Default<MDIForm1>(); }
};

TEST_P(ProgramFolderTest, EveryFileOfTheFolderIsReached) {
  exec("insert into tblset (namalembaga) values ('SMK Harapan')");
  // Start-up: the database opens, the upgrade records the folder as it is named.
  login().Show();
  pump();
  ASSERT_FALSE(ui::App::get().Ended());
  EXPECT_TRUE(seams->boxes.empty());
  EXPECT_EQ(login().Caption(), "Vantorel V1.7 Build 28092025 [ SMK Harapan ]");
  EXPECT_EQ(scalar("select lokasi from tblset"), folder());

  // Login.
  login().Txtkodeuser.Text("ADMIN");
  login().Txtpassword.Text("admin");
  clickWindow(login().Command1.hwnd());
  ASSERT_TRUE(main().Visible());
  EXPECT_TRUE(seams->boxes.empty());

  // The settings logo: chosen from the folder, saved into images, shown again.
  const std::string chosen = vt::test::writePicture(file("logo baru é.png"), 90, 45, RGB(200, 30, 30));
  FrmSeting& seting = ui::Default<FrmSeting>();
  seams->fileAnswers.push_back(chosen);
  ui::testing::onShown([&](ui::Form&) {
    clickWindow(seting.BOpen.hwnd());
    clickWindow(seting.BSimpan.hwnd());
    clickWindow(seting.Btutup.hwnd());
  });
  seting.ShowModal();
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, "Data Berhasil Disimpan");
  EXPECT_EQ(img::Picture::load(file("images\\logo.jpg")).width(), 90);
  EXPECT_EQ(seting.Image1.Picture().width(), 90);  // its next load read it back

  // Backup into the folder, twice: the second replaces the first.
  const std::string copy = file("Cadangan Dévi.mdb");
  for (int round = 0; round < 2; ++round) {
    freshSeams();
    seams->fileAnswers.push_back(copy);
    main().RibbonBar1_ButtonClick("6", "Backup");
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].prompt, "File Berhasil Di backup " + copy);
  }
  Module1::koneksi->execute("insert into tblcustomer (nama) values ('Sesudah backup')");

  // Restore from it: the customer added after the backup is gone.
  freshSeams();
  seams->fileAnswers.push_back(copy);
  main().RibbonBar1_ButtonClick("7", "Restore");
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, "Restore Sukses");
  EXPECT_EQ(scalar("select count(*) from tblcustomer"), "0");

  // Nothing else was left in the folder: no temporary files, no stray names.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(wide(folder())))
    names.push_back(ui::Narrow(entry.path().filename().wstring()));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Cadangan Dévi.mdb", "base.mdb", "images", "logo baru é.png"}));
}

// A new database is never made over a file already there, found by the same
// name the database would open.
TEST_P(ProgramFolderTest, NewDatabaseLeavesAnExistingFileAlone) {
  const std::string path = file("kosong é.mdb");
  std::ofstream(wide(path), std::ios::binary);
  EXPECT_THROW(db::createProgramDatabase(path), vb::Error);
  EXPECT_EQ(std::filesystem::file_size(wide(path)), 0u);
}

INSTANTIATE_TEST_SUITE_P(Folders, ProgramFolderTest, ::testing::Values("Kwitansi Dévi", "Data O'Brien"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return info.index == 0 ? std::string("NonAscii") : std::string("Apostrophe");
                         });

}  // namespace
