#pragma once
// The receipt register: lists stored receipts (today's, a search result or a
// date range) with a running number, a count and a sum, lets the user tick
// and sort rows, and carries the commands that act on them: print the ticked
// receipts, print a period report, export to a spreadsheet, delete, add, edit.
#include <cstdint>
#include <string>
#include <vector>

#include "core/dialog_button.h"
#include "platform/ui/checkbox.h"
#include "platform/ui/combobox.h"
#include "platform/ui/commondialog.h"
#include "platform/ui/datepicker.h"
#include "platform/ui/form.h"
#include "platform/ui/frame.h"
#include "platform/ui/imagelist.h"
#include "platform/ui/label.h"
#include "platform/ui/listview.h"
#include "platform/ui/textbox.h"

namespace db {
class Recordset;
}

class FrmData : public ui::Form {
public:
  FrmData();

  // Columns of Lv1 (from 1) that code names: the running number is the row's
  // own text, the others are sub-items 1 to 9; the hidden key `no` is sub-item 9.
  enum Column { colNo = 1, colNoKwitansi = 2, colSudahTerima = 3, colMataUang = 4, colJumlah = 5, colTgl = 8,
                colPenerima = 9, colId = 10 };
  static constexpr int kSubId = colId - 1;

  ui::Frame Frame1{this}, Frame2{this}, Frame3{this};
  ui::Label Label1{this}, Label2{this}, Label3{this}, Label4{this}, Label5{this}, Label6{this}, Label7{this};
  ui::ComboBox Combo1{this};
  ui::TextBox TextCari{this};
  ui::DatePicker TglAwal{this}, TglAkhir{this};
  ui::ImageList ImgSorted{this};
  ui::CheckBox Check1{this};
  ui::ListView Lv1{this};
  ui::CommonDialog CommonDialog1{this};
  Button BCari{this}, BTampil{this}, Button1{this};
  Button BTambah{this}, BUbah{this}, BHapus{this}, BExport{this}, BCetak{this}, BCetak2{this}, Btutup{this};

  // Keys of the ticked rows, in list order, joined by ","; made by ambildata.
  std::string idTerpilih;

  void Form_Load() override;
  void Form_Resize() override;

  // Lists today's receipts.
  void dataLv1();
  void BCari_Click();
  void BTampil_Click();
  void Button1_Click();
  void Check1_Click();
  void Lv1_ColumnClick(ui::ColumnHeader& header);
  // Clears the icon of every column header but the given one.
  void hapusIkonKolom(int16_t index);

  void BCetak_Click();
  void BCetak2_Click();
  void BExport_Click();
  void BHapus_Click();
  void BTambah_Click();
  void BUbah_Click();
  void Btutup_Click();
  // Selects every row and collects the ticked rows' keys into idTerpilih.
  void ambildata();

protected:
  void Design() override;

private:
  // The rows of an open query into the list, replacing what it showed.
  void isiBaris(db::Recordset& rs);
  // Fills the list from a statement, quietly: nothing found empties it.
  void isiDari(const std::string& sql);
  // The fill the list shows, run again (after the entry dialog closed, so
  // that a new or edited receipt shows), sorted again if a column click had
  // sorted it. The rows still listed keep their ticks; the receipt of key
  // disimpan (the one just saved), or else the row selected before, is the
  // selected row, scrolled into view.
  void tampilkanLagi(const std::string& disimpan);
  // How a column sorts: amounts by value, dates by day, the rest as text.
  static long jenisUrut(int column);
  // The sums of the listed amounts, one per currency, in the order the
  // currencies first come; rupiah and dollars are never added together.
  struct TotalMataUang {
    struct Jumlah {
      std::string kunci, nama;  // the currency upper-cased and trimmed, and as listed
      double sum;
    };
    std::vector<Jumlah> jumlah;
    void tambah(const std::string& mataUang, double nilai);
    // "2.252.750" with rupiah only (or nothing), else "Rp. 2.252.750 ; USD 1.250".
    std::string teks() const;
  };
  // The sum and count labels, from the totals of the last fill.
  void tampilTotal(const TotalMataUang& total);
  void tampilJumlahRecord();
  // A search or range query: nothing found empties the list and says
  // notFound; a query that cannot run says why and leaves the list as it was.
  void tampilkanQuery(const std::string& sql, const std::string& notFound);
  std::string rangeQuery();
  void designFilters(int lineH);
  void designSortIcons();
  int designList(int lineH);
  void designTotals(int lineH);
  void designCommands(int lineH);

  // The statement of the search or date range the list shows; empty for
  // today's list.
  std::string tampilan_;
};
