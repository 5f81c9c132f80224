#include "core/Cursor.h"

#include <algorithm>
#include <cstdint>

#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/Seams.h"

void SetScrollParams(int32_t range, int32_t page, int32_t position) {
  Grid.VertBar.Range = range;
  Grid.VertBar.Page = page;
  // The window system clamps to 0 after the program clamps to range - page.
  Grid.VertBar.Position = Max(Min(position, range - page), 0);
  View().ScrollBarChanged();
}

void SetScrollPosition(int32_t position) {
  SetScrollParams(Grid.VertBar.Range, Grid.VertBar.Page, position);
  OnVertScroll();
}

int32_t WheelScroll(int32_t delta) {
  const int32_t notches = delta / 120;
  if (notches != 0) {
    const int64_t target = int64_t(TopRow()) - int64_t(notches) * WheelRowsPerNotch;
    SetScrollPosition(int32_t(std::clamp<int64_t>(target, 0, INT32_MAX)));
  }
  return delta - notches * 120;
}

void HandleScroll(TScrollCode code, int32_t trackPosition) {
  const int32_t p = TopRow();
  switch (code) {
    case TScrollCode::LineUp: SetScrollPosition(p - 1); break;
    case TScrollCode::LineDown: SetScrollPosition(p + 1); break;
    case TScrollCode::PageUp: SetScrollPosition(p - Grid.VertBar.Page); break;
    case TScrollCode::PageDown: SetScrollPosition(p + Grid.VertBar.Page); break;
    case TScrollCode::ThumbTrack: SetScrollPosition(trackPosition); break;
    case TScrollCode::Top: SetScrollPosition(0); break;
    case TScrollCode::Bottom: SetScrollPosition(Grid.VertBar.Range - Grid.VertBar.Page); break;
    case TScrollCode::ThumbPosition:
    case TScrollCode::EndScroll: break;
  }
}

void OnVertScroll() {
  const int64_t rows = int64_t(Grid.LastTopRow) - TopRow();
  if (rows != 0) {
    // Beyond a screenful nothing survives the shift: repaint everything.
    if (rows >= Grid.VisibleRows || -rows >= Grid.VisibleRows) {
      View().InvalidateDataBox();
      View().InvalidateMainPanel();
      View().FlushPaint();
    } else {
      View().ScrollDataBox(int32_t(rows * Grid.RowHeight));
    }
  }
  Grid.LastTopRow = TopRow();
}

void EnsureCursorVisible() {
  if (Cursor.CursorRow < 0) return;
  if (Cursor.CursorRow < TopRow())
    SetScrollPosition(Cursor.CursorRow);
  else if (int64_t(Cursor.CursorRow) > int64_t(TopRow()) + Grid.VisibleRows - 1)
    SetScrollPosition(Cursor.CursorRow - Grid.VisibleRows + 1);
}

bool RowOfOffsetVisible(int32_t offset) {
  const int64_t first = int64_t(TopRow()) * Grid.BytesPerRow;
  const int64_t end = (int64_t(TopRow()) + Grid.VisibleRows) * Grid.BytesPerRow;
  return offset >= first && offset < end;
}

void DrawValueCell(int32_t offset) {
  if (!RowOfOffsetVisible(offset)) return;
  const int32_t x = (offset % Grid.BytesPerRow) * Grid.ValueCellWidth;
  const int32_t y = int32_t((offset - int64_t(TopRow()) * Grid.BytesPerRow) / Grid.BytesPerRow) * Grid.RowHeight;
  View().UpdateDataBoxRect(x, y, Grid.ValueCellWidth, Grid.RowHeight);
}

void DrawCharRow(int32_t offset) {
  if (!RowOfOffsetVisible(offset)) return;
  const int32_t s = offset - offset % Grid.BytesPerRow;
  const int32_t x = Grid.BytesPerRow * Grid.ValueCellWidth;
  const int32_t y = int32_t((s - int64_t(TopRow()) * Grid.BytesPerRow) / Grid.BytesPerRow) * Grid.RowHeight;
  View().UpdateDataBoxRect(x, y, Grid.CharColumnWidth, Grid.RowHeight);
}

