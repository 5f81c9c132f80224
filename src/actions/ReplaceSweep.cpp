#include "actions/ReplaceSweep.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "actions/DocEdit.h"
#include "core/ByteScan.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/Search.h"

namespace {

// The capacity decision of the buffer routines, without allocating: false
// where they would throw.
bool SimulateResize(int64_t& capacity, int64_t n) {
  const int64_t wanted = CapacityFor(n);
  const int64_t stored = std::min<int64_t>(wanted, INT32_MAX);
  if (stored == capacity) return true;
  if (wanted == 0) {
    capacity = 0;
    return true;
  }
  if (wanted > int64_t(INT32_MAX) + 1 || (AllocationFailureHook && AllocationFailureHook(size_t(wanted)))) return false;
  capacity = stored;
  return true;
}

// Resizes a buffer to a capacity the simulation already granted.
void ResizeGranted(void (*resize)(int64_t), int64_t capacity) {
  auto hook = std::move(AllocationFailureHook);
  AllocationFailureHook = nullptr;
  try {
    resize(capacity);
  } catch (...) {
    AllocationFailureHook = std::move(hook);
    throw;
  }
  AllocationFailureHook = std::move(hook);
}

}  // namespace

TReplaceSweep::TReplaceSweep(bool backward) : FBackward(backward) {
  Restart();
  FDataCapacity = Doc.DocDataCapacity;
  FMarksCapacity = Doc.DocMarksCapacity;
}

void TReplaceSweep::Restart() {
  FStartSize = Doc.DocSize;
  FPrefixEnd = FTailStart = 0;
  FPiecesLength = 0;
  FPieces.clear();
  FMarkPool.clear();
  FEdits = 0;
  FGrowth = 0;
}

void TReplaceSweep::Push(const TPiece& piece) {
  if (piece.Len <= 0) return;
  FPieces.push_back(piece);
  FPiecesLength += piece.Len;
}

bool TReplaceSweep::Fits(int32_t p, int32_t d, int32_t a) const {
  if (FEdits == 0) return true;
  // One pass writes everything in one direction, which only works when no
  // edit moves the bytes after it the other way.
  const int sign = (a > d) - (a < d);
  if (sign != 0 && FGrowth != 0 && sign != FGrowth) return false;
  if (!FBackward) return p >= FPrefixEnd + FPiecesLength;
  // Reaching past the prefix takes bytes of the pieces, which only a
  // shortening sweep can do without moving bytes against the direction.
  return p <= FPrefixEnd &&
         (int64_t(p) + d <= FPrefixEnd || FPiecesLength + (FStartSize - FTailStart) >= int64_t(p) + d - FPrefixEnd);
}

void TReplaceSweep::ReadAfterPrefix(int64_t p, int64_t len, uint8_t* bytes, uint8_t* marks) const {
  int64_t skip = p - FPrefixEnd;
  const auto take = [&](const uint8_t* b, const uint8_t* m, int64_t n) {
    if (len <= 0) return;
    if (skip >= n) {
      skip -= n;
      return;
    }
    const int64_t c = std::min(len, n - skip);
    std::memcpy(bytes, b + skip, size_t(c));
    if (m)
      std::memcpy(marks, m + skip, size_t(c));
    else
      std::memset(marks, 0, size_t(c));
    bytes += c;
    marks += c;
    len -= c;
    skip = 0;
  };
  const auto piece = [&](const TPiece& pc) {
    if (pc.Bytes)
      take(pc.Bytes + pc.Pos, pc.Marks >= 0 ? FMarkPool.data() + pc.Marks : nullptr, pc.Len);
    else
      take(Doc.DocData + pc.Pos, Doc.DocMarks + pc.Pos, pc.Len);
  };
  if (FBackward) {
    for (size_t i = FPieces.size(); i-- > 0 && len > 0;) piece(FPieces[i]);
  } else {
    for (size_t i = 0; i < FPieces.size() && len > 0; ++i) piece(FPieces[i]);
  }
  if (len > 0) take(Doc.DocData + FTailStart, Doc.DocMarks + FTailStart, FStartSize - FTailStart);
}

void TReplaceSweep::ConsumeAfterPrefix(int64_t len) {
  while (len > 0 && !FPieces.empty()) {
    TPiece& head = FPieces.back();
    const int64_t c = std::min(len, head.Len);
    head.Pos += c;
    head.Len -= c;
    if (head.Marks >= 0) head.Marks += c;
    FPiecesLength -= c;
    len -= c;
    if (head.Len == 0) FPieces.pop_back();
  }
  FTailStart += len;
}

