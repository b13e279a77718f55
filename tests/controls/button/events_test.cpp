// Input through real window messages: clicks, drags, keys, focus, hover.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/win_test_support.h"
#include "test_util.h"

namespace {

using Log = std::vector<std::string>;

void Record(ctl::Button& b, Log& log, const std::string& name) {
  b.events.Click = [&log, name] { log.push_back(name + ":Click"); };
  b.events.MouseDown = [&log, name](int btn, int, float, float) {
    log.push_back(name + ":MouseDown" + std::to_string(btn));
  };
  b.events.MouseUp = [&log, name](int btn, int, float, float) {
    log.push_back(name + ":MouseUp" + std::to_string(btn));
  };
  b.events.KeyDown = [&log, name](int k, int) { log.push_back(name + ":KeyDown" + std::to_string(k)); };
  b.events.KeyUp = [&log, name](int k, int) { log.push_back(name + ":KeyUp" + std::to_string(k)); };
  b.events.MouseOver = [&log, name] { log.push_back(name + ":MouseOver"); };
  b.events.MouseOut = [&log, name] { log.push_back(name + ":MouseOut"); };
}

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class ButtonEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = bt::Host();
    SetForegroundWindow(host_);
    SetCursorPos(1200, 1000);  // well away from every button
    for (int i = 0; i < 3; ++i) {
      b_[i] = bt::MakeButton(20 + i * 100, 20, 90, 26, "Tombol " + std::to_string(i), 5, 1, true);
      Record(*b_[i], log_, std::string(1, static_cast<char>('A' + i)));
    }
    vt::test::PumpMessages();
  }
  void TearDown() override {
    for (auto& b : b_) b.reset();
    vt::test::PumpMessages();
  }
  void Send(int i, UINT msg, WPARAM wp, LPARAM lp) {
    SendMessageW(b_[i]->hwnd(), msg, wp, lp);
    vt::test::PumpMessages();
  }
  void Key(int i, UINT msg, int vk) { Send(i, msg, vk, msg == WM_KEYUP ? 0xC0000001 : 1); }
  int Count(const std::string& entry) const {
    int n = 0;
    for (const auto& e : log_) n += e == entry;
    return n;
  }

  HWND host_ = nullptr;
  std::unique_ptr<ctl::Button> b_[3];
  Log log_;
};

