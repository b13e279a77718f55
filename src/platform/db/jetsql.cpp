#include "platform/db/jetsql.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>

#include "platform/db/errors.h"
#include "platform/vb/date.h"
#include "platform/vb/error.h"

namespace db {

namespace {

bool ieq(const std::string& a, const char* b) {
  const size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

bool ieqs(const std::string& a, const std::string& b) { return ieq(a, b.c_str()); }

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool identStart(unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; }
bool identChar(unsigned char c) { return std::isalnum(c) || c == '_' || c == '$' || c >= 0x80; }

struct Tok {
  enum Type { Space, Ident, Name, Str, DStr, DateLit, Num, Op } type;
  std::string text;  // raw text; for Name, DStr and DateLit the text between the delimiters
};

// Splits the statement into tokens; literals and names are kept whole so that
// nothing inside them is ever rewritten.
std::vector<Tok> tokenize(const std::string& s) {
  std::vector<Tok> out;
  size_t i = 0;
  const size_t n = s.size();
  // Text between delimiters, the delimiter doubled inside standing for itself.
  auto quoted = [&](char close, const char* what) {
    std::string inner;
    size_t j = i + 1;
    for (;;) {
      if (j >= n) raiseSqlError(std::string("Unterminated ") + what + " in query expression '" + s + "'.");
      if (s[j] == close) {
        if (close != ']' && j + 1 < n && s[j + 1] == close) {
          inner += close;
          j += 2;
          continue;
        }
        break;
      }
      inner += s[j++];
    }
    i = j + 1;
    return inner;
  };
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (std::isspace(c)) {
      size_t j = i;
      while (j < n && std::isspace(static_cast<unsigned char>(s[j]))) ++j;
      out.push_back({Tok::Space, s.substr(i, j - i)});
      i = j;
    } else if (identStart(c)) {
      size_t j = i;
      while (j < n && identChar(static_cast<unsigned char>(s[j]))) ++j;
      out.push_back({Tok::Ident, s.substr(i, j - i)});
      i = j;
    } else if (std::isdigit(c) || (c == '.' && i + 1 < n && std::isdigit(static_cast<unsigned char>(s[i + 1])))) {
      size_t j = i;
      while (j < n && (std::isdigit(static_cast<unsigned char>(s[j])) || s[j] == '.')) ++j;
      if (j < n && (s[j] == 'e' || s[j] == 'E')) {
        size_t k = j + 1;
        if (k < n && (s[k] == '+' || s[k] == '-')) ++k;
        if (k < n && std::isdigit(static_cast<unsigned char>(s[k]))) {
          j = k;
          while (j < n && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
        }
      }
      out.push_back({Tok::Num, s.substr(i, j - i)});
      i = j;
    } else if (c == '\'') {
      const size_t start = i;
      quoted('\'', "text");
      out.push_back({Tok::Str, s.substr(start, i - start)});
    } else if (c == '"') {
      std::string inner = quoted('"', "text");
      out.push_back({Tok::DStr, inner});
    } else if (c == '[') {
      std::string inner = quoted(']', "name");
      out.push_back({Tok::Name, inner});
    } else if (c == '#') {
      const size_t close = s.find('#', i + 1);
      if (close == std::string::npos)
        raiseSqlError("Syntax error in date in query expression '" + s.substr(i) + "'.");
      out.push_back({Tok::DateLit, s.substr(i + 1, close - i - 1)});
      i = close + 1;
    } else {
      static const char* two[] = {"<>", "<=", ">=", "!=", "||", "=="};
      std::string op(1, static_cast<char>(c));
      for (const char* t : two)
        if (s.compare(i, 2, t) == 0) op = t;
      out.push_back({Tok::Op, op});
      i += op.size();
    }
  }
  return out;
}

struct Renamed {
  const char* jet;
  const char* sqlite;
};
const Renamed kFunctions[] = {{"left", "vt_left"},   {"right", "vt_right"}, {"mid", "vt_mid"},
                              {"cdate", "vt_cdate"}, {"month", "vt_month"}, {"year", "vt_year"},
                              {"now", "vt_now"},     {"format", "vt_format"}};

// The SQLite spelling of a Jet column type, and whether text collation follows it.
const char* mapType(const std::string& t, bool& textual) {
  textual = false;
  static const char* texts[] = {"text", "varchar", "char", "string", "nvarchar", "nchar"};
  for (const char* x : texts)
    if (ieq(t, x)) {
      textual = true;
      return "TEXT";
    }
  static const char* memos[] = {"memo", "longtext", "note", "ntext", "longchar"};
  for (const char* x : memos)
    if (ieq(t, x)) {
      textual = true;
      return "MEMO";
    }
  static const char* bools[] = {"yesno", "bit", "logical", "boolean", "logical1"};
  for (const char* x : bools)
    if (ieq(t, x)) return "YESNO";
  static const char* dates[] = {"datetime", "date", "time", "timestamp"};
  for (const char* x : dates)
    if (ieq(t, x)) return "DATETIME";
  static const char* ints[] = {"long", "integer", "int", "short", "smallint", "byte", "tinyint"};
  for (const char* x : ints)
    if (ieq(t, x)) return "INTEGER";
  if (ieq(t, "counter") || ieq(t, "autoincrement")) return "INTEGER PRIMARY KEY AUTOINCREMENT";
  return nullptr;
}

class Translator {
public:
  Translator(const std::string& jet, SchemaLookup* schema) : jet_(jet), schema_(schema), toks_(tokenize(jet)) {
    pre_.resize(toks_.size());
    post_.resize(toks_.size());
    skip_.assign(toks_.size(), false);
    for (size_t i = 0; i < toks_.size(); ++i)
      if (toks_[i].type != Tok::Space) sig_.push_back(i);
  }

  Translation run() {
    Translation t;
    if (sig_.empty()) return t;
    const std::string& first = toks_[sig_[0]].text;
    if (toks_[sig_[0]].type == Tok::Ident) {
      if (ieq(first, "select")) t.kind = StatementKind::Select;
      else if (ieq(first, "insert")) t.kind = StatementKind::Insert;
      else if (ieq(first, "update")) t.kind = StatementKind::Update;
      else if (ieq(first, "delete")) t.kind = StatementKind::Delete;
      else if (ieq(first, "alter") || ieq(first, "create") || ieq(first, "drop")) t.kind = StatementKind::Ddl;
    }
    switch (t.kind) {
      case StatementKind::Select: analyseSelect(t); break;
      case StatementKind::Insert: analyseInsert(t); break;
      case StatementKind::Update: analyseUpdate(t); break;
      case StatementKind::Delete:
        // DELETE * FROM: Jet's optional star goes.
        if (sig_.size() > 1 && isOp(1, "*")) {
          skip_[sig_[1]] = true;
          if (sig_[1] + 1 < toks_.size() && toks_[sig_[1] + 1].type == Tok::Space) skip_[sig_[1] + 1] = true;
        }
        break;
      case StatementKind::Ddl: analyseDdl(); break;
      case StatementKind::Other: break;
    }
    dropCDateInMonthAndYear();
    passJoinedParts();
    joinText();
    t.sql = emit();
    return t;
  }

private:
  const Tok& sigTok(size_t k) const { return toks_[sig_[k]]; }
  bool isOp(size_t k, const char* op) const {
    return k < sig_.size() && sigTok(k).type == Tok::Op && sigTok(k).text == op;
  }
  bool isKw(size_t k, const char* kw) const {
    return k < sig_.size() && sigTok(k).type == Tok::Ident && ieq(sigTok(k).text, kw);
  }
  bool isName(size_t k) const {
    return k < sig_.size() && (sigTok(k).type == Tok::Ident || sigTok(k).type == Tok::Name);
  }

  bool isFunction(size_t k, const char* name) const {
    return isKw(k, name) && isOp(k + 1, "(") && !(k > 0 && isOp(k - 1, "."));
  }

  // Month(CDate(x)) and Year(CDate(x)) read x just as Month(x) and Year(x) do
  // (the same reading of text, the same error, Null for Null), so the inner
  // call goes: the receipt-number query then makes one call fewer per row.
  void dropCDateInMonthAndYear() {
    for (size_t k = 0; k + 3 < sig_.size(); ++k) {
      if (!(isFunction(k, "month") || isFunction(k, "year")) || !isFunction(k + 2, "cdate")) continue;
      int depth = 0;
      size_t close = 0;
      bool oneArgument = true;
      for (size_t j = k + 3; j < sig_.size() && !close; ++j) {
        if (isOp(j, "(")) ++depth;
        else if (isOp(j, ")") && --depth == 0) close = j;
        else if (depth == 1 && isOp(j, ",")) oneArgument = false;
      }
      if (!close || !oneArgument || close == k + 4 || !isOp(close + 1, ")")) continue;
      skip_[sig_[k + 2]] = skip_[sig_[k + 3]] = skip_[sig_[close]] = true;
    }
  }

  // Month(a & b) and Year(a & b), where a and b are each one value, a name or
  // a function call, become Month(a, b) and Year(a, b): the function reads the
  // joined text without the database making it for every row (the
  // receipt-number query). Where b is Mid(s, start[, length]), Mid's arguments
  // stand in its place: Month(a, s, start[, length]). Anything else in the
  // argument leaves it as written, so no question of how '&' groups with
  // other operators arises.
  void passJoinedParts() {
    std::vector<size_t> live;  // sig positions that are written out
    for (size_t k = 0; k < sig_.size(); ++k)
      if (!skip_[sig_[k]]) live.push_back(k);
    const size_t none = static_cast<size_t>(-1);
    auto liveOp = [&](size_t j, const char* op) { return j < live.size() && isOp(live[j], op); };
    // The live position after the operand starting at j, or none.
    auto operandEnd = [&](size_t j) -> size_t {
      if (j >= live.size()) return none;
      const Tok& t = sigTok(live[j]);
      switch (t.type) {
        case Tok::Str:
        case Tok::DStr:
        case Tok::Num:
        case Tok::Name:
        case Tok::DateLit: return j + 1;
        case Tok::Ident: {
          if (liveOp(j + 1, ".")) return j + 2 < live.size() && isName(live[j + 2]) ? j + 3 : none;
          if (!liveOp(j + 1, "(")) return j + 1;
          int depth = 0;
          for (size_t e = j + 1; e < live.size(); ++e) {
            if (liveOp(e, "(")) ++depth;
            else if (liveOp(e, ")") && --depth == 0) return e + 1;
          }
          return none;
        }
        default: return none;
      }
    };
    for (size_t j = 0; j + 1 < live.size(); ++j) {
      const size_t k = live[j];
      if (!(isFunction(k, "month") || isFunction(k, "year")) || !liveOp(j + 1, "(")) continue;
      const size_t endA = operandEnd(j + 2);
      if (endA == none || !liveOp(endA, "&")) continue;
      const size_t endB = operandEnd(endA + 1);
      if (endB == none || !liveOp(endB, ")")) continue;
      replaced_[sig_[live[endA]]] = ",";
      // b = Mid(s, start[, length]): its arguments go in place of its result.
      const size_t b = endA + 1;
      if (!isFunction(live[b], "mid") || !liveOp(b + 1, "(")) continue;
      int depth = 0, commas = 0;
      for (size_t e = b + 1; e + 1 < endB; ++e) {
        if (liveOp(e, "(")) ++depth;
        else if (liveOp(e, ")")) --depth;
        else if (depth == 1 && liveOp(e, ",")) ++commas;
      }
      if (commas < 1 || commas > 2) continue;
      skip_[sig_[live[b]]] = skip_[sig_[live[b + 1]]] = skip_[sig_[live[endB - 1]]] = true;
    }
  }

  // Words that end an operand of '&': clauses, and the operators that bind
  // more loosely than '&' (comparison, logic).
  bool isKeyword(size_t k) const {
    static const char* words[] = {"select", "from",   "where", "and",   "or",     "not",   "xor",     "eqv",
                                  "imp",    "like",   "is",    "in",    "between", "as",   "on",      "when",
                                  "then",   "else",   "end",   "case",  "order",  "group", "by",      "having",
                                  "asc",    "desc",   "union", "all",   "join",   "inner", "outer",   "into",
                                  "values", "set",    "top",   "distinct", "exists", "limit", "escape"};
    if (sigTok(k).type != Tok::Ident) return false;
    for (const char* w : words)
      if (ieq(sigTok(k).text, w)) return true;
    // Left and Right are functions when called, join words otherwise.
    return (ieq(sigTok(k).text, "left") || ieq(sigTok(k).text, "right")) && !isOp(k + 1, "(");
  }

  // '&' joins text as Jet does: Null joins as the empty text, and '&' binds
  // more loosely than arithmetic ('a' & 1 + 2 is "a3") but more tightly than
  // comparison. SQLite's '||' does neither, so each chain a & b & c becomes
  // vt_join(a, b, c), its operands found by that precedence.
  void joinText() {
    std::vector<size_t> live;
    for (size_t k = 0; k < sig_.size(); ++k)
      if (!skip_[sig_[k]]) live.push_back(k);
    struct Chain {
      size_t start = 0;            // live index of the chain's first token
      bool expectValue = true;     // the next token starts an operand
      std::vector<size_t> joins;   // live indexes of its '&'
    };
    std::vector<Chain> stack(1);
    auto close = [&](Chain& c, size_t last) {  // the chain ends at live index last
      if (!c.joins.empty() && last >= c.start) {
        pre_[sig_[live[c.start]]] += "vt_join(";
        for (size_t j : c.joins) replaced_[sig_[live[j]]] = ",";
        post_[sig_[live[last]]] += ")";
      }
      c.joins.clear();
    };
    auto restart = [&](size_t next) {
      stack.back().start = next;
      stack.back().expectValue = true;
    };
    for (size_t j = 0; j < live.size(); ++j) {
      const size_t k = live[j];
      const Tok& t = sigTok(k);
      Chain& c = stack.back();
      const bool joinedElsewhere = t.type == Tok::Op && t.text == "&" && replaced_.count(sig_[k]);
      if (t.type == Tok::Op && t.text == "(") {
        if (c.expectValue) c.expectValue = false;  // a group is one operand
        // else: a call's arguments, after the function's name
        stack.emplace_back();
        stack.back().start = j + 1;
        continue;
      }
      if (t.type == Tok::Op && t.text == ")") {
        if (stack.size() > 1) {
          if (j > 0) close(stack.back(), j - 1);
          stack.pop_back();
        }
        continue;
      }
      if (t.type == Tok::Op && !joinedElsewhere) {
        const std::string& op = t.text;
        if (op == "&" && !c.expectValue) {
          c.joins.push_back(j);
          c.expectValue = true;
          continue;
        }
        const bool arithmetic = op == "+" || op == "-" || op == "*" || op == "/" || op == "\\" || op == "^";
        if (arithmetic && (!c.expectValue || op == "+" || op == "-")) {
          c.expectValue = true;  // a binary operator, or a sign
          continue;
        }
        if (op == "." && !c.expectValue) {  // table.column
          c.expectValue = true;
          continue;
        }
      } else if (t.type == Tok::Ident && !c.expectValue && ieq(t.text, "mod")) {
        c.expectValue = true;
        continue;
      } else if (!joinedElsewhere && !isKeyword(k) && c.expectValue) {
        c.expectValue = false;  // a literal, a name, or a function about to be called
        continue;
      } else if (!joinedElsewhere && !isKeyword(k)) {
        // A value right after a value (an alias): the operand ended before it.
        if (j > 0) close(c, j - 1);
        c.start = j;
        c.expectValue = false;
        continue;
      }
      // Anything else (a comparison, a comma, a keyword) ends the chain.
      if (j > 0) close(c, j - 1);
      restart(j + 1);
    }
    while (!stack.empty()) {
      if (!live.empty()) close(stack.back(), live.size() - 1);
      stack.pop_back();
    }
  }

  void analyseSelect(Translation& t) {
    int depth = 0;
    int tables = 0;
    bool plain = true;
    for (size_t k = 0; k < sig_.size(); ++k) {
      if (isOp(k, "(")) ++depth;
      else if (isOp(k, ")")) --depth;
      if (depth != 0) continue;
      if (isKw(k, "distinct") || isKw(k, "group") || isKw(k, "union") || isKw(k, "join") ||
          isKw(k, "having") || isKw(k, "top"))
        plain = false;
      if (isKw(k, "from")) {
        if (isName(k + 1)) {
          t.table = sigTok(k + 1).text;
          tables = 1;
          // A comma right after the table (or its alias) names a second table.
          size_t j = k + 2;
          if (isKw(j, "as")) ++j;
          if (isName(j) && !isKw(j, "where") && !isKw(j, "order")) ++j;
          if (isOp(j, ",")) plain = false;
        } else {
          plain = false;
        }
      }
    }
    t.simpleSelect = plain && tables == 1;
  }

  // Wraps the value going into a date or Yes/No column in its conversion.
  void wrap(size_t fromSig, size_t toSig, ColumnKind kind) {
    if (fromSig > toSig) return;
    if (kind == ColumnKind::Date) pre_[sig_[fromSig]] += "vt_datestore(";
    else if (kind == ColumnKind::YesNo) pre_[sig_[fromSig]] += "vt_yesno(";
    else return;
    post_[sig_[toSig]] += ")";
  }

  ColumnKind kindOf(const std::vector<std::pair<std::string, ColumnKind>>& cols, const std::string& name) {
    for (const auto& c : cols)
      if (ieqs(c.first, name)) return c.second;
    return ColumnKind::Other;
  }

  // The expressions of a parenthesised list starting at sig index open;
  // returns the sig index of the closing parenthesis (or sig_.size()).
  size_t exprList(size_t open, std::vector<std::pair<size_t, size_t>>& ranges) {
    int depth = 0;
    size_t start = open + 1;
    for (size_t k = open + 1; k < sig_.size(); ++k) {
      if (isOp(k, "(")) ++depth;
      else if (isOp(k, ")")) {
        if (depth == 0) {
          if (k > start) ranges.emplace_back(start, k - 1);
          return k;
        }
        --depth;
      } else if (depth == 0 && isOp(k, ",")) {
        ranges.emplace_back(start, k - 1);
        start = k + 1;
      }
    }
    return sig_.size();
  }

  void analyseInsert(Translation& t) {
    size_t k = 1;
    if (isKw(k, "into")) ++k;
    if (!isName(k)) return;
    t.table = sigTok(k).text;
    ++k;
    if (!schema_) return;
    const auto cols = schema_->columns(t.table);
    if (cols.empty()) return;
    std::vector<ColumnKind> kinds;
    if (isOp(k, "(")) {
      std::vector<std::pair<size_t, size_t>> names;
      k = exprList(k, names) + 1;
      for (const auto& r : names) kinds.push_back(kindOf(cols, sigTok(r.second).text));
    } else {
      for (const auto& c : cols) kinds.push_back(c.second);
    }
    if (!isKw(k, "values")) return;  // INSERT ... SELECT is left as written
    ++k;
    while (isOp(k, "(")) {
      std::vector<std::pair<size_t, size_t>> values;
      k = exprList(k, values) + 1;
      for (size_t v = 0; v < values.size() && v < kinds.size(); ++v)
        wrap(values[v].first, values[v].second, kinds[v]);
      if (!isOp(k, ",")) break;
      ++k;
    }
  }

  void analyseUpdate(Translation& t) {
    if (!isName(1)) return;
    t.table = sigTok(1).text;
    if (!schema_ || !isKw(2, "set")) return;
    const auto cols = schema_->columns(t.table);
    if (cols.empty()) return;
    size_t k = 3;
    while (k < sig_.size()) {
      // column [= expression], the column possibly qualified by its table
      size_t col = k;
      while (isOp(col + 1, ".") && isName(col + 2)) col += 2;
      if (!isName(col) || !isOp(col + 1, "=")) return;
      const ColumnKind kind = kindOf(cols, sigTok(col).text);
      size_t start = col + 2, j = start;
      int depth = 0;
      for (; j < sig_.size(); ++j) {
        if (isOp(j, "(")) ++depth;
        else if (isOp(j, ")")) --depth;
        else if (depth == 0 && (isOp(j, ",") || isKw(j, "where"))) break;
      }
      if (j > start) wrap(start, j - 1, kind);
      if (j >= sig_.size() || !isOp(j, ",")) return;
      k = j + 1;
    }
  }

  // Marks the Jet type that follows a column name in CREATE TABLE or ALTER TABLE ADD.
  void analyseDdl() {
    std::vector<size_t> typeAt;  // sig indexes of types
    if (isKw(0, "alter")) {
      for (size_t k = 0; k + 1 < sig_.size(); ++k)
        if (isKw(k, "add")) {
          size_t c = k + 1;
          if (isKw(c, "column")) ++c;
          if (isName(c)) typeAt.push_back(c + 1);
        }
    } else if (isKw(0, "create") && isKw(1, "table")) {
      int depth = 0;
      for (size_t k = 2; k < sig_.size(); ++k) {
        if (isOp(k, "(")) {
          if (++depth == 1 && isName(k + 1)) typeAt.push_back(k + 2);
        } else if (isOp(k, ")")) {
          --depth;
        } else if (depth == 1 && isOp(k, ",") && isName(k + 1)) {
          typeAt.push_back(k + 2);
        }
      }
    }
    for (size_t k : typeAt) {
      if (k >= sig_.size() || sigTok(k).type != Tok::Ident) continue;
      bool textual = false;
      const char* mapped = mapType(sigTok(k).text, textual);
      if (!mapped) continue;
      replaced_[sig_[k]] = mapped;
      if (textual) {
        // After the size, if any: TEXT(255) COLLATE NOCASE
        size_t last = k;
        if (isOp(k + 1, "(") && k + 3 < sig_.size() && isOp(k + 3, ")")) last = k + 3;
        post_[sig_[last]] += " COLLATE NOCASE";
      }
    }
  }

  std::string emit() {
    std::string out;
    out.reserve(jet_.size() + 32);
    size_t k = 0;  // position in sig_
    for (size_t i = 0; i < toks_.size(); ++i) {
      const Tok& t = toks_[i];
      const bool significant = k < sig_.size() && sig_[k] == i;
      out += pre_[i];
      if (!skip_[i]) {
        auto typed = replaced_.find(i);
        if (typed != replaced_.end()) {
          out += typed->second;
        } else {
          switch (t.type) {
            case Tok::Name: {
              out += '"';
              for (char c : t.text) out += (c == '"') ? std::string("\"\"") : std::string(1, c);
              out += '"';
              break;
            }
            case Tok::DStr: {
              out += '\'';
              for (char c : t.text) out += (c == '\'') ? std::string("''") : std::string(1, c);
              out += '\'';
              break;
            }
            case Tok::DateLit: {
              double serial = 0;
              if (!parseJetDateLiteral(t.text, serial))
                raiseSqlError("Syntax error in date in query expression '#" + t.text + "#'.");
              out += realLiteral(serial);
              break;
            }
            case Tok::Op: out += t.text; break;
            case Tok::Ident: out += identifier(k); break;
            default: out += t.text; break;
          }
        }
      }
      out += post_[i];
      if (significant) ++k;
    }
    return out;
  }

  // Jet function names and the True/False constants; everything else as written.
  std::string identifier(size_t k) {
    const std::string& text = sigTok(k).text;
    const bool qualified = k > 0 && isOp(k - 1, ".");
    if (qualified) return text;
    if (isOp(k + 1, "(")) {
      for (const Renamed& f : kFunctions)
        if (ieq(text, f.jet)) return f.sqlite;
      return text;
    }
    if (ieq(text, "true")) return "(-1)";
    if (ieq(text, "false")) return "0";
    return text;
  }

  const std::string& jet_;
  SchemaLookup* schema_;
  std::vector<Tok> toks_;
  std::vector<size_t> sig_;
  std::vector<std::string> pre_, post_;
  std::vector<bool> skip_;
  std::map<size_t, std::string> replaced_;  // tokens written as another text
};

bool readInt(const std::string& s, size_t& i, int& v, int maxDigits) {
  const size_t start = i;
  v = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) && i - start < static_cast<size_t>(maxDigits))
    v = v * 10 + (s[i++] - '0');
  return i > start;
}

}  // namespace

