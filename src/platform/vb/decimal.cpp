#include "platform/vb/decimal.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "platform/vb/error.h"

namespace vb {

namespace {

// A small fixed-width unsigned integer, wide enough for the product of two
// 96-bit magnitudes scaled by powers of ten. No 128-bit type on the 32-bit target.
struct Big {
  static constexpr int N = 8;
  std::array<uint32_t, N> w{};  // little-endian 32-bit words

  static Big of(uint64_t hi, uint64_t lo) {
    Big b;
    b.w[0] = static_cast<uint32_t>(lo);
    b.w[1] = static_cast<uint32_t>(lo >> 32);
    b.w[2] = static_cast<uint32_t>(hi);
    b.w[3] = static_cast<uint32_t>(hi >> 32);
    return b;
  }
  bool isZero() const {
    for (uint32_t x : w)
      if (x) return false;
    return true;
  }
  // True when the value needs more than 96 bits.
  bool beyond96() const {
    for (int i = 3; i < N; ++i)
      if (w[i]) return true;
    return false;
  }
  // Multiplies by a small factor; returns false on overflow of the width.
  bool mulSmall(uint32_t f) {
    uint64_t carry = 0;
    for (int i = 0; i < N; ++i) {
      const uint64_t v = static_cast<uint64_t>(w[i]) * f + carry;
      w[i] = static_cast<uint32_t>(v);
      carry = v >> 32;
    }
    return carry == 0;
  }
  bool addSmall(uint32_t a) {
    uint64_t carry = a;
    for (int i = 0; i < N && carry; ++i) {
      const uint64_t v = static_cast<uint64_t>(w[i]) + carry;
      w[i] = static_cast<uint32_t>(v);
      carry = v >> 32;
    }
    return carry == 0;
  }
  uint32_t divSmall(uint32_t f) {  // returns the remainder
    uint64_t rem = 0;
    for (int i = N - 1; i >= 0; --i) {
      const uint64_t v = (rem << 32) | w[i];
      w[i] = static_cast<uint32_t>(v / f);
      rem = v % f;
    }
    return static_cast<uint32_t>(rem);
  }
  static int cmp(const Big& a, const Big& b) {
    for (int i = N - 1; i >= 0; --i)
      if (a.w[i] != b.w[i]) return a.w[i] < b.w[i] ? -1 : 1;
    return 0;
  }
  static Big add(const Big& a, const Big& b) {
    Big r;
    uint64_t carry = 0;
    for (int i = 0; i < N; ++i) {
      const uint64_t v = static_cast<uint64_t>(a.w[i]) + b.w[i] + carry;
      r.w[i] = static_cast<uint32_t>(v);
      carry = v >> 32;
    }
    return r;
  }
  static Big sub(const Big& a, const Big& b) {  // a >= b
    Big r;
    int64_t borrow = 0;
    for (int i = 0; i < N; ++i) {
      int64_t v = static_cast<int64_t>(a.w[i]) - b.w[i] - borrow;
      borrow = v < 0;
      if (v < 0) v += (int64_t{1} << 32);
      r.w[i] = static_cast<uint32_t>(v);
    }
    return r;
  }
  static Big mul(const Big& a, const Big& b) {  // both at most 128 bits
    Big r;
    for (int i = 0; i < 4; ++i) {
      uint64_t carry = 0;
      for (int j = 0; j < 4; ++j) {
        const uint64_t v = static_cast<uint64_t>(a.w[i]) * b.w[j] + r.w[i + j] + carry;
        r.w[i + j] = static_cast<uint32_t>(v);
        carry = v >> 32;
      }
      r.w[i + 4] += static_cast<uint32_t>(carry);
    }
    return r;
  }
};

// Divides by ten, rounding half to even (the sticky flag carries the digits
// already dropped, so that 0.50000001 rounds up).
void divTenRounded(Big& m, bool& sticky) {
  const uint32_t digit = m.divSmall(10);
  const bool odd = m.w[0] & 1;
  if (digit > 5 || (digit == 5 && (sticky || odd))) m.addSmall(1);
  sticky = sticky || digit != 0;
}

}  // namespace

struct DecimalOps {
  static Big mag(const Decimal& d) { return Big::of(d.hi_, d.lo_); }

  // Brings a magnitude into range: at most 28 decimals and 96 bits. Error 6
  // when the whole part alone does not fit.
  static Decimal make(Big m, int scale, bool negative) {
    bool sticky = false;
    while (scale > 28 || (m.beyond96() && scale > 0)) {
      divTenRounded(m, sticky);
      --scale;
    }
    if (m.beyond96()) raise(err::Overflow);
    Decimal d;
    d.lo_ = (static_cast<uint64_t>(m.w[1]) << 32) | m.w[0];
    d.hi_ = m.w[2];
    d.scale_ = scale;
    d.negative_ = negative && !m.isZero();
    return d;
  }

  // Both magnitudes at a common scale.
  static void align(const Decimal& a, const Decimal& b, Big& ma, Big& mb, int& scale) {
    ma = mag(a);
    mb = mag(b);
    scale = a.scale_ > b.scale_ ? a.scale_ : b.scale_;
    for (int s = a.scale_; s < scale; ++s) ma.mulSmall(10);
    for (int s = b.scale_; s < scale; ++s) mb.mulSmall(10);
  }

