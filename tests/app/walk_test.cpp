// The whole program as a new user meets it: Vantorel.exe started in a fresh
// program folder and driven from outside with window messages and keystrokes,
// one step after another, with the database checked after each step and a
// screenshot of every window under build/screenshots/walk/.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/walk_driver.h"
#include "app/walk_ribbon.h"
#include "core/program_fixture.h"
#include "platform/ui/utf16.h"
#include "platform/ui/win_util.h"
#include "support/print_support.h"
#include "support/win_test_support.h"

namespace fs = std::filesystem;
using vt::walk::Driver;
using vt::walk::RibbonMap;

namespace {

std::wstring FromEnv(const char* name) {
  const char* v = std::getenv(name);
  return v ? vt::test::WinPathFromUnix(v) : std::wstring();
}

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// While it lives, the shell opens a workbook with the walk's own opener,
// which copies it to a file of the walk's, whatever opens workbooks on the
// machine, if anything does; the machine's own opener comes back after.
class WorkbookOpener {
public:
  explicit WorkbookOpener(const fs::path& copy) {
    LONG size = sizeof old_;
    had_ = RegQueryValueW(HKEY_CLASSES_ROOT, L".xls", old_, &size) == ERROR_SUCCESS;
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    set(L".xls", kClass);
    set(std::wstring(kClass) + L"\\shell\\open\\command",
        L"\"" + std::wstring(system) + L"\\cmd.exe\" /c copy /y \"%1\" \"" + copy.wstring() + L"\"");
  }
  ~WorkbookOpener() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kClass);
    if (had_) set(L".xls", old_);
    else RegDeleteKeyW(HKEY_CLASSES_ROOT, L".xls");
  }

private:
  static constexpr const wchar_t* kClass = L"Vantorel.WalkWorkbook";
  static void set(const std::wstring& key, const std::wstring& value) {
    RegSetValueW(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), static_cast<DWORD>(value.size() * 2));
  }
  wchar_t old_[256] = {};
  bool had_ = false;
};

class Walk : public ::testing::Test {
protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = fs::path(temp) / (L"Vantorel Walk " + std::to_wstring(GetCurrentProcessId()));
    std::error_code ec;
    fs::remove_all(folder_, ec);
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
  std::string scalar(const std::string& sql) { return vt::test::queryScalar(file("base.mdb"), sql); }

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

