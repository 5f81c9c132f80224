// The history itself: groups, the redo tail, the 512/256 bound, the caption
// names and what the view is asked to do after each step.
#include <gtest/gtest.h>

#include <memory>

#include "actions/Actions.h"
#include "actions/DeleteAction.h"
#include "actions/EditAction.h"
#include "actions/InsertAction.h"
#include "actions/InsertBytesAction.h"
#include "actions/MarkAction.h"
#include "actions/UndoTestSupport.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"

namespace undo_test {
namespace {

using Bytes = std::vector<uint8_t>;

class ActionHistory : public TUndoTest {
 protected:
  TActions& L() { return ActionList(); }
  void Edit(int32_t group, int32_t pos, uint8_t v, bool show = true) {
    L().AddAction(std::make_unique<TEditAction>(akChangeValue, group, pos, false, v), show);
  }
  void Mark(uint8_t kind, int32_t group, int32_t pos, uint8_t m) {
    L().AddAction(std::make_unique<TMarkAction>(kind, group, pos, false, m), false);
  }
};

TEST_F(ActionHistory, GroupsAreUndoneAndRedoneTogether) {
  Load(Bytes(20, 0));
  Edit(1, 0, 1);
  Edit(2, 1, 2, false);
  Edit(2, 2, 3, false);
  Edit(2, 3, 4, false);
  EXPECT_EQ(L().Count(), 4);
  EXPECT_EQ(L().Index(), 3);
  L().Undo();
  EXPECT_EQ(Data()[1] + Data()[2] + Data()[3], 0);
  EXPECT_EQ(Data()[0], 1);
  EXPECT_EQ(L().Index(), 0);
  EXPECT_EQ(CursorOffset(), 1);  // where the group's first action applied
  L().Redo();
  EXPECT_EQ(Data(), (Bytes{1, 2, 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(CursorOffset(), 3);  // where its last action applied
  EXPECT_EQ(L().Index(), 3);
}

TEST_F(ActionHistory, RecordingAfterUndoDiscardsWhatCouldHaveBeenRedone) {
  Load(Bytes(4, 0));
  Edit(1, 0, 1);
  Edit(2, 1, 2);
  Edit(3, 2, 3);
  L().Undo();
  L().Undo();
  EXPECT_TRUE(L().CanRedo());
  Edit(4, 3, 4);
  EXPECT_FALSE(L().CanRedo());
  EXPECT_EQ(L().Count(), 2);
  L().Redo();  // nothing to redo: nothing happens
  EXPECT_EQ(Data(), (Bytes{1, 0, 0, 4}));
}

TEST_F(ActionHistory, AFullListDropsTheOldestHalfAtOnce) {
  Load(Bytes(10, 0));
  for (int i = 0; i < 512; ++i) Edit(i + 1, i % 10, uint8_t(i));
  EXPECT_EQ(L().Count(), 512);
  EXPECT_EQ(L().Index(), 511);
  Edit(513, 0, 0xFF);
  EXPECT_EQ(L().Count(), 257);
  EXPECT_EQ(L().Index(), 256);
  EXPECT_EQ(L().Item(0).Group(), 257);
  int undos = 0;
  while (L().CanUndo()) {
    L().Undo();
    ++undos;
  }
  EXPECT_EQ(undos, 257);
  // What the surviving actions found is back; the edits of the dropped ones stay.
  EXPECT_EQ(Data()[6], uint8_t(246));
}

// A group larger than the list keeps only its newest part; Undo restores
// just that part and the caption counts what is left.
TEST_F(ActionHistory, AGroupLargerThanTheListKeepsItsNewestPart) {
  Load(Bytes(1000, 0), Bytes(1000, 3));
  for (int i = 0; i < 1000; ++i) Mark(akUnmark, 7, i, 0);
  L().UpdateView();
  EXPECT_EQ(L().Count(), 488);  // 1000 = 512 + 256 + 232: trimmed twice, then 232 more
  EXPECT_EQ(L().UndoName(), "(488 * Unmark)");
  L().Undo();
  const Bytes marks = Marks();
  EXPECT_EQ(marks[511], 0);
  EXPECT_EQ(marks[512], 3);
  EXPECT_EQ(marks[999], 3);
  EXPECT_EQ(L().RedoName(), "(488 * Unmark)");
}

TEST_F(ActionHistory, CaptionsNameTheGroupAndCountIt) {
  Load(Bytes(40, 1), Bytes(40, 2));
  EXPECT_EQ(L().UndoName(), "");
  EXPECT_EQ(L().RedoName(), "");
  L().AddAction(std::make_unique<TDeleteAction>(akDelete, 1, 0, false), true);
  EXPECT_EQ(L().UndoName(), "(Delete)");
  for (int i = 0; i < 37; ++i) Mark(akUnmark, 2, i, 0);
  EXPECT_EQ(L().UndoName(), "(37 * Unmark)");
  Mark(akLoadMark, 3, 0, 1);
  Mark(akLoadMark, 3, 1, 1);
  EXPECT_EQ(L().UndoName(), "(2 * Load mark)");
  Options.Language = 7;
  EXPECT_EQ(L().UndoName(), "(2 * Markierung laden)");
  L().Undo();
  EXPECT_EQ(L().RedoName(), "(2 * Markierung laden)");
  EXPECT_EQ(L().UndoName(), "(37 * Markierung aufheben)");
  L().Undo();
  EXPECT_EQ(L().UndoName(), "(Löschen)");
  EXPECT_EQ(L().RedoName(), "(37 * Markierung aufheben)");
  Options.Language = 9;
  L().AddAction(std::make_unique<TAction>(uint8_t(99), 4), false);  // a code that names no kind
  EXPECT_EQ(L().UndoName(), "(?)");
}

TEST_F(ActionHistory, DataChangeCountFollowsUndoPastASave) {
  Load(Bytes(4, 0));
  Edit(1, 0, 1);
  Edit(2, 1, 1);
  EXPECT_EQ(Doc.DataChangeCount, 2);
  Doc.DataChangeCount = 0;  // saved
  L().Undo();
  EXPECT_EQ(Doc.DataChangeCount, -1);  // differs from the saved file again
  L().Redo();
  EXPECT_EQ(Doc.DataChangeCount, 0);
}

TEST_F(ActionHistory, AFailingActionLeavesAnEmptyList) {
  Bytes data(65536, 5);
  Load(data);
  Edit(1, 0, 1);
  AllocationFailureHook = [](size_t) { return true; };
  EXPECT_FALSE(L().AddAction(std::make_unique<TInsertAction>(akInsert, 2, 0, false), true));
  EXPECT_EQ(L().Count(), 0);
  EXPECT_EQ(L().Index(), -1);
  EXPECT_FALSE(L().CanUndo());
  EXPECT_EQ(View.Count("layout"), 2);  // one from the action's report, one from the list
}

// ---- What the view is told ---------------------------------------------------

TEST_F(ActionHistory, ShowFalseLeavesTheViewAloneUntilUpdateView) {
  Load(Bytes(100, 0));
  CursorAt(0);
  L().AddAction(std::make_unique<TInsertBytesAction>(akInsertBytes, 1, 50, true, 60, Bytes{1}), false);
  L().AddAction(std::make_unique<TMarkAction>(akMark, 1, 150, true, 2), false);
  EXPECT_TRUE(View.Events.empty());
  EXPECT_EQ(CursorOffset(), 0);
  L().UpdateView();
  // The layout comes first: offset 150 lies on a row the old layout lacked.
  ASSERT_FALSE(View.Events.empty());
  EXPECT_EQ(View.Events.front(), "layout");
  EXPECT_EQ(CursorOffset(), 150);
  EXPECT_TRUE(InCharArea(Cursor.CursorCol));
  EXPECT_EQ(View.Events.back(), "invalidate");
}

TEST_F(ActionHistory, ASizeChangeIsLaidOutBeforeTheCursorIsPlaced) {
  Load(Bytes(32, 0));  // two full rows
  CursorAt(31);
  L().AddAction(std::make_unique<TInsertAction>(akAppend, 1, 32, false), true);
  EXPECT_EQ(Grid.RowCount, 3);
  EXPECT_EQ(CursorOffset(), 32);
  EXPECT_EQ(View.Events.front(), "layout");
  EXPECT_EQ(View.Events.back(), "flush");
  EXPECT_EQ(View.Count("invalidate"), 1);
  L().Undo();
  EXPECT_EQ(Grid.RowCount, 2);
  EXPECT_EQ(CursorOffset(), 31);
  L().Redo();
  EXPECT_EQ(CursorOffset(), 32);
}

TEST_F(ActionHistory, AnEditRepaintsOnlyItsCellsButUndoRepaintsTheView) {
  Load(Bytes(32, 0));
  CursorAt(5);
  Edit(1, 5, 9);
  EXPECT_EQ(View.Count("layout"), 0);
  EXPECT_EQ(View.Count("invalidate"), 0);
  EXPECT_GT(View.Count("cell"), 0);
  View.Events.clear();
  L().Undo();
  EXPECT_EQ(View.Count("layout"), 1);
  EXPECT_EQ(View.Count("invalidate"), 1);
  EXPECT_EQ(View.Events.back(), "flush");
}

}  // namespace
}  // namespace undo_test
