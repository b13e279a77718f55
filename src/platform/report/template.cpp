#include "platform/report/template.h"

#include <windows.h>

#include <cstdlib>
#include <sstream>

#include "platform/ui/win_util.h"
#include "platform/vb/error.h"
#include "platform/vb/text.h"

namespace report {

const BandDef* TemplateDef::band(BandDef::Kind kind) const {
  for (const BandDef& b : bands)
    if (b.kind == kind) return &b;
  return nullptr;
}

std::vector<const BandDef*> TemplateDef::bandsOf(BandDef::Kind kind) const {
  std::vector<const BandDef*> out;
  for (const BandDef& b : bands)
    if (b.kind == kind) out.push_back(&b);
  return out;
}

namespace {

struct Token {
  std::string text;
  bool quoted = false;
};

class Parser {
public:
  Parser(const std::string& text, const std::string& file) : src_(text) { def_.file = file; }
  TemplateDef run();

private:
  [[noreturn]] void fail(const std::string& what) const {
    vb::raise(kReportError, def_.file + ", line " + std::to_string(line_) + ": " + what, "report");
  }
  std::vector<Token> tokenize(const std::string& text);
  double number(size_t i, const char* what);
  bool isNumber(size_t i) const;
  int length(size_t i, const char* what) { return mmToUnits(number(i, what)); }
  const Token& at(size_t i, const char* what);
  std::string word(size_t i, const char* what) { return vb::LCase(at(i, what).text); }
  COLORREF colour(size_t i);
  TextExpr expression(const std::string& text);
  void pageLine();
  void fontOptions(size_t from, FontSpec& font);
  void item(BandDef& band);
  void bandLine();

  const std::string& src_;
  TemplateDef def_;
  std::vector<Token> toks_;
  int line_ = 0;
  BandDef* band_ = nullptr;
};

std::vector<Token> Parser::tokenize(const std::string& text) {
  std::vector<Token> out;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    // A comment: '#' at the start of a word, unless a colour follows it.
    if (c == '#' && (i + 1 >= text.size() || text[i + 1] == ' ' || text[i + 1] == '\t' || text[i + 1] == '#'))
      break;
    Token t;
    if (c == '"') {
      t.quoted = true;
      ++i;
      bool closed = false;
      while (i < text.size()) {
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            t.text += '"';
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        t.text += text[i++];
      }
      if (!closed) fail("a text in quotes is not closed");
    } else {
      while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r') t.text += text[i++];
    }
    out.push_back(t);
  }
  return out;
}

const Token& Parser::at(size_t i, const char* what) {
  if (i >= toks_.size()) fail(std::string("missing ") + what);
  return toks_[i];
}

double Parser::number(size_t i, const char* what) {
  const Token& t = at(i, what);
  char* end = nullptr;
  double v = std::strtod(t.text.c_str(), &end);
  if (t.quoted || t.text.empty() || *end) fail(std::string(what) + " must be a number, not \"" + t.text + "\"");
  return v;
}

bool Parser::isNumber(size_t i) const {
  if (i >= toks_.size() || toks_[i].quoted || toks_[i].text.empty()) return false;
  char* end = nullptr;
  std::strtod(toks_[i].text.c_str(), &end);
  return !*end;
}

COLORREF Parser::colour(size_t i) {
  const Token& t = at(i, "colour");
  if (t.text.size() != 7 || t.text[0] != '#') fail("a colour is written #RRGGBB, not \"" + t.text + "\"");
  char* end = nullptr;
  unsigned long v = std::strtoul(t.text.c_str() + 1, &end, 16);
  if (*end) fail("a colour is written #RRGGBB, not \"" + t.text + "\"");
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

TextExpr Parser::expression(const std::string& text) {
  TextExpr e;
  std::string literal;
  auto flush = [&] {
    if (literal.empty()) return;
    Piece p;
    p.kind = Piece::Literal;
    p.text = literal;
    e.pieces.push_back(p);
    literal.clear();
  };
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '[' && i + 1 < text.size() && text[i + 1] == '[') {
      literal += '[';
      i += 2;
      continue;
    }
    if (text[i] != '[') {
      literal += text[i++];
      continue;
    }
    size_t close = text.find(']', i);
    if (close == std::string::npos) fail("\"[\" without \"]\" in \"" + text + "\"");
    std::string inner = text.substr(i + 1, close - i - 1);
    i = close + 1;
    flush();
    Piece p;
    p.line = line_;
    size_t bar = inner.find('|');
    if (bar != std::string::npos) {
      std::string rest = inner.substr(bar + 1);
      inner = inner.substr(0, bar);
      size_t s = 0;
      while (s <= rest.size()) {
        size_t e = rest.find('|', s);
        std::string pair = rest.substr(s, e == std::string::npos ? std::string::npos : e - s);
        size_t eq = pair.find('=');
        if (eq == std::string::npos) fail("\"" + pair + "\" in a value list is not written value=text");
        p.map.emplace_back(vb::Trim(pair.substr(0, eq)), pair.substr(eq + 1));
        if (e == std::string::npos) break;
        s = e + 1;
      }
    }
    size_t colon = inner.find(':');
    if (colon != std::string::npos) {
      p.format = inner.substr(colon + 1);
      inner = inner.substr(0, colon);
    }
    inner = vb::Trim(inner);
    if (inner.empty()) fail("an empty \"[]\"");
    std::string low = vb::LCase(inner);
    auto fieldRef = [&](const std::string& ref) {
      size_t dot = ref.find('.');
      if (dot == std::string::npos) {
        p.name = ref;
      } else {
        p.dataset = ref.substr(0, dot);
        p.name = ref.substr(dot + 1);
      }
      if (p.name.empty()) fail("a field name is missing in \"[" + inner + "]\"");
    };
    if (low == "page") {
      p.kind = Piece::PageNumber;
    } else if (low == "pages") {
      p.kind = Piece::PageCount;
    } else if (low == "row") {
      p.kind = Piece::RowNumber;
    } else if (low == "today") {
      p.kind = Piece::Today;
    } else if (low == "count" || low == "count()") {
      p.kind = Piece::Count;
    } else if (low.compare(0, 4, "sum(") == 0) {
      if (low.back() != ')') fail("\"sum(\" without \")\" in \"[" + inner + "]\"");
      p.kind = Piece::Sum;
      fieldRef(vb::Trim(inner.substr(4, inner.size() - 5)));
    } else {
      bool param = false;
      for (const ParameterDef& d : def_.parameters)
        if (vb::LCase(d.name) == low) param = true;
      if (param) {
        p.kind = Piece::Parameter;
        p.text = inner;
      } else {
        p.kind = Piece::Field;
        fieldRef(inner);
      }
    }
    e.pieces.push_back(p);
  }
  flush();
  return e;
}

