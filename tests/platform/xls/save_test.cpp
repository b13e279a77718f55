// Saving: the file appears whole under its name or not at all, an old file
// survives every failure, and each failure says what went wrong.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "platform/vb/error.h"
#include "platform/vb/locale.h"
#include "platform/xls/xls.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#else
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

namespace fs = std::filesystem;

class Folder {
public:
  Folder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    dir_ = fs::temp_directory_path() / fs::u8path("vtxls Dévi-" + std::to_string(stamp) + "-" +
                                                  std::to_string(counter++));
    fs::create_directories(dir_);
  }
  ~Folder() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string file(const std::string& name) const { return (dir_ / fs::u8path(name)).u8string(); }
  // Names of everything in the folder, so that a test sees a left-over temporary file.
  std::vector<std::string> names() const {
    std::vector<std::string> v;
    for (const auto& e : fs::directory_iterator(dir_)) v.push_back(e.path().filename().u8string());
    std::sort(v.begin(), v.end());
    return v;
  }

private:
  fs::path dir_;
};

std::string contents(const std::string& path) {
  std::ifstream in(fs::u8path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void write(const std::string& path, const std::string& data) {
  std::ofstream(fs::u8path(path), std::ios::binary) << data;
}

void fill(xls::Workbook& book, int rows) {
  for (int r = 1; r <= rows; ++r) book.Sheet().Cell(r, 1, "baris " + std::to_string(r));
}

const std::string kSignature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

TEST(SaveAs, WritesTheFileUnderItsNameOnly) {
  Folder folder;
  const struct {
    const char* name;
    bool existing;
  } cases[] = {{"laporan.xls", false}, {"Kwitansi Dévi €.xls", false}, {"lama.xls", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = folder.file(c.name);
    if (c.existing) write(path, "isi lama");
    xls::Workbook book;
    fill(book, 3);
    book.SaveAs(path);
    const std::string bytes = contents(path);
    ASSERT_GE(bytes.size(), 1024u);
    EXPECT_EQ(bytes.substr(0, 8), kSignature);
    EXPECT_EQ(bytes.size() % 512, 0u);
  }
  EXPECT_EQ(folder.names(),
            (std::vector<std::string>{"Kwitansi Dévi €.xls", "lama.xls", "laporan.xls"}));
}

struct Failure {
  const char* what;
  int number;
  const char* says;  // part of the description
  // Sets the failure up; gives the name to save under.
  std::function<std::string(const std::string& path, xls::Workbook&)> arrange;
};

// Each failure throws, names its cause, and leaves the folder as it was: the
// old file whole, no new file, no temporary one.
TEST(SaveAs, FailuresLeaveTheOldFile) {
  vb::setCurrentLocale(vb::Locale::indonesian());
  const Failure failures[] = {
      {"more rows than a sheet holds", xls::errnum::TooManyRows, "65.537 baris",
       [](const std::string& path, xls::Workbook& b) {
         fill(b, xls::kMaxRows + 1);
         return path;
       }},
      {"an empty cell past the last row", xls::errnum::TooManyRows, "70.000 baris",
       [](const std::string& path, xls::Workbook& b) {
         b.Sheet().Cell(70000, 1, "");
         return path;
       }},
      {"the name is a folder", xls::errnum::PathAccess, "folder",
       [](const std::string& path, xls::Workbook&) {
         fs::create_directory(fs::u8path(path + ".d"));
         return path + ".d";
       }},
  };
  for (const Failure& f : failures) {
    SCOPED_TRACE(f.what);
    Folder folder;
    const std::string path = folder.file("data.xls");
    write(path, "isi lama");
    xls::Workbook book;
    fill(book, 2);
    const std::string target = f.arrange(path, book);
    const auto before = folder.names();
    try {
      book.SaveAs(target);
      ADD_FAILURE() << "saved";
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.number(), f.number);
      EXPECT_NE(e.description().find(f.says), std::string::npos) << e.description();
    }
    EXPECT_EQ(contents(path), "isi lama");
    EXPECT_EQ(folder.names(), before);
  }
  vb::setCurrentLocale(vb::Locale::english());
}

TEST(SaveAs, MissingFolderIsNamed) {
  Folder folder;
  const std::string missing = folder.file("tidak ada");
  xls::Workbook book;
  fill(book, 1);
  try {
    book.SaveAs(missing + "/data.xls");
    FAIL() << "saved";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number(), xls::errnum::PathNotFound);
    EXPECT_NE(e.description().find("tidak ada"), std::string::npos) << e.description();
  }
  EXPECT_TRUE(folder.names().empty());
}

// The last row a sheet holds is still saved.
TEST(SaveAs, FullSheetIsSaved) {
  Folder folder;
  xls::Workbook book;
  book.Sheet().Cell(xls::kMaxRows, 1, "terakhir");
  book.SaveAs(folder.file("penuh.xls"));
  EXPECT_EQ(contents(folder.file("penuh.xls")).substr(0, 8), kSignature);
}

#ifdef _WIN32
// A file that another program holds open (as a spreadsheet program does)
// cannot be replaced; the user is told to close it.
TEST(SaveAs, FileInUse) {
  Folder folder;
  const std::string path = folder.file("dibuka.xls");
  write(path, "isi lama");
  const int held = _wsopen(fs::u8path(path).c_str(), _O_RDONLY, _SH_DENYRW);
  ASSERT_GE(held, 0);
  xls::Workbook book;
  fill(book, 2);
  try {
    book.SaveAs(path);
    ADD_FAILURE() << "saved over an open file";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number(), xls::errnum::PermissionDenied);
    EXPECT_NE(e.description().find("Tutup file itu"), std::string::npos) << e.description();
  }
  _close(held);
  EXPECT_EQ(contents(path), "isi lama");
  EXPECT_EQ(folder.names(), std::vector<std::string>{"dibuka.xls"});
}
#else
// A disk that fills up part-way: simulated with a limit on file size.
TEST(SaveAs, DiskFull) {
  Folder folder;
  const std::string path = folder.file("besar.xls");
  write(path, "isi lama");
  xls::Workbook book;
  fill(book, 20000);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 64 * 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  int number = 0;
  std::string description;
  try {
    book.SaveAs(path);
  } catch (const vb::Error& e) {
    number = e.number();
    description = e.description();
  }
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(number, xls::errnum::DiskFull);
  EXPECT_NE(description.find("besar.xls"), std::string::npos) << description;
  EXPECT_EQ(contents(path), "isi lama");
  EXPECT_EQ(folder.names(), std::vector<std::string>{"besar.xls"});
}
#endif

