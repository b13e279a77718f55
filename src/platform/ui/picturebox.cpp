#include "platform/ui/picturebox.h"

#include "platform/ui/frame.h"

namespace ui {

PictureBox::~PictureBox() {
  if (canvas_) DeleteObject(canvas_);
}

void PictureBox::Create(Container& parent, int left, int top, int width, int height) {
  createWindow(parent, ContainerClass(), WS_CLIPCHILDREN, border_ ? WS_EX_CLIENTEDGE : 0, left, top, width, height);
  TabStop(false);
}

img::Picture PictureBox::Picture() { ensureLoaded(); return picture_; }
void PictureBox::Picture(const img::Picture& p) {
  HWND h = hwnd();
  picture_ = p;
  fitToPicture();
  if (autoRedraw_ && canvas_) {
    ScopedGetDC screen(nullptr);
    OwnedMemDC mem(screen);
    ScopedSelect sel(mem, canvas_);
    RECT rc{0, 0, canvasSize_.cx, canvasSize_.cy};
    paintBase(mem, rc);
  }
  if (h) InvalidateRect(h, nullptr, TRUE);
}

void PictureBox::LoadPicture(const std::string& path) { Picture(img::Picture::load(path)); }

bool PictureBox::AutoSize() { ensureLoaded(); return autoSize_; }
void PictureBox::AutoSize(bool on) { ensureLoaded(); autoSize_ = on; fitToPicture(); }

void PictureBox::fitToPicture() {
  if (!autoSize_ || picture_.empty() || !created()) return;
  HWND h = Control::hwnd();
  RECT r{0, 0, picture_.width(), picture_.height()};
  if (h) AdjustWindowRectEx(&r, GetWindowLongW(h, GWL_STYLE), FALSE, GetWindowLongW(h, GWL_EXSTYLE));
  Move(Left(), Top(), PixelsToTwipsX(r.right - r.left), PixelsToTwipsY(r.bottom - r.top));
}

bool PictureBox::AutoRedraw() { ensureLoaded(); return autoRedraw_; }
void PictureBox::AutoRedraw(bool on) {
  ensureLoaded();
  autoRedraw_ = on;
  if (on) ensureCanvas();
}

int PictureBox::BorderStyle() { ensureLoaded(); return border_; }
void PictureBox::BorderStyle(int s) {
  HWND h = hwnd();
  border_ = s;
  if (h) {
    SetWindowLongW(h, GWL_EXSTYLE, s ? WS_EX_CLIENTEDGE : 0);
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
}

int PictureBox::ScaleWidth() {
  HWND h = hwnd();
  RECT rc{};
  if (h) GetClientRect(h, &rc);
  return PixelsToTwipsX(rc.right);
}
int PictureBox::ScaleHeight() {
  HWND h = hwnd();
  RECT rc{};
  if (h) GetClientRect(h, &rc);
  return PixelsToTwipsY(rc.bottom);
}

void PictureBox::paintBase(HDC dc, const RECT& rc) {
  FillRect(dc, &rc, BrushFor(back_));
  if (!picture_.empty()) picture_.draw(dc, 0, 0, picture_.width(), picture_.height());
}

// The canvas follows the box's inner size; what was drawn stays where it fits.
void PictureBox::ensureCanvas() {
  HWND h = Control::hwnd();
  if (!h) return;
  RECT rc;
  GetClientRect(h, &rc);
  SIZE want{std::max<LONG>(1, rc.right), std::max<LONG>(1, rc.bottom)};
  if (canvas_ && want.cx == canvasSize_.cx && want.cy == canvasSize_.cy) return;
  ScopedGetDC screen(nullptr);
  HBITMAP fresh = CreateCompatibleBitmap(screen, want.cx, want.cy);
  {
    OwnedMemDC dst(screen);
    ScopedSelect s1(dst, fresh);
    RECT all{0, 0, want.cx, want.cy};
    paintBase(dst, all);
    if (canvas_) {
      OwnedMemDC src(screen);
      ScopedSelect s2(src, canvas_);
      BitBlt(dst, 0, 0, std::min(want.cx, canvasSize_.cx), std::min(want.cy, canvasSize_.cy), src, 0, 0, SRCCOPY);
    }
  }
  if (canvas_) DeleteObject(canvas_);
  canvas_ = fresh;
  canvasSize_ = want;
}

void PictureBox::PaintPicture(const img::Picture& p, int x, int y, int w, int h, int sx, int sy, int sw, int sh) {
  HWND hw = hwnd();
  if (!hw || p.empty()) return;
  int srcW = sw < 0 ? p.width() : TwipsToPixelsX(sw);
  int srcH = sh < 0 ? p.height() : TwipsToPixelsY(sh);
  auto draw = [&](HDC dc) {
    p.draw(dc, TwipsToPixelsX(x), TwipsToPixelsY(y), TwipsToPixelsX(w), TwipsToPixelsY(h), TwipsToPixelsX(sx),
           TwipsToPixelsY(sy), srcW, srcH);
  };
  if (autoRedraw_) {
    ensureCanvas();
    ScopedGetDC screen(nullptr);
    OwnedMemDC mem(screen);
    ScopedSelect sel(mem, canvas_);
    draw(mem);
    InvalidateRect(hw, nullptr, FALSE);
  } else {
    ScopedGetDC dc(hw);
    draw(dc);
  }
}

void PictureBox::Cls() {
  HWND h = hwnd();
  if (canvas_) {
    DeleteObject(canvas_);
    canvas_ = nullptr;
    if (autoRedraw_) ensureCanvas();
  }
  if (h) InvalidateRect(h, nullptr, TRUE);
}

img::Picture PictureBox::Image() {
  ensureLoaded();
  if (autoRedraw_ && canvas_) return img::Picture::fromHBITMAP(canvas_);
  return picture_;
}

bool PictureBox::handleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_SIZE:
      if (autoRedraw_) ensureCanvas();
      break;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      PAINTSTRUCT ps{};
      HDC dc = msg == WM_PAINT ? BeginPaint(hwnd, &ps) : reinterpret_cast<HDC>(wp);
      RECT rc;
      GetClientRect(hwnd, &rc);
      if (autoRedraw_ && canvas_) {
        OwnedMemDC mem(dc);
        ScopedSelect sel(mem, canvas_);
        BitBlt(dc, 0, 0, canvasSize_.cx, canvasSize_.cy, mem, 0, 0, SRCCOPY);
      } else {
        paintBase(dc, rc);
      }
      paintChildren(dc, rc);
      if (msg == WM_PAINT) EndPaint(hwnd, &ps);
      result = 0;
      return true;
    }
  }
  return Control::handleMessage(hwnd, msg, wp, lp, result);
}

