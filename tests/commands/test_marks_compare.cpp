// Marks files, Compare with file and the recent-files list, through the
// scripted host.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <random>

#include "actions/Actions.h"
#include "commands/CommandGuard.h"
#include "commands/CompareCommands.h"
#include "commands/FileCommands.h"
#include "commands/MarksFileCommands.h"
#include "commands/UiState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/EnvState.h"
#include "core/Helpers.h"
#include "core/MarksCodec.h"
#include "core/OptionsState.h"
#include "core/Texts.h"
#include "fakes/FakeSeams.h"
#include "fakes/TestFiles.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

class MarksAndCompare : public ::testing::Test {
 protected:
  TSeamFixture Seams;
  fs::path Dir;

  void SetUp() override {
    char tmpl[] = "/tmp/bq-marks-XXXXXX";
    Dir = mkdtemp(tmpl);
  }
  void TearDown() override { fs::remove_all(Dir); }
  std::string File(const std::string& name, const std::string& content) {
    // A new file each time: rewriting one in place makes the file system
    // flush it to disk on close, which takes milliseconds.
    fs::remove(Dir / name);
    std::ofstream(Dir / name, std::ios::binary) << content;
    return (Dir / name).string();
  }
  void Document(const std::string& bytes, const Bytes& marks = {}) {
    LoadFile(File("doc.bin", bytes));
    for (size_t i = 0; i < marks.size(); ++i) Doc.DocMarks[i] = marks[i];
  }
  // A document of these marks without touching the disk.
  void InMemory(const Bytes& marks) {
    ActionList().Forget();
    ResizeDocData(0);
    ResizeDocData(int64_t(marks.size()));
    FreshDocMarks(int64_t(marks.size()));
    Doc.DocSize = int32_t(marks.size());
    std::copy(marks.begin(), marks.end(), Doc.DocMarks);
    Seams.View.RequestLayout();
  }
  Bytes Marks() const { return Bytes(Doc.DocMarks, Doc.DocMarks + Doc.DocSize); }
  std::string SaveMarks(const std::string& name) {
    Seams.Host.FileAnswers.push_back((Dir / name).string());
    MarkSaveAsMainMenuItemClick();
    return ReadAllOf(Dir / name);
  }
  void LoadMarks(const std::string& content) {
    Seams.Host.FileAnswers.push_back(File("in.mrk", content));
    MarkOpenMainMenuItemClick();
  }
};

// The loader's result for any file, as the format defines it: the signature
// or nothing changes, then run after run until the document ends, then
// unmarked. A mark code of 7 names no colour and leaves bytes unmarked.
Bytes PlainDecode(const std::string& file, Bytes marks) {
  if (file.size() < 25 || file.compare(0, 25, MarksSignature) != 0) return marks;
  size_t p = 0;
  for (size_t k = 25; k < file.size() && p < marks.size(); ++k) {
    const uint8_t b = uint8_t(file[k]);
    for (int i = 0; i <= b >> 3; ++i, ++p)
      if (p < marks.size()) marks[p] = (b & 7) == 7 ? 0 : (b & 7);
  }
  for (; p < marks.size(); ++p) marks[p] = 0;
  return marks;
}

TEST_F(MarksAndCompare, SavedRunsFollowTheFormat) {
  const std::string sig = MarksSignature;
  Document("abcde", {0, 0, 1, 1, 1});
  EXPECT_EQ(SaveMarks("a.mrk"), sig + "\x08\x11");
  EXPECT_EQ(Doc.MarksOpenDialog.FileName, (Dir / "a.mrk").string());
  EXPECT_EQ(Env.MarksInitialDir, Dir.string());
  // No marks: the signature alone. A lone mark on the first byte is kept.
  Document("abcde");
  Seams.Host.Answers = {mrYes};  // overwriting is always asked
  Options.OverwriteWarning = false;
  EXPECT_EQ(SaveMarks("a.mrk"), sig);
  EXPECT_EQ(Seams.Host.Messages.back().DefaultButton, int(mbNo));
  Document("abcde", {4});
  EXPECT_EQ(SaveMarks("b.mrk"), sig + "\x04");
  // 33 equal marks are two runs; 256 and 257 runs make 281 and 282 bytes.
  Document(std::string(40, 'x'), Bytes(33, 2));
  EXPECT_EQ(SaveMarks("c.mrk"), sig + "\xFA\x02");
  Bytes alternating(257);
  for (size_t i = 0; i < alternating.size(); ++i) alternating[i] = i % 2 ? 3 : 5;
  Document(std::string(300, 'x'), Bytes(alternating.begin(), alternating.end() - 1));
  EXPECT_EQ(SaveMarks("d.mrk").size(), 281u);
  Document(std::string(300, 'x'), alternating);
  EXPECT_EQ(SaveMarks("e.mrk").size(), 282u);
  EXPECT_EQ(Seams.View.Panels[2], "");
}