  // Prints what the open preview shows through the print dialog, choosing
  // the run's PDF printer as a user would; returns the PDF's text (and its
  // page count) or "" when the run has no printer.
  std::string printPreview(HWND preview, const std::string& shotName, int* pages = nullptr) {
    const std::string printer = vt::test::TestPrinter();
    if (printer.empty()) {
      driver_.clickButton(preview, "&Tutup");
      return "";
    }
    const size_t before = vt::test::PrintedPdfs().size();
    driver_.clickButton(preview, "&Cetak");
    HWND dialog = driver_.waitFor(
        [](HWND w) { return Driver::className(w) == L"#32770" && GetDlgItem(w, 0x473) != nullptr; }, "the print dialog");
    if (!dialog) return "";
    HWND list = GetDlgItem(dialog, 0x473);
    const std::wstring name = ui::Widen(printer);
    const LRESULT at = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(0x473, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    driver_.shot(dialog, shotName + "-dialog");
    driver_.pressDialogButton(dialog, IDOK);
    driver_.waitClosed(dialog);
    const auto pdfs = vt::test::WaitForPdfs(before);
    if (pdfs.empty()) {
      ADD_FAILURE() << "nothing was printed";
      return "";
    }
    vt::test::PdfToScreenshot(pdfs[0], "walk/" + shotName + "-paper");
    if (pages) *pages = vt::test::PdfPages(pdfs[0]);
    driver_.clickButton(preview, "&Tutup");
    return vt::test::PdfText(pdfs[0]);
  }

  // Types a receipt into the open entry dialog and saves it; the preview that
  // follows a new receipt is printed or closed.
  struct Receipt {
    std::string payer;
    bool usd;
    std::string amount, purpose;
    bool picked;  // the payer taken from the customer picker
  };
  void writeReceipt(HWND entry, const Receipt& r, bool print, const std::string& shotName) {
    const auto b = boxes(entry);  // number, payer, amount, words, purpose, note, place, receiver
    ASSERT_GE(b.size(), 5u);
    if (r.picked) {
      driver_.clickButton(entry, "&Cari");
      HWND picker = driver_.waitCaption("Data Customer");
      ASSERT_NE(picker, nullptr);
      const auto lists = Driver::children(picker, L"SysListView32");
      ASSERT_EQ(lists.size(), 1u);
      int at = -1;
      for (int i = 0; i < Driver::listCount(lists[0]); ++i)
        for (int c = 1; c <= 3 && at < 0; ++c)
          if (driver_.listText(lists[0], i, c) == r.payer) at = i;
      ASSERT_GE(at, 0) << r.payer << " is not in the picker";
      driver_.shot(picker, shotName + "-picker");
      const RECT row = driver_.listRow(lists[0], at);
      driver_.clickAt(lists[0], (row.left + row.right) / 2, (row.top + row.bottom) / 2, true);
      EXPECT_TRUE(driver_.waitClosed(picker));
      EXPECT_EQ(Driver::text(b[1]), r.payer);
      driver_.click(b[1]);
    } else {
      fill(b[1], r.payer);
    }
    driver_.key(VK_RETURN);  // to the currency
    if (r.usd) driver_.key(VK_DOWN);
    driver_.key(VK_RETURN);  // to the amount
    driver_.type(r.amount);
    driver_.key(VK_RETURN);  // to the purpose
    driver_.type(r.purpose);
    driver_.key(VK_RETURN);  // to Simpan
    driver_.shot(entry, shotName);
    const std::string number = Driver::text(b[0]);
    driver_.clickButton(entry, "&Simpan");
    answer("Data Berhasil Disimpan", IDOK);
    HWND preview = driver_.waitCaption("Cetak Kwitansi");
    ASSERT_NE(preview, nullptr);
    if (print) {
      driver_.shot(preview, shotName + "-preview");
      const std::string paper = printPreview(preview, shotName);
      if (!paper.empty()) {
        EXPECT_NE(paper.find(r.payer), std::string::npos) << paper;
        EXPECT_NE(paper.find(number), std::string::npos) << number << "\n" << paper;
      }
    } else {
      driver_.clickButton(preview, "&Tutup");
    }
    driver_.waitClosed(preview);
  }

  fs::path folder_;
  Driver driver_;
};

TEST_F(Walk, ANewUserWorksThroughTheProgram) {
  // Log in as the first user.
  driver_.start(exe(), L"/admin");
  HWND loginWindow = driver_.waitCaption("Vantorel V1.7 Build 28092025");
  ASSERT_NE(loginWindow, nullptr);
  // A new program folder has no institution yet: an empty name, no design text.
  EXPECT_EQ(Driver::text(loginWindow), "Vantorel V1.7 Build 28092025 [  ]");
  driver_.shot(loginWindow, "01-login");
  login("ADMIN", "admin");
  HWND main = driver_.waitCaption("Vantorel V1.7 BUILD 28092025");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(Driver::text(main), "Vantorel V1.7 BUILD 28092025 [  ]");
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
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(Driver::text(b[i]), "") << i;
    fill(b[0], "Yayasan Pendidikan Nusantara");
    fill(b[1], "Jl. Merdeka No. 17, Bandung - Telp. (022) 4201234");
    fill(b[2], "Bandung");
    fill(b[3], "Dewi Lestari");
    fill(b[4], "Bendahara");
    fill(b[5], "Pembayaran yang sudah diterima tidak dapat dikembalikan.");
    fill(b[6], "YPN/");
  }
  // The second template: the list opened with a click, the next entry taken.
  {
    const auto combos = Driver::children(settings, L"ComboBox");
    ASSERT_EQ(combos.size(), 1u);
    EXPECT_EQ(Driver::text(combos[0]), "Kwitansi 1 Portrait");
    driver_.click(combos[0]);
    driver_.key(VK_DOWN);
    driver_.key(VK_RETURN);
    EXPECT_EQ(Driver::text(combos[0]), "Kwitansi 2 Portrait");
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
  EXPECT_EQ(scalar("select templete from tblset"), "Kwitansi 2 Portrait");
  EXPECT_TRUE(fs::exists(folder_ / L"images" / L"logo.jpg"));
  driver_.clickButton(settings, "Tutup");
  driver_.waitClosed(settings);

  // Three customers, their IDs made by the program.
  ribbon.clickTab(driver_, "Data");
  ribbon.clickButton(driver_, "1");
  HWND customers = driver_.waitCaption("Form Customer");
  ASSERT_NE(customers, nullptr);
  const char* people[][4] = {{"Andi Wijaya", "Jl. Asia Afrika 8, Bandung", "0812-2233-4455", "andi@contoh.id"},
                             {"Lestari Handayani", "Jl. Dago 120, Bandung", "0813-9988-7766", "lestari@contoh.id"},
                             {"CV Sumber Rejeki", "Jl. Braga 5, Bandung", "022-4205566", "rejeki@contoh.id"}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(people[i][0]);
    driver_.clickButton(customers, "Tambah");
    // The detail boxes are the left column: ID, name, address, phone, e-mail.
    RECT frame;
    GetWindowRect(customers, &frame);
    std::vector<HWND> detail;
    for (HWND h : boxes(customers)) {
      RECT r;
      GetWindowRect(h, &r);
      if (r.right < (frame.left + frame.right) / 2) detail.push_back(h);
    }
    ASSERT_GE(detail.size(), 5u);
    EXPECT_EQ(Driver::text(detail[0]), "CUST0000" + std::to_string(i + 1));
    for (int k = 0; k < 4; ++k) fill(detail[static_cast<size_t>(k + 1)], people[i][k]);
    if (i == 2) driver_.shot(customers, "05-customers");
    driver_.clickButton(customers, "Simpan");
    answer("Data Berhasil Disimpan", IDOK);
  }
  EXPECT_EQ(scalar("select count(*) from tblcustomer"), "3");
  EXPECT_EQ(scalar("select nama from tblcustomer where Nocustomer = 'CUST00003'"), "CV Sumber Rejeki");
  driver_.clickButton(customers, "Tutup");
  driver_.waitClosed(customers);

  // The customer report.
  ribbon.clickButton(driver_, "3");
  HWND report = driver_.waitCaption("Lap Data Customer");
  ASSERT_NE(report, nullptr);
  driver_.shot(report, "05-customer-report");
  PostMessageW(report, WM_CLOSE, 0, 0);
  driver_.waitClosed(report);

  // Five receipts; a new receipt is previewed at once, the first is printed.
  ribbon.clickButton(driver_, "0");
  HWND entry = driver_.waitCaption("Form Entri");
  ASSERT_NE(entry, nullptr);
  const Receipt receipts[] = {{"Budi Santoso", false, "1500000", "SPP bulan Desember", false},
                              {"Siti Aminah", true, "250", "Kursus bahasa Inggris", false},
                              {"PT Maju Jaya", false, "999999999999999", "Pembangunan gedung serbaguna", false},
                              {"Andi Wijaya", false, "75000", "Iuran kegiatan", true},
                              {"Rina Kartika", false, "125000", "Seragam olahraga", false}};
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(receipts[i].payer);
    if (i > 0) driver_.clickButton(entry, "&Tambah");
    writeReceipt(entry, receipts[i], i == 0, "06-entry-" + std::to_string(i + 1));
    EXPECT_EQ(scalar("select count(*) from tblkwitansi"), std::to_string(i + 1));
  }
  EXPECT_EQ(scalar("select Matauang from tblkwitansi where SudahTerima = 'Siti Aminah'"), "USD");
  {
    // Stored as the clerk saw it: grouped as the regional settings group.
    wchar_t sep[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, sep, 8);
    std::wstring shown = L"999";
    for (int g = 0; g < 4; ++g) shown += sep + std::wstring(L"999");
    EXPECT_EQ(ui::Widen(scalar("select Nominal from tblkwitansi where SudahTerima = 'PT Maju Jaya'")), shown);
  }
  EXPECT_EQ(scalar("select terbilang from tblkwitansi where SudahTerima = 'Budi Santoso'"),
            "Satu Juta Lima Ratus Ribu ");
  EXPECT_EQ(scalar("select NoPasport from tblkwitansi where SudahTerima = 'Budi Santoso'"), "YPN/");
  driver_.clickButton(entry, "T&utup");
  driver_.waitClosed(entry);

