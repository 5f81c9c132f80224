// Saves where a new file cannot simply replace the old one: the file is
// refused when the user may not write it, and written in place when the
// directory takes no new file, when other hard links share it, or when its
// owner or group could not be given to a new file. These need an ordinary
// user: run as root, each save runs in a child process that drops to nobody.
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "commands/FileCommands.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/OptionsState.h"
#include "core/Texts.h"
#include "fakes/FakeSeams.h"
#include "fakes/TestFiles.h"
#include "fileio/FileIo.h"
#include "fileio/Leftovers.h"

namespace fs = std::filesystem;

namespace {

const std::string OldContent = "the old content, longer than the new";
const std::string NewContent = "new bytes";

struct stat StatOf(const fs::path& p) {
  struct stat st {};
  ::stat(p.c_str(), &st);
  return st;
}

// How a save ended, as the child reports it in its exit status.
enum TSaveResult { srWritten = 0, srWritingFailed = 1, srOther = 2 };

class SaveInPlace : public ::testing::Test {
 protected:
  TSeamFixture Seams;
  fs::path Dir;
  uid_t Nobody = 0;
  gid_t NoGroup = 0;

  void SetUp() override {
    char tmpl[] = "/tmp/bq-inplace-XXXXXX";
    Dir = mkdtemp(tmpl);
    ::chmod(Dir.c_str(), 0755);
    if (const passwd* pw = ::getpwnam("nobody")) {
      Nobody = pw->pw_uid;
      NoGroup = pw->pw_gid;
    }
  }
  void TearDown() override {
    ResetFileCalls();
    fs::remove_all(Dir);
  }

  void Document(const std::string& content) {
    Doc.DocSize = int32_t(content.size());
    ResizeDocData(Doc.DocSize);
    FreshDocMarks(Doc.DocSize);
    std::memcpy(Doc.DocData, content.data(), content.size());
    Doc.DataChangeCount = 1;
  }

  // Saves the document under name as the user nobody.
  TSaveResult SaveAsNobody(const std::string& name) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      // A cache folder of the user's own, for a rescue copy where the
      // directory takes none.
      const fs::path cache = Dir / "cache-of-nobody";
      fs::create_directory(cache);
      if (::chown(cache.c_str(), Nobody, NoGroup) != 0) ::_exit(srOther);
      ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
      if (::setgroups(0, nullptr) != 0 || ::setgid(NoGroup) != 0 || ::setuid(Nobody) != 0) ::_exit(srOther);
      const bool written = SaveFile(name, false);
      if (written && Seams.Host.Messages.empty()) ::_exit(srWritten);
      if (!written && Seams.Host.Messages.size() == 1 && Seams.Host.Messages[0].Text == "Writing failed!")
        ::_exit(srWritingFailed);
      ::_exit(srOther);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return srOther;
    return TSaveResult(WEXITSTATUS(status));
  }
};

struct TCase {
  const char* Name;
  bool DirOfNobody;    // else root's, which nobody may not write
  bool FileOfNobody;   // else root's
  bool GroupOfNobody;  // else root's group, which nobody is not in
  mode_t Mode;
  bool SecondLink;
  TSaveResult Result;
  bool SameFile;  // the save kept the inode: in place (or refused)
  bool BackupExpected;
};

