// Caption and picture layout and the picture drawing modes.
#include <gtest/gtest.h>

#include "support/win_test_support.h"
#include "test_util.h"

namespace {

constexpr COLORREF kPaper = RGB(255, 0, 255);

SIZE Measure(const ctl::Button& b, const wchar_t* text, int width) {
  HDC dc = GetDC(b.hwnd());
  HGDIOBJ old = SelectObject(dc, b.FontHandle());
  RECT r{0, 0, width, 1000};
  DrawTextW(dc, text, -1, &r, DT_CALCRECT | DT_WORDBREAK);
  SelectObject(dc, old);
  ReleaseDC(b.hwnd(), dc);
  return SIZE{r.right, r.bottom};
}

TEST(ButtonLayout, CaptionWithoutPictureIsCentredFromX1) {
  const int W = 120, H = 30;
  auto b = bt::MakeButton(10, 10, W, H, "Simpan", 5, 1, false);
  const SIZE s = Measure(*b, L"Simpan", W - 3);
  const RECT r = b->CaptionRect();
  EXPECT_EQ(r.left, 1 + (W - (1 + s.cx)) / 2);
  EXPECT_EQ(r.top, 1 + (H - (1 + s.cy)) / 2);
  EXPECT_EQ(r.right - r.left, s.cx);
  EXPECT_EQ(r.bottom - r.top, s.cy);
}

TEST(ButtonLayout, PicturePlacesBesideTheCaption) {
  const int W = 140, H = 50;
  auto b = bt::MakeButton(10, 10, W, H, "Cari", 5, 1, false);
  b->SetPictureNormal(bt::TestBitmap());
  const SIZE s = Measure(*b, L"Cari", W);
  struct Case {
    int pos;
    std::function<POINT(RECT)> want;
  } cases[] = {
      {0, [&](RECT r) { return POINT{r.left - 16 - 4, (H - 16) / 2}; }},
      {1, [&](RECT r) { return POINT{r.right + 4, (H - 16) / 2}; }},
      {2, [&](RECT r) { return POINT{(W - 16) / 2, r.top - 16 - 2}; }},
      {3, [&](RECT r) { return POINT{(W - 16) / 2, r.bottom + 2}; }},
      {4, [&](RECT) { return POINT{(W - 16) / 2, (H - 16) / 2}; }},
  };
  for (const auto& c : cases) {
    b->SetPicturePosition(c.pos);
    const RECT r = b->CaptionRect();
    const POINT want = c.want(r), got = b->PicturePos();
    EXPECT_EQ(got.x, want.x) << "position " << c.pos;
    EXPECT_EQ(got.y, want.y) << "position " << c.pos;
    EXPECT_EQ(r.right - r.left, s.cx) << "position " << c.pos;
  }
  // Position 1 leaves room for the picture right of the caption.
  b->SetPicturePosition(1);
  EXPECT_EQ(b->CaptionRect().left, 1 + (W - (1 + s.cx) - 16 - 4) / 2);
}

TEST(ButtonLayout, BlankCaptionCentresThePicture) {
  const int W = 60, H = 40;
  for (const char* caption : {"", "   "}) {
    auto b = bt::MakeButton(10, 10, W, H, caption, 5, 1, false);
    b->SetPictureNormal(bt::TestBitmap());
    for (int pos = 0; pos <= 4; ++pos) {
      b->SetPicturePosition(pos);
      EXPECT_EQ(b->PicturePos().x, (W - 16) / 2) << "'" << caption << "' " << pos;
      EXPECT_EQ(b->PicturePos().y, (H - 16) / 2) << "'" << caption << "' " << pos;
    }
  }
}

TEST(ButtonLayout, PictureBehindTheCaptionDoesNotHideIt) {
  const int W = 100, H = 30;
  auto b = bt::MakeButton(10, 10, W, H, "IIII", 5, 1, false);
  b->SetPictureNormal(bt::SolidBitmap(80, 24, RGB(0, 0, 255)));
  b->SetPicturePosition(4);
  vt::test::Canvas c(W, H);
  b->Paint(c.dc(), 0, 0, 0);
  const RECT cr = b->CaptionRect();
  int captionPixels = 0, blue = 0;
  for (int y = cr.top; y < cr.bottom; ++y)
    for (int x = cr.left; x < cr.right; ++x) {
      if (c.Pixel(x, y) == b->Colors().caption) ++captionPixels;
      if (c.Pixel(x, y) == RGB(0, 0, 255)) ++blue;
    }
  EXPECT_GT(captionPixels, 0);
  EXPECT_GT(blue, 0);
}

TEST(ButtonLayout, PictureModes) {
  const int W = 80, H = 30;
  // A 16 x 16 picture in one colour, drawn by a given look of a given style.
  struct Case {
    const char* what;
    int type;
    COLORREF pixel;
    bool useMask, grey, enabled;
    int state, hot;
    std::function<COLORREF(const ctl::Button&)> want;
    int dx;  // where the picture lands relative to its layout position
  } cases[] = {
      {"plain", 5, RGB(10, 200, 30), true, false, true, 0, 0,
       [](const ctl::Button&) { return RGB(10, 200, 30); }, 0},
      {"mask colour is transparent", 5, bt::kMask, true, false, true, 0, 0,
       [](const ctl::Button& b) { return ctl::ShiftColor(b.Colors().face, 12); }, 0},
      {"mask colour off draws it", 5, bt::kMask, false, false, true, 0, 0,
       [](const ctl::Button&) { return bt::kMask; }, 0},
      {"greyscale", 5, RGB(5, 0, 0), true, true, true, 0, 0,
       [](const ctl::Button&) { return RGB(2, 2, 2); }, 0},
      {"greyscale is not used while hot", 5, RGB(5, 0, 0), true, true, true, 0, 1,
       [](const ctl::Button&) { return RGB(5, 0, 0); }, 0},
      {"silhouette takes 384", 5, RGB(128, 128, 128), true, false, false, 0, 0,
       [](const ctl::Button& b) { return b.Colors().shadow; }, 0},
      {"silhouette leaves 385", 5, RGB(129, 128, 128), true, false, false, 0, 0,
       [](const ctl::Button& b) { return b.Colors().face; }, 0},
      {"blend on style 9", 9, RGB(0, 90, 255), true, false, true, 0, 0,
       [](const ctl::Button& b) {
         COLORREF f = b.Colors().face;
         return RGB((2 * 0 + GetRValue(f)) / 3, (2 * 90 + GetGValue(f)) / 3,
                    (2 * 255 + GetBValue(f)) / 3);
       },
       0},
      {"pressed style 5 keeps it in place", 5, RGB(10, 200, 30), true, false, true, 2, 0,
       [](const ctl::Button&) { return RGB(10, 200, 30); }, 0},
      {"pressed style 1 moves it", 1, RGB(10, 200, 30), true, false, true, 2, 0,
       [](const ctl::Button&) { return RGB(10, 200, 30); }, 1},
  };
  for (const auto& c : cases) {
    auto b = bt::MakeButton(10, 10, W, H, "Ok", c.type, 1, false);
    b->SetPictureNormal(bt::SolidBitmap(16, 16, c.pixel));
    b->SetUseMaskColor(c.useMask);
    b->SetUseGreyscale(c.grey);
    b->SetEnabled(c.enabled);
    vt::test::Canvas canvas(W, H);
    canvas.Fill(kPaper);
    b->Paint(canvas.dc(), c.state, c.hot, 0);
    const POINT at = b->PicturePos();
    EXPECT_EQ(canvas.Pixel(at.x + c.dx + 8, at.y + c.dx + 8), c.want(*b)) << c.what;
    EXPECT_EQ(canvas.Pixel(at.x + c.dx, at.y + c.dx), c.want(*b)) << c.what;
    if (c.dx) {
      EXPECT_NE(canvas.Pixel(at.x, at.y), c.want(*b)) << c.what;
    }
  }
}

}  // namespace
