// Exact pixels of style 5, the looks that depend on state, the window shapes,
// the inner rectangles and the GDI balance of painting.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "support/win_test_support.h"
#include "test_util.h"

namespace {

constexpr COLORREF kPaper = RGB(255, 0, 255);  // what the canvas shows where nothing is painted
constexpr int W = 75, H = 23;

struct Painted {
  std::unique_ptr<ctl::Button> button;
  std::unique_ptr<vt::test::Canvas> canvas;
};

Painted PaintType5(int state, int hot, int focused, bool enabled = true, int scheme = 1) {
  Painted p;
  p.button = bt::MakeButton(10, 10, W, H, "OK", 5, scheme, false);
  p.button->SetEnabled(enabled);
  p.canvas = std::make_unique<vt::test::Canvas>(W, H);
  p.canvas->Fill(kPaper);
  p.button->Paint(p.canvas->dc(), state, hot, focused);
  return p;
}

using vt::test::BoxOf;

TEST(ButtonPaint, Type5UpIsExactToThePixel) {
  Painted p = PaintType5(0, 0, 0);
  const auto& c = p.button->Colors();
  const vt::test::Canvas& px = *p.canvas;
  const COLORREF outer = ctl::ShiftColor(c.shadow, -26), corner = ctl::ShiftColor(c.shadow, 26);
  const COLORREF face = ctl::ShiftColor(c.face, 12);
  // Outer outline (0,0)-(73,21), but for the two lightened pixels.
  for (int x = 0; x <= 73; ++x) {
    EXPECT_EQ(px.Pixel(x, 0), outer) << x;
    if (x != 1) {
      EXPECT_EQ(px.Pixel(x, 21), outer) << x;
    }
  }
  for (int y = 0; y <= 21; ++y) {
    EXPECT_EQ(px.Pixel(0, y), outer) << y;
    if (y != 1) {
      EXPECT_EQ(px.Pixel(73, y), outer) << y;
    }
  }
  EXPECT_EQ(px.Pixel(1, 21), corner);
  EXPECT_EQ(px.Pixel(73, 1), corner);
  // Inner outline (1,1)-(74,22) in highlight where the outer one does not cover it.
  for (int x = 1; x <= 74; ++x) {
    if (x != 73) {
      EXPECT_EQ(px.Pixel(x, 1), c.highlight) << x;
    }
    EXPECT_EQ(px.Pixel(x, 22), c.highlight) << x;
  }
  for (int y = 1; y <= 22; ++y) {
    if (y != 21) {
      EXPECT_EQ(px.Pixel(1, y), c.highlight) << y;
    }
    EXPECT_EQ(px.Pixel(74, y), c.highlight) << y;
  }
  // The face, shifted by +12, fills the inside away from the caption.
  for (POINT at : {POINT{2, 2}, POINT{10, 10}, POINT{72, 20}, POINT{60, 3}})
    EXPECT_EQ(px.Pixel(at.x, at.y), face) << at.x << "," << at.y;
  // Outside the region: nothing drawn, and the window lacks those pixels too.
  EXPECT_EQ(px.Pixel(0, 22), kPaper);
  EXPECT_EQ(px.Pixel(74, 0), kPaper);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(p.button->hwnd(), rgn), ERROR);
  EXPECT_FALSE(PtInRegion(rgn, 0, 22));
  EXPECT_FALSE(PtInRegion(rgn, 74, 0));
  EXPECT_TRUE(PtInRegion(rgn, 0, 21));
  EXPECT_TRUE(PtInRegion(rgn, 74, 22));
  DeleteObject(rgn);
  // No focus outline without the focus.
  EXPECT_EQ(BoxOf(px, 0xCC9999, RECT{0, 0, W, H}).left, INT_MAX);
}

