// The register's export of its list to a spreadsheet file that the user then
// sees opened.
#include "receipts/frmdata.h"

#include "core/spreadsheet_export.h"
#include "platform/ui/seams.h"
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
  SaveExport(wb, CommonDialog1, judul, "Export selesai");
}
