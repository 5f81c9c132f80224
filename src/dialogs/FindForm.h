// The Find dialog, shared by Find, Replace and Find and mark: the search
// sequence (and in replace mode the replacement) in three linked views each,
// the mark colour in find-and-mark mode, the options, and OK / All / Cancel.
// Created once and kept for the whole run; everything it edits lives in a
// TFindState that the commands read after it closes.
#pragma once

#include <QDialog>
#include <QWidget>

#include "core/FindState.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;
class THexDataEdit;
class TDecDataEdit;
class TCharDataEdit;

// A small filled rectangle in a mark colour; pressing it checks the colour's
// radio button.
class TColourShape : public QWidget {
  Q_OBJECT
 public:
  TColourShape(const QColor& colour, QWidget* parent);

 signals:
  void Pressed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QColor FColour;
};

class TFindForm : public QDialog {
  Q_OBJECT
 public:
  TFindForm(TFindState& state, QWidget* parent = nullptr);
  ~TFindForm() override;

  TFindState& State() const { return FState; }

  // Every showing: captions of the current language, the panels of the
  // mode, the height and the buttons laid out, the focus on the hex view.
  void setVisible(bool visible) override;
  // Cancel, Escape and the close box answer mrCancel.
  void reject() override;

  // The components by their names.
  QWidget *FindPanel, *ReplacePanel, *MarkPanel, *OptionPanel, *ButtonPanel;
  QLabel *FLabel, *HexFLabel, *DecFLabel, *CharFLabel;
  QLabel *RLabel, *HexRLabel, *DecRLabel, *CharRLabel;
  QFrame *HexFPanel, *DecFPanel, *CharFPanel, *HexRPanel, *DecRPanel, *CharRPanel;
  THexDataEdit *HexFindEdit, *HexReplaceEdit;
  TDecDataEdit *DecFindEdit, *DecReplaceEdit;
  TCharDataEdit *CharFindEdit, *CharReplaceEdit;
  QToolButton *ClearHexFSB, *ClearDecFSB, *ClearCharFSB, *ClearHexRSB, *ClearDecRSB, *ClearCharRSB;
  QLabel* MarkLabel;
  QRadioButton* ColourRadioButtons[6];  // RRadioButton ... YRadioButton
  TColourShape* ColourShapes[6];        // RShape ... ShapeY
  QLabel *OptionLabel, *BeginLabel, *DirectionLabel;
  QCheckBox *CaseCB, *ConfirmCB;
  QRadioButton *BeginCursorRB, *BeginStartEndRB, *DirectionDownRB, *DirectionUpRB;
  QPushButton *OKButton, *AllButton, *CancelButton;

 private:
  void FormCreate();
  void CreateSequencePanel(QWidget* panel, QLabel*& caption, QLabel* labels[3], QFrame* frames[3], QWidget* views[3],
                           QToolButton* clears[3], TBytesData& sequence);
  void CreateMarkPanel();
  void CreateOptionPanel();
  void CreateButtonPanel();
  void FormShow();
  void SetCaptions();
  void LayOutOptions();
  void UpdateButtons();

  TFindState& FState;
};
