// The dispatcher and the commands the main window runs itself: backup,
// restore, reset, wallpaper and the manual.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>

#include "core/frmabout.h"
#include "core/frmlogin.h"
#include "core/frmotoritas.h"
#include "core/mdiform1_fixture.h"
#include "core/module1.h"
#include "customers/frmcustomer.h"
#include "customers/lapdatacustomer.h"
#include "platform/db/recordset.h"
#include "platform/db/schema.h"
#include "platform/ui/app.h"
#include "platform/ui/testing.h"
#include "platform/ui/win_util.h"
#include "platform/vb/locale.h"
#include "receipts/frmdata.h"
#include "receipts/frmkwitansi.h"
#include "receipts/frmseting.h"

namespace mainwin {
namespace {

bool Exists(const std::string& path) { return std::filesystem::exists(std::filesystem::path(ui::Widen(path))); }

class CommandTest : public MainWindowTest {
protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    openAs("ADMIN");
  }
  // Through the real ribbon: the button's tab, then the button.
  void click(const std::string& id) {
    static const std::map<std::string, std::string> tabOf = {
        {"0", "Data"}, {"1", "Data"}, {"2", "Data"}, {"3", "Data"}, {"4", "Admin"}, {"5", "Admin"},
        {"6", "Admin"}, {"7", "Admin"}, {"8", "Admin"}, {"9", "Admin"}, {"10", "About"}, {"12", "About"}};
    clickButton(tabOf.at(id), id);
    pump();
  }
  void addReceipt(const std::string& number) {
    Module1::koneksi->execute("insert into tblkwitansi (NoKwitansi, SudahTerima) values ('" + number + "', 'Budi')");
  }
  std::string receipts() { return programScalar("select count(*) from tblkwitansi"); }
};

// The texts of a window and its children (shown or not) that are a
// designer's default name for a control ("Text1", "Label3", "Combo1", ...).
std::string DesignNames(HWND top) {
  std::string found;
  const auto look = [](HWND h, LPARAM out) CALLBACK -> BOOL {
    static const std::regex name("(Text|Label|Combo|Check|Frame|Command|Option|List|Picture|Image)[0-9]+");
    if (std::regex_match(ui::WindowText(h), name)) *reinterpret_cast<std::string*>(out) += ui::WindowText(h) + " ";
    return TRUE;
  };
  look(top, reinterpret_cast<LPARAM>(&found));
  EnumChildWindows(top, look, reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST_F(CommandTest, EveryIdReachesItsAction) {
  struct Case {
    std::string id;
    std::function<void()> check;
  };
  const Case cases[] = {
      {"0", [this] { EXPECT_TRUE(seams->boxes.empty()); }},
      {"1", [this] { EXPECT_TRUE(seams->boxes.empty()); }},
      // The register opens on a day without receipts: no message.
      {"2", [this] { EXPECT_TRUE(seams->boxes.empty()); }},
      {"3", [this] { EXPECT_TRUE(seams->boxes.empty()); }},
      {"4",
       [this] {
         // Checked inside the modal loop below.
         EXPECT_TRUE(seams->fileDialogs.empty());
       }},
      {"5", [this] { EXPECT_TRUE(seams->boxes.empty()); }},
      {"6",
       [this] {
         ASSERT_EQ(seams->fileDialogs.size(), 1u);
         const auto& d = seams->fileDialogs[0];
         EXPECT_TRUE(d.save);
         // The fixture's clock stands on 5 December 2025.
         EXPECT_EQ(d.fileName, "Backup Kwitansi - 051225.mdb");
         EXPECT_EQ(d.filter, "Database (*.mdb)|*.mdb");
         EXPECT_EQ(d.title, "Tempat Penyimpanan");
       }},
      {"7",
       [this] {
         ASSERT_EQ(seams->fileDialogs.size(), 1u);
         const auto& d = seams->fileDialogs[0];
         EXPECT_FALSE(d.save);
         EXPECT_EQ(d.fileName, "");
         EXPECT_EQ(d.filter, "Database (*.mdb)|*.mdb");
         EXPECT_EQ(d.title, "");
       }},
      {"8",
       [this] {
         ASSERT_EQ(seams->boxes.size(), 1u);
         EXPECT_EQ(seams->boxes[0].prompt, "semua data akan terhapus, yakin anda ingin melakukannya?");
         // No is the default: Enter alone deletes nothing.
         EXPECT_EQ(seams->boxes[0].flags, ui::vbYesNo | ui::vbDefaultButton2);
         EXPECT_EQ(seams->boxes[0].title, "hapus");
       }},
      {"9",
       [this] {
         ASSERT_EQ(seams->fileDialogs.size(), 1u);
         EXPECT_FALSE(seams->fileDialogs[0].save);
         EXPECT_EQ(seams->fileDialogs[0].filter, "Pictures (*.jpg)|*.jpg");
       }},
      {"10", [this] { EXPECT_TRUE(seams->shells.empty()); }},
      {"12",
       [this] {
         ASSERT_EQ(seams->shells.size(), 1u);
         const auto& s = seams->shells[0];
         EXPECT_EQ(s.verb, "");
         EXPECT_EQ(s.file, folder() + "\\panduan.pdf");
         EXPECT_EQ(s.parameters, "");
         EXPECT_EQ(s.directory, "");
         EXPECT_EQ(s.show, SW_SHOWNORMAL);
         EXPECT_EQ(s.owner, nullptr);
         // The shell's answer is not looked at.
         EXPECT_TRUE(seams->boxes.empty());
       }},
  };
  // The dialogs the registry opens, modal with the main window as owner.
  const std::map<std::string, ui::Form*> dialogs = {
      {"0", &ui::Default<FrmKwitansi>()},
      {"1", &ui::Default<FrmCustomer>()},
      {"2", &ui::Default<FrmData>()},
      {"3", &ui::Default<LapDataCustomer>()},
      {"4", &ui::Default<FrmSeting>()},
      {"5", &ui::Default<frmotoritas>()},
      {"10", &ui::Default<frmAbout>()}};
  for (const Case& c : cases) {
    SCOPED_TRACE("ID " + c.id);
    freshSeams();
    seams->answers.push_back(ui::vbNo);  // the reset's question
    const auto dialog = dialogs.find(c.id);
    ui::Form* shown = nullptr;
    if (dialog != dialogs.end()) {
      ui::testing::onShown([&](ui::Form& f) {
        if (f.IsModal() && !IsWindowEnabled(main().hwnd())) shown = &f;
        f.Unload();
      });
    }
    click(c.id);
    c.check();
    EXPECT_EQ(shown, dialog == dialogs.end() ? nullptr : dialog->second);
    EXPECT_EQ(ui::testing::pendingShown(), 0u);
    EXPECT_EQ(seams->ends, 0);
    EXPECT_TRUE(main().Visible());
  }

  // The dialogs still to come, and IDs no button has, do nothing. A number
  // is written with the regional decimal separator.
  const std::string decimal = vb::currentLocale().decimalSep;
  for (const std::string& id : {std::string("11"), std::string("13"), std::string("-1"), "1" + decimal + "5",
                                std::string("x")}) {
    SCOPED_TRACE(std::string("ID ") + id);
    freshSeams();
    main().RibbonBar1_ButtonClick(id, "");
    EXPECT_TRUE(seams->boxes.empty());
    EXPECT_TRUE(seams->fileDialogs.empty());
    EXPECT_TRUE(seams->shells.empty());
  }

  // IDs are compared as numbers: " 4" and "4.0" open the settings.
  for (const auto& [id, dialog] : std::map<std::string, ui::Form*>{
           {" 4", &ui::Default<FrmSeting>()}, {"4" + decimal + "0", &ui::Default<FrmSeting>()}}) {
    SCOPED_TRACE("ID \"" + id + "\"");
    ui::Form* shown = nullptr;
    ui::testing::onShown([&](ui::Form& f) {
      shown = &f;
      f.Unload();
    });
    main().RibbonBar1_ButtonClick(id, "");
    EXPECT_EQ(shown, dialog);
    ui::testing::clearShown();
  }
}

// In a new program folder no window shows a designer's name as its text: the
// login, the main window, and each dialog as it opens and after each step.
TEST_F(CommandTest, NoWindowShowsADesignersPlaceholder) {
  closeAll();
  ASSERT_TRUE(DeleteFileW(ui::Widen(file("base.mdb")).c_str()));
  db::createInstallationDatabase(file("base.mdb"));
  openAs("ADMIN");
  EXPECT_EQ(DesignNames(ui::Default<Frmlogin>().hwnd()) + DesignNames(main().hwnd()), "");
  frmotoritas& users = ui::Default<frmotoritas>();
  const auto press = [](ui::Control& c) { return [&c] { ui::testing::clickWindow(c.hwnd()); }; };
  const auto checkAndClose = [](ui::Form& f) { EXPECT_EQ(DesignNames(f.hwnd()), "") << f.Caption(); f.Unload(); };
  const std::map<std::string, std::vector<std::function<void()>>> steps = {
      // The entry's customer picker; the customer dialog's and the users' Tambah.
      {"0", {[&] { ui::testing::onShown(checkAndClose); press(ui::Default<FrmKwitansi>().Button1)(); }}},
      {"1", {press(ui::Default<FrmCustomer>().Button1)}}, {"2", {}}, {"3", {}}, {"4", {}}, {"10", {}},
      {"5",
       {[&] {  // a click on the first row
          RECT r;
          ListView_GetItemRect(users.Lv1.hwnd(), 0, &r, LVIR_LABEL);
          PostMessageW(users.Lv1.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 4, r.top + 4));
          PostMessageW(users.Lv1.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(r.left + 4, r.top + 4));
          pump();
          EXPECT_EQ(users.Text1.Text(), "ADMIN");
        },
        press(users.Command4)}}};
  for (const auto& [id, after] : steps) {
    SCOPED_TRACE("ID " + id);
    ui::testing::onShown([&](ui::Form& f) {
      pump();
      for (const auto& step : after) {
        EXPECT_EQ(DesignNames(f.hwnd()), "");
        step();
        pump();
      }
      checkAndClose(f);
    });
    click(id);
    EXPECT_EQ(ui::testing::pendingShown(), 0u);
  }
}

TEST_F(CommandTest, BackupThenRestoreBringsTheDatabaseBack) {
  addReceipt("001/12/2025");
  const std::string copy = file("Backup Kwitansi - 051225.mdb");
  seams->fileAnswers.push_back(copy);
  click("6");
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, "File Berhasil Di backup " + copy);
  EXPECT_EQ(seams->boxes[0].flags, ui::vbInformation);
  EXPECT_EQ(seams->boxes[0].title, "Talvoren");
  ASSERT_TRUE(Exists(copy));

  addReceipt("002/12/2025");
  Module1::koneksi->execute("insert into tblcustomer (Nocustomer, nama) values ('CUST00001', 'Ani')");
  EXPECT_EQ(receipts(), "2");

  freshSeams();
  seams->fileAnswers.push_back(copy);
  click("7");
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, "Restore Sukses");
  EXPECT_EQ(seams->boxes[0].flags, ui::vbInformation);
  EXPECT_EQ(seams->boxes[0].title, "talvoren");
  // The running program sees the restored data at once, on its open connection.
  EXPECT_TRUE(Module1::koneksi->isOpen());
  EXPECT_EQ(receipts(), "1");
  EXPECT_EQ(programScalar("select NoKwitansi from tblkwitansi"), "001/12/2025");
  EXPECT_EQ(programScalar("select count(*) from tblcustomer"), "0");
  // So does anyone who opens the file afterwards.
  EXPECT_EQ(scalar("select count(*) from tblkwitansi"), "1");
}

