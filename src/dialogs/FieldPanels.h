// The pieces the Goto and Insert bytes dialogs are built from: a field in
// its bordered panel, the small clear button beside it, the separator line,
// and placing a dialog in the middle of the screen.
#pragma once

#include <QFrame>
#include <QString>
#include <QToolButton>

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

// The dialog centred on the screen it will show on.
void CentreOnScreen(QWidget* dialog);
