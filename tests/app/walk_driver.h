#pragma once
// Drives a running Vantorel.exe from outside, as a user would: it finds the
// program's windows, types into the focused box with key and character
// messages, clicks buttons at their centre with mouse messages, answers
// message boxes and common dialogs, and saves screenshots of what it sees.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vt::walk {

class Driver {
public:
  ~Driver();

  // Starts the executable in its folder with the given command line.
  void start(const std::wstring& exe, const std::wstring& arguments);
  // Waits up to ms for the process to end; true when it ended.
  bool waitExit(int ms);
  void kill();
  DWORD pid() const { return pi_.dwProcessId; }

  // The process's visible top-level windows, front to back.
  std::vector<HWND> windows() const;
  // Waits for a visible top-level window of the process that the test
  // accepts; fails the test (and returns nullptr) after ms.
  HWND waitFor(const std::function<bool(HWND)>& accept, const std::string& what, int ms = 15000);
  HWND waitCaption(const std::string& part, int ms = 15000);
  // A message box (or any system dialog) whose text contains part; its text
  // goes to *text when given.
  HWND waitDialog(const std::string& part, int ms = 15000, std::string* text = nullptr);
  // Waits until no window of the process has the given caption part.
  bool waitGone(const std::string& captionPart, int ms = 15000);
  // Waits until the window is gone.
  bool waitClosed(HWND hwnd, int ms = 15000);

  // The focused window of the program's interface thread.
  HWND focus() const;
  // Types text into the window (by default the focused one), one character
  // message each.
  void type(const std::string& text, HWND into = nullptr);
  // Presses and releases a key at the focused window (Enter, Tab, ...).
  void key(int vk);
  // Waits until the program has handled everything sent so far.
  void settle(int ms = 150);

  // Clicks a child window of top (any depth) whose text equals caption.
  bool clickButton(HWND top, const std::string& caption);
  // Clicks the window at its centre, or at (x, y) of its client area.
  void click(HWND hwnd);
  void clickAt(HWND hwnd, int x, int y, bool doubleClick = false);
  // Sets a system dialog's edit box with the given control ID and presses OK
  // (file dialogs: 1148 or 1152, the file name).
  void setDialogText(HWND dialog, int id, const std::string& text);
  void pressDialogButton(HWND dialog, int id);

  // The rectangle of a list view's row in the list's client area, read from
  // the program's own memory (the list view answers with a pointer).
  RECT listRow(HWND list, int row);
  // The number of rows of a list view.
  static int listCount(HWND list);
  // The text of a list view's cell.
  std::string listText(HWND list, int row, int column);

  // Child windows of a window at any depth with the given class ("" = any),
  // in the order the window system keeps them.
  static std::vector<HWND> children(HWND parent, const std::wstring& cls = L"");
  static std::string text(HWND hwnd);
  static std::wstring className(HWND hwnd);
  // Every text a system dialog shows (its static texts joined by new lines).
  static std::string dialogText(HWND dialog);

  // Saves what the screen shows of the window under
  // build/screenshots/walk/<name>.png.
  void shot(HWND hwnd, const std::string& name);

private:
  PROCESS_INFORMATION pi_{};
  DWORD thread() const;
};

}  // namespace vt::walk
