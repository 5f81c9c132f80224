// What one edit costs on a large document. Inserting or deleting a byte at
// the start moves the whole tail once, so it is measured next to a single
// memmove of the same size; the history only keeps single bytes for such
// edits, so ten thousand edits and undos must not cost copies of the
// document.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "BenchDocument.h"
#include "actions/Actions.h"
#include "actions/EditAction.h"
#include "commands/EditCommands.h"
#include "core/Cursor.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/Geometry.h"
#include "core/Globals.h"
#include "core/GridState.h"
#include "core/Seams.h"

namespace {

constexpr int64_t DocumentSize = int64_t(512) << 20;

// A view that lays the grid out like the window and paints nothing.
TLayoutView BenchView(40);

// A loaded document with every data page written. Unmarked, the marks are
// fresh from the system as loading leaves them; marked, the mark buffer has
// been written all over and carries a mark at both ends, so that all of it
// has to move with the data.
void LoadDocument(bool marked) {
  ResetGlobals();
  ActionList().Forget();
  SetSeams(nullptr, &BenchView);
  ResizeDocData(DocumentSize);
  std::memset(Doc.DocData, 0x5A, size_t(DocumentSize));
  FreshDocMarks(DocumentSize);
  Doc.DocSize = int32_t(DocumentSize);
  if (marked) {
    std::memset(Doc.DocMarks, 0, size_t(DocumentSize));
    Doc.DocMarks[0] = 1;
    Doc.DocMarks[DocumentSize - 1] = 2;
  }
  BenchView.RequestLayout();
  MoveCursor(0, 0, false);
}

void UnloadDocument() {
  ActionList().Forget();
  ResetGlobals();
  SetSeams(nullptr, nullptr);
}

// The yardstick: one memmove of the document's size by one byte, to the
// right as an insert at 0 moves the tail (range 1) or to the left as a
// delete does (range 0). With a second argument of 2 it moves two such
// buffers, the least a document whose marks must travel too can cost.
void BM_Memmove512MiB(benchmark::State& state) {
  const bool right = state.range(0) != 0;
  const int buffers = int(state.range(1));
  uint8_t* buffer[2] = {};
  for (int b = 0; b < buffers; ++b) {
    buffer[b] = static_cast<uint8_t*>(std::malloc(size_t(DocumentSize) + 1));
    std::memset(buffer[b], 0x5A, size_t(DocumentSize) + 1);
  }
  for (auto _ : state) {
    for (int b = 0; b < buffers; ++b) {
      if (right)
        std::memmove(buffer[b] + 1, buffer[b], size_t(DocumentSize));
      else
        std::memmove(buffer[b], buffer[b] + 1, size_t(DocumentSize));
    }
    benchmark::ClobberMemory();
  }
  for (int b = 0; b < buffers; ++b) std::free(buffer[b]);
}
BENCHMARK(BM_Memmove512MiB)
    ->Args({1, 1})
    ->Args({0, 1})
    ->Args({1, 2})
    ->Args({0, 2})
    ->ArgNames({"right", "buffers"})
    ->Unit(benchmark::kMillisecond);

// Insert byte with the cursor on offset 0, through the command.
void BM_InsertByteAt0(benchmark::State& state) {
  LoadDocument(state.range(0) != 0);
  DoInsert();  // the one reallocation, and the first pass over the mark pages
  for (auto _ : state) {
    DoInsert();
    benchmark::ClobberMemory();
  }
  UnloadDocument();
}
BENCHMARK(BM_InsertByteAt0)->Arg(0)->Arg(1)->ArgName("marked")->Unit(benchmark::kMillisecond);

// Delete byte with the cursor on offset 0, through the command.
void BM_DeleteByteAt0(benchmark::State& state) {
  LoadDocument(state.range(0) != 0);
  DoDelete();  // the first pass maps the untouched mark pages
  for (auto _ : state) {
    DoDelete();
    benchmark::ClobberMemory();
  }
  UnloadDocument();
}
BENCHMARK(BM_DeleteByteAt0)->Arg(0)->Arg(1)->ArgName("marked")->Unit(benchmark::kMillisecond);

// Ten thousand typed digits spread over the document, then ten thousand
// undos (the list keeps the newest 257 to 512 of them).
void BM_TenThousandEditsAndUndos(benchmark::State& state) {
  LoadDocument(false);
  const int32_t rows = Grid.RowCount;
  for (auto _ : state) {
    for (int i = 0; i < 10000; ++i) {
      MoveCursor(0, int32_t(int64_t(i) * 7919 % rows), false);
      FormKeyPress(U'7');
    }
    for (int i = 0; i < 10000; ++i) EditUndoMainMenuItemClick();
    benchmark::ClobberMemory();
  }
  UnloadDocument();
}
BENCHMARK(BM_TenThousandEditsAndUndos)->Unit(benchmark::kMillisecond);

// The same through the history alone, without the commands' menu refresh.
void BM_TenThousandEditActionsAndUndos(benchmark::State& state) {
  LoadDocument(false);
  for (auto _ : state) {
    for (int i = 0; i < 10000; ++i) {
      const int32_t pos = int32_t(int64_t(i) * 104729 % DocumentSize);
      ActionList().AddAction(std::make_unique<TEditAction>(akChangeValue, NextActionGroup(), pos, false, 7), true);
    }
    for (int i = 0; i < 10000; ++i) ActionList().Undo();
    benchmark::ClobberMemory();
  }
  UnloadDocument();
}
BENCHMARK(BM_TenThousandEditActionsAndUndos)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
