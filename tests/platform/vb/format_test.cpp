// Format() with every pattern the program uses, in both locales.
#include <gtest/gtest.h>

#include "platform/vb/format.h"

namespace {

using vb::Date;
using vb::Format;
using vb::Locale;
using vb::Variant;

struct Case {
  Variant value;
  const char* pattern;
  const char* id;  // Indonesian
  const char* en;  // English
};

void check(const Case* begin, const Case* end) {
  const Locale id = Locale::indonesian(), en = Locale::english();
  for (const Case* c = begin; c != end; ++c) {
    SCOPED_TRACE(std::string("pattern \"") + c->pattern + "\" case " + std::to_string(c - begin));
    EXPECT_EQ(Format(c->value, c->pattern, id), c->id);
    EXPECT_EQ(Format(c->value, c->pattern, en), c->en);
  }
}

TEST(Format, GroupedAmounts) {
  const Case cases[] = {
      {Variant(1250000), "#,###", "1.250.000", "1,250,000"},
      {Variant(999), "#,###", "999", "999"},
      {Variant(1000), "#,###", "1.000", "1,000"},
      {Variant(0), "#,###", "", ""},  // an amount of 0 empties the box
      {Variant(-1234567), "#,###", "-1.234.567", "-1,234,567"},
      {Variant(1234.5), "#,###", "1.235", "1,235"},  // half away from zero
      {Variant(2.5), "#,###", "3", "3"},
      {Variant(0.4), "#,###", "", ""},
      {Variant(1e15), "#,###", "1.000.000.000.000.000", "1,000,000,000,000,000"},
      // A sum of the largest amounts shows every digit, not 15 of them.
      {Variant(1777777777777776.0), "#,###", "1.777.777.777.777.776", "1,777,777,777,777,776"},
      {Variant(-1000000000004999.0), "#,##0", "-1.000.000.000.004.999", "-1,000,000,000,004,999"},
      {Variant(1234567.891234567), "#,##0.000000000", "1.234.567,891234570", "1,234,567.891234570"},
      {Variant("1250000"), "#,###", "1.250.000", "1,250,000"},  // typed digits
      {Variant("Rp. lima"), "#,###", "Rp. lima", "Rp. lima"},    // not a number: unchanged
      {Variant(0), "#,##0", "0", "0"},
      {Variant(1234.567), "#,##0.00", "1.234,57", "1,234.57"},
      {Variant(0.5), "0.0%", "50,0%", "50.0%"},
      {Variant(5), "#.##", "5,", "5."},
      {Variant(-5), "#,##0;(#,##0)", "(5)", "(5)"},
      {Variant(0), "#,##0;(#,##0);\"nihil\"", "nihil", "nihil"},
      {Variant(vb::Decimal(123456789)), "#,###", "123.456.789", "123,456,789"},
      {Variant(), "#,###", "", ""},
      {Variant::null(), "#,###", "", ""},
  };
  check(std::begin(cases), std::end(cases));
}

TEST(Format, LiteralsBetweenDigitPlaceholdersStayInPlace) {
  const Case cases[] = {
      {Variant(123456), "##-##-##", "12-34-56", "12-34-56"},
      {Variant(1234567), "##-##-##", "123-45-67", "123-45-67"},  // leftover digits at the first placeholder
      {Variant(123), "##-##-##", "-1-23", "-1-23"},
      {Variant(123), "00-00-00", "00-01-23", "00-01-23"},
      {Variant(81234567), "(0##) ###-###", "(081) 234-567", "(081) 234-567"},
      {Variant(12.5), "0\"m\" 0", "1m 3", "1m 3"},
      {Variant(-1234), "#\"/\"###", "-1/234", "-1/234"},
      {Variant(3.25), "0.0 0", "3,2 5", "3.2 5"},
  };
  check(std::begin(cases), std::end(cases));
}

TEST(Format, PatternsItCannotWriteRaiseInsteadOfWritingGarbage) {
  const Variant values[] = {Variant(0.25), Variant(Date::fromParts(2026, 12, 5)), Variant("05/12/2026")};
  for (const char* pattern : {"Percent", "Currency", "Short Date", "long time", "Yes/No", "General Number",
                              "Fixed", "Standard", "Scientific", "0.00E+00", "@@@", ">", "dd/mm/yyyy ok",
                              "Tanggal dd"}) {
    for (const Variant& v : values) {
      try {
        const std::string out = Format(v, pattern, Locale::english());
        ADD_FAILURE() << pattern << " gave " << out;
      } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), 5) << pattern;
        EXPECT_NE(e.description().find(pattern), std::string::npos) << e.description();
      }
    }
  }
  // Letters quoted or escaped are text; Null still formats to nothing.
  EXPECT_EQ(Format(Variant(Date::fromParts(2026, 12, 5)), "\"Tanggal\" dd \\o\\k", Locale::english()), "Tanggal 05 ok");
  EXPECT_EQ(Format(Variant::null(), "Percent", Locale::english()), "");
}

