#include "json/json.h"

#include <string>

#include "json/string_builder.h"
#include "json/utf.h"
#include "platform/vb/collection.h"
#include "platform/vb/decimal.h"
#include "platform/vb/dictionary.h"
#include "platform/vb/error.h"

namespace json {

namespace {

// The messages of the current Parse; module-wide, as callers read them after the call.
std::u16string parseErrorText;

// Messages that quote the rest of the text stop after this many characters:
// an object of many bad literals would otherwise make an error text that
// grows with the square of the input.
constexpr size_t kRestQuoted = 100;

bool isNumberChar(char16_t c) {
  return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.' || c == u'e' || c == u'E';
}

// Where a word of the text ends: blanks, punctuation, quotes and comments.
bool endsWord(char16_t c) {
  switch (c) {
    case u' ': case u'\t': case u'\r': case u'\n': case u',': case u':': case u'[': case u']':
    case u'{': case u'}': case u'(': case u')': case u'"': case u'\'': case u'/':
      return true;
    default:
      return false;
  }
}

int hexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// True when a collected number text has the shape of a number, so that a
// conversion that still fails failed on the range.
bool numberShaped(const std::string& t) {
  size_t p = 0;
  if (p < t.size() && (t[p] == '+' || t[p] == '-')) ++p;
  bool digits = false;
  while (p < t.size() && t[p] >= '0' && t[p] <= '9') ++p, digits = true;
  if (p < t.size() && t[p] == '.') {
    ++p;
    while (p < t.size() && t[p] >= '0' && t[p] <= '9') ++p, digits = true;
  }
  if (!digits) return false;
  if (p < t.size() && (t[p] == 'e' || t[p] == 'E')) {
    ++p;
    if (p < t.size() && (t[p] == '+' || t[p] == '-')) ++p;
    bool exp = false;
    while (p < t.size() && t[p] >= '0' && t[p] <= '9') ++p, exp = true;
    if (!exp) return false;
  }
  return p == t.size();
}

class Reader {
public:
  Reader(std::u16string_view text, std::u16string& errors) : s_(text), n_(text.size()), errors_(errors) {}

  std::shared_ptr<vb::Object> parse() {
    SkipBlanks();
    if (pos_ < n_ && s_[pos_] == u'{') return ParseObject();
    if (pos_ < n_ && s_[pos_] == u'[') return ParseArray();
    errors_ = u"Invalid JSON";
    return nullptr;
  }

private:
  // Moves over blanks, parentheses and comments ("//" to the line end, "/*"
  // to "*/"). P: a "/" or "*" was just seen; L: inside a comment; B: inside a
  // block comment. A lone "/" or "*" counts as a blank, and a further "/"
  // ends a "//" comment.
  void SkipBlanks() {
    bool p = false, l = false, b = false;
    for (; pos_ < n_; ++pos_) {
      const char16_t c = s_[pos_];
      switch (c) {
        case u'\r':
        case u'\n':
          if (!b) p = l = false;
          break;
        case u'\t':
        case u' ':
        case u'(':
        case u')':
          break;
        case u'/':
          if (b) {
            if (p) b = l = p = false;
          } else if (p) {
            l = true;
            p = false;
          } else {
            l = b = false;
            p = true;
          }
          break;
        case u'*':
          if (p) {
            l = b = true;
            p = false;
          } else {
            p = true;
          }
          break;
        default:
          if (!l) return;
      }
    }
  }

  // Message helpers: 1-based positions, quoted stretches of the text.
  void note(std::u16string_view what) { errors_.append(what); }
  void notePosition(size_t pos) {
    const std::string digits = std::to_string(pos + 1);
    errors_.append(digits.begin(), digits.end());
  }
  void noteUtf8(const std::string& text) { errors_ += toUtf16(text); }
  std::u16string_view rest() const { return s_.substr(pos_, kRestQuoted); }
  std::u16string_view next20() const { return s_.substr(pos_, 20); }
  std::u16string_view last20() const { return s_.substr(n_ > 20 ? n_ - 20 : 0); }

