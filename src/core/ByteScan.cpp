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

// Portable: eight bytes at a time, four words per round. A word differs from
// a run of value when it differs from value repeated in every byte.
uint64_t Word(const uint8_t* p) {
  uint64_t w;
  std::memcpy(&w, p, sizeof w);
  return w;
}

uint64_t Repeated(uint8_t value) { return uint64_t(value) * 0x0101010101010101ull; }

const uint8_t* FirstOtherBytewise(const uint8_t* p, const uint8_t* end, uint8_t value) {
  for (; p < end; ++p)
    if (*p != value) return p;
  return nullptr;
}

const uint8_t* LastOtherBytewise(const uint8_t* begin, const uint8_t* p, uint8_t value) {
  while (p > begin)
    if (*--p != value) return p;
  return nullptr;
}

}  // namespace

const uint8_t* FindByteNotPortable(const uint8_t* p, size_t n, uint8_t value) {
  const uint8_t* end = p + n;
  const uint64_t v = Repeated(value);
  while (end - p >= 32) {
    if (((Word(p) ^ v) | (Word(p + 8) ^ v) | (Word(p + 16) ^ v) | (Word(p + 24) ^ v)) != 0)
      return FirstOtherBytewise(p, p + 32, value);
    p += 32;
  }
  return FirstOtherBytewise(p, end, value);
}

const uint8_t* FindLastByteNotPortable(const uint8_t* p, size_t n, uint8_t value) {
  const uint8_t* end = p + n;
  const uint64_t v = Repeated(value);
  while (end - p >= 32) {
    if (((Word(end - 8) ^ v) | (Word(end - 16) ^ v) | (Word(end - 24) ^ v) | (Word(end - 32) ^ v)) != 0)
      return LastOtherBytewise(end - 32, end, value);
    end -= 32;
  }
  return LastOtherBytewise(p, end, value);
}

const uint8_t* FindNonZeroPortable(const uint8_t* p, size_t n) { return FindByteNotPortable(p, n, 0); }

const uint8_t* FindLastNonZeroPortable(const uint8_t* p, size_t n) { return FindLastByteNotPortable(p, n, 0); }

size_t CountNonZeroPortable(const uint8_t* p, size_t n) {
  size_t count = 0;
  for (size_t i = 0; i < n; ++i) count += p[i] != 0;
  return count;
}

namespace {

#ifdef BQ_X86

// Bit k set when byte k of the 32 in v differs from the byte repeated in v.
__attribute__((target("avx2"))) inline uint32_t OtherBits(__m256i v, __m256i value) {
  return ~uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, value)));
}

__attribute__((target("avx2"))) inline __m256i Load(const uint8_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

__attribute__((target("avx2"))) inline __m256i LoadAligned(const uint8_t* p) {
  return _mm256_load_si256(reinterpret_cast<const __m256i*>(p));
}

// True when any of the 128 bytes in a..d differs from value.
__attribute__((target("avx2"))) inline bool AnyOther(__m256i a, __m256i b, __m256i c, __m256i d, __m256i value) {
  const __m256i any = _mm256_or_si256(_mm256_or_si256(_mm256_xor_si256(a, value), _mm256_xor_si256(b, value)),
                                      _mm256_or_si256(_mm256_xor_si256(c, value), _mm256_xor_si256(d, value)));
  return !_mm256_testz_si256(any, any);
}

// The first 32 bytes are tested unaligned, then the loop runs on 32-byte
// aligned blocks, 128 bytes a round; the last 32 bytes are tested unaligned
// again, overlapping bytes already known to equal value.
__attribute__((target("avx2"))) const uint8_t* FindByteNotAvx2(const uint8_t* p, size_t n, uint8_t byte) {
  if (n < 32) return FirstOtherBytewise(p, p + n, byte);
  const __m256i value = _mm256_set1_epi8(char(byte));
  const uint8_t* end = p + n;
  if (const uint32_t bits = OtherBits(Load(p), value)) return p + __builtin_ctz(bits);
  p = reinterpret_cast<const uint8_t*>((reinterpret_cast<uintptr_t>(p) + 32) & ~uintptr_t(31));
  while (end - p >= 128) {
    const __m256i a = LoadAligned(p), b = LoadAligned(p + 32), c = LoadAligned(p + 64), d = LoadAligned(p + 96);
    if (AnyOther(a, b, c, d, value)) {
      if (const uint32_t bits = OtherBits(a, value)) return p + __builtin_ctz(bits);
      if (const uint32_t bits = OtherBits(b, value)) return p + 32 + __builtin_ctz(bits);
      if (const uint32_t bits = OtherBits(c, value)) return p + 64 + __builtin_ctz(bits);
      return p + 96 + __builtin_ctz(OtherBits(d, value));
    }
    p += 128;
  }
  while (end - p >= 32) {
    if (const uint32_t bits = OtherBits(Load(p), value)) return p + __builtin_ctz(bits);
    p += 32;
  }
  if (p == end) return nullptr;
  const uint32_t bits = OtherBits(Load(end - 32), value);
  return bits ? end - 32 + __builtin_ctz(bits) : nullptr;
}

// The mirror image: from the end towards the start.
__attribute__((target("avx2"))) const uint8_t* FindLastByteNotAvx2(const uint8_t* p, size_t n, uint8_t byte) {
  if (n < 32) return LastOtherBytewise(p, p + n, byte);
  const __m256i value = _mm256_set1_epi8(char(byte));
  const uint8_t* end = p + n;
  if (const uint32_t bits = OtherBits(Load(end - 32), value)) return end - 1 - __builtin_clz(bits);
  end = reinterpret_cast<const uint8_t*>((reinterpret_cast<uintptr_t>(end) - 1) & ~uintptr_t(31));
  while (end - p >= 128) {
    const __m256i d = LoadAligned(end - 32), c = LoadAligned(end - 64), b = LoadAligned(end - 96),
                  a = LoadAligned(end - 128);
    if (AnyOther(a, b, c, d, value)) {
      if (const uint32_t bits = OtherBits(d, value)) return end - 1 - __builtin_clz(bits);
      if (const uint32_t bits = OtherBits(c, value)) return end - 33 - __builtin_clz(bits);
      if (const uint32_t bits = OtherBits(b, value)) return end - 65 - __builtin_clz(bits);
      return end - 97 - __builtin_clz(OtherBits(a, value));
    }
    end -= 128;
  }
  while (end - p >= 32) {
    if (const uint32_t bits = OtherBits(Load(end - 32), value)) return end - 1 - __builtin_clz(bits);
    end -= 32;
  }
  if (p == end) return nullptr;
  const uint32_t bits = OtherBits(Load(p), value);
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

const uint8_t* FindByteNot(const uint8_t* p, size_t n, uint8_t value) {
#ifdef BQ_X86
  if (HasAvx2) return FindByteNotAvx2(p, n, value);
#endif
  return FindByteNotPortable(p, n, value);
}

const uint8_t* FindLastByteNot(const uint8_t* p, size_t n, uint8_t value) {
#ifdef BQ_X86
  if (HasAvx2) return FindLastByteNotAvx2(p, n, value);
#endif
  return FindLastByteNotPortable(p, n, value);
}

const uint8_t* FindNonZero(const uint8_t* p, size_t n) { return FindByteNot(p, n, 0); }

const uint8_t* FindLastNonZero(const uint8_t* p, size_t n) { return FindLastByteNot(p, n, 0); }

size_t CountNonZero(const uint8_t* p, size_t n) {
#ifdef BQ_X86
  if (HasAvx2) return CountNonZeroAvx2(p, n);
#endif
  return CountNonZeroPortable(p, n);
}
