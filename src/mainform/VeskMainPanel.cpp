#include "mainform/VeskMainPanel.h"

#include <QPainter>

#include "controls/CellPainter.h"
#include "core/CellPaint.h"

TVeskMainPanel::TVeskMainPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("MainPanel");
  // Never erased: every pixel is painted by the cells or covered by the data area.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAcceptDrops(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(0, 128, 0));
  setPalette(pal);
}

void TVeskMainPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The frame as four one-pixel rectangles, whole device pixels at any scale.
  const QColor frame(0, 0, 0);
  painter.fillRect(0, 0, width(), 1, frame);
  painter.fillRect(0, height() - 1, width(), 1, frame);
  painter.fillRect(0, 0, 1, height(), frame);
  painter.fillRect(width() - 1, 0, 1, height(), frame);
  painter.setClipRect(Border, Border, width() - 2 * Border, height() - 2 * Border);
  for (const TCellSpec& cell : MainPanelCells()) DrawCellText(painter, cell, Border, Border);
}
