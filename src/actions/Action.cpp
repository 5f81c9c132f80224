#include "actions/Action.h"

#include <new>

#include "actions/DocEdit.h"
#include "core/Cursor.h"
#include "core/DocState.h"
#include "core/Seams.h"
#include "core/Texts.h"

TAction::TAction(uint8_t kind, int32_t group) : FKind(kind), FGroup(group) {}

bool TAction::DoAction() { return true; }
bool TAction::UndoAction() { return true; }

void TAction::GotoClampedPos() const {
  const int32_t last = Doc.DocSize - 1;
  GotoOffset(FPos < last ? FPos : last, FCharColumn, false);
}

void TAction::SetDoActionCursorPos() { GotoClampedPos(); }
void TAction::SetUndoActionCursorPos() { GotoClampedPos(); }
bool TAction::SizeChanged() const { return true; }

bool TAction::ReinsertRemovedByte(int32_t at) {
  try {
    InsertByteAt(at, FNewValue, FOldValue);
  } catch (const std::bad_alloc&) {
    ReportMemoryFailure(TxtNotEnoughMemoryPleaseClose());
    return false;
  }
  CountChange(-1);
  FApplied = false;
  View().FlushPaint();
  return true;
}
