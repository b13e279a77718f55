#include "app/walk_driver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>

#include "platform/ui/win_util.h"
#include "support/win_test_support.h"

namespace vt::walk {

namespace {

using Clock = std::chrono::steady_clock;

struct Enum {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND hwnd, LPARAM lp) {
  auto* e = reinterpret_cast<Enum*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == e->pid && IsWindowVisible(hwnd)) e->found.push_back(hwnd);
  return TRUE;
}

struct ChildEnum {
  std::wstring cls;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lp) {
  auto* e = reinterpret_cast<ChildEnum*>(lp);
  if (e->cls.empty() || Driver::className(hwnd) == e->cls) e->found.push_back(hwnd);
  return TRUE;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result;
  SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_NORMAL, 1500, &result);
}

}  // namespace

Driver::~Driver() { kill(); }

void Driver::start(const std::wstring& exe, const std::wstring& arguments) {
  std::wstring command = L"\"" + exe + L"\" " + arguments;
  const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
  STARTUPINFOW si{};
  si.cb = sizeof si;
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi_))
      << "cannot start " << ui::Narrow(exe);
  WaitForInputIdle(pi_.hProcess, 10000);
}

bool Driver::waitExit(int ms) {
  if (!pi_.hProcess) return true;
  return WaitForSingleObject(pi_.hProcess, static_cast<DWORD>(ms)) == WAIT_OBJECT_0;
}

void Driver::kill() {
  if (!pi_.hProcess) return;
  if (WaitForSingleObject(pi_.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(pi_.hProcess, 1);
    WaitForSingleObject(pi_.hProcess, 10000);
  }
  CloseHandle(pi_.hThread);
  CloseHandle(pi_.hProcess);
  pi_ = {};
}

DWORD Driver::thread() const { return pi_.dwThreadId; }

std::vector<HWND> Driver::windows() const {
  Enum e{pi_.dwProcessId, {}};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&e));
  return e.found;
}

HWND Driver::waitFor(const std::function<bool(HWND)>& accept, const std::string& what, int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (Clock::now() < end) {
    for (HWND w : windows())
      if (accept(w)) {
        settle();
        return w;
      }
    Sleep(20);
  }
  std::string shown;
  for (HWND w : windows()) shown += " [" + text(w) + ": " + dialogText(w) + "]";
  ADD_FAILURE() << "no window: " << what << "; shown:" << shown;
  return nullptr;
}

HWND Driver::waitCaption(const std::string& part, int ms) {
  return waitFor([&](HWND w) { return Contains(text(w), part); }, "caption \"" + part + "\"", ms);
}

HWND Driver::waitDialog(const std::string& part, int ms, std::string* out) {
  HWND w = waitFor(
      [&](HWND h) { return className(h) == L"#32770" && Contains(dialogText(h), part); },
      "dialog saying \"" + part + "\"", ms);
  if (w && out) *out = dialogText(w);
  return w;
}

bool Driver::waitGone(const std::string& captionPart, int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (Clock::now() < end) {
    bool any = false;
    for (HWND w : windows()) any = any || Contains(text(w), captionPart);
    if (!any) return true;
    Sleep(20);
  }
  return false;
}

bool Driver::waitClosed(HWND hwnd, int ms) {
  const auto end = Clock::now() + std::chrono::milliseconds(ms);
  while (Clock::now() < end) {
    if (!IsWindow(hwnd) || !IsWindowVisible(hwnd)) return true;
    Sleep(20);
  }
  return false;
}

HWND Driver::focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(thread(), &info)) return nullptr;
  return info.hwndFocus;
}

void Driver::settle(int ms) {
  // The program is idle once its interface thread waits for input with an
  // empty queue: everything posted so far has been handled.
  Sleep(10);
  if (pi_.hProcess) WaitForInputIdle(pi_.hProcess, 5000);
  for (HWND w : windows()) {
    DWORD_PTR r;
    SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
    break;
  }
  if (pi_.hProcess) WaitForInputIdle(pi_.hProcess, 5000);
  Sleep(ms);
}

void Driver::type(const std::string& s, HWND into) {
  HWND f = into ? into : focus();
  ASSERT_NE(f, nullptr) << "nothing has the focus";
  for (wchar_t c : ui::Widen(s)) Send(f, WM_CHAR, c, 1);
}

