#include "core/program_fixture.h"

#include <windows.h>

#include <filesystem>

#include "app/wiring.h"
#include "core/module1.h"
#include "platform/db/recordset.h"
#include "platform/db/schema.h"
#include "platform/image/picture.h"
#include "platform/ui/app.h"
#include "platform/ui/form.h"
#include "platform/ui/win_util.h"
#include "platform/vb/date.h"
#include "support/win_test_support.h"

namespace vt::test {

namespace {
std::string tempRoot() {
  wchar_t buf[MAX_PATH];
  DWORD n = GetTempPathW(MAX_PATH, buf);
  std::string t = ui::Narrow(buf, static_cast<int>(n));
  while (!t.empty() && t.back() == '\\') t.pop_back();
  return t;
}
}  // namespace

void ProgramTest::SetUp() {
  folder_ = tempRoot() + "\\" + folderName_ + "-" + std::to_string(GetCurrentProcessId());
  std::error_code ec;
  std::filesystem::remove_all(ui::Widen(folder_), ec);
  std::filesystem::create_directories(ui::Widen(folder_ + "\\images"));
  db::createProgramDatabase(file("base.mdb"));
  ui::App::get().SetPath(folder_);
  ui::App::get().SetCommand("/admin");
  ui::App::get().ResetEnded();
  // Friday 5 December 2025, 10:30.
  vb::setClock([] { return vb::Date{45996.4375}; });
  seams = std::make_unique<ui::testing::SeamRecorder>();
  app::wireProgram();
}

void ProgramTest::TearDown() {
  ui::testing::clearShown();
  ui::testing::unloadAll();
  if (Module1::koneksi) Module1::koneksi->close();
  Module1::koneksi.reset();
  seams.reset();
  vb::setClock(nullptr);
  ui::App::get().ResetEnded();
  std::error_code ec;
  std::filesystem::remove_all(ui::Widen(folder_), ec);
}

void ProgramTest::exec(const std::string& sql) {
  auto cn = db::Connection::create();
  cn->open("Data Source=" + file("base.mdb"));
  cn->execute(sql);
  cn->close();
}

std::string ProgramTest::scalar(const std::string& sql) { return queryScalar(file("base.mdb"), sql); }

std::string queryScalar(const std::string& databasePath, const std::string& sql) {
  auto cn = db::Connection::create();
  cn->open("Data Source=" + databasePath);
  db::Recordset rs;
  rs.open(sql, cn);
  std::string v;
  if (!rs.eof() && !rs.field(0).value().isNull()) v = rs.field(0).value().toString();
  rs.close();
  cn->close();
  return v;
}

void ProgramTest::freshSeams() {
  seams.reset();
  seams = std::make_unique<ui::testing::SeamRecorder>();
}

void ProgramTest::pump() { ui::testing::pumpUntilIdle(); }

DateSeparator::DateSeparator(const std::wstring& sep) : saved_(vb::currentLocale()) {
  for (LCTYPE type : {LOCALE_SSHORTDATE, LOCALE_SDATE}) {
    wchar_t buf[80] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, 80);
    old_.emplace_back(type, buf);
  }
  SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, (L"dd" + sep + L"MM" + sep + L"yyyy").c_str());
  SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDATE, sep.c_str());
  ui::App::get().ApplyUserLocale();
}

DateSeparator::~DateSeparator() {
  for (const auto& [type, value] : old_) SetLocaleInfoW(LOCALE_USER_DEFAULT, type, value.c_str());
  vb::setCurrentLocale(saved_);
}

std::string writePicture(const std::string& path, int width, int height, COLORREF colour) {
  Canvas canvas(width, height);
  canvas.Fill(colour);
  img::Picture::fromHBITMAP(canvas.bitmap()).save(path);
  return path;
}

bool screenshot(HWND hwnd, const std::string& name) {
  ui::testing::pumpUntilIdle();
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ui::testing::pumpUntilIdle();
  // What the screen shows: the dialog is on top of an otherwise empty display.
  SetForegroundWindow(hwnd);
  ui::testing::pumpFor(300);
  return SaveScreenPng(hwnd, name);
}

}  // namespace vt::test
