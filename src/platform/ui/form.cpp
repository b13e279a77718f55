#include "platform/ui/form.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/ui/testing.h"
#include "platform/ui/timer.h"
#include "platform/vb/error.h"

namespace ui {

namespace {

std::vector<Form*>& registry() {
  static auto* forms = new std::vector<Form*>();
  return *forms;
}

// One entry per running modal loop: the windows it disabled.
struct ModalFrame {
  Form* form;
  std::vector<HWND> disabled;
  bool released = false;
};
std::vector<ModalFrame*>& modalStack() {
  static auto* stack = new std::vector<ModalFrame*>();
  return *stack;
}

void releaseFrame(ModalFrame& frame) {
  if (frame.released) return;
  frame.released = true;
  for (auto it = frame.disabled.rbegin(); it != frame.disabled.rend(); ++it)
    if (IsWindow(*it)) EnableWindow(*it, TRUE);
}

struct DisableCtx {
  std::vector<HWND>* disabled;
  HWND self;
};

// Disables one window of the program for a modal dialog: every shown window
// and every form, but not the dialog itself.
BOOL CALLBACK disableOne(HWND h, LPARAM lp) {
  auto* c = reinterpret_cast<DisableCtx*>(lp);
  if (h == c->self || !IsWindowEnabled(h)) return TRUE;
  if (!IsWindowVisible(h) && !Form::fromHwnd(h)) return TRUE;
  EnableWindow(h, FALSE);
  c->disabled->push_back(h);
  return TRUE;
}

void releaseOwnersOf(Form* f) {
  for (ModalFrame* frame : modalStack())
    if (frame->form == f) releaseFrame(*frame);
}

std::string errorText(int number, const std::string& description) {
  return "Run-time error '" + std::to_string(number) + "':\n\n" + description;
}

void reportError(const std::string& text) {
  try {
    MsgBox(text, vbCritical);
  } catch (...) {
    // Reporting must never throw out of a window procedure.
  }
}

}  // namespace

void SafeCall(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const ProgramEnded&) {
    // Every modal loop sees App::Ended() and unwinds on its own.
  } catch (const vb::Error& e) {
    reportError(errorText(e.number(), e.description()));
  } catch (const std::exception& e) {
    reportError(errorText(440, e.what()));
  } catch (...) {
    reportError(errorText(440, "Unknown error"));
  }
}

// --- construction and registry -----------------------------------------------

Form::Form() { registry().push_back(this); }

Form::~Form() {
  auto& r = registry();
  r.erase(std::remove(r.begin(), r.end(), this), r.end());
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

const std::vector<Form*>& Form::all() { return registry(); }

Form* Form::fromHwnd(HWND hwnd) {
  if (!hwnd) return nullptr;
  wchar_t cls[32];
  if (!GetClassNameW(hwnd, cls, 32)) return nullptr;
  for (Form* f : registry())
    if (f->hwnd_ == hwnd) return f;
  return nullptr;
}

void Form::unregisterControl(Control* c) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
  tabOrder_.erase(std::remove(tabOrder_.begin(), tabOrder_.end(), c), tabOrder_.end());
  if (lastFocus_ == c) lastFocus_ = nullptr;
  if (pendingFocus_ == c) pendingFocus_ = nullptr;
  if (defaultButton_ == c) defaultButton_ = nullptr;
  if (cancelButton_ == c) cancelButton_ = nullptr;
}

void Form::registerTimer(Timer* t) {
  if (std::find(timers_.begin(), timers_.end(), t) == timers_.end()) timers_.push_back(t);
}
void Form::unregisterTimer(Timer* t) { timers_.erase(std::remove(timers_.begin(), timers_.end(), t), timers_.end()); }

// --- window class and procedure --------------------------------------------------

const wchar_t* Form::registerFormClass() {
  static const wchar_t* name = [] {
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    if (!wc.hIcon) wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.lpszClassName = L"VtForm";
    RegisterClassExW(&wc);
    return L"VtForm";
  }();
  return name;
}

// The one window procedure of every form. The form object is attached at
// WM_NCCREATE (from CREATESTRUCT) and detached at WM_NCDESTROY. Tear-down order:
//   WM_DESTROY (timers killed) -> the children's WM_DESTROY/WM_NCDESTROY (each
//   wrapper lets go of its window) -> WM_NCDESTROY of the form (object detached,
//   controls back to their pre-design state, form not loaded).
// No exception leaves this procedure: handlers run under SafeCall.
LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Form* self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    self = static_cast<Form*>(cs->lpCreateParams);
    if (self) self->attachWindow(hwnd);
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    LRESULT r = self->defaultProc(hwnd, msg, wp, lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    SafeCall([self] { self->afterDestroyed(); });
    return r;
  }
  LRESULT result = 0;
  try {
    result = self->onMessage(hwnd, msg, wp, lp);
  } catch (...) {
    result = 0;
  }
  return result;
}

