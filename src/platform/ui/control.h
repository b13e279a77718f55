#pragma once
// The one shape of every control of the forms runtime. A control is a member
// of its form; its window exists while the form is loaded. Every property
// access first loads the form (hidden, running its Form_Load) when it is not
// loaded, so code can fill an unloaded dialog before showing it. Positions and
// sizes are twips relative to the container.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/win_util.h"

namespace ui {

class Form;
class Control;

enum Align { vbAlignNone = 0, vbAlignTop = 1, vbAlignBottom = 2 };

// Something controls are placed on: a form, a frame or a picture box.
// Windowless controls (labels, lines, images) are painted by their container.
class Container {
public:
  virtual ~Container() = default;
  virtual HWND containerHwnd() = 0;
  virtual Form& containerForm() = 0;
  virtual Color containerBackColor() = 0;

  // Paints the windowless controls that intersect the clip rectangle.
  void paintChildren(HDC dc, const RECT& clip);
  void addWindowless(Control* c);
  void removeWindowless(Control* c);

  // Routes a child's WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR* and WM_DRAWITEM to the
  // child's wrapper; true when the wrapper answered.
  static bool reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

private:
  std::vector<Control*> windowless_;
};

class Control {
public:
  explicit Control(Form* form);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Form& form() const { return *form_; }
  // The control's window (loads the form first); nullptr for windowless kinds.
  HWND hwnd();
  // The wrapper attached to a window of this runtime, or nullptr.
  static Control* fromHwnd(HWND hwnd);

  int Left();
  int Top();
  int Width();
  int Height();
  void Left(int twips);
  void Top(int twips);
  void Width(int twips);
  void Height(int twips);
  void Move(int left, int top, int width, int height);

  bool Visible();
  void Visible(bool v);
  bool Enabled();
  void Enabled(bool v);
  void SetFocus();
  bool HasFocus();
  int TabIndex();
  void TabIndex(int index);
  bool TabStop();
  void TabStop(bool v);
  int Align();
  void Align(int a);

  std::string FontName();
  void FontName(const std::string& n);
  double FontSize();
  void FontSize(double points);
  bool FontBold();
  void FontBold(bool b);
  Color ForeColor();
  void ForeColor(Color c);
  Color BackColor();
  void BackColor(Color c);

  // Events, named as the forms name them.
  std::function<void()> Click, DblClick, Change, GotFocus, LostFocus;
  std::function<void(int& keyAscii)> KeyPress;  // set keyAscii to 0 to swallow the key
  std::function<void(int& keyCode, int shift)> KeyDown, KeyUp;

  // --- runtime internals (used by forms and containers) ---------------------
  bool windowless() const { return windowless_; }
  bool created() const { return created_; }
  Container* container() const { return container_; }
  // True when the control can take the focus now (windowed, tab stop, shown and
  // enabled up to its form).
  bool canFocus();
  // True when the control is shown and enabled up to its form (tab stop or not).
  bool shownAndEnabled();
  virtual bool isDefaultCapable() const { return false; }  // command buttons
  virtual bool wantsReturn() const { return false; }       // multi-line boxes
  virtual bool takesContainerBack() const { return true; } // not boxes and lists
  virtual void press() {}                                   // Enter/Escape on a button
  // The access key the control's caption marks, in lower case (0: none), and
  // what that key does when no other control of the form shares it.
  virtual wchar_t accessKey() { return 0; }
  virtual void pressAccessKey() {}
  virtual void onCommand(int /*code*/) {}
  virtual bool onNotify(NMHDR* /*nm*/, LRESULT& /*result*/) { return false; }
  virtual bool onCtlColor(HDC dc, LRESULT& result);
  virtual bool onDrawItem(DRAWITEMSTRUCT* /*dis*/) { return false; }
  virtual void paintWindowless(HDC /*dc*/) {}
  // Pixel rectangle in the container's client coordinates.
  RECT pixelRect();
  // Called by the form when its windows are gone: back to the state before
  // the design ran.
  void resetAfterUnload();

protected:
  // Design-time creation: a window of the given class as a child of the
  // container, or a windowless element painted by it.
  HWND createWindow(Container& parent, const wchar_t* cls, DWORD style, DWORD exStyle,
                    int left, int top, int width, int height, const std::wstring& text = L"");
  void createWindowless(Container& parent, int left, int top, int width, int height);
  // Takes a window another library created as this control's window.
  void adoptWindow(Container& parent, HWND hwnd, int left, int top, int width, int height);

  // Makes sure the form is loaded; every property access calls it first.
  void ensureLoaded();
  // Repaints a windowless control's area on its container.
  void invalidate();
  // Applies the font to the window (also the wrapper's extra windows).
  virtual void applyFont();
  virtual void applyEnabled(bool v);
  // Puts the window at a pixel rectangle (a combo keeps its drop-down height).
  virtual void applyBounds(int x, int y, int w, int h);
  // Records a size the window chose itself (a combo's height).
  void setTwipsSize(int width, int height) { width_ = width, height_ = height; }
  // True while the form's design runs: property changes raise no events then.
  bool designing() const;
  virtual void applyVisible(bool v);
  // Subclass procedure of the control's window; the default handles focus,
  // keys and tear-down. Return true when the message was handled.
  virtual bool handleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  // Derived controls put their own state back to its defaults here.
  virtual void resetState() {}
  // Subclasses a further window (a combo's edit) so that its focus and keys
  // count as this control's.
  void subclassExtra(HWND hwnd);
  // The procedure the window had before this runtime took it.
  static LRESULT callOriginal(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  // Runs KeyPress for a character; returns the character to pass on (0: none).
  int firePress(int ch);
  // WM_CHAR through KeyPress: a key set to 0 is swallowed, a changed key is
  // passed on in its place; swallowEnter also drops Enter (one-line boxes).
  // True when the message was answered here.
  bool charThroughKeyPress(HWND hwnd, WPARAM wp, LPARAM lp, LRESULT& result, bool swallowEnter = false);
  void fireKeyDown(int& key);
  // Runs an event handler with errors stopped (shown through the seam).
  void fire(const std::function<void()>& fn);

  FontSpec font_;
  Color fore_ = vbWindowText, back_ = vbWindowBackground;
  bool backSet_ = false;

private:
  static LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM);
  void hook(HWND hwnd, bool extra);
  void release();
  void attach(Container& parent, HWND hwnd, int left, int top, int width, int height);
  void windowGone(HWND hwnd);

  Form* form_;
  Container* container_ = nullptr;
  HWND hwnd_ = nullptr;
  bool created_ = false, windowless_ = false;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true, enabled_ = true, tabStop_ = true;
  int align_ = vbAlignNone;

  friend class Form;
};

}  // namespace ui
