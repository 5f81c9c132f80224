#include "actions/BackspaceAction.h"

#include "actions/DocEdit.h"
#include "core/Cursor.h"
#include "core/DocState.h"

TBackspaceAction::TBackspaceAction(uint8_t kind, int32_t group, int32_t pos, bool charColumn) : TAction(kind, group) {
  FPos = pos;
  FCharColumn = charColumn;
}

// The removed byte is kept in FNewValue, its mark in FOldValue.
bool TBackspaceAction::DoAction() {
  if (!Doc.DocMarks || FPos < 1 || FPos >= Doc.DocSize) return true;
  RemoveByteAt(FPos - 1, FNewValue, FOldValue);
  CountChange(+1);
  FApplied = true;
  return true;
}

bool TBackspaceAction::UndoAction() {
  if (!FApplied || FPos < 1 || FPos - 1 > Doc.DocSize) return true;
  return ReinsertRemovedByte(FPos - 1);
}

// The byte that stood under the cursor is now one to the left.
void TBackspaceAction::SetDoActionCursorPos() { GotoOffset(FPos - 1, FCharColumn, false); }
