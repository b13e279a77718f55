#include "platform/vb/collection.h"

namespace vb {

void Collection::Add(Variant item) { items_.push_back(std::move(item)); }

Variant& Collection::Item(long index) {
  if (index < 1 || index > Count()) raise(err::SubscriptOutOfRange);
  return items_[static_cast<size_t>(index - 1)];
}

const Variant& Collection::Item(long index) const {
  if (index < 1 || index > Count()) raise(err::SubscriptOutOfRange);
  return items_[static_cast<size_t>(index - 1)];
}

void Collection::Remove(long index) {
  if (index < 1 || index > Count()) raise(err::SubscriptOutOfRange);
  items_.erase(items_.begin() + (index - 1));
}

}  // namespace vb
