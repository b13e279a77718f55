#include "platform/ui/control.h"

#include <commctrl.h>

#include <algorithm>
#include <unordered_map>

#include "platform/ui/form.h"
#include "platform/vb/error.h"

namespace ui {

namespace {
// The windows of this runtime with their wrappers and the procedures they had
// before. Every message to a control and every notification to its container
// looks a window up here, so the table lives in the process: window
// properties and the system's subclass chain would ask the window server on
// each message, and a list view paints hundreds of notifications at a time.
struct Hook {
  Control* self;   // nullptr once the wrapper let go; messages then pass on
  WNDPROC original;
  bool extra;      // a further window of the control (a combo's edit)
};
std::unordered_map<HWND, Hook>& hooks() {
  static auto* table = new std::unordered_map<HWND, Hook>();
  return *table;
}
}  // namespace

// --- Container ---------------------------------------------------------------

void Container::addWindowless(Control* c) {
  if (std::find(windowless_.begin(), windowless_.end(), c) == windowless_.end())
    windowless_.push_back(c);
}

void Container::removeWindowless(Control* c) {
  windowless_.erase(std::remove(windowless_.begin(), windowless_.end(), c), windowless_.end());
}

void Container::paintChildren(HDC dc, const RECT& clip) {
  for (Control* c : windowless_) {
    if (!c->created() || !c->Visible()) continue;
    RECT r = c->pixelRect(), hit;
    // Lines may have no width or height; widen them for the test.
    InflateRect(&r, 2, 2);
    if (!IntersectRect(&hit, &r, &clip)) continue;
    int saved = SaveDC(dc);
    c->paintWindowless(dc);
    RestoreDC(dc, saved);
  }
}

bool Container::reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND:
      if (lp) {
        if (Control* c = Control::fromHwnd(reinterpret_cast<HWND>(lp))) {
          int code = HIWORD(wp);
          SafeCall([c, code] { c->onCommand(code); });
          result = 0;
          return true;
        }
      }
      return false;
    case WM_NOTIFY: {
      auto* nm = reinterpret_cast<NMHDR*>(lp);
      Control* c = Control::fromHwnd(nm->hwndFrom);
      if (!c) return false;
      bool handled = false;
      SafeCall([&] { handled = c->onNotify(nm, result); });
      return handled;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      Control* c = Control::fromHwnd(reinterpret_cast<HWND>(lp));
      // A combo's list and edit belong to the combo.
      if (!c) c = Control::fromHwnd(GetParent(reinterpret_cast<HWND>(lp)));
      return c && c->onCtlColor(reinterpret_cast<HDC>(wp), result);
    }
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      Control* c = dis->CtlType == ODT_MENU ? nullptr : Control::fromHwnd(dis->hwndItem);
      if (!c) return false;
      bool handled = false;
      SafeCall([&] { handled = c->onDrawItem(dis); });
      result = TRUE;
      return handled;
    }
  }
  return false;
}

// --- Control -----------------------------------------------------------------

Control::Control(Form* form) : form_(form) {
  if (form_) form_->registerControl(this);
}

Control::~Control() {
  release();
  if (container_) container_->removeWindowless(this);
  if (form_) form_->unregisterControl(this);
}

Control* Control::fromHwnd(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto it = hooks().find(hwnd);
  return it == hooks().end() ? nullptr : it->second.self;
}

void Control::hook(HWND hwnd, bool extra) {
  auto it = hooks().find(hwnd);
  if (it != hooks().end()) {
    it->second.self = this;
    it->second.extra = extra;
    return;
  }
  auto original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::ControlProc)));
  hooks()[hwnd] = Hook{this, original, extra};
}

// Lets go of every window of this wrapper that is still alive. A window whose
// procedure is still ours gets its own back; one subclassed again since keeps
// ours in its chain, passing every message on.
void Control::release() {
  for (auto it = hooks().begin(); it != hooks().end();) {
    if (it->second.self != this) {
      ++it;
      continue;
    }
    HWND h = it->first;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)) == &Control::ControlProc) {
      SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.original));
      it = hooks().erase(it);
    } else {
      it->second.self = nullptr;
      ++it;
    }
  }
}

