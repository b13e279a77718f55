// The database layer against the same work written directly on SQLite's C
// API: 100,000 receipts over two years, inserted, then read by the register's
// one-day and one-month queries and by the receipt-number query.
//
// Each workload runs once untimed on both sides, then several times with the
// two sides taking turns; the median of each side is compared, so that one
// slow moment of the machine (an fsync, another build) does not decide a
// ratio. Both sides insert into copies of one freshly made file and keep the
// layer's durability (synchronous=FULL). Environment: VT_BENCH_REPS (default
// 7), VT_BENCH_RECEIPTS (default 100000, smaller for profiling runs),
// VT_BENCH_ONLY (insert, day, month, number, or several with commas: time only those).
#include <sqlite3.h>

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
#include "platform/vb/date.h"
#include "../timing.h"

namespace {

namespace fs = std::filesystem;

constexpr int kDays = 730;
const vb::Date kFirstDay = vb::Date::fromParts(2025, 1, 1);

int envInt(const char* name, int fallback) {
  const char* v = std::getenv(name);
  return v && std::atoi(v) > 0 ? std::atoi(v) : fallback;
}

struct Receipt {
  std::string no, payer, nominal, tgl;  // tgl as the program writes it, "dd/mm/yyyy"
};

std::vector<Receipt> makeReceipts(int count) {
  std::vector<Receipt> out;
  out.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const vb::Date d{kFirstDay.serial + i % kDays};
    char no[16], tgl[16], nominal[24];
    std::snprintf(no, sizeof no, "%03d/%02d/%04d", (i / kDays) % 999 + 1, d.month(), d.year());
    std::snprintf(tgl, sizeof tgl, "%02d/%02d/%04d", d.day(), d.month(), d.year());
    std::snprintf(nominal, sizeof nominal, "%d,%03d", 1 + i % 900, i % 1000);
    out.push_back({no, "Pembayar nomor " + std::to_string(i), nominal, tgl});
  }
  return out;
}

// Runs both sides once untimed, then reps times each, taking turns; prints
// the medians and the ratio.
void compare(const char* what, int reps, const std::function<void()>& warmLayer,
             const std::function<void()>& warmDirect, const std::function<double(int)>& layer,
             const std::function<double(int)>& direct) {
  const char* only = std::getenv("VT_BENCH_ONLY");
  if (only && *only && ("," + std::string(only) + ",").find("," + std::string(what) + ",") == std::string::npos)
    return;
  if (warmLayer) warmLayer();
  if (warmDirect) warmDirect();
  std::vector<double> l, d;
  for (int r = 0; r < reps; ++r) {
    if (r % 2) {
      d.push_back(direct(r));
      l.push_back(layer(r));
    } else {
      l.push_back(layer(r));
      d.push_back(direct(r));
    }
  }
  const double ml = vt::bench::median(l), md = vt::bench::median(d);
  std::printf("%-7s layer %8.4f s (min %8.4f)  direct %8.4f s (min %8.4f)  median of %d\n", what, ml,
              *std::min_element(l.begin(), l.end()), md, *std::min_element(d.begin(), d.end()), reps);
  std::printf("ratio %s: %.2f\n", what, ml / md);
  std::fflush(stdout);
}

// Day serial of "dd/mm/yyyy", as a direct program would work it out.
double serialOfText(const std::string& t) {
  int d = 0, m = 0, y = 0;
  std::sscanf(t.c_str(), "%d/%d/%d", &d, &m, &y);
  return vb::Date::fromParts(y, m, d).serial;
}

// Reads every column of every row into the C++ value a direct program keeps;
// both sides tally numbers as nonzero and texts by length, so the sums match.
long readAllDirect(sqlite3_stmt* st) {
  long touched = 0;
  while (sqlite3_step(st) == SQLITE_ROW) {
    const int n = sqlite3_column_count(st);
    for (int i = 0; i < n; ++i) {
      switch (sqlite3_column_type(st, i)) {
        case SQLITE_INTEGER: touched += sqlite3_column_int64(st, i) != 0; break;
        case SQLITE_FLOAT: touched += sqlite3_column_double(st, i) != 0; break;
        case SQLITE_TEXT: {
          std::string s(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                        static_cast<size_t>(sqlite3_column_bytes(st, i)));
          touched += static_cast<long>(s.size());
          break;
        }
        default: break;
      }
    }
  }
  sqlite3_reset(st);
  return touched;
}

