// The grid's display mode and geometry: bytes per row, cell sizes, the rows
// and the scroll bar, as the last layout left them. One instance, Grid.
#pragma once

#include <cstdint>

// The vertical scroll bar of the data area as the program sees it: whole rows,
// 32-bit positions, no scaling. The widget only mirrors it.
struct TVeskScrollBar {
  int32_t Range = 0;
  int32_t Page = 0;
  int32_t Position = 0;
};

struct TGridState {
  // Display mode and cell geometry (start values before the first layout).
  bool Hex = true;
  int32_t BytesPerRow = 0;
  int32_t DigitsPerByte = 1;
  int32_t CharWidth = 0;
  int32_t CharHeight = 0;
  int32_t RowHeight = 1;
  int32_t CellPadLeft = 0;
  int32_t CellPadRight = 0;
  int32_t RowCount = 0;
  int32_t OffsetDigits = 3;
  int32_t OffsetTextWidth = 0;
  int32_t OffsetColumnWidth = 0;
  int32_t ValueTextWidth = 1;
  int32_t ValueCellWidth = 1;
  int32_t CharTextWidth = 1;
  int32_t CharColumnWidth = 1;
  int32_t VisibleRows = 0;
  int32_t LastTopRow = 0;
  TVeskScrollBar VertBar;

  // A mode switch converts the scroll position at the next layout.
  bool SwitchedToHex = false;
  bool SwitchedToDec = false;
};

extern TGridState Grid;

// The first visible row: the scroll bar's position.
inline int32_t TopRow() { return Grid.VertBar.Position; }
