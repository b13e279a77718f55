#include "platform/vb/variant.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/vb/locale.h"

namespace vb {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool startsWith(const std::string& t, size_t p, const std::string& what) {
  return !what.empty() && t.compare(p, what.size(), what) == 0;
}

long long toLongChecked(double v) {
  if (!std::isfinite(v)) raise(err::Overflow);
  // Half to even, as the program's integer conversions round; the default
  // rounding mode is to nearest with ties to even.
  const double r = std::nearbyint(v);
  if (r < -2147483648.0 || r > 2147483647.0) raise(err::Overflow);
  return static_cast<long long>(r);
}

bool equalsNoCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return i == a.size() && !b[i];
}

std::string trimmed(const std::string& t) {
  size_t a = 0, b = t.size();
  while (a < b && isBlank(t[a])) ++a;
  while (b > a && isBlank(t[b - 1])) --b;
  return t.substr(a, b - a);
}

}  // namespace

std::string doubleText(double v, const std::string& decimalSep) {
  if (v == 0) return "0";
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v < 0 ? "-Inf" : "Inf";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", v);
  std::string s = buf;
  const size_t e = s.find('E');
  std::string mant = e == std::string::npos ? s : s.substr(0, e);
  std::string exp = e == std::string::npos ? "" : s.substr(e);
  if (mant.find('.') != std::string::npos) {
    while (mant.back() == '0') mant.pop_back();
    if (mant.back() == '.') mant.pop_back();
  }
  if (!exp.empty()) {
    // "E+020" -> "E+20", keeping at least two digits.
    std::string sign = exp.substr(1, 1), digits = exp.substr(2);
    while (digits.size() > 2 && digits[0] == '0') digits.erase(0, 1);
    exp = "E" + sign + digits;
  }
  const size_t dot = mant.find('.');
  if (dot != std::string::npos) mant.replace(dot, 1, decimalSep);
  return mant + exp;
}

namespace {

std::string dateText(Date d) {
  const Locale& loc = currentLocale();
  char buf[64];
  const Date day = d.dateOnly();
  const bool hasTime = d.serial != day.serial;
  std::string out;
  if (day.serial != 0 || !hasTime) {
    std::snprintf(buf, sizeof buf, "%02d%s%02d%s%04d", d.day(), loc.dateSep.c_str(), d.month(),
                  loc.dateSep.c_str(), d.year());
    out = buf;
  }
  if (hasTime) {
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", d.hour(), d.minute(), d.second());
    if (!out.empty()) out += ' ';
    out += buf;
  }
  return out;
}

void checkDateRange(double serial) {
  // 1 January 100 to 31 December 9999.
  if (!(serial >= -657434.0 && serial < 2958466.0)) raise(err::Overflow);
}

}  // namespace

bool parseNumber(const std::string& text, double& out) { return parseNumber(text, out, currentLocale()); }

bool parseNumber(const std::string& text, double& out, const Locale& loc) {
  const std::string t = trimmed(text);
  size_t p = 0;
  bool negative = false;
  if (p < t.size() && (t[p] == '-' || t[p] == '+')) negative = t[p++] == '-';
  // &H and &O prefixes read hexadecimal and octal integers.
  if (p + 1 < t.size() && t[p] == '&' && (t[p + 1] == 'H' || t[p + 1] == 'h' || t[p + 1] == 'O' || t[p + 1] == 'o')) {
    const int base = (t[p + 1] == 'H' || t[p + 1] == 'h') ? 16 : 8;
    p += 2;
    if (p >= t.size()) return false;
    double v = 0;
    for (; p < t.size(); ++p) {
      const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(t[p])));
      int dgt;
      if (c >= '0' && c <= '9') dgt = c - '0';
      else if (base == 16 && c >= 'a' && c <= 'f') dgt = c - 'a' + 10;
      else return false;
      if (dgt >= base) return false;
      v = v * base + dgt;
    }
    out = negative ? -v : v;
    return true;
  }
  std::string plain;  // the number rewritten for strtod
  bool digits = false, point = false;
  while (p < t.size()) {
    const char c = t[p];
    if (std::isdigit(static_cast<unsigned char>(c))) {
      plain += c;
      digits = true;
      ++p;
    } else if (!point && startsWith(t, p, loc.decimalSep)) {
      plain += '.';
      point = true;
      p += loc.decimalSep.size();
    } else if (!point && digits && startsWith(t, p, loc.groupSep)) {
      p += loc.groupSep.size();  // grouping may stand anywhere among the whole digits
    } else {
      break;
    }
  }
  if (!digits) return false;
  if (p < t.size() && (t[p] == 'E' || t[p] == 'e' || t[p] == 'D' || t[p] == 'd')) {
    plain += 'e';
    ++p;
    if (p < t.size() && (t[p] == '-' || t[p] == '+')) plain += t[p++];
    bool expDigits = false;
    while (p < t.size() && std::isdigit(static_cast<unsigned char>(t[p]))) {
      plain += t[p++];
      expDigits = true;
    }
    if (!expDigits) return false;
  }
  if (p != t.size()) return false;
  const double v = std::strtod(plain.c_str(), nullptr);
  if (!std::isfinite(v)) return false;
  out = negative ? -v : v;
  return true;
}

