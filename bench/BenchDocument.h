// Documents for the benchmarks that compare a big and a small document in
// one run: each is built once in the global state, taken out, and put back
// in turn, so both sides are measured under the same conditions.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "core/Cursor.h"
#include "core/DocState.h"
#include "core/Geometry.h"
#include "core/Seams.h"
#include "core/StatusBar.h"

struct TBenchDocument {
  uint8_t* Data = nullptr;
  uint8_t* Marks = nullptr;
  int32_t Size = 0;
  int32_t DataCapacity = 0;
  int32_t MarksCapacity = 0;
  int32_t Top = 0;  // a first visible row chosen by the benchmark
};

// Takes the document out of the global state, leaving it empty.
inline TBenchDocument TakeDocument() {
  TBenchDocument d{Doc.DocData, Doc.DocMarks, Doc.DocSize, Doc.DocDataCapacity, Doc.DocMarksCapacity, 0};
  Doc.DocData = Doc.DocMarks = nullptr;
  Doc.DocDataCapacity = Doc.DocMarksCapacity = Doc.DocSize = 0;
  return d;
}

// Puts a taken document back (the global state must not own buffers then).
inline void PutDocument(const TBenchDocument& d) {
  Doc.DocData = d.Data;
  Doc.DocMarks = d.Marks;
  Doc.DocSize = d.Size;
  Doc.DocDataCapacity = d.DataCapacity;
  Doc.DocMarksCapacity = d.MarksCapacity;
}

inline void FreeDocument(TBenchDocument& d) {
  std::free(d.Data);
  std::free(d.Marks);
  d = TBenchDocument{};
}

// Like the window: a layout measures a font whose "0" is 8 x 15 pixels and
// shows a fixed number of rows, and the status bar's texts follow the cursor.
// Everything else the screen would do is left undone.
class TLayoutView : public TNullView {
 public:
  explicit TLayoutView(int32_t rows) : FRows(rows) {}
  void RequestLayout() override {
    ComputeGeometry(8, 15);
    ApplyLayout(FRows);
  }
  void CursorMoved() override { UpdateStatusBar(); }

 private:
  int32_t FRows;
};
