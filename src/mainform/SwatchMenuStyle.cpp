#include "mainform/SwatchMenuStyle.h"

#include <QPainter>
#include <QStyleOptionMenuItem>

void TSwatchMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  const bool swatch =
      element == CE_MenuItem && item && !item->icon.isNull() && item->text.section(QLatin1Char('\t'), 0, 0).isEmpty();
  if (!swatch) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  // Background, highlight and shortcut as for any item; the swatch stands
  // where the caption would start.
  QStyleOptionMenuItem plain(*item);
  plain.icon = QIcon();
  QProxyStyle::drawControl(element, &plain, painter, widget);
  const int h = FBarHeight();
  const QRect r = item->rect;
  const QRect box(r.left() + h + 3, r.top() + 3, (5 * h) / 2 - h - 3, r.height() - 6);
  const QPalette& pal = item->palette;
  painter->save();
  painter->setBrush(Qt::NoBrush);
  if (!(item->state & State_Enabled)) {
    if (!(item->state & State_Selected)) {
      painter->setPen(pal.color(QPalette::Light));
      painter->drawRect(box.translated(1, 1).adjusted(0, 0, -1, -1));
    }
    painter->setPen(pal.color(QPalette::Dark));
    painter->drawRect(box.adjusted(0, 0, -1, -1));
  } else {
    // The icon carries the mark colour.
    const QImage sample = item->icon.pixmap(16, 16).toImage();
    painter->fillRect(box, sample.pixelColor(sample.width() / 2, sample.height() / 2));
    painter->setPen(pal.color(QPalette::Text));
    painter->drawRect(box.adjusted(0, 0, -1, -1));
    if (item->checked) painter->drawRect(box.adjusted(-1, -1, 0, 0));
  }
  painter->restore();
}
