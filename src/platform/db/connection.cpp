#include "platform/db/connection.h"

#include <atomic>
#include <cctype>
#include <cstring>
#include <filesystem>

#include "platform/db/internal.h"
#include "platform/vb/error.h"

namespace db {

void raiseSqlError(const std::string& description) {
  throw vb::Error(errnum::SqlError, description, kEngineSource);
}

void raiseError(int number, const std::string& description, const char* source) {
  throw vb::Error(number, description, source);
}

std::string lowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  return s;
}

namespace {
inline unsigned char foldAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

// From the length and three letters: a table's field names seldom share all
// four, and the full comparison follows anyway.
size_t foldedHash(const char* s, size_t n) {
  if (n == 0) return 0;
  const auto at = [s](size_t i) { return static_cast<size_t>(foldAscii(static_cast<unsigned char>(s[i]))); };
  return n * 31 + at(0) * 7 + at(n / 2) * 131 + at(n - 1) * 1031;
}
}  // namespace

bool equalsIgnoringCase(const char* a, size_t an, const std::string& b) {
  if (an != b.size()) return false;
  if (std::memcmp(a, b.data(), an) == 0) return true;  // most names come spelled as declared
  for (size_t i = 0; i < an; ++i)
    if (foldAscii(static_cast<unsigned char>(a[i])) != foldAscii(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

void ColumnSet::index() {
  size_t size = 8;
  while (size < names.size() * 2) size *= 2;
  slots_.assign(size, -1);
  for (size_t i = 0; i < names.size(); ++i) {
    if (find(names[i].data(), names[i].size()) >= 0) continue;  // the first of equal names wins
    size_t s = foldedHash(names[i].data(), names[i].size()) & (size - 1);
    while (slots_[s] >= 0) s = (s + 1) & (size - 1);
    slots_[s] = static_cast<int>(i);
  }
}

int ColumnSet::find(const char* name, size_t size) const {
  if (slots_.empty()) return -1;
  const size_t mask = slots_.size() - 1;
  for (size_t s = foldedHash(name, size) & mask; slots_[s] >= 0; s = (s + 1) & mask)
    if (equalsIgnoringCase(name, size, names[static_cast<size_t>(slots_[s])])) return slots_[s];
  return -1;
}

std::string quote(const std::string& userText) {
  std::string out;
  out.reserve(userText.size() + 4);
  for (char c : userText) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out;
}

const std::vector<std::string>& programTables() {
  static const std::vector<std::string> tables = {"Tuser",          "tblset",      "tblkwitansi",
                                                  "tblkuitansitemp", "tblcustomer", "tbladmin"};
  return tables;
}

namespace {

std::string trim(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
  while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
  return s.substr(a, b - a);
}

// "key=value;key=\"value\";..." into pairs; keys keep their spelling.
std::vector<std::pair<std::string, std::string>> parseConnectionString(const std::string& cs) {
  std::vector<std::pair<std::string, std::string>> out;
  size_t i = 0;
  while (i < cs.size()) {
    const size_t eq = cs.find('=', i);
    if (eq == std::string::npos) break;
    std::string key = trim(cs.substr(i, eq - i));
    size_t j = eq + 1;
    while (j < cs.size() && cs[j] == ' ') ++j;
    std::string value;
    if (j < cs.size() && (cs[j] == '"' || cs[j] == '\'')) {
      const char q = cs[j++];
      while (j < cs.size()) {
        if (cs[j] == q) {
          if (j + 1 < cs.size() && cs[j + 1] == q) {
            value += q;
            j += 2;
            continue;
          }
          ++j;
          break;
        }
        value += cs[j++];
      }
      const size_t semi = cs.find(';', j);
      i = semi == std::string::npos ? cs.size() : semi + 1;
    } else {
      const size_t semi = cs.find(';', j);
      value = trim(cs.substr(j, semi == std::string::npos ? std::string::npos : semi - j));
      i = semi == std::string::npos ? cs.size() : semi + 1;
    }
    if (!key.empty()) out.emplace_back(key, value);
  }
  return out;
}

std::string quoteValue(const std::string& v) {
  if (v.find_first_of(";\"'") == std::string::npos && !v.empty() && v.front() != ' ' && v.back() != ' ')
    return v;
  std::string out = "\"";
  for (char c : v) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

bool hasTable(sqlite3* db, const std::string& name) {
  sqlite3_stmt* st = nullptr;
  bool found = false;
  if (sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?1 COLLATE NOCASE", -1,
                         &st, nullptr) == SQLITE_OK) {
    sqlite3_bind_text(st, 1, name.c_str(), -1, SQLITE_TRANSIENT);
    found = sqlite3_step(st) == SQLITE_ROW;
  }
  sqlite3_finalize(st);
  return found;
}

// Number of tables, or -1 when the file cannot be read as a database.
int tableCount(sqlite3* db) {
  sqlite3_stmt* st = nullptr;
  int n = -1;
  if (sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master WHERE type='table'", -1, &st, nullptr) ==
          SQLITE_OK &&
      sqlite3_step(st) == SQLITE_ROW)
    n = sqlite3_column_int(st, 0);
  sqlite3_finalize(st);
  return n;
}

bool onlySpaceOrSemicolons(const char* tail) {
  for (; tail && *tail; ++tail)
    if (!std::isspace(static_cast<unsigned char>(*tail)) && *tail != ';') return false;
  return true;
}

}  // namespace

// --- Impl --------------------------------------------------------------------

Connection::Impl::~Impl() {
  finalizeAll();
  if (db) sqlite3_close_v2(db);
}

void Connection::Impl::requireOpen() const {
  if (!db) raiseError(errnum::ObjectClosed, "Operation is not allowed when the object is closed.", kConnectionSource);
}

void Connection::Impl::fail(const std::string& context) {
  raiseSqlError(std::string(sqlite3_errmsg(db)) + (context.empty() ? "" : " (SQL: " + context + ")"));
}

void Connection::Impl::finalizeAll() {
  settleStreaming(this);
  ++generation;
  for (auto& s : statements) sqlite3_finalize(s.second.stmt);
  statements.clear();
  for (auto& w : writes) sqlite3_finalize(w.second);
  writes.clear();
}

void Connection::Impl::forgetSchema() {
  finalizeAll();
  tables.clear();
}

std::shared_ptr<TableInfo> Connection::Impl::table(const std::string& name) {
  const std::string key = lowerAscii(name);
  auto it = tables.find(key);
  if (it != tables.end()) return it->second;
  auto info = std::make_shared<TableInfo>();
  sqlite3_stmt* st = nullptr;
  std::string sql = "PRAGMA table_info(\"";
  for (char c : name) sql += (c == '"') ? std::string("\"\"") : std::string(1, c);
  sql += "\")";
  int pkCount = 0, pkIndex = -1;
  bool pkInteger = false;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
    while (sqlite3_step(st) == SQLITE_ROW) {
      const char* col = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
      const char* type = reinterpret_cast<const char*>(sqlite3_column_text(st, 2));
      const int idx = static_cast<int>(info->columns.size());
      info->columns.emplace_back(col ? col : "", kindOfDeclType(type));
      info->byLowerName.emplace(lowerAscii(col ? col : ""), idx);
      if (sqlite3_column_int(st, 5) > 0) {
        ++pkCount;
        pkIndex = idx;
        pkInteger = type && lowerAscii(type) == "integer";
      }
    }
  }
  sqlite3_finalize(st);
  if (info->columns.empty()) return nullptr;
  if (pkCount == 1 && pkInteger) info->rowidAlias = pkIndex;
  info->name = name;
  tables.emplace(key, info);
  return info;
}

std::vector<std::pair<std::string, ColumnKind>> Connection::Impl::columns(const std::string& name) {
  auto t = table(name);
  return t ? t->columns : std::vector<std::pair<std::string, ColumnKind>>{};
}

CachedStatement& Connection::Impl::statement(const std::string& jet, bool forWriting) {
  requireOpen();
  const std::string key = forWriting ? "\x01" + jet : jet;
  ++clock.run;
  auto it = statements.find(key);
  if (it != statements.end()) {
    settleStreaming(this, it->second.stmt);  // a recordset still reading with it
    sqlite3_reset(it->second.stmt);
    sqlite3_clear_bindings(it->second.stmt);
    return it->second;
  }
  if (statements.size() > 256) {  // a program repeats few texts; keep the cache small
    settleStreaming(this);
    for (auto& s : statements) sqlite3_finalize(s.second.stmt);
    statements.clear();
  }
  const Translation tr = translateJet(jet, this);
  std::shared_ptr<TableInfo> info;
  if (forWriting && tr.kind == StatementKind::Select && tr.simpleSelect) info = table(tr.table);
  std::string sql = tr.sql;
  if (info) {
    size_t p = sql.find_first_not_of(" \t\r\n");
    sql.insert(p + 6, " _rowid_ AS __vt_rowid,");  // after SELECT
  }
  CachedStatement cs;
  cs.kind = tr.kind;
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &cs.stmt, &tail) != SQLITE_OK) {
    sqlite3_finalize(cs.stmt);
    fail(jet);
  }
  if (!cs.stmt) raiseSqlError("Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'.");
  if (!onlySpaceOrSemicolons(tail)) {
    sqlite3_finalize(cs.stmt);
    raiseSqlError("Characters found after end of SQL statement. (SQL: " + jet + ")");
  }
  auto cols = std::make_shared<ColumnSet>();
  const int n = sqlite3_column_count(cs.stmt);
  cols->hiddenRowid = info != nullptr;
  for (int i = info ? 1 : 0; i < n; ++i) {
    const char* nm = sqlite3_column_name(cs.stmt, i);
    cols->names.emplace_back(nm ? nm : "");
    cols->kinds.push_back(kindOfDeclType(sqlite3_column_decltype(cs.stmt, i)));
  }
  cols->index();
  if (info) {
    // Which fields are columns of the table, and where the filled-in key
    // reads back, are settled once per statement, not at every write.
    cols->table = tr.table;
    cols->writable.assign(cols->names.size(), false);
    for (size_t i = 0; i < cols->names.size(); ++i)
      cols->writable[i] = info->byLowerName.count(lowerAscii(cols->names[i])) > 0;
    if (info->rowidAlias >= 0) {
      const std::string& key = info->columns[info->rowidAlias].first;
      cols->keyField = cols->find(key.data(), key.size());
    }
  }
  cs.cols = std::move(cols);
  return statements.emplace(key, std::move(cs)).first->second;
}

