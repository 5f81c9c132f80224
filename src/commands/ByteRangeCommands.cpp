#include "commands/ByteRangeCommands.h"

#include <cstdint>
#include <memory>

#include "actions/Actions.h"
#include "actions/DeleteBytesAction.h"
#include "actions/InsertBytesAction.h"
#include "commands/UiState.h"
#include "core/ByteRangeDialogs.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/Helpers.h"
#include "core/Seams.h"
#include "core/Texts.h"

namespace {

// The sender of values the main window puts into a dialog: both fields of
// the dialog rewrite their digits.
const void* const MainWindow = &Doc;

bool CursorInCharArea() { return Cursor.CursorCol >= 0 && InCharArea(Cursor.CursorCol); }

// Records the run unless the document would grow past the largest size a
// 32-bit offset can address. That is no shortage the history could cure, so
// the user is told as for any refused memory, but nothing is dropped: the
// document and its undo steps stay as they were.
void RecordInsert(uint8_t kind, int32_t pos, bool inChars) {
  const TInsertBytesDialogState& d = InsertBytesDialog();
  const int32_t count = d.CountData.Value();
  if (!d.OKEnabled()) return;
  if (int64_t(Doc.DocSize) + count > INT32_MAX) {
    ShowMessageDialog(TxtNotEnoughMemory(), TMsgDlgType::Error, mbOKOnly, 0);
    return;
  }
  const int32_t group = NextActionGroup();
  ActionList().AddAction(std::make_unique<TInsertBytesAction>(kind, group, pos, inChars, count, d.FillData.Buf()),
                         true);
}

}  // namespace

void DoGoto() {
  TGotoDialogState& d = GotoDialog();
  d.IsGoto = true;
  d.PosData.SetValue(d.LastGotoPos, MainWindow);
  if (Host().ShowGotoDialog(false) != mrOk) return;
  d.LastGotoPos = d.PosData.Value();
  if (Doc.DocSize > 0) {
    const int32_t value = Max(d.LastGotoPos, 0);
    GotoOffset(Min(value, Doc.DocSize - 1), CursorInCharArea(), true);
    if (value > Doc.DocSize - 1) Beep(TBeepReason::EndOfDocument);
  }
  UpdateMenus();
}

void InsertBytesMainMenuItemClick() {
  InsertBytesDialog().IsAppend = false;
  if (Host().ShowInsertBytesDialog(false) != mrOk) return;
  int32_t pos = 0;
  bool inChars = false;
  const int32_t o = CursorOffset();
  if (Doc.DocMarks && Cursor.CursorCol >= 0 && o >= 0 && o < Doc.DocSize) {
    pos = o;
    inChars = CursorInCharArea();
  }
  RecordInsert(akInsertBytes, pos, inChars);
  UpdateMenus();
}

void AppendBytesMainMenuItemClick() {
  InsertBytesDialog().IsAppend = true;
  if (Host().ShowInsertBytesDialog(true) != mrOk) return;
  RecordInsert(akAppendBytes, Doc.DocSize, CursorInCharArea());
  UpdateMenus();
}

void DeleteBytesMainMenuItemClick() {
  TGotoDialogState& d = GotoDialog();
  d.IsGoto = false;
  d.PosData.SetValue(d.LastDeleteCount, MainWindow);
  if (Host().ShowGotoDialog(true) != mrOk) return;
  d.LastDeleteCount = d.PosData.Value();
  if (d.LastDeleteCount >= 1) {
    const int32_t group = NextActionGroup();
    ActionList().AddAction(std::make_unique<TDeleteBytesAction>(akDeleteBytes, group, CursorOffset(), d.LastDeleteCount,
                                                                CursorInCharArea()),
                           true);
  }
  UpdateMenus();
}
