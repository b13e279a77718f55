#include "platform/report/page.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include <usp10.h>

#include "platform/ui/win_util.h"

namespace report {

namespace {

int CALLBACK foundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM lp) {
  *reinterpret_cast<bool*>(lp) = true;
  return 0;
}

bool installed(const std::wstring& face) {
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  bool found = false;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &lf, foundFace, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found;
}

// A face may be a list ("Arial, Liberation Sans"): the first installed one
// wins, so one template reads well on Windows and here alike.
std::wstring resolveFace(const std::string& faces) {
  static auto* cache = new std::map<std::string, std::wstring>();
  auto it = cache->find(faces);
  if (it != cache->end()) return it->second;
  std::vector<std::wstring> names;
  size_t start = 0;
  while (start <= faces.size()) {
    size_t comma = faces.find(',', start);
    std::string n = faces.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    n.erase(0, n.find_first_not_of(' '));
    n.erase(n.find_last_not_of(' ') + 1);
    if (!n.empty()) names.push_back(ui::Widen(n));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  std::wstring chosen = names.empty() ? L"Liberation Sans" : names.back();
  for (const auto& n : names)
    if (installed(n)) {
      chosen = n;
      break;
    }
  (*cache)[faces] = chosen;
  return chosen;
}

using Ranges = std::vector<std::pair<unsigned, unsigned>>;

// The characters the font selected into a DC has, as ranges.
Ranges rangesOf(HDC dc) {
  Ranges out;
  const DWORD size = GetFontUnicodeRanges(dc, nullptr);
  if (size == 0) return out;
  std::vector<BYTE> buf(size);
  auto* gs = reinterpret_cast<GLYPHSET*>(buf.data());
  if (!GetFontUnicodeRanges(dc, gs)) return out;
  for (DWORD i = 0; i < gs->cRanges; ++i)
    out.emplace_back(gs->ranges[i].wcLow, gs->ranges[i].wcLow + gs->ranges[i].cGlyphs);
  return out;
}

bool inRanges(const Ranges& r, unsigned c) {
  auto it = std::upper_bound(r.begin(), r.end(), std::make_pair(c, ~0u));
  return it != r.begin() && c < std::prev(it)->second;
}

// The faces the system links a face to for the characters it lacks, in
// order, as Windows keeps them (file, face): only those installed.
std::vector<std::wstring> linkedFaces(const std::wstring& face) {
  static auto* cache = new std::map<std::wstring, std::vector<std::wstring>>();
  auto found = cache->find(face);
  if (found != cache->end()) return found->second;
  std::vector<std::wstring> out;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink", 0,
                    KEY_READ, &key) == ERROR_SUCCESS) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, face.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_MULTI_SZ) {
      std::wstring data(size / sizeof(wchar_t) + 2, L'\0');
      if (RegQueryValueExW(key, face.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) ==
          ERROR_SUCCESS) {
        for (const wchar_t* entry = data.c_str(); *entry; entry += wcslen(entry) + 1) {
          const wchar_t* comma = wcschr(entry, L',');
          if (!comma) continue;
          std::wstring linked(comma + 1);
          linked = linked.substr(0, linked.find(L','));
          if (!linked.empty() && installed(linked)) out.push_back(linked);
        }
      }
    }
    RegCloseKey(key);
  }
  (*cache)[face] = out;
  return out;
}

}  // namespace

bool FontSpec::serif() const {
  return face.find("Serif") != std::string::npos || face.find("Times") != std::string::npos ||
         face.find("Georgia") != std::string::npos || face.find("Cambria") != std::string::npos;
}

LOGFONTW logFontFor(const FontSpec& spec, int pixelHeight) {
  LOGFONTW lf{};
  lf.lfHeight = -std::max(1, pixelHeight);
  lf.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = spec.italic;
  lf.lfUnderline = spec.underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  lf.lfQuality = ANTIALIASED_QUALITY;
  lf.lfPitchAndFamily = VARIABLE_PITCH | (spec.serif() ? FF_ROMAN : FF_SWISS);
  std::wstring face = resolveFace(spec.face);
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return lf;
}

// --- metrics -------------------------------------------------------------------

