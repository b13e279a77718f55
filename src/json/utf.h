#pragma once
// The conversions between the 16-bit texts the JSON reader, the string
// builder and the evaluator count in and the UTF-8 texts the rest of the
// program keeps. A lone surrogate (a "\uD800" escape, say) and a malformed
// UTF-8 sequence each become U+FFFD, so every result is well formed.
#include <string>
#include <string_view>

namespace json {

std::string toUtf8(std::u16string_view text);
void appendUtf8(std::string& out, std::u16string_view text);
std::u16string toUtf16(std::string_view text);
// The number of 16-bit units toUtf16 makes of a well-formed UTF-8 text.
size_t utf16Length(std::string_view text);

}  // namespace json
