#include "dialogs/FieldPanels.h"

#include "controls/IntEdit.h"
#include "controls/WindowPlacement.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QStyle>

void SetFieldFrameStyle(QFrame* frame) {
  frame->setFrameStyle(QFrame::Box | QFrame::Plain);
  frame->setLineWidth(1);
}

QFrame* FieldPanel(QWidget* field, const QSize& fieldSize, QWidget* parent) {
  auto* panel = new QFrame(parent);
  SetFieldFrameStyle(panel);
  auto* layout = new QHBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  field->setParent(panel);
  field->setFixedSize(fieldSize);
  layout->addWidget(field);
  const int border = panel->frameWidth();
  panel->setFixedSize(fieldSize + QSize(2 * border, 2 * border));
  return panel;
}

QToolButton* ClearButton(const char* objectName, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(objectName);
  button->setFixedSize(28, 22);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRaise(true);
  const QIcon icon = button->style()->standardIcon(QStyle::SP_LineEditClearButton);
  if (icon.isNull())
    button->setText(QString(QChar(0x00D7)));
  else
    button->setIcon(icon);
  return button;
}

QLabel* BuddyLabel(const char* objectName, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(objectName);
  label->setBuddy(buddy);
  return label;
}

TOkCancel OkCancelButtons(QDialog* dialog) {
  TOkCancel b{new QPushButton(dialog), new QPushButton(dialog)};
  b.OK->setObjectName("OKButton");
  b.OK->setDefault(true);
  b.OK->setMinimumSize(75, 25);
  b.Cancel->setObjectName("CancelButton");
  b.Cancel->setMinimumSize(75, 25);
  QObject::connect(b.OK, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(b.Cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return b;
}

QFrame* Bevel(const char* objectName, QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setObjectName(objectName);
  line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  return line;
}

QHBoxLayout* CentredButtons(QWidget* left, QWidget* right, int gap) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(left);
  row->addSpacing(gap);
  row->addWidget(right);
  row->addStretch(1);
  return row;
}

void CentreOnScreen(QWidget* dialog) {
  QScreen* screen = dialog->parentWidget() ? dialog->parentWidget()->screen() : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  dialog->adjustSize();
  const QRect area = screen->availableGeometry();
  MoveWindow(dialog, QPoint(area.x() + (area.width() - dialog->width()) / 2,
                            area.y() + (area.height() - dialog->height()) / 2));
}

TIntFieldPair LinkedIntFields(TIntData& data, const char* hexName, const char* decName, QWidget* parent) {
  TIntFieldPair pair;
  pair.Hex = new THexIntEdit;
  pair.Hex->setObjectName(hexName);
  pair.Dec = new TDecIntEdit;
  pair.Dec->setObjectName(decName);
  const QSize size = pair.Hex->sizeHint();
  pair.HexPanel = FieldPanel(pair.Hex, size, parent);
  pair.HexPanel->setObjectName("HexPanel");
  pair.DecPanel = FieldPanel(pair.Dec, size, parent);
  pair.DecPanel->setObjectName("DecPanel");
  LinkIntFields(data, *pair.Hex, *pair.Dec);
  return pair;
}
