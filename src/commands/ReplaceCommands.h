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

// The projected length of a whole run in minutes, from the occurrences done
// since the estimate began, all of them counted then, and the milliseconds
// gone by: rounded, and 60 for anything longer than an hour.
int ProjectedMinutes(int64_t done, int64_t total, uint32_t elapsedMs);
std::string TxtEstimatedTime(int minutes);
