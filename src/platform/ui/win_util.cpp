#include "platform/ui/win_util.h"

#include <cmath>
#include <map>
#include <tuple>

namespace ui {

std::string WindowText(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  if (n <= 0) return {};
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(hwnd, &w[0], n + 1);
  return Narrow(w.data(), n);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {
int screenDpi(int cap) {
  static int x = 0, y = 0;
  if (!x) {
    HDC dc = GetDC(nullptr);
    x = GetDeviceCaps(dc, LOGPIXELSX);
    y = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    if (x <= 0) x = 96;
    if (y <= 0) y = 96;
  }
  return cap == LOGPIXELSX ? x : y;
}
int roundDiv(long long a, long long b) {
  // Rounds half away from zero so that 7 twips at 96 dpi make 0 px, 8 make 1.
  long long q = (a >= 0 ? a + b / 2 : a - b / 2) / b;
  return static_cast<int>(q);
}
}  // namespace

int DpiX() { return screenDpi(LOGPIXELSX); }
int DpiY() { return screenDpi(LOGPIXELSY); }
int TwipsToPixelsX(int t) { return roundDiv(static_cast<long long>(t) * DpiX(), 1440); }
int TwipsToPixelsY(int t) { return roundDiv(static_cast<long long>(t) * DpiY(), 1440); }
int PixelsToTwipsX(int p) { return roundDiv(static_cast<long long>(p) * 1440, DpiX()); }
int PixelsToTwipsY(int p) { return roundDiv(static_cast<long long>(p) * 1440, DpiY()); }

COLORREF ResolveColor(Color c) {
  if (c & 0x80000000UL) return GetSysColor(static_cast<int>(c & 0xFF));
  return static_cast<COLORREF>(c & 0xFFFFFF);
}

HBRUSH BrushFor(Color c) {
  // Kept for the program's life: windows hand these to the system on every
  // WM_CTLCOLOR*, so no one may delete them under a live window.
  static auto* cache = new std::map<Color, HBRUSH>();
  if (c & 0x80000000UL) return GetSysColorBrush(static_cast<int>(c & 0xFF));
  auto it = cache->find(c);
  if (it != cache->end()) return it->second;
  HBRUSH b = CreateSolidBrush(ResolveColor(c));
  (*cache)[c] = b;
  return b;
}

HFONT FontFor(const FontSpec& spec) {
  using Key = std::tuple<std::string, long, bool, bool, bool>;
  static auto* cache = new std::map<Key, HFONT>();
  Key key{spec.name, std::lround(spec.size * 100), spec.bold, spec.italic, spec.underline};
  auto it = cache->find(key);
  if (it != cache->end()) return it->second;
  LOGFONTW lf{};
  lf.lfHeight = -static_cast<LONG>(std::lround(spec.size * DpiY() / 72.0));
  lf.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = spec.italic;
  lf.lfUnderline = spec.underline;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  std::wstring face = Widen(spec.name);
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  HFONT f = CreateFontIndirectW(&lf);
  (*cache)[key] = f;
  return f;
}

}  // namespace ui
