#include "controls/ribbon/ribbon_resources.h"

#include <windows.h>

#include <cstdio>

#include "platform/ui/utf16.h"
#include "platform/vb/error.h"

namespace ctl {

std::string ExeName() {
  wchar_t buf[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
  std::wstring path(buf, n);
  size_t slash = path.find_last_of(L"\\/");
  if (slash != std::wstring::npos) path.erase(0, slash + 1);
  size_t dot = path.find_last_of(L'.');
  if (dot != std::wstring::npos) path.erase(dot);
  return ui::Narrow(path);
}

std::string ApiErrorText(unsigned long code) {
  wchar_t buf[256] = {};
  // 4608: text from the system's message table, inserts ignored.
  DWORD n = FormatMessageW(4608, nullptr, code, 0, buf, 256, nullptr);
  return n ? ui::Narrow(std::wstring(buf, n)) : std::string();
}

void RaiseApiError(unsigned long code) {
  vb::raise(static_cast<int>(code | 10000u), ApiErrorText(code), ExeName() + ".cAniCursor");
}

std::string GetTempDir() {
  wchar_t buf[MAX_PATH + 1] = {};
  DWORD n = GetTempPathW(MAX_PATH, buf);
  DWORD code = GetLastError();
  if (n == 0 || n > MAX_PATH) RaiseApiError(code ? code : ERROR_BUFFER_OVERFLOW);
  return ui::Narrow(std::wstring(buf, n));
}

std::string GetTempFile(const std::string& prefix, const std::string& folder) {
  std::string dir = folder.empty() ? GetTempDir() : folder;
  wchar_t buf[MAX_PATH] = {};
  // The result decides, not the last error alone: a successful call may leave
  // a stale code behind (an already-existing name it skipped over, say).
  SetLastError(0);
  UINT r = GetTempFileNameW(ui::Widen(dir).c_str(), ui::Widen(prefix).c_str(), 0, buf);
  DWORD code = GetLastError();
  if (r == 0) RaiseApiError(code ? code : ERROR_GEN_FAILURE);
  return ui::Narrow(buf);
}

void DeleteTempFile(const std::string& path) {
  if (!path.empty()) DeleteFileW(ui::Widen(path).c_str());
}

namespace {

// The resource's bytes; raises when it is missing.
std::string ReadResource(int id, const std::string& type) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC res = type.empty() ? nullptr
                           : FindResourceW(module, MAKEINTRESOURCEW(id), ui::Widen(type).c_str());
  HGLOBAL handle = res ? LoadResource(module, res) : nullptr;
  const void* bytes = handle ? LockResource(handle) : nullptr;
  if (!bytes)
    vb::raise(326, "Resource with identifier '" + std::to_string(id) + "' not found");
  return std::string(static_cast<const char*>(bytes), SizeofResource(module, res));
}

}  // namespace

RibbonPicture LoadResPicture(int id, const std::string& type) {
  std::string path;
  FILE* file = nullptr;
  try {
    std::string bytes = ReadResource(id, type);
    path = GetTempFile("LRP", "");
    file = _wfopen(ui::Widen(path).c_str(), L"wb");
    if (!file) vb::raise(75, "Path/File access error");
    if (fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) vb::raise(61, "Disk full");
    fclose(file);
    file = nullptr;
    RibbonPicture picture = RibbonPicture::FromFile(path);
    DeleteTempFile(path);
    return picture;
  } catch (const vb::Error& e) {
    if (file) fclose(file);
    DeleteTempFile(path);
    throw vb::Error(e.number(), e.description(), ExeName() + ".cLoadResPicture");
  }
}

}  // namespace ctl
