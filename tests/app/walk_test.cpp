// The whole program as a new user meets it: Vantorel.exe started in a fresh
// program folder and driven from outside with window messages and keystrokes,
// one step after another, with the database checked after each step and a
// screenshot of every window under build/screenshots/walk/.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/walk_driver.h"
#include "app/walk_ribbon.h"
#include "core/program_fixture.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/db/schema.h"
#include "platform/ui/win_util.h"
#include "support/win_test_support.h"

namespace fs = std::filesystem;
using vt::walk::Driver;
using vt::walk::RibbonMap;

namespace {

std::wstring FromEnv(const char* name) {
  const char* v = std::getenv(name);
  return v ? vt::test::WinPathFromUnix(v) : std::wstring();
}

class Walk : public ::testing::Test {
protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = fs::path(temp) / (L"Vantorel Walk " + std::to_wstring(GetCurrentProcessId()));
    std::error_code ec;
    fs::remove_all(folder_, ec);
    fs::create_directories(folder_ / L"images");
    fs::create_directories(folder_ / L"temp");
    // The program folder as the zip gives it (unpacked by package_test).
    const fs::path unpacked = fs::path(FromEnv("VT_BUILD_DIR")) / L".." / L"walk-program";
    ASSERT_TRUE(fs::exists(unpacked / L"Vantorel.exe")) << "run package_test first";
    fs::copy(unpacked, folder_, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    CreateDirectoryW((vt::test::ScreenshotDir() + L"walk").c_str(), nullptr);
  }
  void TearDown() override {
    driver_.kill();
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  std::string file(const std::string& name) const { return (folder_ / fs::u8path(name)).u8string(); }
  std::wstring exe() const { return (folder_ / L"Vantorel.exe").wstring(); }

  // The first column of the first row of a query on the program's database.
  std::string scalar(const std::string& sql) {
    auto cn = db::Connection::create();
    cn->open("Data Source=" + file("base.mdb"));
    db::Recordset rs;
    rs.open(sql, cn);
    std::string v;
    if (!rs.eof() && !rs.field(0).value().isNull()) v = rs.field(0).value().toString();
    rs.close();
    cn->close();
    return v;
  }

  // Answers the message box that says part with the button id; returns its text.
  std::string answer(const std::string& part, int id) {
    std::string text;
    HWND box = driver_.waitDialog(part, 15000, &text);
    if (box) {
      driver_.pressDialogButton(box, id);
      driver_.waitClosed(box);
    }
    return text;
  }

  // Chooses a file in the common file dialog that is open.
  void chooseFile(const std::string& path) {
    HWND dialog = driver_.waitFor(
        [](HWND w) { return Driver::className(w) == L"#32770" && GetDlgItem(w, IDOK) && !Driver::children(w, L"ComboBox").empty(); },
        "a file dialog");
    ASSERT_NE(dialog, nullptr);
    driver_.setDialogText(dialog, GetDlgItem(dialog, 1148) ? 1148 : 1152, path);
    driver_.pressDialogButton(dialog, IDOK);
    driver_.waitClosed(dialog);
  }

  // Replaces the text of a box as a user does: click, select all, type.
  void fill(HWND box, const std::string& text) {
    driver_.click(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    driver_.type(text, box);
  }

  // The visible edit boxes of a window, top to bottom and left to right.
  static std::vector<HWND> boxes(HWND window) {
    std::vector<HWND> found;
    for (HWND c : Driver::children(window, L"Edit"))
      if (IsWindowVisible(c) && Driver::className(GetParent(c)) != L"ComboBox") found.push_back(c);
    std::sort(found.begin(), found.end(), [](HWND a, HWND b) {
      RECT ra, rb;
      GetWindowRect(a, &ra);
      GetWindowRect(b, &rb);
      return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return found;
  }

  HWND login(const std::string& user, const std::string& password) {
    HWND window = driver_.waitCaption("Vantorel V1.7 Build 28092025");
    if (!window) return nullptr;
    driver_.type(user);
    driver_.key(VK_RETURN);
    driver_.type(password);
    driver_.key(VK_RETURN);
    return window;
  }

  fs::path folder_;
  Driver driver_;
};

TEST_F(Walk, ANewUserWorksThroughTheProgram) {
  // Log in as the first user.
  driver_.start(exe(), L"/admin");
  HWND loginWindow = driver_.waitCaption("Vantorel V1.7 Build 28092025");
  ASSERT_NE(loginWindow, nullptr);
  driver_.shot(loginWindow, "01-login");
  login("ADMIN", "admin");
  HWND main = driver_.waitCaption("Vantorel V1.7 BUILD 28092025");
  ASSERT_NE(main, nullptr);
  driver_.shot(main, "02-main");
  const auto ribbons = Driver::children(main, L"VtRibbonBar");
  ASSERT_EQ(ribbons.size(), 1u);
  const bool all[12] = {true, true, true, true, true, true, true, true, true, true, true, true};
  RibbonMap ribbon(ribbons[0], all, all);
  EXPECT_EQ(ribbon.tabs(), "Data,Admin,About");

  // The institution: name, address, town, prefix, template and logo.
  ribbon.clickTab(driver_, "Admin");
  driver_.shot(main, "03-main-admin");
  ribbon.clickButton(driver_, "4");
  HWND settings = driver_.waitCaption("Form Pengaturan");
  ASSERT_NE(settings, nullptr);
  {
    const auto b = boxes(settings);
    ASSERT_GE(b.size(), 7u);
    fill(b[0], "Yayasan Pendidikan Nusantara");
    fill(b[1], "Jl. Merdeka No. 17, Bandung - Telp. (022) 4201234");
    fill(b[2], "Bandung");
    fill(b[3], "Dewi Lestari");
    fill(b[4], "Bendahara");
    fill(b[5], "Pembayaran yang sudah diterima tidak dapat dikembalikan.");
    fill(b[6], "YPN/");
  }
  const std::string logo = file("images\\pilihan.png");
  vt::test::writePicture(logo, 120, 80, RGB(30, 90, 160));
  driver_.clickButton(settings, "Open");
  chooseFile(logo);
  driver_.shot(settings, "04-settings");
  driver_.clickButton(settings, "Simpan");
  answer("Data Berhasil Disimpan", IDOK);
  EXPECT_EQ(scalar("select namalembaga from tblset"), "Yayasan Pendidikan Nusantara");
  EXPECT_EQ(scalar("select NoKw from tblset"), "YPN/");
  EXPECT_TRUE(fs::exists(folder_ / L"images" / L"logo.jpg"));
  driver_.clickButton(settings, "Tutup");
  driver_.waitClosed(settings);

  // Back up, empty the receipts and customers, restore.
  const std::string before = scalar("select count(*) from tblkwitansi");
  const std::string backup = file("cadangan.mdb");
  ribbon.clickButton(driver_, "6");
  chooseFile(backup);
  answer("File Berhasil Di backup", IDOK);
  EXPECT_TRUE(fs::exists(fs::u8path(backup)));

  ribbon.clickButton(driver_, "8");
  answer("semua data akan terhapus", IDYES);
  answer("Semua Record Telah berhasil dihapus", IDOK);
  EXPECT_EQ(scalar("select count(*) from tblkwitansi"), "0");

  ribbon.clickButton(driver_, "7");
  chooseFile(backup);
  answer("Restore Sukses", IDOK);
  EXPECT_EQ(scalar("select count(*) from tblkwitansi"), before);

  // Quit.
  PostMessageW(main, WM_CLOSE, 0, 0);
  answer("Yakin akan keluar dari aplikasi", IDYES);
  EXPECT_TRUE(driver_.waitExit(15000));
}

}  // namespace
