// Times the period report over many receipts (Windows build, run under Wine):
// reading its rows through the database layer, laying out every page from
// those rows, drawing one page into a bitmap, and the time until the
// preview's first page is on screen, for a long report against a short one.
// Prints one "ratio <name>: N" line per comparison, medians of a few runs.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/db/db.h"
#include "platform/db/schema.h"
#include "platform/report/preview.h"
#include "platform/report/template_report.h"
#include "platform/ui/testing.h"
#include "platform/ui/win_util.h"
#include "../timing.h"

namespace {

using vt::bench::median;
using vt::bench::secondsOf;

const char* kPeriodQuery =
    "select * from tblKwitansi where tgl >=#01/01/2025# and tgl<=#12/31/2026#  order by nokwitansi";

std::string folder() {
  wchar_t buf[MAX_PATH];
  GetTempPathW(MAX_PATH, buf);
  return ui::Narrow(buf) + "vt-bench-report-" + std::to_string(GetCurrentProcessId());
}

// A database of n receipts over two years, with the institution row.
std::string makeDatabase(const std::string& dir, int n) {
  const std::string path = dir + "\\base-" + std::to_string(n) + ".mdb";
  db::createProgramDatabase(path);
  auto cn = db::Connection::create();
  cn->open("Data Source=" + path);
  cn->execute("insert into tblset (namalembaga, alamat) values ('Yayasan Pendidikan Nusantara', 'Jl. Merdeka 17')");
  cn->beginTrans();
  for (int i = 0; i < n; ++i) {
    const vb::Date d{vb::Date::fromParts(2025, 1, 1).serial + i % 730};
    char sql[512];
    std::snprintf(sql, sizeof sql,
                  "insert into tblkwitansi (NoKwitansi, NoPasport, SudahTerima, Matauang, Nominal, untuk, "
                  "TempatDiterima, tgl, oleh) values ('%03d/%02d/%04d', 'KW-', 'Pembayar nomor %d', '%s', "
                  "'%d,%03d', 'Pembayaran uang sekolah bulan ke-%d', 'Bandung', '%02d/%02d/%04d', 'Siti')",
                  (i / 730) % 999 + 1, d.month(), d.year(), i, i % 7 ? "Rp." : "USD", 1 + i % 900, i % 1000,
                  i % 12 + 1, d.day(), d.month(), d.year());
    cn->execute(sql);
  }
  cn->commitTrans();
  cn->close();
  return path;
}

std::string templatePath() {
  const char* src = std::getenv("VT_SOURCE_DIR");
  std::string unix = std::string(src ? src : ".") + "/resources/program/temp/04.rep";
  std::string win = "Z:";
  for (char c : unix) win += c == '/' ? '\\' : c;
  return win;
}

void bind(report::ReportManager& rm, const std::string& database) {
  rm.ReportTemplate(templatePath());
  rm.ReportTitle("Cetak Kwitansi");
  rm.BindConnection("gg", "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + database);
  rm.BindDatasetQuery("datasiswa", kPeriodQuery);
  rm.BindParameter("p_01", "Periode : 01 January 2025 - 31 December 2026");
}

// Opens the report and shows its preview; returns the seconds until the
// first page is painted.
double firstPage(const std::string& database) {
  double shown = 0;
  const auto t0 = std::chrono::steady_clock::now();
  ui::testing::onShown([&](ui::Form& f) {
    auto& p = static_cast<report::PreviewWindow&>(f);
    UpdateWindow(p.View.hwnd());
    shown = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    p.Unload();
  });
  report::ReportManager rm;
  bind(rm, database);
  rm.Preview(true);
  rm.RunReport();
  return shown;
}

}  // namespace

int main() {
  const int rows = 100000;
  const std::string dir = folder();
  std::filesystem::create_directories(ui::Widen(dir));
  const std::string big = makeDatabase(dir, rows), small = makeDatabase(dir, 10);
  const report::TemplateDef def = report::loadTemplate(templatePath());

  std::vector<double> reads, layouts, draws;
  long pages = 0;
  for (int round = 0; round < 3; ++round) {
    // Reading: every field of every row of the period query.
    std::vector<std::string> columns;
    std::vector<std::vector<vb::Variant>> table;
    reads.push_back(secondsOf([&] {
      auto cn = db::Connection::create();
      cn->open("Data Source=" + big);
      db::Recordset rs;
      rs.open(kPeriodQuery, cn);
      for (int i = 0; i < rs.fieldCount(); ++i) columns.push_back(rs.field(i).name());
      table.reserve(rows);
      while (!rs.eof()) {
        std::vector<vb::Variant> row;
        row.reserve(columns.size());
        for (int i = 0; i < rs.fieldCount(); ++i) row.push_back(rs.field(i).value());
        table.push_back(std::move(row));
        rs.moveNext();
      }
      rs.close();
      cn->close();
    }));
    // Laying out every page from those rows.
    std::map<std::string, std::unique_ptr<report::RowSource>> others;
    others["lembaga"] = std::make_unique<report::TableRows>(
        std::vector<std::string>{"namalembaga", "alamat"},
        std::vector<std::vector<vb::Variant>>{{vb::Variant("Yayasan Pendidikan Nusantara"), vb::Variant("Jl. Merdeka")}});
    report::TemplateDocument doc(def, std::make_unique<report::TableRows>(columns, std::move(table)), std::move(others),
                                 {{"p_01", "Periode : 01 January 2025 - 31 December 2026"}});
    layouts.push_back(secondsOf([&] { doc.layoutAll(); }));
    pages = static_cast<long>(doc.pages.size());
    // Drawing one page into a bitmap at 150 dpi.
    const int w = 1240, h = 1754;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    draws.push_back(secondsOf([&] {
      RECT all{0, 0, w, h};
      FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      report::drawPage(mem, doc, doc.pages[1], report::Viewport::forDpi(150, 150));
    }));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
  }
  std::vector<double> firstBig, firstSmall;
  for (int round = 0; round < 5; ++round) {
    firstBig.push_back(firstPage(big));
    firstSmall.push_back(firstPage(small));
  }
  std::printf("period report over %d receipts (%ld pages): read %.1f ms, layout %.1f ms, one page drawn %.2f ms\n",
              rows, pages, median(reads) * 1e3, median(layouts) * 1e3, median(draws) * 1e3);
  std::printf("preview's first page on screen: %d rows %.1f ms, 10 rows %.1f ms\n", rows, median(firstBig) * 1e3,
              median(firstSmall) * 1e3);
  std::printf("ratio report layout/read: %.2f\n", median(layouts) / median(reads));
  std::printf("ratio report first page 100000/10 rows: %.2f\n", median(firstBig) / median(firstSmall));
  std::error_code ec;
  std::filesystem::remove_all(ui::Widen(dir), ec);
  return 0;
}
