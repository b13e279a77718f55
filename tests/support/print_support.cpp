#include "support/print_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "support/win_test_support.h"

namespace vt::test {

namespace {

std::string env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string narrow(const std::wstring& w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(std::max(0, n - 1)), '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &s[0], n, nullptr, nullptr);
  return s;
}

std::wstring widen(const std::string& s) {
  int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, nullptr, 0);
  std::wstring w(static_cast<size_t>(std::max(0, n - 1)), L'\0');
  if (n > 1) MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, &w[0], n);
  return w;
}

// Z:\a\b.pdf -> /a/b.pdf
std::string unixPath(const std::string& win) {
  std::string u = win.size() > 2 && win[1] == ':' ? win.substr(2) : win;
  std::replace(u.begin(), u.end(), '\\', '/');
  return u;
}

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Runs a shell command of the machine (Wine starts Unix programs directly)
// and waits for it through a marker file, since Wine cannot wait on it.
bool runUnix(const std::string& command, int timeoutMs = 30000) {
  char marker[64];
  std::snprintf(marker, sizeof marker, "/tmp/vt-done-%lu-%lu", GetCurrentProcessId(), GetTickCount());
  std::wstring markerWin = WinPathFromUnix(marker);
  DeleteFileW(markerWin.c_str());
  std::wstring cmd = L"Z:\\bin\\sh -c \"" + widen(command + "; touch " + marker) + L"\"";
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  // Wine starts a Unix program without a process object and leaves whatever
  // lay on its stack in the handles it gives back: closing them could close
  // one of this process's own, such as its standard output.
  for (int waited = 0; waited < timeoutMs; waited += 50) {
    if (fileExists(markerWin)) {
      DeleteFileW(markerWin.c_str());
      return true;
    }
    Sleep(50);
  }
  return false;
}

std::string readFile(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::string();
  std::string out;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got) out.append(buf, got);
  CloseHandle(h);
  return out;
}

// A PDF is whole once it ends with its end-of-file mark.
bool complete(const std::string& path) {
  std::string data = readFile(widen(path));
  if (data.size() < 16) return false;
  return data.find("%%EOF", data.size() > 64 ? data.size() - 64 : 0) != std::string::npos;
}

}  // namespace

bool RunUnix(const std::string& command, int timeoutMs) { return runUnix(command, timeoutMs); }

std::string TestPrinter() {
  std::string printer = env("VT_PRINTER");
  // A run meant to print must not pass its print tests by skipping them.
  if (printer.empty() && !env("VT_REQUIRE_PRINTER").empty())
    ADD_FAILURE() << "this run was meant to print to a PDF printer of its own, but VT_PRINTER is not set "
                     "(start_printer in scripts/lib.sh makes it)";
  return printer;
}

