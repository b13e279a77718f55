// The exact decimal number JSON values are read into.
#include <gtest/gtest.h>

#include "platform/vb/decimal.h"
#include "platform/vb/error.h"

namespace {

using vb::Decimal;

Decimal dec(const char* text) {
  Decimal d;
  EXPECT_TRUE(Decimal::parse(text, d)) << text;
  return d;
}

TEST(Decimal, ParseAndPrint) {
  struct Case {
    const char* in;
    const char* out;  // nullptr: rejected
  } cases[] = {
      {"0", "0"},
      {"-0", "0"},
      {"1.5", "1.5"},
      {"-12.50", "-12.5"},
      {"+7", "7"},
      {"0.000001", "0.000001"},
      {"1e3", "1000"},
      {"1.5E-3", "0.0015"},
      {"00012", "12"},
      {".25", "0.25"},
      {"79228162514264337593543950335", "79228162514264337593543950335"},
      {"-79228162514264337593543950335", "-79228162514264337593543950335"},
      {"0.1234567890123456789012345678", "0.1234567890123456789012345678"},
      // Beyond 28 decimals the excess rounds half to even.
      {"0.12345678901234567890123456785", "0.1234567890123456789012345678"},
      {"0.12345678901234567890123456775", "0.1234567890123456789012345678"},
      {"1.00000000000000000000000000000000001", "1"},
      {"1e-40", "0"},
      {"79228162514264337593543950336", nullptr},
      {"1e29", nullptr},
      {"", nullptr},
      {"-", nullptr},
      {"e", nullptr},
      {"1-2", nullptr},
      {"1.2.3", nullptr},
      {"1e", nullptr},
      {"12abc", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    Decimal d(99);
    ASSERT_EQ(Decimal::parse(c.in, d), c.out != nullptr);
    if (c.out) {
      EXPECT_EQ(d.toString(), c.out);
    } else {
      EXPECT_EQ(d, Decimal(99));
    }
  }
}

TEST(Decimal, ArithmeticIsExact) {
  EXPECT_EQ((dec("0.1") + dec("0.2")).toString(), "0.3");
  EXPECT_EQ((dec("1") - dec("1.25")).toString(), "-0.25");
  EXPECT_EQ((dec("-1.5") * dec("2.5")).toString(), "-3.75");
  EXPECT_EQ((dec("12345678901234567890") * dec("1000000000")).toString(), "12345678901234567890000000000");
  EXPECT_EQ((-dec("4.2")).toString(), "-4.2");
  EXPECT_EQ((dec("0.0000000000000001") * dec("0.0000000000000001")).toString(), "0");
  try {
    dec("79228162514264337593543950335") + Decimal(1);
    ADD_FAILURE() << "no overflow";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number(), vb::err::Overflow);
  }
}

TEST(Decimal, ComparesByValueWhateverTheScale) {
  EXPECT_EQ(dec("1.50"), dec("1.5"));
  EXPECT_LT(dec("-2"), dec("-1.999"));
  EXPECT_GT(dec("0.01"), Decimal());
  EXPECT_LT(dec("9.99"), Decimal(10));
  EXPECT_DOUBLE_EQ(dec("-1234.5").toDouble(), -1234.5);
  EXPECT_EQ(Decimal::fromDouble(0.1).toString(), "0.1");
  EXPECT_EQ(Decimal(-9223372036854775807LL - 1).toString(), "-9223372036854775808");
}

}  // namespace
