// Small owning wrappers for the GDI handles the button creates, so that every
// exit path of a paint gives back what it took.
#pragma once
#include <windows.h>

namespace ctl::gdi {

// Owns one GDI object (brush, pen, bitmap, region, font) and deletes it.
template <typename H>
class Object {
 public:
  Object() = default;
  explicit Object(H h) : h_(h) {}
  ~Object() { reset(); }
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  Object(Object&& o) noexcept : h_(o.release()) {}
  Object& operator=(Object&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  H get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  H release() {
    H h = h_;
    h_ = nullptr;
    return h;
  }
  void reset(H h = nullptr) {
    if (h_) DeleteObject(h_);
    h_ = h;
  }

 private:
  H h_ = nullptr;
};

using Brush = Object<HBRUSH>;
using Pen = Object<HPEN>;
using Bitmap = Object<HBITMAP>;
using Region = Object<HRGN>;
using Font = Object<HFONT>;

// Selects an object into a DC and puts the previous one back at scope end.
class Select {
 public:
  Select(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
  ~Select() {
    if (old_) SelectObject(dc_, old_);
  }
  Select(const Select&) = delete;
  Select& operator=(const Select&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window's DC from GetDC, released at scope end.
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// A memory DC from CreateCompatibleDC, deleted at scope end.
class MemoryDC {
 public:
  MemoryDC() = default;
  explicit MemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}
  ~MemoryDC() { reset(); }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }
  void reset(HDC dc = nullptr) {
    if (dc_) DeleteDC(dc_);
    dc_ = dc;
  }

 private:
  HDC dc_ = nullptr;
};

// A memory DC with its own bitmap selected in; the original bitmap goes back
// before either is deleted.
class Canvas {
 public:
  Canvas() = default;
  Canvas(HDC like, int w, int h) { create(like, w, h); }
  ~Canvas() { reset(); }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool create(HDC like, int w, int h) {
    reset();
    if (w <= 0 || h <= 0) return false;
    dc_ = CreateCompatibleDC(like);
    bmp_ = CreateCompatibleBitmap(like, w, h);
    if (!dc_ || !bmp_) {
      reset();
      return false;
    }
    old_ = SelectObject(dc_, bmp_);
    w_ = w;
    h_ = h;
    return true;
  }
  void reset() {
    if (dc_ && old_) SelectObject(dc_, old_);
    if (bmp_) DeleteObject(bmp_);
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
    bmp_ = nullptr;
    old_ = nullptr;
    w_ = h_ = 0;
  }
  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bmp_; }
  int width() const { return w_; }
  int height() const { return h_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bmp_ = nullptr;
  HGDIOBJ old_ = nullptr;
  int w_ = 0, h_ = 0;
};

}  // namespace ctl::gdi
