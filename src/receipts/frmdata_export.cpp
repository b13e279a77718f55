// The register's export of its list to a spreadsheet file that the user then
// sees opened.
#include "receipts/frmdata.h"

#include "platform/ui/app.h"
#include "platform/ui/seams.h"

#include "platform/vb/error.h"
#include "platform/xls/xls.h"

void FrmData::BExport_Click() {
  const std::string judul = Caption();
  const int rows = Lv1.ListItems.Count();
  if (rows == 0) {
    ui::MsgBox("Tidak ada data untuk diekspor", ui::vbInformation | ui::vbOKOnly, judul);
    return;
  }
  xls::Workbook wb;
  xls::Worksheet& ws = wb.Sheet(1);
  // The running number and the amount stay the texts the list shows; so does
  // the receipt number, which a spreadsheet would otherwise read as a date
  // when it has no prefix ("001/12/2025"). The receipt date is a date.
  ws.NumberFormat(colNo, "@");
  ws.NumberFormat(colNoKwitansi, "@");
  ws.NumberFormat(colJumlah, "@");
  ws.NumberFormat(colTgl, "dd/mm/yyyy");
  const int columns = Lv1.ColumnHeaders.Count() - 1;  // not the hidden key
  for (int c = 1; c <= columns; ++c) ws.Cell(1, c, Lv1.ColumnHeaders.Item(c).Text());
  for (int r = 2; r <= rows + 1; ++r) {
    ui::ListItem& item = Lv1.ListItems.Item(r - 1);
    ws.Cell(r, 1, item.Text());
    for (int c = 2; c <= columns; ++c) ws.Cell(r, c, item.SubItems(c - 1));
  }
  ws.AutoFit();
  // A list longer than a sheet holds is refused, and why, before a file is asked for.
  try {
    wb.CheckRows();
  } catch (const vb::Error& e) {
    ui::MsgBox(e.description(), ui::vbExclamation | ui::vbOKOnly, judul);
    return;
  }

  try {
    // The file's name gets ".xls" in the dialog, which asks before it
    // replaces a file of that name.
    CommonDialog1.Filter = "Excel 97-2003 (*.xls)|*.xls";
    CommonDialog1.DefaultExt = "xls";
    CommonDialog1.Flags = ui::cdlOFNOverwritePrompt | ui::cdlOFNPathMustExist;
    CommonDialog1.CancelError = true;
    CommonDialog1.ShowSave();
  } catch (const vb::Error& e) {
    // Cancelled: the export ends without a file and without a word.
    if (e.number() == ui::cdlCancel) return;
    throw;
  }
  // The dialog gives the name with its ".xls".
  const std::string file = CommonDialog1.FileName;
  try {
    wb.SaveAs(file);
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (const std::exception&) {
    // SaveAs leaves no half-written file under the chosen name.
    ui::MsgBox("Terjadi kesalahan saat menyimpan file.", ui::vbExclamation | ui::vbOKOnly, judul);
    return;
  }
  ui::MsgBox("Export selesai", ui::vbInformation | ui::vbOKOnly, judul);
  // Shown in whatever program opens spreadsheets.
  ui::ShellExecuteFile(hwnd(), "", file, "", "", SW_SHOWNORMAL);
}
