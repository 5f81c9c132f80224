#include "controls/CellPainter.h"

#include <QFontMetrics>

#include "core/Geometry.h"
#include "core/GridState.h"

const QFont& DataFont() {
  static const QFont font = [] {
    QFont f("Courier New", 10);
    f.setStyleHint(QFont::Monospace, QFont::PreferMatch);
    f.setFixedPitch(true);
    f.setKerning(false);
    // Whole-pixel advances: every character must land on its grid column.
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
  }();
  return font;
}

const TCharCells& ScreenCharCells() {
  static const TCharCells cells(DataFont(), nullptr);
  return cells;
}

void ComputeGeometryFromFont() {
  const QFontMetrics fm(DataFont());
  ComputeGeometry(fm.horizontalAdvance(QLatin1Char('0')), fm.height());
}

void DrawTextRun(QPainter& painter, int x, int y, const std::u16string& text, QColor textColor, QColor backColor) {
  const int n = int(text.size());
  painter.fillRect(x, y, n * Grid.CharWidth, Grid.CharHeight, backColor);
  painter.setPen(textColor);
  static const int ascent = QFontMetrics(DataFont()).ascent();
  ScreenCharCells().Draw(painter, x, y + ascent, Grid.CharWidth, QStringView(text.data(), n));
}

void DrawCellText(QPainter& painter, const TCellSpec& cell, int dx, int dy) {
  const int x = cell.X + dx, y = cell.Y + dy;
  const int n = int(cell.Text.size());
  const int h = Grid.RowHeight - 1;
  const int textX = x + Grid.CellPadLeft;
  const int right = textX + n * Grid.CharWidth;  // first pixel of the right margin
  painter.setFont(DataFont());
  if (cell.Uniform()) {
    const QColor back = ToQColor(cell.BackColors.front());
    painter.fillRect(x, y, Grid.CellPadLeft, h, back);
    painter.fillRect(right, y, Grid.CellPadRight, h, back);
    if (n > 0) DrawTextRun(painter, textX, y, cell.Text, ToQColor(cell.TextColors.front()), back);
  } else {
    painter.fillRect(x, y, Grid.CellPadLeft, h, ToQColor(cell.BackColors.front()));
    for (int j = 0; j < n; ++j)
      DrawTextRun(painter, textX + j * Grid.CharWidth, y, cell.Text.substr(size_t(j), 1),
                  ToQColor(cell.TextColors[size_t(j)]), ToQColor(cell.BackColors[size_t(j) + 1]));
    painter.fillRect(right, y, Grid.CellPadRight, h, ToQColor(cell.BackColors.back()));
  }
  const QColor line = ToQColor(cell.LineColor);
  const int lineX = right + Grid.CellPadRight;
  painter.fillRect(x, y + h, lineX - x + 1, 1, line);
  painter.fillRect(lineX, y, 1, h, line);
}
