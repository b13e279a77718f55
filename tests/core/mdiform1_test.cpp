// The main window: the ribbon built from the user's flags, the title, the
// status-bar clock, the wallpaper and the exit question.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "core/mdiform1_fixture.h"
#include "core/module1.h"
#include "platform/ui/app.h"
#include "platform/ui/testing.h"
#include "platform/ui/win_util.h"
#include "platform/vb/locale.h"

namespace mainwin {
namespace {

TEST_F(MainWindowTest, RibbonShowsWhatTheUserMay) {
  struct Case {
    std::string name;
    std::vector<std::string> flags;
    std::vector<std::string> tabs;            // shown, in order
    std::vector<std::string> firstTabButtons;  // shown on the first tab
    std::vector<std::string> buttonIds;       // added, in order
  };
  const Case cases[] = {
      {"kasir", {"checkmaster", "check1"}, {"Data"}, {"Kwitansi"}, {"0"}},
      {"kosong", {}, {}, {}, {}},
      // Buttons whose tab the user may not see are added but never shown.
      {"tanpatab", {"check5", "check11"}, {}, {}, {"4", "10"}},
      {"adminonly", {"checknasabah", "check6", "check7", "check13"}, {"Admin"}, {"Data User", "Backup"},
       {"5", "6", "12"}},
      // The name is joined into the query with its apostrophe doubled.
      {"d'Arc", {"checkpengaturan", "check11", "check12", "check13"}, {"About"}, {"About", "Panduan"},
       {"10", "12"}},
      {"ADMIN", kAllFlags, {"Data", "Admin", "About"},
       {"Kwitansi", "Customer", "Data Kwitansi", "Data Customer"},
       {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "12"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.name != "ADMIN") addUser(c.name, c.flags);
    openAs(c.name);
    ASSERT_TRUE(main().Visible());
    EXPECT_TRUE(seams->boxes.empty());
    EXPECT_EQ(shownTabs(), c.tabs);
    EXPECT_EQ(shownButtons(), c.firstTabButtons);
    // The four groups are there whatever the tabs.
    ASSERT_EQ(ribbon().Cats().size(), 4u);
    EXPECT_EQ(ribbon().Cats()[2].caption, "Data. Kwitansi");
    EXPECT_EQ(ribbon().Cats()[3].tab, "4");
    std::vector<std::string> ids;
    for (const auto& b : ribbon().Buttons()) ids.push_back(b.id);
    EXPECT_EQ(ids, c.buttonIds);
    closeAll();
  }
}

TEST_F(MainWindowTest, ButtonsShowTheirPicturesOfTheImageList) {
  openAs("ADMIN");
  ASSERT_EQ(main().ImageList1.Count(), 51);
  const int pictures[] = {48, 40, 49, 49, 50, 36, 7, 8, 6, 32, 16, 51};
  const auto& buttons = ribbon().Buttons();
  ASSERT_EQ(buttons.size(), std::size(pictures));
  for (size_t i = 0; i < buttons.size(); ++i) {
    SCOPED_TRACE(buttons[i].caption);
    // The very picture of the list, not just one of its size.
    const ctl::RibbonPicture& want = main().ImageList1.Picture(pictures[i]);
    ASSERT_EQ(buttons[i].picture.Width(), want.Width());
    bool same = true;
    for (int y = 0; y < want.Height() && same; ++y)
      for (int x = 0; x < want.Width() && same; ++x) same = buttons[i].picture.Pixel(x, y) == want.Pixel(x, y);
    EXPECT_TRUE(same);
  }
}

TEST_F(MainWindowTest, TitleCaptionAndTheFramesLook) {
  exec("insert into tblset (namalembaga) values ('SMK Harapan')");
  openAs("ADMIN");
  EXPECT_EQ(ui::App::get().Title(), "Vantorel V1.7 BUILD 28092025");
  EXPECT_EQ(main().Caption(), "Vantorel V1.7 BUILD 28092025 [ SMK Harapan ]");
  EXPECT_EQ(ribbon().Theme(), 1);
  EXPECT_TRUE(ribbon().ButtonCenter());
  EXPECT_EQ(main().BackColor(), 0xDAB08EUL);
  // The ribbon lies across the top at its fixed height, the status bar at the bottom.
  RECT frame, bar, status;
  GetClientRect(main().hwnd(), &frame);
  GetWindowRect(ribbon().hwnd(), &bar);
  MapWindowPoints(nullptr, main().hwnd(), reinterpret_cast<POINT*>(&bar), 2);
  EXPECT_EQ(bar.top, 0);
  EXPECT_EQ(bar.right - bar.left, frame.right);
  EXPECT_EQ(bar.bottom - bar.top, 1740 / 15);
  GetWindowRect(main().StatusBar1.hwnd(), &status);
  MapWindowPoints(nullptr, main().hwnd(), reinterpret_cast<POINT*>(&status), 2);
  EXPECT_EQ(status.bottom, frame.bottom);
}

TEST_F(MainWindowTest, StatusBarClockAndIndicators) {
  const vb::Locale saved = vb::currentLocale();
  vb::setCurrentLocale(vb::Locale::indonesian());
  openAs("ADMIN");
  auto& panels = main().StatusBar1.Panels;
  ASSERT_EQ(panels.Count(), 4);
  struct PanelExpect {
    int width;
    std::string tip;
    int style;
  };
  const PanelExpect layout[] = {{3000, "Tanggal hari ini", ui::sbrText},
                                {2500, "Waktu Sekarang", ui::sbrText},
                                {1440, "", ui::sbrCaps},
                                {1440, "", ui::sbrNum}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(panels.Item(i + 1).Width(), layout[i].width);
    EXPECT_EQ(panels.Item(i + 1).ToolTipText(), layout[i].tip);
    EXPECT_EQ(panels.Item(i + 1).Style(), layout[i].style);
  }
  EXPECT_EQ(panels.Item(3).Text(), "CAPS");
  EXPECT_EQ(panels.Item(4).Text(), "NUM");

  struct Tick {
    vb::Date at;
    std::string date, time;
  };
  const Tick ticks[] = {
      {vb::Date::fromParts(2026, 12, 5, 15, 4, 9), "Tanggal: 05 Desember 2026 ", " 03:04:09 Pm "},
      {vb::Date::fromParts(2027, 1, 31, 0, 0, 0), "Tanggal: 31 Januari 2027 ", " 12:00:00 Am "},
      {vb::Date::fromParts(2025, 8, 9, 11, 59, 59), "Tanggal: 09 Agustus 2025 ", " 11:59:59 Am "},
      {vb::Date::fromParts(2025, 8, 9, 12, 0, 1), "Tanggal: 09 Agustus 2025 ", " 12:00:01 Pm "},
  };
  for (const Tick& t : ticks) {
    SCOPED_TRACE(t.date + t.time);
    vb::setClock([at = t.at] { return at; });
    // The timer itself writes the panels.
    ui::testing::pumpFor(350);
    EXPECT_EQ(panels.Item(1).Text(), t.date);
    EXPECT_EQ(panels.Item(2).Text(), t.time);
    // And the status bar window shows them.
    wchar_t text[128] = {};
    SendMessageW(main().StatusBar1.hwnd(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(ui::Narrow(text), t.date);
  }
  vb::setCurrentLocale(saved);
}

TEST_F(MainWindowTest, WallpaperIsStretchedOverTheClientArea) {
  // No wallpaper file: the frame keeps the ribbon's background.
  openAs("ADMIN");
  EXPECT_TRUE(main().Picture3.Picture().empty());
  EXPECT_FALSE(main().Picture().empty());
  closeAll();

  vt::test::writePicture(file("images\\latar.jpg"), 64, 48, RGB(200, 30, 30));
  openAs("ADMIN");
  EXPECT_EQ(main().Picture3.Picture().width(), 64);
  const SIZE sizes[] = {{900, 650}, {640, 480}, {1100, 800}};
  for (SIZE s : sizes) {
    SCOPED_TRACE(std::to_string(s.cx) + "x" + std::to_string(s.cy));
    SetWindowPos(main().hwnd(), nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER);
    pump();
    RECT client;
    GetClientRect(main().clientHwnd(), &client);
    const img::Picture shown = main().Picture();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.width(), client.right);
    EXPECT_EQ(shown.height(), client.bottom);
  }
}

TEST_F(MainWindowTest, ButtonThatOpenedADialogIsNotLeftHot) {
  openAs("ADMIN");
  ASSERT_TRUE(selectTab("Admin"));
  int index = -1;
  for (int i = 0; i <= ribbon().HighestIndex(Piece::ButMouse); ++i)
    if (shown(ribbon().Element(Piece::ButMouse, i)) && ribbon().Element(Piece::ButMouse, i).tag == "4") index = i;
  ASSERT_GE(index, 0);
  // Pengaturan opens its dialog; the user moves onto it and closes it there.
  ui::testing::onShown([&](ui::Form& dialog) {
    RECT r;
    GetWindowRect(dialog.hwnd(), &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ui::testing::pumpFor(800);
    dialog.Unload();
  });
  clickRibbon(centre(Piece::ButMouse, index));
  for (int i = 0; i < 40 && ribbon().Element(Piece::Button_center, index).visible; ++i) ui::testing::pumpFor(50);
  EXPECT_FALSE(ribbon().Element(Piece::Button_center, index).visible);
  EXPECT_FALSE(ribbon().Element(Piece::Cat_Center_on, 0).visible);
  EXPECT_TRUE(main().Visible());
}

TEST_F(MainWindowTest, ExitQuestion) {
  struct Case {
    std::string user;
    int answer;
    bool ends;
  };
  // A user without any flag can quit too.
  addUser("kosong", {});
  const Case cases[] = {{"ADMIN", ui::vbNo, false}, {"ADMIN", ui::vbYes, true}, {"kosong", ui::vbYes, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.user + (c.ends ? " yes" : " no"));
    openAs(c.user);
    seams->answers.push_back(c.answer);
    // The close box of the window.
    SendMessageW(main().hwnd(), WM_CLOSE, 0, 0);
    pump();
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].prompt, "Yakin akan keluar dari aplikasi (Y/N) ?");
    EXPECT_EQ(seams->boxes[0].flags, ui::vbYesNo);
    EXPECT_EQ(seams->boxes[0].title, "Konfirmasi");
    EXPECT_EQ(seams->ends, c.ends ? 1 : 0);
    EXPECT_EQ(Module1::koneksi->isOpen(), !c.ends);
    if (!c.ends) {
      EXPECT_TRUE(main().Visible());
    }
    closeAll();
  }
}

}  // namespace
}  // namespace mainwin
