#include "receipts/frmdata_fixture.h"

#include <commctrl.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/db/connection.h"
#include "platform/ui/app.h"
#include "platform/vb/text.h"
#include "support/print_support.h"
#include "support/win_test_support.h"

namespace vt::test {

void RegisterTest::SetUp() {
  ProgramTest::SetUp();
  Module1::bukaDatabase();
  ui::App::get().Title("Vantorel V1.7 BUILD 28092025");
  setReportViewer([this](const ReportJob& job) { jobs.push_back(job); });
}

void RegisterTest::TearDown() {
  setReportViewer(nullptr);
  ProgramTest::TearDown();
}

void RegisterTest::open() {
  data().Show();
  pump();
}

void RegisterTest::addReceipt(const std::string& prefix, const std::string& number, const std::string& payer,
                              const std::string& currency, double value, const std::string& date,
                              const std::string& untuk, const std::string& tempat, const std::string& oleh) {
  vb::Date d;
  ASSERT_TRUE(vb::parseDate(date, d)) << date;
  auto q = [](const std::string& s) { return "'" + db::quote(s) + "'"; };
  Module1::koneksi->execute(
      "insert into tblkwitansi (NoKwitansi, NoPasport, SudahTerima, Matauang, Nominal, untuk, Catatan, "
      "TempatDiterima, tgl, oleh) values (" +
      q(number) + ", " + q(prefix) + ", " + q(payer) + ", " + q(currency) + ", " +
      q(vb::Format(vb::Variant(value), "#,###")) + ", " + q(untuk) + ", 'Catatan " + db::quote(number) + "', " +
      q(tempat) + ", #" + vb::Format(vb::Variant(d), "MM\\/dd\\/yyyy") + "#, " + q(oleh) + ")");
}

void RegisterTest::groupAsAnotherPC(const std::string& number) {
  const std::string where = " where NoKwitansi = '" + db::quote(number) + "'";
  const std::string own = vb::currentLocale().groupSep;
  const std::string text = vb::Replace(scalar("select Nominal from tblkwitansi" + where), own, own == "," ? "." : ",");
  exec("update tblkwitansi set Nominal = '" + text + "'" + where);
}

RegisterTest::Rows RegisterTest::rows() {
  Rows out;
  ui::ListView& lv = data().Lv1;
  for (int i = 1; i <= lv.ListItems.Count(); ++i) {
    ui::ListItem& item = lv.ListItems.Item(i);
    std::vector<std::string> row{item.Text()};
    for (int k = 1; k <= 8; ++k) row.push_back(item.SubItems(k));
    out.push_back(row);
  }
  return out;
}

std::vector<std::string> RegisterTest::column(int k) {
  std::vector<std::string> out;
  ui::ListView& lv = data().Lv1;
  for (int i = 1; i <= lv.ListItems.Count(); ++i)
    out.push_back(k == 1 ? lv.ListItems.Item(i).Text() : lv.ListItems.Item(i).SubItems(k - 1));
  return out;
}

void RegisterTest::tick(const std::vector<int>& positions) {
  HWND lv = data().Lv1.hwnd();
  for (int pos : positions) {
    SendMessageW(lv, LVM_ENSUREVISIBLE, static_cast<WPARAM>(pos - 1), FALSE);
    RECT box{};
    box.left = LVIR_ICON;
    SendMessageW(lv, LVM_GETITEMRECT, static_cast<WPARAM>(pos - 1), reinterpret_cast<LPARAM>(&box));
    // The state picture stands left of the item's icon area.
    const LPARAM at = MAKELPARAM(box.left - 8, (box.top + box.bottom) / 2);
    PostMessageW(lv, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(lv, WM_LBUTTONUP, 0, at);
    pump();
    ASSERT_TRUE(data().Lv1.ListItems.Item(pos).Checked()) << "row " << pos;
  }
}

void RegisterTest::clickRow(int position) {
  HWND lv = data().Lv1.hwnd();
  SendMessageW(lv, LVM_ENSUREVISIBLE, static_cast<WPARAM>(position - 1), FALSE);
  RECT label{};
  label.left = LVIR_LABEL;
  SendMessageW(lv, LVM_GETITEMRECT, static_cast<WPARAM>(position - 1), reinterpret_cast<LPARAM>(&label));
  const LPARAM at = MAKELPARAM(label.left + 40, (label.top + label.bottom) / 2);
  PostMessageW(lv, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(lv, WM_LBUTTONUP, 0, at);
  pump();
}

void RegisterTest::search(const std::string& field, const std::string& key) {
  data().Combo1.Text(field);
  data().TextCari.Text(key);
  ui::testing::clickWindow(data().BCari.hwnd());
}

void RegisterTest::clickHeader(int index) {
  ClickHeaderItem(data().Lv1.hwnd(), index - 1);
  pump();
}

std::vector<std::string> RegisterTest::icons() {
  std::vector<std::string> out;
  for (int i = 1; i <= data().Lv1.ColumnHeaders.Count(); ++i) out.push_back(data().Lv1.ColumnHeaders.Item(i).Icon());
  return out;
}

bool RegisterTest::headerShowsImage(int index) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(data().Lv1.hwnd(), LVM_GETHEADER, 0, 0));
  HDITEMW hi{};
  hi.mask = HDI_FORMAT;
  SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index - 1), reinterpret_cast<LPARAM>(&hi));
  return (hi.fmt & HDF_IMAGE) != 0;
}

