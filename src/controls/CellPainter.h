// Turns the cell descriptions of the core into pixels. The grid, the entry
// fields and printing share it, and the one data font.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>

#include "controls/CharCells.h"
#include "core/CellPaint.h"

inline QColor ToQColor(TRgb c) { return QColor(c.R, c.G, c.B); }

// "Courier New" 10 pt; fontconfig maps it to a metric-compatible monospace.
const QFont& DataFont();

// The data font's characters on the screen, one to a cell.
const TCharCells& ScreenCharCells();

// Measures "0" in the data font and computes the grid geometry from it.
void ComputeGeometryFromFont();

// Draws one cell: margins, characters (one text call when the cell is of one
// colour), and its right and bottom line. dx, dy shift the cell's origin.
// Every part is a whole-pixel rectangle, so that on a scaled screen the
// cells tile with no seam between them.
void DrawCellText(QPainter& painter, const TCellSpec& cell, int dx = 0, int dy = 0);

// Draws a run of characters in the data font, each at its own grid position,
// on an opaque background of height CharHeight.
void DrawTextRun(QPainter& painter, int x, int y, const std::u16string& text, QColor textColor, QColor backColor);
