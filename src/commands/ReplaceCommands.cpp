#include "commands/ReplaceCommands.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "actions/Actions.h"
#include "actions/BulkMarks.h"
#include "actions/DocEdit.h"
#include "actions/MarkAction.h"
#include "actions/ReplaceAction.h"
#include "commands/FindCommands.h"
#include "commands/ReplaceBatch.h"
#include "commands/UiState.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/FindState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "core/Progress.h"
#include "core/Seams.h"
#include "core/Texts.h"

TQuestionPlace QuestionPlace() {
  IHost& host = Host();
  const int32_t width = host.ScreenWidth(), height = host.ScreenHeight();
  const int32_t rowTop = View().DataBoxScreenTop() + (Cursor.CursorRow - TopRow()) * Grid.RowHeight;
  return {width / 6, rowTop > height / 2 ? height / 6 : height * 4 / 6};
}

double EstimatedRunMs(const TRunSample& sample, int64_t total) {
  // Before the first replacement is done, the time since the count stands
  // for one.
  const double each = double(sample.ReplacedMs) / double(std::max<int64_t>(sample.Replaced, 1));
  return 2.0 * sample.CountMs + each * double(total);
}

bool SampleTells(const TRunSample& sample, int64_t total) {
  return sample.ReplacedMs >= SampleMs || sample.Replaced + 1 >= total || RoundedMinutes(2.0 * sample.CountMs) > 1;
}

int RoundedMinutes(double ms) {
  const double minutes = ms / 60000;
  return minutes > 60 ? 60 : int(std::nearbyint(minutes));
}

namespace {
double LastEstimate = -1;
}  // namespace

double LastReplaceEstimateMs() { return LastEstimate; }

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

// Where the question cannot be placed, the compositor centres it, mostly
// over the middle of the window. Unless the view already shows the cursor
// row in the top quarter of the data area, the row goes up there first: to
// the second row, so that one row above it shows too (near the end of the
// document only as far as the view scrolls).
void LiftCursorRowAboveQuestion() {
  const int32_t quarter = std::max<int32_t>(Grid.VisibleRows / 4, 1);
  const int64_t shown = int64_t(Cursor.CursorRow) - TopRow();
  if (shown >= 0 && shown < quarter) return;
  SetScrollPosition(std::max<int32_t>(Cursor.CursorRow - std::min<int32_t>(1, quarter - 1), 0));
}

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
    const double part =
        Backward ? double(Origin - p) / double(Origin - end) : double(p - Origin) / double(end - Origin);
    const int percent = int(std::nearbyint(part * 100));
    if (percent == LastPercent) return;
    LastPercent = percent;
    ShowPercent(percent);
  }

  // Asks before acting on the occurrence at p; false to leave it. Cancel
  // ends the run, All stops the asking.
  bool Ask(int32_t p, const std::string& question) {
    GotoOffset(p, CursorInChars(), true);
    if (!Host().PlacesDialogs()) LiftCursorRowAboveQuestion();
    const TQuestionPlace place = QuestionPlace();
    const int answer = Host().MessageDialogAt(question, TMsgDlgType::Confirmation, mbYesNoCancel | Btn(mbAll), 0,
                                              place.Left, place.Top);
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
    if (Found == 0) Beep(TBeepReason::NotFound);
  }
};

// The time question of an unattended Replace, asked at most once per run,
// and only once the sample tells.
struct TEstimate {
  bool Counted = false;
  bool Decided = false;
  int64_t Total = 0;
  int64_t Base = 0;
  uint32_t T1 = 0;
  TRunSample Sample;

  // False when the user does not want to go on.
  bool Check(TRun& run, TReplaceBatch& batch) {
    if (Decided) return true;
    IHost& host = Host();
    if (!Counted) {
      Counted = true;
      const uint32_t t0 = host.TickCount();
      // The count also leaves the batch the occurrences ahead, which spares
      // the run's searches from here on.
      Total = batch.LookAhead(run.Start);
      T1 = host.TickCount();
      Sample.CountMs = T1 - t0;
      Base = run.Found;
    }
    Sample.Replaced = run.Found - Base;
    Sample.ReplacedMs = host.TickCount() - T1;
    if (!SampleTells(Sample, Total)) return true;
    Decided = true;
    LastEstimate = EstimatedRunMs(Sample, Total);
    const int minutes = RoundedMinutes(LastEstimate);
    if (minutes <= 1) return true;
    batch.Flush();
    View().RequestLayout();
    GotoOffset(run.LastFound, CursorInChars(), true);
    if (ShowMessageDialog(TxtEstimatedTime(minutes), TMsgDlgType::Warning, mbYesNoCancel, 0) != mrYes) return false;
    // The rest of the run leaves no time to paint: whatever the question
    // covered is painted now, not after the run.
    View().RepaintWindow();
    return true;
  }
};

// The unattended part of a run can take seconds: the busy cursor, and the
// window painted first where the dialog that started it (or the question
// answered with All) stood a moment ago.
void StartUnattended(std::optional<TBusy>& busy) {
  busy.emplace();
  View().RepaintWindow();
}

std::vector<uint8_t> Bytes(const TBytesData& data) {
  const auto& buf = data.Buf();
  const size_t n = std::min<size_t>(buf.size(), size_t(data.Len()));
  return std::vector<uint8_t>(buf.begin(), buf.begin() + std::ptrdiff_t(n));
}

void RunReplace(bool all) {
  const std::vector<uint8_t> pattern = Bytes(FindState().FindData);
  const std::vector<uint8_t> replacement = Bytes(FindState().ReplaceData);
  const int32_t n = int32_t(pattern.size()), r = int32_t(replacement.size());
  if (n <= 0) return;
  TRun run(all);
  TReplaceBatch batch(run.Backward, run.Group, run.Area, pattern, replacement);
  TEstimate estimate;
  LastEstimate = -1;
  std::optional<TBusy> busy;
  try {
    do {
      if (!run.Confirm && !busy) StartUnattended(busy);
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
  std::optional<TBusy> busy;
  do {
    if (!run.Confirm && !busy) StartUnattended(busy);
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
