#include "commands/ReplaceCommands.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "actions/Actions.h"
#include "actions/BulkMarks.h"
#include "actions/DocEdit.h"
#include "actions/MarkAction.h"
#include "actions/ReplaceAction.h"
#include "actions/ReplaceSweep.h"
#include "commands/FindCommands.h"
#include "commands/UiState.h"
#include "core/Cursor.h"
#include "core/FindState.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/OptionsState.h"
#include "core/Helpers.h"
#include "core/Progress.h"
#include "core/Search.h"
#include "core/Seams.h"
#include "core/Texts.h"

TQuestionPlace QuestionPlace() {
  IHost& host = Host();
  const int32_t width = host.ScreenWidth(), height = host.ScreenHeight();
  const int32_t rowTop = host.DataBoxScreenTop() + (Cursor.CursorRow - TopRow()) * Grid.RowHeight;
  return {width / 6, rowTop > height / 2 ? height / 6 : height * 4 / 6};
}

int ProjectedMinutes(int64_t done, int64_t total, uint32_t elapsedMs) {
  const double percent = total > 0 && done > 5 ? double(done) / double(total) * 100 : 100;
  const double minutes = double(elapsedMs) * 100 / percent / 60000;
  return minutes > 60 ? 60 : int(std::nearbyint(minutes));
}

std::string TxtEstimatedTime(int minutes) {
  if (minutes >= 60)
    return Tr("Estimated time for this operation: Several hours. Continue?",
              "Geschätzte Zeit für diese Operation: Mehrere Stunden. Fortfahren?");
  const std::string m = std::to_string(minutes);
  return German() ? "Geschätzte Zeit für diese Operation: " + m + " min. Fortfahren?"
                  : "Estimated time for this operation: " + m + " min. Continue?";
}

namespace {

// Where the search goes on after a hit at p. Forward past a hit near the end
// of a document of 2^31 - 1 bytes the sum would overflow; any start beyond
// the end finds nothing, so it stops there.
int32_t NextStart(int32_t p, int32_t step, bool backward) {
  const int64_t next = backward ? int64_t(p) - step : int64_t(p) + step;
  return int32_t(std::min<int64_t>(next, INT32_MAX));
}

bool CursorInChars() { return Cursor.CursorCol >= 0 && InCharArea(Cursor.CursorCol); }

// What one run of either command keeps while it walks.
struct TRun {
  bool Backward = false;
  bool All = false;
  bool Confirm = false;
  bool Ended = false;
  bool Area = false;
  int32_t Group = 0;
  int32_t Start = 0;
  int32_t Origin = 0;
  int64_t Found = 0;
  int32_t LastFound = -1;
  int LastPercent = -1;

  explicit TRun(bool all) {
    const TFindState& s = FindState();
    Group = NextActionGroup();
    Area = CursorInChars();
    All = all;
    Confirm = s.ConfirmCB;
    Backward = s.DirectionUpRB;
    Start = s.BeginCursorRB ? CursorOffset() : Backward ? Doc.DocSize - 1 : 0;
    Origin = Start;
  }

  // The percentage of the way from the origin to the end of the document
  // (as large as it is now), shown when its whole number changes.
  void Progress(int32_t p, int32_t docSize) {
    const int32_t end = Backward ? 0 : docSize - 1;
    if (end == Origin) return;
    const double part = Backward ? double(Origin - p) / double(Origin - end) : double(p - Origin) / double(end - Origin);
    const int percent = int(std::nearbyint(part * 100));
    if (percent == LastPercent) return;
    LastPercent = percent;
    ShowPercent(percent);
  }

  // Asks before acting on the occurrence at p; false to leave it. Cancel
  // ends the run, All stops the asking.
  bool Ask(int32_t p, const std::string& question) {
    GotoOffset(p, CursorInChars(), true);
    const TQuestionPlace place = QuestionPlace();
    const int answer = Host().MessageDialogAt(question, TMsgDlgType::Confirmation,
                                              mbYesNoCancel | Btn(mbAll), 0, place.Left, place.Top);
    if (answer == mrAll) {
      Confirm = false;
      All = true;
      return true;
    }
    if (answer == mrYes) return true;
    if (answer != mrNo) Ended = true;
    return false;
  }

