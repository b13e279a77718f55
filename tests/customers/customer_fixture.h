#pragma once
// What the customer dialogs' tests share: the program folder with its
// database open, customers written straight into tblcustomer, and real
// clicks on the rows of a list.
#include <string>
#include <vector>

#include "core/program_fixture.h"
#include "platform/ui/listview.h"

namespace customers_test {

struct Customer {
  std::string id, nama, alamat, telpn, email, perusahaan;
};

class CustomerTest : public vt::test::ProgramTest {
protected:
  void SetUp() override;

  // Inserts customers in the order given (the first column numbers them).
  void add(const std::vector<Customer>& customers);
  // Inserts count customers CUST00001... with names "Pelanggan n".
  void addMany(int count);
  // One column of the list, top to bottom (0: the running number).
  static std::vector<std::string> column(ui::ListView& list, int column);
  // A user's click (or double-click) on a row of a list, from 1.
  static void clickRow(ui::ListView& list, int row);
  static void doubleClickRow(ui::ListView& list, int row);
  // The prompts of the message boxes shown so far.
  std::vector<std::string> prompts() const;
  // The message box shown index-th: its prompt, buttons and icon, and title.
  void expectBox(size_t index, const std::string& prompt, int flags, const std::string& title) const;
};

}  // namespace customers_test
