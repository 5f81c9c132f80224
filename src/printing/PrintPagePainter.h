// Draws pages of the printed listing on any QPainter: a printer, a PDF file
// or an image. What goes where comes from core/PrintLayout.h; this class
// only measures the font on the device and puts the texts and boxes down.
#pragma once

#include <QBrush>
#include <QFont>
#include <QPainter>
#include <QString>
#include <functional>
#include <optional>

#include "controls/CharCells.h"

#include "core/PrintLayout.h"

class TPrintPagePainter {
 public:
  // Measures device's printable area and chooses the largest print font
  // that fits it; the painter must be active on device.
  TPrintPagePainter(QPainter& painter, const QPaintDevice& device);

  const TPrintMetrics& Metrics() const { return FMetrics; }
  const TPrintFormat& Format() const { return FFormat; }
  int FontSize() const { return FFontSize; }

  // One whole page (from 1): header, column header and its rows, with the
  // marks as marks says. afterRow runs after each row that has a text.
  void PaintPage(int32_t page, const QString& dateTime, const QString& fileName, TPrintMarks marks,
                 const std::function<void()>& afterRow = {});

  // A free text (the page header) as the font shapes it.
  void PaintText(const TPrintedText& text);
  // A line of the grid: one character to a column of width Metrics().W.
  void PaintGridText(const TPrintedText& text);
  void PaintBox(const TPrintedBox& box, TPrintMarks marks);

 private:
  QFont FontOfSize(int size) const;
  QBrush MakeHatchBrush(int style) const;

  QPainter& FPainter;
  const QPaintDevice& FDevice;
  TPrintFormat FFormat;
  TPrintMetrics FMetrics;
  QFont FFont;
  std::optional<TCharCells> FCells;
  int FFontSize = 1;
  int FAscent = 0;
  // Device pixels per pixel of the hatch pattern and the outline: 1 for a
  // font of screen size, more for the large fonts of a printer, where
  // lines a pixel apart would look like a grey tint.
  int FScale = 1;
  QBrush FHatchBrushes[7];  // by hatch style, 0 for none
};

// Black hatch pattern of a mark code's style; Qt::NoBrush for none.
Qt::BrushStyle HatchPattern(int style);
