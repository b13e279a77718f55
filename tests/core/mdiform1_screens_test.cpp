// Pictures of the main window after an ADMIN login, in each ribbon theme:
// build/screenshots/main-<theme>.png, one per tab, and one with a button
// under the mouse, for looking at.
#include <gtest/gtest.h>

#include "core/mdiform1_fixture.h"
#include "platform/ui/testing.h"

namespace mainwin {
namespace {

// The frame takes the theme's back colour and background, as at load.
void ApplyTheme(MDIForm1& form, int theme) {
  ctl::RibbonBar& ribbon = form.RibbonBar1.bar();
  ribbon.Theme(static_cast<int16_t>(theme));
  HBITMAP background = ribbon.LoadBackground().CopyBitmap();
  form.Picture(img::Picture::fromHBITMAP(background));
  DeleteObject(background);
  form.BackColor(ribbon.BackColor());
  ribbon.Refresh();
}

TEST_F(MainWindowTest, ScreenshotsInEveryTheme) {
  const char* names[] = {"black", "blue", "silver"};
  openAs("ADMIN");
  SetWindowPos(main().hwnd(), HWND_TOP, 20, 20, 1000, 640, SWP_SHOWWINDOW);
  pump();
  for (int theme = 0; theme < 3; ++theme) {
    SCOPED_TRACE(names[theme]);
    ApplyTheme(main(), theme);
    // The first tab again, as after the load.
    ASSERT_TRUE(selectTab("Data"));
    pump();
    const std::string base = std::string("main-") + names[theme];
    EXPECT_TRUE(vt::test::screenshot(main().hwnd(), base + ".png"));

    const char* tabs[] = {"Data", "Admin", "About"};
    for (int t = 0; t < 3; ++t) {
      ASSERT_TRUE(selectTab(tabs[t]));
      pump();
      EXPECT_EQ(ribbon().CurrentTab(), std::to_string(t + 1));
      EXPECT_TRUE(vt::test::screenshot(main().hwnd(), base + "-tab" + std::to_string(t + 1) + ".png"));
    }

    // A button under the mouse shows its hover look.
    for (int i = 0; i <= ribbon().HighestIndex(Piece::ButMouse); ++i) {
      auto e = ribbon().Element(Piece::ButMouse, i);
      if (shown(e)) {
        hoverRibbon(centre(Piece::ButMouse, i));
        break;
      }
    }
    pump();
    bool hot = false;
    for (int i = 0; i <= ribbon().HighestIndex(Piece::Button_center); ++i) {
      auto e = ribbon().Element(Piece::Button_center, i);
      hot = hot || (shown(e));
    }
    EXPECT_TRUE(hot);
    EXPECT_TRUE(vt::test::screenshot(main().hwnd(), base + "-hover.png"));
    hoverRibbon(POINT{2, 110});
    pump();
  }
}

}  // namespace
}  // namespace mainwin