  static Decimal addSigned(const Decimal& a, const Decimal& b, bool negateB) {
    Big ma, mb;
    int scale;
    align(a, b, ma, mb, scale);
    const bool na = a.negative_, nb = b.negative_ != negateB;
    if (na == nb) return make(Big::add(ma, mb), scale, na);
    if (Big::cmp(ma, mb) >= 0) return make(Big::sub(ma, mb), scale, na);
    return make(Big::sub(mb, ma), scale, nb);
  }
};

Decimal::Decimal() = default;

Decimal::Decimal(long long value) {
  negative_ = value < 0;
  lo_ = negative_ ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
}

bool Decimal::parse(const std::string& text, Decimal& out) {
  size_t p = 0;
  const size_t n = text.size();
  while (p < n && (text[p] == ' ' || text[p] == '\t')) ++p;
  bool negative = false;
  if (p < n && (text[p] == '-' || text[p] == '+')) negative = text[p++] == '-';
  // Collect the significant digits and where the point falls.
  std::string digits;
  int pointPos = -1, count = 0;
  bool any = false;
  for (; p < n; ++p) {
    const char c = text[p];
    if (std::isdigit(static_cast<unsigned char>(c))) {
      any = true;
      if (!(digits.empty() && c == '0')) digits += c;
      else if (pointPos < 0) continue;  // leading zero of the whole part
      else digits += c;                 // zero after the point keeps its place
      ++count;
    } else if (c == '.' && pointPos < 0) {
      pointPos = count;
    } else {
      break;
    }
  }
  if (!any) return false;
  long exponent = 0;
  if (p < n && (text[p] == 'e' || text[p] == 'E')) {
    ++p;
    bool eneg = false;
    if (p < n && (text[p] == '-' || text[p] == '+')) eneg = text[p++] == '-';
    bool edig = false;
    while (p < n && std::isdigit(static_cast<unsigned char>(text[p]))) {
      if (exponent < 100000) exponent = exponent * 10 + (text[p] - '0');
      ++p;
      edig = true;
    }
    if (!edig) return false;
    if (eneg) exponent = -exponent;
  }
  while (p < n && (text[p] == ' ' || text[p] == '\t')) ++p;
  if (p != n) return false;

  // digits holds the number's digits after any leading zeros of the whole
  // part; the fraction has (count - pointPos) of them.
  long scale = pointPos < 0 ? 0 : count - pointPos;
  scale -= exponent;
  // Drop leading zeros that remain (all from the fraction).
  size_t lead = 0;
  while (lead < digits.size() && digits[lead] == '0') ++lead;
  digits.erase(0, lead);
  if (digits.empty()) {
    out = Decimal();
    return true;
  }
  // Append zeros for a negative scale.
  if (scale < 0) {
    if (static_cast<long>(digits.size()) - scale > 29) return false;
    digits.append(static_cast<size_t>(-scale), '0');
    scale = 0;
  }
  // Too many digits: drop the excess with rounding (only fraction digits may go).
  Big m;
  const long keepLimit = 29;
  long keep = static_cast<long>(digits.size());
  long drop = 0;
  if (keep > keepLimit) drop = keep - keepLimit;
  if (scale - 28 > drop) drop = scale - 28;
  if (drop > scale) return false;  // whole digits beyond the range
  if (drop > keep) {  // below the smallest step: rounds to zero
    out = Decimal();
    return true;
  }
  keep -= drop;
  for (long i = 0; i < keep; ++i) {
    m.mulSmall(10);
    m.addSmall(static_cast<uint32_t>(digits[i] - '0'));
  }
  if (drop > 0) {
    const int first = digits[static_cast<size_t>(keep)] - '0';
    bool rest = false;
    for (size_t i = static_cast<size_t>(keep) + 1; i < digits.size(); ++i)
      if (digits[i] != '0') rest = true;
    if (first > 5 || (first == 5 && (rest || (m.w[0] & 1)))) m.addSmall(1);
  }
  try {
    out = DecimalOps::make(m, static_cast<int>(scale - drop), negative);
  } catch (const Error&) {
    return false;
  }
  return true;
}

Decimal Decimal::fromDouble(double value) {
  // As the conversion from a double keeps 15 significant digits.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  Decimal d;
  if (!parse(buf, d)) raise(err::Overflow);
  return d;
}

std::string Decimal::toString() const {
  Big m = DecimalOps::mag(*this);
  std::string digits;
  while (!m.isZero()) digits.insert(digits.begin(), static_cast<char>('0' + m.divSmall(10)));
  if (digits.empty()) return "0";
  // Trailing zeros of the fraction say nothing.
  int scale = scale_;
  while (scale > 0 && digits.back() == '0') {
    digits.pop_back();
    --scale;
  }
  if (scale > 0) {
    if (static_cast<int>(digits.size()) <= scale)
      digits.insert(0, static_cast<size_t>(scale - static_cast<int>(digits.size()) + 1), '0');
    digits.insert(digits.size() - static_cast<size_t>(scale), ".");
  }
  return negative_ ? "-" + digits : digits;
}

double Decimal::toDouble() const { return std::strtod(toString().c_str(), nullptr); }

int Decimal::compare(const Decimal& other) const {
  const bool na = isNegative(), nb = other.isNegative();
  if (na != nb) return na ? -1 : 1;
  Big ma, mb;
  int scale;
  DecimalOps::align(*this, other, ma, mb, scale);
  const int c = Big::cmp(ma, mb);
  return na ? -c : c;
}

Decimal Decimal::operator-() const {
  Decimal d = *this;
  d.negative_ = !negative_ && !isZero();
  return d;
}

Decimal operator+(const Decimal& a, const Decimal& b) { return DecimalOps::addSigned(a, b, false); }
Decimal operator-(const Decimal& a, const Decimal& b) { return DecimalOps::addSigned(a, b, true); }

Decimal operator*(const Decimal& a, const Decimal& b) {
  return DecimalOps::make(Big::mul(DecimalOps::mag(a), DecimalOps::mag(b)), a.scale_ + b.scale_,
                          a.negative_ != b.negative_);
}

}  // namespace vb
