// The range picker's model: the marked run found by vector scans against a
// plain walk over the marks, the clipping of each choice, the proposal and
// the range's text in both languages.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/OptionsState.h"
#include "core/RangePick.h"
#include "fakes/FakeSeams.h"
#include "fakes/TestSeed.h"

namespace {

class RangePick : public ::testing::Test {
 protected:
  TSeamFixture Seams;

  void Document(int32_t size, int32_t markFrom = 0, int32_t markTo = 0) {
    Doc.DocSize = size;
    ResizeDocData(size);
    FreshDocMarks(size);
    std::fill(Doc.DocMarks + markFrom, Doc.DocMarks + markTo, uint8_t(3));
  }
  // offset -1: a cell past the last byte.
  void CursorAt(int32_t offset) {
    if (offset < 0) offset = Doc.DocSize + Grid.BytesPerRow;
    Cursor.CursorCol = offset % Grid.BytesPerRow * Grid.DigitsPerByte;
    Cursor.CursorRow = offset / Grid.BytesPerRow;
  }
};

// The walk the scans replace.
TByteRange PlainMarkedRun(int32_t offset) {
  if (!Doc.DocMarks || offset < 0 || offset >= Doc.DocSize || Doc.DocMarks[offset] == 0) return {};
  const uint8_t mark = Doc.DocMarks[offset];
  int32_t start = offset, end = offset + 1;
  while (start > 0 && Doc.DocMarks[start - 1] == mark) --start;
  while (end < Doc.DocSize && Doc.DocMarks[end] == mark) ++end;
  return {start, end - start};
}

TEST_F(RangePick, MarkedRunAgreesWithAPlainWalk) {
  BQ_SEEDED_RNG(rng, 20260112);
  auto below = [&rng](int32_t n) { return int32_t(rng() % uint32_t(n)); };
  const int32_t sizes[] = {0, 1, 2, 31, 32, 33, 127, 128, 129, 300, 5000};
  for (int round = 0; round < 400; ++round) {
    Document(sizes[below(11)]);
    // Runs short and across several vector widths, often the same colour
    // back to back, often unmarked.
    for (int32_t i = 0, len; i < Doc.DocSize; i += len) {
      len = 1 + below(below(4) ? 40 : 400);
      std::fill(Doc.DocMarks + i, Doc.DocMarks + std::min(Doc.DocSize, i + len), uint8_t(below(4)));
    }
    for (int probe = 0; probe < 40; ++probe) {
      const int32_t ends[] = {-1, 0, Doc.DocSize - 1, Doc.DocSize, below(Doc.DocSize + 2) - 1};
      const int32_t offset = ends[below(5)];
      ASSERT_EQ(MarkedRunAt(offset), PlainMarkedRun(offset)) << "size " << Doc.DocSize << " offset " << offset;
    }
  }
}

TEST_F(RangePick, EachChoiceClipsAtTheEndOfTheDocument) {
  Document(100, 10, 20);
  Doc.DocMarks[20] = 4;  // another colour ends the run
  CursorAt(15);
  using C = TRangeChoice;
  const struct {
    C Choice;
    int32_t Start, Count;
    TByteRange Expected;
  } cases[] = {{C::Whole, 50, 5, {0, 100}},
               {C::MarkedRun, 50, 5, {10, 10}},
               {C::FromOffset, 90, 5, {90, 5}},
               {C::FromOffset, 90, 20, {90, 10}},
               {C::FromOffset, 150, 5, {100, 0}},
               {C::FromOffset, -5, 10, {0, 10}},
               {C::FromOffset, 50, -3, {50, 0}},
               {C::FromOffset, 1, INT_MAX, {1, 99}},
               {C::FromOffset, INT_MAX, INT_MAX, {100, 0}}};
  for (const auto& c : cases)
    EXPECT_EQ(RangeOf(c.Choice, c.Start, c.Count), c.Expected) << int(c.Choice) << " " << c.Start << " " << c.Count;
  CursorAt(-1);
  EXPECT_EQ(RangeOf(C::MarkedRun, 0, 0), TByteRange{});
}

TEST_F(RangePick, ProposalFollowsTheCursorAndTheLastConfirmedChoice) {
  Document(100, 10, 20);
  using C = TRangeChoice;
  const struct {
    int32_t Cursor;
    bool Chosen;
    C Remembered, Default, Proposed;
  } cases[] = {{15, false, C::Whole, C::MarkedRun, C::MarkedRun},
               {30, false, C::Whole, C::Whole, C::Whole},
               {-1, false, C::Whole, C::Whole, C::Whole},
               {15, true, C::Whole, C::MarkedRun, C::Whole},
               {30, true, C::FromOffset, C::Whole, C::FromOffset},
               {30, true, C::MarkedRun, C::Whole, C::Whole}};  // no run there to take
  for (const auto& c : cases) {
    CursorAt(c.Cursor);
    RangePickState().Chosen = c.Chosen, RangePickState().Choice = c.Remembered;
    EXPECT_EQ(DefaultRangeChoice(), c.Default) << c.Cursor;
    EXPECT_EQ(ProposedRangeChoice(), c.Proposed) << c.Cursor << " " << int(c.Remembered);
  }
  // Only From offset's own count is kept, and it is cut at the end.
  RememberRangePick(C::FromOffset, 20);
  RememberRangePick(C::Whole, 7);
  CursorAt(95);
  EXPECT_EQ(ProposedRangeStart(), 95);
  EXPECT_EQ(ProposedRangeCount(95), 5);
  EXPECT_EQ(ProposedRangeCount(0), 20);
  CursorAt(-1);
  EXPECT_EQ(ProposedRangeStart(), 100);
}

TEST_F(RangePick, TextInBothLanguages) {
  const struct {
    TByteRange Range;
    const char *English, *German;
  } cases[] = {{{16, 16}, "$10–$1F (16 bytes)  /  16–31", "$10–$1F (16 Bytes)  /  16–31"},
               {{255, 1}, "$FF (1 byte)  /  255", "$FF (1 Byte)  /  255"},
               {{1, INT_MAX - 1},
                "$1–$7FFFFFFE (2147483646 bytes)  /  1–2147483646",
                "$1–$7FFFFFFE (2147483646 Bytes)  /  1–2147483646"},
               {{40, 0}, "no bytes", "keine Bytes"}};
  for (const auto& c : cases) {
    Options.Language = 9;
    EXPECT_EQ(RangeText(c.Range), c.English);
    Options.Language = 7;
    EXPECT_EQ(RangeText(c.Range), c.German);
  }
}

}  // namespace
