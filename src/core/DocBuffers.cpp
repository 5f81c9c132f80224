#include "core/DocBuffers.h"

#include <cstdlib>
#include <new>

#include "core/Globals.h"

std::function<bool(size_t)> AllocationFailureHook;

int64_t CapacityFor(int64_t n) {
  if (n <= 0) return 0;
  return ((n + DocBufferStep - 1) / DocBufferStep) * DocBufferStep;
}

namespace {

bool InjectedFailure(size_t bytes) { return AllocationFailureHook && AllocationFailureHook(bytes); }

// The capacity of a document of 2^31 - 1 bytes is 2^31, one more than the
// signed 32-bit variable holds; it is stored saturated.
int32_t Stored(int64_t capacity) { return int32_t(capacity > INT32_MAX ? INT32_MAX : capacity); }

// realloc keeps the content up to the smaller size; large blocks are moved by
// remapping pages, not by copying.
void Reallocate(uint8_t*& buffer, int32_t& capacity, int64_t n) {
  const int64_t wanted = CapacityFor(n);
  if (Stored(wanted) == capacity) return;
  if (wanted == 0) {
    std::free(buffer);
    buffer = nullptr;
    capacity = 0;
    return;
  }
  if (wanted > INT32_MAX + int64_t(1) || InjectedFailure(size_t(wanted))) throw std::bad_alloc();
  void* p = std::realloc(buffer, size_t(wanted));
  if (!p) throw std::bad_alloc();
  buffer = static_cast<uint8_t*>(p);
  capacity = Stored(wanted);
}

}  // namespace

void ResizeDocData(int64_t n) { Reallocate(G.DocData, G.DocDataCapacity, n); }

void ResizeDocMarks(int64_t n) { Reallocate(G.DocMarks, G.DocMarksCapacity, n); }

void FreshDocMarks(int64_t n) {
  const int64_t wanted = CapacityFor(n);
  uint8_t* fresh = nullptr;
  if (wanted > 0) {
    if (InjectedFailure(size_t(wanted))) throw std::bad_alloc();
    fresh = static_cast<uint8_t*>(std::calloc(size_t(wanted), 1));
    if (!fresh) throw std::bad_alloc();
  }
  std::free(G.DocMarks);
  G.DocMarks = fresh;
  G.DocMarksCapacity = Stored(wanted);
}
