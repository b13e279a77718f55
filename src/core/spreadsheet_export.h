#pragma once
// The end the program's spreadsheet exports share: the filled workbook saved
// where the user chooses and shown to the user, each failure said.
#include <string>

namespace ui {
class CommonDialog;
}
namespace xls {
class Workbook;
}

// Saves a filled workbook to the ".xls" file the user chooses in the form's
// save dialog, says `done` and opens the file in whatever program opens
// spreadsheets. A workbook longer than a sheet holds is refused with the
// reason before a file is asked for; a cancelled dialog ends the export
// without a word. Any failure from the dialog on (the dialog itself, the
// save, opening the saved file) says "Terjadi kesalahan saat menyimpan
// file.". Every message is titled `title`.
void SaveExport(xls::Workbook& book, ui::CommonDialog& dialog, const std::string& title, const std::string& done);
