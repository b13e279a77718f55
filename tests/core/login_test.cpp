// The start-up and the login dialog, driven through their real windows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/wiring.h"

#include "core/frmlogin.h"
#include "core/mdiform1.h"
#include "core/module1.h"
#include "core/program_fixture.h"
#include "platform/db/recordset.h"
#include "platform/db/schema.h"
#include "platform/ui/app.h"
#include "platform/ui/testing.h"
#include "platform/ui/win_util.h"
#include "platform/vb/text.h"
#include "receipts/frmkwitansi.h"
#include "receipts/frmseting.h"

namespace {

using ui::testing::clickWindow;
using ui::testing::pressKey;
using ui::testing::typeText;

class LoginTest : public vt::test::ProgramTest {
protected:
  Frmlogin& login() { return ui::Default<Frmlogin>(); }

  // Starts the program as WinMain does; true when the start ended the program.
  bool start() {
    try {
      app::startProgram();
      pump();
    } catch (const ui::ProgramEnded&) {
      return true;
    }
    return ui::App::get().Ended();
  }

  void typeLogin(const std::string& user, const std::string& password) {
    login().Txtkodeuser.Text(user);
    login().Txtpassword.Text(password);
  }
};

TEST_F(LoginTest, StartWithoutMarkerRestartsElevatedAndEnds) {
  struct Case {
    std::string command;
    bool restarts;
    std::string parameters;
  };
  const Case cases[] = {
      {"", true, "/admin"},
      {"data.mdb", true, "data.mdb/admin"},
      {"-x \"a b\"", true, "-x \"a b\"/admin"},
      {"/ADMIN", true, "/ADMIN/admin"},
      {"/admin", false, ""},
      {"x/administrator", false, ""},
      {"one /admin two", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("command line: " + c.command);
    freshSeams();
    ui::App::get().SetCommand(c.command);
    const bool ended = start();
    EXPECT_EQ(ended, c.restarts);
    if (c.restarts) {
      ASSERT_EQ(seams->shells.size(), 1u);
      const ui::ShellRequest& r = seams->shells[0];
      EXPECT_EQ(r.verb, "runas");
      EXPECT_EQ(r.file, folder() + "\\" + ui::App::get().EXEName() + ".exe");
      EXPECT_EQ(r.parameters, c.parameters);
      EXPECT_EQ(r.directory, "");
      EXPECT_EQ(r.show, SW_SHOWNORMAL);
      EXPECT_EQ(r.owner, nullptr);
      EXPECT_EQ(seams->ends, 1);
      EXPECT_FALSE(login().Visible());
      EXPECT_TRUE(seams->boxes.empty());
      // The first instance let go of its database.
      EXPECT_FALSE(Module1::koneksi->isOpen());
    } else {
      EXPECT_TRUE(seams->shells.empty());
      EXPECT_EQ(seams->ends, 0);
      EXPECT_TRUE(login().Visible());
    }
    ui::testing::unloadAll();
    ui::App::get().ResetEnded();
  }
}

TEST_F(LoginTest, UnopenableDatabaseEndsWithFatalError) {
  struct Case {
    const char* name;
    std::string content;  // empty: no base.mdb at all
  };
  const Case cases[] = {{"missing", ""}, {"not a database", "this is not a database file\r\n"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    freshSeams();
    DeleteFileW(ui::Widen(file("base.mdb")).c_str());
    if (!c.content.empty()) std::ofstream(std::filesystem::path(ui::Widen(file("base.mdb"))), std::ios::binary) << c.content;
    // Also a first, unelevated start: no restart is tried.
    ui::App::get().SetCommand("");
    EXPECT_TRUE(start());
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].prompt, "Fatal Error, Silakan Hub. Admin");
    EXPECT_EQ(seams->boxes[0].flags, ui::vbCritical | ui::vbOKOnly);
    EXPECT_EQ(seams->boxes[0].title, "Error Load");
    EXPECT_EQ(seams->ends, 1);
    EXPECT_TRUE(seams->shells.empty());
    EXPECT_FALSE(login().Visible());
    ui::testing::unloadAll();
    ui::App::get().ResetEnded();
  }
}

TEST_F(LoginTest, UpgradeAddsColumnsOnceAndRecordsTheFolder) {
  exec("insert into tblset (namalembaga) values ('SMK Harapan')");
  exec("insert into tblset (namalembaga) values ('Kedua')");
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE("start " + std::to_string(run));
    ASSERT_FALSE(start());
    EXPECT_TRUE(seams->boxes.empty());
    EXPECT_TRUE(login().Visible());
    ui::testing::unloadAll();
    Module1::koneksi->close();
  }
  // One column each, of the kinds the upgrade asks for.
  EXPECT_EQ(scalar("select count(*) from pragma_table_info('Tuser') where name='level_user'"), "1");
  EXPECT_EQ(scalar("select count(*) from pragma_table_info('tblset') where name='lokasi'"), "1");
  EXPECT_EQ(scalar("select count(*) from pragma_table_info('tblkwitansi') where name='terbilang'"), "1");
  exec("update tuser set level_user = 'admin'");
  exec("insert into tblkwitansi (NoKwitansi, terbilang) values ('001/12/2025', 'Seratus Ribu ')");
  EXPECT_EQ(scalar("select terbilang from tblkwitansi"), "Seratus Ribu ");
  EXPECT_EQ(scalar("select count(*) from tblset where lokasi = '" + db::quote(folder()) + "'"), "2");
}