void Form::attachWindow(HWND hwnd) {
  hwnd_ = hwnd;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT Form::defaultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT Form::onMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT rc;
      GetClientRect(hwnd, &rc);
      FillRect(reinterpret_cast<HDC>(wp), &rc, BrushFor(back_));
      return 1;
    }
    case WM_PAINT: {
      ScopedPaint paint(hwnd);
      paintChildren(paint, paint.rect());
      return 0;
    }
    case WM_SIZE:
      layoutAligned();
      if (loaded_ && !loading_ && wp != SIZE_MINIMIZED && IsWindowVisible(hwnd)) fireResize();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) {
        if (loaded_ && !loading_) SafeCall([this] { Form_Activate(); });
        if (lastFocus_ && lastFocus_->canFocus()) {
          ::SetFocus(lastFocus_->hwnd_);
          return 0;
        }
      }
      break;
    case WM_SETFOCUS:
      if (lastFocus_ && lastFocus_->canFocus()) ::SetFocus(lastFocus_->hwnd_);
      else moveFocus(false);
      return 0;
    case WM_CLOSE:
      SafeCall([this] { queryAndUnload(vbFormControlMenu); });
      return 0;
    case WM_TIMER:
      for (Timer* t : timers_)
        if (t->id() == wp) {
          t->tick();
          return 0;
        }
      break;
    case WM_DESTROY:
      for (Timer* t : timers_) t->disarm();
      break;
    default:
      if (msg == testing::kRunShownMessage) {
        testing::detail::runNextShown(*this);
        return 0;
      }
      if (Container::reflect(msg, wp, lp, result)) return result;
      break;
  }
  return defaultProc(hwnd, msg, wp, lp);
}

// --- life ------------------------------------------------------------------------

