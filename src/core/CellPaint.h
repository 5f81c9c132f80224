// What the grid shows, as data: the texts and colours of every cell and row.
// The widgets only turn these into pixels, so the rules are tested here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Rgb.h"

// One cell of n characters: left margin, the characters, right margin, and a
// one-pixel line on its right and bottom edges.
struct TCellSpec {
  int32_t X = 0;
  int32_t Y = 0;
  std::u16string Text;
  std::vector<TRgb> TextColors;  // n entries
  std::vector<TRgb> BackColors;  // n + 2 entries: left margin, characters, right margin
  TRgb LineColor;
  // All characters one colour on one background: drawn with one text call.
  bool Uniform() const;
  int32_t Width() const;  // margins and line included
};

TCellSpec MakeCell(int32_t x, int32_t y, const std::u16string& text, TRgb textColor, TRgb backColor, TRgb lineColor);

// The text of a value cell: two hex digits, three decimal digits, or blanks
// beyond the end of the document.
std::u16string ValueText(int64_t offset);

// The value cell of a byte and the character column of its row, with the
// cursor and its echo as they stand now. Coordinates are the data area's.
TCellSpec ValueCellSpec(int32_t offset);
TCellSpec CharRowSpec(int32_t offset);

// One visible row of the data area. A row in one mark colour without the
// cursor is one text (and, when marked, two white margins of the character
// column); any other row is its cells.
struct TRowPaint {
  int32_t Row = 0;  // visible row
  int32_t Y = 0;
  bool PerCell = false;
  std::vector<TCellSpec> Cells;
  std::u16string Text;
  int32_t TextX = 0;
  TRgb Back;
  bool WhiteCharMargins = false;
  int32_t LeftMarginX = 0, LeftMarginW = 0, RightMarginX = 0, RightMarginW = 0;
};

TRowPaint DataBoxRow(int32_t visibleRow);

// The visible rows whose pixels meet [top, bottom].
std::vector<int32_t> RowsMeeting(int32_t top, int32_t bottom);

// The x of the vertical grid lines of a data row (the last one also the end
// of the row's bottom line).
std::vector<int32_t> GridLineXs();

// The offset column and header row of the main panel, in panel coordinates
// (inside its frame).
std::vector<TCellSpec> MainPanelCells();
std::u16string OffsetText(int64_t row);
