#include "support/win_test_support.h"

#include <commctrl.h>
#include <gdiplus.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace vt::test {

Canvas::Canvas(int width, int height) : w_(width), h_(height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  bmp_ = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
  dc_ = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (bmp_ && dc_) old_ = SelectObject(dc_, bmp_);
}

Canvas::~Canvas() {
  if (dc_ && old_) SelectObject(dc_, old_);
  if (bmp_) DeleteObject(bmp_);
  if (dc_) DeleteDC(dc_);
}

COLORREF Canvas::Pixel(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= w_ || y >= h_) return CLR_INVALID;
  GdiFlush();
  uint32_t v = bits_[y * w_ + x];
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void Canvas::Fill(COLORREF color) {
  RECT r{0, 0, w_, h_};
  HBRUSH b = CreateSolidBrush(color);
  FillRect(dc_, &r, b);
  DeleteObject(b);
}

void Canvas::Blit(int x, int y, int w, int h, HDC from, int fx, int fy) {
  BitBlt(dc_, x, y, w, h, from, fx, fy, SRCCOPY);
}

RECT BoxOf(const Canvas& c, COLORREF color, const RECT& within) {
  RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (int y = within.top; y < within.bottom; ++y)
    for (int x = within.left; x < within.right; ++x)
      if (c.Pixel(x, y) == color) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box;
}

std::wstring WinPathFromUnix(const std::string& unixPath) {
  std::wstring w = L"Z:";
  for (char c : unixPath) w += (c == '/') ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return w;
}

std::wstring ScreenshotDir() {
  const char* src = std::getenv("VT_SOURCE_DIR");
  std::wstring dir;
  if (src && *src) {
    dir = WinPathFromUnix(std::string(src) + "/build/screenshots");
  } else {
    wchar_t cwd[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, cwd);
    dir = std::wstring(cwd) + L"\\screenshots";
  }
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir + L"\\";
}

