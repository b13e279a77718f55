// The Jet functions the program's statements call, registered on every connection.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/db/internal.h"
#include "platform/vb/format.h"

namespace db {

namespace {

// Text of any value as Jet would turn it into text for a string function.
std::string textOf(sqlite3_value* v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: return std::to_string(sqlite3_value_int64(v));
    case SQLITE_FLOAT: {
      const double d = sqlite3_value_double(v);
      char buf[40];
      if (d == std::floor(d) && std::fabs(d) < 1e15) std::snprintf(buf, sizeof buf, "%.0f", d);
      else std::snprintf(buf, sizeof buf, "%.15g", d);
      return buf;
    }
    default: {
      const unsigned char* t = sqlite3_value_text(v);
      return t ? std::string(reinterpret_cast<const char*>(t), sqlite3_value_bytes(v)) : std::string();
    }
  }
}

// The bytes of a text value where they lie. Read as a blob, which for text
// changes nothing: asking for text would first have the database end a
// function's result with a terminator, which can cost a reallocation per row.
const char* textBytes(sqlite3_value* v, size_t& n) {
  const char* p = static_cast<const char*>(sqlite3_value_blob(v));
  n = static_cast<size_t>(sqlite3_value_bytes(v));
  return p ? p : "";
}

// The text of a value without copying it when it already is text.
struct TextView {
  std::string owned;
  const char* p = "";
  size_t n = 0;
  TextView() = default;
  TextView(sqlite3_value* v, int type) { read(v, type); }
  void read(sqlite3_value* v, int type) {
    if (type == SQLITE_TEXT) {
      p = textBytes(v, n);
    } else {
      owned = textOf(v);
      p = owned.data();
      n = owned.size();
    }
  }
};

// Byte offset of character number chars (0-based) in UTF-8 text of size bytes.
size_t byteOffset(const char* s, size_t size, long long chars) {
  // Up to the first non-ASCII byte a character is one byte.
  size_t i = 0;
  const size_t ascii = chars <= 0 ? 0 : static_cast<unsigned long long>(chars) < size ? static_cast<size_t>(chars) : size;
  while (i < ascii && static_cast<unsigned char>(s[i]) < 0x80) ++i;
  chars -= static_cast<long long>(i);
  while (i < size && chars > 0) {
    ++i;
    while (i < size && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    --chars;
  }
  return i;
}

size_t byteOffset(const std::string& s, long long chars) { return byteOffset(s.data(), s.size(), chars); }

long long charCount(const std::string& s) {
  long long n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

void resultText(sqlite3_context* ctx, const std::string& s) {
  sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

bool anyNull(int argc, sqlite3_value** argv) {
  for (int i = 0; i < argc; ++i)
    if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
  return false;
}

// A whole-number argument (a start or a length) as Jet rounds it.
long long wholeArg(sqlite3_value* v, int type) {
  if (type == SQLITE_INTEGER) return sqlite3_value_int64(v);
  return static_cast<long long>(std::llround(sqlite3_value_double(v)));
}
long long wholeArg(sqlite3_value* v) { return wholeArg(v, sqlite3_value_type(v)); }

long long lengthArg(sqlite3_value* v) {
  const long long n = wholeArg(v);
  if (n < 0) throw vb::Error(5, "Invalid procedure call or argument");
  return n;
}

[[noreturn]] void notADate() { throw vb::Error(errnum::TypeMismatch, "Data type mismatch in criteria expression."); }

struct DayParts {
  int y, m, d;
};

// Most date texts the functions see are the program's own "dd/mm/yyyy"; those
// are read here without the general parser, once per row of a query. False
// for any other text; raises for such a text that names no date (31/02/2026).
// at(i) gives byte i of the text.
template <class At>
bool programDateAt(At at, size_t size, DayParts& out) {
  if (size != 10 || at(2) != '/' || at(5) != '/') return false;
  // A byte that is no digit wraps round to a large unsigned value.
  auto digit = [&at](size_t i) { return static_cast<unsigned>(at(i)) - unsigned{'0'}; };
  const unsigned d0 = digit(0), d1 = digit(1), m0 = digit(3), m1 = digit(4), y0 = digit(6), y1 = digit(7),
                 y2 = digit(8), y3 = digit(9);
  if ((d0 > 9) | (d1 > 9) | (m0 > 9) | (m1 > 9) | (y0 > 9) | (y1 > 9) | (y2 > 9) | (y3 > 9)) return false;
  out.d = static_cast<int>(d0 * 10 + d1);
  out.m = static_cast<int>(m0 * 10 + m1);
  out.y = static_cast<int>(((y0 * 10 + y1) * 10 + y2) * 10 + y3);
  if (out.y < 100 || static_cast<unsigned>(out.m - 1) > 11u || out.d < 1) notADate();
  if (out.d > 28) {  // only the last days of a month need the calendar
    static const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (out.y % 4 == 0 && out.y % 100 != 0) || out.y % 400 == 0;
    if (out.d > monthDays[out.m - 1] + (out.m == 2 && leap ? 1 : 0)) notADate();
  }
  return true;
}

bool programDate(const unsigned char* t, size_t size, DayParts& out) {
  return programDateAt([t](size_t i) { return t[i]; }, size, out);
}

// For a text value.
bool programDate(sqlite3_value* v, DayParts& out) {
  size_t n;
  const char* t = textBytes(v, n);
  return programDate(reinterpret_cast<const unsigned char*>(t), n, out);
}

// A date argument: numbers are serials, text is read day first.
double serialOf(sqlite3_value* v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: return static_cast<double>(sqlite3_value_int64(v));
    case SQLITE_FLOAT: return sqlite3_value_double(v);
    default: {
      DayParts p;
      if (sqlite3_value_type(v) == SQLITE_TEXT && programDate(v, p)) return vb::Date::fromParts(p.y, p.m, p.d).serial;
      vb::Date d;
      if (!vb::parseDate(textOf(v), d)) notADate();
      return d.serial;
    }
  }
}

template <class F>
void guarded(sqlite3_context* ctx, F f) {
  try {
    f();
  } catch (const std::exception& e) {
    sqlite3_result_error(ctx, e.what(), -1);
  }
}

void fnLeft(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  guarded(ctx, [&] {
    const int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_NULL || anyNull(argc - 1, argv + 1)) return sqlite3_result_null(ctx);
    const TextView s(argv[0], type);
    sqlite3_result_text(ctx, s.p, static_cast<int>(byteOffset(s.p, s.n, lengthArg(argv[1]))), SQLITE_TRANSIENT);
  });
}

void fnRight(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  guarded(ctx, [&] {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    const std::string s = textOf(argv[0]);
    const long long n = lengthArg(argv[1]), total = charCount(s);
    resultText(ctx, n >= total ? s : s.substr(byteOffset(s, total - n)));
  });
}

// Mid's reading of its two or three arguments: the part of s from byte from,
// len bytes long; false when the result is Null. Raises as Mid does.
bool midOf(int argc, sqlite3_value** argv, TextView& s, size_t& from, size_t& len) {
  if (argc < 2 || argc > 3) throw vb::Error(5, "Mid takes two or three arguments");
  // Each argument's type is asked once: this runs for every row of the receipt-number query.
  const int type = sqlite3_value_type(argv[0]), startType = sqlite3_value_type(argv[1]);
  const int lengthType = argc == 3 ? sqlite3_value_type(argv[2]) : SQLITE_INTEGER;
  if (type == SQLITE_NULL || startType == SQLITE_NULL || lengthType == SQLITE_NULL) return false;
  s.read(argv[0], type);
  const long long start = wholeArg(argv[1], startType);
  if (start < 1) throw vb::Error(5, "Invalid procedure call or argument");
  from = byteOffset(s.p, s.n, start - 1);
  len = s.n - from;
  if (argc == 3) {
    const long long length = wholeArg(argv[2], lengthType);
    if (length < 0) throw vb::Error(5, "Invalid procedure call or argument");
    len = byteOffset(s.p + from, s.n - from, length);
  }
  return true;
}

void fnMid(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  guarded(ctx, [&] {
    TextView s;
    size_t from = 0, len = 0;
    if (!midOf(argc, argv, s, from, len)) return sqlite3_result_null(ctx);
    sqlite3_result_text(ctx, s.p + from, static_cast<int>(len), SQLITE_TRANSIENT);
  });
}

void fnCDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
  guarded(ctx, [&] {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    sqlite3_result_double(ctx, serialOf(argv[0]));
  });
}

enum class DatePart { Month, Year };

int partOf(const DayParts& p, DatePart part) { return part == DatePart::Month ? p.m : p.y; }
int partOf(vb::Date d, DatePart part) { return part == DatePart::Month ? d.month() : d.year(); }

// Month and Year of the program's own date texts come straight from the
// text; anything else goes through the serial.
void datePart(sqlite3_context* ctx, sqlite3_value** argv, DatePart part) {
  guarded(ctx, [&] {
    const int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_NULL) return sqlite3_result_null(ctx);
    DayParts p;
    if (type == SQLITE_TEXT && programDate(argv[0], p)) return sqlite3_result_int(ctx, partOf(p, part));
    sqlite3_result_int(ctx, partOf(vb::Date{serialOf(argv[0])}, part));
  });
}

