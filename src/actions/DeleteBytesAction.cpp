#include "actions/DeleteBytesAction.h"

#include <cstring>
#include <new>

#include "actions/DocEdit.h"
#include "core/DocState.h"
#include "core/Texts.h"

TDeleteBytesAction::TDeleteBytesAction(uint8_t kind, int32_t group, int32_t pos, int32_t count, bool charColumn)
    : TAction(kind, group) {
  FPos = pos;
  FCharColumn = charColumn;
  if (pos < 0 || pos >= Doc.DocSize || count <= 0 || !Doc.DocData || !Doc.DocMarks) return;
  const int64_t rest = int64_t(Doc.DocSize) - pos;
  FCount = int32_t(count < rest ? count : rest);
  try {
    FBuffer = CopyBlock(Doc.DocData + pos, FCount);
    // An unmarked run (the usual case) keeps no copy of its marks: undo
    // then only has to see that the marks are 0.
    if (AnyMark(Doc.DocMarks, pos, FCount)) FBuffer2 = CopyBlock(Doc.DocMarks + pos, FCount);
  } catch (const std::bad_alloc&) {
    FBuffer.clear();
    FBuffer.shrink_to_fit();
    FCount = 0;
    ReportMemoryFailure(TxtNotEnoughMemory());
  }
}

bool TDeleteBytesAction::DoAction() {
  if (FCount <= 0 || !Doc.DocMarks || FPos < 0 || int64_t(FPos) + FCount > Doc.DocSize) return true;
  const int64_t after = int64_t(FPos) + FCount;
  // The history holds the run's marks only when it had any; otherwise the
  // run's place needs no clearing once the tail has moved over it.
  MoveDocBytes(after, FPos, Doc.DocSize - after, FBuffer2.empty());
  Doc.DocSize -= FCount;
  FitDocBuffers(Doc.DocSize);
  CountChange(+1);
  FApplied = true;
  return true;
}

bool TDeleteBytesAction::UndoAction() {
  if (!FApplied || FCount <= 0 || FPos < 0 || FPos > Doc.DocSize) return true;
  try {
    GrowDocBuffers(int64_t(Doc.DocSize) + FCount);
  } catch (const std::bad_alloc&) {
    FCount = 0;
    ReportMemoryFailure(TxtNotEnoughMemoryPleaseClose());
    return false;
  }
  MoveDocBytes(FPos, int64_t(FPos) + FCount, int64_t(Doc.DocSize) - FPos);
  std::memcpy(Doc.DocData + FPos, FBuffer.data(), size_t(FCount));
  if (FBuffer2.empty())
    ClearMarks(Doc.DocMarks, FPos, FCount);
  else
    std::memcpy(Doc.DocMarks + FPos, FBuffer2.data(), size_t(FCount));
  Doc.DocSize += FCount;
  CountChange(-1);
  FApplied = false;
  return true;
}
