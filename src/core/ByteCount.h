// Counting and comparing large byte ranges at memory speed, for the passes
// over whole documents (compare, bulk marking).
#pragma once

#include <cstddef>
#include <cstdint>

// How many i in [0, n) have a[i] != b[i].
size_t CountDifferent(const uint8_t* a, const uint8_t* b, size_t n);
// How many bytes of p[0 .. n) are not value.
size_t CountNotEqual(const uint8_t* p, size_t n, uint8_t value);
// out[i] = a[i] != b[i] ? ifDifferent : ifEqual.
void SelectByDifference(const uint8_t* a, const uint8_t* b, size_t n, uint8_t ifEqual, uint8_t ifDifferent,
                        uint8_t* out);
