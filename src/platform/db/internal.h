#pragma once
// What Connection and Recordset share inside the layer.
#include <sqlite3.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/errors.h"
#include "platform/db/jetsql.h"

namespace db {

// A result's columns, worked out once per prepared statement and shared by
// every recordset opened on it.
struct ColumnSet {
  std::vector<std::string> names;
  std::vector<ColumnKind> kinds;
  std::unordered_map<std::string, int> byLowerName;  // first column of each name
  bool hiddenRowid = false;  // column 0 is the rowid, not a field
};

struct TableInfo {
  std::string name;
  std::vector<std::pair<std::string, ColumnKind>> columns;
  std::unordered_map<std::string, int> byLowerName;
  int rowidAlias = -1;  // the INTEGER PRIMARY KEY column the database fills
};

struct CachedStatement {
  Translation tr;
  sqlite3_stmt* stmt = nullptr;
  std::shared_ptr<const ColumnSet> cols;
};

std::string lowerAscii(std::string s);

struct Connection::Impl : SchemaLookup {
  sqlite3* db = nullptr;
  std::string provider = "Microsoft.Jet.OLEDB.4.0";
  std::string connectionString;
  std::string dataSource;
  std::string password;

  std::unordered_map<std::string, CachedStatement> statements;  // by Jet text (+ rowid mark)
  std::unordered_map<std::string, sqlite3_stmt*> writes;        // generated INSERT/UPDATE by SQLite text
  std::unordered_map<std::string, std::shared_ptr<TableInfo>> tables;

  ~Impl() override;
  void requireOpen() const;
  // Prepared, translated statement for a Jet text; withRowid adds the hidden rowid column.
  CachedStatement& statement(const std::string& jet, bool withRowid);
  sqlite3_stmt* writeStatement(const std::string& sqliteText);
  std::shared_ptr<TableInfo> table(const std::string& name);  // null if there is none
  std::vector<std::pair<std::string, ColumnKind>> columns(const std::string& table) override;
  void forgetSchema();  // after DDL or a restore
  void finalizeAll();
  [[noreturn]] void fail(const std::string& context);
};

void registerFunctions(sqlite3* db);
// A value of the given column kind as the program reads it.
vb::Variant readValue(sqlite3_stmt* stmt, int col, ColumnKind kind);
void bindValue(sqlite3_stmt* stmt, int index, const vb::Variant& v);
// The value a column of that kind stores for v; raises when it does not fit.
vb::Variant convertForColumn(const vb::Variant& v, ColumnKind kind, const std::string& column);

}  // namespace db
