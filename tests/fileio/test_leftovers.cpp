// What saves leave behind when their program dies: found again by name and
// ledger, removed only once a day old and only when their process has gone.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <set>

#include "fakes/TestFiles.h"
#include "fileio/Leftovers.h"

namespace fs = std::filesystem;

namespace {

// A file made from the pattern, as mkstemp makes it.
std::string Make(const std::string& directory, const char* name, TSaveFileKind kind) {
  std::string path = SaveFilePattern(directory, directory + "/" + name, kind);
  NoteSaveDirectory(directory);
  const int fd = ::mkstemp(path.data());
  if (fd >= 0) ::close(fd);
  return path;
}

TEST(Leftovers, OnlyOldFilesOfGoneProcessesGo) {
  const TTempDir temp("leftovers");
  const fs::path dir = temp.Path, work = dir / "work";
  const std::string userCache = std::getenv("XDG_CACHE_HOME");
  ::setenv("XDG_CACHE_HOME", (dir / "cache").c_str(), 1);
  fs::create_directory(work);
  // A process dies in the middle of its saves, beside a file it kept on
  // purpose and a link with a leftover's name.
  const pid_t dead = ::fork();
  if (dead == 0) {
    Make(work, "a.bin", TSaveFileKind::Save);
    Make(CacheDirectory(), "b.bin", TSaveFileKind::Rescue);
    NoteKeptFile(Make(work, "kept.bin", TSaveFileKind::Rescue));
    fs::create_symlink(work / "a.bin", fs::path(SaveFilePattern(work, "l", TSaveFileKind::Save)));
    ::_exit(0);
  }
  ::waitpid(dead, nullptr, 0);
  Make(work, "mine.bin", TSaveFileKind::Save);  // of this process, still running
  // Names like its own that are not: someone else's hidden file, another tag.
  const std::string pid = "." + std::to_string(dead) + ".Ab3xYz";
  for (const std::string& other : {std::string("notes.txt"), ".notes" + pid, ".n.brisquentalovard-saved" + pid})
    WriteAllTo(work / other, "not ours");
  const auto names = [&] {
    std::set<std::string> all;
    for (const fs::path& d : {work, dir / "cache" / "brisquentalovard"})
      for (const auto& e : fs::directory_iterator(d)) all.insert(e.path().filename().string());
    return all;
  };
  const std::set<std::string> before = names();
  ASSERT_EQ(before.size(), 10u);  // two ledgers with them
  RemoveLeftovers(std::time(nullptr) + 23 * 3600);
  EXPECT_EQ(names(), before);
  RemoveLeftovers(std::time(nullptr) + 25 * 3600);
  std::set<std::string> gone;
  for (const std::string& name : before)
    if (!names().count(name)) gone.insert(name.rfind("saves.", 0) == 0 ? name : name.substr(0, 7));
  EXPECT_EQ(gone, (std::set<std::string>{".a.bin.", ".b.bin.", "saves." + std::to_string(dead)}));
  ::setenv("XDG_CACHE_HOME", userCache.c_str(), 1);
}

}  // namespace