long readAllLayer(db::Recordset& rs) {
  long touched = 0;
  const int n = rs.fieldCount();
  for (; !rs.eof(); rs.moveNext())
    for (int i = 0; i < n; ++i) {
      const vb::Variant& v = rs.field(i).value();
      switch (v.type()) {
        case vb::VarType::Long: touched += v.longValue() != 0; break;
        case vb::VarType::Date: touched += v.dateValue().serial != 0; break;
        case vb::VarType::Double: touched += v.doubleValue() != 0; break;
        case vb::VarType::String: touched += static_cast<long>(v.stringValue().size()); break;
        default: break;
      }
    }
  return touched;
}

std::string mmddyyyy(vb::Date d) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d.month(), d.day(), d.year());
  return buf;
}

const char* const kNumberQuery =
    "SELECT Left(nokwitansi,3) AS NOurut FROM tblkwitansi WHERE Month(CDate('01/' & Mid(nokwitansi,5))) = "
    "Month(Now()) AND Year(CDate('01/' & Mid(nokwitansi,5))) = Year(Now()) ORDER BY Left(nokwitansi,3) DESC";

// --- inserts -----------------------------------------------------------------

double insertLayer(const std::string& path, const std::vector<Receipt>& receipts) {
  auto cn = db::Connection::create();
  cn->open("Data Source=" + path);
  const double t = vt::bench::secondsOf([&] {
    cn->beginTrans();
    db::Recordset rs;
    for (size_t i = 0; i < receipts.size(); ++i) {
      if (i % 1000 == 0) {  // the entry dialog opens a fresh recordset for its saves
        if (rs.isOpen()) rs.close();
        rs.open("select * from tblKwitansi where NoKwitansi = ''", cn, db::adOpenKeyset, db::adLockOptimistic);
      }
      const Receipt& r = receipts[i];
      rs.addNew();
      rs.field("NoKwitansi").setValue(r.no);
      rs.field("NoPasport").setValue("KW-");
      rs.field("SudahTerima").setValue(r.payer);
      rs.field("Matauang").setValue("Rp.");
      rs.field("Nominal").setValue(r.nominal);
      rs.field("untuk").setValue("Pembayaran SPP");
      rs.field("Catatan").setValue("Lunas");
      rs.field("TempatDiterima").setValue("Jakarta");
      rs.field("tgl").setValue(r.tgl);
      rs.field("oleh").setValue("Siti");
      rs.field("terbilang").setValue("Seratus Ribu ");
      rs.update();
    }
    cn->commitTrans();
  });
  cn->close();
  return t;
}

sqlite3* openDirect(const std::string& path) {
  sqlite3* raw = nullptr;
  if (sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    std::fprintf(stderr, "cannot open %s\n", path.c_str());
    std::exit(1);
  }
  sqlite3_exec(raw, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);  // as the layer opens
  return raw;
}

