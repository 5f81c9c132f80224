// The panel around the data area: its single border, the corner, the header
// row and the offset column. The data area sits inside it.
#pragma once

#include <QWidget>

class TVeskMainPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TVeskMainPanel(QWidget* parent);
  static constexpr int Border = 1;

 signals:
  void FilesDropped(const QString& firstFile);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};
