#pragma once
// Format(): numbers and dates written out by a pattern, as the program's
// screens, file names and queries use them.
#include <string>

#include "platform/vb/locale.h"
#include "platform/vb/variant.h"

namespace vb {

std::string Format(const Variant& value, const std::string& pattern);
std::string Format(const Variant& value, const std::string& pattern, const Locale& loc);

}  // namespace vb
