// Helpers any Win32 test can use: a 32-bit pixel canvas, PNG screenshots of
// bitmaps and windows under build/screenshots/, and message pumping.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace vt::test {

// A memory DC with a top-down 32-bit DIB selected in; pixels are readable
// directly as COLORREF (red in the low byte).
class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bmp_; }
  int width() const { return w_; }
  int height() const { return h_; }
  COLORREF Pixel(int x, int y) const;
  void Fill(COLORREF color);
  // Copies another canvas (or any DC) into this one at (x, y).
  void Blit(int x, int y, int w, int h, HDC from, int fx = 0, int fy = 0);

 private:
  int w_, h_;
  HDC dc_ = nullptr;
  HBITMAP bmp_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

// The bounding box of the pixels of one colour inside a rectangle of the
// canvas; left is INT_MAX when there are none.
RECT BoxOf(const Canvas& c, COLORREF color, const RECT& within);

// The folder the screenshots go to, as a Windows path ending in a backslash;
// created when missing. From VT_SOURCE_DIR (set by ctest), else the working
// directory.
std::wstring ScreenshotDir();
// Saves a bitmap as <ScreenshotDir>/<name> in PNG. False on failure.
bool SavePng(HBITMAP bmp, const std::string& name);
// Saves what a window draws of itself (PrintWindow) as PNG.
bool SaveWindowPng(HWND hwnd, const std::string& name);
// Saves the screen's pixels under a window, as a user sees them, as PNG.
bool SaveScreenPng(HWND hwnd, const std::string& name);
// Turns a Unix path into the Windows path Wine maps it to (Z:\...).
std::wstring WinPathFromUnix(const std::string& unixPath);

// Dispatches pending messages, for at least ms milliseconds when ms > 0.
void PumpMessages(int ms = 0);

// A plain top-level window to host controls in tests, shown at (x, y).
HWND CreateHostWindow(int x, int y, int w, int h, const wchar_t* title = L"test");

}  // namespace vt::test
