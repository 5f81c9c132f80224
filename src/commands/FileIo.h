// Whole-file reading and safe writing over POSIX calls.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

// Opens a regular file for reading and reports its size. Fails (returns -1)
// for anything that cannot be opened, is not a regular file (a directory, a
// pipe, a device), or is larger than a document can be (2^31 - 1 bytes).
int OpenForReading(const std::string& name, int64_t& size);

// Reads exactly size bytes; false on an error or when the file ends early.
bool ReadExactly(int fd, uint8_t* buffer, int64_t size);

bool FileExists(const std::string& name);  // an existing non-directory

// The backup name: the extension gets a "~" after its dot and is cut to four
// characters (.html -> .~ht); a name without extension gets ".~".
std::string BackupFileName(const std::string& name);

// Writes size bytes to name without ever destroying the existing file on a
// failure: the data goes to a temporary file beside the target, which then
// replaces it by a rename. A symbolic link is followed, so the link stays and
// its target is written. The new file keeps the old one's permissions, owner
// and group. With backup, the old file is kept under BackupFileName (an older
// backup is deleted first); failures of the backup are ignored.
//
// An existing file the user may not write is refused and left alone. Where
// the replacement cannot work - no temporary file can be made beside the
// target, the target has other hard links, or its owner or group cannot be
// given to a new file - the existing file is written in place instead, and
// the backup is a copy made first.
bool WriteFileSafely(const std::string& name, const uint8_t* data, int64_t size, bool backup);

// The write call, replaceable by tests to simulate short or failing writes.
extern ssize_t (*WriteCall)(int fd, const void* buffer, size_t count);