bool groupedWholeNumber(const std::string& text, double& out) {
  const std::string t = trimmed(text);
  // The marks regions group digits with: comma, point, blank, apostrophe, the
  // no-break spaces and the typographic apostrophe, and the settings' own.
  static const char* const kMarks[] = {",", ".", " ", "'", "\xC2\xA0", "\xE2\x80\xAF", "\xE2\x80\x99"};
  const std::string& own = currentLocale().groupSep;
  double v = 0;
  bool digitBefore = false;
  size_t p = 0;
  while (p < t.size()) {
    const char c = t[p];
    if (c >= '0' && c <= '9') {
      v = v * 10 + (c - '0');
      digitBefore = true;
      ++p;
      continue;
    }
    size_t mark = 0;
    for (const char* m : kMarks)
      if (startsWith(t, p, m)) mark = std::char_traits<char>::length(m);
    if (!mark && !own.empty() && startsWith(t, p, own)) mark = own.size();
    if (!mark || !digitBefore) return false;
    digitBefore = false;
    p += mark;
  }
  if (!digitBefore) return false;
  out = v;
  return true;
}

double Val(const std::string& text) {
  // Blanks, tabs and line feeds are skipped wherever they stand.
  std::string t;
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') t += c;
  size_t p = 0;
  if (t.size() >= 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h' || t[1] == 'O' || t[1] == 'o')) {
    const int base = (t[1] == 'H' || t[1] == 'h') ? 16 : 8;
    long long v = 0;
    for (p = 2; p < t.size(); ++p) {
      const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(t[p])));
      int d;
      if (c >= '0' && c <= '9') d = c - '0';
      else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
      else break;
      if (d >= base) break;
      v = v * base + d;
      if (v > 0xFFFFFFFFLL) break;
    }
    return static_cast<double>(v);
  }
  std::string plain;
  if (p < t.size() && (t[p] == '-' || t[p] == '+')) plain += t[p++];
  bool digits = false;
  while (p < t.size() && std::isdigit(static_cast<unsigned char>(t[p]))) {
    plain += t[p++];
    digits = true;
  }
  if (p < t.size() && t[p] == '.') {
    plain += t[p++];
    while (p < t.size() && std::isdigit(static_cast<unsigned char>(t[p]))) {
      plain += t[p++];
      digits = true;
    }
  }
  if (!digits) return 0;
  if (p < t.size() && (t[p] == 'E' || t[p] == 'e' || t[p] == 'D' || t[p] == 'd')) {
    std::string e = "e";
    size_t q = p + 1;
    if (q < t.size() && (t[q] == '-' || t[q] == '+')) e += t[q++];
    bool ed = false;
    while (q < t.size() && std::isdigit(static_cast<unsigned char>(t[q]))) {
      e += t[q++];
      ed = true;
    }
    if (ed) plain += e;
  }
  const double v = std::strtod(plain.c_str(), nullptr);
  if (!std::isfinite(v)) raise(err::Overflow);
  return v;
}

Variant::Variant(unsigned v) : type_(VarType::Long), l_(v) {}
Variant::Variant(unsigned long v) : Variant(static_cast<unsigned long long>(v)) {}
Variant::Variant(unsigned long long v) {
  if (v <= static_cast<unsigned long long>(std::numeric_limits<long long>::max())) {
    type_ = VarType::Long;
    l_ = static_cast<long long>(v);
  } else {
    type_ = VarType::Double;
    d_ = static_cast<double>(v);
  }
}
Variant::Variant(Decimal v) : type_(VarType::Decimal), dec_(v) {}
Variant::Variant(std::shared_ptr<Object> v) : type_(VarType::Object), o_(std::move(v)) {}

bool Variant::isNumeric() const {
  switch (type_) {
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Long:
    case VarType::Double:
    case VarType::Decimal: return true;
    case VarType::String: {
      double d;
      return parseNumber(s_, d);
    }
    default: return false;
  }
}

bool Variant::toBool() const {
  switch (type_) {
    case VarType::Empty: return false;
    case VarType::Null: raise(err::InvalidUseOfNull);
    case VarType::Boolean: return b_;
    case VarType::Long: return l_ != 0;
    case VarType::Double:
    case VarType::Date: return d_ != 0;
    case VarType::Decimal: return !dec_.isZero();
    case VarType::String: {
      const std::string t = trimmed(s_);
      if (equalsNoCase(t, "True")) return true;
      if (equalsNoCase(t, "False")) return false;
      double d;
      if (parseNumber(s_, d)) return d != 0;
      raise(err::TypeMismatch);
    }
    case VarType::Object: break;
  }
  raise(err::TypeMismatch);
}