TEST_F(ButtonEventsTest, LeftClickRaisesDownUpThenClick) {
  PostMessageW(b_[0]->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  vt::test::PumpMessages();
  EXPECT_EQ(b_[0]->LastState(), 2);
  EXPECT_EQ(GetFocus(), b_[0]->hwnd());  // a click takes the focus, like any push button
  PostMessageW(b_[0]->hwnd(), WM_LBUTTONUP, 0, At(10, 10));
  vt::test::PumpMessages();
  EXPECT_EQ(log_, (Log{"A:MouseDown1", "A:MouseUp1", "A:Click"}));
  EXPECT_EQ(b_[0]->LastState(), 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonEventsTest, RightButtonChangesNothingAndDoesNotClick) {
  Send(0, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  Send(0, WM_LBUTTONUP, 0, At(5, 5));
  log_.clear();
  const int painted = b_[0]->PaintCount();
  Send(0, WM_RBUTTONDOWN, MK_RBUTTON, At(10, 10));
  Send(0, WM_RBUTTONUP, 0, At(10, 10));
  PostMessageW(b_[0]->hwnd(), BM_CLICK, 0, 0);  // the access key after it still clicks
  vt::test::PumpMessages();
  EXPECT_EQ(log_, (Log{"A:MouseDown2", "A:MouseUp2", "A:Click"}));
  EXPECT_EQ(b_[0]->PaintCount(), painted + 1);  // only the access key's paint
}

TEST_F(ButtonEventsTest, DraggingOffSpringsBackAndDoesNotClick) {
  Send(0, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  EXPECT_EQ(b_[0]->LastState(), 2);
  Send(0, WM_MOUSEMOVE, MK_LBUTTON, At(-40, -30));
  EXPECT_EQ(b_[0]->LastState(), 0);
  EXPECT_FALSE(b_[0]->MouseOverFlag());
  Send(0, WM_LBUTTONUP, 0, At(-40, -30));
  EXPECT_EQ(log_, (Log{"A:MouseDown1", "A:MouseUp1"}));
}

TEST_F(ButtonEventsTest, SpaceClicksOnlyWhereItWentDown) {
  b_[1]->SetFocus();
  Key(1, WM_KEYDOWN, VK_SPACE);
  EXPECT_EQ(b_[1]->LastState(), 2);
  Key(1, WM_KEYUP, VK_SPACE);
  EXPECT_EQ(Count("B:Click"), 1);
  EXPECT_EQ(b_[1]->LastState(), 0);

  // Down on A, focus moves to B, up on B: neither clicks, A springs back.
  log_.clear();
  b_[0]->SetFocus();
  Key(0, WM_KEYDOWN, VK_SPACE);
  b_[1]->SetFocus();
  Key(1, WM_KEYUP, VK_SPACE);
  EXPECT_EQ(Count("A:Click") + Count("B:Click"), 0);
  EXPECT_EQ(b_[0]->LastState(), 0);
}

TEST_F(ButtonEventsTest, ASpaceReleaseClicksOnlyForItsOwnPressHere) {
  struct Case {
    const char* name;
    std::function<void()> keys;
    int clicks;
  } cases[] = {
      {"down and up", [&] {
         Key(0, WM_KEYDOWN, VK_SPACE);
         Key(0, WM_KEYUP, VK_SPACE);
       }, 1},
      // The focus left between the press and the release: the press is gone
      // with it, even though the release comes back to the same button.
      {"focus away and back between down and up", [&] {
         Key(0, WM_KEYDOWN, VK_SPACE);
         b_[1]->SetFocus();
         vt::test::PumpMessages();
         EXPECT_EQ(b_[0]->LastState(), 0);  // not left drawn pressed
         b_[0]->SetFocus();
         vt::test::PumpMessages();
         Key(0, WM_KEYUP, VK_SPACE);
       }, 0},
      // A press is used up by its click: a second release clicks no more.
      {"a second release after a click", [&] {
         Key(0, WM_KEYDOWN, VK_SPACE);
         Key(0, WM_KEYUP, VK_SPACE);
         Key(0, WM_KEYUP, VK_SPACE);
       }, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    log_.clear();
    b_[0]->SetFocus();
    vt::test::PumpMessages();
    c.keys();
    EXPECT_EQ(Count("A:Click"), c.clicks);
    EXPECT_EQ(Count("B:Click"), 0);
    EXPECT_EQ(b_[0]->LastState(), 0);
  }
}

TEST_F(ButtonEventsTest, CheckBoxFlipsValueBeforeClick) {
  b_[0]->SetCheckBoxBehaviour(true);
  std::vector<bool> seen;
  b_[0]->events.Click = [&] { seen.push_back(b_[0]->Value()); };
  Send(0, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  Send(0, WM_LBUTTONUP, 0, At(10, 10));
  EXPECT_EQ(b_[0]->LastState(), 2);  // a set Value shows pressed
  b_[0]->SetFocus();
  Key(0, WM_KEYDOWN, VK_SPACE);
  Key(0, WM_KEYUP, VK_SPACE);
  EXPECT_EQ(b_[0]->LastState(), 0);
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST_F(ButtonEventsTest, DisabledButtonDoesNotClick) {
  b_[0]->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(b_[0]->hwnd()));
  PostMessageW(b_[0]->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  PostMessageW(b_[0]->hwnd(), WM_LBUTTONUP, 0, At(10, 10));
  PostMessageW(b_[0]->hwnd(), BM_CLICK, 0, 0);
  vt::test::PumpMessages();
  EXPECT_EQ(Count("A:Click"), 0);
  b_[0]->SetEnabled(true);
}

TEST_F(ButtonEventsTest, ArrowsMoveTheFocusAndEnterDoesNotClick) {
  b_[1]->SetFocus();
  Key(1, WM_KEYDOWN, VK_RIGHT);
  EXPECT_EQ(GetFocus(), b_[2]->hwnd());
  Key(2, WM_KEYDOWN, VK_UP);
  EXPECT_EQ(GetFocus(), b_[1]->hwnd());
  Key(1, WM_KEYDOWN, VK_LEFT);
  EXPECT_EQ(GetFocus(), b_[0]->hwnd());
  Key(0, WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(GetFocus(), b_[1]->hwnd());
  EXPECT_TRUE(b_[1]->HasFocus());
  EXPECT_FALSE(b_[0]->HasFocus());

  Key(1, WM_KEYDOWN, VK_RETURN);
  Send(1, WM_CHAR, '\r', 1);
  Key(1, WM_KEYUP, VK_RETURN);
  EXPECT_EQ(Count("B:Click"), 0);
}

TEST_F(ButtonEventsTest, ArrowsSendTabThroughTheContainerThatGivesIt) {
  std::vector<bool> sent;
  b_[1]->SendTab = [&sent](bool shiftTab) { sent.push_back(shiftTab); };
  b_[1]->SetFocus();
  for (int vk : {VK_RIGHT, VK_DOWN, VK_LEFT, VK_UP, VK_SPACE}) Key(1, WM_KEYDOWN, vk);
  Key(1, WM_KEYUP, VK_SPACE);
  b_[1]->SendTab = nullptr;
  EXPECT_EQ(sent, (std::vector<bool>{false, false, true, true}));
  EXPECT_EQ(GetFocus(), b_[1]->hwnd());  // where the focus goes is the container's to say
  EXPECT_EQ(Count("B:Click"), 1);         // Space still clicks
}

// In a dialog of the window system, the system's dialog manager finds the
// caption's access key and clicks the button through BM_CLICK.
TEST_F(ButtonEventsTest, AccessKeyThroughTheDialogManager) {
  b_[2]->SetCaption("&Hapus");
  b_[0]->SetFocus();
  MSG msg{b_[0]->hwnd(), WM_SYSCHAR, 'h', 0x20000001};
  EXPECT_TRUE(IsDialogMessageW(host_, &msg));
  vt::test::PumpMessages();
  EXPECT_EQ(Count("C:Click"), 1);
  EXPECT_EQ(Count("A:Click"), 0);
}

TEST_F(ButtonEventsTest, DoubleClickPressesAgainWithoutASecondClick) {
  Send(0, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  Send(0, WM_LBUTTONUP, 0, At(10, 10));
  Send(0, WM_LBUTTONDBLCLK, MK_LBUTTON, At(12, 12));
  EXPECT_EQ(b_[0]->LastState(), 2);
  EXPECT_EQ(GetCapture(), b_[0]->hwnd());
  Send(0, WM_LBUTTONUP, 0, At(12, 12));
  EXPECT_EQ(log_, (Log{"A:MouseDown1", "A:MouseUp1", "A:Click", "A:MouseDown1", "A:MouseUp1"}));
  EXPECT_EQ(GetCapture(), nullptr);  // the mouse is free again
}

TEST_F(ButtonEventsTest, HoverRaisesMouseOverAndMouseOutInTurn) {
  RECT r;
  GetWindowRect(b_[1]->hwnd(), &r);
  SetCursorPos(r.left + 20, r.top + 10);
  vt::test::PumpMessages(50);
  Send(1, WM_MOUSEMOVE, 0, At(20, 10));
  Send(1, WM_MOUSEMOVE, 0, At(21, 10));
  EXPECT_TRUE(b_[1]->MouseOverFlag());
  EXPECT_EQ(Count("B:MouseOver"), 1);
  SetCursorPos(1200, 1000);
  vt::test::PumpMessages(150);
  EXPECT_FALSE(b_[1]->MouseOverFlag());
  EXPECT_EQ(Count("B:MouseOut"), 1);
  Log hover;
  for (const auto& e : log_)
    if (e == "B:MouseOver" || e == "B:MouseOut") hover.push_back(e);
  EXPECT_EQ(hover, (Log{"B:MouseOver", "B:MouseOut"}));
}

// What a picture of the host must show of the three buttons at (20 + 100 i,
// 20), 90 x 26, in the host's client area at origin: 0 up, 1 focused, 2
// disabled, each in its window's shape over the host's background.
void ExpectHostShows(const vt::test::Canvas& c, POINT origin, std::unique_ptr<ctl::Button> (&b)[3]) {
  const int W = 90, H = 26;
  const COLORREF back = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), text = GetSysColor(COLOR_BTNTEXT);
  const COLORREF outer = ctl::ShiftColor(shadow, -26), face = ctl::ShiftColor(back, 12);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE("button " + std::to_string(i));
    const int x0 = origin.x + 20 + 100 * i, y0 = origin.y + 20;
    auto at = [&](int x, int y) { return c.Pixel(x0 + x, y0 + y); };
    auto count = [&](COLORREF colour) {
      int n = 0;
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) n += at(x, y) == colour;
      return n;
    };
    EXPECT_EQ(at(0, H - 1), back);  // cut from the window's shape
    EXPECT_EQ(at(W - 1, 0), back);
    const RECT cr = b[i]->CaptionRect();
    if (i < 2) {
      for (POINT p : {POINT{5, 0}, POINT{0, 5}, POINT{W - 2, 5}, POINT{5, H - 2}})
        EXPECT_EQ(at(p.x, p.y), outer) << p.x << "," << p.y;
      for (POINT p : {POINT{5, H - 1}, POINT{W - 1, 5}, POINT{5, 1}, POINT{1, 5}})
        EXPECT_EQ(at(p.x, p.y), light) << p.x << "," << p.y;
      EXPECT_EQ(at(3, 3), face);
      EXPECT_GT(count(text), 0);  // the caption
    } else {
      for (POINT p : {POINT{5, 0}, POINT{0, 5}, POINT{W - 1, 5}, POINT{5, H - 1}})
        EXPECT_EQ(at(p.x, p.y), shadow) << p.x << "," << p.y;
      EXPECT_EQ(at(1, 1), back);  // flat: no bevel
      EXPECT_EQ(count(text), 0);  // the caption is drawn in shadow
      EXPECT_EQ(at(cr.left - 2, cr.top - 1), back);
    }
    // Only the focused button wears the focus mark, around its caption.
    EXPECT_EQ(count(0xCC9999), i == 1 ? 2 * (cr.right - cr.left + 4) + 2 * (cr.bottom - cr.top) : 0);
    if (i == 1) {
      EXPECT_EQ(at(cr.left - 2, cr.top - 1), 0xCC9999u);
      EXPECT_EQ(at(cr.right + 1, cr.bottom), 0xCC9999u);
    }
  }
}

TEST_F(ButtonEventsTest, ScreenShowsTheButtons) {
  b_[1]->SetFocus();
  b_[2]->SetEnabled(false);
  vt::test::PumpMessages(50);
  RECT wr;
  GetWindowRect(host_, &wr);
  POINT origin{0, 0};
  ClientToScreen(host_, &origin);
  origin.x -= wr.left;
  origin.y -= wr.top;

  // What the user sees on the screen.
  vt::test::Canvas screen(wr.right - wr.left, wr.bottom - wr.top);
  HDC sdc = GetDC(nullptr);
  BitBlt(screen.dc(), 0, 0, screen.width(), screen.height(), sdc, wr.left, wr.top, SRCCOPY);
  ReleaseDC(nullptr, sdc);
  {
    SCOPED_TRACE("screen");
    ExpectHostShows(screen, origin, b_);
  }
  EXPECT_TRUE(vt::test::SavePng(screen.bitmap(), "button-host-screen.png"));

  // What the windows draw of themselves: the host, then each button in its
  // own shape (the system's window print leaves the children out).
  vt::test::Canvas own(wr.right - wr.left, wr.bottom - wr.top);
  own.Fill(RGB(255, 255, 255));
  ASSERT_TRUE(PrintWindow(host_, own.dc(), 0));
  for (auto& b : b_) {
    RECT r;
    GetWindowRect(b->hwnd(), &r);
    const int x = r.left - wr.left, y = r.top - wr.top;
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(b->hwnd(), shape);
    OffsetRgn(shape, x, y);
    SelectClipRgn(own.dc(), shape);
    SetViewportOrgEx(own.dc(), x, y, nullptr);
    SendMessageW(b->hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(own.dc()), PRF_CLIENT);
    SetViewportOrgEx(own.dc(), 0, 0, nullptr);
    SelectClipRgn(own.dc(), nullptr);
    DeleteObject(shape);
  }
  {
    SCOPED_TRACE("window");
    ExpectHostShows(own, origin, b_);
  }
  EXPECT_TRUE(vt::test::SavePng(own.bitmap(), "button-host.png"));
}

}  // namespace

namespace {

TEST(ButtonStyle11, ShowsTheContainerThroughTheButton) {
  HWND host = bt::Host();
  HWND black = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 300, 200,
                               40, 60, host, nullptr, GetModuleHandleW(nullptr), nullptr);
  vt::test::PumpMessages(50);
  HDC hostDc = GetDC(host);
  const COLORREF under = GetPixel(hostDc, 320, 222);  // what the rectangle shows there
  ReleaseDC(host, hostDc);
  ASSERT_NE(under, GetSysColor(COLOR_BTNFACE));
  auto b = bt::MakeButton(260, 210, 120, 26, "", 11, 1, true);
  SetWindowPos(b->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  b->Refresh();
  vt::test::PumpMessages(50);
  EXPECT_EQ(b->Height(), 26);  // the height is back after the capture
  vt::test::Canvas c(120, 26);
  b->Paint(c.dc(), 0, 0, 0);
  EXPECT_EQ(c.Pixel(60, 12), under);                        // the rectangle beneath
  EXPECT_EQ(c.Pixel(10, 12), GetSysColor(COLOR_BTNFACE));  // the host's own background
  b.reset();
  DestroyWindow(black);
}

}  // namespace
