// The main window's command dispatcher and the commands it runs itself:
// backup, restore, reset, wallpaper and the manual.
#include <windows.h>

#include <string>

#include "core/frmlogin.h"
#include "core/hooks.h"
#include "core/mdiform1.h"
#include "core/module1.h"
#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/ui/win_util.h"
#include "platform/vb/format.h"
#include "platform/vb/variant.h"

using Module1::koneksi;

namespace {

// Both names reach the same file (letter case and relative parts aside).
bool SameFile(const std::string& a, const std::string& b) {
  auto full = [](const std::string& path) {
    wchar_t buffer[MAX_PATH * 2];
    const DWORD n = GetFullPathNameW(ui::Widen(path).c_str(), MAX_PATH * 2, buffer, nullptr);
    std::wstring result = n > 0 && n < MAX_PATH * 2 ? std::wstring(buffer, n) : ui::Widen(path);
    for (auto& c : result)
      if (c == L'/') c = L'\\';
    return result;
  };
  return CompareStringOrdinal(full(a).c_str(), -1, full(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

[[noreturn]] void RaiseLastError() {
  const DWORD code = GetLastError();
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string description = text ? ui::Narrow(text) : std::string();
  if (text) LocalFree(text);
  while (!description.empty() && (description.back() == '\n' || description.back() == '\r')) description.pop_back();
  vb::raise(75, description.empty() ? "Path/File access error" : description);
}

std::string DatabaseFile() { return ui::App::get().Path() + "\\base.mdb"; }

}  // namespace

void MDIForm1::RibbonBar1_ButtonClick(const std::string& id, const std::string& /*caption*/) {
  // The ID is compared as a number: one that is no number matches no
  // command (read as 0 it would open the receipt entry).
  double number = 0;
  if (!vb::parseNumber(id, number)) return;
  if (number == 6) {
    Backup();
  } else if (number == 7) {
    Restore();
  } else if (number == 8) {
    Reset();
  } else if (number == 9) {
    Wallpaper();
  } else if (number == 12) {
    Panduan();
  } else {
    // The dialogs of the other subsystems, as the program registered them;
    // an ID without a command does nothing.
    core::runCommand(number, *this);
  }
}

// The open database is copied through the connection, so that the copy is
// consistent while the program holds it open, and a restore replaces the
// content the running program reads in one step instead of overwriting the
// file under it.
bool MDIForm1::CopyFileEvenIfOpen(const std::string& SourceFile, const std::string& DestFile) {
  if (!ui::FileExists(SourceFile)) {
    ui::MsgBox("\"" + SourceFile + "\" is not valid file name.", ui::vbOKOnly);
    return false;
  }
  if (SameFile(SourceFile, DestFile)) vb::raise(70);  // a file cannot be copied onto itself
  const bool connected = koneksi && koneksi->isOpen();
  if (connected && SameFile(SourceFile, DatabaseFile())) {
    koneksi->backupTo(DestFile);
  } else if (connected && SameFile(DestFile, DatabaseFile())) {
    koneksi->restoreFrom(SourceFile);
  } else if (!CopyFileW(ui::Widen(SourceFile).c_str(), ui::Widen(DestFile).c_str(), FALSE)) {
    RaiseLastError();
  }
  return true;
}

void MDIForm1::Backup() {
  CommonDialog2.CancelError = true;
  std::string chosen;
  try {
    CommonDialog2.FileName = "Backup Kwitansi - " + vb::Format(vb::now(), "ddmmyy") + ".mdb";
    CommonDialog2.Filter = "Database (*.mdb)|*.mdb";
    CommonDialog2.DialogTitle = "Tempat Penyimpanan";
    CommonDialog2.ShowSave();
    chosen = CommonDialog2.FileName;
  } catch (const vb::Error&) {
    return;  // cancelled: nothing to say
  }
  if (chosen.empty()) return;
  try {
    if (!CopyFileEvenIfOpen(DatabaseFile(), chosen)) return;
  } catch (const vb::Error& e) {
    ui::MsgBox("Backup gagal: " + e.description(), ui::vbExclamation, "Talvoren");
    return;
  }
  ui::MsgBox("File Berhasil Di backup " + chosen, ui::vbInformation, "Talvoren");
}

void MDIForm1::Restore() {
  CommonDialog3.CancelError = true;
  std::string chosen;
  try {
    // An empty name means that no file was chosen.
    CommonDialog3.FileName = "";
    CommonDialog3.Filter = "Database (*.mdb)|*.mdb";
    CommonDialog3.ShowOpen();
    chosen = CommonDialog3.FileName;
  } catch (const vb::Error&) {
    return;  // cancelled: nothing to say
  }
  if (chosen.empty()) return;
  // The logged-in user is found again by name in the restored users: a key
  // of the old table may name another user there.
  Frmlogin& login = ui::Default<Frmlogin>();
  std::string user;
  Module1::abaikanError([&] { user = login.namaLogin(); });
  try {
    // The connection refuses a file that is not a database with the
    // program's tables, changing nothing.
    if (!CopyFileEvenIfOpen(chosen, DatabaseFile())) return;
    // The restored data may come from before the start-up's schema upgrade.
    Frmlogin::TambahKolom();
  } catch (const vb::Error& e) {
    ui::MsgBox("Restore gagal, data tidak berubah: " + e.description(), ui::vbExclamation, "talvoren");
    return;
  }
  Module1::abaikanError([&] { login.cariLoginLagi(user); });
  MuatUlangPengaturan();
  ui::MsgBox("Restore Sukses", ui::vbInformation, "talvoren");
}

void MDIForm1::Reset() {
  // No is the default: an Enter too many must not empty the tables.
  if (ui::MsgBox("semua data akan terhapus, yakin anda ingin melakukannya?", ui::vbYesNo | ui::vbDefaultButton2,
                 "hapus") != ui::vbYes)
    return;
  // Both tables are emptied together or not at all.
  try {
    koneksi->beginTrans();
    koneksi->execute("DELETE * FROM [tblkwitansi]", -1);
    koneksi->execute("DELETE * FROM [tblcustomer]", -1);
    koneksi->commitTrans();
  } catch (const vb::Error& e) {
    Module1::abaikanError([] { koneksi->rollbackTrans(); });
    ui::MsgBox("Reset gagal, tidak ada data yang dihapus: " + e.description(), ui::vbExclamation, "Hapus");
    return;
  }
  MuatUlangPengaturan();
  ui::MsgBox("Semua Record Telah berhasil dihapus", ui::vbInformation, "Hapus");
}

// The settings object and the caption follow what the database holds now,
// so that receipts and the settings' own save do not use the old row.
void MDIForm1::MuatUlangPengaturan() {
  Module1::abaikanError([] { core::reloadSettings(); });
  Module1::abaikanError([] { tampilkanJudul(); });
}

void MDIForm1::Wallpaper() {
  CommonDialog1.CancelError = true;
  // Any failure (cancel, not a picture, copy refused) skips the rest silently.
  try {
    CommonDialog1.Filter = "Pictures (*.jpg)|*.jpg";
    CommonDialog1.ShowOpen();
    Picture3.LoadPicture(CommonDialog1.FileName);
    const std::string target = ui::App::get().Path() + "\\images\\" + "latar" + ".jpg";
    if (!CopyFileW(ui::Widen(CommonDialog1.FileName).c_str(), ui::Widen(target).c_str(), FALSE))
      RaiseLastError();
    ui::MsgBox("silakan tutup aplikasi, kemudian buka lagi aplikasi untuk melihat perubahan", ui::vbInformation,
               "Merovali");
    RibbonBar1.bar().Refresh();
  } catch (const vb::Error&) {
  }
}

void MDIForm1::Panduan() {
  // The shell answers 32 or less when it could not open the manual: no file,
  // or no program for PDF files.
  if (ui::ShellExecuteFile(nullptr, "", ui::App::get().Path() + "\\panduan.pdf", "", "", SW_SHOWNORMAL) > 32)
    return;
  ui::MsgBox("Terjadi kesalahan saat memuat file bantuan, pastikan pc anda telah terinstall Adobe Reader / PDF Reader",
             ui::vbInformation, "Talvoren");
}