sqlite3_stmt* Connection::Impl::writeStatement(const std::string& sql) {
  requireOpen();
  auto it = writes.find(sql);
  if (it != writes.end()) {
    sqlite3_reset(it->second);
    sqlite3_clear_bindings(it->second);
    return it->second;
  }
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &st, nullptr) != SQLITE_OK) {
    sqlite3_finalize(st);
    fail(sql);
  }
  writes.emplace(sql, st);
  return st;
}

// --- Connection ----------------------------------------------------------------

Connection::Connection() : impl_(new Impl) {}
Connection::~Connection() = default;

void Connection::setProvider(std::string provider) { impl_->provider = std::move(provider); }
const std::string& Connection::provider() const { return impl_->provider; }
void Connection::setConnectionString(std::string cs) { impl_->connectionString = std::move(cs); }
const std::string& Connection::dataSource() const { return impl_->dataSource; }
bool Connection::isOpen() const { return impl_->db != nullptr; }

std::string Connection::connectionString() const {
  if (!impl_->db) return impl_->connectionString;
  return "Provider=" + impl_->provider + ";User ID=Admin;Data Source=" + quoteValue(impl_->dataSource) +
         ";Mode=Share Deny None;Extended Properties=\"\";Jet OLEDB:Database Password=" +
         (impl_->password.empty() ? std::string("\"\"") : quoteValue(impl_->password)) + ";Jet OLEDB:Engine Type=5";
}

