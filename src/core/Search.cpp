#include "core/Search.h"

#include <cstring>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#define BQ_SEARCH_X86 1
#endif

namespace {

struct TByteMap {
  uint8_t Map[256];
  constexpr explicit TByteMap(bool fold) : Map() {
    for (int b = 0; b < 256; ++b) Map[b] = fold ? FoldCase(uint8_t(b)) : uint8_t(b);
  }
};
constexpr TByteMap FoldMap(true);
constexpr TByteMap SameMap(false);

// A folded byte that has a small partner: the folded capitals.
bool HasPartner(uint8_t folded) {
  return (folded >= 0x41 && folded <= 0x5A) || (folded >= 0xC0 && folded <= 0xD6) || (folded >= 0xD8 && folded <= 0xDE);
}

// How common a byte tends to be in the files people search: blanks, zero
// bytes and the frequent small letters lead, control codes and bytes above
// 127 trail. Only the order matters: the search looks for the two pattern
// bytes that promise the fewest false candidates.
int Commonness(uint8_t b) {
  if (b == ' ' || b == 0) return 250;
  if (std::strchr("etaoinsrhl", b)) return 230;
  if (b >= 'a' && b <= 'z') return std::strchr("jqxz", b) ? 120 : 190;
  if (b == '\n' || b == '\r' || b == '\t' || b == 0xFF) return 180;
  if (b >= '0' && b <= '9') return 160;
  if (std::strchr(".,-_/\"'", b)) return 150;
  if (b >= 'A' && b <= 'Z') return std::strchr("JQXZ", b) ? 80 : 130;
  if (b < 32) return 70;
  if (b < 128) return 100;
  return 60;
}

// Everything one search needs. The prefilter accepts position p when
// (data[p + I1] | Or1) == Want1 and (data[p + I2] | Or2) == Want2: with Or 0 an
// exact byte, with Or 0x20 a letter and its partner (and, harmlessly, a few
// other bytes that the full comparison then rejects).
struct TPlan {
  const uint8_t* Data = nullptr;
  int64_t Size = 0, N = 0, Last = 0;
  const uint8_t* Pat = nullptr;  // folded when folding
  const uint8_t* Map = SameMap.Map;
  bool Fold = false;
  int64_t I1 = 0, I2 = 0;
  uint8_t Or1 = 0, Want1 = 0, Or2 = 0, Want2 = 0;
  int64_t Slack = 0;
  int64_t Work = 0;  // bytes compared at candidates so far
};

void ChoosePair(TPlan& pl) {
  // Between bytes that look equally common, the one the pattern itself
  // repeats least: data that resembles the pattern repeats it as often.
  int64_t inPattern[256] = {};
  for (int64_t k = 0; k < pl.N; ++k) ++inPattern[pl.Pat[k]];
  auto rank = [&](int64_t k) {
    const uint8_t c = pl.Pat[k];
    const int64_t repeats = inPattern[c] < 255 ? inPattern[c] : 255;
    return int64_t(Commonness(pl.Fold && HasPartner(c) ? uint8_t(c | 0x20) : c)) * 256 + repeats;
  };
  int64_t i1 = 0;
  for (int64_t k = 1; k < pl.N; ++k)
    if (rank(k) < rank(i1)) i1 = k;
  // The second byte should differ from the first where the pattern allows:
  // in AAAAAAAB the B is what rules positions out.
  int64_t i2 = -1;
  for (int64_t k = 0; k < pl.N; ++k)
    if (pl.Pat[k] != pl.Pat[i1] && (i2 < 0 || rank(k) < rank(i2))) i2 = k;
  if (i2 < 0) i2 = pl.N == 1 ? 0 : (i1 == pl.N - 1 ? 0 : pl.N - 1);
  auto filter = [&](int64_t k, uint8_t& orMask, uint8_t& want) {
    const uint8_t c = pl.Pat[k];
    orMask = pl.Fold && HasPartner(c) ? 0x20 : 0;
    want = uint8_t(c | orMask);
  };
  pl.I1 = i1;
  pl.I2 = i2;
  filter(i1, pl.Or1, pl.Want1);
  filter(i2, pl.Or2, pl.Want2);
}

// The number of leading pattern bytes that agree at p; N for a match.
int64_t Agree(const TPlan& pl, int64_t p) {
  const uint8_t* d = pl.Data + p;
  int64_t k = 0;
  if (!pl.Fold) {
    for (; k + 8 <= pl.N; k += 8) {
      uint64_t a, b;
      std::memcpy(&a, d + k, 8);
      std::memcpy(&b, pl.Pat + k, 8);
      if (a != b) break;
    }
    while (k < pl.N && d[k] == pl.Pat[k]) ++k;
    return k;
  }
  while (k < pl.N && FoldMap.Map[d[k]] == pl.Pat[k]) ++k;
  return k;
}

bool Matches(TPlan& pl, int64_t p) {
  const int64_t a = Agree(pl, p);
  pl.Work += a + 1;
  return a == pl.N;
}

// Comparing candidates has cost more than scanning: time for the linear matcher.
bool OverBudget(const TPlan& pl, int64_t scanned) { return pl.Work > 2 * scanned + pl.Slack; }

// A scan's outcome: a match (or -1), or, when it gave up, the position from
// which the linear matcher goes on.
struct TScan {
  int64_t Pos;
  bool GaveUp;
};

bool Candidate(const TPlan& pl, int64_t p) {
  return (pl.Data[p + pl.I1] | pl.Or1) == pl.Want1 && (pl.Data[p + pl.I2] | pl.Or2) == pl.Want2;
}

// origin: where the whole scan began, for the budget.
TScan ForwardPlain(TPlan& pl, int64_t from, int64_t origin) {
  for (int64_t p = from; p <= pl.Last; ++p)
    if (Candidate(pl, p)) {
      if (Matches(pl, p)) return {p, false};
      if (OverBudget(pl, p - origin)) return {p + 1, true};
    }
  return {-1, false};
}

TScan BackwardPlain(TPlan& pl, int64_t from, int64_t origin) {
  for (int64_t p = from; p >= 0; --p)
    if (Candidate(pl, p)) {
      if (Matches(pl, p)) return {p, false};
      if (OverBudget(pl, origin - p)) return {p - 1, true};
    }
  return {-1, false};
}

#ifdef BQ_SEARCH_X86

// Candidates at q .. q + 63 (forwards) are the set bits of the mask, lowest
// first; backwards the highest bit is tried first.
#define BQ_TRY_FORWARD(q0, mask)                        \
  while (mask) {                                        \
    const int64_t q = (q0) + __builtin_ctzll(mask);     \
    mask &= mask - 1;                                   \
    if (Matches(pl, q)) return {q, false};              \
    if (OverBudget(pl, q - from)) return {q + 1, true}; \
  }

#define BQ_TRY_BACKWARD(q0, mask)                       \
  while (mask) {                                        \
    const int bit = 63 - __builtin_clzll(mask);         \
    mask &= ~(uint64_t(1) << bit);                      \
    const int64_t q = (q0) + bit;                       \
    if (Matches(pl, q)) return {q, false};              \
    if (OverBudget(pl, from - q)) return {q - 1, true}; \
  }

__attribute__((target("avx2"))) inline uint64_t MaskAvx2(const TPlan& pl, int64_t q) {
  const __m256i o1 = _mm256_set1_epi8(char(pl.Or1)), w1 = _mm256_set1_epi8(char(pl.Want1));
  const __m256i o2 = _mm256_set1_epi8(char(pl.Or2)), w2 = _mm256_set1_epi8(char(pl.Want2));
  const uint8_t* a = pl.Data + pl.I1 + q;
  const uint8_t* b = pl.Data + pl.I2 + q;
  const __m256i m0 = _mm256_and_si256(
      _mm256_cmpeq_epi8(_mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(a)), o1), w1),
      _mm256_cmpeq_epi8(_mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(b)), o2), w2));
  const __m256i m1 = _mm256_and_si256(
      _mm256_cmpeq_epi8(_mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + 32)), o1), w1),
      _mm256_cmpeq_epi8(_mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + 32)), o2), w2));
  const __m256i any = _mm256_or_si256(m0, m1);
  if (_mm256_testz_si256(any, any)) return 0;
  return uint64_t(uint32_t(_mm256_movemask_epi8(m0))) | uint64_t(uint32_t(_mm256_movemask_epi8(m1))) << 32;
}

