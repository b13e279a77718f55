// Window class, lifecycle, properties and persistence of the button.
#include "controls/button/button.h"

#include <cmath>

#include "platform/ui/utf16.h"

namespace ctl {

namespace {

int ShiftState() {
  int s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= 1;
  if (GetKeyState(VK_CONTROL) < 0) s |= 2;
  if (GetKeyState(VK_MENU) < 0) s |= 4;
  return s;
}

int MouseShift(WPARAM wp) {
  int s = 0;
  if (wp & MK_SHIFT) s |= 1;
  if (wp & MK_CONTROL) s |= 2;
  if (GetKeyState(VK_MENU) < 0) s |= 4;
  return s;
}

int HeldButtons(WPARAM wp) {
  int b = 0;
  if (wp & MK_LBUTTON) b |= 1;
  if (wp & MK_RBUTTON) b |= 2;
  if (wp & MK_MBUTTON) b |= 4;
  return b;
}

}  // namespace

Button::Button() {
  // A button made in code starts as a newly placed one, in the dialogs' font.
  FontDesc f;
  InitProperties(std::string(), f);
}

Button::~Button() { Destroy(); }

bool Button::RegisterClassOnce() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &Button::WndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = nullptr;  // WM_SETCURSOR chooses
  wc.lpszClassName = L"VantorelButton";
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  registered = true;
  return true;
}

bool Button::Create(HWND parent, int x, int y, int w, int h, int id, bool visible) {
  if (hwnd_ || !RegisterClassOnce()) return false;
  HWND hwnd = CreateWindowExW(0, L"VantorelButton", ui::Widen(caption_).c_str(),
                              WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | (enabled_ ? 0 : WS_DISABLED),
                              x, y, w, h, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), this);
  if (!hwnd) return false;
  refreshAllowed_ = true;
  OnResize();
  if (visible) Show();
  return true;
}

void Button::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK Button::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Button* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<Button*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  } else {
    self = reinterpret_cast<Button*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    // Teardown order: stop painting and the timer, free the memory pictures,
    // then forget the window. The region belongs to the window by now.
    self->refreshAllowed_ = false;
    KillTimer(hwnd, kOverTimer);
    self->background_.reset();
    self->back_.reset();
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->hasFocus_ = self->mouseOver_ = false;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  // An exception from a host's event handler must not cross the window system.
  try {
    return self->Handle(msg, wp, lp);
  } catch (...) {
    return 0;
  }
}

LRESULT Button::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (HandlePaintAndSize(msg, wp, result) || HandleMouse(msg, wp, lp) ||
      HandleKeysAndFocus(msg, wp, result) || HandleTimerAndCursor(msg, wp, lp, result))
    return result;
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

// Each message group answers true when it handled the message (its answer in
// result), false to leave it to the window system as well.

bool Button::HandlePaintAndSize(UINT msg, WPARAM wp, LRESULT& result) {
  switch (msg) {
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      if (back_) {
        BitBlt(dc, 0, 0, back_.width(), back_.height(), back_.dc(), 0, 0, SRCCOPY);
      } else {
        ui::OwnedBrush face(CreateSolidBrush(colors_.face));
        FillRect(dc, &ps.rcPaint, face);
      }
      EndPaint(hwnd_, &ps);
      return true;
    }
    case WM_PRINTCLIENT:
      if (back_)
        BitBlt(reinterpret_cast<HDC>(wp), 0, 0, back_.width(), back_.height(), back_.dc(), 0, 0,
               SRCCOPY);
      return true;
    case WM_SIZE:
      OnResize();
      return true;
    case WM_SHOWWINDOW:
      if (wp) OnShow(); else OnHide();
      return false;
    default:
      return false;
  }
}