LRESULT Control::callOriginal(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto it = hooks().find(hwnd);
  if (it == hooks().end()) return DefWindowProcW(hwnd, msg, wp, lp);
  return CallWindowProcW(it->second.original, hwnd, msg, wp, lp);
}

void Control::ensureLoaded() {
  if (form_) form_->ensureLoaded();
}

HWND Control::hwnd() {
  ensureLoaded();
  return hwnd_;
}

HWND Control::createWindow(Container& parent, const wchar_t* cls, DWORD style, DWORD exStyle,
                           int left, int top, int width, int height, const std::wstring& text) {
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (visible_) style |= WS_VISIBLE;
  if (!enabled_) style |= WS_DISABLED;
  HWND h = CreateWindowExW(exStyle, cls, text.c_str(), style, TwipsToPixelsX(left),
                           TwipsToPixelsY(top), TwipsToPixelsX(width), TwipsToPixelsY(height),
                           parent.containerHwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
  attach(parent, h, left, top, width, height);
  return h;
}

void Control::adoptWindow(Container& parent, HWND h, int left, int top, int width, int height) {
  if (h && GetParent(h) != parent.containerHwnd()) SetParent(h, parent.containerHwnd());
  attach(parent, h, left, top, width, height);
  if (h) {
    // A window made in its place already (the usual case) is not moved again:
    // a move of a window costs a round of size messages.
    const RECT want{TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(left) + TwipsToPixelsX(width),
                    TwipsToPixelsY(top) + TwipsToPixelsY(height)};
    RECT now{};
    GetWindowRect(h, &now);
    MapWindowPoints(nullptr, parent.containerHwnd(), reinterpret_cast<POINT*>(&now), 2);
    if (!EqualRect(&now, &want))
      SetWindowPos(h, nullptr, want.left, want.top, want.right - want.left, want.bottom - want.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(h, visible_ ? SW_SHOWNA : SW_HIDE);
    if (!enabled_) applyEnabled(false);
  }
}

void Control::attach(Container& parent, HWND h, int left, int top, int width, int height) {
  container_ = &parent;
  left_ = left, top_ = top, width_ = width, height_ = height;
  created_ = true;
  hwnd_ = h;
  if (!backSet_ && takesContainerBack()) back_ = parent.containerBackColor();
  if (form_) {
    if (font_.name == FontSpec{}.name && font_.size == FontSpec{}.size) font_ = form_->Font();
    form_->tabOrder_.push_back(this);
  }
  if (h) {
    hook(h, false);
    applyFont();
  }
}

void Control::createWindowless(Container& parent, int left, int top, int width, int height) {
  windowless_ = true;
  attach(parent, nullptr, left, top, width, height);
  tabStop_ = false;
  parent.addWindowless(this);
  invalidate();
}

void Control::subclassExtra(HWND h) { hook(h, true); }

LRESULT CALLBACK Control::ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto it = hooks().find(hwnd);
  if (it == hooks().end()) return DefWindowProcW(hwnd, msg, wp, lp);
  const Hook hook = it->second;  // handlers may add or remove windows
  if (msg == WM_NCDESTROY) {
    hooks().erase(it);
    if (hook.self && !hook.extra) hook.self->windowGone(hwnd);
    return CallWindowProcW(hook.original, hwnd, msg, wp, lp);
  }
  if (!hook.self) return CallWindowProcW(hook.original, hwnd, msg, wp, lp);
  LRESULT result = 0;
  bool handled = false;
  try {
    handled = hook.self->handleMessage(hwnd, msg, wp, lp, result);
  } catch (...) {
    // Errors never cross the window procedure; handlers run under SafeCall.
    handled = false;
  }
  return handled ? result : CallWindowProcW(hook.original, hwnd, msg, wp, lp);
}

void Control::windowGone(HWND h) {
  if (hwnd_ == h) hwnd_ = nullptr;
}

bool Control::handleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_SETFOCUS:
      if (form_) form_->noteFocus(this);
      if (GotFocus) fire(GotFocus);
      return false;
    case WM_KILLFOCUS: {
      // Focus moving inside the same control (a combo and its edit) is no loss.
      HWND to = reinterpret_cast<HWND>(wp);
      if (to && fromHwnd(to) == this) return false;
      if (LostFocus) fire(LostFocus);
      return false;
    }
    case WM_KEYDOWN: {
      if (!KeyDown) return false;
      int key = static_cast<int>(wp);
      fireKeyDown(key);
      if (key == 0) {
        result = 0;
        return true;
      }
      if (key != static_cast<int>(wp)) {
        result = callOriginal(hwnd, msg, static_cast<WPARAM>(key), lp);
        return true;
      }
      return false;
    }
    case WM_KEYUP:
      if (KeyUp) {
        int key = static_cast<int>(wp);
        int shift = (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                    (GetKeyState(VK_MENU) < 0 ? 4 : 0);
        SafeCall([&] { KeyUp(key, shift); });
      }
      return false;
    case WM_CHAR:
      return charThroughKeyPress(hwnd, wp, lp, result);
    default:
      break;
  }
  // A container control routes its children's notifications.
  return Container::reflect(msg, wp, lp, result);
}

