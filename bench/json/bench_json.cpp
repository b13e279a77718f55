// Throughput of the JSON reader and the string builder.
//
// Reader: three generated documents shaped like the usual benchmark files
// (many small objects; long numeric arrays; deep mixed nesting), a few MB
// each, read by our reader and by nlohmann/json from the same document in
// memory (our reader from its 16-bit form, made once beforehand, as the
// program holds its texts). Printed: "ratio json/nlohmann <document>: N", our
// throughput over theirs. Then each document ten times larger, read in turn
// with the smaller: "ratio json 10x/1x <document>: N", the time of the
// larger over the smaller (linear reading gives about 10; the goal is at
// most 12).
//
// Builder: appends of 8 to 32 character pieces, about a million characters
// a round, into a new builder, into a new std::u16string reserved to the
// final size, and by memcpy into a buffer made beforehand. Printed:
// "ratio builder/u16string: N" and "ratio builder/memcpy: N", throughput
// over throughput.
//
// The two readers are compared, and the growth measured, in rounds that take
// both sides in turn, so that both meet the same load of a shared machine;
// the median quotient is printed. The builder's benchmarks run five times
// and their fastest rounds are compared: others' work only ever adds time.
// json/ and nlohmann/ alone show each reader's throughput. Memory freed by
// a round stays with the process, so that every round measures the reading
// rather than the system handing out fresh pages.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "json/json.h"
#include "json/string_builder.h"
#include "json/utf.h"
#include "../timing.h"

namespace {

using vt::bench::median;
using vt::bench::secondsOf;

// A fixed sequence of numbers, so that every run reads the same documents.
struct Random {
  uint64_t state = 0x9E3779B97F4A7C15ull;
  uint32_t next() {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(state >> 33);
  }
  uint32_t below(uint32_t n) { return next() % n; }
};

std::string word(Random& r) {
  static const char* words[] = {"kwitansi", "pembayaran", "Bandung", "Dewi", "lunas", "cicilan",
                                "sekolah", "bulan", "Desember", "koperasi", "nomor", "tunai"};
  return words[r.below(12)];
}

std::string number(Random& r, bool fraction) {
  std::string s = (r.below(4) == 0 ? "-" : "") + std::to_string(r.below(1000000));
  if (fraction) s += "." + std::to_string(100000000 + r.below(900000000));
  return s;
}

// Many small objects, as a list of records.
std::string objectsDocument(size_t bytes) {
  Random r;
  std::string s = "[";
  for (int i = 0; s.size() < bytes; ++i) {
    if (i) s += ",\n";
    s += "{\"id\":" + std::to_string(i) + ",\"nama\":\"" + word(r) + " " + word(r) +
         "\",\"nominal\":" + number(r, r.below(2)) + ",\"lunas\":" + (r.below(2) ? "true" : "false") +
         ",\"catatan\":null,\"kota\":\"" + word(r) + "\",\"tag\":[\"" + word(r) + "\",\"" + word(r) + "\"]}";
  }
  return s + "]";
}

// Long arrays of coordinates, as in a map's outlines.
std::string numbersDocument(size_t bytes) {
  Random r;
  std::string s = "{\"type\":\"FeatureCollection\",\"coordinates\":[";
  for (int i = 0; s.size() < bytes; ++i) {
    s += i ? ",[" : "[";
    for (int k = 0; k < 500; ++k) {
      if (k) s += ",";
      s += "[" + number(r, true) + "," + number(r, true) + "]";
    }
    s += "]";
  }
  return s + "]}";
}

// Objects and arrays nested to varying depths, texts with escapes and
// characters beyond ASCII, as in a feed of messages. An item stops growing
// past the limit, so that the document's size follows the one asked for.
void nested(Random& r, std::string& s, int depth, size_t limit) {
  if (depth == 0 || r.below(5) == 0 || s.size() > limit) {
    switch (r.below(5)) {
      case 0: s += "\"" + word(r) + " \\\"" + word(r) + "\\\"\\n\\u00e9 Rp \xE2\x82\xAC\""; break;
      case 1: s += number(r, r.below(2)); break;
      case 2: s += r.below(2) ? "true" : "false"; break;
      case 3: s += "null"; break;
      default: s += "\"" + word(r) + "\"";
    }
    return;
  }
  const int n = 1 + static_cast<int>(r.below(5));
  if (r.below(2)) {
    s += "{";
    for (int i = 0; i < n; ++i) {
      if (i) s += ",";
      s += "\"" + word(r) + std::to_string(i) + "\":";
      nested(r, s, depth - 1, limit);
    }
    s += "}";
  } else {
    s += "[";
    for (int i = 0; i < n; ++i) {
      if (i) s += ",";
      nested(r, s, depth - 1, limit);
    }
    s += "]";
  }
}

std::string nestedDocument(size_t bytes) {
  Random r;
  std::string s = "{\"statuses\":[";
  for (int i = 0; s.size() < bytes; ++i) {
    if (i) s += ",";
    nested(r, s, 12, s.size() + 8192);
  }
  return s + "]}";
}

struct Document {
  std::string name, utf8;
  std::u16string utf16;
};

std::vector<Document>& documents() {
  static std::vector<Document> docs;
  return docs;
}

// Both readers in turn on the same document, each round starting with the
// other, so that both meet the same load of the machine; the median of the
// rounds' quotients (their time over ours: our throughput over theirs).
void Versus(benchmark::State& state, const Document* d) {
  std::vector<double> quotients;
  auto ours = [&] {
    auto root = json::Parse(d->utf16);
    benchmark::DoNotOptimize(root);
  };
  auto theirs = [&] {
    auto root = nlohmann::json::parse(d->utf8);
    benchmark::DoNotOptimize(root);
  };
  for (auto _ : state) {
    double a, b;
    if (quotients.size() % 2) {
      b = secondsOf(theirs);
      a = secondsOf(ours);
    } else {
      a = secondsOf(ours);
      b = secondsOf(theirs);
    }
    quotients.push_back(b / a);
    state.SetIterationTime(a + b);
  }
  state.counters["ratio"] = median(quotients);
}

void Ours(benchmark::State& state, const Document* d) {
  for (auto _ : state) {
    auto root = json::Parse(d->utf16);
    benchmark::DoNotOptimize(root);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d->utf8.size()));
}

