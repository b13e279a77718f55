// The worksheet: cells as typed in, column formats and fitted widths.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "platform/xls/internal.h"

namespace xls {

using detail::CellRec;
using detail::Kind;

namespace {

std::string grouped(long long n) {
  return vb::Format(vb::Variant(n), "#,##0", vb::currentLocale());
}

void checkPlace(int row, int column) {
  if (row < 1)
    vb::raise(errnum::Subscript, "Baris " + std::to_string(row) + " tidak ada di lembar kerja.");
  if (column < 1 || column > kMaxColumns)
    vb::raise(errnum::Subscript, "Kolom " + std::to_string(column) +
                                     " tidak ada di lembar kerja (kolom 1 sampai 256).");
}

// UTF-16 length, counted only for texts long enough to matter.
size_t lengthOf(const std::string& text) {
  if (text.size() <= 255) return text.size();
  std::u16string wide;
  detail::toUtf16(text, wide);
  return wide.size();
}

}  // namespace

Worksheet::Worksheet(detail::Book& book) : d_(std::make_unique<Data>(book)) {}
Worksheet::~Worksheet() = default;

void Worksheet::NumberFormat(int column, const std::string& format) {
  checkPlace(1, column);
  if (format.empty() || lengthOf(format) > 255)
    vb::raise(errnum::Subscript, "Format angka kolom " + std::to_string(column) +
                                     " harus berisi 1 sampai 255 karakter.");
  detail::Column& c = d_->columns[column - 1];
  c.format = d_->book.formatId(format);
  c.text = format == "@";
  // As on a sheet: the cells keep their values and show them the new way.
  for (CellRec& cell : d_->cells)
    if (cell.column == column - 1) cell.format = static_cast<uint16_t>(c.format);
}

void Worksheet::Cell(int row, int column, const std::string& text) {
  checkPlace(row, column);
  Data& d = *d_;
  const detail::Column& col = d.columns[column - 1];
  CellRec cell;
  cell.row = static_cast<uint32_t>(row - 1);
  cell.column = static_cast<uint16_t>(column - 1);
  cell.format = col.format < 0 ? 0 : static_cast<uint16_t>(col.format);
  detail::Shown shown = detail::Shown::General;
  if (text.empty()) {
    cell.kind = static_cast<uint16_t>(Kind::Empty);
    cell.number = 0;
  } else if (!col.text && detail::readTyped(text, vb::currentLocale(), cell.number, shown)) {
    cell.kind = static_cast<uint16_t>(Kind::Number);
    if (col.format < 0) cell.format = d.book.shownId(shown);
  } else {
    if (lengthOf(text) > static_cast<size_t>(kMaxTextLength))
      vb::raise(errnum::TooLong, "Teks di baris " + std::to_string(row) + ", kolom " +
                                     std::to_string(column) +
                                     " terlalu panjang: satu sel memuat paling banyak " +
                                     grouped(kMaxTextLength) + " karakter.");
    cell.kind = static_cast<uint16_t>(Kind::Text);
    cell.text = d.book.strings.add(text);
  }

  if (row > d.lastRow) d.lastRow = row;
  if (!d.cells.empty()) {
    CellRec& last = d.cells.back();
    if (last.row == cell.row && last.column == cell.column) {
      last = cell;
      return;
    }
    if (last.row > cell.row || (last.row == cell.row && last.column > cell.column)) d.ordered = false;
  }
  d.cells.push_back(cell);
}

const std::vector<CellRec>& Worksheet::Data::finalCells() {
  const auto before = [](const CellRec& a, const CellRec& b) {
    return a.row != b.row ? a.row < b.row : a.column < b.column;
  };
  if (!ordered) {
    // The last value set in a place wins, as on a sheet.
    std::stable_sort(cells.begin(), cells.end(), before);
    std::vector<CellRec> kept;
    kept.reserve(cells.size());
    for (size_t i = 0; i < cells.size(); ++i)
      if (i + 1 == cells.size() || before(cells[i], cells[i + 1])) kept.push_back(cells[i]);
    cells.swap(kept);
    ordered = true;
  }
  if (std::any_of(cells.begin(), cells.end(),
                  [](const CellRec& c) { return c.kind == static_cast<uint16_t>(Kind::Empty); }))
    cells.erase(std::remove_if(cells.begin(), cells.end(),
                               [](const CellRec& c) { return c.kind == static_cast<uint16_t>(Kind::Empty); }),
                cells.end());
  return cells;
}

// ---- fitting widths ------------------------------------------------------------

namespace detail {

namespace {

bool isDateFormat(const std::string& code) {
  bool quoted = false;
  for (char c : code) {
    if (c == '"') quoted = !quoted;
    else if (!quoted && (c == 'd' || c == 'D' || c == 'y' || c == 'Y' || c == 'h' || c == 'H'))
      return true;
  }
  return false;
}

// A number in the General format: whole numbers of up to eleven digits as
// they are, others in at most eleven characters.
std::string generalText(double v, const vb::Locale& loc) {
  char buf[64];
  if (v == std::floor(v) && std::fabs(v) < 1e11) {
    std::snprintf(buf, sizeof buf, "%.0f", v);
    return buf;
  }
  std::string s;
  for (int precision = 10; precision >= 1; --precision) {
    std::snprintf(buf, sizeof buf, "%.*G", precision, v);
    s = buf;
    if (s.size() <= 11) break;
  }
  const size_t dot = s.find('.');
  if (dot != std::string::npos) s.replace(dot, 1, loc.decimalSep);
  return s;
}

}  // namespace

std::string shownText(double value, const std::string& code, const vb::Locale& loc) {
  if (code == "General" || code == "@") return generalText(value, loc);
  if (code == formatCode(Shown::Scientific)) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2E", value);
    std::string s = buf;
    const size_t dot = s.find('.');
    if (dot != std::string::npos) s.replace(dot, 1, loc.decimalSep);
    return s;
  }
  // A width is only a width: a pattern the program's Format does not know
  // is measured as the plain number.
  try {
    if (isDateFormat(code)) {
      const double serial = value < 60 ? value + 1 : value;
      return vb::Format(vb::Variant(vb::Date{serial}), code, loc);
    }
    return vb::Format(vb::Variant(value), code, loc);
  } catch (const vb::Error&) {
    return generalText(value, loc);
  }
}

}  // namespace detail

