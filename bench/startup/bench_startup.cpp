// Times the program from its start to the login dialog on screen, against an
// empty Win32 program that opens one window, both started the same way in the
// same run: from CreateProcess until the first visible top-level window of the
// new process exists. Usage: bench_startup <Vantorel.exe> <empty_window.exe>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/db/schema.h"
#include "../timing.h"

namespace fs = std::filesystem;

namespace {

struct Search {
  DWORD pid;
  bool found;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == s->pid && IsWindowVisible(hwnd)) {
    s->found = true;
    return FALSE;
  }
  return TRUE;
}

// Seconds from the start of the process until it shows a window; -1 when it
// shows none within 30 s.
double TimeToWindow(const fs::path& exe, const std::wstring& arguments) {
  std::wstring command = L"\"" + exe.wstring() + L"\" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const auto t0 = std::chrono::steady_clock::now();
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      exe.parent_path().wstring().c_str(), &si, &pi))
    return -1;
  double seconds = -1;
  for (;;) {
    Search s{pi.dwProcessId, false};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&s));
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (s.found) {
      seconds = elapsed;
      break;
    }
    if (elapsed > 30 || WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
    Sleep(1);
  }
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return seconds;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_startup <Vantorel.exe> <empty_window.exe>\n");
    return 2;
  }
  // A program folder of its own: the executable and a fresh database.
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const fs::path folder = fs::path(temp) / (L"vantorel-startup-" + std::to_wstring(GetCurrentProcessId()));
  std::error_code ec;
  fs::remove_all(folder, ec);
  fs::create_directories(folder / L"images");
  fs::create_directories(folder / L"temp");
  const fs::path program = folder / L"Vantorel.exe", empty = folder / L"empty_window.exe";
  fs::copy_file(argv[1], program);
  fs::copy_file(argv[2], empty);
  db::createProgramDatabase((folder / L"base.mdb").u8string());

  std::vector<double> ours, theirs;
  TimeToWindow(program, L"/admin");  // warm-up: the disk cache and Wine's own start
  TimeToWindow(empty, L"");
  for (int i = 0; i < 7; ++i) {
    ours.push_back(TimeToWindow(program, L"/admin"));
    theirs.push_back(TimeToWindow(empty, L""));
  }
  const double a = vt::bench::median(ours), b = vt::bench::median(theirs);
  fs::remove_all(folder, ec);
  if (a <= 0 || b <= 0) {
    std::fprintf(stderr, "a program showed no window\n");
    return 1;
  }
  std::printf("start to first window: program %.0f ms, empty window %.0f ms (median of 7)\n", a * 1000, b * 1000);
  std::printf("ratio startup program/empty window: %.2f\n", a / b);
  return 0;
}
