#pragma once
// The collection: items numbered from 1 in the order added.
#include <vector>

#include "platform/vb/variant.h"

namespace vb {

class Collection : public Object {
public:
  void Add(Variant item);
  Variant& Item(long index);  // 9 out of range
  const Variant& Item(long index) const;
  void Remove(long index);    // 9 out of range
  long Count() const { return static_cast<long>(items_.size()); }

private:
  std::vector<Variant> items_;
};

}  // namespace vb