TEST_F(LoginTest, TitleAndCaptionNameTheInstitution) {
  struct Case {
    const char* insert;  // nullptr: empty tblset
    std::string lembaga;
  };
  const Case cases[] = {{nullptr, "Text1"},
                        {"insert into tblset (namalembaga) values ('Yayasan Nusa')", "Yayasan Nusa"}};
  for (const Case& c : cases) {
    if (c.insert) exec(c.insert);
    ASSERT_FALSE(start());
    EXPECT_EQ(ui::App::get().Title(), "Vantorel V1.7 Build 28092025");
    EXPECT_EQ(login().Caption(), "Vantorel V1.7 Build 28092025 [ " + c.lembaga + " ]");
    // The settings object was loaded hidden at the start, once the login showed.
    EXPECT_TRUE(ui::Default<FrmSeting>().Loaded());
    EXPECT_FALSE(ui::Default<FrmSeting>().Visible());
    ui::testing::unloadAll();
    Module1::koneksi->close();
  }
}

// The database of a new program folder shows its empty settings, never the
// settings dialog's design texts, in the titles and in a new receipt.
TEST_F(LoginTest, NewProgramFolderShowsNoDesignTextsAsData) {
  DeleteFileW(ui::Widen(file("base.mdb")).c_str());
  db::createInstallationDatabase(file("base.mdb"));
  ASSERT_FALSE(start());
  EXPECT_EQ(login().Caption(), "Vantorel V1.7 Build 28092025 [  ]");
  typeText(login().Txtkodeuser.hwnd(), "ADMIN");
  pressKey(login().Txtkodeuser.hwnd(), VK_RETURN);
  typeText(login().Txtpassword.hwnd(), "admin");
  pressKey(login().Txtpassword.hwnd(), VK_RETURN);
  ASSERT_TRUE(ui::Default<MDIForm1>().Visible());
  EXPECT_EQ(ui::Default<MDIForm1>().Caption(), "Vantorel V1.7 BUILD 28092025 [  ]");
  EXPECT_EQ(ui::Default<FrmSeting>().cmbKwitansi.ListIndex(), 0);

  FrmKwitansi& entry = ui::Default<FrmKwitansi>();
  entry.Load();
  EXPECT_EQ(entry.Text1.Text(), "001/12/2025");
  for (ui::TextBox* box : {&entry.Text7, &entry.Text8, &entry.Text9}) EXPECT_EQ(box->Text(), "");
  EXPECT_TRUE(seams->boxes.empty());
}

TEST_F(LoginTest, CheckAgainstTuser) {
  exec("insert into Tuser (kodeuser, pasword) values ('o`brien', 'rah`asia')");
  struct Case {
    std::string user, password;
    bool ok;
  };
  const Case cases[] = {
      {"ADMIN", "admin", true},
      {"admin", "ADMIN", true},
      {"o'brien", "rah'asia", true},  // typed apostrophes become the stored backticks
      {"ADMIN", "salah", false},
      {"", "", false},
      {"ADMIN' or '1'='1", "x' or '1'='1", false},
      {"ADMIN", "admin' --", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.user + " / " + c.password);
    freshSeams();
    ASSERT_FALSE(start());
    typeLogin(c.user, c.password);
    clickWindow(login().Command1.hwnd());
    if (c.ok) {
      EXPECT_TRUE(seams->boxes.empty());
      EXPECT_FALSE(login().Visible());
      EXPECT_TRUE(login().Loaded());
      // The main window reads the user name from the hidden login.
      EXPECT_EQ(login().Txtkodeuser.Text(), vb::Replace(c.user, "'", "`"));
      EXPECT_TRUE(ui::Default<MDIForm1>().Visible());
    } else {
      ASSERT_EQ(seams->boxes.size(), 1u);
      EXPECT_EQ(seams->boxes[0].prompt, " User Name dan Password anda salah");
      EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation | ui::vbOKOnly);
      EXPECT_EQ(seams->boxes[0].title, "Login");
      EXPECT_EQ(login().Txtkodeuser.Text(), "");
      EXPECT_EQ(login().Txtpassword.Text(), "");
      EXPECT_TRUE(login().Txtkodeuser.HasFocus());
      EXPECT_TRUE(login().Visible());
      EXPECT_FALSE(ui::Default<MDIForm1>().Loaded());
    }
    EXPECT_EQ(seams->ends, 0);
    ui::testing::unloadAll();
    Module1::koneksi->close();
  }
}

