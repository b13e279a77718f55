// The customer list as each customer dialog shows it: headings, reload,
// search and the count label.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>

#include "core/module1.h"
#include "customer_fixture.h"
#include "customers/customer_list.h"
#include "customers/frmcustomer.h"
#include "customers/frmdatacustomer.h"
#include "customers/lapdatacustomer.h"
#include "platform/ui/testing.h"
#include "platform/vb/locale.h"
#include "support/win_test_support.h"

namespace customers_test {
namespace {

using ui::testing::clickWindow;

// One of the dialogs that carry the list, with what differs between them.
struct Dialog {
  const char* name;
  std::function<CustomerListForm&()> form;
  const char* lastHeader;
  int wide;            // width of the ID, name and address columns
  bool byEntryOrder;   // ordered by the table's first column, else by ID
};

const std::vector<Dialog>& dialogs() {
  static const std::vector<Dialog> all = {
      {"FrmCustomer", [] () -> CustomerListForm& { return ui::Default<FrmCustomer>(); }, "Keterangan", 1440, false},
      {"LapDataCustomer", [] () -> CustomerListForm& { return ui::Default<LapDataCustomer>(); }, "Perusahaan", 2440,
       true},
  };
  return all;
}

class CustomerListTest : public CustomerTest {
protected:
  void TearDown() override {
    for (const Dialog& d : dialogs()) d.form().destroySilently();
    CustomerTest::TearDown();
  }
  // Ani, Budi, Citra, Dedi stored out of ID order.
  void addFour() {
    add({{"CUST00003", "Citra Lestari", "Jl. Anggrek 3", "0813", "citra@contoh.id", "PT Tiga"},
         {"CUST00001", "Ani O'Neil", "Jl. Melati 1", "0811", "ani@contoh.id", "PT Satu"},
         {"CUST00004", "Dedi", "Komplek Mawar 0811", "0814", "dedi@contoh.id", "PT Empat"},
         {"CUST00002", "Budi Santoso", "Jl. Kenanga 2", "0812", "budi@contoh.id", "PT Dua"}});
  }
  void search(CustomerListForm& f, const std::string& keyword) {
    f.Text1.Text(keyword);
    clickWindow(f.Button5.hwnd());
  }
};

TEST_F(CustomerListTest, ColumnsAndWidths) {
  for (const Dialog& d : dialogs()) {
    SCOPED_TRACE(d.name);
    CustomerListForm& f = d.form();
    ASSERT_EQ(f.Lv1.ColumnHeaders.Count(), 7);
    const std::pair<std::string, int> expected[] = {{"No", 500},       {"ID Customer", d.wide}, {"Nama Lengkap", d.wide},
                                                    {"Alamat", d.wide}, {"No. Telp", 1440},     {"Alamat Email", 1440},
                                                    {d.lastHeader, 1440}};
    for (int i = 0; i < 7; ++i) {
      SCOPED_TRACE(expected[i].first);
      ui::ColumnHeader& h = f.Lv1.ColumnHeaders.Item(i + 1);
      EXPECT_EQ(h.Text(), expected[i].first);
      // The designed width, or wider where the heading needs it beside a
      // sort icon (HeadingsShowWhole looks at what the screen shows).
      EXPECT_GE(h.Width(), expected[i].second);
    }
    EXPECT_EQ(f.Button6.Caption(), "Refrash");
  }
}

// Every heading of every customer list shows whole on the screen, beside its
// sort icon in the list that sorts by a click on it.
TEST_F(CustomerListTest, HeadingsShowWhole) {
  addFour();
  struct Shown {
    const char* name;
    std::function<CustomerListForm&()> form;
    bool sorts;
  };
  const Shown all[] = {
      {"FrmCustomer", [] () -> CustomerListForm& { return ui::Default<FrmCustomer>(); }, false},
      {"FrmDataCustomer", [] () -> CustomerListForm& { return ui::Default<FrmDataCustomer>(); }, false},
      {"LapDataCustomer", [] () -> CustomerListForm& { return ui::Default<LapDataCustomer>(); }, true}};
  const char* const headings[] = {"No", "ID Customer", "Nama Lengkap", "Alamat", "No. Telp", "Alamat Email"};
  for (const Shown& d : all) {
    SCOPED_TRACE(d.name);
    CustomerListForm& f = d.form();
    f.Show();
    SetForegroundWindow(f.hwnd());
    ui::testing::pumpFor(200);
    HWND lv = f.Lv1.hwnd();
    for (int i = 0; i < 7; ++i) {
      SCOPED_TRACE(i);
      if (d.sorts) {
        vt::test::ClickHeaderItem(lv, i);
        pump();
        EXPECT_FALSE(f.Lv1.ColumnHeaders.Item(i + 1).Icon().empty());
      }
      if (i < 6) {
        EXPECT_EQ(ui::Narrow(vt::test::HeaderItemText(lv, i)), headings[i]);
      }
      EXPECT_EQ(vt::test::HeaderShowsWhole(lv, i), "");
    }
    EXPECT_TRUE(vt::test::screenshot(f.hwnd(), std::string("headings-") + d.name + ".png"));
    f.destroySilently();
  }
}

TEST_F(CustomerListTest, ReloadListsTheRegisterInItsOrder) {
  addFour();
  for (const Dialog& d : dialogs()) {
    SCOPED_TRACE(d.name);
    CustomerListForm& f = d.form();
    EXPECT_EQ(column(f.Lv1, 0), (std::vector<std::string>{"1", "2", "3", "4"}));
    const std::vector<std::string> ids = d.byEntryOrder
                                             ? std::vector<std::string>{"CUST00003", "CUST00001", "CUST00004", "CUST00002"}
                                             : std::vector<std::string>{"CUST00001", "CUST00002", "CUST00003", "CUST00004"};
    EXPECT_EQ(column(f.Lv1, 1), ids);
    // Each row carries its own six values.
    const ui::ListItem& first = f.Lv1.ListItems.Item(1);
    if (!d.byEntryOrder) {
      EXPECT_EQ(first.cell(2), "Ani O'Neil");
      EXPECT_EQ(first.cell(3), "Jl. Melati 1");
      EXPECT_EQ(first.cell(4), "0811");
      EXPECT_EQ(first.cell(5), "ani@contoh.id");
      EXPECT_EQ(first.cell(6), "PT Satu");
    }
    EXPECT_EQ(f.Label7.Caption(), "Total Record : 4 Dari 4 Record");
  }
}

TEST_F(CustomerListTest, EmptyTableCountsNothing) {
  for (const Dialog& d : dialogs()) {
    SCOPED_TRACE(d.name);
    EXPECT_EQ(d.form().Lv1.ListItems.Count(), 0);
    EXPECT_EQ(d.form().Label7.Caption(), "Total Record : 0 Dari 0 Record");
  }
}

TEST_F(CustomerListTest, SearchLooksInIDNameAndAddressOnly) {
  addFour();
  struct Case {
    const char* keyword;
    std::vector<std::string> names;  // in ID order
  };
  const Case cases[] = {
      {"00002", {"Budi Santoso"}},
      {"citra", {"Citra Lestari"}},          // letter case does not matter
      {"Jl.", {"Ani O'Neil", "Budi Santoso", "Citra Lestari"}},
      {"O'Neil", {"Ani O'Neil"}},            // an apostrophe is a letter like any other
      {"0811", {"Dedi"}},                    // Ani's phone is not searched; Dedi's address holds it
      {"", {"Ani O'Neil", "Budi Santoso", "Citra Lestari", "Dedi"}},
  };
  for (const Dialog& d : dialogs()) {
    CustomerListForm& f = d.form();
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(d.name) + " / " + c.keyword);
      freshSeams();
      search(f, c.keyword);
      EXPECT_TRUE(seams->boxes.empty());
      std::vector<std::string> names = column(f.Lv1, 2);
      std::vector<std::string> ids = column(f.Lv1, 1);
      std::vector<std::pair<std::string, std::string>> rows;
      for (size_t i = 0; i < ids.size(); ++i) rows.emplace_back(ids[i], names[i]);
      std::sort(rows.begin(), rows.end());
      names.clear();
      for (const auto& r : rows) names.push_back(r.second);
      EXPECT_EQ(names, c.names);
      std::vector<std::string> numbers;
      for (size_t i = 1; i <= c.names.size(); ++i) numbers.push_back(std::to_string(i));
      EXPECT_EQ(column(f.Lv1, 0), numbers);
      EXPECT_EQ(f.Label7.Caption(), "Total Record : " + std::to_string(c.names.size()) + " Dari 4 Record");
    }
  }
}

