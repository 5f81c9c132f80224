// Copying 64 MiB of random bytes out as text and reading the text back, each
// measured in alternation with a memcpy of the same amount in the same run:
//
//   format    FormatBytes into a string that already has the room (as after
//             the caller's reserve) / memcpy of the text's size
//   read      ParseHexText of the text, the result newly allocated as the
//             caller gets it / memcpy of the text's size; and once more
//             against memcpy of the text plus a fresh copy of the result,
//             which any reader that hands out new bytes pays for: the first
//             writes to 64 MiB of new memory (the kernel's page faults and
//             zeroing) cost more than the reading itself
//
// and, for the record, Base64 written and read on its own.
//
//   bench_core_byte_text [--benchmark_filter=...]
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "PairedTiming.h"
#include "core/ByteText.h"

namespace {

constexpr size_t Size = size_t(64) << 20;
constexpr int Rounds = 9;

std::vector<uint8_t> Bytes;

void SetUp() {
  if (!Bytes.empty()) return;
  Bytes.resize(Size);
  uint64_t x = 0x9E3779B97F4A7C15ull;
  for (size_t i = 0; i < Size; i += 8) {
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    std::memcpy(&Bytes[i], &x, 8);
  }
}

std::string TextOf(TCopyFormat f) {
  std::string text;
  FormatBytes(f, Bytes.data(), Bytes.size(), text);
  return text;
}

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "%s: wrong result\n", what);
    std::exit(2);
  }
}

// A buffer whose pages are all in memory, as the target of the baseline.
std::vector<char> Touched(size_t n) { return std::vector<char>(n, 1); }

void BM_Format(benchmark::State& state) {
  SetUp();
  const auto f = TCopyFormat(state.range(0));
  const std::string expected = TextOf(f);
  const std::vector<char> from(expected.begin(), expected.end());
  std::vector<char> to = Touched(expected.size());
  std::string out;
  out.reserve(expected.size());
  TPairedTiming timing("memcpy", "format", "ms");
  for (auto _ : state) {
    state.SetIterationTime(timing.Round(
        [&] {
          return TimeOf([&] {
            std::memcpy(to.data(), from.data(), from.size());
            benchmark::DoNotOptimize(to.data());
          });
        },
        [&] {
          out.clear();
          return TimeOf([&] {
            FormatBytes(f, Bytes.data(), Bytes.size(), out);
            benchmark::DoNotOptimize(out.data());
          });
        }));
    Check(out == expected, "format");
  }
  const char* names[] = {"", "HexSpaced", "HexPlain", "CArray"};
  timing.Report(state, std::string("64 MiB as ") + names[state.range(0)] + " text, against memcpy of its size");
}

void BM_ReadHex(benchmark::State& state) {
  SetUp();
  const auto f = TCopyFormat(state.range(0));
  const bool fresh = state.range(1) != 0;
  const std::string text = TextOf(f);
  std::vector<char> to = Touched(text.size());
  std::optional<std::vector<uint8_t>> got;
  std::vector<uint8_t> copy;
  TPairedTiming timing(fresh ? "memcpy+new" : "memcpy", "read", "ms");
  for (auto _ : state) {
    got.reset();
    copy = std::vector<uint8_t>();
    state.SetIterationTime(timing.Round(
        [&] {
          return TimeOf([&] {
            std::memcpy(to.data(), text.data(), text.size());
            benchmark::DoNotOptimize(to.data());
            if (fresh) {
              copy = Bytes;
              benchmark::DoNotOptimize(copy.data());
            }
          });
        },
        [&] { return TimeOf([&] { got = ParseHexText(text); }); }));
    Check(got && *got == Bytes, "read");
  }
  const char* names[] = {"", "HexSpaced", "HexPlain", "CArray"};
  timing.Report(state, std::string("ParseHexText of 64 MiB as ") + names[state.range(0)] +
                           " text, against memcpy of the text's size" +
                           (fresh ? " and a fresh copy of the bytes" : ""));
}

// Unpaired: the median time of a round, in the summary.
void Record(const char* title, std::vector<double> seconds) {
  std::sort(seconds.begin(), seconds.end());
  char line[256];
  std::snprintf(line, sizeof line, "%s: %.1f ms (median of %zu rounds)", title, seconds[seconds.size() / 2] * 1e3,
                seconds.size());
  SummaryLines().push_back(line);
}

void BM_Base64Format(benchmark::State& state) {
  SetUp();
  std::string out;
  out.reserve(size_t(CopyTextSize(TCopyFormat::Base64, Size)));
  std::vector<double> seconds;
  for (auto _ : state) {
    out.clear();
    const TSample t = TimeOf([&] { FormatBytes(TCopyFormat::Base64, Bytes.data(), Bytes.size(), out); });
    state.SetIterationTime(t.Wall);
    seconds.push_back(t.Cpu);
  }
  Record("Base64 of 64 MiB, written (cpu)", seconds);
}

void BM_Base64Read(benchmark::State& state) {
  SetUp();
  const std::string text = TextOf(TCopyFormat::Base64);
  std::optional<std::vector<uint8_t>> got;
  std::vector<double> seconds;
  for (auto _ : state) {
    got.reset();
    const TSample t = TimeOf([&] { got = ParseBase64Text(text); });
    state.SetIterationTime(t.Wall);
    seconds.push_back(t.Cpu);
    Check(got && *got == Bytes, "Base64");
  }
  Record("Base64 of 64 MiB, read (cpu)", seconds);
}

#define BQ_TEXT_BENCH(name) BENCHMARK(name)->Iterations(Rounds)->UseManualTime()->Unit(benchmark::kMillisecond)
BQ_TEXT_BENCH(BM_Format)
    ->Arg(int(TCopyFormat::HexSpaced))
    ->Arg(int(TCopyFormat::HexPlain))
    ->Arg(int(TCopyFormat::CArray));
BQ_TEXT_BENCH(BM_ReadHex)
    ->Args({int(TCopyFormat::HexSpaced), 0})
    ->Args({int(TCopyFormat::HexSpaced), 1})
    ->Args({int(TCopyFormat::HexPlain), 0})
    ->Args({int(TCopyFormat::CArray), 0});
BQ_TEXT_BENCH(BM_Base64Format);
BQ_TEXT_BENCH(BM_Base64Read);

}  // namespace

int main(int argc, char** argv) { return RunPairedBenchmarks(argc, argv) ? 0 : 1; }
