#include "commands/FileIo.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

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

}  // namespace

bool WriteFileSafely(const std::string& name, const uint8_t* data, int64_t size, bool backup) {
  const std::string target = ResolveLinks(name);
  std::string base = target.substr(target.rfind('/') == std::string::npos ? 0 : target.rfind('/') + 1);
  std::string temp = DirectoryOf(target) + "/." + base + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;

  struct stat old;
  const bool existed = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  bool ok = WriteAll(fd, data, size);
  if (ok) {
    if (existed) {
      ::fchmod(fd, old.st_mode & 07777);
      if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Only root may give a file away; the file then belongs to the saver.
      }
    } else {
      ::fchmod(fd, NewFileMode());
    }
  }
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