bool Button::HandleMouse(UINT msg, WPARAM wp, LPARAM lp) {
  const float x = static_cast<float>(static_cast<short>(LOWORD(lp)));
  const float y = static_cast<float>(static_cast<short>(HIWORD(lp)));
  switch (msg) {
    case WM_LBUTTONDOWN:
      // Like any push button: take the focus and keep the mouse until release,
      // so that a release off the button is seen and clicks nothing.
      if (GetFocus() != hwnd_) ::SetFocus(hwnd_);
      SetCapture(hwnd_);
      clickArmed_ = true;
      OnMouseDown(1, MouseShift(wp), x, y);
      return true;
    case WM_RBUTTONDOWN:
      OnMouseDown(2, MouseShift(wp), x, y);
      return true;
    case WM_MBUTTONDOWN:
      OnMouseDown(4, MouseShift(wp), x, y);
      return true;
    case WM_MOUSEMOVE:
      OnMouseMove(HeldButtons(wp), MouseShift(wp), x, y);
      return true;
    case WM_LBUTTONUP: {
      bool armed = clickArmed_;
      clickArmed_ = false;
      // Also ends the capture a double click took.
      if (GetCapture() == hwnd_) ReleaseCapture();
      OnMouseUp(1, MouseShift(wp), x, y);
      RECT rc;
      GetClientRect(hwnd_, &rc);
      POINT pt{static_cast<LONG>(x), static_cast<LONG>(y)};
      if (armed && hwnd_ && PtInRect(&rc, pt)) OnClick();
      return true;
    }
    case WM_RBUTTONUP:
      OnMouseUp(2, MouseShift(wp), x, y);
      return true;
    case WM_MBUTTONUP:
      OnMouseUp(4, MouseShift(wp), x, y);
      return true;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      OnDblClick();
      return true;
    case WM_CAPTURECHANGED:
      clickArmed_ = false;
      return true;
    default:
      return false;
  }
}

bool Button::HandleKeysAndFocus(UINT msg, WPARAM wp, LRESULT& result) {
  switch (msg) {
    case WM_KEYDOWN:
      OnKeyDown(static_cast<int>(wp), ShiftState());
      return true;
    case WM_CHAR:
      if (events.KeyPress) events.KeyPress(static_cast<int>(wp));
      return true;
    case WM_KEYUP:
      OnKeyUp(static_cast<int>(wp), ShiftState());
      return true;
    case WM_SETFOCUS:
      OnFocus(true);
      return true;
    case WM_KILLFOCUS:
      OnFocus(false);
      return true;
    case WM_GETDLGCODE:
      // A button for the dialog manager's access keys; the arrows are ours.
      result = DLGC_BUTTON | DLGC_WANTARROWS;
      return true;
    case BM_CLICK:
      PressAccessKey();
      return true;
    default:
      return false;
  }
}

bool Button::HandleTimerAndCursor(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_TIMER:
      if (wp == kOverTimer) OnTimer();
      return true;
    case WM_SETCURSOR:
      if (LOWORD(lp) != HTCLIENT) return false;
      SetCursor(CurrentCursor());
      result = TRUE;
      return true;
    case WM_SYSCOLORCHANGE:
      AmbientChanged();
      return true;
    default:
      return false;
  }
}

// ---- container facts -----------------------------------------------------------

void Button::SetDisplayAsDefault(bool v) {
  displayAsDefault_ = v;
  RepaintCurrent();
}

void Button::AmbientChanged() {
  SetColors();
  RepaintCurrent();
}

// ---- placement, visibility, focus ---------------------------------------------

namespace {
RECT RectInParent(HWND hwnd) {
  RECT r{};
  if (!hwnd) return r;
  GetWindowRect(hwnd, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}
}  // namespace

int Button::Left() const { return RectInParent(hwnd_).left; }
int Button::Top() const { return RectInParent(hwnd_).top; }
int Button::Width() const {
  RECT r = RectInParent(hwnd_);
  return r.right - r.left;
}
int Button::Height() const {
  RECT r = RectInParent(hwnd_);
  return r.bottom - r.top;
}

void Button::Move(int x, int y, int w, int h) {
  if (hwnd_) MoveWindow(hwnd_, x, y, w, h, TRUE);
}

void Button::Show() {
  if (!hwnd_) return;
  if (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE)
    OnShow();  // already shown: a Show still restarts painting
  else
    ShowWindow(hwnd_, SW_SHOWNA);
}

void Button::Hide() {
  if (!hwnd_) return;
  if (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE)
    ShowWindow(hwnd_, SW_HIDE);
  else
    OnHide();
}

bool Button::Visible() const {
  return hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE);
}

void Button::SetFocus() {
  if (hwnd_) ::SetFocus(hwnd_);
}