double insertDirect(const std::string& path, const std::vector<Receipt>& receipts) {
  sqlite3* raw = openDirect(path);
  const double t = vt::bench::secondsOf([&] {
    sqlite3_exec(raw, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* ins = nullptr;
    sqlite3_prepare_v2(raw,
                       "INSERT INTO tblkwitansi (NoKwitansi, NoPasport, SudahTerima, Matauang, Nominal, untuk, "
                       "Catatan, TempatDiterima, tgl, oleh, terbilang) VALUES (?,?,?,?,?,?,?,?,?,?,?)",
                       -1, &ins, nullptr);
    for (const Receipt& r : receipts) {
      sqlite3_bind_text(ins, 1, r.no.c_str(), -1, SQLITE_STATIC);
      sqlite3_bind_text(ins, 2, "KW-", -1, SQLITE_STATIC);
      sqlite3_bind_text(ins, 3, r.payer.c_str(), -1, SQLITE_STATIC);
      sqlite3_bind_text(ins, 4, "Rp.", -1, SQLITE_STATIC);
      sqlite3_bind_text(ins, 5, r.nominal.c_str(), -1, SQLITE_STATIC);
      sqlite3_bind_text(ins, 6, "Pembayaran SPP", -1, SQLITE_STATIC);
      sqlite3_bind_text(ins, 7, "Lunas", -1, SQLITE_STATIC);
      sqlite3_bind_text(ins, 8, "Jakarta", -1, SQLITE_STATIC);
      sqlite3_bind_double(ins, 9, serialOfText(r.tgl));
      sqlite3_bind_text(ins, 10, "Siti", -1, SQLITE_STATIC);
      sqlite3_bind_text(ins, 11, "Seratus Ribu ", -1, SQLITE_STATIC);
      sqlite3_step(ins);
      sqlite3_reset(ins);
    }
    sqlite3_finalize(ins);
    sqlite3_exec(raw, "COMMIT", nullptr, nullptr, nullptr);
  });
  sqlite3_close_v2(raw);
  return t;
}

}  // namespace

