#pragma once
// The customer picker: the register in the customer list, from which a
// double-click hands the customer's name to the receipt entry dialog's payer
// box. "Tambah" opens the customer dialog to register a new customer.
#include "customers/customer_list.h"
#include "platform/ui/frame.h"

class FrmDataCustomer : public CustomerListForm {
public:
  FrmDataCustomer();

  ui::Frame Frame1{this};
  Button Button1{this}, Button2{this};

  void Form_Load() override;

  // Changes nothing: the picker keeps no entry of its own.
  void bersih() {}

  void Button1_Click();
  void Button2_Click();
  void Lv1_DblClick();

protected:
  void Design() override;
};