void PictureBox::resetState() {
  picture_ = img::Picture();
  autoSize_ = autoRedraw_ = false;
  border_ = 1;
  if (canvas_) DeleteObject(canvas_);
  canvas_ = nullptr;
  canvasSize_ = {0, 0};
}

void Image::Create(Container& parent, int left, int top, int width, int height) {
  createWindowless(parent, left, top, width, height);
}
img::Picture Image::Picture() { ensureLoaded(); return picture_; }
void Image::Picture(const img::Picture& p) {
  ensureLoaded();
  picture_ = p;
  if (!stretch_ && !p.empty()) Move(Left(), Top(), PixelsToTwipsX(p.width()), PixelsToTwipsY(p.height()));
  invalidate();
}
bool Image::Stretch() { ensureLoaded(); return stretch_; }
void Image::Stretch(bool on) { ensureLoaded(); stretch_ = on; invalidate(); }

void Image::paintWindowless(HDC dc) {
  if (picture_.empty()) return;
  RECT r = pixelRect();
  if (stretch_) picture_.draw(dc, r.left, r.top, r.right - r.left, r.bottom - r.top);
  else picture_.draw(dc, r.left, r.top, picture_.width(), picture_.height());
}

void Image::resetState() {
  picture_ = img::Picture();
  stretch_ = false;
}

}  // namespace ui
