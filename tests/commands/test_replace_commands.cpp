// Replace and Find and mark through the fake host: the answers, the time
// question, where the question stands, the undo captions, running out of
// memory.
#include <gtest/gtest.h>

#include <cstring>

#include "actions/Actions.h"
#include "commands/ReplaceCommands.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/FindState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "fakes/FakeSeams.h"

namespace {

std::vector<uint8_t> B(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

class ReplaceCommands : public ::testing::Test {
 protected:
  TSeamFixture Seams;

  void Document(const std::string& bytes) {
    Doc.DocSize = int32_t(bytes.size());
    ResizeDocData(Doc.DocSize);
    FreshDocMarks(Doc.DocSize);
    if (!bytes.empty()) std::memcpy(Doc.DocData, bytes.data(), bytes.size());
    Seams.View.RequestLayout();
    MoveCursor(0, 0, false);
  }
  std::string Text() const { return std::string(Doc.DocData, Doc.DocData + Doc.DocSize); }
  void Dialog(const std::string& find, const std::string& replace, int answer, bool confirm = false,
              bool fromCursor = false, bool backward = false) {
    Seams.Host.FindDialogInput = [=](TFindState& s) {
      s.FindData.SetBuf(B(find));
      s.ReplaceData.SetBuf(B(replace));
      s.ConfirmCB = confirm;
      s.BeginCursorRB = fromCursor;
      s.DirectionUpRB = backward;
    };
    Seams.Host.FindAnswers.push_back(answer);
  }
};

TEST_F(ReplaceCommands, ReplaceAllAndOneUndo) {
  Document("abab-ab");
  Dialog("ab", "xyz", FindAllResult);
  ReplaceMainMenuItemClick();
  EXPECT_EQ(Seams.Host.FindDialogModes.back(), TFindMode::Replace);
  EXPECT_EQ(Text(), "xyzxyz-xyz");
  EXPECT_EQ(ActionList().UndoName(), "(3 * Replace)");
  EXPECT_EQ(Doc.DataChangeCount, 3);
  EXPECT_TRUE(Seams.Host.Messages.empty());
  EXPECT_EQ(Seams.View.Panels[2], "");
  ActionList().Undo();
  EXPECT_EQ(Text(), "abab-ab");
  EXPECT_EQ(Doc.DataChangeCount, 0);
  ActionList().Redo();
  EXPECT_EQ(Text(), "xyzxyz-xyz");
}

TEST_F(ReplaceCommands, OkReplacesTheFirstOccurrenceOnly) {
  Document("--ab--ab");
  GotoOffset(5, false, false);
  Dialog("ab", "Q", mrOk);  // from the start, although the cursor is further on
  ReplaceMainMenuItemClick();
  EXPECT_EQ(Text(), "--Q--ab");
  EXPECT_EQ(ActionList().UndoName(), "(Replace)");
  EXPECT_EQ(CursorOffset(), 2);
}

TEST_F(ReplaceCommands, FromTheCursorLeavesWhatIsBefore) {
  Document("ab-ab-ab");
  GotoOffset(2, false, false);
  Dialog("ab", "", FindAllResult, false, true);
  ReplaceMainMenuItemClick();
  EXPECT_EQ(Text(), "ab--");
  ActionList().Undo();
  EXPECT_EQ(Text(), "ab-ab-ab");
}

TEST_F(ReplaceCommands, ReplacementContainingThePatternIsNotReplacedAgain) {
  Document("aXa");
  Dialog("a", "aa", FindAllResult);
  ReplaceMainMenuItemClick();
  EXPECT_EQ(Text(), "aaXaa");
  Document("aXa");
  Dialog("a", "aa", FindAllResult, false, false, true);
  ReplaceMainMenuItemClick();
  EXPECT_EQ(Text(), "aaXaa");
}

TEST_F(ReplaceCommands, NoSkipsTheOverlappingOnesAndAllStopsAsking) {
  Document("aaaaa-aa-aa");
  Seams.Host.Answers = {mrNo, mrAll};
  Dialog("aa", "b", FindAllResult, true);
  ReplaceMainMenuItemClick();
  // No at 0 resumes at 2; All there replaces it and the rest unasked.
  EXPECT_EQ(Text(),
            "aab"
            "a-b-b");
  ASSERT_EQ(Seams.Host.Messages.size(), 2u);
  EXPECT_EQ(Seams.Host.Messages[0].Text, "Replace?");
  EXPECT_EQ(Seams.Host.Messages[0].Type, TMsgDlgType::Confirmation);
  EXPECT_EQ(Seams.Host.Messages[0].Buttons, mbYesNoCancel | Btn(mbAll));
  EXPECT_EQ(ActionList().UndoName(), "(3 * Replace)");
  EXPECT_EQ(Seams.View.Panels[2], "");
}

TEST_F(ReplaceCommands, CancelEndsTheRunAndYesGoesOn) {
  Document("ab-ab-ab");
  Seams.Host.Answers = {mrYes, mrCancel};
  Dialog("ab", "Z", FindAllResult, true);
  ReplaceMainMenuItemClick();
  EXPECT_EQ(Text(), "Z-ab-ab");
  EXPECT_EQ(Seams.Host.Messages.size(), 2u);
  Options.Language = 7;
  Seams.Host.Answers = {mrCancel};
  Dialog("ab", "Z", FindAllResult, true);
  ReplaceMainMenuItemClick();
  EXPECT_EQ(Seams.Host.Messages.back().Text, "Ersetzen?");
  EXPECT_EQ(ActionList().UndoName(), "(Ersetzen)");
}

TEST_F(ReplaceCommands, BackwardsAShorterReplacementMakesTheNextOccurrence) {
  // Each deletion joins an a and a b into a new occurrence right where the
  // run goes on.
  Document("xaaaabbbby");
  Dialog("ab", "", FindAllResult, false, false, true);
  ReplaceMainMenuItemClick();
  EXPECT_EQ(Text(), "xy");
  EXPECT_EQ(ActionList().UndoName(), "(4 * Replace)");
  ActionList().Undo();
  EXPECT_EQ(Text(), "xaaaabbbby");
  ActionList().Redo();
  EXPECT_EQ(Text(), "xy");
  // Forwards the run resumes after each replacement and meets only one.
  Document("xaaaabbbby");
  Dialog("ab", "", FindAllResult);
  ReplaceMainMenuItemClick();
  EXPECT_EQ(Text(), "xaaabbby");
}

TEST_F(ReplaceCommands, ALongRunKeepsWhatTheHistoryKeeps) {
  Document(std::string(600, 'q'));
  Dialog("q", "rr", FindAllResult);
  ReplaceMainMenuItemClick();
  EXPECT_EQ(Doc.DocSize, 1200);
  EXPECT_EQ(Doc.DataChangeCount, 600);
  // 512 fill the list, the oldest 256 go, 88 more follow.
  EXPECT_EQ(ActionList().UndoName(), "(344 * Replace)");
  ActionList().Undo();
  EXPECT_EQ(Text(), std::string(512, 'r') + std::string(344, 'q'));
  EXPECT_EQ(Doc.DataChangeCount, 256);
  EXPECT_FALSE(ActionList().CanUndo());
}

TEST_F(ReplaceCommands, TwelveReplacementsAreOneStep) {
  Document("x.x.x.x.x.x.x.x.x.x.x.x.");
  Dialog("x", "yy", FindAllResult);
  ReplaceMainMenuItemClick();
  EXPECT_EQ(ActionList().UndoName(), "(12 * Replace)");
  ActionList().Undo();
  EXPECT_EQ(Text(), "x.x.x.x.x.x.x.x.x.x.x.x.");
  EXPECT_EQ(ActionList().RedoName(), "(12 * Replace)");
}

TEST_F(ReplaceCommands, NothingFoundBeeps) {
  Document("abc");
  Dialog("zz", "y", FindAllResult);
  ReplaceMainMenuItemClick();
  EXPECT_EQ(Seams.Host.Beeps, 1);
  EXPECT_EQ(ActionList().Count(), 0);
  Dialog("zz", "y", mrCancel);
  ReplaceMainMenuItemClick();
  EXPECT_EQ(Seams.Host.Beeps, 1);
}

TEST_F(ReplaceCommands, TheQuestionStandsAwayFromTheCursorRow) {
  Seams.Host.Screen[0] = 1200;
  Seams.Host.Screen[1] = 900;
  Seams.View.DataBoxTop = 100;
  Document(std::string(16 * 40, '-') + "ab");
  Seams.Host.Answers = {mrNo};
  Dialog("ab", "", mrOk, true);
  ReplaceMainMenuItemClick();
  // Row 40 of a 20-row view scrolled to it: near the top or bottom of the
  // data area; either way the question goes to the other half.
  ASSERT_EQ(Seams.Host.MessagePlaces.size(), 1u);
  const int32_t y = 100 + (Cursor.CursorRow - TopRow()) * Grid.RowHeight;
  EXPECT_EQ(Seams.Host.MessagePlaces[0].Left, 200);
  EXPECT_EQ(Seams.Host.MessagePlaces[0].Top, y > 450 ? 150 : 600);
  EXPECT_EQ(QuestionPlace().Top, y > 450 ? 150 : 600);
  // The cursor row forced into each half.
  Seams.View.DataBoxTop = 500;
  EXPECT_EQ(QuestionPlace().Top, 150);
  Seams.View.DataBoxTop = -2000;
  EXPECT_EQ(QuestionPlace().Top, 600);
}

// Where the question cannot be placed, the cursor row goes up to the second
// row of the view first, unless it already shows in the top quarter; at the
// end of the document only as far as the view scrolls. Placed, the view
// stays as the cursor's move left it.
TEST_F(ReplaceCommands, WhereTheQuestionCannotBePlacedTheRowGoesUpFirst) {
  std::string doc(16 * 100, '-');
  for (int row : {40, 41, 98}) doc.replace(size_t(16 * row + 3), 2, "ab");
  for (bool placeable : {false, true}) {
    Document(doc);
    Seams.Host.Placeable = placeable;
    Seams.Host.MessageTopRows.clear();
    Seams.Host.Answers = {mrNo, mrNo, mrNo};
    Dialog("ab", "", FindAllResult, true);
    ReplaceMainMenuItemClick();
    ASSERT_EQ(Grid.VisibleRows, 20);
    EXPECT_EQ(Seams.Host.MessageTopRows,
              placeable ? std::vector<int32_t>({21, 22, 79}) : std::vector<int32_t>({39, 39, 80}));
  }
}

TEST(ReplaceEstimate, ProjectedMinutes) {
  struct {
    uint32_t CountMs;
    int64_t Replaced;
    uint32_t ReplacedMs;
    int64_t Total;
    bool Tells;
    int Minutes;
  } rows[] = {
      {100, 1000, 150, 4000000, false, 10},  // too short a sample to tell
      {100, 2000, 200, 4000000, true, 7},    // 0.1 ms each: 400 s, and the count twice
      {45000, 0, 0, 10, true, 2},            // the count alone takes 1.5 min
      {29000, 0, 0, 10, false, 1},           // the count alone stays under the question
      {0, 9, 10, 10, true, 0},               // the last occurrence comes next
      {0, 1, 60000, 1000, true, 60},         // hours
      {0, 0, 300, 3, true, 0},               // none done yet: the time so far counts as one
  };
  for (const auto& r : rows) {
    const TRunSample sample{r.CountMs, r.Replaced, r.ReplacedMs};
    EXPECT_EQ(SampleTells(sample, r.Total), r.Tells) << r.CountMs << " " << r.Replaced;
    EXPECT_EQ(RoundedMinutes(EstimatedRunMs(sample, r.Total)), r.Minutes) << r.CountMs << " " << r.Replaced;
  }
  EXPECT_EQ(TxtEstimatedTime(3), "Estimated time for this operation: 3 min. Continue?");
  EXPECT_EQ(TxtEstimatedTime(60), "Estimated time for this operation: Several hours. Continue?");
  Options.Language = 7;
  EXPECT_EQ(TxtEstimatedTime(59), "Geschätzte Zeit für diese Operation: 59 min. Fortfahren?");
  EXPECT_EQ(TxtEstimatedTime(60), "Geschätzte Zeit für diese Operation: Mehrere Stunden. Fortfahren?");
  Options.Language = 9;
}

TEST_F(ReplaceCommands, TheTimeQuestionIsAskedOnce) {
  const std::string doc = "a-a-a-a-a-a-a-a-a-a-";
  // Counting the occurrences took 1.5 minutes, and writing the document out
  // will take as long again: asked at the first hit.
  Document(doc);
  Seams.Host.Ticks = {0, 90000, 90000};
  Seams.Host.Answers = {mrYes};
  Dialog("a", "bb", FindAllResult);
  ReplaceMainMenuItemClick();
  ASSERT_EQ(Seams.Host.Messages.size(), 1u);
  EXPECT_EQ(Seams.Host.Messages[0].Text, "Estimated time for this operation: 3 min. Continue?");
  EXPECT_EQ(Seams.Host.Messages[0].Type, TMsgDlgType::Warning);
  EXPECT_EQ(Seams.Host.Messages[0].Buttons, mbYesNoCancel);
  EXPECT_EQ(ActionList().UndoName(), "(10 * Replace)");
  // What the closed dialog and question covered is painted before the run
  // goes on, and the busy cursor is gone when it ends.
  EXPECT_EQ(Seams.View.WindowRepaints, 2);
  EXPECT_EQ(Seams.Host.BusyDepth, 0);
  EXPECT_GE(Seams.Host.BusyBegun, 1);
  // No: the occurrence stays and the run ends.
  Document(doc);
  ActionList().Forget();
  Seams.Host.Messages.clear();
  Seams.Host.Ticks = {0, 90000, 90000};
  Seams.Host.Answers = {mrNo};
  Dialog("a", "bb", FindAllResult);
  ReplaceMainMenuItemClick();
  EXPECT_EQ(Text(), doc);
  EXPECT_EQ(ActionList().Count(), 0);
  EXPECT_EQ(Seams.Host.Beeps, 0);
  EXPECT_EQ(Seams.Host.BusyDepth, 0);
  // The first replacement took 6 s, so all ten a minute: never asked.
  // Hours: said so.
  Document(doc);
  Seams.Host.Messages.clear();
  Seams.Host.Ticks = {0, 0, 0, 6000};
  Dialog("a", "bb", FindAllResult);
  ReplaceMainMenuItemClick();
  EXPECT_TRUE(Seams.Host.Messages.empty());
  Document(doc);
  Seams.Host.TickStep = 5000000;
  Seams.Host.Answers = {mrCancel};
  Dialog("a", "bb", FindAllResult);
  ReplaceMainMenuItemClick();
  ASSERT_EQ(Seams.Host.Messages.size(), 1u);
  EXPECT_EQ(Seams.Host.Messages[0].Text, "Estimated time for this operation: Several hours. Continue?");
}

TEST_F(ReplaceCommands, TheTimeQuestionWhenTheRunIsPartlyDone) {
  // The clock stands still and then leaps: three readings at the first hit
  // (before and after the count, and then), one at each later one; at the
  // seventh hit 6 of 12 are done after four minutes, so the whole would
  // take 8.
  Document("a-a-a-a-a-a-a-a-a-a-a-a-");
  Seams.Host.Ticks = {1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 241000};
  Seams.Host.Answers = {mrCancel};
  Dialog("a", "", FindAllResult);
  ReplaceMainMenuItemClick();
  ASSERT_EQ(Seams.Host.Messages.size(), 1u);
  EXPECT_EQ(Seams.Host.Messages[0].Text, "Estimated time for this operation: 8 min. Continue?");
  EXPECT_EQ(Text(), "------a-a-a-a-a-a-");
  EXPECT_EQ(ActionList().UndoName(), "(6 * Replace)");
  // Where the newest replacement was made.
  EXPECT_EQ(CursorOffset(), 5);
}

TEST_F(ReplaceCommands, RunningOutOfMemoryEndsTheRunWithTheDocumentIntact) {
  std::string doc(65528, '-');
  doc[10] = doc[20] = doc[30] = 'a';
  Document(doc);
  // Growing past the first 64 KiB step fails.
  AllocationFailureHook = [](size_t bytes) { return bytes > 65536; };
  Dialog("a", "xxxxx", FindAllResult);
  ReplaceMainMenuItemClick();
  std::string expected = doc;
  expected.replace(10, 1, "xxxxx");
  expected.replace(24, 1, "xxxxx");  // 65536 bytes still fit
  EXPECT_EQ(Text(), expected);
  ASSERT_EQ(Seams.Host.Messages.size(), 1u);
  EXPECT_EQ(Seams.Host.Messages[0].Text, "Operation failed! Possible reason: Not enough memory. Close application!");
  EXPECT_FALSE(ActionList().CanUndo());
  EXPECT_EQ(Doc.DataChangeCount, 2);
  EXPECT_EQ(Doc.DocDataCapacity, 65536);
}

// A long unattended run running out of memory at each progress step in turn
// (the memory hook and the progress shown both sit inside it), both ways:
// the change count always matches the replacements the document shows, so a
// changed document is never taken for an unchanged one.
TEST_F(ReplaceCommands, RunningOutOfMemoryAnywhereKeepsTheChangeCount) {
  std::string doc;
  for (int i = 0; i < 700; ++i) doc += i % 3 ? "ab-" : "-ab";
  for (const bool backward : {false, true}) {
    for (int failAt = 1; failAt < 40; ++failAt) {
      SCOPED_TRACE(std::to_string(failAt) + (backward ? " backward" : " forward"));
      ActionList().Forget();
      Doc.DataChangeCount = 0;
      Document(doc);
      int calls = 0;
      AllocationFailureHook = [&](size_t) { return ++calls == failAt; };
      Seams.View.OnStatusPanel = [&](int, const std::string&) {
        if (++calls == failAt) throw std::bad_alloc();
      };
      Dialog("ab", "xyz", FindAllResult, false, false, backward);
      ReplaceMainMenuItemClick();
      AllocationFailureHook = nullptr;
      Seams.View.OnStatusPanel = nullptr;
      int32_t shown = 0;
      for (size_t at = Text().find("xyz"); at != std::string::npos; at = Text().find("xyz", at + 3)) ++shown;
      ASSERT_EQ(Doc.DataChangeCount, shown);
    }
  }
}

TEST_F(ReplaceCommands, UndoOfARunThatRunsOutOfMemory) {
  std::string doc(65546, '-');
  for (int i = 0; i < 20; ++i) doc[size_t(100 + i * 10)] = 'a';
  Document(doc);
  Dialog("a", "", FindAllResult);
  ReplaceMainMenuItemClick();
  EXPECT_EQ(Doc.DocSize, 65526);
  EXPECT_EQ(Doc.DocDataCapacity, 65536);
  // Undo needs the next 64 KiB step after ten of the twenty.
  AllocationFailureHook = [](size_t bytes) { return bytes > 65536; };
  ActionList().Undo();
  EXPECT_FALSE(ActionList().CanUndo());
  EXPECT_FALSE(ActionList().CanRedo());
  ASSERT_EQ(Seams.Host.Messages.size(), 1u);
  EXPECT_EQ(Seams.Host.Messages[0].Text, "Operation failed! Possible reason: Not enough memory. Close application!");
  std::string expected = doc;
  for (int i = 0; i < 10; ++i) expected.erase(size_t(100 + i * 9), 1);
  EXPECT_EQ(Text(), expected);
  EXPECT_EQ(Doc.DataChangeCount, 10);
}

TEST_F(ReplaceCommands, FindAndMarkRecordsOnlyChangedBytes) {
  Document("xabcxxabcx");
  Doc.DocMarks[2] = 1;
  Seams.Host.FindDialogInput = [](TFindState& s) {
    s.FindData.SetBuf(B("abc"));
    s.ConfirmCB = false;
    s.BeginCursorRB = false;
    s.MarkColour = 1;
  };
  Seams.Host.FindAnswers.push_back(FindAllResult);
  FindAndMarkMainMenuItemClick();
  EXPECT_EQ(Seams.Host.FindDialogModes.back(), TFindMode::FindAndMark);
  EXPECT_EQ(ActionList().UndoName(), "(5 * Mark)");
  EXPECT_EQ(std::vector<uint8_t>(Doc.DocMarks, Doc.DocMarks + 10),
            (std::vector<uint8_t>{0, 1, 1, 1, 0, 0, 1, 1, 1, 0}));
  EXPECT_EQ(Doc.DataChangeCount, 0);
  EXPECT_EQ(CursorOffset(), 8);  // the newest changed mark
  ActionList().Undo();
  EXPECT_EQ(std::vector<uint8_t>(Doc.DocMarks, Doc.DocMarks + 10),
            (std::vector<uint8_t>{0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(ReplaceCommands, FindAndMarkAskingBackwards) {
  Document("ab-ab-ab");
  Seams.Host.Answers = {mrYes, mrNo, mrYes};
  Seams.Host.FindDialogInput = [](TFindState& s) {
    s.FindData.SetBuf(B("ab"));
    s.ConfirmCB = true;
    s.BeginCursorRB = false;
    s.DirectionUpRB = true;
    s.MarkColour = 6;
  };
  Seams.Host.FindAnswers.push_back(FindAllResult);
  FindAndMarkMainMenuItemClick();
  EXPECT_EQ(Seams.Host.Messages.size(), 3u);
  EXPECT_EQ(Seams.Host.Messages[0].Text, "Mark?");
  EXPECT_EQ(std::vector<uint8_t>(Doc.DocMarks, Doc.DocMarks + 8), (std::vector<uint8_t>{6, 6, 0, 0, 0, 0, 6, 6}));
  EXPECT_EQ(ActionList().UndoName(), "(4 * Mark)");
}

}  // namespace
