// The users and permissions dialog, driven through its real windows, and what
// it stores as the next login sees it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/frmlogin.h"
#include "core/frmotoritas.h"
#include "core/mdiform1_fixture.h"
#include "core/module1.h"
#include "platform/db/recordset.h"
#include "platform/db/schema.h"
#include "platform/ui/app.h"
#include "platform/ui/testing.h"
#include "support/real_input.h"

namespace mainwin {
namespace {

using ui::testing::clickWindow;
using ui::testing::pressKey;
using ui::testing::typeText;

using Box = ui::CheckBox frmotoritas::*;
// Every box with its column, in the table's order.
const std::vector<std::pair<Box, std::string>> kBoxes = {
    {&frmotoritas::Checkmaster, "checkmaster"}, {&frmotoritas::Checknasabah, "checknasabah"},
    {&frmotoritas::Checkpengaturan, "checkpengaturan"}, {&frmotoritas::Check1, "check1"},
    {&frmotoritas::Check2, "check2"},   {&frmotoritas::Check3, "check3"},   {&frmotoritas::Check4, "check4"},
    {&frmotoritas::Check5, "check5"},   {&frmotoritas::Check6, "check6"},   {&frmotoritas::Check7, "check7"},
    {&frmotoritas::Check8, "check8"},   {&frmotoritas::Check9, "check9"},   {&frmotoritas::Check10, "check10"},
    {&frmotoritas::Check11, "check11"}, {&frmotoritas::Check13, "check13"}};

class UsersTest : public MainWindowTest {
protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // The database as the start-up leaves it: with the level column.
    exec("ALTER TABLE tuser ADD COLUMN level_user Text(255)");
    Module1::bukaDatabase();
    ui::App::get().Title("Vantorel V1.7 BUILD 28092025");
  }
  frmotoritas& dlg() { return ui::Default<frmotoritas>(); }

  // Shows the dialog modal, runs the steps inside it, then closes it with Tutup.
  void showModal(const std::function<void(frmotoritas&)>& steps) {
    ui::testing::onShown([&](ui::Form&) {
      SetForegroundWindow(dlg().hwnd());
      ui::testing::pumpUntilIdle();
      steps(dlg());
      if (dlg().Loaded()) clickWindow(dlg().Command3.hwnd());
    });
    dlg().ShowModal();
  }

  void addRow(const std::string& name, const std::string& level, const std::vector<std::string>& flags = {}) {
    std::string columns = "kodeuser, pasword, level_user", values = "'" + name + "', 'x', " + level;
    for (const auto& f : flags) {
      columns += ", " + f;
      values += ", True";
    }
    exec("insert into Tuser (" + columns + ") values (" + values + ")");
  }
  // Every stored user as name -> key; names compared exactly.
  std::map<std::string, std::string> users() {
    auto cn = db::Connection::create();
    cn->open("Data Source=" + file("base.mdb"));
    db::Recordset rs;
    rs.open("select kodeuser, nomor from Tuser", cn);
    std::map<std::string, std::string> out;
    for (; !rs.eof(); rs.moveNext()) out[rs.field(0).value().toString()] = rs.field(1).value().toString();
    rs.close();
    cn->close();
    return out;
  }
  std::string keyOf(const std::string& name) {
    const auto all = users();
    const auto it = all.find(name);
    return it == all.end() ? "" : it->second;
  }

