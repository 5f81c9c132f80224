// Colouring (or uncolouring) one byte. Only the mark changes, so the
// document does not count as modified by it.
#pragma once

#include "actions/Action.h"

class TMarkAction : public TAction {
 public:
  TMarkAction(uint8_t kind, int32_t group, int32_t pos, bool charColumn, uint8_t newMark);
  bool DoAction() override;
  bool UndoAction() override;
  void SetDoActionCursorPos() override;
  void SetUndoActionCursorPos() override;
  bool SizeChanged() const override;
  // For bulk recording: the change was already made to the marks, over the
  // old mark given, exactly as DoAction would have made it.
  void SetPerformed(uint8_t oldMark) {
    FOldValue = oldMark;
    FApplied = true;
  }
};
