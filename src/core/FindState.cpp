#include "core/FindState.h"

TFindState::TFindState() { FindData.SetBuf({0}); }

void TFindState::SetMode(TFindMode mode) {
  ReplaceMode = mode == TFindMode::Replace;
  MarkMode = mode == TFindMode::FindAndMark;
}

void TFindState::Reset() {
  FindData.CursorPos = 0;
  FindData.SetBuf({0});
  ReplaceData.CursorPos = 0;
  ReplaceData.SetBuf({});
  CaseCB = ConfirmCB = BeginCursorRB = true;
  DirectionUpRB = false;
  MarkColour = 1;
  ReplaceMode = MarkMode = Accepted = false;
}

TFindState& FindState() {
  static TFindState state;
  return state;
}

TFindFormLayout ComputeFindFormLayout(bool replaceMode, bool markMode, int clientWidth, int okWidth, int allWidth) {
  TFindFormLayout l;
  // Replace wins when both flags are set, as it does for the caption.
  l.ReplacePanelVisible = replaceMode;
  l.MarkPanelVisible = markMode && !replaceMode;
  l.ConfirmVisible = replaceMode || markMode;
  const int W = clientWidth, w = okWidth;
  if (!l.ConfirmVisible) {
    l.ClientHeight = FindPanelHeight + OptionPanelHeight + ButtonPanelHeight;
    l.OKLeft = W / 2 - 5 * w / 4;
    l.CancelLeft = W / 2 + w / 4;
    return l;
  }
  l.ClientHeight = FindPanelHeight + (l.ReplacePanelVisible ? ReplacePanelHeight : MarkPanelHeight) +
                   OptionPanelHeight + ButtonPanelHeight;
  l.OKLeft = W / 2 - 7 * w / 4;
  l.AllLeft = W / 2 - allWidth / 2;
  l.CancelLeft = W / 2 + 3 * w / 4;
  return l;
}