namespace {

bool highSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool lowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
unsigned codePoint(const wchar_t* pair) {
  return 0x10000 + ((static_cast<unsigned>(pair[0]) - 0xD800) << 10) + (static_cast<unsigned>(pair[1]) - 0xDC00);
}

// Letters written right to left: Hebrew, Arabic and their neighbours, and
// their presentation forms.
bool rightToLeft(wchar_t c) {
  return (c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFE);
}

// What the system shapes as a whole rather than glyph by glyph.
bool needsShaping(wchar_t c) { return rightToLeft(c) || (c >= 0xD800 && c <= 0xDFFF); }

// A mark that sits on the character before it (an accent, an Arabic vowel,
// a variation selector).
bool combining(wchar_t c) {
  if (c < 0x300) return false;
  WORD type = 0;
  return GetStringTypeW(CT_CTYPE3, &c, 1, &type) && (type & C3_NONSPACING);
}

// Where the character at s[i] ends, with the marks that sit on it: no line
// break and no cut parts a surrogate pair, nor a letter from its marks.
size_t clusterEnd(const wchar_t* s, size_t n, size_t i) {
  size_t j = i + 1;
  if (highSurrogate(s[i]) && j < n && lowSurrogate(s[j])) ++j;
  while (j < n && combining(s[j])) ++j;
  return j;
}

// Blanks, digits, punctuation and joiners: they take the direction of the
// letters around them. Beyond ASCII the system's class tells (a no-break
// space, a dash, a zero-width non-joiner between two Arabic words); a
// character beyond the basic plane keeps a run of its own.
bool neutral(wchar_t c) {
  if (c < 0x80) return !iswalpha(c) && c != static_cast<wchar_t>(kPagesMarker);
  WORD type = 0;
  return !needsShaping(c) && GetStringTypeW(CT_CTYPE2, &c, 1, &type) && type != C2_LEFTTORIGHT &&
         type != C2_RIGHTTOLEFT;
}

// Shapes a stretch of text in the DC's font as the system does (letters
// joined, right-to-left runs ordered, a surrogate pair one glyph); draws it
// with its left end at x when asked. Returns its width.
int shape(HDC dc, const wchar_t* s, size_t n, const POINT* drawAt = nullptr) {
  SCRIPT_STRING_ANALYSIS ssa = nullptr;
  const int len = static_cast<int>(n);
  if (FAILED(ScriptStringAnalyse(dc, s, len, len * 3 / 2 + 16, -1, SSA_GLYPHS, 0, nullptr, nullptr, nullptr, nullptr,
                                 nullptr, &ssa))) {
    SIZE size{};
    GetTextExtentPoint32W(dc, s, len, &size);
    if (drawAt) ExtTextOutW(dc, drawAt->x, drawAt->y, 0, nullptr, s, static_cast<UINT>(len), nullptr);
    return size.cx;
  }
  const SIZE* size = ScriptString_pSize(ssa);
  const int w = size ? size->cx : 0;
  if (drawAt) ScriptStringOut(ssa, drawAt->x, drawAt->y, 0, nullptr, 0, 0, FALSE);
  ScriptStringFree(&ssa);
  return w;
}

// The characters a face has in a style, looked up once.
const Ranges& rangesOf(const LOGFONTW& lf) {
  static auto* cache = new std::map<std::wstring, Ranges>();
  const std::wstring key = std::wstring(lf.lfFaceName) + (lf.lfWeight >= FW_BOLD ? L"|b" : L"|") + (lf.lfItalic ? L"i" : L"");
  auto found = cache->find(key);
  if (found != cache->end()) return found->second;
  ui::OwnedMemDC dc(nullptr);
  HFONT font = CreateFontIndirectW(&lf);
  HGDIOBJ old = SelectObject(dc, font);
  Ranges& r = (*cache)[key];
  r = rangesOf(dc);
  SelectObject(dc, old);
  DeleteObject(font);
  return r;
}

}  // namespace

FontMetrics::FontMetrics(const FontSpec& spec) : spec_(spec), table_(0x250, -1), faces_(0x250, -1) {
  dc_ = CreateCompatibleDC(nullptr);
  LOGFONTW lf = logFontFor(spec, static_cast<int>(std::lround(spec.size * kUnitsPerPoint)));
  font_ = CreateFontIndirectW(&lf);
  old_ = SelectObject(dc_, font_);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc_, &tm);
  ascent_ = tm.tmAscent;
  height_ = tm.tmHeight;
  ranges_ = rangesOf(dc_);
  // A font that does not say what it has draws everything itself.
  if (ranges_.empty()) return;
  // The linked faces in the font's style; then, for an italic or bold font,
  // its own face and the linked ones upright, then regular.
  const std::vector<std::wstring> faces = linkedFaces(lf.lfFaceName);
  std::vector<std::pair<bool, bool>> styles = {{spec.bold, spec.italic}};
  if (spec.italic) styles.emplace_back(spec.bold, false);
  if (spec.bold) styles.emplace_back(false, false);
  for (size_t s = 0; s < styles.size(); ++s) {
    if (s > 0) linked_.push_back({lf.lfFaceName, styles[s].first, styles[s].second});
    for (const std::wstring& face : faces) linked_.push_back({face, styles[s].first, styles[s].second});
  }
  for (size_t i = 0; i < linked_.size(); ++i) {
    LOGFONTW other = logFont(static_cast<int>(i) + 1, -lf.lfHeight);
    linked_[i].font = CreateFontIndirectW(&other);
    linked_[i].ranges = &rangesOf(other);
  }
}

FontMetrics::~FontMetrics() {
  SelectObject(dc_, old_);
  DeleteObject(font_);
  for (Linked& l : linked_) DeleteObject(l.font);
  DeleteDC(dc_);
}

LOGFONTW FontMetrics::logFont(int face, int pixelHeight) const {
  LOGFONTW lf = logFontFor(spec_, pixelHeight);
  if (face == 0) return lf;
  const Linked& l = linked_[static_cast<size_t>(face - 1)];
  wcsncpy(lf.lfFaceName, l.face.c_str(), LF_FACESIZE - 1);
  lf.lfWeight = l.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = l.italic;
  return lf;
}

int FontMetrics::faceOf(wchar_t c) const {
  if (linked_.empty()) return 0;
  int8_t* cached = c < faces_.size() ? &faces_[c] : nullptr;
  if (cached && *cached >= 0) return *cached;
  int face = 0;
  if (!inRanges(ranges_, c))
    for (size_t i = 0; i < linked_.size() && face == 0; ++i)
      if (inRanges(*linked_[i].ranges, c)) face = static_cast<int>(i) + 1;
  if (cached) *cached = static_cast<int8_t>(face);
  return face;
}

