// The file layer: loose files first, then packed archives and their directories,
// in the order they were registered. It only reads.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vx {

// A whole file in memory: size bytes followed by two zero bytes.
using FileBuffer = std::unique_ptr<uint8_t[]>;

// Mode bits: 1 = open ARCHIVE as a pack archive; 2 = if that fails, register the
// prefix as a directory source instead; 4 = a fallback: it only stands in for
// files that the sources before it lack, and says so in the log when it does
// (the English texts behind another language's). Returns non-zero on success.
intptr_t RegisterArchive(const char* archive, const char* prefix, int mode);
constexpr int kSourceFallback = 4;
// Registers every "*.dat" pack archive (any case) in folder, each under those
// of prefixes that its entries use, the last name in byte order first so that
// it wins over the others; names each in the log. A pack that cannot be
// opened, or whose entries reach past its end, is logged and skipped. Returns
// how many packs were registered.
int RegisterPacks(const char* folder, const char* const* prefixes, int prefixCount);
// Forgets every source (tests and shutdown).
void UnregisterAllArchives();
// Forgets the sources registered under PREFIX (a change of language); the
// players' packs stay.
void UnregisterSources(const char* prefix);
// PATH from the fallback sources alone, for texts merged key by key; null when
// there is no fallback source or none holds it. Reads no loose copy, logs nothing.
FileBuffer ReadFallbackFile(const char* path);
// Finds PATH (backslashes, any case) as a loose file, then in the sources.
FileBuffer ReadWholeFile(const char* path);
// True when ReadWholeFile would find PATH somewhere; reads nothing, logs nothing.
bool FileExists(const char* path);
// Size of the file read last (without the two terminating zero bytes).
uint32_t LastFileSize();
// How many files have been asked for (read or looked up) so far; shows file
// access where none should be, such as in a steady frame.
uint32_t FileRequests();
// Copies at most capacity bytes; mode 0 tries a loose copy first. 1 when found.
int ReadFileInto(const char* path, void* buffer, uint32_t capacity, int mode);

// Maps a game path ("Nodes\Node.tga") onto the host file system, matching each
// component with MatchFolderEntry. Returns false when no such file exists.
bool ResolveHostPath(const char* path, char* out, size_t outSize);
// The entry of folder ("" is the working directory) that name stands for: name
// itself when it exists as spelled, else the entry equal to it without regard
// to ASCII case, the smallest in byte order when there are several. Empty
// when there is none.
std::string MatchFolderEntry(const std::string& folder, const std::string& name);
// How many times a folder has been listed for MatchFolderEntry (tests).
uint32_t FolderListings();
// Bytes read from loose files so far; shows reading where none should be.
uint64_t LooseBytesRead();

// Reads the whole host file at path (a tool's input, not a game path) when it
// is a regular file of at most limit bytes. Otherwise false, with the reason
// in *why ("is a folder", "is not a regular file", "is larger than ...").
bool ReadHostFile(const char* path, uint64_t limit, std::vector<uint8_t>* out, std::string* why);

}  // namespace vx
