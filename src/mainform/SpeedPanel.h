// The panel of the toolbar: a plain face with a single line along its top
// edge that parts it from the menu bar. It tells its owner when its size
// changes, so the buttons can be spread again.
#pragma once

#include <QPainter>
#include <QWidget>
#include <functional>

class TSpeedPanel : public QWidget {
 public:
  explicit TSpeedPanel(QWidget* parent) : QWidget(parent) {}
  std::function<void()> OnResize;

 protected:
  void resizeEvent(QResizeEvent*) override {
    if (OnResize) OnResize();
  }
  void paintEvent(QPaintEvent*) override {
    // The top line of an 8-pixel bevel: shadow, with highlight beneath.
    QPainter p(this);
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(0, 0, width() - 1, 0);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(0, 1, width() - 1, 1);
  }
};