void fnMonth(sqlite3_context* ctx, int, sqlite3_value** argv) { datePart(ctx, argv, DatePart::Month); }
void fnYear(sqlite3_context* ctx, int, sqlite3_value** argv) { datePart(ctx, argv, DatePart::Year); }

// The text of a value as '&' joins it (a number as Jet writes it), where it
// lies when it is text; Null joins as the empty text.
const unsigned char* joinedText(sqlite3_value* v, int type, size_t& n, std::string& owned) {
  if (type == SQLITE_TEXT) return reinterpret_cast<const unsigned char*>(textBytes(v, n));
  owned = type == SQLITE_NULL ? std::string() : textOf(v);
  n = owned.size();
  return reinterpret_cast<const unsigned char*>(owned.data());
}

// Month or Year of the text a followed by b, read where the two parts lie.
int datePartOfJoined(const unsigned char* a, size_t an, const unsigned char* b, size_t bn, DatePart part) {
  DayParts p;
  if (programDateAt([a, b, an](size_t i) { return i < an ? a[i] : b[i - an]; }, an + bn, p)) return partOf(p, part);
  std::string joined(reinterpret_cast<const char*>(a), an);
  joined.append(reinterpret_cast<const char*>(b), bn);
  vb::Date d;
  if (!vb::parseDate(joined, d)) notADate();
  return partOf(d, part);
}