  // The list as shown: one line per row, its four cells joined by "|".
  std::vector<std::string> rows() {
    std::vector<std::string> out;
    for (int i = 1; i <= dlg().Lv1.ListItems.Count(); ++i) {
      const ui::ListItem& item = dlg().Lv1.ListItems.Item(i);
      out.push_back(item.Text() + "|" + item.SubItems(1) + "|" + item.SubItems(2) + "|" + item.SubItems(3));
    }
    return out;
  }
  int rowOf(const std::string& name) {
    for (int i = 1; i <= dlg().Lv1.ListItems.Count(); ++i)
      if (dlg().Lv1.ListItems.Item(i).SubItems(1) == name) return i;
    ADD_FAILURE() << "no row " << name;
    return 1;
  }
  // A user's click on the row, through the system's input queue.
  void clickRow(int row) {
    HWND h = dlg().Lv1.hwnd();
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessageW(h, LVM_GETITEMRECT, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&r));
    POINT at{r.left + 140, (r.top + r.bottom) / 2};
    ClientToScreen(h, &at);
    SetCursorPos(at.x, at.y);
    vt::test::MouseClick();
    ui::testing::pumpFor(300);
  }
  // The boxes' values as a map column -> 0/1.
  std::map<std::string, int> boxes() {
    std::map<std::string, int> out;
    for (const auto& [box, column] : kBoxes) out[column] = (dlg().*box).Value();
    return out;
  }
  // Every box 0 except the named ones.
  static std::map<std::string, int> only(const std::vector<std::string>& ticked) {
    std::map<std::string, int> out;
    for (const auto& b : kBoxes) out[b.second] = 0;
    for (const auto& t : ticked) out[t] = 1;
    return out;
  }
  std::map<std::string, int> stored(const std::string& name) {
    std::map<std::string, int> out;
    for (const auto& b : kBoxes)
      out[b.second] = scalar("select " + b.second + " from Tuser where kodeuser = '" + name + "'") == "True";
    return out;
  }
  std::vector<std::string> prompts() {
    std::vector<std::string> out;
    for (const auto& b : seams->boxes) out.push_back(b.prompt);
    return out;
  }
};

TEST_F(UsersTest, EmptyNameOrPasswordIsRefused) {
  const std::pair<std::string, std::string> cases[] = {{"", "rahasia"}, {"BUDI", ""}, {"", ""}};
  for (const auto& [name, password] : cases) {
    SCOPED_TRACE(name + " / " + password);
    freshSeams();
    showModal([&](frmotoritas& f) {
      clickWindow(f.Command4.hwnd());
      f.Text1.Text(name);
      f.Text2.Text(password);
      clickWindow(f.Command1.hwnd());
    });
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].prompt, "user name dan pasword tidak boleh kosong");
    EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation);
    EXPECT_EQ(seams->boxes[0].title, "user");
    EXPECT_EQ(scalar("select count(*) from Tuser"), "1");
  }
}

TEST_F(UsersTest, NewUserIsInsertedWithEmptyLevelThenChangedInPlace) {
  showModal([&](frmotoritas& f) {
    // Saving before any row was clicked adds a user too: no key yet, no level.
    EXPECT_EQ(f.TextId.Text(), "0");
    EXPECT_EQ(f.TextLevel.Text(), "");
    f.Text1.Text("KASIR");
    f.Text2.Text("satu");
    clickWindow(f.Checkmaster.hwnd());
    clickWindow(f.Command1.hwnd());
    EXPECT_EQ(prompts(), std::vector<std::string>{"Data Sudah Tersimpan"});
    EXPECT_EQ(seams->boxes[0].flags, ui::vbInformation);
    EXPECT_EQ(seams->boxes[0].title, "Simpan");
    EXPECT_EQ(f.TextId.Text(), keyOf("KASIR"));

    // Tambah, then a second new user.
    clickWindow(f.Command4.hwnd());
    EXPECT_EQ(f.TextId.Text(), "0");
    EXPECT_EQ(f.Text1.Text(), "");
    EXPECT_TRUE(f.Text1.HasFocus());
    EXPECT_EQ(boxes(), only({}));
    typeText(f.Text1.hwnd(), "OPERATOR");
    f.Text2.Text("dua");
    clickWindow(f.Checkpengaturan.hwnd());
    clickWindow(f.Command1.hwnd());
    // Saved again at once: the same row changes.
    f.Text2.Text("tiga");
    clickWindow(f.Check13.hwnd());
    clickWindow(f.Command1.hwnd());
    EXPECT_EQ(seams->boxes.size(), 3u);
  });
  EXPECT_EQ(scalar("select count(*) from Tuser"), "3");
  EXPECT_EQ(scalar("select pasword from Tuser where kodeuser = 'KASIR'"), "satu");
  EXPECT_EQ(scalar("select level_user from Tuser where kodeuser = 'KASIR'"), "");
  EXPECT_EQ(scalar("select count(*) from Tuser where level_user is null and kodeuser <> 'ADMIN'"), "2");
  EXPECT_EQ(stored("KASIR"), only({"checkmaster", "check1", "check2", "check3", "check4"}));
  EXPECT_EQ(scalar("select pasword from Tuser where kodeuser = 'OPERATOR'"), "tiga");
  EXPECT_EQ(stored("OPERATOR"), only({"checkpengaturan", "check11"}));
}