TEST_F(SaveInPlace, AsAnOrdinaryUser) {
  if (::geteuid() != 0 || Nobody == 0) GTEST_SKIP() << "needs root to act as the user nobody";
  const TCase cases[] = {
      {"file the user may not write", true, true, true, 0444, false, srWritingFailed, true, false},
      {"directory the user may not write", false, true, true, 0644, false, srWritten, true, false},
      {"file with another hard link", true, true, true, 0644, true, srWritten, true, true},
      {"owner that cannot be kept", true, false, false, 0666, false, srWritten, true, true},
      {"group that cannot be kept", true, true, false, 0664, false, srWritten, true, true},
      {"ordinary file: replaced by a new one", true, true, true, 0640, false, srWritten, false, true},
  };
  Options.OverwriteWarning = false;
  Options.CreateBackUp = true;
  int n = 0;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const fs::path dir = Dir / ("case" + std::to_string(n++));
    fs::create_directory(dir);
    const fs::path file = dir / "data.bin", twin = dir / "twin.bin", backup = dir / "data.~bi";
    WriteAllTo(file, OldContent);
    if (c.SecondLink) fs::create_hard_link(file, twin);
    const uid_t owner = c.FileOfNobody ? Nobody : 0;
    const gid_t group = c.GroupOfNobody ? NoGroup : 0;
    ASSERT_EQ(::chown(file.c_str(), owner, group), 0);
    ASSERT_EQ(::chmod(file.c_str(), c.Mode), 0);
    if (c.DirOfNobody) {
      ASSERT_EQ(::chown(dir.c_str(), Nobody, NoGroup), 0);
    }
    const struct stat before = StatOf(file);

    Document(NewContent);
    ASSERT_EQ(SaveAsNobody(file.string()), c.Result);

    const struct stat after = StatOf(file);
    EXPECT_EQ(ReadAllOf(file), c.Result == srWritten ? NewContent : OldContent);
    EXPECT_EQ(after.st_ino == before.st_ino, c.SameFile);
    EXPECT_EQ(after.st_uid, owner);
    EXPECT_EQ(after.st_gid, group);
    EXPECT_EQ(after.st_mode & 07777, c.Mode);
    if (c.SecondLink) {
      EXPECT_EQ(ReadAllOf(twin), NewContent);
    }
    EXPECT_EQ(fs::exists(backup), c.BackupExpected);
    if (c.BackupExpected) {
      EXPECT_EQ(ReadAllOf(backup), OldContent);
    }
    // No temporary file is left behind.
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir)) entries += e.exists();
    EXPECT_EQ(entries, 1 + c.SecondLink + c.BackupExpected);
  }
}

// Written in place, a short write that then fails still says so.
TEST_F(SaveInPlace, AFailedWriteInPlaceIsReported) {
  const fs::path file = Dir / "linked", twin = Dir / "twin";
  WriteAllTo(file, OldContent);
  fs::create_hard_link(file, twin);
  Document(NewContent);
  Options.OverwriteWarning = false;
  Options.CreateBackUp = false;
  FileCalls.Write = [](int fd, const void* buffer, size_t count) -> ssize_t {
    if (count > 4) return ::write(fd, buffer, 4);
    errno = ENOSPC;
    return -1;
  };
  EXPECT_FALSE(SaveFile(file.string(), false));
  ASSERT_EQ(Seams.Host.Messages.size(), 1u);
  EXPECT_EQ(Seams.Host.Messages[0].Text, "Writing failed!");
  EXPECT_EQ(Doc.DataChangeCount, 1);
  ResetFileCalls();
  EXPECT_TRUE(SaveFile(file.string(), false));
  EXPECT_EQ(ReadAllOf(twin), NewContent);  // cut to the new length
  EXPECT_EQ(Doc.DataChangeCount, 0);
}

// When even putting the old content back fails, the message says where the
// old content is, in either language, and that rescue file stays.
ino_t DamagedFile = 0;
TEST_F(SaveInPlace, AFailedUndoKeepsTheRescueFile) {
  const fs::path file = Dir / "linked", twin = Dir / "twin";
  Options.OverwriteWarning = false;
  for (const int language : {9, 7}) {
    Options.Language = language;
    fs::remove(twin);
    WriteAllTo(file, OldContent);
    fs::create_hard_link(file, twin);
    Doc.DataChangeCount = 0;
    LoadFile(file.string());
    Document(NewContent);
    Seams.Host.Messages.clear();
    // The file itself takes two bytes, and then nothing more.
    DamagedFile = StatOf(file).st_ino;
    FileCalls.Write = [](int fd, const void* buffer, size_t count) -> ssize_t {
      struct stat st {};
      if (::fstat(fd, &st) != 0 || st.st_ino != DamagedFile) return ::write(fd, buffer, count);
      errno = EIO;
      return ::lseek(fd, 0, SEEK_CUR) == 0 && st.st_size == off_t(OldContent.size()) ? ::write(fd, buffer, 2) : -1;
    };
    EXPECT_FALSE(SaveFile(file.string(), false));
    ResetFileCalls();
    const std::string rescue = KeptRescueFile();
    EXPECT_NE(SaveFileOwner(fs::path(rescue).filename().string()), 0);
    EXPECT_EQ(ReadAllOf(rescue), OldContent);
    ASSERT_EQ(Seams.Host.Messages.size(), 1u);
    EXPECT_EQ(Seams.Host.Messages[0].Text, TxtWritingFailedRescueKept(rescue));
    EXPECT_NE(Seams.Host.Messages[0].Text.find(language == 7 ? "Konnte nicht" : "Writing failed"), std::string::npos);
    // The damage is the program's own: no question about another program.
    CheckDiskChange();
    EXPECT_EQ(Seams.Host.Messages.size(), 1u);
  }
}

}  // namespace
