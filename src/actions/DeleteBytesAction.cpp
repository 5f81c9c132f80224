#include "actions/DeleteBytesAction.h"

#include <cstring>
#include <new>

#include "actions/DocEdit.h"
#include "core/Globals.h"
#include "core/Texts.h"

TDeleteBytesAction::TDeleteBytesAction(uint8_t kind, int32_t group, int32_t pos, int32_t count, bool charColumn)
    : TAction(kind, group) {
  FPos = pos;
  FCharColumn = charColumn;
  if (pos < 0 || pos >= G.DocSize || count <= 0 || !G.DocData || !G.DocMarks) return;
  const int64_t rest = int64_t(G.DocSize) - pos;
  FCount = int32_t(count < rest ? count : rest);
  try {
    FBuffer = CopyBlock(G.DocData + pos, FCount);
    // An unmarked run (the usual case) keeps no copy of its marks: undo
    // then only has to see that the marks are 0.
    if (AnyMark(G.DocMarks, pos, FCount)) FBuffer2 = CopyBlock(G.DocMarks + pos, FCount);
  } catch (const std::bad_alloc&) {
    FBuffer.clear();
    FBuffer.shrink_to_fit();
    FCount = 0;
    ReportMemoryFailure(TxtNotEnoughMemory());
  }
}

bool TDeleteBytesAction::DoAction() {
  if (FCount <= 0 || !G.DocMarks || FPos < 0 || int64_t(FPos) + FCount > G.DocSize) return true;
  const int64_t after = int64_t(FPos) + FCount;
  // The history holds the run's marks only when it had any; otherwise the
  // run's place needs no clearing once the tail has moved over it.
  MoveDocBytes(after, FPos, G.DocSize - after, FBuffer2.empty());
  G.DocSize -= FCount;
  FitDocBuffers(G.DocSize);
  CountChange(+1);
  FApplied = true;
  return true;
}

bool TDeleteBytesAction::UndoAction() {
  if (!FApplied || FCount <= 0 || FPos < 0 || FPos > G.DocSize) return true;
  try {
    GrowDocBuffers(int64_t(G.DocSize) + FCount);
  } catch (const std::bad_alloc&) {
    FCount = 0;
    ReportMemoryFailure(TxtNotEnoughMemoryPleaseClose());
    return false;
  }
  MoveDocBytes(FPos, int64_t(FPos) + FCount, int64_t(G.DocSize) - FPos);
  std::memcpy(G.DocData + FPos, FBuffer.data(), size_t(FCount));
  if (FBuffer2.empty())
    ClearMarks(G.DocMarks, FPos, FCount);
  else
    std::memcpy(G.DocMarks + FPos, FBuffer2.data(), size_t(FCount));
  G.DocSize += FCount;
  CountChange(-1);
  FApplied = false;
  return true;
}
