#include "actions/Actions.h"

void TActions::Forget() {
  FList.clear();
  FDone = 0;
}

bool TActions::CanUndo() const { return FDone > 0; }
bool TActions::CanRedo() const { return FDone < int(FList.size()); }
std::string TActions::UndoName() const { return ""; }
std::string TActions::RedoName() const { return ""; }

TActions& ActionList() {
  static TActions list;
  return list;
}
