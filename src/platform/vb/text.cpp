#include "platform/vb/text.h"

#include "platform/vb/error.h"

namespace vb {

namespace {

bool continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Byte offset of the character with 0-based index i (the size when past the end).
size_t offsetOf(const std::string& t, long i) {
  size_t p = 0;
  for (; p < t.size() && i > 0; --i) {
    ++p;
    while (p < t.size() && continuation(static_cast<unsigned char>(t[p]))) ++p;
  }
  return p;
}

// Maps one code point through a case table for ASCII and Latin-1 letters.
std::string changeCase(const std::string& t, bool upper) {
  std::string out;
  out.reserve(t.size());
  for (size_t i = 0; i < t.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(t[i]);
    if (c < 0x80) {
      if (upper && c >= 'a' && c <= 'z') out += static_cast<char>(c - 32);
      else if (!upper && c >= 'A' && c <= 'Z') out += static_cast<char>(c + 32);
      else out += static_cast<char>(c);
    } else if (c == 0xC3 && i + 1 < t.size()) {
      // U+00C0..U+00FF: lower case is upper case + 0x20, except the
      // multiplication and division signs, the sharp s and y with diaeresis.
      unsigned char n = static_cast<unsigned char>(t[i + 1]);
      if (upper && n >= 0xA0 && n <= 0xBE && n != 0xB7) n = static_cast<unsigned char>(n - 0x20);
      else if (!upper && n >= 0x80 && n <= 0x9E && n != 0x97) n = static_cast<unsigned char>(n + 0x20);
      out += static_cast<char>(c);
      out += static_cast<char>(n);
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace

long Len(const std::string& text) {
  long n = 0;
  for (unsigned char c : text)
    if (!continuation(c)) ++n;
  return n;
}

std::string Left(const std::string& text, long n) {
  if (n < 0) raise(5);
  return text.substr(0, offsetOf(text, n));
}

std::string Right(const std::string& text, long n) {
  if (n < 0) raise(5);
  const long len = Len(text);
  return n >= len ? text : text.substr(offsetOf(text, len - n));
}

std::string Mid(const std::string& text, long start) {
  if (start < 1) raise(5);
  return text.substr(offsetOf(text, start - 1));
}

std::string Mid(const std::string& text, long start, long n) {
  if (start < 1 || n < 0) raise(5);
  const size_t a = offsetOf(text, start - 1);
  const size_t b = a + offsetOf(text.substr(a), n);
  return text.substr(a, b - a);
}

std::string UCase(const std::string& text) { return changeCase(text, true); }
std::string LCase(const std::string& text) { return changeCase(text, false); }

std::string LTrim(const std::string& text) {
  const size_t a = text.find_first_not_of(' ');
  return a == std::string::npos ? "" : text.substr(a);
}

std::string RTrim(const std::string& text) {
  const size_t b = text.find_last_not_of(' ');
  return b == std::string::npos ? "" : text.substr(0, b + 1);
}

std::string Trim(const std::string& text) { return LTrim(RTrim(text)); }

std::string Replace(const std::string& text, const std::string& find, const std::string& with) {
  if (find.empty()) return text;
  std::string out;
  size_t p = 0;
  for (size_t q; (q = text.find(find, p)) != std::string::npos; p = q + find.size()) {
    out.append(text, p, q - p);
    out += with;
  }
  out.append(text, p, std::string::npos);
  return out;
}

long InStr(long start, const std::string& text, const std::string& find) {
  if (start < 1) raise(5);
  if (start > Len(text)) return 0;
  if (find.empty()) return start;
  const size_t q = text.find(find, offsetOf(text, start - 1));
  return q == std::string::npos ? 0 : Len(text.substr(0, q)) + 1;
}

long InStr(const std::string& text, const std::string& find) { return InStr(1, text, find); }

}  // namespace vb