int FontMetrics::faceOf(const wchar_t* pair) const {
  const unsigned cp = codePoint(pair);
  auto found = wide_.find(cp);
  if (found != wide_.end()) return found->second.first;
  // The font's ranges stop at the basic plane; the system's shaping finds
  // the glyph, the font's default glyph where it has none.
  int face = 0;
  for (size_t f = 0; f <= linked_.size(); ++f) {
    SelectObject(dc_, fontOf(static_cast<int>(f)));
    SCRIPT_CACHE cache = nullptr;
    SCRIPT_ANALYSIS sa{};
    SCRIPT_FONTPROPERTIES props{};
    props.cBytes = sizeof props;
    WORD glyphs[4] = {}, clusters[2] = {};
    SCRIPT_VISATTR attrs[4] = {};
    int count = 0;
    const bool has = SUCCEEDED(ScriptShape(dc_, &cache, pair, 2, 4, &sa, glyphs, clusters, attrs, &count)) &&
                     SUCCEEDED(ScriptGetFontProperties(dc_, &cache, &props)) && count == 1 &&
                     glyphs[0] != props.wgDefault;
    ScriptFreeCache(&cache);
    if (has) {
      face = static_cast<int>(f);
      break;
    }
  }
  SelectObject(dc_, font_);
  wide_[cp] = {face, -1};
  return face;
}

bool FontMetrics::draws(int face, wchar_t c) const {
  if (c < 0x80 || ranges_.empty() || inRanges(face ? *linked_[static_cast<size_t>(face - 1)].ranges : ranges_, c))
    return true;
  WORD type = 0;
  return GetStringTypeW(CT_CTYPE2, &c, 1, &type) && type == C2_NOTAPPLICABLE;
}

int FontMetrics::measure(wchar_t c) const {
  const int face = faceOf(c);
  if (face) SelectObject(dc_, fontOf(face));
  INT w = 0;
  if (!GetCharWidth32W(dc_, c, c, &w)) {
    SIZE s{};
    GetTextExtentPoint32W(dc_, &c, 1, &s);
    w = s.cx;
  }
  if (face) SelectObject(dc_, font_);
  return w;
}

int FontMetrics::shapedWidth(const wchar_t* text, size_t n, int face) const {
  if (face) SelectObject(dc_, fontOf(face));
  const int w = shape(dc_, text, n);
  if (face) SelectObject(dc_, font_);
  return w;
}

int FontMetrics::advance(wchar_t c) const {
  if (c < table_.size()) {
    int& w = table_[c];
    if (w < 0) w = measure(c);
    return w;
  }
  // Rare characters: measured each time, the table stays small.
  return measure(c);
}

void FontMetrics::runs(const wchar_t* s, size_t n, std::vector<Run>& out) const {
  out.clear();
  for (size_t i = 0; i < n;) {
    Run r;
    r.begin = i;
    if (highSurrogate(s[i]) && i + 1 < n && lowSurrogate(s[i + 1])) {
      r.face = faceOf(s + i);
      r.shaped = true;
      r.end = i + 2;
      while (r.end < n && combining(s[r.end])) ++r.end;
    } else if (rightToLeft(s[i])) {
      // From its first letter to its last, with the blanks, digits and
      // marks between them: the system orders the words of a run.
      r.face = faceOf(s[i]);
      r.shaped = true;
      r.end = i + 1;
      for (size_t j = r.end; j < n; ++j) {
        const wchar_t c = s[j];
        if ((rightToLeft(c) && faceOf(c) == r.face) || (j == r.end && combining(c))) r.end = j + 1;
        else if (!neutral(c) || !draws(r.face, c)) break;
      }
    } else {
      r.face = faceOf(s[i]);
      r.end = i + 1;
      while (r.end < n && !needsShaping(s[r.end]) && faceOf(s[r.end]) == r.face) ++r.end;
    }
    out.push_back(r);
    i = r.end;
  }
}

int FontMetrics::width(const wchar_t* text, const Run& r) const {
  const size_t n = r.end - r.begin;
  if (!r.shaped) {
    int w = 0;
    for (size_t i = r.begin; i < r.end; ++i)
      w += text[i] == static_cast<wchar_t>(kPagesMarker) ? 3 * advance(L'0') : advance(text[i]);
    return w;
  }
  // A character beyond the basic plane: measured once.
  if (n == 2 && highSurrogate(text[r.begin])) {
    faceOf(text + r.begin);
    auto& known = wide_[codePoint(text + r.begin)];
    if (known.second < 0) known.second = shapedWidth(text + r.begin, n, r.face);
    return known.second;
  }
  return shapedWidth(text + r.begin, n, r.face);
}

bool FontMetrics::plain(const wchar_t* text, size_t n) const {
  for (size_t i = 0; i < n; ++i)
    if (needsShaping(text[i]) || faceOf(text[i]) != 0) return false;
  return true;
}