TEST_F(CommandTest, FailedBackupOrRestoreIsReportedNotConfirmed) {
  addReceipt("001/12/2025");
  std::ofstream(std::filesystem::path(ui::Widen(file("notes.mdb"))), std::ios::binary) << "not a database\r\n";
  // An empty file: a database without the program's tables.
  std::ofstream(std::filesystem::path(ui::Widen(file("empty.mdb"))), std::ios::binary);
  // Copies that lack one table the program reads.
  for (const char* table : {"tbladmin", "tblkuitansitemp"}) {
    const std::string partial = file(std::string("tanpa-") + table + ".mdb");
    db::createProgramDatabase(partial);
    auto cn = db::Connection::create();
    cn->open("Data Source=" + partial);
    cn->execute(std::string("DROP TABLE ") + table);
    cn->close();
  }
  struct Case {
    std::string name, id, chosen;
    std::string message;  // the start of the one message shown
    std::string title;
  };
  const Case cases[] = {
      {"restore from a text file", "7", file("notes.mdb"), "Restore gagal", "talvoren"},
      {"restore from an empty file", "7", file("empty.mdb"), "Restore gagal", "talvoren"},
      {"restore from a copy without tbladmin", "7", file("tanpa-tbladmin.mdb"), "Restore gagal", "talvoren"},
      {"restore from a copy without tblkuitansitemp", "7", file("tanpa-tblkuitansitemp.mdb"), "Restore gagal",
       "talvoren"},
      {"restore from a missing file", "7", file("nothing.mdb"), "\"" + file("nothing.mdb") + "\" is not valid file name.",
       "Vantorel V1.7 BUILD 28092025"},
      {"restore onto itself", "7", file("base.mdb"), "Restore gagal", "talvoren"},
      {"backup into a missing folder", "6", file("no\\such\\folder.mdb"), "Backup gagal", "Talvoren"},
      {"backup onto the database itself", "6", file("base.mdb"), "Backup gagal", "Talvoren"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    freshSeams();
    seams->fileAnswers.push_back(c.chosen);
    click(c.id);
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].prompt.rfind(c.message, 0), 0u) << seams->boxes[0].prompt;
    EXPECT_EQ(seams->boxes[0].title, c.title);
    // Nothing changed, and what the program reads is all there.
    EXPECT_EQ(receipts(), "1");
    EXPECT_TRUE(Module1::koneksi->isOpen());
    EXPECT_EQ(programScalar("select count(*) from tbladmin"), "1");
    EXPECT_EQ(programScalar("select count(*) from tblkuitansitemp"), "1");
  }
  EXPECT_FALSE(Exists(file("no\\such\\folder.mdb")));

  // The database itself missing (a program folder without it): the copy's
  // own message, and no confirmation after it.
  freshSeams();
  ui::App::get().SetPath(file("images"));
  seams->fileAnswers.push_back(file("copy.mdb"));
  click("6");
  ui::App::get().SetPath(folder());
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, "\"" + file("images\\base.mdb") + "\" is not valid file name.");
  EXPECT_EQ(seams->boxes[0].flags, ui::vbOKOnly);
  EXPECT_FALSE(Exists(file("copy.mdb")));
}

