// Delete bytes: removes a run of bytes with their marks. The run and its
// marks (when it has any) are copied when the action is made, so undo puts
// both back exactly.
#pragma once

#include "actions/Action.h"

class TDeleteBytesAction : public TAction {
 public:
  // The run is cut at the end of the document. When its copy cannot be had,
  // the user is told and the action is made empty (FCount 0): it is still
  // recorded and does nothing.
  TDeleteBytesAction(uint8_t kind, int32_t group, int32_t pos, int32_t count, bool charColumn);
  bool DoAction() override;
  bool UndoAction() override;
};
