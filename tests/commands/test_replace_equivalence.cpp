// Replace all in one pass against the plain loop: one search, one
// TReplaceAction recorded per hit, the whole rest of the document moved each
// time, undone and redone one action at a time. Random documents, patterns,
// replacements, directions, starts, marks, questions, histories and
// allocation failures; everything the user or the history can see must come
// out the same.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <deque>
#include <memory>
#include <random>

#include "actions/Actions.h"
#include "actions/MarkAction.h"
#include "actions/ReplaceAction.h"
#include "commands/FindCommands.h"
#include "commands/ReplaceCommands.h"
#include "commands/UiState.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/FindState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "fakes/FakeSeams.h"
#include "fakes/TestSeed.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct TCase {
  Bytes Data, Marks, Pattern, Replacement;
  bool Backward = false, FromCursor = true, Exact = true, Confirm = false, All = true, CharArea = false;
  int32_t Cursor = 0;
  std::vector<int> Answers;  // to the questions, in order
  int PriorMarks = 0;        // single mark actions recorded before, one group each... or one big group
  bool PriorOneGroup = false;
  int PriorUndos = 0;
  int FailAt = 0;  // the allocation (counted from the run's start) that fails; 0 for none
};

struct TActionView {
  int Kind, Group, Pos, Count, Count2;
  bool CharColumn, Applied;
  uint8_t New, Old;
  Bytes Buffer, Buffer2, Removed;
  bool operator==(const TActionView& o) const {
    return Kind == o.Kind && Group == o.Group && Pos == o.Pos && Count == o.Count && Count2 == o.Count2 &&
           CharColumn == o.CharColumn && Applied == o.Applied && New == o.New && Old == o.Old && Buffer == o.Buffer &&
           Buffer2 == o.Buffer2 && Removed == o.Removed;
  }
};

struct TSnapshot {
  Bytes Data, Marks;
  int32_t CursorCol, CursorRow, Top, Changes, Index;
  std::vector<TActionView> Actions;
  std::string UndoName, RedoName, Panel;
  size_t Messages;
  int Beeps;
  bool operator==(const TSnapshot& o) const {
    return Data == o.Data && Marks == o.Marks && CursorCol == o.CursorCol && CursorRow == o.CursorRow && Top == o.Top &&
           Changes == o.Changes && Index == o.Index && Actions == o.Actions && UndoName == o.UndoName &&
           RedoName == o.RedoName && Panel == o.Panel && Messages == o.Messages && Beeps == o.Beeps;
  }
};

TSnapshot Take(const TSeamFixture& seams) {
  TSnapshot s;
  s.Data.assign(Doc.DocData, Doc.DocData + Doc.DocSize);
  s.Marks.assign(Doc.DocMarks, Doc.DocMarks + Doc.DocSize);
  s.CursorCol = Cursor.CursorCol;
  s.CursorRow = Cursor.CursorRow;
  s.Top = TopRow();
  s.Changes = Doc.DataChangeCount;
  s.Index = ActionList().Index();
  for (int32_t i = 0; i < ActionList().Count(); ++i) {
    const TAction& a = ActionList().Item(i);
    const auto* r = dynamic_cast<const TReplaceAction*>(&a);
    s.Actions.push_back({a.Kind(), a.Group(), a.Pos(), a.Count(), a.Count2(), a.CharColumn(), a.Applied(), a.NewValue(),
                         a.OldValue(), a.Buffer(), a.Buffer2(), r ? r->RemovedMarks() : Bytes()});
  }
  s.UndoName = ActionList().UndoName();
  s.RedoName = ActionList().RedoName();
  s.Panel = seams.View.Panels[2];
  s.Messages = seams.Host.Messages.size();
  s.Beeps = seams.Host.Beeps;
  return s;
}

void Load(const TCase& c, TSeamFixture& seams) {
  Doc.DocSize = int32_t(c.Data.size());
  ResizeDocData(Doc.DocSize);
  FreshDocMarks(Doc.DocSize);
  if (Doc.DocSize > 0) {
    std::memcpy(Doc.DocData, c.Data.data(), c.Data.size());
    std::memcpy(Doc.DocMarks, c.Marks.data(), c.Marks.size());
  }
  seams.View.RequestLayout();
  MoveCursor(0, 0, false);
  // A history before the run: mark actions, some of them undone.
  int32_t group = NextActionGroup();
  for (int i = 0; i < c.PriorMarks && Doc.DocSize > 0; ++i) {
    if (!c.PriorOneGroup) group = NextActionGroup();
    ActionList().AddAction(std::make_unique<TMarkAction>(akMark, group, i % Doc.DocSize, false, uint8_t(1 + i % 6)),
                           false);
  }
  for (int i = 0; i < c.PriorUndos; ++i) ActionList().Undo();
  if (Doc.DocSize > 0) GotoOffset(c.Cursor % Doc.DocSize, c.CharArea, false);
  TFindState& s = FindState();
  s.FindData.SetBuf(c.Pattern);
  s.ReplaceData.SetBuf(c.Replacement);
  s.CaseCB = c.Exact;
  s.BeginCursorRB = c.FromCursor;
  s.DirectionUpRB = c.Backward;
  s.ConfirmCB = c.Confirm;
  seams.Host.Messages.clear();
  seams.Host.Beeps = 0;
  seams.View.Panels[2] = "";
}

