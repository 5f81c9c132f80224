// Saving and loading with one system call made to fail. A clean run of each
// scenario records the calls it makes; then every call in turn fails with
// EIO, with ENOSPC, comes up short with the disk full from there on (bytes
// over those a file already has still go through), or comes up short and
// the rest goes through. After each run: the outcome that
// was reported matches the files (a save reported as done wrote the new
// bytes; a failure says "Writing failed!" in the current language and left
// the original byte for byte with its permissions), no temporary file stays,
// the backup holds the old content or an earlier backup, the document is
// unchanged, and a save without faults then succeeds.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "actions/Actions.h"
#include "commands/CompareCommands.h"
#include "commands/FileCommands.h"
#include "commands/MarksFileCommands.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/MarksCodec.h"
#include "core/OptionsState.h"
#include "fakes/FakeSeams.h"
#include "fakes/TestFiles.h"
#include "fileio/FileIo.h"
#include "fileio/Leftovers.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> Entries(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

// The fault: which call (counted from 0 over all calls of the seam) fails and
// how. Short: that write or read does half its work; then with DiskFull every
// later write fails with ENOSPC (every later read finds the end of the file),
// without it the rest goes through.
enum class TFaultKind { Eio, Enospc, ShortThenFull, ShortThenFine };
const TFaultKind AllKinds[] = {TFaultKind::Eio, TFaultKind::Enospc, TFaultKind::ShortThenFull,
                               TFaultKind::ShortThenFine};
const char* KindName(TFaultKind k) {
  switch (k) {
    case TFaultKind::Eio: return "EIO";
    case TFaultKind::Enospc: return "ENOSPC";
    case TFaultKind::ShortThenFull: return "short, then disk full";
    case TFaultKind::ShortThenFine: return "short, then fine";
  }
  return "";
}

struct TInjector {
  std::vector<std::string> Trace;
  int FailAt = -1;
  TFaultKind Kind = TFaultKind::Eio;
  bool Exhausted = false;  // after a short write or read with DiskFull

  // True when this call is the one to fail; errno is then set.
  bool Hit(const char* name) {
    Trace.push_back(name);
    if (int(Trace.size()) - 1 != FailAt) return false;
    errno = Kind == TFaultKind::Eio ? EIO : ENOSPC;
    return true;
  }
  bool Shorts() const { return Kind == TFaultKind::ShortThenFull || Kind == TFaultKind::ShortThenFine; }
};
TInjector In;

void Install() {
  FileCalls.Open = [](const char* p, int flags, mode_t mode) {
    return In.Hit("open") && !In.Shorts() ? -1 : ::open(p, flags, mode);
  };
  FileCalls.Read = [](int fd, void* b, size_t n) -> ssize_t {
    if (In.Exhausted) return 0;
    if (!In.Hit("read")) return ::read(fd, b, n);
    if (!In.Shorts()) return -1;
    In.Exhausted = In.Kind == TFaultKind::ShortThenFull;
    return ::read(fd, b, n > 1 ? n / 2 : n);  // no read of 0 bytes, which means the end
  };
  FileCalls.Write = [](int fd, const void* b, size_t n) -> ssize_t {
    // A full disk still takes bytes over ones a file already has.
    struct stat st {};
    if (In.Exhausted && (::fstat(fd, &st) != 0 || ::lseek(fd, 0, SEEK_CUR) + off_t(n) > st.st_size)) {
      errno = ENOSPC;
      return -1;
    }
    if (!In.Hit("write")) return ::write(fd, b, n);
    if (!In.Shorts()) return -1;
    In.Exhausted = In.Kind == TFaultKind::ShortThenFull;
    return ::write(fd, b, n / 2);
  };
  FileCalls.Fsync = [](int fd) { return In.Hit("fsync") && !In.Shorts() ? -1 : ::fsync(fd); };
  FileCalls.Close = [](int fd) {
    // A failing close still closes, as the kernel does.
    const bool fail = In.Hit("close") && !In.Shorts();
    const int r = ::close(fd);
    if (fail) errno = EIO;
    return fail ? -1 : r;
  };
  FileCalls.MakeTemp = [](char* p) { return In.Hit("mkstemp") && !In.Shorts() ? -1 : ::mkstemp(p); };
  FileCalls.Fchown = [](int fd, uid_t u, gid_t g) {
    return In.Hit("fchown") && !In.Shorts() ? -1 : ::fchown(fd, u, g);
  };
  FileCalls.Fchmod = [](int fd, mode_t m) { return In.Hit("fchmod") && !In.Shorts() ? -1 : ::fchmod(fd, m); };
  FileCalls.Ftruncate = [](int fd, off_t n) { return In.Hit("ftruncate") && !In.Shorts() ? -1 : ::ftruncate(fd, n); };
  FileCalls.Link = [](const char* a, const char* b) { return In.Hit("link") && !In.Shorts() ? -1 : ::link(a, b); };
  FileCalls.Rename = [](const char* a, const char* b) {
    return In.Hit("rename") && !In.Shorts() ? -1 : ::rename(a, b);
  };
  FileCalls.Unlink = [](const char* p) { return In.Hit("unlink") && !In.Shorts() ? -1 : ::unlink(p); };
}