namespace {
// Where Wine keeps a Windows path on the Unix side.
std::string unixPath(const std::string& windowsPath) {
  using Fn = char*(CDECL*)(const wchar_t*);
  auto fn = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!fn) return "";
  char* p = fn(ui::Widen(windowsPath).c_str());
  if (!p) return "";
  std::string out(p);
  HeapFree(GetProcessHeap(), 0, p);
  return out;
}

std::string unescape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    const char n = s[++i];
    out += n == 't' ? '\t' : n == 'n' ? '\n' : n == 'r' ? '\r' : n;
  }
  return out;
}
}  // namespace

std::vector<std::vector<std::string>> RegisterTest::readBackCsv(const std::string& xlsPath) {
  std::vector<std::vector<std::string>> rows;
  const std::string dir = xlsPath.substr(0, xlsPath.find_last_of('\\'));
  const std::string base = xlsPath.substr(dir.size() + 1, xlsPath.size() - dir.size() - 5);
  const std::string csv = dir + "\\" + base + ".csv";
  // A profile of the test's own, so that no other LibreOffice is disturbed.
  const std::string profile = unixPath(dir) + "/lo-profile";
  if (!vt::test::RunUnix("soffice -env:UserInstallation=file://" + profile +
                             " --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1' --outdir '" +
                             unixPath(dir) + "' '" + unixPath(xlsPath) + "' >/dev/null 2>&1",
                         120000))
    return rows;
  std::ifstream in(std::filesystem::path(ui::Widen(csv)), std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Comma-separated, quoted fields may hold commas, quotes and line breaks.
  std::vector<std::string> row;
  std::string field;
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (quoted) {
      if (ch == '"' && i + 1 < text.size() && text[i + 1] == '"') field += '"', ++i;
      else if (ch == '"') quoted = false;
      else field += ch;
    } else if (ch == '"') {
      quoted = true;
    } else if (ch == ',') {
      row.push_back(field), field.clear();
    } else if (ch == '\n' || ch == '\r') {
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      row.push_back(field), field.clear();
      rows.push_back(row), row.clear();
    } else {
      field += ch;
    }
  }
  if (!field.empty() || !row.empty()) row.push_back(field), rows.push_back(row);
  return rows;
}

RegisterTest::Sheet RegisterTest::readBack(const std::string& xlsPath) {
  Sheet sheet;
  const char* source = std::getenv("VT_SOURCE_DIR");
  const std::string script = std::string(source ? source : "../../../..") + "/tests/receipts/xls_readback.py";
  const std::string out = xlsPath + ".cells";
  DeleteFileW(ui::Widen(out).c_str());
  // A Unix program started from inside Wine: start.exe /unix runs it.
  std::wstring cmd = L"start.exe /wait /unix /usr/bin/python3 \"" + ui::Widen(script) + L"\" \"" +
                     ui::Widen(unixPath(xlsPath)) + L"\" \"" + ui::Widen(unixPath(out)) + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
    return sheet;
  WaitForSingleObject(pi.hProcess, 120000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  // start.exe does not wait for a Unix program; the script moves its output
  // into place when it is complete.
  for (int waited = 0; waited < 120000 && GetFileAttributesW(ui::Widen(out).c_str()) == INVALID_FILE_ATTRIBUTES;
       waited += 50)
    Sleep(50);
  std::ifstream in(std::filesystem::path(ui::Widen(out)), std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> parts;
    std::stringstream ss(line);
    std::string part;
    while (std::getline(ss, part, '\t')) parts.push_back(part);
    if (parts.size() == 2 && parts[0] == "sheets") sheet[{0, 1}] = {"sheets", parts[1]};
    if (parts.size() == 3 && parts[0] == "size") sheet[{0, 0}] = {"size", parts[1] + "x" + parts[2]};
    if (parts.size() == 3) parts.emplace_back();
    if (parts.size() != 4 || parts[0] == "size") continue;
    if (parts[2] == "empty") continue;
    sheet[{std::stoi(parts[0]), std::stoi(parts[1])}] = {parts[2], unescape(parts[3])};
  }
  return sheet;
}

}  // namespace vt::test
