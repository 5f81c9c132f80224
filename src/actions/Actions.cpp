#include "actions/Actions.h"

#include <algorithm>

#include "actions/ReplaceAction.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/Helpers.h"
#include "core/Seams.h"
#include "core/Texts.h"

bool TActions::AddAction(std::unique_ptr<TAction> action, bool show) {
  if (!action) return true;
  if (CanRedo()) FList.erase(FList.begin() + (FIndex + 1), FList.end());
  if (Count() >= MaxCount) {
    FList.erase(FList.begin(), FList.begin() + TrimCount);
    FIndex = Count() - 1;
  }
  FList.push_back(std::move(action));
  ++FIndex;
  TAction& added = *FList.back();
  if (!added.DoAction()) {
    added.SetDoActionCursorPos();
    View().RequestLayout();
    View().FlushPaint();
    Forget();
    return false;
  }
  if (!show) return true;
  // A size change is laid out before the cursor is placed: the cursor
  // arithmetic clamps to the rows the grid has, and an appended byte may
  // stand on a row the old layout does not know yet.
  if (added.SizeChanged()) {
    View().RequestLayout();
    added.SetDoActionCursorPos();
    View().InvalidateDataBox();
  } else {
    added.SetDoActionCursorPos();
  }
  View().FlushPaint();
  return true;
}

void TActions::SimulateAdds(int64_t start, int64_t count, int64_t& oldLeft, int64_t& newKept) {
  int64_t size = start, added = 0;
  oldLeft = start;
  newKept = 0;
  while (added < count) {
    if (size >= MaxCount) {
      // The oldest TrimCount go: the old entries first, then the new ones.
      const int64_t fromOld = std::min<int64_t>(oldLeft, TrimCount);
      oldLeft -= fromOld;
      newKept -= TrimCount - fromOld;
      size -= TrimCount;
    }
    const int64_t n = std::min<int64_t>(count - added, MaxCount - size);
    size += n;
    newKept += n;
    added += n;
  }
}

int32_t TActions::KeptOfBulk(int64_t count) const {
  int64_t oldLeft = 0, newKept = 0;
  SimulateAdds(FIndex + 1, count, oldLeft, newKept);
  return int32_t(newKept);
}

void TActions::AppendPerformed(std::vector<std::unique_ptr<TAction>> tail, int64_t count) {
  if (count <= 0) return;
  if (CanRedo()) FList.erase(FList.begin() + (FIndex + 1), FList.end());
  int64_t oldLeft = 0, newKept = 0;
  SimulateAdds(Count(), count, oldLeft, newKept);
  FList.erase(FList.begin(), FList.begin() + (Count() - oldLeft));
  const size_t skip = tail.size() - size_t(std::min<int64_t>(newKept, int64_t(tail.size())));
  for (size_t i = skip; i < tail.size(); ++i) FList.push_back(std::move(tail[i]));
  FIndex = Count() - 1;
}

void TActions::Undo() { Step(TDirection::Undo); }
void TActions::Redo() { Step(TDirection::Redo); }

