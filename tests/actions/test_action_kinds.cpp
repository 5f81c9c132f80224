// The eight action kinds on their own: what each changes, what undo and redo
// give back (data, marks, size and DataChangeCount), where the cursor lands,
// and what happens when memory runs out.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>

#include "actions/Actions.h"
#include "actions/BackspaceAction.h"
#include "actions/DeleteAction.h"
#include "actions/DeleteBytesAction.h"
#include "actions/EditAction.h"
#include "actions/InsertAction.h"
#include "actions/InsertBytesAction.h"
#include "actions/MarkAction.h"
#include "actions/ReplaceAction.h"
#include "actions/UndoTestSupport.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"

namespace undo_test {
namespace {

using Bytes = std::vector<uint8_t>;

class ActionKinds : public TUndoTest {
 protected:
  bool Add(TAction* action, bool show = true) { return ActionList().AddAction(std::unique_ptr<TAction>(action), show); }
  void Undo() { ActionList().Undo(); }
  void Redo() { ActionList().Redo(); }

  // Undo and redo twice over, checking the state before and after each time.
  void ExpectRoundTrips(const Bytes& data0, const Bytes& marks0, const Bytes& data1, const Bytes& marks1) {
    const int32_t count0 = Doc.DataChangeCount - 1;
    for (int round = 0; round < 2; ++round) {
      Undo();
      EXPECT_EQ(Data(), data0);
      EXPECT_EQ(Marks(), marks0);
      EXPECT_EQ(Doc.DataChangeCount, count0);
      Redo();
      EXPECT_EQ(Data(), data1);
      EXPECT_EQ(Marks(), marks1);
    }
  }
};

TEST_F(ActionKinds, MarkChangesOnlyTheMarkAndUndoRestoresTheExactPreviousOne) {
  Load({1, 2, 3}, {0, 4, 0});
  CursorAt(0);
  EXPECT_TRUE(Add(new TMarkAction(akMark, 1, 1, true, 6)));
  EXPECT_EQ(Marks(), (Bytes{0, 6, 0}));
  EXPECT_EQ(Doc.DataChangeCount, 0);  // marks alone do not make the document modified
  EXPECT_EQ(CursorOffset(), 1);
  EXPECT_TRUE(InCharArea(Cursor.CursorCol));
  EXPECT_FALSE(ActionList().Item(0).SizeChanged());
  EXPECT_EQ(View.Count("layout"), 0);
  EXPECT_GT(View.Count("cell"), 0);  // nothing else would repaint the mark
  Undo();
  EXPECT_EQ(Marks(), (Bytes{0, 4, 0}));
  EXPECT_EQ(Doc.DataChangeCount, 0);
  Redo();
  EXPECT_EQ(Marks(), (Bytes{0, 6, 0}));
}

TEST_F(ActionKinds, EditCountsTheChangeAndUndoingItLeavesTheDocumentUnmodified) {
  Load({0x3C, 0x10});
  EXPECT_TRUE(Add(new TEditAction(akChangeValue, 1, 1, false, 0xA7)));
  EXPECT_EQ(Data(), (Bytes{0x3C, 0xA7}));
  EXPECT_EQ(Doc.DataChangeCount, 1);
  EXPECT_EQ(ActionList().Item(0).OldValue(), 0x10);
  EXPECT_EQ(CursorOffset(), 1);
  Undo();
  EXPECT_EQ(Data(), (Bytes{0x3C, 0x10}));
  EXPECT_EQ(Doc.DataChangeCount, 0);
  Redo();
  EXPECT_EQ(Doc.DataChangeCount, 1);
}

TEST_F(ActionKinds, ActionsOutsideTheDocumentChangeNothingAndUndoNothing) {
  Load({1, 2});
  Add(new TEditAction(akChangeValue, 1, 2, false, 9));
  Add(new TMarkAction(akMark, 2, -1, false, 3));
  Add(new TBackspaceAction(akBack, 3, 0, false));  // Backspace at the first byte
  Add(new TDeleteAction(akDelete, 4, 2, false));
  Add(new TInsertAction(akInsert, 5, 3, false));
  Add(new TDeleteBytesAction(akDeleteBytes, 6, 2, 5, false));
  Add(new TReplaceAction(akReplace, 7, 1, false, Bytes{1, 2}, Bytes{7}));  // runs past the end
  EXPECT_EQ(Data(), (Bytes{1, 2}));
  EXPECT_EQ(Marks(), (Bytes{0, 0}));
  EXPECT_EQ(Doc.DataChangeCount, 0);
  while (ActionList().CanUndo()) Undo();
  EXPECT_EQ(Data(), (Bytes{1, 2}));
  EXPECT_EQ(Doc.DataChangeCount, 0);
}

TEST_F(ActionKinds, BackspaceRemovesTheByteBeforeTheCursorWithItsMark) {
  Load({10, 11, 12, 13, 14, 15, 16}, {0, 0, 0, 0, 5, 6, 0});
  CursorAt(5, true);
  EXPECT_TRUE(Add(new TBackspaceAction(akBack, 1, 5, true)));
  EXPECT_EQ(Data(), (Bytes{10, 11, 12, 13, 15, 16}));
  EXPECT_EQ(Marks(), (Bytes{0, 0, 0, 0, 6, 0}));
  EXPECT_EQ(CursorOffset(), 4);  // still on the byte that was under it
  EXPECT_TRUE(InCharArea(Cursor.CursorCol));
  EXPECT_EQ(Doc.DataChangeCount, 1);
  ExpectRoundTrips({10, 11, 12, 13, 14, 15, 16}, {0, 0, 0, 0, 5, 6, 0}, {10, 11, 12, 13, 15, 16}, {0, 0, 0, 0, 6, 0});
  Undo();
  EXPECT_EQ(CursorOffset(), 5);
}

TEST_F(ActionKinds, DeletingTheLastByteLeavesTheCursorOnTheNewLastByte) {
  Load({1, 2, 3}, {0, 0, 2});
  CursorAt(2);
  EXPECT_TRUE(Add(new TDeleteAction(akDelete, 1, 2, false)));
  EXPECT_EQ(Data(), (Bytes{1, 2}));
  EXPECT_EQ(CursorOffset(), 1);
  ExpectRoundTrips({1, 2, 3}, {0, 0, 2}, {1, 2}, {0, 0});
  Undo();
  EXPECT_EQ(CursorOffset(), 2);
}

TEST_F(ActionKinds, InsertAndAppendAddAnUnmarkedZeroAndUndoRestoresTheMarksBehind) {
  Load({1, 2, 3, 4, 5}, {1, 2, 3, 4, 5});
  EXPECT_TRUE(Add(new TInsertAction(akInsert, 1, 3, false)));
  EXPECT_EQ(Data(), (Bytes{1, 2, 3, 0, 4, 5}));
  EXPECT_EQ(Marks(), (Bytes{1, 2, 3, 0, 4, 5}));
  ExpectRoundTrips({1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}, {1, 2, 3, 0, 4, 5}, {1, 2, 3, 0, 4, 5});

  Load({7});
  EXPECT_TRUE(Add(new TInsertAction(akAppend, 2, 1, false)));
  EXPECT_EQ(Data(), (Bytes{7, 0}));
  Undo();
  Undo();  // nothing more to undo
  EXPECT_EQ(Data(), (Bytes{7}));
  Load({});
  EXPECT_TRUE(Add(new TInsertAction(akAppend, 3, 0, false)));
  EXPECT_EQ(Data(), (Bytes{0}));
  Undo();
  EXPECT_EQ(Doc.DocSize, 0);
  EXPECT_EQ(Doc.DocData, nullptr);  // an empty document owns no memory
}

TEST_F(ActionKinds, DeleteBytesStopsAtTheEndAndUndoRestoresBytesAndMarks) {
  Load({1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4, 0});
  auto* action = new TDeleteBytesAction(akDeleteBytes, 1, 2, INT32_MAX, false);
  EXPECT_EQ(action->Count(), 4);
  EXPECT_TRUE(Add(action));
  EXPECT_EQ(Data(), (Bytes{1, 2}));
  EXPECT_EQ(CursorOffset(), 1);
  ExpectRoundTrips({1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4, 0}, {1, 2}, {0, 1});
}

TEST_F(ActionKinds, InsertBytesRepeatsThePatternUnmarked) {
  Load({9, 9}, {3, 4});
  EXPECT_TRUE(Add(new TInsertBytesAction(akInsertBytes, 1, 1, false, 7, Bytes{1, 2, 3})));
  EXPECT_EQ(Data(), (Bytes{9, 1, 2, 3, 1, 2, 3, 1, 9}));
  EXPECT_EQ(Marks(), (Bytes{3, 0, 0, 0, 0, 0, 0, 0, 4}));
  ExpectRoundTrips({9, 9}, {3, 4}, {9, 1, 2, 3, 1, 2, 3, 1, 9}, {3, 0, 0, 0, 0, 0, 0, 0, 4});
  // Append bytes on an empty document.
  Load({});
  EXPECT_TRUE(Add(new TInsertBytesAction(akAppendBytes, 2, 0, false, 3, Bytes{0xEE})));
  EXPECT_EQ(Data(), (Bytes{0xEE, 0xEE, 0xEE}));
}

TEST_F(ActionKinds, LongerReplacementKeepsTheFirstMarksAndAddsUnmarkedBytes) {
  Load({1, 2, 3, 4}, {0, 5, 6, 0});
  EXPECT_TRUE(Add(new TReplaceAction(akReplace, 1, 1, false, Bytes{2, 3}, Bytes{7, 8, 9, 10})));
  EXPECT_EQ(Data(), (Bytes{1, 7, 8, 9, 10, 4}));
  EXPECT_EQ(Marks(), (Bytes{0, 5, 6, 0, 0, 0}));
  ExpectRoundTrips({1, 2, 3, 4}, {0, 5, 6, 0}, {1, 7, 8, 9, 10, 4}, {0, 5, 6, 0, 0, 0});
}

// Undoing a shortening replacement brings the removed bytes back with the
// marks they had, so the document is exactly what it was.
TEST_F(ActionKinds, ShorterReplacementIsUndoneWithTheRemovedBytesMarks) {
  Load({1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4, 0});
  EXPECT_TRUE(Add(new TReplaceAction(akReplace, 1, 1, false, Bytes{2, 3, 4, 5}, Bytes{8, 9})));
  EXPECT_EQ(Data(), (Bytes{1, 8, 9, 6}));
  EXPECT_EQ(Marks(), (Bytes{0, 1, 2, 0}));
  ExpectRoundTrips({1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4, 0}, {1, 8, 9, 6}, {0, 1, 2, 0});
}

TEST_F(ActionKinds, EmptyReplacementRemovesTheRunAndRedoRemovesItAgain) {
  Load({1, 2, 3, 4, 5}, {0, 1, 1, 1, 0});
  EXPECT_TRUE(Add(new TReplaceAction(akReplace, 1, 1, false, Bytes{2, 3, 4}, Bytes{})));
  EXPECT_EQ(Data(), (Bytes{1, 5}));
  ExpectRoundTrips({1, 2, 3, 4, 5}, {0, 1, 1, 1, 0}, {1, 5}, {0, 0});
  // The whole document replaced by nothing, and back.
  Load({4, 4}, {2, 3});
  EXPECT_TRUE(Add(new TReplaceAction(akReplace, 2, 0, false, Bytes{4, 4}, Bytes{})));
  EXPECT_EQ(Doc.DocSize, 0);
  ExpectRoundTrips({4, 4}, {2, 3}, {}, {});
}

TEST_F(ActionKinds, RedoPutsBackTheRecordedReplacementWhateverTheCallerHoldsNow) {
  Load({1, 2, 3});
  Bytes replacement{7, 7};
  Add(new TReplaceAction(akReplace, 1, 0, false, Bytes{1}, replacement));
  replacement.assign({5, 5, 5, 5});
  Undo();
  Redo();
  EXPECT_EQ(Data(), (Bytes{7, 7, 2, 3}));
}

TEST_F(ActionKinds, EqualLengthReplacementStillReportsASizeChange) {
  Load({1, 2, 3}, {0, 2, 0});
  Add(new TReplaceAction(akReplace, 1, 1, false, Bytes{2}, Bytes{9}));
  EXPECT_EQ(Data(), (Bytes{1, 9, 3}));
  EXPECT_EQ(Marks(), (Bytes{0, 2, 0}));
  EXPECT_TRUE(ActionList().Item(0).SizeChanged());
  EXPECT_EQ(View.Count("layout"), 1);
}

// ---- Running out of memory -------------------------------------------------

class ActionMemory : public ActionKinds {
 protected:
  void FailAll() {
    AllocationFailureHook = [](size_t) { return true; };
  }
  // A document of 64 KiB + extra bytes: growing from 64 KiB needs a new
  // allocation, and so does growing back to 64 KiB + extra after a removal.
  void LoadAtStep(size_t extra = 0) {
    Bytes data(65536 + extra), marks(65536 + extra);
    for (size_t i = 0; i < data.size(); ++i) {
      data[i] = uint8_t(i * 7);
      marks[i] = uint8_t(i % 7);
    }
    Load(data, marks);
    Data0 = Data();
    Marks0 = Marks();
  }
  void ExpectUnchangedAndForgotten(const std::string& english) {
    EXPECT_EQ(Data(), Data0);
    EXPECT_EQ(Marks(), Marks0);
    EXPECT_EQ(Doc.DocDataCapacity, CapacityFor(Doc.DocSize));
    EXPECT_EQ(Doc.DocMarksCapacity, CapacityFor(Doc.DocSize));
    EXPECT_EQ(ActionList().Count(), 0);
    EXPECT_EQ(ActionList().Index(), -1);
    ASSERT_EQ(Host.Messages.size(), 1u);
    EXPECT_EQ(Host.Messages[0], english);
    EXPECT_EQ(Host.MessageTypes[0], TMsgDlgType::Error);
  }
  Bytes Data0, Marks0;
};

// An action that cannot get its memory, when it is added or when it is
// undone: the document stays as it was, the history goes, and the message
// says why in the current language.
TEST_F(ActionMemory, FailingAddOrUndoLeavesTheDocumentAndDropsTheHistory) {
  const char* plain = "Operation failed! Possible reason: Not enough memory.";
  const char* close = "Operation failed! Possible reason: Not enough memory. Close application!";
  struct TCase {
    const char* What;
    bool Undo;  // else the add fails
    int32_t Language;
    size_t Extra;  // bytes past 64 KiB, so that growing back needs memory
    std::function<TAction*()> Make;
    const char* Message;
  };
  const TCase cases[] = {
      {"insert", false, 9, 0, [] { return new TInsertAction(akInsert, 2, 5, false); }, plain},
      {"insert bytes", false, 7, 0, [] { return new TInsertBytesAction(akInsertBytes, 2, 5, false, 3, Bytes{1}); },
       "Vorgang fehlgeschlagen! Vermutlich nicht genug Speicher."},
      {"longer replace", false, 9, 0,
       [] {
         return new TReplaceAction(akReplace, 2, 5, false, Bytes{1}, Bytes{1, 2, 3});
       },
       close},
      // A shortening replacement needs memory for the marks it removes.
      {"shorter replace", false, 7, 0,
       [] {
         return new TReplaceAction(akReplace, 2, 5, false, Bytes{1, 2, 3}, Bytes{1});
       },
       "Vorgang fehlgeschlagen! Vermutlich nicht genug Speicher. Bitte Programm beenden!"},
      {"undo of delete bytes", true, 9, 50, [] { return new TDeleteBytesAction(akDeleteBytes, 2, 10, 100, false); },
       "Operation failed! Possible reason: Not enough memory. Please close this application."},
      {"undo of a shorter replace", true, 7, 1,
       [] {
         return new TReplaceAction(akReplace, 2, 3, false, Bytes{1, 2, 3}, Bytes{1});
       },
       "Vorgang fehlgeschlagen! Vermutlich nicht genug Speicher. Bitte Programm beenden!"},
      {"undo of backspace", true, 7, 1, [] { return new TBackspaceAction(akBack, 2, 3, false); },
       "Vorgang fehlgeschlagen! Vermutlich nicht genug Speicher. Bitte beenden Sie das Programm!"},
      {"undo of delete", true, 7, 1, [] { return new TDeleteAction(akDelete, 2, 3, false); },
       "Vorgang fehlgeschlagen! Vermutlich nicht genug Speicher. Bitte beenden Sie das Programm!"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    AllocationFailureHook = nullptr;
    Host.Messages.clear();
    Host.MessageTypes.clear();
    LoadAtStep(c.Extra);
    Options.Language = c.Language;
    Add(new TEditAction(akChangeValue, 1, 0, false, 0xFF));
    if (c.Undo) Add(c.Make());
    Data0 = Data();
    Marks0 = Marks();
    const int32_t changes = Doc.DataChangeCount;
    FailAll();
    if (c.Undo)
      Undo();
    else
      EXPECT_FALSE(Add(c.Make()));
    ExpectUnchangedAndForgotten(c.Message);
    EXPECT_EQ(Doc.DataChangeCount, changes);
    EXPECT_FALSE(ActionList().CanRedo());
  }
}

// A failure while copying the run is reported, and the action is still
// recorded: it does nothing either way.
TEST_F(ActionMemory, FailingCopyOfDeleteBytesRecordsAnEmptyAction) {
  LoadAtStep();
  FailAll();
  auto* action = new TDeleteBytesAction(akDeleteBytes, 1, 10, 100, false);
  EXPECT_EQ(action->Count(), 0);
  ASSERT_EQ(Host.Messages.size(), 1u);
  EXPECT_EQ(Host.Messages[0], "Operation failed! Possible reason: Not enough memory.");
  EXPECT_TRUE(Add(action));
  EXPECT_EQ(ActionList().Count(), 1);
  Undo();
  EXPECT_EQ(Data(), Data0);
  EXPECT_EQ(Doc.DataChangeCount, 0);
}

// A redo that runs out of memory in the middle of a group keeps what the
// group's earlier actions did and drops the history.
TEST_F(ActionMemory, FailureInsideAGroupStopsAtTheFailingAction) {
  LoadAtStep();
  Add(new TEditAction(akChangeValue, 1, 0, false, 9), false);
  Add(new TInsertBytesAction(akInsertBytes, 1, 0, false, 2, Bytes{5}), false);
  Undo();
  EXPECT_EQ(Data(), Data0);
  FailAll();
  Redo();
  Data0[0] = 9;
  EXPECT_EQ(Data(), Data0);
  EXPECT_FALSE(ActionList().CanUndo());
  EXPECT_FALSE(ActionList().CanRedo());
  EXPECT_EQ(Host.Messages.size(), 1u);
}

// Sizes are added in 64 bits: a run that would take the document past
// 2^31 - 1 bytes is refused like any other allocation.
TEST_F(ActionMemory, GrowingPastTheLargestSizeIsRefused) {
  Load({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  Data0 = Data();
  Marks0 = Marks();
  EXPECT_FALSE(Add(new TInsertBytesAction(akInsertBytes, 1, 0, false, INT32_MAX - 5, Bytes{1})));
  ExpectUnchangedAndForgotten("Operation failed! Possible reason: Not enough memory.");
}

TEST_F(ActionMemory, InsertIntoTheLargestDocumentIsRefusedWithoutTouchingIt) {
  Load({1, 2, 3, 4, 5, 6, 7, 8});
  Data0 = Data();
  Marks0 = Marks();
  FailAll();  // no buffer may be resized to the pretended size
  const int32_t real = Doc.DocSize;
  Doc.DocSize = INT32_MAX;
  const bool added = Add(new TInsertAction(akInsert, 1, 3, false));
  Doc.DocSize = real;
  EXPECT_FALSE(added);
  ExpectUnchangedAndForgotten("Operation failed! Possible reason: Not enough memory.");
}

}  // namespace
}  // namespace undo_test
