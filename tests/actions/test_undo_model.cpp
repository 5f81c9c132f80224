// The history against a plain reference. From seeded random documents the
// test runs long random sequences of every kind of change (through the
// editing commands where they exist, otherwise straight through AddAction),
// interleaved with undos, redos, saves, mode switches and injected memory
// failures, and compares data, marks, size, DataChangeCount, the history's
// shape and the cursor with the reference after every step. Each document
// ends by undoing everything (which must give back the loaded bytes and marks
// exactly unless the history lost its oldest actions) and redoing everything
// (which must give the final state again).
//
// BQ_RANDOM_STEPS sets the number of random steps (100,000 by default),
// BQ_RANDOM_SEED the seed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "actions/Actions.h"
#include "actions/DeleteAction.h"
#include "actions/DeleteBytesAction.h"
#include "actions/EditAction.h"
#include "actions/InsertBytesAction.h"
#include "actions/MarkAction.h"
#include "actions/ReferenceHistory.h"
#include "actions/ReplaceAction.h"
#include "actions/UndoTestSupport.h"
#include "commands/EditCommands.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/Helpers.h"

namespace undo_test {
namespace {

int64_t EnvNumber(const char* name, int64_t fallback) {
  const char* s = std::getenv(name);
  if (!s || !*s) return fallback;
  const long long v = std::atoll(s);
  return v > 0 ? v : fallback;
}

// The few characters the test types into the character column, with their
// Windows-1252 bytes written out by hand (-1: the code page has none).
struct TCharKey {
  char32_t Key;
  int Byte;
};
const TCharKey CharKeys[] = {{U'A', 0x41},      {U'z', 0x7A},      {U'\r', 0x0D},     {U'\0', 0x00},
                             {U'\u00E4', 0xE4}, {U'\u00A0', 0xA0}, {U'\u20AC', 0x80}, {U'\u0152', 0x8C},
                             {U'\u017E', 0x9E}, {U'\u0081', 0x81}, {U'\u4E2D', -1},   {U'\u0100', -1}};

class UndoModel : public TUndoTest {
 protected:
  // ---- random choices ----
  int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(Rng); }
  bool Chance(int percent) { return Rand(0, 99) < percent; }
  int32_t Size() const { return int32_t(Now.Data.size()); }
  Bytes RandomBytes(int n) {
    Bytes b(static_cast<size_t>(n));
    for (auto& x : b) x = uint8_t(Rand(0, 255));
    return b;
  }

  void NewDocument(bool large);
  void Step();
  void FinishDocument();
  void Check();

  // ---- the steps ----
  void StepType();
  void StepBackspace();
  void StepDelete();
  void StepInsert();
  void StepAppend();
  void StepMark();
  void StepMarkMany();
  void StepDeleteBytes();
  void StepInsertBytes();
  void StepReplace();
  void StepReplaceMany();
  void StepUndo();
  void StepRedo();
  void StepNothingToDo();

  // ---- helpers ----
  // Puts the cursor on byte o: on a digit of its value cell or on its character.
  void PlaceCursor(int32_t o, bool chars, int digit) {
    const int32_t bpr = Grid.BytesPerRow, dpb = Grid.DigitsPerByte;
    MoveCursor(chars ? bpr * dpb + o % bpr : (o % bpr) * dpb + digit, o / bpr, false);
  }
  int32_t RandomOffset() { return Size() > 0 ? Rand(0, Size() - 1) : 0; }
  // The program recorded one action of group that took the reference from
  // before to Now.
  void Recorded(int32_t group, const TRefState& before, int delta, int32_t undoCursor, int32_t doCursor, bool chars) {
    TRefAction a;
    a.Group = group;
    a.Before = before;
    a.After = Now;
    a.Delta = delta;
    a.UndoCursor = undoCursor;
    a.DoCursor = doCursor;
    a.CharColumn = chars;
    if (History.Record(std::move(a))) Lost = true;
    Changes += delta;
  }
  // Under an injected failure: whether the program reported one. It has then
  // dropped its history, and so does the reference.
  bool ReportedFailure() {
    if (Host.Messages.size() == MessagesBefore) return false;
    ++ReportedFailures;
    History.Clear();
    Lost = true;
    return true;
  }
  void ExpectCursor(int32_t target, bool chars, const char* when) {
    if (target < 0 || Size() == 0) return;
    if (target > Size() - 1) target = Size() - 1;
    ASSERT_EQ(CursorOffset(), target) << when << Where();
    ASSERT_EQ(InCharArea(Cursor.CursorCol), chars) << when << Where();
  }
  std::string Where() const {
    return "\n  at step " + std::to_string(StepNo) + " (" + Op + "), seed " + std::to_string(Seed) + ", document " +
           std::to_string(Documents);
  }

