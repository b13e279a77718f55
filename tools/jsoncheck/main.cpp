// jsoncheck <file>...: reads each UTF-8 file with the program's JSON reader
// and prints the reader's messages, each line after the file's name.
// Exits 0 when no file gave a message, 1 when one did, 2 when a file could
// not be read. For a folder: jsoncheck folder/*.json
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "json/json.h"
#include "json/utf.h"

namespace {

bool readFile(const char* path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  out = text.str();
  // A byte-order mark says how the file is encoded; it is no part of the text.
  if (out.compare(0, 3, "\xEF\xBB\xBF") == 0) out.erase(0, 3);
  return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: jsoncheck <file>...\n");
    return 2;
  }
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    std::string text;
    if (!readFile(argv[i], text)) {
      std::fprintf(stderr, "jsoncheck: cannot read %s\n", argv[i]);
      status = 2;
      continue;
    }
    json::Parse(json::toUtf16(text));
    const std::string errors = json::toUtf8(json::ParseErrors());
    if (errors.empty()) continue;
    if (status == 0) status = 1;
    // Each message but "Invalid JSON" ends with CR LF; print plain lines.
    std::istringstream lines(errors);
    std::string line;
    while (std::getline(lines, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::printf("%s: %s\n", argv[i], line.c_str());
    }
  }
  return status;
}
