// What a spreadsheet makes of a text typed into a cell of no text format.
#include <charconv>
#include <cmath>

#include "platform/vb/date.h"
#include "platform/xls/internal.h"

namespace xls::detail {

const char* formatCode(Shown shown) {
  switch (shown) {
    case Shown::General: return "General";
    case Shown::Grouped: return "#,##0";
    case Shown::Grouped2: return "#,##0.00";
    case Shown::Percent: return "0%";
    case Shown::Percent2: return "0.00%";
    case Shown::Scientific: return "0.00E+00";
    case Shown::Date: return "dd/mm/yyyy";
    case Shown::DateTime: return "dd/mm/yyyy hh:mm";
    case Shown::DateTimeSeconds: return "dd/mm/yyyy hh:mm:ss";
    case Shown::Count: break;
  }
  return "General";
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool startsWith(std::string_view t, size_t p, const std::string& what) {
  return !what.empty() && t.compare(p, what.size(), what) == 0;
}

size_t digitsAt(std::string_view t, size_t p) {
  size_t n = 0;
  while (p + n < t.size() && isDigit(t[p + n])) ++n;
  return n;
}

// Sign, digits grouped by threes or not at all, decimals, then an exponent or
// a percent sign. Group separators must stand between whole groups, so that
// "1.25" in a locale that groups with "." is no number.
bool readNumber(std::string_view t, const vb::Locale& loc, double& value, Shown& shown) {
  std::string plain;  // the number as the C locale writes it
  plain.reserve(t.size() + 2);
  size_t p = 0;
  if (t[p] == '+' || t[p] == '-') {
    if (t[p] == '-') plain += '-';
    ++p;
  }
  size_t run = digitsAt(t, p);
  plain.append(t.substr(p, run));
  p += run;
  size_t whole = run;
  bool grouped = false;
  while (run >= 1 && startsWith(t, p, loc.groupSep) && digitsAt(t, p + loc.groupSep.size()) == 3) {
    if (!grouped && run > 3) return false;
    grouped = true;
    p += loc.groupSep.size();
    plain.append(t.substr(p, 3));
    p += 3;
    whole += 3;
  }
  size_t fraction = 0;
  if (startsWith(t, p, loc.decimalSep)) {
    p += loc.decimalSep.size();
    fraction = digitsAt(t, p);
    plain += '.';
    plain.append(t.substr(p, fraction));
    p += fraction;
  }
  if (whole + fraction == 0) return false;
  bool exponent = false, percent = false;
  if (p < t.size() && (t[p] == 'E' || t[p] == 'e') && !grouped) {
    size_t q = p + 1;
    if (q < t.size() && (t[q] == '+' || t[q] == '-')) ++q;
    const size_t n = digitsAt(t, q);
    if (n == 0) return false;
    plain += 'e';
    plain.append(t.substr(p + 1, q + n - p - 1));
    p = q + n;
    exponent = true;
  } else if (p < t.size() && t[p] == '%') {
    ++p;
    percent = true;
  }
  if (p != t.size()) return false;

  double v = 0;
  const auto r = std::from_chars(plain.data(), plain.data() + plain.size(), v);
  if (r.ec != std::errc() || r.ptr != plain.data() + plain.size() || !std::isfinite(v)) return false;
  if (percent) v /= 100;
  value = v == 0 ? 0 : v;  // no negative zero
  if (exponent) shown = Shown::Scientific;
  else if (percent) shown = fraction ? Shown::Percent2 : Shown::Percent;
  else if (grouped) shown = fraction ? Shown::Grouped2 : Shown::Grouped;
  else shown = Shown::General;
  return true;
}

// A date needs its day, month and year; a time alone stays text. Dates
// before 1900 do not exist on a sheet.
bool readDate(std::string_view t, double& value, Shown& shown) {
  if (!isDigit(t[0])) return false;
  size_t separators = 0;
  for (char c : t)
    if (c == '/' || c == '-' || c == '.') ++separators;
  if (separators < 2) return false;
  vb::Date d;
  if (!vb::parseDate(std::string(t), d)) return false;
  // The sheet's day 60 is 29 February 1900, which never was, so its serials
  // before March 1900 are one less than the program's.
  if (d.serial < 2) return false;
  value = d.serial < 61 ? d.serial - 1 : d.serial;
  size_t colons = 0;
  for (char c : t)
    if (c == ':') ++colons;
  shown = colons == 0 ? Shown::Date : colons == 1 ? Shown::DateTime : Shown::DateTimeSeconds;
  return true;
}

}  // namespace

bool readTyped(std::string_view text, const vb::Locale& loc, double& value, Shown& shown) {
  size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  if (b == e) return false;
  const std::string_view t = text.substr(b, e - b);
  // Most texts are names and words: turn them away on the first character.
  const char c = t[0];
  if (!isDigit(c) && c != '+' && c != '-' && !startsWith(t, 0, loc.decimalSep)) return false;
  return readNumber(t, loc, value, shown) || readDate(t, value, shown);
}

}  // namespace xls::detail