TEST_F(UsersTest, ClickLoadsTheUserExactlyAsStored) {
  addRow("KASIR", "'admin'", {"checkmaster", "check1", "check3", "check7"});
  addRow("TAMU", "NULL", {"checknasabah", "check11"});
  showModal([&](frmotoritas& f) {
    struct Case {
      std::string name, level;
      std::map<std::string, int> boxes;
    };
    const Case cases[] = {
        {"KASIR", "admin", only({"checkmaster", "check1", "check3", "check7"})},
        // No level: an empty box, not the level of the user shown before.
        {"TAMU", "", only({"checknasabah", "check11"})},
        {"ADMIN", "", only({"checkmaster", "checknasabah", "checkpengaturan", "check1", "check2", "check3", "check4",
                            "check5", "check6", "check7", "check8", "check9", "check10", "check11", "check13"})},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      clickRow(rowOf(c.name));
      EXPECT_EQ(f.Text1.Text(), c.name);
      EXPECT_EQ(f.Text2.Text(), c.name == "ADMIN" ? "admin" : "x");
      EXPECT_EQ(f.TextLevel.Text(), c.level);
      EXPECT_EQ(f.TextId.Text(), keyOf(c.name));
      EXPECT_EQ(boxes(), c.boxes);
    }
    // A click below the rows keeps the user shown.
    clickWindow(f.Lv1.hwnd());
    EXPECT_EQ(f.Text1.Text(), "ADMIN");
  });
  EXPECT_TRUE(seams->boxes.empty());
}

TEST_F(UsersTest, MasterBoxesTickAndClearExactlyTheirGroup) {
  const std::vector<std::pair<Box, std::vector<std::string>>> groups = {
      {&frmotoritas::Checkmaster, {"check1", "check2", "check3", "check4"}},
      {&frmotoritas::Checknasabah, {"check5", "check6", "check7", "check8", "check9", "check10"}},
      {&frmotoritas::Checkpengaturan, {"check11", "check13"}},
  };
  showModal([&](frmotoritas& f) {
    for (const auto& [master, group] : groups) {
      // From all clear: the master ticks its group and nothing else.
      clickWindow(f.Command4.hwnd());
      for (const auto& b : kBoxes) (f.*b.first).Value(0);
      clickWindow((f.*master).hwnd());
      std::vector<std::string> ticked = group;
      for (const auto& b : kBoxes)
        if (b.first == master) ticked.push_back(b.second);
      EXPECT_EQ(boxes(), only(ticked));

      // From all ticked: clearing it clears its group and nothing else.
      for (const auto& b : kBoxes) (f.*b.first).Value(1);
      clickWindow((f.*master).hwnd());
      std::map<std::string, int> want;
      for (const auto& b : kBoxes) want[b.second] = 1;
      for (const auto& c : ticked) want[c] = 0;
      EXPECT_EQ(boxes(), want);
    }
    // A single box changes freely after its master; setting the master to
    // the value it has keeps the group as it is.
    ASSERT_EQ(f.Checknasabah.Value(), 1);
    clickWindow(f.Check6.hwnd());
    EXPECT_EQ(f.Check6.Value(), 0);
    f.Checknasabah.Value(1);
    EXPECT_EQ(f.Check6.Value(), 0);
    EXPECT_EQ(f.Check5.Value(), 1);
  });
}

