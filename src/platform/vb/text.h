#pragma once
// The program's text functions on UTF-8 text. Positions and lengths count
// characters, not bytes, and start at 1, as the program's own code counts them.
#include <string>

namespace vb {

long Len(const std::string& text);
std::string Left(const std::string& text, long n);
std::string Right(const std::string& text, long n);           // "last eleven characters"
std::string Mid(const std::string& text, long start);          // from start to the end
std::string Mid(const std::string& text, long start, long n);  // 5 for start < 1 or n < 0
std::string UCase(const std::string& text);  // ASCII and Latin-1 letters
std::string LCase(const std::string& text);
std::string Trim(const std::string& text);   // blanks only, as the program's Trim
std::string LTrim(const std::string& text);
std::string RTrim(const std::string& text);
// Every occurrence of find, compared exactly; an empty find changes nothing.
std::string Replace(const std::string& text, const std::string& find, const std::string& with);
// 1-based position of find at or after start, 0 when absent; an empty find gives start.
long InStr(long start, const std::string& text, const std::string& find);
long InStr(const std::string& text, const std::string& find);

}  // namespace vb
