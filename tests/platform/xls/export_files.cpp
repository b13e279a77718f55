// Writes the exports the program makes, and more, into exports/ beside this
// test, each with a .expect file of what every cell must read back as.
// readback.py then opens them with two spreadsheet readers nobody here wrote.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/vb/locale.h"
#include "platform/xls/xls.h"

namespace {

namespace fs = std::filesystem;

// One export: cells as the list holds them, and what the sheet must make of each.
class Export {
public:
  Export(const std::string& name, bool indonesian) : name_(name), indonesian_(indonesian) {
    vb::setCurrentLocale(indonesian ? vb::Locale::indonesian() : vb::Locale::english());
  }
  ~Export() { vb::setCurrentLocale(vb::Locale::english()); }

  xls::Worksheet& sheet() { return book_.Sheet(); }

  // A cell that reads back as the text it was given.
  void text(int r, int c, const std::string& t) { put(r, c, t, "text", t, t); }
  // A cell that reads back as a number (value as Python writes it) shown as `shown`.
  void number(int r, int c, const std::string& t, const std::string& value, const std::string& shown) {
    put(r, c, t, "number", value, shown);
  }
  void number(int r, int c, const std::string& t, const std::string& value) { number(r, c, t, value, t); }
  // A cell that reads back as a date (day/month/year[ h:m[:s]]).
  void date(int r, int c, const std::string& t, const std::string& value, const std::string& shown) {
    put(r, c, t, "date", value, shown);
  }
  void date(int r, int c, const std::string& t) { date(r, c, t, t, t); }
  // Expectations for cells set through sheet() directly.
  void expect(int r, int c, const std::string& type, const std::string& value, const std::string& shown) {
    expected_[{r, c}] = {type, value, shown};
  }
  void forget(int r, int c) { expected_.erase({r, c}); }

  void save() {
    fs::create_directories("exports");
    book_.SaveAs("exports/" + name_ + ".xls");
    std::ofstream out("exports/" + name_ + ".expect", std::ios::binary);
    out << "locale\t" << (indonesian_ ? "id" : "en") << "\n";
    for (const auto& [place, e] : expected_)
      out << "cell\t" << place.first << '\t' << place.second << '\t' << e.type << '\t' << escape(e.value)
          << '\t' << escape(e.shown) << '\n';
    ASSERT_TRUE(out.good());
  }

private:
  struct Expected {
    std::string type, value, shown;
  };
  static std::string escape(const std::string& s) {
    std::string r;
    for (char c : s) {
      if (c == '\\') r += "\\\\";
      else if (c == '\n') r += "\\n";
      else if (c == '\t') r += "\\t";
      else r += c;
    }
    return r;
  }
  void put(int r, int c, const std::string& t, const char* type, const std::string& value,
           const std::string& shown) {
    book_.Sheet().Cell(r, c, t);
    expected_[{r, c}] = {type, value, shown};
  }

  std::string name_;
  bool indonesian_;
  xls::Workbook book_;
  std::map<std::pair<int, int>, Expected> expected_;
};

const char* kPayers[] = {"Budi Santoso", "Dévi Anggraini", "PT Maju Jaya", "Siti Nurhaliza", "Ahmad Fauzi"};
const char* kPurposes[] = {"Pembayaran SPP bulan Desember", "Uang pangkal", "Cicilan ke-3",
                           "Biaya wisuda 50%", "Iuran \"kas\" kelas"};

std::string twoDigits(int v) { return (v < 10 ? "0" : "") + std::to_string(v); }

std::string grouped(long long v, char sep) {
  std::string digits = std::to_string(v), out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i && (digits.size() - i) % 3 == 0) out += sep;
    out += digits[i];
  }
  return out;
}

