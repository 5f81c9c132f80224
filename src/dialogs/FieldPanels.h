// The pieces the byte-range dialogs are built from: a field in
// its bordered panel, the small clear button beside it, the separator line,
// the labels and OK/Cancel buttons they share, and placing a dialog in the
// middle of the screen.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QToolButton>

class QHBoxLayout;

// The one frame of every entry field in the dialogs: a plain one-pixel line
// right around the field, no bevel.
void SetFieldFrameStyle(QFrame* frame);

// A bordered panel in that style that encloses field, which keeps the size
// it is given.
QFrame* FieldPanel(QWidget* field, const QSize& fieldSize, QWidget* parent);

class THexIntEdit;
class TDecIntEdit;
struct TIntData;

// A hexadecimal and a decimal field over one value, each in its panel of the
// hex field's size; the panels are named "HexPanel" and "DecPanel".
struct TIntFieldPair {
  THexIntEdit* Hex;
  TDecIntEdit* Dec;
  QFrame* HexPanel;
  QFrame* DecPanel;
};
TIntFieldPair LinkedIntFields(TIntData& data, const char* hexName, const char* decName, QWidget* parent);

// The 28 x 22 clear button; it takes no focus, as it only acts on a field.
QToolButton* ClearButton(const char* objectName, QWidget* parent);

// A horizontal sunken line between groups.
QFrame* Bevel(const char* objectName, QWidget* parent);

// A named label whose access key moves to buddy (none: nullptr).
QLabel* BuddyLabel(const char* objectName, QWidget* buddy, QWidget* parent);

// The 75 x 25 OK (default) and Cancel buttons of a dialog, wired to accept
// and reject; their captions are the dialog's to set.
struct TOkCancel {
  QPushButton* OK;
  QPushButton* Cancel;
};
TOkCancel OkCancelButtons(QDialog* dialog);

// Two buttons side by side, gap pixels apart, in the middle of the row.
QHBoxLayout* CentredButtons(QWidget* left, QWidget* right, int gap = 15);

// The dialog centred on the screen it will show on.
void CentreOnScreen(QWidget* dialog);
