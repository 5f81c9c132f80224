// What the Goto / Delete bytes dialog and the Insert / Append bytes dialog
// edit, and what their commands read after OK. The Qt dialogs are only views
// of this state; the commands and their tests work without them.
#pragma once

#include <cstdint>

#include "core/BytesData.h"
#include "core/IntData.h"

// The Goto dialog, in Goto mode (an offset) or Delete bytes mode (a count).
struct TGotoDialogState {
  TIntData PosData;
  bool IsGoto = true;
  // The offset last confirmed by Goto and the count last confirmed by
  // Delete bytes; each opening of the dialog starts from one of them.
  int32_t LastGotoPos = 0;
  int32_t LastDeleteCount = 0;
};

// The Insert / Append bytes dialog: a count and a fill pattern, both kept
// from one use to the next.
struct TInsertBytesDialogState {
  TInsertBytesDialogState();
  TIntData CountData;
  TBytesData FillData;
  bool IsAppend = false;
  // OK may be pressed only with a pattern to fill with and a count above 0.
  bool OKEnabled() const { return FillData.Len() > 0 && CountData.Value() > 0; }
};

TGotoDialogState& GotoDialog();
TInsertBytesDialogState& InsertBytesDialog();

// Start values of both (tests; the program sets them once at start).
// Linked views and listeners stay linked.
void ResetByteRangeDialogs();
