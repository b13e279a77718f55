#include "platform/vb/format.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

namespace vb {

namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool matchNoCase(const std::string& s, size_t p, const char* what) {
  for (size_t i = 0; what[i]; ++i)
    if (p + i >= s.size() || lower(s[p + i]) != what[i]) return false;
  return true;
}

std::string twoDigits(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

// ---- numbers ---------------------------------------------------------------

// A number as exact decimal digits: sign, whole digits, fraction digits.
struct Digits {
  bool negative = false;
  std::string whole, fraction;
};

Digits digitsOf(const Variant& v) {
  std::string s;
  switch (v.type()) {
    case VarType::Long: s = std::to_string(v.longValue()); break;
    case VarType::Decimal: s = v.decimalValue().toString(); break;
    default: {
      const double d = v.type() == VarType::Double || v.type() == VarType::Date ? v.doubleValue()
                                                                                : v.toDouble();
      if (!std::isfinite(d)) raise(err::Overflow);
      // A whole number a double holds exactly (a sum of amounts) keeps all
      // its digits; other values show the 15 significant digits of a double.
      if (std::fabs(d) < 9007199254740992.0 && d == std::floor(d)) {
        s = std::to_string(static_cast<long long>(d));
      } else if (std::fabs(d) < 7.9e27) {
        s = Decimal::fromDouble(d).toString();
      } else {
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.0f", d);
        s = buf;
      }
    }
  }
  Digits r;
  size_t p = 0;
  if (!s.empty() && s[0] == '-') {
    r.negative = true;
    p = 1;
  }
  const size_t dot = s.find('.', p);
  r.whole = s.substr(p, dot == std::string::npos ? std::string::npos : dot - p);
  if (dot != std::string::npos) r.fraction = s.substr(dot + 1);
  while (!r.whole.empty() && r.whole[0] == '0') r.whole.erase(0, 1);
  return r;
}

bool isZero(const Digits& d) {
  for (char c : d.whole)
    if (c != '0') return false;
  for (char c : d.fraction)
    if (c != '0') return false;
  return true;
}

// Keeps n fraction digits, rounding half away from zero as Format does.
void roundTo(Digits& d, size_t n) {
  if (d.fraction.size() <= n) {
    d.fraction.append(n - d.fraction.size(), '0');
    return;
  }
  const bool up = d.fraction[n] >= '5';
  d.fraction.resize(n);
  if (!up) return;
  std::string all = d.whole + d.fraction;
  int i = static_cast<int>(all.size()) - 1;
  for (; i >= 0; --i) {
    if (all[static_cast<size_t>(i)] == '9') {
      all[static_cast<size_t>(i)] = '0';
    } else {
      ++all[static_cast<size_t>(i)];
      break;
    }
  }
  if (i < 0) all.insert(0, "1");
  d.whole = all.substr(0, all.size() - n);
  d.fraction = all.substr(all.size() - n);
}

// Splits at ';' outside quotes into up to four sections.
std::vector<std::string> sections(const std::string& pattern) {
  std::vector<std::string> out(1);
  bool quoted = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '"') quoted = !quoted;
    if (c == '\\' && i + 1 < pattern.size()) {
      out.back() += c;
      out.back() += pattern[++i];
      continue;
    }
    if (c == ';' && !quoted) {
      out.emplace_back();
      continue;
    }
    out.back() += c;
  }
  return out;
}

bool hasDigitPlaceholder(const std::string& pattern) {
  bool quoted = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '"') quoted = !quoted;
    else if (c == '\\') ++i;
    else if (!quoted && (c == '0' || c == '#')) return true;
  }
  return false;
}