// Once bytes may have changed anywhere in the view, the whole data area is
// repainted: the layout on its own does not repaint.
void TActions::Step(TDirection direction) {
  const bool undo = direction == TDirection::Undo;
  if (undo ? !CanUndo() : !CanRedo()) return;
  // Undo walks down from the newest done action, Redo up from the oldest
  // undone one; FIndex stays on the newest done action throughout.
  const int step = undo ? -1 : +1;
  const auto nextIndex = [&] { return undo ? FIndex : FIndex + 1; };
  const int32_t group = FList[size_t(nextIndex())]->Group();
  TAction* last = nullptr;
  bool ok = true;
  std::vector<TReplaceAction*> run = ReplaceRun(nextIndex(), step);
  if (!run.empty()) {
    size_t processed = 0;
    ok = undo ? TReplaceAction::UndoRun(run.data(), run.size(), processed)
              : TReplaceAction::RedoRun(run.data(), run.size(), processed);
    last = run[processed - 1];
    FIndex += step * int32_t(processed);
  }
  while (ok && run.empty() && nextIndex() >= 0 && nextIndex() < Count() &&
         FList[size_t(nextIndex())]->Group() == group) {
    last = FList[size_t(nextIndex())].get();
    // A redone action counts as done before it runs, an undone one as
    // undone only once it ran: should an action throw, the index says so.
    if (undo) {
      ok = last->UndoAction();
      FIndex += step;
    } else {
      FIndex += step;
      ok = last->DoAction();
    }
  }
  const auto placeCursor = [&] { undo ? last->SetUndoActionCursorPos() : last->SetDoActionCursorPos(); };
  if (!ok) {
    DropAfterFailure();
  } else if (last->SizeChanged()) {
    View().RequestLayout();
    placeCursor();
    View().InvalidateDataBox();
  } else {
    placeCursor();
    View().RequestLayout();
    View().InvalidateDataBox();
  }
  View().FlushPaint();
}

// A group of two or more replacements and nothing else, from index in the
// direction of step: undone or redone together in one pass.
std::vector<TReplaceAction*> TActions::ReplaceRun(int32_t index, int step) const {
  std::vector<TReplaceAction*> run;
  if (OneByOne) return run;
  const int32_t group = FList[size_t(index)]->Group();
  for (int32_t i = index; i >= 0 && i < Count() && FList[size_t(i)]->Group() == group; i += step) {
    auto* replace =
        FList[size_t(i)]->Kind() == akReplace ? dynamic_cast<TReplaceAction*>(FList[size_t(i)].get()) : nullptr;
    if (!replace) return {};
    run.push_back(replace);
  }
  if (run.size() < 2) run.clear();
  return run;
}

void TActions::DropAfterFailure() {
  Forget();
  View().RequestLayout();
  // The cursor stays where it is unless the part of the group that was done
  // before the failure took its byte away.
  if (Cursor.CursorCol >= 0 && CursorOffset() >= Doc.DocSize) MoveCursor(Cursor.CursorCol, Cursor.CursorRow, false);
  View().InvalidateDataBox();
}

void TActions::Forget() {
  FList.clear();
  FIndex = -1;
}

std::string TActions::ActionName(int32_t index) const {
  if (index < 0 || index >= Count()) return "?";
  return TxtActionKindName(FList[size_t(index)]->Kind());
}

// Counts the adjacent actions of the group at index in the direction of step
// (only what the list still holds) and names the group by that action.
std::string TActions::GroupName(int32_t index, int step) const {
  const int32_t group = FList[size_t(index)]->Group();
  int32_t n = 0;
  for (int32_t i = index; i >= 0 && i < Count() && FList[size_t(i)]->Group() == group; i += step) ++n;
  std::string name = "(";
  if (n != 1) name += std::to_string(n) + " * ";
  return name + ActionName(index) + ")";
}

std::string TActions::UndoName() const { return CanUndo() ? GroupName(FIndex, -1) : ""; }
std::string TActions::RedoName() const { return CanRedo() ? GroupName(FIndex + 1, +1) : ""; }

// The layout comes first for the same reason as in AddAction: bulk changes
// may have moved the newest action's byte beyond the rows laid out before.
void TActions::UpdateView() {
  if (!CanUndo()) return;
  View().RequestLayout();
  const TAction& newest = *FList[size_t(FIndex)];
  GotoOffset(newest.Pos(), newest.CharColumn(), false);
  View().InvalidateDataBox();
}

TActions& ActionList() {
  static TActions list;
  return list;
}

int32_t NextActionGroup() {
  Doc.ActionGroupCounter = int32_t(uint32_t(Doc.ActionGroupCounter) + 1u);
  return Doc.ActionGroupCounter;
}
