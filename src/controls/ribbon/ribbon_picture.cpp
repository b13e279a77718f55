#include "controls/ribbon/ribbon_picture.h"

#include <algorithm>
using std::max;
using std::min;
#include <objidl.h>
#include <gdiplus.h>

#include "platform/ui/utf16.h"
#include "platform/vb/error.h"

namespace ctl {

struct RibbonPicture::Data {
  int w = 0, h = 0;
  HBITMAP dib = nullptr;
  uint32_t* bits = nullptr;  // premultiplied BGRA, top-down
  ~Data() {
    if (dib) DeleteObject(dib);
  }
};

namespace {

// GDI+ is started once for the life of the process.
void StartGdiplus() {
  static ULONG_PTR token = [] {
    ULONG_PTR t = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&t, &input, nullptr);
    return t;
  }();
  (void)token;
}

HBITMAP MakeDib(int w, int h, uint32_t** bits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* p = nullptr;
  HBITMAP b = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
  *bits = static_cast<uint32_t*>(p);
  return b;
}

uint32_t Premultiply(uint32_t argb) {
  uint32_t a = argb >> 24;
  if (a == 255) return argb;
  auto ch = [a](uint32_t c) { return (c * a + 127) / 255; };
  return (a << 24) | (ch((argb >> 16) & 255) << 16) | (ch((argb >> 8) & 255) << 8) |
         ch(argb & 255);
}

[[noreturn]] void InvalidPicture() { vb::raise(481, "Invalid picture"); }

}  // namespace

RibbonPicture RibbonPicture::FromPixels(int width, int height,
                                        const std::vector<uint32_t>& argb) {
  if (width <= 0 || height <= 0 || argb.size() < static_cast<size_t>(width) * height)
    InvalidPicture();
  auto d = std::make_shared<Data>();
  d->w = width;
  d->h = height;
  d->dib = MakeDib(width, height, &d->bits);
  if (!d->dib) vb::raise(7, "Out of memory");
  for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) d->bits[i] = Premultiply(argb[i]);
  RibbonPicture p;
  p.d_ = std::move(d);
  return p;
}

namespace {

// Copies a GDI+ bitmap into straight ARGB pixels and disposes of it.
RibbonPicture FromGdiplus(Gdiplus::Bitmap* bmp) {
  std::unique_ptr<Gdiplus::Bitmap> own(bmp);
  if (!bmp || bmp->GetLastStatus() != Gdiplus::Ok) InvalidPicture();
  int w = static_cast<int>(bmp->GetWidth()), h = static_cast<int>(bmp->GetHeight());
  if (w <= 0 || h <= 0) InvalidPicture();
  Gdiplus::Rect r(0, 0, w, h);
  Gdiplus::BitmapData data{};
  if (bmp->LockBits(&r, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
    InvalidPicture();
  std::vector<uint32_t> px(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const char*>(data.Scan0) +
                                                        static_cast<ptrdiff_t>(y) * data.Stride);
    std::copy(row, row + w, px.begin() + static_cast<ptrdiff_t>(y) * w);
  }
  bmp->UnlockBits(&data);
  own.reset();  // releases the file before the caller deletes it
  return RibbonPicture::FromPixels(w, h, px);
}

}  // namespace

RibbonPicture RibbonPicture::FromFile(const std::string& path) {
  StartGdiplus();
  std::wstring w = ui::Widen(path);
  if (GetFileAttributesW(w.c_str()) == INVALID_FILE_ATTRIBUTES) vb::raise(53, "File not found");
  return FromGdiplus(Gdiplus::Bitmap::FromFile(w.c_str()));
}

RibbonPicture RibbonPicture::FromMemory(const void* data, size_t size) {
  StartGdiplus();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!mem) vb::raise(7, "Out of memory");
  memcpy(GlobalLock(mem), data, size);
  GlobalUnlock(mem);
  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(mem, TRUE, &stream) != S_OK) {
    GlobalFree(mem);
    InvalidPicture();
  }
  Gdiplus::Bitmap* bmp = Gdiplus::Bitmap::FromStream(stream);
  try {
    RibbonPicture p = FromGdiplus(bmp);
    stream->Release();
    return p;
  } catch (...) {
    stream->Release();
    throw;
  }
}

int RibbonPicture::Width() const { return d_ ? d_->w : 0; }
int RibbonPicture::Height() const { return d_ ? d_->h : 0; }

uint32_t RibbonPicture::Pixel(int x, int y) const {
  if (!d_ || x < 0 || y < 0 || x >= d_->w || y >= d_->h) return 0;
  uint32_t p = d_->bits[static_cast<size_t>(y) * d_->w + x];
  uint32_t a = p >> 24;
  if (a == 0 || a == 255) return a == 0 ? 0 : p;
  auto ch = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
  return (a << 24) | (ch((p >> 16) & 255) << 16) | (ch((p >> 8) & 255) << 8) | ch(p & 255);
}

void RibbonPicture::Draw(HDC dc, int x, int y, int w, int h) const {
  if (!d_ || w <= 0 || h <= 0) return;
  HDC src = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(src, d_->dib);
  BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, w, h, src, 0, 0, d_->w, d_->h, bf);
  SelectObject(src, old);
  DeleteDC(src);
}

HBITMAP RibbonPicture::CopyBitmap() const {
  if (!d_) return nullptr;
  uint32_t* bits = nullptr;
  HBITMAP b = MakeDib(d_->w, d_->h, &bits);
  if (b) std::copy(d_->bits, d_->bits + static_cast<size_t>(d_->w) * d_->h, bits);
  return b;
}

}  // namespace ctl
