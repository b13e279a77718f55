// Any bytes, read as UTF-8, as a script for the evaluator, with its boxes
// answered at once. The errors it raises on purpose are its answer; anything
// else (a crash, a hang, a leak, another exception) is a fault.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "json/json_evaluator.h"
#include "json/utf.h"
#include "platform/vb/error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool seamsSet = [] {
    json::evaluatorSeams().msgBox = [](const std::string&, int, const std::string&) { return 1; };
    json::evaluatorSeams().inputBox = [](const std::string&, const std::string&, const std::string& d) {
      return d;
    };
    return true;
  }();
  (void)seamsSet;
  const std::u16string script = json::toUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
  json::JsonEvaluator ev;
  try {
    ev.Eval(script);
    ev.Eval(script);  // again, with the variables of the first run
  } catch (const vb::Error&) {
  }
  if (ev.NestingLevel() != 0) __builtin_trap();
  return 0;
}
