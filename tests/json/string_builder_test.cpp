// The string builder: chunked growth, the editing operations and their errors.
#include <gtest/gtest.h>

#include <functional>

#include "json/string_builder.h"
#include "platform/vb/error.h"

namespace {

using json::StringBuilder;

int errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::Error& e) {
    return e.number();
  }
  return 0;
}

TEST(StringBuilder, GrowsInWholeChunks) {
  StringBuilder fresh;
  EXPECT_EQ(fresh.Length(), 0);
  EXPECT_EQ(fresh.Capacity(), 0);
  EXPECT_EQ(fresh.ChunkSize(), 8192);
  EXPECT_EQ(fresh.toString(), u"");

  struct Case {
    const char* what;
    std::vector<size_t> appends;  // lengths appended in turn
    long length, capacity;
  };
  const Case cases[] = {
      {"one character", {1}, 1, 8192},
      {"exactly one chunk", {8192}, 8192, 8192},
      {"one past a chunk", {8192, 1}, 8193, 16384},
      {"20000 at once: three chunks", {20000}, 20000, 24576},
      {"many small pieces", std::vector<size_t>(1000, 30), 30000, 32768},
      {"nothing", {0}, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StringBuilder sb;
    std::u16string expected;
    char16_t letter = u'a';
    for (size_t n : c.appends) {
      const std::u16string piece(n, letter);
      sb.Append(piece);
      expected += piece;
      letter = letter == u'z' ? u'a' : static_cast<char16_t>(letter + 1);
    }
    EXPECT_EQ(sb.Length(), c.length);
    EXPECT_EQ(sb.Capacity(), c.capacity);
    EXPECT_EQ(sb.toString(), expected);
  }
}

TEST(StringBuilder, InsertAndRemove) {
  struct Case {
    const char* what;
    std::function<void(StringBuilder&)> edit;
    std::u16string text;  // afterwards, starting from "abcdef"
    int error;
  };
  const Case cases[] = {
      {"insert at the start", [](StringBuilder& s) { s.Insert(0, u"XY"); }, u"XYabcdef", 0},
      {"insert inside", [](StringBuilder& s) { s.Insert(3, u"-"); }, u"abc-def", 0},
      {"insert at Length appends", [](StringBuilder& s) { s.Insert(6, u"!"); }, u"abcdef!", 0},
      {"insert past Length", [](StringBuilder& s) { s.Insert(7, u"!"); }, u"abcdef", 9},
      {"insert before the start", [](StringBuilder& s) { s.InsertByVal(-1, u"!"); }, u"abcdef", 9},
      {"remove nothing", [](StringBuilder& s) { s.Remove(2, 0); }, u"abcdef", 0},
      {"remove inside", [](StringBuilder& s) { s.Remove(1, 2); }, u"adef", 0},
      {"remove to the end", [](StringBuilder& s) { s.Remove(4, 2); }, u"abcd", 0},
      {"remove past the end", [](StringBuilder& s) { s.Remove(4, 3); }, u"abcdef", 9},
      {"remove a negative length", [](StringBuilder& s) { s.Remove(1, -1); }, u"abcdef", 9},
      {"remove from past the end", [](StringBuilder& s) { s.Remove(7, 0); }, u"abcdef", 9},
      {"remove of the largest length", [](StringBuilder& s) { s.Remove(1, 2147483647); }, u"abcdef", 9},
      {"its own text appended", [](StringBuilder& s) { s.Append(s.view()); }, u"abcdefabcdef", 0},
      {"its own text inserted", [](StringBuilder& s) { s.Insert(1, s.view()); }, u"aabcdefbcdef", 0},
      {"its own tail as the content", [](StringBuilder& s) { s.TheString(s.view().substr(2)); }, u"cdef", 0},
      {"AppendNL", [](StringBuilder& s) { s.AppendNL(u"x"); }, u"abcdefx\r\n", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StringBuilder sb;
    sb.Append(u"abcdef");
    EXPECT_EQ(errorOf([&] { c.edit(sb); }), c.error);
    EXPECT_EQ(sb.toString(), c.text);
    EXPECT_EQ(sb.Capacity(), 8192);
  }
}

TEST(StringBuilder, LongInsertsGrowByWholeChunks) {
  StringBuilder sb;
  sb.Append(u"ab");
  const std::u16string longText(20000, u'x');
  sb.Insert(1, longText);
  EXPECT_EQ(sb.Capacity(), 24576);
  EXPECT_EQ(sb.toString(), u"a" + longText + u"b");

  // One chunk of a single character: the capacity follows the length exactly.
  StringBuilder small;
  small.ChunkSize(1);
  small.Append(u"abc");
  small.Insert(1, u"XYZ");
  EXPECT_EQ(small.Capacity(), 6);
  EXPECT_EQ(small.toString(), u"aXYZbc");
}

TEST(StringBuilder, TheStringClearAndHeapMinimize) {
  StringBuilder sb;
  sb.TheString(std::u16string(20000, u'a'));
  EXPECT_EQ(sb.Capacity(), 24576);
  sb.TheString(u"pendek");  // shorter: the capacity stays
  EXPECT_EQ(sb.toString(), u"pendek");
  EXPECT_EQ(sb.Capacity(), 24576);
  sb.TheString(u"");
  EXPECT_EQ(sb.Length(), 0);
  EXPECT_EQ(sb.Capacity(), 0);

  sb.Append(std::u16string(50000, u'b'));
  EXPECT_EQ(sb.Capacity(), 57344);
  sb.Remove(100, 49800);
  EXPECT_EQ(sb.Capacity(), 57344);  // Remove keeps the capacity
  sb.HeapMinimize();
  EXPECT_EQ(sb.Length(), 200);
  EXPECT_EQ(sb.Capacity(), 8192);
  EXPECT_EQ(sb.toString(), std::u16string(200, u'b'));
  sb.Append(std::u16string(7992, u'c'));  // still room after the cut: exactly full
  EXPECT_EQ(sb.Capacity(), 8192);
  sb.Append(u"d");
  EXPECT_EQ(sb.Capacity(), 16384);

  sb.Remove(0, sb.Length());
  sb.HeapMinimize();  // nothing used: one chunk may stay spare
  EXPECT_EQ(sb.Capacity(), 8192);
  sb.Clear();
  EXPECT_EQ(sb.Capacity(), 0);
  EXPECT_EQ(sb.toString(), u"");
}

TEST(StringBuilder, ChunkSize) {
  StringBuilder sb;
  sb.ChunkSize(100);
  EXPECT_EQ(sb.ChunkSize(), 100);
  EXPECT_EQ(sb.Capacity(), 0);  // the buffer is not touched
  sb.Append(std::u16string(250, u'x'));
  EXPECT_EQ(sb.Capacity(), 300);
  EXPECT_EQ(errorOf([&] { sb.ChunkSize(0); }), 5);
  EXPECT_EQ(errorOf([&] { sb.ChunkSize(-3); }), 5);
  EXPECT_EQ(errorOf([&] { sb.ChunkSize(1073741824); }), vb::err::Overflow);
  EXPECT_EQ(sb.ChunkSize(), 100);  // a refused size changes nothing

  // A step so large that the first growth leaves the length range.
  sb.ChunkSize(1073741823);
  EXPECT_EQ(errorOf([&] { sb.Append(std::u16string(300, u'y')); }), vb::err::Overflow);
  EXPECT_EQ(sb.Length(), 250);
  EXPECT_EQ(sb.Capacity(), 300);
}

TEST(StringBuilder, Find) {
  StringBuilder sb;
  sb.Append(u"Kwitansi kwitansi");
  struct Case {
    std::u16string find;
    long start, compare, expected;
  };
  const Case cases[] = {
      {u"kwi", 0, 0, 10},
      {u"kwi", 0, 1, 1},
      {u"KWI", 2, 1, 10},
      {u"Kwi", 2, 0, 0},
      {u"i", 17, 0, 17},       // a match at the last character counts
      {u"si ", 0, 0, 7},
      {u"si  ", 0, 0, 0},      // never into the spare blanks beyond the text
      {u"nsi", 16, 0, 0},      // would run past the end
      {u"", 0, 0, 1},
      {u"", 18, 0, 18},
      {u"", 19, 0, 0},
      {u"x", -5, 0, 0},
      {u"K", -5, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.find.begin(), c.find.end()) + " from " + std::to_string(c.start));
    EXPECT_EQ(sb.Find(c.find, c.start, c.compare), c.expected);
  }
  EXPECT_EQ(errorOf([&] { sb.Find(u"a", 0, 2); }), 5);

  StringBuilder latin;
  latin.Append(u"D\u00c9VI");
  EXPECT_EQ(latin.Find(u"\u00e9v", 0, 1), 2);
  EXPECT_EQ(latin.Find(u"\u00e9v", 0, 0), 0);
  EXPECT_EQ(StringBuilder().Find(u"a"), 0);
}

TEST(StringBuilder, CopiesAndMovesKeepTheirOwnText) {
  StringBuilder a;
  a.ChunkSize(4);
  a.Append(u"satu");
  StringBuilder b = a;
  b.Append(u"dua");
  EXPECT_EQ(a.toString(), u"satu");
  EXPECT_EQ(b.toString(), u"satudua");
  EXPECT_EQ(b.Capacity(), 8);
  StringBuilder c = std::move(b);
  EXPECT_EQ(c.toString(), u"satudua");
  a = c;
  EXPECT_EQ(a.toString(), u"satudua");
  a = std::move(c);
  a.Append(u"!");
  EXPECT_EQ(a.toString(), u"satudua!");
}

}  // namespace
