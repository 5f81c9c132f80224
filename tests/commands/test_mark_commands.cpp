// Marking the cursor byte, Unmark all, and the jumps to marks and equal bytes.
#include <gtest/gtest.h>

#include "actions/Actions.h"
#include "actions/MarkAction.h"
#include "commands/MarkCommands.h"
#include "commands/UiState.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "fakes/FakeSeams.h"

namespace {

class MarkCommands : public ::testing::Test {
 protected:
  TSeamFixture Seams;

  void Document(int32_t size, uint8_t fill = 0) {
    Doc.DocSize = size;
    ResizeDocData(size);
    FreshDocMarks(size);
    for (int32_t i = 0; i < size; ++i) Doc.DocData[i] = fill;
    Seams.View.RequestLayout();
    MoveCursor(0, 0, false);
  }
  std::string UndoCaption() { return ComputeMenuState(CurrentMenuInputs()).Captions["EditUndoMainMenuItem"]; }
};

TEST_F(MarkCommands, MarkingRecordsOneStepAndNothingTwice) {
  Document(64);
  GotoOffset(5, false, true);
  DoMarkRed();
  EXPECT_EQ(Doc.DocMarks[5], mcRed);
  EXPECT_EQ(Doc.DataChangeCount, 0);  // marks do not modify the data
  EXPECT_EQ(UndoCaption(), "&Undo (Mark)");
  EXPECT_TRUE(ActionList().CanUndo());
  const int32_t count = ActionList().Count();
  DoMarkRed();  // the same mark again: nothing recorded
  EXPECT_EQ(ActionList().Count(), count);
  DoMarkYellow();
  EXPECT_EQ(Doc.DocMarks[5], mcYellow);
  DoUnmark();
  EXPECT_EQ(Doc.DocMarks[5], 0);
  EXPECT_EQ(UndoCaption(), "&Undo (Unmark)");
  ActionList().Undo();
  EXPECT_EQ(Doc.DocMarks[5], mcYellow);
  EXPECT_GT(Seams.View.MenuRefreshes, 3);
}

TEST_F(MarkCommands, UndoReturnsToTheCharacterColumn) {
  Document(64);
  GotoOffset(20, true, true);
  DoMarkBlue();
  GotoOffset(0, false, true);
  ActionList().Undo();
  EXPECT_EQ(CursorOffset(), 20);
  EXPECT_TRUE(InCharArea(Cursor.CursorCol));
  EXPECT_EQ(Doc.DocMarks[20], 0);
}

TEST_F(MarkCommands, EmptyDocumentOnlyRefreshes) {
  Document(0);
  const int refreshes = Seams.View.MenuRefreshes;
  DoMarkGreen();
  DoUnmarkAll();
  EXPECT_FALSE(ActionList().CanUndo());
  EXPECT_GT(Seams.View.MenuRefreshes, refreshes);
  DoGotoNextMark();
  EXPECT_EQ(Seams.Host.Beeps, 1);
  const int beeps = Seams.Host.Beeps;
  MarkGotoNextIdenticalMainMenuItemClick();  // no byte under the cursor: nothing at all
  EXPECT_EQ(Seams.Host.Beeps, beeps);
  GotoNextIdenticalByteMainMenuItemClick();
  EXPECT_EQ(Seams.Host.Beeps, beeps + 1);
}

TEST_F(MarkCommands, UnmarkAllIsOneGroup) {
  Document(1000);
  for (int32_t o : {3, 500, 999}) Doc.DocMarks[o] = uint8_t(1 + o % 6);
  DoUnmarkAll();
  for (int32_t o : {3, 500, 999}) EXPECT_EQ(Doc.DocMarks[o], 0);
  EXPECT_EQ(UndoCaption(), "&Undo (3 * Unmark)");
  Options.Language = 7;
  EXPECT_EQ(UndoCaption(), "&Rückgängig (3 * Markierung aufheben)");
  ActionList().Undo();
  for (int32_t o : {3, 500, 999}) EXPECT_EQ(Doc.DocMarks[o], uint8_t(1 + o % 6));
  EXPECT_FALSE(ActionList().CanUndo());
  EXPECT_EQ(Seams.View.Panels[2], "");  // the percentage gives way to the refresh
}

TEST_F(MarkCommands, MarksOfOneCommandFormOneGroup) {
  Document(10);
  const int32_t group = NextActionGroup();
  for (int32_t o : {1, 2, 3})
    ActionList().AddAction(std::make_unique<TMarkAction>(akMark, group, o, false, mcBlue), false);
  ActionList().UpdateView();
  EXPECT_EQ(UndoCaption(), "&Undo (3 * Mark)");
  Options.Language = 7;
  EXPECT_EQ(UndoCaption(), "&Rückgängig (3 * Markierung)");
  ActionList().Undo();
  for (int32_t o : {1, 2, 3}) EXPECT_EQ(Doc.DocMarks[o], 0);
  EXPECT_EQ(ComputeMenuState(CurrentMenuInputs()).Captions["EditRedoMainMenuItem"], "&Wiederrufen (3 * Markierung)");
}

TEST_F(MarkCommands, UnmarkAllWithoutMarksRecordsNothing) {
  Document(100);
  GotoOffset(7, false, true);
  DoMarkCyan();
  DoUnmark();
  GotoOffset(50, false, true);
  const int32_t count = ActionList().Count();
  DoUnmarkAll();
  EXPECT_EQ(ActionList().Count(), count);
  EXPECT_EQ(CursorOffset(), 7);  // where the newest undoable action applies
}

TEST_F(MarkCommands, NextAndPreviousMarkNeverWrap) {
  Document(100);
  Doc.DocMarks[10] = mcGreen;
  Doc.DocMarks[40] = mcRed;
  Doc.DocMarks[41] = mcGreen;
  GotoOffset(10, true, true);
  DoGotoNextMark();
  EXPECT_EQ(CursorOffset(), 40);
  EXPECT_TRUE(InCharArea(Cursor.CursorCol));
  DoGotoNextMark();
  EXPECT_EQ(CursorOffset(), 41);
  DoGotoNextMark();
  EXPECT_EQ(CursorOffset(), 41);
  EXPECT_EQ(Seams.Host.Beeps, 1);
  GotoPreviousMarkValue(mcGreen);
  EXPECT_EQ(CursorOffset(), 10);
  DoGotoPreviousMark();
  EXPECT_EQ(CursorOffset(), 10);
  EXPECT_EQ(Seams.Host.Beeps, 2);
  GotoNextMarkValue(mcRed);
  EXPECT_EQ(CursorOffset(), 40);
  GotoNextMarkValue(mcBlue);
  EXPECT_EQ(Seams.Host.Beeps, 3);
  EXPECT_EQ(ActionList().Count(), 0);  // navigation records nothing
}

TEST_F(MarkCommands, IdenticalMarkAndIdenticalByte) {
  Document(1000);
  GotoOffset(10, false, true);
  MarkGotoNextIdenticalMainMenuItemClick();  // unmarked: the very next byte
  EXPECT_EQ(CursorOffset(), 11);
  Doc.DocMarks[11] = mcMagenta;
  Doc.DocMarks[700] = mcMagenta;
  MarkGotoNextIdenticalMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 700);
  MarkGotoPreviousIdenticalMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 11);
  GotoOffset(10, false, true);
  GotoNextIdenticalByteMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 11);
  Doc.DocData[500] = 9;
  Doc.DocData[900] = 9;
  GotoOffset(500, true, true);
  GotoNextIdenticalByteMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 900);
  EXPECT_TRUE(InCharArea(Cursor.CursorCol));
  GotoNextIdenticalByteMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 900);
  EXPECT_EQ(Seams.Host.Beeps, 1);
  GotoPreviousIdenticalByteMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 500);
}

