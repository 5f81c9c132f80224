// The three status-bar panels: position, value of the byte at the cursor,
// distance from the cursor to the byte under the mouse pointer (or, for a
// moment, why the program beeped).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

std::string PositionPanelText();
std::string ValuePanelText();
std::string DistancePanelText();

// The texts of one byte value and of two offsets, independent of the state.
std::string ValueTextOf(uint8_t b, bool german);
std::string PositionTextOf(int32_t offset);
std::string DistanceTextOf(int64_t distance);

// Every text a panel can need to show whole, in both languages, while no
// offset or distance exceeds bound (2^31 - 2 covers every document): the
// panels are sized from these. The widget widens each digit to the font's
// widest one, so the numbers' digit count is what matters here.
std::vector<std::string> LongestPanelTexts(int panel, int64_t bound = 2147483646);
// The bound for the document as it stands: its offsets, and the distances to
// any cell of the visible rows.
int64_t PanelNumberBound();

void UpdateStatusBar();
void UpdateDistancePanel();
