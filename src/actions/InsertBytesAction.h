// Insert bytes and Append bytes: FCount unmarked bytes at FPos, filled by
// repeating a pattern of FCount2 bytes (kept in FBuffer).
#pragma once

#include "actions/Action.h"

class TInsertBytesAction : public TAction {
 public:
  TInsertBytesAction(uint8_t kind, int32_t group, int32_t pos, bool charColumn, int32_t count, TByteRun pattern);
  // The same with the pattern handed over, not copied: a paste of many
  // megabytes keeps its one buffer.
  TInsertBytesAction(uint8_t kind, int32_t group, int32_t pos, bool charColumn, int32_t count,
                     std::vector<uint8_t> pattern);
  bool DoAction() override;
  bool UndoAction() override;
};
