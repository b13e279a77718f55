#pragma once
// The writer's inner parts, shared by its files and its tests.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vb/locale.h"
#include "platform/xls/xls.h"

namespace xls::detail {

// ---- reading a text as typed in ---------------------------------------------

// The number formats a spreadsheet gives a typed number or date.
enum class Shown : uint8_t {
  General,
  Grouped,     // "#,##0"
  Grouped2,    // "#,##0.00"
  Percent,     // "0%"
  Percent2,    // "0.00%"
  Scientific,  // "0.00E+00"
  Date,        // "dd/mm/yyyy"
  DateTime,    // "dd/mm/yyyy hh:mm"
  DateTimeSeconds,
  Count
};
const char* formatCode(Shown shown);

// Reads text as a number in the locale or as a day-first date (a date's
// value is its spreadsheet serial). False when the text stays text.
bool readTyped(std::string_view text, const vb::Locale& loc, double& value, Shown& shown);

// ---- text --------------------------------------------------------------------

// UTF-8 to UTF-16 code units; a malformed byte becomes U+FFFD.
void toUtf16(std::string_view utf8, std::u16string& out);
// Width of a text in thousandths of the font's height.
uint32_t textWidth(std::string_view utf8);

// The distinct cell texts of a workbook, each kept once, in order of first use.
class StringTable {
public:
  uint32_t add(std::string_view text);
  uint32_t size() const { return static_cast<uint32_t>(entries_.size()); }
  std::string_view text(uint32_t index) const {
    const Entry& e = entries_[index];
    return std::string_view(arena_.data() + e.offset, e.length);
  }

private:
  struct Entry {
    size_t offset;
    uint32_t length, hash;
  };
  void grow();

  std::string arena_;
  std::vector<Entry> entries_;
  std::vector<uint64_t> slots_;  // hash << 32 | entry index + 1; 0 is free
};

// ---- cells ---------------------------------------------------------------------

enum class Kind : uint8_t { Empty, Number, Text };

struct CellRec {
  uint32_t row;  // 0-based
  uint16_t column : 12;  // 0-based
  uint16_t kind : 4;
  uint16_t format;  // index into Book::formats
  union {
    double number;
    uint32_t text;  // index into Book::strings
  };
};
static_assert(sizeof(CellRec) == 16, "cells are kept compact: exports hold a million of them");

struct Column {
  int format = -1;    // index into Book::formats; -1 when none was set
  bool text = false;  // formatted "@"
  uint16_t width = 0;  // in 1/256 of a character; 0 keeps the default
};

}  // namespace xls::detail

namespace xls {

struct Worksheet::Data {
  explicit Data(detail::Book& b) : book(b), columns(kMaxColumns) {}
  // The cells in row and column order, each place once, cleared ones left out.
  const std::vector<detail::CellRec>& finalCells();

  detail::Book& book;
  std::vector<detail::CellRec> cells;
  bool ordered = true;  // cells are in strictly increasing place order
  std::vector<detail::Column> columns;
  int lastRow = 0;  // highest 1-based row ever set, empty texts included
};

}  // namespace xls

namespace xls::detail {

struct Book {
  Book();
  uint16_t formatId(const std::string& code);
  uint16_t shownId(Shown shown);
  // The workbook stream: the BIFF8 records of the globals and the sheet.
  std::string stream();

  StringTable strings;
  std::vector<std::string> formats;  // format codes; 0 is "General"
  uint16_t shownIds[static_cast<int>(Shown::Count)];
  std::unique_ptr<Worksheet> sheet;
};

// Where the compound document goes.
class Sink {
public:
  virtual ~Sink() = default;
  virtual void write(const char* data, size_t size) = 0;
};

// Writes a compound document holding one stream named "Workbook".
void writeCompound(const std::string& workbook, Sink& out);

// The text of a number or date as the format shows it (for column widths).
std::string shownText(double value, const std::string& formatCode, const vb::Locale& loc);

}  // namespace xls::detail
