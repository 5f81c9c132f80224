#include "actions/EditAction.h"

#include "actions/DocEdit.h"
#include "core/Cursor.h"
#include "core/DocState.h"

TEditAction::TEditAction(uint8_t kind, int32_t group, int32_t pos, bool charColumn, uint8_t newValue)
    : TAction(kind, group) {
  FPos = pos;
  FCharColumn = charColumn;
  FNewValue = newValue;
}

namespace {
bool OnByte(int32_t pos) { return Doc.DocData && pos >= 0 && pos < Doc.DocSize; }
}  // namespace

bool TEditAction::DoAction() {
  if (!OnByte(FPos)) return true;
  FOldValue = Doc.DocData[FPos];
  Doc.DocData[FPos] = FNewValue;
  CountChange(+1);
  FApplied = true;
  return true;
}

bool TEditAction::UndoAction() {
  if (!FApplied || !OnByte(FPos)) return true;
  Doc.DocData[FPos] = FOldValue;
  CountChange(-1);
  FApplied = false;
  return true;
}

// The cursor usually stands on the byte already; GotoOffset then keeps the
// digit and redraws the cells.
void TEditAction::SetDoActionCursorPos() { GotoOffset(FPos, FCharColumn, false); }
bool TEditAction::SizeChanged() const { return false; }
