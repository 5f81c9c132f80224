// The range picker's model: which part of the document a command that works
// on a run of bytes (copying them as text, checksums) should take. The Qt
// dialog only shows these choices; what they mean is computed here.
#pragma once

#include <cstdint>
#include <string>

enum class TRangeChoice { Whole, MarkedRun, FromOffset };

struct TByteRange {
  int32_t Start = 0;
  int32_t Count = 0;
  bool operator==(const TByteRange& o) const { return Start == o.Start && Count == o.Count; }
  bool operator!=(const TByteRange& o) const { return !(*this == o); }
};

// The longest run of bytes around offset that carry the mark of the byte at
// offset; Count 0 when that byte is unmarked or offset is outside the
// document.
TByteRange MarkedRunAt(int32_t offset);

// The offset of the byte under the cursor, or -1 when the cursor stands on
// no byte of the document (no cursor, or past the last byte).
int32_t CursorByte();

// What the picker remembers while the program runs (not in the settings
// file): the last choice confirmed and the last count used with From offset.
struct TRangePickState {
  TRangeChoice Choice = TRangeChoice::Whole;
  bool Chosen = false;  // false until the picker was first confirmed
  int32_t Count = 1;
};
TRangePickState& RangePickState();
void ResetRangePick();
// After OK: the choice, and the count when From offset used it; the other
// choices ignore the count, so it is not one the user picked.
void RememberRangePick(TRangeChoice choice, int32_t count);

// The range a choice gives now: Whole = [0, DocSize); MarkedRun = the run at
// the cursor; FromOffset = start..start + count clipped at the end of the
// document (a start past the end gives no bytes).
TByteRange RangeOf(TRangeChoice choice, int32_t start, int32_t count);

// The marked run when the cursor's byte is marked, else the whole document.
TRangeChoice DefaultRangeChoice();
// What the picker opens with: the remembered choice once there is one, but
// never a marked run the cursor's byte does not have.
TRangeChoice ProposedRangeChoice();
// The start the picker proposes (the cursor's byte, or the end of the
// document when the cursor is on none) and the remembered count clipped at
// the end of the document from there.
int32_t ProposedRangeStart();
int32_t ProposedRangeCount(int32_t start);

// "$10–$1F (16 bytes)  /  16–31" in the current language; one byte shows a
// single offset, an empty range "no bytes".
std::string RangeText(const TByteRange& r);
