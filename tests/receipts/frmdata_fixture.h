#pragma once
// What the register's tests share: the program folder with an open database,
// receipts added in one line each, the register shown, and readers of its
// list and headers. Report runs are recorded instead of shown.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/module1.h"
#include "core/program_fixture.h"
#include "platform/ui/testing.h"
#include "platform/vb/date.h"
#include "platform/vb/format.h"
#include "receipts/frmdata.h"
#include "receipts/report_runs.h"

namespace vt::test {

class RegisterTest : public ProgramTest {
protected:
  using Rows = std::vector<std::vector<std::string>>;

  void SetUp() override;
  void TearDown() override;

  FrmData& data() { return ui::Default<FrmData>(); }
  // Shows the register (modeless, so that the test goes on beside it).
  void open();
  // A stored receipt; date as "dd/mm/yyyy", the amount stored grouped as the
  // entry dialog stores it.
  void addReceipt(const std::string& prefix, const std::string& number, const std::string& payer,
                  const std::string& currency, double amount, const std::string& date,
                  const std::string& untuk = "", const std::string& tempat = "", const std::string& oleh = "");
  // Stores the receipt's amount grouped as a PC with the other region's
  // settings saved it ("1.500.000" under US settings, "1,500,000" else).
  void groupAsAnotherPC(const std::string& number);
  // An amount as the list shows it.
  static std::string amount(double v) { return vb::Format(vb::Variant(v), "#,##0"); }
  // The visible columns 1 to 9 of every row, top to bottom.
  Rows rows();
  // Column k (from 1) of every row.
  std::vector<std::string> column(int k);
  // Ticks the rows at the given positions (from 1) by clicking their boxes.
  void tick(const std::vector<int>& positions);
  // A click on the row at a position (from 1), away from its box: selects it.
  void clickRow(int position);
  void search(const std::string& field, const std::string& key);
  // A click on header index (from 1), as the mouse gives it.
  void clickHeader(int index);
  std::vector<std::string> icons();
  bool headerShowsImage(int index);

  // A written spreadsheet as a program nobody here wrote reads it (python3-xlrd):
  // cell (row, column), both from 1, to its kind ("text", "number", "date" as
  // dd/mm/yyyy) and value; (0, 0) holds the size as "rows x columns", (0, 1)
  // the number of sheets. Empty when it could not be read.
  struct SheetCell {
    std::string kind, value;
  };
  using Sheet = std::map<std::pair<int, int>, SheetCell>;
  Sheet readBack(const std::string& xlsPath);
  // The same file as LibreOffice converts it to CSV: the shown text of every
  // cell, row by row. Empty when it could not be converted.
  std::vector<std::vector<std::string>> readBackCsv(const std::string& xlsPath);

  std::vector<ReportJob> jobs;
};

}  // namespace vt::test
