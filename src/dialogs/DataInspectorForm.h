// The data inspector: a modeless window over the main window that shows the
// bytes at the cursor as numbers, times and characters, one row per type,
// and writes a value typed into a row back over them.
#pragma once

#include <QPointer>
#include <QWidget>

#include <QLineEdit>
class QLabel;
class QRadioButton;
class QTableWidget;

class TDataInspectorForm : public QWidget {
  Q_OBJECT
 public:
  explicit TDataInspectorForm(QWidget* parent);

  // The values at the cursor now; rows whose text is unchanged are left be.
  void Refresh();
  // Title, byte order captions and type names in the current language.
  void SetCaptions();
  QTableWidget* Table() const { return FTable; }
  QLineEdit* Editor() const { return FEditor; }
  // Opens the value of row for editing, as a double-click or Enter does.
  void BeginEdit(int row);

 signals:
  // The user closed the window.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CommitEdit();
  void EndEdit();
  void CopyValue();
  void KeepGeometry();
  // Wide enough for the longest name and value in either language.
  void FitColumns();

  QTableWidget* FTable;
  QRadioButton* FLittle;
  QRadioButton* FBig;
  QLabel* FZone;
  QPointer<QLineEdit> FEditor;
  int FEditRow = -1;
};
