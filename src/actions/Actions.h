// The undo and redo history: one list of actions, performed by the list
// itself. Entries 0 .. FIndex are done (oldest first), the rest are undone
// and can be redone. Adjacent actions with the same group number are undone
// and redone together as one step.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "actions/Action.h"

class TActions {
 public:
  // The list keeps at most this many actions; when it is full the oldest
  // TrimCount go at once, whatever groups they belong to.
  static constexpr int32_t MaxCount = 512;
  static constexpr int32_t TrimCount = 256;

  // Drops the redo tail, appends the action (the list owns it from now on)
  // and performs it. With show the cursor is placed and the grid refreshed;
  // bulk commands pass false and call UpdateView once at the end. False when
  // the action ran out of memory: the history is then gone.
  bool AddAction(std::unique_ptr<TAction> action, bool show);
  // The same as count calls of AddAction with show false, when the changes
  // are already made and tail holds the last actions of those calls, already
  // performed. Only what the trim would keep of them is needed: at most
  // MaxCount, and fewer never than what stays (see KeptOfBulk).
  void AppendPerformed(std::vector<std::unique_ptr<TAction>> tail, int64_t count);
  // How many of count newly added actions the list still holds afterwards.
  int32_t KeptOfBulk(int64_t count) const;
  void Undo();
  void Redo();
  // Drops the whole history.
  void Forget();
  bool CanUndo() const { return FIndex >= 0; }
  bool CanRedo() const { return FIndex < Count() - 1; }
  // The kind name of the action at index, in the current language.
  std::string ActionName(int32_t index) const;
  // "(Change value)", "(37 * Unmark)": the suffix of the Edit menu's Undo and
  // Redo captions; empty when there is nothing to undo / redo.
  std::string UndoName() const;
  std::string RedoName() const;
  // After bulk recording: the cursor on the newest done action, the grid laid
  // out and repainted.
  void UpdateView();

  // Undo and Redo take a group of replacements back in one pass over the
  // document; true makes them go action by action (for comparisons).
  bool OneByOne = false;

  int32_t Count() const { return int32_t(FList.size()); }
  int32_t Index() const { return FIndex; }
  const TAction& Item(int32_t index) const { return *FList[size_t(index)]; }

 private:
  enum class TDirection { Undo, Redo };
  // Undo or Redo: the group next to the index in that direction, taken back
  // or done again, the cursor placed on its last action and the view updated.
  void Step(TDirection direction);
  std::string GroupName(int32_t index, int step) const;
  // Simulates the trim over count additions to a list of start entries (the
  // redo tail already dropped): how many old entries and how many new ones
  // are left.
  static void SimulateAdds(int64_t start, int64_t count, int64_t& oldLeft, int64_t& newKept);
  // After a failed undo or redo: no history, and the cursor kept inside
  // whatever the document has become.
  void DropAfterFailure();
  std::vector<class TReplaceAction*> ReplaceRun(int32_t index, int step) const;

  std::vector<std::unique_ptr<TAction>> FList;
  int32_t FIndex = -1;
};

// The one history of the program.
TActions& ActionList();

// A command that records actions takes one new group number first and stamps
// all its actions with it.
int32_t NextActionGroup();