int FontMetrics::width(const wchar_t* text, size_t n) const {
  int w = 0;
  for (size_t i = 0; i < n; ++i) {
    if (needsShaping(text[i])) {
      std::vector<Run> parts;
      runs(text + i, n - i, parts);
      for (const Run& r : parts) w += width(text + i, r);
      return w;
    }
    w += text[i] == static_cast<wchar_t>(kPagesMarker) ? 3 * advance(L'0') : advance(text[i]);
  }
  return w;
}

int FontMetrics::width(const std::wstring& text) const { return width(text.data(), text.size()); }

int FontMetrics::width(const std::string& s) const {
  int w = 0;
  const size_t n = s.size();
  for (size_t i = 0; i < n;) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      w += c == static_cast<unsigned char>(kPagesMarker) ? 3 * advance(L'0') : advance(c);
      ++i;
      continue;
    }
    // One UTF-8 sequence; a broken one counts as the byte it starts with.
    const int len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (len == 1 || i + len > n) {
      w += advance(c);
      ++i;
      continue;
    }
    unsigned cp = c & (0xFF >> (len + 1));
    for (int k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    // What is shaped as a whole (Arabic, beyond the basic plane) is measured
    // from there on as it is drawn.
    if (cp >= 0x10000 || needsShaping(static_cast<wchar_t>(cp))) return w + width(ui::Widen(s.substr(i)));
    w += advance(static_cast<wchar_t>(cp));
    i += static_cast<size_t>(len);
  }
  return w;
}

// --- page ------------------------------------------------------------------------

void Page::addText(int x, int y, int w, int h, const std::string& s, uint16_t font, Align align, COLORREF color) {
  Item it;
  it.kind = Item::Text;
  it.x = x, it.y = y, it.w = w, it.h = h;
  it.font = font;
  it.align = align;
  it.color = color;
  it.at = static_cast<uint32_t>(text.size());
  it.len = static_cast<uint32_t>(s.size());
  it.pagesMarker = s.find(kPagesMarker) != std::string::npos;
  text += s;
  items.push_back(it);
}

void Page::addBox(int x, int y, int w, int h, int pen, COLORREF border, COLORREF fill) {
  Item it;
  it.kind = Item::Box;
  it.x = x, it.y = y, it.w = w, it.h = h;
  it.pen = pen;
  it.color = border;
  it.fill = fill;
  items.push_back(it);
}

void Page::addLine(int x1, int y1, int x2, int y2, int pen, COLORREF color) {
  Item it;
  it.kind = Item::Line;
  it.x = x1, it.y = y1, it.w = x2 - x1, it.h = y2 - y1;
  it.pen = pen;
  it.color = color;
  items.push_back(it);
}

void Page::addPicture(int x, int y, int w, int h, uint32_t picture) {
  Item it;
  it.kind = Item::Picture;
  it.x = x, it.y = y, it.w = w, it.h = h;
  it.at = picture;
  items.push_back(it);
}

// --- document ----------------------------------------------------------------------

bool Document::layoutMore(int) { return complete_ = true; }

uint16_t Document::fontIndex(const FontSpec& spec) {
  for (size_t i = 0; i < fonts.size(); ++i)
    if (fonts[i] == spec) return static_cast<uint16_t>(i);
  fonts.push_back(spec);
  return static_cast<uint16_t>(fonts.size() - 1);
}

const FontMetrics& Document::metrics(uint16_t font) {
  if (metrics_.size() < fonts.size()) metrics_.resize(fonts.size());
  auto& m = metrics_[font];
  if (!m) m = std::make_unique<FontMetrics>(fonts[font]);
  return *m;
}

// --- drawing ------------------------------------------------------------------------

Viewport Viewport::forDpi(int dpiX, int dpiY, double zoom, double x, double y) {
  Viewport v;
  v.x = x, v.y = y;
  v.scaleX = dpiX * zoom / 2540.0;
  v.scaleY = dpiY * zoom / 2540.0;
  return v;
}

namespace {

struct Device {
  HDC dc;
  const Viewport& vp;
  int X(double u) const { return static_cast<int>(std::lround(vp.x + u * vp.scaleX)); }
  int Y(double u) const { return static_cast<int>(std::lround(vp.y + u * vp.scaleY)); }
  int penWidth(int units) const { return std::max(1, static_cast<int>(std::lround(units * vp.scaleX))); }
};

void drawBox(const Device& d, const Item& it) {
  RECT r{d.X(it.x), d.Y(it.y), d.X(it.x + it.w), d.Y(it.y + it.h)};
  if (it.fill != CLR_INVALID) {
    ui::OwnedBrush b(CreateSolidBrush(it.fill));
    FillRect(d.dc, &r, b);
  }
  if (it.pen <= 0) return;
  // The border lies inside the box, as wide as asked on every device.
  const int pw = d.penWidth(it.pen);
  ui::OwnedBrush b(CreateSolidBrush(it.color));
  RECT edges[4] = {{r.left, r.top, r.right, r.top + pw},
                   {r.left, r.bottom - pw, r.right, r.bottom},
                   {r.left, r.top, r.left + pw, r.bottom},
                   {r.right - pw, r.top, r.right, r.bottom}};
  for (const RECT& e : edges) FillRect(d.dc, &e, b);
}

void drawLine(const Device& d, const Item& it) {
  const int pw = d.penWidth(it.pen);
  int x1 = d.X(it.x), y1 = d.Y(it.y), x2 = d.X(it.x + it.w), y2 = d.Y(it.y + it.h);
  ui::OwnedBrush b(CreateSolidBrush(it.color));
  // Straight lines as filled rectangles: exact width on every device.
  if (y1 == y2) {
    RECT r{std::min(x1, x2), y1 - pw / 2, std::max(x1, x2), y1 - pw / 2 + pw};
    FillRect(d.dc, &r, b);
  } else if (x1 == x2) {
    RECT r{x1 - pw / 2, std::min(y1, y2), x1 - pw / 2 + pw, std::max(y1, y2)};
    FillRect(d.dc, &r, b);
  } else {
    LOGBRUSH lb{BS_SOLID, it.color, 0};
    ui::OwnedPen pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, static_cast<DWORD>(pw), &lb, 0, nullptr));
    ui::ScopedSelect sel(d.dc, pen);
    MoveToEx(d.dc, x1, y1, nullptr);
    LineTo(d.dc, x2, y2);
  }
}

