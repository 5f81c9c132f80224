// The jumps to marks and to equal bytes search whole vectors at a time, and
// Unmark all records only the actions the history can keep. Both are checked
// here against the plain loops they replace, on random documents, cursors,
// histories and commands: same cursor, same view, same beeps, same menu
// refreshes, same history.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "actions/Actions.h"
#include "actions/MarkAction.h"
#include "commands/MarkCommands.h"
#include "commands/UiState.h"
#include "core/ByteScan.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "fakes/FakeSeams.h"

namespace {

// The byte loops, as the commands ran them before.
namespace plain {

bool CursorInChars() { return Cursor.CursorCol >= 0 && InCharArea(Cursor.CursorCol); }

void JumpOrBeep(int32_t target, TBeepReason reason = TBeepReason::NoFurtherMark) {
  if (target >= 0)
    GotoOffset(target, CursorInChars(), true);
  else
    Beep(reason);
}

int32_t ScanMarks(int step, const std::function<bool(uint8_t)>& test) {
  if (!Doc.DocMarks) return -1;
  for (int64_t i = int64_t(CursorOffset()) + step; i >= 0 && i < Doc.DocSize; i += step)
    if (test(Doc.DocMarks[i])) return int32_t(i);
  return -1;
}

int32_t ScanBytes(int step, uint8_t value) {
  for (int64_t i = int64_t(CursorOffset()) + step; i >= 0 && i < Doc.DocSize; i += step)
    if (Doc.DocData[i] == value) return int32_t(i);
  return -1;
}

bool CursorOnByte() {
  const int32_t o = CursorOffset();
  return Cursor.CursorCol >= 0 && o >= 0 && o < Doc.DocSize;
}

void MarkValue(int step, uint8_t mark) {
  JumpOrBeep(ScanMarks(step, [mark](uint8_t m) { return m == mark; }));
  UpdateMenus();
}

void Run(int command, uint8_t colour) {
  switch (command) {
    case 0:
      JumpOrBeep(ScanMarks(1, [](uint8_t m) { return m != 0; }));
      UpdateMenus();
      break;
    case 1:
      JumpOrBeep(ScanMarks(-1, [](uint8_t m) { return m != 0; }));
      UpdateMenus();
      break;
    case 2: MarkValue(1, colour); break;
    case 3: MarkValue(-1, colour); break;
    case 4:
      if (Doc.DocMarks && CursorOffset() < Doc.DocSize) MarkValue(1, Doc.DocMarks[CursorOffset()]);
      break;
    case 5:
      if (Doc.DocMarks && CursorOffset() < Doc.DocSize) MarkValue(-1, Doc.DocMarks[CursorOffset()]);
      break;
    case 6:
      JumpOrBeep(CursorOnByte() ? ScanBytes(1, Doc.DocData[CursorOffset()]) : -1, TBeepReason::NoIdenticalByte);
      break;
    case 7:
      JumpOrBeep(CursorOnByte() ? ScanBytes(-1, Doc.DocData[CursorOffset()]) : -1, TBeepReason::NoIdenticalByte);
      break;
  }
}

// Unmark all: one recorded action per marked byte.
void UnmarkAll() {
  if (Doc.DocSize > 0 && Doc.DocMarks) {
    const int32_t group = NextActionGroup();
    const int64_t size = Doc.DocSize;
    auto reaches = [size](int64_t p) { return (p * size + 99) / 100; };
    int64_t last = 0, next = reaches(1);
    for (int32_t i = 0; i < Doc.DocSize; ++i) {
      if (Doc.DocMarks[i] != 0)
        ActionList().AddAction(std::make_unique<TMarkAction>(akUnmark, group, i, false, 0), false);
      if (i >= next) {
        last = int64_t(i) * 100 / size;
        next = reaches(last + 1);
        View().SetStatusPanel(2, std::to_string(last) + "%");
        View().FlushPaint();
      }
    }
    ActionList().UpdateView();
  }
  View().InvalidateDataBox();
  View().FlushPaint();
  UpdateMenus();
}

}  // namespace plain

void RunFast(int command, uint8_t colour) {
  switch (command) {
    case 0: DoGotoNextMark(); break;
    case 1: DoGotoPreviousMark(); break;
    case 2: GotoNextMarkValue(colour); break;
    case 3: GotoPreviousMarkValue(colour); break;
    case 4: MarkGotoNextIdenticalMainMenuItemClick(); break;
    case 5: MarkGotoPreviousIdenticalMainMenuItemClick(); break;
    case 6: GotoNextIdenticalByteMainMenuItemClick(); break;
    case 7: GotoPreviousIdenticalByteMainMenuItemClick(); break;
  }
}

struct TOutcome {
  int32_t Col, Row, Top, Offset;
  int Beeps, Refreshes;
  bool operator==(const TOutcome& o) const {
    return Col == o.Col && Row == o.Row && Top == o.Top && Offset == o.Offset && Beeps == o.Beeps &&
           Refreshes == o.Refreshes;
  }
};

class MarkScans : public ::testing::Test {
 protected:
  TSeamFixture Seams;
  std::mt19937 Rng{20261208};

