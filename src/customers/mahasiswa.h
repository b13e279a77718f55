#pragma once
// The report row: nine texts in which one row travels from a dialog to a
// report layout. Rows are handed over in a dictionary keyed "1" to "n".
#include <memory>
#include <string>

#include "platform/vb/dictionary.h"

class mahasiswa : public vb::Object {
public:
  void baris1(std::string v) { baris_[0] = std::move(v); }
  const std::string& baris1() const { return baris_[0]; }
  void baris2(std::string v) { baris_[1] = std::move(v); }
  const std::string& baris2() const { return baris_[1]; }
  void baris3(std::string v) { baris_[2] = std::move(v); }
  const std::string& baris3() const { return baris_[2]; }
  void baris4(std::string v) { baris_[3] = std::move(v); }
  const std::string& baris4() const { return baris_[3]; }
  void baris5(std::string v) { baris_[4] = std::move(v); }
  const std::string& baris5() const { return baris_[4]; }
  void baris6(std::string v) { baris_[5] = std::move(v); }
  const std::string& baris6() const { return baris_[5]; }
  void baris7(std::string v) { baris_[6] = std::move(v); }
  const std::string& baris7() const { return baris_[6]; }
  void baris8(std::string v) { baris_[7] = std::move(v); }
  const std::string& baris8() const { return baris_[7]; }
  void baris9(std::string v) { baris_[8] = std::move(v); }
  const std::string& baris9() const { return baris_[8]; }

  // Field n from 1 to 9, for code that walks the fields in order.
  const std::string& baris(int n) const { return baris_[static_cast<size_t>(n - 1)]; }
  void baris(int n, std::string v) { baris_[static_cast<size_t>(n - 1)] = std::move(v); }

private:
  std::string baris_[9];
};

// The record stored under the key; error 9 when there is no such key, 424
// or 13 when the entry holds no record.
inline std::shared_ptr<mahasiswa> rowOf(const vb::Dictionary& rows, const std::string& key) {
  return rows.Item(key).as<mahasiswa>();
}
