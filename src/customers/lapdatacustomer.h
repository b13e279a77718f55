#pragma once
// The customer report dialog: the register in the customer list ordered as
// stored, sorted by a click on a column heading, printed through the customer
// report layout's preview and exported to a spreadsheet.
#include <memory>

#include "customers/customer_list.h"
#include "platform/ui/commondialog.h"
#include "platform/ui/frame.h"
#include "platform/ui/imagelist.h"
#include "platform/vb/dictionary.h"

class LapDataCustomer : public CustomerListForm {
public:
  LapDataCustomer();

  ui::Frame Frame4{this}, Frame1{this};
  ui::ImageList ImgSorted{this};
  ui::CommonDialog CommonDialog1{this};
  Button Button1{this}, Button3{this}, Button2{this};

  void Form_Load() override;
  void Form_Resize() override;

  // Changes nothing: the dialog keeps no entry of its own.
  void bersih() {}
  // Clears the icon of every column heading but the given one (from 1).
  void hapusIkonKolom(short index);
  // The list's rows in their shown order as report rows, keyed "1" to "n".
  std::shared_ptr<vb::Dictionary> daftarBaris();

  void Button1_Click();
  void Button2_Click();
  void Button3_Click();
  void Lv1_ColumnClick(ui::ColumnHeader& header);

protected:
  void Design() override;
};
