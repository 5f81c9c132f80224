#include "core/Geometry.h"

#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/Helpers.h"

int32_t ComputeRowCount(int64_t docSize, int32_t bytesPerRow) {
  if (bytesPerRow <= 0 || docSize <= 0) return 0;
  return int32_t((docSize + bytesPerRow - 1) / bytesPerRow);
}

int32_t ComputeOffsetDigits(int32_t rowCount, int32_t bytesPerRow) {
  if (rowCount <= 0 || bytesPerRow < 2) return 3;
  // The ceiling of the logarithm, counted exactly: the smallest k with
  // bytesPerRow^k >= rowCount.
  int32_t k = 0;
  for (int64_t power = 1; power < rowCount; power *= bytesPerRow) ++k;
  return Max(3, k + 1);
}

void ComputeGeometry(int32_t charWidth, int32_t charHeight) {
  Grid.CharWidth = charWidth;
  Grid.CharHeight = charHeight;
  Grid.CellPadLeft = (charWidth - 1) / 2;
  Grid.CellPadRight = charWidth - Grid.CellPadLeft - 1;
  Grid.BytesPerRow = Grid.Hex ? 16 : 10;
  Grid.DigitsPerByte = Grid.Hex ? 2 : 3;
  Grid.RowCount = ComputeRowCount(Doc.DocSize, Grid.BytesPerRow);
  Grid.RowHeight = charHeight + 1;
  Grid.OffsetDigits = ComputeOffsetDigits(Grid.RowCount, Grid.BytesPerRow);
  Grid.OffsetTextWidth = Grid.OffsetDigits * charWidth;
  Grid.OffsetColumnWidth = Grid.CellPadLeft + Grid.OffsetTextWidth + Grid.CellPadRight + 1;
  Grid.ValueTextWidth = Grid.DigitsPerByte * charWidth;
  Grid.ValueCellWidth = Grid.CellPadLeft + Grid.ValueTextWidth + Grid.CellPadRight + 1;
  Grid.CharTextWidth = Grid.BytesPerRow * charWidth;
  Grid.CharColumnWidth = Grid.CellPadLeft + Grid.CharTextWidth + Grid.CellPadRight + 1;
}

TLayoutResult ComputeLayout(const TLayoutInput& in) {
  TLayoutResult r;
  const int32_t rowHeight = Max(Grid.RowHeight, 1);
  const int32_t n = (in.ProposedClientHeight - in.ToolbarHeight - in.StatusBarHeight - in.PanelFrame + 1) / rowHeight;
  // A window too low for a data row still shows one.
  r.VisibleRows = Max(n - 1, 1);
  r.DataBoxClientWidth = Grid.BytesPerRow * Grid.ValueCellWidth + Grid.CharColumnWidth - 1;
  r.DataBoxClientHeight = r.VisibleRows * rowHeight - 1;
  r.DataBoxWidth = r.DataBoxClientWidth + in.ScrollBarWidth;
  r.PanelWidth = r.DataBoxWidth + Grid.OffsetColumnWidth + in.PanelFrame;
  r.PanelHeight = r.DataBoxClientHeight + rowHeight + in.PanelFrame;
  r.ClientHeight = r.PanelHeight + in.ToolbarHeight + in.StatusBarHeight;
  return r;
}

TCell PixelToCell(int32_t x, int32_t y) {
  TCell cell;
  cell.Row = int32_t(int64_t(TopRow()) + y / Max(Grid.RowHeight, 1));
  int32_t rest, steps;
  if (x < Grid.BytesPerRow * Grid.ValueCellWidth) {
    const int32_t k = x / Grid.ValueCellWidth;
    cell.Col = k * Grid.DigitsPerByte;
    rest = x - k * Grid.ValueCellWidth;
    steps = Grid.DigitsPerByte - 1;
  } else {
    cell.Col = Grid.BytesPerRow * Grid.DigitsPerByte;
    rest = x - Grid.BytesPerRow * Grid.ValueCellWidth;
    steps = Grid.BytesPerRow - 1;
  }
  if (rest >= Grid.CellPadLeft) {
    int32_t g = rest - Grid.CellPadLeft;
    for (int32_t taken = 0; g >= Grid.CharWidth && taken < steps; ++taken) {
      ++cell.Col;
      g -= Grid.CharWidth;
    }
  }
  return cell;
}
