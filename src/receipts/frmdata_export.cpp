// The register's export of its list to a spreadsheet file.
#include "receipts/frmdata.h"

void FrmData::BExport_Click() {}
