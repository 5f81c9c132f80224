// Go to, Insert bytes, Append bytes and Delete bytes through the scripted
// host: what the dialog is opened with, what OK and Cancel do, where the
// cursor lands, one undo step per command and the names of those steps.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "actions/Actions.h"
#include "commands/ByteRangeCommands.h"
#include "commands/EditCommands.h"
#include "commands/UiState.h"
#include "core/ByteRangeDialogs.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "fakes/FakeSeams.h"

namespace {

using Bytes = std::vector<uint8_t>;

class ByteRangeCommands : public ::testing::Test {
 protected:
  TSeamFixture Seams;
  TFakeHost& Host = Seams.Host;
  std::vector<int32_t> Shown;  // the value each Goto dialog opened with

  void Document(const Bytes& bytes, const Bytes& marks = {}) {
    ActionList().Forget();
    const int32_t n = int32_t(bytes.size());
    ResizeDocData(0);
    ResizeDocData(n);
    FreshDocMarks(n);
    Doc.DocSize = n;
    if (n > 0) std::memcpy(Doc.DocData, bytes.data(), bytes.size());
    if (!marks.empty()) std::memcpy(Doc.DocMarks, marks.data(), marks.size());
    Seams.View.RequestLayout();
    MoveCursor(0, 0, false);
  }
  void Ascending(int32_t n) {
    Bytes b(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) b[size_t(i)] = uint8_t(i);
    Document(b);
  }
  Bytes Data() const { return Doc.DocSize > 0 ? Bytes(Doc.DocData, Doc.DocData + Doc.DocSize) : Bytes{}; }
  Bytes Marks() const { return Doc.DocSize > 0 ? Bytes(Doc.DocMarks, Doc.DocMarks + Doc.DocSize) : Bytes{}; }

  // The user types value into the Goto dialog and presses OK (or Cancel).
  void GotoAnswer(int32_t value, int result = mrOk) {
    Host.GotoDialogs.push_back([this, value, result] {
      Shown.push_back(GotoDialog().PosData.Value());
      GotoDialog().PosData.SetValue(value, nullptr);
      return result;
    });
  }
  // The user sets count and pattern in the Insert bytes dialog.
  void InsertAnswer(int32_t count, const Bytes& pattern, int result = mrOk) {
    Host.InsertBytesDialogs.push_back([count, pattern, result] {
      InsertBytesDialog().CountData.SetValue(count, nullptr);
      InsertBytesDialog().FillData.SetBuf(pattern);
      return result;
    });
  }
  std::string UndoCaption() { return Seams.View.Menus.Captions["EditUndoMainMenuItem"]; }
};

TEST_F(ByteRangeCommands, GotoLandsOnTheOffsetOrOnTheLastByteWithABeep) {
  Ascending(100);
  struct TCase {
    int32_t value;
    int32_t offset;
    int beeps;
  };
  const TCase cases[] = {{0x63, 99, 0}, {0x64, 99, 1}, {0, 0, 0}, {42, 42, 0}, {INT32_MAX, 99, 1}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.value);
    Host.Beeps = 0;
    GotoAnswer(c.value);
    DoGoto();
    EXPECT_EQ(CursorOffset(), c.offset);
    EXPECT_EQ(Cursor.CursorCol % 2, 0);  // on the first digit
    EXPECT_FALSE(InCharArea(Cursor.CursorCol));
    EXPECT_EQ(Host.Beeps, c.beeps);
    EXPECT_EQ(GotoDialog().LastGotoPos, c.value);
    EXPECT_TRUE(GotoDialog().IsGoto);
  }
  // Each dialog opened with the offset confirmed before it.
  EXPECT_EQ(Shown, (std::vector<int32_t>{0, 0x63, 0x64, 0, 42}));
  EXPECT_EQ(Host.GotoDialogModes, (std::vector<bool>{false, false, false, false, false}));
  EXPECT_FALSE(ActionList().CanUndo());  // moving records nothing
}

TEST_F(ByteRangeCommands, GotoKeepsTheCursorsAreaAndCancelKeepsTheLastOffset) {
  Ascending(100);
  GotoOffset(3, true, false);
  GotoAnswer(70);
  DoGoto();
  EXPECT_EQ(CursorOffset(), 70);
  EXPECT_TRUE(InCharArea(Cursor.CursorCol));
  // Cancel: nothing moves, and the next dialog shows 70 again, not 5.
  GotoAnswer(5, mrCancel);
  DoGoto();
  EXPECT_EQ(CursorOffset(), 70);
  EXPECT_EQ(GotoDialog().LastGotoPos, 70);
  GotoAnswer(12);
  DoGoto();
  EXPECT_EQ(Shown, (std::vector<int32_t>{0, 70, 70}));
  // Standing on the second digit of the target byte keeps that digit.
  GotoOffset(12, false, false);
  DoRight();
  GotoAnswer(12);
  DoGoto();
  EXPECT_EQ(Cursor.CursorCol, (12 % Grid.BytesPerRow) * 2 + 1);
  // With no script the host cancels.
  DoGoto();
  EXPECT_EQ(CursorOffset(), 12);
}

