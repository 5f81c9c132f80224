#include "fileio/Leftovers.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <set>

namespace {

const std::string Tag = ".brisquentalovard-";
const char* const KindNames[] = {"save", "rescue"};
constexpr long OneDay = 24 * 60 * 60;
// Room left in a file name of 255 bytes for the tag, the kind, the process
// id and the random part.
constexpr size_t BaseRoom = 200;
// Kept rescue files stand in a ledger behind this mark.
const std::string KeptMark = "!";

std::string LedgerName(const std::string& cache, long pid) { return cache + "/saves." + std::to_string(pid); }

std::string Absolute(const std::string& directory) {
  if (!directory.empty() && directory[0] == '/') return directory;
  char cwd[4096];
  if (!::getcwd(cwd, sizeof cwd)) return "";
  return directory.empty() || directory == "." ? std::string(cwd) : std::string(cwd) + "/" + directory;
}

void AppendLine(const std::string& line) {
  const std::string cache = CacheDirectory();
  if (cache.empty()) return;
  const int fd = ::open(LedgerName(cache, long(::getpid())).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return;
  const std::string text = line + "\n";
  const ssize_t written = ::write(fd, text.data(), text.size());
  (void)written;
  ::close(fd);
}

bool ProcessRuns(long pid) { return ::kill(pid_t(pid), 0) == 0 || errno == EPERM; }

// Removes the files of pid in directory that are old enough and not kept;
// true when some of its files must still wait.
bool ClearDirectory(const std::string& directory, long pid, const std::set<std::string>& kept, std::time_t now) {
  DIR* dir = ::opendir(directory.c_str());
  if (!dir) return false;
  bool waiting = false;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (SaveFileOwner(name) != pid) continue;
    const std::string path = directory + "/" + name;
    struct stat st;
    if (kept.count(path) || ::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (now - st.st_mtime < OneDay || ::unlink(path.c_str()) != 0) waiting = true;
  }
  ::closedir(dir);
  return waiting;
}

}  // namespace

std::string SaveFilePattern(const std::string& directory, const std::string& target, TSaveFileKind kind) {
  const auto slash = target.rfind('/');
  const std::string base = target.substr(slash == std::string::npos ? 0 : slash + 1).substr(0, BaseRoom);
  return directory + "/." + base + Tag + KindNames[int(kind)] + "." + std::to_string(long(::getpid())) + ".XXXXXX";
}

long SaveFileOwner(const std::string& fileName) {
  // "." base tag kind "." pid "." and six characters.
  if (fileName.size() < 9 || fileName[0] != '.') return 0;
  const size_t random = fileName.size() - 7;
  if (fileName[random] != '.') return 0;
  const size_t dot = fileName.rfind('.', random - 1);
  if (dot == std::string::npos || dot + 1 == random || random - dot > 10) return 0;
  const std::string pid = fileName.substr(dot + 1, random - dot - 1);
  if (pid.find_first_not_of("0123456789") != std::string::npos) return 0;
  const std::string head = fileName.substr(0, dot);
  for (const char* kind : KindNames) {
    const std::string ending = Tag + kind;
    if (head.size() > ending.size() + 1 && head.compare(head.size() - ending.size(), ending.size(), ending) == 0)
      return std::atol(pid.c_str());
  }
  return 0;
}

std::string CacheDirectory() {
  const char* xdg = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  std::string base;
  if (xdg && xdg[0] == '/')
    base = xdg;
  else if (home && home[0] == '/')
    base = std::string(home) + "/.cache";
  if (base.empty()) return "";
  ::mkdir(base.c_str(), 0700);
  const std::string directory = base + "/brisquentalovard";
  if (::mkdir(directory.c_str(), 0700) != 0 && errno != EEXIST) return "";
  return directory;
}

void NoteSaveDirectory(const std::string& directory) {
  // A forked child is another process with a ledger of its own.
  static std::set<std::string> noted;
  static pid_t owner = 0;
  if (owner != ::getpid()) {
    noted.clear();
    owner = ::getpid();
  }
  const std::string absolute = Absolute(directory);
  if (absolute.empty() || !noted.insert(absolute).second) return;
  AppendLine(absolute);
}

void NoteKeptFile(const std::string& path) { AppendLine(KeptMark + Absolute(path)); }

void RemoveLeftovers(std::time_t now) {
  const std::string cache = CacheDirectory();
  DIR* dir = cache.empty() ? nullptr : ::opendir(cache.c_str());
  if (!dir) return;
  std::set<long> owners;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.rfind("saves.", 0) != 0 || name.size() <= 6 ||
        name.find_first_not_of("0123456789", 6) != std::string::npos)
      continue;
    const long pid = std::atol(name.c_str() + 6);
    if (pid > 0 && !ProcessRuns(pid)) owners.insert(pid);
  }
  ::closedir(dir);
  for (const long pid : owners) {
    std::set<std::string> directories, kept;
    std::ifstream ledger(LedgerName(cache, pid));
    for (std::string line; std::getline(ledger, line);) {
      if (line.rfind(KeptMark, 0) == 0)
        kept.insert(line.substr(KeptMark.size()));
      else if (!line.empty() && line[0] == '/')
        directories.insert(line);
    }
    bool waiting = false;
    for (const std::string& directory : directories) waiting = ClearDirectory(directory, pid, kept, now) || waiting;
    if (!waiting) ::unlink(LedgerName(cache, pid).c_str());
  }
}
