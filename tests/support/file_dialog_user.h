#pragma once
// A user at the real common file dialog of this process: from a thread of
// its own (the dialog's modal loop runs on the test's thread) it waits for
// the dialog, types a name with the keyboard, presses Enter, answers the
// question whether to replace a file, or presses Escape. What it saw is kept
// for the test to check once the steps are done.
#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace vt::test {

class FileDialogUser {
public:
  // Types the name into the dialog's file name box and presses Enter.
  FileDialogUser& type(const std::string& name);
  // Answers the question box (IDYES or IDNO) with a click on its button.
  FileDialogUser& answer(int button);
  // Cancels the dialog with Escape.
  FileDialogUser& cancel();

  // Starts the steps, in order, on the user's thread.
  void start();
  // Waits until every step is done or given up.
  void finish();
  ~FileDialogUser();

  std::vector<std::string> titles;     // of each file dialog typed into or cancelled
  std::vector<std::string> questions;  // the texts of the question boxes answered
  std::vector<std::string> problems;   // steps that found no window to act on
  // When set, pictures of the dialog as typed into and of each question go
  // to the screenshots as <shots>-dialog-N.png and <shots>-question-N.png.
  std::string shots;

private:
  std::vector<std::function<void()>> steps_;
  std::thread thread_;
};

}  // namespace vt::test