const std::string Original = "the original content of the file, kept safe";
const std::string OlderBackup = "an older backup";

struct TScenario {
  const char* Name;
  bool Marks;       // a marks file, else the document
  bool Existing;    // the target exists before the save
  bool Backup;      // CreateBackUp
  bool OldBackup;   // an older backup lies beside it
  bool SecondLink;  // another hard link: written in place
};

class FaultInjection : public ::testing::Test {
 protected:
  TSeamFixture Seams;
  fs::path Dir;

  void SetUp() override {
    char tmpl[] = "/tmp/bq-faults-XXXXXX";
    Dir = mkdtemp(tmpl);
  }
  void TearDown() override {
    ResetFileCalls();
    fs::remove_all(Dir);
  }

  // The document the saves write: bytes and marks that differ from Original.
  void Document() {
    const std::string bytes = "new bytes written by the save";
    Doc.DocSize = int32_t(bytes.size());
    ResizeDocData(Doc.DocSize);
    FreshDocMarks(Doc.DocSize);
    std::memcpy(Doc.DocData, bytes.data(), bytes.size());
    for (int32_t i = 0; i < Doc.DocSize; ++i) Doc.DocMarks[i] = uint8_t(i % 7);
    Doc.DataChangeCount = 3;
  }
  std::string DocBytes() const { return std::string(reinterpret_cast<char*>(Doc.DocData), size_t(Doc.DocSize)); }
  std::string DocMarks() const { return std::string(reinterpret_cast<char*>(Doc.DocMarks), size_t(Doc.DocSize)); }
  std::string ExpectedFile(const TScenario& s) const {
    if (!s.Marks) return DocBytes();
    const std::vector<uint8_t> runs = EncodeMarkRuns(Doc.DocMarks, Doc.DocSize);
    return MarksSignature + std::string(runs.begin(), runs.end());
  }

  // One save of the scenario in dir; true when it reported success.
  bool Save(const TScenario& s, const fs::path& target) {
    Options.OverwriteWarning = false;
    Options.CreateBackUp = s.Backup;
    if (!s.Marks) return SaveFile(target.string(), false);
    Seams.Host.FileAnswers = {target.string()};
    Seams.Host.Answers = {mrYes};  // the overwrite question
    const size_t before = Seams.Host.Messages.size();
    MarkSaveAsMainMenuItemClick();
    for (size_t i = before; i < Seams.Host.Messages.size(); ++i)
      if (Seams.Host.Messages[i].Type == TMsgDlgType::Error) return false;
    return true;
  }

  fs::path Prepare(const TScenario& s, const fs::path& dir) {
    fs::create_directory(dir);
    const fs::path target = dir / "data.bin";
    if (s.Existing) {
      WriteAllTo(target, Original);
      ::chmod(target.c_str(), 0640);
      if (s.SecondLink) fs::create_hard_link(target, dir / "twin.bin");
    }
    if (s.OldBackup) WriteAllTo(dir / "data.~bi", OlderBackup);
    return target;
  }

