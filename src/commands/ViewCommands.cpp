#include "commands/ViewCommands.h"

#include "commands/UiState.h"
#include "core/Globals.h"
#include "core/Helpers.h"
#include "core/Seams.h"

namespace {

void SwitchMode(bool hex) {
  if (G.Hex == hex) return;
  (hex ? G.SwitchedToHex : G.SwitchedToDec) = true;
  // Taken before anything changes: the layout puts the cursor back on this
  // byte in this area once the rows have their new length.
  G.PendingCursorRestore = true;
  G.PendingCursorOffset = CursorOffset();
  G.PendingCursorInChars = G.CursorCol >= 0 && InCharArea(G.CursorCol);
  G.Hex = hex;
  G.BytesPerRow = hex ? 16 : 10;
  View().RequestLayout();
  UpdateMenus();
}

}  // namespace

void HexClick() { SwitchMode(true); }
void DecClick() { SwitchMode(false); }
