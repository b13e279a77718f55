#include "json/json_evaluator.h"

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

void JsonEvaluator::runCommands(const vb::Dictionary& command, std::u16string& result) {
  StringBuilder out;
  const EvaluatorSeams& seams = evaluatorSeams();
  const std::vector<std::string> keys = command.Keys();
  for (const std::string& key : keys) {
    const vb::Variant value = command.Item(key);
    // Each key stands on its own: a text, or an object of named parameters.
    std::shared_ptr<vb::Dictionary> named;
    const bool isText = value.type() == vb::VarType::String;
    if (!isText) {
      if (!value.isObject()) vb::raise(vb::err::TypeMismatch);
      named = std::dynamic_pointer_cast<vb::Dictionary>(value.toObject());
    }
    // The commands with named parameters need an object of them.
    auto params = [&]() -> const vb::Dictionary& {
      if (isText) vb::raise(vb::err::ObjectRequired);
      if (!named) vb::raise(vb::err::TypeMismatch);
      return *named;
    };
    auto eval = [&](const char* name) { return ExecCommand(param(params(), name)); };

    const std::string name = vb::LCase(key);
    if (name == "alert") {
      const std::u16string message = eval("message"), title = eval("title");
      if (seams.msgBox) seams.msgBox(toUtf8(message), kMsgInformation, toUtf8(title));
    } else if (name == "input") {
      const std::u16string prompt = eval("prompt"), title = eval("title"), def = eval("default");
      if (seams.inputBox) append(out, toUtf16(seams.inputBox(toUtf8(prompt), toUtf8(title), toUtf8(def))));
    } else if (name == "switch") {
      std::u16string chosen = eval("default");
      const std::string wanted = vb::LCase(toUtf8(eval("case")));
      const vb::Variant& items = param(params(), "items");
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
    } else if (name == "set") {
      const std::string variable = plainText(param(params(), "name"));
      const std::u16string text = eval("value");
      vb::Dictionary& vars = variables();
      const size_t old = vars.Exists(variable) ? utf16Length(vars.Item(variable).stringValue()) : 0;
      if (variablesLength_ - old + text.size() > kMaxOutputLength) vb::raise(vb::err::OutOfMemory);
      vars.Item(variable) = vb::Variant(toUtf8(text));
      variablesLength_ = variablesLength_ - old + text.size();
    } else if (name == "get") {
      const std::string variable = plainText(param(params(), "name"));
      vb::Dictionary& vars = variables();
      // Exists first: reading a missing name would add it.
      std::u16string text = vars.Exists(variable) ? ExecCommand(vars.Item(variable)) : u"";
      if (text.empty()) text = eval("default");
      append(out, text);
    } else if (name == "if") {
      const std::u16string a = eval("value1"), b = eval("value2");
      const std::string type = vb::LCase(plainText(param(params(), "type")));
      bool holds = false;
      if (type == "eq") holds = vb::LCase(toUtf8(a)) == vb::LCase(toUtf8(b));
      else if (type == "gt") holds = a > b;
      else if (type == "lt") holds = a < b;
      else if (type == "gte") holds = a >= b;
      else if (type == "lte") holds = a <= b;
      append(out, eval(holds ? "true" : "false"));
    } else if (name == "return") {
      if (!isText) vb::raise(vb::err::TypeMismatch);
      append(out, toUtf16(value.stringValue()));
    } else {
      // No command: a marker for a later stage, its parameters as they stand.
      std::string text;
      if (isText) {
        text = value.stringValue();
      } else if (named) {
        bool first = true;
        for (const vb::Variant& member : named->Items()) {
          if (!first) text += ',';
          text += plainText(member);
          first = false;
        }
      }
      append(out, u"<%");
      append(out, toUtf16(vb::UCase(key)));
      append(out, u"(");
      append(out, toUtf16(text));
      append(out, u")%>");
    }
  }
  result = out.toString();
}

}  // namespace json
