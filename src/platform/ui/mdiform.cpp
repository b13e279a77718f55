#include "platform/ui/mdiform.h"

#include <commctrl.h>

namespace ui {

MDIForm::MDIForm() { back_ = vbApplicationWorkspace; }

HWND MDIForm::createFormWindow() {
  static const wchar_t* cls = [] {
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.lpszClassName = L"VtMdiFrame";
    RegisterClassExW(&wc);
    return L"VtMdiFrame";
  }();
  back_ = vbApplicationWorkspace;
  picture_ = img::Picture();
  HWND frame = CreateWindowExW(0, cls, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                               TwipsToPixelsX(12000), TwipsToPixelsY(9000), nullptr, nullptr,
                               GetModuleHandleW(nullptr), this);
  CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
  client_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                            WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE, 0, 0, 0, 0, frame,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(0xCAC)), GetModuleHandleW(nullptr), &ccs);
  SetWindowSubclass(client_, ClientProc, reinterpret_cast<UINT_PTR>(this), 0);
  return frame;
}

HWND MDIForm::clientHwnd() {
  hwnd();
  return client_;
}

LRESULT MDIForm::defaultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCDESTROY) client_ = nullptr;
  return DefFrameProcW(hwnd, client_, msg, wp, lp);
}

RECT MDIForm::layoutAligned() {
  RECT rest = Form::layoutAligned();
  if (client_)
    MoveWindow(client_, rest.left, rest.top, std::max<LONG>(0, rest.right - rest.left),
               std::max<LONG>(0, rest.bottom - rest.top), TRUE);
  return rest;
}

img::Picture MDIForm::Picture() {
  ensureLoaded();
  return picture_;
}

void MDIForm::Picture(const img::Picture& p) {
  ensureLoaded();
  picture_ = p;
  if (client_) InvalidateRect(client_, nullptr, TRUE);
}

// The client area paints the frame's picture stretched over it, or the
// frame's back colour.
LRESULT CALLBACK MDIForm::ClientProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
  auto* self = reinterpret_cast<MDIForm*>(id);
  if (msg == WM_ERASEBKGND) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    HDC dc = reinterpret_cast<HDC>(wp);
    if (self->picture_.empty()) FillRect(dc, &rc, BrushFor(self->back_));
    else self->picture_.draw(dc, 0, 0, rc.right, rc.bottom);
    return 1;
  }
  if (msg == WM_SIZE) InvalidateRect(hwnd, nullptr, TRUE);
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ClientProc, id);
  return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace ui
