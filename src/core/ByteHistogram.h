// How often each byte value occurs in a large range: the counts behind the
// file statistics, taken in one pass at memory speed.
#pragma once

#include <cstddef>
#include <cstdint>

// Adds to counts[v] the number of bytes of p[0 .. n) that equal v.
void AddByteCounts(const uint8_t* p, size_t n, uint64_t counts[256]);

// The counts of a document: each byte value of the data, and each mark
// colour as the grid shows it (code 0 and codes that name no colour are
// unmarked, at index 0; colours 1 .. 6 at their code).
struct TDocumentCounts {
  uint64_t Bytes[256] = {};
  uint64_t Marks[7] = {};
};

TDocumentCounts CountDocument(const uint8_t* data, const uint8_t* marks, size_t n);
