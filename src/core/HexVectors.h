// Hex text of 16 bytes at a time in vector registers, for copying whole
// documents as hex and reading them back near the speed of memory. The
// callers keep a plain loop for the rest and for processors without these
// instructions: each function here does only the regular stretches and
// leaves the rest to them.
#pragma once

#include <cstddef>
#include <cstdint>

// Whether the functions below may be called.
bool HexVectorsAvailable();

// Writes lines of 16 bytes as "XX XX ... XX\n", 48 characters each.
char* WriteHexLinesVector(const uint8_t* p, size_t lines, char* d);
// Writes blocks of 16 bytes as 32 digits.
char* WriteHexPlainVector(const uint8_t* p, size_t blocks, char* d);

// Reads up to `most` blocks of 48 characters, 16 pairs of digits each
// followed by a blank or a line break, into 16 bytes each; stops at the first
// block that is not such. Returns the number of blocks read.
size_t ReadHexSpacedVector(const char* s, size_t most, uint8_t* out);
// The same for blocks of 32 digits.
size_t ReadHexPlainVector(const char* s, size_t most, uint8_t* out);