TEST_F(LoginTest, EnterMovesToPasswordThenLogsIn) {
  ASSERT_FALSE(start());
  login().Txtkodeuser.SetFocus();
  typeText(login().Txtkodeuser.hwnd(), "admin");
  pressKey(login().Txtkodeuser.hwnd(), VK_RETURN);
  EXPECT_TRUE(login().Txtpassword.HasFocus());
  EXPECT_FALSE(ui::Default<MDIForm1>().Loaded());
  typeText(login().Txtpassword.hwnd(), "Admin");
  pressKey(login().Txtpassword.hwnd(), VK_RETURN);
  EXPECT_TRUE(seams->boxes.empty());
  EXPECT_FALSE(login().Visible());
  EXPECT_TRUE(ui::Default<MDIForm1>().Visible());
}

TEST_F(LoginTest, FocusStartsInUserNameAndTabFollowsTheBoxes) {
  ASSERT_FALSE(start());
  EXPECT_TRUE(login().Txtkodeuser.HasFocus());
  pressKey(login().Txtkodeuser.hwnd(), VK_TAB);
  EXPECT_TRUE(login().Txtpassword.HasFocus());
  pressKey(login().Txtpassword.hwnd(), VK_TAB);
  EXPECT_TRUE(login().Command1.HasFocus());
  // Enter on the focused button does not click it; Space does.
  pressKey(login().Command1.hwnd(), VK_RETURN);
  EXPECT_TRUE(seams->boxes.empty());
  pressKey(login().Command1.hwnd(), VK_SPACE);
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].title, "Login");
}

TEST_F(LoginTest, DatabaseFailureDuringLoginShowsItAndStays) {
  ASSERT_FALSE(start());
  Module1::koneksi->execute("DROP TABLE Tuser");
  typeLogin("ADMIN", "admin");
  clickWindow(login().Command1.hwnd());
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_FALSE(seams->boxes[0].prompt.empty());
  EXPECT_EQ(seams->boxes[0].flags, ui::vbOKOnly);
  EXPECT_EQ(seams->boxes[0].title, "Vantorel V1.7 Build 28092025");
  EXPECT_TRUE(login().Visible());
  EXPECT_FALSE(ui::Default<MDIForm1>().Loaded());
  EXPECT_EQ(seams->ends, 0);
}

TEST_F(LoginTest, CancelAndCloseEndTheProgram) {
  struct Case {
    const char* how;
    std::function<void(Frmlogin&)> act;
  };
  const Case cases[] = {
      {"Batal", [](Frmlogin& f) { clickWindow(f.Command2.hwnd()); }},
      {"close box", [](Frmlogin& f) { SendMessageW(f.hwnd(), WM_CLOSE, 0, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    freshSeams();
    ASSERT_FALSE(start());
    c.act(login());
    pump();
    EXPECT_EQ(seams->ends, 1);
    EXPECT_TRUE(seams->boxes.empty());
    EXPECT_FALSE(Module1::koneksi->isOpen());
    ui::testing::unloadAll();
    ui::App::get().ResetEnded();
  }
}

TEST_F(LoginTest, Screenshot) {
  exec("insert into tblset (namalembaga) values ('SMK Harapan Bangsa')");
  ASSERT_FALSE(start());
  login().Txtkodeuser.Text("ADMIN");
  login().Txtpassword.Text("admin");
  EXPECT_TRUE(vt::test::screenshot(login().hwnd(), "login.png"));
  // Labels sit beside their boxes, centred on them, inside the frame.
  for (int i = 0; i < 2; ++i) {
    ui::TextBox& box = i == 0 ? login().Txtkodeuser : login().Txtpassword;
    const int labelMid = login().Label7[i].Top() + login().Label7[i].Height() / 2;
    const int boxMid = box.Top() + box.Height() / 2;
    EXPECT_LE(std::abs(labelMid - boxMid), 15);
    EXPECT_LT(login().Label7[i].Left() + login().Label7[i].Width(), box.Left());
    EXPECT_LE(box.Left() + box.Width(), login().Frame1.Width());
  }
}

}  // namespace
