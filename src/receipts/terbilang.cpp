#include "receipts/terbilang.h"

#include <cmath>

#include "platform/vb/text.h"

namespace {

const char* const kAngka[] = {"", "Se", "Dua ", "Tiga ", "Empat ", "Lima ", "Enam ", "Tujuh ", "Delapan ", "Sembilan "};
const char* const kSkala[] = {"", "ribu ", "Juta ", "Milyar ", "Trilyun "};

// The word of one digit; anything outside 0..9 has none, so that an amount
// the entry never produces (negative, fractional) cannot read past the table.
const char* kataDigit(double digit) {
  const int d = static_cast<int>(digit);
  return d >= 0 && d <= 9 ? kAngka[d] : "";
}

// One group of 0 to 999. se spells a lone 1 as "Se", which only the thousands
// of an amount under 2000 asks for (Seribu).
std::string TerbilangRatusan(double value, bool se) {
  std::string out;
  const double ratus = std::floor(value / 100);
  if (ratus > 0) {
    out += kataDigit(ratus);
    out += "ratus ";
    value -= 100 * ratus;
  }
  const double puluh = std::floor(value / 10);
  if (puluh == 1) {
    value -= 10;
    if (value == 0) out += "Sepuluh ";
    else if (value == 1) out += "Sebelas ";
    else out += std::string(kataDigit(value)) + "belas ";
    return out;
  }
  if (puluh >= 2) {
    out += kataDigit(puluh);
    out += "puluh ";
    value -= 10 * puluh;
  }
  if (value == 1) out += se ? "Se" : "Satu ";
  else out += kataDigit(value);
  return out;
}

}  // namespace

std::string Terbilang(double& amount, const std::string& message) {
  if (amount == 0) return "nol";
  const bool se = amount < 2000;
  // Also what is no number at all.
  if (!(amount < 1e15)) return message;
  std::string out;
  for (int skala = 4; skala >= 1; --skala) {
    const double satuan = std::pow(10.0, 3 * skala);
    const double q = std::floor(amount / satuan);
    if (q > 0) {
      out += TerbilangRatusan(q, se);
      out += kSkala[skala];
      amount -= q * satuan;
    }
  }
  out += TerbilangRatusan(amount, false);
  return ProperCase(out);
}

std::string ProperCase(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  bool awal = true;
  for (size_t i = 0; i < text.size();) {
    // One whole character, so that accented letters change case too.
    size_t n = 1;
    while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
    const std::string ch = text.substr(i, n);
    out += awal ? vb::UCase(ch) : vb::LCase(ch);
    awal = ch == " ";
    i += n;
  }
  return out;
}
