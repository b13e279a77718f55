// Conversions between the program's value kinds, with the errors they raise.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <utility>

#include "platform/vb/variant.h"

namespace {

using vb::Variant;

// Each test runs in a known locale and leaves the default behind.
class Conversion : public ::testing::Test {
protected:
  void SetUp() override { vb::setCurrentLocale(vb::Locale::english()); }
  void TearDown() override { vb::setCurrentLocale(vb::Locale::english()); }
};

int errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::Error& e) {
    return e.number();
  }
  return 0;
}

TEST_F(Conversion, ToLongRoundsHalfToEvenAndChecksRange) {
  struct Case {
    Variant in;
    long long out;
    int error;
  } cases[] = {
      {Variant(2.5), 2, 0},          {Variant(3.5), 4, 0},        {Variant(-2.5), -2, 0},
      {Variant(2.4999), 2, 0},       {Variant(" 12 "), 12, 0},    {Variant("1,234"), 1234, 0},
      {Variant("0.5"), 0, 0},        {Variant("1.5"), 2, 0},      {Variant(true), -1, 0},
      {Variant(), 0, 0},             {Variant("&HFF"), 255, 0},   {Variant(2147483647.0), 2147483647, 0},
      {Variant(-2147483648.0), -2147483648LL, 0},
      {Variant(2147483647.5), 0, vb::err::Overflow},
      {Variant(3000000000LL), 0, vb::err::Overflow},
      {Variant("abc"), 0, vb::err::TypeMismatch},   {Variant(""), 0, vb::err::TypeMismatch},
      {Variant("12abc"), 0, vb::err::TypeMismatch}, {Variant::null(), 0, vb::err::InvalidUseOfNull},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in.isNull() ? std::string("Null") : c.in.toString());
    long long got = 0;
    EXPECT_EQ(errorOf([&] { got = c.in.toLong(); }), c.error);
    if (!c.error) {
      EXPECT_EQ(got, c.out);
    }
  }
}

