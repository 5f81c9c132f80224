#include "core/HexVectors.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace {

// A spaced line of 16 bytes is 48 characters, three vectors of 16: pair k
// at 3k and 3k + 1, its separator at 3k + 2. Its 32 digits are two vectors
// of 16, digit i of pair i / 2. These masks move characters between the two
// layouts with byte shuffles; -128 makes a 0.
struct TLineMasks {
  int8_t Spread[3][2][16];  // line vector, digit vector: which digit lands here
  int8_t Gather[2][3][16];  // digit vector, line vector: where each digit comes from
  int8_t Seps[3][16];       // line vector: where the separators come from
  char Blanks[3][16];       // line vector: the separators written, 0 elsewhere
};

constexpr TLineMasks MakeLineMasks() {
  TLineMasks m{};
  for (int v = 0; v < 3; ++v)
    for (int j = 0; j < 16; ++j) {
      m.Spread[v][0][j] = m.Spread[v][1][j] = m.Seps[v][j] = -128;
      m.Gather[0][v][j] = m.Gather[1][v][j] = -128;
    }
  for (int pos = 0; pos < 48; ++pos) {
    const int v = pos / 16, j = pos % 16, k = pos / 3, r = pos % 3;
    if (r == 2) {
      m.Blanks[v][j] = pos == 47 ? '\n' : ' ';
      m.Seps[v][k] = int8_t(j);
      continue;
    }
    const int digit = 2 * k + r;
    m.Spread[v][digit / 16][j] = int8_t(digit % 16);
    m.Gather[digit / 16][v][digit % 16] = int8_t(j);
  }
  return m;
}
constexpr TLineMasks LineMasks = MakeLineMasks();

__attribute__((target("ssse3"))) inline __m128i Load(const void* p) {
  return _mm_loadu_si128(static_cast<const __m128i*>(p));
}

__attribute__((target("ssse3"))) inline void Store(void* p, __m128i v) {
  _mm_storeu_si128(static_cast<__m128i*>(p), v);
}

// The 32 digits of 16 bytes, high digit first.
__attribute__((target("ssse3"))) inline void Digits(const uint8_t* p, __m128i& first, __m128i& second) {
  const __m128i table = Load("0123456789ABCDEF");
  const __m128i low4 = _mm_set1_epi8(0x0F);
  const __m128i v = Load(p);
  const __m128i hi = _mm_shuffle_epi8(table, _mm_and_si128(_mm_srli_epi16(v, 4), low4));
  const __m128i lo = _mm_shuffle_epi8(table, _mm_and_si128(v, low4));
  first = _mm_unpacklo_epi8(hi, lo);
  second = _mm_unpackhi_epi8(hi, lo);
}

// 16 characters as 16 digit values; false when one is no hex digit. Setting
// bit 5 folds the upper-case letters onto the lower-case ones; the digits are
// tested on the characters as they are, since the fold would also turn
// control characters 0x10..0x19 into digits.
__attribute__((target("ssse3"))) inline bool Nibbles(__m128i v, __m128i& values) {
  const __m128i digit =
      _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8('0' - 1)), _mm_cmplt_epi8(v, _mm_set1_epi8('9' + 1)));
  const __m128i folded = _mm_or_si128(v, _mm_set1_epi8(0x20));
  const __m128i letter =
      _mm_and_si128(_mm_cmpgt_epi8(folded, _mm_set1_epi8('a' - 1)), _mm_cmplt_epi8(folded, _mm_set1_epi8('f' + 1)));
  values = _mm_add_epi8(_mm_and_si128(v, _mm_set1_epi8(0x0F)), _mm_and_si128(letter, _mm_set1_epi8(9)));
  return _mm_movemask_epi8(_mm_or_si128(digit, letter)) == 0xFFFF;
}

