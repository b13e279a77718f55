#include "support/win_test_support.h"

#include <gdiplus.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
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
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return false;
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
