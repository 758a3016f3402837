// The one way the program opens and writes files on the host: nothing blocks
// on a FIFO or a device, nothing is written through a symbolic link, and a
// file is replaced only by a complete, synced copy. Whoever can write the
// game's folder cannot make the game overwrite some other file.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vx {

// Opens an existing regular file for reading without waiting (a FIFO or a
// device never blocks) and returns its descriptor, or -1 when it is missing
// or not a regular file (errno is then EINVAL for the wrong kind of file).
// Symbolic links are followed: reading through one harms nobody.
int OpenRegularFile(const char* path);

// Opens path for appending, creating it when missing, but never through a
// symbolic link and only when it is a regular file. -1 on failure.
int OpenForAppend(const char* path);
// The same, but the file is emptied first.
int OpenForRewrite(const char* path);

// Writes size bytes as the new content of path: into a temporary file of a
// unique name beside it (created exclusively, never through a link), synced,
// renamed over path, and the folder synced. A symbolic link at path is
// replaced, its target left alone. On failure the old file stays as it was,
// nothing is left behind and 0 is returned; 1 on success.
int WriteUserFile(const char* path, const void* data, size_t size);

enum class CreateResult { kCreated, kExists, kFailed };
// Like WriteUserFile, but only when nothing (not even a dangling link) is at
// path yet: an existing file is never overwritten.
CreateResult CreateUserFile(const char* path, const void* data, size_t size);

// Counts the files created or replaced by the two writers; a folder index
// built before a change of this count is stale.
uint32_t UserFileWrites();

// Removes the temporary files that an interrupted writer left in folder.
// Returns how many were removed.
int RemoveStaleTempFiles(const char* folder);

// True for the names the writers give their temporary files.
bool IsTempFileName(const char* name);

}  // namespace vx
