#pragma once
// The common file dialog of a form: Filter in the "Text|*.ext" form,
// DialogTitle, FileName, and CancelError, which makes a cancel raise error
// 32755 for the caller to catch. The dialogs themselves go through the seam.
#include "platform/ui/control.h"

namespace ui {

constexpr int cdlCancel = 32755;

class CommonDialog : public Control {
public:
  using Control::Control;

  bool CancelError = false;
  std::string Filter, DialogTitle, FileName, InitDir, DefaultExt;
  int FilterIndex = 1;
  unsigned long Flags = 0;

  // Each returns when the user has chosen (FileName is the choice) or
  // cancelled (FileName unchanged; error 32755 when CancelError is set).
  void ShowOpen();
  void ShowSave();

protected:
  void resetState() override;

private:
  void show(bool save);
};

}  // namespace ui