  // The register: today's receipts, a search, the date range, two ticked and
  // printed, the period report, the export, one deleted, one edited.
  ribbon.clickButton(driver_, "2");
  HWND reg = driver_.waitCaption("Fram Data Transksi Kwitansi");
  ASSERT_NE(reg, nullptr);
  const auto lists = Driver::children(reg, L"SysListView32");
  ASSERT_EQ(lists.size(), 1u);
  HWND list = lists[0];
  EXPECT_EQ(Driver::listCount(list), 5);
  driver_.shot(reg, "06-register");
  {
    const auto b = boxes(reg);  // the search key
    ASSERT_GE(b.size(), 1u);
    const std::string number = scalar("select NoKwitansi from tblkwitansi where SudahTerima = 'Andi Wijaya'");
    fill(b[0], number);
    driver_.clickButton(reg, "&Cari");
    EXPECT_EQ(Driver::listCount(list), 1);
    EXPECT_EQ(driver_.listText(list, 0, 2), "Andi Wijaya");
    driver_.shot(reg, "07-register-search");
  }
  driver_.clickButton(reg, "&Tampilkan");  // today to today
  EXPECT_EQ(Driver::listCount(list), 5);

  // Tick the first two rows with the keyboard, print them.
  {
    const RECT row = driver_.listRow(list, 0);
    driver_.clickAt(list, (row.left + row.right) / 2, (row.top + row.bottom) / 2);
    driver_.key(VK_SPACE);
    driver_.key(VK_DOWN);
    driver_.key(VK_SPACE);
  }
  const std::string first = driver_.listText(list, 0, 2), second = driver_.listText(list, 1, 2);
  driver_.shot(reg, "08-register-ticked");
  driver_.clickButton(reg, "Cetak &Kwitansi");
  {
    HWND preview = driver_.waitCaption("Cetak Kwitansi");
    ASSERT_NE(preview, nullptr);
    int pages = 0;
    const std::string paper = printPreview(preview, "09-ticked", &pages);
    if (!paper.empty()) {
      EXPECT_EQ(pages, 2);
      EXPECT_NE(paper.find(first), std::string::npos) << paper;
      EXPECT_NE(paper.find(second), std::string::npos) << paper;
    }
    driver_.waitClosed(preview);
  }
  driver_.clickButton(reg, "C&etak");
  {
    HWND preview = driver_.waitCaption("Cetak Kwitansi");
    ASSERT_NE(preview, nullptr);
    driver_.shot(preview, "10-period-preview");
    const std::string paper = printPreview(preview, "10-period");
    if (!paper.empty()) {
      EXPECT_NE(paper.find("Periode : "), std::string::npos) << paper;
      EXPECT_NE(paper.find("Rina Kartika"), std::string::npos) << paper;
    }
    driver_.waitClosed(preview);
  }