  void Finish() {
    if (Found == 0) Beep();
  }
};

// The unattended part of a Replace run. Replacements go into a sweep over
// the document instead of one action each; the actions the history would
// keep of them are built at the end from a ring of the newest ones.
class TReplaceBatch {
 public:
  TReplaceBatch(const TRun& run, const std::vector<uint8_t>& pattern, const std::vector<uint8_t>& replacement)
      : FRun(run), FPattern(pattern), FReplacement(replacement) {}

  int32_t Size() const { return FSweep ? FSweep->Size() : Doc.DocSize; }

  int32_t Find(int32_t start) {
    const bool exact = FindState().CaseCB;
    const int32_t n = int32_t(FPattern.size());
    if (FNext > 0) {
      const int32_t r = int32_t(FReplacement.size());
      const int32_t next = FNext < FAhead.size() ? FAhead[FNext] : -1;
      if (!FRun.Backward && start - FShift == int64_t(FAhead[FNext - 1]) + n) {
        // Forwards the run meets exactly the occurrences the estimate
        // counted, moved by what the replacements since added or took.
        ++FNext;
        return next < 0 ? -1 : int32_t(next + FShift);
      }
      if (FRun.Backward && start == FAhead[FNext - 1] - r && FSweep && FSweep->Pending()) {
        // Backwards the bytes below the last replacement are untouched, so
        // the next counted occurrence is the nearest one below it, unless
        // the replacement made one that reaches into it or the run starts
        // below the next counted one.
        const int32_t reaching = r < n ? FSweep->FindReaching(FPattern.data(), n, exact, start) : -1;
        if (reaching < 0 && next <= start) {
          ++FNext;
          return next;
        }
      }
      FNext = 0;
    }
    if (FSweep) return FSweep->Find(FPattern.data(), n, exact, start, FRun.Backward);
    if (Doc.DocSize <= 0 || !Doc.DocData) return -1;
    return FindBytes(Doc.DocData, Doc.DocSize, FPattern.data(), n, exact, start, FRun.Backward);
  }

  // What the unattended loop would count: hits from start on, each next
  // search n bytes on from the last hit.
  int64_t Count(int32_t start) {
    const int32_t n = int32_t(FPattern.size());
    FAhead.clear();
    FNext = 0;
    if (FRun.Backward && !(FSweep && FSweep->Pending()) && !SelfOverlapping() && Doc.DocData) {
      // Occurrences of a sequence that cannot overlap itself are the same
      // whichever way they are walked, and the forward search is the faster.
      const bool exact = FindState().CaseCB;
      for (int32_t q = FindBytes(Doc.DocData, Doc.DocSize, FPattern.data(), n, exact, 0, false); q >= 0 && q <= start;
           q = FindBytes(Doc.DocData, Doc.DocSize, FPattern.data(), n, exact, q + n, false))
        FAhead.push_back(q);
      std::reverse(FAhead.begin(), FAhead.end());
    } else {
      for (int32_t q = Find(start); q >= 0; q = Find(FRun.Backward ? q - n : q + n)) FAhead.push_back(q);
    }
    FShift = 0;
    FNext = FAhead.empty() ? 0 : 1;
    return int64_t(FAhead.size());
  }

  // Whether two occurrences can overlap: some proper head of the sequence
  // matches its tail of the same length.
  bool SelfOverlapping() const {
    const bool exact = FindState().CaseCB;
    const size_t n = FPattern.size();
    const auto same = [exact](uint8_t a, uint8_t b) { return exact ? a == b : FoldCase(a) == FoldCase(b); };
    for (size_t k = 1; k < n; ++k) {
      size_t i = 0;
      while (i < k && same(FPattern[i], FPattern[n - k + i])) ++i;
      if (i == k) return true;
    }
    return false;
  }

