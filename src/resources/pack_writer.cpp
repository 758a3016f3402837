#include "resources/pack_writer.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>

#include "resources/pack_archive.h"

namespace vx {

namespace {

void PutU32(uint8_t* p, uint64_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

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
  if (total > UINT32_MAX) return Fail(error, "the archive would exceed 4 GB");

  std::string temp = std::string(path) + ".part";
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return Fail(error, "cannot create '" + temp + "'");
  uint8_t header[kPackHeaderSize] = {};
  PutU32(header + kPackFirstRecordField, entries.empty() ? 0 : kPackHeaderSize);
  PutU32(header + kPackCountField, entries.size());
  bool ok = std::fwrite(header, 1, sizeof header, f) == sizeof header;

  uint64_t position = kPackHeaderSize;
  for (size_t i = 0; ok && i < entries.size(); ++i) {
    const PackSource& e = entries[i];
    uint64_t next = position + kPackRecordSize + e.name.size() + 1 + packed[i].size();
    uint8_t record[kPackRecordSize] = {};
    PutU32(record, position + kPackRecordSize);
    PutU32(record + 8, i + 1 < entries.size() ? next : 0);
    PutU32(record + 12, e.data.size());
    PutU32(record + 16, packed[i].size());
    ok = std::fwrite(record, 1, sizeof record, f) == sizeof record &&
         std::fwrite(e.name.c_str(), 1, e.name.size() + 1, f) == e.name.size() + 1 &&
         std::fwrite(packed[i].data(), 1, packed[i].size(), f) == packed[i].size();
    position = next;
  }
  ok = std::fclose(f) == 0 && ok;
  if (!ok || std::rename(temp.c_str(), path) != 0) {
    std::remove(temp.c_str());
    return Fail(error, std::string("cannot write '") + path + "'");
  }
  return true;
}

}  // namespace vx
