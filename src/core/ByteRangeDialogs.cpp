#include "core/ByteRangeDialogs.h"

TInsertBytesDialogState::TInsertBytesDialogState() { FillData.SetBuf({0}); }

TGotoDialogState& GotoDialog() {
  static TGotoDialogState state;
  return state;
}

TInsertBytesDialogState& InsertBytesDialog() {
  static TInsertBytesDialogState state;
  return state;
}

void ResetByteRangeDialogs() {
  TGotoDialogState& g = GotoDialog();
  g.PosData.SetValue(0, &g);
  g.IsGoto = true;
  g.LastGotoPos = 0;
  g.LastDeleteCount = 0;
  TInsertBytesDialogState& d = InsertBytesDialog();
  d.CountData.SetValue(0, &d);
  d.IsAppend = false;
  d.FillData.CursorPos = 0;
  d.FillData.SetBuf({0});
}
