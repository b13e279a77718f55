#pragma once
// The program-wide database connection: an ADO-shaped front over one SQLite
// file that accepts the program's Jet SQL as written.
#include <memory>
#include <string>
#include <vector>

#include "platform/vb/variant.h"

namespace db {

class Recordset;

// The tables every database of the program holds; restoreFrom refuses a file without them.
const std::vector<std::string>& programTables();

class Connection : public std::enable_shared_from_this<Connection> {
public:
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  static std::shared_ptr<Connection> create() { return std::make_shared<Connection>(); }

  void setProvider(std::string provider);
  const std::string& provider() const;
  // Before open: what was set. While open: the string as the open connection
  // reports it; a second connection opened with it reaches the same file.
  void setConnectionString(std::string cs);
  std::string connectionString() const;
  // Provider properties such as "Jet OLEDB:Database Password"; the file has no
  // password of its own, so the value is only kept and reported.
  void setProperty(const std::string& name, const vb::Variant& value);

  // Opens the file named by "Data Source=". Fails, creating nothing, when the
  // file is missing or is not a database with tables.
  void open(const std::string& connectionString = "", const std::string& user = "",
            const std::string& password = "", int options = -1);
  // Runs one statement; returns the records it changed (0 for others).
  long execute(const std::string& sql, int options = -1);
  void close();
  bool isOpen() const;
  const std::string& dataSource() const;

  void beginTrans();
  void commitTrans();
  void rollbackTrans();

  // A consistent copy of the open database into path (replacing that file).
  void backupTo(const std::string& path);
  // Replaces the open database's content with the file's, in one step. Refuses
  // (changing nothing) a file that is not a database holding requiredTables.
  void restoreFrom(const std::string& path,
                   const std::vector<std::string>& requiredTables = programTables());

  struct Impl;
  Impl& impl() const { return *impl_; }

private:
  std::unique_ptr<Impl> impl_;
};

// Doubles every apostrophe so that user text can stand between quotes in a statement.
std::string quote(const std::string& userText);

}  // namespace db