bool Control::charThroughKeyPress(HWND hwnd, WPARAM wp, LPARAM lp, LRESULT& result, bool swallowEnter) {
  const int ch = static_cast<int>(wp);
  const int out = firePress(ch);
  if (out == 0 || (swallowEnter && (out == '\r' || out == '\n'))) {
    result = 0;
    return true;
  }
  if (out != ch) {
    result = callOriginal(hwnd, WM_CHAR, static_cast<WPARAM>(out), lp);
    return true;
  }
  return false;
}

int Control::firePress(int ch) {
  if (!KeyPress) return ch;
  int k = ch;
  SafeCall([&] { KeyPress(k); });
  return k;
}

void Control::fireKeyDown(int& key) {
  int shift = (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
              (GetKeyState(VK_MENU) < 0 ? 4 : 0);
  SafeCall([&] { KeyDown(key, shift); });
}

void Control::fire(const std::function<void()>& fn) {
  if (fn) SafeCall(fn);
}

bool Control::onCtlColor(HDC dc, LRESULT& result) {
  SetTextColor(dc, ResolveColor(fore_));
  SetBkColor(dc, ResolveColor(back_));
  result = reinterpret_cast<LRESULT>(BrushFor(back_));
  return true;
}

RECT Control::pixelRect() {
  RECT r{TwipsToPixelsX(left_), TwipsToPixelsY(top_), 0, 0};
  r.right = r.left + TwipsToPixelsX(width_);
  r.bottom = r.top + TwipsToPixelsY(height_);
  return r;
}

void Control::invalidate() {
  if (!windowless_ || !container_ || !created_) return;
  HWND h = container_->containerHwnd();
  if (!h) return;
  RECT r = pixelRect();
  InflateRect(&r, 2, 2);
  InvalidateRect(h, &r, TRUE);
}

void Control::resetAfterUnload() {
  release();
  hwnd_ = nullptr;
  if (container_) container_->removeWindowless(this);
  container_ = nullptr;
  created_ = false;
  windowless_ = false;
  left_ = top_ = width_ = height_ = 0;
  visible_ = enabled_ = tabStop_ = true;
  align_ = vbAlignNone;
  font_ = FontSpec{};
  fore_ = vbWindowText;
  back_ = vbWindowBackground;
  backSet_ = false;
  resetState();
}

// --- geometry ----------------------------------------------------------------

int Control::Left() { ensureLoaded(); return left_; }
int Control::Top() { ensureLoaded(); return top_; }
int Control::Width() { ensureLoaded(); return width_; }
int Control::Height() { ensureLoaded(); return height_; }
void Control::Left(int v) { Move(v, Top(), Width(), Height()); }
void Control::Top(int v) { Move(Left(), v, Width(), Height()); }
void Control::Width(int v) { Move(Left(), Top(), v, Height()); }
void Control::Height(int v) { Move(Left(), Top(), Width(), v); }

void Control::Move(int left, int top, int width, int height) {
  ensureLoaded();
  if (width < 0 || height < 0) vb::raise(5);
  if (windowless_) invalidate();
  left_ = left, top_ = top, width_ = width, height_ = height;
  if (hwnd_) applyBounds(TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width), TwipsToPixelsY(height));
  invalidate();
}

