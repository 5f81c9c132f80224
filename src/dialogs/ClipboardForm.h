// The clipboard dialog: one line per clipboard format under five column
// headings; double-clicking a line chooses it. Created once and kept; the
// command lists the formats and reads the choice after it closes.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

class TClipboardForm : public QDialog {
  Q_OBJECT
 public:
  explicit TClipboardForm(QWidget* parent = nullptr);

  // Replaces the list by lines.
  void SetLines(const std::vector<std::string>& lines);
  // The index of the chosen line, -1 for none.
  int Chosen() const;

  // Every showing: captions of the current language, the headings over
  // their columns, the first line selected and the list focused.
  void setVisible(bool visible) override;

  QWidget* TitelPanel;
  QLabel *IDDecLabel, *IDHexLabel, *SizeDecLabel, *SizeHexLabel, *NameLabel;
  QListWidget* ListBox;
  QPushButton *OKButton, *CancelButton;

 private:
  void FormShow();
  void PlaceHeadings();
};