// Pictures go through plain GDI, which every device scales the same way (a
// printer's GDI+ surface counts in its own units).
void drawPicture(const Device& d, const img::Picture& p, const Item& it) {
  if (p.empty() || p.width() <= 0 || p.height() <= 0) return;
  HBITMAP hb = p.hbitmap();
  if (!hb) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = p.width();
  bi.bmiHeader.biHeight = -p.height();
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> bits(static_cast<size_t>(p.width()) * static_cast<size_t>(p.height()));
  {
    ui::OwnedMemDC mem(nullptr);
    if (!GetDIBits(mem, hb, 0, static_cast<UINT>(p.height()), bits.data(), &bi, DIB_RGB_COLORS)) return;
  }
  const int x = d.X(it.x), y = d.Y(it.y);
  const int w = d.X(it.x + it.w) - x, h = d.Y(it.y + it.h) - y;
  SetStretchBltMode(d.dc, HALFTONE);
  SetBrushOrgEx(d.dc, 0, 0, nullptr);
  StretchDIBits(d.dc, x, y, w, h, 0, 0, p.width(), p.height(), bits.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace

void drawPage(HDC dc, const Document& doc, const Page& page, const Viewport& vp) {
  Device d{dc, vp};
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
  std::map<unsigned, ui::OwnedGdi<HFONT>> faceFonts;
  std::vector<FontMetrics::Run> runs;
  std::vector<const FontMetrics*> metrics(doc.fonts.size(), nullptr);
  const std::string pages = std::to_string(doc.pages.size());
  std::vector<INT> dx;
  for (const Item& it : page.items) {
    switch (it.kind) {
      case Item::Box: drawBox(d, it); break;
      case Item::Line: drawLine(d, it); break;
      case Item::Picture:
        if (it.at < doc.pictures.size()) drawPicture(d, doc.pictures[it.at], it);
        break;
      case Item::Text: {
        if (it.font >= doc.fonts.size()) break;
        if (!metrics[it.font]) metrics[it.font] = &const_cast<Document&>(doc).metrics(it.font);
        const FontMetrics& m = *metrics[it.font];
        const int pixels = static_cast<int>(std::lround(doc.fonts[it.font].size * kUnitsPerPoint * vp.scaleY));
        // The font of a face of the item's font at the device's size.
        auto fontFor = [&](int face) {
          auto& f = faceFonts[(static_cast<unsigned>(it.font) << 8) | static_cast<unsigned>(face)];
          if (!f.get()) {
            LOGFONTW lf = m.logFont(face, pixels);
            f.reset(CreateFontIndirectW(&lf));
          }
          return f.get();
        };
        std::string s = page.text.substr(it.at, it.len);
        if (it.pagesMarker) {
          size_t p;
          while ((p = s.find(kPagesMarker)) != std::string::npos) s.replace(p, 1, pages);
        }
        std::wstring w = ui::Widen(s);
        if (w.empty()) break;
        ui::ScopedSelect sel(dc, fontFor(0));
        SetTextColor(dc, it.color);
        const int textW = m.width(w);
        const double laidOut = textW * vp.scaleX;
        // The device's own spacing reads best; where its hinting makes the
        // line wider than laid out, or wider than its box, each glyph goes
        // where the layout put it.
        SIZE natural{};
        const bool plain = m.plain(w.data(), w.size());
        if (plain) GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &natural);
        const bool own = plain && natural.cx <= laidOut * 1.02 + 1 && natural.cx <= it.w * vp.scaleX + 1;
        const double width = own ? natural.cx / vp.scaleX : textW;
        double left = it.x;
        if (it.align == Align::Center) left = it.x + (it.w - width) / 2.0;
        else if (it.align == Align::Right) left = it.x + it.w - width;
        const int baseline = d.Y(it.y + m.ascent());
        if (own) {
          ExtTextOutW(dc, d.X(left), baseline, 0, nullptr, w.c_str(), static_cast<UINT>(w.size()), nullptr);
          break;
        }
        // Each glyph where the layout put it, a run of characters the font
        // lacks in the face the system links it to; what is shaped as a
        // whole (Arabic, an emoji) from where its run starts.
        m.runs(w.data(), w.size(), runs);
        double pos = vp.x + left * vp.scaleX;
        for (const FontMetrics::Run& r : runs) {
          ui::ScopedSelect run(dc, fontFor(r.face));
          const int x = static_cast<int>(std::lround(pos));
          if (r.shaped) {
            const POINT at{x, baseline};
            shape(dc, w.data() + r.begin, r.end - r.begin, &at);
            pos += m.width(w.data(), r) * vp.scaleX;
            continue;
          }
          dx.resize(r.end - r.begin);
          int last = x;
          for (size_t i = r.begin; i < r.end; ++i) {
            pos += m.advance(w[i]) * vp.scaleX;
            const int next = static_cast<int>(std::lround(pos));
            dx[i - r.begin] = next - last;
            last = next;
          }
          ExtTextOutW(dc, x, baseline, 0, nullptr, w.c_str() + r.begin, static_cast<UINT>(r.end - r.begin), dx.data());
        }
        break;
      }
    }
  }
  RestoreDC(dc, saved);
}

// --- text boxes ----------------------------------------------------------------------

namespace {

const wchar_t kEllipsis = L'\x2026';

// Places lines of text (with their box) in the box (x, y, w, h); returns its bottom.
int placeLines(Document& doc, Page& out, int x, int y, int w, int h, uint16_t font, const std::string* lines,
               size_t count, const TextStyle& st) {
  const int lh = doc.metrics(font).lineHeight(), pad = st.padding;
  const int inner = std::max(0, w - 2 * pad);
  if (st.fill != CLR_INVALID || st.pen > 0) out.addBox(x, y, w, h, st.pen, st.color, st.fill);
  const int textH = static_cast<int>(count) * lh;
  int top = y + pad;
  if (st.valign == VAlign::Middle) top = y + (h - textH) / 2;
  else if (st.valign == VAlign::Bottom) top = y + h - pad - textH;
  for (size_t i = 0; i < count; ++i)
    if (!lines[i].empty())
      out.addText(x + pad, top + static_cast<int>(i) * lh, inner, lh, lines[i], font, st.align, st.color);
  return y + h;
}

// The lines of a text: wrapped to the width, or as its line breaks give them.
void splitLines(const std::string& text, bool wrap, int width, const FontMetrics& m, std::vector<std::string>& out) {
  out.clear();
  if (!wrap && text.find('\n') == std::string::npos) {
    out.push_back(text);
    return;
  }
  std::vector<std::wstring> wl;
  std::wstring wide = ui::Widen(text);
  if (wrap) {
    wl = wrapText(wide, width, m);
  } else {
    size_t s = 0;
    while (true) {
      size_t nl = wide.find(L'\n', s);
      std::wstring l = wide.substr(s, nl == std::wstring::npos ? std::wstring::npos : nl - s);
      if (!l.empty() && l.back() == L'\r') l.pop_back();
      wl.push_back(l);
      if (nl == std::wstring::npos) break;
      s = nl + 1;
    }
  }
  while (!wl.empty() && wl.back().empty()) wl.pop_back();
  for (auto& l : wl) out.push_back(ui::Narrow(l));
}

// A line cut where it and "..." still fit the width, after a whole
// character (a surrogate pair, a letter with its marks).
std::string withEllipsis(const std::string& line, int width, const FontMetrics& m) {
  std::wstring w = ui::Widen(line);
  std::vector<size_t> starts;
  for (size_t i = 0; i < w.size(); i = clusterEnd(w.data(), w.size(), i)) starts.push_back(i);
  const int dots = m.advance(kEllipsis);
  size_t keep = w.size();
  int used = m.width(w);
  while (!starts.empty() && used + dots > width) {
    used -= m.width(w.data() + starts.back(), keep - starts.back());
    keep = starts.back();
    starts.pop_back();
    // Joined letters are narrower together than apart: once the count says
    // the rest fits, the rest is measured as it is drawn.
    if (used + dots <= width) used = m.width(w.data(), keep);
  }
  w.resize(keep);
  while (!w.empty() && w.back() == L' ') w.pop_back();
  w += kEllipsis;
  return ui::Narrow(w);
}

// Whether the lines fit: each one as wide as the box at most, and all of
// them as high as the room (one line always fits: a box lower than its
// font still shows it).
bool linesFit(const std::vector<std::string>& lines, bool wrapped, int width, int room, const FontMetrics& m) {
  if (!wrapped)
    for (const std::string& l : lines)
      if (m.width(l) > width) return false;
  return lines.size() <= 1 || static_cast<int>(lines.size()) * m.lineHeight() <= room;
}

}  // namespace

void fitText(Document& doc, int w, int h, int maxHeight, const std::string& text, const TextStyle& st, TextFit& f) {
  const int pad = st.padding, inner = std::max(0, w - 2 * pad);
  const int limit = st.grow ? std::max(h, maxHeight) : h;
  const int room = limit - 2 * pad;
  // A box that grows takes the lines it adds and keeps the room its design
  // leaves below its lines at its own size (a rule under a name stays under
  // the last line).
  const int designLine = std::max(1, doc.metrics(st.font).lineHeight());
  const int spare = std::max(0, h - 2 * pad - std::max(1, (h - 2 * pad) / designLine) * designLine);
  auto attempt = [&](uint16_t font) {
    const FontMetrics& m = doc.metrics(font);
    f.font = font;
    splitLines(text, st.wrap, inner, m, f.lines);
    return linesFit(f.lines, st.wrap, inner, h - 2 * pad, m) ||
           (st.grow && linesFit(f.lines, st.wrap, inner, room - spare, m));
  };
  bool fits = attempt(st.font);
  const FontSpec base = doc.fonts[st.font];
  // Half points from the smallest allowed size to just below the asked one.
  const int lo = static_cast<int>(std::ceil(st.shrinkTo * 2)), hi = static_cast<int>(std::ceil(base.size * 2)) - 1;
  if (!fits && st.shrinkTo > 0 && lo <= hi) {
    auto at = [&](int halfPoints) {
      FontSpec spec = base;
      spec.size = halfPoints / 2.0;
      return doc.fontIndex(spec);
    };
    // The largest size that fits, by halving the range; sizes narrow a text
    // in proportion, so a one-line text starts near the size it needs.
    int low = lo, high = hi, best = -1;
    if (!st.wrap && f.lines.size() == 1) {
      const int needed = doc.metrics(st.font).width(f.lines[0]);
      if (needed > 0) high = std::max(lo, std::min(hi, static_cast<int>(base.size * 2 * inner / needed)));
    }
    while (low <= high) {
      const int mid = (low + high) / 2;
      if (attempt(at(mid))) {
        best = mid;
        low = mid + 1;
      } else {
        high = mid - 1;
      }
    }
    fits = best >= 0;
    attempt(at(fits ? best : lo));
  }
  const FontMetrics& m = doc.metrics(f.font);
  const int lh = std::max(1, m.lineHeight());
  if (!fits) {
    // The only place where text is cut: what the box cannot hold ends in "...".
    const size_t keep = static_cast<size_t>(std::max(1, room / lh));
    const bool dropped = f.lines.size() > keep;
    if (dropped) f.lines.resize(keep);
    for (size_t i = 0; i < f.lines.size(); ++i)
      if ((dropped && i + 1 == f.lines.size()) || m.width(f.lines[i]) > inner)
        f.lines[i] = withEllipsis(f.lines[i], inner, m);
  }
  const int needed = static_cast<int>(f.lines.size()) * lh + 2 * pad + spare;
  f.height = st.grow ? std::max(h, std::min(limit, needed)) : h;
}

int placeFitted(Document& doc, Page& out, int x, int y, int w, int h, const TextFit& f, const TextStyle& st) {
  return placeLines(doc, out, x, y, w, h, f.font, f.lines.data(), f.lines.size(), st);
}

int placeText(Document& doc, Page& out, int x, int y, int w, int h, const std::string& text, const TextStyle& st,
              int maxHeight) {
  // One line that fits, the common case: placed as it is.
  if (!st.wrap && text.find('\n') == std::string::npos &&
      doc.metrics(st.font).width(text) <= std::max(0, w - 2 * st.padding))
    return placeLines(doc, out, x, y, w, h, st.font, &text, 1, st);
  TextFit f;
  fitText(doc, w, h, maxHeight, text, st, f);
  return placeFitted(doc, out, x, y, w, f.height, f, st);
}

// --- room for grown texts ------------------------------------------------------------

namespace {

bool sideBySideOverlap(const FlowBox& a, const FlowBox& b) {
  const int lo = std::max(a.left, b.left), hi = std::min(a.right, b.right);
  if (lo < hi) return true;
  // A vertical rule overlaps what it stands inside.
  return lo == hi && (a.left == a.right || b.left == b.right);
}

}  // namespace

void flowBand(std::vector<FlowBox>& items) {
  bool any = false;
  for (FlowBox& b : items) {
    b.dy = 0;
    b.dh = b.grown;
    any = any || b.grown > 0;
  }
  if (!any) return;
  // Every rule only ever raises a move or a stretch to what another item
  // already has, so this settles; the bound is a guard.
  for (size_t pass = 0; pass <= items.size() + 1; ++pass) {
    bool changed = false;
    auto atLeast = [&](int& v, int want) {
      if (want > v) {
        v = want;
        changed = true;
      }
    };
    for (FlowBox& x : items) {
      for (const FlowBox& a : items) {
        if (&a == &x) continue;
        const int foot = a.dy + a.dh;  // how far a's foot went down
        if (x.text && a.text && x.top == a.top && a.dy > 0) atLeast(x.dy, a.dy);
        if (foot <= 0 && a.dy <= 0) continue;
        if (!sideBySideOverlap(a, x)) continue;
        if (x.top >= a.bottom) {
          atLeast(x.dy, foot);
        } else if (x.top > a.top) {
          atLeast(x.dy, a.dy + a.grown);
        } else if (x.stretches && x.bottom >= a.bottom) {
          atLeast(x.dh, foot - x.dy);
        }
      }
    }
    if (!changed) break;
  }
}

namespace {

// The height a text's box needs to show it whole at its smallest font.
int leastHeight(Document& doc, int w, int h, const std::string& text, const TextStyle& st) {
  TextStyle smallest = st;
  if (st.shrinkTo > 0 && st.shrinkTo < doc.fonts[st.font].size) {
    FontSpec spec = doc.fonts[st.font];
    spec.size = st.shrinkTo;
    smallest.font = doc.fontIndex(spec);
  }
  smallest.grow = true;
  smallest.shrinkTo = 0;
  TextFit f;
  fitText(doc, w, h, kNoLimit, text, smallest, f);
  return f.height;
}

// Keeps a flowed band within limit; refit(item, maxHeight) fits a text again
// into less height and returns how much it grew, least(item) the least
// height it needs whole.
int fitBand(std::vector<FlowBox>& items, int height, int limit, const std::function<int(size_t, int)>& refit,
            const std::function<int(size_t)>& least) {
  const size_t n = items.size();
  auto boxOf = [&](size_t i) { return items[i].bottom - items[i].top; };
  // What each grown text may still take, and the least it can take whole.
  std::vector<int> allowed(n), floor;
  std::vector<bool> hopeless(n, false);
  for (size_t i = 0; i < n; ++i) allowed[i] = boxOf(i) + items[i].grown;
  bool cutting = false;  // once every text is as small as it can be whole
  int h = height;
  for (int guard = 0; guard < 4000; ++guard) {
    flowBand(items);
    h = height;
    for (const FlowBox& b : items) h = std::max(h, b.bottom + b.dy + b.dh);
    if (h <= limit) break;
    if (floor.empty()) {
      // A text that cannot be whole even alone in the band is cut first,
      // and spares the others their size.
      floor.resize(n);
      for (size_t i = 0; i < n; ++i) {
        floor[i] = items[i].grown > 0 ? std::max(boxOf(i), least(i)) : boxOf(i);
        hopeless[i] = items[i].top + floor[i] > limit;
        if (hopeless[i]) floor[i] = boxOf(i);
      }
    }
    auto spare = [&](size_t i) { return items[i].grown > 0 ? allowed[i] - (cutting ? boxOf(i) : floor[i]) : 0; };
    size_t most = n;
    int second = 0;
    for (size_t i = 0; i < n; ++i) {
      const int g = spare(i);
      if (g <= 0) continue;
      if (most == n || (hopeless[i] && !hopeless[most]) || (hopeless[i] == hopeless[most] && g > spare(most))) {
        if (most != n) second = std::max(second, spare(most));
        most = i;
      } else {
        second = std::max(second, g);
      }
    }
    if (most == n) {
      if (cutting) break;
      cutting = true;
      continue;
    }
    const int step = hopeless[most] ? h - limit : std::max(kUnitsPerMm, spare(most) - second);
    allowed[most] -= std::min(spare(most), std::min(h - limit, step));
    items[most].grown = std::max(0, refit(most, allowed[most]));
    allowed[most] = std::min(allowed[most], boxOf(most) + items[most].grown);
  }
  return h;
}

}  // namespace

int growBand(Document& doc, std::vector<FlowBox>& items, std::vector<TextFit>& fits,
             const std::vector<GrowingText>& texts, int height, int limit) {
  if (texts.empty()) return height;
  for (const GrowingText& t : texts) {
    fitText(doc, t.w, t.h, limit - items[t.item].top, *t.text, t.style, fits[t.item]);
    items[t.item].grown = fits[t.item].height - t.h;
  }
  auto textOf = [&](size_t item) -> const GrowingText& {
    for (const GrowingText& t : texts)
      if (t.item == item) return t;
    return texts.front();  // only grown texts are asked for
  };
  return fitBand(
      items, height, limit,
      [&](size_t i, int maxHeight) {
        const GrowingText& t = textOf(i);
        fitText(doc, t.w, t.h, maxHeight, *t.text, t.style, fits[i]);
        return fits[i].height - t.h;
      },
      [&](size_t i) {
        const GrowingText& t = textOf(i);
        return leastHeight(doc, t.w, t.h, *t.text, t.style);
      });
}

// --- word wrap ---------------------------------------------------------------------

std::vector<std::wstring> wrapText(const std::wstring& text, int width, const FontMetrics& m) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t nl = text.find(L'\n', start);
    std::wstring para = text.substr(start, nl == std::wstring::npos ? std::wstring::npos : nl - start);
    if (!para.empty() && para.back() == L'\r') para.pop_back();
    // One paragraph: take words while they fit.
    size_t i = 0;
    if (para.empty()) lines.emplace_back();
    while (i < para.size()) {
      int w = 0;
      size_t j = i, lastBreak = std::wstring::npos, lastMark = std::wstring::npos;
      while (j < para.size()) {
        // A character with its marks, or a surrogate pair, never parts.
        const size_t next = clusterEnd(para.data(), para.size(), j);
        const int a = next == j + 1 ? m.advance(para[j]) : m.width(para.data() + j, next - j);
        if (w + a > width && j > i) break;
        if (para[j] == L' ' || para[j] == L'\t') lastBreak = j;
        // A word wider than the line (an e-mail, a web address) breaks
        // after one of its marks where it can.
        else if (wcschr(L"-/.@_,", para[j])) lastMark = next;
        w += a;
        j = next;
      }
      size_t end = j;
      if (j < para.size() && lastBreak != std::wstring::npos && lastBreak > i) end = lastBreak;
      else if (j < para.size() && lastMark != std::wstring::npos && lastMark < j) end = lastMark;
      std::wstring line = para.substr(i, end - i);
      while (!line.empty() && line.back() == L' ') line.pop_back();
      lines.push_back(line);
      i = end;
      while (i < para.size() && para[i] == L' ') ++i;
    }
    if (nl == std::wstring::npos) break;
    start = nl + 1;
  }
  return lines;
}

}  // namespace report