  int32_t Below(int32_t n) { return int32_t(Rng() % uint32_t(n)); }

  // Long runs of one value with rare exceptions, so that hits lie anywhere
  // from the next byte to far away, across vector and alignment boundaries.
  void Fill(uint8_t* p, int32_t size, int values) {
    const int density = 1 + Below(400);
    const uint8_t background = uint8_t(Below(2) ? 0 : Below(values));
    for (int32_t i = 0; i < size; ++i) p[i] = Below(density) == 0 ? uint8_t(Below(values)) : background;
  }

  void Document(int32_t size) {
    Doc.DocSize = size;
    ResizeDocData(size);
    FreshDocMarks(size);
    if (Below(8) != 0) Fill(Doc.DocMarks, size, 7);
    Fill(Doc.DocData, size, Below(2) ? 3 : 256);
    Seams.View.RequestLayout();
  }

  void PlaceCursor() {
    switch (Below(4)) {
      case 0:  // a byte in either area, the view wherever that puts it
        if (Doc.DocSize > 0) GotoOffset(Below(Doc.DocSize), Below(2) != 0, true);
        break;
      case 1:  // the first or last byte
        if (Doc.DocSize > 0) GotoOffset(Below(2) ? 0 : Doc.DocSize - 1, Below(2) != 0, true);
        break;
      default:  // any cell of the grid, also past the end of the document
        Cursor.CursorCol = Below(Grid.BytesPerRow * (Grid.DigitsPerByte + 1) + 1) - 1;
        Cursor.CursorRow = Below(Grid.RowCount + 2);
    }
  }

  TOutcome Outcome() const {
    return {Cursor.CursorCol, Cursor.CursorRow, TopRow(), CursorOffset(), Seams.Host.Beeps, Seams.View.MenuRefreshes};
  }

  static std::string Show(const TOutcome& o) {
    return "col " + std::to_string(o.Col) + " row " + std::to_string(o.Row) + " top " + std::to_string(o.Top) +
           " offset " + std::to_string(o.Offset) + " beeps " + std::to_string(o.Beeps) + " refreshes " +
           std::to_string(o.Refreshes);
  }