namespace {

bool PngEncoder(CLSID* clsid) {
  UINT n = 0, size = 0;
  if (Gdiplus::GetImageEncodersSize(&n, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<unsigned char> buf(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buf.data());
  if (Gdiplus::GetImageEncoders(n, size, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < n; ++i) {
    if (std::wcscmp(codecs[i].MimeType, L"image/png") == 0) {
      *clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

bool SavePng(HBITMAP bmp, const std::string& name) {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
  bool ok = false;
  {
    CLSID png;
    Gdiplus::Bitmap image(bmp, nullptr);
    std::wstring path = ScreenshotDir() + std::wstring(name.begin(), name.end());
    ok = PngEncoder(&png) && image.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
  }
  Gdiplus::GdiplusShutdown(token);
  return ok;
}

bool SaveWindowPng(HWND hwnd, const std::string& name) {
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return false;
  Canvas canvas(r.right - r.left, r.bottom - r.top);
  canvas.Fill(RGB(255, 255, 255));
  if (!PrintWindow(hwnd, canvas.dc(), 0)) return false;
  return SavePng(canvas.bitmap(), name);
}

bool SaveScreenPng(HWND hwnd, const std::string& name) {
  RECT window, shown{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, r;
  if (!GetWindowRect(hwnd, &window)) return false;
  // A maximised window's borders lie off the screen, which has no pixels there.
  if (!IntersectRect(&r, &window, &shown)) return false;
  Canvas canvas(r.right - r.left, r.bottom - r.top);
  HDC screen = GetDC(nullptr);
  BitBlt(canvas.dc(), 0, 0, canvas.width(), canvas.height(), screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  return SavePng(canvas.bitmap(), name);
}

void PumpMessages(int ms) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms > 0 ? ms : 0);
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (ms > 0) Sleep(1);
  } while (ms > 0 && static_cast<LONG>(GetTickCount() - end) < 0);
}

void CaptureScreen(Canvas& into, const RECT& screenRect) {
  HDC screen = GetDC(nullptr);
  into.Blit(0, 0, screenRect.right - screenRect.left, screenRect.bottom - screenRect.top, screen, screenRect.left,
            screenRect.top);
  ReleaseDC(nullptr, screen);
}

namespace {

// Text ink is black; grey icons, edges and grid lines are lighter than this.
bool IsInk(COLORREF c) { return GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64; }

Ink InkOf(const Canvas& canvas) {
  int left = canvas.width(), right = -1, top = canvas.height(), bottom = -1;
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x)
      if (IsInk(canvas.Pixel(x, y))) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  if (right < 0) return Ink{};
  return Ink{right - left + 1, bottom - top + 1};
}

// Empty when the screen shows all of a text's ink, else how much it shows.
std::string inkLacking(const Ink& shown, const Ink& whole) {
  if (shown == whole) return "";
  std::ostringstream out;
  out << "shows " << shown.width << " x " << shown.height << " of its " << whole;
  return out.str();
}

}  // namespace

Ink InkOnScreen(const RECT& screenRect) {
  Canvas canvas(screenRect.right - screenRect.left, screenRect.bottom - screenRect.top);
  CaptureScreen(canvas, screenRect);
  return InkOf(canvas);
}

Ink InkOfText(HFONT font, const std::wstring& text, COLORREF ground) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  // Room around the text for letters that reach past their advance.
  Canvas canvas(size.cx + 40, size.cy + 20);
  canvas.Fill(ground);
  old = SelectObject(canvas.dc(), font);
  SetBkMode(canvas.dc(), TRANSPARENT);
  SetTextColor(canvas.dc(), RGB(0, 0, 0));
  TextOutW(canvas.dc(), 20, 10, text.c_str(), static_cast<int>(text.size()));
  SelectObject(canvas.dc(), old);
  return InkOf(canvas);
}

std::string FrameShowsWhole(HWND frame, HFONT font, const std::wstring& caption) {
  RECT fr{}, client{};
  GetWindowRect(frame, &fr);
  HWND parent = GetParent(frame);
  GetClientRect(parent, &client);
  MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
  RECT inside{};
  IntersectRect(&inside, &fr, &client);
  if (!EqualRect(&inside, &fr)) return "reaches outside its window";
  const int w = fr.right - fr.left, h = fr.bottom - fr.top;
  Canvas shot(w, h);
  CaptureScreen(shot, fr);
  // The etched outline: a shadow line along each edge, the top one at the
  // middle of the caption, broken by the caption near the left.
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  int topLine = 0;
  while (topLine < h && shot.Pixel(4, topLine) != shadow) ++topLine;
  if (topLine >= h / 2) return "no top edge";
  auto line = [&](const char* edge, int x0, int y0, int x1, int y1) -> std::string {
    for (int x = x0, y = y0; x <= x1 && y <= y1; x += (x1 > x0), y += (y1 > y0))
      if (shot.Pixel(x, y) != shadow)
        return std::string(edge) + " edge missing at " + std::to_string(x) + "," + std::to_string(y);
    return "";
  };
  std::string missing = line("left", 0, topLine, 0, h - 2);
  if (missing.empty()) missing = line("right", w - 2, topLine, w - 2, h - 2);
  if (missing.empty()) missing = line("bottom", 0, h - 2, w - 2, h - 2);
  if (missing.empty()) missing = line("top", 0, topLine, 4, topLine);
  if (missing.empty()) missing = line("top", w / 2, topLine, w - 2, topLine);
  if (!missing.empty() || caption.empty()) return missing;
  SIZE size{};
  {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
  }
  const RECT captionArea{fr.left + 2, fr.top, fr.left + 8 + size.cx + 6, fr.top + size.cy + 2};
  const std::string lacks = inkLacking(InkOnScreen(captionArea), InkOfText(font, caption, GetSysColor(COLOR_BTNFACE)));
  return lacks.empty() ? lacks : "caption " + lacks;
}

std::wstring HeaderItemText(HWND listView, int item) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0));
  wchar_t text[256] = {};
  HDITEMW hi{};
  hi.mask = HDI_TEXT;
  hi.pszText = text;
  hi.cchTextMax = 256;
  SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&hi));
  return text;
}

std::string HeaderShowsWhole(HWND listView, int item) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0));
  RECT r{}, list{};
  SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
  GetClientRect(listView, &list);
  // Header items move with the list's sideways scrolling.
  POINT origin{};
  MapWindowPoints(header, listView, &origin, 1);
  const int right = r.right + origin.x, left = r.left + origin.x;
  int dx = 0;
  if (right > list.right) dx = std::min(static_cast<int>(right - list.right), left);
  else if (left < 0) dx = left;
  if (dx) {
    SendMessageW(listView, LVM_SCROLL, static_cast<WPARAM>(dx), 0);
    PumpMessages(100);
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
  }
  MapWindowPoints(header, nullptr, reinterpret_cast<POINT*>(&r), 2);
  InflateRect(&r, -2, -2);  // the dividers
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0));
  const std::wstring text = HeaderItemText(listView, item);
  return inkLacking(InkOnScreen(r), InkOfText(font, text, GetSysColor(COLOR_BTNFACE)));
}

void ClickHeaderItem(HWND listView, int item) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0));
  RECT r{};
  SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(header, WM_LBUTTONUP, 0, at);
  PumpMessages();
}

HWND CreateHostWindow(int x, int y, int w, int h, const wchar_t* title) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"VtTestHost";
    RegisterClassW(&wc);
    registered = true;
  }
  HWND hwnd = CreateWindowExW(WS_EX_CONTROLPARENT, L"VtTestHost", title,
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, w, h, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  if (hwnd) {
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    SetForegroundWindow(hwnd);
    PumpMessages();
  }
  return hwnd;
}

}  // namespace vt::test
