#include "core/Cursor.h"

#include "core/Globals.h"
#include "core/Helpers.h"
#include "core/Seams.h"
#include "core/StatusBar.h"

void SetScrollParams(int32_t range, int32_t page, int32_t position) {
  G.VertBar.Range = range;
  G.VertBar.Page = page;
  // The window system clamps to 0 after the program clamps to range - page.
  G.VertBar.Position = Max(Min(position, range - page), 0);
  View().ScrollBarChanged();
}

void SetScrollPosition(int32_t position) {
  SetScrollParams(G.VertBar.Range, G.VertBar.Page, position);
  OnVertScroll();
}

void HandleScroll(TScrollCode code, int32_t trackPosition) {
  const int32_t p = TopRow();
  switch (code) {
    case TScrollCode::LineUp: SetScrollPosition(p - 1); break;
    case TScrollCode::LineDown: SetScrollPosition(p + 1); break;
    case TScrollCode::PageUp: SetScrollPosition(p - G.VertBar.Page); break;
    case TScrollCode::PageDown: SetScrollPosition(p + G.VertBar.Page); break;
    case TScrollCode::ThumbTrack: SetScrollPosition(trackPosition); break;
    case TScrollCode::Top: SetScrollPosition(0); break;
    case TScrollCode::Bottom: SetScrollPosition(G.VertBar.Range - G.VertBar.Page); break;
    case TScrollCode::ThumbPosition:
    case TScrollCode::EndScroll: break;
  }
}

void OnVertScroll() {
  const int64_t rows = int64_t(G.LastTopRow) - TopRow();
  if (rows != 0) {
    // Beyond a screenful nothing survives the shift: repaint everything.
    if (rows >= G.VisibleRows || -rows >= G.VisibleRows) {
      View().InvalidateDataBox();
      View().InvalidateMainPanel();
      View().FlushPaint();
    } else {
      View().ScrollDataBox(int32_t(rows * G.RowHeight));
    }
  }
  G.LastTopRow = TopRow();
}

void EnsureCursorVisible() {
  if (G.CursorRow < 0) return;
  if (G.CursorRow < TopRow())
    SetScrollPosition(G.CursorRow);
  else if (int64_t(G.CursorRow) > int64_t(TopRow()) + G.VisibleRows - 1)
    SetScrollPosition(G.CursorRow - G.VisibleRows + 1);
}

bool RowOfOffsetVisible(int32_t offset) {
  const int64_t first = int64_t(TopRow()) * G.BytesPerRow;
  const int64_t end = (int64_t(TopRow()) + G.VisibleRows) * G.BytesPerRow;
  return offset >= first && offset < end;
}

void DrawValueCell(int32_t offset) {
  if (!RowOfOffsetVisible(offset)) return;
  const int32_t x = (offset % G.BytesPerRow) * G.ValueCellWidth;
  const int32_t y = int32_t((offset - int64_t(TopRow()) * G.BytesPerRow) / G.BytesPerRow) * G.RowHeight;
  View().UpdateDataBoxRect(x, y, G.ValueCellWidth, G.RowHeight);
}

void DrawCharRow(int32_t offset) {
  if (!RowOfOffsetVisible(offset)) return;
  const int32_t s = offset - offset % G.BytesPerRow;
  const int32_t x = G.BytesPerRow * G.ValueCellWidth;
  const int32_t y = int32_t((s - int64_t(TopRow()) * G.BytesPerRow) / G.BytesPerRow) * G.RowHeight;
  View().UpdateDataBoxRect(x, y, G.CharColumnWidth, G.RowHeight);
}

void RedrawCursorCells() {
  DrawValueCell(CursorOffset());
  DrawCharRow(CursorOffset());
}

// Painting happens later, from the state at that moment, so hiding the cursor
// needs no trick here: the old cells are simply repainted after it has moved.
void DrawCursorCells(bool /*show*/, bool withChars) {
  const int32_t c = G.CursorCol, r = G.CursorRow;
  if (c < 0 || G.BytesPerRow <= 0) return;
  if (c / G.DigitsPerByte < G.BytesPerRow) {
    const int32_t offset = CellOffset(c, r);
    DrawValueCell(offset);
    if (withChars) DrawCharRow(offset);
  } else {
    DrawValueCell(CellOffset(c, r));
    DrawCharRow(CellOffset(c, r));
  }
}

void MoveCursor(int32_t col, int32_t row, bool redraw) {
  G.CursorBlinkOn = true;
  View().RestartCursorTimer();
  col = Max(Min(col, (G.DigitsPerByte + 1) * G.BytesPerRow - 1), 0);
  row = Max(Min(row, G.RowCount - 1), 0);
  if (CellOffset(col, row) >= G.DocSize) {
    const int32_t rest = G.BytesPerRow > 0 ? G.DocSize % G.BytesPerRow : 0;
    if (InCharArea(col))
      col = rest + G.BytesPerRow * G.DigitsPerByte - 1;
    else
      col = rest * G.DigitsPerByte - 1;
  }
  if (col != G.CursorCol || row != G.CursorRow) {
    if (redraw) DrawCursorCells(false, row != G.CursorRow);
    G.CursorCol = col;
    G.CursorRow = row;
    if (redraw) DrawCursorCells(true, true);
  }
  EnsureCursorVisible();
  UpdateStatusBar();
}