TEST_F(MarksAndCompare, SaveQuestionsAndFailures) {
  Document("abc", {1});
  File("x.mrk", "old");
  // No: the dialog again, cancelled; the old name comes back.
  Doc.MarksSaveDialog.FileName = Doc.MarksOpenDialog.FileName = "/before.mrk";
  Seams.Host.FileAnswers = {(Dir / "x.mrk").string(), std::nullopt};
  Seams.Host.Answers = {mrNo};
  MarkSaveAsMainMenuItemClick();
  const std::string x = (Dir / "x.mrk").string();
  EXPECT_EQ(Seams.Host.Messages.back().Text, "File " + x + " already exists. Overwrite existing file?");
  EXPECT_EQ(ReadAllOf(Dir / "x.mrk"), "old");
  EXPECT_EQ(Doc.MarksSaveDialog.FileName, "/before.mrk");
  EXPECT_EQ(Doc.MarksOpenDialog.FileName, "/before.mrk");
  Options.Language = 7;
  Seams.Host.FileAnswers = {x};
  Seams.Host.Answers = {mrCancel};
  MarkSaveAsMainMenuItemClick();
  EXPECT_EQ(Seams.Host.Messages.back().Text, "Die Datei " + x + " existiert bereits. Bestehende Datei überschreiben?");
  // A directory that does not exist: "Writing failed!".
  Seams.Host.FileAnswers = {(Dir / "missing" / "y.mrk").string()};
  MarkSaveAsMainMenuItemClick();
  EXPECT_EQ(Seams.Host.Messages.back().Text, "Konnte nicht schreiben!");
  EXPECT_EQ(Doc.MarksOpenDialog.FileName, "/before.mrk");
}

// Out of memory while saving or loading marks is the memory message; nothing
// is written and no mark changes. A command without a plan of its own gets
// the same message from the guard every command runs under.
TEST_F(MarksAndCompare, OutOfMemoryIsAMessage) {
  Bytes marks(100);
  for (size_t i = 0; i < marks.size(); ++i) marks[i] = i % 2 ? 3 : 0;
  Document(std::string(100, 'x'), marks);
  const std::string file = SaveMarks("m.mrk");
  ASSERT_EQ(file.size(), 125u);
  AllocationFailureHook = [](size_t n) { return n >= 100; };
  SaveMarks("n.mrk");
  EXPECT_FALSE(fs::exists(Dir / "n.mrk"));
  ASSERT_FALSE(Seams.Host.Messages.empty());
  EXPECT_EQ(Seams.Host.Messages.back().Text, TxtNotEnoughMemory());
  Doc.DocMarks[1] = 0;
  Seams.Host.Messages.clear();
  LoadMarks(file);
  ASSERT_FALSE(Seams.Host.Messages.empty());
  EXPECT_EQ(Seams.Host.Messages.back().Text, TxtNotEnoughMemory());
  EXPECT_EQ(Doc.DocMarks[1], 0);
  AllocationFailureHook = nullptr;
  Seams.Host.Messages.clear();
  RunCommand([] { throw std::bad_alloc(); });
  ASSERT_FALSE(Seams.Host.Messages.empty());
  EXPECT_EQ(Seams.Host.Messages.back().Text, TxtNotEnoughMemory());
}