// The receipt register's export as the register fills it: the running
// number and the amount stay text, the date becomes a date, the receiver
// stays text under its date format.
void registerExport(const std::string& name, int rows) {
  Export e(name, true);
  e.sheet().NumberFormat(1, "@");
  e.sheet().NumberFormat(5, "@");
  e.sheet().NumberFormat(9, "dd/mm/yyyy");
  const char* headers[] = {"No", "No Kwitansi", "Sudah Terima Dari", "Mata Uang", "Jumlah",
                           "Untuk Pembayaran", "Tempat", "Tgl Diterima", "Oleh"};
  for (int c = 1; c <= 9; ++c) e.text(1, c, headers[c - 1]);
  for (int i = 1; i <= rows; ++i) {
    const int r = i + 1;
    const int day = 1 + i % 28, month = 1 + i % 12;
    const std::string date = twoDigits(day) + "/" + twoDigits(month) + "/2026";
    e.text(r, 1, std::to_string(i));
    e.text(r, 2, "KW" + std::to_string(100000 + i).substr(1) + "/XII/2026");
    e.text(r, 3, kPayers[i % 5]);
    e.text(r, 4, i % 7 ? "IDR" : "USD");
    e.text(r, 5, grouped(250000LL * (i % 40 + 1), '.'));
    e.text(r, 6, kPurposes[i % 5]);
    e.text(r, 7, i % 2 ? "Jakarta" : "Bandung");
    e.date(r, 8, date);
    e.text(r, 9, i % 3 ? "Admin" : "Bendahara");
  }
  e.sheet().AutoFit();
  e.save();
}

TEST(ExportFiles, ReceiptRegister) { registerExport("register", 25); }

// More than 7 MB: the allocation table outgrows the header's 109 entries.
TEST(ExportFiles, SixtyThousandRows) {
  registerExport("rows60000", 60000);
  EXPECT_GT(fs::file_size("exports/rows60000.xls"), 7u << 20);
}

TEST(ExportFiles, CustomerList) {
  Export e("customers", true);
  for (int c : {1, 2, 5}) e.sheet().NumberFormat(c, "@");
  const char* headers[] = {"No", "ID Customer", "Nama Lengkap", "Alamat", "No. Telp", "Alamat Email",
                           "Perusahaan"};
  for (int c = 1; c <= 7; ++c) e.text(1, c, headers[c - 1]);
  const char* phones[] = {"081234567890", "0227654321", "+62 812 0000 111", "(021) 555-0101", "0"};
  for (int i = 1; i <= 12; ++i) {
    const int r = i + 1;
    e.text(r, 1, std::to_string(i));
    e.text(r, 2, "CUST" + std::to_string(100000 + i).substr(1));
    e.text(r, 3, kPayers[i % 5]);
    e.text(r, 4, "Jl. Merdeka No. " + std::to_string(i) + ", Bandung");
    e.text(r, 5, phones[i % 5]);
    e.text(r, 6, "pelanggan" + std::to_string(i) + "@contoh.co.id");
    if (i % 4) e.text(r, 7, "CV Sumber Rejeki");  // an empty company is an empty cell
  }
  e.sheet().AutoFit();
  e.save();
}

// A list of amounts and dates in columns without a format: each becomes
// what typing it in gives. Columns 1 and 5 keep leading zeros as text.
TEST(ExportFiles, TypedInIndonesian) {
  Export e("typed_id", true);
  e.sheet().NumberFormat(1, "@");
  e.sheet().NumberFormat(5, "@");
  struct Row {
    const char* no;
    const char* amount;
    const char* value;
    const char* shown;
    const char* phone;
  };
  const Row rows[] = {
      {"001", "1.500.000", "1500000", "1.500.000", "081234567890"},
      {"002", "2.750.000,50", "2750000.5", "2.750.000,50", "0021"},
      {"003", "-1.000", "-1000", "-1.000", "007"},
      {"004", "12,5", "12.5", "12,5", "000"},
      {"005", "999", "999", "999", "1.500.000"},
      {"006", "15%", "0.15", "15%", "25/12/2026"},
      {"007", "1.234.567.890", "1234567890", "1.234.567.890", "=1+1"},
  };
  int r = 1;
  for (const Row& row : rows) {
    e.text(r, 1, row.no);
    e.number(r, 2, row.amount, row.value, row.shown);
    e.text(r, 5, row.phone);
    ++r;
  }
  e.date(1, 3, "25/12/2026");
  e.date(2, 3, "1/2/2026", "01/02/2026", "01/02/2026");
  e.date(3, 3, "2026-03-31", "31/03/2026", "31/03/2026");
  e.date(4, 3, "25/12/2026 14:30");
  e.date(5, 3, "1/3/1900", "01/03/1900", "01/03/1900");
  e.date(6, 3, "2/3/1900", "02/03/1900", "02/03/1900");
  e.date(7, 3, "31.12.2025", "31/12/2025", "31/12/2025");
  // Texts that only look like numbers or dates.
  const char* texts[] = {"1.25", "31/02/2026", "12:30", "KW/001/12/2026", "Rp 1.000", "1.000.00",
                         "0812-3456-7890", "31/12/1899", "-", "Dévi", "日本語", "😀 senyum",
                         "dua\nbaris", "  spasi  ", "=SUM(A1:A3)"};
  r = 1;
  for (const char* t : texts) e.text(r++, 4, t);
  e.number(1, 6, "007", "7", "7");
  e.number(2, 6, "  42 ", "42", "42");
  e.number(3, 6, "1E5", "100000", "1,00E+05");
  e.sheet().AutoFit();
  e.save();
}

