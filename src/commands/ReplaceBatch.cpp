#include "commands/ReplaceBatch.h"

#include <algorithm>

#include "actions/DocEdit.h"
#include "actions/ReplaceAction.h"
#include "core/Cursor.h"
#include "core/FindState.h"
#include "core/Seams.h"
#include "core/Search.h"
#include "core/Texts.h"

int32_t TReplaceBatch::Find(int32_t start) {
  if (const std::optional<int32_t> hit = Predicted(start)) return *hit;
  return Search(start);
}

std::optional<int32_t> TReplaceBatch::Predicted(int32_t start) {
  if (FNext == 0) return std::nullopt;
  const bool exact = FindState().CaseCB;
  const int32_t n = int32_t(FPattern.size());
  const int32_t r = int32_t(FReplacement.size());
  const int32_t next = FNext < FAhead.size() ? FAhead[FNext] : -1;
  if (!FBackward && start - FShift == int64_t(FAhead[FNext - 1]) + n) {
    // Forwards the run meets exactly the occurrences the estimate
    // counted, moved by what the replacements since added or took.
    ++FNext;
    return next < 0 ? -1 : int32_t(next + FShift);
  }
  if (FBackward && start == FAhead[FNext - 1] - r && FSweep && FSweep->Pending()) {
    // Backwards the bytes below the last replacement are untouched, so
    // the next counted occurrence is the nearest one below it, unless
    // the replacement made one that reaches into it or the run starts
    // below the next counted one.
    const int32_t reaching = r < n ? FSweep->FindReaching(FPattern.data(), n, exact, start) : -1;
    if (reaching < 0 && next <= start) {
      ++FNext;
      return next;
    }
  }
  FNext = 0;
  return std::nullopt;
}

int32_t TReplaceBatch::Search(int32_t start) {
  const bool exact = FindState().CaseCB;
  const int32_t n = int32_t(FPattern.size());
  if (FSweep) return FSweep->Find(FPattern.data(), n, exact, start, FBackward);
  if (Doc.DocSize <= 0 || !Doc.DocData) return -1;
  return FindBytes(Doc.DocData, Doc.DocSize, FPattern.data(), n, exact, start, FBackward);
}

int64_t TReplaceBatch::LookAhead(int32_t start) {
  const int32_t n = int32_t(FPattern.size());
  FAhead.clear();
  FNext = 0;
  if (FBackward && !(FSweep && FSweep->Pending()) && !SelfOverlapping() && Doc.DocData) {
    // Occurrences of a sequence that cannot overlap itself are the same
    // whichever way they are walked, and the forward search is the faster.
    const bool exact = FindState().CaseCB;
    for (int32_t q = FindBytes(Doc.DocData, Doc.DocSize, FPattern.data(), n, exact, 0, false); q >= 0 && q <= start;
         q = FindBytes(Doc.DocData, Doc.DocSize, FPattern.data(), n, exact, q + n, false))
      FAhead.push_back(q);
    std::reverse(FAhead.begin(), FAhead.end());
  } else {
    for (int32_t q = Search(start); q >= 0; q = Search(FBackward ? q - n : q + n)) FAhead.push_back(q);
  }
  FShift = 0;
  FNext = FAhead.empty() ? 0 : 1;
  return int64_t(FAhead.size());
}

bool TReplaceBatch::SelfOverlapping() const {
  const bool exact = FindState().CaseCB;
  const size_t n = FPattern.size();
  const auto same = [exact](uint8_t a, uint8_t b) { return exact ? a == b : FoldCase(a) == FoldCase(b); };
  for (size_t k = 1; k < n; ++k) {
    size_t i = 0;
    while (i < k && same(FPattern[i], FPattern[n - k + i])) ++i;
    if (i == k) return true;
  }
  return false;
}

bool TReplaceBatch::Replace(int32_t p) {
  const int32_t n = int32_t(FPattern.size()), r = int32_t(FReplacement.size());
  if (!FSweep) FSweep = std::make_unique<TReplaceSweep>(FBackward);
  if (!FSweep->Fits(p, n, r)) Flush();
  if (!FSweep->Allocate(n, r, true)) {
    Flush();
    FCount = 0;
    ReportMemoryFailure(TxtNotEnoughMemoryCloseApplication());
    const int32_t last = Doc.DocSize - 1;
    GotoOffset(p < last ? p : last, FCharArea, false);
    View().RequestLayout();
    View().FlushPaint();
    ActionList().Forget();
    return false;
  }
  TEntry& e = FRing[size_t(FCount % Keep)];
  e.Pos = p;
  e.Removed.clear();
  FSweep->Edit(p, n, FReplacement.data(), r, nullptr, &e.Old, r < n ? &e.Removed : nullptr);
  ++FCount;
  ++FUnwritten;
  FShift += r - n;
  CountChange(+1);
  return true;
}

void TReplaceBatch::Flush() {
  if (FSweep) FSweep->Flush();
  FUnwritten = 0;
}

void TReplaceBatch::DropUnwritten() {
  CountChange(-int(FUnwritten));
  FUnwritten = 0;
}

void TReplaceBatch::Finish() {
  Flush();
  if (FCount == 0) return;
  const int64_t kept = std::min<int64_t>({ActionList().KeptOfBulk(FCount), FCount, Keep});
  std::vector<std::unique_ptr<TAction>> tail;
  for (int64_t i = FCount - kept; i < FCount; ++i) {
    TEntry& e = FRing[size_t(i % Keep)];
    tail.push_back(TReplaceAction::Performed(akReplace, FGroup, e.Pos, FCharArea, std::move(e.Old), FReplacement,
                                             std::move(e.Removed)));
  }
  ActionList().AppendPerformed(std::move(tail), FCount);
  FCount = 0;
}
