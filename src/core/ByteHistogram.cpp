#include "core/ByteHistogram.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Blocks are looked at one by one: a block of a single value (zeros, filler,
// a document of one repeated byte) is counted with one addition.
constexpr size_t Block = 4096;

// The partial counters hold 32 bits; they are added up well before any of
// them could overflow.
constexpr size_t FlushEvery = size_t(1) << 30;

// True when every byte of p[0 .. Block) equals p[0]. Stops at the first
// 64 bytes that differ, so varied data costs one look per block.
bool UniformBlock(const uint8_t* p) {
#if defined(__SSE2__)
  const __m128i v = _mm_set1_epi8(char(p[0]));
  for (size_t i = 0; i < Block; i += 64) {
    const auto at = [&](size_t k) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + k)); };
    const __m128i diff = _mm_or_si128(_mm_or_si128(_mm_xor_si128(at(0), v), _mm_xor_si128(at(16), v)),
                                      _mm_or_si128(_mm_xor_si128(at(32), v), _mm_xor_si128(at(48), v)));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(diff, _mm_setzero_si128())) != 0xFFFF) return false;
  }
  return true;
#else
  const uint64_t v = uint64_t(p[0]) * 0x0101010101010101ull;
  for (size_t i = 0; i < Block; i += 8) {
    uint64_t w;
    std::memcpy(&w, p + i, 8);
    if (w != v) return false;
  }
  return true;
#endif
}

// Four tables: neighbouring bytes of the same value go to different
// counters, so an increment does not wait for the one before it to be
// stored, which is what stalls a single table on repetitive data.
using TTables = uint32_t[4][256];

void CountIntoTables(const uint8_t* p, size_t n, TTables& t) {
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t w;
    std::memcpy(&w, p + i, 8);
    ++t[0][w & 0xFF];
    ++t[1][(w >> 8) & 0xFF];
    ++t[2][(w >> 16) & 0xFF];
    ++t[3][(w >> 24) & 0xFF];
    ++t[0][(w >> 32) & 0xFF];
    ++t[1][(w >> 40) & 0xFF];
    ++t[2][(w >> 48) & 0xFF];
    ++t[3][w >> 56];
  }
  for (; i < n; ++i) ++t[0][p[i]];
}

void Flush(TTables& t, uint64_t counts[256]) {
  for (int v = 0; v < 256; ++v) counts[v] += uint64_t(t[0][v]) + t[1][v] + t[2][v] + t[3][v];
  std::memset(t, 0, sizeof t);
}

}  // namespace

void AddByteCounts(const uint8_t* p, size_t n, uint64_t counts[256]) {
  TTables t = {};
  size_t pending = 0;
  for (size_t at = 0; at < n; at += Block) {
    const size_t len = std::min(Block, n - at);
    if (len == Block && UniformBlock(p + at)) {
      counts[p[at]] += Block;
      continue;
    }
    CountIntoTables(p + at, len, t);
    pending += len;
    if (pending >= FlushEvery) {
      Flush(t, counts);
      pending = 0;
    }
  }
  Flush(t, counts);
}

TDocumentCounts CountDocument(const uint8_t* data, const uint8_t* marks, size_t n) {
  TDocumentCounts c;
  if (n == 0) return c;
  AddByteCounts(data, n, c.Bytes);
  uint64_t markValues[256] = {};
  AddByteCounts(marks, n, markValues);
  // The grid colours a byte by the low seven bits of its mark; a code that
  // names no colour shows as unmarked.
  for (int v = 0; v < 256; ++v) {
    const int colour = v & 0x7F;
    c.Marks[colour >= 1 && colour <= 6 ? colour : 0] += markValues[v];
  }
  return c;
}