void RedrawCursorCells() {
  DrawValueCell(CursorOffset());
  DrawCharRow(CursorOffset());
}

// Painting happens later, from the state at that moment, so hiding the cursor
// needs no trick here: the old cells are simply repainted after it has moved.
void DrawCursorCells(bool /*show*/, bool withChars) {
  const int32_t c = Cursor.CursorCol, r = Cursor.CursorRow;
  if (c < 0 || Grid.BytesPerRow <= 0) return;
  if (c / Grid.DigitsPerByte < Grid.BytesPerRow) {
    const int32_t offset = CellOffset(c, r);
    DrawValueCell(offset);
    if (withChars) DrawCharRow(offset);
  } else {
    DrawValueCell(CellOffset(c, r));
    DrawCharRow(CellOffset(c, r));
  }
}

void MoveCursor(int32_t col, int32_t row, bool redraw) {
  Cursor.CursorBlinkOn = true;
  View().RestartCursorTimer();
  col = Max(Min(col, (Grid.DigitsPerByte + 1) * Grid.BytesPerRow - 1), 0);
  row = Max(Min(row, Grid.RowCount - 1), 0);
  if (CellOffset(col, row) >= Doc.DocSize) {
    const int32_t rest = Grid.BytesPerRow > 0 ? Doc.DocSize % Grid.BytesPerRow : 0;
    if (InCharArea(col))
      col = rest + Grid.BytesPerRow * Grid.DigitsPerByte - 1;
    else
      col = rest * Grid.DigitsPerByte - 1;
  }
  if (col != Cursor.CursorCol || row != Cursor.CursorRow) {
    if (redraw) DrawCursorCells(false, row != Cursor.CursorRow);
    Cursor.CursorCol = col;
    Cursor.CursorRow = row;
    if (redraw) DrawCursorCells(true, true);
  }
  EnsureCursorVisible();
  View().CursorMoved();
}

void PlaceCursorOnByte(int32_t offset, bool inChars, bool redraw) {
  // Before the first layout there are no rows yet.
  const int32_t perRow = Max(Grid.BytesPerRow, 1);
  const int32_t col =
      inChars ? offset % perRow + Grid.BytesPerRow * Grid.DigitsPerByte : (offset % perRow) * Grid.DigitsPerByte;
  MoveCursor(col, offset / perRow, redraw);
}

void GotoOffset(int32_t offset, bool inChars, bool redraw) {
  Cursor.CursorBlinkOn = true;
  View().RestartCursorTimer();
  const bool onIt = Cursor.CursorCol >= 0 && CursorOffset() == offset && InCharArea(Cursor.CursorCol) == inChars;
  if (!onIt) {
    PlaceCursorOnByte(offset, inChars, redraw);
    return;
  }
  RedrawCursorCells();
  EnsureCursorVisible();
}

TCell TargetUp() { return {Cursor.CursorCol, Cursor.CursorRow - 1}; }
TCell TargetDown() { return {Cursor.CursorCol, Cursor.CursorRow + 1}; }
TCell TargetPageUp() { return {Cursor.CursorCol, Cursor.CursorRow - Grid.VisibleRows}; }
TCell TargetPageDown() {
  const int64_t row = int64_t(Cursor.CursorRow) + Grid.VisibleRows;
  return {Cursor.CursorCol, int32_t(row > INT32_MAX ? INT32_MAX : row)};
}

TCell TargetHome() { return {InCharArea(Cursor.CursorCol) ? Grid.BytesPerRow * Grid.DigitsPerByte : 0, 0}; }

TCell TargetEnd() {
  return {InCharArea(Cursor.CursorCol) ? (Grid.DigitsPerByte + 1) * Grid.BytesPerRow - 1
                                       : Grid.BytesPerRow * Grid.DigitsPerByte - 1,
          Grid.RowCount};
}