void Driver::key(int vk) {
  HWND f = focus();
  ASSERT_NE(f, nullptr) << "nothing has the focus";
  // Keys go through the program's message loop (Tab and Enter are handled
  // there), so they are posted; the key has been handled once the focus or
  // the set of windows changes, or after a while when it changes neither.
  const std::vector<HWND> before = windows();
  const UINT scan = MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_VSC);
  PostMessageW(f, WM_KEYDOWN, static_cast<WPARAM>(vk), 1 | (scan << 16));
  PostMessageW(f, WM_KEYUP, static_cast<WPARAM>(vk), 1 | (scan << 16) | (3u << 30));
  const auto end = Clock::now() + std::chrono::milliseconds(1500);
  while (Clock::now() < end && focus() == f && windows() == before) Sleep(10);
  settle(50);
}

void Driver::clickAt(HWND hwnd, int x, int y, bool doubleClick) {
  // Sent, so that the click has been handled when this returns; a click that
  // opens a modal window returns after the time-out while the window stays.
  const LPARAM at = MAKELPARAM(x, y);
  Send(hwnd, WM_MOUSEMOVE, 0, at);
  Send(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  Send(hwnd, WM_LBUTTONUP, 0, at);
  if (doubleClick) {
    Send(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    Send(hwnd, WM_LBUTTONUP, 0, at);
  }
  settle(50);
}

void Driver::click(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  clickAt(hwnd, r.right / 2, r.bottom / 2);
}

bool Driver::clickButton(HWND top, const std::string& caption) {
  for (HWND c : children(top))
    if (IsWindowVisible(c) && text(c) == caption) {
      click(c);
      return true;
    }
  ADD_FAILURE() << "no button \"" << caption << "\" in \"" << text(top) << "\"";
  return false;
}

void Driver::setDialogText(HWND dialog, int id, const std::string& value) {
  HWND box = GetDlgItem(dialog, id);
  ASSERT_NE(box, nullptr) << "no box " << id << " in the dialog";
  if (className(box) == L"ComboBox") {
    HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
    if (edit) box = edit;
  }
  SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ui::Widen(value).c_str()));
}

void Driver::pressDialogButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  ASSERT_NE(button, nullptr) << "no button " << id << " in the dialog";
  PostMessageW(button, BM_CLICK, 0, 0);
  settle();
}

namespace {
// A buffer in the program's memory, for messages that answer through a pointer.
class Remote {
public:
  Remote(HANDLE process, size_t size) : process_(process) {
    at_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~Remote() {
    if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
  }
  void* at() const { return at_; }
  void write(const void* data, size_t n) { WriteProcessMemory(process_, at_, data, n, nullptr); }
  void read(void* data, size_t n, size_t offset = 0) {
    ReadProcessMemory(process_, static_cast<char*>(at_) + offset, data, n, nullptr);
  }

private:
  HANDLE process_;
  void* at_;
};
}  // namespace

RECT Driver::listRow(HWND list, int row) {
  Remote buffer(pi_.hProcess, sizeof(RECT));
  RECT r{LVIR_BOUNDS, 0, 0, 0};
  buffer.write(&r, sizeof r);
  SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.at()));
  buffer.read(&r, sizeof r);
  return r;
}

int Driver::listCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string Driver::listText(HWND list, int row, int column) {
  const size_t chars = 512;
  Remote buffer(pi_.hProcess, sizeof(LVITEMW) + chars * sizeof(wchar_t));
  LVITEMW item{};
  item.iSubItem = column;
  item.cchTextMax = chars;
  item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(buffer.at()) + sizeof(LVITEMW));
  buffer.write(&item, sizeof item);
  const auto n = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(buffer.at()));
  std::wstring text(static_cast<size_t>(std::max<LRESULT>(0, n)), L'\0');
  if (n > 0) buffer.read(text.data(), static_cast<size_t>(n) * sizeof(wchar_t), sizeof(LVITEMW));
  return ui::Narrow(text);
}

std::vector<HWND> Driver::children(HWND parent, const std::wstring& cls) {
  ChildEnum e{cls, {}};
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&e));
  return e.found;
}

std::string Driver::text(HWND hwnd) {
  wchar_t buffer[1024];
  DWORD_PTR n = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL, 3000, &n)) return {};
  return ui::Narrow(std::wstring(buffer, n));
}

std::wstring Driver::className(HWND hwnd) {
  wchar_t buffer[128];
  const int n = GetClassNameW(hwnd, buffer, 128);
  return std::wstring(buffer, n > 0 ? n : 0);
}

std::string Driver::dialogText(HWND dialog) {
  std::string all;
  for (HWND c : children(dialog, L"Static")) {
    const std::string t = text(c);
    if (!t.empty()) all += (all.empty() ? "" : "\n") + t;
  }
  return all;
}

void Driver::shot(HWND hwnd, const std::string& name) {
  settle(200);
  vt::test::SaveScreenPng(hwnd, "walk\\" + name + ".png");
}

}  // namespace vt::walk
