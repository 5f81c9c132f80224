// The data area: value cells and character column of the visible rows, with
// its vertical scroll bar. It paints from the core's cell descriptions and
// forwards mouse and scroll input; it holds no rules of its own.
#pragma once

#include <QScrollBar>
#include <QWidget>

class TVeskBox : public QWidget {
  Q_OBJECT
 public:
  explicit TVeskBox(QWidget* parent);

  QScrollBar* VertBar() const { return FVertBar; }
  // The client area: everything but the scroll bar.
  QRect ClientRect() const;
  // Lays out the client area of the given size with the scroll bar beside it.
  void SetClientSize(int width, int height);
  // Mirrors the core's scroll bar model without raising a scroll.
  void MirrorScrollBar();
  void ScrollPixels(int dy);
  // The pointer is no longer over a cell: the distance panel empties.
  void ForgetMouse();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnScrollValue(int value);
  void NoteMouse(const QPoint& pos);

  QScrollBar* FVertBar;
  bool FMirroring = false;
  int32_t FWheelRest = 0;  // wheel delta short of a notch
};
