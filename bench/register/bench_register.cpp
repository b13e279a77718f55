// Times the receipt register's list under Wine: filling it from 10,000 and
// from 100,000 stored receipts, sorting 100,000 rows by a column, and the
// virtual list against the list view keeping its own items (LVM_INSERTITEM
// with redraw off) for the same 100,000 rows. Prints one "ratio" line each.
// The two kinds of list are filled while hidden: painting the rows in view
// costs both the same and is timed on its own.
#include <windows.h>
#include <commctrl.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/module1.h"
#include "platform/db/connection.h"
#include "platform/db/schema.h"
#include "platform/ui/app.h"
#include "platform/ui/testing.h"
#include "platform/ui/win_util.h"
#include "platform/vb/date.h"
#include "platform/vb/format.h"
#include "receipts/frmdata.h"
#include "../recorder.h"

namespace {

constexpr int kSmall = 10000, kLarge = 100000;
const char* const kPayers[] = {"Siti Rahmawati", "budi Santoso", "Dewi Lestari", "agus Salim", "Eko Prasetyo",
                               "Rina Marlina", "Joko Susilo", "Ani Wulandari", "Citra Kirana", "Hendra Gunawan"};

FrmData& reg() { return ui::Default<FrmData>(); }

// A program folder whose database holds 100,000 receipts: 10,000 of
// 1 December 2025 and 90,000 of 2 December.
std::string makeProgramFolder() {
  wchar_t buf[MAX_PATH];
  const DWORD n = GetTempPathW(MAX_PATH, buf);
  std::string folder = ui::Narrow(buf, static_cast<int>(n)) + "vantorel-bench-register";
  std::error_code ec;
  std::filesystem::remove_all(ui::Widen(folder), ec);
  std::filesystem::create_directories(ui::Widen(folder + "\\images"));
  db::createProgramDatabase(folder + "\\base.mdb");
  ui::App::get().SetPath(folder);
  vb::setClock([] { return vb::Date{45992.4375}; });  // 1 December 2025
  Module1::bukaDatabase();
  Module1::koneksi->beginTrans();
  for (int i = 0; i < kLarge; ++i) {
    const std::string number = vb::Format(vb::Variant(i % 1000 + 1), "000") + "/" + std::to_string(i / 1000) + "/2025";
    Module1::koneksi->execute(
        "insert into tblkwitansi (NoKwitansi, NoPasport, SudahTerima, Matauang, Nominal, untuk, TempatDiterima, tgl, "
        "oleh) values ('" + number + "', 'KW-', '" + kPayers[(i * 7) % 10] + " " + std::to_string(i % 97) + "', '" +
        (i % 9 ? "Rp." : "USD") + "', '" + vb::Format(vb::Variant(150000 + 2500 * (i % 400)), "#,###") +
        "', 'SPP bulan Desember', 'Bandung', " + (i < kSmall ? "#12/01/2025#" : "#12/02/2025#") + ", 'Ani')");
  }
  Module1::koneksi->commitTrans();
  return folder;
}

// The register's date filter over one day (10,000 receipts) or both (100,000).
void fillRegister(int rows) {
  reg().TglAwal.Value(vb::Date::fromParts(2025, 12, 1));
  reg().TglAkhir.Value(vb::Date::fromParts(2025, 12, rows == kSmall ? 1 : 2));
  reg().BTampil_Click();
  ui::testing::pumpUntilIdle();
}

void BM_RegisterFill(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  for (auto _ : state) {
    fillRegister(rows);
    if (reg().Lv1.ListItems.Count() != rows) state.SkipWithError("the register did not list every receipt");
  }
}
BENCHMARK(BM_RegisterFill)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond)->Iterations(3);

// A click on the payer column's header of a freshly filled list.
void BM_RegisterSort(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    fillRegister(kLarge);
    for (int i = 1; i <= reg().Lv1.ColumnHeaders.Count(); ++i) reg().Lv1.ColumnHeaders.Item(i).Icon("");
    state.ResumeTiming();
    reg().Lv1_ColumnClick(reg().Lv1.ColumnHeaders.Item(FrmData::colSudahTerima));
    ui::testing::pumpUntilIdle();
  }
}
BENCHMARK(BM_RegisterSort)->Unit(benchmark::kMillisecond)->Iterations(3);

// A click on the amount's or the date's header, which sort by value.
void BM_RegisterSortByValue(benchmark::State& state) {
  const int column = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    fillRegister(kLarge);
    for (int i = 1; i <= reg().Lv1.ColumnHeaders.Count(); ++i) reg().Lv1.ColumnHeaders.Item(i).Icon("");
    state.ResumeTiming();
    reg().Lv1_ColumnClick(reg().Lv1.ColumnHeaders.Item(column));
    ui::testing::pumpUntilIdle();
  }
}
BENCHMARK(BM_RegisterSortByValue)
    ->Arg(FrmData::colJumlah)
    ->Arg(FrmData::colTgl)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The same 100,000 rows of ten texts, for both kinds of list.
