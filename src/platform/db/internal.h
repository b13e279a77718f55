#pragma once
// What Connection and Recordset share inside the layer.
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/errors.h"
#include "platform/db/jetsql.h"

namespace db {

// A UTF-8 path as the file system takes it: the program's paths are UTF-8,
// and on Windows this reaches the wide-character calls, the same file SQLite
// opens from the same text.
inline std::filesystem::path filePath(const std::string& utf8) { return std::filesystem::u8path(utf8); }

// A result's columns, worked out once per prepared statement and shared by
// every recordset opened on it.
struct ColumnSet {
  std::vector<std::string> names;
  std::vector<ColumnKind> kinds;
  bool hiddenRowid = false;  // column 0 is the rowid, not a field
  // For a recordset that writes back (hiddenRowid): the table, which fields
  // are its columns, and the field of the key the database fills (-1: none).
  std::string table;
  std::vector<bool> writable;
  int keyField = -1;

  // Builds the name index; call once the names are in.
  void index();
  // The first field of that name in any letter case, or -1. Allocates nothing:
  // it runs for every field access by name.
  int find(const char* name, size_t size) const;

private:
  std::vector<int> slots_;  // open addressing over the names; -1 is empty
};

bool equalsIgnoringCase(const char* a, size_t an, const std::string& b);

struct TableInfo {
  std::string name;
  std::vector<std::pair<std::string, ColumnKind>> columns;
  std::unordered_map<std::string, int> byLowerName;
  int rowidAlias = -1;  // the INTEGER PRIMARY KEY column the database fills
};

struct CachedStatement {
  StatementKind kind = StatementKind::Other;
  sqlite3_stmt* stmt = nullptr;
  std::shared_ptr<const ColumnSet> cols;
};

std::string lowerAscii(std::string s);

// Now() in a statement is one instant for the whole run, as Jet reads the
// clock once per query: the connection counts runs, Now() reads the clock at
// the first call of each.
struct StatementClock {
  unsigned long run = 0;
  unsigned long readInRun = ~0ul;
  double now = 0;
};

struct Connection::Impl : SchemaLookup {
  sqlite3* db = nullptr;
  std::string provider = "Microsoft.Jet.OLEDB.4.0";
  std::string connectionString;
  std::string dataSource;
  std::string password;

  std::unordered_map<std::string, CachedStatement> statements;  // by Jet text (+ write mark)
  std::unordered_map<std::string, sqlite3_stmt*> writes;        // generated INSERT/UPDATE by SQLite text
  std::unordered_map<std::string, std::shared_ptr<TableInfo>> tables;
  // Moves on whenever prepared statements are finalized, so that a recordset
  // can tell whether the write statement it remembers is still alive.
  unsigned long generation = 0;
  StatementClock clock;

  ~Impl() override;
  void requireOpen() const;
  // Prepared, translated statement for a Jet text, reset and ready to step
  // (a new run for Now()).
  // forWriting: a simple SELECT of one table then carries each row's rowid as
  // a hidden column 0, so that the rows can be written back. The text is
  // translated once, when it is first seen.
  CachedStatement& statement(const std::string& jet, bool forWriting);
  sqlite3_stmt* writeStatement(const std::string& sqliteText);
  std::shared_ptr<TableInfo> table(const std::string& name);  // null if there is none
  std::vector<std::pair<std::string, ColumnKind>> columns(const std::string& table) override;
  void forgetSchema();  // after DDL or a restore
  void finalizeAll();
  [[noreturn]] void fail(const std::string& context);
};

// Recordsets of this thread that read their rows as they move (of impl only,
// and only those stepping stmt, when given) read the rest into storage. Called
// before anything that could change what they would read.
void settleStreaming(const Connection::Impl* impl = nullptr, sqlite3_stmt* stmt = nullptr);

void registerFunctions(sqlite3* db, StatementClock* clock);
void bindValue(sqlite3_stmt* stmt, int index, const vb::Variant& v);
// The value a column of that kind stores for v; raises when it does not fit.
vb::Variant convertForColumn(const vb::Variant& v, ColumnKind kind, const std::string& column);

}  // namespace db
