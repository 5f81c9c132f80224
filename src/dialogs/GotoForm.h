// The Goto dialog and, in its second mode, the count of Delete bytes: one
// number in a hexadecimal and a decimal field over GotoDialog().PosData. The
// commands set the mode and the value before showing it and read the value
// after OK; the dialog itself changes nothing else.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QToolButton;
class THexIntEdit;
class TDecIntEdit;
struct TGotoDialogState;

class TGotoForm : public QDialog {
  Q_OBJECT

 public:
  explicit TGotoForm(QWidget* parent = nullptr);
  // Unhooks the fields from the model, which outlives the dialog.
  ~TGotoForm() override;

  // Captions for the language and mode, focus on the hex field, then modal;
  // mrOk or mrCancel.
  int Execute();
  // The captions of the current language and mode (also done by Execute).
  void FormShow();

  THexIntEdit* HexEdit = nullptr;
  TDecIntEdit* DecEdit = nullptr;
  QLabel* MainLabel = nullptr;
  QLabel* HexLabel = nullptr;
  QLabel* DecLabel = nullptr;
  QToolButton* ClearHexSB = nullptr;
  QToolButton* ClearDecSB = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;

 private:
  void ClearHexSBClick();
  void ClearDecSBClick();

  TGotoDialogState& FState;
};
