// makedb <folder>: creates <folder>/base.mdb, the database a new installation starts with.
#include <cstdio>
#include <string>

#include "platform/db/schema.h"
#include "platform/vb/error.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: makedb <folder>\n");
    return 2;
  }
  std::string folder = argv[1];
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  const std::string path = folder + "/base.mdb";
  try {
    db::createInstallationDatabase(path);
  } catch (const vb::Error& e) {
    std::fprintf(stderr, "makedb: %s\n", e.description().c_str());
    return 1;
  }
  std::printf("created %s (user ADMIN, password admin)\n", path.c_str());
  return 0;
}
