#include "commands/FindCommands.h"

#include "commands/UiState.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/FindState.h"
#include "core/Helpers.h"
#include "core/Seams.h"
#include "core/Search.h"

namespace {

// The cursor goes to the match and stays in its area; the view scrolls there.
void GotoMatchOrBeep(int32_t p) {
  if (p >= 0)
    GotoOffset(p, Cursor.CursorCol >= 0 && InCharArea(Cursor.CursorCol), true);
  else
    Beep(TBeepReason::NotFound);
}

}  // namespace

int32_t FindFrom(int32_t start, bool backward) {
  const TFindState& s = FindState();
  if (Doc.DocSize <= 0 || !Doc.DocData) return -1;
  return FindBytes(Doc.DocData, Doc.DocSize, s.FindData.Buf().data(), s.FindData.Len(), s.CaseCB, start, backward);
}

void FindMainMenuItemClick() {
  TFindState& s = FindState();
  s.SetMode(TFindMode::Find);
  if (Host().ShowFindDialog(TFindMode::Find) == mrOk) {
    const bool backward = s.DirectionUpRB;
    const int32_t start = s.BeginCursorRB ? CursorOffset() : backward ? Doc.DocSize - 1 : 0;
    GotoMatchOrBeep(FindFrom(start, backward));
  }
  UpdateMenus();
}

void FindNextMainMenuItemClick() {
  // One after the cursor: an overlapping match further on is found too.
  GotoMatchOrBeep(FindFrom(CursorOffset() + 1, false));
  UpdateMenus();
}

void FindPreviousMainMenuItemClick() {
  GotoMatchOrBeep(FindFrom(CursorOffset() - 1, true));
  UpdateMenus();
}