HCURSOR Button::CurrentCursor() const {
  if (mousePointer_ == 99 && mouseIcon_ && mouseIcon_->icon()) return mouseIcon_->icon();
  LPCSTR id = IDC_ARROW;
  switch (mousePointer_) {
    case 2: id = IDC_CROSS; break;
    case 3: id = IDC_IBEAM; break;
    case 5: case 15: id = IDC_SIZEALL; break;
    case 6: id = IDC_SIZENESW; break;
    case 7: id = IDC_SIZENS; break;
    case 8: id = IDC_SIZENWSE; break;
    case 9: id = IDC_SIZEWE; break;
    case 10: id = IDC_UPARROW; break;
    case 11: id = IDC_WAIT; break;
    case 12: id = IDC_NO; break;
    case 13: id = IDC_APPSTARTING; break;
    case 14: id = IDC_HELP; break;
    default: break;
  }
  return LoadCursorA(nullptr, id);
}

// ---- properties -------------------------------------------------------------------

void Button::Changed(const char* key) {
  if (events.PropertyChanged) events.PropertyChanged(key);
}

void Button::ApplyFont() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  LOGFONTW lf{};
  lf.lfHeight = -static_cast<LONG>(std::lround(font_.size * dpi / 72.0));
  lf.lfWeight = font_.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font_.italic;
  lf.lfUnderline = font_.underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  std::wstring face = ui::Widen(font_.name);
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT f = CreateFontIndirectW(&lf);
  if (f) hfont_.reset(f);
}

void Button::SetBackColor(OleColor c) {
  backColor_ = c;
  if (!userMode_) backOver_ = c;
  SetColors();
  RepaintCurrent();
  Changed("BCOL");
}

void Button::SetBackOver(OleColor c) {
  backOver_ = c;
  SetColors();
  RepaintCurrent();
  Changed("BCOLO");
}

void Button::SetForeColor(OleColor c) {
  foreColor_ = c;
  if (!userMode_) foreOver_ = c;
  SetColors();
  RepaintCurrent();
  Changed("FCOL");
}

void Button::SetForeOver(OleColor c) {
  foreOver_ = c;
  SetColors();
  RepaintCurrent();
  Changed("FCOLO");
}

void Button::SetMaskColor(OleColor c) {
  maskColor_ = c;
  SetColors();
  RepaintCurrent();
  Changed("MCOL");
}

void Button::SetButtonType(int t) {
  buttonType_ = t;
  if (t == 5 && !userMode_) {
    font_.bold = true;
    ApplyFont();
  } else if (t == 11 && refreshAllowed_) {
    GetParentBackground();
  }
  OnResize();
  Changed("BTYPE");
}

void Button::SetCaption(const std::string& text) {
  caption_ = text;
  if (hwnd_) SetWindowTextW(hwnd_, ui::Widen(text).c_str());  // the dialog manager reads it
  SetAccessKeys();
  CalcCaptionRect();
  DrawButton(kUp, true);
  Changed("TX");
}

void Button::SetEnabled(bool on) {
  enabled_ = on;
  DrawButton(kUp, true);
  if (hwnd_) EnableWindow(hwnd_, on);
  Changed("ENAB");
}

// The font changed: a new font, the caption laid out in it, painted up.
void Button::FontChanged() {
  ApplyFont();
  CalcCaptionRect();
  DrawButton(kUp, true);
}

void Button::SetFont(const FontDesc& f) {
  font_ = f;
  FontChanged();
  Changed("FONT");
}

// One attribute of the font. It is not saved on its own (the font is), so
// no change is reported.
template <class T>
void Button::SetFontAttribute(T FontDesc::*attribute, const T& value) {
  font_.*attribute = value;
  FontChanged();
}

void Button::SetFontBold(bool v) { SetFontAttribute(&FontDesc::bold, v); }
void Button::SetFontItalic(bool v) { SetFontAttribute(&FontDesc::italic, v); }
void Button::SetFontUnderline(bool v) { SetFontAttribute(&FontDesc::underline, v); }
void Button::SetFontSize(double v) { SetFontAttribute(&FontDesc::size, v); }
void Button::SetFontName(const std::string& v) { SetFontAttribute(&FontDesc::name, v); }

