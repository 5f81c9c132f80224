// The occurrences a Replace batch foresees when the time estimate counts
// them, handed out as the replacements shift them, against a plain search of
// a copy of the document that the test edits itself. Random documents of few
// letters, so that replacements make and break occurrences, both directions,
// with and without case, with write-outs in between.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <vector>

#include "actions/Actions.h"
#include "commands/ReplaceBatch.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/FindState.h"
#include "core/Search.h"
#include "fakes/FakeSeams.h"
#include "fakes/TestSeed.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(ReplaceBatch, PredictsWhatAPlainSearchFinds) {
  TSeamFixture seams;
  BQ_SEEDED_RNG(rng, 20240611);
  const auto pick = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(rng); };
  const auto letters = [&](int len) {
    Bytes b(size_t(len), 0);
    for (uint8_t& c : b) c = uint8_t("abAB"[pick(0, 3)]);
    return b;
  };
  for (int round = 0; round < 3000 && !::testing::Test::HasFailure(); ++round) {
    Bytes model = letters(pick(0, 120));
    const Bytes pattern = letters(pick(1, 4)), replacement = letters(pick(0, 6));
    const bool backward = pick(0, 1), exact = pick(0, 1);
    const int32_t n = int32_t(pattern.size()), r = int32_t(replacement.size());
    SCOPED_TRACE("round " + std::to_string(round));
    ActionList().Forget();
    Doc.DocSize = int32_t(model.size());
    ResizeDocData(Doc.DocSize);
    FreshDocMarks(Doc.DocSize);
    if (!model.empty()) std::memcpy(Doc.DocData, model.data(), model.size());
    FindState().CaseCB = exact;
    const auto plain = [&](int32_t start) {
      return model.empty() ? -1
                           : FindBytes(model.data(), int32_t(model.size()), pattern.data(), n, exact, start, backward);
    };

    TReplaceBatch batch(backward, NextActionGroup(), false, pattern, replacement);
    int32_t start = model.empty() ? 0 : pick(0, int(model.size()) - 1);
    // As in a run: the first search, then the estimate's count from the
    // same start.
    int32_t p = batch.Find(start);
    ASSERT_EQ(p, plain(start));
    if (p < 0) continue;
    int64_t counted = 0;
    for (int32_t q = p; q >= 0; q = plain(backward ? q - n : q + n)) ++counted;
    ASSERT_EQ(batch.LookAhead(start), counted);

    bool predicting = true, flushed = false;
    while (p >= 0) {
      model.erase(model.begin() + p, model.begin() + p + n);
      model.insert(model.begin() + p, replacement.begin(), replacement.end());
      ASSERT_TRUE(batch.Replace(p));
      if (pick(0, 7) == 0) {
        batch.Flush();
        flushed = true;
      }
      start = backward ? p - r : p + r;
      const std::optional<int32_t> predicted = predicting ? batch.Predicted(start) : std::nullopt;
      if (predicting && !predicted) {
        // Forwards nothing a replacement makes lies ahead of the run.
        // Backwards a replacement shorter than the sequence may make one
        // that reaches into it, a longer one may skip a counted one, and a
        // write-out or a start below 0 ends the prediction; an equal length
        // keeps it otherwise.
        ASSERT_TRUE(backward && (r != n || flushed || start < 0)) << "the prediction gave up";
        predicting = false;
      }
      p = predicted ? *predicted : batch.Find(start);
      ASSERT_EQ(p, plain(start)) << (predicted ? "predicted" : "searched");
    }
    batch.Finish();
    ASSERT_EQ(Bytes(Doc.DocData, Doc.DocData + Doc.DocSize), model);
  }
}

}  // namespace
