// The pack archive reader: the input is an archive file. It is opened both as
// a PackArchive and as a registered source, and every entry it names is looked
// up and read back through the file layer.
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzz_support.h"
#include "resources/file_system.h"
#include "resources/pack_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  fuzz::EnterScratchDir();
  if (!fuzz::WriteWholeFile("fuzz.dat", data, size)) return 0;

  PackArchive pack;
  if (pack.Open("fuzz.dat")) {
    // Reading every entry would let one input with thousands of names take
    // seconds; the first few and the last exercise the same code.
    const auto& entries = pack.Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
      if (i >= 8 && i + 1 != entries.size()) continue;
      const PackEntry* found = pack.Find(entries[i].name.c_str());
      if (!found) __builtin_trap();  // its own name must find an entry
      FileBuffer bytes = pack.ReadEntry(*found);
      if (bytes && (bytes[found->unpackedSize] != 0 || bytes[found->unpackedSize + 1] != 0))
        __builtin_trap();
    }
  }

  UnregisterAllArchives();
  RegisterArchive("fuzz.dat", "DATA\\", 3);
  RegisterArchive("missing.lng", "LANG\\", 3);
  std::string names[4] = {"Ball.tga", "nodes\\NODE.TGA", "", "Strings.txt"};
  if (!pack.Entries().empty()) {
    const std::string& first = pack.Entries().front().name;
    names[2] = first.size() > 5 ? first.substr(5) : first;  // without the prefix
  }
  for (const std::string& name : names) {
    FileExists(name.c_str());
    if (FileBuffer bytes = ReadWholeFile(name.c_str())) {
      const uint32_t n = LastFileSize();
      if (bytes[n] != 0 || bytes[n + 1] != 0) __builtin_trap();
    }
    uint8_t into[280];
    ReadFileInto(name.c_str(), into, sizeof into, 1);
  }
  UnregisterAllArchives();
  return 0;
}
