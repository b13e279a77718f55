#include "platform/vb/date.h"

#include <cctype>
#include <chrono>
#include <cmath>
#include <ctime>
#include <mutex>

#include "platform/vb/error.h"

namespace vb {

namespace {

// Days from 1970-01-01 to a civil date (proleptic Gregorian), and back.
constexpr long long daysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long yy = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yy + (m <= 2));
}

// Worked out at compile time: a value computed at start-up would read as 0 to
// any date arithmetic run by another file's static initialisers before it.
constexpr long long kEpochOffset = daysFromCivil(1899, 12, 30);  // serial 0 in Unix days
static_assert(kEpochOffset == -25569, "30/12/1899 is 25569 days before 01/01/1970");

// Splits a serial into whole days and seconds of the day. A negative serial
// keeps its fraction as a positive time of day (-1.5 is 29/12/1899 12:00).
void split(double serial, long long& days, long& secs) {
  if (!std::isfinite(serial)) {
    days = 0;
    secs = 0;
    return;
  }
  // Whole days, as dates without a time are, need no rounding.
  if (serial >= 0 && serial < 1e9 && serial == static_cast<double>(static_cast<long long>(serial))) {
    days = static_cast<long long>(serial);
    secs = 0;
    return;
  }
  if (serial >= 0) {
    const long long total = std::llround(serial * 86400.0);
    days = total / 86400;
    secs = static_cast<long>(total % 86400);
  } else {
    days = static_cast<long long>(std::ceil(serial));
    secs = static_cast<long>(std::llround((days - serial) * 86400.0));
    if (secs >= 86400) {
      secs -= 86400;
      days -= 1;
    }
  }
}

bool leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
  static const int n[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && leap(y) ? 29 : n[m - 1];
}

bool validParts(int y, int mo, int d, int h, int mi, int s) {
  return y >= 100 && y <= 9999 && mo >= 1 && mo <= 12 && d >= 1 && d <= daysInMonth(y, mo) &&
         h >= 0 && h <= 23 && mi >= 0 && mi <= 59 && s >= 0 && s <= 59;
}

double serialOf(int y, int mo, int d, int h, int mi, int s) {
  const double days = static_cast<double>(daysFromCivil(y, mo, d) - kEpochOffset);
  const double frac = (h * 3600 + mi * 60 + s) / 86400.0;
  return days >= 0 ? days + frac : days - frac;
}

std::function<Date()>& clockFn() {
  static std::function<Date()> fn;
  return fn;
}

Date systemNow() {
  const auto tp = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(tp);
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &t);
#else
  localtime_r(&t, &tm);
#endif
  return Date::fromParts(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                         tm.tm_sec > 59 ? 59 : tm.tm_sec);
}

// Reads an unsigned run of 1..maxDigits digits at p; false if none.
bool readNumber(const std::string& t, size_t& p, int maxDigits, int& value, int& digits) {
  value = 0;
  digits = 0;
  while (p < t.size() && std::isdigit(static_cast<unsigned char>(t[p]))) {
    if (++digits > maxDigits) return false;
    value = value * 10 + (t[p] - '0');
    ++p;
  }
  return digits > 0;
}

void skipBlanks(const std::string& t, size_t& p) {
  while (p < t.size() && (t[p] == ' ' || t[p] == '\t')) ++p;
}

// Optional time part: "hh:mm[:ss]" with an optional AM/PM.
bool readTime(const std::string& t, size_t& p, int& h, int& mi, int& s) {
  int digits;
  if (!readNumber(t, p, 2, h, digits)) return false;
  if (p >= t.size() || (t[p] != ':' && t[p] != '.')) return false;
  const char sep = t[p++];
  if (!readNumber(t, p, 2, mi, digits)) return false;
  s = 0;
  if (p < t.size() && t[p] == sep) {
    ++p;
    if (!readNumber(t, p, 2, s, digits)) return false;
  }
  size_t q = p;
  skipBlanks(t, q);
  if (q + 1 < t.size() && (t[q + 1] == 'M' || t[q + 1] == 'm')) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(t[q])));
    if (c == 'A' || c == 'P') {
      if (h < 1 || h > 12) return false;
      if (c == 'A' && h == 12) h = 0;
      if (c == 'P' && h != 12) h += 12;
      p = q + 2;
    }
  }
  return true;
}

}  // namespace

