#include "actions/BulkMarks.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "actions/Actions.h"
#include "actions/MarkAction.h"
#include "core/Globals.h"

namespace {

// Segments small enough to stay in the cache between the passes over them.
constexpr int32_t Segment = 64 * 1024;

// The number of i in [0, n) with a[i] != b[i] (b given per byte).
template <typename Wanted>
int64_t CountDifferent(const uint8_t* a, int32_t n, Wanted wanted) {
  int64_t count = 0;
  for (int32_t i = 0; i < n; ++i) count += a[i] != wanted(i);
  return count;
}

}  // namespace

TBulkMarks::TBulkMarks(uint8_t kind, int32_t group, bool charColumn)
    : FKind(kind), FGroup(group), FCharColumn(charColumn) {}

void TBulkMarks::Remember(const TChange* changes, int32_t n) {
  for (int32_t i = std::max(0, n - Keep); i < n; ++i) {
    if (FRingCount < Keep) {
      FRing[size_t((FRingStart + FRingCount) % Keep)] = changes[i];
      ++FRingCount;
    } else {
      FRing[size_t(FRingStart)] = changes[i];
      FRingStart = (FRingStart + 1) % Keep;
    }
  }
}

template <typename Wanted>
void TBulkMarks::Apply(int32_t pos, int32_t len, Wanted wanted) {
  if (!G.DocMarks || len <= 0) return;
  len = std::min(len, G.DocSize - pos);
  TChange found[Keep];
  for (int32_t start = 0; start < len; start += Segment) {
    const int32_t n = std::min(Segment, len - start);
    uint8_t* marks = G.DocMarks + pos + start;
    const auto want = [&](int32_t i) { return wanted(start + i); };
    const int64_t changed = CountDifferent(marks, n, want);
    if (changed == 0) continue;
    FChanged += changed;
    // The newest changes of the segment, found from its end, before the
    // marks are overwritten.
    int32_t k = 0;
    for (int32_t i = n - 1; i >= 0 && k < Keep && k < changed; --i)
      if (marks[i] != want(i)) found[k++] = {pos + start + i, marks[i], want(i)};
    std::reverse(found, found + k);
    Remember(found, k);
    for (int32_t i = 0; i < n; ++i) marks[i] = want(i);
  }
}

void TBulkMarks::Fill(int32_t pos, int32_t len, uint8_t mark) {
  Apply(pos, len, [mark](int32_t) { return mark; });
}

void TBulkMarks::Assign(int32_t pos, int32_t len, const uint8_t* wanted) {
  Apply(pos, len, [wanted](int32_t i) { return wanted[i]; });
}

void TBulkMarks::Finish() {
  if (FChanged == 0) return;
  const int32_t kept = std::min(ActionList().KeptOfBulk(FChanged), FRingCount);
  std::vector<std::unique_ptr<TAction>> tail;
  tail.reserve(size_t(kept));
  for (int32_t i = FRingCount - kept; i < FRingCount; ++i) {
    const TChange& c = FRing[size_t((FRingStart + i) % Keep)];
    auto action = std::make_unique<TMarkAction>(FKind, FGroup, c.Pos, FCharColumn, c.New);
    action->SetPerformed(c.Old);
    tail.push_back(std::move(action));
  }
  ActionList().AppendPerformed(std::move(tail), FChanged);
  FChanged = 0;
  FRingCount = 0;
}
