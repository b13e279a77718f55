#include "platform/ui/testing.h"

#include "platform/image/picture.h"
#include "platform/ui/app.h"
#include "platform/ui/form.h"
#include "platform/ui/win_util.h"

namespace ui::testing {

namespace {
std::deque<std::function<void(Form&)>>& queue() {
  static auto* q = new std::deque<std::function<void(Form&)>>();
  return *q;
}
}  // namespace

void onShown(std::function<void(Form&)> fn) { queue().push_back(std::move(fn)); }
void clearShown() { queue().clear(); }
size_t pendingShown() { return queue().size(); }

namespace detail {
bool hasShown() { return !queue().empty(); }
void runNextShown(Form& form) {
  if (queue().empty()) return;
  auto fn = std::move(queue().front());
  queue().pop_front();
  SafeCall([&] { fn(form); });
}
}  // namespace detail

void pumpUntilIdle() {
  MSG m;
  for (int guard = 0; guard < 100000 && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE); ++guard) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));
      return;
    }
    if (!Form::preTranslate(m)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
}

void pumpFor(int ms) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  while (static_cast<int>(end - GetTickCount()) > 0) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    pumpUntilIdle();
  }
}

void typeText(HWND hwnd, const std::string& text) {
  for (wchar_t c : Widen(text)) SendMessageW(hwnd, WM_CHAR, c, 1);
  pumpUntilIdle();
}

void pressKey(HWND hwnd, int vk) {
  UINT scan = MapVirtualKeyW(static_cast<UINT>(vk), 0);
  PostMessageW(hwnd, WM_KEYDOWN, static_cast<WPARAM>(vk), 1 | (scan << 16));
  pumpUntilIdle();
  PostMessageW(hwnd, WM_KEYUP, static_cast<WPARAM>(vk), 1 | (scan << 16) | 0xC0000000);
  pumpUntilIdle();
}

void clickWindow(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  LPARAM at = MAKELPARAM(rc.right / 2, rc.bottom / 2);
  // Posted, so that a control that tracks the button in a loop of its own
  // finds the release in the queue.
  PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(hwnd, WM_LBUTTONUP, 0, at);
  pumpUntilIdle();
}

void doubleClickWindow(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  LPARAM at = MAKELPARAM(rc.right / 2, rc.bottom / 2);
  PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(hwnd, WM_LBUTTONUP, 0, at);
  PostMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageW(hwnd, WM_LBUTTONUP, 0, at);
  pumpUntilIdle();
}

void unloadAll() {
  for (Form* f : Form::all()) f->destroySilently();
  pumpUntilIdle();
}

SeamRecorder::SeamRecorder() {
  auto& s = seams();
  s.msgBox = [this](const std::string& prompt, int flags, const std::string& title) {
    boxes.push_back({prompt, flags, title});
    if (!answers.empty()) {
      int a = answers.front();
      answers.pop_front();
      return a;
    }
    switch (flags & 7) {
      case vbAbortRetryIgnore: return static_cast<int>(vbAbort);
      case vbYesNo:
      case vbYesNoCancel: return static_cast<int>(vbYes);
      case vbRetryCancel: return static_cast<int>(vbRetry);
      default: return static_cast<int>(vbOK);
    }
  };
  s.inputBox = [this](const std::string& prompt, const std::string&, const std::string&) {
    inputPrompts.push_back(prompt);
    if (inputAnswers.empty()) return std::string();
    std::string a = inputAnswers.front();
    inputAnswers.pop_front();
    return a;
  };
  s.fileDialog = [this](FileDialogRequest& r) {
    fileDialogs.push_back(r);
    if (fileAnswers.empty()) return false;
    auto a = fileAnswers.front();
    fileAnswers.pop_front();
    if (!a) return false;
    r.fileName = *a;
    return true;
  };
  s.shellExecute = [this](const ShellRequest& r) {
    shells.push_back(r);
    return static_cast<intptr_t>(42);
  };
  s.print = [this](const PrintRequest& r) {
    prints.push_back(r);
    return true;
  };
  s.printDialog = [this](PrintDialogRequest& r) {
    printDialogs.push_back(r);
    return true;
  };
  s.endProgram = [this] { ++ends; };
}

SeamRecorder::~SeamRecorder() {
  resetSeams();
  App::get().ResetEnded();
}

bool saveWindowPng(HWND hwnd, const std::string& path) {
  RECT r;
  GetWindowRect(hwnd, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;
  ScopedGetDC screen(nullptr);
  OwnedBitmap bmp(CreateCompatibleBitmap(screen, w, h));
  OwnedMemDC mem(screen);
  {
    ScopedSelect sel(mem, bmp);
    RECT all{0, 0, w, h};
    FillRect(mem, &all, GetSysColorBrush(COLOR_BTNFACE));
    // What the user sees: the screen under the window, brought to the top and
    // painted first.
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pumpUntilIdle();
    if (!BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY)) return false;
  }
  try {
    img::Picture::fromHBITMAP(bmp).save(path);
  } catch (...) {
    return false;
  }
  return true;
}

}  // namespace ui::testing
