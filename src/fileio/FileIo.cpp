#include "fileio/FileIo.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <new>

#include "fileio/Leftovers.h"

namespace {

int PlainOpen(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }

const TFileCalls PlainCalls = {PlainOpen, ::read,   ::write,     ::fsync, ::close,  ::mkstemp,
                               ::fchown,  ::fchmod, ::ftruncate, ::link,  ::rename, ::unlink};

}  // namespace

TFileCalls FileCalls = PlainCalls;

void ResetFileCalls() { FileCalls = PlainCalls; }

namespace {

TFileState StateOf(const struct stat& st) {
  return {true, uint64_t(st.st_dev), uint64_t(st.st_ino), int64_t(st.st_size),
          int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

}  // namespace

bool operator==(const TFileState& a, const TFileState& b) {
  if (!a.Exists || !b.Exists) return a.Exists == b.Exists;
  return a.Device == b.Device && a.Inode == b.Inode && a.Size == b.Size && a.ModifiedNs == b.ModifiedNs;
}

TFileState ReadFileState(const std::string& name) {
  struct stat st;
  return ::stat(name.c_str(), &st) == 0 ? StateOf(st) : TFileState{};
}

int OpenForReading(const std::string& name, int64_t& size, TFileState* state) {
  // Non-blocking, so that opening a named pipe does not wait for a writer.
  const int fd = FileCalls.Open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > INT32_MAX) {
    FileCalls.Close(fd);
    return -1;
  }
  size = st.st_size;
  if (state) *state = StateOf(st);
  return fd;
}

bool ReadExactly(int fd, uint8_t* buffer, int64_t size, const TIoProgress& progress) {
  int64_t done = 0;
  while (done < size) {
    const size_t chunk = size_t(std::min(size - done, IoPiece));
    const ssize_t n = FileCalls.Read(fd, buffer + done, chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += n;
    if (progress) progress(done);
  }
  return true;
}

bool FileExists(const std::string& name) {
  struct stat st;
  return ::stat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string BackupFileName(const std::string& name) {
  const auto dot = name.rfind('.');
  const auto sep = name.find_last_of(":/");
  if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return name + ".~";
  std::string ext = "." + std::string("~") + name.substr(dot + 1);
  return name.substr(0, dot) + ext.substr(0, 4);
}

namespace {

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The file a save really writes: the end of a chain of symbolic links.
std::string ResolveLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char target[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
    if (n <= 0) return path;
    target[n] = 0;
    path = target[0] == '/' ? std::string(target) : DirectoryOf(path) + "/" + target;
  }
  return path;
}

bool WriteAll(int fd, const uint8_t* data, int64_t size, const TIoProgress& progress = {}) {
  int64_t done = 0;
  while (done < size) {
    const size_t chunk = size_t(std::min(size - done, IoPiece));
    const ssize_t n = FileCalls.Write(fd, data + done, chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += n;
    if (progress) progress(done);
  }
  return true;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Copies what is left to read from in to out; the count of bytes copied, or
// -1 when a read or a write fails.
int64_t CopyContent(int in, int out) {
  static constexpr size_t Chunk = 1 << 20;
  std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[Chunk]);
  if (!buffer) return -1;
  int64_t copied = 0;
  for (;;) {
    const ssize_t n = FileCalls.Read(in, buffer.get(), Chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) return copied;
    if (n < 0 || !WriteAll(out, buffer.get(), n)) return -1;
    copied += n;
  }
}

// The rescue file of the last failed write in place whose old content could
// not be put back: kept for the user, who is told where it is.
std::string KeptRescue;

// Copies the old content of target to a new rescue file: beside it where the
// directory takes one, else in the cache folder. Returns its name, or empty
// when there can be none. The copy is all that would be left of the old
// content should the write fail part way: it is on the disk before the file
// is touched, and whole (a copy of another size is no copy).
std::string MakeRescueCopy(const std::string& target, const struct stat& old) {
  for (const std::string& directory : {DirectoryOf(target), CacheDirectory()}) {
    if (directory.empty()) continue;
    NoteSaveDirectory(directory);
    std::string rescue = SaveFilePattern(directory, target, TSaveFileKind::Rescue);
    const int out = FileCalls.MakeTemp(rescue.data());
    if (out < 0) continue;
    // Beside the file it may become the backup, which has the file's
    // permissions; elsewhere it stays the user's alone.
    if (directory == DirectoryOf(target)) FileCalls.Fchmod(out, old.st_mode & 0777);
    const int in = FileCalls.Open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0);
    bool ok = in >= 0 && CopyContent(in, out) == old.st_size;
    if (in >= 0) FileCalls.Close(in);
    ok = ok && FileCalls.Fsync(out) == 0;
    ok = (FileCalls.Close(out) == 0) && ok;
    if (ok) return rescue;
    FileCalls.Unlink(rescue.c_str());
  }
  return "";
}

// Puts the rescued content back: written from the start, cut to the old size,
// with the old modification time, so that the file is what it was to the
// byte and also to whoever watches it for changes.
bool RestoreFromRescue(const std::string& target, const std::string& rescue, const struct stat& old) {
  const int out = FileCalls.Open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0);
  if (out < 0) return false;
  const int in = FileCalls.Open(rescue.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY, 0);
  bool ok = in >= 0 && CopyContent(in, out) == old.st_size;
  if (in >= 0) FileCalls.Close(in);
  ok = ok && FileCalls.Ftruncate(out, old.st_size) == 0 && FileCalls.Fsync(out) == 0;
  if (ok) {
    const struct timespec times[2] = {{0, UTIME_OMIT}, old.st_mtim};
    ::futimens(out, times);
  }
  return (FileCalls.Close(out) == 0) && ok;
}

// The new content into the existing file itself: written from the start,
// then cut to its length. Owner, group, permissions and other hard links all
// stay; only used where the replacement by a new file cannot be had. A
// failure part way is undone from the rescue copy; with no rescue copy the
// file is not touched at all. A wanted backup is the rescue copy itself,
// where it lies beside the file.
bool WriteInPlace(int fd, const std::string& target, const struct stat& old, const uint8_t* data, int64_t size,
                  bool backup, const TIoProgress& progress) {
  const std::string rescue = MakeRescueCopy(target, old);
  if (rescue.empty()) {
    FileCalls.Close(fd);
    return false;
  }
  bool ok = WriteAll(fd, data, size, progress) && FileCalls.Ftruncate(fd, off_t(size)) == 0 && FileCalls.Fsync(fd) == 0;
  ok = (FileCalls.Close(fd) == 0) && ok;
  if (!ok) {
    if (RestoreFromRescue(target, rescue, old)) {
      FileCalls.Unlink(rescue.c_str());
    } else {
      KeptRescue = rescue;
      NoteKeptFile(rescue);
    }
    return false;
  }
  // Renamed, the backup replaces an older one in one step.
  const bool beside = DirectoryOf(rescue) == DirectoryOf(target);
  if (!backup || !beside || FileCalls.Rename(rescue.c_str(), BackupFileName(target).c_str()) != 0)
    FileCalls.Unlink(rescue.c_str());
  return true;
}

// A temporary file beside target that takes the old file's owner and group,
// or -1 when there can be none (a directory the user may not write, a group
// the user does not belong to).
int CreateReplacement(const std::string& target, const struct stat* old, std::string& temp) {
  NoteSaveDirectory(DirectoryOf(target));
  temp = SaveFilePattern(DirectoryOf(target), target, TSaveFileKind::Save);
  const int fd = FileCalls.MakeTemp(temp.data());
  if (fd < 0) return -1;
  // The owner first: a change of owner may clear the set-user-ID bits, which
  // the permissions set after the content then restore.
  if (old && FileCalls.Fchown(fd, old->st_uid, old->st_gid) != 0) {
    FileCalls.Close(fd);
    FileCalls.Unlink(temp.c_str());
    return -1;
  }
  return fd;
}

// Makes a rename in directory durable. Some file systems cannot sync a
// directory at all and say so; the new file is in place either way, so the
// outcome does not change what the save reports.
void SyncDirectory(const std::string& directory) { SyncPath(directory); }

}  // namespace

bool SyncPath(const std::string& path) {
  const int fd = FileCalls.Open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY, 0);
  if (fd < 0) return false;
  const bool ok = FileCalls.Fsync(fd) == 0;
  return (FileCalls.Close(fd) == 0) && ok;
}

