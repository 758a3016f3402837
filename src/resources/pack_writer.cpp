#include "resources/pack_writer.h"

#include <zlib.h>

#include <cstring>

#include "base/user_file.h"
#include "resources/byte_order.h"
#include "resources/pack_archive.h"

namespace vx {

namespace {

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

}  // namespace

bool WritePackArchive(const char* path, const std::vector<PackSource>& entries, std::string* error) {
  if (entries.size() > INT32_MAX) return Fail(error, "too many entries");
  std::vector<std::vector<uint8_t>> packed(entries.size());
  uint64_t total = kPackHeaderSize;
  for (size_t i = 0; i < entries.size(); ++i) {
    const PackSource& e = entries[i];
    if (e.name.empty() || e.name.size() > kPackMaxName || e.name.find('\0') != std::string::npos)
      return Fail(error, "bad entry name '" + e.name + "'");
    if (e.data.size() > UINT32_MAX) return Fail(error, "'" + e.name + "' is too large");
    uLongf size = compressBound(static_cast<uLong>(e.data.size()));
    packed[i].resize(size);
    if (compress2(packed[i].data(), &size, e.data.data(), static_cast<uLong>(e.data.size()), 9) != Z_OK)
      return Fail(error, "cannot compress '" + e.name + "'");
    packed[i].resize(size);
    total += kPackRecordSize + e.name.size() + 1 + size;
  }
  if (total + kPackMinNameBytes > UINT32_MAX) return Fail(error, "the archive would exceed 4 GB");

  std::vector<uint8_t> archive(kPackHeaderSize, 0);
  archive.reserve(total);
  PutU32(archive.data() + kPackFirstRecordField, entries.empty() ? 0 : kPackHeaderSize);
  PutU32(archive.data() + kPackCountField, entries.size());
  uint64_t position = kPackHeaderSize, lastName = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    const PackSource& e = entries[i];
    uint64_t next = position + kPackRecordSize + e.name.size() + 1 + packed[i].size();
    uint8_t record[kPackRecordSize] = {};
    PutU32(record, position + kPackRecordSize);
    PutU32(record + 8, i + 1 < entries.size() ? next : 0);
    PutU32(record + 12, e.data.size());
    PutU32(record + 16, packed[i].size());
    archive.insert(archive.end(), record, record + sizeof record);
    archive.insert(archive.end(), e.name.c_str(), e.name.c_str() + e.name.size() + 1);
    archive.insert(archive.end(), packed[i].begin(), packed[i].end());
    lastName = position + kPackRecordSize;
    position = next;
  }
  // A tiny last entry (an empty file with a short name) would end the file
  // too close to its name for the reader; zeros behind it are never read.
  if (!entries.empty() && archive.size() <= lastName + kPackMinNameBytes)
    archive.resize(lastName + kPackMinNameBytes + 1, 0);
  if (!WriteUserFile(path, archive.data(), archive.size()))
    return Fail(error, std::string("cannot write '") + path + "'");
  return true;
}

}  // namespace vx
