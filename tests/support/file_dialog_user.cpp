#include "support/file_dialog_user.h"

#include <chrono>

#include "platform/ui/utf16.h"
#include "support/real_input.h"
#include "support/win_test_support.h"

namespace vt::test {

namespace {

constexpr int kFileNameBoxes[] = {1148, 1152};  // the combo box's edit, the plain edit

std::wstring classOf(HWND h) {
  wchar_t name[64] = L"";
  GetClassNameW(h, name, 64);
  return name;
}

std::string textOf(HWND h) {
  wchar_t buf[1024] = L"";
  const int n = GetWindowTextW(h, buf, 1024);
  return ui::Narrow(buf, n);
}

HWND fileNameBox(HWND dialog) {
  for (int id : kFileNameBoxes) {
    HWND box = GetDlgItem(dialog, id);
    if (box && classOf(box) == L"ComboBox") box = FindWindowExW(box, nullptr, L"Edit", nullptr);
    if (box) return box;
  }
  return nullptr;
}

// The visible dialog windows of this process: file dialogs (with a file
// name box) or question boxes (without).
struct Search {
  bool fileDialog;
  HWND found;
};

BOOL CALLBACK visitTop(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid != GetCurrentProcessId() || !IsWindowVisible(h) || classOf(h) != L"#32770") return TRUE;
  if ((fileNameBox(h) != nullptr) != s->fileDialog) return TRUE;
  s->found = h;
  return FALSE;
}

HWND findDialog(bool fileDialog) {
  Search search{fileDialog, nullptr};
  EnumWindows(visitTop, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND waitDialog(bool fileDialog, int ms = 8000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    if (HWND h = findDialog(fileDialog)) {
      Sleep(150);  // let it finish showing and take the focus
      return h;
    }
    Sleep(20);
  }
  return nullptr;
}

void waitGone(HWND h, int ms = 8000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end && IsWindow(h) && IsWindowVisible(h)) Sleep(20);
}

// The dialog's loop runs on the test's thread; a short wait lets it handle
// what this thread sent.
void key(WORD vk) {
  SendKey(vk);
  Sleep(30);
}

void typeText(const std::string& text) {
  SendUnicodeText(text);
  Sleep(100);
}

void clickAt(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  MouseClick();
}

}  // namespace

FileDialogUser& FileDialogUser::type(const std::string& name) {
  steps_.push_back([this, name] {
    HWND dialog = waitDialog(true);
    if (!dialog) {
      problems.push_back("no file dialog to type \"" + name + "\" into");
      return;
    }
    titles.push_back(textOf(dialog));
    SetForegroundWindow(dialog);
    HWND box = fileNameBox(dialog);
    SendMessageW(box, EM_SETSEL, 0, -1);  // what the box holds is typed over
    typeText(name);
    if (!shots.empty()) SaveScreenPng(dialog, shots + "-dialog-" + std::to_string(titles.size()) + ".png");
    key(VK_RETURN);
    // Handled once the dialog has closed or asks a question.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(8);
    while (std::chrono::steady_clock::now() < end && IsWindow(dialog) && IsWindowVisible(dialog) &&
           !findDialog(false))
      Sleep(20);
  });
  return *this;
}

FileDialogUser& FileDialogUser::answer(int button) {
  steps_.push_back([this, button] {
    HWND box = waitDialog(false, 3000);
    if (!box) {
      problems.push_back("no question to answer");
      return;
    }
    std::string text;
    for (HWND c = nullptr; (c = FindWindowExW(box, c, L"Static", nullptr)) != nullptr;)
      if (!textOf(c).empty()) text += (text.empty() ? "" : "\n") + textOf(c);
    questions.push_back(text);
    if (!shots.empty()) SaveScreenPng(box, shots + "-question-" + std::to_string(questions.size()) + ".png");
    SetForegroundWindow(box);
    clickAt(GetDlgItem(box, button));
    waitGone(box);
  });
  return *this;
}

FileDialogUser& FileDialogUser::cancel() {
  steps_.push_back([this] {
    HWND dialog = waitDialog(true);
    if (!dialog) {
      problems.push_back("no file dialog to cancel");
      return;
    }
    titles.push_back(textOf(dialog));
    SetForegroundWindow(dialog);
    key(VK_ESCAPE);
    waitGone(dialog);
  });
  return *this;
}

void FileDialogUser::start() {
  thread_ = std::thread([this] {
    for (auto& step : steps_) step();
  });
}

void FileDialogUser::finish() {
  if (thread_.joinable()) thread_.join();
}

FileDialogUser::~FileDialogUser() { finish(); }

}  // namespace vt::test
