#pragma once
// The regional settings that dates, month names and digit grouping follow.
#include <array>
#include <string>

namespace vb {

struct Locale {
  std::array<std::string, 12> monthNames, monthAbbrev;
  std::array<std::string, 7> dayNames, dayAbbrev;  // Sunday first
  std::string decimalSep, groupSep, dateSep, am, pm;

  static Locale indonesian();
  static Locale english();
};

// The locale in force; English until the Windows build sets the system's at start-up.
const Locale& currentLocale();
void setCurrentLocale(const Locale& locale);

}  // namespace vb