int32_t TReplaceSweep::Find(const uint8_t* pattern, int32_t n, bool caseSensitive, int32_t start, bool backward) {
  const int64_t size = Size();
  if (size <= 0) return -1;
  if (FEdits == 0) return FindBytes(Doc.DocData, int32_t(size), pattern, n, caseSensitive, start, backward);
  if (!backward && !FBackward && start >= FPrefixEnd + FPiecesLength) {
    // Where the untouched tail begins in the edited document.
    const int64_t tailAt = FPrefixEnd + FPiecesLength;
    const int32_t r = FindBytes(Doc.DocData + FTailStart, int32_t(FStartSize - FTailStart), pattern, n, caseSensitive,
                                int32_t(start - tailAt), false);
    return r < 0 ? -1 : int32_t(tailAt + r);
  }
  if (backward && FBackward && start <= FPrefixEnd && n > 0) {
    const int32_t r = FindReaching(pattern, n, caseSensitive, start);
    if (r >= 0) return r;
    const int64_t s = std::min<int64_t>(start, FPrefixEnd - n);
    if (s < 0) return -1;
    return FindBytes(Doc.DocData, int32_t(FPrefixEnd), pattern, n, caseSensitive, int32_t(s), true);
  }
  // A search against the sweep's direction: on the written-out document.
  Flush();
  return FindBytes(Doc.DocData, Doc.DocSize, pattern, n, caseSensitive, start, backward);
}

int32_t TReplaceSweep::FindReaching(const uint8_t* pattern, int32_t n, bool caseSensitive, int32_t start) {
  if (FEdits == 0 || !FBackward || start > FPrefixEnd || n <= 0) return -1;
  const int64_t windowStart = std::max<int64_t>(0, FPrefixEnd - n + 1);
  if (start < windowStart) return -1;
  // Looked for in a copy of the few bytes around the prefix's end.
  const int64_t windowEnd = std::min<int64_t>(Size(), int64_t(start) + n);
  FWindow.resize(size_t(windowEnd - windowStart));
  FWindowMarks.resize(FWindow.size());
  if (FPrefixEnd > windowStart)
    std::memcpy(FWindow.data(), Doc.DocData + windowStart, size_t(FPrefixEnd - windowStart));
  ReadAfterPrefix(FPrefixEnd, windowEnd - FPrefixEnd, FWindow.data() + (FPrefixEnd - windowStart), FWindowMarks.data());
  const int32_t r =
      FindBytes(FWindow.data(), int32_t(FWindow.size()), pattern, n, caseSensitive, int32_t(start - windowStart), true);
  return r < 0 ? -1 : int32_t(windowStart + r);
}

bool TReplaceSweep::Allocate(int32_t removed, int32_t inserted, bool copiesRemovedMarks) {
  const int64_t s0 = Size();
  const int64_t s1 = s0 - removed + inserted;
  if (inserted > removed) {
    if (s1 > INT32_MAX) return false;
    if (!SimulateResize(FDataCapacity, s1) || !SimulateResize(FMarksCapacity, s1)) {
      // Growing gives back what it got before it reports the failure.
      SimulateResize(FDataCapacity, s0);
      SimulateResize(FMarksCapacity, s0);
      return false;
    }
  } else if (inserted < removed) {
    if (copiesRemovedMarks && AllocationFailureHook && AllocationFailureHook(size_t(removed - inserted))) return false;
    // A refused shrink only keeps the larger buffer.
    SimulateResize(FDataCapacity, s1);
    SimulateResize(FMarksCapacity, s1);
  }
  return true;
}