  void Run(const TScenario& s) {
    const fs::path base = Dir / s.Name;
    fs::create_directory(base);
    Document();
    const std::string bytes = DocBytes(), marks = DocMarks();
    const std::string wanted = ExpectedFile(s);
    // The clean run: the calls a save makes.
    Install();
    In = TInjector();
    {
      const fs::path target = Prepare(s, base / "clean");
      ASSERT_TRUE(Save(s, target));
      ASSERT_EQ(ReadAllOf(target), wanted);
    }
    const std::vector<std::string> calls = In.Trace;
    ASSERT_GE(calls.size(), 4u);
    {
      // Durable: the content is synced after its last write and before the
      // rename that makes it the file (or before the close, in place), and
      // the directory after the rename.
      const auto at = [&](const char* name, bool last) {
        int found = -1;
        for (int i = 0; i < int(calls.size()); ++i)
          if (calls[size_t(i)] == name && (last || found < 0)) found = i;
        return found;
      };
      const int lastWrite = at("write", true), lastRename = at("rename", true), lastFsync = at("fsync", true);
      int syncAfterWrite = -1;
      for (int i = lastWrite + 1; i < int(calls.size()) && syncAfterWrite < 0; ++i)
        if (calls[size_t(i)] == "fsync") syncAfterWrite = i;
      EXPECT_GT(syncAfterWrite, lastWrite);
      if (!s.SecondLink) {
        ASSERT_GE(lastRename, 0);
        EXPECT_LT(syncAfterWrite, lastRename);
        EXPECT_GT(lastFsync, lastRename) << "the directory is synced after the rename";
      }
    }
    int runs = 0;
    for (int at = 0; at < int(calls.size()); ++at) {
      for (TFaultKind kind : AllKinds) {
        const bool shortable = calls[size_t(at)] == "write" || calls[size_t(at)] == "read";
        if ((kind == TFaultKind::ShortThenFull || kind == TFaultKind::ShortThenFine) && !shortable) continue;
        SCOPED_TRACE(std::string(s.Name) + ": call " + std::to_string(at) + " (" + calls[size_t(at)] + ") " +
                     KindName(kind));
        const fs::path dir = base / ("run" + std::to_string(runs++));
        const fs::path target = Prepare(s, dir);
        const std::set<std::string> before = Entries(dir);
        Options.Language = runs % 2 ? 7 : 9;
        Doc.DataChangeCount = 3;
        Seams.Host.Messages.clear();
        In = TInjector();
        In.FailAt = at;
        In.Kind = kind;
        const bool ok = Save(s, target);
        In.FailAt = -1;
        In.Exhausted = false;

        std::set<std::string> after = Entries(dir);
        // Only a rescue copy whose removal was the failing call may stay
        // after a save that worked; it holds the old content.
        for (const std::string& name : Entries(dir))
          if (ok && SaveFileOwner(name) && ReadAllOf(dir / name) == Original) after.erase(name);
        after.insert("data.bin");
        if (s.Backup && s.Existing) after.insert("data.~bi");
        std::set<std::string> allowed = before;
        allowed.insert("data.bin");
        if (s.Backup && s.Existing) allowed.insert("data.~bi");
        EXPECT_EQ(after, allowed) << "a temporary file was left behind";
        const fs::path backup = dir / "data.~bi";
        if (ok) {
          EXPECT_TRUE(Seams.Host.Messages.empty() || s.Marks);
          EXPECT_EQ(ReadAllOf(target), wanted);
          if (s.Existing) {
            struct stat st {};
            ::stat(target.c_str(), &st);
            EXPECT_EQ(st.st_mode & 07777, 0640u);
          }
        } else {
          ASSERT_FALSE(Seams.Host.Messages.empty());
          EXPECT_EQ(Seams.Host.Messages.back().Text,
                    Options.Language == 7 ? "Konnte nicht schreiben!" : "Writing failed!");
          if (!s.Existing) {
            EXPECT_FALSE(fs::exists(target));
          } else if (!s.SecondLink) {
            EXPECT_EQ(ReadAllOf(target), Original);
            struct stat st {};
            ::stat(target.c_str(), &st);
            EXPECT_EQ(st.st_mode & 07777, 0640u);
          } else {
            // Written in place: the rescue copy put the old content back.
            EXPECT_EQ(ReadAllOf(target), Original);
            EXPECT_EQ(ReadAllOf(dir / "twin.bin"), Original);
          }
          if (!s.Marks) {
            EXPECT_EQ(Doc.DataChangeCount, 3);
          }
        }
        // The backup rule: the old content, or the older backup untouched,
        // or (when it could not be made) no backup.
        if (fs::exists(backup)) {
          const std::string b = ReadAllOf(backup);
          EXPECT_TRUE(b == Original || (s.OldBackup && b == OlderBackup)) << b;
          if (ok && s.Backup && s.Existing && !s.SecondLink) {
            EXPECT_EQ(b, Original);
          }
        }
        EXPECT_EQ(DocBytes(), bytes);
        EXPECT_EQ(DocMarks(), marks);
        // A later save without faults succeeds.
        Seams.Host.Messages.clear();
        EXPECT_TRUE(Save(s, target));
        EXPECT_EQ(ReadAllOf(target), wanted);
        if (HasFailure()) return;
      }
    }
    EXPECT_GT(runs, int(calls.size()));
  }
};

