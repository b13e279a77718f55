#pragma once
// The date picker: Value as a vb::Date, long/short/custom display format
// ("dd/MM/yyyy" and the like), Change when the user picks another date.
#include "platform/ui/control.h"
#include "platform/vb/date.h"

namespace ui {

enum DatePickerFormat { dtpLongDate = 0, dtpShortDate = 1, dtpTime = 2, dtpCustom = 3 };

class DatePicker : public Control {
public:
  using Control::Control;

  void Create(Container& parent, int left, int top, int width, int height);
  int Format();
  void Format(int f);
  std::string CustomFormat();
  // Shown while Format is dtpCustom; with no pattern of its own the picker
  // shows "dd/MM/yyyy".
  void CustomFormat(const std::string& pattern);
  vb::Date Value();
  void Value(vb::Date d);

  bool takesContainerBack() const override { return false; }
  bool onNotify(NMHDR* nm, LRESULT& result) override;

protected:
  void resetState() override;

private:
  void applyFormat();
  int format_ = dtpShortDate;
  std::string custom_;
};

}  // namespace ui
