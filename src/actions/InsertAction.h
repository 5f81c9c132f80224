// Insert byte and Append byte: one unmarked zero byte at FPos (at DocSize
// for Append).
#pragma once

#include "actions/Action.h"

class TInsertAction : public TAction {
 public:
  TInsertAction(uint8_t kind, int32_t group, int32_t pos, bool charColumn);
  bool DoAction() override;
  bool UndoAction() override;
};
