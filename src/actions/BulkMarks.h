// Recording many mark changes as one undo step, at the speed of a pass over
// the marks. Recorded one action per changed byte, a large document would
// build hundreds of millions of actions only for the history to keep its
// newest few hundred. Here the marks are changed directly and only the
// actions the history would keep are ever built; what the history holds
// afterwards, and what Undo and Redo restore, is exactly what one AddAction
// per changed byte (in the same order, show false) would have left.
#pragma once

#include <array>
#include <cstdint>

class TBulkMarks {
 public:
  TBulkMarks(uint8_t kind, int32_t group, bool charColumn = false);
  // Gives every byte of [pos, pos + len) the mark, in ascending order; bytes
  // that already carry it record nothing.
  void Fill(int32_t pos, int32_t len, uint8_t mark);
  // Gives byte pos + i the mark wanted[i], for i in [0, len), ascending.
  void Assign(int32_t pos, int32_t len, const uint8_t* wanted);
  // Hands the recorded changes to the history; nothing happens when nothing
  // changed. Call once.
  void Finish();
  int64_t Changed() const { return FChanged; }

 private:
  struct TChange {
    int32_t Pos;
    uint8_t Old;
    uint8_t New;
  };
  static constexpr int32_t Keep = 512;
  // Takes the changes found in one segment (newest last) into the ring of the
  // newest Keep changes.
  void Remember(const TChange* changes, int32_t n);
  template <typename Wanted>
  void Apply(int32_t pos, int32_t len, Wanted wanted);

  uint8_t FKind;
  int32_t FGroup;
  bool FCharColumn;
  int64_t FChanged = 0;
  std::array<TChange, Keep> FRing{};
  int32_t FRingStart = 0;  // oldest entry
  int32_t FRingCount = 0;
};
