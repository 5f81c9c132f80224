// The run-based edits against plain copies of the obvious loops: the pattern
// fill of Insert bytes (written in doubling blocks), clearing marks (written
// only where a mark is), and Delete bytes keeping no copy of unmarked marks.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "actions/Actions.h"
#include "actions/DeleteBytesAction.h"
#include "actions/DocEdit.h"
#include "actions/InsertBytesAction.h"
#include "actions/UndoTestSupport.h"
#include "fakes/TestSeed.h"

namespace undo_test {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(DocEditClearMarks, MatchesMemsetAndAnyMarkMatchesALoop) {
  BQ_SEEDED_RNG(rng, 777);
  for (int trial = 0; trial < 2000; ++trial) {
    const int n = std::uniform_int_distribution<int>(1, trial % 8 == 0 ? 30000 : 400)(rng);
    Bytes marks(size_t(n), 0);
    const int density = trial % 4;  // none, one, a few, all
    const int count = density == 0 ? 0 : density == 1 ? 1 : density == 2 ? 3 : n;
    for (int i = 0; i < count; ++i) marks[size_t(rng() % unsigned(n))] = uint8_t(1 + rng() % 6);
    const int from = int(rng() % unsigned(n));
    const int len = int(rng() % unsigned(n - from + 1));
    bool any = false;
    for (int i = from; i < from + len; ++i) any = any || marks[size_t(i)] != 0;
    EXPECT_EQ(AnyMark(marks.data(), from, len), any) << "trial " << trial;
    Bytes expected = marks;
    std::memset(expected.data() + from, 0, size_t(len));
    ClearMarks(marks.data(), from, len);
    ASSERT_EQ(marks, expected) << "trial " << trial << " n " << n << " from " << from << " len " << len;
  }
}

class ByteRuns : public TUndoTest {};

// The run as the plain loop writes it: byte k is pattern[k mod length].
TEST_F(ByteRuns, InsertBytesFillsLikeThePlainLoop) {
  BQ_SEEDED_RNG(rng, 4242);
  for (int trial = 0; trial < 300; ++trial) {
    const int size = int(rng() % 200);
    Bytes data(static_cast<size_t>(size)), marks(static_cast<size_t>(size));
    for (int i = 0; i < size; ++i) {
      data[size_t(i)] = uint8_t(rng());
      marks[size_t(i)] = uint8_t(rng() % 7);
    }
    Load(data, marks);
    const int pos = int(rng() % unsigned(size + 1));
    const int count = std::uniform_int_distribution<int>(1, trial % 5 == 0 ? 100000 : 700)(rng);
    Bytes pattern(size_t(std::uniform_int_distribution<int>(1, trial % 3 == 0 ? 1 : 300)(rng)));
    for (uint8_t& b : pattern) b = uint8_t(rng());

    Bytes expectedData(data.begin(), data.begin() + pos), expectedMarks(marks.begin(), marks.begin() + pos);
    for (int k = 0; k < count; ++k) {
      expectedData.push_back(pattern[size_t(k) % pattern.size()]);
      expectedMarks.push_back(0);
    }
    expectedData.insert(expectedData.end(), data.begin() + pos, data.end());
    expectedMarks.insert(expectedMarks.end(), marks.begin() + pos, marks.end());

    ASSERT_TRUE(ActionList().AddAction(
        std::make_unique<TInsertBytesAction>(akInsertBytes, 1, pos, false, count, pattern), true));
    ASSERT_EQ(Data(), expectedData) << "trial " << trial;
    ASSERT_EQ(Marks(), expectedMarks) << "trial " << trial;
    ActionList().Undo();
    ASSERT_EQ(Data(), data);
    ASSERT_EQ(Marks(), marks);
  }
}

TEST_F(ByteRuns, AnUnmarkedDeletedRunComesBackUnmarkedAMarkedOneWithItsMarks) {
  Load({1, 2, 3, 4, 5, 6}, {4, 0, 0, 0, 0, 5});
  auto unmarked = std::make_unique<TDeleteBytesAction>(akDeleteBytes, 1, 1, 4, false);
  EXPECT_TRUE(unmarked->Buffer2().empty());
  ActionList().AddAction(std::move(unmarked), true);
  EXPECT_EQ(Data(), (Bytes{1, 6}));
  EXPECT_EQ(Marks(), (Bytes{4, 5}));
  ActionList().Undo();
  EXPECT_EQ(Data(), (Bytes{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Marks(), (Bytes{4, 0, 0, 0, 0, 5}));
  auto marked = std::make_unique<TDeleteBytesAction>(akDeleteBytes, 2, 0, 5, true);
  EXPECT_EQ(marked->Buffer2(), (Bytes{4, 0, 0, 0, 0}));
  ActionList().AddAction(std::move(marked), true);
  EXPECT_EQ(Marks(), (Bytes{5}));
  ActionList().Undo();
  EXPECT_EQ(Marks(), (Bytes{4, 0, 0, 0, 0, 5}));
}

}  // namespace
}  // namespace undo_test
