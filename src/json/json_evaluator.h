#pragma once
// JsonEvaluator: runs a small command language written in JSON and returns
// the text the commands produce. A script is an array whose elements are
// texts, null, or command objects whose keys name commands: "alert",
// "input", "switch", "set", "get", "if" and "return". Any other key comes
// out as a marker, "<%KEY(parameters)%>", for a later stage to fill in.
//
// Every text the evaluator builds stays within kMaxOutputLength characters:
// the result of Eval, the output of each command and array on the way to it,
// and the script variables taken together. A script that would build more
// (a variable doubled again and again, say) raises error 7, "Out of memory",
// out of Eval before the memory is taken. Variables a caller put in or
// changed through Variables() count too: Eval counts them all when it starts
// and, while they hold more, raises error 7 before anything runs.
//
// Faults of the JSON text show the reader's messages in a box titled
// "Parser Error" and give the empty text. Values that no command takes (a
// number or Boolean as a top-level element or as a command's value, a
// "return" of an object) raise the program's error out of Eval; nothing is
// caught inside.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/vb/dictionary.h"
#include "platform/vb/variant.h"

namespace json {

class StringBuilder;

// The message box and the input box the evaluator shows, as UTF-8 texts; the
// Windows build points them at the program's own, a test answers them. Unset,
// a message box is answered OK and an input box as cancelled.
struct EvaluatorSeams {
  // flags as the message box takes them; returns the button chosen.
  std::function<int(const std::string& prompt, int flags, const std::string& title)> msgBox;
  // Returns what the user entered, the empty text when cancelled.
  std::function<std::string(const std::string& prompt, const std::string& title,
                            const std::string& defaultText)> inputBox;
};
EvaluatorSeams& evaluatorSeams();

// The message box's own values for the icons the evaluator shows.
constexpr int kMsgExclamation = 48, kMsgInformation = 64;

class JsonEvaluator {
public:
  // Commands nested deeper than this many levels are refused: the refused one
  // gives "ERROR: Nesting level exceeded." in place of its output.
  static constexpr long kMaxNestingLevel = 41;
  // The most characters any text of the evaluator holds (see above).
  static constexpr size_t kMaxOutputLength = size_t{1} << 20;  // 1,048,576

  // Reads the script and returns the text its elements produce, in order.
  std::u16string Eval(std::u16string_view sJSON);
  // The text one value produces: texts as they are, numbers with "." as
  // decimal point, null as "null", arrays element by element, command
  // objects by their commands. The level is restored however the call ends.
  std::u16string ExecCommand(const vb::Variant& value);

  // The script variables, name to text; made by the first "set" or "get" and
  // kept for the evaluator's life. Null before that. A caller may change
  // them between calls, within the limit (see above).
  const std::shared_ptr<vb::Dictionary>& Variables() const { return variables_; }
  // The number of ExecCommand calls now active.
  long NestingLevel() const { return nestingLevel_; }

private:
  struct Command;  // one key of a command object with what it was given
  void runCommands(const vb::Dictionary& command, std::u16string& out);
  void runCommand(const Command& command, StringBuilder& out);
  void runSwitch(const Command& command, StringBuilder& out);
  void runSet(const Command& command);
  void runGet(const Command& command, StringBuilder& out);
  void runIf(const Command& command, StringBuilder& out);
  vb::Dictionary& variables();

  std::shared_ptr<vb::Dictionary> variables_;
  size_t variablesLength_ = 0;  // characters held by the variables, as last counted
  long nestingLevel_ = 0;
};

}  // namespace json