TEST_F(UsersTest, TypedAdminBecomesAdminWithEveryBoxTicked) {
  showModal([&](frmotoritas& f) {
    clickWindow(f.Command4.hwnd());
    typeText(f.Text1.hwnd(), "admin");
    EXPECT_EQ(boxes(), only({}));
    pressKey(f.Text1.hwnd(), VK_TAB);
    EXPECT_TRUE(f.Text2.HasFocus());
    EXPECT_EQ(f.Text1.Text(), "ADMIN");
    std::vector<std::string> all;
    for (const auto& b : kBoxes) all.push_back(b.second);
    EXPECT_EQ(boxes(), only(all));

    // Any other name is only put in capitals.
    clickWindow(f.Command4.hwnd());
    typeText(f.Text1.hwnd(), "Budi");
    pressKey(f.Text1.hwnd(), VK_TAB);
    EXPECT_EQ(f.Text1.Text(), "BUDI");
    EXPECT_EQ(boxes(), only({}));
  });
}

TEST_F(UsersTest, NameOfAnotherUserIsRefused) {
  addRow("KASIR", "NULL", {"checkmaster"});
  struct Case {
    std::string name, editing;  // editing: the user clicked first, "" for a new one
    bool refused;
  };
  const Case cases[] = {
      {"admin", "", true},       // the login would take either row
      {"Kasir", "ADMIN", true},  // renaming onto another user
      {"KASIR", "KASIR", false}, // saving a user under its own name
      {"kasir", "KASIR", false},
      {"ADMIN ", "", false},     // another name
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name + " over " + c.editing);
    freshSeams();
    const std::string password = "baru" + std::to_string(++n);
    const std::string users = scalar("select count(*) from Tuser");
    showModal([&](frmotoritas& f) {
      if (c.editing.empty())
        clickWindow(f.Command4.hwnd());
      else
        clickRow(rowOf(c.editing));
      f.Text1.Text(c.name);
      f.Text2.Text(password);
      clickWindow(f.Command1.hwnd());
    });
    ASSERT_EQ(seams->boxes.size(), 1u);
    if (c.refused) {
      EXPECT_NE(seams->boxes[0].prompt.find("sudah dipakai"), std::string::npos) << seams->boxes[0].prompt;
      EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation);
      EXPECT_EQ(scalar("select count(*) from Tuser"), users);
      EXPECT_EQ(scalar("select count(*) from Tuser where pasword = '" + password + "'"), "0");
    } else {
      EXPECT_EQ(seams->boxes[0].prompt, "Data Sudah Tersimpan");
      EXPECT_EQ(scalar("select count(*) from Tuser where pasword = '" + password + "'"), "1");
    }
  }
  EXPECT_EQ(users().count("ADMIN"), 1u);
  EXPECT_EQ(scalar("select pasword from Tuser where nomor = " + keyOf("ADMIN")), "admin");
}

TEST_F(UsersTest, DeleteProtectsAdminByNameAndLevel) {
  addRow("Admin", "NULL");
  addRow("ADMIN ", "NULL");
  addRow("PENGAWAS", "'admin'");
  addRow("OPERATOR", "'Admin'");
  struct Case {
    std::string name;
    std::string refusal;  // "" when it can be deleted
  };
  const Case cases[] = {
      {"ADMIN", "Admin tidak dapat dihapus"},
      {"PENGAWAS", "Level Admin tidak dapat dihapus"},
      {"Admin", ""},
      {"ADMIN ", ""},
      {"OPERATOR", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("[" + c.name + "]");
    freshSeams();
    seams->answers.push_back(ui::vbYes);
    showModal([&](frmotoritas& f) {
      const int before = f.Lv1.ListItems.Count();
      clickRow(rowOf(c.name));
      clickWindow(f.Command2.hwnd());
      ASSERT_EQ(seams->boxes.size(), 1u);
      if (!c.refusal.empty()) {
        EXPECT_EQ(seams->boxes[0].prompt, c.refusal);
        EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation);
        EXPECT_EQ(seams->boxes[0].title, "Talvoren");
        EXPECT_EQ(f.Lv1.ListItems.Count(), before);
        EXPECT_EQ(f.Text1.Text(), c.name);
      } else {
        EXPECT_EQ(seams->boxes[0].prompt, "Apakah Anda Yakin Menghapus user " + c.name + " ? ");
        EXPECT_EQ(seams->boxes[0].flags, ui::vbYesNo);
        EXPECT_EQ(seams->boxes[0].title, "Konfirmasi");
        EXPECT_EQ(f.Lv1.ListItems.Count(), before - 1);
        EXPECT_EQ(f.Text1.Text(), "");
        EXPECT_EQ(f.Text2.Text(), "");
        EXPECT_EQ(f.TextLevel.Text(), "");
        EXPECT_EQ(boxes(), only({}));
      }
    });
    EXPECT_EQ(users().count(c.name), c.refusal.empty() ? 0u : 1u);
  }
}

