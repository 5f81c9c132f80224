// Backspace: removes the byte before the cursor, with its mark.
#pragma once

#include "actions/Action.h"

class TBackspaceAction : public TAction {
 public:
  // pos is the cursor's offset; the byte at pos - 1 goes.
  TBackspaceAction(uint8_t kind, int32_t group, int32_t pos, bool charColumn);
  bool DoAction() override;
  bool UndoAction() override;
  void SetDoActionCursorPos() override;
};
