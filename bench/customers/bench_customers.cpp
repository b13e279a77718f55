// The customer dialog with 20,000 customers: opening it (list, count and the
// proposed ID) and a search, against the same statements run directly on the
// database layer, reading the same six columns as text. Both sides run once
// untimed, then take turns; the medians are compared.
// Environment: VT_BENCH_REPS (default 7), VT_BENCH_CUSTOMERS (default 20000).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/module1.h"
#include "customers/frmcustomer.h"
#include "platform/db/db.h"
#include "platform/db/schema.h"
#include "platform/ui/app.h"
#include "platform/ui/testing.h"
#include "platform/ui/win_util.h"

namespace {

int envInt(const char* name, int fallback) {
  const char* v = std::getenv(name);
  return v && std::atoi(v) > 0 ? std::atoi(v) : fallback;
}

double timed(const std::function<void()>& work) {
  const auto t0 = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void fillRegister(int count) {
  auto& cn = Module1::koneksi;
  cn->beginTrans();
  for (int i = 1; i <= count; ++i) {
    char id[16];
    std::snprintf(id, sizeof id, "CUST%05d", i);
    const std::string n = std::to_string(i);
    cn->execute("insert into tblcustomer (Nocustomer, nama, alamat, telpn, email, perusahaan) values ('" +
                std::string(id) + "', 'Pelanggan Nomor " + n + "', 'Jl. Mawar Indah No. " + n + ", Bandung', '0812" +
                n + "', 'pelanggan" + n + "@contoh.co.id', 'PT Sejahtera " + n + "')");
  }
  cn->commitTrans();
}

// What the dialog's statements give, read as a program without the dialog
// would: the six columns of every row as text, the table's count.
long readDirect(const std::string& sql, bool client) {
  db::Recordset rs;
  if (client) rs.setCursorLocation(db::adUseClient);
  rs.open(sql, Module1::koneksi, client ? db::adOpenStatic : -1);
  long chars = 0;
  while (!rs.eof()) {
    for (int c = 1; c <= 6; ++c) {
      const vb::Variant& v = rs.field(c).value();
      if (!v.isNull()) chars += static_cast<long>(v.toString().size());
    }
    rs.moveNext();
  }
  rs.close();
  return chars;
}

std::string countDirect() {
  db::Recordset rs;
  rs.open("select count(*) from tblcustomer", Module1::koneksi, db::adOpenStatic);
  std::string n = rs.field(0).value().toString();
  rs.close();
  return n;
}

std::string nextDirect() {
  db::Recordset rs;
  rs.open("SELECT right(nocustomer,5) AS NOurut FROM TBLcustomer ORDER BY right(nocustomer,5) desc",
          Module1::koneksi);
  std::string s = rs.eof() ? "" : rs.field(0).value().toString();
  rs.close();
  return s;
}

const char* const kKeyword = "Nomor 1";  // 1, 10-19, 100-199, ...: 11,111 of 20,000

}  // namespace

int main() {
  const int reps = envInt("VT_BENCH_REPS", 7);
  const int customers = envInt("VT_BENCH_CUSTOMERS", 20000);

  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  const std::string folder = ui::Narrow(tmp) + "vantorel-bench-customers-" + std::to_string(GetCurrentProcessId());
  std::filesystem::create_directories(ui::Widen(folder + "\\images"));
  db::createProgramDatabase(folder + "\\base.mdb");
  ui::App::get().SetPath(folder);
  Module1::bukaDatabase();
  fillRegister(customers);

  FrmCustomer& dlg = ui::Default<FrmCustomer>();
  CustomerListStyle style = customerListByID("Keterangan");

  // Opening, from a closed dialog (closing the previous one is not timed).
  auto dialogLoad = [&] {
    dlg.Load();
    ui::testing::pumpUntilIdle();
  };
  auto dialogSearch = [&] {
    dlg.Text1.Text(kKeyword);
    dlg.Button5_Click();
    ui::testing::pumpUntilIdle();
  };
  auto directLoad = [&] {
    readDirect(style.reload, true);
    countDirect();
    nextDirect();
  };
  auto directSearch = [&] {
    readDirect(customerSearchSql(kKeyword, style), false);
    countDirect();
  };

  dialogLoad();
  dialogSearch();
  dlg.Unload();
  directLoad();
  directSearch();
  std::vector<double> dl, ds, ql, qs, sorts;
  for (int r = 0; r < reps; ++r) {
    if (r % 2) {
      ql.push_back(timed(directLoad));
      qs.push_back(timed(directSearch));
      dl.push_back(timed(dialogLoad));
      ds.push_back(timed(dialogSearch));
    } else {
      dl.push_back(timed(dialogLoad));
      ds.push_back(timed(dialogSearch));
      ql.push_back(timed(directLoad));
      qs.push_back(timed(directSearch));
    }
    // A sort of the whole register by name, as a column click asks for it.
    dlg.Button6_Click();
    ui::testing::pumpUntilIdle();
    sorts.push_back(timed([&] {
      dlg.Lv1.SortKey(2);
      dlg.Lv1.SortOrder(r % 2);
      dlg.Lv1.Sorted(true);
      ui::testing::pumpUntilIdle();
    }));
    dlg.Lv1.Sorted(false);
    dlg.Unload();
  }
  const double dialog = median(dl) + median(ds), direct = median(ql) + median(qs);
  dlg.Load();
  const int listed = dlg.Lv1.ListItems.Count();
  dialogSearch();
  std::printf("customers: %d rows, %d of them found by the search\n", listed, dlg.Lv1.ListItems.Count());
  std::printf("dialog  load %7.1f ms  search %7.1f ms  sort %7.1f ms (medians of %d)\n", median(dl) * 1e3,
              median(ds) * 1e3, median(sorts) * 1e3, reps);
  std::printf("direct  load %7.1f ms  search %7.1f ms\n", median(ql) * 1e3, median(qs) * 1e3);
  std::printf("ratio customers load/query: %.2f\n", dialog / direct);
  std::fflush(stdout);

  ui::testing::unloadAll();
  Module1::koneksi->close();
  std::error_code ec;
  std::filesystem::remove_all(ui::Widen(folder), ec);
  return 0;
}
