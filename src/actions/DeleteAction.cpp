#include "actions/DeleteAction.h"

#include "actions/DocEdit.h"
#include "core/DocState.h"

TDeleteAction::TDeleteAction(uint8_t kind, int32_t group, int32_t pos, bool charColumn) : TAction(kind, group) {
  FPos = pos;
  FCharColumn = charColumn;
}

// The removed byte is kept in FNewValue, its mark in FOldValue.
bool TDeleteAction::DoAction() {
  if (!Doc.DocMarks || FPos < 0 || FPos >= Doc.DocSize) return true;
  RemoveByteAt(FPos, FNewValue, FOldValue);
  CountChange(+1);
  FApplied = true;
  return true;
}

bool TDeleteAction::UndoAction() {
  if (!FApplied || FPos < 0 || FPos > Doc.DocSize) return true;
  return ReinsertRemovedByte(FPos);
}
