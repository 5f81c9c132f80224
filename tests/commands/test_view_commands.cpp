// The switch between hexadecimal and decimal rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "commands/EditCommands.h"
#include "commands/ViewCommands.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "fakes/FakeSeams.h"

namespace {

class ViewCommands : public ::testing::Test {
 protected:
  TSeamFixture Seams;
  void SetUp() override {
    Doc.DocSize = 100000;
    ResizeDocData(Doc.DocSize);
    FreshDocMarks(Doc.DocSize);
    Seams.View.RequestLayout();
  }
};

TEST_F(ViewCommands, DecimalKeepsTheCursorByteInView) {
  GotoOffset(1000, false, true);
  Cursor.CursorCol += 1;  // low digit
  DecClick();
  EXPECT_FALSE(Grid.Hex);
  EXPECT_EQ(Grid.BytesPerRow, 10);
  EXPECT_EQ(Grid.DigitsPerByte, 3);
  EXPECT_EQ(CursorOffset(), 1000);
  EXPECT_EQ(Cursor.CursorCol, 0);  // first digit of the byte
  EXPECT_GE(Cursor.CursorRow, TopRow());
  EXPECT_LT(Cursor.CursorRow, TopRow() + Grid.VisibleRows);
  EXPECT_FALSE(Cursor.PendingCursorRestore);
  EXPECT_TRUE(Seams.View.Menus.Checked["OptionDecMainMenuItem"]);
  EXPECT_FALSE(Seams.View.Menus.Checked["OptionHexMainMenuItem"]);
}

TEST_F(ViewCommands, TheScrollPositionIsConvertedAndTheAreaKept) {
  SetScrollPosition(1000);  // bytes 16000 on top
  GotoOffset(16005, true, true);
  DecClick();
  EXPECT_EQ(TopRow(), 1600);
  EXPECT_EQ(CursorOffset(), 16005);
  EXPECT_TRUE(InCharArea(Cursor.CursorCol));
  HexClick();
  EXPECT_EQ(TopRow(), 1000);
  EXPECT_EQ(CursorOffset(), 16005);
  EXPECT_FALSE(Grid.SwitchedToDec || Grid.SwitchedToHex);
}

// Typing right after a switch starts at the byte's first digit, whichever
// digit the old mode's column would name in the new one.
TEST_F(ViewCommands, TypingAfterASwitchStartsAtTheFirstDigit) {
  std::fill(Doc.DocData, Doc.DocData + 3, uint8_t(0));
  GotoOffset(0, false, true);
  DecClick();
  for (char32_t c : std::u32string(U"066")) FormKeyPress(c);
  HexClick();
  for (char32_t c : std::u32string(U"7f")) FormKeyPress(c);
  EXPECT_EQ(Doc.DocData[0], 0x42);
  EXPECT_EQ(Doc.DocData[1], 0x7F);
  EXPECT_EQ(Doc.DocData[2], 0x00);
}

TEST_F(ViewCommands, SwitchingToTheCurrentModeDoesNothing) {
  const int layouts = Seams.View.Layouts;
  HexClick();
  EXPECT_EQ(Seams.View.Layouts, layouts);
  EXPECT_TRUE(Grid.Hex);
}

}  // namespace
