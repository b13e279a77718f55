#include "platform/report/page.h"

#include <algorithm>
#include <cmath>
#include <map>

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

FontMetrics::FontMetrics(const FontSpec& spec) : table_(0x250, -1) {
  dc_ = CreateCompatibleDC(nullptr);
  LOGFONTW lf = logFontFor(spec, static_cast<int>(std::lround(spec.size * kUnitsPerPoint)));
  font_ = CreateFontIndirectW(&lf);
  old_ = SelectObject(dc_, font_);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc_, &tm);
  ascent_ = tm.tmAscent;
  height_ = tm.tmHeight;
}

FontMetrics::~FontMetrics() {
  SelectObject(dc_, old_);
  DeleteObject(font_);
  DeleteDC(dc_);
}

int FontMetrics::measure(wchar_t c) const {
  INT w = 0;
  if (!GetCharWidth32W(dc_, c, c, &w)) {
    SIZE s{};
    GetTextExtentPoint32W(dc_, &c, 1, &s);
    w = s.cx;
  }
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

int FontMetrics::width(const wchar_t* text, size_t n) const {
  int w = 0;
  for (size_t i = 0; i < n; ++i) w += advance(text[i]);
  return w;
}

int FontMetrics::width(const std::wstring& text) const { return width(text.data(), text.size()); }

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
  std::map<uint16_t, ui::OwnedGdi<HFONT>> fonts;
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
        auto& f = fonts[it.font];
        if (!f.get()) {
          LOGFONTW lf = logFontFor(doc.fonts[it.font],
                                   static_cast<int>(std::lround(doc.fonts[it.font].size * kUnitsPerPoint * vp.scaleY)));
          f.reset(CreateFontIndirectW(&lf));
        }
        if (!metrics[it.font]) metrics[it.font] = &const_cast<Document&>(doc).metrics(it.font);
        const FontMetrics& m = *metrics[it.font];
        std::string s = page.text.substr(it.at, it.len);
        if (it.pagesMarker) {
          size_t p;
          while ((p = s.find(kPagesMarker)) != std::string::npos) s.replace(p, 1, pages);
        }
        std::wstring w = ui::Widen(s);
        if (w.empty()) break;
        ui::ScopedSelect sel(dc, f.get());
        SetTextColor(dc, it.color);
        const int textW = m.width(w);
        const double laidOut = textW * vp.scaleX;
        // The device's own spacing reads best; where its hinting makes the
        // line wider than laid out, each glyph goes where the layout put it.
        SIZE natural{};
        GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &natural);
        const bool own = natural.cx <= laidOut * 1.02 + 1;
        const double width = own ? natural.cx / vp.scaleX : textW;
        double left = it.x;
        if (it.align == Align::Center) left = it.x + (it.w - width) / 2.0;
        else if (it.align == Align::Right) left = it.x + it.w - width;
        if (!own) {
          dx.assign(w.size(), 0);
          double pos = 0;
          int placed = 0;
          for (size_t i = 0; i < w.size(); ++i) {
            pos += m.advance(w[i]) * vp.scaleX;
            const int next = static_cast<int>(std::lround(pos));
            dx[i] = next - placed;
            placed = next;
          }
        }
        ExtTextOutW(dc, d.X(left), d.Y(it.y + m.ascent()), 0, nullptr, w.c_str(), static_cast<UINT>(w.size()),
                    own ? nullptr : dx.data());
        break;
      }
    }
  }
  RestoreDC(dc, saved);
}

// --- text boxes ----------------------------------------------------------------------

namespace {

// Places lines of text (with their box) at (x, y); returns the box's bottom.
int placeLines(Document& doc, Page& out, int x, int y, int w, int h, const std::string* lines, size_t count,
               const TextStyle& st) {
  const FontMetrics& m = doc.metrics(st.font);
  const int lh = m.lineHeight(), pad = st.padding;
  const int inner = std::max(0, w - 2 * pad);
  int boxH = h;
  if (st.grow) {
    boxH = std::max(h, static_cast<int>(count) * lh + 2 * pad);
  } else {
    const size_t fit = static_cast<size_t>(std::max(1, (h - 2 * pad) / std::max(1, lh)));
    count = std::min(count, fit);
  }
  if (st.fill != CLR_INVALID || st.pen > 0) out.addBox(x, y, w, boxH, st.pen, st.color, st.fill);
  const int textH = static_cast<int>(count) * lh;
  int top = y + pad;
  if (st.valign == VAlign::Middle) top = y + (boxH - textH) / 2;
  else if (st.valign == VAlign::Bottom) top = y + boxH - pad - textH;
  for (size_t i = 0; i < count; ++i)
    if (!lines[i].empty())
      out.addText(x + pad, top + static_cast<int>(i) * lh, inner, lh, lines[i], st.font, st.align, st.color);
  return y + boxH;
}

}  // namespace

int placeText(Document& doc, Page& out, int x, int y, int w, int h, const std::string& text, const TextStyle& st) {
  // One line: no measuring needed, the drawing aligns it.
  if (!st.wrap && text.find('\n') == std::string::npos) return placeLines(doc, out, x, y, w, h, &text, 1, st);
  const FontMetrics& m = doc.metrics(st.font);
  const int inner = std::max(0, w - 2 * st.padding);
  std::wstring wide = ui::Widen(text);
  std::vector<std::wstring> wl;
  if (st.wrap) {
    wl = wrapText(wide, inner, m);
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
  std::vector<std::string> lines;
  lines.reserve(wl.size());
  for (auto& l : wl) lines.push_back(ui::Narrow(l));
  return placeLines(doc, out, x, y, w, h, lines.data(), lines.size(), st);
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
      size_t j = i, lastBreak = std::wstring::npos;
      while (j < para.size()) {
        const int a = m.advance(para[j]);
        if (w + a > width && j > i) break;
        if (para[j] == L' ' || para[j] == L'\t') lastBreak = j;
        w += a;
        ++j;
      }
      size_t end = j;
      if (j < para.size() && lastBreak != std::wstring::npos && lastBreak > i) end = lastBreak;
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
