#pragma once
// The page model both report engines fill and one function draws: pages of
// positioned items (text lines, boxes, lines, pictures) in hundredths of a
// millimetre, so that the preview, the printer and a bitmap show the same
// page. Text is broken into lines when the page is laid out, measured with
// the font it is drawn with, and drawn with those widths on every device.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/image/picture.h"

namespace report {

// Lengths on a page: hundredths of a millimetre.
constexpr int kUnitsPerMm = 100;
inline int mmToUnits(double mm) { return static_cast<int>(mm * kUnitsPerMm + (mm < 0 ? -0.5 : 0.5)); }
inline int twipsToUnits(int twips) { return static_cast<int>((twips * 2540LL + (twips < 0 ? -720 : 720)) / 1440); }
// Points (1/72 inch) in page units.
constexpr double kUnitsPerPoint = 2540.0 / 72.0;

struct FontSpec {
  std::string face = "Arial, Liberation Sans";  // the first installed face of the list
  double size = 10;  // points
  bool bold = false, italic = false, underline = false;
  bool serif() const;
  friend bool operator==(const FontSpec& a, const FontSpec& b) {
    return a.face == b.face && a.size == b.size && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline;
  }
};

// Widths and heights of one font in page units, measured once with the font
// itself (made at page-unit size on a memory DC) and kept.
//
// A character the font lacks (a name in Chinese or Arabic characters) comes
// from a face the system links the font to, as Windows does on screen; its
// width is that face's, and the page drawing draws it with that face on
// every device, since a printer driver may not follow the links. Where the
// italic or bold face of a linked font lacks it, its upright or regular face
// draws it, so that no text is lost to a style.
//
// A run of right-to-left letters (Arabic) and a character beyond the basic
// plane (an emoji) are shaped and measured by the system as a whole, as
// they are drawn: letters joined and ordered right to left, a surrogate pair
// one glyph (one box where no face has it).
class FontMetrics {
public:
  explicit FontMetrics(const FontSpec& spec);
  ~FontMetrics();
  FontMetrics(const FontMetrics&) = delete;
  FontMetrics& operator=(const FontMetrics&) = delete;

  int ascent() const { return ascent_; }
  int lineHeight() const { return height_; }
  int advance(wchar_t c) const;
  int width(const std::wstring& text) const;
  int width(const wchar_t* text, size_t n) const;
  // The width of a UTF-8 text, read as it is (no copy); the page-count
  // marker counts as three digits.
  int width(const std::string& utf8) const;