TEST_F(MarkCommands, MenuRulesFollowTheDocument) {
  TMenuInputs in;
  TMenuState s = ComputeMenuState(in);
  EXPECT_FALSE(s.Enabled["MarkRedMainMenuItem"]);
  EXPECT_FALSE(s.Enabled["FileSaveMainMenuItem"]);
  EXPECT_TRUE(s.Enabled["NewMainMenuItem"]);
  EXPECT_FALSE(s.Enabled["LoadFromClipboardMainMenuItem"]);
  EXPECT_EQ(s.Captions["EditUndoMainMenuItem"], "&Undo ");
  EXPECT_FALSE(s.Enabled["EditUndoMainMenuItem"]);
  // Insert on an empty document makes a document of one zero byte.
  EXPECT_TRUE(s.Enabled["InsertByteMainMenuItem"]);
  EXPECT_FALSE(s.Enabled["InsertBytesMainMenuItem"]);
  in.DocumentNotEmpty = true;
  s = ComputeMenuState(in);
  EXPECT_TRUE(s.Enabled["MarkRedPopUpMenuItem"]);
  EXPECT_TRUE(s.Enabled["MarkGotoNextMainMenu"]);
  EXPECT_FALSE(s.Enabled["FindNextMainMenuItem"]);
  in.FindAccepted = true;
  in.ClipboardHasFormats = true;
  s = ComputeMenuState(in);
  EXPECT_TRUE(s.Enabled["FindNextMainMenuItem"]);
  EXPECT_TRUE(s.Enabled["ShiftCtrlLAcc"]);
  EXPECT_TRUE(s.Enabled["LoadFromClipboardMainMenuItem"]);
  Options.Language = 7;
  Grid.Hex = false;
  s = ComputeMenuState(in);
  EXPECT_EQ(s.Captions["EditRedoMainMenuItem"], "&Wiederrufen ");
  EXPECT_TRUE(s.Checked["DeutschMenuItem"]);
  EXPECT_FALSE(s.Checked["EnglishMenuItem"]);
  EXPECT_TRUE(s.Checked["OptionDecMainMenuItem"]);
}

}  // namespace