TCell TargetTab() {
  const int32_t valueColumns = Grid.BytesPerRow * Grid.DigitsPerByte;
  if (InCharArea(Cursor.CursorCol)) return {Grid.DigitsPerByte * (Cursor.CursorCol - valueColumns), Cursor.CursorRow};
  return {Max(Cursor.CursorCol, 0) / Grid.DigitsPerByte + valueColumns, Cursor.CursorRow};
}

TCell TargetRight() {
  const int32_t valueColumns = Grid.BytesPerRow * Grid.DigitsPerByte;
  const int32_t lastColumn = (Grid.DigitsPerByte + 1) * Grid.BytesPerRow - 1;
  const bool rowEnd = Cursor.CursorCol == valueColumns - 1 || Cursor.CursorCol == lastColumn;
  // From the end of the last row there is nowhere to go; wrapping into the
  // clamped row would throw the cursor back to that row's start.
  if (rowEnd && Cursor.CursorRow >= Grid.RowCount - 1) return {Cursor.CursorCol, Cursor.CursorRow};
  if (Cursor.CursorCol == valueColumns - 1) return {0, Cursor.CursorRow + 1};
  if (Cursor.CursorCol == lastColumn) return {valueColumns, Cursor.CursorRow + 1};
  return {Cursor.CursorCol + 1, Cursor.CursorRow};
}

bool TargetLeft(TCell& target) {
  const int32_t valueColumns = Grid.BytesPerRow * Grid.DigitsPerByte;
  const bool chars = InCharArea(Cursor.CursorCol);
  const int32_t firstColumn = chars ? valueColumns : 0;
  if (Cursor.CursorCol > firstColumn) {
    target = {Cursor.CursorCol - 1, Cursor.CursorRow};
    return true;
  }
  if (Cursor.CursorRow <= 0) return false;
  target = {chars ? (Grid.DigitsPerByte + 1) * Grid.BytesPerRow - 1 : valueColumns - 1, Cursor.CursorRow - 1};
  return true;
}

namespace {
void MoveTo(TCell c) { MoveCursor(c.Col, c.Row, true); }
}  // namespace

void DoUp() { MoveTo(TargetUp()); }
void DoDown() { MoveTo(TargetDown()); }
void DoPageUp() { MoveTo(TargetPageUp()); }
void DoPageDown() { MoveTo(TargetPageDown()); }
void DoHome() { MoveTo(TargetHome()); }
void DoEnd() { MoveTo(TargetEnd()); }
void DoTab() { MoveTo(TargetTab()); }

void DoRight() { MoveTo(TargetRight()); }

void DoLeft() {
  TCell target;
  if (TargetLeft(target)) MoveTo(target);
}

void CursorBlink() {
  Cursor.CursorBlinkOn = !Cursor.CursorBlinkOn;
  DrawCursorCells(true, true);
}

void ApplyLayout(int32_t visibleRows) {
  Grid.VisibleRows = visibleRows;
  if (Grid.VertBar.Range != Grid.RowCount || Grid.VertBar.Page != Grid.VisibleRows) {
    int64_t p = TopRow();
    if (Grid.SwitchedToDec) {
      p = p * 16 / 10;
      Grid.SwitchedToDec = false;
    }
    if (Grid.SwitchedToHex) {
      p = p * 10 / 16;
      Grid.SwitchedToHex = false;
    }
    SetScrollParams(Grid.RowCount, Grid.VisibleRows, int32_t(p));
  }
  Grid.LastTopRow = TopRow();
  // After a mode switch the old column may name another digit of the same
  // byte, so the cursor is put on the first digit outright: typing must not
  // land in the byte's low nibble.
  if (Cursor.PendingCursorRestore) PlaceCursorOnByte(Cursor.PendingCursorOffset, Cursor.PendingCursorInChars, true);
  EnsureCursorVisible();
  Cursor.PendingCursorRestore = false;
}
