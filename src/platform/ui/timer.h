#pragma once
// The timer of a form: fires OnTimer every Interval milliseconds while Enabled
// and the form is loaded. Ticks run on the user-interface thread (WM_TIMER).
#include <windows.h>

#include <functional>

namespace ui {

class Form;

class Timer {
public:
  explicit Timer(Form* form);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  int Interval();  // ms; 0 stops the timer
  void Interval(int ms);
  bool Enabled();
  void Enabled(bool on);

  // The timer's event (the forms call it Timer1_Timer).
  std::function<void()> OnTimer;

  // --- runtime internals ---
  UINT_PTR id() const { return reinterpret_cast<UINT_PTR>(this); }
  void tick();
  void disarm();
  void reset();  // the form was unloaded: back to the defaults

private:
  void rearm();
  Form* form_;
  int interval_ = 0;
  bool enabled_ = true, armed_ = false;
  HWND armedOn_ = nullptr;
};

}  // namespace ui
