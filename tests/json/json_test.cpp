// The JSON reader: the values it makes, its leniencies and every message.
#include <gtest/gtest.h>

#include "json/json.h"
#include "json/utf.h"
#include "platform/vb/collection.h"
#include "platform/vb/dictionary.h"

namespace {

// The tree in a short notation: {key=value;...} for dictionaries, [a,b] for
// collections, "text", numbers as their digits, True/False, Null, Empty.
std::string dump(const vb::Variant& v) {
  switch (v.type()) {
    case vb::VarType::Empty: return "Empty";
    case vb::VarType::Null: return "Null";
    case vb::VarType::Boolean: return v.boolValue() ? "True" : "False";
    case vb::VarType::Decimal: return v.decimalValue().toString();
    case vb::VarType::String: return "\"" + v.stringValue() + "\"";
    case vb::VarType::Object: break;
    default: return "?" + v.toString();
  }
  std::string out;
  if (auto d = std::dynamic_pointer_cast<vb::Dictionary>(v.toObject())) {
    out = "{";
    const auto keys = d->Keys();
    for (size_t i = 0; i < keys.size(); ++i)
      out += (i ? ";" : "") + keys[i] + "=" + dump(d->Item(keys[i]));
    return out + "}";
  }
  auto c = std::dynamic_pointer_cast<vb::Collection>(v.toObject());
  out = "[";
  for (long i = 1; i <= c->Count(); ++i) out += (i > 1 ? "," : "") + dump(c->Item(i));
  return out + "]";
}

struct Result {
  std::string tree, errors;
};

Result read(const std::u16string& text) {
  const std::shared_ptr<vb::Object> root = json::Parse(text);
  return {root ? dump(vb::Variant(root)) : "(none)", json::toUtf8(json::ParseErrors())};
}

struct Case {
  const char* what;
  std::u16string text;
  std::string tree, errors;
};

void check(const Case& c) {
  SCOPED_TRACE(c.what);
  const Result r = read(c.text);
  EXPECT_EQ(r.tree, c.tree);
  EXPECT_EQ(r.errors, c.errors);
}

TEST(JsonReader, Values) {
  const Case cases[] = {
      {"every kind of value", uR"({"s":"teks","n":-12.50,"t":true,"f":false,"z":null,"a":[1,{}],"o":{"k":[]}})",
       R"({s="teks";n=-12.5;t=True;f=False;z=Null;a=[1,{}];o={k=[]}})", ""},
      {"members keep their order, keys their case", u"{\"b\":1,\"a\":2,\"A\":3}", "{b=1;a=2;A=3}", ""},
      {"numbers", u"[0, 1e3, 2.5E-2, +7, -0.000001, 79228162514264337593543950335]",
       "[0,1000,0.025,7,-0.000001,79228162514264337593543950335]", ""},
      {"the decimal point is always a point", u"[1.5 ]", "[1.5]", ""},
      {"a number at the very end of the text reads as Empty", u"[1, 2", "[1,Empty]", "Missing ']': [1, 2\r\n"},
      {"text after the top-level value is not read", u"[1] ] } garbage", "[1]", ""},
      {"an empty object and array", u" { } ", "{}", ""},
      {"a nested empty array", u"[[]]", "[[]]", ""},
  };
  for (const Case& c : cases) check(c);
}

TEST(JsonReader, Leniencies) {
  const Case cases[] = {
      {"unquoted and single-quoted keys, single-quoted value, blanks around colons",
       u"{ nama : 'Dewi' , 'kota' : \"Bandung\" }", R"({nama="Dewi";kota="Bandung"})", ""},
      {"blanks inside a quoted key are dropped", u"{\"no kwitansi\": 1}", "{nokwitansi=1}", ""},
      {"members without a comma", u"{\"a\":1 \"b\":2}", "{a=1;b=2}", ""},
      {"a colon inside quotes belongs to the key", u"{\"a:b\":1}", "{a:b=1}", ""},
      {"the other quote inside a string", uR"(["it's", 'say "hi"'])", R"(["it's","say "hi""])", ""},
      {"a line comment before the top level", u"// catatan\r\n[1]", "[1]", ""},
      {"a block comment over lines", u"/* satu\r\n dua */ [1 /* x */, 2]", "[1,2]", ""},
      {"a number in parentheses", u"[(5), (6)]", "[5,6]", ""},
      {"a lone slash and star count as blanks", u"[1, / 2, * 3]", "[1,2,3]", ""},
      {"a line comment inside an array", u"[1, // nanti\n 2]", "[1,2]", ""},
      {"tabs and line ends as blanks", u"\t[\r\n1\r\n]", "[1]", ""},
  };
  for (const Case& c : cases) check(c);
}

TEST(JsonReader, Strings) {
  const Case cases[] = {
      {"simple escapes", uR"(["\"\\\/\'", "a\bb\fc\nd\re\tf"])", "[\"\"\\/'\",\"a\bb\fc\nd\re\tf\"]", ""},
      {"a \\u escape", uR"(["\u00e9t\u00C9"])", "[\"\xC3\xA9t\xC3\x89\"]", ""},
      {"a surrogate pair", uR"(["\ud83d\ude00"])", "[\"\xF0\x9F\x98\x80\"]", ""},
      {"a lone surrogate becomes U+FFFD", uR"(["\ud800x"])", "[\"\xEF\xBF\xBDx\"]", ""},
      {"a \\u escape with fewer digits moves past four characters", uR"(["\u41zz!"])", "[\"A!\"]", ""},
      {"a backslash before a letter that is no escape", uR"(["\q\z"])", "[\"qz\"]", ""},
      {"an unterminated string ends with the text", u"[\"abc", "[\"abc\"]", "Missing ']': [\"abc\r\n"},
      {"an unterminated escape at the end", u"[\"ab\\", "[\"ab\"]", "Missing ']': [\"ab\\\r\n"},
      {"a \\u escape at the end", u"[\"\\u4", "[\"\x04\"]", "Missing ']': [\"\\u4\r\n"},
      {"characters beyond Latin-1", u"[\"Rp \u20ac \u4e2d\"]", "[\"Rp \xE2\x82\xAC \xE4\xB8\xAD\"]", ""},
  };
  for (const Case& c : cases) check(c);
}

