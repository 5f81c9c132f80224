// The insertion Paste bytes makes, 64 MiB into the middle of a 64 MiB
// document, against Insert bytes of the same length at the same place,
// measured in alternation in the same run; each is taken back by Undo
// before the next round. The clipboard's bytes are read before the timing;
// the whole command, that read included, is reported once beside it.
//
//   bench_core_paste [--benchmark_filter=...]
#include <memory>
#include <string>

#include "BenchDocument.h"
#include "PairedTiming.h"
#include "actions/Actions.h"
#include "actions/InsertBytesAction.h"
#include "commands/ByteCopyCommands.h"
#include "core/DocBuffers.h"

namespace {

constexpr int32_t Size = 64 << 20;
constexpr int Rounds = 9;

// Reading the clipboard copies its bytes once, as the window's host does.
class TPasteHost : public TNullHost {
 public:
  TPasteSource ReadPasteSource() override { return Source; }
  TPasteSource Source;
};

void BM_PasteAgainstInsertBytes(benchmark::State& state) {
  TPasteHost host;
  TLayoutView view(40);
  SetSeams(&host, &view);
  ResizeDocData(Size);
  FreshDocMarks(Size);
  Doc.DocSize = Size;
  view.RequestLayout();
  host.Source.HasRaw = true;
  host.Source.Raw.assign(size_t(Size), 0x5A);
  const uint8_t zero = 0;
  TPairedTiming timing("insert_bytes", "paste", "ms");
  for (auto _ : state)
    state.SetIterationTime(timing.Round(
        [&] {
          GotoOffset(Size / 2, false, false);
          const TSample s = TimeOf([&] {
            ActionList().AddAction(std::make_unique<TInsertBytesAction>(akInsertBytes, NextActionGroup(), Size / 2,
                                                                        false, Size, TByteRun(&zero, 1)),
                                   false);
            ActionList().UpdateView();
          });
          ActionList().Undo();
          return s;
        },
        [&] {
          GotoOffset(Size / 2, false, false);
          std::vector<uint8_t> pasted = host.ReadPasteSource().Raw;  // the clipboard's bytes, read first
          const TSample s = TimeOf([&] {
            ActionList().AddAction(std::make_unique<TInsertBytesAction>(akPasteBytes, NextActionGroup(), Size / 2,
                                                                        false, Size, std::move(pasted)),
                                   false);
            ActionList().UpdateView();
          });
          ActionList().Undo();
          return s;
        }));
  timing.Report(state, "paste insertion of 64 MiB / insert bytes of 64 MiB, into 64 MiB");
  // For the record: the whole command, the clipboard's copy included.
  GotoOffset(Size / 2, false, false);
  const TSample whole = TimeOf([] { PasteBytesMenuItemClick(); });
  ActionList().Undo();
  state.counters["whole_paste_ms"] = whole.Wall * 1e3;
  ActionList().Forget();
  SetSeams(nullptr, nullptr);
}

BENCHMARK(BM_PasteAgainstInsertBytes)->Iterations(Rounds)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunPairedBenchmarks(argc, argv) ? 0 : 1; }
