#pragma once
// The common file dialog of a form: Filter in the "Text|*.ext" form,
// DialogTitle, FileName, DefaultExt, Flags (the cdlOFN values below), and
// CancelError, which makes a cancel raise error 32755 for the caller to
// catch. The dialogs themselves go through the seam.
#include "platform/ui/control.h"

namespace ui {

constexpr int cdlCancel = 32755;

// Flags: ask before replacing a file (save), refuse a folder that is not there.
constexpr unsigned long cdlOFNOverwritePrompt = 0x2, cdlOFNPathMustExist = 0x800;

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
  // A save dialog with DefaultExt and cdlOFNOverwritePrompt gives a name that
  // ends with the extension, and asks before it replaces that very file.
  void ShowSave();

protected:
  void resetState() override;

private:
  void show(bool save);
};

}  // namespace ui
