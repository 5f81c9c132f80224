// A plain reference for the randomized history test: the document as two
// vectors, every edit written the obvious way, and the history as a list of
// whole before-and-after snapshots. Nothing here shares code with the
// program; it only has to be obviously right for small documents.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace undo_test {

using Bytes = std::vector<uint8_t>;

struct TRefState {
  Bytes Data;
  Bytes Marks;
  bool operator==(const TRefState& o) const { return Data == o.Data && Marks == o.Marks; }
};

// One recorded action: its group and the document around it, plus where the
// cursor belongs after undoing it (as a group's oldest action) or redoing it
// (as a group's newest), before clamping to the last byte; -1 where the test
// does not look.
struct TRefAction {
  int32_t Group = 0;
  TRefState Before, After;
  int32_t Delta = 0;  // 1 when it changes bytes or the size: DataChangeCount follows
  int32_t UndoCursor = 0;
  int32_t DoCursor = 0;
  bool CharColumn = false;
};

// The edits.
inline void RefOverwrite(TRefState& s, int32_t pos, uint8_t v) { s.Data[size_t(pos)] = v; }

inline void RefErase(TRefState& s, int32_t pos, int32_t n) {
  s.Data.erase(s.Data.begin() + pos, s.Data.begin() + pos + n);
  s.Marks.erase(s.Marks.begin() + pos, s.Marks.begin() + pos + n);
}

inline void RefInsert(TRefState& s, int32_t pos, const Bytes& bytes) {
  s.Data.insert(s.Data.begin() + pos, bytes.begin(), bytes.end());
  s.Marks.insert(s.Marks.begin() + pos, bytes.size(), 0);
}

// A replaced byte keeps the mark of the byte it replaces; added bytes are
// unmarked; removed bytes take their marks with them.
inline void RefReplace(TRefState& s, int32_t pos, int32_t oldLength, const Bytes& bytes) {
  const int32_t newLength = int32_t(bytes.size());
  const int32_t kept = std::min(oldLength, newLength);
  std::copy(bytes.begin(), bytes.begin() + kept, s.Data.begin() + pos);
  if (newLength > oldLength) {
    s.Data.insert(s.Data.begin() + pos + oldLength, bytes.begin() + kept, bytes.end());
    s.Marks.insert(s.Marks.begin() + pos + oldLength, size_t(newLength - oldLength), 0);
  } else if (newLength < oldLength) {
    s.Data.erase(s.Data.begin() + pos + newLength, s.Data.begin() + pos + oldLength);
    s.Marks.erase(s.Marks.begin() + pos + newLength, s.Marks.begin() + pos + oldLength);
  }
}

class TRefHistory {
 public:
  void Clear() {
    List.clear();
    Index = -1;
  }
  // Drops the redo tail, halves a full list (oldest first) and appends.
  // Returns true when the list lost its oldest actions.
  bool Record(TRefAction a) {
    List.resize(size_t(Index + 1));
    bool trimmed = false;
    if (List.size() >= 512) {
      List.erase(List.begin(), List.begin() + 256);
      trimmed = true;
    }
    List.push_back(std::move(a));
    Index = int32_t(List.size()) - 1;
    return trimmed;
  }
  bool CanUndo() const { return Index >= 0; }
  bool CanRedo() const { return Index + 1 < int32_t(List.size()); }
  // The number of adjacent actions of the group at i, walking by step.
  int32_t GroupSize(int32_t i, int step) const {
    int32_t n = 0;
    for (int32_t j = i; j >= 0 && j < int32_t(List.size()) && List[size_t(j)].Group == List[size_t(i)].Group; j += step)
      ++n;
    return n;
  }
  // Undo / redo one group; returns the action that decides the cursor.
  // changes follows the group's data changes (a save in between set it to 0).
  const TRefAction& Undo(TRefState& now, int32_t& changes) {
    const int32_t n = GroupSize(Index, -1);
    for (int32_t i = 0; i < n; ++i) changes -= List[size_t(Index - i)].Delta;
    Index -= n;
    const TRefAction& oldest = List[size_t(Index + 1)];
    now = oldest.Before;
    return oldest;
  }
  const TRefAction& Redo(TRefState& now, int32_t& changes) {
    const int32_t n = GroupSize(Index + 1, +1);
    for (int32_t i = 1; i <= n; ++i) changes += List[size_t(Index + i)].Delta;
    Index += n;
    const TRefAction& newest = List[size_t(Index)];
    now = newest.After;
    return newest;
  }

  std::vector<TRefAction> List;
  int32_t Index = -1;
};

}  // namespace undo_test
