// The unattended part of a Replace run. Replacements go into a sweep over
// the document instead of one action each; the actions the history would
// keep of them are built at the end from a ring of the newest ones.
//
// The time estimate counts the occurrences ahead before the run goes on
// (LookAhead); the batch keeps them, so that the searches of the run need not
// look again for what the count already found (Predicted).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "actions/Actions.h"
#include "actions/ReplaceSweep.h"
#include "core/DocState.h"

class TReplaceBatch {
 public:
  // backward, group and charArea are the run's, for the search and the
  // actions it records. pattern and replacement must outlive the batch: the
  // sweep refers to the replacement's bytes until it writes them out. The
  // searches go by the Find dialog's case option.
  TReplaceBatch(bool backward, int32_t group, bool charArea, const std::vector<uint8_t>& pattern,
                const std::vector<uint8_t>& replacement)
      : FBackward(backward), FGroup(group), FCharArea(charArea), FPattern(pattern), FReplacement(replacement) {}
  TReplaceBatch(const TReplaceBatch&) = delete;
  TReplaceBatch& operator=(const TReplaceBatch&) = delete;

  // The size of the document as the replacements so far leave it.
  int32_t Size() const { return FSweep ? FSweep->Size() : Doc.DocSize; }

  // The nearest occurrence from start on in the run's direction, in the
  // document as the replacements so far leave it, or -1.
  int32_t Find(int32_t start);

  // What the unattended loop would count: the hits from start on, each next
  // search n bytes on from the last hit. start is where the search began that
  // found the hit the run stands on, which is the first counted. The hits
  // are kept for Predicted.
  int64_t LookAhead(int32_t start);

  // The hit a search from start finds, told from the ones LookAhead kept and
  // moved by the replacements made since; nullopt when they cannot tell,
  // because the run left the path they were counted on. They are then
  // dropped, and every later search looks for itself.
  std::optional<int32_t> Predicted(int32_t start);

  // The replacement at p, as AddAction of one action with show false would
  // make it; false when it ran out of memory (the history is then gone).
  bool Replace(int32_t p);

  // Writes the document out, so that the user sees it as it stands.
  void Flush();

  // After running out of memory part way: the replacements not yet written
  // out never reach the document, so they no longer count as changes.
  void DropUnwritten();

  // Writes the document out and hands the kept actions to the history.
  void Finish();

 private:
  // The search itself, on the document as the replacements leave it.
  int32_t Search(int32_t start);
  // Whether two occurrences can overlap: some proper head of the sequence
  // matches its tail of the same length.
  bool SelfOverlapping() const;

  static constexpr int64_t Keep = TActions::MaxCount;
  struct TEntry {
    int32_t Pos = 0;
    std::vector<uint8_t> Old, Removed;
  };
  const bool FBackward;
  const int32_t FGroup;
  const bool FCharArea;
  const std::vector<uint8_t>& FPattern;
  const std::vector<uint8_t>& FReplacement;
  std::unique_ptr<TReplaceSweep> FSweep;
  // The occurrences LookAhead counted, the index of the next one the run
  // will meet (from 1, as the first is the hit it stood on; 0 once they are
  // dropped), and how far the replacements since have moved them.
  std::vector<int32_t> FAhead;
  size_t FNext = 0;
  int64_t FShift = 0;
  std::array<TEntry, size_t(Keep)> FRing;
  int64_t FCount = 0;
  int64_t FUnwritten = 0;  // replacements since the last write-out
};