TEST_F(UsersTest, DeleteAsksForTheSelectedRowNotTheBoxes) {
  addRow("KASIR", "NULL");
  addRow("TAMU", "NULL");
  // Rows by name: ADMIN, KASIR, TAMU.
  struct Case {
    std::string clicked, selected;  // selected with the keyboard after the click
    int move;
    std::string first;  // the first message
  };
  const Case cases[] = {
      // The boxes show a deletable user, the row is the administrator.
      {"KASIR", "ADMIN", VK_UP, "Admin tidak dapat dihapus"},
      // The boxes show the administrator, the row is a deletable user.
      {"ADMIN", "KASIR", VK_DOWN, "Apakah Anda Yakin Menghapus user KASIR ? "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clicked + " then " + c.selected);
    freshSeams();
    seams->answers.push_back(ui::vbYes);
    showModal([&](frmotoritas& f) {
      clickRow(rowOf(c.clicked));
      pressKey(f.Lv1.hwnd(), c.move);
      ASSERT_NE(f.Lv1.SelectedItem(), nullptr);
      EXPECT_EQ(f.Lv1.SelectedItem()->SubItems(1), c.selected);
      EXPECT_EQ(f.Text1.Text(), c.clicked);
      clickWindow(f.Command2.hwnd());
    });
    ASSERT_FALSE(seams->boxes.empty());
    EXPECT_EQ(seams->boxes[0].prompt, c.first);
  }
  EXPECT_EQ(scalar("select count(*) from Tuser where kodeuser = 'ADMIN'"), "1");
  EXPECT_EQ(scalar("select count(*) from Tuser where kodeuser = 'KASIR'"), "0");
  EXPECT_EQ(scalar("select count(*) from Tuser where kodeuser = 'TAMU'"), "1");

  // No answer Yes, or no row selected: nothing is deleted.
  for (const int answer : {static_cast<int>(ui::vbNo), 0}) {
    freshSeams();
    seams->answers.push_back(ui::vbNo);
    showModal([&](frmotoritas& f) {
      if (answer) clickRow(rowOf("TAMU"));
      clickWindow(f.Command2.hwnd());
    });
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].prompt, answer ? "Apakah Anda Yakin Menghapus user TAMU ? "
                                             : "Pilih dulu user yang akan dihapus");
    EXPECT_EQ(scalar("select count(*) from Tuser"), "2");
  }
}

TEST_F(UsersTest, ListShowsNoPasswordsAndFollowsTheDatabaseOrderAfterASave) {
  addRow("ZAENAL", "NULL");
  addRow("bambang", "NULL");
  const std::string a = keyOf("ADMIN"), z = keyOf("ZAENAL"), b = keyOf("bambang");
  showModal([&](frmotoritas& f) {
    // Opened: by name, letter case aside.
    EXPECT_EQ(rows(), (std::vector<std::string>{"1|ADMIN||" + a, "2|bambang||" + b, "3|ZAENAL||" + z}));
    EXPECT_EQ(f.Lv1.ColumnHeaders.Count(), 4);
    const std::pair<const char*, int> headers[] = {{"No.", 1440}, {"User Name", 2440}, {"Pasword", 4440}, {"id", 0}};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(f.Lv1.ColumnHeaders.Item(i + 1).Text(), headers[i].first);
      EXPECT_NEAR(f.Lv1.ColumnHeaders.Item(i + 1).Width(), headers[i].second, 15);
    }
    clickWindow(f.Command4.hwnd());
    f.Text1.Text("CITRA");
    f.Text2.Text("c");
    clickWindow(f.Command1.hwnd());
    // After a save: as the database returns the rows.
    EXPECT_EQ(rows(), (std::vector<std::string>{"1|ADMIN||" + a, "2|ZAENAL||" + z, "3|bambang||" + b,
                                                "4|CITRA||" + keyOf("CITRA")}));
  });
  // Opened again: by name again.
  showModal([&](frmotoritas& f) {
    EXPECT_EQ(f.Lv1.ListItems.Item(2).SubItems(1), "bambang");
    EXPECT_EQ(f.Lv1.ListItems.Item(3).SubItems(1), "CITRA");
  });
}

