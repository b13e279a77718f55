// Colour arithmetic, the colour schemes and the access key of a caption.
#include <gtest/gtest.h>

#include "test_util.h"

namespace {

TEST(ButtonColors, ShiftColorClampsOnlyInTheDirectionOfTheShift) {
  struct Case {
    COLORREF color;
    long amount;
    bool blueScaled, soft;
    COLORREF want;
  } cases[] = {
      {0x000000, -64, false, false, 0x000000},
      {0xFFFFFF, 31, false, false, 0xFFFFFF},
      {0x808080, 16, false, false, 0x909090},
      {0x808080, 16, false, true, 0x888888},   // soft bevel halves the shift
      {0x808080, -17, false, true, 0x787878},  // halved towards zero: -8
      {0x400000, 48, true, false, 0x503030},   // blue 64 + 64*48/192
      {0x400000, -48, true, false, 0x300000},  // blue 64 - 16, red and green clamp at 0
      {0x10F0FF, 20, false, false, 0x24FFFF},
      {0x10F0FF, -20, false, false, 0x00DCEB},
      {0x123456, 0, false, false, 0x123456},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ctl::ShiftColor(c.color, c.amount, c.blueScaled, c.soft), c.want)
        << std::hex << c.color << " by " << std::dec << c.amount;
  }
}

TEST(ButtonColors, LightenColorMovesEveryChannelTowardsWhite) {
  struct Case {
    COLORREF color;
    long amount;
    COLORREF want;
  } cases[] = {
      {0x000000, 176, 0xB0B0B0},
      {0xFFFFFF, 176, 0xFFFFFF},
      {0x6A240A, 176, 0xD0BBB3},  // 10 -> 179, 36 -> 187, 106 -> 208
      {0x6A240A, 0, 0x6A240A},
      {0x6A240A, 255, 0xFFFFFF},
  };
  for (const auto& c : cases) EXPECT_EQ(ctl::LightenColor(c.color, c.amount), c.want) << std::hex << c.color;
}

TEST(ButtonColors, TranslateColorResolvesSystemColoursAndRejectsNonsense) {
  EXPECT_EQ(ctl::TranslateColor(0x123456), 0x123456u);
  EXPECT_EQ(ctl::TranslateColor(0x8000000F), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ctl::TranslateColor(0x80000012), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(ctl::TranslateColor(0x800000FF), 0u);  // no such system colour
  EXPECT_EQ(ctl::TranslateColor(0x7F000000), 0u);
}

TEST(ButtonColors, GreyscaleRoundsHalvesToEven) {
  struct Case {
    int r, g, b, want;
  } cases[] = {
      {5, 0, 0, 2},    // 1.5 -> 2
      {15, 0, 0, 4},   // 4.5 -> 4
      {255, 255, 255, 254},  // 76 + 150.45 + 28.05 = 254.5 -> 254
      {0, 0, 0, 0},
      {100, 100, 100, 100},
  };
  for (const auto& c : cases) EXPECT_EQ(ctl::GreyOf(c.r, c.g, c.b), c.want) << c.r << "," << c.g << "," << c.b;
}

TEST(ButtonColors, AccessKeyOfCaption) {
  struct Case {
    const char* caption;
    const char* key;
  } cases[] = {
      {"Si&mpan", "m"},
      {"&Tutup", "t"},
      {"Tutup&", ""},         // its only "&" is the last character
      {"Tutup", ""},
      {"&", ""},
      {"", ""},
      {"A&&B &Cari", "c"},    // "&&" is a literal ampersand; the later "&" marks C
      {"Simpan && Keluar", ""},  // no single "&" after the doubled one: no key
      {"A&&B&&C", ""},
      {"&&&x", "x"},
      {"&Ubah Data", "u"},
      {"Data &\xC3\x9Cmum", "\xC3\xBC"},  // lower case of a non-ASCII letter
  };
  for (const auto& c : cases) EXPECT_EQ(ctl::AccessKeyOf(c.caption), c.key) << c.caption;
}

TEST(ButtonColors, SchemesBuildTheirTables) {
  auto b = bt::MakeButton(0, 0, 75, 23, "OK", 5, 1, false);
  b->SetBackColor(0x204060);
  b->SetBackOver(0x305070);
  b->SetForeColor(0x0000FF);
  b->SetForeOver(0x00FF00);

  b->SetColorScheme(1);
  EXPECT_EQ(b->Colors().face, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(b->Colors().shadow, GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(b->Colors().caption, GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(b->Colors().lightSelection, ctl::LightenColor(GetSysColor(COLOR_HIGHLIGHT), 176));
  EXPECT_EQ(b->Colors().mask, 0xC0C0C0u);

  b->SetColorScheme(2);
  const ctl::ColorTable& t = b->Colors();
  EXPECT_EQ(t.face, 0x204060u);
  EXPECT_EQ(t.faceOver, 0x305070u);
  EXPECT_EQ(t.shadow, ctl::ShiftColor(0x204060, -64));
  EXPECT_EQ(t.highlight, ctl::ShiftColor(0x204060, 47));
  EXPECT_EQ(t.light, ctl::ShiftColor(0x204060, 31));
  EXPECT_EQ(t.darkShadow, 0u);
  EXPECT_EQ(t.selection, ctl::ShiftColor(0x204060, -128));
  EXPECT_EQ(t.lightSelection, 0x204060u);
  EXPECT_EQ(t.caption, 0x0000FFu);
  EXPECT_EQ(t.captionOver, 0x00FF00u);
  EXPECT_EQ(t.lightFace, ctl::ShiftColor(0x204060, 48));

  b->SetSoftBevel(true);
  EXPECT_EQ(b->Colors().shadow, ctl::ShiftColor(0x204060, -32));
  b->SetSoftBevel(false);

  // Scheme 3 is the fixed grey palette whatever the colour properties say.
  b->SetColorScheme(3);
  ctl::ColorTable grey = b->Colors();
  b->SetBackColor(0x00FF00);
  b->SetForeColor(0xFF0000);
  EXPECT_EQ(b->Colors().face, 0xC0C0C0u);
  EXPECT_EQ(b->Colors().shadow, 0x808080u);
  EXPECT_EQ(b->Colors().light, 0xDFDFDFu);
  EXPECT_EQ(b->Colors().highlight, 0xFFFFFFu);
  EXPECT_EQ(b->Colors().caption, 0u);
  EXPECT_EQ(b->Colors().selection, 0x800000u);
  EXPECT_EQ(b->Colors().lightSelection, 0xD1ADADu);
  EXPECT_EQ(b->Colors().face, grey.face);

  // Type 3's light face keeps a bluish face bluish.
  b->SetButtonType(3);
  b->SetColors();
  EXPECT_EQ(b->Colors().lightFace, ctl::ShiftColor(0xC0C0C0, 48, true));
}

}  // namespace
