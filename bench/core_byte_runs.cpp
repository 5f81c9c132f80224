// Insert bytes, Delete bytes and their Undo and Redo on large documents,
// each measured in alternation with the least any such edit costs: one
// memmove of the same tail and one memset of the run over a buffer that is
// already in memory.
//
//   insert: a 256 MiB run with a 3-byte pattern at offset 0 of 512 MiB
//   delete: 256 MiB at offset 0 of 768 MiB
//
// The documents are loaded as the program loads them: every data page
// written, the marks fresh from the system and unmarked. The commands run
// through a host that confirms the dialogs, as the user would.
#include <cstdlib>
#include <cstring>

#include "BenchDocument.h"
#include "PairedTiming.h"
#include "actions/Actions.h"
#include "commands/ByteRangeCommands.h"
#include "commands/EditCommands.h"
#include "core/ByteRangeDialogs.h"
#include "core/Cursor.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/Globals.h"
#include "core/Seams.h"

namespace {

constexpr int64_t MiB = int64_t(1) << 20;
constexpr int64_t Run = 256 * MiB;

// Confirms the Delete bytes dialog with a count of Run (the command opens it
// with the last count) and the Insert bytes dialog as it stands.
class TConfirmingHost : public TNullHost {
 public:
  int ShowGotoDialog(bool) override {
    GotoDialog().PosData.SetValue(int32_t(Run), nullptr);
    return mrOk;
  }
  int ShowInsertBytesDialog(bool) override { return mrOk; }
};

TConfirmingHost Host;
TLayoutView View(40);

void LoadDocument(int64_t size) {
  ActionList().Forget();
  ResetGlobals();
  SetSeams(&Host, &View);
  ResizeDocData(size);
  std::memset(Doc.DocData, 0x5A, size_t(size));
  FreshDocMarks(size);
  Doc.DocSize = int32_t(size);
  View.RequestLayout();
  MoveCursor(0, 0, false);
}

void UnloadDocument() {
  ActionList().Forget();
  ResetGlobals();
  ResetByteRangeDialogs();
  SetSeams(nullptr, nullptr);
}

// The baseline's buffer, allocated and written once.
struct TPlainBuffer {
  explicit TPlainBuffer(int64_t size) : Data(static_cast<uint8_t*>(std::malloc(size_t(size)))) {
    std::memset(Data, 0x5A, size_t(size));
  }
  ~TPlainBuffer() { std::free(Data); }
  uint8_t* Data;
};

// The tail of 512 MiB moved up by the run and the run filled: what an
// insert at 0 must at least do.
TSample PlainInsert(TPlainBuffer& b) {
  return TimeOf([&] {
    std::memmove(b.Data + Run, b.Data, size_t(512 * MiB));
    std::memset(b.Data, 0x41, size_t(Run));
    benchmark::ClobberMemory();
  });
}

// The tail of 512 MiB moved down over the run and the run's worth written
// once (the copy the history keeps).
TSample PlainDelete(TPlainBuffer& b) {
  return TimeOf([&] {
    std::memmove(b.Data, b.Data + Run, size_t(512 * MiB));
    std::memset(b.Data + 512 * MiB, 0x41, size_t(Run));
    benchmark::ClobberMemory();
  });
}

void SetInsertDialog() {
  InsertBytesDialog().CountData.SetValue(int32_t(Run), nullptr);
  InsertBytesDialog().FillData.SetBuf({0x41, 0x42, 0x43});
}

TSample Timed(void (*command)()) {
  return TimeOf([command] {
    command();
    benchmark::ClobberMemory();
  });
}

enum TStep { Do, Undo, Redo };

const char* const StepNames[] = {"Do", "Undo", "Redo"};

// One step of an edit in the program, with whatever must come before it
// (untimed) and what puts the document back for the next round.
TSample ProgramStep(TStep step, void (*record)()) {
  TSample s;
  switch (step) {
    case Do:
      s = Timed(record);
      EditUndoMainMenuItemClick();
      break;
    case Undo:
      record();
      s = Timed(EditUndoMainMenuItemClick);
      break;
    case Redo:
      record();
      EditUndoMainMenuItemClick();
      s = Timed(EditRedoMainMenuItemClick);
      EditUndoMainMenuItemClick();
      break;
  }
  ActionList().Forget();
  return s;
}

void BM_InsertBytes(benchmark::State& state) {
  const TStep step = TStep(state.range(0));
  LoadDocument(512 * MiB);
  SetInsertDialog();
  TPlainBuffer plain(768 * MiB);
  TPairedTiming timing("memmove+memset", std::string("InsertBytes") + StepNames[step], "ms");
  for (auto _ : state)
    state.SetIterationTime(timing.Round([&] { return PlainInsert(plain); },
                                        [&] { return ProgramStep(step, InsertBytesMainMenuItemClick); }));
  timing.Report(state, std::string("insert 256 MiB (3-byte pattern) at 0 of 512 MiB, ") + StepNames[step] +
                           " vs memmove 512 MiB + memset 256 MiB");
  UnloadDocument();
}
BENCHMARK(BM_InsertBytes)
    ->Arg(Do)
    ->Arg(Undo)
    ->Arg(Redo)
    ->ArgName("step")
    ->Iterations(6)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_DeleteBytes(benchmark::State& state) {
  const TStep step = TStep(state.range(0));
  LoadDocument(768 * MiB);
  TPlainBuffer plain(768 * MiB);
  TPairedTiming timing("memmove+memset", std::string("DeleteBytes") + StepNames[step], "ms");
  for (auto _ : state)
    state.SetIterationTime(timing.Round([&] { return PlainDelete(plain); },
                                        [&] { return ProgramStep(step, DeleteBytesMainMenuItemClick); }));
  timing.Report(state, std::string("delete 256 MiB at 0 of 768 MiB, ") + StepNames[step] +
                           " vs memmove 512 MiB + memset 256 MiB");
  UnloadDocument();
}
BENCHMARK(BM_DeleteBytes)
    ->Arg(Do)
    ->Arg(Undo)
    ->Arg(Redo)
    ->ArgName("step")
    ->Iterations(6)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!RunPairedBenchmarks(argc, argv)) return 1;
  return 0;
}
