// The range picker's model: the marked run found by vector scans against a
// plain walk over the marks, the clipping of each choice, the proposed choice
// and the range's text in both languages.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <string>

#include "core/Cursor.h"
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

  void Document(int32_t size) {
    Doc.DocSize = size;
    ResizeDocData(size);
    FreshDocMarks(size);
    Seams.View.RequestLayout();
  }
  void Mark(int32_t from, int32_t to, uint8_t mark) {
    for (int32_t i = from; i < to; ++i) Doc.DocMarks[i] = mark;
  }
  // A cell past the last byte: the row after the document's last row.
  void CursorPastTheEnd() {
    Cursor.CursorCol = 0;
    Cursor.CursorRow = Doc.DocSize / Grid.BytesPerRow + 1;
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
  const int32_t sizes[] = {0, 1, 2, 31, 32, 33, 64, 127, 128, 129, 300, 1000, 5000};
  for (int round = 0; round < 400; ++round) {
    const int32_t size = sizes[below(int32_t(std::size(sizes)))];
    Document(size);
    // Runs of random lengths, short and across several vector widths, often
    // the same colour back to back and often unmarked.
    for (int32_t i = 0; i < size;) {
      const int32_t len = 1 + below(below(4) ? 40 : 400);
      Mark(i, std::min(size, i + len), uint8_t(below(3) == 0 ? 0 : 1 + below(3)));
      i += len;
    }
    for (int probe = 0; probe < 40; ++probe) {
      const int32_t choices[] = {-1, 0, size - 1, size, below(size + 2) - 1};
      const int32_t offset = choices[below(5)];
      ASSERT_EQ(MarkedRunAt(offset), PlainMarkedRun(offset)) << "size " << size << " offset " << offset;
    }
  }
}

TEST_F(RangePick, EachChoiceClipsAtTheEndOfTheDocument) {
  Document(100);
  Mark(10, 20, 3);
  Mark(20, 25, 4);
  GotoOffset(15, false, false);
  const struct {
    TRangeChoice Choice;
    int32_t Start, Count;
    TByteRange Expected;
  } cases[] = {
      {TRangeChoice::Whole, 50, 5, {0, 100}},
      {TRangeChoice::MarkedRun, 50, 5, {10, 10}},  // stops where the colour changes
      {TRangeChoice::FromOffset, 90, 5, {90, 5}},
      {TRangeChoice::FromOffset, 90, 20, {90, 10}},
      {TRangeChoice::FromOffset, 99, 1, {99, 1}},
      {TRangeChoice::FromOffset, 100, 5, {100, 0}},
      {TRangeChoice::FromOffset, 150, 5, {100, 0}},
      {TRangeChoice::FromOffset, -5, 10, {0, 10}},
      {TRangeChoice::FromOffset, 50, 0, {50, 0}},
      {TRangeChoice::FromOffset, 50, -3, {50, 0}},
      {TRangeChoice::FromOffset, 1, INT_MAX, {1, 99}},
      {TRangeChoice::FromOffset, INT_MAX, INT_MAX, {100, 0}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RangeOf(c.Choice, c.Start, c.Count), c.Expected) << int(c.Choice) << " " << c.Start << " " << c.Count;

  GotoOffset(30, false, false);
  EXPECT_EQ(RangeOf(TRangeChoice::MarkedRun, 0, 0), TByteRange{});
  CursorPastTheEnd();
  EXPECT_EQ(RangeOf(TRangeChoice::MarkedRun, 0, 0), TByteRange{});
  Document(0);
  EXPECT_EQ(RangeOf(TRangeChoice::Whole, 0, 0), TByteRange{});
  EXPECT_EQ(RangeOf(TRangeChoice::FromOffset, 0, 5), TByteRange{});
}

TEST_F(RangePick, ProposalFollowsTheCursorAndTheLastChoice) {
  Document(100);
  Mark(10, 20, 3);
  TRangePickState& s = RangePickState();
  const struct {
    int32_t Cursor;  // -1: past the end
    bool Chosen;
    TRangeChoice Remembered, Default, Proposed;
  } cases[] = {
      {15, false, TRangeChoice::Whole, TRangeChoice::MarkedRun, TRangeChoice::MarkedRun},
      {30, false, TRangeChoice::Whole, TRangeChoice::Whole, TRangeChoice::Whole},
      {-1, false, TRangeChoice::Whole, TRangeChoice::Whole, TRangeChoice::Whole},
      {15, true, TRangeChoice::Whole, TRangeChoice::MarkedRun, TRangeChoice::Whole},
      {15, true, TRangeChoice::FromOffset, TRangeChoice::MarkedRun, TRangeChoice::FromOffset},
      {30, true, TRangeChoice::MarkedRun, TRangeChoice::Whole, TRangeChoice::Whole},  // no run to take
      {10, true, TRangeChoice::MarkedRun, TRangeChoice::MarkedRun, TRangeChoice::MarkedRun},
  };
  for (const auto& c : cases) {
    if (c.Cursor < 0)
      CursorPastTheEnd();
    else
      GotoOffset(c.Cursor, false, false);
    s.Chosen = c.Chosen;
    s.Choice = c.Remembered;
    EXPECT_EQ(DefaultRangeChoice(), c.Default) << c.Cursor;
    EXPECT_EQ(ProposedRangeChoice(), c.Proposed) << c.Cursor << " " << int(c.Remembered);
  }

  // The start is the cursor's byte; the remembered count is cut at the end.
  s.Count = 20;
  GotoOffset(95, false, false);
  EXPECT_EQ(ProposedRangeStart(), 95);
  EXPECT_EQ(ProposedRangeCount(95), 5);
  EXPECT_EQ(ProposedRangeCount(0), 20);
  CursorPastTheEnd();
  EXPECT_EQ(ProposedRangeStart(), 100);
  EXPECT_EQ(ProposedRangeCount(100), 0);

  // Only From offset's own count is kept.
  RememberRangePick(TRangeChoice::Whole, 7);
  EXPECT_EQ(s.Count, 20);
  RememberRangePick(TRangeChoice::FromOffset, 7);
  EXPECT_EQ(s.Count, 7);
  EXPECT_EQ(s.Choice, TRangeChoice::FromOffset);
  EXPECT_TRUE(s.Chosen);
}

TEST_F(RangePick, TextInBothLanguages) {
  const struct {
    TByteRange Range;
    const char *English, *German;
  } cases[] = {
      {{16, 16}, "$10\u2013$1F (16 bytes)  /  16\u201331", "$10\u2013$1F (16 Bytes)  /  16\u201331"},
      {{255, 1}, "$FF (1 byte)  /  255", "$FF (1 Byte)  /  255"},
      {{0, 2}, "$0\u2013$1 (2 bytes)  /  0\u20131", "$0\u2013$1 (2 Bytes)  /  0\u20131"},
      {{1, INT_MAX - 1},
       "$1\u2013$7FFFFFFE (2147483646 bytes)  /  1\u20132147483646",
       "$1\u2013$7FFFFFFE (2147483646 Bytes)  /  1\u20132147483646"},
      {{40, 0}, "no bytes", "keine Bytes"},
  };
  for (const auto& c : cases) {
    Options.Language = 9;
    EXPECT_EQ(RangeText(c.Range), c.English);
    Options.Language = 7;
    EXPECT_EQ(RangeText(c.Range), c.German);
  }
}

}  // namespace
