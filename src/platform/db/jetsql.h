#pragma once
// Turns the Jet SQL the program writes into SQLite's dialect: date literals,
// '&', DELETE *, [names], Jet functions, Jet column types, and the conversion
// of values written into date and Yes/No columns.
#include <string>
#include <vector>

namespace db {

// What the layer keeps of a column's declared type.
enum class ColumnKind { Other, Text, Integer, Real, Date, YesNo };

// Reads a declared column type ("DATETIME", "YESNO", "TEXT(255)", ...).
ColumnKind kindOfDeclType(const char* declType);

// What the translator may ask about the tables a statement writes.
class SchemaLookup {
public:
  virtual ~SchemaLookup() = default;
  // Kinds of the table's columns in table order; empty if the table is unknown.
  virtual std::vector<std::pair<std::string, ColumnKind>> columns(const std::string& table) = 0;
};

enum class StatementKind { Select, Insert, Update, Delete, Ddl, Other };

struct Translation {
  std::string sql;          // SQLite text
  StatementKind kind = StatementKind::Other;
  std::string table;        // the one table a simple SELECT, INSERT or UPDATE names
  bool simpleSelect = false;  // SELECT from one table without joins, grouping or DISTINCT
};

// Translates one statement. Throws vb::Error for a malformed date literal or an
// unterminated literal or name. schema may be null (no write conversions then).
Translation translateJet(const std::string& jet, SchemaLookup* schema);

// The serial (days since 30/12/1899) of a "#...#" literal's text: month first
// ("12/05/2026", optional time), or ISO "2026-12-05". False if it is no date.
bool parseJetDateLiteral(const std::string& text, double& serial);

// A serial written as an SQLite REAL literal that reads back bit for bit.
std::string realLiteral(double value);

}  // namespace db
