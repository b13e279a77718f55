// The customer picker over the receipt entry dialog, as the program wires it.
#include <gtest/gtest.h>

#include "customer_fixture.h"
#include "customers/frmcustomer.h"
#include "customers/frmdatacustomer.h"
#include "platform/ui/testing.h"
#include "receipts/frmkwitansi.h"

namespace customers_test {
namespace {

using ui::testing::clickWindow;
using ui::testing::onShown;

class PickerTest : public CustomerTest {
protected:
  FrmKwitansi& entry() { return ui::Default<FrmKwitansi>(); }
  FrmDataCustomer& picker() { return ui::Default<FrmDataCustomer>(); }
  // Opens the entry dialog, types a payer, presses its pick button and runs
  // the steps in the picker; then closes the entry dialog.
  void pick(const std::function<void(FrmDataCustomer&)>& steps, const std::function<void()>& after = {}) {
    onShown([&](ui::Form&) {
      entry().Text3.Text("Diketik");
      entry().Text3.SetFocus();
      clickWindow(entry().Button1.hwnd());
      if (after) after();
      clickWindow(entry().BTutup.hwnd());
    });
    onShown([&](ui::Form& f) {
      EXPECT_EQ(&f, &picker());
      EXPECT_FALSE(IsWindowEnabled(entry().hwnd()));
      steps(picker());
    });
    entry().ShowModal();
    EXPECT_EQ(ui::testing::pendingShown(), 0u);
  }
};

TEST_F(PickerTest, DoubleClickHandsTheNameOverAndCloses) {
  add({{"CUST00001", "Ani", "Jl. Melati"}, {"CUST00002", "Budi Santoso", "Jl. Kenanga"}, {"CUST00003", "", "Jl. Sepi"}});
  struct Case {
    std::string keyword;  // searched first when not empty
    int row;
    std::string payer;
    bool focusMoves;
  };
  const Case cases[] = {
      {"", 2, "Budi Santoso", true},
      {"Kenanga", 1, "Budi Santoso", true},  // a row of the search result
      {"", 3, "", false},                    // an empty name empties the payer; the focus stays
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.payer + " / " + c.keyword);
    pick(
        [&](FrmDataCustomer& p) {
          EXPECT_EQ(p.Lv1.ColumnHeaders.Item(7).Text(), "Perusahaan");
          if (!c.keyword.empty()) {
            p.Text1.Text(c.keyword);
            clickWindow(p.Button5.hwnd());
          }
          doubleClickRow(p.Lv1, c.row);
          EXPECT_FALSE(p.Loaded());
        },
        [&] {
          EXPECT_EQ(entry().Text3.Text(), c.payer);
          EXPECT_EQ(entry().Text4.HasFocus(), c.focusMoves);
        });
  }
}

TEST_F(PickerTest, TutupAndAnEmptyListLeaveThePayerAlone) {
  add({{"CUST00001", "Ani"}});
  pick(
      [&](FrmDataCustomer& p) {
        // A search that finds nothing leaves no row to hand over.
        p.Text1.Text("tidak ada");
        clickWindow(p.Button5.hwnd());
        ASSERT_EQ(p.Lv1.ListItems.Count(), 0);
        ui::testing::doubleClickWindow(p.Lv1.hwnd());
        EXPECT_TRUE(p.Visible());
        clickWindow(p.Button2.hwnd());
        EXPECT_FALSE(p.Loaded());
      },
      [&] { EXPECT_EQ(entry().Text3.Text(), "Diketik"); });
}

TEST_F(PickerTest, TambahOpensTheCustomerDialogAndLeavesTheListUntilRefrash) {
  add({{"CUST00001", "Ani"}});
  pick([&](FrmDataCustomer& p) {
    onShown([&](ui::Form& f) {
      FrmCustomer& c = ui::Default<FrmCustomer>();
      EXPECT_EQ(&f, &c);
      EXPECT_FALSE(IsWindowEnabled(p.hwnd()));
      EXPECT_EQ(c.TextCustomer.Text(), "CUST00002");
      c.TextNama.Text("Budi");
      clickWindow(c.Button2.hwnd());
      clickWindow(c.Button4.hwnd());
    });
    clickWindow(p.Button1.hwnd());
    EXPECT_EQ(prompts(), std::vector<std::string>{"Data Berhasil Disimpan"});
    EXPECT_TRUE(p.Visible());
    EXPECT_EQ(column(p.Lv1, 2), std::vector<std::string>{"Ani"});
    clickWindow(p.Button6.hwnd());
    EXPECT_EQ(column(p.Lv1, 2), (std::vector<std::string>{"Ani", "Budi"}));
    doubleClickRow(p.Lv1, 2);
  }, [&] { EXPECT_EQ(entry().Text3.Text(), "Budi"); });
}

TEST_F(PickerTest, Screenshot) {
  add({{"CUST00001", "Ani Suryani", "Jl. Melati No. 1, Bandung", "0811-2233-4455", "ani@contoh.id", "Guru"},
       {"CUST00002", "Budi Santoso", "Jl. Kenanga 2, Cimahi", "0812-9876-5432", "budi@contoh.id", "Wiraswasta"},
       {"CUST00003", "Citra Lestari", "Komplek Griya Asri B-7", "022-555-1234", "citra@contoh.id", "PT Nusantara"}});
  pick([&](FrmDataCustomer& p) {
    clickRow(p.Lv1, 2);
    EXPECT_TRUE(vt::test::screenshot(p.hwnd(), "customer_picker.png"));
    clickWindow(p.Button2.hwnd());
  });
}

}  // namespace
}  // namespace customers_test
