#include "json/json_evaluator.h"

#include <vector>

#include "json/json.h"
#include "json/string_builder.h"
#include "json/utf.h"
#include "platform/vb/collection.h"
#include "platform/vb/error.h"
#include "platform/vb/text.h"

namespace json {

namespace {

// A number's text with "." as its decimal point whatever the regional settings.
std::string numberText(const vb::Variant& v) {
  std::string t = v.toString();
  for (char& c : t)
    if (c == ',') c = '.';
  return t;
}

// A parameter taken as it stands, not evaluated: Null and Empty as the empty text.
std::string plainText(const vb::Variant& v) {
  switch (v.type()) {
    case vb::VarType::String: return v.stringValue();
    case vb::VarType::Empty:
    case vb::VarType::Null: return "";
    case vb::VarType::Long:
    case vb::VarType::Double:
    case vb::VarType::Decimal: return numberText(v);
    case vb::VarType::Object: vb::raise(vb::err::TypeMismatch);
    default: return v.toString();
  }
}

// Adds a piece to an output, or raises error 7 when the output would pass
// the evaluator's limit: a script must not take all the memory there is.
void append(StringBuilder& out, std::u16string_view piece) {
  if (static_cast<size_t>(out.Length()) + piece.size() > JsonEvaluator::kMaxOutputLength)
    vb::raise(vb::err::OutOfMemory);
  out.Append(piece);
}

// The characters of the texts the variables hold.
size_t charactersHeld(const vb::Dictionary& vars) {
  size_t n = 0;
  for (const std::string& name : vars.Keys()) n += utf16Length(vars.Item(name).stringValue());
  return n;
}

// A named parameter; a name that is not there reads as the Empty value.
const vb::Variant& param(const vb::Dictionary& params, const char* name) {
  static const vb::Variant empty;
  return params.Exists(name) ? params.Item(name) : empty;
}

}  // namespace

EvaluatorSeams& evaluatorSeams() {
  static EvaluatorSeams seams;
  return seams;
}

vb::Dictionary& JsonEvaluator::variables() {
  if (!variables_) variables_ = std::make_shared<vb::Dictionary>();
  return *variables_;
}

std::u16string JsonEvaluator::Eval(std::u16string_view sJSON) {
  // What a caller put in since the last run counts from here on.
  if (variables_) {
    variablesLength_ = charactersHeld(*variables_);
    if (variablesLength_ > kMaxOutputLength) vb::raise(vb::err::OutOfMemory);
  }
  const std::shared_ptr<vb::Object> root = Parse(sJSON);
  if (!ParseErrors().empty() || !root) {
    const EvaluatorSeams& s = evaluatorSeams();
    if (s.msgBox) s.msgBox(toUtf8(ParseErrors()), kMsgExclamation, "Parser Error");
    return u"";
  }
  StringBuilder out;
  if (auto list = std::dynamic_pointer_cast<vb::Collection>(root)) {
    for (long i = 1; i <= list->Count(); ++i) {
      const vb::Variant& item = list->Item(i);
      if (item.isNull()) append(out, u"null");
      else if (item.type() == vb::VarType::String) append(out, toUtf16(item.stringValue()));
      else if (!item.isObject()) vb::raise(vb::err::ObjectRequired);
      else append(out, ExecCommand(item));
    }
  } else if (static_cast<vb::Dictionary&>(*root).Count() > 0) {
    // A script is an array; an object's members are no elements.
    vb::raise(vb::err::ObjectRequired);
  }
  return out.toString();
}

std::u16string JsonEvaluator::ExecCommand(const vb::Variant& value) {
  if (nestingLevel_ >= kMaxNestingLevel) return u"ERROR: Nesting level exceeded.";
  ++nestingLevel_;
  struct Leave {
    long& level;
    ~Leave() { --level; }
  } leave{nestingLevel_};

  switch (value.type()) {
    case vb::VarType::Null: return u"null";
    case vb::VarType::Boolean: return value.boolValue() ? u"true" : u"false";
    case vb::VarType::String: return toUtf16(value.stringValue());
    case vb::VarType::Date: return toUtf16(value.toString());
    case vb::VarType::Empty:
    case vb::VarType::Long:
    case vb::VarType::Double:
    case vb::VarType::Decimal: return toUtf16(numberText(value));
    case vb::VarType::Object: break;
  }
  std::u16string out;
  std::shared_ptr<vb::Object> object;
  try {
    object = value.toObject();
  } catch (const vb::Error&) {
    return out;  // an object variable set to nothing produces nothing
  }
  if (auto list = std::dynamic_pointer_cast<vb::Collection>(object)) {
    StringBuilder sb;
    for (long i = 1; i <= list->Count(); ++i) append(sb, ExecCommand(list->Item(i)));
    out = sb.toString();
  } else if (auto command = std::dynamic_pointer_cast<vb::Dictionary>(object)) {
    runCommands(*command, out);
  }
  return out;
}

// One key of a command object: its name and what it was given, a text or an
// object of named parameters.
struct JsonEvaluator::Command {
  JsonEvaluator& evaluator;
  std::string key;
  vb::Variant value;
  bool isText = false;
  std::shared_ptr<vb::Dictionary> named;

