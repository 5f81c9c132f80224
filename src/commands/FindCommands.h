// Find, Find next and Find previous: the search sequence and options of the
// Find dialog looked for in the document. A hit puts the cursor on the first
// byte of the match, in the area where it stood; a miss only beeps.
#pragma once

#include <cstdint>

// The nearest match of the dialog's search sequence, beginning at start
// itself and going forwards or backwards, compared exactly or with case
// folded as the dialog's Case sensitive box says; -1 when there is none. A
// match always lies wholly inside the document.
int32_t FindFrom(int32_t start, bool backward);

// Shows the dialog in find mode; after OK searches from the cursor or from
// the start (the last byte backwards) in the chosen direction.
void FindMainMenuItemClick();
// From one byte after the cursor, forwards.
void FindNextMainMenuItemClick();
// From one byte before the cursor, backwards.
void FindPreviousMainMenuItemClick();
