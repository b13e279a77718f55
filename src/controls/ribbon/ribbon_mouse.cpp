// The window, the mouse: hover looks switched by mouse moves over the pieces
// and put out when the pointer leaves the window, the pressed look of a
// button, and the three click events.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <cstdlib>

#include "controls/ribbon/ribbon_bar.h"

namespace ctl {

namespace {

const wchar_t kClassName[] = L"VtRibbonBar";
const std::pair<Piece, int> kNone{Piece::Count, -1};

}  // namespace

HWND RibbonBar::Create(HWND parent, int x, int y, int width, int controlId) {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (!GetClassInfoExW(inst, kClassName, &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &RibbonBar::WndProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
  }
  hwnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y,
                          width, HeightTwips() / kTwipsPerPixel, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), inst, this);
  if (hwnd_) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                            nullptr, inst, nullptr);
  }
  return hwnd_;
}

LRESULT CALLBACK RibbonBar::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    auto* self = static_cast<RibbonBar*>(cs->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<RibbonBar*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    // The host destroyed the window: the object stays, windowless.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->tips_ = nullptr;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  return self->OnMessage(msg, wp, lp);
}

LRESULT RibbonBar::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      RECT r;
      GetClientRect(hwnd_, &r);
      // Drawn off screen first, so the pieces never flicker.
      HDC mem = CreateCompatibleDC(dc);
      HBITMAP bmp = CreateCompatibleBitmap(dc, std::max<LONG>(1, r.right), std::max<LONG>(1, r.bottom));
      HGDIOBJ old = SelectObject(mem, bmp);
      Paint(mem, r.right);
      BitBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, SRCCOPY);
      SelectObject(mem, old);
      DeleteObject(bmp);
      DeleteDC(mem);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_SIZE:
      ApplyHeightRule();
      return 0;
    case WM_MOUSEMOVE: {
      // Told when the pointer leaves, for whatever window it goes to (a
      // dialog a click opened, say), so that no look stays lit behind it.
      if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
      }
      auto target = captured_.second >= 0 ? captured_
                                          : HitTest(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      MouseMove(target);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      auto target = HitTest(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      if (captured_.second < 0 && target.second >= 0) {
        captured_ = target;
        SetCapture(hwnd_);
      }
      MouseDown(target);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      auto target = captured_;
      captured_ = kNone;
      if (GetCapture() == hwnd_) ReleaseCapture();
      if (target.second < 0) return 0;
      MouseUp(target);
      // A click needs the left button released over the piece it went down on.
      const WindowlessElement* e = Find(target.first, target.second);
      float tx = (static_cast<float>(GET_X_LPARAM(lp)) + 0.5f) * kTwipsPerPixel;
      float ty = (static_cast<float>(GET_Y_LPARAM(lp)) + 0.5f) * kTwipsPerPixel;
      if (msg == WM_LBUTTONUP && e && e->visible && tx >= e->left && tx < e->left + e->width &&
          ty >= e->top && ty < e->top + e->height)
        Click(target);
      return 0;
    }
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      HoverTab(-1);
      HoverCat(-1);
      HoverButton(-1);
      Invalidate();
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != hwnd_) captured_ = kNone;
      return 0;
    default:
      return DefWindowProcW(hwnd_, msg, wp, lp);
  }
}

// ---------------------------------------------------------------------------
// Hover looks: at most one item of each row lit.

void RibbonBar::HoverTab(int index) {
  auto putOut = [this](int i) {
    if (Visible(Piece::Tab_center_over, i))
      for (Piece p : {Piece::Tab_center_over, Piece::Tab_left_over, Piece::Tab_right_over})
        Show(p, i, false);
  };
  int top = Highest(Piece::TabMouse);
  for (int i = 0; i <= top; ++i) {
    if (i != index) {
      putOut(i);
    } else if (!Visible(Piece::Tab_center, i)) {  // the selected tab gets no hover look
      for (Piece p : {Piece::Tab_center_over, Piece::Tab_left_over, Piece::Tab_right_over})
        Show(p, i, true);
    }
  }
}

void RibbonBar::HoverCat(int index) {
  auto putOut = [this](int i) {
    if (!Visible(Piece::Cat_Center_on, i)) return;
    for (Piece p : {Piece::Cat_Center_on, Piece::Cat_Left_on, Piece::Cat_Right_on})
      Show(p, i, false);
    if (Visible(Piece::Cat_Dlg, i)) {
      Show(Piece::Cat_Dlg_on, i, false);
      Show(Piece::Cat_Dlg_over, i, false);
    }
  };
  int top = Highest(Piece::CatMouse);
  for (int i = 0; i <= top; ++i) {
    if (i != index) {
      putOut(i);
      continue;
    }
    for (Piece p : {Piece::Cat_Center_on, Piece::Cat_Left_on, Piece::Cat_Right_on})
      Show(p, i, true);
    if (Visible(Piece::Cat_Dlg, i)) {
      Show(Piece::Cat_Dlg_on, i, true);
      Show(Piece::Cat_Dlg_over, i, false);
    }
  }
}