  Command(JsonEvaluator& e, const std::string& k, const vb::Variant& v)
      : evaluator(e), key(k), value(v), isText(v.type() == vb::VarType::String) {
    if (!isText) {
      if (!value.isObject()) vb::raise(vb::err::TypeMismatch);
      named = std::dynamic_pointer_cast<vb::Dictionary>(value.toObject());
    }
  }
  // The commands with named parameters need an object of them.
  const vb::Dictionary& params() const {
    if (isText) vb::raise(vb::err::ObjectRequired);
    if (!named) vb::raise(vb::err::TypeMismatch);
    return *named;
  }
  std::u16string eval(const char* name) const { return evaluator.ExecCommand(param(params(), name)); }
};

void JsonEvaluator::runCommands(const vb::Dictionary& command, std::u16string& result) {
  StringBuilder out;
  const std::vector<std::string> keys = command.Keys();
  // Each key stands on its own.
  for (const std::string& key : keys) runCommand(Command(*this, key, command.Item(key)), out);
  result = out.toString();
}

void JsonEvaluator::runCommand(const Command& c, StringBuilder& out) {
  const EvaluatorSeams& seams = evaluatorSeams();
  const std::string name = vb::LCase(c.key);
  if (name == "alert") {
    const std::u16string message = c.eval("message"), title = c.eval("title");
    if (seams.msgBox) seams.msgBox(toUtf8(message), kMsgInformation, toUtf8(title));
  } else if (name == "input") {
    const std::u16string prompt = c.eval("prompt"), title = c.eval("title"), def = c.eval("default");
    if (seams.inputBox) append(out, toUtf16(seams.inputBox(toUtf8(prompt), toUtf8(title), toUtf8(def))));
  } else if (name == "switch") {
    runSwitch(c, out);
  } else if (name == "set") {
    runSet(c);
  } else if (name == "get") {
    runGet(c, out);
  } else if (name == "if") {
    runIf(c, out);
  } else if (name == "return") {
    if (!c.isText) vb::raise(vb::err::TypeMismatch);
    append(out, toUtf16(c.value.stringValue()));
  } else {
    // No command: a marker for a later stage, its parameters as they stand.
    std::string text;
    if (c.isText) {
      text = c.value.stringValue();
    } else if (c.named) {
      bool first = true;
      for (const vb::Variant& member : c.named->Items()) {
        if (!first) text += ',';
        text += plainText(member);
        first = false;
      }
    }
    append(out, u"<%");
    append(out, toUtf16(vb::UCase(c.key)));
    append(out, u"(");
    append(out, toUtf16(text));
    append(out, u")%>");
  }
}

void JsonEvaluator::runSwitch(const Command& c, StringBuilder& out) {
  std::u16string chosen = c.eval("default");
  const std::string wanted = vb::LCase(toUtf8(c.eval("case")));
  const vb::Variant& items = param(c.params(), "items");
  if (!items.isEmpty()) {
    const auto list = std::dynamic_pointer_cast<vb::Collection>(items.toObject());
    if (!list) vb::raise(vb::err::ObjectRequired);
    for (long i = 1; i <= list->Count(); ++i) {
      const auto item = std::dynamic_pointer_cast<vb::Dictionary>(list->Item(i).toObject());
      if (!item) vb::raise(vb::err::ObjectRequired);
      if (vb::LCase(plainText(param(*item, "case"))) == wanted) {
        chosen = ExecCommand(param(*item, "return"));
        break;
      }
    }
  }
  append(out, chosen);
}

void JsonEvaluator::runSet(const Command& c) {
  const std::string variable = plainText(param(c.params(), "name"));
  const std::u16string text = c.eval("value");
  vb::Dictionary& vars = variables();
  const size_t old = vars.Exists(variable) ? utf16Length(vars.Item(variable).stringValue()) : 0;
  // The kept count misses what a caller changed through Variables() during a
  // run (from a box's answer) or between its own ExecCommand calls: it is
  // counted afresh before it could go below zero or refuse a text.
  size_t held = variablesLength_;
  if (held < old || held - old + text.size() > kMaxOutputLength) held = charactersHeld(vars);
  if (held - old + text.size() > kMaxOutputLength) vb::raise(vb::err::OutOfMemory);
  vars.Item(variable) = vb::Variant(toUtf8(text));
  variablesLength_ = held - old + text.size();
}

void JsonEvaluator::runGet(const Command& c, StringBuilder& out) {
  const std::string variable = plainText(param(c.params(), "name"));
  vb::Dictionary& vars = variables();
  // Exists first: reading a missing name would add it.
  std::u16string text = vars.Exists(variable) ? ExecCommand(vars.Item(variable)) : u"";
  if (text.empty()) text = c.eval("default");
  append(out, text);
}

void JsonEvaluator::runIf(const Command& c, StringBuilder& out) {
  const std::u16string a = c.eval("value1"), b = c.eval("value2");
  const std::string type = vb::LCase(plainText(param(c.params(), "type")));
  bool holds = false;
  if (type == "eq") holds = vb::LCase(toUtf8(a)) == vb::LCase(toUtf8(b));
  else if (type == "gt") holds = a > b;
  else if (type == "lt") holds = a < b;
  else if (type == "gte") holds = a >= b;
  else if (type == "lte") holds = a <= b;
  append(out, c.eval(holds ? "true" : "false"));
}

}  // namespace json