  // The replacement at p, as AddAction of one action with show false would
  // make it; false when it ran out of memory (the history is then gone).
  bool Replace(int32_t p) {
    const int32_t n = int32_t(FPattern.size()), r = int32_t(FReplacement.size());
    if (!FSweep) FSweep = std::make_unique<TReplaceSweep>(FRun.Backward);
    if (!FSweep->Fits(p, n, r)) Flush();
    if (!FSweep->Allocate(n, r, true)) {
      Flush();
      FCount = 0;
      ReportMemoryFailure(TxtNotEnoughMemoryCloseApplication());
      const int32_t last = Doc.DocSize - 1;
      GotoOffset(p < last ? p : last, FRun.Area, false);
      View().RequestLayout();
      View().FlushPaint();
      ActionList().Forget();
      return false;
    }
    TEntry& e = FRing[size_t(FCount % Keep)];
    e.Pos = p;
    e.Removed.clear();
    FSweep->Edit(p, n, FReplacement.data(), r, nullptr, &e.Old, r < n ? &e.Removed : nullptr);
    ++FCount;
    ++FUnwritten;
    FShift += r - n;
    CountChange(+1);
    return true;
  }

  // Writes the document out, so that the user sees it as it stands.
  void Flush() {
    if (FSweep) FSweep->Flush();
    FUnwritten = 0;
  }

  // After running out of memory part way: the replacements not yet written
  // out never reach the document, so they no longer count as changes.
  void DropUnwritten() {
    CountChange(-int(FUnwritten));
    FUnwritten = 0;
  }

  // Writes the document out and hands the kept actions to the history.
  void Finish() {
    Flush();
    if (FCount == 0) return;
    const int64_t kept = std::min<int64_t>({ActionList().KeptOfBulk(FCount), FCount, Keep});
    std::vector<std::unique_ptr<TAction>> tail;
    for (int64_t i = FCount - kept; i < FCount; ++i) {
      TEntry& e = FRing[size_t(i % Keep)];
      tail.push_back(TReplaceAction::Performed(akReplace, FRun.Group, e.Pos, FRun.Area, std::move(e.Old),
                                               FReplacement, std::move(e.Removed)));
    }
    ActionList().AppendPerformed(std::move(tail), FCount);
    FCount = 0;
  }

 private:
  static constexpr int64_t Keep = TActions::MaxCount;
  struct TEntry {
    int32_t Pos = 0;
    std::vector<uint8_t> Old, Removed;
  };
  const TRun& FRun;
  const std::vector<uint8_t>& FPattern;
  const std::vector<uint8_t>& FReplacement;
  std::unique_ptr<TReplaceSweep> FSweep;
  // The occurrences the estimate counted, the next one the run will meet,
  // and how far the replacements since have moved them.
  std::vector<int32_t> FAhead;
  size_t FNext = 0;
  int64_t FShift = 0;
  std::array<TEntry, size_t(Keep)> FRing;
  int64_t FCount = 0;
  int64_t FUnwritten = 0;  // replacements since the last write-out
};

// The time question of an unattended Replace, asked at most once per run.
struct TEstimate {
  bool Taken = false;
  bool Asked = false;
  int64_t Total = 0;
  int64_t Base = 0;
  uint32_t T0 = 0;