bool WriteFileSafely(const std::string& name, const uint8_t* data, int64_t size, bool backup,
                     const TIoProgress& progress) {
  KeptRescue.clear();
  const std::string target = ResolveLinks(name);
  struct stat old;
  const bool existed = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);

  // A file the user may not write is refused, whatever the directory allows.
  // The descriptor is kept for writing in place.
  int inPlace = -1;
  if (existed) {
    inPlace = FileCalls.Open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0);
    if (inPlace < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) return false;
  }
  // Other hard links would keep the old content under their names.
  if (inPlace >= 0 && old.st_nlink > 1) return WriteInPlace(inPlace, target, old, data, size, backup, progress);

  std::string temp;
  const int fd = CreateReplacement(target, existed ? &old : nullptr, temp);
  if (fd < 0) {
    if (inPlace >= 0) return WriteInPlace(inPlace, target, old, data, size, backup, progress);
    return false;
  }
  if (inPlace >= 0) {
    // The old content is about to go: its cached pages are let go now, so
    // that the new file does not have to push them out while it is written
    // (a large file would otherwise need twice its size in memory).
    ::posix_fadvise(inPlace, 0, 0, POSIX_FADV_DONTNEED);
    FileCalls.Close(inPlace);
  }

  // The content reaches the disk before the rename makes it the file: a
  // power failure in between leaves the old file, not an empty new one.
  bool ok = WriteAll(fd, data, size, progress);
  if (ok) ok = FileCalls.Fchmod(fd, existed ? old.st_mode & 07777 : NewFileMode()) == 0;
  if (ok) ok = FileCalls.Fsync(fd) == 0;
  ok = (FileCalls.Close(fd) == 0) && ok;
  if (!ok) {
    FileCalls.Unlink(temp.c_str());
    return false;
  }

  std::string backupName;
  if (backup && existed) {
    backupName = BackupFileName(target);
    FileCalls.Unlink(backupName.c_str());
    // A hard link keeps the target in place until the rename below replaces
    // it; where links are impossible the old file is renamed away.
    if (FileCalls.Link(target.c_str(), backupName.c_str()) != 0 &&
        FileCalls.Rename(target.c_str(), backupName.c_str()) != 0)
      backupName.clear();
  }
  if (FileCalls.Rename(temp.c_str(), target.c_str()) != 0) {
    FileCalls.Unlink(temp.c_str());
    // The old file went to the backup name by a rename: it comes back.
    struct stat st;
    if (!backupName.empty() && ::stat(target.c_str(), &st) != 0 &&
        FileCalls.Link(backupName.c_str(), target.c_str()) != 0)
      FileCalls.Rename(backupName.c_str(), target.c_str());
    return false;
  }
  SyncDirectory(DirectoryOf(target));
  return true;
}

const std::string& KeptRescueFile() { return KeptRescue; }