// Two vectors of digit values, high digit first, as 16 bytes.
__attribute__((target("ssse3"))) inline __m128i Pack(__m128i first, __m128i second) {
  const __m128i weights = _mm_set1_epi16(0x0110);  // 16 for the high digit, 1 for the low
  return _mm_packus_epi16(_mm_maddubs_epi16(first, weights), _mm_maddubs_epi16(second, weights));
}

__attribute__((target("ssse3"))) inline __m128i Shuffle(__m128i v, const int8_t* mask) {
  return _mm_shuffle_epi8(v, Load(mask));
}

const bool HasSsse3 = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("ssse3") != 0;
}();

}  // namespace

bool HexVectorsAvailable() { return HasSsse3; }

__attribute__((target("ssse3"))) char* WriteHexLinesVector(const uint8_t* p, size_t lines, char* d) {
  const TLineMasks& m = LineMasks;
  for (; lines > 0; --lines, p += 16, d += 48) {
    __m128i first, second;
    Digits(p, first, second);
    Store(d, _mm_or_si128(Shuffle(first, m.Spread[0][0]), Load(m.Blanks[0])));
    Store(d + 16, _mm_or_si128(_mm_or_si128(Shuffle(first, m.Spread[1][0]), Shuffle(second, m.Spread[1][1])),
                               Load(m.Blanks[1])));
    Store(d + 32, _mm_or_si128(Shuffle(second, m.Spread[2][1]), Load(m.Blanks[2])));
  }
  return d;
}

__attribute__((target("ssse3"))) char* WriteHexPlainVector(const uint8_t* p, size_t blocks, char* d) {
  for (; blocks > 0; --blocks, p += 16, d += 32) {
    __m128i first, second;
    Digits(p, first, second);
    Store(d, first);
    Store(d + 16, second);
  }
  return d;
}

__attribute__((target("ssse3"))) size_t ReadHexSpacedVector(const char* s, size_t most, uint8_t* out) {
  const TLineMasks& m = LineMasks;
  size_t done = 0;
  for (; done < most; ++done, s += 48, out += 16) {
    const __m128i a = Load(s), b = Load(s + 16), c = Load(s + 32);
    const __m128i first = _mm_or_si128(Shuffle(a, m.Gather[0][0]), Shuffle(b, m.Gather[0][1]));
    const __m128i second = _mm_or_si128(Shuffle(b, m.Gather[1][1]), Shuffle(c, m.Gather[1][2]));
    const __m128i seps =
        _mm_or_si128(_mm_or_si128(Shuffle(a, m.Seps[0]), Shuffle(b, m.Seps[1])), Shuffle(c, m.Seps[2]));
    const __m128i blank =
        _mm_or_si128(_mm_cmpeq_epi8(seps, _mm_set1_epi8(' ')), _mm_cmpeq_epi8(seps, _mm_set1_epi8('\n')));
    __m128i v0, v1;
    const bool digits = Nibbles(first, v0) & Nibbles(second, v1);
    if (!digits || _mm_movemask_epi8(blank) != 0xFFFF) break;
    Store(out, Pack(v0, v1));
  }
  return done;
}

__attribute__((target("ssse3"))) size_t ReadHexPlainVector(const char* s, size_t most, uint8_t* out) {
  size_t done = 0;
  for (; done < most; ++done, s += 32, out += 16) {
    __m128i v0, v1;
    const bool digits = Nibbles(Load(s), v0) & Nibbles(Load(s + 16), v1);
    if (!digits) break;
    Store(out, Pack(v0, v1));
  }
  return done;
}

#else

bool HexVectorsAvailable() { return false; }
char* WriteHexLinesVector(const uint8_t*, size_t, char* d) { return d; }
char* WriteHexPlainVector(const uint8_t*, size_t, char* d) { return d; }
size_t ReadHexSpacedVector(const char*, size_t, uint8_t*) { return 0; }
size_t ReadHexPlainVector(const char*, size_t, uint8_t*) { return 0; }

#endif
