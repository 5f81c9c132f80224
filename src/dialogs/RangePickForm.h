// The range picker: the whole document, the marked run at the cursor, or a
// count of bytes from an offset, for the commands that work on a run of
// bytes. The caller gives the title and may add its own controls (a list of
// formats, say) between the range and the buttons. What the choices mean is
// core's (core/RangePick.h); this dialog only shows them.
//
// Access keys taken, English: W, M, F, H, D, X, C; German: G, M, A, H, D, X, Z.
#pragma once

#include <QDialog>
#include <functional>

#include "core/IntData.h"
#include "core/RangePick.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
class THexIntEdit;
class TDecIntEdit;

class TRangePickForm : public QDialog {
  Q_OBJECT

 public:
  explicit TRangePickForm(const QString& title, QWidget* parent = nullptr);
  ~TRangePickForm() override;

  // The caller's controls, shown below the range and reached by Tab after
  // the count; the dialog takes ownership.
  void SetExtraWidget(QWidget* widget);
  // Whether the caller's controls allow OK (checked along with the range);
  // the caller calls UpdateRange when that may have changed.
  void SetExtraValid(std::function<bool()> valid);
  // Shows the range the fields give and enables OK for it.
  void UpdateRange();

  // Proposes the choice, start and count from the cursor and the remembered
  // values, then modal. On OK: range is the range shown, and the choice and
  // count are remembered for the next showing; false on Cancel.
  bool Execute(TByteRange& range);
  // The captions of the current language and the proposal (also done by
  // Execute).
  void FormShow();

  TRangeChoice Choice() const;
  // The range the current choice and fields give.
  TByteRange Range() const;

  // The start and the count of From offset; typing into either field picks
  // From offset.
  TIntData StartData, CountData;

  QRadioButton* WholeRB = nullptr;
  QRadioButton* MarkedRunRB = nullptr;
  QRadioButton* FromOffsetRB = nullptr;
  QLabel* StartLabel = nullptr;
  QLabel* StartHexLabel = nullptr;
  QLabel* StartDecLabel = nullptr;
  QLabel* CountLabel = nullptr;
  QLabel* CountHexLabel = nullptr;
  QLabel* CountDecLabel = nullptr;
  THexIntEdit* StartHexEdit = nullptr;
  TDecIntEdit* StartDecEdit = nullptr;
  THexIntEdit* CountHexEdit = nullptr;
  TDecIntEdit* CountDecEdit = nullptr;
  QLabel* RangeCaption = nullptr;
  QLabel* RangeLabel = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;

 private:
  void BuildLayout();
  void FieldChanged(const void* sender);

  QVBoxLayout* FExtraArea = nullptr;
  QWidget* FExtraWidget = nullptr;
  std::function<bool()> FExtraValid;
};
