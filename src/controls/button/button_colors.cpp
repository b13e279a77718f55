// Colour table, colour arithmetic and the access key of the caption.
#include <ole2.h>
#include <olectl.h>

#include <cmath>

#include "controls/button/button.h"
#include "platform/ui/utf16.h"

namespace ctl {

namespace {

long Clamp(long v, long a) {
  if (a >= 1 && v > 255) return 255;
  if (a < 0 && v < 0) return 0;
  return v;
}

}  // namespace

COLORREF ShiftColor(COLORREF color, long amount, bool blueScaled, bool soft) {
  // Soft bevels use half the contrast of the normal ones.
  long a = soft ? amount / 2 : amount;
  long r = static_cast<long>(color & 0xFF) + a;
  long g = static_cast<long>((color >> 8) & 0xFF) + a;
  long b0 = static_cast<long>((color >> 16) & 0xFF);
  // The blue-scaled shift keeps a bluish face bluish as it lightens.
  long b = blueScaled ? b0 + (b0 * a) / 192 : b0 + a;
  r = Clamp(r, a);
  g = Clamp(g, a);
  b = Clamp(b, a);
  return static_cast<COLORREF>(r + g * 256 + b * 65536);
}

COLORREF LightenColor(COLORREF color, long amount) {
  auto ch = [amount](long c) {
    long v = c * (255 - amount) / 255 + amount;
    return v > 255 ? 255 : v;
  };
  long r = ch(color & 0xFF), g = ch((color >> 8) & 0xFF), b = ch((color >> 16) & 0xFF);
  return static_cast<COLORREF>(r + g * 256 + b * 65536);
}

COLORREF TranslateColor(OleColor color) {
  COLORREF out = 0;
  if (OleTranslateColor(static_cast<OLE_COLOR>(color), nullptr, &out) != S_OK) return 0;
  return out;
}

long RoundHalfEven(double v) {
  double f = std::floor(v);
  double diff = v - f;
  if (diff > 0.5) return static_cast<long>(f + 1);
  if (diff < 0.5) return static_cast<long>(f);
  long fi = static_cast<long>(f);
  return (fi % 2 == 0) ? fi : fi + 1;
}

namespace {
// n / d rounded to the nearest whole number, halves to the even one; exact,
// so that a true half is seen as one whatever the floating-point unit does.
long DivRoundHalfEven(long n, long d) {
  long q = n / d, r = n % d;
  if (2 * r > d || (2 * r == d && (q % 2) != 0)) ++q;
  return q;
}
}  // namespace

int GreyOf(int red, int green, int blue) {
  // grey = round(round(red * 0.3) + green * 0.59 + blue * 0.11), in hundredths.
  long r = DivRoundHalfEven(red * 3L, 10);
  return static_cast<int>(DivRoundHalfEven(r * 100 + green * 59L + blue * 11L, 100));
}

std::string AccessKeyOf(const std::string& caption) {
  std::wstring s = ui::Widen(caption);
  if (s.size() < 2) return std::string();
  size_t p = s.find(L'&');
  if (p == std::wstring::npos || p + 1 >= s.size()) return std::string();
  wchar_t key = 0;
  if (s[p + 1] != L'&') {
    key = s[p + 1];
  } else {
    // "&&" shows a literal ampersand; the key is marked by a later single "&".
    // Without one there is no key (not the caption's first letter).
    size_t q = s.find(L'&', p + 2);
    if (q == std::wstring::npos || q + 1 >= s.size() || s[q + 1] == L'&') return std::string();
    key = s[q + 1];
  }
  wchar_t buf[2] = {key, 0};
  CharLowerBuffW(buf, 1);
  return ui::Narrow(buf, 1);
}

void Button::SetColors() {
  ColorTable& t = colors_;
  switch (colorScheme_) {
    case 2:
      t.face = TranslateColor(backColor_);
      t.faceOver = TranslateColor(backOver_);
      t.shadow = Shift(t.face, -64);
      t.light = Shift(t.face, 31);
      t.highlight = Shift(t.face, 47);
      t.darkShadow = Shift(t.face, -192);
      t.caption = TranslateColor(foreColor_);
      t.captionOver = TranslateColor(foreOver_);
      t.selection = Shift(t.face, -128);
      t.lightSelection = t.face;
      break;
    case 3:
      t.face = t.faceOver = 0xC0C0C0;
      t.shadow = 0x808080;
      t.light = 0xDFDFDF;
      t.highlight = 0xFFFFFF;
      t.darkShadow = 0;
      t.caption = t.captionOver = 0;
      t.selection = 0x800000;
      t.lightSelection = 0xD1ADAD;
      break;
    case 4: {
      // The container's own colours, as a fresh DC of its window reports them.
      HWND parent = hwnd_ ? GetParent(hwnd_) : nullptr;
      ui::ScopedGetDC dc(parent);
      t.face = dc ? GetBkColor(dc) : GetSysColor(COLOR_BTNFACE);
      t.caption = dc ? GetTextColor(dc) : GetSysColor(COLOR_BTNTEXT);
      t.faceOver = t.face;
      t.captionOver = t.caption;
      t.shadow = Shift(t.face, -64);
      t.light = Shift(t.face, 31);
      t.highlight = Shift(t.face, 47);
      t.darkShadow = Shift(t.face, -192);
      t.selection = GetSysColor(COLOR_HIGHLIGHT);
      t.lightSelection = LightenColor(t.selection, 176);
      break;
    }
    default:
      t.face = t.faceOver = GetSysColor(COLOR_BTNFACE);
      t.shadow = GetSysColor(COLOR_BTNSHADOW);
      t.light = GetSysColor(COLOR_3DLIGHT);
      t.highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
      t.darkShadow = GetSysColor(COLOR_3DDKSHADOW);
      t.caption = t.captionOver = GetSysColor(COLOR_BTNTEXT);
      t.selection = GetSysColor(COLOR_HIGHLIGHT);
      t.lightSelection = LightenColor(t.selection, 176);
      break;
  }
  t.mask = TranslateColor(maskColor_);
  t.lightFace = Shift(t.face, 48, buttonType_ == 3);
}

void Button::SetAccessKeys() { accessKeys_ = AccessKeyOf(caption_); }

}  // namespace ctl
