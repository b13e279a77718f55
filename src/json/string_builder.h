#pragma once
// A long text of 16-bit characters built piece by piece. One buffer grows in
// whole chunks (8192 characters unless told otherwise) and each piece is
// copied into place with one memory move, so building a text never copies
// what is already there at every addition.
//
// The interface counts characters; lengths are kept in bytes, two per
// character, and a length beyond 2^31 - 1 bytes raises error 6 (Overflow).
// Indexes of Insert and Remove are 0-based; Find answers 1-based positions.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace json {

class StringBuilder {
public:
  StringBuilder() = default;
  ~StringBuilder();
  StringBuilder(const StringBuilder& other);
  StringBuilder& operator=(const StringBuilder& other);
  StringBuilder(StringBuilder&& other) noexcept;
  StringBuilder& operator=(StringBuilder&& other) noexcept;

  long Length() const { return static_cast<long>(used_ / 2); }
  long Capacity() const { return static_cast<long>(capacity_ / 2); }
  long ChunkSize() const { return static_cast<long>(chunk_ / 2); }
  // The growth step from now on; the buffer is not touched. Error 5 below one
  // character (every growth needs a step), 6 beyond the length range.
  void ChunkSize(long iChunkSize);

  std::u16string toString() const { return std::u16string(data(), used_ / 2); }
  // The used text without a copy; valid until the next change.
  std::u16string_view view() const { return std::u16string_view(data(), used_ / 2); }
  // Replaces the content; the empty text frees the buffer, a shorter text
  // keeps the capacity.
  void TheString(std::u16string_view sThis);
  void Clear();  // frees the buffer: length and capacity 0

  void Append(std::u16string_view sThis) {
    const int64_t bytes = static_cast<int64_t>(sThis.size()) * 2;
    if (bytes == 0) return;
    // Without growth the buffer stays where it is, so even a piece of this
    // builder's own text is copied safely.
    if (bytes > capacity_ - used_) {
      appendSlow(sThis);
      return;
    }
    std::memcpy(reinterpret_cast<char*>(buf_) + used_, sThis.data(), static_cast<size_t>(bytes));
    used_ += bytes;
  }
  void AppendByVal(std::u16string_view sThis) { Append(sThis); }
  void AppendNL(std::u16string_view sThis);  // the text, then CR LF

  // Inserts before the character at iIndex, 0 to Length (the end appends);
  // any other index raises error 9 and changes nothing.
  void Insert(long iIndex, std::u16string_view sThis);
  void InsertByVal(long iIndex, std::u16string_view sThis) { Insert(iIndex, sThis); }
  // Removes lLen characters from iIndex; error 9, and no change, for a
  // stretch that does not lie within the text. The capacity stays.
  void Remove(long iIndex, long lLen);

  // The 1-based position of the first match lying wholly within the text, at
  // or after the 1-based lStartIndex (below 1: from the start); 0 when none.
  // compare 0 matches characters exactly, 1 ignores letter case (ASCII and
  // Latin-1 letters); any other mode raises error 5. An empty sToFind is
  // found at the start position while that lies within the text or just past it.
  long Find(std::u16string_view sToFind, long lStartIndex = 0, long compare = 0) const;

  // Gives back whole spare chunks: afterwards at most one chunk is spare.
  void HeapMinimize();

private:
  const char16_t* data() const { return buf_ ? buf_ : u""; }
  bool aliases(std::u16string_view s) const {
    return buf_ && s.data() >= buf_ && s.data() < buf_ + allocated_ / 2;
  }
  void appendSlow(std::u16string_view sThis);
  // Raises the capacity in whole chunks until it holds n bytes.
  void growTo(int64_t n);
  // Makes the allocation hold at least n bytes (more when growing, so that a
  // long text is copied a few times rather than once per chunk).
  void reserveBytes(int64_t n, bool exact);

  char16_t* buf_ = nullptr;
  int64_t used_ = 0;       // bytes in use
  int64_t capacity_ = 0;   // bytes of capacity, in whole chunks
  int64_t chunk_ = 16384;  // bytes
  int64_t allocated_ = 0;  // bytes actually allocated, at least capacity_
};

}  // namespace json