TEST_F(UsersTest, FailuresAreReportedNotConfirmed) {
  showModal([&](frmotoritas& f) {
    clickRow(rowOf("ADMIN"));
    Module1::koneksi->execute("ALTER TABLE Tuser RENAME TO Tlama");
    f.Text2.Text("baru");
    clickWindow(f.Command1.hwnd());
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].prompt.rfind("Data gagal disimpan: ", 0), 0u) << seams->boxes[0].prompt;
    EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation);

    seams->answers.push_back(ui::vbYes);
    clickWindow(f.Command2.hwnd());
    ASSERT_EQ(seams->boxes.size(), 2u);
    EXPECT_EQ(seams->boxes[1].prompt.rfind("User gagal dihapus: ", 0), 0u) << seams->boxes[1].prompt;
    // The row stays listed: it was not deleted.
    EXPECT_EQ(f.Lv1.ListItems.Count(), 1);
    Module1::koneksi->execute("ALTER TABLE Tlama RENAME TO Tuser");
  });
  EXPECT_EQ(scalar("select pasword from Tuser"), "admin");
}

TEST_F(UsersTest, TutupAndTheCloseBoxUnloadWithoutSaving) {
  const std::pair<const char*, std::function<void(frmotoritas&)>> ways[] = {
      {"Tutup", [](frmotoritas& f) { clickWindow(f.Command3.hwnd()); }},
      {"close box", [](frmotoritas& f) { SendMessageW(f.hwnd(), WM_CLOSE, 0, 0); }},
  };
  for (const auto& [name, close] : ways) {
    SCOPED_TRACE(name);
    // Closed while the name box has the focus and a typed name.
    ui::testing::onShown([&](ui::Form&) {
      frmotoritas& f = dlg();
      clickWindow(f.Command4.hwnd());
      typeText(f.Text1.hwnd(), "admin");
      close(f);
    });
    dlg().ShowModal();
    pump();
    EXPECT_FALSE(dlg().Loaded());
  }
  EXPECT_EQ(scalar("select count(*) from Tuser"), "1");
  EXPECT_TRUE(seams->boxes.empty());
}

TEST_F(UsersTest, SavedPermissionsShapeTheNextLogin) {
  // Opened from the main window, as the administrator does it.
  openAs("ADMIN");
  ui::testing::onShown([&](ui::Form& form) {
    frmotoritas& f = dlg();
    EXPECT_EQ(&form, static_cast<ui::Form*>(&f));
    EXPECT_FALSE(IsWindowEnabled(main().hwnd()));
    SetForegroundWindow(f.hwnd());
    clickWindow(f.Command4.hwnd());
    f.Text1.Text("KASIR");
    f.Text2.Text("kasir1");
    clickWindow(f.Checkmaster.hwnd());
    for (ui::CheckBox* b : {&f.Check2, &f.Check3, &f.Check4}) clickWindow(b->hwnd());
    clickWindow(f.Command1.hwnd());
    clickWindow(f.Command3.hwnd());
  });
  clickButton("Admin", "5");
  pump();
  EXPECT_EQ(prompts(), std::vector<std::string>{"Data Sudah Tersimpan"});
  closeAll();

  // The next start: the login with the new user's name and password.
  Frmlogin& login = ui::Default<Frmlogin>();
  login.Show();
  login.Txtkodeuser.Text("kasir");
  login.Txtpassword.Text("KASIR1");
  clickWindow(login.Command1.hwnd());
  ASSERT_TRUE(main().Visible());
  EXPECT_EQ(shownTabs(), std::vector<std::string>{"Data"});
  EXPECT_EQ(shownButtons(), std::vector<std::string>{"Kwitansi"});
  EXPECT_EQ(ribbon().Buttons().size(), 1u);
}