TEST_F(MarksAndCompare, LoadingIsOneUndoStep) {
  Document("abcdefgh", {5, 5, 0, 0, 0, 0, 0, 5});
  LoadMarks(MarksSignature + "\x08\x11");
  EXPECT_EQ(Marks(), Bytes({0, 0, 1, 1, 1, 0, 0, 0}));
  EXPECT_EQ(ActionList().UndoName(), "(6 * Load mark)");
  EXPECT_EQ(Doc.MarksSaveDialog.FileName, (Dir / "in.mrk").string());
  ActionList().Undo();
  EXPECT_EQ(Marks(), Bytes({5, 5, 0, 0, 0, 0, 0, 5}));
  // Marks already as in the file: nothing recorded.
  ActionList().Redo();
  const int32_t count = ActionList().Count();
  LoadMarks(MarksSignature + "\x08\x11");
  EXPECT_EQ(ActionList().Count(), count);
}

TEST_F(MarksAndCompare, ForeignFilesChangeNothingAndSayWhy) {
  Document("abcdefgh", {1, 2, 3});
  Doc.MarksSaveDialog.FileName = "/prev.mrk";
  const struct {
    std::string Content;
    std::string Message;
  } cases[] = {{"", "Not a compatible file!"},
               {"Brisquentalovard Marks V", "Not a compatible file!"},
               {"Brisquentalovard Marks V2\x08", "Not a compatible file!"}};
  for (const auto& c : cases) {
    LoadMarks(c.Content);
    EXPECT_EQ(Seams.Host.Messages.back().Text, c.Message);
    EXPECT_EQ(Marks(), Bytes({1, 2, 3, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Doc.MarksOpenDialog.FileName, "/prev.mrk");
  }
  // A directory and a missing file cannot be read.
  for (const fs::path& p : {Dir, Dir / "nothing.mrk"}) {
    Seams.Host.FileAnswers.push_back(p.string());
    MarkOpenMainMenuItemClick();
    EXPECT_EQ(Seams.Host.Messages.back().Text, "Reading failed!");
  }
  EXPECT_FALSE(ActionList().CanUndo());
}

// Thousands of random and mutated files against the plain decoder, with the
// undo restoring the marks each time.
TEST_F(MarksAndCompare, LoaderMatchesThePlainDecoderOnAnyInput) {
  std::mt19937 rng(99);
  for (int round = 0; round < 2000; ++round) {
    const size_t size = 1 + rng() % (round % 10 == 0 ? 5000 : 80);
    Bytes before(size);
    for (auto& m : before) m = uint8_t(rng() % 4 == 0 ? rng() % 7 : 0);
    std::string file = rng() % 8 ? MarksSignature : std::string();
    const size_t runs = rng() % (rng() % 2 ? 8 : 400);
    for (size_t k = 0; k < runs; ++k) file += char(rng() % 4 ? (rng() % 32) * 8 + rng() % 7 : rng() % 256);
    if (rng() % 5 == 0 && !file.empty()) file[rng() % file.size()] ^= char(1 << (rng() % 8));  // mutation
    if (rng() % 7 == 0) file.resize(rng() % (file.size() + 1));                                // truncation
    InMemory(before);
    LoadMarks(file);
    const Bytes expected = PlainDecode(file, before);
    ASSERT_EQ(Marks(), expected) << "round " << round;
    // One undo takes it all back while the history holds every change.
    if (std::inner_product(before.begin(), before.end(), expected.begin(), 0, std::plus<>(), std::not_equal_to<>()) <=
        TActions::MaxCount) {
      ActionList().Undo();
      ASSERT_EQ(Marks(), before) << "round " << round;
    }
    Seams.Host.Messages.clear();
  }
}

TEST_F(MarksAndCompare, CompareReportsAndMarks) {
  const std::string ten = "0123456789";
  Document(ten, {0, 4, 0, 0, 0, 0, 0, 0, 0, 2});
  // Identical: the message only.
  Seams.Host.FileAnswers = {File("same.bin", ten)};
  CompareMenuItemClick();
  EXPECT_EQ(Seams.Host.Messages.back().Text, "The contents of the file is identical to the bytes in memory!");
  EXPECT_EQ(Seams.Host.FileDialogTitles.back(), "Select file to compare the data with?");
  // Byte 3 differs and the last two are missing: sizes, count, question.
  Seams.Host.FileAnswers = {File("other.bin", "012X4567")};
  Seams.Host.Answers = {mrYes};
  CompareMenuItemClick();
  EXPECT_EQ(Seams.Host.Messages.back().Text,
            "Number of bytes in memory: 10\rNumber of bytes in file: 8\r\rnumber of different bytes: 1\r\r"
            "Should all bytes that differ from the bytes in the file be marked red and all bytes that do not exist "
            "in the file be marked yellow?\r\rWARNING: All existing marks will be erased!");
  EXPECT_EQ(Seams.Host.Messages.back().Type, TMsgDlgType::Information);
  EXPECT_EQ(Marks(), Bytes({0, 0, 0, 1, 0, 0, 0, 0, 6, 6}));
  EXPECT_EQ(ActionList().UndoName(), "(4 * Mark)");
  EXPECT_EQ(CursorOffset(), 9);
  ActionList().Undo();
  EXPECT_EQ(Marks(), Bytes({0, 4, 0, 0, 0, 0, 0, 0, 0, 2}));
  // German, equal size: no size lines; No changes nothing.
  Options.Language = 7;
  Doc.CompareOpenDialog.FileName.clear();
  Seams.Host.FileAnswers = {File("three.bin", "x1x3x56789")};
  Seams.Host.Answers = {mrNo};
  CompareMenuItemClick();
  EXPECT_EQ(Seams.Host.FileDialogTitles.back(), "Daten mit welcher Datei vergleichen?");
  EXPECT_EQ(Seams.Host.Messages.back().Text.substr(0, 36), "Anzahl unterschiedlicher Bytes: 3\r\rS");
  EXPECT_EQ(Marks(), Bytes({0, 4, 0, 0, 0, 0, 0, 0, 0, 2}));
  // An empty file: everything yellow. A missing file: the system's reason.
  Seams.Host.FileAnswers = {File("empty.bin", "")};
  Seams.Host.Answers = {mrYes};
  CompareMenuItemClick();
  EXPECT_EQ(Marks(), Bytes(10, 6));
  Seams.Host.FileAnswers = {(Dir / "gone.bin").string()};
  CompareMenuItemClick();
  EXPECT_NE(Seams.Host.Messages.back().Text.find("gone.bin"), std::string::npos);
  EXPECT_EQ(Seams.Host.Messages.back().Type, TMsgDlgType::Error);
}

TEST_F(MarksAndCompare, RecentFilesKeepTheirOrder) {
  const std::string a = File("a", "1"), b = File("b", "2"), c = File("c", "3"), upper = File("A", "4");
  for (const std::string& name : {a, b, c, a}) LoadFile(name);
  EXPECT_EQ(std::vector<std::string>(Env.File, Env.File + 3), std::vector<std::string>({c, b, a}));
  LoadFile(upper);  // another case is another file
  for (const char* n : {"d", "e", "f"}) LoadFile(File(n, "x"));
  EXPECT_EQ(Env.File[0], (Dir / "f").string());
  EXPECT_EQ(Env.File[3], upper);
  EXPECT_EQ(Env.File[4], c);  // a and b pushed out
  // Menu: "&k: name", empty slots hidden, the separator with them; an "&"
  // in a name is shown as such.
  Env.File[2] = "";
  Env.File[3] = "/x&y";
  TMenuState s = ComputeMenuState(CurrentMenuInputs());
  EXPECT_EQ(s.Captions["File0MenuItem"], "&1: " + Env.File[0]);
  EXPECT_EQ(s.Captions["File3MenuItem"], "&4: /x&&y");
  EXPECT_FALSE(s.Visible["File2MenuItem"]);
  EXPECT_TRUE(s.Visible["File4MenuItem"]);
  EXPECT_TRUE(s.Visible["FileBarMenuItem"]);
  for (auto& f : Env.File) f.clear();
  s = ComputeMenuState(CurrentMenuInputs());
  EXPECT_FALSE(s.Visible["FileBarMenuItem"]);
}

}  // namespace
