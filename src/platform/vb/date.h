#pragma once
// A point in time as the program keeps it: days since 30 December 1899,
// the fraction being the time of day.
#include <functional>
#include <string>

namespace vb {

struct Date {
  double serial = 0;

  // Throws Error 13 for a date or time that does not exist (31/02/2026).
  static Date fromParts(int y, int mo, int d, int h = 0, int mi = 0, int s = 0);

  int year() const;
  int month() const;
  int day() const;
  int hour() const;
  int minute() const;
  int second() const;
  int weekday() const;  // 1 = Sunday .. 7 = Saturday
  Date dateOnly() const;

  friend bool operator==(Date a, Date b) { return a.serial == b.serial; }
  friend bool operator!=(Date a, Date b) { return a.serial != b.serial; }
  friend bool operator<(Date a, Date b) { return a.serial < b.serial; }
  friend bool operator>(Date a, Date b) { return a.serial > b.serial; }
  friend bool operator<=(Date a, Date b) { return a.serial <= b.serial; }
  friend bool operator>=(Date a, Date b) { return a.serial >= b.serial; }
};

// Reads a date typed as text, day first: "dd/mm/yyyy", "d/m/yyyy", with '/',
// '-' or '.' between the parts, an optional " hh:mm[:ss]" time, and ISO
// "yyyy-mm-dd". Rejects dates that do not exist. Leaves out untouched on failure.
bool parseDate(const std::string& text, Date& out);

// The clock. Tests replace it with setClock; an empty function restores the
// system clock (local time).
Date now();
void setClock(std::function<Date()> clock);

}  // namespace vb
