// The jumps to marks and to equal bytes over a 1 GiB document, each against
// memchr or memrchr over the same bytes in the same run; and Unmark all over
// 64 MiB of marked bytes against clearing them with memset.
//
// Every scan crosses the whole document: the one byte it finds sits at the
// far end, and memchr / memrchr look for the same value over the same range.
// "untouched" documents come straight from the allocator (the mark buffer
// zeroed by the system, never written); in "touched" ones every byte has
// been written.
//
//   bench_core_marks [--benchmark_filter=...]
#include <cstdlib>
#include <cstring>

#include "BenchDocument.h"
#include "PairedTiming.h"
#include "actions/Actions.h"
#include "commands/MarkCommands.h"
#include "core/Cursor.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/Globals.h"
#include "core/Helpers.h"

namespace {

constexpr int64_t Big = int64_t(1) << 30;
constexpr int64_t UnmarkSize = int64_t(64) << 20;
constexpr uint8_t EndMark = mcMagenta;
constexpr uint8_t EndByte = 7;

TLayoutView BenchView(40);

TBenchDocument Untouched, Touched;
bool Built = false;

TBenchDocument Build(int64_t size, bool touch) {
  ResizeDocData(size);
  FreshDocMarks(size);
  Doc.DocSize = int32_t(size);
  if (touch) {
    std::memset(Doc.DocData, ' ', size_t(size));
    std::memset(Doc.DocMarks, 0, size_t(size));
  }
  Doc.DocMarks[0] = Doc.DocMarks[size - 1] = EndMark;
  Doc.DocData[0] = Doc.DocData[size - 1] = EndByte;
  return TakeDocument();
}

// Reads a buffer once, so that its first scan does not pay the page faults.
void Warm(const uint8_t* p, int64_t n) { benchmark::DoNotOptimize(std::memchr(p, 0xEE, size_t(n))); }

void SetUp() {
  if (Built) return;
  ResetGlobals();
  SetSeams(nullptr, &BenchView);
  Untouched = Build(Big, false);
  Touched = Build(Big, true);
  for (const TBenchDocument* d : {&Untouched, &Touched}) {
    Warm(d->Data, d->Size);
    Warm(d->Marks, d->Size);
  }
  Built = true;
}

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "%s did not reach the far end\n", what);
    std::exit(2);
  }
}

struct TScan {
  const char* Name;
  void (*Command)();
  bool Forward;
  bool OnData;  // the baseline reads the data instead of the marks
};

void NextColour() { GotoNextMarkValue(EndMark); }
void PreviousColour() { GotoPreviousMarkValue(EndMark); }

const TScan Scans[] = {
    {"Next mark", DoGotoNextMark, true, false},
    {"Previous mark", DoGotoPreviousMark, false, false},
    {"Next mark of a colour", NextColour, true, false},
    {"Previous mark of a colour", PreviousColour, false, false},
    {"Next identical mark", MarkGotoNextIdenticalMainMenuItemClick, true, false},
    {"Previous identical mark", MarkGotoPreviousIdenticalMainMenuItemClick, false, false},
    {"Next identical byte", GotoNextIdenticalByteMainMenuItemClick, true, true},
    {"Previous identical byte", GotoPreviousIdenticalByteMainMenuItemClick, false, true},
};

TSample Command(const TBenchDocument& d, const TScan& scan) {
  PutDocument(d);
  View().RequestLayout();
  GotoOffset(scan.Forward ? 0 : d.Size - 1, false, false);
  const TSample t = TimeOf(scan.Command);
  Check(CursorOffset() == (scan.Forward ? d.Size - 1 : 0), scan.Name);
  TakeDocument();
  return t;
}

TSample Baseline(const TBenchDocument& d, const TScan& scan) {
  const uint8_t* p = scan.OnData ? d.Data : d.Marks;
  const uint8_t value = scan.OnData ? EndByte : EndMark;
  const void* hit = nullptr;
  const TSample t = TimeOf([&] {
    hit = scan.Forward ? std::memchr(p + 1, value, size_t(d.Size - 1)) : ::memrchr(p, value, size_t(d.Size - 1));
  });
  Check(hit == (scan.Forward ? p + d.Size - 1 : p), "memchr");
  return t;
}

void BM_Scan(benchmark::State& state) {
  SetUp();
  const TScan& scan = Scans[state.range(0)];
  const bool touched = state.range(1) != 0;
  const TBenchDocument& d = touched ? Touched : Untouched;
  TPairedTiming timing(scan.Forward ? "memchr" : "memrchr", "command", "ms");
  for (auto _ : state)
    state.SetIterationTime(timing.Round([&] { return Baseline(d, scan); }, [&] { return Command(d, scan); }));
  const std::string title = std::string(scan.Name) + ", 1 GiB, " + (touched ? "touched" : "untouched");
  state.SetLabel(title);
  timing.Report(state, title);
}

void ScanArguments(benchmark::internal::Benchmark* b) {
  for (int touched = 0; touched < 2; ++touched)
    for (int scan = 0; scan < int(std::size(Scans)); ++scan) b->Args({scan, touched});
}

// Unmark all on a document whose every byte carries a mark, undo history
// included. The baseline clears the same marks with memset.
void BM_UnmarkAll(benchmark::State& state) {
  SetUp();
  TBenchDocument d = Build(UnmarkSize, true);
  TPairedTiming timing("memset", "UnmarkAll", "ms");
  auto markAll = [&] { std::memset(d.Marks, mcRed, size_t(d.Size)); };
  for (auto _ : state) {
    state.SetIterationTime(timing.Round(
        [&] {
          markAll();
          return TimeOf([&] { std::memset(d.Marks, 0, size_t(d.Size)); });
        },
        [&] {
          markAll();
          PutDocument(d);
          View().RequestLayout();
          const TSample t = TimeOf(DoUnmarkAll);
          Check(Doc.DocMarks[0] == 0 && Doc.DocMarks[Doc.DocSize - 1] == 0 && ActionList().CanUndo(), "Unmark all");
          ActionList().Forget();
          TakeDocument();
          return t;
        }));
    benchmark::ClobberMemory();
  }
  timing.Report(state, "Unmark all, 64 MiB, every byte marked");
  FreeDocument(d);
}

BENCHMARK(BM_Scan)->Apply(ScanArguments)->Iterations(25)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnmarkAll)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!RunPairedBenchmarks(argc, argv)) return 1;
  if (Built) {
    FreeDocument(Untouched);
    FreeDocument(Touched);
  }
  return 0;
}
