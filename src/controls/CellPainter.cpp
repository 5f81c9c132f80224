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

void ComputeGeometryFromFont() {
  const QFontMetrics fm(DataFont());
  ComputeGeometry(fm.horizontalAdvance(QLatin1Char('0')), fm.height());
}

void DrawTextRun(QPainter& painter, int x, int y, const std::u16string& text, QColor textColor, QColor backColor) {
  const int n = int(text.size());
  painter.fillRect(x, y, n * Grid.CharWidth, Grid.CharHeight, backColor);
  painter.setPen(textColor);
  const int ascent = QFontMetrics(DataFont()).ascent();
  // One call for the whole run; the font is monospaced with whole-pixel
  // advances, so every character lands on its column.
  painter.drawText(x, y + ascent, QString::fromUtf16(text.data(), n));
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
  painter.setPen(ToQColor(cell.LineColor));
  const int lineX = right + Grid.CellPadRight;
  painter.drawLine(x, y + h, lineX, y + h);
  painter.drawLine(lineX, y, lineX, y + h);
}
