// Exporting a list of 100,000 rows of 10 texts to .xls (cells typed in,
// widths fitted, saved), against writing the same texts to a CSV file. A
// sheet holds 65,536 rows, so the .xls takes the list's second half beside
// its first: 50,000 rows of 20 cells, the same million texts.
// Each side runs several times; the medians are compared:
// "ratio xls/csv: N".
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/vb/locale.h"
#include "platform/xls/xls.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 100000, kColumns = 10;

// The register's texts as its list shows them, plus a note column.
const std::vector<std::string>& texts() {
  static const std::vector<std::string> all = [] {
    const char* payers[] = {"Budi Santoso", "Dévi Anggraini", "PT Maju Jaya", "Siti Nurhaliza",
                            "Ahmad Fauzi", "CV Sumber Rejeki", "Rina Wulandari", "Yayasan Harapan"};
    const char* purposes[] = {"Pembayaran SPP bulan Desember", "Uang pangkal", "Cicilan ke-3",
                              "Biaya wisuda", "Iuran kas kelas", "Sewa gedung"};
    std::vector<std::string> v;
    v.reserve(size_t(kRows) * kColumns);
    char buf[64];
    for (int i = 1; i <= kRows; ++i) {
      v.push_back(std::to_string(i));
      std::snprintf(buf, sizeof buf, "KW%05d/%02d/2026", i % 100000, 1 + i % 12);
      v.push_back(buf);
      v.push_back(payers[i % 8]);
      v.push_back(i % 9 ? "IDR" : "USD");
      const long amount = 25000L * (i % 400 + 1);
      std::snprintf(buf, sizeof buf, "%ld.%03ld.%03ld", amount / 1000000, amount / 1000 % 1000, amount % 1000);
      v.push_back(amount >= 1000000 ? buf : std::to_string(amount));
      v.push_back(purposes[i % 6]);
      v.push_back(i % 2 ? "Jakarta" : "Bandung");
      std::snprintf(buf, sizeof buf, "%02d/%02d/2026", 1 + i % 28, 1 + i % 12);
      v.push_back(buf);
      v.push_back(i % 3 ? "Admin" : "Bendahara");
      v.push_back(i % 5 ? "" : "lunas");
    }
    return v;
  }();
  return all;
}

fs::path out(const char* name) { return fs::temp_directory_path() / name; }

void BM_Xls(benchmark::State& state) {
  const auto& t = texts();
  const std::string path = out("vt_bench.xls").string();
  for (auto _ : state) {
    xls::Workbook book;
    xls::Worksheet& sheet = book.Sheet();
    for (int half = 0; half < 2; ++half) {
      sheet.NumberFormat(half * kColumns + 1, "@");
      sheet.NumberFormat(half * kColumns + 5, "@");
    }
    constexpr int kSheetRows = kRows / 2;
    for (int r = 0; r < kSheetRows; ++r)
      for (int half = 0; half < 2; ++half) {
        const size_t first = size_t(r + half * kSheetRows) * kColumns;
        for (int c = 0; c < kColumns; ++c) sheet.Cell(r + 1, half * kColumns + c + 1, t[first + c]);
      }
    sheet.AutoFit();
    book.SaveAs(path);
  }
  fs::remove(path);
}

// The plain way to write a list: fields joined by commas, quoted when needed,
// through one buffer.
void BM_Csv(benchmark::State& state) {
  const auto& t = texts();
  const std::string path = out("vt_bench.csv").string();
  for (auto _ : state) {
    FILE* f = std::fopen(path.c_str(), "wb");
    std::string line;
    for (int r = 0; r < kRows; ++r) {
      line.clear();
      for (int c = 0; c < kColumns; ++c) {
        const std::string& s = t[size_t(r) * kColumns + c];
        if (c) line += ',';
        if (s.find_first_of(",\"\n") == std::string::npos) {
          line += s;
        } else {
          line += '"';
          for (char ch : s) {
            if (ch == '"') line += '"';
            line += ch;
          }
          line += '"';
        }
      }
      line += "\r\n";
      std::fwrite(line.data(), 1, line.size(), f);
    }
    if (std::fclose(f) != 0) state.SkipWithError("cannot write the CSV file");
  }
  fs::remove(path);
}

BENCHMARK(BM_Xls)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7)->UseRealTime()
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Csv)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7)->UseRealTime()
    ->ReportAggregatesOnly(true);

// Keeps each benchmark's median beside the usual console report.
class Medians : public benchmark::ConsoleReporter {
public:
  // Without colours, so that the ratio line starts the line.
  Medians() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.aggregate_name == "median") median[r.run_name.function_name] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> median;
};

}  // namespace

int main(int argc, char** argv) {
  vb::setCurrentLocale(vb::Locale::indonesian());
  texts();  // made before any timing
  benchmark::Initialize(&argc, argv);
  Medians reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto xls = reporter.median.find("BM_Xls"), csv = reporter.median.find("BM_Csv");
  if (xls == reporter.median.end() || csv == reporter.median.end() || csv->second <= 0) return 1;
  std::printf("ratio xls/csv: %.2f\n", xls->second / csv->second);
  return 0;
}