void PlaceCursorOnByte(int32_t offset, bool inChars, bool redraw) {
  // Before the first layout there are no rows yet.
  const int32_t perRow = Max(G.BytesPerRow, 1);
  const int32_t col = inChars ? offset % perRow + G.BytesPerRow * G.DigitsPerByte : (offset % perRow) * G.DigitsPerByte;
  MoveCursor(col, offset / perRow, redraw);
}

void GotoOffset(int32_t offset, bool inChars, bool redraw) {
  G.CursorBlinkOn = true;
  View().RestartCursorTimer();
  const bool onIt = G.CursorCol >= 0 && CursorOffset() == offset && InCharArea(G.CursorCol) == inChars;
  if (!onIt) {
    PlaceCursorOnByte(offset, inChars, redraw);
    return;
  }
  RedrawCursorCells();
  EnsureCursorVisible();
}

TCell PixelToCell(int32_t x, int32_t y) {
  TCell cell;
  cell.Row = int32_t(int64_t(TopRow()) + y / Max(G.RowHeight, 1));
  int32_t rest, steps;
  if (x < G.BytesPerRow * G.ValueCellWidth) {
    const int32_t k = x / G.ValueCellWidth;
    cell.Col = k * G.DigitsPerByte;
    rest = x - k * G.ValueCellWidth;
    steps = G.DigitsPerByte - 1;
  } else {
    cell.Col = G.BytesPerRow * G.DigitsPerByte;
    rest = x - G.BytesPerRow * G.ValueCellWidth;
    steps = G.BytesPerRow - 1;
  }
  if (rest >= G.CellPadLeft) {
    int32_t g = rest - G.CellPadLeft;
    for (int32_t taken = 0; g >= G.CharWidth && taken < steps; ++taken) {
      ++cell.Col;
      g -= G.CharWidth;
    }
  }
  return cell;
}

TCell TargetUp() { return {G.CursorCol, G.CursorRow - 1}; }
TCell TargetDown() { return {G.CursorCol, G.CursorRow + 1}; }
TCell TargetPageUp() { return {G.CursorCol, G.CursorRow - G.VisibleRows}; }
TCell TargetPageDown() {
  const int64_t row = int64_t(G.CursorRow) + G.VisibleRows;
  return {G.CursorCol, int32_t(row > INT32_MAX ? INT32_MAX : row)};
}

TCell TargetHome() { return {InCharArea(G.CursorCol) ? G.BytesPerRow * G.DigitsPerByte : 0, 0}; }

TCell TargetEnd() {
  return {InCharArea(G.CursorCol) ? (G.DigitsPerByte + 1) * G.BytesPerRow - 1 : G.BytesPerRow * G.DigitsPerByte - 1,
          G.RowCount};
}

TCell TargetTab() {
  const int32_t valueColumns = G.BytesPerRow * G.DigitsPerByte;
  if (InCharArea(G.CursorCol)) return {G.DigitsPerByte * (G.CursorCol - valueColumns), G.CursorRow};
  return {Max(G.CursorCol, 0) / G.DigitsPerByte + valueColumns, G.CursorRow};
}

TCell TargetRight() {
  const int32_t valueColumns = G.BytesPerRow * G.DigitsPerByte;
  const int32_t lastColumn = (G.DigitsPerByte + 1) * G.BytesPerRow - 1;
  const bool rowEnd = G.CursorCol == valueColumns - 1 || G.CursorCol == lastColumn;
  // From the end of the last row there is nowhere to go; wrapping into the
  // clamped row would throw the cursor back to that row's start.
  if (rowEnd && G.CursorRow >= G.RowCount - 1) return {G.CursorCol, G.CursorRow};
  if (G.CursorCol == valueColumns - 1) return {0, G.CursorRow + 1};
  if (G.CursorCol == lastColumn) return {valueColumns, G.CursorRow + 1};
  return {G.CursorCol + 1, G.CursorRow};
}

bool TargetLeft(TCell& target) {
  const int32_t valueColumns = G.BytesPerRow * G.DigitsPerByte;
  const bool chars = InCharArea(G.CursorCol);
  const int32_t firstColumn = chars ? valueColumns : 0;
  if (G.CursorCol > firstColumn) {
    target = {G.CursorCol - 1, G.CursorRow};
    return true;
  }
  if (G.CursorRow <= 0) return false;
  target = {chars ? (G.DigitsPerByte + 1) * G.BytesPerRow - 1 : valueColumns - 1, G.CursorRow - 1};
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
  G.CursorBlinkOn = !G.CursorBlinkOn;
  DrawCursorCells(true, true);
}
