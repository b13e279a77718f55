#include "platform/ui/commondialog.h"

#include <cctype>

#include "platform/ui/form.h"
#include "platform/ui/seams.h"
#include "platform/ui/utf16.h"
#include "platform/vb/error.h"

namespace ui {

namespace {

bool endsWithExtension(const std::string& name, const std::string& ext) {
  const std::string tail = "." + ext;
  if (name.size() < tail.size()) return false;
  for (size_t i = 0; i < tail.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(name[name.size() - tail.size() + i])) !=
        std::tolower(static_cast<unsigned char>(tail[i])))
      return false;
  return true;
}

bool fileExists(const std::string& path) {
  const DWORD a = GetFileAttributesW(Widen(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

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
    if (!ensureExtension || endsWithExtension(r.fileName, DefaultExt)) break;
    // The dialog adds the extension only to a name typed without one, and
    // asked about the name typed; the file written is this one.
    const std::string full = r.fileName + "." + DefaultExt;
    if (!fileExists(full) ||
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
