// The toolbar below the menu bar: which buttons it has, how big they are and
// where they sit. The buttons are spread over the panel's width in
// seventeenths, each centred on its own position, so a wider window spreads
// them further apart.
#pragma once

#include <cstdint>

struct TToolButton {
  const char* Name;
  int32_t Width;
  int32_t Height;
  // The position in seventeenths of the panel width, times ten (4.5 is 45).
  int32_t PositionTenths;
  // The menu item whose command the button repeats; null for the buttons
  // that only the toolbar has.
  const char* MenuItem;
};

constexpr int32_t SpeedPanelHeight = 37;
constexpr int32_t ToolButtonCount = 15;
extern const TToolButton ToolButtons[ToolButtonCount];

struct TToolButtonPlace {
  int32_t Left;
  int32_t Top;
};

// Left = panel width * k / 17 - button width / 2, rounded to the nearest
// integer with ties to even; Top = (panel height - button height) / 2 + 1.
// Computed on exact integers, so a tie is a tie whatever k is.
TToolButtonPlace ToolButtonPlace(int32_t panelWidth, int32_t panelHeight, const TToolButton& button);
