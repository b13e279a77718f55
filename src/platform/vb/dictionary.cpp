#include "platform/vb/dictionary.h"

namespace vb {

void Dictionary::Add(const std::string& key, Variant item) {
  if (index_.count(key)) raise(err::DuplicateKey);
  index_.emplace(key, entries_.size());
  entries_.emplace_back(key, std::move(item));
}

bool Dictionary::Exists(const std::string& key) const { return index_.count(key) != 0; }

Variant& Dictionary::Item(const std::string& key) {
  auto it = index_.find(key);
  if (it == index_.end()) {
    Add(key, Variant());
    return entries_.back().second;
  }
  return entries_[it->second].second;
}

const Variant& Dictionary::Item(const std::string& key) const {
  auto it = index_.find(key);
  if (it == index_.end()) raise(err::SubscriptOutOfRange);
  return entries_[it->second].second;
}

void Dictionary::Remove(const std::string& key) {
  auto it = index_.find(key);
  if (it == index_.end()) raise(err::SubscriptOutOfRange);
  const size_t pos = it->second;
  index_.erase(it);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(pos));
  for (auto& e : index_)
    if (e.second > pos) --e.second;
}

void Dictionary::RemoveAll() {
  entries_.clear();
  index_.clear();
}

std::vector<std::string> Dictionary::Keys() const {
  std::vector<std::string> keys;
  keys.reserve(entries_.size());
  for (const auto& e : entries_) keys.push_back(e.first);
  return keys;
}

std::vector<Variant> Dictionary::Items() const {
  std::vector<Variant> items;
  items.reserve(entries_.size());
  for (const auto& e : entries_) items.push_back(e.second);
  return items;
}

}  // namespace vb