// a & b & ...: Null only when every part is Null, as Jet joins.
void fnJoin(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  guarded(ctx, [&] {
    std::string out, owned;
    bool allNull = true;
    for (int i = 0; i < argc; ++i) {
      const int type = sqlite3_value_type(argv[i]);
      if (type != SQLITE_NULL) allNull = false;
      size_t n;
      const unsigned char* t = joinedText(argv[i], type, n, owned);
      out.append(reinterpret_cast<const char*>(t), n);
    }
    if (allNull) return sqlite3_result_null(ctx);
    resultText(ctx, out);
  });
}

// Month(a & b) and Year(a & b) get the two parts (see the translator): the
// joined text is read where its parts lie instead of being made by the
// database for every row. Joined as '&' joins: a Null part is empty, and
// only two Nulls give Null.
void joinedDatePart(sqlite3_context* ctx, sqlite3_value** argv, DatePart part) {
  guarded(ctx, [&] {
    const int ta = sqlite3_value_type(argv[0]), tb = sqlite3_value_type(argv[1]);
    if (ta == SQLITE_NULL && tb == SQLITE_NULL) return sqlite3_result_null(ctx);
    size_t an, bn;
    std::string ownA, ownB;
    const unsigned char* a = joinedText(argv[0], ta, an, ownA);
    const unsigned char* b = joinedText(argv[1], tb, bn, ownB);
    sqlite3_result_int(ctx, datePartOfJoined(a, an, b, bn, part));
  });
}

void fnMonthJoined(sqlite3_context* ctx, int, sqlite3_value** argv) {
  joinedDatePart(ctx, argv, DatePart::Month);
}
void fnYearJoined(sqlite3_context* ctx, int, sqlite3_value** argv) { joinedDatePart(ctx, argv, DatePart::Year); }

// Month(a & Mid(s, start[, length])) and the same with Year get a, s, start
// [and length]: Mid's part is read where it lies in s, without being copied
// out as a result of its own. Mid's errors come first, as Mid is worked out
// before the joining.
void joinedMidDatePart(sqlite3_context* ctx, int argc, sqlite3_value** argv, DatePart part) {
  guarded(ctx, [&] {
    TextView s;
    size_t from = 0, len = 0;
    const bool midNull = !midOf(argc - 1, argv + 1, s, from, len);
    const int ta = sqlite3_value_type(argv[0]);
    if (midNull && ta == SQLITE_NULL) return sqlite3_result_null(ctx);
    if (midNull) from = len = 0;
    size_t an;
    std::string ownA;
    const unsigned char* a = joinedText(argv[0], ta, an, ownA);
    sqlite3_result_int(
        ctx, datePartOfJoined(a, an, reinterpret_cast<const unsigned char*>(s.p) + from, len, part));
  });
}

void fnMonthJoinedMid(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  joinedMidDatePart(ctx, argc, argv, DatePart::Month);
}
void fnYearJoinedMid(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  joinedMidDatePart(ctx, argc, argv, DatePart::Year);
}

void fnNow(sqlite3_context* ctx, int, sqlite3_value**) {
  guarded(ctx, [&] {
    auto* clock = static_cast<StatementClock*>(sqlite3_user_data(ctx));
    if (clock->readInRun != clock->run) {
      clock->now = vb::now().serial;
      clock->readInRun = clock->run;
    }
    sqlite3_result_double(ctx, clock->now);
  });
}