double Variant::toDouble() const {
  switch (type_) {
    case VarType::Empty: return 0;
    case VarType::Null: raise(err::InvalidUseOfNull);
    case VarType::Boolean: return b_ ? -1 : 0;
    case VarType::Long: return static_cast<double>(l_);
    case VarType::Double:
    case VarType::Date: return d_;
    case VarType::Decimal: return dec_.toDouble();
    case VarType::String: {
      double d;
      if (parseNumber(s_, d)) return d;
      // A text that reads as True or False converts as the Boolean would.
      const std::string t = trimmed(s_);
      if (equalsNoCase(t, "True")) return -1;
      if (equalsNoCase(t, "False")) return 0;
      raise(err::TypeMismatch);
    }
    case VarType::Object: break;
  }
  raise(err::TypeMismatch);
}

long long Variant::toLong() const {
  switch (type_) {
    case VarType::Long:
      if (l_ < -2147483648LL || l_ > 2147483647LL) raise(err::Overflow);
      return l_;
    case VarType::Decimal: return toLongChecked(dec_.toDouble());
    default: return toLongChecked(toDouble());
  }
}

Decimal Variant::toDecimal() const {
  switch (type_) {
    case VarType::Empty: return Decimal();
    case VarType::Null: raise(err::InvalidUseOfNull);
    case VarType::Boolean: return Decimal(b_ ? -1 : 0);
    case VarType::Long: return Decimal(l_);
    case VarType::Decimal: return dec_;
    case VarType::String: {
      // The locale's separators first, then the plain form with a point.
      const Locale& loc = currentLocale();
      std::string t = trimmed(s_), plain;
      for (size_t p = 0; p < t.size();) {
        if (startsWith(t, p, loc.decimalSep)) {
          plain += '.';
          p += loc.decimalSep.size();
        } else if (startsWith(t, p, loc.groupSep)) {
          p += loc.groupSep.size();
        } else {
          plain += t[p++];
        }
      }
      Decimal d;
      if (Decimal::parse(plain, d)) return d;
      return Decimal::fromDouble(toDouble());
    }
    default: return Decimal::fromDouble(toDouble());
  }
}

Date Variant::toDate() const {
  switch (type_) {
    case VarType::Null: raise(err::InvalidUseOfNull);
    case VarType::Date: return Date{d_};
    case VarType::String: {
      Date d;
      if (parseDate(s_, d)) return d;
      raise(err::TypeMismatch);
    }
    case VarType::Object: raise(err::TypeMismatch);
    default: {
      const double v = toDouble();
      checkDateRange(v);
      return Date{v};
    }
  }
}

std::string Variant::toString() const {
  switch (type_) {
    case VarType::Empty: return "";
    case VarType::Null: raise(err::InvalidUseOfNull);
    case VarType::Boolean: return b_ ? "True" : "False";
    case VarType::Long: return std::to_string(l_);
    case VarType::Double: return doubleText(d_, currentLocale().decimalSep);
    case VarType::Decimal: {
      std::string s = dec_.toString();
      const size_t dot = s.find('.');
      if (dot != std::string::npos) s.replace(dot, 1, currentLocale().decimalSep);
      return s;
    }
    case VarType::Date: return dateText(Date{d_});
    case VarType::String: return s_;
    case VarType::Object: break;
  }
  raise(err::TypeMismatch);
}

std::shared_ptr<Object> Variant::toObject() const {
  if (type_ != VarType::Object || !o_) raise(err::ObjectRequired);
  return o_;
}

namespace {
bool isNumberType(VarType t) {
  return t == VarType::Boolean || t == VarType::Long || t == VarType::Double ||
         t == VarType::Decimal || t == VarType::Date;
}
}  // namespace

bool operator==(const Variant& a, const Variant& b) {
  const VarType ta = a.type(), tb = b.type();
  if (ta == VarType::Null || tb == VarType::Null) return false;
  if (ta == VarType::Object || tb == VarType::Object) {
    return ta == tb && a.toObject() == b.toObject();
  }
  if (ta == VarType::Empty && tb == VarType::Empty) return true;
  if (ta == VarType::String && tb == VarType::String) return a.stringValue() == b.stringValue();
  // Empty is "" beside a text and 0 beside a number.
  if (ta == VarType::Empty) return tb == VarType::String ? b.stringValue().empty() : b.toDouble() == 0;
  if (tb == VarType::Empty) return ta == VarType::String ? a.stringValue().empty() : a.toDouble() == 0;
  if (isNumberType(ta) && isNumberType(tb)) {
    if (ta == VarType::Decimal && tb == VarType::Decimal) return a.decimalValue() == b.decimalValue();
    return a.toDouble() == b.toDouble();
  }
  // A number beside a text: equal when the text reads as that number (or, for
  // a Boolean, when it is its own text).
  const Variant& num = isNumberType(ta) ? a : b;
  const Variant& txt = isNumberType(ta) ? b : a;
  if (num.type() == VarType::Boolean && equalsNoCase(trimmed(txt.stringValue()), num.toString().c_str()))
    return true;
  if (num.type() == VarType::Date) {
    Date d;
    return parseDate(txt.stringValue(), d) && d == num.dateValue();
  }
  double v;
  return parseNumber(txt.stringValue(), v) && v == num.toDouble();
}

}  // namespace vb
