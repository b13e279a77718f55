#pragma once
// What the program's dialog tests share: a temporary program folder with a
// fresh database and an images folder, the program folder override, a fixed
// clock, recorded seams, and clean-up of every window and the connection;
// and the regional date separator switched for one test.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/testing.h"
#include "platform/vb/locale.h"

namespace vt::test {

class ProgramTest : public ::testing::Test {
protected:
  // folderName: the program folder's name under the temporary folder.
  explicit ProgramTest(std::string folderName = "vantorel-test") : folderName_(std::move(folderName)) {}
  void SetUp() override;
  void TearDown() override;

  // The program folder (Windows path, no trailing backslash).
  const std::string& folder() const { return folder_; }
  std::string file(const std::string& name) const { return folder_ + "\\" + name; }
  // Runs one statement on a connection of the test's own.
  void exec(const std::string& sql);
  // The first column of the first row of a query, as text ("" for none or Null).
  std::string scalar(const std::string& sql);
  // New recorded seams (the old recorder puts the real ones back first).
  void freshSeams();
  // Dispatches waiting messages.
  static void pump();

  std::unique_ptr<ui::testing::SeamRecorder> seams;

private:
  std::string folderName_, folder_;
};

// The user's date separator for one test, and the program's regional
// settings read from it; both put back when it ends.
class DateSeparator {
public:
  explicit DateSeparator(const std::wstring& sep);
  ~DateSeparator();
  DateSeparator(const DateSeparator&) = delete;
  DateSeparator& operator=(const DateSeparator&) = delete;

private:
  vb::Locale saved_;
  std::vector<std::pair<LCTYPE, std::wstring>> old_;
};

// The first column of the first row of a query on the database file, as text
// ("" for no row or Null), through a connection of its own.
std::string queryScalar(const std::string& databasePath, const std::string& sql);
// Writes a PNG of width x height in one colour; returns its path.
std::string writePicture(const std::string& path, int width, int height, COLORREF colour);
// Saves what the window shows as build/screenshots/<name>.
bool screenshot(HWND hwnd, const std::string& name);

}  // namespace vt::test
