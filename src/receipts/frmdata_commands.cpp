// The register's commands: print the ticked receipts, the period report,
// delete the ticked receipts, close. The export and the entry dialog's add
// and edit have files of their own.
#include <vector>

#include "core/module1.h"
#include "platform/db/recordset.h"
#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/vb/format.h"
#include "platform/vb/variant.h"
#include "receipts/frmdata.h"
#include "receipts/frmseting.h"
#include "receipts/report_runs.h"

using Module1::abaikanError;
using Module1::koneksi;

namespace {

int jumlahDicentang(ui::ListView& lv) {
  int n = 0;
  const int rows = lv.ListItems.Count();
  for (int i = 1; i <= rows; ++i)
    if (lv.ListItems.Item(i).Checked()) ++n;
  return n;
}

}  // namespace

void FrmData::ambildata() {
  const int rows = Lv1.ListItems.Count();
  for (int i = rows; i >= 1; --i) Lv1.ListItems.Item(i).Selected(true);
  idTerpilih.clear();
  for (int i = 1; i <= rows; ++i) {
    ui::ListItem& item = Lv1.ListItems.Item(i);
    if (!item.Checked()) continue;
    if (!idTerpilih.empty()) idTerpilih += ",";
    idTerpilih += item.SubItems(kSubId);
  }
}

void FrmData::BCetak_Click() {
  try {
    if (Lv1.ListItems.Count() == 0) return;
    if (jumlahDicentang(Lv1) == 0) {
      ui::MsgBox("silakan pilih atau ceklist data yang akan di cetak KTA-nya", ui::vbExclamation | ui::vbOKOnly);
      return;
    }
    ambildata();
    const std::string sql = "SELECT tblkwitansi.*, Format(tgl, 'dd mmmm yyyy') AS tgl_string from tblkwitansi "
                            "where [no] in (" + idTerpilih + ") order by nokwitansi";
    runReceiptReport(sql, receiptTemplate(ui::Default<FrmSeting>().cmbKwitansi.ListIndex()));
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (const std::exception& e) {
    ui::MsgBoxError(e);
  }
}

void FrmData::BCetak2_Click() {
  if (Lv1.ListItems.Count() == 0) {
    ui::MsgBox("Tidak ada data yang bisa ditampilkan", ui::vbInformation | ui::vbOKOnly, std::string("Preview"));
    return;
  }
  try {
    // Only the picked range counts, not what the list shows.
    const std::string periode = "Periode : " + vb::Format(vb::Variant(TglAwal.Value()), "dd MMMM yyyy") + " - " +
                                vb::Format(vb::Variant(TglAkhir.Value()), "dd MMMM yyyy");
    runReceiptReport(rangeQuery(), "\\temp\\04.rep", periode);
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (const std::exception& e) {
    ui::MsgBoxError(e);
  }
}

void FrmData::BHapus_Click() {
  if (Lv1.ListItems.Count() == 0) return;
  const int n = jumlahDicentang(Lv1);
  if (n == 0) {
    ui::MsgBox("Silakan pilih / ceklist data yang ingin dihapus", ui::vbExclamation | ui::vbOKOnly);
    return;
  }
  if (ui::MsgBox("Apakah Anda Yakin Menghapus " + std::to_string(n) + "  data? ", ui::vbYesNo,
                 std::string("Konfirmasi")) == ui::vbYes) {
    // From the last row to the first, so that removing a row keeps the
    // positions of those still to come.
    std::vector<int> rows;
    for (int i = Lv1.ListItems.Count(); i >= 1; --i)
      if (Lv1.ListItems.Item(i).Checked()) rows.push_back(i);
    // All or nothing: the list shows a row as deleted only once every
    // delete is stored.
    bool stored = false;
    try {
      koneksi->beginTrans();
      try {
        // The key is the stored row's own number, never typed text.
        for (int i : rows)
          koneksi->execute("DELETE * FROM tblkwitansi WHERE [no] = " + Lv1.ListItems.Item(i).SubItems(kSubId));
        koneksi->commitTrans();
        stored = true;
      } catch (...) {
        abaikanError([] { koneksi->rollbackTrans(); });
        throw;
      }
    } catch (const ui::ProgramEnded&) {
      throw;
    } catch (const std::exception& e) {
      ui::MsgBoxError(e, ui::vbExclamation | ui::vbOKOnly, std::string("Hapus"));
    }
    if (stored) {
      for (int i : rows) abaikanError([&] { Lv1.ListItems.Remove(i); });
      ui::MsgBox("Telah dihapus", ui::vbInformation | ui::vbOKOnly, std::string("Hapus"));
    }
  }
  // The sums of the rows still listed, with the count.
  TotalMataUang total;
  const int rows = Lv1.ListItems.Count();
  for (int i = 1; i <= rows; ++i) {
    ui::ListItem& item = Lv1.ListItems.Item(i);
    double amount = 0;
    if (vb::groupedWholeNumber(item.SubItems(colJumlah - 1), amount))
      total.tambah(item.SubItems(colMataUang - 1), amount);
  }
  tampilTotal(total);
}

void FrmData::Btutup_Click() { Unload(); }
