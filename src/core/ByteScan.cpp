#include "core/ByteScan.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define BQ_X86 1
#endif

const uint8_t* FindByte(const uint8_t* p, size_t n, uint8_t value) {
  if (n == 0) return nullptr;
  return static_cast<const uint8_t*>(std::memchr(p, value, n));
}

const uint8_t* FindLastByte(const uint8_t* p, size_t n, uint8_t value) {
  if (n == 0) return nullptr;
  return static_cast<const uint8_t*>(::memrchr(p, value, n));
}

namespace {

// Portable: eight bytes at a time, four words per round.
uint64_t Word(const uint8_t* p) {
  uint64_t w;
  std::memcpy(&w, p, sizeof w);
  return w;
}

const uint8_t* FirstNonZeroBytewise(const uint8_t* p, const uint8_t* end) {
  for (; p < end; ++p)
    if (*p) return p;
  return nullptr;
}

const uint8_t* LastNonZeroBytewise(const uint8_t* begin, const uint8_t* p) {
  while (p > begin)
    if (*--p) return p;
  return nullptr;
}

}  // namespace

const uint8_t* FindNonZeroPortable(const uint8_t* p, size_t n) {
  const uint8_t* end = p + n;
  while (end - p >= 32) {
    if ((Word(p) | Word(p + 8) | Word(p + 16) | Word(p + 24)) != 0) return FirstNonZeroBytewise(p, p + 32);
    p += 32;
  }
  return FirstNonZeroBytewise(p, end);
}

const uint8_t* FindLastNonZeroPortable(const uint8_t* p, size_t n) {
  const uint8_t* end = p + n;
  while (end - p >= 32) {
    if ((Word(end - 8) | Word(end - 16) | Word(end - 24) | Word(end - 32)) != 0)
      return LastNonZeroBytewise(end - 32, end);
    end -= 32;
  }
  return LastNonZeroBytewise(p, end);
}

size_t CountNonZeroPortable(const uint8_t* p, size_t n) {
  size_t count = 0;
  for (size_t i = 0; i < n; ++i) count += p[i] != 0;
  return count;
}

namespace {

#ifdef BQ_X86

// Bit k set when byte k of the 32 at p is not 0.
__attribute__((target("avx2"))) inline uint32_t NonZeroBits(__m256i v) {
  return ~uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, _mm256_setzero_si256())));
}