std::string formatNumberSection(Digits d, const std::string& sec, bool withSign, const Locale& loc) {
  // Read the section: literals before the first placeholder, the whole and
  // fraction placeholders with any literals between them, grouping, percent,
  // literals after the last one.
  struct Item {
    char kind;  // '0' or '#': a placeholder; '.': the point; 'L': literal text
    std::string text;
  };
  std::vector<Item> items;  // from the first placeholder to the last
  std::string prefix, suffix;
  int wholeZeros = 0, fracZeros = 0, fracHash = 0;
  bool group = false, point = false, percent = false, seenDigit = false, inner = false;
  auto placeholder = [&](char kind) {
    if (!suffix.empty()) {  // literals between placeholders stay where they stand
      items.push_back({'L', suffix});
      suffix.clear();
      inner = true;
    }
    items.push_back({kind, ""});
    seenDigit = true;
  };
  for (size_t i = 0; i < sec.size(); ++i) {
    const char c = sec[i];
    std::string lit;
    if (c == '"') {
      const size_t end = sec.find('"', i + 1);
      lit = sec.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
      i = end == std::string::npos ? sec.size() : end;
    } else if (c == '\\' && i + 1 < sec.size()) {
      lit = sec.substr(++i, 1);
    } else if (c == '0' || c == '#') {
      placeholder(c);
      if (point) (c == '0' ? fracZeros : fracHash)++;
      else if (c == '0') wholeZeros++;
      continue;
    } else if (c == ',' && !point) {
      if (seenDigit) group = true;
      continue;
    } else if (c == '.' && !point) {
      placeholder('.');
      point = true;
      continue;
    } else if (c == '%') {
      percent = true;
      lit = "%";
    } else {
      lit = std::string(1, c);
    }
    (seenDigit ? suffix : prefix) += lit;
  }
  if (percent) {
    d.whole += d.fraction.substr(0, 2);
    if (d.fraction.size() < 2) d.whole.append(2 - d.fraction.size(), '0');
    d.fraction = d.fraction.size() > 2 ? d.fraction.substr(2) : "";
    while (!d.whole.empty() && d.whole[0] == '0') d.whole.erase(0, 1);
  }
  roundTo(d, static_cast<size_t>(fracZeros + fracHash));
  while (static_cast<int>(d.fraction.size()) > fracZeros && !d.fraction.empty() &&
         d.fraction.back() == '0')
    d.fraction.pop_back();
  std::string out = prefix;
  if (withSign && d.negative && !isZero(d)) out.insert(0, "-");
  if (inner) {
    // Whole digits fill their placeholders from the right, the first
    // placeholder taking any digits left over; fraction digits fill theirs
    // from the left. An empty '#' shows nothing, an empty '0' a zero.
    std::vector<std::string> shown(items.size());
    size_t left = d.whole.size();
    size_t firstWhole = items.size();
    for (size_t k = 0; k < items.size() && items[k].kind != '.'; ++k)
      if (items[k].kind != 'L') {
        firstWhole = k;
        break;
      }
    size_t end = 0;
    while (end < items.size() && items[end].kind != '.') ++end;
    for (size_t k = end; k-- > 0;) {
      if (items[k].kind == 'L') continue;
      if (k == firstWhole) shown[k] = d.whole.substr(0, left), left = 0;
      else if (left > 0) shown[k] = d.whole.substr(--left, 1);
      if (shown[k].empty() && items[k].kind == '0') shown[k] = "0";
    }
    size_t next = 0;
    for (size_t k = end + 1; k < items.size(); ++k) {
      if (items[k].kind == 'L') continue;
      if (next < d.fraction.size()) shown[k] = d.fraction.substr(next++, 1);
      else if (items[k].kind == '0') shown[k] = "0";
    }
    for (size_t k = 0; k < items.size(); ++k)
      out += items[k].kind == 'L' ? items[k].text : items[k].kind == '.' ? loc.decimalSep : shown[k];
    return out + suffix;
  }
  std::string whole = d.whole;
  while (static_cast<int>(whole.size()) < wholeZeros) whole.insert(0, "0");
  if (group && whole.size() > 3) {
    std::string g;
    const size_t n = whole.size();
    for (size_t i = 0; i < n; ++i) {
      g += whole[i];
      const size_t left = n - 1 - i;
      if (left > 0 && left % 3 == 0) g += loc.groupSep;
    }
    whole = g;
  }
  out += whole;
  if (point) out += loc.decimalSep + d.fraction;
  return out + suffix;
}

std::string formatNumber(const Variant& value, const std::string& pattern, const Locale& loc) {
  Digits d = digitsOf(value);
  const std::vector<std::string> secs = sections(pattern);
  const bool zero = isZero(d);
  if (zero && secs.size() >= 3 && !secs[2].empty()) return formatNumberSection(d, secs[2], false, loc);
  if (d.negative && !zero && secs.size() >= 2 && !secs[1].empty()) {
    return formatNumberSection(d, secs[1], false, loc);
  }
  return formatNumberSection(d, secs[0], true, loc);
}

// ---- dates -------------------------------------------------------------------

bool usesTwelveHours(const std::string& p) {
  bool quoted = false;
  for (size_t i = 0; i < p.size(); ++i) {
    if (p[i] == '"') quoted = !quoted;
    else if (p[i] == '\\') ++i;
    else if (!quoted && (matchNoCase(p, i, "am/pm") || matchNoCase(p, i, "a/p") || matchNoCase(p, i, "ampm")))
      return true;
  }
  return false;
}

size_t runLength(const std::string& p, size_t i) {
  size_t n = 1;
  while (i + n < p.size() && lower(p[i + n]) == lower(p[i])) ++n;
  return n;
}

// Whether the next date letter after position i is a seconds token, so that
// a month token before it means minutes.
bool secondsFollow(const std::string& p, size_t i) {
  for (; i < p.size(); ++i) {
    if (std::isalpha(static_cast<unsigned char>(p[i]))) return lower(p[i]) == 's';
  }
  return false;
}