TEST(ButtonPaint, Type5FocusOutlineHugsTheCaptionInEveryScheme) {
  for (int scheme = 1; scheme <= 4; ++scheme) {
    Painted p = PaintType5(0, 0, 1, true, scheme);
    const RECT cr = p.button->CaptionRect();
    const RECT want{cr.left - 2, cr.top - 1, cr.right + 2, cr.bottom + 1};
    const RECT got = BoxOf(*p.canvas, 0xCC9999, RECT{0, 0, W, H});
    EXPECT_TRUE(EqualRect(&got, &want)) << "scheme " << scheme << ": " << got.left << ","
                                        << got.top << "-" << got.right << "," << got.bottom;
    // It is an outline: its corners are set, its middle is not.
    EXPECT_EQ(p.canvas->Pixel(want.left, want.top), 0xCC9999u);
    EXPECT_EQ(p.canvas->Pixel(want.right - 1, want.bottom - 1), 0xCC9999u);
    EXPECT_NE(p.canvas->Pixel(want.left + 1, (want.top + want.bottom) / 2), 0xCC9999u);
  }
}

TEST(ButtonPaint, Type5DisabledIsAFlatShadowOutline) {
  Painted p = PaintType5(0, 0, 1, false);
  const auto& c = p.button->Colors();
  for (POINT at : {POINT{0, 5}, POINT{74, 5}, POINT{5, 0}, POINT{5, 22}, POINT{0, 1}})
    EXPECT_EQ(p.canvas->Pixel(at.x, at.y), c.shadow) << at.x << "," << at.y;
  for (POINT at : {POINT{1, 1}, POINT{73, 21}, POINT{1, 21}, POINT{10, 10}})
    EXPECT_EQ(p.canvas->Pixel(at.x, at.y), c.face) << at.x << "," << at.y;  // no bevel
  EXPECT_EQ(BoxOf(*p.canvas, 0xCC9999, RECT{0, 0, W, H}).left, INT_MAX);  // no focus mark
  const RECT caption = BoxOf(*p.canvas, c.shadow, p.button->CaptionRect());
  EXPECT_LT(caption.left, caption.right);  // the caption is drawn in shadow
  EXPECT_EQ(BoxOf(*p.canvas, c.caption, RECT{0, 0, W, H}).left, INT_MAX);
}

TEST(ButtonPaint, Type5PressedMovesTheCaptionOnePixel) {
  Painted up = PaintType5(0, 0, 0);
  Painted down = PaintType5(2, 0, 0);
  const auto& c = down.button->Colors();
  const RECT all{2, 2, W - 2, H - 2};
  const RECT a = BoxOf(*up.canvas, c.caption, all);
  const RECT b = BoxOf(*down.canvas, c.captionOver, all);
  ASSERT_LT(a.left, a.right);
  EXPECT_EQ(b.left, a.left + 1);
  EXPECT_EQ(b.top, a.top + 1);
  EXPECT_EQ(b.right, a.right + 1);
  EXPECT_EQ(b.bottom, a.bottom + 1);
  // The pressed frame: dark outline, highlight at the right and bottom edges.
  const COLORREF outer = ctl::ShiftColor(c.shadow, -26);
  EXPECT_EQ(down.canvas->Pixel(0, 10), outer);
  EXPECT_EQ(down.canvas->Pixel(73, 10), outer);
  EXPECT_EQ(down.canvas->Pixel(74, 10), c.highlight);
  EXPECT_EQ(down.canvas->Pixel(10, 22), c.highlight);
  EXPECT_EQ(down.canvas->Pixel(5, 5), ctl::ShiftColor(c.shadow, 16));
}

TEST(ButtonPaint, CheckBoxWithValueIsDrawnPressed) {
  auto b = bt::MakeButton(10, 10, W, H, "OK", 5, 1, false);
  b->SetCheckBoxBehaviour(true);
  b->SetValue(true);
  vt::test::Canvas canvas(W, H);
  b->Paint(canvas.dc(), 0);
  EXPECT_EQ(canvas.Pixel(5, 5), ctl::ShiftColor(b->Colors().shadow, 16));
  EXPECT_EQ(canvas.Pixel(74, 10), b->Colors().highlight);
}

