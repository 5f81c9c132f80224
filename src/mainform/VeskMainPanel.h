// The panel around the data area: its single border, the corner, the header
// row and the offset column. The data area sits inside it.
#pragma once

#include <QWidget>

class TVeskMainPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TVeskMainPanel(QWidget* parent);
  static constexpr int Border = 1;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
