// The workbook and saving it: written beside the target under a temporary
// name, then moved into place, so that a failure leaves the old file whole.
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/vb/error.h"
#include "platform/vb/format.h"
#include "platform/xls/internal.h"

namespace fs = std::filesystem;

namespace xls {

namespace detail {
Book& bookOf(Workbook& workbook) { return *workbook.book_; }
}  // namespace detail

Workbook::Workbook() : book_(std::make_unique<detail::Book>()) {}
Workbook::~Workbook() = default;

Worksheet& Workbook::Sheet(int index) {
  if (index != 1)
    vb::raise(errnum::Subscript, "Lembar kerja " + std::to_string(index) +
                                     " tidak ada; buku kerja ini hanya punya satu lembar.");
  return *book_->sheet;
}

namespace {

// Every path reaches the file system through here: UTF-8 inside the
// program, UTF-16 for Windows' file calls.
fs::path nativePath(const std::string& utf8) { return fs::u8path(utf8); }

std::string grouped(long long n) { return vb::Format(vb::Variant(n), "#,##0", vb::currentLocale()); }

std::string folderOf(const std::string& path) {
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string(".") : path.substr(0, cut);
}

FILE* openForWriting(const fs::path& p) {
#ifdef _WIN32
  return _wfopen(p.c_str(), L"wb");
#else
  return std::fopen(p.c_str(), "wb");
#endif
}

class FileSink : public detail::Sink {
public:
  explicit FileSink(FILE* f) : f_(f) {}
  void write(const char* data, size_t size) override {
    if (failed_) return;
    if (std::fwrite(data, 1, size, f_) != size) {
      failed_ = true;
      errno_ = errno;
    }
  }
  // Closes the file; the errno of the first failure, 0 when all went well.
  int close() {
    if (std::fflush(f_) != 0 && !failed_) {
      failed_ = true;
      errno_ = errno;
    }
    if (std::fclose(f_) != 0 && !failed_) {
      failed_ = true;
      errno_ = errno;
    }
    return failed_ ? (errno_ ? errno_ : EIO) : 0;
  }

private:
  FILE* f_;
  bool failed_ = false;
  int errno_ = 0;
};

[[noreturn]] void cannotOpen(int error, const std::string& path) {
  const std::string folder = folderOf(path);
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      vb::raise(errnum::PathNotFound, "Folder tidak ditemukan: " + folder);
    case EACCES:
    case EPERM:
    case EROFS:
      vb::raise(errnum::PermissionDenied, "Tidak ada izin menulis di folder " + folder + ".");
    case ENOSPC:
      vb::raise(errnum::DiskFull, "Disk penuh: file " + path + " tidak dapat disimpan.");
    default:
      vb::raise(errnum::PathAccess,
                "File " + path + " tidak dapat dibuat: " + std::strerror(error) + ".");
  }
}

[[noreturn]] void cannotWrite(int error, const std::string& path) {
  if (error == ENOSPC || error == EFBIG)
    vb::raise(errnum::DiskFull, "Disk penuh: file " + path + " tidak dapat disimpan.");
  vb::raise(errnum::PathAccess, "File " + path + " tidak dapat ditulis: " + std::strerror(error) + ".");
}

std::string temporaryName() {
  static std::atomic<unsigned> counter{0};
  const auto stamp = static_cast<unsigned long long>(
      std::chrono::steady_clock::now().time_since_epoch().count());
  char buf[48];
  std::snprintf(buf, sizeof buf, ".~%08llx%04x.tmp", stamp & 0xFFFFFFFFull, counter++ & 0xFFFF);
  return buf;
}

}  // namespace

void Workbook::CheckRows() const {
  const Worksheet::Data& sheet = *book_->sheet->d_;
  if (sheet.lastRow > kMaxRows)
    vb::raise(errnum::TooManyRows, "Daftar terlalu panjang untuk satu lembar kerja: " +
                                       grouped(sheet.lastRow) + " baris, sedangkan batasnya " +
                                       grouped(kMaxRows) + " baris. File tidak disimpan.");
}

void Workbook::SaveAs(const std::string& path) {
  CheckRows();
  const fs::path target = nativePath(path);
  std::error_code ec;
  if (fs::is_directory(target, ec))
    vb::raise(errnum::PathAccess, path + " adalah sebuah folder, bukan file.");

  const std::string stream = book_->stream();

  fs::path temporary = target;
  temporary += temporaryName();
  FILE* f = openForWriting(temporary);
  if (!f) cannotOpen(errno, path);
  FileSink sink(f);
  detail::writeCompound(stream, sink);
  if (const int error = sink.close()) {
    fs::remove(temporary, ec);
    cannotWrite(error, path);
  }
  fs::rename(temporary, target, ec);
  if (ec) {
    fs::remove(temporary, ec);
    vb::raise(errnum::PermissionDenied,
              "File " + path +
                  " tidak dapat ditimpa: file itu sedang dibuka program lain atau hanya boleh "
                  "dibaca. Tutup file itu lalu coba lagi.");
  }
}

}  // namespace xls
