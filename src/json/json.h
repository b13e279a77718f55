#pragma once
// The module JSON: a lenient reader that turns a JSON text into the
// program's values. Objects become ordered dictionaries (keys compared
// exactly), arrays collections (items from 1), strings texts, numbers
// decimals, true and false Booleans and null the Null value; a number at the
// very end of the text reads as the Empty value.
//
// It accepts single-quoted strings, unquoted keys, members without commas
// between them and comments, and it never stops at a fault: each fault adds
// one message with its 1-based character position to the error text and the
// reading goes on (a misspelt true, false or null reads as False or Empty and
// is passed over up to the next blank or punctuation), so the caller gets the
// tree as read so far. There is no
// writer. One Parse at a time, on one thread.
#include <memory>
#include <string>
#include <string_view>

#include "platform/vb/variant.h"

namespace json {

// Containers deeper than this are not read: the reader reports "Nesting too
// deep at position N" and returns what it read, so no input exhausts the stack.
constexpr int kMaxNesting = 512;

// The dictionary or collection of the top-level value; no object (null) when
// the text does not start, after blanks and comments, with "{" or "[".
// Text after the top-level value is not looked at.
std::shared_ptr<vb::Object> Parse(std::u16string_view text);

// The messages of the last Parse, each ending with CR LF ("Invalid JSON"
// alone has none); the empty text when it found no fault.
const std::u16string& ParseErrors();

}  // namespace json
