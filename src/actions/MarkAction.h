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
};
