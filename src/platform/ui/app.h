#pragma once
// The application object: one per program. It knows the title that message
// boxes show when given none, the program folder, the executable's name and
// the command line, and it ends the program.
#include <exception>
#include <string>

namespace ui {

// Thrown by App::End when the end seam returns (tests): it unwinds the event
// handler that ended the program and every modal loop above it.
struct ProgramEnded : std::exception {
  const char* what() const noexcept override { return "program ended"; }
};

class App {
public:
  static App& get();

  const std::string& Title() const { return title_; }
  void Title(const std::string& t) { title_ = t; }

  // The folder of the running executable, without a trailing backslash.
  const std::string& Path() const { return path_; }
  void SetPath(const std::string& folder);  // tests
  // The executable's name without folder and extension.
  const std::string& EXEName() const { return exeName_; }
  // The arguments after the executable's name, as the process received them.
  const std::string& Command() const { return command_; }
  void SetCommand(const std::string& text) { command_ = text; }  // tests

  // Ends the program at once: no window's closing events run. Under the test
  // seam it records the end and throws ProgramEnded.
  [[noreturn]] void End();
  bool Ended() const { return ended_; }
  void ResetEnded() { ended_ = false; }  // tests

  // Sets vb's current locale from the user's regional settings.
  void ApplyUserLocale();

  // The program's main message loop: returns when the last form is gone,
  // WM_QUIT arrives or the program ended.
  int Run();

private:
  App();
  std::string title_, path_, exeName_, command_;
  bool ended_ = false;
};

// The text after the executable's name in a command line (quoted or not),
// without the blanks in front.
std::string CommandTail(const std::wstring& commandLine);

}  // namespace ui