void Worksheet::AutoFit() {
  Data& d = *d_;
  const vb::Locale& loc = vb::currentLocale();
  std::vector<uint32_t> widest(kMaxColumns, 0);
  std::vector<bool> used(kMaxColumns, false);
  std::vector<uint32_t> textWidths(d.book.strings.size(), 0);  // width + 1, 0 not yet measured
  // Numbers of one format show widest at either end of their range; only
  // General fractions vary in length and are measured one by one.
  struct Range {
    double low, high;
  };
  std::map<std::pair<int, int>, Range> ranges;
  for (const CellRec& c : d.finalCells()) {
    used[c.column] = true;
    uint32_t w = 0;
    if (c.kind == static_cast<uint16_t>(Kind::Text)) {
      uint32_t& known = textWidths[c.text];
      if (!known) known = detail::textWidth(d.book.strings.text(c.text)) + 1;
      w = known - 1;
    } else if (c.format == 0 && c.number != std::floor(c.number)) {
      w = detail::textWidth(detail::generalText(c.number, loc));
    } else {
      auto it = ranges.find({c.column, c.format});
      if (it == ranges.end()) ranges.emplace(std::make_pair(c.column, c.format), Range{c.number, c.number});
      else {
        it->second.low = std::min(it->second.low, c.number);
        it->second.high = std::max(it->second.high, c.number);
      }
    }
    widest[c.column] = std::max(widest[c.column], w);
  }
  for (const auto& [key, range] : ranges) {
    const std::string& code = d.book.formats[key.second];
    for (double v : {range.low, range.high})
      widest[key.first] = std::max(widest[key.first], detail::textWidth(detail::shownText(v, code, loc)));
  }
  // The sheet's font is 10 points (13.3 pixels at 96 dpi), its digits 7
  // pixels wide; a column keeps 5 pixels of margin and one more for the grid.
  for (int c = 0; c < kMaxColumns; ++c) {
    if (!used[c]) continue;
    const double pixels = std::ceil(widest[c] * 13.333 / 1000.0) + 6;
    const double width = std::min(255.0 * 256, std::ceil(pixels * 256 / 7));
    d.columns[c].width = static_cast<uint16_t>(width);
  }
}

}  // namespace xls