TEST_F(CommandTest, RestoreOfACopyFromBeforeTheUpgradeIsUpgradedAtOnce) {
  // A copy as makedb makes it: without the columns the start-up adds.
  const std::string old = file("sebelum upgrade.mdb");
  db::createProgramDatabase(old);
  {
    auto cn = db::Connection::create();
    cn->open("Data Source=" + old);
    cn->execute("insert into tblset (namalembaga) values ('SMK Lama')");
    cn->close();
  }
  seams->fileAnswers.push_back(old);
  click("7");
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, "Restore Sukses");
  // Without another start: the new columns are there and the folder is recorded.
  EXPECT_EQ(programScalar("select count(*) from tblset where lokasi = '" + db::quote(folder()) + "'"), "1");
  Module1::koneksi->execute("insert into tblkwitansi (NoKwitansi, terbilang) values ('001/12/2025', 'Seratus Ribu ')");
  EXPECT_EQ(programScalar("select terbilang from tblkwitansi"), "Seratus Ribu ");
  Module1::koneksi->execute("update Tuser set level_user = 'admin'");
  EXPECT_EQ(programScalar("select level_user from Tuser"), "admin");
}

TEST_F(CommandTest, BackupReplacesTheFileTheUserChoseToOverwrite) {
  addReceipt("001/12/2025");
  const std::string chosen = file("catatan lama.mdb");
  std::ofstream(std::filesystem::path(ui::Widen(chosen)), std::ios::binary) << "notes the user agreed to overwrite";
  seams->fileAnswers.push_back(chosen);
  click("6");
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, "File Berhasil Di backup " + chosen);
  auto cn = db::Connection::create();
  cn->open("Data Source=" + chosen);
  db::Recordset rs;
  rs.open("select NoKwitansi from tblkwitansi", cn);
  ASSERT_FALSE(rs.eof());
  EXPECT_EQ(rs.field(0).value().toString(), "001/12/2025");
  rs.close();
  cn->close();
  // Nothing but the two files stays in the folder's top.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(ui::Widen(folder()))))
    files += entry.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 2);
}

