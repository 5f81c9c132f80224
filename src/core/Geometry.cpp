#include "core/Geometry.h"

#include "core/Cursor.h"
#include "core/Globals.h"
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
  G.CharWidth = charWidth;
  G.CharHeight = charHeight;
  G.CellPadLeft = (charWidth - 1) / 2;
  G.CellPadRight = charWidth - G.CellPadLeft - 1;
  G.BytesPerRow = G.Hex ? 16 : 10;
  G.DigitsPerByte = G.Hex ? 2 : 3;
  G.RowCount = ComputeRowCount(G.DocSize, G.BytesPerRow);
  G.RowHeight = charHeight + 1;
  G.OffsetDigits = ComputeOffsetDigits(G.RowCount, G.BytesPerRow);
  G.OffsetTextWidth = G.OffsetDigits * charWidth;
  G.OffsetColumnWidth = G.CellPadLeft + G.OffsetTextWidth + G.CellPadRight + 1;
  G.ValueTextWidth = G.DigitsPerByte * charWidth;
  G.ValueCellWidth = G.CellPadLeft + G.ValueTextWidth + G.CellPadRight + 1;
  G.CharTextWidth = G.BytesPerRow * charWidth;
  G.CharColumnWidth = G.CellPadLeft + G.CharTextWidth + G.CellPadRight + 1;
}

TLayoutResult ComputeLayout(const TLayoutInput& in) {
  TLayoutResult r;
  const int32_t rowHeight = Max(G.RowHeight, 1);
  const int32_t n = (in.ProposedClientHeight - in.ToolbarHeight - in.StatusBarHeight - in.PanelFrame + 1) / rowHeight;
  // A window too low for a data row still shows one.
  r.VisibleRows = Max(n - 1, 1);
  r.DataBoxClientWidth = G.BytesPerRow * G.ValueCellWidth + G.CharColumnWidth - 1;
  r.DataBoxClientHeight = r.VisibleRows * rowHeight - 1;
  r.DataBoxWidth = r.DataBoxClientWidth + in.ScrollBarWidth;
  r.PanelWidth = r.DataBoxWidth + G.OffsetColumnWidth + in.PanelFrame;
  r.PanelHeight = r.DataBoxClientHeight + rowHeight + in.PanelFrame;
  r.ClientHeight = r.PanelHeight + in.ToolbarHeight + in.StatusBarHeight;
  return r;
}

void ApplyLayout(int32_t visibleRows) {
  G.VisibleRows = visibleRows;
  if (G.VertBar.Range != G.RowCount || G.VertBar.Page != G.VisibleRows) {
    int64_t p = TopRow();
    if (G.SwitchedToDec) {
      p = p * 16 / 10;
      G.SwitchedToDec = false;
    }
    if (G.SwitchedToHex) {
      p = p * 10 / 16;
      G.SwitchedToHex = false;
    }
    SetScrollParams(G.RowCount, G.VisibleRows, int32_t(p));
  }
  G.LastTopRow = TopRow();
  // After a mode switch the old column may name another digit of the same
  // byte, so the cursor is put on the first digit outright: typing must not
  // land in the byte's low nibble.
  if (G.PendingCursorRestore) PlaceCursorOnByte(G.PendingCursorOffset, G.PendingCursorInChars, true);
  EnsureCursorVisible();
  G.PendingCursorRestore = false;
}