void Parser::pageLine() {
  std::string size = word(1, "page size");
  size_t next = 2;
  if (size == "a4") def_.pageWidth = 21000, def_.pageHeight = 29700;
  else if (size == "a5") def_.pageWidth = 14800, def_.pageHeight = 21000;
  else if (size == "letter") def_.pageWidth = 21590, def_.pageHeight = 27940;
  else {
    def_.pageWidth = length(1, "page width");
    def_.pageHeight = length(2, "page height");
    next = 3;
    if (def_.pageWidth <= 0 || def_.pageHeight <= 0) fail("the page must be wider and higher than 0 mm");
  }
  if (next < toks_.size()) {
    std::string o = word(next, "orientation");
    bool wide = def_.pageWidth > def_.pageHeight;
    if (o == "landscape" ? !wide : o == "portrait" ? wide : (fail("unknown orientation \"" + o + "\""), false))
      std::swap(def_.pageWidth, def_.pageHeight);
    if (next + 1 < toks_.size()) fail("unexpected \"" + toks_[next + 1].text + "\"");
  }
}

void Parser::fontOptions(size_t i, FontSpec& font) {
  for (; i < toks_.size(); ++i) {
    std::string w = vb::LCase(toks_[i].text);
    if (toks_[i].quoted) font.face = toks_[i].text;
    else if (w == "bold") font.bold = true;
    else if (w == "italic") font.italic = true;
    else if (w == "underline") font.underline = true;
    else if (w == "normal") font.bold = font.italic = font.underline = false;
    else {
      font.size = number(i, "font size");
      if (font.size <= 0) fail("a font size must be above 0");
    }
  }
}

