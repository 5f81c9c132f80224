// Placing the cursor and moving the view. Every part that jumps somewhere
// goes through GotoOffset or MoveCursor; the screen follows through the view.
#pragma once

#include <cstdint>

#include "core/Geometry.h"

// The scroll bar model. SetScrollParams clamps (position to range - page,
// then to 0) and mirrors the bar without a change event; SetScrollPosition
// does the same and then scrolls the view (OnVertScroll).
void SetScrollParams(int32_t range, int32_t page, int32_t position);
void SetScrollPosition(int32_t position);

// The mouse wheel over the data area: three rows a notch (a notch is 120
// eighths of a degree; finer wheels add up), moving the view as the scroll
// bar does while the cursor stays. Takes the delta not used before and
// returns what is left of it.
constexpr int32_t WheelRowsPerNotch = 3;
int32_t WheelScroll(int32_t delta);

enum class TScrollCode { LineUp, LineDown, PageUp, PageDown, ThumbTrack, Top, Bottom, ThumbPosition, EndScroll };
void HandleScroll(TScrollCode code, int32_t trackPosition);

// The scroll handler: shifts the pixels by the rows scrolled since last time.
void OnVertScroll();

// Every move ends with the view's CursorMoved, which the status bar (and
// whatever else shows the cursor's byte) follows.
void MoveCursor(int32_t col, int32_t row, bool redraw);
// Keeps the digit when the cursor already stands on that byte in that area.
void GotoOffset(int32_t offset, bool inChars, bool redraw);
// Always on the byte's first digit (or its character).
void PlaceCursorOnByte(int32_t offset, bool inChars, bool redraw);
void EnsureCursorVisible();
void RedrawCursorCells();
void DrawCursorCells(bool show, bool withChars);

// Cell redraws: the rectangle of one value cell, or of the character column
// of a row, is repainted when its row is visible.
bool RowOfOffsetVisible(int32_t offset);
void DrawValueCell(int32_t offset);
void DrawCharRow(int32_t offset);

// Navigation targets: each returns the (col, row) handed to MoveCursor.
TCell TargetUp();
TCell TargetDown();
TCell TargetPageUp();
TCell TargetPageDown();
TCell TargetHome();
TCell TargetEnd();
TCell TargetTab();
TCell TargetRight();
// Left at the very start does nothing at all: returns false.
bool TargetLeft(TCell& target);

void DoUp();
void DoDown();
void DoPageUp();
void DoPageDown();
void DoLeft();
void DoRight();
void DoHome();
void DoEnd();
void DoTab();

// The blink: toggle the phase and redraw the cursor's cells.
void CursorBlink();

// Steps 3, 8 and 9 of the layout: hand the new range and page to the scroll
// bar (converting the position after a mode switch), restore the cursor after
// a mode switch and keep it visible. Call after ComputeGeometry with the new
// VisibleRows.
void ApplyLayout(int32_t visibleRows);