// The allocation failure of the case, counted from the moment it is armed.
void Arm(const TCase& c, int& calls) {
  calls = 0;
  if (c.FailAt == 0) {
    AllocationFailureHook = nullptr;
    return;
  }
  AllocationFailureHook = [&calls, at = c.FailAt](size_t) { return ++calls == at; };
}

// The loop as plainly as it can be written: one search, one recorded action
// per occurrence, asking first while asking is on.
void PlainReplace(const TCase& c) {
  const TFindState& s = FindState();
  const int32_t n = int32_t(c.Pattern.size()), r = int32_t(c.Replacement.size());
  const int32_t group = NextActionGroup();
  const bool area = Cursor.CursorCol >= 0 && InCharArea(Cursor.CursorCol);
  bool all = c.All, confirm = s.ConfirmCB, ended = false;
  const bool backward = s.DirectionUpRB;
  int32_t start = s.BeginCursorRB ? CursorOffset() : backward ? Doc.DocSize - 1 : 0;
  const int32_t origin = start;
  int found = 0, lastShown = -1;
  int32_t last = -1;
  std::deque<int> answers(c.Answers.begin(), c.Answers.end());
  do {
    const int32_t p = FindFrom(start, backward);
    if (p < 0) break;
    ++found;
    last = p;
    bool act = true;
    if (confirm) {
      GotoOffset(p, Cursor.CursorCol >= 0 && InCharArea(Cursor.CursorCol), true);
      const TQuestionPlace place = QuestionPlace();
      const int answer = Host().MessageDialogAt("Replace?", TMsgDlgType::Confirmation, mbYesNoCancel | Btn(mbAll), 0,
                                                place.Left, place.Top);
      act = answer == mrYes || answer == mrAll;
      if (answer == mrAll) confirm = false, all = true;
      if (answer != mrYes && answer != mrNo && answer != mrAll) ended = true;
    }
    if (act) {
      const bool ok = ActionList().AddAction(
          std::make_unique<TReplaceAction>(akReplace, group, p, area, c.Pattern, c.Replacement), confirm);
      if (!confirm) {
        const int32_t end = backward ? 0 : Doc.DocSize - 1;
        if (end != origin) {
          const double part = backward ? double(origin - p) / (origin - end) : double(p - origin) / (end - origin);
          const int percent = int(std::nearbyint(part * 100));
          if (percent != lastShown) View().SetStatusPanel(2, std::to_string(lastShown = percent) + "%");
        }
      }
      if (!ok) ended = true;
    }
    start = backward ? p - (act ? r : n) : p + (act ? r : n);
  } while (!ended && all);
  if (found == 0) {
    Beep(TBeepReason::NotFound);
  } else {
    View().RequestLayout();
    GotoOffset(last, Cursor.CursorCol >= 0 && InCharArea(Cursor.CursorCol), true);
  }
  if (!confirm) {
    ActionList().UpdateView();
    View().SetStatusPanel(2, "");
  }
  UpdateMenus();
}

Bytes RandomBytes(std::mt19937& rng, size_t n, const char* alphabet) {
  const size_t k = std::strlen(alphabet);
  Bytes b(n);
  for (auto& x : b) x = uint8_t(alphabet[rng() % k]);
  return b;
}