void Theirs(benchmark::State& state, const Document* d) {
  for (auto _ : state) {
    auto root = nlohmann::json::parse(d->utf8);
    benchmark::DoNotOptimize(root);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d->utf8.size()));
}

// Ten readings of a document against one of the document ten times larger,
// taken in turn so that both meet the same load of the machine; the median
// of the rounds' quotients is the growth.
void Growth(benchmark::State& state, const Document* small, const Document* large) {
  std::vector<double> quotients;
  auto read = [](const Document* d) {
    return secondsOf([d] {
      auto root = json::Parse(d->utf16);
      benchmark::DoNotOptimize(root);
    });
  };
  for (auto _ : state) {
    double smallTime = 0;
    for (int i = 0; i < 10; ++i) smallTime += read(small);
    const double largeTime = read(large);
    quotients.push_back(largeTime / (smallTime / 10));
    state.SetIterationTime(smallTime + largeTime);
  }
  state.counters["growth"] = median(quotients);
}

// The pieces of one round of appends, 8 to 32 characters each.
struct Pieces {
  std::u16string text;
  std::vector<std::pair<size_t, size_t>> spans;  // offset, length
  size_t total = 0;
};

const Pieces& pieces() {
  static const Pieces p = [] {
    Pieces p;
    Random r;
    while (p.total < 1000000) {
      const size_t n = 8 + r.below(25);
      p.spans.emplace_back(p.text.size(), n);
      for (size_t k = 0; k < n; ++k) p.text += static_cast<char16_t>(u'a' + r.below(26));
      p.total += n;
    }
    return p;
  }();
  return p;
}

void BuilderAppend(benchmark::State& state) {
  const Pieces& p = pieces();
  for (auto _ : state) {
    json::StringBuilder sb;
    for (const auto& s : p.spans) sb.Append(std::u16string_view(p.text.data() + s.first, s.second));
    benchmark::DoNotOptimize(sb.view().data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * p.total * 2));
}

void U16StringAppend(benchmark::State& state) {
  const Pieces& p = pieces();
  for (auto _ : state) {
    std::u16string out;
    out.reserve(p.total);
    for (const auto& s : p.spans) out.append(p.text.data() + s.first, s.second);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * p.total * 2));
}