  // A stretch of a line drawn in one go: characters of one face placed one
  // by one, or (shaped) a right-to-left run or a character beyond the basic
  // plane that the system shapes and orders as a whole.
  struct Run {
    size_t begin = 0, end = 0;
    int face = 0;  // 0 the font's own, n the n-th linked face
    bool shaped = false;
  };
  void runs(const wchar_t* text, size_t n, std::vector<Run>& out) const;
  int width(const wchar_t* text, const Run& run) const;
  // Whether a line is all the font's own, drawn character by character.
  bool plain(const wchar_t* text, size_t n) const;
  // The font a face draws with at a pixel height.
  LOGFONTW logFont(int face, int pixelHeight) const;

private:
  struct Linked {
    std::wstring face;
    bool bold = false, italic = false;
    HFONT font = nullptr;
    const std::vector<std::pair<unsigned, unsigned>>* ranges = nullptr;  // the characters it has
  };
  int faceOf(wchar_t c) const;
  int faceOf(const wchar_t* pair) const;  // a surrogate pair
  // Whether a face draws a character; one that draws nothing (a joiner) any face does.
  bool draws(int face, wchar_t c) const;
  int measure(wchar_t c) const;
  int shapedWidth(const wchar_t* text, size_t n, int face) const;
  HFONT fontOf(int face) const { return face ? linked_[static_cast<size_t>(face - 1)].font : font_; }
  FontSpec spec_;
  HDC dc_ = nullptr;
  HFONT font_ = nullptr;
  HGDIOBJ old_ = nullptr;
  int ascent_ = 0, height_ = 0;
  std::vector<std::pair<unsigned, unsigned>> ranges_;  // the characters the font has
  std::vector<Linked> linked_;
  mutable std::vector<int> table_;  // -1: not measured yet
  mutable std::vector<int8_t> faces_;  // -1: not looked up yet
  mutable std::map<unsigned, std::pair<int, int>> wide_;  // beyond the basic plane: face and width
};

// The LOGFONT a spec makes at a given pixel height: TrueType only, since a
// printer's own fonts would be measured differently (and print no glyphs
// under Wine).
LOGFONTW logFontFor(const FontSpec& spec, int pixelHeight);

enum class Align : uint8_t { Left, Center, Right };
enum class VAlign : uint8_t { Top, Middle, Bottom };

struct Item {
  enum Kind : uint8_t { Text, Box, Line, Picture };
  Kind kind = Text;
  Align align = Align::Left;
  bool pagesMarker = false;  // text holds kPagesMarker, replaced by the page count when drawn
  uint16_t font = 0;         // text: index into Document::fonts
  int x = 0, y = 0, w = 0, h = 0;  // text, box, picture: the box; line: from (x, y) by (w, h)
  COLORREF color = 0;              // text, line, box border
  COLORREF fill = CLR_INVALID;     // box
  int pen = 0;                     // line and border width in units; 0 for no border
  uint32_t at = 0, len = 0;        // text: stretch of Page::text; picture: index into Document::pictures
};

// Stands in a text for the number of pages, known once every page is laid out.
constexpr char kPagesMarker = '\x01';

struct Page {
  int width = 0, height = 0;  // units
  std::vector<Item> items;
  std::string text;  // the UTF-8 texts of the text items, one after another

  std::string textOf(const Item& it) const { return text.substr(it.at, it.len); }
  // Adds a line of text whose box is (x, y, w, h); the text sits on the box's top.
  void addText(int x, int y, int w, int h, const std::string& s, uint16_t font, Align align, COLORREF color);
  void addBox(int x, int y, int w, int h, int pen, COLORREF border, COLORREF fill);
  void addLine(int x1, int y1, int x2, int y2, int pen, COLORREF color);
  void addPicture(int x, int y, int w, int h, uint32_t picture);
};

// What a preview shows and a printer prints: pages laid out so far, and a way
// to lay out more, so that a long report shows its first page at once.
class Document {
public:
  virtual ~Document() = default;

  std::string title;
  std::vector<FontSpec> fonts;
  std::vector<img::Picture> pictures;
  std::vector<Page> pages;

  // Lays out more pages for about budgetMs (all of them for a budget below 0);
  // true once the last page is laid out. An error ends the layout and is thrown.
  virtual bool layoutMore(int budgetMs);
  bool complete() const { return complete_; }
  void layoutAll() { layoutMore(-1); }
  // Gives up a layout in progress (its data source closes); the pages so far stay.
  virtual void abandon() { complete_ = true; }

