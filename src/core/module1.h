#pragma once
// The program-wide database connection and what every window shares with it:
// the application titles and the helper for stretches that ignore errors.
#include <functional>
#include <memory>

#include "platform/db/connection.h"

namespace Module1 {

// The one connection to base.mdb in the program folder, opened at the login
// dialog's load and kept until the program ends. Every query and statement of
// the program runs on it.
extern std::shared_ptr<db::Connection> koneksi;

// Message boxes without a title of their own show the application title; the
// login dialog's load sets the first one, the main window's load the second.
inline constexpr const char* kJudulLogin = "Vantorel V1.7 Build 28092025";
inline constexpr const char* kJudulUtama = "Vantorel V1.7 BUILD 28092025";

// Creates koneksi and opens base.mdb in the program folder. When the file
// cannot be opened it shows "Fatal Error, Silakan Hub. Admin" and ends the
// program, so it only ever returns true.
bool bukaDatabase();

// Runs one step of a stretch that ignores errors: a failing step is skipped
// and the caller goes on with the next. Ending the program still ends it.
void abaikanError(const std::function<void()>& step);

}  // namespace Module1