struct Texts {
  std::vector<std::vector<std::string>> utf8;
  std::vector<std::vector<std::wstring>> wide;
};
const Texts& texts() {
  static const Texts t = [] {
    Texts out;
    for (int i = 0; i < kLarge; ++i) {
      std::vector<std::string> row = {std::to_string(i + 1),
                                      "KW-" + vb::Format(vb::Variant(i % 1000 + 1), "000") + "/12/2025",
                                      std::string(kPayers[i % 10]) + " " + std::to_string(i % 97),
                                      "Rp.",
                                      vb::Format(vb::Variant(150000 + 2500 * (i % 400)), "#,##0"),
                                      "SPP bulan Desember",
                                      "Bandung",
                                      "01/12/2025",
                                      "Ani",
                                      std::to_string(i + 1)};
      std::vector<std::wstring> w;
      for (const auto& s : row) w.push_back(ui::Widen(s));
      out.utf8.push_back(std::move(row));
      out.wide.push_back(std::move(w));
    }
    return out;
  }();
  return t;
}

// As the register fills: the rows in the order given, until the control
// knows them.
void BM_VirtualList(benchmark::State& state) {
  const Texts& t = texts();
  ui::ListView& lv = reg().Lv1;
  lv.Visible(false);
  for (auto _ : state) {
    lv.ListItems.Clear();
    lv.Sorted(false);
    for (const auto& row : t.utf8) {
      ui::ListItem& item = lv.ListItems.Add(row[0]);
      for (int k = 1; k < 10; ++k) item.SubItems(k, row[static_cast<size_t>(k)]);
    }
    ui::testing::pumpUntilIdle();
  }
  lv.Visible(true);
  ui::testing::pumpUntilIdle();
}
BENCHMARK(BM_VirtualList)->Unit(benchmark::kMillisecond)->Iterations(3);

// Painting the rows in view of the filled list.
void BM_ListPaint(benchmark::State& state) {
  ui::ListView& lv = reg().Lv1;
  for (auto _ : state) {
    InvalidateRect(lv.hwnd(), nullptr, TRUE);
    UpdateWindow(lv.hwnd());
  }
}
BENCHMARK(BM_ListPaint)->Unit(benchmark::kMillisecond)->Iterations(3);

// The list view keeping its own items, filled as fast as it goes: redraw off.
void BM_InsertItems(benchmark::State& state) {
  const Texts& t = texts();
  HWND host = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 1180, 640, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND lv = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 1160,
                            600, host, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(lv, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  for (int c = 0; c < 10; ++c) {
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.cx = 100;
    col.pszText = const_cast<wchar_t*>(L"Kolom");
    SendMessageW(lv, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
  }
  const int rows = static_cast<int>(state.range(0));
  for (auto _ : state) {
    SendMessageW(lv, WM_SETREDRAW, FALSE, 0);
    SendMessageW(lv, LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < rows; ++i) {
      const auto& row = t.wide[static_cast<size_t>(i)];
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = i;
      item.pszText = const_cast<wchar_t*>(row[0].c_str());
      const int at = static_cast<int>(SendMessageW(lv, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
      for (int k = 1; k < 10; ++k) {
        LVITEMW sub{};
        sub.iSubItem = k;
        sub.pszText = const_cast<wchar_t*>(row[static_cast<size_t>(k)].c_str());
        SendMessageW(lv, LVM_SETITEMTEXTW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&sub));
      }
    }
    SendMessageW(lv, WM_SETREDRAW, TRUE, 0);
  }
  DestroyWindow(host);
}
BENCHMARK(BM_InsertItems)->Arg(kLarge)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = makeProgramFolder();
  reg().Show();
  ui::testing::pumpUntilIdle();
  texts();

  benchmark::Initialize(&argc, argv);
  vt::bench::Recorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);
  benchmark::Shutdown();

  auto& s = recorder.seconds;
  auto ratio = [&](const char* what, const std::string& a, const std::string& b) {
    if (s.count(a) && s.count(b) && s[b] > 0) std::printf("ratio %s: %.2f\n", what, s[a] / s[b]);
  };
  ratio("list insert/virtual 100000 rows", "BM_InsertItems/100000/iterations:1", "BM_VirtualList/iterations:3");
  ratio("list fill 100000/10000 rows", "BM_RegisterFill/100000/iterations:3", "BM_RegisterFill/10000/iterations:3");
  ratio("list sort/fill 100000 rows", "BM_RegisterSort/iterations:3", "BM_RegisterFill/100000/iterations:3");
  ratio("list amount sort/fill 100000 rows", "BM_RegisterSortByValue/" + std::to_string(FrmData::colJumlah) + "/iterations:3",
        "BM_RegisterFill/100000/iterations:3");
  ratio("list date sort/fill 100000 rows", "BM_RegisterSortByValue/" + std::to_string(FrmData::colTgl) + "/iterations:3",
        "BM_RegisterFill/100000/iterations:3");

  ui::testing::unloadAll();
  Module1::koneksi->close();
  std::error_code ec;
  std::filesystem::remove_all(ui::Widen(folder), ec);
  return 0;
}
