#include "commands/MarkCommands.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "actions/Actions.h"
#include "actions/MarkAction.h"
#include "commands/UiState.h"
#include "core/ByteScan.h"
#include "core/Cursor.h"
#include "core/Globals.h"
#include "core/Helpers.h"
#include "core/Seams.h"

namespace {

bool CursorOnByte() {
  const int32_t o = CursorOffset();
  return G.CursorCol >= 0 && o >= 0 && o < G.DocSize;
}

bool CursorInChars() { return G.CursorCol >= 0 && InCharArea(G.CursorCol); }

// What a scan looks for: any mark, or one byte value.
struct TTarget {
  bool AnyNonZero;
  uint8_t Value;
};

// The first offset after (step 1) or before (step -1) the cursor, in buffer,
// that holds the target, or -1. The scan starts next to the cursor and runs
// to the end (start) of the document; a start outside the document finds
// nothing.
int32_t Scan(const uint8_t* buffer, int step, TTarget target) {
  if (!buffer) return -1;
  const int64_t start = int64_t(CursorOffset()) + step;
  if (start < 0 || start >= G.DocSize) return -1;
  const uint8_t* hit;
  if (step > 0) {
    const size_t n = size_t(G.DocSize - start);
    hit = target.AnyNonZero ? FindNonZero(buffer + start, n) : FindByte(buffer + start, n, target.Value);
  } else {
    const size_t n = size_t(start + 1);
    hit = target.AnyNonZero ? FindLastNonZero(buffer, n) : FindLastByte(buffer, n, target.Value);
  }
  return hit ? int32_t(hit - buffer) : -1;
}

int32_t ScanMarks(int step, TTarget target) { return Scan(G.DocMarks, step, target); }

void JumpOrBeep(int32_t target) {
  if (target >= 0)
    GotoOffset(target, CursorInChars(), true);
  else
    Beep();
}

}  // namespace

void MarkCursorByte(uint8_t mark) {
  if (G.DocMarks && CursorOnByte() && G.DocMarks[CursorOffset()] != mark) {
    const int32_t group = NextActionGroup();
    ActionList().AddAction(std::make_unique<TMarkAction>(mark == mcNone ? akUnmark : akMark, group, CursorOffset(),
                                                         CursorInChars(), mark),
                           true);
  }
  UpdateMenus();
}

void DoMarkRed() { MarkCursorByte(mcRed); }
void DoMarkGreen() { MarkCursorByte(mcGreen); }
void DoMarkBlue() { MarkCursorByte(mcBlue); }
void DoMarkCyan() { MarkCursorByte(mcCyan); }
void DoMarkMagenta() { MarkCursorByte(mcMagenta); }
void DoMarkYellow() { MarkCursorByte(mcYellow); }
void DoUnmark() { MarkCursorByte(mcNone); }

namespace {

// How many of count actions added to a list holding held ones stay in it:
// whenever the list is full, the oldest TrimCount go before the next add.
int64_t ActionsKept(int64_t held, int64_t count) {
  const int64_t untrimmed = TActions::MaxCount - held;  // adds before the first trim
  if (count <= untrimmed) return count;
  const int64_t cycle = TActions::TrimCount;
  const int64_t after = (count - untrimmed - 1) % cycle + 1;  // adds since the last trim
  return std::min<int64_t>(count, TActions::MaxCount - cycle + after);
}

// Unmarks the bytes in [from, to): those from keepFrom on through recorded
// actions, those before it directly.
void UnmarkRange(int32_t group, int64_t from, int64_t to, int64_t keepFrom) {
  uint8_t* marks = G.DocMarks;
  for (int64_t i = from; i < to;) {
    const uint8_t* hit = FindNonZero(marks + i, size_t(to - i));
    if (!hit) return;
    i = hit - marks;
    if (i >= keepFrom) {
      ActionList().AddAction(std::make_unique<TMarkAction>(akUnmark, group, int32_t(i), false, mcNone), false);
      ++i;
    } else {
      const int64_t runEnd = std::min(to, keepFrom);
      const uint8_t* zero = FindByte(marks + i, size_t(runEnd - i), 0);
      const int64_t stop = zero ? zero - marks : runEnd;
      std::memset(marks + i, 0, size_t(stop - i));
      i = stop;
    }
  }
}

}  // namespace

// One action per marked byte would go into the history, but the history
// keeps only its newest MaxCount actions. Of a larger number only the ones
// that would survive the trimming are recorded; the marks before them are
// cleared directly. The history ends exactly as if all had been recorded.
void DoUnmarkAll() {
  if (G.DocSize > 0 && G.DocMarks) {
    const int32_t group = NextActionGroup();
    const int64_t size = G.DocSize;
    const int64_t marked = int64_t(CountNonZero(G.DocMarks, size_t(size)));
    const int64_t held = ActionList().Index() + 1;  // a redo tail goes with the first add
    const int64_t kept = marked > 0 ? ActionsKept(held, marked) : 0;
    int64_t keepFrom = 0;  // the first byte whose unmarking is recorded
    if (kept < marked) {
      // Everything held now would be trimmed away as well.
      ActionList().Forget();
      keepFrom = size;
      for (int64_t k = 0; k < kept; ++k) keepFrom = FindLastNonZero(G.DocMarks, size_t(keepFrom)) - G.DocMarks;
    }
    // The first offset at which the percentage reaches p.
    auto reaches = [size](int64_t p) { return (p * size + 99) / 100; };
    int64_t next = reaches(1);
    for (int64_t i = 0; i < size;) {
      const int64_t last = std::min(next, size - 1);  // the chunk up to the next percentage
      UnmarkRange(group, i, last + 1, keepFrom);
      i = last + 1;
      if (last == next) {
        const int64_t percent = last * 100 / size;
        next = reaches(percent + 1);
        View().SetStatusPanel(2, std::to_string(percent) + "%");
        View().FlushPaint();
      }
    }
    ActionList().UpdateView();
  }
  View().InvalidateDataBox();
  View().FlushPaint();
  UpdateMenus();
}

void DoGotoNextMark() {
  JumpOrBeep(ScanMarks(1, {true, 0}));
  UpdateMenus();
}

void DoGotoPreviousMark() {
  JumpOrBeep(ScanMarks(-1, {true, 0}));
  UpdateMenus();
}

void GotoNextMarkValue(uint8_t mark) {
  JumpOrBeep(ScanMarks(1, {false, mark}));
  UpdateMenus();
}

void GotoPreviousMarkValue(uint8_t mark) {
  JumpOrBeep(ScanMarks(-1, {false, mark}));
  UpdateMenus();
}

void MarkGotoNextIdenticalMainMenuItemClick() {
  if (G.DocMarks && CursorOffset() < G.DocSize) GotoNextMarkValue(G.DocMarks[CursorOffset()]);
}

void MarkGotoPreviousIdenticalMainMenuItemClick() {
  if (G.DocMarks && CursorOffset() < G.DocSize) GotoPreviousMarkValue(G.DocMarks[CursorOffset()]);
}

void GotoNextIdenticalByteMainMenuItemClick() {
  JumpOrBeep(CursorOnByte() ? Scan(G.DocData, 1, {false, G.DocData[CursorOffset()]}) : -1);
}

void GotoPreviousIdenticalByteMainMenuItemClick() {
  JumpOrBeep(CursorOnByte() ? Scan(G.DocData, -1, {false, G.DocData[CursorOffset()]}) : -1);
}
