#include "core/ByteCount.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

#if defined(__SSE2__)
// Equal bytes are counted in byte lanes (at most 255 vectors between sums),
// then added up with a sum of absolute differences.
template <class Load2>
size_t CountEqualVectors(size_t vectors, Load2 equalMask) {
  size_t equal = 0;
  const __m128i zero = _mm_setzero_si128();
  for (size_t v = 0; v < vectors;) {
    const size_t batch = std::min<size_t>(255, vectors - v);
    __m128i lanes = zero;
    for (size_t k = 0; k < batch; ++k, ++v) lanes = _mm_sub_epi8(lanes, equalMask(v));
    const __m128i sums = _mm_sad_epu8(lanes, zero);
    equal += size_t(_mm_cvtsi128_si64(sums)) + size_t(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
  }
  return equal;
}
#endif

}  // namespace

size_t CountDifferent(const uint8_t* a, const uint8_t* b, size_t n) {
  size_t count = 0, i = 0;
#if defined(__SSE2__)
  const size_t vectors = n / 16;
  count = vectors * 16 - CountEqualVectors(vectors, [&](size_t v) {
            return _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + 16 * v)),
                                  _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + 16 * v)));
          });
  i = vectors * 16;
#endif
  for (; i < n; ++i) count += a[i] != b[i];
  return count;
}

size_t CountNotEqual(const uint8_t* p, size_t n, uint8_t value) {
  size_t count = 0, i = 0;
#if defined(__SSE2__)
  const size_t vectors = n / 16;
  const __m128i v16 = _mm_set1_epi8(char(value));
  count = vectors * 16 - CountEqualVectors(vectors, [&](size_t v) {
            return _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * v)), v16);
          });
  i = vectors * 16;
#endif
  for (; i < n; ++i) count += p[i] != value;
  return count;
}

void SelectByDifference(const uint8_t* __restrict a, const uint8_t* __restrict b, size_t n, uint8_t ifEqual,
                        uint8_t ifDifferent, uint8_t* __restrict out) {
  for (size_t i = 0; i < n; ++i) out[i] = a[i] != b[i] ? ifDifferent : ifEqual;
}
