#include "platform/db/schema.h"

#include <sqlite3.h>

#include <filesystem>

#include "platform/db/internal.h"

namespace db {

namespace {

// Text columns compare without regard to letter case, as the program's
// queries expect; dates are stored as day serials (DATETIME), so that
// comparisons, ORDER BY and the index on tgl follow time; Yes/No columns hold
// -1 or 0.
const char* kSchema = R"SQL(
CREATE TABLE Tuser (
  nomor INTEGER PRIMARY KEY AUTOINCREMENT,
  kodeuser TEXT(50) COLLATE NOCASE,
  pasword TEXT(50) COLLATE NOCASE,
  checkmaster YESNO NOT NULL DEFAULT 0,
  checknasabah YESNO NOT NULL DEFAULT 0,
  checkpengaturan YESNO NOT NULL DEFAULT 0,
  check1 YESNO NOT NULL DEFAULT 0, check2 YESNO NOT NULL DEFAULT 0,
  check3 YESNO NOT NULL DEFAULT 0, check4 YESNO NOT NULL DEFAULT 0,
  check5 YESNO NOT NULL DEFAULT 0, check6 YESNO NOT NULL DEFAULT 0,
  check7 YESNO NOT NULL DEFAULT 0, check8 YESNO NOT NULL DEFAULT 0,
  check9 YESNO NOT NULL DEFAULT 0, check10 YESNO NOT NULL DEFAULT 0,
  check11 YESNO NOT NULL DEFAULT 0, check12 YESNO NOT NULL DEFAULT 0,
  check13 YESNO NOT NULL DEFAULT 0);
CREATE TABLE tblset (
  noset INTEGER PRIMARY KEY AUTOINCREMENT,
  namalembaga TEXT(255) COLLATE NOCASE,
  alamat MEMO COLLATE NOCASE,
  tempatcetak TEXT(255) COLLATE NOCASE,
  pemilik TEXT(255) COLLATE NOCASE,
  jabatan TEXT(255) COLLATE NOCASE,
  Catatan MEMO COLLATE NOCASE,
  NoKw TEXT(50) COLLATE NOCASE,
  templete TEXT(50) COLLATE NOCASE);
CREATE TABLE tblkwitansi (
  "no" INTEGER PRIMARY KEY AUTOINCREMENT,
  NoKwitansi TEXT(50) COLLATE NOCASE,
  NoPasport TEXT(50) COLLATE NOCASE,
  SudahTerima TEXT(255) COLLATE NOCASE,
  Matauang TEXT(10) COLLATE NOCASE,
  Nominal TEXT(50) COLLATE NOCASE,
  untuk MEMO COLLATE NOCASE,
  Catatan MEMO COLLATE NOCASE,
  TempatDiterima TEXT(255) COLLATE NOCASE,
  tgl DATETIME,
  oleh TEXT(255) COLLATE NOCASE);
CREATE INDEX tblkwitansi_tgl ON tblkwitansi (tgl);
CREATE INDEX tblkwitansi_NoKwitansi ON tblkwitansi (NoKwitansi);
CREATE TABLE tblkuitansitemp (
  "no" INTEGER PRIMARY KEY AUTOINCREMENT,
  NoKwitansi TEXT(50) COLLATE NOCASE,
  NoPasport TEXT(50) COLLATE NOCASE,
  SudahTerima TEXT(255) COLLATE NOCASE,
  Matauang TEXT(10) COLLATE NOCASE,
  Nominal TEXT(50) COLLATE NOCASE,
  untuk MEMO COLLATE NOCASE,
  Catatan MEMO COLLATE NOCASE,
  TempatDiterima TEXT(255) COLLATE NOCASE,
  tgl DATETIME,
  oleh TEXT(255) COLLATE NOCASE,
  terbilang MEMO COLLATE NOCASE);
CREATE TABLE tblcustomer (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  Nocustomer TEXT(10) COLLATE NOCASE,
  nama TEXT(255) COLLATE NOCASE,
  alamat TEXT(255) COLLATE NOCASE,
  telpn TEXT(50) COLLATE NOCASE,
  email TEXT(100) COLLATE NOCASE,
  perusahaan TEXT(255) COLLATE NOCASE);
CREATE INDEX tblcustomer_Nocustomer ON tblcustomer (Nocustomer);
CREATE TABLE tbladmin (pasw TEXT(50) COLLATE NOCASE);

INSERT INTO Tuser (kodeuser, pasword, checkmaster, checknasabah, checkpengaturan, check1, check2, check3,
  check4, check5, check6, check7, check8, check9, check10, check11, check12, check13)
  VALUES ('ADMIN', 'admin', -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
INSERT INTO tbladmin (pasw) VALUES ('admin');
-- 5 December 2025 as a day serial.
INSERT INTO tblkuitansitemp (NoKwitansi, NoPasport, SudahTerima, Matauang, Nominal, untuk, Catatan,
  TempatDiterima, tgl, oleh, terbilang)
  VALUES ('001/12/2025', 'KW-', 'Budi Santoso', 'Rp.', '1,500,000', 'Pembayaran uang sekolah bulan Desember',
  'Pembayaran sudah diterima dengan baik', 'Jakarta', 45996.0, 'Siti Rahmawati',
  'Satu Juta Lima Ratus Ribu ');
)SQL";

// A new program folder starts with its settings row: empty texts and the
// first receipt template, so that nothing shows the settings dialog's design
// texts as the institution's data.
const char* kFirstSettings = R"SQL(
INSERT INTO tblset (namalembaga, alamat, tempatcetak, pemilik, jabatan, Catatan, NoKw, templete)
  VALUES ('', '', '', '', '', '', '', 'Kwitansi 1 Portrait');
)SQL";

void create(const std::string& path, const std::string& extra) {
  std::error_code ec;
  if (std::filesystem::exists(filePath(path), ec)) {
    raiseError(errnum::CannotOpen, "The file '" + path + "' already exists; it is left as it is.", kEngineSource);
  }
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
    sqlite3_close_v2(db);
    raiseError(errnum::CannotOpen, "Cannot create the file '" + path + "'.", kEngineSource);
  }
  char* err = nullptr;
  std::string body = std::string("BEGIN;") + kSchema + extra + "COMMIT;";
  const int rc = sqlite3_exec(db, body.c_str(), nullptr, nullptr, &err);
  const std::string msg = err ? err : "";
  sqlite3_free(err);
  sqlite3_close_v2(db);
  if (rc != SQLITE_OK) {
    std::filesystem::remove(filePath(path), ec);
    raiseSqlError("Cannot create the database '" + path + "': " + msg);
  }
}

}  // namespace

void createProgramDatabase(const std::string& path) { create(path, ""); }

void createInstallationDatabase(const std::string& path) { create(path, kFirstSettings); }

}  // namespace db