TEST_F(FaultInjection, SavingTheDocument) {
  const TScenario scenarios[] = {
      {"over a file, no backup", false, true, false, false, false},
      {"over a file, with backup", false, true, true, true, false},
      {"a new file", false, false, true, false, false},
      {"in place beside a hard link, with backup", false, true, true, true, true},
      {"in place beside a hard link, no backup", false, true, false, false, true},
  };
  for (const TScenario& s : scenarios) {
    Run(s);
    if (HasFailure()) return;
  }
}

TEST_F(FaultInjection, SavingAMarksFile) {
  const TScenario scenarios[] = {
      {"marks over a file, with backup", true, true, true, true, false},
      {"marks to a new file", true, false, false, false, false},
  };
  for (const TScenario& s : scenarios) {
    Run(s);
    if (HasFailure()) return;
  }
}

// Loading: a failing or short read, or a failing open, leaves the current
// document whole, with its name, marks, change count and history.
TEST_F(FaultInjection, LoadingKeepsTheCurrentDocument) {
  const fs::path first = Dir / "first.bin", second = Dir / "second.bin";
  WriteAllTo(first, "the current document");
  WriteAllTo(second, std::string(200000, 'z'));
  LoadFile(first.string());
  Doc.DocData[0] = 'T';
  Doc.DocMarks[1] = 3;
  Doc.DataChangeCount = 1;
  const std::string bytes = DocBytes(), marks = DocMarks();
  Install();
  In = TInjector();
  Seams.Host.Answers = {mrNo};
  LoadFile(second.string());  // the clean run, then back to the first
  ASSERT_EQ(Doc.DocSize, 200000);
  const std::vector<std::string> calls = In.Trace;
  for (int at = 0; at < int(calls.size()); ++at) {
    for (TFaultKind kind : AllKinds) {
      if (calls[size_t(at)] == "close") continue;  // the file was read by then
      if ((kind == TFaultKind::ShortThenFull || kind == TFaultKind::ShortThenFine) && calls[size_t(at)] != "read")
        continue;
      SCOPED_TRACE("call " + std::to_string(at) + " (" + calls[size_t(at)] + ") " + KindName(kind));
      In = TInjector();
      LoadFile(first.string());
      Doc.DocData[0] = 'T';
      Doc.DocMarks[1] = 3;
      Doc.DataChangeCount = 1;
      Seams.Host.Messages.clear();
      Seams.Host.Answers = {mrNo};
      In = TInjector();
      In.FailAt = at;
      In.Kind = kind;
      LoadFile(second.string());
      if (kind == TFaultKind::ShortThenFine) {
        EXPECT_EQ(Doc.DocSize, 200000);  // a short read is followed by the rest
        continue;
      }
      ASSERT_EQ(Seams.Host.Messages.size(), 2u);
      EXPECT_EQ(Seams.Host.Messages[1].Text, "Reading " + second.string() + " failed!");
      EXPECT_EQ(DocBytes(), bytes);
      EXPECT_EQ(DocMarks(), marks);
      EXPECT_EQ(Doc.DataChangeCount, 1);
      EXPECT_EQ(Doc.OpenDialog.FileName, first.string());
    }
  }
}

