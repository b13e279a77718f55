#pragma once
// The customer register as the three customer dialogs show it: the list Lv1
// with its count label Label7, the keyword box Text1, the search button
// Button5 and the refresh button Button6, with the reload (bukadata) and the
// search. The dialogs derive from CustomerListForm and differ only in what
// CustomerListStyle says.
#include <string>

#include "core/dialog_button.h"
#include "platform/ui/form.h"
#include "platform/ui/imagelist.h"
#include "platform/ui/label.h"
#include "platform/ui/listview.h"
#include "platform/ui/textbox.h"
#include "platform/vb/variant.h"

struct CustomerListStyle {
  const char* reload;      // the reload's statement
  const char* searchEnd;   // what closes the search statement after the keyword
  const char* lastHeader;  // heading of the company column
  int wideWidth;           // twips of the ID, name and address columns
};

// FrmCustomer and FrmDataCustomer: by customer ID, the company headed as given.
CustomerListStyle customerListByID(const char* lastHeader);
// LapDataCustomer: by the table's first column, wide ID, name and address.
CustomerListStyle customerListByEntry();

// The search statement for a keyword: the keyword anywhere in the ID, the
// name or the address, its apostrophes doubled.
std::string customerSearchSql(const std::string& keyword, const CustomerListStyle& style);

// A column as a cell or a box shows it: a Null column is the empty text, so
// that a later save does not carry the previous customer's value into this one.
std::string columnText(const vb::Variant& v);

class CustomerListForm : public ui::Form {
public:
  ui::ListView Lv1{this};
  ui::Label Label7{this};
  ui::TextBox Text1{this};
  Button Button5{this}, Button6{this};

  // Reloads the whole register into the list and the count label.
  void bukadata();
  // Search: the customers whose ID, name or address holds the keyword.
  void Button5_Click();
  // "Refrash": the whole register again.
  void Button6_Click();
  // After the customer of this ID was changed: its row shows what is stored
  // now and is the selected row, in view; the other rows stay as they are.
  void tampilkanTersimpan(const std::string& id);

protected:
  explicit CustomerListForm(CustomerListStyle style);

  // Places the group inside parent at a rectangle in twips: keyword box and
  // buttons on the first line, the list under them, the count label under the
  // list. searchCaption empty: the search button shows a magnifier instead.
  // sortIcons: the pictures the headers show when the list sorts by them.
  // Each column is at least wide enough for its header (and such an icon).
  void designList(ui::Container& parent, int left, int top, int width, int height,
                  const std::string& searchCaption, ui::ImageList* sortIcons = nullptr);

private:
  void setCountLabel();

  CustomerListStyle style_;
};