TEST(ButtonPaint, HotLookDependsOnTheScheme) {
  // Scheme 1: the hot look equals the up look.
  Painted up = PaintType5(0, 0, 0), hot = PaintType5(0, 1, 0);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) ASSERT_EQ(up.canvas->Pixel(x, y), hot.canvas->Pixel(x, y));

  // Scheme 2: the face comes from BackOver and the caption from ForeOver;
  // afterwards the table holds the BackColor colours again.
  auto b = bt::MakeButton(10, 10, W, H, "OK", 5, 2, false);
  b->SetBackColor(0x204060);
  b->SetBackOver(0x6080A0);
  b->SetForeColor(0x000000);
  b->SetForeOver(0x0000FF);
  vt::test::Canvas canvas(W, H);
  b->Paint(canvas.dc(), 0, 1, 0);
  EXPECT_EQ(canvas.Pixel(10, 10), ctl::ShiftColor(0x6080A0, 12));
  EXPECT_LT(BoxOf(canvas, 0x0000FF, RECT{0, 0, W, H}).left, W);
  EXPECT_EQ(b->Colors().face, 0x204060u);
  b->Paint(canvas.dc(), 0, 0, 0);
  EXPECT_EQ(canvas.Pixel(10, 10), ctl::ShiftColor(0x204060, 12));
}

