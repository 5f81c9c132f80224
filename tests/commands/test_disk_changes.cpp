// Another program changes the document's file: what is asked (once per
// change), what a reload keeps, and when Save asks before it writes over the
// other program's bytes. The kinds of change, made by another process, are
// the widget test's.
#include <gtest/gtest.h>

#include <filesystem>

#include "commands/FileCommands.h"
#include "commands/ViewCommands.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "fakes/FakeSeams.h"
#include "fakes/TestFiles.h"
#include "fileio/FileIo.h"

namespace fs = std::filesystem;

namespace {

std::string DocumentBytes() { return std::string(reinterpret_cast<char*>(Doc.DocData), size_t(Doc.DocSize)); }

TEST(FileStates, EveryPartCounts) {
  const TFileState base{true, 8, 1234, 100, 1700000000123456789};
  TFileState changed[4] = {base, base, base, base};
  ++changed[0].Device;
  ++changed[1].Inode;
  ++changed[2].Size;
  ++changed[3].ModifiedNs;
  for (const TFileState& c : changed) EXPECT_NE(c, base);
  // Where there is no file, nothing else tells two states apart.
  EXPECT_NE(TFileState{}, base);
  EXPECT_EQ(TFileState{}, (TFileState{false, 8, 1234, 100, 5}));
}

class DiskChanges : public ::testing::Test {
 protected:
  TSeamFixture Seams;
  TTempDir Dir{"disk"};
  const fs::path File = Dir.Path / "data.bin";

  // The file of 4000 bytes loaded, with an unsaved change when asked for.
  void Open(bool unsaved) {
    Doc.DataChangeCount = 0;
    WriteAllTo(File, std::string(4000, 'o'));
    LoadFile(File.string());
    if (unsaved) {
      Doc.DocData[1] = 'M';
      Doc.DataChangeCount = 1;
    }
    Seams.Host.Messages.clear();
  }
  std::string Text(const char* english, const char* german) const {
    return std::string(German() ? "Die Datei " : "The file ") + File.string() + (German() ? german : english);
  }
};

TEST_F(DiskChanges, AskedOncePerChangeAndReloadedOnYes) {
  for (int n = 0; n < 8; ++n) {
    const bool unsaved = n & 1, yes = n & 2;
    Options.Language = n & 4 ? 7 : 9;
    SCOPED_TRACE(n);
    Open(unsaved);
    const std::string before = DocumentBytes();
    WriteAllTo(File, "changed");
    Seams.Host.Answers = {yes ? mrYes : mrNo};
    CheckDiskChange();
    CheckDiskChange();  // the same state again asks nothing
    ASSERT_EQ(Seams.Host.Messages.size(), 1u);
    const TShownMessage& m = Seams.Host.Messages[0];
    EXPECT_EQ(m.Text, unsaved ? Text(" was changed by another program. Reload it and lose your changes?",
                                     " wurde von einem anderen Programm geändert. Neu laden und Ihre Änderungen "
                                     "verwerfen?")
                              : Text(" was changed by another program. Reload it?",
                                     " wurde von einem anderen Programm geändert. Neu laden?"));
    EXPECT_EQ(m.Buttons, mbYesNo);
    EXPECT_EQ(m.DefaultButton, unsaved ? int(mbNo) : NoDefaultButton);
    EXPECT_EQ(DocumentBytes(), yes ? "changed" : before);
    EXPECT_EQ(Doc.DataChangeCount, yes ? 0 : int(unsaved));
  }
  // A deleted file asks nothing; made anew, it does.
  fs::remove(File);
  CheckDiskChange();
  EXPECT_EQ(Seams.Host.Messages.size(), 1u);
  WriteAllTo(File, "anew");
  CheckDiskChange();
  EXPECT_EQ(Seams.Host.Messages.size(), 2u);
}

TEST_F(DiskChanges, AReloadKeepsThePlaceAndTheMode) {
  Open(false);
  DecClick();
  SetScrollPosition(100);
  PlaceCursorOnByte(1234, true, true);
  const int32_t top = TopRow();
  ASSERT_GT(top, 0);
  WriteAllTo(File, std::string(4010, 'x'));
  Seams.Host.Answers = {mrYes};
  CheckDiskChange();
  EXPECT_EQ(DocumentBytes(), std::string(4010, 'x'));
  EXPECT_EQ(CursorOffset(), 1234);
  EXPECT_TRUE(InCharArea(Cursor.CursorCol));
  EXPECT_EQ(TopRow(), top);
  EXPECT_FALSE(Grid.Hex);
  // Shorter now: the cursor is clipped to the last byte, the view follows.
  fs::resize_file(File, 50);
  Seams.Host.Answers = {mrYes};
  CheckDiskChange();
  EXPECT_EQ(CursorOffset(), 49);
  EXPECT_TRUE(InCharArea(Cursor.CursorCol));
  EXPECT_EQ(TopRow(), 0);
}

// The save guard comes before the overwrite warning; No saves nothing, Yes
// goes on to the warning; a deleted file is written again without it.
TEST_F(DiskChanges, SaveAsksBeforeWritingOverAnOutsideChange) {
  struct TCase {
    const char* Outside;  // the file's new content; null: deleted
    std::deque<int> Answers;
    size_t Questions;
    bool Written;
  };
  const TCase cases[] = {
      {"theirs", {mrNo}, 1, false},
      {"theirs", {mrYes, mrYes}, 2, true},  // the guard, then the warning
      {"theirs", {mrYes, mrCancel}, 2, false},
      {nullptr, {}, 0, true},
  };
  Options.OverwriteWarning = true;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Questions);
    Options.Language = c.Written ? 7 : 9;
    Open(true);
    if (c.Outside)
      WriteAllTo(File, c.Outside);
    else
      fs::remove(File);
    Seams.Host.Answers = c.Answers;
    EXPECT_EQ(SaveFile(File.string(), false), c.Written);
    ASSERT_EQ(Seams.Host.Messages.size(), c.Questions);
    if (c.Questions > 0) {
      EXPECT_EQ(Seams.Host.Messages[0].Text,
                Text(" was changed by another program since you opened it. Overwrite those changes?",
                     " wurde seit dem Öffnen von einem anderen Programm geändert. Diese Änderungen überschreiben?"));
      EXPECT_EQ(Seams.Host.Messages[0].DefaultButton, int(mbNo));
    }
    EXPECT_EQ(ReadAllOf(File), c.Written ? DocumentBytes() : c.Outside);
    // Once written, the file is the program's own again: no question.
    Seams.Host.Messages.clear();
    CheckDiskChange();
    EXPECT_EQ(Seams.Host.Messages.size(), size_t(!c.Written));
  }
}

}  // namespace
