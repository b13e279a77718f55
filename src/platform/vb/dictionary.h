#pragma once
// The scripting dictionary: text keys compared exactly, insertion order kept.
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/vb/variant.h"

namespace vb {

class Dictionary : public Object {
public:
  // 457 when the key is already there.
  void Add(const std::string& key, Variant item);
  bool Exists(const std::string& key) const;
  // Reading a missing key adds it with an Empty item, as the scripting dictionary does.
  // A returned reference stays valid until the next Add or Remove.
  Variant& Item(const std::string& key);
  const Variant& Item(const std::string& key) const;  // 9 if missing
  void Remove(const std::string& key);                 // 9 if missing
  void RemoveAll();
  long Count() const { return static_cast<long>(entries_.size()); }
  std::vector<std::string> Keys() const;
  std::vector<Variant> Items() const;

private:
  std::vector<std::pair<std::string, Variant>> entries_;
  std::unordered_map<std::string, size_t> index_;  // key -> position in entries_
};

}  // namespace vb