TCase RandomCase(std::mt19937& rng) {
  TCase c;
  const char* alphabet = rng() % 3 ? "ab" : "abAB-";
  const unsigned kind = unsigned(rng() % 100);
  size_t size = rng() % 40;
  if (kind < 8) size = 200 + rng() % 1200;  // long runs: the history's trim
  c.Data = RandomBytes(rng, size, alphabet);
  if (kind >= 8 && kind < 11) {
    // Around a 64 KiB step of the buffers, with a few hits only.
    c.Data.assign(size_t(65536 - 24 + int(rng() % 48)), uint8_t('-'));
    for (int i = 0; i < 12; ++i) c.Data[rng() % c.Data.size()] = 'a';
    alphabet = "a";
  }
  c.Marks.assign(c.Data.size(), 0);
  if (rng() % 2)
    for (auto& m : c.Marks) m = rng() % 3 ? 0 : uint8_t(1 + rng() % 6);
  c.Pattern = RandomBytes(rng, 1 + rng() % 3, alphabet);
  const unsigned rl = unsigned(rng() % 6);
  c.Replacement = RandomBytes(rng, rl, "abx");
  if (rng() % 5 == 0) {  // a replacement that contains the pattern
    c.Replacement = c.Pattern;
    c.Replacement.insert(c.Replacement.begin() + long(rng() % (c.Replacement.size() + 1)), uint8_t('x'));
  }
  c.Backward = rng() % 2;
  c.FromCursor = rng() % 2;
  c.Exact = rng() % 2;
  c.CharArea = rng() % 2;
  c.Cursor = int32_t(rng() % 1000);
  c.All = rng() % 8 != 0;
  c.Confirm = rng() % 4 == 0;
  for (int i = 0; i < 8; ++i) {
    const int answers[] = {mrYes, mrNo, mrAll, mrCancel, mrYes, mrNo};
    c.Answers.push_back(answers[rng() % 6]);
  }
  c.PriorMarks = rng() % 3 ? 0 : int(rng() % 520);
  c.PriorOneGroup = rng() % 2;
  c.PriorUndos = rng() % 4 == 0 ? int(rng() % 3) : 0;
  c.FailAt = rng() % 6 == 0 ? int(1 + rng() % 12) : 0;
  return c;
}

std::string Describe(const TCase& c) {
  auto str = [](const Bytes& b) { return std::string(b.begin(), b.end()); };
  std::string d = "doc \"" + (c.Data.size() < 100 ? str(c.Data) : std::to_string(c.Data.size()) + " bytes") +
                  "\" pattern \"" + str(c.Pattern) + "\" replacement \"" + str(c.Replacement) + "\"";
  d += c.Backward ? " backward" : " forward";
  d += c.FromCursor ? " from cursor " + std::to_string(c.Cursor) : " from the end";
  d += c.Exact ? " exact" : " folded";
  d += c.Confirm ? " asking" : "";
  d += c.All ? " all" : " one";
  d += " prior " + std::to_string(c.PriorMarks) + " undos " + std::to_string(c.PriorUndos);
  d += " fail at " + std::to_string(c.FailAt);
  return d;
}

void ExpectSame(const TSnapshot& a, const TSnapshot& b, const std::string& what, const TCase& c) {
  ASSERT_EQ(a.Data, b.Data) << what << ": " << Describe(c);
  ASSERT_EQ(a.Marks, b.Marks) << what << ": " << Describe(c);
  ASSERT_EQ(a.Changes, b.Changes) << what << ": " << Describe(c);
  ASSERT_EQ(a.Index, b.Index) << what << ": " << Describe(c);
  ASSERT_EQ(a.Actions.size(), b.Actions.size()) << what << ": " << Describe(c);
  ASSERT_TRUE(a.Actions == b.Actions) << what << ": " << Describe(c);
  ASSERT_EQ(a.CursorCol, b.CursorCol) << what << ": " << Describe(c);
  ASSERT_EQ(a.CursorRow, b.CursorRow) << what << ": " << Describe(c);
  ASSERT_TRUE(a == b) << what << ": " << Describe(c);
}

TEST(ReplaceEquivalence, OnePassRunsMatchThePlainLoop) {
  BQ_SEEDED_RNG(rng, 20261208);
  const int runs = 10000;
  for (int run = 0; run < runs; ++run) {
    const TCase c = RandomCase(rng);
    if (c.Pattern.empty()) continue;
    TSnapshot plain[3], fast[3];
    int calls = 0;
    {
      TSeamFixture seams;
      Load(c, seams);
      ActionList().OneByOne = true;
      Arm(c, calls);
      seams.Host.Answers.assign(c.Answers.begin(), c.Answers.end());
      FindState().Accepted = true;
      PlainReplace(c);
      plain[0] = Take(seams);
      ActionList().Undo();
      plain[1] = Take(seams);
      ActionList().Redo();
      plain[2] = Take(seams);
      ActionList().OneByOne = false;
    }
    {
      TSeamFixture seams;
      Load(c, seams);
      Arm(c, calls);
      seams.Host.Answers.assign(c.Answers.begin(), c.Answers.end());
      seams.Host.FindAnswers.push_back(c.All ? FindAllResult : mrOk);
      ReplaceMainMenuItemClick();
      fast[0] = Take(seams);
      ActionList().Undo();
      fast[1] = Take(seams);
      ActionList().Redo();
      fast[2] = Take(seams);
    }
    ASSERT_NO_FATAL_FAILURE(ExpectSame(fast[0], plain[0], "run " + std::to_string(run), c));
    ASSERT_NO_FATAL_FAILURE(ExpectSame(fast[1], plain[1], "undo of run " + std::to_string(run), c));
    ASSERT_NO_FATAL_FAILURE(ExpectSame(fast[2], plain[2], "redo of run " + std::to_string(run), c));
  }
}

