#pragma once
// What tests need to drive real dialogs: callbacks that run inside a modal
// loop once its dialog is visible, pumping messages, typing and clicking
// through the real windows, a seam recorder and window pictures.
#include <windows.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/seams.h"

namespace ui {
class Form;
class Control;
}

namespace ui::testing {

constexpr UINT kRunShownMessage = WM_APP + 0x3A0;

// Queues fn to run inside the next modal loop that starts, once its dialog is
// visible; callbacks run in the order queued, one per modal loop (a callback
// that opens a nested modal dialog hands the next one to that dialog).
void onShown(std::function<void(Form&)> fn);
void clearShown();
size_t pendingShown();

// Dispatches the messages waiting in the queue until none is left.
void pumpUntilIdle();
// Dispatches messages for the given time (lets timers tick).
void pumpFor(int milliseconds);

// Types text into a window as WM_CHAR messages (through KeyPress).
void typeText(HWND hwnd, const std::string& text);
// Presses a key as the keyboard would: WM_KEYDOWN posted to the window, then
// translated (Tab order, Enter/Escape buttons, WM_CHAR) and WM_KEYUP.
void pressKey(HWND hwnd, int virtualKey);
// A left click in the middle of a window (mouse messages, as a user's click).
void clickWindow(HWND hwnd);
void doubleClickWindow(HWND hwnd);

// Unloads every form without events (after a test, or after App::End).
void unloadAll();

// Replaces the seams for the life of the object: message boxes, input boxes,
// file dialogs and the shell are recorded and answered from queues; ending
// the program is recorded. The destructor puts the real seams back.
struct MsgBoxCall {
  std::string prompt;
  int flags;
  std::string title;
};
class SeamRecorder {
public:
  SeamRecorder();
  ~SeamRecorder();
  SeamRecorder(const SeamRecorder&) = delete;
  SeamRecorder& operator=(const SeamRecorder&) = delete;

  std::vector<MsgBoxCall> boxes;
  std::deque<int> answers;  // empty: the box's first button
  std::vector<FileDialogRequest> fileDialogs;
  std::deque<std::optional<std::string>> fileAnswers;  // nullopt or empty queue: cancel
  std::vector<std::string> inputPrompts;
  std::deque<std::string> inputAnswers;
  std::vector<ShellRequest> shells;
  std::vector<PrintRequest> prints;
  std::vector<PrintDialogRequest> printDialogs;  // answered with OK: the default printer, all pages
  int ends = 0;
};

// Saves a picture of a window, as the screen shows it, to a PNG file.
bool saveWindowPng(HWND hwnd, const std::string& path);

namespace detail {
bool hasShown();
void runNextShown(Form& form);
}  // namespace detail

}  // namespace ui::testing
