// Cursor placement, navigation targets, the scroll bar model and the mouse.
#include <gtest/gtest.h>

#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "core/StatusBar.h"
#include "fakes/FakeSeams.h"

namespace {

class CursorMoves : public ::testing::Test {
 protected:
  TSeamFixture Seams;

  void Document(int32_t size, bool hex = true) {
    Grid.Hex = hex;
    Doc.DocSize = size;
    ResizeDocData(size);
    FreshDocMarks(size);
    for (int32_t i = 0; i < size; ++i) Doc.DocData[i] = uint8_t(i * 7);
    Seams.View.RequestLayout();
    MoveCursor(0, 0, false);
  }
  void At(int32_t col, int32_t row) {
    Cursor.CursorCol = col;
    Cursor.CursorRow = row;
  }
};

TEST_F(CursorMoves, RightAndLeftAcrossRowEnds) {
  Document(100);
  At(31, 3);
  DoRight();
  EXPECT_EQ(Cursor.CursorCol, 0);
  EXPECT_EQ(Cursor.CursorRow, 4);
  DoLeft();
  EXPECT_EQ(Cursor.CursorCol, 31);
  EXPECT_EQ(Cursor.CursorRow, 3);
  At(47, 1);
  DoRight();
  EXPECT_EQ(Cursor.CursorCol, 32);
  EXPECT_EQ(Cursor.CursorRow, 2);
  DoLeft();
  EXPECT_EQ(Cursor.CursorCol, 47);
  EXPECT_EQ(Cursor.CursorRow, 1);
}

TEST_F(CursorMoves, LeftAtTheStartAndUpInRowZero) {
  Document(100);
  At(0, 0);
  DoLeft();
  EXPECT_EQ(Cursor.CursorCol, 0);
  EXPECT_EQ(Cursor.CursorRow, 0);
  At(32, 0);
  DoLeft();
  EXPECT_EQ(Cursor.CursorCol, 32);
  At(5, 0);
  DoUp();
  EXPECT_EQ(Cursor.CursorCol, 5);
  EXPECT_EQ(Cursor.CursorRow, 0);
}

TEST_F(CursorMoves, DownIntoAPartlyFilledRowLandsOnTheLastByte) {
  Document(20);
  At(10, 0);  // byte 5
  DoDown();
  EXPECT_EQ(CursorOffset(), 19);
  EXPECT_EQ(Cursor.CursorCol, 7);  // last digit of byte 19
  At(32 + 5, 0);
  DoDown();
  EXPECT_EQ(CursorOffset(), 19);
  EXPECT_EQ(Cursor.CursorCol, 32 + 3);
}

TEST_F(CursorMoves, RightOnTheLastByteStays) {
  for (int32_t size : {30, 32}) {
    Document(size);
    DoEnd();
    const int32_t col = Cursor.CursorCol, row = Cursor.CursorRow;
    EXPECT_EQ(CursorOffset(), size - 1);
    DoRight();
    EXPECT_EQ(Cursor.CursorCol, col) << size;
    EXPECT_EQ(Cursor.CursorRow, row) << size;
    DoTab();
    const int32_t charCol = Cursor.CursorCol;
    DoRight();
    EXPECT_EQ(Cursor.CursorCol, charCol) << size;
    EXPECT_EQ(CursorOffset(), size - 1);
  }
}

TEST_F(CursorMoves, HomeEndAndTabKeepTheArea) {
  Document(100);
  At(32 + 7, 3);
  DoEnd();
  EXPECT_EQ(CursorOffset(), 99);
  EXPECT_TRUE(InCharArea(Cursor.CursorCol));
  DoHome();
  EXPECT_EQ(CursorOffset(), 0);
  EXPECT_EQ(Cursor.CursorCol, 32);
  At(15, 0);  // low digit of byte 7
  DoTab();
  EXPECT_EQ(Cursor.CursorCol, 32 + 7);
  DoTab();
  EXPECT_EQ(Cursor.CursorCol, 14);
}

TEST_F(CursorMoves, EmptyDocumentHasNoCursorByte) {
  Document(0);
  EXPECT_EQ(Cursor.CursorCol, -1);
  EXPECT_EQ(Cursor.CursorRow, 0);
  EXPECT_EQ(CursorOffset(), 0);
  DoDown();
  DoRight();
  EXPECT_EQ(Cursor.CursorCol, -1);
  EXPECT_EQ(PositionPanelText(), "");
}

TEST_F(CursorMoves, PagingScrollsJustEnough) {
  Document(16 * 1000);
  EXPECT_EQ(TopRow(), 0);
  DoPageDown();
  EXPECT_EQ(Cursor.CursorRow, Grid.VisibleRows);
  EXPECT_EQ(TopRow(), 1);
  EXPECT_FALSE(Seams.View.Scrolls.empty());
  DoPageUp();
  EXPECT_EQ(Cursor.CursorRow, 0);
  EXPECT_EQ(TopRow(), 0);
}

TEST_F(CursorMoves, ScrollBarMovesTheViewNotTheCursor) {
  Document(10'000'000);
  EXPECT_EQ(Grid.VertBar.Range, 625000);
  HandleScroll(TScrollCode::ThumbTrack, 625000);
  EXPECT_EQ(TopRow(), 625000 - Grid.VisibleRows);
  EXPECT_EQ(Cursor.CursorRow, 0);
  HandleScroll(TScrollCode::LineUp, 0);
  EXPECT_EQ(TopRow(), 625000 - Grid.VisibleRows - 1);
  HandleScroll(TScrollCode::Top, 0);
  EXPECT_EQ(TopRow(), 0);
  HandleScroll(TScrollCode::LineUp, 0);
  EXPECT_EQ(TopRow(), 0);
  // Small scrolls shift pixels by whole rows.
  Seams.View.Scrolls.clear();
  HandleScroll(TScrollCode::LineDown, 0);
  ASSERT_EQ(Seams.View.Scrolls.size(), 1u);
  EXPECT_EQ(Seams.View.Scrolls[0], -Grid.RowHeight);
  // The next cursor key brings the cursor back into view.
  HandleScroll(TScrollCode::Bottom, 0);
  DoDown();
  EXPECT_EQ(TopRow(), 1);
  EXPECT_EQ(Cursor.CursorRow, 1);
}

// The wheel: three rows a notch, finer deltas adding up, the view stopping
// at both ends and the cursor staying where it is.
TEST_F(CursorMoves, TheWheelScrollsTheViewNotTheCursor) {
  Document(10'000'000);
  const struct {
    int32_t Delta, Rest, Top;
  } steps[] = {
      {-120, 0, 3},
      {-360, 0, 12},
      {-60, -60, 12},
      {-60, 0, 15},
      {240, 0, 9},
      {1200, 0, 0},
      {-10 * 120 * 625000, 0, 625000 - Grid.VisibleRows},
  };
  int32_t rest = 0;
  for (const auto& s : steps) {
    rest = WheelScroll(rest + s.Delta);
    EXPECT_EQ(rest, s.Rest) << s.Delta;
    EXPECT_EQ(TopRow(), s.Top) << s.Delta;
    EXPECT_EQ(Cursor.CursorRow, 0);
    EXPECT_EQ(Cursor.CursorCol, 0);
  }
}

TEST_F(CursorMoves, MoveRedrawsOnlyTheOldAndNewCells) {
  Document(100);
  Seams.View.CellRects.clear();
  MoveCursor(2, 1, true);
  // Old value cell and char row, new value cell and char row.
  ASSERT_EQ(Seams.View.CellRects.size(), 4u);
  EXPECT_EQ(Seams.View.CellRects[0].X, 0);
  EXPECT_EQ(Seams.View.CellRects[0].W, Grid.ValueCellWidth);
  EXPECT_EQ(Seams.View.CellRects[2].X, Grid.ValueCellWidth);
  EXPECT_EQ(Seams.View.CellRects[2].Y, Grid.RowHeight);
  EXPECT_EQ(Seams.View.CellRects[3].X, 16 * Grid.ValueCellWidth);
  EXPECT_EQ(Seams.View.CellRects[3].W, Grid.CharColumnWidth);
}

TEST_F(CursorMoves, PixelToCellHonoursMargins) {
  Document(100);
  const int32_t w = Grid.ValueCellWidth;
  EXPECT_EQ(PixelToCell(0, 0).Col, 0);                     // left margin: first digit
  EXPECT_EQ(PixelToCell(w + Grid.CellPadLeft, 0).Col, 2);  // first digit of byte 1
  EXPECT_EQ(PixelToCell(w + Grid.CellPadLeft + Grid.CharWidth, 0).Col, 3);
  EXPECT_EQ(PixelToCell(2 * w - 1, 0).Col, 3);  // right margin: last digit
  EXPECT_EQ(PixelToCell(16 * w, 0).Col, 32);    // char column's left margin
  EXPECT_EQ(PixelToCell(16 * w + Grid.CharColumnWidth - 1, 0).Col, 47);
  EXPECT_EQ(PixelToCell(5, 3 * Grid.RowHeight + 2).Row, 3);
  Grid.Hex = false;
  Document(100, false);
  EXPECT_EQ(PixelToCell(Grid.ValueCellWidth - 1, 0).Col, 2);
}

TEST_F(CursorMoves, GotoOffsetKeepsTheDigitWhenAlreadyThere) {
  Document(100);
  At(21, 0);  // low digit of byte 10
  GotoOffset(10, false, true);
  EXPECT_EQ(Cursor.CursorCol, 21);
  GotoOffset(10, true, true);
  EXPECT_EQ(Cursor.CursorCol, 32 + 10);
  GotoOffset(99, false, true);
  EXPECT_EQ(Cursor.CursorRow, 6);
  EXPECT_EQ(Cursor.CursorCol, 6);
}

TEST_F(CursorMoves, StatusPanels) {
  Document(400);
  Doc.DocData[300] = 65;
  GotoOffset(300, false, false);
  EXPECT_EQ(Seams.View.Panels[0], "Pos: 300 $12C");
  EXPECT_EQ(Seams.View.Panels[1], "Val: 65 $41 01000001 \"A\"");
  Doc.DocData[300] = 128;
  EXPECT_EQ(ValuePanelText(), "Val: 128 $80 10000000");
  Doc.DocData[300] = 146;
  Options.Language = 7;
  EXPECT_EQ(ValuePanelText(), "Wert: 146 $92 10010010 \"’\"");
  // Pointer 31 bytes before the cursor.
  const int32_t o = 300 - 31;
  Cursor.MouseX = (o % 16) * Grid.ValueCellWidth + 1;
  Cursor.MouseY = (o / 16 - TopRow()) * Grid.RowHeight + 1;
  EXPECT_EQ(DistancePanelText(), "Dist: -31 -$1F");
  Cursor.MouseX = -1;
  EXPECT_EQ(DistancePanelText(), "");
}

}  // namespace
