#pragma once
// The customer dialog: adds, changes and deletes customers. It proposes each
// new customer's ID itself ("CUST" and five digits), shows the register in
// the customer list and loads a clicked customer into its boxes. Saving an ID
// that is already stored changes that customer after a question.
#include <string>

#include "customers/customer_list.h"
#include "platform/ui/frame.h"

// The ID that follows the largest stored serial: "CUST" and five digits.
// largestSerial is the last five characters of the largest stored ID, or
// nothing for an empty table. After 99999 the digits wrap to "00000".
std::string nextCustomerID(const std::string* largestSerial);

class FrmCustomer : public CustomerListForm {
public:
  FrmCustomer();

  ui::Frame Frame1{this}, Frame2{this}, Frame3{this};
  ui::Label Label1{this}, Label2{this}, Label3{this}, Label4{this}, Label5{this}, Label6{this},
      Label8{this};
  ui::TextBox TextCustomer{this}, TextNama{this}, TextAlamat{this}, TextTelpn{this}, TextEmail{this},
      TextPerusahaan{this};
  Button Button1{this}, Button2{this}, Button3{this}, Button4{this};

  void Form_Load() override;

  // Empties the six boxes and proposes the next ID.
  void bersih();
  // Puts the next customer ID into TextCustomer.
  void buatNomer();

  void Button1_Click();
  void Button2_Click();
  void Button3_Click();
  void Button4_Click();
  void Lv1_Click();

protected:
  void Design() override;

private:
  // The ID of the customer the row click loaded; empty once the boxes are
  // cleared. Only over that customer does the update question offer Yes.
  std::string idDimuat;
};