  std::mt19937 Rng;
  uint32_t Seed = 0;
  TRefState Now, Original;
  int32_t Changes = 0;
  TRefHistory History;
  bool Lost = false;     // the history lost actions since the document was loaded
  bool Failing = false;  // allocations fail during this step
  size_t MessagesBefore = 0;
  std::string Op;
  int64_t StepNo = 0;
  int64_t Documents = 0, IntactDocuments = 0, TrimmedDocuments = 0, Failures = 0, ReportedFailures = 0;
};

void UndoModel::NewDocument(bool large) {
  ++Documents;
  int n;
  if (large)
    n = 65536 + Rand(-20, 20);  // around a buffer step: growing and shrinking reallocate
  else if (Chance(5))
    n = 0;
  else if (Chance(35))
    n = Rand(1, 40);
  else
    n = Rand(40, 600);
  Bytes data = RandomBytes(n), marks(size_t(n), 0);
  const int density = Rand(0, 2);  // unmarked, a few marks, many
  for (auto& m : marks)
    if ((density == 1 && Chance(3)) || (density == 2 && Chance(60))) m = uint8_t(Rand(1, 6));
  Grid.Hex = Chance(70);
  Load(data, marks);
  Now = {data, marks};
  Original = Now;
  Changes = 0;
  History.Clear();
  Lost = false;
}

void UndoModel::Check() {
  ASSERT_EQ(Doc.DocSize, Size()) << Where();
  if (Size() > 0) {
    ASSERT_TRUE(std::memcmp(Doc.DocData, Now.Data.data(), Now.Data.size()) == 0) << "data" << Where();
    ASSERT_TRUE(std::memcmp(Doc.DocMarks, Now.Marks.data(), Now.Marks.size()) == 0) << "marks" << Where();
  }
  ASSERT_EQ(Doc.DataChangeCount, Changes) << Where();
  const TActions& list = ActionList();
  ASSERT_EQ(list.Count(), int32_t(History.List.size())) << Where();
  ASSERT_EQ(list.Index(), History.Index) << Where();
  // Every change of the size was laid out.
  ASSERT_EQ(Grid.RowCount, (Size() + Grid.BytesPerRow - 1) / Grid.BytesPerRow) << Where();
  if (History.CanUndo()) {
    const int32_t n = History.GroupSize(History.Index, -1);
    const std::string count = n == 1 ? "" : std::to_string(n) + " * ";
    ASSERT_EQ(list.UndoName(), "(" + count + list.ActionName(list.Index()) + ")") << Where();
  }
}

void UndoModel::StepType() {
  const int32_t o = RandomOffset();
  const bool chars = Chance(25);
  const int digit = Rand(0, Grid.DigitsPerByte - 1);
  if (Size() > 0) PlaceCursor(o, chars, digit);
  const int32_t col = Cursor.CursorCol, row = Cursor.CursorRow;
  // The key and the value it must give, worked out the long way.
  char32_t key;
  int value = -1, beeps = 0;
  const int old = Size() > 0 ? Now.Data[size_t(o)] : 0;
  if (chars) {
    const TCharKey& k = CharKeys[Rand(0, int(sizeof CharKeys / sizeof CharKeys[0]) - 1)];
    key = k.Key;
    value = k.Byte;
  } else if (Grid.Hex) {
    static const char32_t keys[] = U"0123456789abcdefABCDEFgxZ- ";
    key = keys[Rand(0, 26)];
    int v = -1;
    if (key >= '0' && key <= '9') v = int(key - '0');
    if (key >= 'a' && key <= 'f') v = int(key - 'a') + 10;
    if (key >= 'A' && key <= 'F') v = int(key - 'A') + 10;
    if (v >= 0) value = digit == 0 ? v * 16 + old % 16 : (old / 16) * 16 + v;
  } else {
    static const char32_t keys[] = U"0123456789a";
    key = keys[Rand(0, 10)];
    int d[3] = {old / 100, old / 10 % 10, old % 10};
    const int limit = digit == 0 ? 2 : (digit == 1 ? (d[0] == 2 ? 5 : 9) : (d[0] == 2 && d[1] >= 5 ? 5 : 9));
    if (key >= '0' && key <= char32_t('0' + limit)) {
      d[digit] = int(key - '0');
      value = d[0] * 100 + d[1] * 10 + d[2];
      if (value > 255) {
        value = 255;
        beeps = 1;
      }
    }
  }
  if (value < 0) beeps = 1;
  if (Size() == 0) value = -1, beeps = 0;
  Op = "type";
  const int beepsBefore = Host.Beeps;
  FormKeyPress(key);
  ASSERT_EQ(Host.Beeps - beepsBefore, beeps) << Where();
  if (value < 0) {
    ASSERT_TRUE(Cursor.CursorCol == col && Cursor.CursorRow == row) << Where();
    return;
  }
  const TRefState before = Now;
  Now.Data[size_t(o)] = uint8_t(value);
  Recorded(Doc.ActionGroupCounter, before, 1, o, o, chars);
  // The cursor moves on by one digit or character, and stays on the last.
  const bool last = o == Size() - 1;
  if (chars || digit == Grid.DigitsPerByte - 1) {
    ExpectCursor(last ? o : o + 1, chars, "after typing");
    if (!chars && !last) {
      ASSERT_EQ(Cursor.CursorCol % Grid.DigitsPerByte, 0) << Where();
    }
  } else {
    ExpectCursor(o, false, "after typing");
    ASSERT_EQ(Cursor.CursorCol % Grid.DigitsPerByte, digit + 1) << Where();
  }
}

void UndoModel::StepBackspace() {
  const int32_t o = RandomOffset();
  const bool chars = Chance(30);
  if (Size() > 0) PlaceCursor(o, chars, 0);
  Op = "backspace";
  DoBackspace();
  if (Size() == 0 || o == 0) return;
  const TRefState before = Now;
  RefErase(Now, o - 1, 1);
  Recorded(Doc.ActionGroupCounter, before, 1, o, o - 1, chars);
  ExpectCursor(o - 1, chars, "after backspace");
}

void UndoModel::StepDelete() {
  const int32_t o = RandomOffset();
  const bool chars = Chance(30);
  if (Size() > 0) PlaceCursor(o, chars, Rand(0, Grid.DigitsPerByte - 1));
  Op = "delete";
  DoDelete();
  if (Size() == 0) return;
  const TRefState before = Now;
  RefErase(Now, o, 1);
  Recorded(Doc.ActionGroupCounter, before, 1, o, o, chars);
  ExpectCursor(o, chars, "after delete");
}

void UndoModel::StepInsert() {
  const bool empty = Size() == 0;
  const int32_t o = RandomOffset();
  const bool chars = !empty && Chance(30);
  if (!empty) PlaceCursor(o, chars, Rand(0, Grid.DigitsPerByte - 1));
  Op = "insert";
  MessagesBefore = Host.Messages.size();
  DoInsert();
  if (Failing && ReportedFailure()) return;
  const TRefState before = Now;
  RefInsert(Now, o, {0});
  Recorded(Doc.ActionGroupCounter, before, 1, o, o, chars);
  ExpectCursor(o, chars, "after insert");
}

void UndoModel::StepAppend() {
  const bool chars = Size() > 0 && Chance(30);
  if (Size() > 0) PlaceCursor(RandomOffset(), chars, 0);
  Op = "append";
  MessagesBefore = Host.Messages.size();
  DoAppendByte();
  if (Failing && ReportedFailure()) return;
  const TRefState before = Now;
  const int32_t at = Size();
  RefInsert(Now, at, {0});
  Recorded(Doc.ActionGroupCounter, before, 1, at, at, chars);
  ExpectCursor(at, chars, "after append");
}

// One mark, the way the mark commands record it.
void UndoModel::StepMark() {
  if (Size() == 0) return;
  const int32_t o = RandomOffset();
  const bool chars = Chance(30);
  const uint8_t m = uint8_t(Rand(0, 6));
  Op = "mark";
  const int32_t group = NextActionGroup();
  ActionList().AddAction(std::make_unique<TMarkAction>(m ? akMark : akUnmark, group, o, chars, m), true);
  const TRefState before = Now;
  Now.Marks[size_t(o)] = m;
  Recorded(group, before, 0, o, o, chars);
  ExpectCursor(o, chars, "after mark");
}

// A bulk mark command (unmark all, find and mark, a marks file): one group,
// recorded without showing, then one refresh. Now and then the group is
// larger than the list.
void UndoModel::StepMarkMany() {
  if (Size() == 0) return;
  const int n = Size() <= 4096 && Chance(10) ? Rand(300, 700) : Rand(2, 40);
  const uint8_t kind = uint8_t(Rand(0, 2) == 0 ? akLoadMark : (Chance(50) ? akMark : akUnmark));
  const bool chars = Chance(30);
  const int32_t group = NextActionGroup();
  Op = "mark " + std::to_string(n);
  int32_t o = 0;
  for (int i = 0; i < n; ++i) {
    o = RandomOffset();
    const uint8_t m = uint8_t(Rand(0, 6));
    ActionList().AddAction(std::make_unique<TMarkAction>(kind, group, o, chars, m), false);
    const TRefState before = Now;
    Now.Marks[size_t(o)] = m;
    Recorded(group, before, 0, o, o, chars);
  }
  ActionList().UpdateView();
  ExpectCursor(o, chars, "after a bulk mark");
}

void UndoModel::StepDeleteBytes() {
  if (Size() == 0) return;
  const int32_t o = RandomOffset();
  const int32_t count = Rand(1, Size() - o + 5);
  const bool chars = Chance(30);
  Op = "delete " + std::to_string(count) + " at " + std::to_string(o);
  const int32_t group = NextActionGroup();
  MessagesBefore = Host.Messages.size();
  // A run that cannot be copied is reported at once and recorded empty.
  auto action = std::make_unique<TDeleteBytesAction>(akDeleteBytes, group, o, count, chars);
  const bool empty = Failing && Host.Messages.size() > MessagesBefore;
  ActionList().AddAction(std::move(action), true);
  const TRefState before = Now;
  if (!empty) RefErase(Now, o, std::min(count, Size() - o));
  Recorded(group, before, empty ? 0 : 1, o, o, chars);
  ExpectCursor(o, chars, "after deleting bytes");
}

void UndoModel::StepInsertBytes() {
  const int32_t o = Rand(0, Size());
  const int32_t count = Rand(1, 40);
  const Bytes pattern = RandomBytes(Rand(1, 5));
  const bool chars = Chance(30);
  Op = "insert " + std::to_string(count) + " at " + std::to_string(o);
  const int32_t group = NextActionGroup();
  MessagesBefore = Host.Messages.size();
  ActionList().AddAction(std::make_unique<TInsertBytesAction>(o == Size() ? akAppendBytes : akInsertBytes, group, o,
                                                              chars, count, pattern),
                         true);
  if (Failing && ReportedFailure()) return;
  const TRefState before = Now;
  Bytes run(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) run[size_t(i)] = pattern[size_t(i) % pattern.size()];
  RefInsert(Now, o, run);
  Recorded(group, before, 1, o, o, chars);
  ExpectCursor(o, chars, "after inserting bytes");
}

void UndoModel::StepReplace() {
  if (Size() == 0) return;
  const int32_t o = RandomOffset();
  const int32_t oldLength = Rand(1, std::min(8, Size() - o));
  const Bytes search(Now.Data.begin() + o, Now.Data.begin() + o + oldLength);
  const Bytes replacement = RandomBytes(Rand(0, 10));
  const bool chars = Chance(30);
  Op = "replace " + std::to_string(oldLength) + " by " + std::to_string(replacement.size());
  const int32_t group = NextActionGroup();
  MessagesBefore = Host.Messages.size();
  ActionList().AddAction(std::make_unique<TReplaceAction>(akReplace, group, o, chars, search, replacement), true);
  if (Failing && ReportedFailure()) return;
  const TRefState before = Now;
  RefReplace(Now, o, oldLength, replacement);
  Recorded(group, before, 1, o, o, chars);
  ExpectCursor(o, chars, "after replace");
}

// Replace all: one group of replacements from the start to the end.
void UndoModel::StepReplaceMany() {
  const int32_t searchLength = Rand(1, 4);
  const Bytes replacement = RandomBytes(Rand(0, 6));
  const bool chars = Chance(30);
  const int32_t group = NextActionGroup();
  Op = "replace all";
  for (int32_t o = Rand(0, 10), n = 0; o + searchLength <= Size() && n < 30; ++n) {
    const Bytes search(Now.Data.begin() + o, Now.Data.begin() + o + searchLength);
    ActionList().AddAction(std::make_unique<TReplaceAction>(akReplace, group, o, chars, search, replacement), false);
    const TRefState before = Now;
    RefReplace(Now, o, searchLength, replacement);
    Recorded(group, before, 1, o, o, chars);
    o += int32_t(replacement.size()) + Rand(0, 20);
  }
  ActionList().UpdateView();
}

void UndoModel::StepUndo() {
  Op = "undo";
  MessagesBefore = Host.Messages.size();
  if (Chance(50))
    EditUndoMainMenuItemClick();
  else
    ActionList().Undo();
  if (!History.CanUndo()) return;
  if (Failing && ReportedFailure()) return;
  const TRefAction& oldest = History.Undo(Now, Changes);
  ExpectCursor(oldest.UndoCursor, oldest.CharColumn, "after undo");
}

void UndoModel::StepRedo() {
  Op = "redo";
  MessagesBefore = Host.Messages.size();
  if (Chance(50))
    EditRedoMainMenuItemClick();
  else
    ActionList().Redo();
  if (!History.CanRedo()) return;
  if (Failing && ReportedFailure()) return;
  const TRefAction& newest = History.Redo(Now, Changes);
  ExpectCursor(newest.DoCursor, newest.CharColumn, "after redo");
}

// Actions whose guards find nothing to do: recorded, but they change
// nothing, either way.
void UndoModel::StepNothingToDo() {
  const int32_t group = NextActionGroup();
  std::unique_ptr<TAction> action;
  switch (Rand(0, 5)) {
    case 0: action = std::make_unique<TEditAction>(akChangeValue, group, Size(), false, 1); break;
    case 1: action = std::make_unique<TDeleteAction>(akDelete, group, Size(), false); break;
    case 2: action = std::make_unique<TDeleteBytesAction>(akDeleteBytes, group, Size(), 3, false); break;
    case 3: action = std::make_unique<TInsertBytesAction>(akInsertBytes, group, 0, false, 0, Bytes{1}); break;
    case 4: action = std::make_unique<TReplaceAction>(akReplace, group, Size(), false, Bytes{1}, Bytes{2}); break;
    default: action = std::make_unique<TMarkAction>(akMark, group, Size(), false, 3); break;
  }
  Op = "nothing to do";
  ActionList().AddAction(std::move(action), true);
  Recorded(group, Now, 0, -1, -1, false);
}

void UndoModel::Step() {
  ++StepNo;
  // Now and then every allocation fails during one step that may need one.
  const int pick = Rand(0, 99);
  Failing = pick >= 98;
  if (Failing) {
    ++Failures;
    AllocationFailureHook = [](size_t) { return true; };
    // A failing undo or redo of a group of several would leave the earlier
    // part done; the reference only knows whole groups.
    const int which = Rand(0, 6);
    if (which == 0) StepInsert();
    if (which == 1) StepAppend();
    if (which == 2) StepInsertBytes();
    if (which == 3) StepReplace();
    if (which == 4) StepDeleteBytes();
    if (which == 5 && History.CanUndo() && History.GroupSize(History.Index, -1) == 1) StepUndo();
    if (which == 6 && History.CanRedo() && History.GroupSize(History.Index + 1, +1) == 1) StepRedo();
    AllocationFailureHook = nullptr;
    Failing = false;
  } else if (pick < 14) {
    StepType();
  } else if (pick < 19) {
    StepBackspace();
  } else if (pick < 24) {
    StepDelete();
  } else if (pick < 29) {
    StepInsert();
  } else if (pick < 33) {
    StepAppend();
  } else if (pick < 39) {
    StepMark();
  } else if (pick < 41) {
    StepMarkMany();
  } else if (pick < 45) {
    StepDeleteBytes();
  } else if (pick < 49) {
    StepInsertBytes();
  } else if (pick < 54) {
    StepReplace();
  } else if (pick < 56) {
    StepReplaceMany();
  } else if (pick < 78) {
    StepUndo();
  } else if (pick < 92) {
    StepRedo();
  } else if (pick < 94) {
    Op = "save";
    Doc.DataChangeCount = 0;
    Changes = 0;
  } else if (pick < 95) {
    Op = "switch mode";
    Grid.Hex = !Grid.Hex;
    View.RequestLayout();
  } else {
    StepNothingToDo();
  }
  if (HasFatalFailure()) return;
  Check();
}

void UndoModel::FinishDocument() {
  // Redoing everything ends where the newest retained action left the
  // document, past any redo tail the random steps left behind.
  TRefState final = Now;
  int32_t finalChanges = Changes;
  for (int32_t i = History.Index + 1; i < int32_t(History.List.size()); ++i) {
    final = History.List[size_t(i)].After;
    finalChanges += History.List[size_t(i)].Delta;
  }
  Op = "undo everything";
  while (History.CanUndo()) {
    StepUndo();
    if (HasFatalFailure()) return;
    Check();
    if (HasFatalFailure()) return;
  }
  ASSERT_FALSE(ActionList().CanUndo()) << Where();
  if (!Lost) {
    ++IntactDocuments;
    ASSERT_EQ(Data(), Original.Data) << "undoing everything" << Where();
    ASSERT_EQ(Marks(), Original.Marks) << "undoing everything" << Where();
  } else {
    ++TrimmedDocuments;
  }
  Op = "redo everything";
  while (History.CanRedo()) {
    StepRedo();
    if (HasFatalFailure()) return;
    Check();
    if (HasFatalFailure()) return;
  }
  ASSERT_EQ(Data(), final.Data) << "redoing everything" << Where();
  ASSERT_EQ(Marks(), final.Marks) << "redoing everything" << Where();
  ASSERT_EQ(Doc.DataChangeCount, finalChanges) << Where();
}

TEST_F(UndoModel, RandomEditsUndosAndRedosMatchTheReference) {
  const int64_t steps = EnvNumber("BQ_RANDOM_STEPS", 100000);
  Seed = uint32_t(EnvNumber("BQ_RANDOM_SEED", 20260108));
  Rng.seed(Seed);
  while (StepNo < steps) {
    const bool large = Documents % 40 == 39;
    NewDocument(large);
    // Short runs keep their whole history; long ones outgrow the list.
    const int64_t length = large ? Rand(20, 80) : Chance(40) ? Rand(20, 300) : Rand(300, 3000);
    for (int64_t i = 0; i < length && StepNo < steps; ++i) {
      Step();
      if (HasFatalFailure()) return;
    }
    FinishDocument();
    if (HasFatalFailure()) return;
  }
  std::printf(
      "[          ] %lld steps, %lld documents (%lld undone to the original, %lld with lost history), "
      "%lld steps with failing allocations, %lld failures reported\n",
      static_cast<long long>(StepNo), static_cast<long long>(Documents), static_cast<long long>(IntactDocuments),
      static_cast<long long>(TrimmedDocuments), static_cast<long long>(Failures),
      static_cast<long long>(ReportedFailures));
  if (steps >= 100000) {
    EXPECT_GT(IntactDocuments, 0);
    EXPECT_GT(TrimmedDocuments, 0);
    EXPECT_GT(ReportedFailures, 0);
  }
}

}  // namespace
}  // namespace undo_test