TEST_F(CommandTest, CancelledDialogsDoNothing) {
  vt::test::writePicture(file("images\\latar.jpg"), 20, 10, RGB(10, 200, 10));
  for (const char* id : {"6", "7", "9"}) {
    SCOPED_TRACE(std::string("ID ") + id);
    freshSeams();  // no answer queued: the dialog is cancelled
    const auto before = std::filesystem::last_write_time(std::filesystem::path(ui::Widen(file("base.mdb"))));
    click(id);
    EXPECT_EQ(seams->fileDialogs.size(), 1u);
    EXPECT_TRUE(seams->boxes.empty());
    EXPECT_EQ(std::filesystem::last_write_time(std::filesystem::path(ui::Widen(file("base.mdb")))), before);
    EXPECT_TRUE(main().Picture3.Picture().empty());  // no wallpaper loaded at the start of this test
    EXPECT_EQ(receipts(), "0");
  }
  EXPECT_FALSE(Exists(file("Backup Kwitansi - 051225.mdb")));
}

TEST_F(CommandTest, ResetEmptiesReceiptsAndCustomersOnlyWhenConfirmed) {
  exec("insert into tblset (namalembaga) values ('SMK Harapan')");
  addReceipt("001/12/2025");
  Module1::koneksi->execute("insert into tblcustomer (Nocustomer, nama) values ('CUST00001', 'Ani')");
  const std::string users = programScalar("select count(*) from Tuser");

  struct Case {
    int answer;
    std::string receipts, customers;
    std::vector<std::string> titles;
  };
  const Case cases[] = {{ui::vbNo, "1", "1", {"hapus"}}, {ui::vbYes, "0", "0", {"hapus", "Hapus"}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer == ui::vbYes ? "Yes" : "No");
    freshSeams();
    seams->answers.push_back(c.answer);
    click("8");
    EXPECT_EQ(receipts(), c.receipts);
    EXPECT_EQ(programScalar("select count(*) from tblcustomer"), c.customers);
    EXPECT_EQ(programScalar("select count(*) from Tuser"), users);
    EXPECT_EQ(programScalar("select count(*) from tblset"), "1");
    EXPECT_EQ(programScalar("select count(*) from tblkuitansitemp"), "1");
    std::vector<std::string> titles;
    for (const auto& b : seams->boxes) titles.push_back(b.title);
    EXPECT_EQ(titles, c.titles);
    if (c.answer == ui::vbYes) {
      EXPECT_EQ(seams->boxes[1].prompt, "Semua Record Telah berhasil dihapus");
      EXPECT_EQ(seams->boxes[1].flags, ui::vbInformation);
    }
  }
}

