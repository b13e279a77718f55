// Paints every style in every look and scheme into one image for a person to
// look at: build/screenshots/button-gallery.png.
#include <gtest/gtest.h>

#include "support/win_test_support.h"
#include "test_util.h"

namespace {

constexpr int kBw = 84, kBh = 26, kCellW = 92, kCellH = 32, kLabelW = 34, kHeadH = 22;
constexpr COLORREF kPaper = RGB(236, 236, 236);  // the picture between the cells

struct Look {
  const char* name;
  int state, hot, focused;
  bool enabled;
};
constexpr Look kLooks[] = {{"up", 0, 0, 0, true},
                           {"hot", 0, 1, 0, true},
                           {"pressed", 2, 1, 0, true},
                           {"disabled", 0, 0, 0, false},
                           {"focused", 0, 0, 1, true}};

void Text(HDC dc, int x, int y, const std::string& s) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, 0);
  TextOutA(dc, x, y, s.c_str(), static_cast<int>(s.size()));
}

int CountIn(const vt::test::Canvas& c, int x0, int y0, COLORREF colour) {
  int n = 0;
  for (int y = 0; y < kBh; ++y)
    for (int x = 0; x < kBw; ++x) n += c.Pixel(x0 + x, y0 + y) == colour;
  return n;
}

// What each cell of the picture must show: the window's shape, the caption,
// the picture (gone in the disabled look), and for the style the dialogs use
// its outlines and its focus mark.
void ExpectCellShows(const vt::test::Canvas& c, int x0, int y0, const ctl::Button& b, int type,
                     const Look& look, bool withPic) {
  const std::string where = "scheme " + std::to_string(b.ColorScheme()) + ", type " + std::to_string(type) +
                            ", " + look.name + (withPic ? ", picture" : "");
  SCOPED_TRACE(where);
  auto at = [&](int x, int y) { return c.Pixel(x0 + x, y0 + y); };
  ctl::ColorTable t = b.Colors();
  if (b.ColorScheme() == 2 && look.hot) {
    // Scheme 2 paints a hot button from BackOver, for that paint only.
    const COLORREF over = ctl::TranslateColor(b.BackOver());
    t.face = over;
    t.shadow = ctl::ShiftColor(over, -64);
    t.highlight = ctl::ShiftColor(over, 47);
  }
  if (type == 1 || type == 5 || type == 14) {
    EXPECT_EQ(at(0, kBh - 1), kPaper);
    EXPECT_EQ(at(kBw - 1, 0), kPaper);
  }
  if (type == 3 || type == 4 || type == 13) {
    EXPECT_EQ(at(0, 0), kPaper);
  }
  if (type != 10 && look.enabled && !withPic && look.state == 0) {
    EXPECT_GT(CountIn(c, x0, y0, look.hot ? t.captionOver : t.caption), 0);
  }
  if (withPic && !look.enabled) {
    EXPECT_EQ(CountIn(c, x0, y0, bt::kRing), 0);
  }
  // Style 9 blends its picture with the face until the mouse is over it.
  if (withPic && look.enabled && look.state == 0 && !(type == 9 && !look.hot)) {
    EXPECT_GT(CountIn(c, x0, y0, bt::kRing), 0);
  }
  if (type != 5) return;
  if (!look.enabled) {
    EXPECT_EQ(at(5, 0), t.shadow);
    EXPECT_EQ(at(1, 1), t.face);
  } else if (look.state == 2) {
    EXPECT_EQ(at(5, 0), ctl::ShiftColor(t.shadow, -26));
    EXPECT_EQ(at(2, 2), ctl::ShiftColor(t.shadow, 16));
    EXPECT_EQ(at(kBw - 1, 5), t.highlight);
  } else {
    EXPECT_EQ(at(5, 0), ctl::ShiftColor(t.shadow, -26));
    EXPECT_EQ(at(5, kBh - 1), t.highlight);
  }
  EXPECT_EQ(CountIn(c, x0, y0, 0xCC9999) > 0, look.focused == 1) << "the focus mark";
}

TEST(ButtonGallery, AllStylesLooksAndSchemes) {
  const int cols = 2 * 5;
  const int width = kLabelW + cols * kCellW;
  const int height = 4 * (kHeadH + 14 * kCellH);
  vt::test::Canvas canvas(width, height);
  canvas.Fill(kPaper);
  HFONT label = CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
  HGDIOBJ oldFont = SelectObject(canvas.dc(), label);

  auto b = bt::MakeButton(0, 0, kBw, kBh, "&Simpan", 5, 1, false);
  ctl::PicturePtr pic = bt::TestBitmap();
  int y0 = 0;
  for (int scheme = 1; scheme <= 4; ++scheme) {
    Text(canvas.dc(), 4, y0 + 4,
         "scheme " + std::to_string(scheme) +
             "   columns: up, hot, pressed, disabled, focused; then the same with a picture");
    for (int type = 1; type <= 14; ++type) {
      const int y = y0 + kHeadH + (type - 1) * kCellH;
      Text(canvas.dc(), 4, y + 8, std::to_string(type));
      for (int withPic = 0; withPic < 2; ++withPic) {
        for (int l = 0; l < 5; ++l) {
          const Look& look = kLooks[l];
          b->DisableRefresh();
          b->SetButtonType(type);
          b->SetColorScheme(scheme);
          b->SetBackColor(0xE8C8A0);
          b->SetBackOver(0xF4E0C8);
          b->SetForeColor(0x502000);
          b->SetForeOver(0x0000A0);
          b->SetEnabled(look.enabled);
          b->SetPictureNormal(withPic ? pic : nullptr);
          b->SetColors();
          const int x = kLabelW + (withPic * 5 + l) * kCellW;
          SetViewportOrgEx(canvas.dc(), x, y, nullptr);
          b->Paint(canvas.dc(), look.state, look.hot, look.focused);
          SetViewportOrgEx(canvas.dc(), 0, 0, nullptr);
          ExpectCellShows(canvas, x, y, *b, type, look, withPic != 0);
        }
      }
    }
    y0 += kHeadH + 14 * kCellH;
  }
  SelectObject(canvas.dc(), oldFont);
  DeleteObject(label);
  ASSERT_TRUE(vt::test::SavePng(canvas.bitmap(), "button-gallery.png"));
}

}  // namespace
