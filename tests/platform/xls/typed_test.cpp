// What a text typed into a cell of no text format becomes, in both locales.
#include <gtest/gtest.h>

#include "platform/vb/date.h"
#include "platform/xls/internal.h"

namespace {

using xls::detail::Shown;

constexpr double kText = -999999.25;  // marks a text that stays text

struct Case {
  const char* text;
  double id;  // read in the Indonesian locale
  Shown idShown;
  double en;  // read in the English locale
  Shown enShown;
};

double serial(int y, int m, int d) { return vb::Date::fromParts(y, m, d).serial; }

TEST(TypedIn, NumbersDatesAndTexts) {
  const double christmas = serial(2026, 12, 25);
  const Case cases[] = {
      // Grouped amounts are numbers shown grouped, in the locale's own way only.
      {"1.500.000", 1500000, Shown::Grouped, kText, Shown::General},
      {"1,500,000", kText, Shown::General, 1500000, Shown::Grouped},
      {"2.750.000,50", 2750000.5, Shown::Grouped2, kText, Shown::General},
      {"12.500", 12500, Shown::Grouped, 12.5, Shown::General},
      {"-1.000", -1000, Shown::Grouped, -1, Shown::General},
      {"1.25", kText, Shown::General, 1.25, Shown::General},       // not whole groups
      {"1234.567", kText, Shown::General, 1234.567, Shown::General},  // first group too long
      {"1.000.00", kText, Shown::General, kText, Shown::General},
      {"1.0000", kText, Shown::General, 1, Shown::General},
      // Plain numbers: leading zeros go, blanks around are ignored.
      {"007", 7, Shown::General, 7, Shown::General},
      {"  42 ", 42, Shown::General, 42, Shown::General},
      {"+5", 5, Shown::General, 5, Shown::General},
      {"-0", 0, Shown::General, 0, Shown::General},
      {"12,5", 12.5, Shown::General, kText, Shown::General},
      {",5", 0.5, Shown::General, kText, Shown::General},
      {"5,", 5, Shown::General, kText, Shown::General},
      {"123456789012345678901", 123456789012345678901.0, Shown::General, 123456789012345678901.0,
       Shown::General},
      // Exponents and percentages.
      {"1E5", 100000, Shown::Scientific, 100000, Shown::Scientific},
      {"2,5e-3", 0.0025, Shown::Scientific, kText, Shown::General},
      {"1.000E5", kText, Shown::General, 100000, Shown::Scientific},
      {"1e400", kText, Shown::General, kText, Shown::General},
      {"1E", kText, Shown::General, kText, Shown::General},
      {"15%", 0.15, Shown::Percent, 0.15, Shown::Percent},
      {"12,5%", 0.125, Shown::Percent2, kText, Shown::General},
      // Day-first dates, with or without a time.
      {"25/12/2026", christmas, Shown::Date, christmas, Shown::Date},
      {"25-12-2026", christmas, Shown::Date, christmas, Shown::Date},
      {"2026-12-25", christmas, Shown::Date, christmas, Shown::Date},
      {"25/12/26", christmas, Shown::Date, christmas, Shown::Date},
      {"25.12.2026", christmas, Shown::Date, christmas, Shown::Date},
      {"25/12/2026 14:30", christmas + 14.5 / 24, Shown::DateTime, christmas + 14.5 / 24, Shown::DateTime},
      {"25/12/2026 14:30:36", christmas + (14 * 3600 + 30 * 60 + 36) / 86400.0, Shown::DateTimeSeconds,
       christmas + (14 * 3600 + 30 * 60 + 36) / 86400.0, Shown::DateTimeSeconds},
      // The sheet counts a 29 February 1900 that never was.
      {"1/3/1900", 61, Shown::Date, 61, Shown::Date},
      {"28/2/1900", 59, Shown::Date, 59, Shown::Date},
      {"1/1/1900", 1, Shown::Date, 1, Shown::Date},
      {"31/12/1899", kText, Shown::General, kText, Shown::General},
      {"31/02/2026", kText, Shown::General, kText, Shown::General},
      {"12:30", kText, Shown::General, kText, Shown::General},
      // Texts.
      {"", kText, Shown::General, kText, Shown::General},
      {"   ", kText, Shown::General, kText, Shown::General},
      {"Budi", kText, Shown::General, kText, Shown::General},
      {"KW/001/12/2026", kText, Shown::General, kText, Shown::General},
      {"0812-3456-7890", kText, Shown::General, kText, Shown::General},
      {"Rp 1.000", kText, Shown::General, kText, Shown::General},
      {"1.000 rupiah", kText, Shown::General, kText, Shown::General},
      {"+62 812", kText, Shown::General, kText, Shown::General},
      {"--5", kText, Shown::General, kText, Shown::General},
      {"+", kText, Shown::General, kText, Shown::General},
      {"5-", kText, Shown::General, kText, Shown::General},
      {"=1+1", kText, Shown::General, kText, Shown::General},
  };
  const vb::Locale id = vb::Locale::indonesian(), en = vb::Locale::english();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\"");
    for (int english = 0; english < 2; ++english) {
      SCOPED_TRACE(english ? "English" : "Indonesian");
      double value = kText;
      Shown shown = Shown::General;
      const bool number = xls::detail::readTyped(c.text, english ? en : id, value, shown);
      const double want = english ? c.en : c.id;
      EXPECT_EQ(number, want != kText);
      if (number && want != kText) {
        EXPECT_DOUBLE_EQ(value, want);
        EXPECT_EQ(shown, english ? c.enShown : c.idShown);
      }
    }
  }
}

