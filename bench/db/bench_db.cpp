// The database layer against the same work written directly on SQLite's C
// API: 100,000 receipts over two years, inserted, then read by the register's
// one-day and one-month queries and by the receipt-number query.
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/db/db.h"
#include "platform/db/schema.h"
#include "platform/vb/date.h"

namespace {

constexpr int kReceipts = 100000;
constexpr int kDays = 730;
// A function, not a global: the date routines must not run during static initialisation.
vb::Date firstDay() { return vb::Date::fromParts(2025, 1, 1); }

struct Receipt {
  std::string no, payer, nominal, tgl;  // tgl as the program writes it, "dd/mm/yyyy"
};

std::vector<Receipt> makeReceipts() {
  std::vector<Receipt> out;
  out.reserve(kReceipts);
  for (int i = 0; i < kReceipts; ++i) {
    const vb::Date d{firstDay().serial + i % kDays};
    char no[16], tgl[16], nominal[24];
    std::snprintf(no, sizeof no, "%03d/%02d/%04d", (i / kDays) % 999 + 1, d.month(), d.year());
    std::snprintf(tgl, sizeof tgl, "%02d/%02d/%04d", d.day(), d.month(), d.year());
    std::snprintf(nominal, sizeof nominal, "%d,%03d", 1 + i % 900, i % 1000);
    out.push_back({no, "Pembayar nomor " + std::to_string(i), nominal, tgl});
  }
  return out;
}

double seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Day serial of "dd/mm/yyyy", as a direct program would work it out.
double serialOfText(const std::string& t) {
  int d = 0, m = 0, y = 0;
  std::sscanf(t.c_str(), "%d/%d/%d", &d, &m, &y);
  return vb::Date::fromParts(y, m, d).serial;
}

// Reads every column of every row the way a direct program keeps values.
long readAllDirect(sqlite3_stmt* st) {
  long touched = 0;
  while (sqlite3_step(st) == SQLITE_ROW) {
    const int n = sqlite3_column_count(st);
    for (int i = 0; i < n; ++i) {
      switch (sqlite3_column_type(st, i)) {
        case SQLITE_INTEGER: touched += static_cast<long>(sqlite3_column_int64(st, i) & 1); break;
        case SQLITE_FLOAT: touched += sqlite3_column_double(st, i) > 0; break;
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
        case vb::VarType::Long: touched += static_cast<long>(v.longValue() & 1); break;
        case vb::VarType::Date: touched += v.dateValue().serial > 0; break;
        case vb::VarType::Double: touched += v.doubleValue() > 0; break;
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

void ratio(const char* what, double layer, double direct) {
  std::printf("%-14s layer %8.3f s  direct %8.3f s\n", what, layer, direct);
  std::printf("ratio %s: %.2f\n", what, layer / direct);
}

}  // namespace

int main() {
  const auto dir = std::filesystem::temp_directory_path() / "vt-bench-db";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string layerPath = (dir / "layer.mdb").string(), directPath = (dir / "direct.mdb").string();
  db::createProgramDatabase(layerPath);
  db::createProgramDatabase(directPath);
  const std::vector<Receipt> receipts = makeReceipts();

  auto cn = db::Connection::create();
  cn->open("Data Source=" + layerPath);
  cn->execute("ALTER TABLE tblkwitansi ADD COLUMN terbilang memo");
  sqlite3* raw = nullptr;
  sqlite3_open_v2(directPath.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
  sqlite3_exec(raw, "PRAGMA synchronous=FULL; ALTER TABLE tblkwitansi ADD COLUMN terbilang MEMO COLLATE NOCASE",
               nullptr, nullptr, nullptr);

  // (a) inserts
  auto t0 = std::chrono::steady_clock::now();
  cn->beginTrans();
  {
    auto rs = std::make_unique<db::Recordset>();
    for (int i = 0; i < kReceipts; ++i) {
      if (i % 1000 == 0) {  // the entry dialog opens a fresh recordset for its saves
        if (rs->isOpen()) rs->close();
        rs->open("select * from tblKwitansi where NoKwitansi = ''", cn, db::adOpenKeyset, db::adLockOptimistic);
      }
      const Receipt& r = receipts[i];
      rs->addNew();
      rs->field("NoKwitansi").setValue(r.no);
      rs->field("NoPasport").setValue("KW-");
      rs->field("SudahTerima").setValue(r.payer);
      rs->field("Matauang").setValue("Rp.");
      rs->field("Nominal").setValue(r.nominal);
      rs->field("untuk").setValue("Pembayaran SPP");
      rs->field("Catatan").setValue("Lunas");
      rs->field("TempatDiterima").setValue("Jakarta");
      rs->field("tgl").setValue(r.tgl);
      rs->field("oleh").setValue("Siti");
      rs->field("terbilang").setValue("Seratus Ribu ");
      rs->update();
    }
  }
  cn->commitTrans();
  const double layerInsert = seconds(t0);

  t0 = std::chrono::steady_clock::now();
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
  const double directInsert = seconds(t0);
  ratio("insert", layerInsert, directInsert);

  // (b) the register's one-day query, every field of every row read
  const int kDaysQueried = 200;
  long sumLayer = 0, sumDirect = 0;
  t0 = std::chrono::steady_clock::now();
  for (int k = 0; k < kDaysQueried; ++k) {
    const vb::Date day{firstDay().serial + (k * 7) % kDays};
    db::Recordset rs;
    rs.open("select * from tblKwitansi where tgl =#" + mmddyyyy(day) + "#  order by nokwitansi", cn);
    sumLayer += readAllLayer(rs);
    rs.close();
  }
  const double layerDay = seconds(t0);
  t0 = std::chrono::steady_clock::now();
  sqlite3_stmt* dayq = nullptr;
  sqlite3_prepare_v2(raw, "select * from tblKwitansi where tgl = ?1 order by nokwitansi", -1, &dayq, nullptr);
  for (int k = 0; k < kDaysQueried; ++k) {
    sqlite3_bind_double(dayq, 1, firstDay().serial + (k * 7) % kDays);
    sumDirect += readAllDirect(dayq);
  }
  sqlite3_finalize(dayq);
  const double directDay = seconds(t0);
  ratio("day", layerDay, directDay);

  // (c) a one-month range
  const int kMonths = 24;
  t0 = std::chrono::steady_clock::now();
  for (int k = 0; k < kMonths; ++k) {
    const vb::Date a = vb::Date::fromParts(2025 + k / 12, k % 12 + 1, 1);
    const vb::Date b = vb::Date::fromParts(2025 + k / 12, k % 12 + 1, 28);
    db::Recordset rs;
    rs.open("select * from tblKwitansi where tgl >=#" + mmddyyyy(a) + "# and tgl<=#" + mmddyyyy(b) +
                "#  order by nokwitansi",
            cn);
    sumLayer += readAllLayer(rs);
    rs.close();
  }
  const double layerMonth = seconds(t0);
  t0 = std::chrono::steady_clock::now();
  sqlite3_stmt* rangeq = nullptr;
  sqlite3_prepare_v2(raw, "select * from tblKwitansi where tgl >= ?1 and tgl <= ?2 order by nokwitansi", -1,
                     &rangeq, nullptr);
  for (int k = 0; k < kMonths; ++k) {
    sqlite3_bind_double(rangeq, 1, vb::Date::fromParts(2025 + k / 12, k % 12 + 1, 1).serial);
    sqlite3_bind_double(rangeq, 2, vb::Date::fromParts(2025 + k / 12, k % 12 + 1, 28).serial);
    sumDirect += readAllDirect(rangeq);
  }
  sqlite3_finalize(rangeq);
  const double directMonth = seconds(t0);
  ratio("month", layerMonth, directMonth);

  // (d) the receipt-number query of the current month
  vb::setClock([] { return vb::Date::fromParts(2026, 6, 15); });
  const int kNumberRuns = 10;
  t0 = std::chrono::steady_clock::now();
  for (int k = 0; k < kNumberRuns; ++k) {
    db::Recordset rs;
    rs.open("SELECT Left(nokwitansi,3) AS NOurut FROM tblkwitansi WHERE Month(CDate('01/' & Mid(nokwitansi,5))) = "
            "Month(Now()) AND Year(CDate('01/' & Mid(nokwitansi,5))) = Year(Now()) ORDER BY Left(nokwitansi,3) DESC",
            cn);
    if (!rs.eof()) sumLayer += static_cast<long>(rs.field(0).value().stringValue().size());
    rs.close();
  }
  const double layerNumber = seconds(t0);
  t0 = std::chrono::steady_clock::now();
  sqlite3_stmt* numq = nullptr;
  // The same selection by the stored month and year, with SQLite's own functions.
  sqlite3_prepare_v2(raw,
                     "SELECT substr(NoKwitansi,1,3) AS NOurut FROM tblkwitansi WHERE "
                     "CAST(substr(NoKwitansi,5,2) AS INTEGER) = ?1 AND CAST(substr(NoKwitansi,8,4) AS INTEGER) = ?2 "
                     "ORDER BY substr(NoKwitansi,1,3) DESC",
                     -1, &numq, nullptr);
  for (int k = 0; k < kNumberRuns; ++k) {
    const vb::Date now = vb::now();
    sqlite3_bind_int(numq, 1, now.month());
    sqlite3_bind_int(numq, 2, now.year());
    if (sqlite3_step(numq) == SQLITE_ROW) sumDirect += sqlite3_column_bytes(numq, 0);
    sqlite3_reset(numq);
  }
  sqlite3_finalize(numq);
  const double directNumber = seconds(t0);
  ratio("number", layerNumber, directNumber);

  std::printf("(values touched: layer %ld, direct %ld)\n", sumLayer, sumDirect);
  cn->close();
  sqlite3_close_v2(raw);
  if (!std::getenv("VT_BENCH_KEEP")) std::filesystem::remove_all(dir);
  return 0;
}
