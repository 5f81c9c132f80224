// The byte search behind Find, Find next, Find previous, Replace and Find and
// mark: the nearest position, in one direction, at which a pattern lies
// wholly inside the data, compared exactly or with the case of letters
// folded. Every position counts, so matches may overlap.
//
// How it looks: two bytes of the pattern (the rarest-looking ones) are
// compared against 32 or 16 positions at a time with vector instructions,
// and only where both agree is the whole pattern compared. Should that
// comparing ever cost more than the scan itself (periodic patterns in
// periodic data), the rest of the range is searched with a matcher whose time
// is linear in the data, so no input takes quadratic time.
#pragma once

#include <cstdint>

// The case folding of the search: a byte in 0x61-0x7A, 0xE0-0xF6 or
// 0xF8-0xFE becomes its capital (b - 32); every other byte stays. So a-z, the
// accented small letters and o-slash to thorn pair with their capitals, while
// sharp s (0xDF), the division sign (0xF7) and y-diaeresis (0xFF) only match
// themselves.
constexpr uint8_t FoldCase(uint8_t b) {
  return ((b >= 0x61 && b <= 0x7A) || (b >= 0xE0 && b <= 0xF6) || (b >= 0xF8 && b <= 0xFE)) ? uint8_t(b - 32) : b;
}

// How the search may work; tests walk every level and provoke the fallback.
struct TSearchTuning {
  // 0 plain bytes, 1 SSE2, 2 AVX2; more than the processor has is lowered.
  int Level = 2;
  // Bytes compared at candidate positions that are allowed beyond twice the
  // bytes scanned before the linear-time matcher takes over.
  int64_t Slack = int64_t(1) << 16;
};

// The highest level this processor runs.
int MaxSearchLevel();

// The offset of the first byte of the nearest match of pattern[0..n) in
// data[0..size), trying start first and then going forwards (start + 1, ...)
// or backwards (start - 1, ...), or -1. Backwards, the first position tried is
// the smaller of start and size - n. A start after the last possible position
// (forwards) or below 0 (backwards) finds nothing; a forward start below 0
// begins at 0. An empty pattern or empty data finds nothing.
int32_t FindBytes(const uint8_t* data, int32_t size, const uint8_t* pattern, int32_t n, bool caseSensitive,
                  int32_t start, bool backward, const TSearchTuning& tuning = TSearchTuning());
