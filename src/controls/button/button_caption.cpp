// Caption and picture: layout, caption modes and effects, picture drawing
// with mask colour, greyscale, silhouettes and blending.
#include <cstring>
#include <vector>

#include "controls/button/button.h"
#include "platform/ui/utf16.h"

namespace ctl {

namespace {

constexpr UINT kDrawFlags = DT_CENTER | DT_VCENTER | DT_WORDBREAK;  // 21
constexpr UINT kMeasureFlags = DT_CALCRECT | DT_WORDBREAK;          // &H410

bool BlankText(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

// The header of a 32-bit picture whose rows run from the top.
BITMAPINFO TopDown32(int w, int h) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

// A 32-bit top-down DIB section with a DC, for reading and writing pixels.
class Pixels {
 public:
  Pixels(HDC like, int w, int h) : w_(w), h_(h), dc_(like) {
    BITMAPINFO bi = TopDown32(w, h);
    bmp_.reset(CreateDIBSection(like, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                                nullptr, 0));
    if (bmp_ && dc_) old_ = SelectObject(dc_, bmp_);
  }
  ~Pixels() {
    if (old_) SelectObject(dc_, old_);
  }
  bool ok() const { return bits_ && dc_ && old_; }
  HDC dc() const { return dc_; }
  // COLORREF layout (red in the low byte) of a pixel.
  COLORREF at(int x, int y) const {
    uint32_t v = bits_[y * w_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  void set(int x, int y, COLORREF c) {
    bits_[y * w_ + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }
  const uint32_t* bits() const { return bits_; }

 private:
  int w_, h_;
  uint32_t* bits_ = nullptr;
  ui::OwnedBitmap bmp_;
  ui::OwnedMemDC dc_;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

void Button::CalcPictureSize() {
  if (!pictureNormal_) {
    picW_ = picH_ = 0;
    return;
  }
  picW_ = HimetricToPixels(pictureNormal_->WidthHimetric(), false);
  picH_ = HimetricToPixels(pictureNormal_->HeightHimetric(), true);
}

void Button::CalcCaptionRect() {
  const int W = width_, H = height_, pw = picW_, ph = picH_;
  RECT r = captionRect_;
  switch (picturePosition_) {
    case 0: r = RECT{pw + 1, 1, W - 2, H - 2}; break;
    case 1: r = RECT{1, 1, W - 2 - pw, H - 2}; break;
    case 2: r = RECT{1, ph + 1, W - 2, H - 2}; break;
    case 3: r = RECT{1, 1, W - 2, H - 2 - ph}; break;
    case 4: r = RECT{1, 1, W - 2, H - 2}; break;
    default: break;
  }
  {
    ui::ScopedGetDC dc(hwnd_);
    if (dc) {
      ui::ScopedSelect font(dc, hfont_);
      std::wstring text = ui::Widen(caption_);
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, kMeasureFlags);
    }
  }
  int dx = 0, dy = 0;
  switch (picturePosition_) {
    case 0:
    case 2:
    case 4:
      dx = (W - r.right) / 2;
      dy = (H - r.bottom) / 2;
      break;
    case 1:
      dx = (W - r.right - pw - 4) / 2;
      dy = (H - r.bottom) / 2;
      break;
    case 3:
      dx = (W - r.right) / 2;
      dy = (H - r.bottom - ph - 4) / 2;
      break;
    default:
      break;
  }
  OffsetRect(&r, dx, dy);
  captionRect_ = r;
  captionW_ = r.right - r.left;
  captionH_ = r.bottom - r.top;
  pressedCaptionRect_ = r;
  OffsetRect(&pressedCaptionRect_, 1, 1);
  CalcPictureLayout();
}

void Button::CalcPictureLayout() {
  if (!pictureNormal_ && !pictureOver_) return;
  const int W = width_, H = height_, pw = picW_, ph = picH_;
  if (!BlankText(caption_) && picturePosition_ != 4) {
    switch (picturePosition_) {
      case 0: picPos_ = POINT{captionRect_.left - pw - 4, (H - ph) / 2}; break;
      case 1: picPos_ = POINT{captionRect_.right + 4, (H - ph) / 2}; break;
      case 2: picPos_ = POINT{(W - pw) / 2, captionRect_.top - ph - 2}; break;
      case 3: picPos_ = POINT{(W - pw) / 2, captionRect_.bottom + 2}; break;
      default: break;
    }
  } else {
    picPos_ = POINT{(W - pw) / 2, (H - ph) / 2};
  }
}

void Button::DrawCaptionText(const RECT& r, COLORREF color) {
  std::wstring text = ui::Widen(caption_);
  RECT rc = r;
  ui::ScopedSelect font(dc_, hfont_);
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, color);
  DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rc, kDrawFlags);
}

void Button::DrawCaption(int mode) {
  captionMode_ = mode;
  const ColorTable& c = colors_;
  const RECT& r = captionRect_;
  const RECT& p = pressedCaptionRect_;
  switch (mode) {
    case 0:
      DrawCaptionEffect(r);
      DrawCaptionText(r, c.caption);
      break;
    case 1:
      DrawCaptionEffect(r);
      DrawCaptionText(r, c.captionOver);
      break;
    case 2:
      DrawCaptionEffect(p);
      DrawCaptionText(p, buttonType_ == 4 ? c.light : c.captionOver);
      break;
    case 3:
      DrawCaptionText(p, c.highlight);
      DrawCaptionText(r, c.shadow);
      break;
    case 4:
      DrawCaptionText(r, c.shadow);
      break;
    case 5:
      DrawCaptionText(r, Shift(c.lightFace, -104, true));
      break;
    case 6:
      DrawCaptionText(p, c.highlight);
      DrawCaptionText(r, c.face);
      break;
    case 7:
      DrawCaptionText(p, Shift(c.shadow, -50));
      DrawCaptionText(r, c.highlight);
      break;
    case kStyle5PressedCaption:
      DrawCaptionText(p, c.captionOver);
      break;
    default:
      break;
  }
}

void Button::DrawCaptionEffect(const RECT& r) {
  if (specialEffect_ <= 0) return;
  COLORREF base = colors_.face;
  if (buttonType_ == 3 || buttonType_ == 4 || buttonType_ == 14)
    base = colors_.lightFace;
  else if (buttonType_ == 9 && captionMode_ == 1 && mouseOver_ && colorScheme_ != 2)
    base = colors_.lightSelection;
  RECT down = r;
  OffsetRect(&down, 1, 1);
  DrawCaptionText(down, Shift(base, specialEffect_ == 2 ? 40 : -40));
  if (specialEffect_ == 1 || specialEffect_ == 2) {
    RECT up = r;
    OffsetRect(&up, -1, -1);
    DrawCaptionText(up, Shift(base, specialEffect_ == 2 ? -40 : 40));
  }
}

void Button::PicturePlain(const PicturePtr& pic, int x, int y, bool grey, bool blend) {
  DrawPictureEx(dc_, x, y, picW_, picH_, pic, useMaskColor_ ? static_cast<long>(colors_.mask) : -1,
                -1, false, grey, blend);
}

void Button::Silhouette(const PicturePtr& pic, int x, int y, COLORREF c, bool darkOnly) {
  DrawPictureEx(dc_, x, y, picW_, picH_, pic, useMaskColor_ ? static_cast<long>(colors_.mask) : -1,
                static_cast<long>(c), darkOnly, false, false);
}

void Button::DrawPicture(int mode) {
  if (!pictureNormal_) return;
  const int x = picPos_.x, y = picPos_.y;
  const PicturePtr& normal = pictureNormal_;
  switch (mode) {
    case 0:
      if (mouseOver_) {
        if (buttonType_ == 9) {
          DrawPictureEffect(-1, normal);
          Silhouette(normal, x + 1, y + 1, colors_.shadow, false);
          PicturePlain(normal, x - 1, y - 1);
        } else if (pictureOver_) {
          DrawPictureEffect(0, pictureOver_);
          PicturePlain(pictureOver_, x, y);
        } else {
          DrawPictureEffect(0, normal);
          PicturePlain(normal, x, y);
        }
      } else {
        DrawPictureEffect(0, normal);
        PicturePlain(normal, x, y, useGreyscale_, buttonType_ == 9);
      }
      break;
    case 1:
      if (pictureOver_ && buttonType_ != 9) {
        if (buttonType_ == 5)
          PicturePlain(pictureOver_, x, y);
        else
          PicturePlain(pictureOver_, x + 1, y + 1);
      } else if (buttonType_ != 5 && buttonType_ != 9) {
        DrawPictureEffect(1, normal);
        PicturePlain(normal, x + 1, y + 1);
      } else {
        DrawPictureEffect(0, normal);
        PicturePlain(normal, x, y);
      }
      break;
    case 2:
      if (buttonType_ == 3) {
        PicturePlain(normal, x + 1, y + 1, true);
      } else if (buttonType_ == 5 || buttonType_ == 6 || buttonType_ == 9) {
        Silhouette(normal, x, y, buttonType_ == 9 ? Shift(colors_.shadow, 13) : colors_.shadow,
                   true);
      } else {
        Silhouette(normal, x + 1, y + 1, colors_.highlight, true);
        Silhouette(normal, x, y, colors_.shadow, true);
      }
      break;
    default:
      break;
  }
  // A picture behind the caption must not hide it.
  if (picturePosition_ == 4) DrawCaption(captionMode_);
}

void Button::DrawPictureEffect(int offset, const PicturePtr& pic) {
  if (specialEffect_ <= 0) return;
  COLORREF base = colors_.face;
  if (buttonType_ == 3)
    base = colors_.lightFace;
  else if (offset == -1 && colorScheme_ != 2)
    base = colors_.lightSelection;
  const int x = picPos_.x, y = picPos_.y;
  Silhouette(pic, x + 1 + offset, y + 1 + offset, Shift(base, specialEffect_ == 2 ? 40 : -40),
             false);
  if (specialEffect_ == 1 || specialEffect_ == 2)
    Silhouette(pic, x - 1 + offset, y - 1 + offset, Shift(base, specialEffect_ == 2 ? -40 : 40),
               false);
}

void Button::DrawPictureEx(HDC dc, int x, int y, int w, int h, const PicturePtr& pic,
                           long transparent, long solid, bool darkOnly, bool greyscale,
                           bool blend) {
  if (!pic || !dc) return;
  if (w < 0) w = HimetricToPixels(pic->WidthHimetric(), false);
  if (h < 0) h = HimetricToPixels(pic->HeightHimetric(), true);
  if (w == 0 || h == 0) return;

  Pixels src(dc, w, h), bg(dc, w, h);
  if (!src.ok() || !bg.ok()) return;
  if (pic->type() == Picture::Type::kBitmap) {
    ui::OwnedMemDC from(dc);
    ui::ScopedSelect sel(from, pic->bitmap());
    BitBlt(src.dc(), 0, 0, w, h, from, 0, 0, SRCCOPY);
  } else {
    // An icon's transparent parts take the mask colour, so the mask test
    // below treats them as background.
    RECT all{0, 0, w, h};
    ui::OwnedBrush fill(CreateSolidBrush(TranslateColor(maskColor_)));
    FillRect(src.dc(), &all, fill);
    DrawIconEx(src.dc(), 0, 0, pic->icon(), w, h, 0, nullptr, DI_NORMAL);
  }
  BitBlt(bg.dc(), 0, 0, w, h, dc, x, y, SRCCOPY);
  GdiFlush();

  for (int row = 0; row < h; ++row) {
    for (int col = 0; col < w; ++col) {
      const COLORREF p = src.at(col, row);
      if (transparent >= 0 && p == static_cast<COLORREF>(transparent)) continue;  // background
      const int r = GetRValue(p), g = GetGValue(p), b = GetBValue(p);
      COLORREF out = p;
      if (solid >= 0) {
        if (darkOnly && r + g + b >= 385) continue;
        out = static_cast<COLORREF>(solid);
      } else if (greyscale) {
        const int grey = GreyOf(r, g, b);
        out = RGB(grey, grey, grey);
      } else if (blend) {
        const COLORREF q = bg.at(col, row);
        out = RGB((2 * r + GetRValue(q)) / 3, (2 * g + GetGValue(q)) / 3,
                  (2 * b + GetBValue(q)) / 3);
      }
      bg.set(col, row, out);
    }
  }
  BITMAPINFO bi = TopDown32(w, h);
  SetDIBitsToDevice(dc, x, y, w, h, 0, 0, 0, h, bg.bits(), &bi, DIB_RGB_COLORS);
}

}  // namespace ctl
