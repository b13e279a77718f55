#include "controls/button/property_bag.h"

namespace ctl {

void PropertyBag::Write(const std::string& key, PropValue value) {
  for (auto& kv : items_) {
    if (kv.first == key) {
      kv.second = std::move(value);
      return;
    }
  }
  items_.emplace_back(key, std::move(value));
}

PropValue PropertyBag::Read(const std::string& key, PropValue def) const {
  for (const auto& kv : items_)
    if (kv.first == key) return kv.second;
  return def;
}

std::vector<std::string> PropertyBag::Keys() const {
  std::vector<std::string> keys;
  keys.reserve(items_.size());
  for (const auto& kv : items_) keys.push_back(kv.first);
  return keys;
}

int32_t ToInt(const PropValue& v) {
  if (auto p = std::get_if<int32_t>(&v)) return *p;
  if (auto p = std::get_if<int16_t>(&v)) return *p;
  if (auto p = std::get_if<bool>(&v)) return *p ? -1 : 0;
  if (auto p = std::get_if<std::string>(&v)) {
    try {
      return static_cast<int32_t>(std::stol(*p));
    } catch (...) {
      return 0;
    }
  }
  return 0;
}

bool ToBool(const PropValue& v) {
  if (auto p = std::get_if<bool>(&v)) return *p;
  if (auto p = std::get_if<std::string>(&v)) return *p == "True" || *p == "true" || *p == "-1";
  return ToInt(v) != 0;
}

std::string ToText(const PropValue& v) {
  if (auto p = std::get_if<std::string>(&v)) return *p;
  if (auto p = std::get_if<bool>(&v)) return *p ? "True" : "False";
  if (std::holds_alternative<int32_t>(v) || std::holds_alternative<int16_t>(v))
    return std::to_string(ToInt(v));
  return std::string();
}

}  // namespace ctl
