// Any bytes, read as UTF-8, through the JSON reader: it must end, stay within
// the text and its buffers, and free everything it made.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "json/json.h"
#include "json/utf.h"
#include "platform/vb/collection.h"
#include "platform/vb/dictionary.h"

namespace {

// Touches every value of the tree, so that a broken one is noticed here.
size_t walk(const vb::Variant& v, int depth) {
  if (!v.isObject()) return v.type() == vb::VarType::String ? v.stringValue().size() : 1;
  if (depth > json::kMaxNesting) __builtin_trap();  // no container deeper than the limit
  size_t n = 0;
  if (auto list = std::dynamic_pointer_cast<vb::Collection>(v.toObject())) {
    for (long i = 1; i <= list->Count(); ++i) n += walk(list->Item(i), depth + 1);
  } else if (auto dict = std::dynamic_pointer_cast<vb::Dictionary>(v.toObject())) {
    for (const auto& key : dict->Keys()) n += key.size() + walk(dict->Item(key), depth + 1);
  }
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::u16string text = json::toUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
  const auto root = json::Parse(text);
  if (root) walk(vb::Variant(root), 1);
  // Without a result there is always a message.
  if (!root && json::ParseErrors().empty()) __builtin_trap();
  return 0;
}
