#include "test_util.h"

#include "support/win_test_support.h"

namespace bt {

HWND Host() {
  static HWND host = vt::test::CreateHostWindow(40, 40, 640, 400, L"button tests");
  return host;
}

ctl::PicturePtr SolidBitmap(int w, int h, COLORREF c) {
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT r{0, 0, w, h};
  HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &r, b);
  DeleteObject(b);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return ctl::Picture::FromBitmap(bmp);
}

ctl::PicturePtr TestBitmap() {
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      int dx = 2 * x - 15, dy = 2 * y - 15, d2 = dx * dx + dy * dy;  // from the centre, x2
      COLORREF c = kMask;
      if (d2 <= 36) c = kCentre;
      else if (d2 <= 196) c = kRing;
      if (x >= 9 && x <= 10 && y >= 4 && y <= 5) c = kDot;
      SetPixelV(dc, x, y, c);
    }
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return ctl::Picture::FromBitmap(bmp);
}

std::unique_ptr<ctl::Button> MakeButton(int x, int y, int w, int h, const std::string& caption,
                                        int type, int scheme, bool visible) {
  auto b = std::make_unique<ctl::Button>();
  b->Create(Host(), x, y, w, h, 100, visible);
  b->DisableRefresh();
  b->SetCaption(caption);
  b->SetButtonType(type);
  b->SetColorScheme(scheme);
  if (visible) b->Refresh();
  return b;
}

}  // namespace bt