  std::shared_ptr<vb::Object> ParseObject() {
    auto dict = std::make_shared<vb::Dictionary>();
    SkipBlanks();
    if (pos_ >= n_ || s_[pos_] != u'{') {
      note(u"Invalid Object at position ");
      notePosition(pos_);
      note(u" : ");
      note(rest());
      note(u"\r\n");
      return dict;
    }
    ++pos_;
    for (;;) {
      SkipBlanks();
      if (pos_ < n_ && s_[pos_] == u'}') {
        ++pos_;
        return dict;
      }
      if (pos_ < n_ && s_[pos_] == u',') {
        ++pos_;
        SkipBlanks();
      } else if (pos_ >= n_) {
        note(u"Missing '}': ");
        note(last20());
        note(u"\r\n");
        return dict;
      }
      std::string key = ParseKey();
      try {
        vb::Variant value;
        if (!ParseValue(value)) return dict;
        dict->Add(key, std::move(value));
      } catch (const vb::Error& e) {
        noteUtf8(e.description());
        note(u": ");
        noteUtf8(key);
        note(u"\r\n");
        return dict;
      }
      if (stopped_) return dict;
    }
  }

  std::shared_ptr<vb::Object> ParseArray() {
    auto list = std::make_shared<vb::Collection>();
    SkipBlanks();
    if (pos_ >= n_ || s_[pos_] != u'[') {
      note(u"Invalid Array at position ");
      notePosition(pos_);
      note(u" : ");
      note(next20());
      note(u"\r\n");
      return list;
    }
    ++pos_;
    for (;;) {
      SkipBlanks();
      if (pos_ < n_ && s_[pos_] == u']') {
        ++pos_;
        return list;
      }
      if (pos_ < n_ && s_[pos_] == u',') {
        ++pos_;
        SkipBlanks();
      } else if (pos_ >= n_) {
        note(u"Missing ']': ");
        note(last20());
        note(u"\r\n");
        return list;
      }
      const size_t before = pos_;
      try {
        vb::Variant value;
        if (!ParseValue(value)) return list;
        list->Add(std::move(value));
      } catch (const vb::Error& e) {
        noteUtf8(e.description());
        note(u": ");
        note(next20());
        note(u"\r\n");
        return list;
      }
      if (stopped_) return list;
      // A value that left the position where it was would be read again for ever.
      if (pos_ == before && pos_ < n_) return list;
    }
  }

  // Reads one value into out. False when it was a container too deep to
  // read: then the whole reading stops and nothing is to be added.
  bool ParseValue(vb::Variant& out) {
    SkipBlanks();
    const char16_t c = pos_ < n_ ? s_[pos_] : 0;
    switch (c) {
      case u'{':
      case u'[': {
        if (depth_ >= kMaxNesting) {
          note(u"Nesting too deep at position ");
          notePosition(pos_);
          note(u"\r\n");
          stopped_ = true;
          return false;
        }
        ++depth_;
        struct Leave {
          int& d;
          ~Leave() { --d; }
        } leave{depth_};
        out = vb::Variant(c == u'{' ? ParseObject() : ParseArray());
        return true;
      }
      case u'"':
      case u'\'': {
        std::string text;
        ParseString(text);
        out = vb::Variant(std::move(text));
        return true;
      }
      case u't':
      case u'f':
        out = vb::Variant(ParseBoolean());
        return true;
      case u'n':
        ParseNull(out);
        return true;
      default:
        ParseNumber(out);
        return true;
    }
  }

  // Reads up to the colon that ends a key. Quotes, blanks and line ends never
  // become part of the key; a colon inside quotes does.
  std::string ParseKey() {
    bool dq = false, sq = false;
    std::u16string key;
    while (pos_ < n_) {
      const char16_t c = s_[pos_];
      if (c == u'"' || c == u'\'') {
        ++pos_;
        bool& flag = c == u'"' ? dq : sq;
        flag = !flag;
        if (!flag) {
          SkipBlanks();
          if (pos_ >= n_ || s_[pos_] != u':') {
            note(u"Invalid Key at position ");
            notePosition(pos_);
            note(u" : ");
            note(key);
            note(u"\r\n");
            return toUtf8(key);
          }
        }
      } else if (c == u':') {
        ++pos_;
        if (!dq && !sq) return toUtf8(key);
        key += c;
      } else if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n') {
        ++pos_;
      } else {
        key += c;
        ++pos_;
      }
    }
    return toUtf8(key);
  }

