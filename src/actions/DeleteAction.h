// Delete byte: removes the byte under the cursor, with its mark.
#pragma once

#include "actions/Action.h"

class TDeleteAction : public TAction {
 public:
  TDeleteAction(uint8_t kind, int32_t group, int32_t pos, bool charColumn);
  bool DoAction() override;
  bool UndoAction() override;
};