void Button::SetColorScheme(int s) {
  colorScheme_ = s;
  SetColors();
  RepaintCurrent();
  Changed("COLTYPE");
}

void Button::SetShowFocusRect(bool v) {
  showFocusRect_ = v;
  RepaintCurrent();
  Changed("FOCUSR");
}

void Button::SetMousePointer(int p) {
  mousePointer_ = static_cast<int16_t>(p);
  Changed("MPTR");
}

void Button::SetMouseIcon(PicturePtr icon) {
  // Only an icon or cursor can serve as a mouse icon; anything else keeps the old.
  if (icon && icon->type() != Picture::Type::kIcon) return;
  mouseIcon_ = std::move(icon);
  Changed("MICON");
}

void Button::SetHandPointer(bool v) {
  handPointer_ = v;
  if (v) {
    // The program's own hand cursor when it carries one, else the system's.
    // The program's own hand cursor when it carries one, else the system's;
    // one shared picture, as cursors from resources are shared handles.
    static const PicturePtr hand = [] {
      HCURSOR c = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(101));
      if (!c) c = LoadCursorA(nullptr, IDC_HAND);
      return c ? Picture::FromIcon(c, false) : PicturePtr();
    }();
    mouseIcon_ = hand;
    if (hand) mousePointer_ = 99;
  } else {
    mouseIcon_ = nullptr;
    mousePointer_ = 1;
  }
  Changed("HAND");
}

void Button::SetSoftBevel(bool v) {
  softBevel_ = v;
  SetColors();
  RepaintCurrent();
  Changed("SOFT");
}

void Button::SetPictureNormal(PicturePtr p) {
  pictureNormal_ = std::move(p);
  CalcPictureSize();
  CalcCaptionRect();
  RepaintCurrent();
  Changed("PICN");
}

void Button::SetPictureOver(PicturePtr p) {
  pictureOver_ = std::move(p);
  if (mouseOver_) RepaintCurrent();
  // Reported under the key it is saved as, so a host that saves by key sees it.
  Changed("PICH");
}

void Button::SetPicturePosition(int p) {
  picturePosition_ = p;
  Changed("PICPOS");
  CalcCaptionRect();
  RepaintCurrent();
}

void Button::SetUseMaskColor(bool v) {
  useMaskColor_ = v;
  if (pictureNormal_) RepaintCurrent();
  Changed("UMCOL");
}

void Button::SetUseGreyscale(bool v) {
  useGreyscale_ = v;
  if (pictureNormal_) RepaintCurrent();
  Changed("NGREY");
}

void Button::SetSpecialEffect(int v) {
  specialEffect_ = v;
  RepaintCurrent();
  Changed("FX");
}

void Button::SetCheckBoxBehaviour(bool v) {
  checkBox_ = v;
  RepaintCurrent();
  Changed("CHECK");
}

void Button::SetValue(bool v) {
  value_ = v;
  if (checkBox_) DrawButton(kUp, true);
  Changed("VALUE");
}

void Button::Refresh() {
  if (buttonType_ == 11) GetParentBackground();
  SetColors();
  CalcCaptionRect();
  refreshAllowed_ = true;
  RepaintCurrent();
}

void Button::PressAccessKey() {
  lastMouseButton_ = 1;
  OnClick();
}

// ---- persistence --------------------------------------------------------------------

void Button::InitProperties(const std::string& displayName, const FontDesc& ambientFont) {
  caption_ = displayName;
  if (hwnd_) SetWindowTextW(hwnd_, ui::Widen(caption_).c_str());
  font_ = ambientFont;
  ApplyFont();
  buttonType_ = 2;
  colorScheme_ = 1;
  enabled_ = showFocusRect_ = useMaskColor_ = true;
  useGreyscale_ = handPointer_ = softBevel_ = checkBox_ = value_ = false;
  picturePosition_ = specialEffect_ = mousePointer_ = 0;
  pictureNormal_ = pictureOver_ = mouseIcon_ = nullptr;
  SetColors();
  backColor_ = backOver_ = colors_.face;
  foreColor_ = foreOver_ = colors_.caption;
  maskColor_ = 0xC0C0C0;
  CalcPictureSize();
  CalcCaptionRect();
}

