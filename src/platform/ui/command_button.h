#pragma once
// The platform's own push button (the About dialog's, the report preview's):
// Caption, Click, Default (Enter anywhere on the form presses it), Cancel
// (Escape) and the caption's access key.
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
  // The caption's access key, as the window system underlines it; pressed as
  // the form's keyboard handling finds it, it clicks the button.
  wchar_t accessKey() override;
  void pressAccessKey() override;
  void onCommand(int code) override;
};

}  // namespace ui