// One type of each drawing family, looked at pixel by pixel on a memory
// bitmap: the face, the outline in each look, and what the focus adds.
TEST(ButtonPaint, EachFamilysFaceOutlineAndFocusColours) {
  using Colour = std::function<COLORREF(const ctl::ColorTable&)>;
  struct Pixel {
    int x, y;
    Colour colour;
  };
  auto face = [](const ctl::ColorTable& c) { return c.face; };
  auto highlight = [](const ctl::ColorTable& c) { return c.highlight; };
  auto shadow = [](const ctl::ColorTable& c) { return c.shadow; };
  auto dark = [](const ctl::ColorTable& c) { return c.darkShadow; };
  const int midY = H / 2;
  struct Case {
    const char* name;
    int type, state, hot;
    std::vector<Pixel> pixels;  // the same with and without the focus
    bool focusMarks;            // the focus adds a mark on the inner rectangle
  } cases[] = {
      // Flat: the face with a one-pixel ring; the flat highlight style lit.
      {"flat 7 up", 7, 0, 0,
       {{5, midY, face}, {0, midY, highlight}, {5, 0, highlight}, {W - 1, midY, shadow}, {5, H - 1, shadow}}, true},
      {"flat 7 pressed", 7, 2, 0,
       {{5, midY, face}, {0, midY, shadow}, {5, 0, shadow}, {W - 1, midY, highlight}, {5, H - 1, highlight}}, true},
      {"flat 9 hot", 9, 0, 1,
       {{5, midY, [](const ctl::ColorTable& c) { return c.lightSelection; }},
        {0, midY, [](const ctl::ColorTable& c) { return c.selection; }},
        {W - 1, midY, [](const ctl::ColorTable& c) { return c.selection; }}},
       true},
      // 3D: a dark outline round two bevel rings.
      {"3D 1 up", 1, 0, 0,
       {{3, midY, face}, {0, midY, dark}, {5, 0, dark}, {W - 1, midY, dark}, {1, midY, highlight},
        {2, midY, highlight}, {5, 1, highlight}, {W - 2, midY, shadow}, {W - 3, midY, shadow}, {5, H - 2, shadow}},
       true},
      {"3D 1 pressed", 1, 2, 0,
       {{3, midY, face}, {0, midY, dark}, {1, midY, shadow}, {5, 1, shadow}, {W - 2, midY, highlight},
        {5, H - 2, highlight}},
       true},
      // Rounded: the ellipse (its pen half outside the window's shape), outlined
      // in the face at rest, in shadow while hot, in dark shadow pressed.
      {"rounded 13 up", 13, 0, 0, {{8, midY, face}, {0, midY, face}, {W / 2, 0, face}}, false},
      {"rounded 13 hot", 13, 0, 1, {{8, midY, face}, {0, midY, shadow}, {W / 2, 0, shadow}}, false},
      {"rounded 13 pressed", 13, 2, 0,
       {{8, midY, [](const ctl::ColorTable& c) { return ctl::ShiftColor(c.face, -32); }}, {0, midY, dark},
        {W / 2, 0, dark}},
       false},
      // Picture only: nothing but the face and the picture, whatever the focus.
      {"picture 10 up", 10, 0, 0, {{0, 0, face}, {W - 1, H - 1, face}, {0, midY, face}, {W - 1, midY, face}}, false},
      {"picture 10 pressed", 10, 2, 1, {{0, 0, face}, {W - 1, midY, face}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto b = bt::MakeButton(10, 10, W, H, "OK", c.type, 1, false);
    b->SetPictureNormal(bt::TestBitmap());
    vt::test::Canvas plain(W, H), focused(W, H);
    plain.Fill(kPaper);
    focused.Fill(kPaper);
    b->Paint(plain.dc(), c.state, c.hot, 0);
    b->Paint(focused.dc(), c.state, c.hot, 1);
    const ctl::ColorTable& colours = b->Colors();
    for (const Pixel& p : c.pixels) {
      EXPECT_EQ(plain.Pixel(p.x, p.y), p.colour(colours)) << p.x << "," << p.y;
      EXPECT_EQ(focused.Pixel(p.x, p.y), p.colour(colours)) << "focused " << p.x << "," << p.y;
    }
    // The focus rectangle lies on the inner rectangle; its dots change some
    // of the pixels of its top edge, and only when focused.
    const RECT in = b->InnerRect();
    int changed = 0;
    for (int x = in.left; x < in.right; ++x) changed += plain.Pixel(x, in.top) != focused.Pixel(x, in.top);
    if (c.focusMarks) {
      EXPECT_GE(changed, (in.right - in.left) / 3);
      EXPECT_NE(focused.Pixel(in.left, in.top), plain.Pixel(in.left, in.top));
    } else {
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) ASSERT_EQ(plain.Pixel(x, y), focused.Pixel(x, y)) << x << "," << y;
    }
    // The picture shows without its mask colour; only the picture-only type has no caption.
    EXPECT_LT(BoxOf(plain, bt::kCentre, RECT{0, 0, W, H}).left, W);
    EXPECT_EQ(BoxOf(plain, bt::kMask, RECT{0, 0, W, H}).left, INT_MAX);
    const bool caption = BoxOf(plain, c.state == 2 ? colours.captionOver : colours.caption, b->CaptionRect()).left < W;
    EXPECT_EQ(caption, c.type != 10);
  }
}

// Style 3's colour rings: at rest, focused, hot.
TEST(ButtonPaint, Type3RingShowsFocusAndHotInItsOwnColours) {
  struct Case {
    const char* name;
    int hot, focused;
    COLORREF fill, top;  // 0: the shaded edges of the light face instead
  } cases[] = {{"at rest", 0, 0, 0, 0}, {"focused", 0, 1, 0xE7AE8C, 0xFFE7CE}, {"hot", 1, 0, 0x31B2FF, 0xCEF3FF}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto b = bt::MakeButton(10, 10, W, H, "OK", 3, 1, false);
    vt::test::Canvas canvas(W, H);
    b->Paint(canvas.dc(), 0, c.hot, c.focused);
    const COLORREF lf = b->Colors().lightFace;
    EXPECT_EQ(canvas.Pixel(5, 0), 0x733C00u);       // the outline
    EXPECT_EQ(canvas.Pixel(0, H / 2), 0x733C00u);
    EXPECT_EQ(canvas.Pixel(1, 1), 0x7B4D10u);       // its softened corner
    if (c.fill) {
      EXPECT_EQ(canvas.Pixel(2, H / 2), c.fill);
      EXPECT_EQ(canvas.Pixel(5, 1), c.top);
    } else {
      EXPECT_EQ(canvas.Pixel(5, 1), ctl::ShiftColor(lf, 16));
      EXPECT_EQ(canvas.Pixel(5, H - 2), ctl::ShiftColor(lf, -48));
    }
  }
}

TEST(ButtonPaint, RegionsAndInnerRectanglesFollowTheStyle) {
  struct Case {
    int type;
    std::vector<POINT> cut, kept;
    int inset, shift;
  } cases[] = {
      {1, {{0, 0}, {W - 1, 0}, {0, H - 1}, {W - 1, H - 1}}, {{1, 0}, {0, 1}}, 4, 0},
      {2, {}, {{0, 0}, {W - 1, 0}, {0, H - 1}, {W - 1, H - 1}}, 4, 0},
      {3, {{0, 0}, {1, 0}, {0, 1}, {W - 2, H - 1}, {W - 1, H - 2}}, {{2, 0}, {1, 1}, {0, 2}}, 4, 0},
      {4, {{W - 1, 1}, {0, H - 2}}, {{W - 2, 1}}, 4, 0},
      {5, {{0, H - 1}, {W - 1, 0}}, {{0, 0}, {W - 1, H - 1}}, 4, 0},
      {7, {}, {{0, 0}}, 3, 0},
      {13, {{0, 0}, {W - 1, 0}, {2, 2}}, {{W / 2, 1}, {1, H / 2}}, 3, 0},
      {14, {{0, 0}, {W - 1, H - 1}}, {{1, 0}}, 5, 1},
  };
  for (const auto& c : cases) {
    auto b = bt::MakeButton(10, 10, W, H, "OK", c.type, 1, false);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(b->hwnd(), rgn), ERROR) << c.type;
    for (POINT pt : c.cut) EXPECT_FALSE(PtInRegion(rgn, pt.x, pt.y)) << c.type << ": " << pt.x << "," << pt.y;
    for (POINT pt : c.kept) EXPECT_TRUE(PtInRegion(rgn, pt.x, pt.y)) << c.type << ": " << pt.x << "," << pt.y;
    DeleteObject(rgn);
    const RECT in = b->InnerRect();
    EXPECT_EQ(in.left, c.inset + c.shift) << c.type;
    EXPECT_EQ(in.top, c.inset + c.shift) << c.type;
    EXPECT_EQ(in.right, W - c.inset + c.shift) << c.type;
    EXPECT_EQ(in.bottom, H - c.inset + c.shift) << c.type;
  }
}