int dayOfYear(Date d) {
  return static_cast<int>(d.dateOnly().serial - Date::fromParts(d.year(), 1, 1).serial) + 1;
}

std::string formatDate(Date d, const std::string& p, const Locale& loc) {
  if (!(d.serial >= -657434.0 && d.serial < 2958466.0)) raise(err::Overflow);
  const bool twelve = usesTwelveHours(p);
  std::string out;
  bool afterHour = false;
  auto shortDate = [&] {
    return twoDigits(d.day()) + loc.dateSep + twoDigits(d.month()) + loc.dateSep +
           std::to_string(d.year());
  };
  auto longTime = [&] {
    return twoDigits(d.hour()) + ":" + twoDigits(d.minute()) + ":" + twoDigits(d.second());
  };
  for (size_t i = 0; i < p.size();) {
    const char c = p[i];
    const char lc = lower(c);
    if (c == '"') {
      const size_t end = p.find('"', i + 1);
      out += p.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
      i = end == std::string::npos ? p.size() : end + 1;
      continue;
    }
    if (c == '\\') {
      if (i + 1 < p.size()) out += p[i + 1];
      i += 2;
      continue;
    }
    if (c == '/') {
      out += loc.dateSep;
      ++i;
      continue;
    }
    if (matchNoCase(p, i, "am/pm")) {
      out += d.hour() < 12 ? p.substr(i, 2) : p.substr(i + 3, 2);
      i += 5;
      continue;
    }
    if (matchNoCase(p, i, "a/p")) {
      out += d.hour() < 12 ? p.substr(i, 1) : p.substr(i + 2, 1);
      i += 3;
      continue;
    }
    if (matchNoCase(p, i, "ampm")) {
      out += d.hour() < 12 ? loc.am : loc.pm;
      i += 4;
      continue;
    }
    if (matchNoCase(p, i, "ttttt")) {
      out += longTime();
      i += 5;
      continue;
    }
    const size_t n = runLength(p, i);
    switch (lc) {
      case 'd':
        if (n == 1) out += std::to_string(d.day());
        else if (n == 2) out += twoDigits(d.day());
        else if (n == 3) out += loc.dayAbbrev[static_cast<size_t>(d.weekday() - 1)];
        else if (n == 4) out += loc.dayNames[static_cast<size_t>(d.weekday() - 1)];
        else if (n == 5) out += shortDate();
        else out += twoDigits(d.day()) + " " + loc.monthNames[static_cast<size_t>(d.month() - 1)] + " " +
                    std::to_string(d.year());
        afterHour = false;
        i += n;
        continue;
      case 'm':
        if (n <= 2 && (afterHour || secondsFollow(p, i + n))) {
          out += n == 1 ? std::to_string(d.minute()) : twoDigits(d.minute());
        } else if (n == 1) {
          out += std::to_string(d.month());
        } else if (n == 2) {
          out += twoDigits(d.month());
        } else if (n == 3) {
          out += loc.monthAbbrev[static_cast<size_t>(d.month() - 1)];
        } else {
          out += loc.monthNames[static_cast<size_t>(d.month() - 1)];
        }
        afterHour = false;
        i += n;
        continue;
      case 'y': {
        size_t left = n;
        while (left > 0) {
          if (left >= 4) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "%04d", d.year());
            out += buf;
            left -= 4;
          } else if (left >= 2) {
            out += twoDigits(d.year() % 100);
            left -= 2;
          } else {
            out += std::to_string(dayOfYear(d));
            left -= 1;
          }
        }
        afterHour = false;
        i += n;
        continue;
      }
      case 'h': {
        int h = d.hour();
        if (twelve) h = h % 12 == 0 ? 12 : h % 12;
        out += n == 1 ? std::to_string(h) : twoDigits(h);
        afterHour = true;
        i += n >= 2 ? 2 : 1;
        continue;
      }
      case 'n':
        out += n == 1 ? std::to_string(d.minute()) : twoDigits(d.minute());
        afterHour = false;
        i += n >= 2 ? 2 : 1;
        continue;
      case 's':
        out += n == 1 ? std::to_string(d.second()) : twoDigits(d.second());
        afterHour = false;
        i += n >= 2 ? 2 : 1;
        continue;
      case 'w':
        if (n == 1) {
          out += std::to_string(d.weekday());
        } else {
          // Week of the year, the week holding 1 January being week 1 (weeks start on Sunday).
          const Date jan1 = Date::fromParts(d.year(), 1, 1);
          out += std::to_string((dayOfYear(d) - 1 + jan1.weekday() - 1) / 7 + 1);
        }
        afterHour = false;
        i += n >= 2 ? 2 : 1;
        continue;
      case 'q':
        out += std::to_string((d.month() - 1) / 3 + 1);
        afterHour = false;
        ++i;
        continue;
      case 'c': {
        const bool hasTime = d.serial != d.dateOnly().serial;
        out += shortDate();
        if (hasTime) out += " " + longTime();
        ++i;
        continue;
      }
      default:
        out += c;
        ++i;
    }
  }
  return out;
}

