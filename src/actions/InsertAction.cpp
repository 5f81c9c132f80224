#include "actions/InsertAction.h"

#include <new>

#include "actions/DocEdit.h"
#include "core/DocState.h"
#include "core/Texts.h"

TInsertAction::TInsertAction(uint8_t kind, int32_t group, int32_t pos, bool charColumn) : TAction(kind, group) {
  FPos = pos;
  FCharColumn = charColumn;
}

// The buffers grow before anything moves, so running out of memory (or out
// of 32-bit offsets) leaves the document as it was.
bool TInsertAction::DoAction() {
  if (FPos < 0 || FPos > Doc.DocSize) return true;
  try {
    InsertByteAt(FPos, 0, 0);
  } catch (const std::bad_alloc&) {
    ReportMemoryFailure(TxtNotEnoughMemory());
    return false;
  }
  CountChange(+1);
  FApplied = true;
  return true;
}

bool TInsertAction::UndoAction() {
  if (!FApplied || !Doc.DocMarks || FPos < 0 || FPos >= Doc.DocSize) return true;
  uint8_t byte, mark;
  RemoveByteAt(FPos, byte, mark);
  CountChange(-1);
  FApplied = false;
  return true;
}
