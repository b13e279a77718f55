#include "json/string_builder.h"

#include <cstdlib>
#include <new>
#include <utility>

#include "platform/vb/error.h"

namespace json {

namespace {

constexpr int64_t kMaxBytes = 2147483647;  // the length range of the program's texts

char16_t foldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  // Latin-1 capitals, except the multiplication sign.
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  return c;
}

}  // namespace

StringBuilder::~StringBuilder() { std::free(buf_); }

StringBuilder::StringBuilder(const StringBuilder& other) : chunk_(other.chunk_) {
  if (other.capacity_ > 0) {
    reserveBytes(other.capacity_, true);
    std::memcpy(buf_, other.buf_, static_cast<size_t>(other.used_));
  }
  used_ = other.used_;
  capacity_ = other.capacity_;
}

StringBuilder& StringBuilder::operator=(const StringBuilder& other) {
  if (this != &other) {
    StringBuilder copy(other);
    *this = std::move(copy);
  }
  return *this;
}

StringBuilder::StringBuilder(StringBuilder&& other) noexcept
    : buf_(std::exchange(other.buf_, nullptr)),
      used_(std::exchange(other.used_, 0)),
      capacity_(std::exchange(other.capacity_, 0)),
      chunk_(other.chunk_),
      allocated_(std::exchange(other.allocated_, 0)) {}

StringBuilder& StringBuilder::operator=(StringBuilder&& other) noexcept {
  if (this != &other) {
    std::free(buf_);
    buf_ = std::exchange(other.buf_, nullptr);
    used_ = std::exchange(other.used_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
    chunk_ = other.chunk_;
    allocated_ = std::exchange(other.allocated_, 0);
  }
  return *this;
}

void StringBuilder::ChunkSize(long iChunkSize) {
  if (iChunkSize < 1) vb::raise(5);
  const int64_t bytes = static_cast<int64_t>(iChunkSize) * 2;
  if (bytes > kMaxBytes) vb::raise(vb::err::Overflow);
  chunk_ = bytes;
}

void StringBuilder::reserveBytes(int64_t n, bool exact) {
  if (n <= allocated_ && !exact) return;
  int64_t want = n;
  if (!exact && allocated_ > 0) {
    // Twice as much as before, so that building a text of n characters moves
    // at most n characters in all, whatever the chunk size.
    const int64_t step = allocated_ * 2;
    if (step > want) want = step < kMaxBytes ? step : kMaxBytes;
  }
  if (want == 0) {
    std::free(buf_);
    buf_ = nullptr;
    allocated_ = 0;
    return;
  }
  void* p = std::realloc(buf_, static_cast<size_t>(want));
  if (!p) vb::raise(7);
  buf_ = static_cast<char16_t*>(p);
  allocated_ = want;
}

void StringBuilder::growTo(int64_t n) {
  if (n > kMaxBytes) vb::raise(vb::err::Overflow);
  if (n <= capacity_) return;
  const int64_t chunks = (n - capacity_ + chunk_ - 1) / chunk_;
  const int64_t cap = capacity_ + chunks * chunk_;
  if (cap > kMaxBytes) vb::raise(vb::err::Overflow);
  reserveBytes(cap, false);
  capacity_ = cap;
}

void StringBuilder::appendSlow(std::u16string_view sThis) {
  if (aliases(sThis)) {
    // A piece of this builder's own text: the buffer may move as it grows.
    const std::u16string copy(sThis);
    appendSlow(copy);
    return;
  }
  const int64_t bytes = static_cast<int64_t>(sThis.size()) * 2;
  growTo(used_ + bytes);
  if (bytes) std::memcpy(reinterpret_cast<char*>(buf_) + used_, sThis.data(), static_cast<size_t>(bytes));
  used_ += bytes;
}

void StringBuilder::AppendNL(std::u16string_view sThis) {
  Append(sThis);
  Append(u"\r\n");
}

void StringBuilder::TheString(std::u16string_view sThis) {
  if (sThis.empty()) {
    Clear();
    return;
  }
  const int64_t bytes = static_cast<int64_t>(sThis.size()) * 2;
  if (bytes > kMaxBytes) vb::raise(vb::err::Overflow);
  if (aliases(sThis)) {
    // Part of the own text: it lies within the capacity, so nothing grows.
    std::memmove(buf_, sThis.data(), static_cast<size_t>(bytes));
    used_ = bytes;
    return;
  }
  int64_t cap = capacity_;
  while (cap < bytes) {
    cap += chunk_;
    if (cap > kMaxBytes) vb::raise(vb::err::Overflow);
  }
  reserveBytes(cap, false);
  capacity_ = cap;
  std::memcpy(buf_, sThis.data(), static_cast<size_t>(bytes));
  used_ = bytes;
}

void StringBuilder::Clear() {
  std::free(buf_);
  buf_ = nullptr;
  used_ = capacity_ = allocated_ = 0;
}

void StringBuilder::Insert(long iIndex, std::u16string_view sThis) {
  if (iIndex < 0 || iIndex > Length()) vb::raise(vb::err::SubscriptOutOfRange);
  if (aliases(sThis)) {
    const std::u16string copy(sThis);
    Insert(iIndex, copy);
    return;
  }
  const int64_t bytes = static_cast<int64_t>(sThis.size()) * 2;
  if (bytes == 0) return;
  growTo(used_ + bytes);
  char* at = reinterpret_cast<char*>(buf_) + static_cast<int64_t>(iIndex) * 2;
  std::memmove(at + bytes, at, static_cast<size_t>(used_ - static_cast<int64_t>(iIndex) * 2));
  std::memcpy(at, sThis.data(), static_cast<size_t>(bytes));
  used_ += bytes;
}

void StringBuilder::Remove(long iIndex, long lLen) {
  const long length = Length();
  if (iIndex < 0 || iIndex > length || lLen < 0 ||
      static_cast<int64_t>(iIndex) + lLen > length)
    vb::raise(vb::err::SubscriptOutOfRange);
  if (lLen == 0) return;
  char* at = reinterpret_cast<char*>(buf_) + static_cast<int64_t>(iIndex) * 2;
  const int64_t cut = static_cast<int64_t>(lLen) * 2;
  std::memmove(at, at + cut, static_cast<size_t>(used_ - static_cast<int64_t>(iIndex) * 2 - cut));
  used_ -= cut;
}

long StringBuilder::Find(std::u16string_view sToFind, long lStartIndex, long compare) const {
  if (compare != 0 && compare != 1) vb::raise(5);
  const size_t length = static_cast<size_t>(used_ / 2);
  const size_t start = lStartIndex >= 1 ? static_cast<size_t>(lStartIndex) - 1 : 0;
  if (sToFind.empty()) return start <= length ? static_cast<long>(start) + 1 : 0;
  if (start >= length || sToFind.size() > length - start) return 0;
  const std::u16string_view text = view();
  if (compare == 0) {
    const size_t at = text.find(sToFind, start);
    return at == std::u16string_view::npos ? 0 : static_cast<long>(at) + 1;
  }
  const size_t last = length - sToFind.size();
  for (size_t i = start; i <= last; ++i) {
    size_t k = 0;
    while (k < sToFind.size() && foldCase(text[i + k]) == foldCase(sToFind[k])) ++k;
    if (k == sToFind.size()) return static_cast<long>(i) + 1;
  }
  return 0;
}

void StringBuilder::HeapMinimize() {
  const int64_t spare = capacity_ - used_;
  if (spare > chunk_) capacity_ -= (spare - 1) / chunk_ * chunk_;
  reserveBytes(capacity_, true);
}

}  // namespace json