void Connection::setProperty(const std::string& name, const vb::Variant& value) {
  if (lowerAscii(name) == "jet oledb:database password") {
    impl_->password = value.isNull() || value.isEmpty() ? std::string() : value.toString();
    return;
  }
  // Other provider properties tune an engine we do not have; they are accepted and ignored.
}

void Connection::open(const std::string& cs, const std::string&, const std::string&, int) {
  if (impl_->db)
    raiseError(errnum::NotAllowed, "Operation is not allowed when the object is open.", kConnectionSource);
  if (!cs.empty()) impl_->connectionString = cs;
  std::string source;
  for (const auto& kv : parseConnectionString(impl_->connectionString)) {
    const std::string key = lowerAscii(kv.first);
    if (key == "data source") source = kv.second;
    else if (key == "provider") impl_->provider = kv.second;
    else if (key == "jet oledb:database password") impl_->password = kv.second;
  }
  if (source.empty())
    raiseError(errnum::CannotOpen, "No Data Source was given in the connection string.", kEngineSource);
  sqlite3* db = nullptr;
  // Without SQLITE_OPEN_CREATE a missing file is an error, never a new empty database.
  if (sqlite3_open_v2(source.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close_v2(db);
    raiseError(errnum::CannotOpen, "Could not find file '" + source + "'.", kEngineSource);
  }
  if (tableCount(db) <= 0) {
    sqlite3_close_v2(db);
    raiseError(errnum::CannotOpen, "Unrecognized database format '" + source + "'.", kEngineSource);
  }
  sqlite3_busy_timeout(db, 5000);
  // Every committed change reaches the disk before the call returns.
  sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
  // Large registers are read through a mapping of the file and sorted in a
  // page cache that holds them: without these a sorted query over 100,000
  // receipts reads its rows page by page, one system call each, and sorts in
  // temporary files. Writes still go through the file, journal first.
  sqlite3_exec(db, "PRAGMA cache_size=-32768", nullptr, nullptr, nullptr);
  sqlite3_exec(db, "PRAGMA mmap_size=268435456", nullptr, nullptr, nullptr);
  registerFunctions(db, &impl_->clock);
  impl_->db = db;
  impl_->dataSource = source;
}

void Connection::close() {
  impl_->forgetSchema();
  if (impl_->db) sqlite3_close_v2(impl_->db);
  impl_->db = nullptr;
}

long Connection::execute(const std::string& sql, int) {
  CachedStatement& cs = impl_->statement(sql, false);
  // Recordsets still reading keep what they would have read before a change.
  if (cs.kind != StatementKind::Select) settleStreaming();
  int rc;
  while ((rc = sqlite3_step(cs.stmt)) == SQLITE_ROW) {
  }
  const StatementKind kind = cs.kind;
  if (rc != SQLITE_DONE) {
    const std::string msg = sqlite3_errmsg(impl_->db);
    sqlite3_reset(cs.stmt);
    raiseSqlError(msg + " (SQL: " + sql + ")");
  }
  sqlite3_reset(cs.stmt);
  if (kind == StatementKind::Ddl) {
    impl_->forgetSchema();
    return 0;
  }
  if (kind == StatementKind::Insert || kind == StatementKind::Update || kind == StatementKind::Delete)
    return static_cast<long>(sqlite3_changes(impl_->db));
  return 0;
}

void Connection::beginTrans() {
  impl_->requireOpen();
  if (sqlite3_exec(impl_->db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) impl_->fail("BEGIN");
}

void Connection::commitTrans() {
  impl_->requireOpen();
  if (sqlite3_get_autocommit(impl_->db))
    raiseError(errnum::NotAllowed, "No transaction is active.", kConnectionSource);
  settleStreaming();
  if (sqlite3_exec(impl_->db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) impl_->fail("COMMIT");
}

void Connection::rollbackTrans() {
  impl_->requireOpen();
  if (sqlite3_get_autocommit(impl_->db))
    raiseError(errnum::NotAllowed, "No transaction is active.", kConnectionSource);
  settleStreaming();
  if (sqlite3_exec(impl_->db, "ROLLBACK", nullptr, nullptr, nullptr) != SQLITE_OK) impl_->fail("ROLLBACK");
}

void Connection::backupTo(const std::string& path) {
  impl_->requireOpen();
  settleStreaming();  // the file written may be one that a recordset is reading
  // The copy is written beside the target under a name of its own and moved
  // into place only when whole: a failed backup leaves no half-written file
  // and the file it was to replace as it was, whatever that file held.
  static std::atomic<unsigned> counter{0};
  std::string temp;
  std::error_code ec;
  do {
    temp = path + ".~" + std::to_string(counter++) + ".tmp";
  } while (std::filesystem::exists(filePath(temp), ec));
  auto discard = [&temp] {
    std::error_code ignored;
    std::filesystem::remove(filePath(temp), ignored);
    std::filesystem::remove(filePath(temp + "-journal"), ignored);
  };
  sqlite3* dest = nullptr;
  if (sqlite3_open_v2(temp.c_str(), &dest, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
    sqlite3_close_v2(dest);
    discard();
    raiseError(errnum::CannotOpen, "Cannot write the backup file '" + path + "'.", kEngineSource);
  }
  sqlite3_busy_timeout(dest, 5000);
  sqlite3_exec(dest, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
  sqlite3_backup* b = sqlite3_backup_init(dest, "main", impl_->db, "main");
  int rc = SQLITE_ERROR;
  if (b) {
    rc = sqlite3_backup_step(b, -1);
    sqlite3_backup_finish(b);
  }
  const std::string msg = sqlite3_errmsg(dest);
  const bool closed = sqlite3_close(dest) == SQLITE_OK;
  if (rc != SQLITE_DONE || !closed) {
    discard();
    raiseError(errnum::CannotOpen, "Backup to '" + path + "' failed: " + msg, kEngineSource);
  }
  std::filesystem::rename(filePath(temp), filePath(path), ec);
  if (ec) {
    discard();
    raiseError(errnum::CannotOpen, "Cannot write the backup file '" + path + "': " + ec.message(), kEngineSource);
  }
}

void Connection::restoreFrom(const std::string& path, const std::vector<std::string>& requiredTables) {
  impl_->requireOpen();
  if (!sqlite3_get_autocommit(impl_->db))
    raiseError(errnum::NotAllowed, "Cannot restore while a transaction is active.", kConnectionSource);
  sqlite3* src = nullptr;
  if (sqlite3_open_v2(path.c_str(), &src, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close_v2(src);
    raiseError(errnum::CannotOpen, "Could not find file '" + path + "'.", kEngineSource);
  }
  bool ok = tableCount(src) > 0;
  for (const auto& t : requiredTables) ok = ok && hasTable(src, t);
  if (!ok) {
    sqlite3_close_v2(src);
    raiseError(errnum::CannotOpen, "The file '" + path + "' is not a database of this program.", kEngineSource);
  }
  const char* ours = sqlite3_db_filename(impl_->db, "main");
  const char* theirs = sqlite3_db_filename(src, "main");
  if (ours && theirs && std::string(ours) == theirs) {  // restoring the file onto itself changes nothing
    sqlite3_close_v2(src);
    return;
  }
  settleStreaming();
  impl_->forgetSchema();
  // The backup writes the whole content into our file in one transaction:
  // either all of the new content is there afterwards or none of it.
  sqlite3_backup* b = sqlite3_backup_init(impl_->db, "main", src, "main");
  int rc = SQLITE_ERROR;
  if (b) {
    rc = sqlite3_backup_step(b, -1);
    sqlite3_backup_finish(b);
  }
  const std::string msg = sqlite3_errmsg(impl_->db);
  sqlite3_close_v2(src);
  if (rc != SQLITE_DONE) raiseError(errnum::CannotOpen, "Restore from '" + path + "' failed: " + msg, kEngineSource);
}

}  // namespace db