TEST(Format, DatePatterns) {
  const Variant d(Date::fromParts(2026, 12, 5, 14, 7, 9));
  const Variant morning(Date::fromParts(2026, 1, 9, 0, 5, 0));
  const Case cases[] = {
      {d, "dd/mm/yyyy", "05/12/2026", "05/12/2026"},
      {d, "MM/dd/yyyy", "12/05/2026", "12/05/2026"},
      {d, "mm/dd/yyyy", "12/05/2026", "12/05/2026"},
      {d, "mm/yyyy", "12/2026", "12/2026"},
      {d, "ddmmyy", "051226", "051226"},
      {d, "dd mmmm yyyy", "05 Desember 2026", "05 December 2026"},
      {d, "dd MMMM yyyy", "05 Desember 2026", "05 December 2026"},
      {d, " dd mmmm yyyy ", " 05 Desember 2026 ", " 05 December 2026 "},
      {d, " hh:mm:ss Am/Pm ", " 02:07:09 Pm ", " 02:07:09 Pm "},
      {morning, " hh:mm:ss Am/Pm ", " 12:05:00 Am ", " 12:05:00 Am "},
      {d, "hh:mm:ss AM/PM", "02:07:09 PM", "02:07:09 PM"},
      {d, "YYYY MM DD hh:mm:ss", "2026 12 05 14:07:09", "2026 12 05 14:07:09"},
      {morning, "YYYY MM DD hh:mm:ss", "2026 01 09 00:05:00", "2026 01 09 00:05:00"},
      {d, "d/m/yy", "5/12/26", "5/12/26"},
      {d, "dddd, mmm", "Sabtu, Des", "Saturday, Dec"},
      {d, "", "05/12/2026 14:07:09", "05/12/2026 14:07:09"},
      {Variant(Date::fromParts(2026, 12, 5)), "", "05/12/2026", "05/12/2026"},
  };
  check(std::begin(cases), std::end(cases));
}

TEST(Format, TextAndNumbersGivenToADatePattern) {
  const Case cases[] = {
      {Variant("05/12/2026"), "mm/dd/yyyy", "12/05/2026", "12/05/2026"},  // read day first
      {Variant("05/12/2026 14:00"), "YYYY MM DD hh:mm:ss", "2026 12 05 14:00:00", "2026 12 05 14:00:00"},
      {Variant("bukan tanggal"), "dd/mm/yyyy", "bukan tanggal", "bukan tanggal"},
      {Variant("31/02/2026"), "dd/mm/yyyy", "31/02/2026", "31/02/2026"},
      {Variant(46361), "dd/mm/yyyy", "05/12/2026", "05/12/2026"},
      {Variant(46361.0), "dd mmmm yyyy", "05 Desember 2026", "05 December 2026"},
  };
  check(std::begin(cases), std::end(cases));
}

TEST(Format, EmptyPatternGivesThePlainText) {
  const Case cases[] = {
      {Variant(), "", "", ""},
      {Variant("1.250.000"), "", "1.250.000", "1.250.000"},
      {Variant(1250000), "", "1250000", "1250000"},
      {Variant(2.5), "", "2,5", "2.5"},
      {Variant(true), "", "True", "True"},
  };
  check(std::begin(cases), std::end(cases));
}

TEST(Format, DateSeparatorComesFromTheLocale) {
  Locale dashed = Locale::indonesian();
  dashed.dateSep = "-";
  EXPECT_EQ(Format(Variant(Date::fromParts(2026, 12, 5)), "dd/mm/yyyy", dashed), "05-12-2026");
}

TEST(Format, TwoArgumentFormUsesTheCurrentLocale) {
  vb::setCurrentLocale(Locale::indonesian());
  EXPECT_EQ(Format(Variant(1250000), "#,###"), "1.250.000");
  EXPECT_EQ(Format(Variant(Date::fromParts(2026, 3, 1)), "dd mmmm yyyy"), "01 Maret 2026");
  vb::setCurrentLocale(Locale::english());
  EXPECT_EQ(Format(Variant(1250000), "#,###"), "1,250,000");
}

}  // namespace
