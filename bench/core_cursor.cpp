// Cursor movement at the far end of a 1 GiB document against a 1 KiB one:
// one row down onto the last row, and the jump from the first row to the last
// and back. Both documents live side by side and take turns in the global
// state, so every round measures both under the same conditions.
//
//   bench_core_cursor [--benchmark_filter=...]
#include <cstdlib>

#include "BenchDocument.h"
#include "PairedTiming.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/Geometry.h"
#include "core/Globals.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/Seams.h"

namespace {

constexpr int64_t Big = int64_t(1) << 30;
constexpr int64_t Small = 1024;
constexpr int32_t RowsShown = 40;
// Operations per side and round: enough to dwarf the clock's own cost.
constexpr int Batch = 2000;
constexpr int Rounds = 300;

TLayoutView BenchView(RowsShown);

TBenchDocument BigDoc, SmallDoc;

// Builds a document in G and takes its buffers out again.
TBenchDocument Build(int64_t size) {
  ResizeDocData(size);
  FreshDocMarks(size);
  Doc.DocSize = int32_t(size);
  for (int64_t i = 0; i < Small; ++i) Doc.DocData[size - Small + i] = uint8_t(i * 7 + 3);
  return TakeDocument();
}

void Use(const TBenchDocument& d) {
  PutDocument(d);
  View().RequestLayout();
}

void SetUp() {
  ResetGlobals();
  SetSeams(nullptr, &BenchView);
  BigDoc = Build(Big);
  SmallDoc = Build(Small);
}

void TearDown() {
  TakeDocument();
  FreeDocument(BigDoc);
  FreeDocument(SmallDoc);
  SetSeams(nullptr, nullptr);
  ResetGlobals();
}

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "unexpected cursor position after %s\n", what);
    std::exit(2);
  }
}

// The view at the bottom, the cursor on the last row but one; each operation
// puts it back there and moves it down onto the last row.
TSample DownAtEnd(const TBenchDocument& d) {
  Use(d);
  SetScrollPosition(Grid.RowCount - Grid.VisibleRows);
  Cursor.CursorCol = 0;
  const int32_t lastButOne = Grid.RowCount - 2;
  const TSample t = TimeOf([&] {
    for (int i = 0; i < Batch; ++i) {
      Cursor.CursorRow = lastButOne;
      DoDown();
    }
  });
  Check(Cursor.CursorRow == Grid.RowCount - 1 && TopRow() == Grid.RowCount - Grid.VisibleRows, "Down");
  return t;
}

// From the first row to the end and back: each jump scrolls the view.
TSample EndAndHome(const TBenchDocument& d) {
  Use(d);
  Cursor.CursorCol = Cursor.CursorRow = 0;
  SetScrollPosition(0);
  const TSample t = TimeOf([] {
    for (int i = 0; i < Batch; ++i) {
      DoEnd();
      DoHome();
    }
  });
  DoEnd();
  Check(CursorOffset() == Doc.DocSize - 1 && TopRow() == Grid.RowCount - Grid.VisibleRows, "End");
  return t;
}

TSample GotoLastAndFirst(const TBenchDocument& d) {
  Use(d);
  Cursor.CursorCol = Cursor.CursorRow = 0;
  SetScrollPosition(0);
  const TSample t = TimeOf([] {
    for (int i = 0; i < Batch; ++i) {
      GotoOffset(Doc.DocSize - 1, false, true);
      GotoOffset(0, false, true);
    }
  });
  Check(CursorOffset() == 0 && TopRow() == 0, "GotoOffset");
  return t;
}

template <class F>
void RunPaired(benchmark::State& state, F op, const char* title, const char* subject) {
  SetUp();
  TPairedTiming timing("1KiB", subject, "ns", Batch);
  for (auto _ : state) state.SetIterationTime(timing.Round([&] { return op(SmallDoc); }, [&] { return op(BigDoc); }));
  timing.Report(state, title);
  TearDown();
}

void BM_DownOntoLastRow(benchmark::State& state) {
  RunPaired(state, DownAtEnd, "Down onto the last row (per op)", "1GiB");
}

void BM_EndThenHome(benchmark::State& state) { RunPaired(state, EndAndHome, "End then Home (per pair)", "1GiB"); }

void BM_GotoLastThenFirst(benchmark::State& state) {
  RunPaired(state, GotoLastAndFirst, "GotoOffset last then first (pair)", "1GiB");
}

BENCHMARK(BM_DownOntoLastRow)->Iterations(Rounds)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EndThenHome)->Iterations(Rounds)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GotoLastThenFirst)->Iterations(Rounds)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (!RunPairedBenchmarks(argc, argv)) return 1;
  return 0;
}