// Whether a Format pattern writes a date, so that a number handed to it is a serial.
bool datePattern(const std::string& p) {
  const std::string l = lowerAscii(p);
  if (l.find("date") != std::string::npos || l.find("time") != std::string::npos) return true;
  bool letters = false;
  for (size_t i = 0; i < l.size(); ++i) {
    const char c = l[i];
    if (c == '\\') {
      ++i;
    } else if (c == '"') {
      const size_t close = l.find('"', i + 1);
      if (close == std::string::npos) break;
      i = close;
    } else if (c == '0' || c == '#') {
      return false;
    } else if (c == 'd' || c == 'm' || c == 'y' || c == 'h' || c == 'n' || c == 's' || c == 'w' || c == 'q') {
      letters = true;
    }
  }
  return letters;
}

void fnFormat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  guarded(ctx, [&] {
    if (argc < 1 || argc > 2) throw vb::Error(5, "Format takes one or two arguments");
    sqlite3_value* v = argv[0];
    const int type = sqlite3_value_type(v);
    if (type == SQLITE_NULL) return sqlite3_result_null(ctx);
    const std::string pattern = argc == 2 ? textOf(argv[1]) : std::string();
    vb::Variant value;
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
      if (datePattern(pattern)) value = vb::Variant(vb::Date{sqlite3_value_double(v)});
      else if (type == SQLITE_INTEGER) value = vb::Variant(static_cast<long long>(sqlite3_value_int64(v)));
      else value = vb::Variant(sqlite3_value_double(v));
    } else {
      value = vb::Variant(textOf(v));
    }
    resultText(ctx, argc == 2 ? vb::Format(value, pattern) : value.toString());
  });
}

// The value stored into a date column by INSERT and UPDATE statements.
void fnDateStore(sqlite3_context* ctx, int, sqlite3_value** argv) {
  guarded(ctx, [&] {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    sqlite3_result_double(ctx, serialOf(argv[0]));
  });
}

// The value stored into a Yes/No column: -1 for True, 0 for False, as Jet keeps them.
void fnYesNo(sqlite3_context* ctx, int, sqlite3_value** argv) {
  guarded(ctx, [&] {
    sqlite3_value* v = argv[0];
    switch (sqlite3_value_type(v)) {
      case SQLITE_NULL: return sqlite3_result_int(ctx, 0);
      case SQLITE_INTEGER:
      case SQLITE_FLOAT: return sqlite3_result_int(ctx, sqlite3_value_double(v) != 0 ? -1 : 0);
      default: {
        bool b = vb::Variant(textOf(v)).toBool();
        return sqlite3_result_int(ctx, b ? -1 : 0);
      }
    }
  });
}

}  // namespace

void registerFunctions(sqlite3* db, StatementClock* clock) {
  struct Def {
    const char* name;
    int args;
    void (*fn)(sqlite3_context*, int, sqlite3_value**);
    int flags;
  };
  // Now() is one instant per run of a statement (see StatementClock); marked
  // constant, SQLite also works it (and Month(Now()), Year(Now())) out once
  // per run instead of for every row. It may not stand in the schema (an
  // index, a view), where a constant clock would be wrong.
  static const Def defs[] = {
      {"vt_left", 2, fnLeft, SQLITE_DETERMINISTIC},
      {"vt_right", 2, fnRight, SQLITE_DETERMINISTIC},
      {"vt_mid", -1, fnMid, SQLITE_DETERMINISTIC},
      {"vt_cdate", 1, fnCDate, SQLITE_DETERMINISTIC},
      {"vt_month", 1, fnMonth, SQLITE_DETERMINISTIC},
      {"vt_year", 1, fnYear, SQLITE_DETERMINISTIC},
      {"vt_month", 2, fnMonthJoined, SQLITE_DETERMINISTIC},
      {"vt_year", 2, fnYearJoined, SQLITE_DETERMINISTIC},
      {"vt_month", 3, fnMonthJoinedMid, SQLITE_DETERMINISTIC},
      {"vt_month", 4, fnMonthJoinedMid, SQLITE_DETERMINISTIC},
      {"vt_year", 3, fnYearJoinedMid, SQLITE_DETERMINISTIC},
      {"vt_year", 4, fnYearJoinedMid, SQLITE_DETERMINISTIC},
      {"vt_now", 0, fnNow, SQLITE_DETERMINISTIC | SQLITE_DIRECTONLY},
      {"vt_format", -1, fnFormat, 0},
      {"vt_datestore", 1, fnDateStore, SQLITE_DETERMINISTIC},
      {"vt_yesno", 1, fnYesNo, SQLITE_DETERMINISTIC},
      {"vt_join", -1, fnJoin, SQLITE_DETERMINISTIC},
  };
  for (const Def& d : defs)
    sqlite3_create_function_v2(db, d.name, d.args, SQLITE_UTF8 | d.flags, d.fn == fnNow ? clock : nullptr, d.fn,
                               nullptr, nullptr, nullptr);
}

}  // namespace db