__attribute__((target("avx2"))) inline __m256i Load(const uint8_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

// The first 32 bytes are tested unaligned, then the loop runs on 32-byte
// aligned blocks, 128 bytes a round; the last 32 bytes are tested unaligned
// again, overlapping bytes already known to be 0.
__attribute__((target("avx2"))) const uint8_t* FindNonZeroAvx2(const uint8_t* p, size_t n) {
  if (n < 32) return FirstNonZeroBytewise(p, p + n);
  const uint8_t* end = p + n;
  if (const uint32_t bits = NonZeroBits(Load(p))) return p + __builtin_ctz(bits);
  p = reinterpret_cast<const uint8_t*>((reinterpret_cast<uintptr_t>(p) + 32) & ~uintptr_t(31));
  while (end - p >= 128) {
    const __m256i a = _mm256_load_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i b = _mm256_load_si256(reinterpret_cast<const __m256i*>(p + 32));
    const __m256i c = _mm256_load_si256(reinterpret_cast<const __m256i*>(p + 64));
    const __m256i d = _mm256_load_si256(reinterpret_cast<const __m256i*>(p + 96));
    const __m256i any = _mm256_or_si256(_mm256_or_si256(a, b), _mm256_or_si256(c, d));
    if (!_mm256_testz_si256(any, any)) {
      if (const uint32_t bits = NonZeroBits(a)) return p + __builtin_ctz(bits);
      if (const uint32_t bits = NonZeroBits(b)) return p + 32 + __builtin_ctz(bits);
      if (const uint32_t bits = NonZeroBits(c)) return p + 64 + __builtin_ctz(bits);
      return p + 96 + __builtin_ctz(NonZeroBits(d));
    }
    p += 128;
  }
  while (end - p >= 32) {
    if (const uint32_t bits = NonZeroBits(Load(p))) return p + __builtin_ctz(bits);
    p += 32;
  }
  if (p == end) return nullptr;
  const uint32_t bits = NonZeroBits(Load(end - 32));
  return bits ? end - 32 + __builtin_ctz(bits) : nullptr;
}

// The mirror image: from the end towards the start.
__attribute__((target("avx2"))) const uint8_t* FindLastNonZeroAvx2(const uint8_t* p, size_t n) {
  if (n < 32) return LastNonZeroBytewise(p, p + n);
  const uint8_t* end = p + n;
  if (const uint32_t bits = NonZeroBits(Load(end - 32))) return end - 1 - __builtin_clz(bits);
  end = reinterpret_cast<const uint8_t*>((reinterpret_cast<uintptr_t>(end) - 1) & ~uintptr_t(31));
  while (end - p >= 128) {
    const __m256i d = _mm256_load_si256(reinterpret_cast<const __m256i*>(end - 32));
    const __m256i c = _mm256_load_si256(reinterpret_cast<const __m256i*>(end - 64));
    const __m256i b = _mm256_load_si256(reinterpret_cast<const __m256i*>(end - 96));
    const __m256i a = _mm256_load_si256(reinterpret_cast<const __m256i*>(end - 128));
    const __m256i any = _mm256_or_si256(_mm256_or_si256(a, b), _mm256_or_si256(c, d));
    if (!_mm256_testz_si256(any, any)) {
      if (const uint32_t bits = NonZeroBits(d)) return end - 1 - __builtin_clz(bits);
      if (const uint32_t bits = NonZeroBits(c)) return end - 33 - __builtin_clz(bits);
      if (const uint32_t bits = NonZeroBits(b)) return end - 65 - __builtin_clz(bits);
      return end - 97 - __builtin_clz(NonZeroBits(a));
    }
    end -= 128;
  }
  while (end - p >= 32) {
    if (const uint32_t bits = NonZeroBits(Load(end - 32))) return end - 1 - __builtin_clz(bits);
    end -= 32;
  }
  if (p == end) return nullptr;
  const uint32_t bits = NonZeroBits(Load(p));
  return bits ? p + 31 - __builtin_clz(bits) : nullptr;
}

// Zero bytes per 32 by a compare and a population count; 128 bytes a round.
__attribute__((target("avx2,popcnt"))) inline size_t ZerosIn(const uint8_t* q) {
  return size_t(__builtin_popcount(uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(Load(q), _mm256_setzero_si256())))));
}

__attribute__((target("avx2,popcnt"))) size_t CountNonZeroAvx2(const uint8_t* p, size_t n) {
  size_t zeros = 0, i = 0;
  for (; i + 128 <= n; i += 128)
    zeros += ZerosIn(p + i) + ZerosIn(p + i + 32) + ZerosIn(p + i + 64) + ZerosIn(p + i + 96);
  for (; i + 32 <= n; i += 32) zeros += ZerosIn(p + i);
  return (i - zeros) + CountNonZeroPortable(p + i, n - i);
}

// Decided once; the features are read before any other constructor may run.
const bool HasAvx2 = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}();

#endif

}  // namespace

const uint8_t* FindNonZero(const uint8_t* p, size_t n) {
#ifdef BQ_X86
  if (HasAvx2) return FindNonZeroAvx2(p, n);
#endif
  return FindNonZeroPortable(p, n);
}

const uint8_t* FindLastNonZero(const uint8_t* p, size_t n) {
#ifdef BQ_X86
  if (HasAvx2) return FindLastNonZeroAvx2(p, n);
#endif
  return FindLastNonZeroPortable(p, n);
}

size_t CountNonZero(const uint8_t* p, size_t n) {
#ifdef BQ_X86
  if (HasAvx2) return CountNonZeroAvx2(p, n);
#endif
  return CountNonZeroPortable(p, n);
}
