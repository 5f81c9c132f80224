// Loading, saving, New and the questions around them, through the seams.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "actions/Actions.h"
#include "commands/FileCommands.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/EnvState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "core/Texts.h"
#include "fakes/FakeSeams.h"
#include "fakes/TestFiles.h"
#include "fileio/FileIo.h"

namespace fs = std::filesystem;

namespace {

std::string DocumentBytes() { return std::string(reinterpret_cast<char*>(Doc.DocData), size_t(Doc.DocSize)); }

class FileCommands : public ::testing::Test {
 protected:
  TSeamFixture Seams;
  fs::path Dir;

  void SetUp() override {
    char tmpl[] = "/tmp/bq-files-XXXXXX";
    Dir = mkdtemp(tmpl);
  }
  void TearDown() override {
    ResetFileCalls();
    fs::remove_all(Dir);
  }
  std::string File(const std::string& name, const std::string& content) {
    WriteAllTo(Dir / name, content);
    return (Dir / name).string();
  }
  void Modify() {
    Doc.DocData[0] ^= 0xFF;
    ++Doc.DataChangeCount;
  }
};

TEST_F(FileCommands, LoadReplacesTheDocument) {
  const std::string name = File("a.bin", "hello");
  LoadFile(name);
  EXPECT_EQ(DocumentBytes(), "hello");
  EXPECT_EQ(Doc.DataChangeCount, 0);
  EXPECT_EQ(DocFileName(), name);
  EXPECT_EQ(Seams.View.Caption, "Brisquentalovard [" + name + "]");
  EXPECT_EQ(Env.InitialDir, Dir.string());
  EXPECT_EQ(Doc.OpenDialog.InitialDir, Dir.string());
  EXPECT_EQ(CursorOffset(), 0);
  EXPECT_EQ(Seams.View.Layouts, 1);
  EXPECT_GE(Seams.View.MenuRefreshes, 1);
  EXPECT_TRUE(Seams.Host.Messages.empty());
}

TEST_F(FileCommands, LoadingAnEmptyFile) {
  LoadFile(File("empty", ""));
  EXPECT_EQ(Doc.DocSize, 0);
  EXPECT_EQ(Doc.DocData, nullptr);
  EXPECT_EQ(Cursor.CursorCol, -1);
  EXPECT_NE(Seams.View.Caption.find("empty"), std::string::npos);
}

TEST_F(FileCommands, UnreadableInputsLeaveTheDocumentAlone) {
  LoadFile(File("keep.bin", "keep"));
  Modify();
  const std::string missing = (Dir / "missing").string();
  for (const std::string& bad : {missing, Dir.string(), std::string("/dev/null")}) {
    Seams.Host.Answers = {mrNo};
    LoadFile(bad);
    ASSERT_EQ(Seams.Host.Messages.size(), 2u) << bad;
    EXPECT_EQ(Seams.Host.Messages[1].Text, "Reading " + bad + " failed!");
    EXPECT_EQ(Seams.Host.Messages[1].Type, TMsgDlgType::Error);
    EXPECT_EQ(Seams.Host.Messages[1].Buttons, mbOKOnly);
    EXPECT_EQ(Doc.DocData[1], 'e');
    EXPECT_EQ(Doc.DataChangeCount, 1);
    EXPECT_EQ(DocFileName(), (Dir / "keep.bin").string());
    Seams.Host.Messages.clear();
  }
  Options.Language = 7;
  Seams.Host.Answers = {mrNo};
  LoadFile(missing);
  EXPECT_EQ(Seams.Host.Messages.back().Text, "Konnte " + missing + " nicht lesen!");
}

TEST_F(FileCommands, FilesBeyondTheSizeLimitAreRefused) {
  LoadFile(File("keep.bin", "keep"));
  const fs::path big = Dir / "big";
  WriteAllTo(big, "");
  fs::resize_file(big, (uint64_t(1) << 31));  // sparse: no disk used
  LoadFile(big.string());
  ASSERT_EQ(Seams.Host.Messages.size(), 1u);
  EXPECT_EQ(Seams.Host.Messages[0].Text, "Reading " + big.string() + " failed!");
  EXPECT_EQ(DocumentBytes(), "keep");
}

TEST_F(FileCommands, MemoryRunningOutWhileLoadingLeavesAnEmptyUnnamedDocument) {
  LoadFile(File("one", "first"));
  const std::string second = File("two", "second");
  AllocationFailureHook = [](size_t) { return true; };
  LoadFile(second);
  AllocationFailureHook = nullptr;
  EXPECT_EQ(Doc.DocSize, 0);
  EXPECT_EQ(Doc.DocData, nullptr);
  EXPECT_EQ(DocFileName(), "");
  EXPECT_EQ(Seams.View.Caption, "Brisquentalovard");
  ASSERT_EQ(Seams.Host.Messages.size(), 1u);
  EXPECT_EQ(Seams.Host.Messages[0].Text, "Reading " + second + " failed!");
}

TEST_F(FileCommands, ModifiedDocumentAsksBeforeLoading) {
  const std::string first = File("one", "first");
  const std::string second = File("two", "second");
  LoadFile(first);
  Modify();
  Seams.Host.Answers = {mrCancel};
  LoadFile(second);
  EXPECT_EQ(Seams.Host.Messages[0].Text, first + " has been changed. Save changes?");
  EXPECT_EQ(Seams.Host.Messages[0].Type, TMsgDlgType::Confirmation);
  EXPECT_EQ(Seams.Host.Messages[0].Buttons, mbYesNoCancel);
  EXPECT_EQ(DocFileName(), first);
  EXPECT_EQ(Doc.DataChangeCount, 1);
  Seams.Host.Answers = {mrNo};
  LoadFile(second);
  EXPECT_EQ(DocumentBytes(), "second");
  EXPECT_EQ(ReadAllOf(first), "first");  // nothing saved
}

TEST_F(FileCommands, KeepMarksOnLoadKeepsTheOldRange) {
  LoadFile(File("short", "abc"));
  Doc.DocMarks[0] = 1;
  Doc.DocMarks[2] = 3;
  Options.KeepMarksOnLoad = true;
  LoadFile(File("long", "abcdefgh"));
  EXPECT_EQ(Doc.DocMarks[0], 1);
  EXPECT_EQ(Doc.DocMarks[2], 3);
  for (int i = 3; i < 8; ++i) EXPECT_EQ(Doc.DocMarks[i], 0) << i;
  Options.KeepMarksOnLoad = false;
  LoadFile(File("again", "abcdefgh"));
  for (int i = 0; i < 8; ++i) EXPECT_EQ(Doc.DocMarks[i], 0) << i;
}

TEST_F(FileCommands, SaveWritesWithBackup) {
  const std::string name = File("report.html", "old");
  WriteAllTo(Dir / "report.~ht", "older backup");
  LoadFile(name);
  Doc.DocData[0] = 'n';
  Doc.DataChangeCount = 3;
  Options.OverwriteWarning = false;
  DoSave();
  EXPECT_TRUE(Seams.Host.Messages.empty());
  EXPECT_EQ(ReadAllOf(name), "nld");
  EXPECT_EQ(ReadAllOf(Dir / "report.~ht"), "old");
  EXPECT_EQ(Doc.DataChangeCount, 0);
}

TEST_F(FileCommands, BackupNames) {
  EXPECT_EQ(BackupFileName("/d/report.html"), "/d/report.~ht");
  EXPECT_EQ(BackupFileName("/d/data.bin"), "/d/data.~bi");
  EXPECT_EQ(BackupFileName("/d/x.c"), "/d/x.~c");
  EXPECT_EQ(BackupFileName("/d/data"), "/d/data.~");
  EXPECT_EQ(BackupFileName("/d.dir/data"), "/d.dir/data.~");
}

TEST_F(FileCommands, SaveOverOwnFileAsksOnlyWithTheWarningOn) {
  const std::string name = File("data", "abc");
  LoadFile(name);
  Seams.Host.Answers = {mrYes};
  DoSave();
  ASSERT_EQ(Seams.Host.Messages.size(), 1u);
  EXPECT_EQ(Seams.Host.Messages[0].DefaultButton, mbNo);
  EXPECT_EQ(Seams.Host.Messages[0].Text.substr(0, 5 + name.size()), "File " + name);
  EXPECT_TRUE(fs::exists(Dir / "data.~"));
  Seams.Host.Messages.clear();
  Options.OverwriteWarning = false;
  DoSave();
  EXPECT_TRUE(Seams.Host.Messages.empty());
}

TEST_F(FileCommands, SaveAsOverAnExistingFileAlwaysAsks) {
  const std::string name = File("src", "abc");
  const std::string other = File("other", "zzz");
  LoadFile(name);
  Options.OverwriteWarning = false;
  Seams.Host.FileAnswers = {other};
  Seams.Host.Answers = {mrCancel};
  DoSaveAs();
  EXPECT_EQ(Seams.Host.Messages.size(), 1u);
  EXPECT_EQ(ReadAllOf(other), "zzz");
  EXPECT_EQ(DocFileName(), name);
  EXPECT_EQ(Doc.SaveDialog.FileName, name);
}

TEST_F(FileCommands, NoToTheOverwriteQuestionChoosesAnotherName) {
  const std::string name = File("src", "abc");
  const std::string taken = File("taken", "t1");
  const std::string taken2 = File("taken2", "t2");
  const std::string fresh = (Dir / "fresh").string();
  LoadFile(name);
  Seams.Host.FileAnswers = {taken, taken2, fresh};
  Seams.Host.Answers = {mrNo, mrNo};
  DoSaveAs();
  ASSERT_EQ(Seams.Host.Messages.size(), 2u);
  EXPECT_NE(Seams.Host.Messages[0].Text.find(taken), std::string::npos);
  EXPECT_NE(Seams.Host.Messages[1].Text.find(taken2), std::string::npos);
  EXPECT_EQ(ReadAllOf(fresh), "abc");
  EXPECT_EQ(ReadAllOf(taken), "t1");
  EXPECT_EQ(DocFileName(), fresh);
  EXPECT_EQ(Seams.View.Caption, "Brisquentalovard [" + fresh + "]");
}

TEST_F(FileCommands, SavingAnUnnamedDocumentGoesThroughSaveAs) {
  NewMainMenuItemClick();
  Doc.DocSize = 2;
  ResizeDocData(2);
  FreshDocMarks(2);
  Doc.DocData[0] = 'h';
  Doc.DocData[1] = 'i';
  Doc.DataChangeCount = 1;
  const std::string target = (Dir / "new.bin").string();
  Seams.Host.FileAnswers = {target};
  DoSave();
  EXPECT_EQ(ReadAllOf(target), "hi");
  EXPECT_EQ(Doc.DataChangeCount, 0);
  EXPECT_EQ(Seams.Host.FileDialogTitles, std::vector<std::string>{"Save as"});
}

TEST_F(FileCommands, FailedWritesKeepTheOriginalAndReportIt) {
  const std::string name = File("precious", "original content");
  LoadFile(name);
  Doc.DocData[0] = 'X';
  Doc.DataChangeCount = 1;
  Options.OverwriteWarning = false;
  Options.CreateBackUp = false;
  // A short write that then fails, as on a full disk.
  FileCalls.Write = [](int fd, const void* buffer, size_t count) -> ssize_t {
    if (count > 4) return ::write(fd, buffer, 4);
    errno = ENOSPC;
    return -1;
  };
  DoSave();
  ASSERT_EQ(Seams.Host.Messages.size(), 1u);
  EXPECT_EQ(Seams.Host.Messages[0].Text, "Writing failed!");
  EXPECT_EQ(ReadAllOf(name), "original content");
  EXPECT_EQ(Doc.DataChangeCount, 1);
  EXPECT_EQ(DocFileName(), name);
  // No temporary file is left behind.
  int entries = 0;
  for (auto& e : fs::directory_iterator(Dir)) entries += e.exists();
  EXPECT_EQ(entries, 1);
}

TEST_F(FileCommands, ADirectoryThatCannotTakeFilesReportsWritingFailed) {
  LoadFile(File("doc", "abc"));
  // Gone since it was opened: nowhere to put the new file.
  const std::string target = (Dir / "vanished" / "doc").string();
  Seams.Host.FileAnswers = {target};
  DoSaveAs();
  ASSERT_EQ(Seams.Host.Messages.size(), 1u);
  EXPECT_EQ(Seams.Host.Messages[0].Text, "Writing failed!");
  EXPECT_EQ(DocFileName(), (Dir / "doc").string());
  Options.Language = 7;
  Seams.Host.FileAnswers = {target};
  DoSaveAs();
  EXPECT_EQ(Seams.Host.Messages.back().Text, "Konnte nicht schreiben!");
}

TEST_F(FileCommands, SaveKeepsPermissionsAndFollowsLinks) {
  const std::string real = File("real.bin", "abc");
  chmod(real.c_str(), 0640);
  const fs::path link = Dir / "link.bin";
  fs::create_symlink("real.bin", link);
  LoadFile(link.string());
  Doc.DocData[0] = 'z';
  Options.OverwriteWarning = false;
  Options.CreateBackUp = false;
  DoSave();
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadAllOf(real), "zbc");
  struct stat st;
  ASSERT_EQ(stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(FileCommands, CloseQueryAnswers) {
  LoadFile(File("doc", "abc"));
  EXPECT_TRUE(FormCloseQuery());
  Modify();
  Seams.Host.Answers = {mrNo};
  EXPECT_TRUE(FormCloseQuery());
  Seams.Host.Answers = {mrCancel};
  EXPECT_FALSE(FormCloseQuery());
  // Closing an unnamed document: Yes, then cancelling the save dialog keeps it open.
  NewMainMenuItemClick();  // asks first; the fake answers Cancel by default
  EXPECT_EQ(DocFileName(), (Dir / "doc").string());
  Seams.Host.Answers = {mrNo};
  NewMainMenuItemClick();
  EXPECT_EQ(DocFileName(), "");
  Doc.DocSize = 1;
  ResizeDocData(1);
  FreshDocMarks(1);
  Doc.DataChangeCount = -1;  // undone past the saved state: still modified
  Seams.Host.Answers = {mrYes};
  Seams.Host.FileAnswers = {std::nullopt};
  EXPECT_FALSE(FormCloseQuery());
  EXPECT_EQ(Seams.Host.Messages.back().Text, "Data has been changed. Save changes?");
  EXPECT_EQ(Doc.SaveDialog.FileName, "");
}

TEST_F(FileCommands, OpenDialogCancelKeepsTheName) {
  const std::string name = File("doc", "abc");
  LoadFile(name);
  Seams.Host.FileAnswers = {std::nullopt};
  DoOpenFromFile();
  EXPECT_EQ(DocFileName(), name);
  const std::string other = File("other", "xyz");
  Modify();
  Seams.Host.FileAnswers = {other};
  Seams.Host.Answers = {mrNo};
  DoOpenFromFile();
  // The question still named the current document.
  EXPECT_EQ(Seams.Host.Messages[0].Text, name + " has been changed. Save changes?");
  EXPECT_EQ(DocumentBytes(), "xyz");
}

TEST_F(FileCommands, NewEmptiesEverything) {
  LoadFile(File("doc", "abc"));
  NewMainMenuItemClick();
  EXPECT_EQ(Doc.DocSize, 0);
  EXPECT_EQ(Doc.DocData, nullptr);
  EXPECT_EQ(Doc.DocMarks, nullptr);
  EXPECT_EQ(Seams.View.Caption, "Brisquentalovard");
  EXPECT_EQ(Env.InitialDir, Dir.string());  // kept for the next dialog
}

TEST_F(FileCommands, CommandLineAndLongPaths) {
  const std::string name = File("cmd.bin", "12");
  const std::string cwd = fs::current_path().string();
  fs::current_path(Dir);
  EXPECT_EQ(ExpandLongPath("cmd.bin"), name);
  EXPECT_EQ(ExpandLongPath("./sub/../cmd.bin"), "./sub/../cmd.bin");  // names nothing
  fs::create_directory(Dir / "sub");
  EXPECT_EQ(ExpandLongPath("./sub/../cmd.bin"), name);
  EXPECT_EQ(ExpandLongPath("*.bin"), "*.bin");
  const char* argv[] = {"prog", "cmd.bin", "ignored"};
  FormShow(3, argv);
  fs::current_path(cwd);
  EXPECT_EQ(DocFileName(), name);
  EXPECT_FALSE(Env.FirstShow);
  LoadFile(File("other", "x"));
  FormShow(3, argv);  // only the first showing loads
  EXPECT_EQ(DocumentBytes(), "x");
}

// Reads and writes of at most 1000 bytes, the FailAt-th of them failing.
int Pieces = 0, FailAt = 0;
ssize_t PieceRead(int fd, void* buffer, size_t count) {
  if (++Pieces == FailAt) return -1;
  return ::read(fd, buffer, std::min<size_t>(count, 1000));
}
ssize_t PieceWrite(int fd, const void* buffer, size_t count) {
  if (++Pieces == FailAt) return -1;
  return ::write(fd, buffer, std::min<size_t>(count, 1000));
}

TEST_F(FileCommands, LoadingAndSavingShowHowFarTheyHaveGot) {
  const std::string name = File("ten.bin", std::string(10000, 'x'));
  const std::string copy = (Dir / "copy.bin").string();
  FileCalls.Read = PieceRead;
  FileCalls.Write = PieceWrite;
  Options.OverwriteWarning = false;
  struct {
    bool Save, German;
    int FailAt;
    uint32_t TickStep;
    int LastShown;  // -1: nothing shown
  } rows[] = {
      {false, false, 0, 1000, 100}, {true, true, 0, 1000, 100},  // in ten pieces
      {false, false, 6, 1000, 50},  {true, false, 6, 1000, 50},  // failing part way
      {false, false, 0, 0, -1},                                  // too quick to show
  };
  for (const auto& r : rows) {
    Options.Language = r.German ? 7 : 9;
    Seams.View.Work.clear();
    Seams.Host.TickStep = r.TickStep;
    Pieces = 0;
    FailAt = r.FailAt;
    const int begun = Seams.Host.BusyBegun, ended = Seams.View.WorkEnded;
    if (r.Save)
      SaveFile(copy, false);
    else
      LoadFile(name);
    std::vector<std::string> expected;
    for (int p = 10; p <= r.LastShown; p += 10) expected.push_back(r.Save ? TxtSavingPercent(p) : TxtLoadingPercent(p));
    EXPECT_EQ(Seams.View.Work, expected) << r.Save << r.FailAt;
    EXPECT_EQ(Seams.View.WorkEnded, ended + (r.LastShown > 0 ? 1 : 0));
    EXPECT_GT(Seams.Host.BusyBegun, begun);
    EXPECT_EQ(Seams.Host.BusyDepth, 0);
  }
  EXPECT_EQ(TxtSavingPercent(42), "Saving 42%");
  Options.Language = 7;
  EXPECT_EQ(TxtLoadingPercent(42), "Laden 42 %");
  Options.Language = 9;
  // The failures were told as usual.
  ASSERT_EQ(Seams.Host.Messages.size(), 2u);
  EXPECT_EQ(Seams.Host.Messages[1].Text, "Writing failed!");
}

}  // namespace