// Find and mark as plainly: one TMarkAction per byte whose mark changes.
void PlainFindAndMark(const TCase& c, uint8_t mark) {
  const int32_t n = int32_t(c.Pattern.size());
  const int32_t group = NextActionGroup();
  const bool area = Cursor.CursorCol >= 0 && InCharArea(Cursor.CursorCol);
  bool all = c.All, confirm = c.Confirm, ended = false;
  int32_t start = c.FromCursor ? CursorOffset() : c.Backward ? Doc.DocSize - 1 : 0;
  const int32_t origin = start;
  int found = 0, lastShown = -1;
  int32_t last = -1;
  do {
    const int32_t p = FindFrom(start, c.Backward);
    if (p < 0) break;
    ++found;
    last = p;
    bool act = true;
    if (confirm) {
      GotoOffset(p, Cursor.CursorCol >= 0 && InCharArea(Cursor.CursorCol), true);
      const TQuestionPlace place = QuestionPlace();
      const int answer = Host().MessageDialogAt("Mark?", TMsgDlgType::Confirmation, mbYesNoCancel | Btn(mbAll), 0,
                                                place.Left, place.Top);
      act = answer == mrYes || answer == mrAll;
      if (answer == mrAll) confirm = false, all = true;
      if (answer != mrYes && answer != mrNo && answer != mrAll) ended = true;
    }
    for (int32_t q = p; act && q < p + n; ++q) {
      if (Doc.DocMarks[q] == mark) continue;
      ActionList().AddAction(std::make_unique<TMarkAction>(akMark, group, q, area, mark), confirm);
      const int32_t end = c.Backward ? 0 : Doc.DocSize - 1;
      if (!confirm && end != origin) {
        const double part = c.Backward ? double(origin - p) / (origin - end) : double(p - origin) / (end - origin);
        const int percent = int(std::nearbyint(part * 100));
        if (percent != lastShown) View().SetStatusPanel(2, std::to_string(lastShown = percent) + "%");
      }
    }
    start = c.Backward ? p - n : p + n;
  } while (!ended && all);
  if (found == 0)
    Beep(TBeepReason::NotFound);
  else
    GotoOffset(last, Cursor.CursorCol >= 0 && InCharArea(Cursor.CursorCol), true);
  if (!confirm) {
    ActionList().UpdateView();
    View().SetStatusPanel(2, "");
  }
  UpdateMenus();
}

TEST(FindAndMarkEquivalence, BulkMarkingMatchesThePlainLoop) {
  BQ_SEEDED_RNG(rng, 8122026);
  for (int run = 0; run < 3000; ++run) {
    TCase c = RandomCase(rng);
    c.FailAt = 0;
    if (c.Pattern.empty()) continue;
    const uint8_t mark = uint8_t(1 + rng() % 6);
    TSnapshot plain[2], fast[2];
    {
      TSeamFixture seams;
      Load(c, seams);
      FindState().Accepted = true;
      seams.Host.Answers.assign(c.Answers.begin(), c.Answers.end());
      PlainFindAndMark(c, mark);
      plain[0] = Take(seams);
      ActionList().Undo();
      plain[1] = Take(seams);
    }
    {
      TSeamFixture seams;
      Load(c, seams);
      FindState().MarkColour = mark;
      seams.Host.Answers.assign(c.Answers.begin(), c.Answers.end());
      seams.Host.FindAnswers.push_back(c.All ? FindAllResult : mrOk);
      FindAndMarkMainMenuItemClick();
      fast[0] = Take(seams);
      ActionList().Undo();
      fast[1] = Take(seams);
    }
    ASSERT_NO_FATAL_FAILURE(ExpectSame(fast[0], plain[0], "marking " + std::to_string(run), c));
    ASSERT_NO_FATAL_FAILURE(ExpectSame(fast[1], plain[1], "undo of marking " + std::to_string(run), c));
  }
}

}  // namespace