int main() {
  const int reps = envInt("VT_BENCH_REPS", 7);
  const int receiptCount = envInt("VT_BENCH_RECEIPTS", 100000);
  const fs::path dir = fs::temp_directory_path() / "vt-bench-db";
  fs::remove_all(dir);
  fs::create_directories(dir);
  // Every insert starts from a copy of this one new program database.
  const std::string blank = (dir / "blank.mdb").string();
  db::createProgramDatabase(blank);
  {
    sqlite3* raw = openDirect(blank);
    sqlite3_exec(raw, "ALTER TABLE tblkwitansi ADD COLUMN terbilang MEMO COLLATE NOCASE", nullptr, nullptr, nullptr);
    sqlite3_close_v2(raw);
  }
  const std::vector<Receipt> receipts = makeReceipts(receiptCount);
  const std::string layerPath = (dir / "layer.mdb").string(), directPath = (dir / "direct.mdb").string();
  auto fresh = [&](const std::string& path) {
    fs::copy_file(blank, path, fs::copy_options::overwrite_existing);
    return path;
  };

  // (a) inserts, each run into a fresh copy; the last run's files are queried below.
  insertLayer(fresh(layerPath), receipts);
  insertDirect(fresh(directPath), receipts);
  compare(
      "insert", reps, [&] { insertLayer(fresh(layerPath), receipts); },
      [&] { insertDirect(fresh(directPath), receipts); },
      [&](int) { return insertLayer(fresh(layerPath), receipts); },
      [&](int) { return insertDirect(fresh(directPath), receipts); });

  auto cn = db::Connection::create();
  cn->open("Data Source=" + layerPath);
  sqlite3* raw = openDirect(directPath);
  long sumLayer = 0, sumDirect = 0;

  // (b) the register's one-day query, every field of every row read
  const int kDaysQueried = 200;
  auto dayLayer = [&] {
    long sum = 0;
    for (int k = 0; k < kDaysQueried; ++k) {
      const vb::Date day{kFirstDay.serial + (k * 7) % kDays};
      db::Recordset rs;
      rs.open("select * from tblKwitansi where tgl =#" + mmddyyyy(day) + "#  order by nokwitansi", cn);
      sum += readAllLayer(rs);
      rs.close();
    }
    return sum;
  };
  auto dayDirect = [&] {
    long sum = 0;
    sqlite3_stmt* q = nullptr;
    sqlite3_prepare_v2(raw, "select * from tblKwitansi where tgl = ?1 order by nokwitansi", -1, &q, nullptr);
    for (int k = 0; k < kDaysQueried; ++k) {
      sqlite3_bind_double(q, 1, kFirstDay.serial + (k * 7) % kDays);
      sum += readAllDirect(q);
    }
    sqlite3_finalize(q);
    return sum;
  };
  compare(
      "day", reps, [&] { sumLayer += dayLayer(); }, [&] { sumDirect += dayDirect(); },
      [&](int) { return vt::bench::secondsOf([&] { sumLayer += dayLayer(); }); },
      [&](int) { return vt::bench::secondsOf([&] { sumDirect += dayDirect(); }); });

  // (c) a one-month range
  const int kMonths = 24;
  auto monthLayer = [&] {
    long sum = 0;
    for (int k = 0; k < kMonths; ++k) {
      const vb::Date a = vb::Date::fromParts(2025 + k / 12, k % 12 + 1, 1);
      const vb::Date b = vb::Date::fromParts(2025 + k / 12, k % 12 + 1, 28);
      db::Recordset rs;
      rs.open("select * from tblKwitansi where tgl >=#" + mmddyyyy(a) + "# and tgl<=#" + mmddyyyy(b) +
                  "#  order by nokwitansi",
              cn);
      sum += readAllLayer(rs);
      rs.close();
    }
    return sum;
  };
  auto monthDirect = [&] {
    long sum = 0;
    sqlite3_stmt* q = nullptr;
    sqlite3_prepare_v2(raw, "select * from tblKwitansi where tgl >= ?1 and tgl <= ?2 order by nokwitansi", -1, &q,
                       nullptr);
    for (int k = 0; k < kMonths; ++k) {
      sqlite3_bind_double(q, 1, vb::Date::fromParts(2025 + k / 12, k % 12 + 1, 1).serial);
      sqlite3_bind_double(q, 2, vb::Date::fromParts(2025 + k / 12, k % 12 + 1, 28).serial);
      sum += readAllDirect(q);
    }
    sqlite3_finalize(q);
    return sum;
  };
  compare(
      "month", reps, [&] { sumLayer += monthLayer(); }, [&] { sumDirect += monthDirect(); },
      [&](int) { return vt::bench::secondsOf([&] { sumLayer += monthLayer(); }); },
      [&](int) { return vt::bench::secondsOf([&] { sumDirect += monthDirect(); }); });

  // (d) the receipt-number query of the current month; the program reads its first row
  vb::setClock([] { return vb::Date::fromParts(2026, 6, 15); });
  const int kNumberRuns = 10;
  auto numberLayer = [&] {
    long sum = 0;
    for (int k = 0; k < kNumberRuns; ++k) {
      db::Recordset rs;
      rs.open(kNumberQuery, cn);
      if (!rs.eof()) sum += static_cast<long>(rs.field(0).value().stringValue().size());
      rs.close();
    }
    return sum;
  };
  auto numberDirect = [&] {
    long sum = 0;
    sqlite3_stmt* q = nullptr;
    // The same selection by the stored month and year, with SQLite's own functions.
    sqlite3_prepare_v2(raw,
                       "SELECT substr(NoKwitansi,1,3) AS NOurut FROM tblkwitansi WHERE "
                       "CAST(substr(NoKwitansi,5,2) AS INTEGER) = ?1 AND CAST(substr(NoKwitansi,8,4) AS INTEGER) = ?2 "
                       "ORDER BY substr(NoKwitansi,1,3) DESC",
                       -1, &q, nullptr);
    for (int k = 0; k < kNumberRuns; ++k) {
      const vb::Date now = vb::now();
      sqlite3_bind_int(q, 1, now.month());
      sqlite3_bind_int(q, 2, now.year());
      if (sqlite3_step(q) == SQLITE_ROW) sum += sqlite3_column_bytes(q, 0);
      sqlite3_reset(q);
    }
    sqlite3_finalize(q);
    return sum;
  };
  compare(
      "number", reps, [&] { sumLayer += numberLayer(); }, [&] { sumDirect += numberDirect(); },
      [&](int) { return vt::bench::secondsOf([&] { sumLayer += numberLayer(); }); },
      [&](int) { return vt::bench::secondsOf([&] { sumDirect += numberDirect(); }); });

  std::printf("(values touched: layer %ld, direct %ld)\n", sumLayer, sumDirect);
  cn->close();
  sqlite3_close_v2(raw);
  if (!std::getenv("VT_BENCH_KEEP")) fs::remove_all(dir);
  return 0;
}
