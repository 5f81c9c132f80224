#include "commands/ViewCommands.h"

#include "commands/UiState.h"
#include "core/CursorState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/Seams.h"

namespace {

void SwitchMode(bool hex) {
  if (Grid.Hex == hex) return;
  (hex ? Grid.SwitchedToHex : Grid.SwitchedToDec) = true;
  // Taken before anything changes: the layout puts the cursor back on this
  // byte in this area once the rows have their new length.
  Cursor.PendingCursorRestore = true;
  Cursor.PendingCursorOffset = CursorOffset();
  Cursor.PendingCursorInChars = Cursor.CursorCol >= 0 && InCharArea(Cursor.CursorCol);
  Grid.Hex = hex;
  Grid.BytesPerRow = hex ? 16 : 10;
  View().RequestLayout();
  UpdateMenus();
}

}  // namespace

void HexClick() { SwitchMode(true); }
void DecClick() { SwitchMode(false); }