TEST_F(ByteRangeCommands, GotoOnAnEmptyDocumentRemembersTheValueAndMovesNothing) {
  Document({});
  GotoAnswer(7);
  DoGoto();
  EXPECT_EQ(GotoDialog().LastGotoPos, 7);
  EXPECT_EQ(Doc.DocSize, 0);
  EXPECT_EQ(Host.Beeps, 0);
}

TEST_F(ByteRangeCommands, InsertBytesRepeatsThePatternBeforeTheCursorByteAsOneStep) {
  struct TCase {
    int32_t count;
    Bytes pattern;
    Bytes run;
  };
  const TCase cases[] = {{5, {0x41, 0x42}, {0x41, 0x42, 0x41, 0x42, 0x41}},
                         {3, {0}, {0, 0, 0}},
                         {1, {7, 8, 9}, {7}},
                         {7, {1, 2, 3}, {1, 2, 3, 1, 2, 3, 1}}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.count);
    Document({10, 11, 12, 13}, {1, 2, 3, 4});
    GotoOffset(2, true, false);
    InsertAnswer(c.count, c.pattern);
    InsertBytesMainMenuItemClick();
    Bytes expected{10, 11};
    expected.insert(expected.end(), c.run.begin(), c.run.end());
    expected.insert(expected.end(), {12, 13});
    EXPECT_EQ(Data(), expected);
    Bytes marks{1, 2};
    marks.resize(2 + c.run.size(), 0);  // the inserted bytes are unmarked
    marks.insert(marks.end(), {3, 4});
    EXPECT_EQ(Marks(), marks);
    EXPECT_EQ(CursorOffset(), 2);
    EXPECT_TRUE(InCharArea(Cursor.CursorCol));
    EXPECT_EQ(UndoCaption(), "&Undo (Insert bytes)");
    EditUndoMainMenuItemClick();
    EXPECT_EQ(Data(), (Bytes{10, 11, 12, 13}));
    EXPECT_EQ(Marks(), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(CursorOffset(), 2);
    EXPECT_TRUE(InCharArea(Cursor.CursorCol));
    EXPECT_FALSE(ActionList().CanUndo());
    EditRedoMainMenuItemClick();
    EXPECT_EQ(Data(), expected);
  }
  EXPECT_EQ(Host.InsertBytesDialogModes, (std::vector<bool>{false, false, false, false}));
  EXPECT_FALSE(InsertBytesDialog().IsAppend);
}

TEST_F(ByteRangeCommands, InsertBytesWithTheCursorOnNoByteGoesToTheStartOfTheValueArea) {
  Document({});
  InsertAnswer(2, {0xAB});
  InsertBytesMainMenuItemClick();
  EXPECT_EQ(Data(), (Bytes{0xAB, 0xAB}));
  EXPECT_FALSE(InCharArea(Cursor.CursorCol));
  EXPECT_EQ(CursorOffset(), 0);
}

TEST_F(ByteRangeCommands, AppendBytesAddsAtTheEndAndOneUndoTakesBackOnlyIt) {
  Ascending(10);
  FormKeyPress(U'f');  // an earlier step that must survive the undo
  GotoOffset(4, true, false);
  Options.Language = 7;
  InsertAnswer(4, {0xEE, 0xFF});
  AppendBytesMainMenuItemClick();
  EXPECT_EQ(Doc.DocSize, 14);
  EXPECT_EQ(Bytes(Doc.DocData + 10, Doc.DocData + 14), (Bytes{0xEE, 0xFF, 0xEE, 0xFF}));
  EXPECT_EQ(Host.InsertBytesDialogModes, std::vector<bool>{true});
  EXPECT_TRUE(InsertBytesDialog().IsAppend);
  EXPECT_EQ(UndoCaption(), "&Rückgängig (Bytes anfügen)");
  EXPECT_EQ(CursorOffset(), 10);
  EXPECT_TRUE(InCharArea(Cursor.CursorCol));
  EditUndoMainMenuItemClick();
  EXPECT_EQ(Doc.DocSize, 10);
  EXPECT_EQ(Doc.DocData[0], 0xF0);
  EXPECT_EQ(CursorOffset(), 9);  // the old last byte
  EXPECT_EQ(UndoCaption(), "&Rückgängig (Wert ändern)");
}

TEST_F(ByteRangeCommands, CancelledOrUnconfirmableRunsRecordNothing) {
  Ascending(10);
  InsertAnswer(5, {1}, mrCancel);
  InsertBytesMainMenuItemClick();
  AppendBytesMainMenuItemClick();  // no script: cancelled
  // A host that says OK to what the dialog would not let through.
  InsertAnswer(0, {1});
  InsertBytesMainMenuItemClick();
  InsertAnswer(3, {});
  AppendBytesMainMenuItemClick();
  EXPECT_EQ(Doc.DocSize, 10);
  EXPECT_FALSE(ActionList().CanUndo());
  EXPECT_TRUE(Host.Messages.empty());
}