  // Back to the state before the plain run, counters included.
  void Restore(const TOutcome& o, int32_t top) {
    Seams.Host.Beeps = o.Beeps;
    Seams.View.MenuRefreshes = o.Refreshes;
    Cursor.CursorCol = o.Col;
    Cursor.CursorRow = o.Row;
    Grid.VertBar.Position = top;
    Grid.LastTopRow = top;
  }
};

TEST_F(MarkScans, AgreeWithTheByteLoops) {
  const int32_t sizes[] = {0, 1, 2, 31, 32, 33, 127, 128, 129, 300, 4097, 20000};
  for (int round = 0; round < 250; ++round) {
    Grid.Hex = Below(2) != 0;
    Grid.BytesPerRow = Grid.Hex ? 16 : 10;
    Grid.DigitsPerByte = Grid.Hex ? 2 : 3;
    Document(Below(3) ? sizes[Below(12)] : Below(1000));
    if (Doc.DocSize > 0 && Below(10) == 0) {  // no mark buffer at all
      std::free(Doc.DocMarks);
      Doc.DocMarks = nullptr;
      Doc.DocMarksCapacity = 0;
    }
    for (int step = 0; step < 40; ++step) {
      PlaceCursor();
      const int command = Below(8);
      const uint8_t colour = uint8_t(Below(7));
      const TOutcome before = Outcome();
      const int32_t top = TopRow();
      plain::Run(command, colour);
      const TOutcome expected = Outcome();
      Restore(before, top);
      RunFast(command, colour);
      ASSERT_TRUE(Outcome() == expected) << "command " << command << " colour " << int(colour) << " size "
                                         << Doc.DocSize << " from " << Show(before) << ": got " << Show(Outcome())
                                         << ", expected " << Show(expected);
    }
  }
}

// Records every text shown in the status bar.
class TPanelLog : public TFakeView {
 public:
  std::vector<std::string> Shown;
  void SetStatusPanel(int panel, const std::string& text) override {
    Shown.push_back(std::to_string(panel) + ":" + text);
    TFakeView::SetStatusPanel(panel, text);
  }
};

// Everything Unmark all leaves behind.
struct TUnmarkResult {
  std::vector<uint8_t> Marks;
  std::vector<std::string> History, Shown;
  int32_t Index, Col, Row, Top, Groups;
  bool operator==(const TUnmarkResult& o) const {
    return Marks == o.Marks && History == o.History && Shown == o.Shown && Index == o.Index && Col == o.Col &&
           Row == o.Row && Top == o.Top && Groups == o.Groups;
  }
};

class UnmarkAll : public MarkScans {
 protected:
  TPanelLog Log;

  // A document with marks and a history of mark actions, some of them
  // undone; the same seed gives the same state.
  void Prepare(uint32_t seed) {
    Rng.seed(seed);
    ActionList().Forget();
    Doc.ActionGroupCounter = 0;
    SetSeams(&Seams.Host, &Log);
    const int32_t size = Below(3) ? 1 + Below(3000) : 1 + Below(40);
    Doc.DocSize = size;
    ResizeDocData(size);
    FreshDocMarks(size);
    Log.RequestLayout();
    for (int held = Below(4) ? Below(TActions::MaxCount + 1) : 0, group = 0; held > 0; --held) {
      if (Below(3) == 0) group = NextActionGroup();
      const int32_t pos = Below(size);
      ActionList().AddAction(std::make_unique<TMarkAction>(akMark, group, pos, Below(2) != 0, uint8_t(1 + Below(6))),
                             false);
    }
    for (int undo = Below(3) ? 0 : Below(20); undo > 0; --undo) ActionList().Undo();
    // Marks at any density, from none to all, in runs or scattered.
    const int density = Below(5) == 0 ? 1 : 1 + Below(60);
    for (int32_t i = 0; i < size; ++i)
      if (Below(density) == 0) Doc.DocMarks[i] = uint8_t(1 + Below(6));
    if (size > 1) GotoOffset(Below(size), Below(2) != 0, true);
    Log.Shown.clear();
  }

