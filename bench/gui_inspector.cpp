// A cursor move in the real window, offscreen, with the data inspector shown
// against the same move with it hidden, and with it shown on a 1 GiB against
// a 1 KiB document. A move is one step right or left and the event loop's
// turn that follows (the repaint of the cells and the inspector's refresh).
//
//   bench_gui_inspector [--benchmark_filter=...]
#include <QApplication>

#include "BenchDocument.h"
#include "PairedTiming.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/OptionsState.h"
#include "dialogs/DataInspectorForm.h"
#include "mainform/MainForm.h"

namespace {

constexpr int64_t Big = int64_t(1) << 30;
constexpr int64_t Small = 1024;
constexpr int Rounds = 400;

TQorinEditorMainForm* Form = nullptr;
TBenchDocument BigDoc, SmallDoc;

TBenchDocument Build(int64_t size) {
  ResizeDocData(size);
  FreshDocMarks(size);
  Doc.DocSize = int32_t(size);
  for (int64_t i = 0; i < 64; ++i) Doc.DocData[i] = uint8_t(i * 37 + 11);
  return TakeDocument();
}

void Use(const TBenchDocument& d) {
  PutDocument(d);
  Form->RequestLayout();
  Cursor.CursorRow = 1;
  Cursor.CursorCol = 6;
}

void Inspector(bool shown) {
  if (Options.InspectorOpen != shown) {
    Options.InspectorOpen = shown;
    Form->ShowInspector(shown);
    QApplication::processEvents();
  }
}

// One step right, then left the next time, so the cursor stays put.
TSample Move() {
  static bool right = true;
  right = !right;
  return TimeOf([] {
    if (right)
      DoRight();
    else
      DoLeft();
    QApplication::processEvents();
  });
}

void BM_MoveWithInspectorShownAndHidden(benchmark::State& state) {
  Use(BigDoc);
  TPairedTiming timing("hidden", "shown", "us");
  for (auto _ : state)
    state.SetIterationTime(
        timing.Round([] { return Inspector(false), Move(); }, [] { return Inspector(true), Move(); }));
  timing.Report(state, "cursor move, 1 GiB, inspector hidden / shown");
}

void BM_MoveWithInspectorOnBigAndSmall(benchmark::State& state) {
  Inspector(true);
  TPairedTiming timing("1KiB", "1GiB", "us");
  for (auto _ : state)
    state.SetIterationTime(timing.Round([] { return Use(SmallDoc), Move(); }, [] { return Use(BigDoc), Move(); }));
  timing.Report(state, "cursor move with the inspector shown, 1 KiB / 1 GiB");
}

BENCHMARK(BM_MoveWithInspectorShownAndHidden)->Iterations(Rounds)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveWithInspectorOnBigAndSmall)->Iterations(Rounds)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  {
    TQorinEditorMainForm form(1, argv);
    Form = &form;
    form.show();
    QApplication::processEvents();
    BigDoc = Build(Big);
    SmallDoc = Build(Small);
    benchmark::RunSpecifiedBenchmarks();
    TakeDocument();
    FreeDocument(BigDoc);
    FreeDocument(SmallDoc);
    Options.InspectorOpen = false;
    Form = nullptr;
  }
  benchmark::Shutdown();
  PrintSummary();
  return 0;
}
