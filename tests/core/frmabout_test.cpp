// The About dialog (opened from the main window) and the administrator
// password dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include "core/frmabout.h"
#include "core/frmuser.h"
#include "core/mdiform1_fixture.h"
#include "core/module1.h"
#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/ui/testing.h"

namespace mainwin {
namespace {

using ui::testing::clickWindow;
using ui::testing::pressKey;

const char kUnavailable[] = "System Information Is Unavailable At This Time";
const char kInfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char kLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";

frmAbout::RegistryValue Text(const std::string& utf8) {
  const std::wstring w = ui::Widen(utf8) + L'\0';
  frmAbout::RegistryValue v;
  v.type = REG_SZ;
  v.bytes.assign(reinterpret_cast<const char*>(w.data()), w.size() * sizeof(wchar_t));
  return v;
}

class AboutTest : public MainWindowTest {
protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    openAs("ADMIN");
  }
  void TearDown() override {
    frmAbout::Registry() = nullptr;
    MainWindowTest::TearDown();
  }
  frmAbout& about() { return ui::Default<frmAbout>(); }

  // A machine whose registry holds just these values (key \ value -> value).
  struct Read {
    HKEY root;
    std::string key, value;
    REGSAM access;
  };
  std::vector<Read> reads;
  void registry(std::map<std::string, frmAbout::RegistryValue> values) {
    frmAbout::Registry() = [this, values](HKEY root, const std::string& key, REGSAM access, const std::string& value,
                                          frmAbout::RegistryValue& out) {
      reads.push_back({root, key, value, access});
      const auto it = values.find(key + "\\" + value);
      if (it == values.end()) return false;
      out = it->second;
      return true;
    };
  }

  // Opens About from the ribbon, runs the steps inside it, then presses OK.
  void openAbout(const std::function<void(frmAbout&)>& steps) {
    ui::testing::onShown([&](ui::Form&) {
      steps(about());
      if (about().Loaded()) clickWindow(about().cmdOK.hwnd());
    });
    clickButton("About", "10");
    pump();
  }
};

TEST_F(AboutTest, ShowsTitleVersionAndDescription) {
  EXPECT_EQ(ui::App::get().Title(), "Vantorel V1.7 BUILD 28092025");
  openAbout([&](frmAbout& f) {
    EXPECT_TRUE(f.IsModal());
    EXPECT_FALSE(IsWindowEnabled(main().hwnd()));
    EXPECT_EQ(f.Caption(), "About Vantorel");
    EXPECT_EQ(f.lblTitle.Caption(), "Vantorel");
    EXPECT_EQ(f.lblVersion.Caption(), "Version 1.0.7");
    EXPECT_EQ(f.lblDescription.Caption(), "Aplikasi Untuk mencetak kwitansi, simple dan sangat mudah digunakan ");
    EXPECT_EQ(f.cmdOK.Caption(), "OK");
    EXPECT_EQ(f.cmdSysInfo.Caption(), "&System Info...");
    EXPECT_FALSE(f.picIcon.Picture().empty());
  });
  EXPECT_FALSE(about().Loaded());
  // The version shown is the one the executable records.
  const ProgramVersion v = programVersion();
  EXPECT_EQ(v.major, 1);
  EXPECT_EQ(v.minor, 0);
  EXPECT_EQ(v.revision, 7);

  // Later message boxes without a title of their own show the new one: a
  // restore from a missing file says so.
  seams->fileAnswers.push_back(file("hilang.mdb"));
  clickButton("Admin", "7");
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].title, "Vantorel");
}

TEST_F(AboutTest, OkEnterEscapeAndCloseBoxUnload) {
  const std::pair<const char*, std::function<void(frmAbout&)>> ways[] = {
      {"OK", [](frmAbout& f) { clickWindow(f.cmdOK.hwnd()); }},
      {"Enter", [](frmAbout& f) { pressKey(f.cmdOK.hwnd(), VK_RETURN); }},
      {"Escape", [](frmAbout& f) { pressKey(f.cmdSysInfo.hwnd(), VK_ESCAPE); }},
      {"close box", [](frmAbout& f) { SendMessageW(f.hwnd(), WM_CLOSE, 0, 0); }},
  };
  for (const auto& [name, act] : ways) {
    SCOPED_TRACE(name);
    freshSeams();
    bool closed = false;
    ui::testing::onShown([&](ui::Form&) {
      act(about());
      closed = !about().Loaded();
    });
    clickButton("About", "10");
    pump();
    EXPECT_TRUE(closed);
    EXPECT_TRUE(seams->boxes.empty());
    EXPECT_TRUE(seams->shells.empty());
  }
}

