// The undo and redo history: one list of performed actions.
#pragma once

#include <memory>
#include <string>
#include <vector>

class TAction {
 public:
  virtual ~TAction() = default;
};

class TActions {
 public:
  // Drops the whole history.
  void Forget();
  bool CanUndo() const;
  bool CanRedo() const;
  std::string UndoName() const;
  std::string RedoName() const;

 private:
  std::vector<std::unique_ptr<TAction>> FList;
  int FDone = 0;  // actions [0, FDone) are done, the rest can be redone
};

// The one history of the program.
TActions& ActionList();