  // A double- or single-quoted string; the other quote is an ordinary
  // character inside. An unterminated string ends with the text.
  void ParseString(std::string& out) {
    SkipBlanks();
    const char16_t quote = s_[pos_++];
    // Most strings hold no escape: convert them straight from the text.
    size_t end = pos_;
    while (end < n_ && s_[end] != quote && s_[end] != u'\\') ++end;
    if (end >= n_ || s_[end] == quote) {
      appendUtf8(out, s_.substr(pos_, end - pos_));
      pos_ = end < n_ ? end + 1 : n_;
      return;
    }
    builder_.Remove(0, builder_.Length());
    builder_.Append(s_.substr(pos_, end - pos_));
    pos_ = end;
    while (pos_ < n_) {
      const char16_t c = s_[pos_];
      if (c == quote) {
        ++pos_;
        break;
      }
      if (c != u'\\') {
        size_t run = pos_ + 1;
        while (run < n_ && s_[run] != quote && s_[run] != u'\\') ++run;
        builder_.Append(s_.substr(pos_, run - pos_));
        pos_ = run;
        continue;
      }
      ++pos_;  // the backslash
      if (pos_ >= n_) break;
      char16_t add = 0;
      switch (s_[pos_]) {
        case u'"':
        case u'\\':
        case u'/':
        case u'\'': add = s_[pos_]; break;
        case u'b': add = 0x08; break;
        case u'f': add = 0x0C; break;
        case u'n': add = u'\n'; break;
        case u'r': add = u'\r'; break;
        case u't': add = u'\t'; break;
        case u'u': {
          // Up to four hexadecimal digits; the position moves past all four.
          unsigned value = 0;
          for (size_t k = 1; k <= 4 && pos_ + k < n_; ++k) {
            const int d = hexDigit(s_[pos_ + k]);
            if (d < 0) break;
            value = value * 16 + static_cast<unsigned>(d);
          }
          const char16_t ch = static_cast<char16_t>(value);
          builder_.Append(std::u16string_view(&ch, 1));
          pos_ = pos_ + 5 < n_ ? pos_ + 5 : n_;
          continue;
        }
        default:
          // No escape: the backslash is dropped and the character is read as it is.
          continue;
      }
      builder_.Append(std::u16string_view(&add, 1));
      ++pos_;
    }
    appendUtf8(out, builder_.view());
  }

  // Collects the characters of "+-0123456789.eE" and converts them as a
  // whole, "." being the decimal point whatever the regional settings. A
  // number that runs to the end of the text reads as the Empty value.
  void ParseNumber(vb::Variant& out) {
    SkipBlanks();
    number_.clear();
    while (pos_ < n_ && isNumberChar(s_[pos_])) number_ += static_cast<char>(s_[pos_++]);
    if (pos_ >= n_) {
      out = vb::Variant();
      return;
    }
    vb::Decimal value;
    if (!vb::Decimal::parse(number_, value))
      vb::raise(numberShaped(number_) ? vb::err::Overflow : vb::err::TypeMismatch);
    out = vb::Variant(value);
  }

  bool startsWith(std::u16string_view word) const { return s_.substr(pos_, word.size()) == word; }

  bool ParseBoolean() {
    SkipBlanks();
    if (startsWith(u"true")) {
      pos_ += 4;
      return true;
    }
    if (startsWith(u"false")) {
      pos_ += 5;
      return false;
    }
    note(u"Invalid Boolean at position ");
    notePosition(pos_);
    note(u" : ");
    note(rest());
    note(u"\r\n");
    skipWord();
    return false;
  }

  void ParseNull(vb::Variant& out) {
    if (startsWith(u"null")) {
      pos_ += 4;
      out = vb::Variant::null();
      return;
    }
    note(u"Invalid null value at position ");
    notePosition(pos_);
    note(u" : ");
    note(rest());
    note(u"\r\n");
    skipWord();
    out = vb::Variant();
  }

  // Passes over a bad literal once it is reported, so that neither its
  // container nor an enclosing one reads it again (as a key, say).
  void skipWord() {
    while (pos_ < n_ && !endsWord(s_[pos_])) ++pos_;
  }

  std::u16string_view s_;
  size_t n_;
  size_t pos_ = 0;  // 0-based; messages say pos_ + 1
  std::u16string& errors_;
  int depth_ = 1;   // the top-level container
  bool stopped_ = false;
  StringBuilder builder_;  // the strings that hold escapes
  std::string number_;
};

}  // namespace

std::shared_ptr<vb::Object> Parse(std::u16string_view text) {
  parseErrorText.clear();
  Reader reader(text, parseErrorText);
  try {
    return reader.parse();
  } catch (const vb::Error& e) {
    parseErrorText += toUtf16(e.description());
    parseErrorText += u"\r\n";
    return nullptr;
  }
}

const std::u16string& ParseErrors() { return parseErrorText; }

}  // namespace json
