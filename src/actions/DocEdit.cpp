#include "actions/DocEdit.h"

#include <cstring>
#include <new>

#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/Seams.h"

namespace {

// memcmp against a block of zeros is the fastest portable way to look for
// the first mark: the C library compares with the widest vectors it has.
constexpr int64_t Block = 4096;
const uint8_t Zeros[Block] = {};

int64_t FirstNonZero(const uint8_t* p, int64_t begin, int64_t end) {
  int64_t i = begin;
  while (end - i >= Block && std::memcmp(p + i, Zeros, Block) == 0) i += Block;
  while (i < end && p[i] == 0) ++i;
  return i;  // end when there is none
}

int64_t LastNonZero(const uint8_t* p, int64_t begin, int64_t end) {
  int64_t i = end;
  while (i - begin >= Block && std::memcmp(p + i - Block, Zeros, Block) == 0) i -= Block;
  while (i > begin && p[i - 1] == 0) --i;
  return i - 1;  // begin - 1 when there is none
}

// Zeroes the part of [a, b) that lies inside [lo, hi).
void ZeroClipped(uint8_t* p, int64_t a, int64_t b, int64_t lo, int64_t hi) {
  if (a < lo) a = lo;
  if (b > hi) b = hi;
  if (a < b) ClearMarks(p, a, b - a);
}

}  // namespace

void ClearMarks(uint8_t* marks, int64_t from, int64_t count) {
  const int64_t end = from + count;
  const int64_t k = FirstNonZero(marks, from, end);
  if (k >= end) return;
  const int64_t l = LastNonZero(marks, k, end);
  std::memset(marks + k, 0, size_t(l - k + 1));
}

void MoveMarks(uint8_t* marks, int64_t from, int64_t to, int64_t count, bool gapUnmarked) {
  if (count <= 0 || from == to) return;
  const int64_t d = to - from;
  const int64_t end = from + count;
  // Only the source's marked stretch [k, l] has to travel; the zeros around
  // it need only be present at the destination.
  const int64_t k = FirstNonZero(marks, from, end);
  int64_t l = k - 1;
  if (k < end) {
    l = LastNonZero(marks, k, end);
    std::memmove(marks + k + d, marks + k, size_t(l - k + 1));
  }
  // Every destination byte outside [k + d, l + d] must read 0. It already
  // does where it is an untouched zero of the source, [from, k) or (l, end);
  // what remains (at most |d| bytes on each side) is cleared.
  constexpr int64_t Below = INT64_MIN, Above = INT64_MAX;
  const int64_t pieces[2][2] = {{to, k + d}, {l + d + 1, to + count}};
  for (const auto& piece : pieces) {
    if (!gapUnmarked) ZeroClipped(marks, piece[0], piece[1], Below, from);
    ZeroClipped(marks, piece[0], piece[1], k, l + 1);
    if (!gapUnmarked) ZeroClipped(marks, piece[0], piece[1], end, Above);
  }
}

void MoveDocBytes(int64_t from, int64_t to, int64_t count, bool gapUnmarked) {
  if (count <= 0 || from == to) return;
  std::memmove(Doc.DocData + to, Doc.DocData + from, size_t(count));
  MoveMarks(Doc.DocMarks, from, to, count, gapUnmarked);
}

void GrowDocBuffers(int64_t n) {
  if (n > INT32_MAX) throw std::bad_alloc();
  try {
    ResizeDocData(n);
    ResizeDocMarks(n);
  } catch (...) {
    FitDocBuffers(Doc.DocSize);
    throw;
  }
}

void FitDocBuffers(int64_t n) {
  try {
    ResizeDocData(n);
  } catch (const std::bad_alloc&) {
  }
  try {
    ResizeDocMarks(n);
  } catch (const std::bad_alloc&) {
  }
}

void RemoveByteAt(int32_t r, uint8_t& byte, uint8_t& mark) {
  byte = Doc.DocData[r];
  mark = Doc.DocMarks[r];
  MoveDocBytes(int64_t(r) + 1, r, int64_t(Doc.DocSize) - r - 1);
  --Doc.DocSize;
  FitDocBuffers(Doc.DocSize);
}

void InsertByteAt(int32_t r, uint8_t byte, uint8_t mark) {
  GrowDocBuffers(int64_t(Doc.DocSize) + 1);
  MoveDocBytes(r, int64_t(r) + 1, int64_t(Doc.DocSize) - r);
  ++Doc.DocSize;
  Doc.DocData[r] = byte;
  Doc.DocMarks[r] = mark;
}

std::vector<uint8_t> CopyBlock(const uint8_t* source, int64_t n) {
  if (n <= 0) return {};
  if (AllocationFailureHook && AllocationFailureHook(size_t(n))) throw std::bad_alloc();
  std::vector<uint8_t> copy;
  copy.reserve(size_t(n));
  PreferHugePages(copy.data(), n);
  copy.assign(source, source + n);
  return copy;
}

bool AnyMark(const uint8_t* marks, int64_t from, int64_t count) {
  return FirstNonZero(marks, from, from + count) < from + count;
}

void ReportMemoryFailure(const std::string& text) {
  FitDocBuffers(Doc.DocSize);
  View().RequestLayout();
  ShowMessageDialog(text, TMsgDlgType::Error, mbOKOnly, 0);
}

void CountChange(int delta) { Doc.DataChangeCount = int32_t(uint32_t(Doc.DataChangeCount) + uint32_t(int32_t(delta))); }
