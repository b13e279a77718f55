#include "ribbon_fixture.h"

#include <cstdlib>

namespace ribbontest {

TextSize Measure(const std::string& text, int hundredthsPt, bool bold) {
  HDC dc = CreateCompatibleDC(nullptr);
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  HFONT f = CreateFontW(-MulDiv(hundredthsPt, dpi, 7200), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0,
                        0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Verdana");
  HGDIOBJ old = SelectObject(dc, f);
  int lines = 1;
  int widest = 0;
  size_t start = 0;
  for (;;) {
    size_t end = text.find("\r\n", start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    std::wstring w(line.begin(), line.end());
    SIZE s{};
    GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &s);
    widest = std::max<int>(widest, s.cx);
    if (end == std::string::npos) break;
    ++lines;
    start = end + 2;
  }
  TEXTMETRICW tm;
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  DeleteObject(f);
  DeleteDC(dc);
  return {widest * 15, lines * tm.tmHeight * 15};
}

ctl::RibbonPicture Solid(int w, int h, uint32_t argb) {
  return ctl::RibbonPicture::FromPixels(w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, argb));
}

std::string WinPath(const std::string& unixPath) {
  std::string p = "Z:" + unixPath;
  for (char& c : p)
    if (c == '/') c = '\\';
  return p;
}

std::string SourceDir() {
  const char* s = std::getenv("VT_SOURCE_DIR");
  return s ? WinPath(s) : "Z:\\work\\main";
}

std::string BuildDir() {
  const char* s = std::getenv("VT_BUILD_DIR");
  return s ? WinPath(s) : SourceDir() + "\\build\\ribbon-win32";
}

namespace {
LRESULT CALLBACK HostProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }
}  // namespace

void RibbonTest::SetUp() {
  // A private temporary folder, so that "LRP" files are ours to count.
  static const std::string base = [] {
    char buf[MAX_PATH];
    DWORD n = GetTempPathA(MAX_PATH, buf);
    return std::string(buf, n);
  }();
  tempDir = base + "vt_ribbon_" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryA(tempDir.c_str(), nullptr);
  SetEnvironmentVariableA("TMP", tempDir.c_str());
  SetEnvironmentVariableA("TEMP", tempDir.c_str());

  // One host for the whole run: under Wine without a window manager,
  // destroying a shown top-level window waits for the X server for seconds.
  static HWND shared = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"RibbonTestHost";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&wc);
    return CreateWindowExW(0, L"RibbonTestHost", L"ribbon", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                           1200, 400, nullptr, nullptr, wc.hInstance, nullptr);
  }();
  host = shared;
  for (int n = 1; n <= 51; ++n) images.Add(Solid(32, 32));
  images.Add(Solid(48, 40));
  images.Add(Solid(20, 20));
}

void RibbonTest::TearDown() {
  bar.reset();
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((tempDir + "*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do DeleteFileA((tempDir + fd.cFileName).c_str());
    while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryA(tempDir.c_str());
}

void RibbonTest::MakeRibbon(int theme) {
  bar = std::make_unique<ctl::RibbonBar>();
  RECT r;
  GetClientRect(host, &r);
  bar->Create(host, 0, 0, r.right);
  bar->Theme(static_cast<int16_t>(theme));
  bar->ImageList(&images);
}

POINT RibbonTest::Centre(Piece p, int i) const {
  auto e = El(p, i);
  return {static_cast<LONG>((e.left + e.width / 2) / 15), static_cast<LONG>((e.top + e.height / 2) / 15)};
}

void RibbonTest::Move(POINT pt) {
  // The pointer is put there too, so that the ribbon, asking where it is,
  // finds it over itself.
  POINT screen = pt;
  ClientToScreen(bar->hwnd(), &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageW(bar->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
}
void RibbonTest::Down(POINT pt, UINT msg) {
  SendMessageW(bar->hwnd(), msg, msg == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
}
void RibbonTest::Up(POINT pt, UINT msg) { SendMessageW(bar->hwnd(), msg, 0, MAKELPARAM(pt.x, pt.y)); }

int RibbonTest::StackPos(Piece p, int i) const {
  auto s = bar->Stacking();
  for (size_t k = 0; k < s.size(); ++k)
    if (s[k].first == p && s[k].second == i) return static_cast<int>(k);
  return -1;
}

std::vector<int> RibbonTest::ShownButtons() const {
  std::vector<int> out;
  for (int i = 1; i <= bar->HighestIndex(Piece::ButMouse); ++i)
    if (El(Piece::ButMouse, i).visible) out.push_back(i);
  return out;
}

}  // namespace ribbontest
