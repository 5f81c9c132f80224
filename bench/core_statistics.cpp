// The counting behind File ▸ Info/statistic over a 1 GiB document, each
// against a plain baseline over the same bytes in the same run:
//
//   random bytes       the program's count / one table, one byte at a time
//   one repeated value the same; the single table stalls here, since every
//                      increment waits for the one before it
//   whole report       the report's lines (data and marks counted) / the
//                      single table over data and marks
//   random bytes       the program's count / a plain byte sum (how close the
//                      count comes to reading the bytes at all)
//
//   bench_core_statistics [--benchmark_filter=...]
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchDocument.h"
#include "PairedTiming.h"
#include "commands/InfoCommands.h"
#include "core/ByteHistogram.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/Globals.h"

namespace {

constexpr int64_t Big = int64_t(1) << 30;

TLayoutView BenchView(40);
TBenchDocument Random, Repeated;
bool Built = false;

void Fill(uint8_t* p, int64_t n, uint64_t seed) {
  uint64_t x = seed;
  for (int64_t i = 0; i + 8 <= n; i += 8) {
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    std::memcpy(p + i, &x, 8);
  }
}

void SetUp() {
  if (Built) return;
  Built = true;
  ResetGlobals();
  SetSeams(nullptr, &BenchView);
  ResizeDocData(Big);
  FreshDocMarks(Big);
  Doc.DocSize = int32_t(Big);
  Fill(Doc.DocData, Big, 0x9E3779B97F4A7C15ull);
  // Mostly unmarked, with marked stretches here and there.
  for (int64_t i = 0; i < Big; i += 1 << 20) std::memset(Doc.DocMarks + i, int(1 + (i >> 20) % 6), 4096);
  Random = TakeDocument();
  ResizeDocData(Big);
  FreshDocMarks(Big);
  Doc.DocSize = int32_t(Big);
  std::memset(Doc.DocData, 0x41, size_t(Big));
  std::memset(Doc.DocMarks, 0, size_t(Big));
  Repeated = TakeDocument();
}

// The plain way: one counter per value, one byte at a time.
__attribute__((noinline)) void PlainCount(const uint8_t* p, size_t n, uint64_t counts[256]) {
  for (size_t i = 0; i < n; ++i) ++counts[p[i]];
}

__attribute__((noinline)) uint64_t PlainSum(const uint8_t* p, size_t n) {
  uint64_t s = 0;
  for (size_t i = 0; i < n; ++i) s += p[i];
  return s;
}

enum TCase { RandomBytes, RepeatedValue, WholeReport, RandomAgainstSum };

void Check(bool ok) {
  if (!ok) {
    std::fprintf(stderr, "the counts are wrong\n");
    std::exit(2);
  }
}

void BM_Statistics(benchmark::State& state) {
  SetUp();
  const auto kind = TCase(state.range(0));
  const char* titles[] = {"Count 1 GiB of random bytes", "Count 1 GiB of one repeated value",
                          "The whole report of a 1 GiB document (data and marks)",
                          "Count 1 GiB of random bytes, against a byte sum"};
  const TBenchDocument& doc = kind == RepeatedValue ? Repeated : Random;
  const size_t n = size_t(doc.Size);
  TPairedTiming timing(kind == RandomAgainstSum ? "byte sum" : "one table", "program", "ms");
  for (auto _ : state) {
    uint64_t plain[256] = {}, ours[256] = {};
    state.SetIterationTime(timing.Round(
        [&] {
          return TimeOf([&] {
            if (kind == RandomAgainstSum) {
              benchmark::DoNotOptimize(PlainSum(doc.Data, n));
              return;
            }
            PlainCount(doc.Data, n, plain);
            if (kind == WholeReport) {
              uint64_t marks[256] = {};
              PlainCount(doc.Marks, n, marks);
              benchmark::DoNotOptimize(marks);
            }
            benchmark::DoNotOptimize(plain);
          });
        },
        [&] {
          if (kind == WholeReport) {
            PutDocument(doc);
            std::vector<std::string> lines;
            const TSample t = TimeOf([&] { lines = InfoStatisticLines(); });
            TakeDocument();
            Check(lines.size() == 276);
            return t;
          }
          return TimeOf([&] { AddByteCounts(doc.Data, n, ours); });
        }));
    if (kind == RandomBytes || kind == RepeatedValue) Check(std::memcmp(plain, ours, sizeof plain) == 0);
  }
  state.SetLabel(titles[kind]);
  timing.Report(state, titles[kind]);
}

BENCHMARK(BM_Statistics)->DenseRange(0, 3)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!RunPairedBenchmarks(argc, argv)) return 1;
  FreeDocument(Random);
  FreeDocument(Repeated);
  return 0;
}
