#include "platform/vb/format.h"
namespace vb {
std::string Format(const Variant& value, const std::string& pattern) { return Format(value, pattern, currentLocale()); }
std::string Format(const Variant& value, const std::string&, const Locale&) { return value.isNull() ? "" : value.toString(); }
}