ColumnKind kindOfDeclType(const char* declType) {
  if (!declType) return ColumnKind::Other;
  std::string t = lower(declType);
  const size_t paren = t.find('(');
  if (paren != std::string::npos) t.erase(paren);
  const size_t space = t.find(' ');
  if (space != std::string::npos) t.erase(space);
  if (t == "datetime" || t == "date" || t == "time" || t == "timestamp") return ColumnKind::Date;
  if (t == "yesno" || t == "bit" || t == "logical" || t == "boolean") return ColumnKind::YesNo;
  if (t.find("int") != std::string::npos || t == "long" || t == "counter" || t == "byte")
    return ColumnKind::Integer;
  if (t.find("char") != std::string::npos || t.find("text") != std::string::npos ||
      t.find("clob") != std::string::npos || t == "memo" || t == "string" || t == "note")
    return ColumnKind::Text;
  if (t.find("real") != std::string::npos || t.find("floa") != std::string::npos ||
      t.find("doub") != std::string::npos || t == "currency" || t == "single" || t == "numeric" ||
      t == "decimal" || t == "money")
    return ColumnKind::Real;
  return ColumnKind::Other;
}

Translation translateJet(const std::string& jet, SchemaLookup* schema) {
  return Translator(jet, schema).run();
}

bool parseJetDateLiteral(const std::string& raw, double& serial) {
  std::string s = raw;
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.erase(0, 1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.pop_back();
  size_t i = 0;
  int y = 1899, mo = 12, d = 30, h = 0, mi = 0, sec = 0;
  bool haveDate = false;
  const size_t colon = s.find(':');
  const size_t sep = s.find_first_of("/-");
  if (sep != std::string::npos && (colon == std::string::npos || sep < colon)) {
    int a, b, c;
    if (!readInt(s, i, a, 4)) return false;
    const size_t aDigits = i;
    if (i >= s.size() || (s[i] != '/' && s[i] != '-')) return false;
    const char sepc = s[i++];
    if (!readInt(s, i, b, 2)) return false;
    if (i >= s.size() || s[i] != sepc) return false;
    ++i;
    const size_t cStart = i;
    if (!readInt(s, i, c, 4)) return false;
    if (aDigits == 4) {  // ISO year-month-day
      y = a, mo = b, d = c;
    } else {
      mo = a, d = b, y = c;
      if (i - cStart <= 2) y += (y < 30) ? 2000 : 1900;
      if (mo > 12 && d <= 12) std::swap(mo, d);  // Jet reads an impossible month as the day
    }
    haveDate = true;
  }
  while (i < s.size() && s[i] == ' ') ++i;
  if (i < s.size()) {
    if (!readInt(s, i, h, 2) || i >= s.size() || s[i] != ':') return false;
    ++i;
    if (!readInt(s, i, mi, 2)) return false;
    if (i < s.size() && s[i] == ':') {
      ++i;
      if (!readInt(s, i, sec, 2)) return false;
    }
    while (i < s.size() && s[i] == ' ') ++i;
    std::string rest = lower(s.substr(i));
    if (rest == "pm" || rest == "p") {
      if (h < 12) h += 12;
    } else if (rest == "am" || rest == "a") {
      if (h == 12) h = 0;
    } else if (!rest.empty()) {
      return false;
    }
  } else if (!haveDate) {
    return false;
  }
  try {
    if (!haveDate) {
      if (h > 23 || mi > 59 || sec > 59) return false;
      serial = (h * 3600 + mi * 60 + sec) / 86400.0;
      return true;
    }
    serial = vb::Date::fromParts(y, mo, d, h, mi, sec).serial;
    return true;
  } catch (const vb::Error&) {
    return false;
  }
}

std::string realLiteral(double value) {
  char buf[40];
  if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15) {
    std::snprintf(buf, sizeof buf, "%.1f", value);
  } else {
    std::snprintf(buf, sizeof buf, "%.17g", value);
    if (!std::strpbrk(buf, ".eEni")) std::strcat(buf, ".0");
  }
  return buf;
}

}  // namespace db
