#include "actions/ReplaceAction.h"

#include <cstring>
#include <new>

#include "actions/DocEdit.h"
#include "actions/ReplaceSweep.h"
#include "core/DocState.h"
#include "core/Texts.h"

TReplaceAction::TReplaceAction(uint8_t kind, int32_t group, int32_t pos, bool charColumn, TByteRun search,
                               TByteRun replacement)
    : TAction(kind, group) {
  FPos = pos;
  FCharColumn = charColumn;
  FCount2 = replacement.Length;
  FBuffer2.assign(replacement.Data, replacement.Data + replacement.Length);
  if (pos < 0 || !Doc.DocData || int64_t(pos) + search.Length > Doc.DocSize) return;
  FCount = search.Length;
  FBuffer.assign(Doc.DocData + pos, Doc.DocData + pos + FCount);
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
  const int64_t tail = Doc.DocSize - oldEnd;
  const int64_t newSize = int64_t(Doc.DocSize) - oldLength + newLength;
  if (newLength > oldLength) {
    GrowDocBuffers(newSize);
    MoveDocBytes(oldEnd, newEnd, tail);
    const int64_t added = newLength - oldLength;
    if (addedMarks && int64_t(addedMarks->size()) == added)
      std::memcpy(Doc.DocMarks + oldEnd, addedMarks->data(), size_t(added));
    else
      std::memset(Doc.DocMarks + oldEnd, 0, size_t(added));
  } else if (newLength < oldLength) {
    if (removedMarks) *removedMarks = CopyBlock(Doc.DocMarks + newEnd, oldLength - newLength);
    MoveDocBytes(oldEnd, newEnd, tail);
    FitDocBuffers(newSize);
  }
  if (newLength > 0) std::memcpy(Doc.DocData + pos, newBytes.data(), size_t(newLength));
  Doc.DocSize = int32_t(newSize);
}

}  // namespace

bool TReplaceAction::DoAction() {
  if (FCount == 0 || FPos < 0 || !Doc.DocData || int64_t(FPos) + FCount > Doc.DocSize) return true;
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
  if (!FApplied || FCount == 0 || FPos < 0 || int64_t(FPos) + FCount2 > Doc.DocSize) return true;
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

std::unique_ptr<TReplaceAction> TReplaceAction::Performed(uint8_t kind, int32_t group, int32_t pos, bool charColumn,
                                                          std::vector<uint8_t> oldBytes, TByteRun replacement,
                                                          std::vector<uint8_t> removedMarks) {
  auto action = std::make_unique<TReplaceAction>(kind, group, -1, charColumn, TByteRun(), replacement);
  action->FPos = pos;
  action->FCount = int32_t(oldBytes.size());
  action->FBuffer = std::move(oldBytes);
  action->FRemovedMarks = std::move(removedMarks);
  action->FApplied = true;
  return action;
}

namespace {

// Undoing a forward run goes backwards through the document and the other
// way round; the direction follows the first two positions.
bool Descending(TReplaceAction* const* actions, size_t count) {
  return count < 2 || actions[1]->Pos() <= actions[0]->Pos();
}

}  // namespace

bool TReplaceAction::UndoRun(TReplaceAction* const* actions, size_t count, size_t& processed) {
  try {
    return UndoRunInPlace(actions, count, processed);
  } catch (const std::bad_alloc&) {
    return FailedToWriteOut(count, processed);
  }
}

bool TReplaceAction::RedoRun(TReplaceAction* const* actions, size_t count, size_t& processed) {
  try {
    return RedoRunInPlace(actions, count, processed);
  } catch (const std::bad_alloc&) {
    return FailedToWriteOut(count, processed);
  }
}

// Writing the edits out could not grow the buffers (they were granted to
// the hook, so the system refused): the document is as it stood before the
// edits not yet written, and the history goes.
bool TReplaceAction::FailedToWriteOut(size_t count, size_t& processed) {
  processed = count;
  ReportMemoryFailure(TxtNotEnoughMemoryCloseApplication());
  return false;
}

bool TReplaceAction::UndoRunInPlace(TReplaceAction* const* actions, size_t count, size_t& processed) {
  TReplaceSweep sweep(Descending(actions, count));
  processed = 0;
  for (size_t i = 0; i < count; ++i) {
    TReplaceAction& a = *actions[i];
    processed = i + 1;
    // The guard of UndoAction, against the document as far as it is done.
    if (!a.FApplied || a.FCount == 0 || a.FPos < 0 || int64_t(a.FPos) + a.FCount2 > sweep.Size()) continue;
    if (!sweep.Fits(a.FPos, a.FCount2, a.FCount)) sweep.Flush();
    if (!sweep.Allocate(a.FCount2, a.FCount, false)) {
      sweep.Flush();
      a.FCount = 0;
      ReportMemoryFailure(TxtNotEnoughMemoryCloseApplication());
      return false;
    }
    const bool marksFit = a.FCount > a.FCount2 && a.FRemovedMarks.size() == size_t(a.FCount - a.FCount2);
    sweep.Edit(a.FPos, a.FCount2, a.FBuffer.data(), a.FCount, marksFit ? a.FRemovedMarks.data() : nullptr, nullptr,
               nullptr);
    CountChange(-1);
    a.FApplied = false;
  }
  sweep.Flush();
  return true;
}

bool TReplaceAction::RedoRunInPlace(TReplaceAction* const* actions, size_t count, size_t& processed) {
  TReplaceSweep sweep(Descending(actions, count));
  processed = 0;
  for (size_t i = 0; i < count; ++i) {
    TReplaceAction& a = *actions[i];
    processed = i + 1;
    if (a.FCount == 0 || a.FPos < 0 || sweep.Size() <= 0 || int64_t(a.FPos) + a.FCount > sweep.Size()) continue;
    if (!sweep.Fits(a.FPos, a.FCount, a.FCount2)) sweep.Flush();
    if (!sweep.Allocate(a.FCount, a.FCount2, true)) {
      sweep.Flush();
      a.FCount = 0;
      ReportMemoryFailure(TxtNotEnoughMemoryCloseApplication());
      return false;
    }
    sweep.Edit(a.FPos, a.FCount, a.FBuffer2.data(), a.FCount2, nullptr, nullptr,
               a.FCount2 < a.FCount ? &a.FRemovedMarks : nullptr);
    CountChange(+1);
    a.FApplied = true;
  }
  sweep.Flush();
  return true;
}
