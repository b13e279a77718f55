#pragma once
// The administrator password: typed twice and stored in tbladmin. No command
// of the program opens this dialog yet; simpanPasword is there for a caller.
#include "platform/ui/form.h"
#include "platform/ui/label.h"
#include "platform/ui/textbox.h"

class FrmUser : public ui::Form {
public:
  ui::Label Label1{this}, Label2{this};
  ui::TextBox Text1{this}, Text2{this};

  // Checks the two entries and stores the password in every row of tbladmin
  // (in a new row when the table is empty).
  void simpanPasword();

protected:
  void Design() override;
};
