// A pack archive: one file of zlib-compressed entries chained by 22-byte records
// behind a 256-byte header. The file stays open while the archive lives.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resources/file_system.h"

namespace vx {

// Layout shared by the reader and the packer (all integers little-endian).
constexpr uint32_t kPackHeaderSize = 256;
constexpr uint32_t kPackFirstRecordField = 34;
constexpr uint32_t kPackCountField = 38;
constexpr uint32_t kPackRecordSize = 22;
constexpr uint32_t kPackMaxName = 255;
// The reader insists on more than this many bytes from a name's offset to the
// end of the file.
constexpr uint32_t kPackMinNameBytes = 13;

struct PackEntry {
  std::string name;     // with its root prefix and backslashes
  uint64_t dataOffset;  // right behind the name's terminator
  uint32_t unpackedSize;
  uint32_t storedSize;
};

class PackArchive {
 public:
  PackArchive() = default;
  ~PackArchive();
  PackArchive(const PackArchive&) = delete;
  PackArchive& operator=(const PackArchive&) = delete;

  // False when the file is missing or its header, records or names are damaged.
  bool Open(const char* fileName);
  // First entry whose name equals NAME without regard to ASCII case, or null.
  const PackEntry* Find(const char* name) const;
  // Inflates ENTRY into a buffer of its unpacked size plus two zero bytes. Null
  // (with a log line) when the stored data is damaged.
  FileBuffer ReadEntry(const PackEntry& entry) const;

  const std::vector<PackEntry>& Entries() const { return directory_; }
  const std::string& FileName() const { return fileName_; }

 private:
  bool ReadAt(uint64_t offset, void* dest, size_t size, size_t* got) const;

  std::string fileName_;
  int fd_ = -1;
  uint64_t fileSize_ = 0;
  uint8_t header_[kPackHeaderSize] = {};
  std::vector<PackEntry> directory_;
};

}  // namespace vx