  // Export: the saved workbook is opened, nothing is said after "Export selesai".
  const std::string sheet = file("laporan kwitansi");
  {
    const fs::path opened = folder_ / L"dibuka.xls";
    WorkbookOpener opener(opened);
    driver_.clickButton(reg, "E&xport");
    chooseFile(sheet);
    answer("Export selesai", IDOK);
    const std::string saved = Bytes(fs::u8path(sheet + ".xls"));
    EXPECT_FALSE(saved.empty());
    for (int i = 0; i < 750 && Bytes(opened) != saved; ++i) Sleep(20);
    EXPECT_TRUE(Bytes(opened) == saved) << "the shell did not open the saved workbook";
    driver_.settle();
    for (HWND w : driver_.windows()) EXPECT_NE(Driver::className(w), L"#32770") << Driver::dialogText(w);
  }

  // Delete one: the second row's tick taken off, the first row's kept.
  {
    const RECT row = driver_.listRow(list, 1);
    driver_.clickAt(list, (row.left + row.right) / 2, (row.top + row.bottom) / 2);
    driver_.key(VK_SPACE);
  }
  driver_.clickButton(reg, "&Hapus");
  answer("Apakah Anda Yakin Menghapus 1", IDYES);
  answer("Telah dihapus", IDOK);
  EXPECT_EQ(scalar("select count(*) from tblkwitansi where SudahTerima = '" + first + "'"), "0");
  EXPECT_EQ(Driver::listCount(list), 4);
  const std::string left = scalar("select count(*) from tblkwitansi");
  EXPECT_EQ(left, "4");

  // Edit one: the entry dialog opens with the stored receipt, saved over it.
  {
    const RECT row = driver_.listRow(list, 0);
    driver_.clickAt(list, (row.left + row.right) / 2, (row.top + row.bottom) / 2);
    const std::string payer = driver_.listText(list, 0, 2);
    driver_.clickButton(reg, "&Ubah");
    HWND edit = driver_.waitCaption("Form Entri");
    ASSERT_NE(edit, nullptr);
    const auto b = boxes(edit);
    ASSERT_GE(b.size(), 5u);
    EXPECT_EQ(Driver::text(b[1]), payer);
    fill(b[4], "Pelunasan");
    driver_.shot(edit, "11-edit");
    driver_.clickButton(edit, "&Simpan");
    answer("Nomer Kwitansi Sudah ada dalam Sistem", IDYES);
    answer("Data Berhasil Di Update", IDOK);
    EXPECT_EQ(scalar("select untuk from tblkwitansi where SudahTerima = '" + payer + "'"), "Pelunasan");
    EXPECT_EQ(scalar("select count(*) from tblkwitansi"), left);
    driver_.clickButton(edit, "T&utup");
    driver_.waitClosed(edit);
  }
  driver_.clickButton(reg, "Tutu&p");
  driver_.waitClosed(reg);

