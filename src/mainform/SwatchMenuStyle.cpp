#include "mainform/SwatchMenuStyle.h"

#include <QPainter>
#include <QStyleOptionMenuItem>

namespace {

// Only the shortcut column of an item's text.
QString WithoutCaption(const QString& text) {
  const qsizetype tab = text.indexOf(QLatin1Char('\t'));
  return tab < 0 ? QString() : text.mid(tab);
}

}  // namespace

QSize TSwatchMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                         const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  // A swatch item is as wide as one without a caption: the menu measured
  // the caption that is never drawn.
  if (type == CT_MenuItem && item && !item->icon.isNull())
    return QProxyStyle::sizeFromContents(type, option, QSize(0, size.height()), widget);
  return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void TSwatchMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  const bool swatch = element == CE_MenuItem && item && !item->icon.isNull();
  if (!swatch) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  // Background, highlight and shortcut as for any item; the swatch stands
  // where the caption would start.
  QStyleOptionMenuItem plain(*item);
  plain.icon = QIcon();
  plain.text = WithoutCaption(item->text);
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
