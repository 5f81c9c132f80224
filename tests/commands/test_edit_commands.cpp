// Typing, Backspace, Delete, Insert, Append, Undo and Redo as the user meets
// them: the byte values, the beeps, where the cursor goes, one undo step per
// keystroke and the captions of the Edit menu afterwards.
#include <gtest/gtest.h>

#include "actions/Actions.h"
#include "actions/UndoTestSupport.h"
#include "commands/EditCommands.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"

namespace undo_test {
namespace {

using Bytes = std::vector<uint8_t>;

class EditCommands : public TUndoTest {
 protected:
  void Type(const std::u32string& keys) {
    for (char32_t k : keys) FormKeyPress(k);
  }
  // Switches the grid to decimal (or back) the way the layout does it.
  void Decimal() {
    Grid.Hex = false;
    View.RequestLayout();
  }
  std::string UndoCaption() { return View.Menus.Captions["EditUndoMainMenuItem"]; }
  std::string RedoCaption() { return View.Menus.Captions["EditRedoMainMenuItem"]; }
};

TEST_F(EditCommands, HexDigitsOverwriteHighThenLowNibbleAndTwoUndosBringTheByteBack) {
  Load({0x3C, 0x11});
  Type(U"a");
  EXPECT_EQ(Data()[0], 0xAC);
  EXPECT_EQ(Cursor.CursorCol, 1);  // the low digit
  Type(U"7");
  EXPECT_EQ(Data()[0], 0xA7);
  EXPECT_EQ(CursorOffset(), 1);
  EXPECT_EQ(Cursor.CursorCol, 2);  // the next byte's high digit
  EXPECT_EQ(UndoCaption(), "&Undo (Change value)");
  EXPECT_TRUE(View.Menus.Enabled["EditUndoMainMenuItem"]);
  EditUndoMainMenuItemClick();
  EXPECT_EQ(Data()[0], 0xAC);
  EditUndoMainMenuItemClick();
  EXPECT_EQ(Data()[0], 0x3C);
  EXPECT_EQ(Doc.DataChangeCount, 0);
  EXPECT_FALSE(View.Menus.Enabled["EditUndoMainMenuItem"]);
  EXPECT_EQ(RedoCaption(), "&Redo (Change value)");
  EditRedoMainMenuItemClick();
  EXPECT_EQ(Data()[0], 0xAC);
  Options.Language = 7;
  EditRedoMainMenuItemClick();
  EXPECT_EQ(UndoCaption(), "&Rückgängig (Wert ändern)");
  EXPECT_EQ(RedoCaption(), "&Wiederrufen ");
}

TEST_F(EditCommands, KeysThatAreNoDigitBeepAndRecordNothing) {
  Load({0x3C});
  Type(U"g-G ");
  EXPECT_EQ(Host.Beeps, 4);
  EXPECT_EQ(Data()[0], 0x3C);
  EXPECT_EQ(Cursor.CursorCol, 0);
  EXPECT_FALSE(ActionList().CanUndo());
  Type(U"F");
  EXPECT_EQ(Data()[0], 0xFC);
}

TEST_F(EditCommands, TypingOnTheLastDigitKeepsOverwritingIt) {
  Load({0x00, 0x00});
  CursorAt(1);
  Type(U"12345");
  EXPECT_EQ(Data(), (Bytes{0x00, 0x15}));
  EXPECT_EQ(CursorOffset(), 1);
  EXPECT_EQ(Cursor.CursorCol, 3);
  EXPECT_EQ(ActionList().Count(), 5);  // five keystrokes, five undo steps
  for (int i = 0; i < 5; ++i) EditUndoMainMenuItemClick();
  EXPECT_EQ(Data(), (Bytes{0x00, 0x00}));
}

TEST_F(EditCommands, DecimalHundredsAbove255BeepAndStore255) {
  Load({199, 250, 149});
  Decimal();
  MoveCursor(0, 0, false);
  Type(U"2");
  EXPECT_EQ(Data()[0], 255);
  EXPECT_EQ(Host.Beeps, 1);
  EXPECT_EQ(Cursor.CursorCol, 1);  // on to the tens digit
  MoveCursor(6, 0, false);         // hundreds of 149
  Type(U"3");
  EXPECT_EQ(Host.Beeps, 2);
  EXPECT_EQ(Data()[2], 149);
  EXPECT_EQ(Cursor.CursorCol, 6);
}

TEST_F(EditCommands, DecimalLimitsDependOnTheHigherDigits) {
  Load({250, 250, 99});
  Decimal();
  for (char32_t k : std::u32string(U"6789")) {
    MoveCursor(4, 0, false);  // tens of the second 250
    FormKeyPress(k);
  }
  EXPECT_EQ(Host.Beeps, 4);
  EXPECT_EQ(Data()[1], 250);
  MoveCursor(4, 0, false);
  Type(U"5");
  EXPECT_EQ(Data()[1], 250);  // accepted, same value
  EXPECT_EQ(Host.Beeps, 4);
  MoveCursor(5, 0, false);  // ones of 250: at most 5
  Type(U"6");
  EXPECT_EQ(Host.Beeps, 5);
  MoveCursor(5, 0, false);
  Type(U"5");
  EXPECT_EQ(Data()[1], 255);
  MoveCursor(3, 0, false);  // hundreds of 255: "1" gives 155
  Type(U"1");
  EXPECT_EQ(Data()[1], 155);
  MoveCursor(7, 0, false);  // tens of 99: no limit below 200
  Type(U"0");
  EXPECT_EQ(Data()[2], 9);
  // Tens 5 before ones above 5 is caught only by the total.
  Load({206});
  Decimal();
  MoveCursor(1, 0, false);
  Type(U"5");
  EXPECT_EQ(Data()[0], 255);
  EXPECT_EQ(Host.Beeps, 6);
}

TEST_F(EditCommands, CharactersGoThroughTheWindows1252Table) {
  Load({0, 0, 0, 0, 0});
  CursorAt(0, true);
  Type(U"A\u20AC\u00E4\r");
  EXPECT_EQ(Data(), (Bytes{65, 0x80, 0xE4, 13, 0}));
  EXPECT_EQ(CursorOffset(), 4);
  EXPECT_TRUE(InCharArea(Cursor.CursorCol));
  Type(U"\u4E2D");  // no byte for it
  EXPECT_EQ(Host.Beeps, 1);
  EXPECT_EQ(Data()[4], 0);
  EXPECT_TRUE(ActionList().Item(0).CharColumn());
}

TEST_F(EditCommands, NothingHappensOnAnEmptyDocument) {
  Load({});
  Type(U"a");
  DoBackspace();
  DoDelete();
  EXPECT_EQ(Doc.DocSize, 0);
  EXPECT_FALSE(ActionList().CanUndo());
  EXPECT_EQ(Host.Beeps, 0);
  EXPECT_FALSE(View.Menus.Enabled.empty());  // the refresh ran all the same
}

TEST_F(EditCommands, BackspaceRemovesTheByteBeforeTheCursor) {
  Load({0, 1, 2, 3, 4, 5, 6}, {0, 0, 0, 0, 3, 0, 0});
  CursorAt(5);
  DoBackspace();
  EXPECT_EQ(Data(), (Bytes{0, 1, 2, 3, 5, 6}));
  EXPECT_EQ(CursorOffset(), 4);
  EXPECT_EQ(Cursor.CursorCol, 8);
  EXPECT_EQ(UndoCaption(), "&Undo (Back)");
  CursorAt(0);
  DoBackspace();  // at the first byte: nothing, and no beep
  EXPECT_EQ(Doc.DocSize, 6);
  EXPECT_EQ(Host.Beeps, 0);
  EditUndoMainMenuItemClick();
  EXPECT_EQ(Data(), (Bytes{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Marks(), (Bytes{0, 0, 0, 0, 3, 0, 0}));
}

TEST_F(EditCommands, DeleteKeepsTheDigitAndEndsOnTheNewLastByte) {
  Load({1, 2, 3});
  MoveCursor(3, 0, false);  // low digit of byte 1
  DoDelete();
  EXPECT_EQ(Data(), (Bytes{1, 3}));
  EXPECT_EQ(Cursor.CursorCol, 3);
  DoDelete();
  EXPECT_EQ(Data(), (Bytes{1}));
  EXPECT_EQ(CursorOffset(), 0);
  EXPECT_EQ(Cursor.CursorCol, 0);
  DoDelete();
  EXPECT_EQ(Doc.DocSize, 0);
  EXPECT_EQ(ActionList().Count(), 3);
  EditUndoMainMenuItemClick();
  EXPECT_EQ(Data(), (Bytes{1}));
}

TEST_F(EditCommands, InsertAtTheCursorAndUndoRestoresTheMarksBehindIt) {
  Load({1, 2, 3, 4, 5}, {0, 1, 2, 3, 4});
  MoveCursor(7, 0, false);  // low digit of byte 3
  DoInsert();
  EXPECT_EQ(Data(), (Bytes{1, 2, 3, 0, 4, 5}));
  EXPECT_EQ(Marks(), (Bytes{0, 1, 2, 0, 3, 4}));
  EXPECT_EQ(Cursor.CursorCol, 7);
  EditUndoMainMenuItemClick();
  EXPECT_EQ(Data(), (Bytes{1, 2, 3, 4, 5}));
  EXPECT_EQ(Marks(), (Bytes{0, 1, 2, 3, 4}));
  EXPECT_EQ(Doc.DataChangeCount, 0);
}

TEST_F(EditCommands, InsertAndAppendOnAnEmptyDocument) {
  Load({});
  DoInsert();
  EXPECT_EQ(Data(), (Bytes{0}));
  EXPECT_EQ(UndoCaption(), "&Undo (Insert)");
  DoAppendByte();
  EXPECT_EQ(Data(), (Bytes{0, 0}));
  EXPECT_EQ(CursorOffset(), 1);
  EXPECT_EQ(UndoCaption(), "&Undo (Append)");
  EXPECT_EQ(Doc.ActionGroupCounter, 2);
}

// An appended byte that opens a new row is still where the cursor goes.
TEST_F(EditCommands, AppendOntoANewRowPutsTheCursorOnIt) {
  Load(Bytes(16, 7));
  CursorAt(3, true);
  DoAppendByte();
  EXPECT_EQ(Doc.DocSize, 17);
  EXPECT_EQ(CursorOffset(), 16);
  EXPECT_TRUE(InCharArea(Cursor.CursorCol));
  EXPECT_EQ(Grid.RowCount, 2);
  Type(U"Z");
  EXPECT_EQ(Data()[16], 'Z');
}

TEST_F(EditCommands, TypingScrollsTheCursorIntoView) {
  Load(Bytes(16 * 20, 0));
  CursorAt(16 * 8 - 1);  // last byte of the last visible row
  EXPECT_EQ(TopRow(), 0);
  MoveCursor(31, 7, false);
  Type(U"1");
  EXPECT_EQ(CursorOffset(), 16 * 8);
  EXPECT_EQ(TopRow(), 1);
}

}  // namespace
}  // namespace undo_test
