// The byte search over 1 GiB against the C library's scan of the same bytes
// for a byte that does not occur (memchr forwards, memrchr backwards),
// measured in alternation in the same run:
//   - random bytes, an 8-byte pattern;
//   - repetitive text whose commonest letters start the pattern;
//   - the worst case: "AAAAAAAB" in a document of A's (no match at all);
//   - for the record: a periodic pattern whose rare last byte rules every
//     position out ("AB" x 20 + "AC" in "ABAB..."), and one that no two-byte
//     prefilter can rule out ("AB" x 20 + "BA"), where the linear-time
//     fallback does the work.
// The only match lies in the 4 KiB the scan reaches last: at the end for
// forward searches, at the start for backward ones. Exact and case-folded.
//
//   bench_core_search [--benchmark_filter=...]
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "PairedTiming.h"
#include "core/Search.h"

namespace {

constexpr int64_t Size = int64_t(1) << 30;
constexpr int Rounds = 7;

struct TDoc {
  uint8_t* Data = nullptr;
  uint8_t Absent = 0;    // a byte value that occurs nowhere
  std::string Placed;    // the bytes of the one match, as they stand in the data
  std::string Saved[2];  // what the match covers at the start and at the end
  int64_t MatchAt = -1;
};

TDoc RandomDoc, TextDoc, AsDoc, AbDoc;

uint64_t Next(uint64_t& s) {
  s ^= s << 13;
  s ^= s >> 7;
  s ^= s << 17;
  return s;
}

void Allocate(TDoc& d) {
  d.Data = static_cast<uint8_t*>(std::malloc(size_t(Size)));
  if (!d.Data) {
    std::fprintf(stderr, "cannot allocate 1 GiB\n");
    std::exit(2);
  }
}

// Puts the match 1 KiB into the first 4 KiB (atStart) or into the last 4 KiB,
// and takes it away from the other end.
void PlaceMatch(TDoc& d, bool atStart) {
  const int64_t n = int64_t(d.Placed.size());
  const int64_t starts[2] = {1024, Size - 3072};
  if (d.Saved[0].empty())
    for (int i = 0; i < 2; ++i) d.Saved[i].assign(reinterpret_cast<char*>(d.Data + starts[i]), size_t(n));
  for (int i = 0; i < 2; ++i) std::memcpy(d.Data + starts[i], d.Saved[i].data(), size_t(n));
  if (d.Placed.empty()) return;
  d.MatchAt = starts[atStart ? 0 : 1];
  std::memcpy(d.Data + d.MatchAt, d.Placed.data(), size_t(n));
}

void BuildRandom() {
  Allocate(RandomDoc);
  uint64_t s = 0x9E3779B97F4A7C15ull;
  for (int64_t i = 0; i < Size; i += 8) {
    const uint64_t v = Next(s);
    std::memcpy(RandomDoc.Data + i, &v, 8);
  }
  RandomDoc.Absent = 0x7F;
  for (int64_t i = 0; i < Size; ++i)
    if (RandomDoc.Data[i] == 0x7F) RandomDoc.Data[i] = 0x3F;
  RandomDoc.Placed = "\x9c\x13q\xe4Z\x02\xc8G";
}

void BuildText() {
  Allocate(TextDoc);
  const std::string paragraph =
      "the theory that these three thin thieves thought through the thicket at the time is the thing "
      "that they then told the teacher, and the teacher then told the town; there the tale took its "
      "turn, as tales tend to, and the truth that travelled with it got thinner at each telling. ";
  for (int64_t i = 0; i < Size; i += int64_t(paragraph.size()))
    std::memcpy(TextDoc.Data + i, paragraph.data(), size_t(std::min<int64_t>(int64_t(paragraph.size()), Size - i)));
  TextDoc.Absent = 0x01;
  TextDoc.Placed = "The Thief Took The Torch";
}

void BuildAs() {
  Allocate(AsDoc);
  std::memset(AsDoc.Data, 'A', size_t(Size));
  AsDoc.Absent = 'B';
}

void BuildAb() {
  Allocate(AbDoc);
  for (int64_t i = 0; i < Size; i += 2) {
    AbDoc.Data[i] = 'A';
    AbDoc.Data[i + 1] = 'B';
  }
  AbDoc.Absent = 'C';
}

void SetUp() {
  static bool built = false;
  if (built) return;
  built = true;
  BuildRandom();
  BuildText();
  BuildAs();
  BuildAb();
}

void Check(int32_t got, int64_t expected, const char* what) {
  if (got != expected) {
    std::fprintf(stderr, "%s: found %d, expected %lld\n", what, got, static_cast<long long>(expected));
    std::exit(2);
  }
}

// pattern: what to look for (the placed bytes, or another case of them).
void RunSearch(benchmark::State& state, TDoc& d, const std::string& pattern, bool caseSensitive, bool backward,
               const char* title) {
  SetUp();
  PlaceMatch(d, backward);
  const int64_t expected = d.Placed.empty() ? -1 : d.MatchAt;
  const auto* pat = reinterpret_cast<const uint8_t*>(pattern.data());
  const int32_t n = int32_t(pattern.size());
  const int32_t start = backward ? int32_t(Size - 1) : 0;
  TPairedTiming timing(backward ? "memrchr" : "memchr", "search", "ms");
  int32_t found = -2;
  const void* hit = nullptr;
  for (auto _ : state) {
    state.SetIterationTime(timing.Round(
        [&] {
          return TimeOf([&] {
            hit = backward ? memrchr(d.Data, d.Absent, size_t(Size)) : std::memchr(d.Data, d.Absent, size_t(Size));
            benchmark::DoNotOptimize(hit);
          });
        },
        [&] {
          return TimeOf([&] {
            found = FindBytes(d.Data, int32_t(Size), pat, n, caseSensitive, start, backward);
            benchmark::DoNotOptimize(found);
          });
        }));
    Check(found, expected, title);
    if (hit) {
      std::fprintf(stderr, "%s: the baseline byte occurs\n", title);
      std::exit(2);
    }
  }
  timing.Report(state, title);
}

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = char(c - 32);
  return s;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  return s;
}

