#pragma once
// UTF-8 <-> UTF-16 at the Win32 boundary (internal to the ribbon), through
// the program's one conversion.
#include <string>

#include "platform/ui/utf16.h"

namespace ctl::detail {

inline std::wstring Wide(const std::string& s) { return ui::Widen(s); }
inline std::string Utf8(const std::wstring& w) { return ui::Narrow(w); }

}  // namespace ctl::detail