std::vector<std::string> PrintedPdfs() {
  std::vector<std::pair<ULONGLONG, std::string>> found;
  const std::string dir = env("VT_PDF_DIR");
  if (dir.empty()) return {};
  std::wstring wdir = WinPathFromUnix(dir);
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((wdir + L"\\*.pdf").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return {};
  do {
    ULONGLONG t = (static_cast<ULONGLONG>(fd.ftLastWriteTime.dwHighDateTime) << 32) | fd.ftLastWriteTime.dwLowDateTime;
    found.emplace_back(t, narrow(wdir + L"\\" + fd.cFileName));
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  std::sort(found.begin(), found.end());
  std::vector<std::string> out;
  for (auto& f : found) out.push_back(f.second);
  return out;
}

std::vector<std::string> WaitForPdfs(size_t before, size_t count, int timeoutMs) {
  std::vector<std::string> all;
  for (int waited = 0;; waited += 200) {
    all = PrintedPdfs();
    size_t whole = 0;
    for (size_t i = before; i < all.size(); ++i) whole += complete(all[i]) ? 1 : 0;
    if (whole >= count || waited >= timeoutMs) break;
    Sleep(200);
  }
  if (all.size() <= before) return {};
  return std::vector<std::string>(all.begin() + static_cast<long>(before), all.end());
}

std::string PdfText(const std::string& pdf) {
  const std::string out = "/tmp/vt-pdftext-" + std::to_string(GetCurrentProcessId()) + ".txt";
  if (!runUnix("pdftotext -layout '" + unixPath(pdf) + "' '" + out + "'")) return std::string();
  std::string text = readFile(WinPathFromUnix(out));
  DeleteFileW(WinPathFromUnix(out).c_str());
  return text;
}

int PdfPages(const std::string& pdf) {
  const std::string out = "/tmp/vt-pdfinfo-" + std::to_string(GetCurrentProcessId()) + ".txt";
  if (!runUnix("pdfinfo '" + unixPath(pdf) + "' > '" + out + "'")) return 0;
  std::string info = readFile(WinPathFromUnix(out));
  DeleteFileW(WinPathFromUnix(out).c_str());
  size_t at = info.find("Pages:");
  return at == std::string::npos ? 0 : std::atoi(info.c_str() + at + 6);
}

bool PdfToScreenshot(const std::string& pdf, const std::string& name, int dpi) {
  std::string dir = unixPath(narrow(ScreenshotDir()));
  while (!dir.empty() && dir.back() == '/') dir.pop_back();
  const std::string target = dir + "/" + name;
  return runUnix("pdftoppm -png -r " + std::to_string(dpi) + " -f 1 -l 1 -singlefile '" + unixPath(pdf) + "' '" +
                 target + "'") &&
         fileExists(WinPathFromUnix(target + ".png"));
}

bool PdfPagesToScreenshots(const std::string& pdf, const std::string& name, int dpi) {
  std::string dir = unixPath(narrow(ScreenshotDir()));
  while (!dir.empty() && dir.back() == '/') dir.pop_back();
  return runUnix("pdftoppm -png -r " + std::to_string(dpi) + " '" + unixPath(pdf) + "' '" + dir + "/" + name + "'");
}

namespace {

std::string attribute(const std::string& tag, const char* name) {
  const std::string key = std::string(name) + "=\"";
  size_t at = tag.find(key);
  if (at == std::string::npos) return std::string();
  at += key.size();
  return tag.substr(at, tag.find('"', at) - at);
}

std::string unescapeXml(std::string s) {
  const std::pair<const char*, const char*> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&#39;", "'"}, {"&amp;", "&"}};
  for (const auto& [from, to] : entities)
    for (size_t at; (at = s.find(from)) != std::string::npos;) s.replace(at, std::strlen(from), to);
  return s;
}

std::wstring normalized(const std::wstring& s) {
  if (s.empty()) return s;
  const int n = NormalizeString(NormalizationC, s.c_str(), static_cast<int>(s.size()), nullptr, 0);
  if (n <= 0) return s;
  std::wstring out(static_cast<size_t>(n), L'\0');
  const int got = NormalizeString(NormalizationC, s.c_str(), static_cast<int>(s.size()), &out[0], n);
  if (got <= 0) return s;
  out.resize(static_cast<size_t>(got));
  return out;
}

std::vector<std::string> splitWords(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

}  // namespace

PdfLayout PdfWords(const std::string& pdf) {
  PdfLayout out;
  const std::string file = "/tmp/vt-pdfbbox-" + std::to_string(GetCurrentProcessId()) + ".html";
  if (!runUnix("pdftotext -bbox -raw '" + unixPath(pdf) + "' '" + file + "'")) return out;
  const std::string html = readFile(WinPathFromUnix(file));
  DeleteFileW(WinPathFromUnix(file).c_str());
  size_t at = 0;
  while ((at = html.find('<', at)) != std::string::npos) {
    const size_t end = html.find('>', at);
    if (end == std::string::npos) break;
    const std::string tag = html.substr(at, end - at + 1);
    if (tag.rfind("<page ", 0) == 0) {
      out.pages.emplace_back(std::atof(attribute(tag, "width").c_str()), std::atof(attribute(tag, "height").c_str()));
    } else if (tag.rfind("<word ", 0) == 0 && !out.pages.empty()) {
      PdfWord w;
      w.page = static_cast<int>(out.pages.size()) - 1;
      w.xMin = std::atof(attribute(tag, "xMin").c_str());
      w.yMin = std::atof(attribute(tag, "yMin").c_str());
      w.xMax = std::atof(attribute(tag, "xMax").c_str());
      w.yMax = std::atof(attribute(tag, "yMax").c_str());
      const size_t close = html.find("</word>", end);
      // Composed (NFC): a font may name a glyph after a compatibility
      // ideograph that stands for the same character.
      w.text = narrow(normalized(widen(unescapeXml(html.substr(end + 1, close - end - 1)))));
      out.words.push_back(std::move(w));
    }
    at = end + 1;
  }
  // The words of a page turned on its side stand in the turned page.
  const std::string info = "/tmp/vt-pdfrot-" + std::to_string(GetCurrentProcessId()) + ".txt";
  if (runUnix("pdfinfo -l 9999 '" + unixPath(pdf) + "' > '" + info + "'")) {
    std::istringstream in(readFile(WinPathFromUnix(info)));
    for (std::string line; std::getline(in, line);) {
      int page = 0, rot = 0;
      if (std::sscanf(line.c_str(), "Page %d rot: %d", &page, &rot) == 2 && (rot == 90 || rot == 270) && page >= 1 &&
          page <= static_cast<int>(out.pages.size()))
        std::swap(out.pages[static_cast<size_t>(page - 1)].first, out.pages[static_cast<size_t>(page - 1)].second);
    }
  }
  DeleteFileW(WinPathFromUnix(info).c_str());
  return out;
}

bool HasWordRun(const PdfLayout& pdf, const std::string& text) {
  const std::vector<std::string> want = splitWords(text);
  if (want.empty()) return true;
  const auto& words = pdf.words;
  for (size_t i = 0; i < words.size(); ++i) {
    // A word too long for its line goes on over the next lines: its pieces
    // stand one after another.
    size_t k = 0, at = 0, j = i;
    while (k < want.size() && j < words.size() && words[j].page == words[i].page) {
      const std::string& piece = words[j].text;
      if (want[k].compare(at, piece.size(), piece) != 0 || piece.empty()) break;
      at += piece.size();
      ++j;
      if (at == want[k].size()) ++k, at = 0;
    }
    if (k == want.size()) return true;
  }
  return false;
}

std::vector<std::string> WordsOutside(const PdfLayout& pdf, double left, double top, double right, double bottom) {
  const double mm = 72.0 / 25.4, slack = 0.5;  // points: glyph boxes round
  std::vector<std::string> out;
  for (const PdfWord& w : pdf.words) {
    const auto [pw, ph] = pdf.pages[static_cast<size_t>(w.page)];
    if (w.xMin >= left * mm - slack && w.xMax <= pw - right * mm + slack && w.yMin >= top * mm - slack &&
        w.yMax <= ph - bottom * mm + slack)
      continue;
    char where[128];
    std::snprintf(where, sizeof where, " (page %d, x %.1f..%.1f, y %.1f..%.1f mm)", w.page + 1, w.xMin / mm,
                  w.xMax / mm, w.yMin / mm, w.yMax / mm);
    out.push_back(w.text + where);
  }
  return out;
}

}  // namespace vt::test