void TReplaceSweep::Edit(int32_t p, int32_t d, const uint8_t* bytes, int32_t a, const uint8_t* addedMarks,
                         std::vector<uint8_t>* oldBytes, std::vector<uint8_t>* removedMarks) {
  if (FEdits == 0) FPrefixEnd = FTailStart = FBackward ? int64_t(p) + d : p;
  if (FGrowth == 0) FGrowth = (a > d) - (a < d);
  ++FEdits;
  const uint8_t* oldB;
  const uint8_t* oldM;
  if (!FBackward) {
    const int64_t gap = p - (FPrefixEnd + FPiecesLength);
    Push({nullptr, FTailStart, gap, -1});
    FTailStart += gap;
    oldB = Doc.DocData + FTailStart;
    oldM = Doc.DocMarks + FTailStart;
    FTailStart += d;
  } else if (int64_t(p) + d <= FPrefixEnd) {
    const int64_t end = int64_t(p) + d;
    Push({nullptr, end, FPrefixEnd - end, -1});
    oldB = Doc.DocData + p;
    oldM = Doc.DocMarks + p;
    FPrefixEnd = p;
  } else {
    // The occurrence straddles the end of the prefix.
    FStraddled.resize(size_t(d) * 2);
    uint8_t* b = FStraddled.data();
    uint8_t* m = b + d;
    const int64_t inPrefix = FPrefixEnd - p;
    if (inPrefix > 0) {
      std::memcpy(b, Doc.DocData + p, size_t(inPrefix));
      std::memcpy(m, Doc.DocMarks + p, size_t(inPrefix));
    }
    ReadAfterPrefix(FPrefixEnd, d - inPrefix, b + inPrefix, m + inPrefix);
    ConsumeAfterPrefix(d - inPrefix);
    FPrefixEnd = p;
    oldB = b;
    oldM = m;
  }
  if (oldBytes) oldBytes->assign(oldB, oldB + d);
  if (removedMarks && a < d) removedMarks->assign(oldM + a, oldM + d);
  if (a <= 0) return;
  const int32_t kept = std::min(a, d);
  bool marked = false;
  for (int32_t i = 0; i < kept && !marked; ++i) marked = oldM[i] != 0;
  for (int32_t i = 0; addedMarks && i < a - kept && !marked; ++i) marked = addedMarks[i] != 0;
  int64_t marks = -1;
  if (marked) {
    marks = int64_t(FMarkPool.size());
    FMarkPool.insert(FMarkPool.end(), oldM, oldM + kept);
    if (addedMarks)
      FMarkPool.insert(FMarkPool.end(), addedMarks, addedMarks + (a - kept));
    else
      FMarkPool.resize(FMarkPool.size() + size_t(a - kept), 0);
  }
  Push({bytes, 0, a, marks});
}

void TReplaceSweep::Place(const TPiece& piece, int64_t at, bool unmarked) {
  if (!piece.Bytes) {
    if (unmarked)
      std::memmove(Doc.DocData + at, Doc.DocData + piece.Pos, size_t(piece.Len));
    else
      MoveDocBytes(piece.Pos, at, piece.Len);
    return;
  }
  std::memcpy(Doc.DocData + at, piece.Bytes + piece.Pos, size_t(piece.Len));
  if (piece.Marks >= 0)
    std::memcpy(Doc.DocMarks + at, FMarkPool.data() + piece.Marks, size_t(piece.Len));
  else if (!unmarked)
    std::memset(Doc.DocMarks + at, 0, size_t(piece.Len));
}

void TReplaceSweep::Flush() {
  const int64_t newSize = Size();
  if (FDataCapacity > Doc.DocDataCapacity) ResizeGranted(ResizeDocData, FDataCapacity);
  if (FMarksCapacity > Doc.DocMarksCapacity) ResizeGranted(ResizeDocMarks, FMarksCapacity);
  if (FEdits > 0) {
    // Every stretch of the old document ends up no further from the start
    // than it was when the document shrinks, and no nearer when it grows;
    // working from the matching end, nothing is overwritten before it moved.
    const size_t count = FPieces.size();
    const auto pieceAt = [&](size_t k) -> const TPiece& { return FPieces[FBackward ? count - 1 - k : k]; };
    // Where no byte from the prefix's end on is marked, the marks need not
    // travel: they are 0 wherever no inserted piece brings its own, once the
    // room a growth adds is cleared.
    const bool unmarked = !Doc.DocMarks || !FindNonZero(Doc.DocMarks + FPrefixEnd, size_t(FStartSize - FPrefixEnd));
    if (unmarked && Doc.DocMarks && newSize > FStartSize)
      std::memset(Doc.DocMarks + FStartSize, 0, size_t(newSize - FStartSize));
    const auto move = [&](int64_t from, int64_t to, int64_t n) {
      if (n <= 0) return;
      if (unmarked)
        std::memmove(Doc.DocData + to, Doc.DocData + from, size_t(n));
      else
        MoveDocBytes(from, to, n);
    };
    if (newSize > FStartSize) {
      int64_t at = newSize - (FStartSize - FTailStart);
      move(FTailStart, at, FStartSize - FTailStart);
      for (size_t k = count; k-- > 0;) {
        at -= pieceAt(k).Len;
        Place(pieceAt(k), at, unmarked);
      }
    } else {
      int64_t at = FPrefixEnd;
      for (size_t k = 0; k < count; ++k) {
        Place(pieceAt(k), at, unmarked);
        at += pieceAt(k).Len;
      }
      move(FTailStart, at, FStartSize - FTailStart);
    }
    Doc.DocSize = int32_t(newSize);
  }
  try {
    if (FDataCapacity < Doc.DocDataCapacity) ResizeGranted(ResizeDocData, FDataCapacity);
    if (FMarksCapacity < Doc.DocMarksCapacity) ResizeGranted(ResizeDocMarks, FMarksCapacity);
  } catch (const std::bad_alloc&) {
  }
  FDataCapacity = Doc.DocDataCapacity;
  FMarksCapacity = Doc.DocMarksCapacity;
  Restart();
}