TEST_F(CustomerListTest, SearchWithoutMatchEmptiesTheListAndKeepsTheCount) {
  addFour();
  for (const Dialog& d : dialogs()) {
    SCOPED_TRACE(d.name);
    CustomerListForm& f = d.form();
    freshSeams();
    search(f, "Budi");
    ASSERT_EQ(f.Label7.Caption(), "Total Record : 1 Dari 4 Record");
    search(f, "tidak ada");
    ASSERT_EQ(seams->boxes.size(), 1u);
    expectBox(0, "tidak ditemukan data untuk kata kunci tersebut", ui::vbExclamation, "Talvoren");
    EXPECT_EQ(f.Lv1.ListItems.Count(), 0);
    EXPECT_EQ(f.Label7.Caption(), "Total Record : 1 Dari 4 Record");
    // "Refrash" brings the whole register back.
    clickWindow(f.Button6.hwnd());
    EXPECT_EQ(f.Lv1.ListItems.Count(), 4);
    EXPECT_EQ(f.Label7.Caption(), "Total Record : 4 Dari 4 Record");
  }
}

TEST_F(CustomerListTest, NullColumnsShowAsEmptyCells) {
  Module1::koneksi->execute("insert into tblcustomer (Nocustomer, nama) values ('CUST00001', 'Ani')");
  Module1::koneksi->execute("insert into tblcustomer (nama, alamat) values ('Tanpa ID', 'Jl. Sepi')");
  for (const Dialog& d : dialogs()) {
    SCOPED_TRACE(d.name);
    CustomerListForm& f = d.form();
    ASSERT_EQ(f.Lv1.ListItems.Count(), 2);
    freshSeams();
    search(f, "Ani");
    EXPECT_TRUE(seams->boxes.empty());
    ASSERT_EQ(f.Lv1.ListItems.Count(), 1);
    for (int c = 3; c <= 6; ++c) EXPECT_EQ(f.Lv1.ListItems.Item(1).cell(c), "") << c;
    // A row without an ID is still found by its address.
    search(f, "Sepi");
    ASSERT_EQ(f.Lv1.ListItems.Count(), 1);
    EXPECT_EQ(f.Lv1.ListItems.Item(1).cell(1), "");
    EXPECT_EQ(f.Lv1.ListItems.Item(1).cell(2), "Tanpa ID");
  }
}

TEST_F(CustomerListTest, TableCountIsGroupedAndCountsTheWholeRegister) {
  addMany(1234);
  const std::string grouped = "1" + vb::currentLocale().groupSep + "234";
  for (const Dialog& d : dialogs()) {
    SCOPED_TRACE(d.name);
    CustomerListForm& f = d.form();
    EXPECT_EQ(f.Label7.Caption(), "Total Record : 1234 Dari " + grouped + " Record");
    search(f, "Pelanggan 123");  // 123 and 1230 to 1234
    EXPECT_EQ(f.Label7.Caption(), "Total Record : 6 Dari " + grouped + " Record");
  }
}

}  // namespace
}  // namespace customers_test
