// The vector counts against plain loops, for every length and alignment
// around the vector width and the 255-vector batches.
#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <vector>

#include "core/ByteCount.h"
#include "fakes/TestSeed.h"

TEST(ByteCount, VectorCountsMatchPlainLoops) {
  BQ_SEEDED_RNG(rng, 3);
  for (size_t n : std::initializer_list<size_t>{0, 1, 15, 16, 17, 31, 64, 255 * 16 - 1, 255 * 16, 255 * 16 + 1, 20000})
    for (size_t offset = 0; offset < 3; ++offset) {
      std::vector<uint8_t> a(n + offset), b(n + offset), out(n);
      const uint32_t spread = uint32_t(rng() % 4) + 1;
      for (size_t i = 0; i < a.size(); ++i) {
        a[i] = uint8_t(rng() % spread);
        b[i] = uint8_t(rng() % spread);
      }
      size_t different = 0, notTwo = 0;
      for (size_t i = 0; i < n; ++i) {
        different += a[offset + i] != b[offset + i];
        notTwo += a[offset + i] != 2;
      }
      EXPECT_EQ(CountDifferent(a.data() + offset, b.data() + offset, n), different) << n;
      EXPECT_EQ(CountNotEqual(a.data() + offset, n, 2), notTwo) << n;
      SelectByDifference(a.data() + offset, b.data() + offset, n, 7, 9, out.data());
      for (size_t i = 0; i < n; ++i) ASSERT_EQ(out[i], a[offset + i] != b[offset + i] ? 9 : 7);
    }
}
