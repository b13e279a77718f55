#pragma once
// Report templates: the text format described in temp/FORMAT.txt of the
// program folder, read into bands of positioned items. Reading checks the
// syntax; names of fields are checked against the datasets when a report
// opens them. Every error names the file, the line and what is wrong.
#include <string>
#include <vector>

#include "platform/report/page.h"

namespace report {

// Error number of every template and report-run error (vb::Error).
constexpr int kReportError = 31001;

// One piece of a text: literal text or a value between [ and ].
struct Piece {
  enum Kind { Literal, Field, Parameter, PageNumber, PageCount, RowNumber, Today, Sum, Count };
  Kind kind = Literal;
  std::string text;     // literal text; the parameter's name
  std::string dataset;  // field, sum: the dataset named ("" for the main one)
  std::string name;     // field, sum: the field's name
  std::string format;   // after ':', for Format()
  // After '|': value=text pairs; a value listed prints as its text.
  std::vector<std::pair<std::string, std::string>> map;
  int line = 0;
  // Bound when the report opens: the dataset (0 is the main one) and the column.
  int datasetIndex = -1, column = -1;
};

struct TextExpr {
  std::vector<Piece> pieces;
  bool empty() const { return pieces.empty(); }
};

struct ItemDef {
  Item::Kind kind = Item::Text;
  int line = 0;
  int x = 0, y = 0, w = 0, h = 0;  // units; a line runs from (x, y) to (x + w, y + h)
  TextExpr text;                   // text, or the picture's file
  FontSpec font;
  Align align = Align::Left;
  VAlign valign = VAlign::Top;
  bool wrap = false, grow = false, stretch = false;
  double shrinkTo = 0;  // points; 0: the font keeps its size
  COLORREF color = RGB(0, 0, 0);
  COLORREF fill = CLR_INVALID;
  int pen = 0;      // border (text, box) or line width
  int padding = 0;
  uint16_t fontIndex = 0;  // in the document's font table, set when a report opens
};

struct BandDef {
  enum Kind { Header, PageHeader, Detail, Totals, Footer, PageFooter };
  Kind kind = Detail;
  int line = 0;
  int height = 0;
  bool newPage = false;  // detail: every row starts a page
  bool grows = false;    // an item grows: what lies below it may move
  Piece by;              // totals: the field whose values each get a copy of the band
  std::vector<ItemDef> items;
};

struct DatasetDef {
  std::string name;
  std::string query;  // empty: bound by the program
  int line = 0;
};

struct ParameterDef {
  std::string name;
  std::string value;  // until the program binds one
  int line = 0;
};

struct TemplateDef {
  std::string file;  // as given, for messages
  std::string folder;
  std::string name;
  int pageWidth = 21000, pageHeight = 29700;  // units
  int marginLeft = 1500, marginTop = 1500, marginRight = 1500, marginBottom = 1500;
  FontSpec font;
  std::string connection = "";  // alias; empty: any bound connection
  std::vector<DatasetDef> datasets;  // the first is the main one (one row per detail)
  std::vector<ParameterDef> parameters;
  std::vector<BandDef> bands;

  const BandDef* band(BandDef::Kind kind) const;
  std::vector<const BandDef*> bandsOf(BandDef::Kind kind) const;
};

// Reads a template file (UTF-8). Throws vb::Error kReportError: a missing or
// unreadable file, or "<file>, line N: <what is wrong>".
TemplateDef loadTemplate(const std::string& path);
// The same for a text already read; file names it in messages.
TemplateDef parseTemplate(const std::string& text, const std::string& file);

}  // namespace report