inline uint64_t MaskSse2(const TPlan& pl, int64_t q) {
  const __m128i o1 = _mm_set1_epi8(char(pl.Or1)), w1 = _mm_set1_epi8(char(pl.Want1));
  const __m128i o2 = _mm_set1_epi8(char(pl.Or2)), w2 = _mm_set1_epi8(char(pl.Want2));
  const uint8_t* a = pl.Data + pl.I1 + q;
  const uint8_t* b = pl.Data + pl.I2 + q;
  uint64_t mask = 0;
  for (int i = 0; i < 4; ++i) {
    const __m128i m = _mm_and_si128(
        _mm_cmpeq_epi8(_mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + 16 * i)), o1), w1),
        _mm_cmpeq_epi8(_mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 16 * i)), o2), w2));
    mask |= uint64_t(uint32_t(_mm_movemask_epi8(m))) << (16 * i);
  }
  return mask;
}

// Blocks of 64 positions while whole blocks fit below Last, then the rest
// one by one. The loads of a block reach at most Last + max(I1, I2), which is
// inside the data.
__attribute__((target("avx2"))) TScan ForwardAvx2(TPlan& pl, int64_t from) {
  int64_t p = from;
  for (; p + 63 <= pl.Last; p += 64) {
    uint64_t mask = MaskAvx2(pl, p);
    BQ_TRY_FORWARD(p, mask)
  }
  return ForwardPlain(pl, p, from);
}

__attribute__((target("avx2"))) TScan BackwardAvx2(TPlan& pl, int64_t from) {
  int64_t p = from;
  for (; p - 63 >= 0; p -= 64) {
    uint64_t mask = MaskAvx2(pl, p - 63);
    BQ_TRY_BACKWARD(p - 63, mask)
  }
  return BackwardPlain(pl, p, from);
}