void Button::ReadProperties(const PropertyBag& bag) {
  buttonType_ = ToInt(bag.Read("BTYPE", int32_t{2}));
  caption_ = ToText(bag.Read("TX", std::string()));
  enabled_ = ToBool(bag.Read("ENAB", true));
  PropValue f = bag.Read("FONT", font_);
  if (auto fd = std::get_if<FontDesc>(&f)) font_ = *fd;
  ApplyFont();
  colorScheme_ = ToInt(bag.Read("COLTYPE", int32_t{1}));
  showFocusRect_ = ToBool(bag.Read("FOCUSR", true));
  backColor_ = static_cast<OleColor>(
      ToInt(bag.Read("BCOL", static_cast<int32_t>(GetSysColor(COLOR_BTNFACE)))));
  backOver_ = static_cast<OleColor>(ToInt(bag.Read("BCOLO", static_cast<int32_t>(backColor_))));
  foreColor_ = static_cast<OleColor>(
      ToInt(bag.Read("FCOL", static_cast<int32_t>(GetSysColor(COLOR_BTNTEXT)))));
  foreOver_ = static_cast<OleColor>(ToInt(bag.Read("FCOLO", static_cast<int32_t>(foreColor_))));
  maskColor_ = static_cast<OleColor>(ToInt(bag.Read("MCOL", int32_t{0xC0C0C0})));
  mousePointer_ = static_cast<int16_t>(ToInt(bag.Read("MPTR", int16_t{0})));
  PropValue icon = bag.Read("MICON", PicturePtr());
  if (auto p = std::get_if<PicturePtr>(&icon)) mouseIcon_ = *p;
  PropValue pn = bag.Read("PICN", PicturePtr());
  pictureNormal_ = std::holds_alternative<PicturePtr>(pn) ? std::get<PicturePtr>(pn) : nullptr;
  PropValue ph = bag.Read("PICH", PicturePtr());
  pictureOver_ = std::holds_alternative<PicturePtr>(ph) ? std::get<PicturePtr>(ph) : nullptr;
  useMaskColor_ = ToBool(bag.Read("UMCOL", true));
  softBevel_ = ToBool(bag.Read("SOFT", false));
  picturePosition_ = ToInt(bag.Read("PICPOS", int32_t{0}));
  useGreyscale_ = ToBool(bag.Read("NGREY", false));
  specialEffect_ = ToInt(bag.Read("FX", int32_t{0}));
  SetHandPointer(ToBool(bag.Read("HAND", false)));
  checkBox_ = ToBool(bag.Read("CHECK", false));
  value_ = ToBool(bag.Read("VALUE", false));

  if (hwnd_) {
    EnableWindow(hwnd_, enabled_);
    SetWindowTextW(hwnd_, ui::Widen(caption_).c_str());
  }
  CalcPictureSize();
  CalcCaptionRect();
  SetAccessKeys();
  // The colour table is built by the next Show.
}

void Button::WriteProperties(PropertyBag& bag) const {
  bag.Write("BTYPE", int32_t{buttonType_});
  bag.Write("TX", caption_);
  bag.Write("ENAB", enabled_);
  bag.Write("FONT", font_);
  bag.Write("COLTYPE", int32_t{colorScheme_});
  bag.Write("FOCUSR", showFocusRect_);
  bag.Write("BCOL", static_cast<int32_t>(backColor_));
  bag.Write("BCOLO", static_cast<int32_t>(backOver_));
  bag.Write("FCOL", static_cast<int32_t>(foreColor_));
  bag.Write("FCOLO", static_cast<int32_t>(foreOver_));
  bag.Write("MCOL", static_cast<int32_t>(maskColor_));
  bag.Write("MPTR", static_cast<int16_t>(mousePointer_));
  bag.Write("MICON", mouseIcon_);
  bag.Write("PICN", pictureNormal_);
  bag.Write("PICH", pictureOver_);
  bag.Write("UMCOL", useMaskColor_);
  bag.Write("SOFT", softBevel_);
  bag.Write("PICPOS", int32_t{picturePosition_});
  bag.Write("NGREY", useGreyscale_);
  bag.Write("FX", int32_t{specialEffect_});
  bag.Write("HAND", handPointer_);
  bag.Write("CHECK", checkBox_);
  bag.Write("VALUE", value_);
}

}  // namespace ctl
