#include "commands/FileIo.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <new>

ssize_t (*WriteCall)(int, const void*, size_t) = ::write;

int OpenForReading(const std::string& name, int64_t& size) {
  // Non-blocking, so that opening a named pipe does not wait for a writer.
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > INT32_MAX) {
    ::close(fd);
    return -1;
  }
  size = st.st_size;
  return fd;
}

bool ReadExactly(int fd, uint8_t* buffer, int64_t size) {
  int64_t done = 0;
  while (done < size) {
    // One call where the kernel allows it; it caps a single read near 2 GiB.
    const size_t chunk = size_t(std::min<int64_t>(size - done, 0x40000000));
    const ssize_t n = ::read(fd, buffer + done, chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += n;
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

bool WriteAll(int fd, const uint8_t* data, int64_t size) {
  int64_t done = 0;
  while (done < size) {
    const size_t chunk = size_t(std::min<int64_t>(size - done, 0x40000000));
    const ssize_t n = WriteCall(fd, data + done, chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += n;
  }
  return true;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Copies the file at from to a new file to, with the given permissions. A
// partial copy is removed.
bool CopyFile(const std::string& from, const std::string& to, mode_t mode) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (in < 0) return false;
  const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
  if (out < 0) {
    ::close(in);
    return false;
  }
  static constexpr size_t Chunk = 1 << 20;
  std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[Chunk]);
  bool ok = buffer != nullptr;
  while (ok) {
    const ssize_t n = ::read(in, buffer.get(), Chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    ok = WriteAll(out, buffer.get(), n);
  }
  ::close(in);
  ok = (::close(out) == 0) && ok;
  if (!ok) ::unlink(to.c_str());
  return ok;
}

// The new content into the existing file itself: written from the start,
// then cut to its length. Owner, group, permissions and other hard links all
// stay, but a failure part way leaves the file damaged; only used where the
// replacement by a new file cannot be had.
bool WriteInPlace(int fd, const std::string& target, const struct stat& old, const uint8_t* data, int64_t size,
                  bool backup) {
  if (backup) {
    // A copy: a hard link would share the very bytes about to be overwritten.
    const std::string backupName = BackupFileName(target);
    ::unlink(backupName.c_str());
    CopyFile(target, backupName, old.st_mode & 0777);
  }
  bool ok = WriteAll(fd, data, size) && ::ftruncate(fd, off_t(size)) == 0;
  ok = (::close(fd) == 0) && ok;
  return ok;
}

// A temporary file beside target that takes the old file's owner and group,
// or -1 when there can be none (a directory the user may not write, a group
// the user does not belong to).
int CreateReplacement(const std::string& target, const struct stat* old, std::string& temp) {
  const std::string base = target.substr(target.rfind('/') == std::string::npos ? 0 : target.rfind('/') + 1);
  temp = DirectoryOf(target) + "/." + base + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return -1;
  // The owner first: a change of owner may clear the set-user-ID bits, which
  // the permissions set after the content then restore.
  if (old && ::fchown(fd, old->st_uid, old->st_gid) != 0) {
    ::close(fd);
    ::unlink(temp.c_str());
    return -1;
  }
  return fd;
}

}  // namespace

bool WriteFileSafely(const std::string& name, const uint8_t* data, int64_t size, bool backup) {
  const std::string target = ResolveLinks(name);
  struct stat old;
  const bool existed = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);

  // A file the user may not write is refused, whatever the directory allows.
  // The descriptor is kept for writing in place.
  int inPlace = -1;
  if (existed) {
    inPlace = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (inPlace < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) return false;
  }
  // Other hard links would keep the old content under their names.
  if (inPlace >= 0 && old.st_nlink > 1) return WriteInPlace(inPlace, target, old, data, size, backup);

  std::string temp;
  const int fd = CreateReplacement(target, existed ? &old : nullptr, temp);
  if (fd < 0) {
    if (inPlace >= 0) return WriteInPlace(inPlace, target, old, data, size, backup);
    return false;
  }
  if (inPlace >= 0) ::close(inPlace);

  bool ok = WriteAll(fd, data, size);
  if (ok) ok = ::fchmod(fd, existed ? old.st_mode & 07777 : NewFileMode()) == 0;
  ok = (::close(fd) == 0) && ok;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }

  std::string backupName;
  if (backup && existed) {
    backupName = BackupFileName(target);
    ::unlink(backupName.c_str());
    // A hard link keeps the target in place until the rename below replaces
    // it; where links are impossible the old file is renamed away.
    if (::link(target.c_str(), backupName.c_str()) != 0 && ::rename(target.c_str(), backupName.c_str()) != 0)
      backupName.clear();
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    ::unlink(temp.c_str());
    struct stat st;
    if (!backupName.empty() && ::stat(target.c_str(), &st) != 0) ::link(backupName.c_str(), target.c_str());
    return false;
  }
  return true;
}
