#include "platform/ui/app.h"

#include <windows.h>

#include "platform/ui/form.h"
#include "platform/ui/seams.h"
#include "platform/ui/win_util.h"
#include "platform/vb/locale.h"

namespace ui {

std::string CommandTail(const std::wstring& line) {
  size_t i = 0;
  while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
  if (i < line.size() && line[i] == L'"') {
    size_t close = line.find(L'"', i + 1);
    i = close == std::wstring::npos ? line.size() : close + 1;
  } else {
    while (i < line.size() && line[i] != L' ' && line[i] != L'\t') ++i;
  }
  while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
  return Narrow(line.substr(i));
}

App& App::get() {
  static App* app = new App();
  return *app;
}

App::App() {
  wchar_t buf[MAX_PATH * 2];
  DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH * 2);
  std::wstring full(buf, n);
  size_t slash = full.find_last_of(L"\\/");
  std::wstring folder = slash == std::wstring::npos ? L"" : full.substr(0, slash);
  std::wstring file = slash == std::wstring::npos ? full : full.substr(slash + 1);
  size_t dot = file.find_last_of(L'.');
  if (dot != std::wstring::npos) file = file.substr(0, dot);
  path_ = Narrow(folder);
  exeName_ = Narrow(file);
  title_ = exeName_;
  command_ = CommandTail(GetCommandLineW());
  ApplyUserLocale();
}

void App::SetPath(const std::string& folder) {
  path_ = folder;
  while (!path_.empty() && (path_.back() == '\\' || path_.back() == '/')) path_.pop_back();
}

void App::End() {
  ended_ = true;
  if (seams().endProgram) seams().endProgram();
  else ExitProcess(0);
  throw ProgramEnded();
}

namespace {
std::string localeText(LCTYPE type) {
  wchar_t buf[128];
  int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, 128);
  return n > 1 ? Narrow(buf, n - 1) : std::string();
}
}  // namespace

void App::ApplyUserLocale() {
  vb::Locale loc = vb::Locale::english();
  for (int m = 0; m < 12; ++m) {
    std::string full = localeText(LOCALE_SMONTHNAME1 + m);
    std::string abbr = localeText(LOCALE_SABBREVMONTHNAME1 + m);
    if (!full.empty()) loc.monthNames[m] = full;
    if (!abbr.empty()) loc.monthAbbrev[m] = abbr;
  }
  // The system numbers the days from Monday; the program from Sunday.
  for (int d = 0; d < 7; ++d) {
    int sys = d == 0 ? 6 : d - 1;
    std::string full = localeText(LOCALE_SDAYNAME1 + sys);
    std::string abbr = localeText(LOCALE_SABBREVDAYNAME1 + sys);
    if (!full.empty()) loc.dayNames[d] = full;
    if (!abbr.empty()) loc.dayAbbrev[d] = abbr;
  }
  auto set = [](std::string& field, LCTYPE type) {
    std::string v = localeText(type);
    if (!v.empty()) field = v;
  };
  set(loc.decimalSep, LOCALE_SDECIMAL);
  set(loc.groupSep, LOCALE_STHOUSAND);
  set(loc.dateSep, LOCALE_SDATE);
  set(loc.am, LOCALE_S1159);
  set(loc.pm, LOCALE_S2359);
  vb::setCurrentLocale(loc);
}

int App::Run() {
  for (;;) {
    if (ended_) return 0;
    bool anyLoaded = false;
    for (Form* f : Form::all()) anyLoaded = anyLoaded || f->Loaded();
    if (!anyLoaded) return 0;
    if (!Form::pumpOne()) return 0;
  }
}

}  // namespace ui
