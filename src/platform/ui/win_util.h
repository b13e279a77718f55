#pragma once
// Small helpers every wrapper of the forms runtime shares: UTF-8/UTF-16 at the
// Win32 boundary, files, twips, colours, the font cache and RAII guards for
// GDI. The guards are header-only, so that the controls use them too.
#include <windows.h>

#include <string>

#include "platform/ui/utf16.h"

namespace ui {

// The text of any window as UTF-8.
std::string WindowText(HWND hwnd);

// The path (UTF-8) names an existing file; a folder of that name does not count.
bool FileExists(const std::string& path);

// Twips: 1440 to the inch, converted with the screen's real resolution
// (15 twips per pixel at 96 dpi).
int DpiX();
int DpiY();
int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);
int PixelsToTwipsX(int pixels);
int PixelsToTwipsY(int pixels);

// Colours as the forms keep them: an RGB value, or a system colour written as
// 0x80000000 | COLOR_xxx (the way designed forms name "button face").
using Color = unsigned long;
constexpr Color SysColor(int index) { return 0x80000000UL | static_cast<Color>(index); }
constexpr Color vbButtonFace = SysColor(COLOR_BTNFACE);
constexpr Color vbButtonText = SysColor(COLOR_BTNTEXT);
constexpr Color vbWindowBackground = SysColor(COLOR_WINDOW);
constexpr Color vbWindowText = SysColor(COLOR_WINDOWTEXT);
constexpr Color vbApplicationWorkspace = SysColor(COLOR_APPWORKSPACE);
COLORREF ResolveColor(Color c);
// A solid brush for the colour, cached for the life of the program.
HBRUSH BrushFor(Color c);

struct FontSpec {
  std::string name = "Tahoma";
  double size = 8.25;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
};
// One HFONT per distinct spec, kept for the life of the program so that any
// window may hold it without owning it.
HFONT FontFor(const FontSpec& spec);

// --- RAII guards -----------------------------------------------------------

class ScopedGetDC {
public:
  explicit ScopedGetDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~ScopedGetDC() { ReleaseDC(hwnd_, dc_); }
  ScopedGetDC(const ScopedGetDC&) = delete;
  ScopedGetDC& operator=(const ScopedGetDC&) = delete;
  operator HDC() const { return dc_; }

private:
  HWND hwnd_;
  HDC dc_;
};

class ScopedPaint {
public:
  explicit ScopedPaint(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
  ~ScopedPaint() { EndPaint(hwnd_, &ps_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  operator HDC() const { return dc_; }
  const RECT& rect() const { return ps_.rcPaint; }

private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

class ScopedSelect {
public:
  ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
  ~ScopedSelect() {
    if (old_) SelectObject(dc_, old_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
  HDC dc_;
  HGDIOBJ old_;
};

// Owns a GDI object (pen, brush, bitmap, font) and deletes it.
template <class H>
class OwnedGdi {
public:
  OwnedGdi() = default;
  explicit OwnedGdi(H h) : h_(h) {}
  ~OwnedGdi() { reset(); }
  OwnedGdi(const OwnedGdi&) = delete;
  OwnedGdi& operator=(const OwnedGdi&) = delete;
  OwnedGdi(OwnedGdi&& o) noexcept : h_(o.release()) {}
  OwnedGdi& operator=(OwnedGdi&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  H get() const { return h_; }
  operator H() const { return h_; }
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
using OwnedBitmap = OwnedGdi<HBITMAP>;
using OwnedBrush = OwnedGdi<HBRUSH>;
using OwnedPen = OwnedGdi<HPEN>;
using OwnedRegion = OwnedGdi<HRGN>;
using OwnedFont = OwnedGdi<HFONT>;

class OwnedMemDC {
public:
  explicit OwnedMemDC(HDC like = nullptr) : dc_(CreateCompatibleDC(like)) {}
  ~OwnedMemDC() {
    if (dc_) DeleteDC(dc_);
  }
  OwnedMemDC(const OwnedMemDC&) = delete;
  OwnedMemDC& operator=(const OwnedMemDC&) = delete;
  operator HDC() const { return dc_; }

private:
  HDC dc_;
};

// A memory DC with a bitmap of its own selected in, kept across paints (a
// window's back buffer); the original bitmap goes back before either is deleted.
class OwnedCanvas {
public:
  OwnedCanvas() = default;
  ~OwnedCanvas() { reset(); }
  OwnedCanvas(const OwnedCanvas&) = delete;
  OwnedCanvas& operator=(const OwnedCanvas&) = delete;

  // A w x h canvas compatible with like; false (and no canvas) when it fails.
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
  int width() const { return w_; }
  int height() const { return h_; }
  explicit operator bool() const { return dc_ != nullptr; }

private:
  HDC dc_ = nullptr;
  HBITMAP bmp_ = nullptr;
  HGDIOBJ old_ = nullptr;
  int w_ = 0, h_ = 0;
};

}  // namespace ui
