#include "actions/BulkMarks.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include "actions/Actions.h"
#include "actions/DocEdit.h"
#include "actions/MarkAction.h"
#include "core/ByteCount.h"
#include "core/DocState.h"
#include "core/Texts.h"

namespace {

// Segments small enough to stay in the cache between the passes over them.
constexpr int32_t Segment = 64 * 1024;

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

// wanted is either a fill value (uint8_t) or the wanted marks (a pointer).
template <typename Wanted>
void TBulkMarks::Apply(int32_t pos, int32_t len, Wanted wanted) {
  if (!Doc.DocMarks || len <= 0) return;
  len = std::min(len, Doc.DocSize - pos);
  TChange found[Keep];
  for (int32_t start = 0; start < len; start += Segment) {
    const int32_t n = std::min(Segment, len - start);
    uint8_t* marks = Doc.DocMarks + pos + start;
    int64_t changed;
    const uint8_t* wantedHere = nullptr;
    uint8_t fill = 0;
    if constexpr (std::is_pointer_v<Wanted>) {
      wantedHere = wanted + start;
      changed = int64_t(CountDifferent(marks, wantedHere, size_t(n)));
    } else {
      fill = wanted;
      changed = int64_t(CountNotEqual(marks, size_t(n), fill));
    }
    const auto want = [&](int32_t i) { return wantedHere ? wantedHere[i] : fill; };
    if (changed == 0) continue;
    FChanged += changed;
    // The newest changes of the segment, found from its end, before the
    // marks are overwritten.
    int32_t k = 0;
    for (int32_t i = n - 1; i >= 0 && k < Keep && k < changed; --i)
      if (marks[i] != want(i)) found[k++] = {pos + start + i, marks[i], want(i)};
    std::reverse(found, found + k);
    Remember(found, k);
    if (wantedHere)
      std::memcpy(marks, wantedHere, size_t(n));
    else
      std::memset(marks, fill, size_t(n));
  }
}

void TBulkMarks::Fill(int32_t pos, int32_t len, uint8_t mark) { Apply(pos, len, mark); }

void TBulkMarks::Assign(int32_t pos, int32_t len, const uint8_t* wanted) { Apply(pos, len, wanted); }

void TBulkMarks::Finish() {
  if (FChanged == 0) return;
  const int32_t kept = std::min(ActionList().KeptOfBulk(FChanged), FRingCount);
  try {
    std::vector<std::unique_ptr<TAction>> tail;
    tail.reserve(size_t(kept));
    for (int32_t i = FRingCount - kept; i < FRingCount; ++i) {
      const TChange& c = FRing[size_t((FRingStart + i) % Keep)];
      auto action = std::make_unique<TMarkAction>(FKind, FGroup, c.Pos, FCharColumn, c.New);
      action->SetPerformed(c.Old);
      tail.push_back(std::move(action));
    }
    ActionList().AppendPerformed(std::move(tail), FChanged);
  } catch (const std::bad_alloc&) {
    // The marks have changed already; a history that lacks the change could
    // only undo the wrong things, so it goes.
    ActionList().Forget();
    ReportMemoryFailure(TxtNotEnoughMemory());
  }
  FChanged = 0;
  FRingCount = 0;
}