TEST_F(Conversion, TextToNumberFollowsTheLocaleSeparators) {
  struct Case {
    bool indonesian;
    const char* text;
    bool numeric;
    double value;
  } cases[] = {
      {false, "1,234.5", true, 1234.5},  {false, "-0.25", true, -0.25},
      {false, "1e3", true, 1000},        {false, "  7  ", true, 7},
      {false, "1.2.3", false, 0},        {false, "12 34", false, 0},
      {false, ".5", true, 0.5},          {false, "-", false, 0},
      {true, "1.250.000", true, 1250000}, {true, "2,5", true, 2.5},
      {true, "1.234,75", true, 1234.75}, {true, "2,5,1", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    vb::setCurrentLocale(c.indonesian ? vb::Locale::indonesian() : vb::Locale::english());
    const Variant v(c.text);
    EXPECT_EQ(v.isNumeric(), c.numeric);
    if (c.numeric) {
      EXPECT_DOUBLE_EQ(v.toDouble(), c.value);
    } else {
      EXPECT_EQ(errorOf([&] { v.toDouble(); }), vb::err::TypeMismatch);
    }
  }
  // An amount grouped on another PC keeps its value under either settings.
  const std::pair<const char*, double> amounts[] = {
      {"100,000", 100000}, {"100.000", 100000}, {"100 000", 100000}, {"12,34,567", 1234567},
      {"999.999.999.999.999", 999999999999999.0}, {"1\xC2\xA0" "500", 1500}, {"7", 7},
      {"-100", -1}, {"1,,000", -1}, {",100", -1}, {"100.", -1}, {"1x00", -1}, {"", -1}};
  for (bool indonesian : {false, true}) {
    vb::setCurrentLocale(indonesian ? vb::Locale::indonesian() : vb::Locale::english());
    for (const auto& [text, value] : amounts) {
      SCOPED_TRACE(text);
      double got = -1;
      EXPECT_EQ(vb::groupedWholeNumber(text, got), value >= 0);
      if (value >= 0) {
        EXPECT_EQ(got, value);
      }
    }
  }
}

TEST_F(Conversion, ToStringWritesValuesPlainly) {
  const vb::Date d = vb::Date::fromParts(2026, 12, 5);
  struct Case {
    Variant in;
    const char* en;
    const char* id;
  } cases[] = {
      {Variant(), "", ""},
      {Variant(true), "True", "True"},
      {Variant(false), "False", "False"},
      {Variant(-42), "-42", "-42"},
      {Variant(1.5), "1.5", "1,5"},
      {Variant(1.0 / 3), "0.333333333333333", "0,333333333333333"},
      {Variant(1e20), "1E+20", "1E+20"},
      {Variant(1250000.0), "1250000", "1250000"},
      {Variant(d), "05/12/2026", "05/12/2026"},
      {Variant(vb::Date::fromParts(2026, 12, 5, 14, 3, 9)), "05/12/2026 14:03:09", "05/12/2026 14:03:09"},
      {Variant("teks"), "teks", "teks"},
  };
  for (const auto& c : cases) {
    vb::setCurrentLocale(vb::Locale::english());
    EXPECT_EQ(c.in.toString(), c.en);
    vb::setCurrentLocale(vb::Locale::indonesian());
    EXPECT_EQ(c.in.toString(), c.id);
  }
  EXPECT_EQ(errorOf([] { Variant::null().toString(); }), vb::err::InvalidUseOfNull);
}

TEST_F(Conversion, ToBoolAndToDate) {
  EXPECT_TRUE(Variant("true").toBool());
  EXPECT_FALSE(Variant(" False ").toBool());
  EXPECT_TRUE(Variant("-1").toBool());
  EXPECT_FALSE(Variant(0.0).toBool());
  EXPECT_EQ(errorOf([] { Variant("ya").toBool(); }), vb::err::TypeMismatch);
  EXPECT_EQ(errorOf([] { Variant::null().toBool(); }), vb::err::InvalidUseOfNull);

  EXPECT_EQ(Variant("05/12/2026").toDate(), vb::Date::fromParts(2026, 12, 5));
  EXPECT_EQ(Variant(46361.5).toDate(), vb::Date{46361.5});
  EXPECT_EQ(errorOf([] { Variant("31/02/2026").toDate(); }), vb::err::TypeMismatch);
  EXPECT_EQ(errorOf([] { Variant(1e9).toDate(); }), vb::err::Overflow);
}

TEST_F(Conversion, ObjectsAreReachedThroughTheirKind) {
  struct Thing : vb::Object {};
  struct Other : vb::Object {};
  const Variant v(std::make_shared<Thing>());
  EXPECT_TRUE(v.isObject());
  EXPECT_NE(v.as<Thing>(), nullptr);
  EXPECT_EQ(errorOf([&] { v.as<Other>(); }), vb::err::TypeMismatch);
  EXPECT_EQ(errorOf([] { Variant(5).toObject(); }), vb::err::ObjectRequired);
  EXPECT_EQ(errorOf([&] { v.toString(); }), vb::err::TypeMismatch);
}

TEST_F(Conversion, EqualityComparesNumbersByValueAndTextExactly) {
  struct Case {
    Variant a, b;
    bool equal;
  } cases[] = {
      {Variant(1), Variant(1.0), true},         {Variant(true), Variant(-1), true},
      {Variant("abc"), Variant("abc"), true},   {Variant("abc"), Variant("ABC"), false},
      {Variant(5), Variant("5"), true},         {Variant(5), Variant("five"), false},
      {Variant(), Variant(""), true},           {Variant(), Variant(0), true},
      {Variant::null(), Variant::null(), false}, {Variant(true), Variant("True"), true},
      {Variant(vb::Date::fromParts(2026, 1, 2)), Variant("02/01/2026"), true},
      {Variant(vb::Decimal(3)), Variant(3), true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.a == c.b, c.equal);
    EXPECT_EQ(c.b == c.a, c.equal);
  }
}

TEST_F(Conversion, ValReadsTheLeadingNumber) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"", 0},          {"abc", 0},       {"123abc", 123}, {" 1 2 3", 123},
      {"1,234", 1},     {"1.234.567", 1.234}, {"-3.5e2x", -350}, {"&H10", 16},
      {".5", 0.5},      {"12e", 12},      {"Rp. 500", 0},
  };
  vb::setCurrentLocale(vb::Locale::indonesian());  // Val ignores the locale
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(vb::Val(c.text), c.value) << c.text;
}

TEST_F(Conversion, ErrorsCarryTheStandardText) {
  try {
    vb::raise(vb::err::TypeMismatch);
  } catch (const vb::Error& e) {
    EXPECT_STREQ(e.what(), "Type mismatch");
    EXPECT_EQ(e.description(), "Type mismatch");
  }
  try {
    vb::raise(1234, "Sendiri", "modul");
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number(), 1234);
    EXPECT_EQ(e.description(), "Sendiri");
    EXPECT_EQ(e.source(), "modul");
  }
}

}  // namespace
