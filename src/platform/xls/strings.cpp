// Cell texts: decoding, measuring and the table that keeps each text once.
#include <cstring>

#include "platform/xls/internal.h"

namespace xls::detail {

namespace {

// Next code point of UTF-8 text at p; a malformed or overlong sequence
// yields U+FFFD and skips one byte.
char32_t nextCodePoint(std::string_view s, size_t& p) {
  const auto b0 = static_cast<unsigned char>(s[p]);
  if (b0 < 0x80) {
    ++p;
    return b0;
  }
  int extra = b0 >= 0xF5 ? -1 : b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC2 ? 1 : -1;
  if (extra < 0 || p + extra >= s.size()) {
    ++p;
    return 0xFFFD;
  }
  char32_t cp = b0 & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    const auto b = static_cast<unsigned char>(s[p + i]);
    if ((b & 0xC0) != 0x80) {
      ++p;
      return 0xFFFD;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  static const char32_t least[] = {0, 0x80, 0x800, 0x10000};
  if (cp < least[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++p;
    return 0xFFFD;
  }
  p += extra + 1;
  return cp;
}

// Advance widths of the sheet's font (Arial) for the printable ASCII
// characters, in thousandths of its height.
const uint16_t kAsciiWidth[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  //  !"#$%&'()*+,-./
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556,                                // 0-9
    278, 278, 584, 584, 584, 556, 1015,                                              // :;<=>?@
    667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833,                 // A-M
    722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611,                 // N-Z
    278, 278, 278, 469, 556, 333,                                                    // [\]^_`
    556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833,                 // a-m
    556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500,                 // n-z
    334, 260, 334, 584};                                                             // {|}~

}  // namespace

void toUtf16(std::string_view utf8, std::u16string& out) {
  out.clear();
  out.reserve(utf8.size());
  size_t p = 0;
  while (p < utf8.size()) {
    const char32_t cp = nextCodePoint(utf8, p);
    if (cp < 0x10000) {
      out += static_cast<char16_t>(cp);
    } else {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
  }
}

uint32_t textWidth(std::string_view utf8) {
  uint32_t w = 0;
  size_t p = 0;
  while (p < utf8.size()) {
    const char32_t cp = nextCodePoint(utf8, p);
    if (cp >= 32 && cp < 127) w += kAsciiWidth[cp - 32];
    else if (cp < 32) continue;  // line breaks and tabs take no room of their own
    else if (cp >= 0x2E80) w += 1000;  // East Asian scripts fill the whole square
    else w += 556;
  }
  return w;
}

// ---- string table ----------------------------------------------------------------

namespace {
uint32_t hashOf(std::string_view s) {
  uint64_t h = 1469598103934665603ull;
  for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
  return static_cast<uint32_t>(h ^ (h >> 32));
}
}  // namespace

// A slot holds the entry's hash above its index + 1, so that a probe reads
// the entry itself only when the hashes agree.
void StringTable::grow() {
  std::vector<uint64_t> slots(slots_.empty() ? 1024 : slots_.size() * 2, 0);
  const size_t mask = slots.size() - 1;
  for (uint32_t i = 0; i < entries_.size(); ++i) {
    size_t s = entries_[i].hash & mask;
    while (slots[s]) s = (s + 1) & mask;
    slots[s] = (uint64_t(entries_[i].hash) << 32) | (i + 1);
  }
  slots_.swap(slots);
}

uint32_t StringTable::add(std::string_view text) {
  if ((entries_.size() + 1) * 2 > slots_.size()) grow();
  const uint32_t h = hashOf(text);
  const size_t mask = slots_.size() - 1;
  for (size_t s = h & mask;; s = (s + 1) & mask) {
    const uint64_t slot = slots_[s];
    if (slot == 0) {
      const auto index = static_cast<uint32_t>(entries_.size());
      entries_.push_back(Entry{arena_.size(), static_cast<uint32_t>(text.size()), h});
      arena_.append(text);
      slots_[s] = (uint64_t(h) << 32) | (index + 1);
      return index;
    }
    if (slot >> 32 != h) continue;
    const uint32_t index = static_cast<uint32_t>(slot) - 1;
    const Entry& e = entries_[index];
    if (e.length == text.size() && std::memcmp(arena_.data() + e.offset, text.data(), text.size()) == 0)
      return index;
  }
}

}  // namespace xls::detail