TScan ForwardSse2(TPlan& pl, int64_t from) {
  int64_t p = from;
  for (; p + 63 <= pl.Last; p += 64) {
    uint64_t mask = MaskSse2(pl, p);
    BQ_TRY_FORWARD(p, mask)
  }
  return ForwardPlain(pl, p, from);
}

TScan BackwardSse2(TPlan& pl, int64_t from) {
  int64_t p = from;
  for (; p - 63 >= 0; p -= 64) {
    uint64_t mask = MaskSse2(pl, p - 63);
    BQ_TRY_BACKWARD(p - 63, mask)
  }
  return BackwardPlain(pl, p, from);
}

#undef BQ_TRY_FORWARD
#undef BQ_TRY_BACKWARD

#endif  // BQ_SEARCH_X86

// Knuth-Morris-Pratt on the (folded) bytes: linear in the data for any
// pattern. Backwards it runs on the reversed pattern over the data read
// from the top down.
std::vector<int32_t> Failure(const TPlan& pl, bool reversed) {
  const int64_t n = pl.N;
  auto at = [&](int64_t k) { return reversed ? pl.Pat[n - 1 - k] : pl.Pat[k]; };
  std::vector<int32_t> fail(size_t(n), 0);
  for (int64_t i = 1, k = 0; i < n; ++i) {
    while (k > 0 && at(i) != at(k)) k = fail[size_t(k - 1)];
    if (at(i) == at(k)) ++k;
    fail[size_t(i)] = int32_t(k);
  }
  return fail;
}

int64_t LinearForward(const TPlan& pl, int64_t from) {
  const std::vector<int32_t> fail = Failure(pl, false);
  int64_t k = 0;
  for (int64_t i = from; i < pl.Size; ++i) {
    const uint8_t c = pl.Map[pl.Data[i]];
    while (k > 0 && c != pl.Pat[k]) k = fail[size_t(k - 1)];
    if (c == pl.Pat[k] && ++k == pl.N) return i - pl.N + 1;
  }
  return -1;
}

int64_t LinearBackward(const TPlan& pl, int64_t from) {
  const std::vector<int32_t> fail = Failure(pl, true);
  const int64_t n = pl.N;
  int64_t k = 0;
  for (int64_t i = from + n - 1; i >= 0; --i) {
    const uint8_t c = pl.Map[pl.Data[i]];
    while (k > 0 && c != pl.Pat[n - 1 - k]) k = fail[size_t(k - 1)];
    if (c == pl.Pat[n - 1 - k] && ++k == n) return i;
  }
  return -1;
}

}  // namespace

int MaxSearchLevel() {
#ifdef BQ_SEARCH_X86
  static const int level = __builtin_cpu_supports("avx2") ? 2 : 1;
  return level;
#else
  return 0;
#endif
}

int32_t FindBytes(const uint8_t* data, int32_t size, const uint8_t* pattern, int32_t n, bool caseSensitive,
                  int32_t start, bool backward, const TSearchTuning& tuning) {
  if (!data || size <= 0 || !pattern || n <= 0 || n > size) return -1;
  const int64_t last = int64_t(size) - n;
  int64_t from = start;
  if (backward) {
    if (from < 0) return -1;
    if (from > last) from = last;
  } else {
    if (from > last) return -1;
    if (from < 0) from = 0;
  }

  if (caseSensitive && n == 1) {
    const void* hit = backward ? memrchr(data, pattern[0], size_t(from + 1))
                               : std::memchr(data + from, pattern[0], size_t(last - from + 1));
    return hit ? int32_t(static_cast<const uint8_t*>(hit) - data) : -1;
  }

  TPlan pl;
  pl.Data = data;
  pl.Size = size;
  pl.N = n;
  pl.Last = last;
  pl.Fold = !caseSensitive;
  pl.Slack = tuning.Slack;
  std::vector<uint8_t> folded;
  if (pl.Fold) {
    folded.assign(pattern, pattern + n);
    for (uint8_t& c : folded) c = FoldMap.Map[c];
    pl.Pat = folded.data();
    pl.Map = FoldMap.Map;
  } else {
    pl.Pat = pattern;
  }
  ChoosePair(pl);

  const int level = tuning.Level < MaxSearchLevel() ? tuning.Level : MaxSearchLevel();
  TScan r{-1, false};
#ifdef BQ_SEARCH_X86
  if (level >= 2)
    r = backward ? BackwardAvx2(pl, from) : ForwardAvx2(pl, from);
  else if (level == 1)
    r = backward ? BackwardSse2(pl, from) : ForwardSse2(pl, from);
  else
#endif
    r = backward ? BackwardPlain(pl, from, from) : ForwardPlain(pl, from, from);
  (void)level;
  if (!r.GaveUp) return int32_t(r.Pos);
  if (backward) return r.Pos < 0 ? -1 : int32_t(LinearBackward(pl, r.Pos));
  return r.Pos > last ? -1 : int32_t(LinearForward(pl, r.Pos));
}
