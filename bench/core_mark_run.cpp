// The marked run at the cursor over 1 GiB of marks, all of one colour with
// the cursor in the middle (the worst case: both scans cross half the
// document), against the C library's memchr over the same 1 GiB for a byte
// that does not occur, measured in alternation in the same run.
//
//   bench_core_mark_run [--benchmark_filter=...]
#include <cstdlib>
#include <cstring>

#include "PairedTiming.h"
#include "core/DocState.h"
#include "core/RangePick.h"

namespace {

constexpr int64_t Size = int64_t(1) << 30;
constexpr int Rounds = 9;

void BM_MarkedRunAgainstMemchr(benchmark::State& state) {
  auto* marks = static_cast<uint8_t*>(std::malloc(size_t(Size)));
  if (!marks) {
    state.SkipWithError("cannot allocate 1 GiB");
    return;
  }
  std::memset(marks, 3, size_t(Size));
  Doc.DocMarks = marks;
  Doc.DocSize = int32_t(Size - 1);
  TPairedTiming timing("memchr", "marked_run", "ms");
  volatile const void* sink = nullptr;
  int32_t count = 0;
  for (auto _ : state)
    state.SetIterationTime(timing.Round([&] { return TimeOf([&] { sink = std::memchr(marks, 7, size_t(Size)); }); },
                                        [&] { return TimeOf([&] { count = MarkedRunAt(Doc.DocSize / 2).Count; }); }));
  if (count != Doc.DocSize) state.SkipWithError("the run is not the whole document");
  timing.Report(state, "marked run at the cursor over 1 GiB of one colour / memchr of 1 GiB");
  Doc.DocMarks = nullptr;
  Doc.DocSize = 0;
  std::free(marks);
  (void)sink;
}

BENCHMARK(BM_MarkedRunAgainstMemchr)->Iterations(Rounds)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunPairedBenchmarks(argc, argv) ? 0 : 1; }
