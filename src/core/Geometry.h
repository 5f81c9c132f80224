// Cell geometry and the layout arithmetic of the grid. The window measures
// the font and the frame; everything else is computed here.
#pragma once

#include <cstdint>

int32_t ComputeRowCount(int64_t docSize, int32_t bytesPerRow);
// Characters of the offset column: one more than the digits of the largest
// row number in the mode's radix, at least 3.
int32_t ComputeOffsetDigits(int32_t rowCount, int32_t bytesPerRow);

// Sets BytesPerRow, DigitsPerByte, RowCount, OffsetDigits, RowHeight and every
// width from Hex, DocSize and the measured width and height of "0".
void ComputeGeometry(int32_t charWidth, int32_t charHeight);

struct TLayoutInput {
  int32_t ProposedClientHeight = 0;  // window height without frame and menu bar
  int32_t ToolbarHeight = 0;
  int32_t StatusBarHeight = 0;
  int32_t PanelFrame = 0;      // MainPanel height - MainPanel client height
  int32_t ScrollBarWidth = 0;  // the data area's vertical scroll bar
};

struct TLayoutResult {
  int32_t VisibleRows = 1;
  int32_t DataBoxClientWidth = 0;  // without the scroll bar
  int32_t DataBoxClientHeight = 0;
  int32_t DataBoxWidth = 0;  // with the scroll bar
  int32_t PanelWidth = 0;    // outer, frame included
  int32_t PanelHeight = 0;
  int32_t ClientHeight = 0;  // toolbar + panel + status bar: the snapped height
};

// Steps 2 and 4 to 7 of the layout: how many rows fit the proposed height
// (at least one) and the sizes that follow from it.
TLayoutResult ComputeLayout(const TLayoutInput& in);

struct TCell {
  int32_t Col = 0;
  int32_t Row = 0;
};

// The cursor position under a pixel of the data area (margins select the
// nearest digit or character). Rows below the document are not clamped here.
TCell PixelToCell(int32_t x, int32_t y);
