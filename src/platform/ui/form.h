#pragma once
// The form: a top-level window with its controls, loaded on first touch and
// kept as one program-wide default instance per dialog class.
//
// Life of a form:
//   not loaded --(first touch of a control, Load, Show, ShowModal)--> loaded hidden
//       window created, Design() makes the controls with their design values,
//       Form_Load runs;
//   loaded --Show/ShowModal--> shown --Hide--> loaded hidden;
//   loaded --Unload--> Form_QueryUnload(cancel, mode), Form_Unload(cancel), then
//       the windows are destroyed and every control returns to its pre-design
//       state; the next touch loads it again, fresh.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace ui {

class Timer;

// Why a form is being unloaded (Form_QueryUnload's mode).
enum UnloadMode { vbFormControlMenu = 0, vbFormCode = 1, vbAppWindows = 2, vbAppTaskManager = 3,
                  vbFormMDIForm = 4, vbFormOwner = 5 };
enum BorderStyle { vbBSNone = 0, vbFixedSingle = 1, vbSizable = 2, vbFixedDialog = 3,
                   vbFixedToolWindow = 4, vbSizableToolWindow = 5 };
enum WindowState { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };
enum StartUpPosition { vbStartUpManual = 0, vbStartUpOwner = 1, vbStartUpScreen = 2,
                       vbStartUpWindowsDefault = 3 };

class Form : public Container {
public:
  Form();
  ~Form() override;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // --- life ---------------------------------------------------------------
  void Load();  // loads hidden when not loaded
  bool Loaded() const { return loaded_; }
  void Show();  // modeless
  // Modal: disables the owners (the owner and every other window of the
  // program), runs a nested message loop and returns once this form is hidden
  // or unloaded. No owner: the active window of the program.
  void ShowModal(Form* owner = nullptr);
  void Hide();
  void Unload();
  bool Visible();
  bool IsModal() const { return modalDepth_ > 0; }

  HWND hwnd();  // loads first
  HWND hwndIfLoaded() const { return hwnd_; }
  static Form* fromHwnd(HWND hwnd);
  // Every form object of the program, loaded or not.
  static const std::vector<Form*>& all();

  // --- properties -----------------------------------------------------------
  std::string Caption();
  void Caption(const std::string& text);
  // Outer position and size in twips; ScaleWidth/ScaleHeight are the client area.
  int Left();
  int Top();
  int Width();
  int Height();
  void Left(int twips);
  void Top(int twips);
  void Width(int twips);
  void Height(int twips);
  void Move(int left, int top, int width, int height);
  int ScaleWidth();
  int ScaleHeight();
  // Sets the client area's size in twips (the designed size of a dialog).
  void ClientSize(int width, int height);
  int BorderStyle();
  void BorderStyle(int style);
  int WindowState();
  void WindowState(int state);
  int StartUpPosition() const { return startUp_; }
  void StartUpPosition(int pos) { startUp_ = pos; }
  Color BackColor();
  void BackColor(Color c);
  // The font new controls take at design.
  FontSpec& Font() { return font_; }
  // The control that has (or last had) the focus on this form.
  Control* ActiveControl();
  // Set by command buttons marked Default / Cancel.
  Control* defaultButton() const { return defaultButton_; }
  Control* cancelButton() const { return cancelButton_; }
  void setDefaultButton(Control* c) { defaultButton_ = c; }
  void setCancelButton(Control* c) { cancelButton_ = c; }

  // --- events ---------------------------------------------------------------
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_Resize() {}
  virtual void Form_QueryUnload(int& /*cancel*/, int /*unloadMode*/) {}
  virtual void Form_Unload(int& /*cancel*/) {}

  // --- runtime internals ----------------------------------------------------
  HWND containerHwnd() override { return hwnd(); }
  Form& containerForm() override { return *this; }
  Color containerBackColor() override { return back_; }
  // Keyboard handling of every form (Tab order, Enter/Escape buttons, access
  // keys); the message loops call it before dispatching. True when the key
  // was used.
  static bool preTranslate(MSG& msg);
  // One step of the runtime's message loop (GetMessage, translate, dispatch);
  // false on WM_QUIT (which is posted again for the outer loop).
  static bool pumpOne();
  void ensureLoaded();
  bool loading() const { return loading_; }
  // Tab order: the controls in TabIndex order.
  std::vector<Control*>& tabOrder() { return tabOrder_; }
  void moveFocus(bool backwards);
  void noteFocus(Control* c) { lastFocus_ = c; }
  void setPendingFocus(Control* c) { pendingFocus_ = c; }
  void registerControl(Control* c) { controls_.push_back(c); }
  void unregisterControl(Control* c);
  void registerTimer(Timer* t);
  void unregisterTimer(Timer* t);
  // Destroys the windows without any event (program end in tests).
  void destroySilently();

protected:
  // Makes the controls with their design values; runs at every load, before
  // Form_Load, with the (hidden) window already created.
  virtual void Design() {}
  // Creates the top-level window; the MDI frame makes its own.
  virtual HWND createFormWindow();
  // Window messages of the form; the default handles the runtime's own.
  virtual LRESULT onMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  virtual LRESULT defaultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  // Lays out the aligned controls; returns the client area left over.
  virtual RECT layoutAligned();
  // Bring-up after Design and before Form_Load (the MDI frame adds its client).
  virtual void afterDesign() {}
  void attachWindow(HWND hwnd);
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  static const wchar_t* registerFormClass();

  FontSpec font_;
  Color back_ = vbButtonFace;

private:
  void load();
  bool queryAndUnload(int mode);
  void destroyWindows();
  void afterDestroyed();
  void applyStyle();
  void applyPendingFocus();
  // An access key pressed on this form (lower case); true when a control has it.
  bool pressAccessKey(wchar_t key);
  void position(HWND owner);
  void fireResize();

  HWND hwnd_ = nullptr;
  bool loaded_ = false, loading_ = false, resized_ = false, shownOnce_ = false;
  int modalDepth_ = 0;
  int border_ = vbSizable, state_ = vbNormal, startUp_ = vbStartUpScreen;
  std::string caption_;
  std::vector<Control*> controls_, tabOrder_;
  std::vector<Timer*> timers_;
  Control *lastFocus_ = nullptr, *pendingFocus_ = nullptr;
  Control *defaultButton_ = nullptr, *cancelButton_ = nullptr;

  friend class Control;
};

// The program-wide default instance of a dialog class, created on first use
// and kept until the program ends.
template <class T>
T& Default() {
  static T* instance = new T();
  return *instance;
}

// Runs an event handler with errors stopped at the Win32 boundary: an error
// shows the run-time error box through the seam and the program goes on; an
// ended program just unwinds.
void SafeCall(const std::function<void()>& fn);

}  // namespace ui
