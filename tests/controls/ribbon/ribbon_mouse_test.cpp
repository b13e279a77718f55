// Hover and pressed looks and the three events, driven by mouse messages
// sent to the ribbon's window.
#include "ribbon_fixture.h"

#include <functional>

#include "support/win_test_support.h"

namespace ribbontest {
namespace {

class RibbonMouseTest : public RibbonTest {
protected:
  void SetUp() override {
    RibbonTest::SetUp();
    MakeRibbon(1);
    bar->AddTab("1", "Data");
    bar->AddTab("2", "Admin");
    bar->AddTab("3", "About");
    bar->AddCat("1", "1", "Kwitansi", true);
    bar->AddCat("2", "2", "Customer", false);
    bar->AddCat("3", "1", "Lain", false);
    bar->AddButton("0", "1", "Kwitansi", 48);
    bar->AddButton("1", "1", "Data\r\nCustomer", 40, true);
    bar->AddButton("4", "2", "Pengaturan", 50);
    bar->AddButton("9", "3", "Wallpaper", 32);
    bar->Refresh();
    bar->TabClick = [this](const std::string& id, const std::string& c) { events.push_back("tab " + id + " " + c); };
    bar->CatClick = [this](const std::string& id, const std::string& c) { events.push_back("cat " + id + " " + c); };
    bar->ButtonClick = [this](const std::string& id, const std::string& c) {
      events.push_back("button " + id + " " + c);
      pressedAtEvent = El(Piece::Button_center_over, 1).visible || El(Piece::Button_center_over, 2).visible;
    };
  }
  bool Hot(Piece centre, int i) const { return El(centre, i).visible; }
  POINT Strip() const { return {1100, 10}; }  // right of the tabs: only the strip lies there