TEST(ExportFiles, TypedInEnglish) {
  Export e("typed_en", false);
  e.number(1, 1, "1,500,000", "1500000");
  e.number(2, 1, "3.5", "3.5");
  e.number(3, 1, "1,234.56", "1234.56");
  e.text(4, 1, "1,5");
  e.date(5, 1, "25/12/2026");
  e.save();
}

// Overwrites, cleared cells, cells set out of order and a format set after
// the values: the last word counts, as on a sheet.
TEST(ExportFiles, LastWordCounts) {
  Export e("last_word", true);
  xls::Worksheet& s = e.sheet();
  s.Cell(3, 2, "lama");
  s.Cell(1, 1, "pertama");
  s.Cell(3, 2, "baru");
  s.Cell(2, 3, "1.000");
  s.Cell(2, 1, "hapus saya");
  s.Cell(2, 1, "");
  s.Cell(1, 3, "25/12/2026");
  s.NumberFormat(3, "#,##0.00");  // both values keep their numbers, shown the new way
  s.Cell(3, 3, "007");            // typed after the format: a number in that format
  s.NumberFormat(4, "@");
  s.Cell(1, 4, "0123");
  e.expect(1, 1, "text", "pertama", "pertama");
  e.expect(3, 2, "text", "baru", "baru");
  e.expect(2, 3, "number", "1000", "1.000,00");
  e.expect(1, 3, "number", "46381", "46.381,00");
  e.expect(3, 3, "number", "7", "7,00");
  e.expect(1, 4, "text", "0123", "0123");
  e.save();
}

// Shared strings past one record's room: long texts, narrow and wide, whose
// breaks fall at every kind of place.
TEST(ExportFiles, LongStrings) {
  Export e("long_strings", true);
  std::string all;
  for (int i = 0; i < 400; ++i) {
    std::string t = "teks " + std::to_string(i) + " ";
    const int length = 7 + (i * 37) % 300;
    while (static_cast<int>(t.size()) < length) t += static_cast<char>('a' + (t.size() + i) % 26);
    if (i % 3 == 0) t += " Ω";  // needs two bytes a character
    e.text(i + 1, 1, t);
  }
  std::string longNarrow, longWide;
  for (int i = 0; longNarrow.size() < 20000; ++i) longNarrow += "kuitansi-" + std::to_string(i) + " ";
  for (int i = 0; i < 9000; ++i) longWide += (i % 10 ? "a" : "€");
  e.text(1, 2, longNarrow);
  e.text(2, 2, longWide);
  e.text(3, 2, std::string(xls::kMaxTextLength, 'x'));
  e.text(4, 2, "pendek");
  e.save();
}

// Characters outside the basic plane take two UTF-16 units that no reader
// accepts parted by a record break. Every text mixes accents, CJK and emoji
// with a varying number of digits before them, so that the breaks of the
// shared strings fall at every place in such a pair.
TEST(ExportFiles, EmojiAcrossRecordBreaks) {
  Export e("emoji60000", true);
  const char* pieces[] = {"é", "日本", "😀", "Ŝ", "語", "🎉", "ü", "👍🏽"};
  for (int r = 1; r <= 60000; ++r) {
    std::string t = std::to_string(r) + " ";
    for (int k = 0; k < 3 + r % 11; ++k) t += pieces[(r + k) % 8];
    e.text(r, 1, t);
  }
  e.save();
}

// The smallest files: one cell, and none at all (the stream then lives in
// the compound document's mini stream).
TEST(ExportFiles, Small) {
  {
    Export e("one_cell", true);
    e.text(1, 1, "Kwitansi");
    e.save();
  }
  Export e("empty", true);
  e.save();
}

// The last row a sheet holds.
TEST(ExportFiles, FullSheet) {
  Export e("full_sheet", true);
  for (int r = 1; r <= xls::kMaxRows; r += 1) e.text(r, 1, r % 2 ? "ganjil" : "genap");
  e.number(xls::kMaxRows, 256, "65536", "65536");
  e.save();
}

}  // namespace
