// The Info/Statistic dialog: the report's lines in a list that fills the
// window, and an OK button centred in a panel below. Ctrl+C in the list
// copies the selected lines, or all of them when none is selected.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

class TInfoStatisticForm : public QDialog {
  Q_OBJECT
 public:
  explicit TInfoStatisticForm(QWidget* parent = nullptr);

  void SetLines(const std::vector<std::string>& lines);
  void Clear();

  // Every showing: the caption, and the middle three quarters of the screen.
  void setVisible(bool visible) override;
  // Escape and the close box close it like OK.
  void reject() override;

  QListWidget* ListBox;
  QWidget* Panel1;
  QPushButton* OKButton;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CopyLines();

  std::vector<std::string> FLines;
};
