#include "json/utf.h"

namespace json {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void putUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void putUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

}  // namespace

void appendUtf8(std::string& out, std::u16string_view text) {
  const size_t n = text.size();
  size_t i = 0;
  // Most texts are plain ASCII: copy such runs without the general path.
  while (i < n) {
    size_t j = i;
    while (j < n && text[j] < 0x80) ++j;
    if (j > i) {
      const size_t at = out.size();
      out.resize(at + (j - i));
      for (size_t k = i; k < j; ++k) out[at + (k - i)] = static_cast<char>(text[k]);
      i = j;
      if (i == n) break;
    }
    const char16_t c = text[i++];
    if (isHigh(c) && i < n && isLow(text[i])) {
      putUtf8(out, 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i++] - 0xDC00));
    } else if (isHigh(c) || isLow(c)) {
      putUtf8(out, kReplacement);
    } else {
      putUtf8(out, c);
    }
  }
}

std::string toUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  appendUtf8(out, text);
  return out;
}

size_t utf16Length(std::string_view text) {
  size_t n = 0;
  for (const char b : text) {
    const auto c = static_cast<unsigned char>(b);
    if ((c & 0xC0) != 0x80) ++n;  // a character begins here
    if (c >= 0xF0) ++n;           // outside the basic plane: two units
  }
  return n;
}

std::u16string toUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += static_cast<char16_t>(c);
      ++i;
      continue;
    }
    // The length the lead byte announces, and the smallest code point that
    // may use it (longer forms of smaller ones are malformed).
    int len = 0;
    char32_t cp = 0, least = 0;
    if (c >= 0xC2 && c <= 0xDF) len = 2, cp = c & 0x1F, least = 0x80;
    else if (c >= 0xE0 && c <= 0xEF) len = 3, cp = c & 0x0F, least = 0x800;
    else if (c >= 0xF0 && c <= 0xF4) len = 4, cp = c & 0x07, least = 0x10000;
    bool ok = len > 0 && i + static_cast<size_t>(len) <= n;
    for (int k = 1; ok && k < len; ++k) {
      const unsigned char t = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
      if ((t & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (t & 0x3F);
    }
    if (ok && (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
    if (ok) {
      putUtf16(out, cp);
      i += static_cast<size_t>(len);
    } else {
      // One replacement per bad byte, and the scan goes on at the next byte.
      putUtf16(out, kReplacement);
      ++i;
    }
  }
  return out;
}

}  // namespace json