[[noreturn]] void notUnderstood(const std::string& pattern, const char* why) {
  raise(5, "Invalid procedure call or argument: Format pattern \"" + pattern + "\" " + why);
}

// Raises for a pattern this Format does not write, instead of reading its
// letters as something else (a named format such as "Percent" would
// otherwise come out as a date with letters in between).
void checkPattern(const std::string& p, bool number) {
  static const char* named[] = {"general number", "currency",     "fixed",       "standard",    "percent",
                                "scientific",     "yes/no",       "true/false",  "on/off",      "general date",
                                "long date",      "medium date",  "short date",  "long time",   "medium time",
                                "short time"};
  std::string lowered;
  for (char c : p) lowered += lower(c);
  for (const char* n : named)
    if (lowered == n) notUnderstood(p, "names a format that is not supported");
  bool quoted = false;
  for (size_t i = 0; i < p.size(); ++i) {
    const char c = p[i], lc = lower(c);
    if (c == '"') {
      quoted = !quoted;
      continue;
    }
    if (quoted) continue;
    if (c == '\\') {
      ++i;
      continue;
    }
    if (c == '@' || c == '&' || c == '<' || c == '>' || c == '!')
      notUnderstood(p, "is a text pattern, which is not supported");
    if (number) {
      if (lc == 'e' && i + 1 < p.size() && (p[i + 1] == '+' || p[i + 1] == '-'))
        notUnderstood(p, "asks for scientific notation, which is not supported");
      continue;  // other characters of a number pattern are written as they stand
    }
    if (!std::isalpha(static_cast<unsigned char>(c))) continue;
    if (matchNoCase(p, i, "am/pm") || matchNoCase(p, i, "ampm")) {
      i += matchNoCase(p, i, "ampm") ? 3 : 4;
    } else if (matchNoCase(p, i, "a/p")) {
      i += 2;
    } else if (matchNoCase(p, i, "ttttt")) {
      i += 4;
    } else if (std::string("dmyhnswqc").find(lc) == std::string::npos) {
      notUnderstood(p, "is neither a number nor a date pattern");
    }
  }
}

// The value's own text for the empty pattern: dates in the short form.
std::string plainText(const Variant& value, const Locale& loc) {
  switch (value.type()) {
    case VarType::Empty:
    case VarType::Null: return "";
    case VarType::Double: return doubleText(value.doubleValue(), loc.decimalSep);
    case VarType::Decimal: {
      std::string s = value.decimalValue().toString();
      const size_t dot = s.find('.');
      if (dot != std::string::npos) s.replace(dot, 1, loc.decimalSep);
      return s;
    }
    case VarType::Date: {
      const Date d = value.dateValue();
      const Date day = d.dateOnly();
      const bool hasTime = d.serial != day.serial;
      if (day.serial == 0 && hasTime) return formatDate(d, "ttttt", loc);
      return formatDate(d, hasTime ? "ddddd ttttt" : "ddddd", loc);
    }
    default: return value.toString();
  }
}

}  // namespace

std::string Format(const Variant& value, const std::string& pattern) {
  return Format(value, pattern, currentLocale());
}

std::string Format(const Variant& value, const std::string& pattern, const Locale& loc) {
  if (value.isNull()) return "";
  if (pattern.empty()) return plainText(value, loc);
  const bool text = value.type() == VarType::String;
  const bool number = hasDigitPlaceholder(pattern);
  checkPattern(pattern, number);
  if (number) {
    if (text) {
      // Text that is not a number comes back unchanged.
      double d;
      if (!parseNumber(value.stringValue(), d, loc)) return value.stringValue();
      return formatNumber(Variant(d), pattern, loc);
    }
    if (value.isObject()) raise(err::TypeMismatch);
    return formatNumber(value, pattern, loc);
  }
  Date d;
  if (text) {
    double num;
    if (parseDate(value.stringValue(), d)) {
    } else if (parseNumber(value.stringValue(), num, loc)) {
      d = Date{num};
    } else {
      return value.stringValue();  // text that is not a date comes back unchanged
    }
  } else if (value.type() == VarType::Date) {
    d = value.dateValue();
  } else if (value.isObject()) {
    raise(err::TypeMismatch);
  } else {
    d = Date{value.toDouble()};
  }
  return formatDate(d, pattern, loc);
}

}  // namespace vb
