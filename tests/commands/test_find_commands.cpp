// Find, Find next and Find previous over the document, with the Find dialog
// played by the fake host, and the menu states that follow them.
#include <gtest/gtest.h>

#include <cstring>

#include "commands/FindCommands.h"
#include "commands/UiState.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/FindState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "fakes/FakeSeams.h"

namespace {

class FindCommands : public ::testing::Test {
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
  // What the user sets in the dialog before pressing OK.
  void Dialog(std::vector<uint8_t> pattern, bool caseSensitive, bool fromCursor, bool backward) {
    Seams.Host.FindDialogInput = [=](TFindState& s) {
      s.FindData.SetBuf(pattern);
      s.CaseCB = caseSensitive;
      s.BeginCursorRB = fromCursor;
      s.DirectionUpRB = backward;
    };
    Seams.Host.FindAnswers.push_back(mrOk);
  }
  bool FindNextEnabled() { return Seams.View.Menus.Enabled["FindNextMainMenuItem"]; }
};

TEST_F(FindCommands, FindThenFindNextFoldingCase) {
  Document("xxABxxabxx");
  Dialog({0x41, 0x42}, false, true, false);
  FindMainMenuItemClick();
  ASSERT_EQ(Seams.Host.FindDialogModes.size(), 1u);
  EXPECT_EQ(Seams.Host.FindDialogModes[0], TFindMode::Find);
  EXPECT_FALSE(FindState().ReplaceMode || FindState().MarkMode);
  EXPECT_EQ(CursorOffset(), 2);
  EXPECT_TRUE(FindNextEnabled());
  FindNextMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 6);
  FindNextMainMenuItemClick();  // nothing more: a beep, the cursor stays
  EXPECT_EQ(CursorOffset(), 6);
  EXPECT_EQ(Seams.Host.Beeps, 1);
  FindPreviousMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 2);
  FindPreviousMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 2);
  EXPECT_EQ(Seams.Host.Beeps, 2);
}

TEST_F(FindCommands, CaseSensitiveSkipsSmallLetters) {
  Document("xxabxxABxx");
  Dialog({0x41, 0x42}, true, true, false);
  FindMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 6);
}

TEST_F(FindCommands, OriginAndDirection) {
  Document("ABxxABxxAB");
  GotoOffset(5, false, false);
  // From the cursor forwards: a match starting exactly at the cursor is not
  // it here (5 holds B), so the next one.
  Dialog({'A', 'B'}, true, true, false);
  FindMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 8);
  // Entire scope backwards begins at the last byte: the last match.
  GotoOffset(3, false, false);
  Dialog({'A', 'B'}, true, false, true);
  FindMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 8);
  // Entire scope forwards begins at 0.
  Dialog({'A', 'B'}, true, false, false);
  FindMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 0);
  // From the cursor backwards: the match at the cursor itself counts.
  GotoOffset(4, false, false);
  Dialog({'A', 'B'}, true, true, true);
  FindMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 4);
  EXPECT_EQ(Seams.Host.Beeps, 0);
}

TEST_F(FindCommands, OverlappingMatchesOneByteApart) {
  Document("AAAA");
  Dialog({'A', 'A'}, true, true, false);
  FindMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 0);
  FindNextMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 1);
  FindNextMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 2);
  FindNextMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 2);
  EXPECT_EQ(Seams.Host.Beeps, 1);
}

TEST_F(FindCommands, TheCursorKeepsItsArea) {
  Document(std::string(100, 'x') + "needle");
  GotoOffset(3, true, false);
  Dialog({'n', 'e', 'e'}, true, true, false);
  FindMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 100);
  EXPECT_TRUE(InCharArea(Cursor.CursorCol));
  GotoOffset(3, false, false);
  FindNextMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 100);
  EXPECT_FALSE(InCharArea(Cursor.CursorCol));
  EXPECT_EQ(Cursor.CursorCol % Grid.DigitsPerByte, 0);  // the first digit of the byte
}

