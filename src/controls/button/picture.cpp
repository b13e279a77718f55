#include "controls/button/picture.h"

#include <cmath>

namespace ctl {

namespace {

int ScreenDpi(bool vertical) {
  HDC dc = GetDC(nullptr);
  int dpi = dc ? GetDeviceCaps(dc, vertical ? LOGPIXELSY : LOGPIXELSX) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

long PixelsToHimetric(int px, bool vertical) {
  return std::lround(px * 2540.0 / ScreenDpi(vertical));
}

}  // namespace

int HimetricToPixels(long himetric, bool vertical) {
  return static_cast<int>(std::lround(himetric * ScreenDpi(vertical) / 2540.0));
}

PicturePtr Picture::FromBitmap(HBITMAP bmp, bool own) {
  if (!bmp) return nullptr;
  BITMAP bm{};
  if (!GetObjectW(bmp, sizeof bm, &bm)) return nullptr;
  std::shared_ptr<Picture> p(new Picture);
  p->type_ = Type::kBitmap;
  p->bitmap_ = bmp;
  p->own_ = own;
  p->widthHm_ = PixelsToHimetric(bm.bmWidth, false);
  p->heightHm_ = PixelsToHimetric(std::abs(bm.bmHeight), true);
  return p;
}

PicturePtr Picture::FromIcon(HICON icon, bool own) {
  if (!icon) return nullptr;
  ICONINFO ii{};
  if (!GetIconInfo(icon, &ii)) return nullptr;
  int w = 0, h = 0;
  BITMAP bm{};
  if (ii.hbmColor && GetObjectW(ii.hbmColor, sizeof bm, &bm)) {
    w = bm.bmWidth;
    h = std::abs(bm.bmHeight);
  } else if (ii.hbmMask && GetObjectW(ii.hbmMask, sizeof bm, &bm)) {
    // A monochrome icon keeps AND and XOR masks stacked in one bitmap.
    w = bm.bmWidth;
    h = std::abs(bm.bmHeight) / 2;
  }
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  if (ii.hbmMask) DeleteObject(ii.hbmMask);
  std::shared_ptr<Picture> p(new Picture);
  p->type_ = Type::kIcon;
  p->icon_ = icon;
  p->own_ = own;
  p->widthHm_ = PixelsToHimetric(w, false);
  p->heightHm_ = PixelsToHimetric(h, true);
  return p;
}

Picture::~Picture() {
  if (!own_) return;
  if (bitmap_) DeleteObject(bitmap_);
  if (icon_) DestroyIcon(icon_);
}

}  // namespace ctl
