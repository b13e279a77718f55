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

void AnswerWithEnter(ui::testing::SeamRecorder& seams, const std::string& prompt, const std::string& shot) {
  // The question being answered, and the ticks of its timer since its box
  // became the active window.
  static struct { std::string prompt, shot; int ticks; } asked;
  ui::seams().msgBox = [&seams, prompt, shot, before = ui::seams().msgBox](const std::string& p, int flags,
                                                                          const std::string& title) {
    if (p != prompt) return before(p, flags, title);
    seams.boxes.push_back({p, flags, title});
    asked = {p, shot, 0};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) CALLBACK {
      HWND box = GetActiveWindow();
      wchar_t cls[8] = L"";
      if (!IsWindowVisible(box) || !GetClassNameW(box, cls, 8) || std::wstring(cls) != L"#32770") return;
      if (asked.ticks++ == 0) {
        // Taking the picture runs the loop, and with it this timer again.
        if (!asked.shot.empty()) screenshot(box, asked.shot);
        SetForegroundWindow(box);
        SendKey(VK_RETURN);
      } else if (asked.ticks == 100) {
        ADD_FAILURE() << "Enter did not answer \"" << asked.prompt << "\" in five seconds";
        PostMessageW(box, WM_COMMAND, IDNO, 0);
      }
    });
    const int answer = ui::RealMsgBox(p, flags, title);
    KillTimer(nullptr, timer);
    return answer;
  };
}

}  // namespace vt::test
