#include "resources/pack_archive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "base/log.h"
#include "base/user_file.h"
#include "resources/byte_order.h"

namespace vx {

namespace {

bool SameNameIgnoringCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    unsigned char ca = static_cast<unsigned char>(*a), cb = static_cast<unsigned char>(*b);
    if (ca >= 'A' && ca <= 'Z') ca = static_cast<unsigned char>(ca + 32);
    if (cb >= 'A' && cb <= 'Z') cb = static_cast<unsigned char>(cb + 32);
    if (ca != cb) return false;
    if (ca == 0) return true;
  }
}

// Deflate cannot expand data by more than about 1032:1, so a larger claim is a
// lie; refusing it keeps hostile sizes away from the allocator.
constexpr uint64_t kMaxInflateRatio = 1032;

// Smallest footprint of a real entry: record, terminated name, a zlib stream.
constexpr uint64_t kMinEntryBytes = kPackRecordSize + 1;

}  // namespace

PackArchive::~PackArchive() {
  if (fd_ >= 0) close(fd_);
}

bool PackArchive::ReadAt(uint64_t offset, void* dest, size_t size, size_t* got) const {
  *got = 0;
  if (offset >= fileSize_) return true;
  uint8_t* out = static_cast<uint8_t*>(dest);
  while (*got < size) {
    ssize_t n = pread(fd_, out + *got, size - *got, static_cast<off_t>(offset + *got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    *got += static_cast<size_t>(n);
  }
  return true;
}

bool PackArchive::Open(const char* fileName) {
  char hostPath[4096];
  if (!fileName || !ResolveHostPath(fileName, hostPath, sizeof hostPath)) return false;
  fd_ = OpenRegularFile(hostPath);
  if (fd_ < 0) {
    if (errno == EINVAL) Log("Can't open archive '%s': not a regular file\n", hostPath);
    return false;
  }
  fileName_.assign(fileName, strnlen(fileName, kPackMaxName));
  struct stat st {};
  if (fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  fileSize_ = static_cast<uint64_t>(st.st_size);

  size_t got = 0;
  if (!ReadAt(0, header_, sizeof header_, &got) || got < sizeof header_) {
    Log("Damaged archive '%s': short header\n", fileName_.c_str());
    return false;
  }
  uint64_t position = GetU32(header_ + kPackFirstRecordField);
  int32_t count = static_cast<int32_t>(GetU32(header_ + kPackCountField));
  if (count <= 0) return true;
  if (static_cast<uint64_t>(count) > fileSize_ / kMinEntryBytes) {
    Log("Damaged archive '%s': %d entries cannot fit\n", fileName_.c_str(), count);
    return false;
  }
  directory_.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    uint8_t record[kPackRecordSize];
    if (!ReadAt(position, record, sizeof record, &got) || got < sizeof record) {
      Log("Damaged archive '%s': record %d lies outside the file\n", fileName_.c_str(), i);
      directory_.clear();
      return false;
    }
    char name[kPackMaxName + 1];
    if (!ReadAt(GetU32(record), name, sizeof name, &got) || got <= kPackMinNameBytes) {
      Log("Damaged archive '%s': name %d lies outside the file\n", fileName_.c_str(), i);
      directory_.clear();
      return false;
    }
    size_t length = strnlen(name, got);
    if (length == got) {
      Log("Damaged archive '%s': name %d is not terminated\n", fileName_.c_str(), i);
      directory_.clear();
      return false;
    }
    PackEntry entry;
    entry.name.assign(name, length);
    entry.dataOffset = position + kPackRecordSize + length + 1;
    entry.unpackedSize = GetU32(record + 12);
    entry.storedSize = GetU32(record + 16);
    directory_.push_back(std::move(entry));
    position = GetU32(record + 8);
  }
  return true;
}

const PackEntry* PackArchive::Find(const char* name) const {
  for (const PackEntry& entry : directory_)
    if (SameNameIgnoringCase(entry.name.c_str(), name)) return &entry;
  return nullptr;
}

FileBuffer PackArchive::ReadEntry(const PackEntry& entry) const {
  const uint64_t stored = entry.storedSize;
  const uint64_t unpacked = entry.unpackedSize;
  if (fd_ < 0 || entry.dataOffset > fileSize_ || stored > fileSize_ - entry.dataOffset ||
      unpacked > stored * kMaxInflateRatio + 64) {
    Log("Can't unpack '%s'\n", entry.name.c_str());
    return nullptr;
  }
  std::unique_ptr<uint8_t[]> packed(new (std::nothrow) uint8_t[stored ? stored : 1]);
  FileBuffer data(new (std::nothrow) uint8_t[unpacked + 2]);
  size_t got = 0;
  if (!packed || !data || !ReadAt(entry.dataOffset, packed.get(), stored, &got) || got != stored) {
    Log("Can't unpack '%s'\n", entry.name.c_str());
    return nullptr;
  }
  uLongf produced = static_cast<uLongf>(unpacked);
  int result = uncompress(data.get(), &produced, packed.get(), static_cast<uLong>(stored));
  if (result != Z_OK || produced != unpacked) {
    Log("Can't unpack '%s'\n", entry.name.c_str());
    return nullptr;
  }
  data[unpacked] = 0;
  data[unpacked + 1] = 0;
  return data;
}

}  // namespace vx