void Control::applyBounds(int x, int y, int w, int h) {
  SetWindowPos(hwnd_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Control::designing() const { return form_ && form_->loading(); }

bool Control::Visible() { ensureLoaded(); return visible_; }
void Control::Visible(bool v) {
  ensureLoaded();
  if (visible_ == v) return;
  visible_ = v;
  applyVisible(v);
  if (windowless_) invalidate();
}
void Control::applyVisible(bool v) {
  if (hwnd_) ShowWindow(hwnd_, v ? SW_SHOWNA : SW_HIDE);
}

bool Control::Enabled() { ensureLoaded(); return enabled_; }
void Control::Enabled(bool v) {
  ensureLoaded();
  if (enabled_ == v) return;
  enabled_ = v;
  applyEnabled(v);
  if (windowless_) invalidate();
}
void Control::applyEnabled(bool v) {
  if (hwnd_) EnableWindow(hwnd_, v);
}

bool Control::canFocus() { return tabStop_ && shownAndEnabled(); }

bool Control::shownAndEnabled() {
  if (!hwnd_ || windowless_) return false;
  if (!IsWindowVisible(hwnd_)) return false;
  for (HWND h = hwnd_; h; h = GetParent(h)) {
    if (!IsWindowEnabled(h)) return false;
    if (!(GetWindowLongW(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return true;
}

void Control::SetFocus() {
  ensureLoaded();
  if (!hwnd_) return;
  // A hidden form takes the focus request when it is shown.
  if (!form_->Visible()) {
    form_->setPendingFocus(this);
    return;
  }
  ::SetFocus(hwnd_);
}

bool Control::HasFocus() {
  ensureLoaded();
  HWND f = GetFocus();
  return f && (f == hwnd_ || fromHwnd(f) == this);
}

int Control::TabIndex() {
  ensureLoaded();
  auto& order = form_->tabOrder_;
  auto it = std::find(order.begin(), order.end(), this);
  return it == order.end() ? 0 : static_cast<int>(it - order.begin());
}

void Control::TabIndex(int index) {
  ensureLoaded();
  auto& order = form_->tabOrder_;
  order.erase(std::remove(order.begin(), order.end(), this), order.end());
  index = std::max(0, std::min(index, static_cast<int>(order.size())));
  order.insert(order.begin() + index, this);
}

bool Control::TabStop() { ensureLoaded(); return tabStop_; }
void Control::TabStop(bool v) { ensureLoaded(); tabStop_ = v; }

int Control::Align() { ensureLoaded(); return align_; }
void Control::Align(int a) {
  ensureLoaded();
  align_ = a;
  if (HWND h = form_->hwndIfLoaded()) {
    RECT rc;
    GetClientRect(h, &rc);
    SendMessageW(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.right, rc.bottom));
  }
}

std::string Control::FontName() { ensureLoaded(); return font_.name; }
void Control::FontName(const std::string& n) { ensureLoaded(); font_.name = n; applyFont(); }
double Control::FontSize() { ensureLoaded(); return font_.size; }
void Control::FontSize(double s) { ensureLoaded(); font_.size = s; applyFont(); }
bool Control::FontBold() { ensureLoaded(); return font_.bold; }
void Control::FontBold(bool b) { ensureLoaded(); font_.bold = b; applyFont(); }

void Control::applyFont() {
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(font_)), TRUE);
  invalidate();
}

Color Control::ForeColor() { ensureLoaded(); return fore_; }
void Control::ForeColor(Color c) {
  ensureLoaded();
  fore_ = c;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
  invalidate();
}
Color Control::BackColor() { ensureLoaded(); return back_; }
void Control::BackColor(Color c) {
  ensureLoaded();
  back_ = c;
  backSet_ = true;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
  invalidate();
}

}  // namespace ui
