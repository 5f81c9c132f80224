// Draws the colour items of the Mark menus: a swatch where the caption would
// start, and the shortcut text in its usual column. The caption (the
// colour's name) is there for screen readers, not drawn.
#pragma once

#include <QProxyStyle>
#include <functional>

class TSwatchMenuStyle : public QProxyStyle {
 public:
  // barHeight answers the menu bar's current height, which sizes the swatch.
  explicit TSwatchMenuStyle(std::function<int()> barHeight) : FBarHeight(std::move(barHeight)) {}
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;

 private:
  std::function<int()> FBarHeight;
};
