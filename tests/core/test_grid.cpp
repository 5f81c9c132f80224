// Geometry, the cell texts and colours of the grid, and the layout sums.
#include <gtest/gtest.h>

#include <cstring>

#include "core/CellPaint.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/Geometry.h"
#include "core/GridState.h"
#include "core/Rgb.h"
#include "fakes/FakeSeams.h"

namespace {

constexpr TRgb Red{255, 0, 0}, Green{0, 255, 0};

class GridLayout : public ::testing::Test {
 protected:
  TSeamFixture Seams;

  void Document(int32_t size) {
    Doc.DocSize = size;
    ResizeDocData(size);
    FreshDocMarks(size);
    for (int32_t i = 0; i < size; ++i) Doc.DocData[i] = uint8_t(i);
    Seams.View.RequestLayout();
  }
  static std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }
};

TEST_F(GridLayout, GeometryFollowsFontAndMode) {
  ComputeGeometry(8, 15);
  EXPECT_EQ(Grid.CellPadLeft, 3);
  EXPECT_EQ(Grid.CellPadRight, 4);
  EXPECT_EQ(Grid.RowHeight, 16);
  EXPECT_EQ(Grid.ValueCellWidth, 24);
  EXPECT_EQ(Grid.CharColumnWidth, 136);
  EXPECT_EQ(Grid.OffsetColumnWidth, 32);
  Grid.Hex = false;
  ComputeGeometry(7, 14);
  EXPECT_EQ(Grid.BytesPerRow, 10);
  EXPECT_EQ(Grid.DigitsPerByte, 3);
  EXPECT_EQ(Grid.ValueCellWidth, 28);
  EXPECT_EQ(Grid.CellPadLeft + Grid.CellPadRight + 1, Grid.CharWidth);
}

TEST_F(GridLayout, OffsetDigitsGrowWithTheRowCount) {
  EXPECT_EQ(ComputeOffsetDigits(0, 16), 3);
  EXPECT_EQ(ComputeOffsetDigits(1, 16), 3);
  EXPECT_EQ(ComputeOffsetDigits(256, 16), 3);
  EXPECT_EQ(ComputeOffsetDigits(257, 16), 4);
  EXPECT_EQ(ComputeOffsetDigits(4096, 16), 4);
  EXPECT_EQ(ComputeOffsetDigits(4097, 16), 5);
  EXPECT_EQ(ComputeOffsetDigits(1000, 10), 4);
  EXPECT_EQ(ComputeOffsetDigits(1001, 10), 5);
  EXPECT_EQ(ComputeOffsetDigits(INT32_MAX / 16 + 1, 16), 8);
  EXPECT_EQ(ComputeRowCount(INT32_MAX, 10), 214748365);
}

TEST_F(GridLayout, OffsetLabelsOfAFullFile) {
  Document(65536);
  EXPECT_EQ(Grid.OffsetDigits, 4);
  EXPECT_EQ(Narrow(OffsetText(0)), "0000");
  EXPECT_EQ(Narrow(OffsetText(4095)), "FFF0");
  Document(65537);
  EXPECT_EQ(Narrow(OffsetText(4096)), "10000");
}

TEST_F(GridLayout, FiveByteDocumentRowTexts) {
  Document(5);
  Cursor.CursorRow = 3;  // off the first row, so it is drawn as one text
  const TRowPaint row = DataBoxRow(0);
  ASSERT_FALSE(row.PerCell);
  std::string expected = " 00 01 02 03 04";
  for (int i = 5; i < 16; ++i) expected += "   ";
  expected += " " + std::string(16, ' ') + " ";
  EXPECT_EQ(Narrow(row.Text), expected);
  EXPECT_EQ(row.Text.size(), 66u);
  EXPECT_EQ(row.TextX, Grid.CellPadLeft - Grid.CharWidth);
  EXPECT_EQ(row.Back, clWhite);
  // Rows beyond the document are blank but still labelled.
  const std::vector<TCellSpec> panel = MainPanelCells();
  EXPECT_EQ(Narrow(panel[0].Text), "   ");
  EXPECT_EQ(Narrow(panel[1].Text), "000");
  EXPECT_EQ(Narrow(panel[2].Text), "010");
  EXPECT_EQ(Narrow(panel[3].Text), "020");
  EXPECT_EQ(Narrow(panel[size_t(1 + Grid.VisibleRows)].Text), " 0");
  EXPECT_EQ(Narrow(panel.back().Text), "0123456789ABCDEF    ");
}

TEST_F(GridLayout, DecimalCellsAndHeaders) {
  Grid.Hex = false;
  Document(12);
  EXPECT_EQ(Narrow(ValueText(11)), "011");
  EXPECT_EQ(Narrow(ValueText(12)), "   ");
  const std::vector<TCellSpec> panel = MainPanelCells();
  EXPECT_EQ(Narrow(panel[2].Text), "010");
  EXPECT_EQ(Narrow(panel[size_t(Grid.VisibleRows + 2)].Text), "  1");
  EXPECT_EQ(Narrow(panel.back().Text), "0123456789    ");
}

