#include "platform/ui/utf16.h"

#include <windows.h>

#include <cwchar>

namespace ui {

std::wstring Widen(std::string_view s) {
  if (s.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
  return w;
}

std::string Narrow(const wchar_t* w, int length) {
  if (!w) return {};
  if (length < 0) length = static_cast<int>(wcslen(w));
  if (length == 0) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w, length, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w, length, &s[0], n, nullptr, nullptr);
  return s;
}

std::string Narrow(const std::wstring& w) { return Narrow(w.data(), static_cast<int>(w.size())); }

}  // namespace ui
