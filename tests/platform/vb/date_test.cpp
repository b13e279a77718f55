// Dates: serials, parts, day-first reading of typed text and the clock seam.
#include <gtest/gtest.h>

#include "platform/vb/date.h"
#include "platform/vb/error.h"

namespace {

using vb::Date;

// Worked out while this file's globals are initialised, which happens before
// (or without) the date routines' own file having run its initialisers.
const Date kStaticFirstDay = Date::fromParts(2025, 1, 1);
const int kStaticYear = Date{46361}.year();

TEST(Date, WorksDuringStaticInitialisation) {
  EXPECT_EQ(kStaticFirstDay.serial, 45658);
  EXPECT_EQ(kStaticYear, 2026);
}

TEST(Date, SerialsMatchTheCalendar) {
  struct Case {
    int y, m, d, h, mi, s;
    double serial;
    int weekday;
  } cases[] = {
      {1899, 12, 30, 0, 0, 0, 0, 7},        {1900, 1, 1, 0, 0, 0, 2, 2},
      {2000, 2, 29, 0, 0, 0, 36585, 3},     {2026, 12, 5, 0, 0, 0, 46361, 7},
      {2026, 12, 5, 18, 0, 0, 46361.75, 7}, {1899, 12, 29, 12, 0, 0, -1.5, 6},
      {100, 1, 1, 0, 0, 0, -657434, 6},     {9999, 12, 31, 23, 59, 59, 2958465.999988426, 6},
  };
  for (const auto& c : cases) {
    const Date d = Date::fromParts(c.y, c.m, c.d, c.h, c.mi, c.s);
    EXPECT_NEAR(d.serial, c.serial, 1e-9) << c.y << "-" << c.m << "-" << c.d;
    EXPECT_EQ(d.year(), c.y);
    EXPECT_EQ(d.month(), c.m);
    EXPECT_EQ(d.day(), c.d);
    EXPECT_EQ(d.hour(), c.h);
    EXPECT_EQ(d.minute(), c.mi);
    EXPECT_EQ(d.second(), c.s);
    EXPECT_EQ(d.weekday(), c.weekday);
  }
  EXPECT_EQ(Date::fromParts(2026, 12, 5, 18, 30).dateOnly(), Date::fromParts(2026, 12, 5));
}

TEST(Date, ImpossiblePartsAreATypeMismatch) {
  const int bad[][6] = {{2026, 2, 29, 0, 0, 0}, {2026, 13, 1, 0, 0, 0}, {2026, 4, 31, 0, 0, 0},
                        {2026, 1, 0, 0, 0, 0},  {99, 1, 1, 0, 0, 0},    {2026, 1, 1, 24, 0, 0},
                        {2026, 1, 1, 0, 60, 0}, {1900, 2, 29, 0, 0, 0}};
  for (const auto& b : bad) {
    try {
      Date::fromParts(b[0], b[1], b[2], b[3], b[4], b[5]);
      ADD_FAILURE() << b[0] << "-" << b[1] << "-" << b[2];
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.number(), vb::err::TypeMismatch);
    }
  }
}

TEST(Date, ParseReadsDayFirst) {
  struct Case {
    const char* text;
    bool ok;
    int y, m, d, h, mi, s;
  } cases[] = {
      {"05/12/2026", true, 2026, 12, 5, 0, 0, 0},
      {"5/1/2026", true, 2026, 1, 5, 0, 0, 0},
      {"05-12-2026", true, 2026, 12, 5, 0, 0, 0},
      {"05.12.2026", true, 2026, 12, 5, 0, 0, 0},
      {"2026-12-05", true, 2026, 12, 5, 0, 0, 0},
      {"05/12/2026 14:30", true, 2026, 12, 5, 14, 30, 0},
      {" 05/12/2026 14:30:15 ", true, 2026, 12, 5, 14, 30, 15},
      {"05/12/2026 02:30:00 PM", true, 2026, 12, 5, 14, 30, 0},
      {"01/12/2025", true, 2025, 12, 1, 0, 0, 0},
      {"29/02/2024", true, 2024, 2, 29, 0, 0, 0},
      {"05/12/26", true, 2026, 12, 5, 0, 0, 0},
      {"2026/12/05", true, 2026, 12, 5, 0, 0, 0},
      {"205/12/2026", false, 0, 0, 0, 0, 0, 0},
      {"31/02/2026", false, 0, 0, 0, 0, 0, 0},
      {"29/02/2026", false, 0, 0, 0, 0, 0, 0},
      {"13/13/2026", false, 0, 0, 0, 0, 0, 0},
      {"05/12-2026", false, 0, 0, 0, 0, 0, 0},
      {"05/12/2026 25:00", false, 0, 0, 0, 0, 0, 0},
      {"2026/12", false, 0, 0, 0, 0, 0, 0},
      {"", false, 0, 0, 0, 0, 0, 0},
      {"kemarin", false, 0, 0, 0, 0, 0, 0},
      {"05/12/2026x", false, 0, 0, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Date d{-1};
    ASSERT_EQ(vb::parseDate(c.text, d), c.ok);
    if (!c.ok) {
      EXPECT_EQ(d.serial, -1);  // untouched
      continue;
    }
    EXPECT_EQ(d, Date::fromParts(c.y, c.m, c.d, c.h, c.mi, c.s));
  }
}

TEST(Date, ClockCanBeReplacedAndRestored) {
  const Date fixed = Date::fromParts(2026, 12, 5, 9, 0, 0);
  vb::setClock([fixed] { return fixed; });
  EXPECT_EQ(vb::now(), fixed);
  vb::setClock(nullptr);
  EXPECT_GT(vb::now().year(), 2020);
}

}  // namespace
