// Replace: the FCount bytes at FPos (kept in FBuffer) become the FCount2
// bytes of FBuffer2. A replaced byte keeps the mark of the byte it replaces;
// bytes a longer replacement adds are unmarked.
#pragma once

#include <cstddef>
#include <memory>

#include "actions/Action.h"

class TReplaceAction : public TAction {
 public:
  // Only the search sequence's length matters; the bytes it replaces are
  // copied from the document. A run that does not lie inside the document
  // makes an action that does nothing.
  TReplaceAction(uint8_t kind, int32_t group, int32_t pos, bool charColumn, TByteRun search, TByteRun replacement);
  bool DoAction() override;
  bool UndoAction() override;

  // The marks of the bytes the last DoAction removed (a shorter replacement).
  const std::vector<uint8_t>& RemovedMarks() const { return FRemovedMarks; }

  // For bulk recording: a replacement already made, exactly as DoAction would
  // have made it over oldBytes, removing the marks removedMarks.
  static std::unique_ptr<TReplaceAction> Performed(uint8_t kind, int32_t group, int32_t pos, bool charColumn,
                                                   std::vector<uint8_t> oldBytes, TByteRun replacement,
                                                   std::vector<uint8_t> removedMarks);

  // UndoAction of each of actions[0 .. count) in this order (DoAction for
  // RedoRun), with the same result, in one pass over the document. Returns
  // false when one of them ran out of memory; processed then tells how many
  // were handled, the failed one included, and the document stands as that
  // one left it.
  static bool UndoRun(TReplaceAction* const* actions, size_t count, size_t& processed);
  static bool RedoRun(TReplaceAction* const* actions, size_t count, size_t& processed);

 private:
  static bool UndoRunInPlace(TReplaceAction* const* actions, size_t count, size_t& processed);
  static bool RedoRunInPlace(TReplaceAction* const* actions, size_t count, size_t& processed);
  static bool FailedToWriteOut(size_t count, size_t& processed);

  // Undo of a shortening replacement must bring the removed bytes back with
  // their marks, so DoAction keeps them here.
  std::vector<uint8_t> FRemovedMarks;
};
