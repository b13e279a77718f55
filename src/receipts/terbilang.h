#pragma once
// The amount of a receipt in Indonesian words, as the receipt shows and
// stores it ("Dua Ribu Lima Ratus "), and the title-casing it is built with.
#include <string>

// The largest amount spelled in words, and so the largest a receipt takes.
constexpr double kJumlahTerbesar = 999999999999999.0;

// The amount in words, every word capitalised and followed by one blank;
// "nol" for 0; the message text, unchanged, for 10^15 and more. The amount is
// working storage: on return it holds what was left below the thousands, so
// callers pass a copy.
std::string Terbilang(double& amount, const std::string& message);

// The text with its first character and every character after a blank in
// upper case, all others in lower case. Only blanks separate words.
std::string ProperCase(const std::string& text);
