#include "core/modal_steps.h"

#include <windows.h>

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

}  // namespace vt::test
