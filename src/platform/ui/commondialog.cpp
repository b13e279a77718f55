#include "platform/ui/commondialog.h"

#include "platform/ui/form.h"
#include "platform/ui/seams.h"
#include "platform/vb/error.h"

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
  auto& s = seams();
  bool ok = s.fileDialog ? s.fileDialog(r) : RealFileDialog(r);
  if (!ok) {
    if (CancelError) vb::raise(cdlCancel, "Cancel was selected.");
    return;
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
