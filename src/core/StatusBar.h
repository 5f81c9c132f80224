// The three status-bar panels: position, value of the byte at the cursor,
// distance from the cursor to the byte under the mouse pointer.
#pragma once

#include <string>

std::string PositionPanelText();
std::string ValuePanelText();
std::string DistancePanelText();

void UpdateStatusBar();
void UpdateDistancePanel();
