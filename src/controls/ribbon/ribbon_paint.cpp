// Drawing: every visible piece, back to front, through one Paint function
// that the window and the tests share.
#include <cmath>

#include "controls/ribbon/ribbon_bar.h"
#include "platform/ui/utf16.h"

namespace ctl {

namespace {

COLORREF ResolveColour(uint32_t ole) {
  // 0x80000000 | n names the system colour n.
  if (ole & 0x80000000u) return GetSysColor(static_cast<int>(ole & 0xFF));
  return static_cast<COLORREF>(ole & 0xFFFFFF);
}

int Px(float twips) { return static_cast<int>(std::lround(twips / RibbonBar::kTwipsPerPixel)); }

}  // namespace

HFONT RibbonBar::FontFor(Font f) const {
  size_t k = static_cast<size_t>(f);
  if (f == Font::None) k = static_cast<size_t>(Font::Caption);
  if (!fonts_[k]) {
    // Verdana 8.25 pt for button captions, 9.75 pt (bold on tabs) for the rest.
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    int hundredths = f == Font::Caption || f == Font::None ? 825 : 975;
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(hundredths, dpi, 7200);
    lf.lfWeight = f == Font::Tab ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    wcscpy(lf.lfFaceName, L"Verdana");
    fonts_[k] = CreateFontIndirectW(&lf);
  }
  return fonts_[k];
}

SIZE RibbonBar::MeasureText(Font f, const std::string& text) const {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FontFor(f));
  std::wstring w = ui::Widen(text);
  RECT r{0, 0, 0, 0};
  if (w.empty()) {
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    r.bottom = tm.tmHeight;
  } else {
    DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &r, DT_CALCRECT | DT_NOPREFIX);
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return {r.right - r.left, r.bottom - r.top};
}

void RibbonBar::Paint(HDC dc, int width) const {
  int height = HeightTwips() / kTwipsPerPixel;
  int saved = SaveDC(dc);
  IntersectClipRect(dc, 0, 0, width, height);
  HBRUSH back = CreateSolidBrush(ResolveColour(backColor_));
  RECT all{0, 0, width, height};
  FillRect(dc, &all, back);
  DeleteObject(back);
  SetBkMode(dc, TRANSPARENT);
  for (const WindowlessElement* e : stack_) {
    if (!e->visible) continue;
    int x = Px(e->left), y = Px(e->top);
    int r = Px(e->left + e->width), b = Px(e->top + e->height);
    if (x >= width || y >= height || r <= 0 || b <= 0) continue;
    if (!e->label) {
      e->picture.Draw(dc, x, y, r - x, b - y);
    } else if (!e->caption.empty()) {
      HGDIOBJ oldFont = SelectObject(dc, FontFor(e->font));
      SetTextColor(dc, ResolveColour(e->fore));
      std::wstring w = ui::Widen(e->caption);
      RECT box{x, y, r, b};
      DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &box,
                DT_NOPREFIX | DT_NOCLIP | (e->centred ? DT_CENTER : DT_LEFT));
      SelectObject(dc, oldFont);
    }
  }
  RestoreDC(dc, saved);
}

}  // namespace ctl
