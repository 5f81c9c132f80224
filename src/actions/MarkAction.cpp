#include "actions/MarkAction.h"

#include "core/Cursor.h"
#include "core/DocState.h"

TMarkAction::TMarkAction(uint8_t kind, int32_t group, int32_t pos, bool charColumn, uint8_t newMark)
    : TAction(kind, group) {
  FPos = pos;
  FCharColumn = charColumn;
  FNewValue = newMark;
}

namespace {
bool OnMark(int32_t pos) { return Doc.DocMarks && pos >= 0 && pos < Doc.DocSize; }
}  // namespace

// The old mark is taken again at every DoAction: a redo finds the document
// exactly as the undo left it.
bool TMarkAction::DoAction() {
  if (!OnMark(FPos)) return true;
  FOldValue = Doc.DocMarks[FPos];
  Doc.DocMarks[FPos] = FNewValue;
  FApplied = true;
  return true;
}

bool TMarkAction::UndoAction() {
  if (!FApplied || !OnMark(FPos)) return true;
  Doc.DocMarks[FPos] = FOldValue;
  FApplied = false;
  return true;
}

// Nothing else repaints a mark change, so the cursor move redraws its cells.
void TMarkAction::SetDoActionCursorPos() { GotoOffset(FPos, FCharColumn, true); }
void TMarkAction::SetUndoActionCursorPos() { GotoOffset(FPos, FCharColumn, true); }
bool TMarkAction::SizeChanged() const { return false; }
