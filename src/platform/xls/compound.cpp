// The compound document (version 3, 512-byte sectors) around the workbook
// stream. Layout: the stream's sectors (or, for a stream under 4,096 bytes,
// the mini stream's allocation table and the mini stream), one directory
// sector, the allocation table, then the sectors that list allocation-table
// sectors beyond the 109 the header holds.
#include <cstring>
#include <vector>

#include "platform/xls/internal.h"

namespace xls::detail {

namespace {

constexpr uint32_t kSector = 512, kMiniSector = 64, kMiniCutoff = 4096;
constexpr uint32_t kPerSector = kSector / 4;  // sector numbers in one sector
constexpr uint32_t kHeaderDifat = 109;
constexpr uint32_t kFree = 0xFFFFFFFF, kEnd = 0xFFFFFFFE, kFatSect = 0xFFFFFFFD,
                   kDifSect = 0xFFFFFFFC, kNoStream = 0xFFFFFFFF;

uint32_t sectorsFor(size_t bytes, uint32_t size) { return static_cast<uint32_t>((bytes + size - 1) / size); }

void put16(char* p, uint16_t v) {
  p[0] = static_cast<char>(v);
  p[1] = static_cast<char>(v >> 8);
}
void put32(char* p, uint32_t v) {
  put16(p, static_cast<uint16_t>(v));
  put16(p + 2, static_cast<uint16_t>(v >> 16));
}

void directoryEntry(char* e, const char16_t* name, uint8_t type, uint32_t child, uint32_t start,
                    uint32_t size) {
  size_t n = 0;
  for (; name[n]; ++n) put16(e + 2 * n, name[n]);
  put16(e + 64, static_cast<uint16_t>(2 * (n + 1)));
  e[66] = static_cast<char>(type);
  e[67] = 1;  // black: a tree of one entry per level needs no balancing
  put32(e + 68, kNoStream);
  put32(e + 72, kNoStream);
  put32(e + 76, child);
  put32(e + 116, start);
  put32(e + 120, size);
}

// Sector numbers, written out a sector at a time.
void writeNumbers(const std::vector<uint32_t>& v, Sink& out) {
  std::vector<char> buf(v.size() * 4);
  for (size_t i = 0; i < v.size(); ++i) put32(buf.data() + 4 * i, v[i]);
  out.write(buf.data(), buf.size());
}

}  // namespace

void writeCompound(const std::string& workbook, Sink& out) {
  const size_t size = workbook.size();
  const bool mini = size < kMiniCutoff;
  const uint32_t miniSectors = mini ? sectorsFor(size, kMiniSector) : 0;
  const uint32_t miniFatSectors = mini ? sectorsFor(miniSectors * 4, kSector) : 0;
  const uint32_t streamSectors = mini ? sectorsFor(miniSectors * kMiniSector, kSector) : sectorsFor(size, kSector);
  const uint32_t firstStream = miniFatSectors;
  const uint32_t directory = firstStream + streamSectors;
  const uint32_t before = directory + 1;

  // The table covers itself and the sectors that list it.
  uint32_t fat = 0, difat = 0;
  for (;;) {
    const uint32_t f = sectorsFor(size_t(before) + fat + difat, kPerSector);
    const uint32_t x = f > kHeaderDifat ? sectorsFor(f - kHeaderDifat, kPerSector - 1) : 0;
    if (f == fat && x == difat) break;
    fat = f;
    difat = x;
  }
  const uint32_t firstFat = before, firstDifat = before + fat;

  std::vector<uint32_t> table(size_t(fat) * kPerSector, kFree);
  const auto chain = [&](uint32_t first, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) table[first + i] = i + 1 < count ? first + i + 1 : kEnd;
  };
  chain(0, miniFatSectors);
  chain(firstStream, streamSectors);
  chain(directory, 1);
  for (uint32_t i = 0; i < fat; ++i) table[firstFat + i] = kFatSect;
  for (uint32_t i = 0; i < difat; ++i) table[firstDifat + i] = kDifSect;

  // Header.
  char header[kSector] = {};
  static const unsigned char signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::memcpy(header, signature, 8);
  put16(header + 24, 0x003E);
  put16(header + 26, 0x0003);
  put16(header + 28, 0xFFFE);  // little-endian
  put16(header + 30, 9);       // 512-byte sectors
  put16(header + 32, 6);       // 64-byte mini sectors
  put32(header + 44, fat);
  put32(header + 48, directory);
  put32(header + 56, kMiniCutoff);
  put32(header + 60, mini ? 0 : kEnd);
  put32(header + 64, miniFatSectors);
  put32(header + 68, difat ? firstDifat : kEnd);
  put32(header + 72, difat);
  for (uint32_t i = 0; i < kHeaderDifat; ++i) put32(header + 76 + 4 * i, i < fat ? firstFat + i : kFree);
  out.write(header, kSector);

  // Mini stream allocation table.
  if (mini) {
    std::vector<uint32_t> miniTable(size_t(miniFatSectors) * kPerSector, kFree);
    for (uint32_t i = 0; i < miniSectors; ++i) miniTable[i] = i + 1 < miniSectors ? i + 1 : kEnd;
    writeNumbers(miniTable, out);
  }

  // The stream, padded to whole sectors.
  out.write(workbook.data(), size);
  const size_t padding = size_t(streamSectors) * kSector - size;
  if (padding) {
    const std::vector<char> zeros(padding, 0);
    out.write(zeros.data(), padding);
  }

  // Directory: the root (which holds the mini stream) and "Workbook".
  char dir[kSector] = {};
  for (int i = 2; i < 4; ++i) {
    put32(dir + 128 * i + 68, kNoStream);
    put32(dir + 128 * i + 72, kNoStream);
    put32(dir + 128 * i + 76, kNoStream);
  }
  directoryEntry(dir, u"Root Entry", 5, 1, mini ? firstStream : kEnd,
                 mini ? miniSectors * kMiniSector : 0);
  directoryEntry(dir + 128, u"Workbook", 2, kNoStream, mini ? 0 : firstStream,
                 static_cast<uint32_t>(size));
  out.write(dir, kSector);

  writeNumbers(table, out);

  // Allocation-table sectors past the header's 109, 127 to a sector, each
  // sector ending with the number of the next.
  if (difat) {
    std::vector<uint32_t> list(size_t(difat) * kPerSector, kFree);
    for (uint32_t i = kHeaderDifat; i < fat; ++i) {
      const uint32_t k = i - kHeaderDifat;
      list[(k / (kPerSector - 1)) * kPerSector + k % (kPerSector - 1)] = firstFat + i;
    }
    for (uint32_t s = 0; s < difat; ++s)
      list[s * kPerSector + kPerSector - 1] = s + 1 < difat ? firstDifat + s + 1 : kEnd;
    writeNumbers(list, out);
  }
}

}  // namespace xls::detail
