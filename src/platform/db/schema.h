#pragma once
// The program's database as a new installation gets it: every table the
// program reads, the first user and a sample receipt.
#include <string>

namespace db {

// Creates path as a new database file. Raises vb::Error, creating nothing,
// when the file already exists or cannot be written.
void createProgramDatabase(const std::string& path);

// The database a new program folder gets (makedb): the same, with one
// settings row of empty texts and the first receipt template.
void createInstallationDatabase(const std::string& path);

}  // namespace db
