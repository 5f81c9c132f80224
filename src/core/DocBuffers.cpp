#include "core/DocBuffers.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <new>

#include "core/DocState.h"

std::function<bool(size_t)> AllocationFailureHook;

void ThrowIfAllocationFails(size_t bytes) {
  if (AllocationFailureHook && AllocationFailureHook(bytes)) throw std::bad_alloc();
}

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
  PreferHugePages(buffer, wanted);
}

}  // namespace

// A large document is moved and filled in runs of hundreds of megabytes, and
// every page that is new to it costs a fault. Huge pages make that a few
// hundred faults instead of tens of thousands, and give back memory as fast
// when the document shrinks. Where the system offers no huge pages this is
// only a hint that is ignored.
void PreferHugePages(uint8_t* buffer, int64_t capacity) {
#ifdef MADV_HUGEPAGE
  constexpr int64_t Worthwhile = int64_t(8) << 20;
  if (!buffer || capacity < Worthwhile) return;
  const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
  // The whole pages the buffer touches: a hint on part of the allocator's
  // mapping would split it in two, and realloc could then no longer move it
  // by remapping but would copy it.
  const uintptr_t begin = uintptr_t(buffer) / page * page;
  const uintptr_t end = (uintptr_t(buffer) + uintptr_t(capacity) + page - 1) / page * page;
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)buffer;
  (void)capacity;
#endif
}

void ResizeDocData(int64_t n) { Reallocate(Doc.DocData, Doc.DocDataCapacity, n); }

void ResizeDocMarks(int64_t n) { Reallocate(Doc.DocMarks, Doc.DocMarksCapacity, n); }

void FreshDocMarks(int64_t n) {
  const int64_t wanted = CapacityFor(n);
  uint8_t* fresh = nullptr;
  if (wanted > 0) {
    if (InjectedFailure(size_t(wanted))) throw std::bad_alloc();
    fresh = static_cast<uint8_t*>(std::calloc(size_t(wanted), 1));
    if (!fresh) throw std::bad_alloc();
    PreferHugePages(fresh, wanted);
  }
  std::free(Doc.DocMarks);
  Doc.DocMarks = fresh;
  Doc.DocMarksCapacity = Stored(wanted);
}
