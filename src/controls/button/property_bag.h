// The stored design of one control: its saved properties, key to value, kept
// in the order they were written.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "controls/button/picture.h"

namespace ctl {

// A font as a dialog stores it: face, size in points and style.
struct FontDesc {
  std::string name = "Tahoma";
  double size = 8.25;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool operator==(const FontDesc& o) const {
    return name == o.name && size == o.size && bold == o.bold && italic == o.italic &&
           underline == o.underline;
  }
  bool operator!=(const FontDesc& o) const { return !(*this == o); }
};

// 32-bit integers, 16-bit integers, Booleans, texts, fonts and pictures (an
// empty PicturePtr is "no picture").
using PropValue = std::variant<int32_t, int16_t, bool, std::string, FontDesc, PicturePtr>;

class PropertyBag {
 public:
  // Replaces the value of a key already present, else appends the key.
  void Write(const std::string& key, PropValue value);
  // The stored value, or def when the key is missing.
  PropValue Read(const std::string& key, PropValue def) const;
  const std::vector<std::pair<std::string, PropValue>>& Items() const { return items_; }
  std::vector<std::string> Keys() const;
  void Clear() { items_.clear(); }

 private:
  std::vector<std::pair<std::string, PropValue>> items_;
};

// Typed reads that accept any numeric or Boolean alternative, as a loosely
// typed stored design may hold a Boolean as a number and the other way round.
int32_t ToInt(const PropValue& v);
bool ToBool(const PropValue& v);
std::string ToText(const PropValue& v);

}  // namespace ctl
