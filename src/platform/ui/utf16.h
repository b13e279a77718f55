#pragma once
// The one conversion between the program's UTF-8 text (paths included) and
// the UTF-16 of the wide-character Win32, C runtime and GDI+ calls. The
// controls and the picture code use it too, so that every file call reaches
// the same file from the same text (a folder such as "Kwitansi Dévi").
#include <string>
#include <string_view>

namespace ui {

std::wstring Widen(std::string_view utf8);
std::string Narrow(const std::wstring& utf16);
std::string Narrow(const wchar_t* utf16, int length = -1);

}  // namespace ui
