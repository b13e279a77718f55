#include "customer_fixture.h"

#include <windows.h>
#include <commctrl.h>

#include "core/module1.h"
#include "platform/db/connection.h"
#include "platform/ui/app.h"
#include "platform/ui/testing.h"

namespace customers_test {

void CustomerTest::SetUp() {
  ProgramTest::SetUp();
  Module1::bukaDatabase();
  ui::App::get().Title("Vantorel V1.7 BUILD 28092025");
}

void CustomerTest::add(const std::vector<Customer>& customers) {
  for (const Customer& c : customers)
    Module1::koneksi->execute("insert into tblcustomer (Nocustomer, nama, alamat, telpn, email, perusahaan) values ('" +
                              db::quote(c.id) + "', '" + db::quote(c.nama) + "', '" + db::quote(c.alamat) + "', '" +
                              db::quote(c.telpn) + "', '" + db::quote(c.email) + "', '" + db::quote(c.perusahaan) +
                              "')");
}

void CustomerTest::addMany(int count) {
  Module1::koneksi->beginTrans();
  for (int i = 1; i <= count; ++i) {
    char id[16];
    std::snprintf(id, sizeof id, "CUST%05d", i);
    const std::string n = std::to_string(i);
    Module1::koneksi->execute("insert into tblcustomer (Nocustomer, nama, alamat, telpn, email, perusahaan) values ('" +
                              std::string(id) + "', 'Pelanggan " + n + "', 'Jl. Mawar " + n + "', '0812" + n +
                              "', 'p" + n + "@contoh.id', 'PT " + n + "')");
  }
  Module1::koneksi->commitTrans();
}

std::vector<std::string> CustomerTest::column(ui::ListView& list, int col) {
  std::vector<std::string> out;
  for (int i = 1; i <= list.ListItems.Count(); ++i) out.emplace_back(list.ListItems.Item(i).cell(col));
  return out;
}

namespace {
void mouseOnRow(ui::ListView& list, int row, bool twice) {
  HWND h = list.hwnd();
  SendMessageW(h, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row - 1), FALSE);
  ui::testing::pumpUntilIdle();
  RECT r{};
  r.left = LVIR_LABEL;
  SendMessageW(h, LVM_GETITEMRECT, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
  PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(h, WM_LBUTTONUP, 0, at);
  if (twice) {
    PostMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(h, WM_LBUTTONUP, 0, at);
  }
  ui::testing::pumpUntilIdle();
}
}  // namespace

void CustomerTest::clickRow(ui::ListView& list, int row) { mouseOnRow(list, row, false); }
void CustomerTest::doubleClickRow(ui::ListView& list, int row) { mouseOnRow(list, row, true); }

std::vector<std::string> CustomerTest::prompts() const {
  std::vector<std::string> out;
  for (const auto& b : seams->boxes) out.push_back(b.prompt);
  return out;
}

void CustomerTest::expectBox(size_t index, const std::string& prompt, int flags, const std::string& title) const {
  ASSERT_LT(index, seams->boxes.size()) << prompt;
  EXPECT_EQ(seams->boxes[index].prompt, prompt);
  EXPECT_EQ(seams->boxes[index].flags, flags) << prompt;
  EXPECT_EQ(seams->boxes[index].title, title) << prompt;
}

}  // namespace customers_test
