#include "platform/vb/locale.h"

namespace vb {

Locale Locale::indonesian() {
  Locale l;
  l.monthNames = {"Januari", "Februari", "Maret",     "April",   "Mei",      "Juni",
                  "Juli",    "Agustus",  "September", "Oktober", "November", "Desember"};
  l.monthAbbrev = {"Jan", "Feb", "Mar", "Apr", "Mei", "Jun",
                   "Jul", "Agu", "Sep", "Okt", "Nov", "Des"};
  l.dayNames = {"Minggu", "Senin", "Selasa", "Rabu", "Kamis", "Jumat", "Sabtu"};
  l.dayAbbrev = {"Min", "Sen", "Sel", "Rab", "Kam", "Jum", "Sab"};
  l.decimalSep = ",";
  l.groupSep = ".";
  l.dateSep = "/";
  l.am = "AM";
  l.pm = "PM";
  return l;
}

Locale Locale::english() {
  Locale l;
  l.monthNames = {"January", "February", "March",     "April",   "May",      "June",
                  "July",    "August",   "September", "October", "November", "December"};
  l.monthAbbrev = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  l.dayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  l.dayAbbrev = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  l.decimalSep = ".";
  l.groupSep = ",";
  l.dateSep = "/";
  l.am = "AM";
  l.pm = "PM";
  return l;
}

namespace {
Locale& current() {
  static Locale l = Locale::english();
  return l;
}
}  // namespace

const Locale& currentLocale() { return current(); }
void setCurrentLocale(const Locale& locale) { current() = locale; }

}  // namespace vb
