// Overwriting one byte with a typed value.
#pragma once

#include "actions/Action.h"

class TEditAction : public TAction {
 public:
  TEditAction(uint8_t kind, int32_t group, int32_t pos, bool charColumn, uint8_t newValue);
  bool DoAction() override;
  bool UndoAction() override;
  void SetDoActionCursorPos() override;
  bool SizeChanged() const override;
};