void MemcpyAppend(benchmark::State& state) {
  const Pieces& p = pieces();
  std::vector<char16_t> buffer(p.total);
  for (auto _ : state) {
    char16_t* at = buffer.data();
    for (const auto& s : p.spans) {
      std::memcpy(at, p.text.data() + s.first, s.second * 2);
      at += s.second;
    }
    benchmark::DoNotOptimize(buffer.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * p.total * 2));
}

// Keeps the fastest round of each benchmark besides printing the table.
class Fastest : public benchmark::ConsoleReporter {
public:
  std::map<std::string, double> time, growth, versus;
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "min")
        time[r.run_name.function_name] = r.GetAdjustedRealTime();
      else if (r.counters.count("growth"))
        growth[r.run_name.function_name] = r.counters.at("growth").value;
      else if (r.counters.count("ratio"))
        versus[r.run_name.function_name] = r.counters.at("ratio").value;
  }
};

}  // namespace

// Five rounds each; only the aggregates are printed, the fastest compared.
void rounds(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true)->ComputeStatistics(
      "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

int main(int argc, char** argv) {
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  benchmark::Initialize(&argc, argv);
  benchmark::AddCustomContext("documents", "3 MB each, and ten times that");
  Fastest fastest;

  // The builder first, on a heap that no document has been through.
  rounds(benchmark::RegisterBenchmark("builder", BuilderAppend));
  rounds(benchmark::RegisterBenchmark("u16string", U16StringAppend));
  rounds(benchmark::RegisterBenchmark("memcpy", MemcpyAppend));
  benchmark::RunSpecifiedBenchmarks(&fastest);
  benchmark::ClearRegisteredBenchmarks();

  const size_t size = 3 << 20;
  struct Maker {
    const char* name;
    std::string (*make)(size_t);
  };
  const Maker makers[] = {{"objects", objectsDocument}, {"numbers", numbersDocument}, {"nested", nestedDocument}};
  documents().reserve(6);
  for (const Maker& m : makers) {
    for (size_t scale : {size_t{1}, size_t{10}}) {
      Document d;
      d.name = std::string(m.name) + (scale == 1 ? "" : "_10x");
      d.utf8 = m.make(size * scale);
      d.utf16 = json::toUtf16(d.utf8);
      // Both readers must take the whole document without a fault.
      json::Parse(d.utf16);
      if (!json::ParseErrors().empty() || !nlohmann::json::accept(d.utf8)) {
        std::fprintf(stderr, "document %s does not read cleanly\n", d.name.c_str());
        return 1;
      }
      documents().push_back(std::move(d));
    }
  }
  for (size_t i = 0; i < documents().size(); i += 2) {
    const Document* d = &documents()[i];
    rounds(benchmark::RegisterBenchmark(("json/" + d->name).c_str(), Ours, d));
    rounds(benchmark::RegisterBenchmark(("nlohmann/" + d->name).c_str(), Theirs, d));
    benchmark::RegisterBenchmark(("versus/" + d->name).c_str(), Versus, d)
        ->UseManualTime()->Iterations(11)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("growth/" + d->name).c_str(), Growth, d, d + 1)
        ->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
  }
  benchmark::RunSpecifiedBenchmarks(&fastest);
  benchmark::Shutdown();

  auto& t = fastest.time;
  auto ratio = [&](const std::string& line, const std::string& num, const std::string& den) {
    if (t.count(num) && t.count(den)) std::printf("ratio %s: %.2f\n", line.c_str(), t[num] / t[den]);
  };
  for (const Maker& m : makers) {
    const std::string n = m.name;
    if (fastest.versus.count("versus/" + n))
      std::printf("ratio json/nlohmann %s: %.2f\n", n.c_str(), fastest.versus["versus/" + n]);
  }
  for (const Maker& m : makers) {
    const std::string n = m.name;
    if (fastest.growth.count("growth/" + n))
      std::printf("ratio json 10x/1x %s: %.2f\n", n.c_str(), fastest.growth["growth/" + n]);
  }
  ratio("builder/u16string", "u16string", "builder");
  ratio("builder/memcpy", "memcpy", "builder");
  return 0;
}
