// Helpers any Win32 test can use: a 32-bit pixel canvas, PNG screenshots of
// bitmaps and windows under build/screenshots/, and message pumping.
#pragma once
#include <windows.h>

#include <cstdint>
#include <ostream>
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

// Copies what the screen shows at a rectangle (screen coordinates) into a
// canvas of the rectangle's size.
void CaptureScreen(Canvas& into, const RECT& screenRect);

// The size of a text's ink: the box around its dark pixels (0 x 0 for none).
// A text shows whole on the screen when its ink there is as wide and as tall
// as the same text drawn in full.
struct Ink {
  int width = 0, height = 0;
  bool operator==(const Ink& o) const { return width == o.width && height == o.height; }
};
inline std::ostream& operator<<(std::ostream& out, const Ink& ink) {
  return out << ink.width << " x " << ink.height << " pixels of ink";
}
// The ink the screen shows in a rectangle of screen coordinates.
Ink InkOnScreen(const RECT& screenRect);
// The ink of a text drawn in full in a font on a ground of the given colour.
Ink InkOfText(HFONT font, const std::wstring& text, COLORREF ground);

// Whether a frame (a captioned group box drawn with an etched outline) shows
// whole on the screen: inside its parent's client area, its outline drawn
// along all four edges and its caption's ink whole. Empty when it does, else
// what the screen lacks.
std::string FrameShowsWhole(HWND frame, HFONT font, const std::wstring& caption);

// A list view's header item (from 0): its text as the header holds it, a
// click on it as the mouse gives it, and whether the screen shows its text
// whole (empty when it does, else what it shows), the list scrolled sideways
// to show the item first when it lies beyond the list's edge.
std::wstring HeaderItemText(HWND listView, int item);
void ClickHeaderItem(HWND listView, int item);
std::string HeaderShowsWhole(HWND listView, int item);

// A plain top-level window to host controls in tests, shown at (x, y).
HWND CreateHostWindow(int x, int y, int w, int h, const wchar_t* title = L"test");

}  // namespace vt::test