TEST_F(CommandTest, ResetThatFailsDeletesNothingAndSaysSo) {
  addReceipt("001/12/2025");
  Module1::koneksi->execute("DROP TABLE tblcustomer");
  seams->answers.push_back(ui::vbYes);
  click("8");
  ASSERT_EQ(seams->boxes.size(), 2u);
  EXPECT_EQ(seams->boxes[1].prompt.rfind("Reset gagal", 0), 0u) << seams->boxes[1].prompt;
  EXPECT_EQ(receipts(), "1");
}

// The hidden settings object and the title follow the database after a
// restore and a reset: new receipts, the templates and the settings' own
// save use what is stored now.
TEST_F(CommandTest, SettingsFollowTheDatabaseAfterRestoreAndReset) {
  Module1::koneksi->execute(
      "insert into tblset (namalembaga, NoKw, templete) values ('SMK Lama', 'LAMA/', 'Kwitansi 1 Portrait')");
  // Loaded hidden, as after the start.
  FrmSeting& seting = ui::Default<FrmSeting>();
  seting.Load();
  ASSERT_EQ(seting.TextFormat.Text(), "LAMA/");

  // A copy with other settings, stored under another key.
  const std::string copy = file("cadangan.mdb");
  db::createProgramDatabase(copy);
  {
    auto cn = db::Connection::create();
    cn->open("Data Source=" + copy);
    cn->execute("insert into tblset (noset, namalembaga, NoKw, templete) "
                "values (7, 'SMK Baru', 'BARU/', 'Kwitansi 3 Landscape')");
    cn->close();
  }
  seams->fileAnswers.push_back(copy);
  click("7");
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, "Restore Sukses");
  EXPECT_EQ(main().Caption(), "Vantorel V1.7 BUILD 28092025 [ SMK Baru ]");
  EXPECT_EQ(seting.TextFormat.Text(), "BARU/");
  EXPECT_EQ(seting.cmbKwitansi.ListIndex(), 2);

  // A new receipt proposes its number with the restored prefix.
  std::string number;
  ui::testing::onShown([&](ui::Form& f) {
    number = ui::Default<FrmKwitansi>().Text1.Text();
    f.Unload();
  });
  click("0");
  EXPECT_EQ(number, "BARU/001/12/2025");

  // Simpan in Pengaturan changes the restored row and keeps its other
  // values; the title names the saved institution at once.
  freshSeams();
  ui::testing::onShown([&](ui::Form&) {
    seting.TextLembaga.Text("");
    ui::testing::typeText(seting.TextLembaga.hwnd(), "SMK Baru Jaya");
    ui::testing::clickWindow(seting.BSimpan.hwnd());
    EXPECT_EQ(main().Caption(), "Vantorel V1.7 BUILD 28092025 [ SMK Baru Jaya ]");
    ui::testing::clickWindow(seting.Btutup.hwnd());
  });
  click("4");
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, "Data Berhasil Disimpan");
  EXPECT_EQ(programScalar("select count(*) from tblset"), "1");
  EXPECT_EQ(programScalar("select namalembaga & '|' & NoKw & '|' & templete from tblset where noset = 7"),
            "SMK Baru Jaya|BARU/|Kwitansi 3 Landscape");

  // A reset reads the row again too.
  seting.Load();
  Module1::koneksi->execute("update tblset set namalembaga = 'SMK Sesudah', NoKw = 'S/'");
  freshSeams();
  seams->answers.push_back(ui::vbYes);
  click("8");
  ASSERT_EQ(seams->boxes.size(), 2u);
  EXPECT_EQ(main().Caption(), "Vantorel V1.7 BUILD 28092025 [ SMK Sesudah ]");
  EXPECT_EQ(seting.TextFormat.Text(), "S/");
}

