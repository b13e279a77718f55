#include "core/modal_steps.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "core/program_fixture.h"
#include "support/real_input.h"

namespace vt::test {

namespace {

struct Run {
  ui::Form* form = nullptr;
  std::vector<std::function<void()>> steps;
  size_t next = 0;
  UINT interval = 300;
  UINT_PTR timer = 0;
};
Run* current = nullptr;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  Run* run = current;
  if (!run) return;
  if (run->next < run->steps.size()) {
    // A step may run a nested loop (a message box); the timer waits for it.
    KillTimer(nullptr, run->timer);
    auto step = run->steps[run->next++];
    step();
    if (current == run) run->timer = SetTimer(nullptr, 0, run->interval, Tick);
    return;
  }
  KillTimer(nullptr, run->timer);
  run->timer = 0;
  if (run->form->Visible()) run->form->Hide();
}

}  // namespace

void RunModal(ui::Form& form, std::vector<std::function<void()>> steps, int stepMs) {
  Run run;
  run.form = &form;
  run.steps = std::move(steps);
  run.interval = static_cast<UINT>(stepMs);
  Run* outer = current;
  current = &run;
  run.timer = SetTimer(nullptr, 0, run.interval, Tick);
  try {
    form.ShowModal();
  } catch (...) {
    if (run.timer) KillTimer(nullptr, run.timer);
    current = outer;
    throw;
  }
  if (run.timer) KillTimer(nullptr, run.timer);
  current = outer;
}

namespace {

// The question being answered with Enter, while its box runs its own loop.
struct Question {
  std::string prompt, shot;
  bool pressed = false;
  int ticksSince = 0;
};
Question* asked = nullptr;

void CALLBACK PressEnter(HWND, UINT, UINT_PTR, DWORD) {
  Question* q = asked;
  if (!q) return;
  // The question's box, once it shows, is the active window.
  HWND box = GetActiveWindow();
  wchar_t cls[16] = L"";
  GetClassNameW(box, cls, 16);
  if (!IsWindowVisible(box) || std::wstring(cls) != L"#32770") return;
  if (!q->pressed) {
    // Taking the picture runs the loop, and with it this timer again.
    q->pressed = true;
    if (!q->shot.empty()) screenshot(box, q->shot);
    SetForegroundWindow(box);
    SendKey(VK_RETURN);
    return;
  }
  // Five seconds after Enter the box still asks: the key did not answer it.
  if (++q->ticksSince == 100) {
    ADD_FAILURE() << "Enter did not answer \"" << q->prompt << "\"";
    PostMessageW(box, WM_COMMAND, IDNO, 0);
  }
}

}  // namespace

void AnswerWithEnter(ui::testing::SeamRecorder& seams, const std::string& prompt, const std::string& shot) {
  auto before = ui::seams().msgBox;
  ui::seams().msgBox = [&seams, prompt, shot, before](const std::string& p, int flags, const std::string& title) {
    if (p != prompt) return before(p, flags, title);
    seams.boxes.push_back({p, flags, title});
    Question q{prompt, shot};
    Question* outer = asked;
    asked = &q;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, PressEnter);
    const int answer = ui::RealMsgBox(p, flags, title);
    KillTimer(nullptr, timer);
    asked = outer;
    return answer;
  };
}

}  // namespace vt::test
