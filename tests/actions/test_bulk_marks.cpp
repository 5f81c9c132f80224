// Bulk mark recording against the plain way: one TMarkAction per changed
// byte through AddAction. Marks, history, captions, and every Undo and Redo
// step must come out the same.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <tuple>

#include "actions/Actions.h"
#include "actions/BulkMarks.h"
#include "actions/MarkAction.h"
#include "actions/UndoTestSupport.h"
#include "core/DocState.h"
#include "core/Helpers.h"
#include "fakes/TestSeed.h"

namespace undo_test {
namespace {

using Bytes = std::vector<uint8_t>;

struct TCall {
  bool IsFill;
  int32_t Pos;
  int32_t Len;
  uint8_t Mark;
  Bytes Wanted;
};

// Everything observable after a run: the marks, the history's entries, the
// captions, and the marks after each undo step and then each redo step.
using TEntry = std::tuple<int, int32_t, int32_t, bool, int, int, bool>;
struct TOutcome {
  Bytes Marks;
  std::vector<TEntry> Entries;
  int32_t Index;
  std::string UndoName, RedoName;
  std::vector<Bytes> Steps;
  int32_t CursorOffset;
  bool operator==(const TOutcome& o) const {
    return std::tie(Marks, Entries, Index, UndoName, RedoName, Steps, CursorOffset) ==
           std::tie(o.Marks, o.Entries, o.Index, o.UndoName, o.RedoName, o.Steps, o.CursorOffset);
  }
};

class BulkMarks : public TUndoTest {
 protected:
  // A document with marks and a history of `before` mark actions, some of
  // them undone, so the redo tail and the trim both come into play.
  void Prepare(uint32_t seed, int32_t size, int before, int undone) {
    std::mt19937 rng(seed);
    Bytes marks(static_cast<size_t>(size));
    for (auto& m : marks) m = uint8_t(rng() % 3 == 0 ? rng() % 7 : 0);
    Load(Bytes(size_t(size), 0x55), marks);
    Doc.ActionGroupCounter = 0;
    for (int i = 0; i < before && size > 0; ++i)
      ActionList().AddAction(std::make_unique<TMarkAction>(akMark, NextActionGroup(), int32_t(rng() % uint32_t(size)),
                                                           false, uint8_t(rng() % 7)),
                             false);
    for (int i = 0; i < undone; ++i) ActionList().Undo();
  }

  TOutcome Observe() {
    TOutcome o;
    o.Marks = Marks();
    for (int32_t i = 0; i < ActionList().Count(); ++i) {
      const TAction& a = ActionList().Item(i);
      o.Entries.emplace_back(a.Kind(), a.Group(), a.Pos(), a.CharColumn(), a.NewValue(), a.OldValue(), a.Applied());
    }
    o.Index = ActionList().Index();
    o.UndoName = ActionList().UndoName();
    o.RedoName = ActionList().RedoName();
    ActionList().UpdateView();
    o.CursorOffset = ::CursorOffset();
    for (int i = 0; i < 3 && ActionList().CanUndo(); ++i) {
      ActionList().Undo();
      o.Steps.push_back(Marks());
    }
    while (ActionList().CanRedo()) {
      ActionList().Redo();
      o.Steps.push_back(Marks());
    }
    return o;
  }

  static void Plain(const std::vector<TCall>& calls, int32_t group, bool chars) {
    for (const TCall& c : calls)
      for (int32_t i = 0; i < c.Len && c.Pos + i < Doc.DocSize; ++i) {
        const uint8_t want = c.IsFill ? c.Mark : c.Wanted[size_t(i)];
        if (Doc.DocMarks[c.Pos + i] != want)
          ActionList().AddAction(std::make_unique<TMarkAction>(akLoadMark, group, c.Pos + i, chars, want), false);
      }
  }

  static void Bulk(const std::vector<TCall>& calls, int32_t group, bool chars) {
    TBulkMarks bulk(akLoadMark, group, chars);
    for (const TCall& c : calls)
      if (c.IsFill)
        bulk.Fill(c.Pos, c.Len, c.Mark);
      else
        bulk.Assign(c.Pos, c.Len, c.Wanted.data());
    bulk.Finish();
  }
};

TEST_F(BulkMarks, SameOutcomeAsOneActionPerChangedByte) {
  BQ_SEEDED_RNG(rng, 20261208);
  const int rounds = 400;
  for (int round = 0; round < rounds; ++round) {
    // Sizes around the segment size and the history bound.
    const int32_t sizes[] = {0, 1, 7, 300, 511, 512, 513, 1030, 70000, 140000};
    const int32_t size = sizes[rng() % 10];
    const int before = int(rng() % 600), undone = int(rng() % 4);
    const uint32_t seed = uint32_t(rng());
    std::vector<TCall> calls;
    const int n = 1 + int(rng() % 5);
    for (int k = 0; k < n && size > 0; ++k) {
      TCall c{rng() % 2 == 0, int32_t(rng() % uint32_t(size)), 0, uint8_t(rng() % 7), {}};
      c.Len = rng() % 3 == 0 ? size : int32_t(rng() % 1200 + 1);  // may run past the end
      const int density = int(rng() % 4);                         // 0: few changes ... 3: changes everywhere
      for (int32_t i = 0; i < c.Len; ++i)
        c.Wanted.push_back(uint8_t(density == 3 || rng() % uint32_t(1 + density * 40) == 0 ? rng() % 7 : 0));
      calls.push_back(std::move(c));
    }
    const bool chars = rng() % 2;
    Prepare(seed, size, before, undone);
    Plain(calls, 4242, chars);
    const TOutcome plain = Observe();
    Prepare(seed, size, before, undone);
    Bulk(calls, 4242, chars);
    const TOutcome bulk = Observe();
    ASSERT_TRUE(plain == bulk) << "round " << round << " size " << size << " history " << before;
  }
}

TEST_F(BulkMarks, NothingChangedLeavesTheRedoTail) {
  Prepare(1, 100, 5, 2);
  const TOutcome before = Observe();
  Prepare(1, 100, 5, 2);
  TBulkMarks bulk(akMark, 99);
  bulk.Assign(0, 100, Marks().data());
  bulk.Finish();
  EXPECT_EQ(bulk.Changed(), 0);
  EXPECT_TRUE(Observe() == before);
}

}  // namespace
}  // namespace undo_test
