// Replace and Find and mark: walk through the occurrences of the Find
// dialog's search sequence and replace or mark each, asking first when the
// dialog says so. One occurrence with OK, all of them with All; each run is
// one undo step.
#pragma once

#include <cstdint>
#include <string>

void ReplaceMainMenuItemClick();
void FindAndMarkMainMenuItemClick();

// Where the Yes / No / All / Cancel question goes: a sixth of the screen from
// the left, and above or below the middle of the screen, whichever half the
// cursor row is not in.
struct TQuestionPlace {
  int32_t Left = 0;
  int32_t Top = 0;
};
TQuestionPlace QuestionPlace();

// The time question of an unattended Replace. The run first counts the
// occurrences ahead, which is one search over the document; then each
// replacement costs a little bookkeeping, and at the end the document is
// written out in one pass, which costs about what the count did. So the
// whole run takes twice the count plus the cost of the replacements timed
// since the count, spread over all of them.
struct TRunSample {
  uint32_t CountMs = 0;     // the count of the occurrences ahead
  int64_t Replaced = 0;     // replacements timed since the count
  uint32_t ReplacedMs = 0;  // the time they took
};
// The replacements are timed this long before the estimate is trusted, so
// that neither the clock's steps nor the first few replacements' set-up
// sway it.
constexpr uint32_t SampleMs = 200;
// The projected length in milliseconds of a run over total occurrences.
double EstimatedRunMs(const TRunSample& sample, int64_t total);
// Whether the sample tells enough to decide: it has run SampleMs, or the
// next replacement is the last, or the count alone takes too long.
bool SampleTells(const TRunSample& sample, int64_t total);
// The minutes the question names: rounded, and 60 for anything longer than
// an hour. Only more than 1 asks.
int RoundedMinutes(double ms);
std::string TxtEstimatedTime(int minutes);
// The projection of the last run that made one, in milliseconds, or -1; the
// benchmark holds it against the time the run took.
double LastReplaceEstimateMs();
