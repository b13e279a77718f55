// Mouse, keyboard, hover tracking, focus, resize, show and hide.
#include "controls/button/button.h"

namespace ctl {

void Button::OnMouseDown(int button, int shift, float x, float y) {
  if (events.MouseDown) events.MouseDown(button, shift, x, y);
  lastMouseButton_ = button;
  if (button != 2) DrawButton(kPressed, false);
}

void Button::OnMouseMove(int button, int shift, float x, float y) {
  if (events.MouseMove) events.MouseMove(button, shift, x, y);
  if (button != 0 && button != 1) return;
  if (IsMouseOver()) {
    if (button == 0 && !mouseOver_) {
      if (hwnd_) SetTimer(hwnd_, kOverTimer, kOverInterval, nullptr);
      mouseOver_ = true;
      DrawButton(kUp, true);
      if (events.MouseOver) events.MouseOver();
      return;
    }
    if (button == 1) {
      // Pressed and hot for this paint only: the hover timer stays off while
      // the left button is held.
      mouseOver_ = true;
      DrawButton(kPressed, false);
      mouseOver_ = false;
    }
  } else {
    DrawButton(kUp, false);  // dragged off: spring back
  }
}

void Button::OnMouseUp(int button, int shift, float x, float y) {
  if (events.MouseUp) events.MouseUp(button, shift, x, y);
  if (button != 2) DrawButton(kUp, false);
}

void Button::OnClick() {
  if (lastMouseButton_ != 1 || !enabled_) return;
  if (checkBox_) value_ = !value_;
  DrawButton(kUp, true);
  ClickBaseCall();
  if (events.Click) events.Click();
}

// Shows the released look on screen before the host's handler runs (which
// may open a modal dialog and keep the message loop busy).
void Button::ClickBaseCall() {
  if (hwnd_) UpdateWindow(hwnd_);
}

void Button::OnDblClick() {
  if (lastMouseButton_ != 1) return;
  OnMouseDown(1, 0, 0.0f, 0.0f);
  if (hwnd_) SetCapture(hwnd_);
}

void Button::OnKeyDown(int keyCode, int shift) {
  if (events.KeyDown) events.KeyDown(keyCode, shift);
  lastKey_ = keyCode & 0xFF;
  switch (keyCode) {
    case VK_SPACE:
      DrawButton(kPressed, false);
      break;
    case VK_LEFT:
    case VK_UP:
      MoveFocus(true);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      MoveFocus(false);
      break;
    default:
      break;
  }
}

void Button::OnKeyUp(int keyCode, int shift) {
  if (events.KeyUp) events.KeyUp(keyCode, shift);
  if (lastKey_ == VK_SPACE && keyCode == VK_SPACE) {
    // The press is used up, so a later lone release cannot click again.
    lastKey_ = 0;
    if (checkBox_) value_ = !value_;
    DrawButton(kUp, false);
    ClickBaseCall();
    if (events.Click) events.Click();
  }
}

// The arrows move to the previous or next control in tab order, as Shift+Tab
// and Tab would: through the container's Tab when it gives one, else within
// the window that owns the tab order.
void Button::MoveFocus(bool previous) {
  if (!hwnd_) return;
  if (SendTab) {
    SendTab(previous);
    return;
  }
  HWND root = GetParent(hwnd_);
  while (root && (GetWindowLongW(root, GWL_STYLE) & WS_CHILD) &&
         (GetWindowLongW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)) {
    HWND up = GetParent(root);
    if (!up) break;
    root = up;
  }
  if (!root) return;
  HWND next = GetNextDlgTabItem(root, hwnd_, previous);
  if (next && next != hwnd_) ::SetFocus(next);
}

void Button::OnTimer() {
  if (IsMouseOver()) return;
  if (hwnd_) KillTimer(hwnd_, kOverTimer);
  mouseOver_ = false;
  DrawButton(kUp, true);
  if (events.MouseOut) events.MouseOut();
}

bool Button::IsMouseOver() const {
  if (!hwnd_) return false;
  POINT pt;
  if (!GetCursorPos(&pt)) return false;
  return WindowFromPoint(pt) == hwnd_;
}

void Button::OnFocus(bool got) {
  hasFocus_ = got;
  if (!got && lastKey_ == VK_SPACE) {
    // Space went down here but will be released elsewhere: no click, and the
    // button must not stay drawn pressed.
    lastKey_ = 0;
    DrawButton(kUp, true);
    return;
  }
  if (!got) lastKey_ = 0;
  RepaintCurrent();
}

void Button::OnResize() {
  if (backgroundBusy_ || !hwnd_) return;
  RECT rc;
  GetClientRect(hwnd_, &rc);
  height_ = rc.bottom;
  width_ = rc.right;
  inner_ = rc;
  if (buttonType_ >= 7 && buttonType_ <= 13) {
    InflateRect(&inner_, -3, -3);
  } else if (buttonType_ == 14) {
    InflateRect(&inner_, -5, -5);
    OffsetRect(&inner_, 1, 1);
  } else {
    InflateRect(&inner_, -4, -4);
  }
  CalcCaptionRect();
  // The window owns the region it is given (and frees the one it had).
  SetWindowRgn(hwnd_, MakeRegion(), TRUE);
  {
    ui::ScopedGetDC wdc(hwnd_);
    if (!back_ || back_.width() != width_ || back_.height() != height_)
      back_.create(wdc, width_, height_);
  }
  if (height_ != 0) DrawButton(kUp, true);
}

void Button::OnShow() {
  if (buttonType_ == 11) GetParentBackground();
  refreshAllowed_ = true;
  SetColors();
  DrawButton(kUp, true);
}

void Button::OnHide() { refreshAllowed_ = false; }

// Style 11 shows the container through the button: take the container's
// pixels under the button while the button is out of the way.
void Button::GetParentBackground() {
  if (!hwnd_ || width_ <= 0 || height_ <= 0) return;
  HWND parent = GetParent(hwnd_);
  if (!parent) return;
  {
    ui::ScopedGetDC me(hwnd_);
    if (!background_ || background_.width() != width_ || background_.height() != height_)
      background_.create(me, width_, height_);
  }
  if (!background_) return;
  RECT wr;
  GetWindowRect(hwnd_, &wr);
  POINT at{wr.left, wr.top};
  ScreenToClient(parent, &at);
  const int w = width_, h = height_;

  backgroundBusy_ = true;
  SetWindowPos(hwnd_, nullptr, 0, 0, w, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateWindow(parent);
  MSG msg;
  bool quit = false;
  int quitCode = 0;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      quit = true;
      quitCode = static_cast<int>(msg.wParam);
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (quit) PostQuitMessage(quitCode);  // not ours to swallow
  if (hwnd_) {
    ui::ScopedGetDC pdc(parent);
    if (pdc) BitBlt(background_.dc(), 0, 0, w, h, pdc, at.x, at.y, SRCCOPY);
    SetWindowPos(hwnd_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  backgroundBusy_ = false;
}

}  // namespace ctl