TEST(TypedIn, TextsDecodeToUtf16) {
  const struct {
    const char* utf8;
    std::u16string utf16;
  } cases[] = {
      {"Dévi", u"D\u00e9vi"},
      {"€5", u"\u20ac5"},
      {"😀", u"\U0001F600"},                // a surrogate pair
      {"a\xff" "b", u"a\ufffdb"},            // not UTF-8
      {"\xc3", u"\ufffd"},                   // cut short
      {"\xc0\xaf", u"\ufffd\ufffd"},         // overlong
      {"\xed\xa0\x80", u"\ufffd\ufffd\ufffd"},  // a lone surrogate
  };
  for (const auto& c : cases) {
    std::u16string out;
    xls::detail::toUtf16(c.utf8, out);
    EXPECT_EQ(out, c.utf16) << c.utf8;
  }
}

TEST(TypedIn, WiderTextsMeasureWider) {
  using xls::detail::textWidth;
  EXPECT_LT(textWidth("iiii"), textWidth("0000"));
  EXPECT_LT(textWidth("0000"), textWidth("WWWW"));
  EXPECT_EQ(textWidth("dua\nbaris"), textWidth("duabaris"));
  EXPECT_LT(textWidth("ab"), textWidth("a日"));
}

}  // namespace

namespace {

// The texts column widths are fitted to, in the Indonesian locale.
TEST(ShownText, NumbersAsTheirFormatShowsThem) {
  const vb::Locale id = vb::Locale::indonesian();
  const struct {
    double value;
    const char* format;
    const char* shown;
  } cases[] = {
      {1500000, "#,##0", "1.500.000"},
      {2750000.5, "#,##0.00", "2.750.000,50"},
      {46381, "dd/mm/yyyy", "25/12/2026"},
      {0.5, "General", "0,5"},
      {123456789012, "General", "1,23457E+11"},
      {100000, "0.00E+00", "1,00E+05"},
      {5, "##0.0E+0", "5"},  // a pattern the program cannot write: measured plain
  };
  for (const auto& c : cases) EXPECT_EQ(xls::detail::shownText(c.value, c.format, id), c.shown) << c.format;
}

}  // namespace
