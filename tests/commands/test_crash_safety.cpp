// A program killed while it writes a marks file leaves the old file or the
// new one, never a mix: a child process saves and dies part way, either
// stopped by the write seam after a chosen number of bytes or killed with
// SIGKILL after a random delay.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "commands/FileIo.h"
#include "commands/MarksFileCommands.h"
#include "core/DocBuffers.h"
#include "fakes/FakeSeams.h"
#include "fakes/TestFiles.h"

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
    G.DocSize = size;
    ResizeDocData(size);
    FreshDocMarks(size);
    std::mt19937 random(seed);
    for (int32_t i = 0; i < size;) {
      const int32_t run = int32_t(random() % 9) + 1;
      const uint8_t mark = uint8_t(random() % 7);
      for (int32_t k = 0; k < run && i < size; ++k) G.DocMarks[i++] = mark;
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

TEST_F(CrashSafety, AMarksFileIsOldOrNewWhereverTheWriteStops) {
  G.CreateBackUp = false;
  const std::string oldFile = Complete(1), newFile = Complete(2);
  ASSERT_NE(oldFile, newFile);
  ASSERT_GT(newFile.size(), 100000u);
  Document(1);
  SaveMarks();
  ASSERT_EQ(ReadAllOf(File), oldFile);
  std::mt19937 random(7);
  for (int i = 0; i < 40; ++i) {
    StopAfter = int64_t(random() % (newFile.size() + 1));
    SCOPED_TRACE(StopAfter);
    const pid_t pid = StartChild(2, true);
    ASSERT_GT(pid, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_EQ(ReadAllOf(File), oldFile);  // the rename was never reached
  }
  StopAfter = int64_t(newFile.size()) + 1;
  const pid_t pid = StartChild(2, true);
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  EXPECT_EQ(ReadAllOf(File), newFile);
}

TEST_F(CrashSafety, AMarksFileIsOldOrNewWhenTheWriterIsKilled) {
  G.CreateBackUp = true;
  const std::string files[2] = {Complete(1), Complete(2)};
  Document(1);
  SaveMarks();
  // How long a whole save in a child takes, to spread the kills over it.
  const auto start = std::chrono::steady_clock::now();
  {
    const pid_t pid = StartChild(2, false);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  }
  const int64_t micros =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
  ASSERT_EQ(ReadAllOf(File), files[1]);
  std::mt19937 random(11);
  int sawOld = 0, sawNew = 0;
  for (int i = 0; i < 30; ++i) {
    const uint32_t seed = uint32_t(1 + i % 2);
    const pid_t pid = StartChild(seed, false);
    ASSERT_GT(pid, 0);
    ::usleep(useconds_t(random() % uint64_t(micros + 1)));
    ::kill(pid, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    const std::string now = ReadAllOf(File);
    ASSERT_TRUE(now == files[0] || now == files[1]) << "a mix of " << now.size() << " bytes after kill " << i;
    sawOld += now == files[0];
    sawNew += now == files[1];
    // The backup, where one was made, is a whole file too.
    if (fs::exists(Dir / "marks.~mr")) {
      const std::string b = ReadAllOf(Dir / "marks.~mr");
      EXPECT_TRUE(b == files[0] || b == files[1]);
    }
  }
  EXPECT_GT(sawOld + sawNew, 0);
}

}  // namespace