  uint16_t fontIndex(const FontSpec& spec);
  const FontMetrics& metrics(uint16_t font);

protected:
  bool complete_ = true;

private:
  std::vector<std::unique_ptr<FontMetrics>> metrics_;
};

// Where a page lands on a device: its top-left corner in device pixels and
// the device pixels per page unit.
struct Viewport {
  double x = 0, y = 0;
  double scaleX = 1, scaleY = 1;
  static Viewport forDpi(int dpiX, int dpiY, double zoom = 1.0, double x = 0, double y = 0);
};

// Draws one page's items onto any DC (preview, printer, bitmap). The paper
// itself is the caller's (white on a printer and a bitmap; the preview
// draws a sheet with a shadow).
void drawPage(HDC dc, const Document& doc, const Page& page, const Viewport& vp);

// How a text box is laid out: its font (in the document's table), where its
// lines sit, whether they wrap, whether the box grows to show them all and
// whether the font shrinks to fit the box, and its own box (fill and border
// in the text's colour) when it has one.
struct TextStyle {
  uint16_t font = 0;
  Align align = Align::Left;
  VAlign valign = VAlign::Top;
  bool wrap = false, grow = false;
  double shrinkTo = 0;  // points: the smallest size the font may shrink to; 0: it keeps its size
  COLORREF color = 0, fill = CLR_INVALID;
  int pen = 0, padding = 0;
};

// The smallest font a text shrinks to when its template names none: still
// readable on paper.
constexpr double kReadableMinimum = 6;
// A box that grows may grow this far when its caller sets no limit.
constexpr int kNoLimit = 1 << 28;

// A text fitted to its box: the font it is drawn in (smaller than asked
// when it shrank), its lines, and the height of its box (more than asked
// when it grew).
struct TextFit {
  uint16_t font = 0;
  std::vector<std::string> lines;
  int height = 0;
};

// Fits a text into a box w wide and h high: broken into lines when it
// wraps, its box taller (up to maxHeight) when it grows, its font smaller
// (down to shrinkTo) when it shrinks, first growing, then shrinking. A text
// that still does not fit ends in an ellipsis where the box ends; nothing
// else is ever cut.
void fitText(Document& doc, int w, int h, int maxHeight, const std::string& text, const TextStyle& style, TextFit& fit);
// Places a fitted text in the box (x, y, w, h) with its own box, if it has
// one. Returns the box's bottom.
int placeFitted(Document& doc, Page& out, int x, int y, int w, int h, const TextFit& fit, const TextStyle& style);
// Both: lays a text out in the box (x, y, w, h) of a page. Returns the box's
// bottom (below y + h when it grew).
int placeText(Document& doc, Page& out, int x, int y, int w, int h, const std::string& text, const TextStyle& style,
              int maxHeight = kNoLimit);

// How the items of a band make room for texts that grew. Each item gives its
// place in the band (left to right, top to bottom, in page units), how much
// taller it grew itself, and whether it may stretch; flowBand says how far
// each moves down (dy) and how much taller it ends up (dh):
//  - an item below one that grew or moved, and overlapping it from side to
//    side, moves down by as much;
//  - a text that starts on the same line as a moving text moves with it (a
//    label with its value);
//  - an item that starts inside a grown text or a moving item moves with it;
//  - an item that reaches across the foot of one that grew or moved, and
//    overlaps it, stretches to stay around it (frames, rules, row labels).
struct FlowBox {
  int left = 0, right = 0, top = 0, bottom = 0;
  int grown = 0;
  bool stretches = true;
  bool text = false;
  int dy = 0, dh = 0;  // out
  // The box between two corners (a line's two ends), in any order.
  static FlowBox between(int x1, int y1, int x2, int y2, bool text, bool stretches) {
    FlowBox b;
    b.left = std::min(x1, x2), b.right = std::max(x1, x2);
    b.top = std::min(y1, y2), b.bottom = std::max(y1, y2);
    b.text = text, b.stretches = stretches;
    return b;
  }
};
void flowBand(std::vector<FlowBox>& items);
// A text of a band that may grow: which item it is, its box's size, its
// text and its style.
struct GrowingText {
  size_t item = 0;
  int w = 0, h = 0;
  const std::string* text = nullptr;
  TextStyle style;
};
// Fits a band's growing texts (into fits, by item) and makes room for them
// as flowBand says; returns the band's height, at least height and at most
// limit. Past limit the texts that grew give room back, a little at a time
// so that texts that grew alike end up alike: first one that no page could
// hold whole anyway (cut), then the others down to the least they need
// whole at their smallest font; only then are texts cut. An item that takes
// no part stands at top = bottom = -kNoLimit.
int growBand(Document& doc, std::vector<FlowBox>& items, std::vector<TextFit>& fits,
             const std::vector<GrowingText>& texts, int height, int limit);

// Splits a text into lines that fit a width, at blanks where it can; a word
// longer than the width goes on in the next line, after one of its marks
// (- / . @ _ ,) where it has one. Hard line breaks ("\n", "\r\n") always break.
std::vector<std::wstring> wrapText(const std::wstring& text, int width, const FontMetrics& m);

}  // namespace report
