#include "receipts/nomor.h"

#include <cctype>

#include "core/module1.h"
#include "platform/db/recordset.h"
#include "platform/vb/date.h"
#include "platform/vb/format.h"
#include "platform/vb/text.h"

using Module1::koneksi;

namespace {

// The stored form's sequence: three digits; -1 for anything else.
int urutanDari(const std::string& nomor) {
  const std::string s = vb::Left(nomor, 3);
  if (s.size() != 3) return -1;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
  return std::stoi(s);
}

std::string tigaDigit(int urutan) {
  const std::string t = "00" + std::to_string(urutan);
  return t.substr(t.size() - 3);
}

// The highest sequence of the month, read the way the database reads the
// stored month and year ("01/" and the text from the fifth character, day
// first), one stored number at a time, so that one that does not read as a
// date is passed over instead of failing the whole query. -1: none.
int tertinggiPerBaris(const vb::Date& hariIni) {
  db::Recordset rs;
  rs.open("SELECT NoKwitansi FROM tblkwitansi", koneksi);
  int tertinggi = -1;
  for (; !rs.eof(); rs.moveNext()) {
    const vb::Variant& v = rs.field(0).value();
    if (v.isNull()) continue;
    const std::string nomor = v.toString();
    vb::Date d;
    if (!vb::parseDate("01/" + vb::Mid(nomor, 5), d)) continue;
    if (d.month() != hariIni.month() || d.year() != hariIni.year()) continue;
    const int u = urutanDari(nomor);
    if (u > tertinggi) tertinggi = u;
  }
  rs.close();
  return tertinggi;
}

}  // namespace

std::string urutanBerikutnya() {
  int tertinggi = -1;
  try {
    db::Recordset rs;
    rs.open("SELECT Left(nokwitansi,3) AS NOurut "
            "FROM tblkwitansi "
            "WHERE Month(CDate('01/' & Mid(nokwitansi,5))) = Month(Now()) "
            "AND Year(CDate('01/' & Mid(nokwitansi,5))) = Year(Now()) "
            "ORDER BY Left(nokwitansi,3) DESC",
            koneksi);
    // Highest text first; a sequence that is no three digits sorts above the
    // digits and is passed over.
    for (; !rs.eof() && tertinggi < 0; rs.moveNext()) {
      const vb::Variant& v = rs["nourut"];
      if (!v.isNull()) tertinggi = urutanDari(vb::Right(v.toString(), 3));
    }
    rs.close();
  } catch (...) {
    // A stored number that is no month and year fails the query as a whole.
    try {
      tertinggi = tertinggiPerBaris(vb::now());
    } catch (...) {
      tertinggi = -1;
    }
  }
  // After "999" the month goes on with "000", as the stored numbers never
  // sort above "999".
  return tertinggi < 0 ? "001" : tigaDigit((tertinggi + 1) % 1000);
}

std::string bulanTahunNomor() {
  const vb::Date hariIni = vb::now();
  // The stored numbers and the query rely on "/", whatever the regional date separator.
  return vb::Format(vb::Variant(hariIni), "mm") + "/" + vb::Format(vb::Variant(hariIni), "yyyy");
}

std::string usulanNomor(const std::string& prefix) { return prefix + urutanBerikutnya() + "/" + bulanTahunNomor(); }