TEST(ButtonPaint, NothingIsPaintedWhileHiddenOrWithoutHeight) {
  auto b = bt::MakeButton(10, 10, W, H, "OK", 5, 1, true);
  int n = b->PaintCount();
  b->Hide();
  EXPECT_FALSE(b->RefreshAllowed());
  b->DrawButton(0, true);
  b->SetCaption("Lain");
  EXPECT_EQ(b->PaintCount(), n);
  b->Show();
  EXPECT_EQ(b->PaintCount(), n + 1);
  n = b->PaintCount();
  b->SetHeight(0);
  b->DrawButton(0, true);
  EXPECT_EQ(b->PaintCount(), n);
  // Unforced paints of an unchanged state and caption are skipped.
  b->SetHeight(H);
  n = b->PaintCount();
  b->DrawButton(0, false);
  b->DrawButton(0, false);
  EXPECT_EQ(b->PaintCount(), n);
  b->DrawButton(2, false);
  EXPECT_EQ(b->PaintCount(), n + 1);
}

TEST(ButtonPaint, RepeatedPaintingKeepsTheGdiObjectCount) {
  auto b = bt::MakeButton(10, 10, W, H, "&OK", 5, 1, true);
  b->SetPictureNormal(bt::TestBitmap());
  b->SetSpecialEffect(1);
  vt::test::Canvas canvas(W, H);
  auto paintAll = [&] {
    for (int type = 1; type <= 14; ++type) {
      b->SetButtonType(type);
      for (int scheme = 1; scheme <= 4; ++scheme) {
        b->SetColorScheme(scheme);
        for (int look = 0; look < 4; ++look) {
          b->SetEnabled(look != 3);
          b->Paint(canvas.dc(), look == 2 ? 2 : 0, look == 1, look == 0);
          b->DrawButton(look == 2 ? 2 : 0, true);
        }
      }
    }
  };
  paintAll();  // first use may create shared objects
  const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (int i = 0; i < 3; ++i) paintAll();
  const DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  EXPECT_EQ(after, before);
}

}  // namespace
