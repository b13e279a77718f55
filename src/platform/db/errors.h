#pragma once
// The layer's errors: every failure surfaces as vb::Error with the numbers
// and sources the program's error messages expect of the database engine.
#include <string>

namespace db {

constexpr const char* kEngineSource = "Microsoft JET Database Engine";
constexpr const char* kRecordsetSource = "ADODB.Recordset";
constexpr const char* kConnectionSource = "ADODB.Connection";

namespace errnum {
constexpr int SqlError = -2147217900;       // a statement that cannot run
constexpr int ItemNotFound = -2146825023;   // no field of that name or position
constexpr int NoCurrentRecord = -2146825267;  // BOF or EOF is True
constexpr int ObjectClosed = -2146824584;   // operation on a closed object
constexpr int NotAllowed = -2146824580;     // operation not allowed in this context
constexpr int NotUpdatable = -2146825037;   // recordset cannot be updated
constexpr int CannotOpen = -2147467259;     // database file missing or not a database
constexpr int TypeMismatch = -2147217913;   // value does not fit the column
}  // namespace errnum

[[noreturn]] void raiseSqlError(const std::string& description);
[[noreturn]] void raiseError(int number, const std::string& description, const char* source);

}  // namespace db
