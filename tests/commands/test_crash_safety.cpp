// A program that dies while it writes a marks file leaves the old file or the
// new one, never a mix: a child process saves and is stopped by the write
// seam after a chosen number of bytes.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "commands/MarksFileCommands.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/OptionsState.h"
#include "fakes/FakeSeams.h"
#include "fakes/TestFiles.h"
#include "fakes/TestSeed.h"
#include "fileio/FileIo.h"

namespace fs = std::filesystem;

namespace {

// Bytes written before the child stops, set before the fork.
int64_t StopAfter = 0;

class CrashSafety : public ::testing::Test {
 protected:
  TSeamFixture Seams;
  fs::path Dir, File;

  void SetUp() override {
    char tmpl[] = "/tmp/bq-crash-XXXXXX";
    Dir = mkdtemp(tmpl);
    File = Dir / "marks.mrk";
  }
  void TearDown() override {
    ResetFileCalls();
    fs::remove_all(Dir);
  }

  // A document whose marks make a file of some hundred kilobytes; seed
  // varies them.
  void Document(uint32_t seed) {
    const int32_t size = 1 << 20;
    Doc.DocSize = size;
    ResizeDocData(size);
    FreshDocMarks(size);
    std::mt19937 random(seed);
    for (int32_t i = 0; i < size;) {
      const int32_t run = int32_t(random() % 9) + 1;
      const uint8_t mark = uint8_t(random() % 7);
      for (int32_t k = 0; k < run && i < size; ++k) Doc.DocMarks[i++] = mark;
    }
  }

  void SaveMarks() {
    Seams.Host.FileAnswers = {File.string()};
    Seams.Host.Answers = {mrYes};
    MarkSaveAsMainMenuItemClick();
  }

  // The file a complete save of the marks of seed writes.
  std::string Complete(uint32_t seed) {
    Document(seed);
    const fs::path keep = File;
    File = Dir / "complete.mrk";
    SaveMarks();
    const std::string bytes = ReadAllOf(File);
    fs::remove(File);
    File = keep;
    return bytes;
  }

  // Forks a child that saves the marks of seed; stop tells how it dies.
  pid_t StartChild(uint32_t seed, bool stopInWrite) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      Document(seed);
      if (stopInWrite) {
        FileCalls.Write = [](int fd, const void* b, size_t n) -> ssize_t {
          if (StopAfter <= 0) ::_exit(0);
          const ssize_t w = ::write(fd, b, size_t(std::min<int64_t>(int64_t(n), StopAfter)));
          if (w > 0) StopAfter -= w;
          return w;
        };
      }
      SaveMarks();
      ::_exit(0);
    }
    return pid;
  }
};

// Stopped after any number of written bytes, with and without a backup: the
// file and the backup, where one was made, are each a whole file.
TEST_F(CrashSafety, AMarksFileIsOldOrNewWhereverTheWriteStops) {
  const std::string oldFile = Complete(1), newFile = Complete(2);
  ASSERT_NE(oldFile, newFile);
  ASSERT_GT(newFile.size(), 100000u);
  BQ_SEEDED_RNG(random, 7);
  for (const bool backup : {false, true}) {
    SCOPED_TRACE(backup ? "with backup" : "without backup");
    Options.CreateBackUp = backup;
    fs::remove(File);
    fs::remove(Dir / "marks.~mr");
    Document(1);
    SaveMarks();
    ASSERT_EQ(ReadAllOf(File), oldFile);
    for (int i = 0; i < 30; ++i) {
      StopAfter = i == 0 ? 0 : i == 1 ? int64_t(newFile.size()) - 1 : int64_t(random() % newFile.size());
      SCOPED_TRACE(StopAfter);
      const pid_t pid = StartChild(2, true);
      ASSERT_GT(pid, 0);
      int status = 0;
      ASSERT_EQ(::waitpid(pid, &status, 0), pid);
      ASSERT_TRUE(ReadAllOf(File) == oldFile);  // the rename was never reached
      if (fs::exists(Dir / "marks.~mr")) {
        EXPECT_TRUE(ReadAllOf(Dir / "marks.~mr") == oldFile);
      }
    }
    StopAfter = int64_t(newFile.size()) + 1;
    const pid_t pid = StartChild(2, true);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(ReadAllOf(File) == newFile);
    if (backup) {
      EXPECT_TRUE(ReadAllOf(Dir / "marks.~mr") == oldFile);
    }
  }
}

}  // namespace