TEST_F(CommandTest, PanduanSaysSoWhenTheManualCannotBeOpened) {
  struct Case {
    std::string name;
    std::function<intptr_t(const ui::ShellRequest&)> shell;
    bool fails;
  };
  const Case cases[] = {
      {"no panduan.pdf", [](const ui::ShellRequest& r) { return ui::RealShellExecute(r); }, true},
      {"no program for PDF files", [](const ui::ShellRequest&) { return intptr_t{SE_ERR_NOASSOC}; }, true},
      {"opened", [](const ui::ShellRequest&) { return intptr_t{42}; }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    freshSeams();
    ui::seams().shellExecute = c.shell;
    click("12");
    if (c.fails) {
      ASSERT_EQ(seams->boxes.size(), 1u);
      EXPECT_EQ(seams->boxes[0].prompt,
                "Terjadi kesalahan saat memuat file bantuan, pastikan pc anda telah terinstall Adobe Reader / PDF "
                "Reader");
      EXPECT_EQ(seams->boxes[0].flags, ui::vbInformation);
      EXPECT_EQ(seams->boxes[0].title, "Talvoren");
    } else {
      EXPECT_TRUE(seams->boxes.empty());
    }
  }
}

TEST_F(CommandTest, WallpaperReplacesThePictureAndTheFile) {
  const std::string chosen = vt::test::writePicture(file("pantai.jpg"), 40, 30, RGB(30, 60, 200));
  seams->fileAnswers.push_back(chosen);
  click("9");
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, "silakan tutup aplikasi, kemudian buka lagi aplikasi untuk melihat perubahan");
  EXPECT_EQ(seams->boxes[0].flags, ui::vbInformation);
  EXPECT_EQ(seams->boxes[0].title, "Merovali");
  EXPECT_EQ(main().Picture3.Picture().width(), 40);
  EXPECT_EQ(img::Picture::load(file("images\\latar.jpg")).width(), 40);

  // Not a picture: nothing more happens, and nothing is said.
  freshSeams();
  std::ofstream(std::filesystem::path(ui::Widen(file("rusak.jpg"))), std::ios::binary) << "no picture";
  seams->fileAnswers.push_back(file("rusak.jpg"));
  click("9");
  EXPECT_TRUE(seams->boxes.empty());
  EXPECT_EQ(img::Picture::load(file("images\\latar.jpg")).width(), 40);
}

}  // namespace
}  // namespace mainwin
