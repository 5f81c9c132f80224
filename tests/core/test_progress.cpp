// Chunked percentages against the plain per-index loop they replace.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/Progress.h"
#include "fakes/TestSeed.h"

TEST(Progress, ChunksShowWhatThePerIndexLoopShows) {
  BQ_SEEDED_RNG(rng, 7);
  std::vector<int64_t> totals = {1, 2, 3, 99, 100, 101, 199, 1000, 2147483647};
  for (int i = 0; i < 300; ++i) totals.push_back(int64_t(1 + rng() % 5000));
  for (int64_t total : totals) {
    std::vector<int> plain, chunked;
    if (total < 100000) {
      int last = 0;
      for (int64_t i = 0; i < total; ++i)
        if (int(i * 100 / total) != last) plain.push_back(last = int(i * 100 / total));
    } else {
      for (int p = 1; p < 100; ++p) plain.push_back(p);
    }
    int64_t covered = 0;
    ForEachPercentChunk(
        total,
        [&](int64_t from, int64_t to) {
          ASSERT_EQ(from, covered);
          ASSERT_GT(to, from);
          covered = to;
        },
        [&](int p) {
          // Shown right after the first index that reaches it.
          ASSERT_EQ((covered - 1) * 100 / total, p);
          ASSERT_LT((covered - 2) * 100 / total, p);
          chunked.push_back(p);
        });
    EXPECT_EQ(covered, total);
    EXPECT_EQ(plain, chunked) << total;
  }
}
