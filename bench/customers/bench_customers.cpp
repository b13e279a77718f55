// The customer dialog with 20,000 customers: opening it (list, count and the
// proposed ID), a search that finds 11,111 of them and a sort by name, against
// the same statements run directly on the database layer, reading the same
// six columns as text. Prints "ratio customers load/query": the dialog's
// opening and search over the direct queries' time.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "core/module1.h"
#include "customers/frmcustomer.h"
#include "platform/db/db.h"
#include "platform/db/schema.h"
#include "platform/ui/app.h"
#include "platform/ui/testing.h"
#include "platform/ui/win_util.h"
#include "../recorder.h"

namespace {

constexpr int kCustomers = 20000;
const char* const kKeyword = "Nomor 1";  // 1, 10-19, 100-199, ...: 11,111 of 20,000

FrmCustomer& dlg() { return ui::Default<FrmCustomer>(); }
const CustomerListStyle& style() {
  static const CustomerListStyle s = customerListByID("Keterangan");
  return s;
}

std::string makeProgramFolder() {
  wchar_t buf[MAX_PATH];
  const DWORD n = GetTempPathW(MAX_PATH, buf);
  const std::string folder = ui::Narrow(buf, static_cast<int>(n)) + "vantorel-bench-customers";
  std::error_code ec;
  std::filesystem::remove_all(ui::Widen(folder), ec);
  std::filesystem::create_directories(ui::Widen(folder + "\\images"));
  db::createProgramDatabase(folder + "\\base.mdb");
  ui::App::get().SetPath(folder);
  Module1::bukaDatabase();
  auto& cn = Module1::koneksi;
  cn->beginTrans();
  for (int i = 1; i <= kCustomers; ++i) {
    char id[16];
    std::snprintf(id, sizeof id, "CUST%05d", i);
    const std::string n = std::to_string(i);
    cn->execute("insert into tblcustomer (Nocustomer, nama, alamat, telpn, email, perusahaan) values ('" +
                std::string(id) + "', 'Pelanggan Nomor " + n + "', 'Jl. Mawar Indah No. " + n + ", Bandung', '0812" +
                n + "', 'pelanggan" + n + "@contoh.co.id', 'PT Sejahtera " + n + "')");
  }
  cn->commitTrans();
  return folder;
}

// A statement's rows as a program without the dialog reads them: the six
// columns of every row as text.
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

std::string firstValue(const std::string& sql) {
  db::Recordset rs;
  rs.open(sql, Module1::koneksi);
  std::string v = rs.eof() ? "" : rs.field(0).value().toString();
  rs.close();
  return v;
}

// Opening the dialog: its load fills the list, the count and the proposal.
void BM_DialogLoad(benchmark::State& state) {
  for (auto _ : state) {
    dlg().Load();
    ui::testing::pumpUntilIdle();
    state.PauseTiming();
    if (dlg().Lv1.ListItems.Count() != kCustomers) state.SkipWithError("the dialog did not list every customer");
    dlg().Unload();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DialogLoad)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DirectLoad(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(readDirect(style().reload, true));
    benchmark::DoNotOptimize(firstValue("select count(*) from tblcustomer"));
    benchmark::DoNotOptimize(
        firstValue("SELECT right(nocustomer,5) AS NOurut FROM TBLcustomer ORDER BY right(nocustomer,5) desc"));
  }
}
BENCHMARK(BM_DirectLoad)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DialogSearch(benchmark::State& state) {
  dlg().Load();
  for (auto _ : state) {
    dlg().Text1.Text(kKeyword);
    dlg().Button5_Click();
    ui::testing::pumpUntilIdle();
  }
  if (dlg().Lv1.ListItems.Count() != 11111) state.SkipWithError("the search did not find what it should");
  dlg().Unload();
}
BENCHMARK(BM_DialogSearch)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DirectSearch(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(readDirect(customerSearchSql(kKeyword, style()), false));
    benchmark::DoNotOptimize(firstValue("select count(*) from tblcustomer"));
  }
}
BENCHMARK(BM_DirectSearch)->Unit(benchmark::kMillisecond)->Iterations(5);

// The whole register sorted by name, as a column click asks for it.
void BM_DialogSort(benchmark::State& state) {
  dlg().Load();
  int order = 0;
  for (auto _ : state) {
    dlg().Lv1.SortKey(2);
    dlg().Lv1.SortOrder(order ^= 1);
    dlg().Lv1.Sorted(true);
    ui::testing::pumpUntilIdle();
  }
  dlg().Unload();
}
BENCHMARK(BM_DialogSort)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = makeProgramFolder();
  benchmark::Initialize(&argc, argv);
  vt::bench::Recorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);
  auto& s = recorder.seconds;
  auto at = [&](const char* name) { return s.count(name) ? s[name] : 0.0; };
  const double dialog = at("BM_DialogLoad/iterations:5") + at("BM_DialogSearch/iterations:5");
  const double direct = at("BM_DirectLoad/iterations:5") + at("BM_DirectSearch/iterations:5");
  if (dialog > 0 && direct > 0) std::printf("ratio customers load/query: %.2f\n", dialog / direct);
  std::fflush(stdout);
  ui::testing::unloadAll();
  Module1::koneksi->close();
  std::error_code ec;
  std::filesystem::remove_all(ui::Widen(folder), ec);
  return 0;
}