// The login reads every apostrophe as a backtick; what the dialog stores
// must match, or the user is locked out.
TEST_F(UsersTest, NameOrPasswordWithAnApostropheLogsInAsTyped) {
  struct Case {
    std::string editing;  // the user clicked first, "" for a new one
    std::string name, password;
    std::string storedName, storedPassword;
  };
  const Case cases[] = {
      {"", "O'Brien", "it's", "O`BRIEN", "it`s"},
      // The administrator's own password.
      {"ADMIN", "", "ad'min", "ADMIN", "ad`min"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.storedName + " / " + c.storedPassword);
    closeAll();
    Module1::bukaDatabase();
    showModal([&](frmotoritas& f) {
      if (c.editing.empty()) {
        clickWindow(f.Command4.hwnd());
        typeText(f.Text1.hwnd(), c.name);
        pressKey(f.Text1.hwnd(), VK_TAB);
        clickWindow(f.Checkmaster.hwnd());
      } else {
        clickRow(rowOf(c.editing));
      }
      f.Text2.Text("");
      typeText(f.Text2.hwnd(), c.password);
      clickWindow(f.Command1.hwnd());
      EXPECT_EQ(prompts(), std::vector<std::string>{"Data Sudah Tersimpan"});
      // The boxes show what is stored, as the login shows what it looks up.
      EXPECT_EQ(f.Text1.Text(), c.storedName);
      EXPECT_EQ(f.Text2.Text(), c.storedPassword);
    });
    EXPECT_EQ(scalar("select pasword from Tuser where kodeuser = '" + c.storedName + "'"), c.storedPassword);
    closeAll();

    // The next start: typed exactly as in the users dialog.
    Frmlogin& login = ui::Default<Frmlogin>();
    login.Show();
    pump();
    typeText(login.Txtkodeuser.hwnd(), c.editing.empty() ? c.name : c.editing);
    pressKey(login.Txtkodeuser.hwnd(), VK_RETURN);
    typeText(login.Txtpassword.hwnd(), c.password);
    pressKey(login.Txtpassword.hwnd(), VK_RETURN);
    EXPECT_TRUE(seams->boxes.empty()) << seams->boxes[0].prompt;
    EXPECT_TRUE(main().Visible());
  }
}

// Whoever is logged in, and the last user who can reach "Data User" (the
// button and the Admin tab it sits on), stay: without them nobody could
// manage the users again.
TEST_F(UsersTest, LastUserWhoMayManageUsersCannotBeDeleted) {
  addRow("KASIR", "NULL", {"checkmaster", "check1"});
  addRow("TAMU", "NULL", {"check6"});  // the button without its tab
  addRow("PENGAWAS", "NULL", {"checknasabah", "check6"});
  struct Case {
    std::string name;
    std::string refusal;  // "" when it is deleted
  };
  const Case cases[] = {
      {"PENGAWAS", ""},
      {"BOSS", "User ini satu-satunya yang dapat membuka Data User, tidak dapat dihapus"},
      {"TAMU", ""},
      {"KASIR", ""},
  };
  showModal([&](frmotoritas& f) {
    // The administrator renamed: neither the name nor a level protects it.
    clickRow(rowOf("ADMIN"));
    f.Text1.Text("");
    typeText(f.Text1.hwnd(), "BOSS");
    clickWindow(f.Command1.hwnd());
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      freshSeams();
      if (c.refusal.empty()) seams->answers.push_back(ui::vbYes);
      clickRow(rowOf(c.name));
      clickWindow(f.Command2.hwnd());
      ASSERT_EQ(seams->boxes.size(), 1u);
      if (c.refusal.empty()) {
        EXPECT_EQ(seams->boxes[0].prompt, "Apakah Anda Yakin Menghapus user " + c.name + " ? ");
      } else {
        EXPECT_EQ(seams->boxes[0].prompt, c.refusal);
        EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation);
        EXPECT_EQ(seams->boxes[0].title, "Talvoren");
        EXPECT_EQ(f.Text1.Text(), c.name);
      }
    }
  });
  EXPECT_EQ(users().size(), 1u);
  EXPECT_EQ(users().count("BOSS"), 1u);
}