TEST(Worksheet, ArgumentsOutsideTheSheetAreRefused) {
  xls::Workbook book;
  const struct {
    const char* what;
    std::function<void()> call;
  } cases[] = {
      {"row 0", [&] { book.Sheet().Cell(0, 1, "x"); }},
      {"column 0", [&] { book.Sheet().Cell(1, 0, "x"); }},
      {"column 257", [&] { book.Sheet().Cell(1, 257, "x"); }},
      {"format of column 257", [&] { book.Sheet().NumberFormat(257, "@"); }},
      {"an empty format", [&] { book.Sheet().NumberFormat(1, ""); }},
      {"a format of 256 characters", [&] { book.Sheet().NumberFormat(1, std::string(256, '0')); }},
      {"sheet 2", [&] { book.Sheet(2); }},
  };
  for (const auto& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << c.what << " accepted";
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.number(), xls::errnum::Subscript) << c.what;
      EXPECT_FALSE(e.description().empty()) << c.what;
    }
  }
}

// A cell holds 32,767 characters; a longer text is refused, not cut.
TEST(Worksheet, OverlongTextIsRefused) {
  xls::Workbook book;
  book.Sheet().Cell(1, 1, std::string(xls::kMaxTextLength, 'a'));
  std::string wide;
  for (int i = 0; i < xls::kMaxTextLength; ++i) wide += "é";  // two bytes, one character
  book.Sheet().Cell(2, 1, wide);
  try {
    book.Sheet().Cell(3, 1, wide + "é");
    FAIL() << "accepted";
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number(), xls::errnum::TooLong);
    EXPECT_NE(e.description().find("baris 3, kolom 1"), std::string::npos) << e.description();
  }
  book.Sheet().NumberFormat(2, "@");
  EXPECT_THROW(book.Sheet().Cell(1, 2, std::string(xls::kMaxTextLength + 1, '1')), vb::Error);
}

}  // namespace
