// Paints every style in every look and scheme into one image for a person to
// look at: build/screenshots/button-gallery.png.
#include <gtest/gtest.h>

#include "support/win_test_support.h"
#include "test_util.h"

namespace {

constexpr int kBw = 84, kBh = 26, kCellW = 92, kCellH = 32, kLabelW = 34, kHeadH = 22;

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

TEST(ButtonGallery, AllStylesLooksAndSchemes) {
  const int cols = 2 * 5;
  const int width = kLabelW + cols * kCellW;
  const int height = 4 * (kHeadH + 14 * kCellH);
  vt::test::Canvas canvas(width, height);
  canvas.Fill(RGB(236, 236, 236));
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
