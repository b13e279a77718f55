// The register's way into the entry dialog: a new receipt, or the selected
// stored one filled in to be saved again under its own number. Either way
// the register shows its list again afterwards, with what was saved.
#include "receipts/frmdata.h"

#include "core/module1.h"
#include "platform/db/recordset.h"
#include "platform/vb/date.h"
#include "platform/vb/format.h"
#include "receipts/frmkwitansi.h"

using Module1::abaikanError;
using Module1::koneksi;

void FrmData::BTambah_Click() {
  FrmKwitansi& entry = ui::Default<FrmKwitansi>();
  entry.ShowModal(this);
  tampilkanLagi(entry.noDisimpan);
}

void FrmData::BUbah_Click() {
  if (Lv1.ListItems.Count() == 0) return;
  // The selected row, whatever is ticked.
  ui::ListItem* selected = Lv1.SelectedItem();
  if (!selected) return;
  const std::string key = selected->SubItems(kSubId);
  db::Recordset rs;
  bool found = false;
  abaikanError([&] {
    rs.open("Select * From tblkwitansi where [no] =" + key, koneksi);
    found = !rs.eof();
  });
  if (!found) return;
  // Columns by position; the first touch loads the dialog, whose own load
  // runs before these values replace its defaults.
  FrmKwitansi& entry = ui::Default<FrmKwitansi>();
  auto text = [&](int column) { return rs.field(column).value().toString(); };
  abaikanError([&] { entry.Text1.Text(text(2) + text(1)); });
  // Saved again under its own number, whatever its length and prefix.
  abaikanError([&] { entry.nomorTersimpan = text(1); });
  abaikanError([&] { entry.Text3.Text(text(3)); });
  abaikanError([&] { entry.tampilMataUang(text(4)); });
  abaikanError([&] { entry.tampilJumlah(text(5)); });
  abaikanError([&] { entry.Text6.Text(text(6)); });
  abaikanError([&] { entry.Text7.Text(text(7)); });
  abaikanError([&] { entry.Text8.Text(text(8)); });
  abaikanError([&] {
    entry.TglDiterima.Value(vb::Variant(vb::Format(rs.field(9).value(), "dd/mm/yyyy")).toDate());
  });
  abaikanError([&] { entry.Text9.Text(text(10)); });
  // No edit mode: the number is locked, and saving asks whether to update it.
  abaikanError([&] { entry.Text1.Enabled(false); });
  abaikanError([&] { entry.ShowModal(this); });
  abaikanError([&] { rs.close(); });
  tampilkanLagi(entry.noDisimpan);
}
