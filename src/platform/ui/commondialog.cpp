#include "platform/ui/commondialog.h"

#include "platform/ui/form.h"
#include "platform/ui/seams.h"
#include "platform/ui/win_util.h"
#include "platform/vb/error.h"
#include "platform/vb/text.h"

namespace ui {

void CommonDialog::ShowOpen() { show(false); }
void CommonDialog::ShowSave() { show(true); }

void CommonDialog::show(bool save) {
  ensureLoaded();
  FileDialogRequest r;
  r.save = save;
  r.owner = form().Visible() ? form().hwndIfLoaded() : GetActiveWindow();
  r.title = DialogTitle;
  r.filter = Filter;
  r.filterIndex = FilterIndex;
  r.fileName = FileName;
  r.initDir = InitDir;
  r.defaultExt = DefaultExt;
  r.flags = Flags;
  const bool ensureExtension = save && (Flags & cdlOFNOverwritePrompt) && !DefaultExt.empty();
  for (;;) {
    auto& s = seams();
    bool ok = s.fileDialog ? s.fileDialog(r) : RealFileDialog(r);
    if (!ok) {
      if (CancelError) vb::raise(cdlCancel, "Cancel was selected.");
      return;
    }
    const std::string extension = "." + DefaultExt;
    const std::string typed = vb::Right(r.fileName, static_cast<long>(extension.size()));
    if (!ensureExtension || vb::LCase(typed) == vb::LCase(extension)) break;
    // The dialog adds the extension only to a name typed without one, and
    // asked about the name typed; the file written is this one.
    const std::string full = r.fileName + extension;
    if (!FileExists(full) ||
        MsgBox(full + " sudah ada.\nApakah Anda ingin menggantinya?", vbYesNo | vbExclamation | vbDefaultButton2,
               DialogTitle.empty() ? std::nullopt : std::optional<std::string>(DialogTitle)) == vbYes) {
      r.fileName = full;
      break;
    }
    // No: the dialog again, on the name typed, as the dialog itself does.
  }
  FileName = r.fileName;
  FilterIndex = r.filterIndex;
}

void CommonDialog::resetState() {
  CancelError = false;
  Filter.clear();
  DialogTitle.clear();
  FileName.clear();
  InitDir.clear();
  DefaultExt.clear();
  FilterIndex = 1;
  Flags = 0;
}

}  // namespace ui
