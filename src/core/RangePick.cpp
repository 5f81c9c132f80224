#include "core/RangePick.h"

#include "core/ByteScan.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/Helpers.h"
#include "core/Texts.h"

TByteRange MarkedRunAt(int32_t offset) {
  if (!Doc.DocMarks || offset < 0 || offset >= Doc.DocSize) return {};
  const uint8_t* marks = Doc.DocMarks;
  const uint8_t mark = marks[offset];
  if (mark == 0) return {};
  // Runs can span the whole document, so both ends are found by the vector
  // scans rather than by stepping byte by byte.
  const uint8_t* after = FindByteNot(marks + offset, size_t(Doc.DocSize - offset), mark);
  const uint8_t* before = FindLastByteNot(marks, size_t(offset), mark);
  const int32_t start = before ? int32_t(before - marks) + 1 : 0;
  const int32_t end = after ? int32_t(after - marks) : Doc.DocSize;
  return {start, end - start};
}

int32_t CursorByte() {
  if (Cursor.CursorCol < 0) return -1;
  const int32_t o = CursorOffset();
  return o >= 0 && o < Doc.DocSize ? o : -1;
}

TRangePickState& RangePickState() {
  static TRangePickState state;
  return state;
}

void ResetRangePick() { RangePickState() = TRangePickState{}; }

void RememberRangePick(TRangeChoice choice, int32_t count) {
  TRangePickState& s = RangePickState();
  s.Choice = choice;
  s.Chosen = true;
  if (choice == TRangeChoice::FromOffset && count > 0) s.Count = count;
}

TByteRange RangeOf(TRangeChoice choice, int32_t start, int32_t count) {
  switch (choice) {
    case TRangeChoice::Whole: return {0, Doc.DocSize};
    case TRangeChoice::MarkedRun: return MarkedRunAt(CursorByte());
    case TRangeChoice::FromOffset: break;
  }
  const int32_t from = Min(Max(start, 0), Doc.DocSize);
  return {from, Min(Max(count, 0), Doc.DocSize - from)};
}

TRangeChoice DefaultRangeChoice() {
  return MarkedRunAt(CursorByte()).Count > 0 ? TRangeChoice::MarkedRun : TRangeChoice::Whole;
}

TRangeChoice ProposedRangeChoice() {
  const TRangePickState& s = RangePickState();
  if (!s.Chosen) return DefaultRangeChoice();
  if (s.Choice == TRangeChoice::MarkedRun && MarkedRunAt(CursorByte()).Count == 0) return TRangeChoice::Whole;
  return s.Choice;
}

int32_t ProposedRangeStart() {
  const int32_t o = CursorByte();
  return o >= 0 ? o : Doc.DocSize;
}

int32_t ProposedRangeCount(int32_t start) {
  return RangeOf(TRangeChoice::FromOffset, start, RangePickState().Count).Count;
}

namespace {

std::string Hex(int32_t v) { return "$" + HexUpper(uint32_t(v)); }

const char* const Dash = "\u2013";  // en dash, from - to

}  // namespace

std::string RangeText(const TByteRange& r) {
  if (r.Count <= 0) return Tr("no bytes", "keine Bytes");
  const std::string unit = r.Count == 1 ? Tr(" byte", " Byte") : Tr(" bytes", " Bytes");
  const std::string count = " (" + std::to_string(r.Count) + unit + ")  /  ";
  if (r.Count == 1) return Hex(r.Start) + count + std::to_string(r.Start);
  const int32_t last = r.Start + (r.Count - 1);
  return Hex(r.Start) + Dash + Hex(last) + count + std::to_string(r.Start) + Dash + std::to_string(last);
}