TEST_F(UsersTest, LoggedInUserCannotBeDeletedEvenAfterARenameOrARestore) {
  addRow("PENGAWAS", "NULL", {"checknasabah", "check6"});
  closeAll();
  Frmlogin& login = ui::Default<Frmlogin>();
  login.Show();
  pump();
  login.Txtkodeuser.Text("ADMIN");
  login.Txtpassword.Text("admin");
  clickWindow(login.Command1.hwnd());
  ASSERT_TRUE(main().Visible());
  ui::testing::onShown([&](ui::Form&) {
    frmotoritas& f = dlg();
    SetForegroundWindow(f.hwnd());
    ui::testing::pumpUntilIdle();
    clickRow(rowOf("ADMIN"));
    f.Text1.Text("");
    typeText(f.Text1.hwnd(), "BOSS");
    clickWindow(f.Command1.hwnd());
    freshSeams();
    seams->answers.push_back(ui::vbYes);
    // Another row first: two clicks on one spot would be a double click.
    clickRow(rowOf("PENGAWAS"));
    clickRow(rowOf("BOSS"));
    clickWindow(f.Command2.hwnd());
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].prompt, "User yang sedang login tidak dapat dihapus");
    EXPECT_EQ(seams->boxes[0].flags, ui::vbExclamation);
    EXPECT_EQ(seams->boxes[0].title, "Talvoren");
    // Another user with the same rights goes.
    freshSeams();
    seams->answers.push_back(ui::vbYes);
    clickRow(rowOf("PENGAWAS"));
    clickWindow(f.Command2.hwnd());
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].prompt, "Apakah Anda Yakin Menghapus user PENGAWAS ? ");
    clickWindow(f.Command3.hwnd());
  });
  clickButton("Admin", "5");
  pump();
  EXPECT_EQ(users().size(), 1u);
  EXPECT_EQ(users().count("BOSS"), 1u);

  // A restored copy numbers its users otherwise: the logged-in user is found
  // there again by name, and the key it had here (1) is another user's.
  const std::string copy = file("cadangan.mdb");
  db::createProgramDatabase(copy);
  auto cn = db::Connection::create();
  cn->open("Data Source=" + copy);
  cn->execute("update Tuser set kodeuser = 'KASIR'");
  for (std::string name : {"PENGAWAS", "BOSS"})
    cn->execute("insert into Tuser (kodeuser, pasword, checknasabah, check6) values ('" + name + "', 'x', True, True)");
  cn->close();
  freshSeams();
  seams->fileAnswers.push_back(copy);
  clickButton("Admin", "7");
  showModal([&](frmotoritas& f) {
    for (const char* name : {"BOSS", "KASIR"}) {
      clickRow(rowOf(name));
      clickWindow(f.Command2.hwnd());
    }
  });
  EXPECT_EQ(prompts(), (std::vector<std::string>{"Restore Sukses", "User yang sedang login tidak dapat dihapus",
                                                 "Apakah Anda Yakin Menghapus user KASIR ? "}));
  EXPECT_EQ(users(), (std::map<std::string, std::string>{{"BOSS", "3"}, {"PENGAWAS", "2"}}));
}

TEST_F(UsersTest, Screenshot) {
  addRow("KASIR", "NULL", {"checkmaster", "check1", "check2"});
  addRow("OPERATOR", "NULL", {"checknasabah", "check7", "check8"});
  addRow("PENGAWAS", "'admin'");
  showModal([&](frmotoritas& f) {
    clickRow(rowOf("KASIR"));
    EXPECT_TRUE(vt::test::screenshot(f.hwnd(), "users.png"));
    // Everything of the edited user lies inside its frame, the list beside it.
    for (ui::Control* c : std::initializer_list<ui::Control*>{&f.Text1, &f.Text2, &f.TextLevel, &f.Check10, &f.Check13}) {
      EXPECT_LE(c->Left() + c->Width(), f.Frame2.Width());
      EXPECT_LE(c->Top() + c->Height(), f.Frame2.Height());
    }
    EXPECT_LT(f.Lv1.Left() + f.Lv1.Width(), f.Frame2.Left());
    EXPECT_LE(f.Frame1.Top() + f.Frame1.Height(), f.ScaleHeight());
  });
}

}  // namespace
}  // namespace mainwin