  TUnmarkResult Result() const {
    TUnmarkResult r;
    r.Marks.assign(Doc.DocMarks, Doc.DocMarks + Doc.DocSize);
    for (int32_t k = 0; k < ActionList().Count(); ++k) {
      const TAction& a = ActionList().Item(k);
      r.History.push_back(std::to_string(a.Kind()) + " g" + std::to_string(a.Group()) + " @" + std::to_string(a.Pos()) +
                          (a.CharColumn() ? "c" : "v") + " " + std::to_string(a.OldValue()) + ">" +
                          std::to_string(a.NewValue()) + (a.Applied() ? "" : " undone"));
    }
    r.Shown = Log.Shown;
    r.Index = ActionList().Index();
    r.Col = Cursor.CursorCol;
    r.Row = Cursor.CursorRow;
    r.Top = TopRow();
    r.Groups = Doc.ActionGroupCounter;
    return r;
  }
};

TEST_F(UnmarkAll, KeepsTheHistoryOfOneActionPerByte) {
  for (uint32_t seed = 1; seed <= 150; ++seed) {
    Prepare(seed);
    plain::UnmarkAll();
    const TUnmarkResult expected = Result();
    Prepare(seed);
    DoUnmarkAll();
    const TUnmarkResult got = Result();
    ASSERT_TRUE(got == expected) << "seed " << seed << ": " << got.History.size() << " actions, index " << got.Index
                                 << ", expected " << expected.History.size() << ", index " << expected.Index
                                 << "; cursor " << got.Col << "," << got.Row << " top " << got.Top << ", expected "
                                 << expected.Col << "," << expected.Row << " top " << expected.Top << "; "
                                 << got.Shown.size() << " texts shown, expected " << expected.Shown.size();
    // Undo brings back the same marks on both sides.
    ActionList().Undo();
    const std::vector<uint8_t> undone(Doc.DocMarks, Doc.DocMarks + Doc.DocSize);
    Prepare(seed);
    plain::UnmarkAll();
    ActionList().Undo();
    ASSERT_EQ(undone, std::vector<uint8_t>(Doc.DocMarks, Doc.DocMarks + Doc.DocSize)) << "seed " << seed;
  }
  SetSeams(&Seams.Host, &Seams.View);
}

// Every length and offset near the vector widths, every hit position, both
// directions, runs of any value: the primitives against a plain loop.
TEST_F(MarkScans, PrimitivesFindTheFirstAndLastHit) {
  std::vector<uint8_t> buffer(600);
  for (int round = 0; round < 20000; ++round) {
    const size_t start = size_t(Below(70)), n = size_t(Below(int32_t(buffer.size() - start)));
    const uint8_t value = uint8_t(Below(3)), background = uint8_t(Below(4) == 0 ? 1 : 0);
    // Mostly the run's own value, so that the end of the run is what is found.
    const uint8_t runValue = Below(4) ? background : uint8_t(Below(3));
    std::fill(buffer.begin(), buffer.end(), background);
    for (int hits = Below(4); hits > 0; --hits) buffer[size_t(Below(int32_t(buffer.size())))] = uint8_t(Below(3));
    const uint8_t* p = buffer.data() + start;
    const uint8_t *firstNonZero = nullptr, *lastNonZero = nullptr, *first = nullptr, *last = nullptr;
    const uint8_t *firstOther = nullptr, *lastOther = nullptr;
    for (size_t i = 0; i < n; ++i) {
      if (p[i] != 0 && !firstNonZero) firstNonZero = p + i;
      if (p[i] != 0) lastNonZero = p + i;
      if (p[i] == value && !first) first = p + i;
      if (p[i] == value) last = p + i;
      if (p[i] != runValue && !firstOther) firstOther = p + i;
      if (p[i] != runValue) lastOther = p + i;
    }
    ASSERT_EQ(FindByteNot(p, n, runValue), firstOther) << start << " " << n;
    ASSERT_EQ(FindLastByteNot(p, n, runValue), lastOther) << start << " " << n;
    ASSERT_EQ(FindByteNotPortable(p, n, runValue), firstOther) << start << " " << n;
    ASSERT_EQ(FindLastByteNotPortable(p, n, runValue), lastOther) << start << " " << n;
    ASSERT_EQ(FindNonZero(p, n), firstNonZero) << start << " " << n;
    ASSERT_EQ(FindLastNonZero(p, n), lastNonZero) << start << " " << n;
    ASSERT_EQ(FindNonZeroPortable(p, n), firstNonZero) << start << " " << n;
    ASSERT_EQ(FindLastNonZeroPortable(p, n), lastNonZero) << start << " " << n;
    ASSERT_EQ(FindByte(p, n, value), first) << start << " " << n;
    ASSERT_EQ(FindLastByte(p, n, value), last) << start << " " << n;
    const size_t nonZero = size_t(std::count_if(p, p + n, [](uint8_t b) { return b != 0; }));
    ASSERT_EQ(CountNonZero(p, n), nonZero) << start << " " << n;
    ASSERT_EQ(CountNonZeroPortable(p, n), nonZero) << start << " " << n;
  }
}

}  // namespace