TEST_F(AboutTest, SystemInfoStartsWhereTheRegistrySays) {
  const std::string folder = file("msinfo");
  std::filesystem::create_directories(std::filesystem::path(ui::Widen(folder)));
  std::ofstream(std::filesystem::path(ui::Widen(folder + "\\MSINFO32.EXE")), std::ios::binary) << "MZ";
  const std::string empty = file("kosong");
  std::filesystem::create_directories(std::filesystem::path(ui::Widen(empty)));

  struct Case {
    std::string name;
    std::map<std::string, frmAbout::RegistryValue> values;
    intptr_t shellResult;
    std::optional<std::string> started;  // nullopt: the unavailability message
  };
  const std::string path = std::string(kInfoKey) + "\\PATH", location = std::string(kLocationKey) + "\\MSINFO";
  const Case cases[] = {
      {"no keys", {}, 42, std::nullopt},
      {"PATH", {{path, Text("C:\\Program Files\\Sistem Dévi\\msinfo32.exe")}}, 42,
       "C:\\Program Files\\Sistem Dévi\\msinfo32.exe"},
      {"PATH first", {{path, Text("C:\\a.exe")}, {location, Text(folder)}}, 42, "C:\\a.exe"},
      {"location", {{location, Text(folder)}}, 42, folder + "\\MSINFO32.EXE"},
      {"location without the program", {{location, Text(empty)}}, 42, std::nullopt},
      {"program that does not start", {{path, Text("C:\\rusak.exe")}}, 2, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    freshSeams();
    reads.clear();
    registry(c.values);
    std::vector<ui::ShellRequest> shells;
    ui::seams().shellExecute = [&](const ui::ShellRequest& r) {
      shells.push_back(r);
      return c.shellResult;
    };
    openAbout([&](frmAbout& f) { clickWindow(f.cmdSysInfo.hwnd()); });
    if (c.started) {
      EXPECT_TRUE(seams->boxes.empty());
      ASSERT_EQ(shells.size(), 1u);
      EXPECT_EQ(shells[0].file, *c.started);
      EXPECT_EQ(shells[0].verb, "");
      EXPECT_EQ(shells[0].parameters, "");
      EXPECT_EQ(shells[0].show, SW_SHOWNORMAL);
    } else {
      ASSERT_EQ(seams->boxes.size(), 1u);
      EXPECT_EQ(seams->boxes[0].prompt, kUnavailable);
      EXPECT_EQ(seams->boxes[0].flags, ui::vbOKOnly);
      EXPECT_EQ(seams->boxes[0].title, "Vantorel");
      EXPECT_EQ(shells.size(), c.shellResult > 32 ? 0u : 1u);
    }
    // Both keys are read under the local machine, with the same rights.
    ASSERT_FALSE(reads.empty());
    EXPECT_EQ(reads[0].key, kInfoKey);
    EXPECT_EQ(reads[0].value, "PATH");
    for (const Read& r : reads) {
      EXPECT_EQ(r.root, HKEY_LOCAL_MACHINE);
      EXPECT_EQ(r.access, 131135u);
    }
    if (reads.size() > 1) {
      EXPECT_EQ(reads[1].key, kLocationKey);
      EXPECT_EQ(reads[1].value, "MSINFO");
    }
  }
}

TEST_F(AboutTest, Screenshot) {
  openAbout([&](frmAbout& f) {
    EXPECT_TRUE(vt::test::screenshot(f.hwnd(), "about.png"));
    // Title, version and description stacked beside the icon, the buttons under the rule.
    EXPECT_GT(f.lblTitle.Left(), f.picIcon.Left() + f.picIcon.Width());
    EXPECT_LE(f.lblTitle.Top() + f.lblTitle.Height(), f.lblVersion.Top());
    EXPECT_LT(f.lblVersion.Top() + f.lblVersion.Height(), f.lblDescription.Top());
    EXPECT_LT(f.lblDescription.Top() + f.lblDescription.Height(), f.Line1[0].Y1());
    EXPECT_LT(f.Line1[1].Y1(), f.cmdOK.Top());
    EXPECT_LE(f.cmdOK.Left() + f.cmdOK.Width(), f.ScaleWidth());
    EXPECT_LE(f.cmdOK.Top() + f.cmdOK.Height(), f.ScaleHeight());
  });
}

class AdminPasswordTest : public vt::test::ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Module1::bukaDatabase();
    ui::App::get().Title("Vantorel V1.7 BUILD 28092025");
  }
  FrmUser& dlg() { return ui::Default<FrmUser>(); }
  void enter(const std::string& first, const std::string& second) {
    dlg().Show();
    dlg().Text1.Text(first);
    dlg().Text2.Text(second);
    dlg().simpanPasword();
  }
  std::vector<std::string> passwords() {
    std::vector<std::string> out;
    const int n = std::stoi(scalar("select count(*) from tbladmin"));
    for (int i = 0; i < n; ++i) out.push_back(scalar("select pasw from tbladmin limit 1 offset " + std::to_string(i)));
    return out;
  }
};