void Parser::item(BandDef& band) {
  ItemDef it;
  it.line = line_;
  it.font = def_.font;
  std::string kind = word(0, "item");
  size_t i = 1;
  if (kind == "text") it.kind = Item::Text;
  else if (kind == "box") it.kind = Item::Box;
  else if (kind == "line") it.kind = Item::Line;
  else if (kind == "picture") it.kind = Item::Picture;
  else fail("unknown item \"" + toks_[0].text + "\" (text, box, line or picture)");
  it.x = length(i++, "x (mm)");
  it.y = length(i++, "y (mm)");
  if (it.kind == Item::Line) {
    it.w = length(i++, "x2 (mm)") - it.x;
    it.h = length(i++, "y2 (mm)") - it.y;
    it.pen = mmToUnits(0.25);
  } else {
    it.w = length(i++, "width (mm)");
    it.h = length(i++, "height (mm)");
    if (it.w < 0 || it.h < 0) fail("a width or height below 0");
    if (it.kind == Item::Box) it.pen = mmToUnits(0.25);
  }
  if (it.kind == Item::Text || it.kind == Item::Picture) {
    const Token& t = at(i++, it.kind == Item::Text ? "the text in quotes" : "the picture's file in quotes");
    if (!t.quoted) fail("the text must stand in quotes: \"" + t.text + "\"");
    it.text = expression(t.text);
  }
  while (i < toks_.size()) {
    const Token& t = toks_[i];
    std::string o = vb::LCase(t.text);
    if (t.quoted) fail("unexpected text \"" + t.text + "\"");
    ++i;
    if (o == "font") {
      const Token& f = at(i++, "font name");
      if (!f.quoted) fail("a font name stands in quotes");
      it.font.face = f.text;
    } else if (o == "size") {
      it.font.size = number(i++, "font size");
      if (it.font.size <= 0) fail("a font size must be above 0");
    } else if (o == "bold") it.font.bold = true;
    else if (o == "italic") it.font.italic = true;
    else if (o == "underline") it.font.underline = true;
    else if (o == "normal") it.font.bold = it.font.italic = it.font.underline = false;
    else if (o == "align") {
      std::string a = word(i++, "alignment");
      if (a == "left") it.align = Align::Left;
      else if (a == "center" || a == "centre") it.align = Align::Center;
      else if (a == "right") it.align = Align::Right;
      else fail("unknown alignment \"" + a + "\" (left, center or right)");
    } else if (o == "valign") {
      std::string a = word(i++, "vertical alignment");
      if (a == "top") it.valign = VAlign::Top;
      else if (a == "middle") it.valign = VAlign::Middle;
      else if (a == "bottom") it.valign = VAlign::Bottom;
      else fail("unknown vertical alignment \"" + a + "\" (top, middle or bottom)");
    } else if (o == "wrap") it.wrap = true;
    else if (o == "grow") it.grow = true;
    else if (o == "shrink") {
      // An optional smallest size follows.
      it.shrinkTo = kReadableMinimum;
      if (isNumber(i)) {
        it.shrinkTo = number(i++, "smallest font size");
        if (it.shrinkTo <= 0) fail("a font size must be above 0");
      }
    }
    else if (o == "stretch") it.stretch = true;
    else if (o == "fit") it.stretch = false;
    else if (o == "color" || o == "colour") it.color = colour(i++);
    else if (o == "fill") it.fill = colour(i++);
    else if (o == "border" || o == "width") {
      it.pen = length(i++, "line width (mm)");
      if (it.pen < 0) fail("a line width below 0");
    } else if (o == "padding") it.padding = length(i++, "padding (mm)");
    else fail("unknown option \"" + t.text + "\" for " + kind);
  }
  band.grows = band.grows || it.grow;
  band.items.push_back(std::move(it));
}

void Parser::bandLine() {
  std::string k = word(1, "band kind");
  BandDef b;
  b.line = line_;
  size_t i = 2;
  if (k == "header") b.kind = BandDef::Header;
  else if (k == "page-header") b.kind = BandDef::PageHeader;
  else if (k == "detail") b.kind = BandDef::Detail;
  else if (k == "footer") b.kind = BandDef::Footer;
  else if (k == "page-footer") b.kind = BandDef::PageFooter;
  else if (k == "totals") {
    b.kind = BandDef::Totals;
    if (word(i, "\"by\"") != "by") fail("a totals band is written: band totals by FIELD");
    TextExpr e = expression("[" + at(i + 1, "the field after \"by\"").text + "]");
    if (e.pieces.size() != 1 || e.pieces[0].kind != Piece::Field) fail("\"by\" takes a field name");
    b.by = e.pieces[0];
    i += 2;
  } else {
    fail("unknown band \"" + k + "\" (header, page-header, detail, totals, footer, page-footer)");
  }
  for (const BandDef& other : def_.bands)
    if (other.kind == b.kind && b.kind != BandDef::Totals) fail("a second " + k + " band");
  while (i < toks_.size()) {
    std::string o = vb::LCase(toks_[i].text);
    ++i;
    if (o == "height") {
      b.height = length(i++, "band height (mm)");
      if (b.height < 0) fail("a band height below 0");
    } else if (o == "newpage" && b.kind == BandDef::Detail) {
      b.newPage = true;
    } else {
      fail("unknown band option \"" + toks_[i - 1].text + "\"");
    }
  }
  def_.bands.push_back(std::move(b));
  band_ = &def_.bands.back();
}

