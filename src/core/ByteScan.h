// Searches over large byte buffers at the speed of memory: whole vectors are
// compared at a time. Each returns a pointer to the hit inside [p, p + n), or
// nullptr when there is none (always for n = 0).
#pragma once

#include <cstddef>
#include <cstdint>

// The first / last byte equal to value.
const uint8_t* FindByte(const uint8_t* p, size_t n, uint8_t value);
const uint8_t* FindLastByte(const uint8_t* p, size_t n, uint8_t value);

// The first / last byte that differs from value: the ends of a run of value.
const uint8_t* FindByteNot(const uint8_t* p, size_t n, uint8_t value);
const uint8_t* FindLastByteNot(const uint8_t* p, size_t n, uint8_t value);

// The first / last byte that is not 0.
const uint8_t* FindNonZero(const uint8_t* p, size_t n);
const uint8_t* FindLastNonZero(const uint8_t* p, size_t n);

// How many bytes are not 0.
size_t CountNonZero(const uint8_t* p, size_t n);

// The same without vector instructions, used where the processor lacks them.
const uint8_t* FindByteNotPortable(const uint8_t* p, size_t n, uint8_t value);
const uint8_t* FindLastByteNotPortable(const uint8_t* p, size_t n, uint8_t value);
const uint8_t* FindNonZeroPortable(const uint8_t* p, size_t n);
const uint8_t* FindLastNonZeroPortable(const uint8_t* p, size_t n);
size_t CountNonZeroPortable(const uint8_t* p, size_t n);
