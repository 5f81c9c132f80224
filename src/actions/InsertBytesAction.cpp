#include "actions/InsertBytesAction.h"

#include <cstring>
#include <new>

#include "actions/DocEdit.h"
#include "core/DocState.h"
#include "core/Texts.h"

TInsertBytesAction::TInsertBytesAction(uint8_t kind, int32_t group, int32_t pos, bool charColumn, int32_t count,
                                       TByteRun pattern)
    : TAction(kind, group) {
  FPos = pos;
  FCharColumn = charColumn;
  FCount = count;
  FCount2 = pattern.Length;
  FBuffer.assign(pattern.Data, pattern.Data + pattern.Length);
}

TInsertBytesAction::TInsertBytesAction(uint8_t kind, int32_t group, int32_t pos, bool charColumn, int32_t count,
                                       std::vector<uint8_t> pattern)
    : TAction(kind, group) {
  FPos = pos;
  FCharColumn = charColumn;
  FCount = count;
  FCount2 = int32_t(pattern.size());
  FBuffer = std::move(pattern);
}

namespace {

// Repeats the pattern over n bytes: one copy, then doubling copies of what
// is already written, so a long run costs a handful of memcpy calls.
void FillWithPattern(uint8_t* out, int64_t n, const std::vector<uint8_t>& pattern) {
  const int64_t p = int64_t(pattern.size());
  if (p == 1) {
    std::memset(out, pattern[0], size_t(n));
    return;
  }
  int64_t done = n < p ? n : p;
  std::memcpy(out, pattern.data(), size_t(done));
  while (done < n) {
    const int64_t step = done < n - done ? done : n - done;
    std::memcpy(out + done, out, size_t(step));
    done += step;
  }
}

}  // namespace

// A run with no pattern to fill it with inserts nothing.
bool TInsertBytesAction::DoAction() {
  if (FCount <= 0 || FCount2 <= 0 || FPos < 0 || FPos > Doc.DocSize) return true;
  try {
    GrowDocBuffers(int64_t(Doc.DocSize) + FCount);
  } catch (const std::bad_alloc&) {
    FCount = 0;
    ReportMemoryFailure(TxtNotEnoughMemory());
    return false;
  }
  MoveDocBytes(FPos, int64_t(FPos) + FCount, int64_t(Doc.DocSize) - FPos);
  FillWithPattern(Doc.DocData + FPos, FCount, FBuffer);
  ClearMarks(Doc.DocMarks, FPos, FCount);
  Doc.DocSize += FCount;
  CountChange(+1);
  FApplied = true;
  return true;
}

bool TInsertBytesAction::UndoAction() {
  if (!FApplied || FCount <= 0 || Doc.DocSize <= 0 || FPos < 0 || int64_t(FPos) + FCount > Doc.DocSize) return true;
  const int64_t after = int64_t(FPos) + FCount;
  MoveDocBytes(after, FPos, Doc.DocSize - after);
  Doc.DocSize -= FCount;
  FitDocBuffers(Doc.DocSize);
  CountChange(-1);
  FApplied = false;
  return true;
}
