#include "actions/ReplaceAction.h"

#include <cstring>
#include <new>

#include "actions/DocEdit.h"
#include "core/Globals.h"
#include "core/Texts.h"

TReplaceAction::TReplaceAction(uint8_t kind, int32_t group, int32_t pos, bool charColumn, TByteRun search,
                               TByteRun replacement)
    : TAction(kind, group) {
  FPos = pos;
  FCharColumn = charColumn;
  FCount2 = replacement.Length;
  FBuffer2.assign(replacement.Data, replacement.Data + replacement.Length);
  if (pos < 0 || !G.DocData || int64_t(pos) + search.Length > G.DocSize) return;
  FCount = search.Length;
  FBuffer.assign(G.DocData + pos, G.DocData + pos + FCount);
}

namespace {

// Replaces the oldLength bytes at pos by newBytes. Marks of the first
// min(old, new) bytes stay. A shortening keeps the marks of the bytes it
// removes in *removedMarks (when given); a lengthening gives the added bytes
// the marks of *addedMarks (when given), else none. Every allocation comes
// first: std::bad_alloc leaves the document as it was.
void ReplaceRun(int32_t pos, int32_t oldLength, const std::vector<uint8_t>& newBytes,
                std::vector<uint8_t>* removedMarks, const std::vector<uint8_t>* addedMarks) {
  const int64_t newLength = int64_t(newBytes.size());
  const int64_t oldEnd = int64_t(pos) + oldLength;
  const int64_t newEnd = int64_t(pos) + newLength;
  const int64_t tail = G.DocSize - oldEnd;
  const int64_t newSize = int64_t(G.DocSize) - oldLength + newLength;
  if (newLength > oldLength) {
    GrowDocBuffers(newSize);
    MoveDocBytes(oldEnd, newEnd, tail);
    const int64_t added = newLength - oldLength;
    if (addedMarks && int64_t(addedMarks->size()) == added)
      std::memcpy(G.DocMarks + oldEnd, addedMarks->data(), size_t(added));
    else
      std::memset(G.DocMarks + oldEnd, 0, size_t(added));
  } else if (newLength < oldLength) {
    if (removedMarks) *removedMarks = CopyBlock(G.DocMarks + newEnd, oldLength - newLength);
    MoveDocBytes(oldEnd, newEnd, tail);
    FitDocBuffers(newSize);
  }
  if (newLength > 0) std::memcpy(G.DocData + pos, newBytes.data(), size_t(newLength));
  G.DocSize = int32_t(newSize);
}

}  // namespace

bool TReplaceAction::DoAction() {
  if (FCount == 0 || FPos < 0 || !G.DocData || int64_t(FPos) + FCount > G.DocSize) return true;
  try {
    ReplaceRun(FPos, FCount, FBuffer2, &FRemovedMarks, nullptr);
  } catch (const std::bad_alloc&) {
    FCount = 0;
    ReportMemoryFailure(TxtNotEnoughMemoryCloseApplication());
    return false;
  }
  CountChange(+1);
  FApplied = true;
  return true;
}

// The same exchange backwards; the bytes a shortening removed come back with
// the marks they had.
bool TReplaceAction::UndoAction() {
  if (!FApplied || FCount == 0 || FPos < 0 || int64_t(FPos) + FCount2 > G.DocSize) return true;
  try {
    ReplaceRun(FPos, FCount2, FBuffer, nullptr, &FRemovedMarks);
  } catch (const std::bad_alloc&) {
    FCount = 0;
    ReportMemoryFailure(TxtNotEnoughMemoryCloseApplication());
    return false;
  }
  CountChange(-1);
  FApplied = false;
  return true;
}