Date Date::fromParts(int y, int mo, int d, int h, int mi, int s) {
  if (!validParts(y, mo, d, h, mi, s)) raise(err::TypeMismatch);
  return Date{serialOf(y, mo, d, h, mi, s)};
}

namespace {
// The calendar day and the time of day of a serial.
struct Parts {
  long long days;
  long secs;
  int y, m, d;
};
Parts partsOf(double serial) {
  Parts p{};
  split(serial, p.days, p.secs);
  civilFromDays(p.days + kEpochOffset, p.y, p.m, p.d);
  return p;
}
long secondsOf(double serial) {
  long long days;
  long secs;
  split(serial, days, secs);
  return secs;
}
}  // namespace

int Date::year() const { return partsOf(serial).y; }
int Date::month() const { return partsOf(serial).m; }
int Date::day() const { return partsOf(serial).d; }
int Date::hour() const { return static_cast<int>(secondsOf(serial) / 3600); }
int Date::minute() const { return static_cast<int>(secondsOf(serial) / 60 % 60); }
int Date::second() const { return static_cast<int>(secondsOf(serial) % 60); }
int Date::weekday() const {
  long long days;
  long secs;
  split(serial, days, secs);
  // Serial 0 (30/12/1899) was a Saturday.
  long long w = (days + 6) % 7;
  if (w < 0) w += 7;
  return static_cast<int>(w) + 1;
}
Date Date::dateOnly() const {
  long long days;
  long secs;
  split(serial, days, secs);
  return Date{static_cast<double>(days)};
}

bool parseDate(const std::string& text, Date& out) {
  const std::string& t = text;
  size_t p = 0;
  skipBlanks(t, p);
  int a, b, c, da, db, dc;
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  bool haveDate = false;
  const size_t start = p;
  if (readNumber(t, p, 4, a, da) && p < t.size() &&
      (t[p] == '/' || t[p] == '-' || t[p] == '.')) {
    const char sep = t[p++];
    if (!readNumber(t, p, 2, b, db)) return false;
    if (da == 3) return false;
    if (p >= t.size() || t[p] != sep) return false;
    ++p;
    if (!readNumber(t, p, 4, c, dc)) return false;
    if (da == 4) {  // year first, as ISO writes it
      if (dc > 2) return false;
      y = a;
      mo = b;
      d = c;
    } else {
      if (dc != 4 && dc != 2) return false;
      d = a;
      mo = b;
      y = c;
      if (dc == 2) y += y < 30 ? 2000 : 1900;  // two-digit years as the system window reads them
    }
    haveDate = true;
  } else {
    p = start;
  }
  size_t q = p;
  skipBlanks(t, q);
  if (q < t.size()) {
    if (haveDate && q == p && t[q] != 'T') return false;  // the time needs a blank before it
    if (t[q] == 'T' && haveDate) ++q;
    p = q;
    if (!readTime(t, p, h, mi, s)) return false;
    skipBlanks(t, p);
    if (p != t.size()) return false;
  } else if (!haveDate) {
    return false;
  }
  if (!haveDate) {
    // A time alone is that time on day 0.
    if (h > 23 || mi > 59 || s > 59) return false;
    out = Date{(h * 3600 + mi * 60 + s) / 86400.0};
    return true;
  }
  if (!validParts(y, mo, d, h, mi, s)) return false;
  out = Date{serialOf(y, mo, d, h, mi, s)};
  return true;
}

namespace {
std::mutex& clockMutex() {
  static std::mutex m;
  return m;
}
}  // namespace

Date now() {
  std::function<Date()> fn;
  {
    std::lock_guard<std::mutex> lock(clockMutex());
    fn = clockFn();
  }
  return fn ? fn() : systemNow();
}

void setClock(std::function<Date()> clock) {
  std::lock_guard<std::mutex> lock(clockMutex());
  clockFn() = std::move(clock);
}

}  // namespace vb
