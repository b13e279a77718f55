#include "core/spreadsheet_export.h"

#include "platform/ui/app.h"
#include "platform/ui/commondialog.h"
#include "platform/ui/form.h"
#include "platform/ui/seams.h"
#include "platform/vb/error.h"
#include "platform/xls/xls.h"

void SaveExport(xls::Workbook& book, ui::CommonDialog& dialog, const std::string& title, const std::string& done) {
  try {
    book.CheckRows();
  } catch (const vb::Error& e) {
    ui::MsgBox(e.description(), ui::vbExclamation | ui::vbOKOnly, title);
    return;
  }
  const auto failed = [&] {
    ui::MsgBox("Terjadi kesalahan saat menyimpan file.", ui::vbExclamation | ui::vbOKOnly, title);
  };
  try {
    // The name gets ".xls" in the dialog, which asks before it replaces a
    // file of that name.
    dialog.Filter = "Excel 97-2003 (*.xls)|*.xls";
    dialog.DefaultExt = "xls";
    dialog.Flags = ui::cdlOFNOverwritePrompt | ui::cdlOFNPathMustExist;
    dialog.CancelError = true;
    try {
      dialog.ShowSave();
    } catch (const vb::Error& e) {
      if (e.number() == ui::cdlCancel) return;
      throw;
    }
    // SaveAs leaves no half-written file under the chosen name.
    book.SaveAs(dialog.FileName);
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (const std::exception&) {
    failed();
    return;
  }
  ui::MsgBox(done, ui::vbInformation | ui::vbOKOnly, title);
  // The shell's result is 32 or less when nothing could open the file.
  if (ui::ShellExecuteFile(dialog.form().hwnd(), "", dialog.FileName, "", "", SW_SHOWNORMAL) <= 32) failed();
}
