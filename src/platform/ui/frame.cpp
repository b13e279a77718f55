#include "platform/ui/frame.h"

namespace ui {

const wchar_t* ContainerClass() {
  static const wchar_t* name = [] {
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"VtContainer";
    RegisterClassExW(&wc);
    return L"VtContainer";
  }();
  return name;
}

void Frame::Create(Container& parent, int left, int top, int width, int height, const std::string& caption) {
  caption_ = caption;
  createWindow(parent, ContainerClass(), WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, left, top, width, height,
               Widen(caption));
  TabStop(false);
}

std::string Frame::Caption() { ensureLoaded(); return caption_; }
void Frame::Caption(const std::string& text) {
  HWND h = hwnd();
  caption_ = text;
  if (h) {
    SetWindowTextW(h, Widen(text).c_str());
    InvalidateRect(h, nullptr, TRUE);
  }
}

int Frame::BorderStyle() { ensureLoaded(); return border_; }
void Frame::BorderStyle(int s) {
  HWND h = hwnd();
  border_ = s;
  if (h) InvalidateRect(h, nullptr, TRUE);
}

bool Frame::handleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_SIZE:
      // The outline follows the size: the edges drawn at the old size would
      // otherwise stay where the window only uncovers the new strip.
      InvalidateRect(hwnd, nullptr, FALSE);
      break;
    case WM_PAINT: {
      ScopedPaint ps(hwnd);
      paint(ps, ps.rect());
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT: {
      RECT rc;
      GetClientRect(hwnd, &rc);
      paint(reinterpret_cast<HDC>(wp), rc);
      result = 0;
      return true;
    }
  }
  return Control::handleMessage(hwnd, msg, wp, lp, result);
}

void Frame::paint(HDC dc, const RECT& clip) {
  RECT rc;
  GetClientRect(Control::hwnd(), &rc);
  FillRect(dc, &rc, BrushFor(back_));
  if (border_) {
    ScopedSelect font(dc, FontFor(font_));
    std::wstring text = Widen(caption_);
    SIZE sz{0, 0};
    GetTextExtentPoint32W(dc, L"Ag", 2, &sz);
    RECT box = rc;
    box.top = caption_.empty() ? 0 : sz.cy / 2;
    DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
    if (!caption_.empty()) {
      RECT tr{8, 0, rc.right - 8, sz.cy};
      DrawTextW(dc, text.c_str(), -1, &tr, DT_CALCRECT | DT_SINGLELINE);
      tr.left -= 2, tr.right += 2;
      FillRect(dc, &tr, BrushFor(back_));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, IsWindowEnabled(Control::hwnd()) ? ResolveColor(fore_) : GetSysColor(COLOR_GRAYTEXT));
      tr.left += 2;
      DrawTextW(dc, text.c_str(), -1, &tr, DT_SINGLELINE);
    }
  }
  paintChildren(dc, clip);
}

void Frame::resetState() {
  caption_.clear();
  border_ = 1;
}

}  // namespace ui