TEST_F(FindCommands, CancelDoesNotSearchAndDisablesFindNext) {
  Document("xxABxx");
  Dialog({'A', 'B'}, true, true, false);
  FindMainMenuItemClick();
  EXPECT_TRUE(FindNextEnabled());
  EXPECT_TRUE(Seams.View.Menus.Enabled["ShiftCtrlLAcc"]);
  GotoOffset(0, false, false);
  const int refreshes = Seams.View.MenuRefreshes;
  Seams.Host.FindDialogInput = nullptr;
  FindMainMenuItemClick();  // no answer queued: Cancel
  EXPECT_EQ(CursorOffset(), 0);
  EXPECT_EQ(Seams.Host.Beeps, 0);
  EXPECT_EQ(Seams.View.MenuRefreshes, refreshes + 1);
  for (const char* item : {"FindNextMainMenuItem", "FindPreviousMainMenuItem", "CtrlLAcc", "ShiftCtrlLAcc"})
    EXPECT_FALSE(Seams.View.Menus.Enabled[item]) << item;
}

TEST_F(FindCommands, AMissBeepsAndAnEmptyDocumentFindsNothing) {
  Document("abc");
  GotoOffset(1, false, false);
  Dialog({'z'}, true, true, false);
  FindMainMenuItemClick();
  EXPECT_EQ(CursorOffset(), 1);
  EXPECT_EQ(Seams.Host.Beeps, 1);
  Dialog({'a', 'b', 'c', 'd'}, true, false, false);  // longer than the document
  FindMainMenuItemClick();
  EXPECT_EQ(Seams.Host.Beeps, 2);

  Document("");
  EXPECT_EQ(FindFrom(0, false), -1);
  FindState().Accepted = true;
  UpdateMenus();
  EXPECT_FALSE(FindNextEnabled());  // no document, no Find next
}

TEST_F(FindCommands, TheStateStartsAsTheDialogDoes) {
  const TFindState& s = FindState();
  EXPECT_EQ(s.FindData.Buf(), std::vector<uint8_t>{0});
  EXPECT_EQ(s.ReplaceData.Len(), 0);
  EXPECT_TRUE(s.CaseCB && s.ConfirmCB && s.BeginCursorRB && s.DirectionDownRB());
  EXPECT_EQ(s.MarkColour, 1);
  EXPECT_FALSE(s.Accepted);
}

TEST(FindFormLayout, HeightsAndButtons) {
  const TFindFormLayout find = ComputeFindFormLayout(false, false, 378, 75, 90);
  EXPECT_FALSE(find.ReplacePanelVisible || find.MarkPanelVisible || find.ConfirmVisible);
  EXPECT_EQ(find.ClientHeight, 128 + 70 + 55);
  EXPECT_EQ(find.OKLeft, 189 - 93);
  EXPECT_EQ(find.CancelLeft, 189 + 18);
  const TFindFormLayout replace = ComputeFindFormLayout(true, false, 378, 75, 90);
  EXPECT_TRUE(replace.ReplacePanelVisible && !replace.MarkPanelVisible && replace.ConfirmVisible);
  EXPECT_EQ(replace.ClientHeight, 128 + 128 + 70 + 55);
  EXPECT_EQ(replace.OKLeft, 189 - 131);
  EXPECT_EQ(replace.AllLeft, 189 - 45);
  EXPECT_EQ(replace.CancelLeft, 189 + 56);
  const TFindFormLayout mark = ComputeFindFormLayout(false, true, 378, 75, 90);
  EXPECT_TRUE(!mark.ReplacePanelVisible && mark.MarkPanelVisible && mark.ConfirmVisible);
  EXPECT_EQ(mark.ClientHeight, 128 + 56 + 70 + 55);
  const TFindFormLayout both = ComputeFindFormLayout(true, true, 378, 75, 90);
  EXPECT_EQ(both.ClientHeight, replace.ClientHeight);
}

}  // namespace
