// Replace all over a 100 MiB document with 10,000 occurrences of an 8-byte
// sequence, replaced by 12 bytes, by 4 and by nothing, forwards and
// backwards; the Undo of each run and its Redo; and Find and mark of 100,000
// occurrences of a 4-byte sequence. Each is measured in the same run as the
// plain baseline: one memcpy of the document. Last, the time Replace all
// estimates for itself against the time it really takes.
//
//   bench_core_replace [--benchmark_filter=...]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchDocument.h"
#include "PairedTiming.h"
#include "actions/Actions.h"
#include "commands/ReplaceCommands.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/FindState.h"
#include "core/Globals.h"
#include "core/Helpers.h"

namespace {

constexpr int64_t Size = int64_t(100) << 20;
constexpr int64_t Hits = 10000;
constexpr int64_t MarkHits = 100000;
const std::string Pattern = "QZXJVKWY";
const std::string MarkPattern = "QZXJ";

// Answers the Find dialog with All, and Yes to the time question.
class TBenchHost : public TNullHost {
 public:
  int ShowFindDialog(TFindMode) override { return FindAllResult; }
  int MessageDialog(const std::string&, TMsgDlgType, TMsgDlgButtons, int, int) override { return mrYes; }
};

TBenchHost BenchHost;
TLayoutView BenchView(40);
std::vector<uint8_t> Copy, Pristine;

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::exit(2);
}

// Lower-case filler with the pattern at evenly spaced places.
void MakeDocument(const std::string& pattern, int64_t hits) {
  ActionList().Forget();
  ResizeDocData(Size);
  FreshDocMarks(Size);
  Doc.DocSize = int32_t(Size);
  for (int64_t i = 0; i < Size; ++i) Doc.DocData[i] = uint8_t('a' + (i * 7 + (i >> 12)) % 26);
  const int64_t gap = Size / hits;
  for (int64_t k = 0; k < hits; ++k) std::memcpy(Doc.DocData + k * gap + gap / 2, pattern.data(), pattern.size());
  BenchView.RequestLayout();
  Copy.resize(size_t(Size));
  Pristine.assign(Doc.DocData, Doc.DocData + Size);
}

// Back to the document as made, with no history.
void Restore() {
  ActionList().Forget();
  ResizeDocData(Size);
  ResizeDocMarks(Size);
  Doc.DocSize = int32_t(Size);
  std::memcpy(Doc.DocData, Pristine.data(), size_t(Size));
  std::memset(Doc.DocMarks, 0, size_t(Size));
  BenchView.RequestLayout();
}

void Release() {
  ActionList().Forget();
  ResizeDocData(0);
  ResizeDocMarks(0);
  Doc.DocSize = 0;
}

TSample Memcpy() {
  return TimeOf([] {
    std::memcpy(Copy.data(), Pristine.data(), size_t(Size));
    benchmark::DoNotOptimize(Copy.data());
  });
}

void BM_ReplaceAll(benchmark::State& state) {
  const int32_t length = int32_t(state.range(0));
  const bool backward = state.range(1) != 0;
  MakeDocument(Pattern, Hits);
  TFindState& s = FindState();
  s.FindData.SetBuf(std::vector<uint8_t>(Pattern.begin(), Pattern.end()));
  s.ReplaceData.SetBuf(std::vector<uint8_t>(size_t(length), uint8_t('#')));
  s.ConfirmCB = false;
  s.BeginCursorRB = false;
  s.DirectionUpRB = backward;
  s.CaseCB = true;
  const int64_t expected = Size + Hits * (length - int64_t(Pattern.size()));
  TPairedTiming run("memcpy", "replace_all", "ms"), undo("memcpy", "undo", "ms"), redo("memcpy", "redo", "ms");
  for (auto _ : state) {
    double t = run.Round(Memcpy, [&] { return TimeOf(ReplaceMainMenuItemClick); });
    if (Doc.DocSize != expected || !ActionList().CanUndo()) Fail("the replacement did not do its work");
    // The history keeps the newest few hundred replacements of the run;
    // Undo takes back those.
    const int64_t kept = ActionList().Index() + 1;
    t += undo.Round(Memcpy, [] { return TimeOf([] { ActionList().Undo(); }); });
    if (Doc.DocSize != expected - kept * (length - int64_t(Pattern.size()))) Fail("the undo did not do its work");
    t += redo.Round(Memcpy, [] { return TimeOf([] { ActionList().Redo(); }); });
    if (Doc.DocSize != expected) Fail("the redo did not do its work");
    Restore();
    state.SetIterationTime(t);
  }
  const std::string title = "Replace all, 10,000 x 8 bytes by " + std::to_string(length) + ", " +
                            (backward ? "backwards" : "forwards") + ", 100 MiB";
  state.SetLabel(title);
  run.Report(state, title);
  undo.Report(state, "  its Undo (the kept replacements)");
  redo.Report(state, "  its Redo");
  Release();
}

