#pragma once
// Everything the program asks of the user or of the outside world through the
// platform's own dialogs goes through one seam: message boxes, the input box,
// file dialogs, the shell, printing and ending the program. The defaults are
// the real Win32 calls; a test replaces a member to answer a question, choose
// a file or read what would have been shown.
#include <windows.h>

#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace ui {

// Buttons, icons and results of a message box (the values are MessageBox's own).
enum : int {
  vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4,
  vbRetryCancel = 5, vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
  vbDefaultButton2 = 256, vbDefaultButton3 = 512
};
enum : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

struct FileDialogRequest {
  bool save = false;
  HWND owner = nullptr;
  std::string title;       // empty: the system's own ("Open"/"Save As")
  std::string filter;      // "Text|*.ext|Other|*.a;*.b"
  int filterIndex = 1;
  std::string fileName;    // in: proposed name; out: the chosen file
  std::string initDir;
  std::string defaultExt;
  unsigned long flags = 0; // OFN_* flags to add
};

struct ShellRequest {
  HWND owner = nullptr;
  std::string verb;  // empty: the default verb
  std::string file, parameters, directory;
  int show = SW_SHOWNORMAL;
};

// A print job: the report engine renders each page into the printer's DC.
struct PrintRequest {
  std::string documentName;
  int pageCount = 0;
  std::function<void(HDC dc, int page)> renderPage;  // page from 1
  std::string printerName;      // empty: the default printer
  int copies = 1;
  int fromPage = 0, toPage = 0;  // 0: from the first, to the last
  bool landscape = false;
  int paperWidth = 0, paperHeight = 0;  // tenths of a millimetre, portrait; 0: the printer's own
};

// What the print dialog asks: the printer, the copies and the pages.
struct PrintDialogRequest {
  HWND owner = nullptr;
  int pageCount = 0;
  std::string printerName;       // out
  int copies = 1;                // out
  int fromPage = 0, toPage = 0;  // out; 0: all pages
};

struct Seams {
  // Returns vbOK, vbYes, ...; the title is already resolved (never empty
  // unless the caller asked for an empty one).
  std::function<int(const std::string& prompt, int flags, const std::string& title)> msgBox;
  // Returns the text typed, or the empty text when the user cancels.
  std::function<std::string(const std::string& prompt, const std::string& title,
                            const std::string& defaultText)> inputBox;
  // Returns false when the user cancels; on true, request.fileName is the choice.
  std::function<bool(FileDialogRequest& request)> fileDialog;
  // Returns ShellExecute's result (greater than 32 on success).
  std::function<intptr_t(const ShellRequest& request)> shellExecute;
  // Returns false when nothing was printed.
  std::function<bool(const PrintRequest& request)> print;
  // Returns false when the user cancels; on true, the request holds the choice.
  std::function<bool(PrintDialogRequest& request)> printDialog;
  // Ends the process. The test seam records it instead; App::End then unwinds.
  std::function<void()> endProgram;
};

Seams& seams();
// Puts every member back to the real Win32 call.
void resetSeams();

// The real implementations, for a test seam that wants to pass a call on.
int RealMsgBox(const std::string& prompt, int flags, const std::string& title);
std::string RealInputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText);
bool RealFileDialog(FileDialogRequest& request);
intptr_t RealShellExecute(const ShellRequest& request);
bool RealPrint(const PrintRequest& request);
bool RealPrintDialog(PrintDialogRequest& request);

// A message box; no title shows the application title (App::Title).
int MsgBox(const std::string& prompt, int flags = vbOKOnly,
           const std::optional<std::string>& title = std::nullopt);
// A message box that reports a failure with its text (vb::errorDescription).
int MsgBoxError(const std::exception& e, int flags = vbOKOnly,
                const std::optional<std::string>& title = std::nullopt);
// An input box; no title shows the application title.
std::string InputBox(const std::string& prompt, const std::optional<std::string>& title = std::nullopt,
                     const std::string& defaultText = "");
intptr_t ShellExecuteFile(HWND owner, const std::string& verb, const std::string& file,
                      const std::string& parameters, const std::string& directory, int show);

}  // namespace ui
