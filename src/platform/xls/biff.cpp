// The workbook stream: BIFF8 records of the workbook globals and the sheet.
#include <cmath>
#include <cstring>

#include "platform/xls/internal.h"

namespace xls::detail {

namespace {

// Record numbers.
enum : uint16_t {
  kBof = 0x0809, kEof = 0x000A, kCodepage = 0x0042, kWindow1 = 0x003D, kDateMode = 0x0022,
  kFont = 0x0031, kFormat = 0x041E, kXf = 0x00E0, kStyle = 0x0293, kBoundSheet = 0x0085,
  kSst = 0x00FC, kContinue = 0x003C, kExtSst = 0x00FF, kDefColWidth = 0x0055,
  kColInfo = 0x007D, kDimensions = 0x0200, kLabelSst = 0x00FD, kRk = 0x027E,
  kNumber = 0x0203, kWindow2 = 0x023E,
};
constexpr size_t kMaxRecordData = 8224;
constexpr int kStyleXfs = 15;  // the sheet's cell formats follow the 15 style formats

class Out {
public:
  explicit Out(std::string& s) : s_(s) {}
  void u8(uint8_t v) { s_ += static_cast<char>(v); }
  void u16(uint16_t v) {
    const char b[2] = {static_cast<char>(v), static_cast<char>(v >> 8)};
    s_.append(b, 2);
  }
  void u32(uint32_t v) {
    u16(static_cast<uint16_t>(v));
    u16(static_cast<uint16_t>(v >> 16));
  }
  void f64(double v) {
    char b[8];
    std::memcpy(b, &v, 8);  // both targets are little-endian
    s_.append(b, 8);
  }
  void bytes(const char* p, size_t n) { s_.append(p, n); }
  void record(uint16_t id, size_t length) {
    u16(id);
    u16(static_cast<uint16_t>(length));
  }
  size_t pos() const { return s_.size(); }
  std::string& str() { return s_; }

private:
  std::string& s_;
};

void put16At(std::string& s, size_t at, uint16_t v) {
  s[at] = static_cast<char>(v);
  s[at + 1] = static_cast<char>(v >> 8);
}
void put32At(std::string& s, size_t at, uint32_t v) {
  put16At(s, at, static_cast<uint16_t>(v));
  put16At(s, at + 2, static_cast<uint16_t>(v >> 16));
}

bool isAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

bool latin1(const std::u16string& w) {
  for (char16_t c : w)
    if (c > 0xFF) return false;
  return true;
}

// The characters of a text, one byte each when they all fit in one.
void chars(Out& o, const std::u16string& w, bool narrow, size_t from, size_t count) {
  for (size_t i = from; i < from + count; ++i) {
    if (narrow) o.u8(static_cast<uint8_t>(w[i]));
    else o.u16(w[i]);
  }
}

// A text with a one-byte (short) or two-byte length before its flags.
void unicodeString(Out& o, const std::string& utf8, bool shortLength) {
  std::u16string w;
  toUtf16(utf8, w);
  const bool narrow = latin1(w);
  if (shortLength) o.u8(static_cast<uint8_t>(w.size()));
  else o.u16(static_cast<uint16_t>(w.size()));
  o.u8(narrow ? 0 : 1);
  chars(o, w, narrow, 0, w.size());
}

void bof(Out& o, uint16_t type) {
  o.record(kBof, 16);
  o.u16(0x0600);  // BIFF8
  o.u16(type);
  o.u16(0x0DBB);  // build and year of the application that writes it
  o.u16(0x07CC);
  o.u32(0);
  o.u32(0x06);  // lowest BIFF version that reads the file
}

void font(Out& o) {
  const std::string name = "Arial";
  o.record(kFont, 16 + name.size());
  o.u16(200);  // 10 points, in twips
  o.u16(0);
  o.u16(0x7FFF);  // window text colour
  o.u16(400);     // normal weight
  o.u16(0);
  o.u8(0);
  o.u8(0);
  o.u8(0);
  o.u8(0);
  o.u8(static_cast<uint8_t>(name.size()));
  o.u8(0);
  o.bytes(name.data(), name.size());
}

// Bottom aligned, locked, no borders, no fill.
void xf(Out& o, uint16_t format, bool style, uint16_t attributes) {
  o.record(kXf, 20);
  o.u16(0);  // font 0
  o.u16(format);
  o.u16(style ? 0xFFF5 : 0x0001);  // style formats have no parent; cell formats inherit style 0
  o.u8(0x20);
  o.u8(0);
  o.u16(attributes);
  o.u32(0);
  o.u32(0);
  o.u16(0x20C0);  // automatic pattern colours
}

// Formats every reader knows by number; the rest are written out.
int builtinFormat(const std::string& code) {
  static const struct {
    const char* code;
    int index;
  } builtin[] = {{"General", 0}, {"0", 1},        {"0.00", 2},      {"#,##0", 3}, {"#,##0.00", 4},
                 {"0%", 9},      {"0.00%", 10},   {"0.00E+00", 11}, {"@", 49}};
  for (const auto& b : builtin)
    if (code == b.code) return b.index;
  return -1;
}

bool highSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// The shared strings, continued in CONTINUE records past a record's room.
// A string's length and flags never part from its first character; its
// characters may part, though never the two halves of a character outside
// the basic plane (readers decode each part on its own), and the part
// after a break starts with the flags again. The index of every eighth
// string (or more, to keep to 128 entries) goes into EXTSST.
void sharedStrings(Out& o, const StringTable& strings, uint32_t references) {
  const uint32_t n = strings.size();
  const uint32_t perBucket = std::max<uint32_t>(8, (n + 127) / 128);
  struct Bucket {
    uint32_t streamPos;
    uint16_t recordOffset;
  };
  std::vector<Bucket> buckets;

  std::string& s = o.str();
  size_t recordStart = o.pos();
  o.record(kSst, 0);
  o.u32(references);
  o.u32(n);
  const auto room = [&] { return kMaxRecordData - (o.pos() - recordStart - 4); };
  const auto nextRecord = [&] {
    put16At(s, recordStart + 2, static_cast<uint16_t>(o.pos() - recordStart - 4));
    recordStart = o.pos();
    o.record(kContinue, 0);
  };

  std::u16string w;
  for (uint32_t i = 0; i < n; ++i) {
    // Most texts are plain ASCII: their bytes are already the narrow form.
    const std::string_view text = strings.text(i);
    const bool ascii = isAscii(text);
    if (!ascii) toUtf16(text, w);
    const bool narrow = ascii || latin1(w);
    const size_t length = ascii ? text.size() : w.size();
    const size_t charSize = narrow ? 1 : 2;
    const size_t first = length == 0 ? 0 : narrow ? 1 : highSurrogate(w[0]) && length > 1 ? 4 : 2;
    if (room() < 3 + first) nextRecord();
    if (i % perBucket == 0)
      buckets.push_back({static_cast<uint32_t>(o.pos()), static_cast<uint16_t>(o.pos() - recordStart)});
    o.u16(static_cast<uint16_t>(length));
    o.u8(narrow ? 0 : 1);
    size_t done = 0;
    while (done < length) {
      size_t fit = room() / charSize;
      if (!narrow && fit > 0 && fit < length - done && highSurrogate(w[done + fit - 1])) --fit;
      if (fit == 0) {
        nextRecord();
        o.u8(narrow ? 0 : 1);
        continue;
      }
      const size_t count = std::min(fit, length - done);
      if (ascii) o.bytes(text.data() + done, count);
      else chars(o, w, narrow, done, count);
      done += count;
    }
  }
  put16At(s, recordStart + 2, static_cast<uint16_t>(o.pos() - recordStart - 4));

  o.record(kExtSst, 2 + 8 * buckets.size());
  o.u16(static_cast<uint16_t>(perBucket));
  for (const Bucket& b : buckets) {
    o.u32(b.streamPos);
    o.u16(b.recordOffset);
    o.u16(0);
  }
}

// The four-byte RK form of a number, when one holds it exactly.
bool rk(double v, uint32_t& out) {
  for (int scaled = 0; scaled < 2; ++scaled) {
    const double x = scaled ? v * 100 : v;
    if (x == std::floor(x) && x >= -(1 << 29) && x < (1 << 29)) {
      const auto n = static_cast<int32_t>(x);
      if (!scaled || n / 100.0 == v) {
        out = (static_cast<uint32_t>(n) << 2) | 2u | static_cast<uint32_t>(scaled);
        return true;
      }
    }
    uint64_t bits;
    std::memcpy(&bits, &x, 8);
    if ((bits & 0xFFFFFFFFull) == 0 && (bits & 0x300000000ull) == 0) {
      double back;
      const uint64_t high = bits & 0xFFFFFFFF00000000ull;
      std::memcpy(&back, &high, 8);
      if (!scaled || back / 100 == v) {
        out = static_cast<uint32_t>(bits >> 32) | static_cast<uint32_t>(scaled);
        return true;
      }
    }
  }
  return false;
}

void cells(Out& o, const std::vector<CellRec>& all) {
  std::string& s = o.str();
  size_t at = s.size();
  s.resize(at + all.size() * 18);  // the longest record; trimmed below
  char* p = &s[0];
  for (const CellRec& c : all) {
    const uint16_t xf = static_cast<uint16_t>(kStyleXfs + c.format);
    uint32_t v;
    uint16_t id = kLabelSst, length = 10;
    if (c.kind == static_cast<uint16_t>(Kind::Text)) v = c.text;
    else if (rk(c.number, v)) id = kRk;
    else id = kNumber, length = 14;
    char* b = p + at;
    b[0] = static_cast<char>(id);
    b[1] = static_cast<char>(id >> 8);
    b[2] = static_cast<char>(length);
    b[3] = 0;
    b[4] = static_cast<char>(c.row);
    b[5] = static_cast<char>(c.row >> 8);
    b[6] = static_cast<char>(c.column);
    b[7] = 0;
    b[8] = static_cast<char>(xf);
    b[9] = static_cast<char>(xf >> 8);
    if (id == kNumber) std::memcpy(b + 10, &c.number, 8);
    else std::memcpy(b + 10, &v, 4);  // both targets are little-endian
    at += 4 + length;
  }
  s.resize(at);
}

}  // namespace

Book::Book() : formats{"General"}, sheet(new Worksheet(*this)) {
  for (auto& id : shownIds) id = 0xFFFF;
}

uint16_t Book::formatId(const std::string& code) {
  for (size_t i = 0; i < formats.size(); ++i)
    if (formats[i] == code) return static_cast<uint16_t>(i);
  formats.push_back(code);
  return static_cast<uint16_t>(formats.size() - 1);
}

uint16_t Book::shownId(Shown shown) {
  uint16_t& id = shownIds[static_cast<int>(shown)];
  if (id == 0xFFFF) id = formatId(formatCode(shown));
  return id;
}

std::string Book::stream() {
  Worksheet::Data& sheetData = *sheet->d_;
  const std::vector<CellRec>& all = sheetData.finalCells();
  uint32_t references = 0;
  for (const CellRec& c : all)
    if (c.kind == static_cast<uint16_t>(Kind::Text)) ++references;

  std::string s;
  s.reserve(4096 + all.size() * 14 + strings.size() * 16);
  Out o(s);

  // ---- workbook globals
  bof(o, 0x0005);
  o.record(kCodepage, 2);
  o.u16(1200);  // texts are UTF-16
  o.record(kWindow1, 18);
  o.u16(0);
  o.u16(0);
  o.u16(0x4000);
  o.u16(0x2000);
  o.u16(0x0038);  // scroll bars and sheet tabs shown
  o.u16(0);
  o.u16(0);
  o.u16(1);
  o.u16(600);
  o.record(kDateMode, 2);
  o.u16(0);  // dates count from 1900
  for (int i = 0; i < 5; ++i) font(o);  // the file format skips font number 4
  int custom = 164;
  std::vector<uint16_t> formatIndex(formats.size());
  for (size_t i = 0; i < formats.size(); ++i) {
    const int b = builtinFormat(formats[i]);
    if (b >= 0) {
      formatIndex[i] = static_cast<uint16_t>(b);
      continue;
    }
    formatIndex[i] = static_cast<uint16_t>(custom++);
    std::string body;
    Out f(body);
    unicodeString(f, formats[i], false);
    o.record(kFormat, 2 + body.size());
    o.u16(formatIndex[i]);
    o.bytes(body.data(), body.size());
  }
  xf(o, 0, true, 0);
  for (int i = 1; i < kStyleXfs; ++i) xf(o, 0, true, 0xF400);
  for (size_t i = 0; i < formats.size(); ++i) xf(o, formatIndex[i], false, formatIndex[i] ? 0x0400 : 0);
  o.record(kStyle, 4);
  o.u16(0x8000);  // built-in style "Normal" on format 0
  o.u8(0);
  o.u8(0xFF);
  const std::string sheetName = "Sheet1";
  const size_t sheetPosAt = o.pos() + 4;
  o.record(kBoundSheet, 8 + sheetName.size());
  o.u32(0);  // filled in below
  o.u8(0);
  o.u8(0);
  o.u8(static_cast<uint8_t>(sheetName.size()));
  o.u8(0);
  o.bytes(sheetName.data(), sheetName.size());
  sharedStrings(o, strings, references);
  o.record(kEof, 0);

  // ---- the worksheet
  put32At(s, sheetPosAt, static_cast<uint32_t>(o.pos()));
  bof(o, 0x0010);
  o.record(kDefColWidth, 2);
  o.u16(8);
  for (int c = 0; c < kMaxColumns; ++c) {
    const Column& col = sheetData.columns[c];
    if (col.format < 0 && col.width == 0) continue;
    o.record(kColInfo, 12);
    o.u16(static_cast<uint16_t>(c));
    o.u16(static_cast<uint16_t>(c));
    o.u16(col.width ? col.width : 2340);  // 64 pixels, the default
    o.u16(static_cast<uint16_t>(kStyleXfs + (col.format < 0 ? 0 : col.format)));
    o.u16(col.width ? 0x0006 : 0);  // width set, fitted to the contents
    o.u16(0);
  }
  uint32_t lastRow = 0;
  uint16_t firstCol = kMaxColumns, lastCol = 0;
  for (const CellRec& c : all) {
    lastRow = c.row;
    if (c.column < firstCol) firstCol = c.column;
    if (c.column > lastCol) lastCol = c.column;
  }
  o.record(kDimensions, 14);
  o.u32(all.empty() ? 0 : all.front().row);
  o.u32(all.empty() ? 0 : lastRow + 1);
  o.u16(all.empty() ? 0 : firstCol);
  o.u16(all.empty() ? 0 : static_cast<uint16_t>(lastCol + 1));
  o.u16(0);
  cells(o, all);
  o.record(kWindow2, 18);
  o.u16(0x06B6);  // grid, headers, zeros, outline; the sheet selected and shown
  o.u16(0);
  o.u16(0);
  o.u32(64);  // header colour: automatic
  o.u16(0);
  o.u16(0);
  o.u32(0);
  o.record(kEof, 0);
  return s;
}

}  // namespace xls::detail