TEST(JsonReader, Faults) {
  const std::string dup = "This key is already associated with an element of this collection";
  const Case cases[] = {
      {"the empty text", u"", "(none)", "Invalid JSON"},
      {"a text that starts with no bracket", u"  \"a\"", "(none)", "Invalid JSON"},
      {"only a comment", u"// [1]", "(none)", "Invalid JSON"},
      {"a comma before the closing brace", u"{\"a\":1,}", "{a=1;}=Empty}", "Missing '}': {\"a\":1,}\r\n"},
      {"missing brace quotes the last 20 characters", u"{\"nama\":\"panjang sekali\"",
       "{nama=\"panjang sekali\"}", "Missing '}': ma\":\"panjang sekali\"\r\n"},
      {"a duplicate key ends the object", u"{\"a\":1,\"a\":2,\"b\":3}", "{a=1}", dup + ": a\r\n"},
      {"a capital T reads as a number", u"[T]", "[]", "Type mismatch: T]\r\n"},
      {"a number that does not convert", u"[1-2, 3]", "[]", "Type mismatch: , 3]\r\n"},
      {"a number out of range", u"[1e40]", "[]", "Overflow: ]\r\n"},
      {"a bad number in an object names the key", u"{\"a\": x}", "{}", "Type mismatch: a\r\n"},
      // A bad literal is reported once and passed over as a whole word; the
      // reading goes on after it.
      {"a bad Boolean is passed over", u"[tru, 1]", "[False,1]",
       "Invalid Boolean at position 2 : tru, 1]\r\n"},
      {"a bad null is passed over", u"[1, nul]", "[1,Empty]",
       "Invalid null value at position 5 : nul]\r\n"},
      {"enclosing arrays do not read it again", u"[[[fals]]]", "[[[False]]]",
       "Invalid Boolean at position 4 : fals]]]\r\n"},
      {"nor does an enclosing object, as a key", u"{\"a\":[tru], \"b\":1}", "{a=[False];b=1}",
       "Invalid Boolean at position 7 : tru], \"b\":1}\r\n"},
      {"a bad literal in an object", u"{\"a\": nix}", "{a=Empty}",
       "Invalid null value at position 7 : nix}\r\n"},
      {"a bad literal as a member's value", u"{a: fals b: ttrue}", "{a=False;b=False}",
       "Invalid Boolean at position 5 : fals b: ttrue}\r\nInvalid Boolean at position 13 : ttrue}\r\n"},
      {"the word ends at a comment", u"[nul/* x */, 2]", "[Empty,2]",
       "Invalid null value at position 2 : nul/* x */, 2]\r\n"},
      {"a bad literal at the end of the text", u"[t", "[False]",
       "Invalid Boolean at position 2 : t\r\nMissing ']': [t\r\n"},
      {"a closing quote of a key without a colon", u"{\"a\" 1}", "{a=1}", "Invalid Key at position 6 : a\r\n"},
      {"a key at the end of the text", u"{\"a\"", "{a=Empty}",
       "Invalid Key at position 5 : a\r\nMissing '}': {\"a\"\r\n"},
      {"an unclosed block comment", u"[1 /* ]", "[1]", "Missing ']': [1 /* ]\r\n"},
      {"a closing \"**/\" does not close the comment", u"[/* x **/ 1]", "[]", "Missing ']': [/* x **/ 1]\r\n"},
  };
  for (const Case& c : cases) check(c);
}