// Loading a marks file: a failing read changes no mark and adds nothing to
// the history.
TEST_F(FaultInjection, LoadingMarksKeepsTheMarks) {
  Document();
  std::vector<uint8_t> runs(300, 0x0A);  // runs of 2 bytes of mark 2
  const fs::path file = Dir / "marks.mrk";
  WriteAllTo(file, MarksSignature + std::string(runs.begin(), runs.end()));
  const std::string marks = DocMarks();
  Install();
  for (int at = 0; at < 3; ++at) {
    SCOPED_TRACE(at);
    In = TInjector();
    In.FailAt = at;
    In.Kind = TFaultKind::Eio;
    Seams.Host.Messages.clear();
    Seams.Host.FileAnswers = {file.string()};
    const bool couldUndo = ActionList().CanUndo();
    MarkOpenMainMenuItemClick();
    ASSERT_EQ(Seams.Host.Messages.size(), 1u);
    EXPECT_EQ(Seams.Host.Messages[0].Text, "Reading failed!");
    EXPECT_EQ(DocMarks(), marks);
    EXPECT_EQ(ActionList().CanUndo(), couldUndo);
  }
}

// Compare: a call failing in either pass shows the error; the marks are as
// they were, or one Undo brings them back. A short read is followed by the
// rest.
TEST_F(FaultInjection, CompareKeepsTheMarks) {
  const fs::path other = Dir / "other.bin";
  const auto fresh = [&] {
    ActionList().Forget();
    Document();
    Seams.Host.Messages.clear();
    Seams.Host.FileAnswers = {other.string()};
    Seams.Host.Answers = {mrYes};
  };
  fresh();
  std::string content = DocBytes();
  content[3] ^= 1;
  content.resize(content.size() - 4);
  WriteAllTo(other, content);
  const std::string marks = DocMarks();
  Install();
  In = TInjector();
  CompareMenuItemClick();
  const std::string compared = DocMarks();
  ASSERT_NE(compared, marks);
  const std::vector<std::string> calls = In.Trace;
  for (int at = 0; at < int(calls.size()); ++at) {
    for (TFaultKind kind : {TFaultKind::Eio, TFaultKind::ShortThenFine}) {
      if (calls[size_t(at)] == "close") continue;  // both passes have read all by then
      if (kind == TFaultKind::ShortThenFine && calls[size_t(at)] != "read") continue;
      SCOPED_TRACE("call " + std::to_string(at) + " (" + calls[size_t(at)] + ") " + KindName(kind));
      fresh();
      In = TInjector();
      In.FailAt = at;
      In.Kind = kind;
      CompareMenuItemClick();
      if (kind == TFaultKind::ShortThenFine) {
        EXPECT_EQ(DocMarks(), compared);
        continue;
      }
      ASSERT_FALSE(Seams.Host.Messages.empty());
      EXPECT_EQ(Seams.Host.Messages.back().Type, TMsgDlgType::Error);
      EXPECT_NE(Seams.Host.Messages.back().Text.find(other.string()), std::string::npos);
      // Marks made in the second pass before the error stay, as one step.
      if (ActionList().CanUndo()) ActionList().Undo();
      EXPECT_EQ(DocMarks(), marks);
      EXPECT_FALSE(ActionList().CanUndo());
    }
  }
}

}  // namespace
