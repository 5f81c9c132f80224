// Where the cursor stands (a column of digits or characters and a row), its
// blink, the mouse, and the byte a mode switch puts it back on. One
// instance, Cursor.
#pragma once

#include <cstdint>

struct TCursorState {
  int32_t CursorCol = 0;
  int32_t CursorRow = 0;
  bool CursorBlinkOn = true;
  int32_t MouseX = -1;
  int32_t MouseY = -1;

  // Taken before a mode switch, used by the layout that follows it.
  bool PendingCursorRestore = false;
  bool PendingCursorInChars = false;
  int32_t PendingCursorOffset = 0;
};

extern TCursorState Cursor;