void BM_RandomExactForward(benchmark::State& s) {
  RunSearch(s, RandomDoc, RandomDoc.Placed, true, false, "random bytes, exact, forwards");
}
void BM_RandomExactBackward(benchmark::State& s) {
  RunSearch(s, RandomDoc, RandomDoc.Placed, true, true, "random bytes, exact, backwards");
}
void BM_RandomFoldedForward(benchmark::State& s) {
  RunSearch(s, RandomDoc, Lower(RandomDoc.Placed), false, false, "random bytes, folded, forwards");
}
void BM_RandomFoldedBackward(benchmark::State& s) {
  RunSearch(s, RandomDoc, Lower(RandomDoc.Placed), false, true, "random bytes, folded, backwards");
}
void BM_TextExactForward(benchmark::State& s) {
  RunSearch(s, TextDoc, TextDoc.Placed, true, false, "text, exact, forwards");
}
void BM_TextExactBackward(benchmark::State& s) {
  RunSearch(s, TextDoc, TextDoc.Placed, true, true, "text, exact, backwards");
}
void BM_TextFoldedForward(benchmark::State& s) {
  RunSearch(s, TextDoc, Upper(TextDoc.Placed), false, false, "text, folded, forwards");
}
void BM_TextFoldedBackward(benchmark::State& s) {
  RunSearch(s, TextDoc, Lower(TextDoc.Placed), false, true, "text, folded, backwards");
}
void BM_WorstExactForward(benchmark::State& s) {
  RunSearch(s, AsDoc, "AAAAAAAB", true, false, "AAAAAAAB in A's, exact, forwards");
}
void BM_WorstExactBackward(benchmark::State& s) {
  RunSearch(s, AsDoc, "AAAAAAAB", true, true, "AAAAAAAB in A's, exact, backwards");
}
void BM_WorstFoldedForward(benchmark::State& s) {
  RunSearch(s, AsDoc, "aaaaaaab", false, false, "AAAAAAAB in A's, folded, forwards");
}
void BM_WorstFoldedBackward(benchmark::State& s) {
  RunSearch(s, AsDoc, "aaaaaaab", false, true, "AAAAAAAB in A's, folded, backwards");
}

std::string Periodic(const char* tail) {
  std::string p;
  for (int i = 0; i < 20; ++i) p += "AB";
  return p + tail;
}
void BM_PeriodicExactForward(benchmark::State& s) {
  RunSearch(s, AbDoc, Periodic("AC"), true, false, "(AB)x20 AC in ABAB..., exact, forwards");
}
void BM_PeriodicFoldedBackward(benchmark::State& s) {
  RunSearch(s, AbDoc, Lower(Periodic("AC")), false, true, "(AB)x20 AC in ABAB..., folded, backwards");
}
void BM_FallbackExactForward(benchmark::State& s) {
  RunSearch(s, AbDoc, Periodic("BA"), true, false, "(AB)x20 BA in ABAB..., exact, forwards (fallback)");
}
void BM_FallbackFoldedBackward(benchmark::State& s) {
  RunSearch(s, AbDoc, Lower(Periodic("BA")), false, true, "(AB)x20 BA in ABAB..., folded, backwards (fallback)");
}

#define BQ_SEARCH_BENCH(name) BENCHMARK(name)->Iterations(Rounds)->UseManualTime()->Unit(benchmark::kMillisecond)
BQ_SEARCH_BENCH(BM_RandomExactForward);
BQ_SEARCH_BENCH(BM_RandomExactBackward);
BQ_SEARCH_BENCH(BM_RandomFoldedForward);
BQ_SEARCH_BENCH(BM_RandomFoldedBackward);
BQ_SEARCH_BENCH(BM_TextExactForward);
BQ_SEARCH_BENCH(BM_TextExactBackward);
BQ_SEARCH_BENCH(BM_TextFoldedForward);
BQ_SEARCH_BENCH(BM_TextFoldedBackward);
BQ_SEARCH_BENCH(BM_WorstExactForward);
BQ_SEARCH_BENCH(BM_WorstExactBackward);
BQ_SEARCH_BENCH(BM_WorstFoldedForward);
BQ_SEARCH_BENCH(BM_WorstFoldedBackward);
BQ_SEARCH_BENCH(BM_PeriodicExactForward);
BQ_SEARCH_BENCH(BM_PeriodicFoldedBackward);
BQ_SEARCH_BENCH(BM_FallbackExactForward);
BQ_SEARCH_BENCH(BM_FallbackFoldedBackward);

}  // namespace

int main(int argc, char** argv) {
  if (!RunPairedBenchmarks(argc, argv)) return 1;
  std::free(RandomDoc.Data);
  std::free(TextDoc.Data);
  std::free(AsDoc.Data);
  std::free(AbDoc.Data);
  return 0;
}
