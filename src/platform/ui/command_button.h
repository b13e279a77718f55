#pragma once
// The platform's own push button (the About dialog's): Caption, Click, and
// Default (Enter anywhere on the form presses it) and Cancel (Escape).
#include "platform/ui/control.h"

namespace ui {

class CommandButton : public Control {
public:
  using Control::Control;

  void Create(Container& parent, int left, int top, int width, int height, const std::string& caption = "");
  std::string Caption();
  void Caption(const std::string& text);
  bool Default();
  void Default(bool on);
  bool Cancel();
  void Cancel(bool on);
  // Presses the button from code, as a click does.
  void Value(bool pressed);

  bool isDefaultCapable() const override { return true; }
  void press() override;
  void onCommand(int code) override;
};

}  // namespace ui