// The dialog keeps what the user typed between uses; neither command
// presets it.
TEST_F(ByteRangeCommands, TheInsertDialogKeepsCountAndPattern) {
  Ascending(4);
  InsertAnswer(3, {5, 6});
  InsertBytesMainMenuItemClick();
  Host.InsertBytesDialogs.push_back([] { return mrOk; });
  AppendBytesMainMenuItemClick();
  EXPECT_EQ(Data(), (Bytes{5, 6, 5, 0, 1, 2, 3, 5, 6, 5}));
  EXPECT_EQ(InsertBytesDialog().CountData.Value(), 3);
}

TEST_F(ByteRangeCommands, ARunPastTheLargestDocumentIsRefusedAndTheHistoryStays) {
  Ascending(10);
  FormKeyPress(U'1');
  InsertAnswer(INT32_MAX - 9, {1});
  InsertBytesMainMenuItemClick();
  InsertAnswer(INT32_MAX - 5, {1, 2});
  AppendBytesMainMenuItemClick();
  ASSERT_EQ(Host.Messages.size(), 2u);
  EXPECT_EQ(Host.Messages[0].Text, "Operation failed! Possible reason: Not enough memory.");
  EXPECT_EQ(Host.Messages[0].Type, TMsgDlgType::Error);
  EXPECT_EQ(Doc.DocSize, 10);
  EXPECT_EQ(ActionList().Count(), 1);  // the typed value can still be undone
  EXPECT_EQ(Doc.DocDataCapacity, CapacityFor(10));
}

TEST_F(ByteRangeCommands, ARunThatCannotGetMemoryChangesNothing) {
  Bytes data(65536), marks(65536);
  for (size_t i = 0; i < data.size(); ++i) {
    data[i] = uint8_t(i * 3);
    marks[i] = uint8_t(i % 7);
  }
  Document(data, marks);
  AllocationFailureHook = [](size_t) { return true; };
  Options.Language = 7;
  InsertAnswer(100, {1, 2});
  InsertBytesMainMenuItemClick();
  ASSERT_EQ(Host.Messages.size(), 1u);
  EXPECT_EQ(Host.Messages[0].Text, "Vorgang fehlgeschlagen! Vermutlich nicht genug Speicher.");
  EXPECT_EQ(Data(), data);
  EXPECT_EQ(Marks(), marks);
  EXPECT_FALSE(ActionList().CanUndo());
  // Delete bytes cannot copy its run: told, recorded empty, nothing removed.
  GotoAnswer(10);
  DeleteBytesMainMenuItemClick();
  EXPECT_EQ(Host.Messages.size(), 2u);
  EXPECT_EQ(Data(), data);
  EditUndoMainMenuItemClick();
  EXPECT_EQ(Data(), data);
}

TEST_F(ByteRangeCommands, DeleteBytesCutsTheCountAtTheEndAndRestoresMarksOnUndo) {
  Ascending(100);
  for (int32_t i = 0; i < 100; ++i) Doc.DocMarks[i] = uint8_t(i % 7);
  const Bytes data = Data(), marks = Marks();
  GotoOffset(90, true, false);
  GotoAnswer(1000);
  DeleteBytesMainMenuItemClick();
  EXPECT_EQ(Host.GotoDialogModes, std::vector<bool>{true});
  EXPECT_FALSE(GotoDialog().IsGoto);
  EXPECT_EQ(Data(), Bytes(data.begin(), data.begin() + 90));
  EXPECT_EQ(CursorOffset(), 89);
  EXPECT_TRUE(InCharArea(Cursor.CursorCol));
  EXPECT_EQ(UndoCaption(), "&Undo (Delete bytes)");
  EditUndoMainMenuItemClick();
  EXPECT_EQ(Data(), data);
  EXPECT_EQ(Marks(), marks);
  EXPECT_EQ(CursorOffset(), 90);
  // A run inside the document; the dialog opens with the last count.
  GotoOffset(10, false, false);
  GotoAnswer(5);
  DeleteBytesMainMenuItemClick();
  EXPECT_EQ(Shown, (std::vector<int32_t>{0, 1000}));
  EXPECT_EQ(Doc.DocSize, 95);
  EXPECT_EQ(Doc.DocData[10], 15);
  EXPECT_EQ(Doc.DocMarks[10], 15 % 7);
  EXPECT_EQ(GotoDialog().LastDeleteCount, 5);
  EXPECT_EQ(GotoDialog().LastGotoPos, 0);  // the two values are kept apart
}

TEST_F(ByteRangeCommands, DeleteBytesWithCountZeroOrCancelDoesNothing) {
  Ascending(10);
  GotoAnswer(3);
  DeleteBytesMainMenuItemClick();
  GotoAnswer(7, mrCancel);
  DeleteBytesMainMenuItemClick();
  EXPECT_EQ(GotoDialog().LastDeleteCount, 3);  // Cancel keeps the last count
  GotoAnswer(0);
  DeleteBytesMainMenuItemClick();
  EXPECT_EQ(GotoDialog().LastDeleteCount, 0);  // confirmed, but removes nothing
  EXPECT_EQ(Doc.DocSize, 7);
  EXPECT_EQ(ActionList().Count(), 1);
  EXPECT_EQ(Shown, (std::vector<int32_t>{0, 3, 3}));
}

}  // namespace