void RibbonBar::HoverButton(int index) {
  auto putOut = [this](int i) {
    if (!Visible(Piece::Button_center, i)) return;
    for (Piece p : {Piece::Button_left, Piece::Button_right, Piece::Button_center})
      Show(p, i, false);
    if (Visible(Piece::Glip_off, i)) Show(Piece::Glip_on, i, false);
  };
  int top = Highest(Piece::ButMouse);
  for (int i = 0; i <= top; ++i) {
    if (i != index) {
      putOut(i);
    } else if (!Visible(Piece::Button_left, i)) {
      for (Piece p : {Piece::Button_left, Piece::Button_center, Piece::Button_right})
        Show(p, i, true);
      if (Visible(Piece::Glip_off, i)) Show(Piece::Glip_on, i, true);
    }
  }
}

void RibbonBar::SelectTab(int i) {
  HoverTab(-1);
  for (int j = 0, top = Highest(Piece::TabMouse); j <= top; ++j) {
    bool on = j == i;
    for (Piece p : {Piece::Tab_center, Piece::Tab_left, Piece::Tab_right}) Show(p, j, on);
    if (WindowlessElement* cap = Find(Piece::Tab_caption, j))
      cap->fore = on ? tabForeSelected_ : tabForeNormal_;
  }
  if (i >= 0 && i < static_cast<int>(tabs_.size())) currentTab_ = tabs_[static_cast<size_t>(i)].id;
  DrawCats();
}

// ---------------------------------------------------------------------------
// Handlers of the pieces that take the mouse.

void RibbonBar::MouseMove(std::pair<Piece, int> target) {
  auto [piece, i] = target;
  switch (piece) {
    case Piece::Barra2:
    case Piece::BarraLeft:
    case Piece::BarraRight:
      HoverTab(-1);
      HoverCat(-1);
      HoverButton(-1);
      break;
    case Piece::TabMouse:
      HoverTab(i);
      HoverCat(-1);
      HoverButton(-1);
      break;
    case Piece::CatMouse:
    case Piece::Cat_Dlg:
    case Piece::Cat_Dlg_on:
      HoverTab(-1);
      HoverCat(i);
      HoverButton(-1);
      if (piece == Piece::Cat_Dlg_on) Show(Piece::Cat_Dlg_over, i, true);
      break;
    case Piece::ButMouse: {
      HoverTab(-1);
      const WindowlessElement* centre = Find(Piece::Button_center, i);
      HoverCat(centre ? std::atoi(centre->tag.c_str()) : -1);
      HoverButton(i);
      break;
    }
    default:
      return;  // the other pieces take no mouse move
  }
  Invalidate();
}

void RibbonBar::MouseDown(std::pair<Piece, int> target) {
  if (target.first != Piece::ButMouse) return;
  ShowPressed(target.second, true);
}

void RibbonBar::MouseUp(std::pair<Piece, int> target) {
  if (target.first != Piece::ButMouse) return;
  ShowPressed(target.second, false);
  if (hwnd_) UpdateWindow(hwnd_);  // the pressed look is gone before the host acts
}

void RibbonBar::ShowPressed(int i, bool on) {
  for (Piece p : {Piece::Button_left_over, Piece::Button_center_over, Piece::Button_right_over})
    Show(p, i, on);
  Invalidate();
}

// The host's handler may open a modal dialog or rebuild the ribbon: nothing
// of the pieces is touched after an event has been raised.
void RibbonBar::Click(std::pair<Piece, int> target) {
  auto [piece, i] = target;
  if (piece == Piece::ButMouse) {
    const WindowlessElement* mouse = Find(Piece::ButMouse, i);
    const WindowlessElement* caption = Find(Piece::Button_Caption, i);
    std::string id = mouse ? mouse->tag : "", text = caption ? caption->caption : "";
    if (ButtonClick) ButtonClick(id, text);
  } else if (piece == Piece::Cat_Dlg_over) {
    const WindowlessElement* caption = Find(Piece::Cat_Caption, i);
    std::string id = caption ? caption->tag : "", text = caption ? caption->caption : "";
    if (CatClick) CatClick(id, text);
  } else if (piece == Piece::TabMouse) {
    if (i < 0 || i >= static_cast<int>(tabs_.size())) return;
    std::string id = tabs_[static_cast<size_t>(i)].id, text = tabs_[static_cast<size_t>(i)].caption;
    auto raise = [this, id, text] {
      if (TabClick) TabClick(id, text);
    };
    // Normally the event follows the finished layout; a click that arrives
    // while a layout runs is done, event included, once that layout is over.
    bool now = layoutDepth_ == 0;
    RunLayout([this, i, now, raise] {
      SelectTab(i);
      if (!now) raise();
    });
    if (now) raise();
  }
}

}  // namespace ctl
