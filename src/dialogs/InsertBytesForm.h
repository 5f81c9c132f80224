// The Insert bytes / Append bytes dialog: a count in a hexadecimal and a
// decimal field, and a fill pattern in hexadecimal, decimal and character
// views, over InsertBytesDialog(). Both are kept from one use to the next;
// OK is enabled only with a count above 0 and a pattern of at least one byte.
#pragma once

#include <QDialog>

class QGridLayout;
class QLabel;
class QPushButton;
class QToolButton;
class THexIntEdit;
class TDecIntEdit;
class THexDataEdit;
class TDecDataEdit;
class TCharDataEdit;
struct TInsertBytesDialogState;

class TInsertBytesForm : public QDialog {
  Q_OBJECT

 public:
  explicit TInsertBytesForm(QWidget* parent = nullptr);
  // Unhooks fields, views and callbacks from the models, which outlive the
  // dialog.
  ~TInsertBytesForm() override;

  // Captions for the language and IsAppend, focus on the hex count, OK
  // state, then modal; mrOk or mrCancel.
  int Execute();
  void FormShow();
  void UpdateOKButton();

  THexIntEdit* HexCountEdit = nullptr;
  TDecIntEdit* DecCountEdit = nullptr;
  THexDataEdit* HexFillEdit = nullptr;
  TDecDataEdit* DecFillEdit = nullptr;
  TCharDataEdit* CharFillEdit = nullptr;
  QLabel* CountLabel = nullptr;
  QLabel* HexLabel = nullptr;
  QLabel* DecLabel = nullptr;
  QLabel* FillWithLabel = nullptr;
  QLabel* HexFLabel = nullptr;
  QLabel* DecFLabel = nullptr;
  QLabel* CharFLabel = nullptr;
  QToolButton* ClearHexSB = nullptr;
  QToolButton* ClearDecSB = nullptr;
  QToolButton* ClearHexFSB = nullptr;
  QToolButton* ClearDecFSB = nullptr;
  QToolButton* ClearCharFSB = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;

 private:
  void ClearCount(QWidget* focus);
  void ClearFill(QWidget* focus);
  // The count and the fill groups are laid out apart; their label columns
  // are kept equally wide so that all five fields start at one edge.
  void AlignFieldColumns();

  TInsertBytesDialogState& FState;
  QGridLayout* FCountGrid = nullptr;
  QGridLayout* FFillGrid = nullptr;
};
