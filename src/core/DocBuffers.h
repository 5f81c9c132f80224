// Ownership of the two document buffers. Capacity moves in 64 KiB steps so
// that single-byte inserts and deletes reallocate only at a step boundary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

constexpr int64_t DocBufferStep = 65536;

// Smallest multiple of the step that holds n bytes (64-bit: n may be near 2^31).
int64_t CapacityFor(int64_t n);

// Reallocate DocData / DocMarks to CapacityFor(n), keeping the content up to
// the smaller size. Throws std::bad_alloc when memory cannot be had; the
// buffer is then unchanged.
void ResizeDocData(int64_t n);
void ResizeDocMarks(int64_t n);

// Replace the mark buffer by a fresh one of the capacity for n bytes, every
// mark 0. The memory comes zeroed from the system, so marks nobody sets cost
// nothing. Throws std::bad_alloc; the buffer is then unchanged.
void FreshDocMarks(int64_t n);

// Asks the system to back a large buffer (the document, a copy in the
// history) with huge pages, so that filling it costs few page faults.
// Only a hint; small buffers are left alone.
void PreferHugePages(uint8_t* buffer, int64_t capacity);

// Tests set this to make chosen allocations fail: called with the number of
// bytes about to be allocated, a true answer fails that allocation.
extern std::function<bool(size_t)> AllocationFailureHook;
// Throws std::bad_alloc where that hook fails an allocation of bytes, for a
// buffer that is not made here.
void ThrowIfAllocationFails(size_t bytes);
