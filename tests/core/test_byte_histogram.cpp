// The statistics counts against the plain loop they replace: one counter per
// value, one byte at a time. Documents mix varied stretches with blocks of a
// single value (whole, cut, or spoilt by one byte at either end) at every
// alignment, so both the table counting and the single-value shortcut are
// checked, and where they meet.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/ByteHistogram.h"
#include "fakes/TestSeed.h"

namespace {

std::vector<uint8_t> MixedBytes(std::mt19937& rng, size_t n) {
  std::vector<uint8_t> v(n);
  size_t i = 0;
  while (i < n) {
    const size_t run = std::min<size_t>(n - i, rng() % 3 == 0 ? rng() % 10000 : rng() % 300 + 1);
    const int kind = int(rng() % 4);
    const uint8_t value = uint8_t(rng());
    for (size_t k = 0; k < run; ++k) v[i + k] = kind == 0 ? uint8_t(rng()) : kind == 1 ? uint8_t(rng() % 3) : value;
    // A single-value run spoilt by one byte at its start or its end.
    if (kind == 3 && run > 1) v[i + (rng() % 2 ? 0 : run - 1)] ^= 1;
    i += run;
  }
  return v;
}

}  // namespace

TEST(ByteHistogram, CountsMatchThePlainLoop) {
  BQ_SEEDED_RNG(rng, 16);
  for (int round = 0; round < 60; ++round) {
    const size_t n = round < 12 ? size_t(round) * 4093 % 9000 : rng() % 70000;
    const size_t offset = rng() % 9;
    std::vector<uint8_t> bytes = MixedBytes(rng, n + offset);
    uint64_t expected[256] = {}, counts[256] = {};
    for (size_t i = offset; i < bytes.size(); ++i) ++expected[bytes[i]];
    AddByteCounts(bytes.data() + offset, n, counts);
    for (int v = 0; v < 256; ++v) ASSERT_EQ(counts[v], expected[v]) << "round " << round << " value " << v;
  }
}

TEST(ByteHistogram, AddsToTheCountsGiven) {
  std::vector<uint8_t> zeros(3 * 4096 + 5, 0);
  uint64_t counts[256] = {};
  counts[0] = 7;
  counts[9] = 2;
  AddByteCounts(zeros.data(), zeros.size(), counts);
  EXPECT_EQ(counts[0], 7u + zeros.size());
  EXPECT_EQ(counts[9], 2u);
}

TEST(ByteHistogram, MarksCountAsTheGridColoursThem) {
  // Colours 1..6 by their code, also with the top bit set; everything else,
  // including codes that name no colour, is unmarked.
  const std::vector<uint8_t> marks = {0, 1, 1, 2, 3, 4, 5, 6, 6, 6, 7, 0x81, 0x86, 0x80, 0x87, 200};
  const std::vector<uint8_t> data(marks.size(), 0x41);
  const TDocumentCounts c = CountDocument(data.data(), marks.data(), marks.size());
  EXPECT_EQ(c.Bytes[0x41], marks.size());
  const uint64_t expected[7] = {5, 3, 1, 1, 1, 1, 4};
  for (int m = 0; m < 7; ++m) EXPECT_EQ(c.Marks[m], expected[m]) << m;

  const TDocumentCounts none = CountDocument(nullptr, nullptr, 0);
  for (uint64_t v : none.Bytes) EXPECT_EQ(v, 0u);
}
