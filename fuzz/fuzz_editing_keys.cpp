// A random key sequence typed into the editing commands: cursor keys, typed
// characters, Backspace, Delete, Insert and Append byte, Undo and Redo. The
// history is checked after every key against a plain model that keeps whole
// snapshots: each recorded step must undo to the document as it was before
// the key and redo to the document after it, the change count must follow,
// and a key that records nothing must change nothing.
//
// Input: byte 0 picks hex or decimal and the first document's size and
// content; every further byte is one key.
#include <cstdint>
#include <cstring>
#include <vector>

#include "FuzzCheck.h"
#include "actions/Actions.h"
#include "actions/ReferenceHistory.h"
#include "commands/EditCommands.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "fakes/FakeSeams.h"

using undo_test::Bytes;
using undo_test::TRefAction;
using undo_test::TRefHistory;
using undo_test::TRefState;

namespace {

TRefState Now() {
  TRefState s;
  if (Doc.DocSize > 0) {
    s.Data.assign(Doc.DocData, Doc.DocData + Doc.DocSize);
    s.Marks.assign(Doc.DocMarks, Doc.DocMarks + Doc.DocSize);
  }
  return s;
}

// Characters worth typing: digits of both bases, letters, a blank, a
// character outside the code page and a control character.
const char32_t TypedKeys[] = {'0', '1', '7', '9', 'a', 'F', 'f', 'g', 'Z', ' ', U'\u00e4', U'\u20ac', U'\u4e00', 1};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t n) {
  if (n < 1) return 0;
  TSeamFixture seams;
  Grid.Hex = data[0] & 1;
  const int32_t size = (data[0] >> 1) % 40;
  ResizeDocData(size);
  FreshDocMarks(size);
  Doc.DocSize = size;
  for (int32_t i = 0; i < size; ++i) {
    Doc.DocData[i] = uint8_t(i * 37);
    Doc.DocMarks[i] = uint8_t(i % 4);
  }
  seams.View.RowsShown = 3;
  seams.View.RequestLayout();
  MoveCursor(0, 0, false);

  TRefHistory model;
  TRefState state = Now();
  int32_t changes = 0;
  int32_t group = 0;
  for (size_t k = 1; k < n; ++k) {
    const uint8_t key = data[k];
    const TRefState before = Now();
    const int32_t index = ActionList().Index();
    const int32_t count = ActionList().Count();
    const int32_t changeCount = Doc.DataChangeCount;
    bool history = false;
    switch (key % 16) {
      case 0: DoUp(); break;
      case 1: DoDown(); break;
      case 2: DoLeft(); break;
      case 3: DoRight(); break;
      case 4: DoHome(); break;
      case 5: DoEnd(); break;
      case 6: DoTab(); break;
      case 7: DoPageDown(); break;
      case 8: DoBackspace(); break;
      case 9: DoDelete(); break;
      case 10: DoInsert(); break;
      case 11: DoAppendByte(); break;
      case 12:
        history = true;
        EditUndoMainMenuItemClick();
        if (model.CanUndo()) model.Undo(state, changes);
        break;
      case 13:
        history = true;
        EditRedoMainMenuItemClick();
        if (model.CanRedo()) model.Redo(state, changes);
        break;
      default: FormKeyPress(TypedKeys[(key / 16) % (sizeof TypedKeys / sizeof TypedKeys[0])]); break;
    }
    const TRefState after = Now();
    FUZZ_CHECK(Doc.DocSize == int32_t(after.Data.size()));
    if (!history) {
      if (ActionList().Index() != index || ActionList().Count() != count) {
        TRefAction a;
        a.Group = ++group;
        a.Before = before;
        a.After = after;
        a.Delta = 1;
        model.Record(a);
        state = after;
        ++changes;
      } else {
        FUZZ_CHECK(after == before);
        FUZZ_CHECK(Doc.DataChangeCount == changeCount);
      }
    }
    FUZZ_CHECK(after == state);
    FUZZ_CHECK(Doc.DataChangeCount == changes);
    FUZZ_CHECK(ActionList().CanUndo() == model.CanUndo());
    FUZZ_CHECK(ActionList().CanRedo() == model.CanRedo());
    FUZZ_CHECK(ActionList().Count() == int32_t(model.List.size()));
    // The cursor stays on the grid.
    FUZZ_CHECK(Cursor.CursorRow >= 0 && Cursor.CursorCol >= -1);
  }
  return 0;
}
