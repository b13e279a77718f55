#pragma once
// The check box: Value 0 (clear) or 1 (ticked); Click is raised whenever the
// value changes, by the user's click or by code, and never when code sets
// the value it already has.
#include "platform/ui/control.h"

namespace ui {

enum CheckValue { vbUnchecked = 0, vbChecked = 1, vbGrayed = 2 };

class CheckBox : public Control {
public:
  using Control::Control;

  void Create(Container& parent, int left, int top, int width, int height, const std::string& caption = "");
  std::string Caption();
  void Caption(const std::string& text);
  int Value();
  void Value(int v);

  void onCommand(int code) override;

protected:
  void resetState() override;

private:
  int value_ = vbUnchecked;
};

}  // namespace ui