TemplateDef Parser::run() {
  std::istringstream in(src_);
  std::string text;
  while (std::getline(in, text)) {
    ++line_;
    if (line_ == 1 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    toks_ = tokenize(text);
    if (toks_.empty()) continue;
    if (toks_[0].quoted) fail("a line starts with a word, not with \"" + toks_[0].text + "\"");
    std::string kw = vb::LCase(toks_[0].text);
    if (band_) {
      if (kw == "end") {
        if (toks_.size() > 1) fail("unexpected \"" + toks_[1].text + "\" after end");
        band_ = nullptr;
      } else if (kw == "band") {
        fail("band " + vb::LCase(at(1, "band kind").text) + " starts before the band of line " +
             std::to_string(band_->line) + " has its \"end\"");
      } else {
        item(*band_);
      }
      continue;
    }
    if (kw == "report") {
      def_.name = at(1, "the report's name").text;
    } else if (kw == "page") {
      pageLine();
    } else if (kw == "margins") {
      def_.marginLeft = length(1, "left margin (mm)");
      def_.marginTop = length(2, "top margin (mm)");
      def_.marginRight = length(3, "right margin (mm)");
      def_.marginBottom = length(4, "bottom margin (mm)");
    } else if (kw == "font") {
      fontOptions(1, def_.font);
    } else if (kw == "connection") {
      def_.connection = at(1, "connection name").text;
    } else if (kw == "dataset") {
      DatasetDef d;
      d.line = line_;
      d.name = at(1, "dataset name").text;
      for (const DatasetDef& o : def_.datasets)
        if (vb::LCase(o.name) == vb::LCase(d.name)) fail("a second dataset \"" + d.name + "\"");
      if (toks_.size() > 2) {
        if (word(2, "\"query\"") != "query") fail("unexpected \"" + toks_[2].text + "\" (dataset NAME query \"...\")");
        const Token& q = at(3, "the query in quotes");
        if (!q.quoted) fail("the query must stand in quotes");
        d.query = q.text;
      }
      def_.datasets.push_back(d);
    } else if (kw == "parameter") {
      ParameterDef p;
      p.line = line_;
      p.name = at(1, "parameter name").text;
      if (toks_.size() > 2) p.value = toks_[2].text;
      def_.parameters.push_back(p);
    } else if (kw == "band") {
      bandLine();
    } else if (kw == "end") {
      fail("\"end\" without a band");
    } else {
      fail("unknown word \"" + toks_[0].text + "\"");
    }
  }
  if (band_) {
    line_ = band_->line;
    fail("the band has no \"end\"");
  }
  if (def_.datasets.empty()) {
    line_ = 1;
    fail("the template declares no dataset");
  }
  if (!def_.band(BandDef::Detail)) {
    line_ = 1;
    fail("the template has no detail band");
  }
  const int usable = def_.pageHeight - def_.marginTop - def_.marginBottom;
  if (usable <= 0 || def_.pageWidth - def_.marginLeft - def_.marginRight <= 0) {
    line_ = 1;
    fail("the margins leave no room on the page");
  }
  return def_;
}

std::string folderOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

TemplateDef parseTemplate(const std::string& text, const std::string& file) {
  TemplateDef d = Parser(text, file).run();
  d.folder = folderOf(file);
  return d;
}

TemplateDef loadTemplate(const std::string& path) {
  if (path.empty()) vb::raise(kReportError, "No report template given", "report");
  std::wstring wide = ui::Widen(path);
  HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD e = GetLastError();
    if (e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND)
      vb::raise(kReportError, "Report template not found: " + path, "report");
    vb::raise(kReportError, "Report template cannot be read: " + path, "report");
  }
  std::string text;
  char buf[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(h, buf, sizeof buf, &got, nullptr)) && got > 0) text.append(buf, got);
  CloseHandle(h);
  if (!ok) vb::raise(kReportError, "Report template cannot be read: " + path, "report");
  return parseTemplate(text, path);
}

}  // namespace report
