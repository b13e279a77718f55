#pragma once
// An exact decimal number of up to 28 significant digits, as JSON numbers are kept.
#include <cstdint>
#include <string>

namespace vb {

class Decimal {
public:
  Decimal();
  Decimal(long long value);

  // Reads "-12.50", "1e3", "0.000001"; false for anything else or for a value
  // beyond 28 digits of range. Excess fractional digits are rounded half to even.
  static bool parse(const std::string& text, Decimal& out);
  static Decimal fromDouble(double value);  // throws Error 6 when out of range

  std::string toString() const;  // plain digits, '.' as separator, no exponent
  double toDouble() const;
  bool isNegative() const { return negative_ && !isZero(); }
  bool isZero() const { return hi_ == 0 && lo_ == 0; }
  int scale() const { return scale_; }

  int compare(const Decimal& other) const;
  friend bool operator==(const Decimal& a, const Decimal& b) { return a.compare(b) == 0; }
  friend bool operator!=(const Decimal& a, const Decimal& b) { return a.compare(b) != 0; }
  friend bool operator<(const Decimal& a, const Decimal& b) { return a.compare(b) < 0; }
  friend bool operator>(const Decimal& a, const Decimal& b) { return a.compare(b) > 0; }
  friend bool operator<=(const Decimal& a, const Decimal& b) { return a.compare(b) <= 0; }
  friend bool operator>=(const Decimal& a, const Decimal& b) { return a.compare(b) >= 0; }

  // Arithmetic throws Error 6 when the result leaves the 28-digit range.
  Decimal operator-() const;
  friend Decimal operator+(const Decimal& a, const Decimal& b);
  friend Decimal operator-(const Decimal& a, const Decimal& b);
  friend Decimal operator*(const Decimal& a, const Decimal& b);

private:
  // Magnitude as a 96-bit integer held in 128 bits (hi_:lo_), value = magnitude / 10^scale_.
  uint64_t hi_ = 0, lo_ = 0;
  int scale_ = 0;  // 0..28
  bool negative_ = false;
  friend struct DecimalOps;
};

}  // namespace vb
