// The checksum engine over 1 GiB of random bytes, each side measured in
// alternation in the same run:
//   - each algorithm alone against the same library's one-shot call over the
//     same buffer (EVP_Digest, crc32_z, adler32_z, XXH3_64bits);
//   - all algorithms together on one thread against the sum of the one-shot
//     calls, one after another;
//   - all together on two threads against all together on one (wall clock);
//   - how long a Stop takes to end a run of all together on two threads.
//
//   bench_core_digests [--benchmark_filter=...]
#include <openssl/evp.h>
#include <xxhash.h>
#include <zlib.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "PairedTiming.h"
#include "core/Digests.h"

namespace {

constexpr size_t Size = size_t(1) << 30;
constexpr int Rounds = 3;

const uint8_t* Data() {
  static uint8_t* data = [] {
    auto* p = static_cast<uint8_t*>(std::malloc(Size));
    uint64_t x = 0x9e3779b97f4a7c15u;
    for (size_t i = 0; p && i < Size; i += 8) {
      x ^= x << 13, x ^= x >> 7, x ^= x << 17;
      for (int k = 0; k < 8; ++k) p[i + size_t(k)] = uint8_t(x >> (8 * k));
    }
    return p;
  }();
  return data;
}

// The library's own one-call digest of the whole buffer.
uint64_t OneShot(TDigestKind kind, const uint8_t* p, size_t n) {
  switch (kind) {
    case TDigestKind::Crc32: return crc32_z(0, p, n);
    case TDigestKind::Adler32: return adler32_z(1, p, n);
    case TDigestKind::Xxh3_64: return XXH3_64bits(p, n);
    default: break;
  }
  static const EVP_MD* const mds[] = {nullptr,      nullptr,      EVP_md5(),      EVP_sha1(),
                                      EVP_sha224(), EVP_sha256(), EVP_sha384(),   EVP_sha512(),
                                      EVP_sha3_256(), EVP_blake2b512()};
  unsigned char md[EVP_MAX_MD_SIZE];
  unsigned int len = 0;
  EVP_Digest(p, n, md, &len, mds[int(kind)], nullptr);
  return md[0];
}

bool RunOver(TDigestKinds kinds, int threads) {
  TDigestRun run(Data(), Size, kinds, threads);
  return run.Run();
}

void BM_EachAgainstOneShot(benchmark::State& state) {
  if (!Data()) return state.SkipWithError("cannot allocate 1 GiB");
  const auto kind = TDigestKind(state.range(0));
  TPairedTiming timing("one_shot", "engine", "ms");
  volatile uint64_t sink = 0;
  bool ok = true;
  for (auto _ : state)
    state.SetIterationTime(timing.Round([&] { return TimeOf([&] { sink = OneShot(kind, Data(), Size); }); },
                                        [&] { return TimeOf([&] { ok = RunOver(DigestBit(kind), 1) && ok; }); }));
  if (!ok) state.SkipWithError("the run failed");
  timing.Report(state, std::string(DigestName(kind)) + " of 1 GiB / the library's one-shot call");
  (void)sink;
}

void BM_AllTogetherAgainstSum(benchmark::State& state) {
  if (!Data()) return state.SkipWithError("cannot allocate 1 GiB");
  TPairedTiming timing("sum_of_one_shots", "all_together", "ms");
  volatile uint64_t sink = 0;
  for (auto _ : state)
    state.SetIterationTime(timing.Round(
        [&] {
          return TimeOf([&] {
            for (int k = 0; k < DigestKindCount; ++k) sink = sink + OneShot(TDigestKind(k), Data(), Size);
          });
        },
        [&] { return TimeOf([&] { RunOver(AllDigestKinds, 1); }); }));
  timing.Report(state, "all eleven of 1 GiB on one thread / the sum of their one-shot calls");
  (void)sink;
}

void BM_TwoThreadsAgainstOne(benchmark::State& state) {
  if (!Data()) return state.SkipWithError("cannot allocate 1 GiB");
  TPairedTiming timing("one_thread", "two_threads", "ms");
  for (auto _ : state)
    state.SetIterationTime(timing.Round([&] { return TimeOf([&] { RunOver(AllDigestKinds, 1); }); },
                                        [&] { return TimeOf([&] { RunOver(AllDigestKinds, 2); }); }));
  timing.Report(state, "all eleven of 1 GiB on two threads / on one thread (compare the wall ratio)");
}

// From Stop to the end of Run, the time the Stop button keeps the window.
void BM_StopLatency(benchmark::State& state) {
  if (!Data()) return state.SkipWithError("cannot allocate 1 GiB");
  double worst = 0;
  for (auto _ : state) {
    TDigestRun run(Data(), Size, AllDigestKinds, 2);
    std::chrono::steady_clock::time_point stopped;
    std::thread stopper([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      stopped = std::chrono::steady_clock::now();
      run.Stop();
    });
    run.Run();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - stopped).count();
    stopper.join();
    state.SetIterationTime(ms / 1e3);
    worst = std::max(worst, ms);
  }
  state.counters["worst_ms"] = worst;
  SummaryLines().push_back("Stop of all eleven on two threads: worst " + std::to_string(worst) + " ms");
}

BENCHMARK(BM_EachAgainstOneShot)
    ->DenseRange(0, DigestKindCount - 1)
    ->Iterations(Rounds)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllTogetherAgainstSum)->Iterations(Rounds)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwoThreadsAgainstOne)->Iterations(Rounds)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StopLatency)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunPairedBenchmarks(argc, argv) ? 0 : 1; }