TEST_F(GridLayout, CursorDigitAndItsEcho) {
  Document(40);
  Doc.DocMarks[1] = 2;
  GotoOffset(1, false, false);
  Cursor.CursorCol = 3;  // low digit of byte 1
  TCellSpec cell = ValueCellSpec(1);
  EXPECT_EQ(cell.TextColors[0], clBlack);
  EXPECT_EQ(cell.BackColors[1], Green);
  EXPECT_EQ(cell.TextColors[1], clWhite);
  EXPECT_EQ(cell.BackColors[2], clBlack);
  TCellSpec chars = CharRowSpec(1);
  EXPECT_EQ(chars.TextColors[1], clWhite);
  EXPECT_EQ(chars.BackColors[2], (TRgb{0, 128, 0}));
  // Blinking off: the digit looks like its neighbours, the echo stays.
  Cursor.CursorBlinkOn = false;
  cell = ValueCellSpec(1);
  EXPECT_TRUE(cell.Uniform());
  EXPECT_EQ(CharRowSpec(1).BackColors[2], (TRgb{0, 128, 0}));
  // In the character area the whole value cell is the echo.
  Cursor.CursorBlinkOn = true;
  Cursor.CursorCol = 32 + 1;
  cell = ValueCellSpec(1);
  for (const TRgb& c : cell.BackColors) EXPECT_EQ(c, (TRgb{0, 128, 0}));
  for (const TRgb& c : cell.TextColors) EXPECT_EQ(c, clWhite);
  EXPECT_EQ(CharRowSpec(1).BackColors[2], clBlack);
}

TEST_F(GridLayout, MarkedRowsBandOrSplit) {
  Document(48);
  Cursor.CursorRow = 0;
  for (int i = 16; i < 32; ++i) Doc.DocMarks[i] = 2;
  TRowPaint row = DataBoxRow(1);
  EXPECT_FALSE(row.PerCell);
  EXPECT_EQ(row.Back, Green);
  EXPECT_TRUE(row.WhiteCharMargins);
  EXPECT_EQ(row.LeftMarginX, 16 * Grid.ValueCellWidth);
  EXPECT_EQ(row.LeftMarginW, Grid.CellPadLeft);
  EXPECT_EQ(row.RightMarginX + row.RightMarginW, 16 * Grid.ValueCellWidth + Grid.CharColumnWidth);
  Doc.DocMarks[20] = 1;
  row = DataBoxRow(1);
  ASSERT_TRUE(row.PerCell);
  ASSERT_EQ(row.Cells.size(), 17u);
  EXPECT_EQ(row.Cells[4].BackColors[1], Red);
  EXPECT_EQ(row.Cells[5].BackColors[1], Green);
  const TCellSpec& chars = row.Cells[16];
  EXPECT_EQ(chars.BackColors.front(), clWhite);
  EXPECT_EQ(chars.BackColors.back(), clWhite);
  EXPECT_EQ(chars.BackColors[5], Red);
  // The cursor row is always drawn cell by cell.
  EXPECT_TRUE(DataBoxRow(0).PerCell);
}

TEST_F(GridLayout, CellsBeyondTheEndAreBlankOnWhite) {
  Document(5);
  const TCellSpec cell = ValueCellSpec(9);
  EXPECT_EQ(Narrow(cell.Text), "  ");
  EXPECT_EQ(cell.BackColors[1], clWhite);
  EXPECT_EQ(cell.X, 9 * Grid.ValueCellWidth);
  EXPECT_EQ(cell.Width(), Grid.ValueCellWidth);
}

TEST_F(GridLayout, OnlyRowsInTheRectangleArePainted) {
  Document(1000);
  EXPECT_EQ(RowsMeeting(0, 0), std::vector<int32_t>{0});
  EXPECT_EQ(RowsMeeting(16, 40), (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(RowsMeeting(15, 16), (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(RowsMeeting(10000, 20000).size(), 0u);
  const std::vector<int32_t> xs = GridLineXs();
  EXPECT_EQ(xs.front(), -1);
  EXPECT_EQ(xs[16], 16 * Grid.ValueCellWidth - 1);
  EXPECT_EQ(xs.back(), 16 * Grid.ValueCellWidth + Grid.CharColumnWidth - 1);
}

TEST_F(GridLayout, LayoutSnapsToWholeRows) {
  ComputeGeometry(8, 15);
  TLayoutInput in{400, 30, 20, 2, 16};
  TLayoutResult r = ComputeLayout(in);
  EXPECT_EQ(r.VisibleRows, (400 - 30 - 20 - 2 + 1) / 16 - 1);
  EXPECT_EQ(r.DataBoxClientWidth, 16 * 24 + 136 - 1);
  EXPECT_EQ(r.DataBoxClientHeight, r.VisibleRows * 16 - 1);
  EXPECT_EQ(r.PanelWidth, r.DataBoxClientWidth + 16 + Grid.OffsetColumnWidth + 2);
  EXPECT_EQ(r.ClientHeight, r.PanelHeight + 50);
  // Any height inside the same row count gives the same snapped height.
  for (int h = r.ClientHeight; h < r.ClientHeight + 16; ++h) {
    in.ProposedClientHeight = h;
    EXPECT_EQ(ComputeLayout(in).ClientHeight, r.ClientHeight) << h;
  }
  in.ProposedClientHeight = 10;
  EXPECT_EQ(ComputeLayout(in).VisibleRows, 1);
}

}  // namespace
