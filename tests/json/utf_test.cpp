// The conversions between UTF-8 and 16-bit texts.
#include <gtest/gtest.h>

#include "json/utf.h"

namespace {

TEST(Utf, RoundTripsAndRepairs) {
  struct Case {
    const char* what;
    std::string utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {"ASCII", "Kwitansi 01", u"Kwitansi 01"},
      {"two bytes", "D\xC3\xA9vi", u"D\u00e9vi"},
      {"three bytes", "\xE2\x82\xAC", u"\u20ac"},
      {"four bytes", "\xF0\x9F\x98\x80", u"\U0001F600"},
      {"empty", "", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(json::toUtf16(c.utf8), c.utf16);
    EXPECT_EQ(json::toUtf8(c.utf16), c.utf8);
  }

  const Case toUtf16Repairs[] = {
      {"a stray continuation byte", "a\x80" "b", u"a\uFFFDb"},
      {"a cut sequence at the end", "a\xE2\x82", u"a\uFFFD\uFFFD"},
      {"an overlong form", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"an encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
  };
  for (const Case& c : toUtf16Repairs) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(json::toUtf16(c.utf8), c.utf16);
  }

  const Case toUtf8Repairs[] = {
      {"a lone high surrogate", "\xEF\xBF\xBD" "a", u"\xD800" "a"},
      {"a lone low surrogate at the end", "a\xEF\xBF\xBD", u"a\xDC00"},
      {"two high surrogates", "\xEF\xBF\xBD\xF0\x90\x80\x80", u"\xD800\xD800\xDC00"},
  };
  for (const Case& c : toUtf8Repairs) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(json::toUtf8(c.utf16), c.utf8);
  }
}

}  // namespace