  std::vector<std::string> events;
  bool pressedAtEvent = true;
};

TEST_F(RibbonMouseTest, HoverLightsOneItemPerRow) {
  struct Step {
    const char* what;
    std::function<POINT()> where;
    bool tab1, cat0, cat1, button1, button2, glyph2;
  } steps[] = {
      {"first button", [&] { return Centre(Piece::ButMouse, 1); }, false, true, false, true, false, false},
      {"its neighbour", [&] { return Centre(Piece::ButMouse, 2); }, false, true, false, false, true, true},
      {"other category", [&] { return Centre(Piece::ButMouse, 3); }, false, false, true, false, false, false},
      {"frame of the first", [&] { return POINT{9, 100}; }, false, true, false, false, false, false},
      {"second tab", [&] { return Centre(Piece::TabMouse, 1); }, true, false, false, false, false, false},
      {"the strip", [&] { return Strip(); }, false, false, false, false, false, false},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    Move(s.where());
    EXPECT_EQ(Hot(Piece::Tab_center_over, 1), s.tab1);
    EXPECT_EQ(Hot(Piece::Tab_left_over, 1), s.tab1);
    EXPECT_EQ(Hot(Piece::Cat_Center_on, 0), s.cat0);
    EXPECT_EQ(Hot(Piece::Cat_Right_on, 0), s.cat0);
    EXPECT_EQ(Hot(Piece::Cat_Dlg_on, 0), s.cat0);
    EXPECT_EQ(Hot(Piece::Cat_Center_on, 1), s.cat1);
    EXPECT_EQ(Hot(Piece::Button_center, 1), s.button1);
    EXPECT_EQ(Hot(Piece::Button_left, 1), s.button1);
    EXPECT_EQ(Hot(Piece::Button_center, 2), s.button2);
    EXPECT_EQ(Hot(Piece::Glip_on, 2), s.glyph2);
    EXPECT_TRUE(El(Piece::Glip_off, 2).visible);
    EXPECT_FALSE(Hot(Piece::Tab_center_over, 0));  // the selected tab never lights
  }
  // The selected tab lights nothing and puts out the other tab.
  Move(Centre(Piece::TabMouse, 1));
  Move(Centre(Piece::TabMouse, 0));
  EXPECT_FALSE(Hot(Piece::Tab_center_over, 0));
  EXPECT_FALSE(Hot(Piece::Tab_center_over, 1));
  // A category without launcher never shows its hot or pressed launcher.
  Move(Centre(Piece::ButMouse, 3));
  EXPECT_FALSE(El(Piece::Cat_Dlg_on, 1).visible);
  EXPECT_FALSE(El(Piece::Cat_Dlg_over, 1).visible);
}

TEST_F(RibbonMouseTest, HoverEndsWhenThePointerLeavesForAnyWindow) {
  // A window of its own away from the host, standing in for a dialog.
  static HWND other = [] {
    HWND h = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"dialog", WS_POPUP | WS_BORDER, 500, 600, 300, 200, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    return h;
  }();
  auto anyLit = [&] {
    return Hot(Piece::Button_center, 1) || Hot(Piece::Cat_Center_on, 0) || Hot(Piece::Tab_center_over, 1);
  };
  // Pumps until nothing is lit, for at most a few seconds.
  auto settle = [&] {
    for (int i = 0; i < 60 && anyLit(); ++i) vt::test::PumpMessages(50);
  };
  struct Case {
    const char* what;
    std::function<void()> act;
  } cases[] = {
      {"pointer moved onto another window",
       [&] {
         Move(Centre(Piece::ButMouse, 1));
         ShowWindow(other, SW_SHOWNOACTIVATE);
         SetCursorPos(650, 700);
       }},
      {"pointer moved off every window", [&] {
         Move(Centre(Piece::TabMouse, 1));
         SetCursorPos(1250, 1000);
       }},
      {"a dialog opened by the click, the pointer gone onto it", [&] {
         bar->ButtonClick = [&](const std::string&, const std::string&) {
           // As a modal dialog does: the owner disabled, a loop of its own.
           EnableWindow(host, FALSE);
           ShowWindow(other, SW_SHOWNOACTIVATE);
           SetCursorPos(650, 700);
           vt::test::PumpMessages(800);
           ShowWindow(other, SW_HIDE);
           EnableWindow(host, TRUE);
         };
         const POINT pt = Centre(Piece::ButMouse, 1);
         Move(pt);
         ClickAt(pt);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.act();
    settle();
    EXPECT_FALSE(anyLit());
    ShowWindow(other, SW_HIDE);
  }
  // While the pointer stays over the button, its look stays.
  Move(Centre(Piece::ButMouse, 2));
  vt::test::PumpMessages(600);
  EXPECT_TRUE(Hot(Piece::Button_center, 2));
  EXPECT_TRUE(Hot(Piece::Cat_Center_on, 0));
}

TEST_F(RibbonMouseTest, ButtonPressAndClickRaiseTheCaptionAsShown) {
  struct Case {
    int index;
    UINT down, up;
    bool clicks;
    const char* event;
  } cases[] = {{1, WM_LBUTTONDOWN, WM_LBUTTONUP, true, "button 0 Kwitansi"},
               {2, WM_LBUTTONDOWN, WM_LBUTTONUP, true, "button 1 Data\r\nCustomer"},
               {1, WM_RBUTTONDOWN, WM_RBUTTONUP, false, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    events.clear();
    POINT pt = Centre(Piece::ButMouse, c.index);
    Move(pt);
    Down(pt, c.down);
    for (Piece p : {Piece::Button_left_over, Piece::Button_center_over, Piece::Button_right_over})
      EXPECT_TRUE(El(p, c.index).visible) << ctl::PieceName(p);
    EXPECT_TRUE(El(Piece::Button_center, c.index).visible);  // hover look stays beside it
    Up(pt, c.up);
    EXPECT_FALSE(El(Piece::Button_center_over, c.index).visible);
    if (c.clicks) {
      EXPECT_EQ(events, std::vector<std::string>{c.event});
      EXPECT_FALSE(pressedAtEvent);
    } else {
      EXPECT_TRUE(events.empty());
    }
  }
  // Released away from the button: no click.
  events.clear();
  Down(Centre(Piece::ButMouse, 1));
  Up(Strip());
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(El(Piece::Button_center_over, 1).visible);
}

TEST_F(RibbonMouseTest, TabClickSelectsRebuildsAndSurvivesRefresh) {
  ClickAt(Centre(Piece::TabMouse, 1));
  EXPECT_EQ(events, std::vector<std::string>{"tab 2 Admin"});
  EXPECT_EQ(bar->CurrentTab(), "2");
  EXPECT_TRUE(El(Piece::Tab_center, 1).visible);
  EXPECT_FALSE(El(Piece::Tab_center, 0).visible);
  EXPECT_EQ(El(Piece::Cat_Caption, 0).tag, "2");
  EXPECT_EQ(bar->HighestIndex(Piece::CatMouse), 0);
  ASSERT_EQ(ShownButtons(), std::vector<int>{1});
  EXPECT_EQ(El(Piece::ButMouse, 1).tag, "4");
  // The same tab again: selected again, rebuilt, and the event once more.
  ClickAt(Centre(Piece::TabMouse, 1));
  EXPECT_EQ(events.size(), 2u);
  bar->Refresh();
  EXPECT_TRUE(El(Piece::Tab_center, 1).visible);
  EXPECT_FALSE(El(Piece::Tab_center, 0).visible);
  EXPECT_EQ(El(Piece::Cat_Caption, 0).tag, "2");
  EXPECT_EQ(El(Piece::ButMouse, 1).tag, "4");
}

TEST_F(RibbonMouseTest, LauncherPathRaisesCatClick) {
  Move(Centre(Piece::CatMouse, 0));
  EXPECT_TRUE(El(Piece::Cat_Dlg_on, 0).visible);
  EXPECT_FALSE(El(Piece::Cat_Dlg_over, 0).visible);
  POINT launcher = Centre(Piece::Cat_Dlg, 0);
  Move(launcher);
  EXPECT_TRUE(El(Piece::Cat_Dlg_over, 0).visible);
  ClickAt(launcher);
  EXPECT_EQ(events, std::vector<std::string>{"cat 1 Kwitansi"});
  // Back over the category's hit area: the pressed launcher goes.
  Move(Centre(Piece::ButMouse, 1));
  EXPECT_FALSE(El(Piece::Cat_Dlg_over, 0).visible);
  EXPECT_TRUE(El(Piece::Cat_Dlg_on, 0).visible);
}

// A host that rebuilds the ribbon from its click handler, and clicks that
// arrive while the category layout lets messages through.
TEST_F(RibbonMouseTest, LayoutsRequestedDuringALayoutWaitTheirTurn) {
  bar->ButtonClick = [this](const std::string& id, const std::string&) {
    events.push_back("button " + id);
    bar->Refresh();
  };
  ClickAt(Centre(Piece::ButMouse, 1));
  EXPECT_EQ(events, std::vector<std::string>{"button 0"});
  EXPECT_EQ(ShownButtons().size(), 3u);

  events.clear();
  POINT tab = Centre(Piece::TabMouse, 1);
  PostMessageW(bar->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab.x, tab.y));
  PostMessageW(bar->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(tab.x, tab.y));
  bar->Refresh();  // its message pass delivers the click; the tab's layout runs after
  EXPECT_EQ(events, std::vector<std::string>{"tab 2 Admin"});
  EXPECT_EQ(bar->CurrentTab(), "2");
  EXPECT_EQ(El(Piece::Cat_Caption, 0).tag, "2");
  ASSERT_EQ(ShownButtons(), std::vector<int>{1});
  for (Piece p : {Piece::Button_Icon, Piece::Button_Caption, Piece::Button_center, Piece::Glip_on})
    EXPECT_EQ(bar->HighestIndex(p), 1) << ctl::PieceName(p);
}

}  // namespace
}  // namespace ribbontest