void BM_FindAndMark(benchmark::State& state) {
  const int64_t hits = state.range(0);
  MakeDocument(MarkPattern, hits);
  TFindState& s = FindState();
  s.FindData.SetBuf(std::vector<uint8_t>(MarkPattern.begin(), MarkPattern.end()));
  s.ConfirmCB = false;
  s.BeginCursorRB = false;
  s.DirectionUpRB = false;
  s.CaseCB = true;
  s.MarkColour = 3;
  TPairedTiming timing("memcpy", "find_and_mark", "ms");
  for (auto _ : state) {
    state.SetIterationTime(timing.Round(Memcpy, [] { return TimeOf(FindAndMarkMainMenuItemClick); }));
    if (!ActionList().CanUndo()) Fail("nothing was marked");
    Restore();
  }
  const std::string title = "Find and mark, " + std::to_string(hits) + " x 4 bytes, 100 MiB";
  state.SetLabel(title);
  timing.Report(state, title);
  Release();
}

// The time Replace all projects for itself against the time it takes:
// 00 replaced by 01 in a document where one byte in every `every` is 00 and
// the others are not (every 1: all zeros). The run sees no question unless
// its estimate exceeds a minute, and then answers Yes.
void BM_ReplaceEstimate(benchmark::State& state) {
  const int64_t size = state.range(0) << 20;
  const int64_t every = state.range(1);
  const auto make = [&] {
    ActionList().Forget();
    ResizeDocData(size);
    FreshDocMarks(size);
    Doc.DocSize = int32_t(size);
    for (int64_t i = 0; i < size; ++i) Doc.DocData[i] = i % every == 0 ? 0 : uint8_t(2 + i % 200);
    BenchView.RequestLayout();
  };
  TFindState& s = FindState();
  s.FindData.SetBuf({0});
  s.ReplaceData.SetBuf({1});
  s.ConfirmCB = false;
  s.BeginCursorRB = false;
  s.DirectionUpRB = false;
  s.CaseCB = true;
  std::vector<double> estimates, measured, ratios;
  for (auto _ : state) {
    make();
    const TSample t = TimeOf(ReplaceMainMenuItemClick);
    if (Doc.DocData[0] != 1 || Doc.DocData[size - every] != 1) Fail("the replacement did not do its work");
    const double estimate = LastReplaceEstimateMs();
    if (estimate < 0) Fail("the run made no estimate");
    estimates.push_back(estimate);
    measured.push_back(t.Wall * 1e3);
    ratios.push_back(estimate / (t.Wall * 1e3));
    state.SetIterationTime(t.Wall);
  }
  const auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  const int64_t hits = (size + every - 1) / every;
  char title[160];
  std::snprintf(title, sizeof title, "Replace all 00 by 01, %lld hits in %lld MiB", (long long)hits,
                (long long)(size >> 20));
  state.SetLabel(title);
  state.counters["estimate_ms"] = median(estimates);
  state.counters["measured_ms"] = median(measured);
  state.counters["estimate_ratio"] = median(ratios);
  char line[320];
  std::snprintf(line, sizeof line, "%s (%zu runs, medians): estimate %.0f ms, measured %.0f ms, ratio %.2f", title,
                estimates.size(), median(estimates), median(measured), median(ratios));
  SummaryLines().push_back(line);
  Release();
}

BENCHMARK(BM_ReplaceAll)
    ->ArgsProduct({{12, 4, 0}, {0, 1}})
    ->Iterations(7)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAndMark)
    ->Arg(MarkHits / 10)
    ->Arg(MarkHits)
    ->Iterations(7)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
// All zeros (every byte a hit), the bytes of the question that once asked
// 23 minutes (one hit in 256, 1 GiB and a quarter of it), and a sparse
// document (a hit per MiB).
BENCHMARK(BM_ReplaceEstimate)
    ->Args({64, 1})
    ->Args({256, 256})
    ->Args({1024, 256})
    ->Args({1024, 1 << 20})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  ResetGlobals();
  SetSeams(&BenchHost, &BenchView);
  if (!RunPairedBenchmarks(argc, argv)) return 1;
  return 0;
}
