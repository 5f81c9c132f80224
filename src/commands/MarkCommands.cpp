#include "commands/MarkCommands.h"

#include <cstring>
#include <memory>

#include "actions/Actions.h"
#include "actions/BulkMarks.h"
#include "core/Progress.h"
#include "actions/MarkAction.h"
#include "commands/UiState.h"
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

// The first offset after (step 1) or before (step -1) the cursor whose mark
// passes the test, or -1.
template <typename Test>
int32_t ScanMarks(int step, Test test) {
  if (!G.DocMarks) return -1;
  for (int64_t i = int64_t(CursorOffset()) + step; i >= 0 && i < G.DocSize; i += step)
    if (test(G.DocMarks[i])) return int32_t(i);
  return -1;
}

void JumpOrBeep(int32_t target) {
  if (target >= 0)
    GotoOffset(target, CursorInChars(), true);
  else
    Beep();
}

int32_t ScanBytes(int step, uint8_t value) {
  const int32_t o = CursorOffset();
  if (step > 0) {
    if (int64_t(o) + 1 >= G.DocSize) return -1;
    const void* hit = std::memchr(G.DocData + o + 1, value, size_t(G.DocSize - o - 1));
    return hit ? int32_t(static_cast<const uint8_t*>(hit) - G.DocData) : -1;
  }
  for (int32_t i = o - 1; i >= 0; --i)
    if (G.DocData[i] == value) return i;
  return -1;
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

void DoUnmarkAll() {
  if (G.DocSize > 0 && G.DocMarks) {
    TBulkMarks bulk(akUnmark, NextActionGroup());
    ForEachPercentChunk(
        G.DocSize, [&](int64_t from, int64_t to) { bulk.Fill(int32_t(from), int32_t(to - from), mcNone); },
        ShowPercent);
    bulk.Finish();
    ActionList().UpdateView();
  }
  View().InvalidateDataBox();
  View().FlushPaint();
  UpdateMenus();
}

void DoGotoNextMark() {
  JumpOrBeep(ScanMarks(1, [](uint8_t m) { return m != 0; }));
  UpdateMenus();
}

void DoGotoPreviousMark() {
  JumpOrBeep(ScanMarks(-1, [](uint8_t m) { return m != 0; }));
  UpdateMenus();
}

void GotoNextMarkValue(uint8_t mark) {
  JumpOrBeep(ScanMarks(1, [mark](uint8_t m) { return m == mark; }));
  UpdateMenus();
}

void GotoPreviousMarkValue(uint8_t mark) {
  JumpOrBeep(ScanMarks(-1, [mark](uint8_t m) { return m == mark; }));
  UpdateMenus();
}

void MarkGotoNextIdenticalMainMenuItemClick() {
  if (G.DocMarks && CursorOffset() < G.DocSize) GotoNextMarkValue(G.DocMarks[CursorOffset()]);
}

void MarkGotoPreviousIdenticalMainMenuItemClick() {
  if (G.DocMarks && CursorOffset() < G.DocSize) GotoPreviousMarkValue(G.DocMarks[CursorOffset()]);
}

void GotoNextIdenticalByteMainMenuItemClick() {
  JumpOrBeep(CursorOnByte() ? ScanBytes(1, G.DocData[CursorOffset()]) : -1);
}

void GotoPreviousIdenticalByteMainMenuItemClick() {
  JumpOrBeep(CursorOnByte() ? ScanBytes(-1, G.DocData[CursorOffset()]) : -1);
}
