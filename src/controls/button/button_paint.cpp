// DrawButton, the looks of the fourteen styles and the window shape.
#include "controls/button/button.h"

#include <cmath>

namespace ctl {

namespace {
constexpr COLORREF kFocusOutline = 0xCC9999;  // &HCC9999
}

void Button::DrawButton(int state, bool force) {
  if (checkBox_ && value_) state = kPressed;
  if (!force && lastPainted_ && caption_ == lastCaption_ && state == lastState_) return;
  if (height_ == 0 || !refreshAllowed_ || !hwnd_) return;
  lastState_ = state;
  lastCaption_ = caption_;
  lastPainted_ = true;
  if (!back_) {
    ui::ScopedGetDC wdc(hwnd_);
    back_.create(wdc, width_, height_);
  }
  if (!back_) return;
  PaintLook(back_.dc(), state);
  ui::ScopedGetDC wdc(hwnd_);
  if (wdc) BitBlt(wdc, 0, 0, width_, height_, back_.dc(), 0, 0, SRCCOPY);
}

void Button::Paint(HDC dc, int state, int hot, int focused) {
  if (checkBox_ && value_) state = kPressed;
  if (width_ <= 0 || height_ <= 0) return;
  const bool keptOver = mouseOver_, keptFocus = hasFocus_;
  if (hot >= 0) mouseOver_ = hot != 0;
  if (focused >= 0) hasFocus_ = focused != 0;
  // Clip to the window's shape so the picture equals what the window shows.
  int saved = SaveDC(dc);
  POINT org{};
  GetViewportOrgEx(dc, &org);
  ui::OwnedRegion clip(MakeRegion());
  if (clip) {
    OffsetRgn(clip, org.x, org.y);
    ExtSelectClipRgn(dc, clip, RGN_AND);
  }
  PaintLook(dc, state);
  RestoreDC(dc, saved);
  mouseOver_ = keptOver;
  hasFocus_ = keptFocus;
}

void Button::PaintLook(HDC dc, int state) {
  dc_ = dc;
  ++paintCount_;
  SetBkMode(dc_, TRANSPARENT);
  // Scheme 2 paints a hot button with BackOver as its face, for this paint only.
  const bool swap = mouseOver_ && colorScheme_ == 2;
  const OleColor kept = backColor_;
  if (swap) {
    backColor_ = backOver_;
    SetColors();
  }
  DrawRect(0, 0, width_, height_, colors_.face);
  if (!enabled_) {
    DrawDisabled();
    DrawPicture(2);
  } else if (state == kPressed) {
    DrawPressed(mouseOver_);
    DrawPicture(1);
  } else if (state == kUp) {
    DrawUp(mouseOver_);
    DrawPicture(0);
  }
  if (swap) {
    backColor_ = kept;
    SetColors();
  }
  dc_ = nullptr;
}

// ---- primitives ------------------------------------------------------------------

void Button::DrawRect(int x, int y, int w, int h, COLORREF c, bool frame) {
  RECT r{x, y, x + w, y + h};
  ui::OwnedBrush b(CreateSolidBrush(c));
  if (frame)
    FrameRect(dc_, &r, b);
  else
    FillRect(dc_, &r, b);
}

void Button::DrawLine(int x1, int y1, int x2, int y2, COLORREF c) {
  ui::OwnedPen pen(CreatePen(PS_SOLID, 1, c));
  ui::ScopedSelect sel(dc_, pen);
  MoveToEx(dc_, x1, y1, nullptr);
  LineTo(dc_, x2, y2);
}

void Button::DrawEllipse(const RECT& r, COLORREF pen, COLORREF brush) {
  ui::OwnedPen p(CreatePen(PS_SOLID, 2, pen));
  ui::OwnedBrush b(CreateSolidBrush(brush));
  ui::ScopedSelect sp(dc_, p);
  ui::ScopedSelect sb(dc_, b);
  Ellipse(dc_, r.left, r.top, r.right, r.bottom);
}

void Button::PutPixel(int x, int y, COLORREF c) { SetPixelV(dc_, x, y, c); }

// The four pixels one in from the corners, which soften a square outline.
void Button::PutCornerPixels(COLORREF c) {
  const int W = width_, H = height_;
  PutPixel(1, 1, c);
  PutPixel(W - 2, 1, c);
  PutPixel(1, H - 2, c);
  PutPixel(W - 2, H - 2, c);
}

void Button::DrawFrame(COLORREF c1, COLORREF c2, COLORREF c3, COLORREF c4, int d,
                       bool outerOnly) {
  const int W = width_, H = height_;
  auto ring = [&](int i, COLORREF tl, COLORREF br) {
    DrawLine(i, i, W - 1 - i, i, tl);
    DrawLine(i, i, i, H - 1 - i, tl);
    DrawLine(W - 1 - i, i, W - 1 - i, H - i, br);
    DrawLine(i, H - 1 - i, W - i, H - 1 - i, br);
  };
  ring(d, c1, c2);
  if (!outerOnly) ring(d + 1, c3, c4);
}

void Button::DrawFocus() {
  if (!showFocusRect_ || !hasFocus_) return;
  SetTextColor(dc_, colors_.caption);
  SetBkColor(dc_, colors_.face);
  DrawFocusRect(dc_, &inner_);
}

// Rows of a vertical gradient: row i (1..H) is shifted by -total/H*i,
// counted from the top or from the bottom.
void Button::Gradient(COLORREF from, double total, bool bottomUp) {
  const int W = width_, H = height_;
  for (int i = 1; i <= H; ++i) {
    COLORREF c = Shift(from, -RoundHalfEven(total / H * i));
    int y = bottomUp ? H - i : i - 1;
    DrawLine(0, y, W, y, c);
  }
}

// ---- looks ---------------------------------------------------------------------------

// Style 2, the system's push button: shown as the default button (a dark
// outline and the focus mark inside it) while focused or made the default.
void Button::DrawType2Up(bool hot) {
  const int W = width_, H = height_;
  const ColorTable& c = colors_;
  DrawCaption(hot ? 1 : 0);
  // A focused push button is the one Enter would press: shown as default.
  if (showFocusRect_ && (displayAsDefault_ || hasFocus_)) {
    DrawFrame(c.highlight, c.darkShadow, c.light, c.shadow, 1, false);
    DrawFocus();
    DrawRect(0, 0, W, H, c.darkShadow, true);
  } else {
    DrawFrame(c.highlight, c.darkShadow, c.light, c.shadow, 0, false);
  }
}

void Button::DrawType2Pressed() {
  const int W = width_, H = height_;
  const ColorTable& c = colors_;
  DrawCaption(2);
  if (showFocusRect_ && (displayAsDefault_ || hasFocus_)) {
    DrawRect(0, 0, W, H, c.darkShadow, true);
    DrawRect(1, 1, W - 2, H - 2, c.shadow, true);
  } else {
    DrawFrame(c.darkShadow, c.highlight, c.shadow, c.light, 0, false);
    DrawFocus();
  }
}

void Button::DrawType5Up(bool hot) {
  const int W = width_, H = height_;
  const ColorTable& c = colors_;
  DrawRect(1, 1, W - 1, H - 1, Shift(c.face, 12));
  DrawCaption(hot ? 1 : 0);
  DrawRect(1, 1, W - 1, H - 1, c.highlight, true);
  DrawRect(0, 0, W - 1, H - 1, Shift(c.shadow, -26), true);
  PutPixel(1, H - 2, Shift(c.shadow, 26));
  PutPixel(W - 2, 1, Shift(c.shadow, 26));
  if (hasFocus_ && showFocusRect_)
    DrawRect(captionRect_.left - 2, captionRect_.top - 1, captionW_ + 4, captionH_ + 2,
             kFocusOutline, true);
}

void Button::DrawType5Pressed() {
  const int W = width_, H = height_;
  const ColorTable& c = colors_;
  DrawRect(1, 1, W - 2, H - 2, Shift(c.shadow, 16));
  DrawRect(0, 0, W - 1, H - 1, Shift(c.shadow, -26), true);
  DrawLine(W - 1, 1, W - 1, H, c.highlight);
  DrawLine(1, H - 1, W - 1, H - 1, c.highlight);
  DrawCaption(kStyle5PressedCaption);
  if (hasFocus_ && showFocusRect_)
    DrawRect(captionRect_.left - 2, captionRect_.top - 1, captionW_ + 4, captionH_ + 2,
             kFocusOutline, true);
}

namespace {
struct Type3Ring {
  COLORREF fill, bottom, top, second, sides;
};
}  // namespace

void Button::DrawType3Up(bool hot) {
  const int W = width_, H = height_;
  const COLORREF lf = colors_.lightFace;
  Gradient(lf, 25, false);
  const bool marked = !hot && showFocusRect_ && (hasFocus_ || displayAsDefault_);
  if (hot || marked) {
    const Type3Ring ring = hot ? Type3Ring{0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF}
                               : Type3Ring{0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5};
    DrawRect(1, 2, W - 2, H - 4, ring.fill);
    // The face's own gradient goes on inside the coloured ring.
    for (int i = 4; i <= H - 3; ++i) {
      COLORREF c = Shift(lf, -RoundHalfEven(25.0 / H * i));
      DrawLine(3, i - 1, W - 3, i - 1, c);
    }
    DrawLine(2, H - 2, W - 2, H - 2, ring.bottom);
    DrawLine(2, 1, W - 2, 1, ring.top);
    DrawLine(2, 2, W - 2, 2, ring.second);
    DrawLine(1, 2, 1, H - 2, ring.sides);
    DrawLine(W - 2, 2, W - 2, H - 2, ring.sides);
  } else {
    DrawLine(1, H - 2, W - 1, H - 2, Shift(lf, -48));
    DrawLine(1, H - 3, W - 1, H - 3, Shift(lf, -32));
    DrawLine(W - 2, 1, W - 2, H - 2, Shift(lf, -36));
    DrawLine(W - 3, 2, W - 3, H - 3, Shift(lf, -24));
    DrawLine(1, 1, W - 2, 1, Shift(lf, 16));
    DrawLine(2, 2, W - 3, 2, Shift(lf, 10));
    DrawLine(1, 2, 1, H - 2, Shift(lf, -5));
    DrawLine(2, 3, 2, H - 3, Shift(lf, -10));
  }
  DrawCaption(hot ? 1 : 0);
  DrawType3Outline();
}

// Style 3's dark outline with its softened corners, over every look.
void Button::DrawType3Outline() {
  const int W = width_, H = height_;
  DrawRect(0, 0, W, H, 0x733C00, true);
  PutCornerPixels(0x7B4D10);
}

void Button::DrawType3Pressed() {
  const int W = width_, H = height_;
  const COLORREF base = Shift(colors_.lightFace, -32);
  Gradient(base, 25, true);
  DrawLine(1, H - 2, W - 1, H - 2, Shift(base, 16));
  DrawLine(W - 2, 1, W - 2, H - 2, Shift(base, 10));
  DrawLine(2, H - 3, W - 2, H - 3, Shift(base, 5));
  DrawLine(1, 1, W - 1, 1, Shift(base, -32));
  DrawLine(2, 2, W - 2, 2, Shift(base, -24));
  DrawLine(1, 1, 1, H - 1, Shift(base, -32));
  DrawLine(2, 2, 2, H - 2, Shift(base, -22));
  DrawCaption(2);
  DrawType3Outline();
}

// Style 4's raised frame with rounded corners, shared by its up and disabled looks.
void Button::DrawType4Frame() {
  const int W = width_, H = height_;
  const ColorTable& c = colors_;
  DrawRect(1, 1, W - 2, H - 2, c.light);
  DrawRect(0, 0, W, H, c.darkShadow, true);
  PutCornerPixels(c.darkShadow);
  DrawLine(2, 1, W - 2, 1, c.highlight);
  DrawLine(1, 2, 1, H - 2, c.highlight);
  DrawLine(2, H - 3, W - 2, H - 3, c.face);
  DrawLine(W - 3, 2, W - 3, H - 2, c.face);
  DrawLine(2, H - 2, W - 2, H - 2, c.shadow);
  DrawLine(W - 2, 2, W - 2, H - 2, c.shadow);
}

void Button::DrawType4Pressed() {
  const int W = width_, H = height_;
  const ColorTable& c = colors_;
  DrawRect(1, 1, W - 2, H - 2, Shift(c.shadow, -16));
  DrawRect(0, 0, W, H, c.darkShadow, true);
  PutCornerPixels(c.darkShadow);
  DrawLine(2, 1, W - 2, 1, Shift(c.shadow, -64));
  DrawLine(1, 2, 1, H - 2, Shift(c.shadow, -64));
  DrawLine(2, 2, W - 2, 2, Shift(c.shadow, -32));
  DrawLine(2, 2, 2, H - 2, Shift(c.shadow, -32));
  DrawCaption(2);
}

// Style 9, flat until the mouse is over it: then a selection-coloured face
// and outline.
void Button::DrawType9Up(bool hot) {
  const int W = width_, H = height_;
  if (hot) {
    DrawRect(1, 1, W, H, colors_.lightSelection);
    DrawCaption(1);
    DrawRect(0, 0, W, H, colors_.selection, true);
  } else {
    DrawCaption(0);
  }
}

void Button::DrawType9Pressed(bool hot) {
  const int W = width_, H = height_;
  const ColorTable& c = colors_;
  if (hot)
    DrawRect(0, 0, W, H,
             colorScheme_ == 2 ? Shift(c.lightSelection, -32) : LightenColor(c.selection, 128));
  DrawCaption(2);
  if (hot) DrawRect(0, 0, W, H, c.selection, true);
}

// Style 11 shows the container's pixels captured under the button.
void Button::DrawCapturedBackground() {
  if (background_) BitBlt(dc_, 0, 0, width_, height_, background_.dc(), 0, 0, SRCCOPY);
}

// Style 14's face (a light fill while hot, else a gradient from the
// highlight), its bands and outlines, shared by its up and disabled looks.
void Button::DrawType14Face(bool hot, int captionMode) {
  const int W = width_, H = height_;
  const ColorTable& c = colors_;
  if (hot)
    DrawRect(0, 0, W, H, c.light);
  else
    Gradient(c.highlight, 58, false);
  DrawRect(2, 2, W - 4, 2, c.highlight);
  DrawRect(2, 4, 2, H - 6, c.highlight);
  DrawCaption(captionMode);
  DrawRect(0, 0, W, H, Shift(c.shadow, -50), true);
  DrawRect(1, 1, W - 2, H - 2, Shift(c.face, -9), true);
}

void Button::DrawType14Pressed() {
  const int W = width_, H = height_;
  const ColorTable& c = colors_;
  DrawRect(1, 1, W, H, Shift(c.face, -9));
  DrawRect(0, 0, W, H, Shift(c.shadow, -48), true);
  DrawLine(2, H - 2, W - 2, H - 2, c.highlight);
  DrawLine(W - 2, 2, W - 2, H - 1, c.highlight);
  DrawCaption(7);
}

void Button::DrawUp(bool hot) {
  const int W = width_, H = height_;
  const ColorTable& c = colors_;
  const int cm = hot ? 1 : 0;
  switch (buttonType_) {
    case 1:
      DrawCaption(cm);
      DrawFrame(c.highlight, c.shadow, c.highlight, c.shadow, 1, false);
      DrawRect(0, 0, W, H, c.darkShadow, true);
      DrawFocus();
      break;
    case 2:
      DrawType2Up(hot);
      break;
    case 3:
      DrawType3Up(hot);
      break;
    case 4:
      DrawType4Frame();
      DrawCaption(cm);
      break;
    case 5:
      DrawType5Up(hot);
      break;
    case 6:
      DrawCaption(cm);
      DrawFrame(Shift(c.light, 8), c.shadow, Shift(c.light, 8), c.shadow, 0, false);
      DrawFocus();
      break;
    case 7:
    case 8:
      DrawCaption(cm);
      if (buttonType_ == 7 || hot) DrawFrame(c.highlight, c.shadow, 0, 0, 0, true);
      DrawFocus();
      break;
    case 9:
      DrawType9Up(hot);
      DrawFocus();
      break;
    case 10:
      break;
    case 11:
      DrawCapturedBackground();
      DrawCaption(cm);
      DrawFocus();
      break;
    case 12:
      DrawCaption(cm);
      if (hot) DrawFrame(c.highlight, c.darkShadow, c.light, c.shadow, 0, false);
      DrawFocus();
      break;
    case 13:
      DrawEllipse(RECT{0, 0, W, H}, hot ? c.shadow : c.face, c.face);
      DrawCaption(cm);
      break;
    case 14:
      DrawType14Face(hot, cm);
      DrawFocus();
      break;
    default:
      break;
  }
}

void Button::DrawPressed(bool hot) {
  const int W = width_, H = height_;
  const ColorTable& c = colors_;
  switch (buttonType_) {
    case 1:
      DrawCaption(2);
      DrawFrame(c.shadow, c.highlight, c.shadow, c.highlight, 1, false);
      DrawRect(0, 0, W, H, c.darkShadow, true);
      DrawFocus();
      break;
    case 2:
      DrawType2Pressed();
      break;
    case 3:
      DrawType3Pressed();
      break;
    case 4:
      DrawType4Pressed();
      break;
    case 5:
      DrawType5Pressed();
      break;
    case 6:
      DrawCaption(2);
      DrawFrame(c.shadow, Shift(c.light, 8), c.shadow, Shift(c.light, 8), 0, false);
      DrawFocus();
      break;
    case 7:
    case 8:
      DrawCaption(2);
      DrawFrame(c.shadow, c.highlight, 0, 0, 0, true);
      DrawFocus();
      break;
    case 9:
      DrawType9Pressed(hot);
      DrawFocus();
      break;
    case 10:
      break;
    case 11:
      DrawCapturedBackground();
      DrawCaption(2);
      DrawFocus();
      break;
    case 12:
      DrawCaption(2);
      DrawFrame(c.darkShadow, c.highlight, c.shadow, c.light, 0, false);
      DrawFocus();
      break;
    case 13:
      DrawEllipse(RECT{0, 0, W, H}, c.darkShadow, Shift(c.face, -32));
      DrawCaption(2);
      break;
    case 14:
      DrawType14Pressed();
      DrawFocus();
      break;
    default:
      break;
  }
}

void Button::DrawDisabled() {
  const int W = width_, H = height_;
  const ColorTable& c = colors_;
  switch (buttonType_) {
    case 1:
      DrawCaption(3);
      DrawFrame(c.highlight, c.shadow, c.highlight, c.shadow, 1, false);
      DrawRect(0, 0, W, H, c.darkShadow, true);
      break;
    case 2:
      DrawCaption(3);
      DrawFrame(c.highlight, c.darkShadow, c.light, c.shadow, 0, false);
      break;
    case 3: {
      const COLORREF lf = c.lightFace;
      DrawRect(0, 0, W, H, Shift(lf, -24));
      DrawCaption(5);
      DrawRect(0, 0, W, H, Shift(lf, -84), true);
      PutCornerPixels(Shift(lf, -72));
      break;
    }
    case 4:
      DrawType4Frame();
      DrawCaption(3);
      break;
    case 5:
      DrawCaption(4);
      DrawRect(0, 0, W, H, c.shadow, true);
      break;
    case 6:
      DrawCaption(4);
      DrawFrame(Shift(c.light, 8), c.shadow, Shift(c.light, 8), c.shadow, 0, false);
      break;
    case 9:
      DrawCaption(4);
      break;
    case 10:
      break;
    case 11:
      DrawCapturedBackground();
      DrawCaption(3);
      break;
    case 7:
    case 8:
    case 12:
    case 13:
      DrawCaption(3);
      DrawFrame(c.highlight, c.shadow, 0, 0, 0, true);
      break;
    case 14:
      DrawType14Face(false, 6);
      break;
    default:
      break;
  }
}

HRGN Button::MakeRegion() const {
  const int W = width_, H = height_;
  HRGN rgn = buttonType_ == 13 ? CreateEllipticRgn(0, 0, W, H) : CreateRectRgn(0, 0, W, H);
  if (!rgn) return nullptr;
  auto cut = [rgn](int l, int t, int r, int b) {
    ui::OwnedRegion piece(CreateRectRgn(l, t, r, b));
    if (piece) CombineRgn(rgn, rgn, piece, RGN_DIFF);
  };
  switch (buttonType_) {
    case 1:
    case 5:
    case 14:
      cut(0, H - 1, 1, H);
      cut(W - 1, 0, W, 1);
      if (buttonType_ != 5) {
        cut(0, 0, 1, 1);
        cut(W - 1, H - 1, W, H);
      }
      break;
    case 3:
    case 4:
      cut(0, 0, 2, 1);
      cut(0, H - 1, 2, H);
      cut(W - 2, 0, W, 1);
      cut(W - 2, H - 1, W, H);
      cut(0, 1, 1, 2);
      cut(0, H - 2, 1, H - 1);
      cut(W - 1, 1, W, 2);
      cut(W - 1, H - 2, W, H - 1);
      break;
    default:
      break;
  }
  return rgn;
}

}  // namespace ctl