TEST_F(AdminPasswordTest, ChecksBothEntriesAndStoresInEveryRow) {
  exec("insert into tbladmin (pasw) values ('lama')");
  struct Case {
    std::string first, second;
    std::string prompt, title;
    int flags;
    std::vector<std::string> stored;
    std::string boxAfter;  // Text1 after the attempt ("-" once the dialog is closed)
  };
  const Case cases[] = {
      {"", "rahasia", "Silakan isikan pasword anda", "Vantorel V1.7 BUILD 28092025", ui::vbOKOnly,
       {"admin", "lama"}, ""},
      {"rahasia", "rahasiA", "Pasword tidak sama", "talvoren", ui::vbExclamation, {"admin", "lama"}, ""},
      {"rahasia", "", "Pasword tidak sama", "talvoren", ui::vbExclamation, {"admin", "lama"}, ""},
      {"ra'ha'sia", "ra'ha'sia", "Pasword Berhasil dibuat", "talvoren", ui::vbInformation,
       {"ra`ha`sia", "ra`ha`sia"}, "-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first + " / " + c.second);
    freshSeams();
    enter(c.first, c.second);
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].prompt, c.prompt);
    EXPECT_EQ(seams->boxes[0].title, c.title);
    EXPECT_EQ(seams->boxes[0].flags, c.flags);
    EXPECT_EQ(passwords(), c.stored);
    if (c.boxAfter == "-") {
      EXPECT_FALSE(dlg().Loaded());
    } else {
      EXPECT_EQ(dlg().Text1.Text(), c.boxAfter);
      EXPECT_TRUE(dlg().Text1.HasFocus());
      if (!c.first.empty()) {
        EXPECT_EQ(dlg().Text2.Text(), "");
      }
    }
    dlg().Unload();
  }
}

TEST_F(AdminPasswordTest, EmptyTableGetsItsRowOrTheFailureIsShown) {
  exec("delete from tbladmin");
  enter("baru", "baru");
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt, "Pasword Berhasil dibuat");
  EXPECT_EQ(passwords(), std::vector<std::string>{"baru"});

  freshSeams();
  Module1::koneksi->execute("DROP TABLE tbladmin");
  enter("lagi", "lagi");
  ASSERT_EQ(seams->boxes.size(), 1u);
  EXPECT_EQ(seams->boxes[0].prompt.rfind("Pasword gagal disimpan: ", 0), 0u) << seams->boxes[0].prompt;
  EXPECT_TRUE(dlg().Loaded());
}

TEST_F(AdminPasswordTest, Screenshot) {
  dlg().Show();
  dlg().Text1.Text("rahasia");
  EXPECT_EQ(dlg().Caption(), "Create Pasword");
  EXPECT_EQ(dlg().Label1.Caption(), "Tuliskan Pasword anda");
  EXPECT_EQ(dlg().Label2.Caption(), "Tuliskan Pasword Lagi");
  EXPECT_EQ(dlg().Text1.PasswordChar(), "*");
  EXPECT_EQ(dlg().Text2.PasswordChar(), "*");
  EXPECT_TRUE(vt::test::screenshot(dlg().hwnd(), "admin_password.png"));
}

}  // namespace
}  // namespace mainwin