  // A user who may write receipts and nothing else.
  ribbon.clickTab(driver_, "Admin");
  ribbon.clickButton(driver_, "5");
  HWND users = driver_.waitCaption("Otoritas User");
  ASSERT_NE(users, nullptr);
  driver_.clickButton(users, "Tambah");
  {
    const auto b = boxes(users);  // name, password
    ASSERT_GE(b.size(), 2u);
    fill(b[0], "kasir");
    fill(b[1], "kasir123");
  }
  // The group's box ticks its four buttons; three are taken off again.
  driver_.clickButton(users, "MAIN MENU");
  for (const char* other : {"Customer", "Data Kwitansi", "Data Customer"}) driver_.clickButton(users, other);
  driver_.shot(users, "12-users");
  driver_.clickButton(users, "Simpan");
  answer("Data Sudah Tersimpan", IDOK);
  EXPECT_EQ(scalar("select count(*) from Tuser where kodeuser = 'kasir' and checkmaster = True and check1 = True "
                   "and check2 = False and checkpengaturan = False"),
            "1");
  driver_.clickButton(users, "Tutup");
  driver_.waitClosed(users);

  // Back up, empty the receipts and customers, restore.
  const std::string before = scalar("select count(*) from tblkwitansi");
  const std::string backup = file("cadangan.mdb");
  ribbon.clickButton(driver_, "6");
  chooseFile(backup);
  answer("File Berhasil Di backup", IDOK);
  EXPECT_TRUE(fs::exists(fs::u8path(backup)));

  // Enter alone answers the reset's question with No.
  ribbon.clickButton(driver_, "8");
  {
    HWND question = driver_.waitDialog("semua data akan terhapus");
    ASSERT_NE(question, nullptr);
    driver_.shot(question, "14-reset-question");
    driver_.key(VK_RETURN);
    EXPECT_TRUE(driver_.waitClosed(question));
    driver_.settle();
  }
  EXPECT_EQ(scalar("select count(*) from tblkwitansi"), before);
  ribbon.clickButton(driver_, "8");
  answer("semua data akan terhapus", IDYES);
  answer("Semua Record Telah berhasil dihapus", IDOK);
  EXPECT_EQ(scalar("select count(*) from tblkwitansi"), "0");

  ribbon.clickButton(driver_, "7");
  chooseFile(backup);
  answer("Restore Sukses", IDOK);
  EXPECT_EQ(scalar("select count(*) from tblkwitansi"), before);
  // The title follows the restored settings.
  EXPECT_EQ(Driver::text(main), "Vantorel V1.7 BUILD 28092025 [ Yayasan Pendidikan Nusantara ]");

  // Quit, start again and log in as the new user: one tab, one button.
  PostMessageW(main, WM_CLOSE, 0, 0);
  answer("Yakin akan keluar dari aplikasi", IDYES);
  EXPECT_TRUE(driver_.waitExit(15000));
  driver_.kill();
  driver_.start(exe(), L"/admin");
  login("kasir", "kasir123");
  main = driver_.waitCaption("Vantorel V1.7 BUILD 28092025");
  ASSERT_NE(main, nullptr);
  driver_.shot(main, "13-main-kasir");
  const bool tabs[3] = {true, false, false};
  const bool buttons[12] = {true};
  RibbonMap kasir(Driver::children(main, L"VtRibbonBar")[0], tabs, buttons);
  EXPECT_EQ(kasir.tabs(), "Data");
  EXPECT_EQ(kasir.buttons(), "0");
  kasir.clickButton(driver_, "0");
  entry = driver_.waitCaption("Form Entri");
  ASSERT_NE(entry, nullptr);
  driver_.clickButton(entry, "T&utup");
  driver_.waitClosed(entry);
  PostMessageW(main, WM_CLOSE, 0, 0);
  answer("Yakin akan keluar dari aplikasi", IDYES);
  EXPECT_TRUE(driver_.waitExit(15000));
}

}  // namespace