HWND Form::createFormWindow() {
  return CreateWindowExW(0, registerFormClass(), Widen(caption_).c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                         CW_USEDEFAULT, CW_USEDEFAULT, TwipsToPixelsX(4800), TwipsToPixelsY(3600),
                         nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

void Form::ensureLoaded() {
  if (loaded_ || loading_) return;
  load();
}

void Form::Load() { ensureLoaded(); }

void Form::load() {
  loading_ = true;
  resized_ = false;
  shownOnce_ = false;
  tabOrder_.clear();
  lastFocus_ = pendingFocus_ = nullptr;
  defaultButton_ = cancelButton_ = nullptr;
  struct Done {
    Form* f;
    ~Done() { f->loading_ = false; }
  } done{this};
  HWND h = createFormWindow();
  if (!h) vb::raise(7, "Out of memory");
  hwnd_ = h;
  applyStyle();
  Design();
  afterDesign();
  layoutAligned();
  loading_ = false;
  loaded_ = true;
  // Form_Load runs with the form counted as loaded, so that what it touches
  // does not load it again; an error in it reaches whoever caused the load.
  Form_Load();
}

void Form::Show() {
  ensureLoaded();
  if (!shownOnce_) position(GetWindow(hwnd_, GW_OWNER));
  int cmd = state_ == vbMaximized ? SW_SHOWMAXIMIZED : state_ == vbMinimized ? SW_SHOWMINIMIZED : SW_SHOW;
  ShowWindow(hwnd_, cmd);
  SetForegroundWindow(hwnd_);
  shownOnce_ = true;
  if (!resized_) fireResize();
  applyPendingFocus();
}

void Form::ShowModal(Form* owner) {
  ensureLoaded();
  if (IsWindowVisible(hwnd_)) vb::raise(400, "Form already displayed; can't show modally");
  HWND ownerHwnd = owner ? owner->hwnd() : GetActiveWindow();
  if (ownerHwnd == hwnd_) ownerHwnd = nullptr;
  if (ownerHwnd) ownerHwnd = GetAncestor(ownerHwnd, GA_ROOT);
  SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerHwnd));

  ModalFrame frame{this, {}, false};
  DisableCtx ctx{&frame.disabled, hwnd_};
  EnumThreadWindows(GetCurrentThreadId(), disableOne, reinterpret_cast<LPARAM>(&ctx));
  modalStack().push_back(&frame);
  ++modalDepth_;
  struct Unwind {
    Form* f;
    ModalFrame* frame;
    HWND owner;
    ~Unwind() {
      --f->modalDepth_;
      releaseFrame(*frame);
      auto& s = modalStack();
      s.erase(std::remove(s.begin(), s.end(), frame), s.end());
      if (owner && IsWindow(owner) && IsWindowVisible(owner)) SetActiveWindow(owner);
    }
  } unwind{this, &frame, ownerHwnd};

  if (!shownOnce_) position(ownerHwnd);
  ShowWindow(hwnd_, state_ == vbMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
  SetForegroundWindow(hwnd_);
  SetActiveWindow(hwnd_);
  shownOnce_ = true;
  if (!resized_) fireResize();
  applyPendingFocus();
  if (testing::detail::hasShown()) PostMessageW(hwnd_, testing::kRunShownMessage, 0, 0);

  HWND self = hwnd_;
  while (loaded_ && hwnd_ == self && IsWindowVisible(self) && !App::get().Ended()) {
    if (!pumpOne()) break;
  }
  if (App::get().Ended()) throw ProgramEnded();
}

void Form::Hide() {
  ensureLoaded();
  releaseOwnersOf(this);
  ShowWindow(hwnd_, SW_HIDE);
}

bool Form::Visible() { return loaded_ && hwnd_ && IsWindowVisible(hwnd_); }

void Form::Unload() {
  if (!loaded_) return;
  queryAndUnload(vbFormCode);
}

bool Form::queryAndUnload(int mode) {
  if (!loaded_) return true;
  // Forms this one owns go first (the system would destroy their windows
  // with the owner's), each with its own events; one that refuses keeps the
  // owner loaded too.
  if (hwnd_) {
    for (Form* f : std::vector<Form*>(registry()))
      if (f != this && f->loaded_ && f->hwnd_ && GetWindow(f->hwnd_, GW_OWNER) == hwnd_)
        if (!f->queryAndUnload(vbFormOwner)) return false;
  }
  int cancel = 0;
  Form_QueryUnload(cancel, mode);
  if (cancel) return false;
  Form_Unload(cancel);
  if (cancel) return false;
  destroyWindows();
  return true;
}

void Form::destroyWindows() {
  if (!hwnd_) {
    afterDestroyed();
    return;
  }
  releaseOwnersOf(this);
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  DestroyWindow(hwnd_);  // WM_NCDESTROY runs afterDestroyed
  if (owner && IsWindowVisible(owner) && IsWindowEnabled(owner)) SetActiveWindow(owner);
}

void Form::destroySilently() {
  if (loaded_ || hwnd_) destroyWindows();
}

void Form::afterDestroyed() {
  hwnd_ = nullptr;
  for (Timer* t : timers_) t->reset();
  for (Control* c : controls_) c->resetAfterUnload();
  tabOrder_.clear();
  lastFocus_ = pendingFocus_ = defaultButton_ = cancelButton_ = nullptr;
  loaded_ = false;
  resized_ = shownOnce_ = false;
  caption_.clear();
  border_ = vbSizable;
  state_ = vbNormal;
  back_ = vbButtonFace;
  font_ = FontSpec{};
}

HWND Form::hwnd() {
  ensureLoaded();
  return hwnd_;
}

// --- message loop and keyboard -----------------------------------------------------

bool Form::pumpOne() {
  MSG m;
  BOOL r = GetMessageW(&m, nullptr, 0, 0);
  if (r == 0) {
    PostQuitMessage(static_cast<int>(m.wParam));
    return false;
  }
  if (r < 0) return false;
  if (!preTranslate(m)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return true;
}

bool Form::preTranslate(MSG& m) {
  if (m.message != WM_KEYDOWN && m.message != WM_SYSCHAR && m.message != WM_CHAR) return false;
  HWND root = GetAncestor(m.hwnd, GA_ROOT);
  Form* f = fromHwnd(root);
  if (!f || !f->loaded_) return false;
  if (m.message != WM_KEYDOWN) {
    // Access keys, as a Windows dialog takes them: with Alt anywhere on the
    // form (the character Alt+letter makes), the letter alone only while a
    // button has the focus, so that a box keeps the letters typed into it.
    wchar_t key[2] = {static_cast<wchar_t>(m.wParam), 0};
    if (key[0] <= L' ') return false;
    if (m.message == WM_CHAR) {
      HWND focus = GetFocus();
      if (!focus) return false;
      const LRESULT code = SendMessageW(focus, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&m));
      if (!(code & DLGC_BUTTON) || (code & DLGC_WANTCHARS)) return false;
    }
    CharLowerBuffW(key, 1);
    return f->pressAccessKey(key[0]);
  }
  bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
  Control* focused = Control::fromHwnd(GetFocus());
  if (!focused) focused = Control::fromHwnd(GetParent(GetFocus()));
  switch (m.wParam) {
    case VK_TAB:
      if (ctrl || alt) return false;
      f->moveFocus(GetKeyState(VK_SHIFT) < 0);
      return true;
    case VK_RETURN:
      if (focused && focused->isDefaultCapable()) {
        SafeCall([focused] { focused->press(); });
        return true;
      }
      if (focused && focused->wantsReturn()) return false;
      if (Control* d = f->defaultButton_) {
        if (d->canFocus() || (d->created() && IsWindowEnabled(d->hwnd_))) {
          SafeCall([d] { d->press(); });
          return true;
        }
      }
      return false;
    case VK_ESCAPE:
      if (Control* c = f->cancelButton_) {
        if (c->created() && IsWindowEnabled(c->hwnd_)) {
          SafeCall([c] { c->press(); });
          return true;
        }
      }
      return false;
  }
  return false;
}

void Form::moveFocus(bool backwards) {
  std::vector<Control*> list;
  for (Control* c : tabOrder_)
    if (c->canFocus()) list.push_back(c);
  if (list.empty()) return;
  HWND focus = GetFocus();
  Control* cur = Control::fromHwnd(focus);
  if (!cur && focus) cur = Control::fromHwnd(GetParent(focus));
  auto it = std::find(list.begin(), list.end(), cur);
  Control* next;
  if (it == list.end()) next = backwards ? list.back() : list.front();
  else if (backwards) next = it == list.begin() ? list.back() : *(it - 1);
  else next = (it + 1 == list.end()) ? list.front() : *(it + 1);
  ::SetFocus(next->hwnd_);
}

// One control with the key: it is pressed (a button clicks). Several: the
// focus goes to the next of them after the focused control in tab order, one
// step per press, and nothing is pressed, as in a Windows dialog.
bool Form::pressAccessKey(wchar_t key) {
  std::vector<Control*> having;
  for (Control* c : tabOrder_)
    if (c->accessKey() == key && c->shownAndEnabled()) having.push_back(c);
  if (having.empty()) return false;
  if (having.size() == 1) {
    Control* c = having.front();
    SafeCall([c] { c->pressAccessKey(); });
    return true;
  }
  HWND focus = GetFocus();
  Control* cur = Control::fromHwnd(focus);
  if (!cur && focus) cur = Control::fromHwnd(GetParent(focus));
  Control* next = having.front();
  auto at = std::find(tabOrder_.begin(), tabOrder_.end(), cur);
  if (at != tabOrder_.end()) {
    for (auto it = at + 1; it != tabOrder_.end(); ++it)
      if (std::find(having.begin(), having.end(), *it) != having.end()) {
        next = *it;
        break;
      }
  }
  ::SetFocus(next->hwnd_);
  return true;
}

void Form::applyPendingFocus() {
  Control* p = pendingFocus_;
  pendingFocus_ = nullptr;
  if (p && p->canFocus()) {
    ::SetFocus(p->hwnd_);
    return;
  }
  HWND focus = GetFocus();
  if (!focus || GetAncestor(focus, GA_ROOT) != hwnd_ || focus == hwnd_) {
    if (lastFocus_ && lastFocus_->canFocus()) ::SetFocus(lastFocus_->hwnd_);
    else moveFocus(false);
  }
}

Control* Form::ActiveControl() {
  ensureLoaded();
  Control* c = Control::fromHwnd(GetFocus());
  if (c && &c->form() == this) return c;
  return lastFocus_;
}

void Form::fireResize() {
  resized_ = true;
  SafeCall([this] { Form_Resize(); });
}

void Form::position(HWND owner) {
  if (startUp_ == vbStartUpManual || startUp_ == vbStartUpWindowsDefault) return;
  RECT wr, area;
  GetWindowRect(hwnd_, &wr);
  if (startUp_ == vbStartUpOwner && owner && IsWindowVisible(owner)) GetWindowRect(owner, &area);
  else SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  int w = wr.right - wr.left, h = wr.bottom - wr.top;
  int x = area.left + (area.right - area.left - w) / 2, y = area.top + (area.bottom - area.top - h) / 2;
  SetWindowPos(hwnd_, nullptr, std::max(0, x), std::max(0, y), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Form::layoutAligned() {
  RECT rc{};
  if (!hwnd_) return rc;
  GetClientRect(hwnd_, &rc);
  for (Control* c : controls_) {
    if (!c->created() || c->container() != this || c->align_ == vbAlignNone || !c->visible_) continue;
    int h = TwipsToPixelsY(c->height_);
    int w = rc.right - rc.left;
    if (c->align_ == vbAlignTop) {
      c->Move(PixelsToTwipsX(rc.left), PixelsToTwipsY(rc.top), PixelsToTwipsX(w), c->height_);
      rc.top += h;
    } else if (c->align_ == vbAlignBottom) {
      rc.bottom -= h;
      c->Move(PixelsToTwipsX(rc.left), PixelsToTwipsY(rc.bottom), PixelsToTwipsX(w), c->height_);
    }
  }
  return rc;
}

// --- properties ------------------------------------------------------------------

std::string Form::Caption() {
  ensureLoaded();
  return WindowText(hwnd_);
}

void Form::Caption(const std::string& text) {
  ensureLoaded();
  caption_ = text;
  SetWindowTextW(hwnd_, Widen(text).c_str());
}

namespace {
RECT windowRect(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  HWND owner = GetParent(h);
  if (owner && (GetWindowLongW(h, GWL_STYLE) & WS_CHILD)) MapWindowPoints(nullptr, owner, reinterpret_cast<POINT*>(&r), 2);
  return r;
}
}  // namespace

int Form::Left() { return PixelsToTwipsX(windowRect(hwnd()).left); }
int Form::Top() { return PixelsToTwipsY(windowRect(hwnd()).top); }
int Form::Width() {
  RECT r = windowRect(hwnd());
  return PixelsToTwipsX(r.right - r.left);
}
int Form::Height() {
  RECT r = windowRect(hwnd());
  return PixelsToTwipsY(r.bottom - r.top);
}
void Form::Left(int v) { Move(v, Top(), Width(), Height()); }
void Form::Top(int v) { Move(Left(), v, Width(), Height()); }
void Form::Width(int v) { Move(Left(), Top(), v, Height()); }
void Form::Height(int v) { Move(Left(), Top(), Width(), v); }

void Form::Move(int left, int top, int width, int height) {
  ensureLoaded();
  if (width < 0 || height < 0) vb::raise(5);
  SetWindowPos(hwnd_, nullptr, TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
               TwipsToPixelsY(height), SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::ScaleWidth() {
  RECT rc;
  GetClientRect(hwnd(), &rc);
  return PixelsToTwipsX(rc.right);
}
int Form::ScaleHeight() {
  RECT rc;
  GetClientRect(hwnd(), &rc);
  return PixelsToTwipsY(rc.bottom);
}

void Form::ClientSize(int width, int height) {
  ensureLoaded();
  RECT r{0, 0, TwipsToPixelsX(width), TwipsToPixelsY(height)};
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)));
  SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::BorderStyle() { ensureLoaded(); return border_; }
void Form::BorderStyle(int s) {
  ensureLoaded();
  border_ = s;
  applyStyle();
}

void Form::applyStyle() {
  if (!hwnd_ || (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD)) return;
  DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)) & (WS_VISIBLE | WS_DISABLED);
  DWORD ex = 0;
  switch (border_) {
    case vbBSNone: style |= WS_POPUP; break;
    case vbFixedSingle: style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX; break;
    case vbFixedDialog: style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU; ex |= WS_EX_DLGMODALFRAME; break;
    case vbFixedToolWindow: style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU; ex |= WS_EX_TOOLWINDOW; break;
    case vbSizableToolWindow: style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME; ex |= WS_EX_TOOLWINDOW; break;
    default: style |= WS_OVERLAPPEDWINDOW; break;
  }
  style |= WS_CLIPCHILDREN;
  SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>(style));
  SetWindowLongW(hwnd_, GWL_EXSTYLE, static_cast<LONG>(ex));
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

int Form::WindowState() {
  ensureLoaded();
  if (IsIconic(hwnd_)) return vbMinimized;
  if (IsZoomed(hwnd_)) return vbMaximized;
  return IsWindowVisible(hwnd_) ? vbNormal : state_;
}
void Form::WindowState(int s) {
  ensureLoaded();
  state_ = s;
  if (IsWindowVisible(hwnd_))
    ShowWindow(hwnd_, s == vbMaximized ? SW_MAXIMIZE : s == vbMinimized ? SW_MINIMIZE : SW_RESTORE);
}

Color Form::BackColor() { ensureLoaded(); return back_; }
void Form::BackColor(Color c) {
  ensureLoaded();
  back_ = c;
  InvalidateRect(hwnd_, nullptr, TRUE);
}

}  // namespace ui