TEST(JsonReader, QuotesOfTheRestStopAfterAHundredCharacters) {
  const std::u16string tail(300, u'x');
  const Result r = read(u"[tru" + tail + u"]");
  EXPECT_EQ(r.errors, "Invalid Boolean at position 2 : tru" + std::string(97, 'x') + "\r\n");

  // Many bad literals in one object: the messages grow with the input, not its square.
  std::u16string many = u"{";
  for (int i = 0; i < 20000; ++i) many += u"k" + json::toUtf16(std::to_string(i)) + u":t ";
  many += u"}";
  const Result m = read(many);
  EXPECT_LT(m.errors.size(), 20000u * 160u);
}

TEST(JsonReader, NestingDepth) {
  struct Case {
    const char* what;
    int depth;
    std::string errors;
  };
  const Case cases[] = {
      {"512 levels are read", 512, ""},
      {"the 513th is refused", 513, "Nesting too deep at position 513\r\n"},
      {"far deeper input stops at the same place", 200000, "Nesting too deep at position 513\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::u16string text = std::u16string(static_cast<size_t>(c.depth), u'[') + u"7" +
                                std::u16string(static_cast<size_t>(c.depth), u']');
    const auto root = json::Parse(text);
    EXPECT_EQ(json::toUtf8(json::ParseErrors()), c.errors);
    // What was read is kept: 512 levels, the innermost holding 7 when it was read.
    int levels = 0;
    vb::Variant v(root);
    while (v.isObject()) {
      auto list = v.as<vb::Collection>();
      ++levels;
      if (list->Count() == 0) break;
      v = list->Item(1);
    }
    EXPECT_EQ(levels, 512);
    if (c.depth == 512) {
      EXPECT_EQ(dump(v), "7");
    }
  }

  // Objects count the same as arrays.
  std::u16string objects;
  for (int i = 0; i < 600; ++i) objects += u"{a:";
  json::Parse(objects);
  EXPECT_EQ(json::toUtf8(json::ParseErrors()), "Nesting too deep at position 1537\r\n");
}

TEST(JsonReader, EachParseStartsWithNoMessages) {
  json::Parse(u"[tru");
  EXPECT_FALSE(json::ParseErrors().empty());
  json::Parse(u"[true]");
  EXPECT_EQ(json::ParseErrors(), u"");
  json::Parse(u"x");
  EXPECT_EQ(json::ParseErrors(), u"Invalid JSON");
  json::Parse(u"{}");
  EXPECT_EQ(json::ParseErrors(), u"");
}

}  // namespace