  // False when the user does not want to go on.
  bool Check(TRun& run, TReplaceBatch& batch) {
    if (Asked) return true;
    if (!Taken) {
      Taken = true;
      Total = batch.Count(run.Start);
      Base = run.Found;
      T0 = Host().TickCount();
    }
    const uint32_t now = Host().TickCount();
    const int minutes = ProjectedMinutes(run.Found - Base, Total, now - T0);
    if (minutes <= 1) return true;
    Asked = true;
    batch.Flush();
    View().RequestLayout();
    GotoOffset(run.LastFound, CursorInChars(), true);
    return ShowMessageDialog(TxtEstimatedTime(minutes), TMsgDlgType::Warning, mbYesNoCancel, 0) == mrYes;
  }
};

std::vector<uint8_t> Bytes(const TBytesData& data) {
  const auto& buf = data.Buf();
  return std::vector<uint8_t>(buf.begin(), buf.begin() + std::min<size_t>(buf.size(), size_t(data.Len())));
}

void RunReplace(bool all) {
  const std::vector<uint8_t> pattern = Bytes(FindState().FindData);
  const std::vector<uint8_t> replacement = Bytes(FindState().ReplaceData);
  const int32_t n = int32_t(pattern.size()), r = int32_t(replacement.size());
  if (n <= 0) return;
  TRun run(all);
  TReplaceBatch batch(run, pattern, replacement);
  TEstimate estimate;
  try {
    do {
      const int32_t p = batch.Find(run.Start);
      if (p < 0) break;
      ++run.Found;
      run.LastFound = p;
      bool act = run.Confirm ? run.Ask(p, Tr("Replace?", "Ersetzen?")) : true;
      if (!run.Confirm && !run.Ended && !estimate.Check(run, batch)) {
        act = false;
        run.Ended = true;
      }
      if (act) {
        bool ok;
        if (run.Confirm) {
          ok = ActionList().AddAction(
              std::make_unique<TReplaceAction>(akReplace, run.Group, p, run.Area, pattern, replacement), true);
        } else {
          ok = batch.Replace(p);
          run.Progress(p, batch.Size());
        }
        if (!ok) run.Ended = true;
      }
      run.Start = NextStart(p, act ? r : n, run.Backward);
    } while (!run.Ended && run.All);
    batch.Finish();
  } catch (const std::bad_alloc&) {
    // The run could not get its memory: the document is as it was last
    // written out, and the history goes.
    batch.DropUnwritten();
    ActionList().Forget();
    ReportMemoryFailure(TxtNotEnoughMemoryCloseApplication());
  }
  run.Finish();
  if (run.Found > 0) {
    View().RequestLayout();
    GotoOffset(run.LastFound, CursorInChars(), true);
  }
  if (!run.Confirm) {
    ActionList().UpdateView();
    View().SetStatusPanel(2, "");
  }
}

void RunFindAndMark(bool all) {
  const TFindState& s = FindState();
  const int32_t n = s.FindData.Len();
  const uint8_t mark = s.MarkColour >= 1 && s.MarkColour <= 6 ? s.MarkColour : 1;
  TRun run(all);
  TBulkMarks bulk(akMark, run.Group, run.Area);
  do {
    const int32_t p = FindFrom(run.Start, run.Backward);
    if (p < 0) break;
    ++run.Found;
    run.LastFound = p;
    const bool act = run.Confirm ? run.Ask(p, Tr("Mark?", "Markieren?")) : true;
    if (act && run.Confirm) {
      for (int32_t q = p; q < p + n && q < Doc.DocSize; ++q)
        if (Doc.DocMarks && Doc.DocMarks[q] != mark)
          ActionList().AddAction(std::make_unique<TMarkAction>(akMark, run.Group, q, run.Area, mark), true);
    } else if (act) {
      // Every changed byte would show the same percentage, so one showing
      // per occurrence that changed anything shows the same.
      const int64_t before = bulk.Changed();
      bulk.Fill(p, n, mark);
      if (bulk.Changed() != before) run.Progress(p, Doc.DocSize);
    }
    run.Start = NextStart(p, n, run.Backward);
  } while (!run.Ended && run.All);
  bulk.Finish();
  run.Finish();
  if (run.Found > 0) GotoOffset(run.LastFound, CursorInChars(), true);
  if (!run.Confirm) {
    ActionList().UpdateView();
    View().SetStatusPanel(2, "");
  }
}

bool Accepted(int result) { return result == mrOk || result == FindAllResult; }

}  // namespace

void ReplaceMainMenuItemClick() {
  FindState().SetMode(TFindMode::Replace);
  const int result = Host().ShowFindDialog(TFindMode::Replace);
  if (Accepted(result)) RunReplace(result == FindAllResult);
  UpdateMenus();
}

void FindAndMarkMainMenuItemClick() {
  FindState().SetMode(TFindMode::FindAndMark);
  const int result = Host().ShowFindDialog(TFindMode::FindAndMark);
  if (Accepted(result)) RunFindAndMark(result == FindAllResult);
  UpdateMenus();
}
