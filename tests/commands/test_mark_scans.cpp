// The jumps to marks and to equal bytes search whole vectors at a time. They
// are checked here against the plain byte loops they replace, on random
// documents, cursors and commands: same cursor, same view, same beeps, same
// menu refreshes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <random>
#include <vector>

#include "commands/MarkCommands.h"
#include "commands/UiState.h"
#include "core/ByteScan.h"
#include "core/Cursor.h"
#include "core/DocBuffers.h"
#include "core/Helpers.h"
#include "fakes/FakeSeams.h"

namespace {

// The byte loops, as the commands ran them before.
namespace plain {

bool CursorInChars() { return G.CursorCol >= 0 && InCharArea(G.CursorCol); }

void JumpOrBeep(int32_t target) {
  if (target >= 0)
    GotoOffset(target, CursorInChars(), true);
  else
    Beep();
}

int32_t ScanMarks(int step, const std::function<bool(uint8_t)>& test) {
  if (!G.DocMarks) return -1;
  for (int64_t i = int64_t(CursorOffset()) + step; i >= 0 && i < G.DocSize; i += step)
    if (test(G.DocMarks[i])) return int32_t(i);
  return -1;
}

int32_t ScanBytes(int step, uint8_t value) {
  for (int64_t i = int64_t(CursorOffset()) + step; i >= 0 && i < G.DocSize; i += step)
    if (G.DocData[i] == value) return int32_t(i);
  return -1;
}

bool CursorOnByte() {
  const int32_t o = CursorOffset();
  return G.CursorCol >= 0 && o >= 0 && o < G.DocSize;
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
      if (G.DocMarks && CursorOffset() < G.DocSize) MarkValue(1, G.DocMarks[CursorOffset()]);
      break;
    case 5:
      if (G.DocMarks && CursorOffset() < G.DocSize) MarkValue(-1, G.DocMarks[CursorOffset()]);
      break;
    case 6: JumpOrBeep(CursorOnByte() ? ScanBytes(1, G.DocData[CursorOffset()]) : -1); break;
    case 7: JumpOrBeep(CursorOnByte() ? ScanBytes(-1, G.DocData[CursorOffset()]) : -1); break;
  }
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
    G.DocSize = size;
    ResizeDocData(size);
    FreshDocMarks(size);
    if (Below(8) != 0) Fill(G.DocMarks, size, 7);
    Fill(G.DocData, size, Below(2) ? 3 : 256);
    Seams.View.RequestLayout();
  }

  void PlaceCursor() {
    switch (Below(4)) {
      case 0:  // a byte in either area, the view wherever that puts it
        if (G.DocSize > 0) GotoOffset(Below(G.DocSize), Below(2) != 0, true);
        break;
      case 1:  // the first or last byte
        if (G.DocSize > 0) GotoOffset(Below(2) ? 0 : G.DocSize - 1, Below(2) != 0, true);
        break;
      default:  // any cell of the grid, also past the end of the document
        G.CursorCol = Below(G.BytesPerRow * (G.DigitsPerByte + 1) + 1) - 1;
        G.CursorRow = Below(G.RowCount + 2);
    }
  }

  TOutcome Outcome() const {
    return {G.CursorCol, G.CursorRow, TopRow(), CursorOffset(), Seams.Host.Beeps, Seams.View.MenuRefreshes};
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
    G.CursorCol = o.Col;
    G.CursorRow = o.Row;
    G.VertBar.Position = top;
    G.LastTopRow = top;
  }
};

TEST_F(MarkScans, AgreeWithTheByteLoops) {
  const int32_t sizes[] = {0, 1, 2, 31, 32, 33, 127, 128, 129, 300, 4097, 20000};
  for (int round = 0; round < 250; ++round) {
    G.Hex = Below(2) != 0;
    G.BytesPerRow = G.Hex ? 16 : 10;
    G.DigitsPerByte = G.Hex ? 2 : 3;
    Document(Below(3) ? sizes[Below(12)] : Below(1000));
    if (G.DocSize > 0 && Below(10) == 0) {  // no mark buffer at all
      std::free(G.DocMarks);
      G.DocMarks = nullptr;
      G.DocMarksCapacity = 0;
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
                                         << G.DocSize << " from " << Show(before) << ": got " << Show(Outcome())
                                         << ", expected " << Show(expected);
    }
  }
}

// Every length and offset near the vector widths, every hit position, both
// directions: the primitives against a plain loop.
TEST_F(MarkScans, PrimitivesFindTheFirstAndLastHit) {
  std::vector<uint8_t> buffer(600);
  for (int round = 0; round < 20000; ++round) {
    const size_t start = size_t(Below(70)), n = size_t(Below(int32_t(buffer.size() - start)));
    const uint8_t value = uint8_t(Below(3));
    std::fill(buffer.begin(), buffer.end(), uint8_t(Below(4) == 0 ? 1 : 0));
    for (int hits = Below(4); hits > 0; --hits) buffer[size_t(Below(int32_t(buffer.size())))] = uint8_t(Below(3));
    const uint8_t* p = buffer.data() + start;
    const uint8_t *firstNonZero = nullptr, *lastNonZero = nullptr, *first = nullptr, *last = nullptr;
    for (size_t i = 0; i < n; ++i) {
      if (p[i] != 0 && !firstNonZero) firstNonZero = p + i;
      if (p[i] != 0) lastNonZero = p + i;
      if (p[i] == value && !first) first = p + i;
      if (p[i] == value) last = p + i;
    }
    ASSERT_EQ(FindNonZero(p, n), firstNonZero) << start << " " << n;
    ASSERT_EQ(FindLastNonZero(p, n), lastNonZero) << start << " " << n;
    ASSERT_EQ(FindNonZeroPortable(p, n), firstNonZero) << start << " " << n;
    ASSERT_EQ(FindLastNonZeroPortable(p, n), lastNonZero) << start << " " << n;
    ASSERT_EQ(FindByte(p, n, value), first) << start << " " << n;
    ASSERT_EQ(FindLastByte(p, n, value), last) << start << " " << n;
  }
}

}  // namespace
