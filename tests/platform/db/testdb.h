#pragma once
// Fresh program databases in a temporary folder, and values written out for comparison.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/db/db.h"
#include "platform/db/schema.h"

namespace dbtest {

class TempFolder {
public:
  TempFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    dir_ = std::filesystem::temp_directory_path() /
           ("vtdb-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(dir_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  std::string file(const std::string& name) const { return (dir_ / name).string(); }

private:
  std::filesystem::path dir_;
};

// A new base.mdb as makedb makes it, opened the way the program opens it.
inline std::shared_ptr<db::Connection> openProgramDb(const std::string& path) {
  db::createProgramDatabase(path);
  auto cn = db::Connection::create();
  cn->setProvider("Microsoft.Jet.OLEDB.4.0");
  cn->setConnectionString("Data Source=" + path);
  cn->setProperty("Jet OLEDB:Database Password", vb::Variant(""));
  cn->open("", "", "", -1);
  return cn;
}

inline std::string show(const vb::Variant& v) {
  switch (v.type()) {
    case vb::VarType::Null: return "<null>";
    case vb::VarType::Empty: return "<empty>";
    case vb::VarType::Boolean: return v.boolValue() ? "True" : "False";
    case vb::VarType::Date: {
      const vb::Date d = v.dateValue();
      char buf[32];
      std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year(), d.month(), d.day());
      return buf;
    }
    default: return v.toString();
  }
}

}  // namespace dbtest
