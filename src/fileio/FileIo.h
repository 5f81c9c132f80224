// Whole-file reading and safe writing over POSIX calls.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>

// What tells one state of a file from the next: which file the name leads to
// (device and inode), its size, and when its content last changed, to the
// nanosecond. All names that lead to no file are in the same state.
struct TFileState {
  bool Exists = false;
  uint64_t Device = 0;
  uint64_t Inode = 0;
  int64_t Size = 0;
  int64_t ModifiedNs = 0;
};
bool operator==(const TFileState& a, const TFileState& b);
inline bool operator!=(const TFileState& a, const TFileState& b) { return !(a == b); }
// The state of the file name leads to, following symbolic links.
TFileState ReadFileState(const std::string& name);

// Opens a regular file for reading and reports its size, and its state when
// asked for. Fails (returns -1) for anything that cannot be opened, is not a
// regular file (a directory, a pipe, a device), or is larger than a document
// can be (2^31 - 1 bytes).
int OpenForReading(const std::string& name, int64_t& size, TFileState* state = nullptr);

// Told the count of bytes done after each piece of a long read or write, so
// that the caller can show how far it has got. The pieces are at most
// IoPiece bytes.
using TIoProgress = std::function<void(int64_t done)>;
constexpr int64_t IoPiece = int64_t(8) << 20;

// Reads exactly size bytes; false on an error or when the file ends early.
bool ReadExactly(int fd, uint8_t* buffer, int64_t size, const TIoProgress& progress = {});

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
// given to a new file - the existing file is written in place instead. Its
// old content is copied to a rescue file first (beside it, else in the cache
// folder; no rescue copy, no write). Should the write fail at any point, the
// old content goes back and the file is as it was, to the byte; afterwards
// the rescue copy goes, or becomes the backup.
// progress follows the writing of the content (not of a rescue copy).
bool WriteFileSafely(const std::string& name, const uint8_t* data, int64_t size, bool backup,
                     const TIoProgress& progress = {});

// After a failed WriteFileSafely: the rescue file that holds the old content
// because even putting it back failed, or empty when the file is whole.
const std::string& KeptRescueFile();

// Asks the system to put the file or directory at path on the disk, through
// the calls below; false when it could not be opened or synced.
bool SyncPath(const std::string& path);

// Every system call that reading a file or saving one makes goes through
// this table, so that tests can make any single one fail or come up short.
// The members start as the plain calls; ResetFileCalls puts them back.
struct TFileCalls {
  int (*Open)(const char* path, int flags, mode_t mode);
  ssize_t (*Read)(int fd, void* buffer, size_t count);
  ssize_t (*Write)(int fd, const void* buffer, size_t count);
  int (*Fsync)(int fd);
  int (*Close)(int fd);
  int (*MakeTemp)(char* pattern);  // mkstemp
  int (*Fchown)(int fd, uid_t owner, gid_t group);
  int (*Fchmod)(int fd, mode_t mode);
  int (*Ftruncate)(int fd, off_t length);
  int (*Link)(const char* from, const char* to);
  int (*Rename)(const char* from, const char* to);
  int (*Unlink)(const char* path);
};
extern TFileCalls FileCalls;
void ResetFileCalls();
