#include "commands/MarkCommands.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "actions/Actions.h"
#include "actions/BulkMarks.h"
#include "actions/MarkAction.h"
#include "commands/UiState.h"
#include "core/ByteScan.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/Helpers.h"
#include "core/Progress.h"
#include "core/Seams.h"

namespace {

bool CursorOnByte() {
  const int32_t o = CursorOffset();
  return Cursor.CursorCol >= 0 && o >= 0 && o < Doc.DocSize;
}

bool CursorInChars() { return Cursor.CursorCol >= 0 && InCharArea(Cursor.CursorCol); }

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
  if (start < 0 || start >= Doc.DocSize) return -1;
  const uint8_t* hit;
  if (step > 0) {
    const size_t n = size_t(Doc.DocSize - start);
    hit = target.AnyNonZero ? FindNonZero(buffer + start, n) : FindByte(buffer + start, n, target.Value);
  } else {
    const size_t n = size_t(start + 1);
    hit = target.AnyNonZero ? FindLastNonZero(buffer, n) : FindLastByte(buffer, n, target.Value);
  }
  return hit ? int32_t(hit - buffer) : -1;
}

int32_t ScanMarks(int step, TTarget target) { return Scan(Doc.DocMarks, step, target); }

void JumpOrBeep(int32_t target, TBeepReason reason) {
  if (target >= 0)
    GotoOffset(target, CursorInChars(), true);
  else
    Beep(reason);
}

}  // namespace

void MarkCursorByte(uint8_t mark) {
  if (Doc.DocMarks && CursorOnByte() && Doc.DocMarks[CursorOffset()] != mark) {
    const int32_t group = NextActionGroup();
    ActionList().AddAction(
        std::make_unique<TMarkAction>(mark == mcNone ? akUnmark : akMark, group, CursorOffset(), CursorInChars(), mark),
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

// The history keeps only its newest actions: of the unmarked bytes only
// those are recorded, the rest are cleared directly (see TBulkMarks).
void DoUnmarkAll() {
  if (Doc.DocSize > 0 && Doc.DocMarks) {
    TBulkMarks bulk(akUnmark, NextActionGroup());
    ForEachPercentChunk(
        Doc.DocSize, [&](int64_t from, int64_t to) { bulk.Fill(int32_t(from), int32_t(to - from), mcNone); },
        ShowPercent);
    bulk.Finish();
    ActionList().UpdateView();
  }
  View().InvalidateDataBox();
  View().FlushPaint();
  UpdateMenus();
}

void DoGotoNextMark() {
  JumpOrBeep(ScanMarks(1, {true, 0}), TBeepReason::NoFurtherMark);
  UpdateMenus();
}

void DoGotoPreviousMark() {
  JumpOrBeep(ScanMarks(-1, {true, 0}), TBeepReason::NoFurtherMark);
  UpdateMenus();
}

void GotoNextMarkValue(uint8_t mark) {
  JumpOrBeep(ScanMarks(1, {false, mark}), TBeepReason::NoFurtherMark);
  UpdateMenus();
}

void GotoPreviousMarkValue(uint8_t mark) {
  JumpOrBeep(ScanMarks(-1, {false, mark}), TBeepReason::NoFurtherMark);
  UpdateMenus();
}

void MarkGotoNextIdenticalMainMenuItemClick() {
  if (Doc.DocMarks && CursorOffset() < Doc.DocSize) GotoNextMarkValue(Doc.DocMarks[CursorOffset()]);
}

void MarkGotoPreviousIdenticalMainMenuItemClick() {
  if (Doc.DocMarks && CursorOffset() < Doc.DocSize) GotoPreviousMarkValue(Doc.DocMarks[CursorOffset()]);
}

void GotoNextIdenticalByteMainMenuItemClick() {
  JumpOrBeep(CursorOnByte() ? Scan(Doc.DocData, 1, {false, Doc.DocData[CursorOffset()]}) : -1,
             TBeepReason::NoIdenticalByte);
}

void GotoPreviousIdenticalByteMainMenuItemClick() {
  JumpOrBeep(CursorOnByte() ? Scan(Doc.DocData, -1, {false, Doc.DocData[CursorOffset()]}) : -1,
             TBeepReason::NoIdenticalByte);
}
