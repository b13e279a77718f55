#pragma once
// Spreadsheet export: a workbook of one worksheet saved as a real .xls file
// (BIFF8 inside a compound document) that spreadsheet programs open.
//
// Cells are set the way a user types them in: a column formatted "@" keeps
// its texts; elsewhere a text that reads as a number in the locale in force
// (vb::currentLocale()) becomes that number, a day-first date becomes a date,
// and anything else stays text.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace xls {

// Limits of the file format.
constexpr int kMaxRows = 65536;
constexpr int kMaxColumns = 256;
constexpr int kMaxTextLength = 32767;  // characters in one cell

// Error numbers of the vb::Error that this layer throws.
namespace errnum {
constexpr int Subscript = 9;        // no such sheet, row or column
constexpr int TooLong = 1004;       // a cell text longer than a cell holds
constexpr int TooManyRows = 1004;   // more rows than a worksheet holds
constexpr int DiskFull = 61;
constexpr int PermissionDenied = 70;
constexpr int PathAccess = 75;
constexpr int PathNotFound = 76;
}  // namespace errnum

class Workbook;
namespace detail {
struct Book;
Book& bookOf(Workbook& workbook);
}  // namespace detail

class Worksheet {
public:
  // Number format of a whole column (1-based), e.g. "@" (text), "#,##0",
  // "dd/mm/yyyy". Cells already in the column take it for their display.
  void NumberFormat(int column, const std::string& format);
  // A cell (1-based row and column) set as if typed in. An empty text
  // clears the cell. Rows past the sheet's limit are kept until SaveAs
  // refuses them, so that a long list is reported whole, not cut.
  void Cell(int row, int column, const std::string& text);
  // Fits every column's width to its longest shown text, as it is now.
  void AutoFit();

  Worksheet(const Worksheet&) = delete;
  Worksheet& operator=(const Worksheet&) = delete;
  ~Worksheet();

private:
  friend class Workbook;
  friend struct detail::Book;
  explicit Worksheet(detail::Book& book);

  struct Data;
  std::unique_ptr<Data> d_;
};

class Workbook {
public:
  Workbook();  // a workbook with one worksheet
  ~Workbook();
  Workbook(const Workbook&) = delete;
  Workbook& operator=(const Workbook&) = delete;

  Worksheet& Sheet(int index = 1);
  // Throws the vb::Error SaveAs throws for a sheet longer than kMaxRows
  // rows, so that a caller can refuse such a list before asking for a file.
  void CheckRows() const;
  // Writes the file (UTF-8 path) under a temporary name beside it and moves
  // it into place; throws vb::Error with a readable description when it
  // cannot (folder missing, file in use, disk full, more than 65,536 rows),
  // leaving an existing file of that name as it was and no new one.
  void SaveAs(const std::string& path);

private:
  friend detail::Book& detail::bookOf(Workbook&);
  std::unique_ptr<detail::Book> book_;
};

}  // namespace xls
