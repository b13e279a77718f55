#include "platform/ui/timer.h"

#include "platform/ui/form.h"

namespace ui {

Timer::Timer(Form* form) : form_(form) { form_->registerTimer(this); }

Timer::~Timer() {
  disarm();
  form_->unregisterTimer(this);
}

int Timer::Interval() {
  form_->ensureLoaded();
  return interval_;
}
void Timer::Interval(int ms) {
  form_->ensureLoaded();
  interval_ = ms < 0 ? 0 : ms;
  rearm();
}
bool Timer::Enabled() {
  form_->ensureLoaded();
  return enabled_;
}
void Timer::Enabled(bool on) {
  form_->ensureLoaded();
  enabled_ = on;
  rearm();
}

void Timer::rearm() {
  disarm();
  HWND h = form_->hwndIfLoaded();
  if (!h || !enabled_ || interval_ <= 0) return;
  SetTimer(h, id(), static_cast<UINT>(interval_), nullptr);
  armed_ = true;
  armedOn_ = h;
}

void Timer::disarm() {
  if (armed_ && IsWindow(armedOn_)) KillTimer(armedOn_, id());
  armed_ = false;
  armedOn_ = nullptr;
}

void Timer::reset() {
  disarm();
  interval_ = 0;
  enabled_ = true;
}

void Timer::tick() {
  if (enabled_ && interval_ > 0 && OnTimer) SafeCall(OnTimer);
}

}  // namespace ui
