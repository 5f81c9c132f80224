// The primitive moves under every action. Moving marks skips unmarked
// stretches, so it is checked against a plain memmove on sparse, dense and
// empty mark buffers, for every kind of overlap.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "actions/DocEdit.h"
#include "actions/UndoTestSupport.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "fakes/TestSeed.h"

namespace undo_test {
namespace {

TEST(DocEditMoveMarks, MatchesMemmoveForEveryOverlap) {
  BQ_SEEDED_RNG(rng, 12345);
  // Long enough for the block-wise search to matter on both sides.
  for (int trial = 0; trial < 3000; ++trial) {
    const int n = std::uniform_int_distribution<int>(1, trial % 10 == 0 ? 20000 : 300)(rng);
    std::vector<uint8_t> marks(size_t(n), 0);
    const int density = trial % 4;  // none, one, a few, many
    const int count = density == 0 ? 0 : density == 1 ? 1 : density == 2 ? 3 : n / 2;
    for (int i = 0; i < count; ++i) marks[size_t(rng() % unsigned(n))] = uint8_t(1 + rng() % 6);
    for (auto& m : marks)
      if (trial % 7 == 0) m = uint8_t(0xAA);  // garbage, as in fresh memory
    const int from = int(rng() % unsigned(n));
    const int to = int(rng() % unsigned(n));
    const int len = int(rng() % unsigned(n - (from > to ? from : to) + 1));
    // Every other trial promises that the destination outside the source
    // is unmarked already, and keeps that promise.
    const bool gapUnmarked = trial % 2 == 1;
    if (gapUnmarked)
      for (int i = to; i < to + len; ++i)
        if (i < from || i >= from + len) marks[size_t(i)] = 0;
    std::vector<uint8_t> expected = marks;
    std::memmove(expected.data() + to, expected.data() + from, size_t(len));
    MoveMarks(marks.data(), from, to, len, gapUnmarked);
    ASSERT_EQ(marks, expected) << "trial " << trial << " n " << n << " from " << from << " to " << to << " len " << len;
  }
}

class DocEditBuffers : public TUndoTest {};

TEST_F(DocEditBuffers, AFailedGrowLeavesBothBuffersFittingTheDocument) {
  Load(std::vector<uint8_t>(65536, 1));
  int calls = 0;
  // The data buffer may grow; the mark buffer may not.
  AllocationFailureHook = [&calls](size_t) { return ++calls == 2; };
  EXPECT_THROW(GrowDocBuffers(65537), std::bad_alloc);
  EXPECT_EQ(Doc.DocDataCapacity, 65536);
  EXPECT_EQ(Doc.DocMarksCapacity, 65536);
  AllocationFailureHook = nullptr;
  EXPECT_THROW(GrowDocBuffers(int64_t(INT32_MAX) + 1), std::bad_alloc);
  EXPECT_EQ(Doc.DocDataCapacity, 65536);
}

TEST_F(DocEditBuffers, HistoryCopiesGoThroughTheFailureHook) {
  const uint8_t bytes[3] = {1, 2, 3};
  EXPECT_EQ(CopyBlock(bytes, 3), (std::vector<uint8_t>{1, 2, 3}));
  AllocationFailureHook = [](size_t n) { return n == 3; };
  EXPECT_THROW(CopyBlock(bytes, 3), std::bad_alloc);
}

}  // namespace
}  // namespace undo_test
