#include "dialogs/GotoForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/IntEdit.h"
#include "core/ByteRangeDialogs.h"
#include "core/GridState.h"
#include "core/OptionsState.h"
#include "core/Seams.h"
#include "dialogs/FieldPanels.h"

namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

TGotoForm::TGotoForm(QWidget* parent) : QDialog(parent), FState(GotoDialog()) {
  setObjectName("GotoForm");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);

  const TIntFieldPair pos = LinkedIntFields(FState.PosData, "HexEdit", "DecEdit", this);
  HexEdit = pos.Hex;
  DecEdit = pos.Dec;
  QFrame* hexPanel = pos.HexPanel;
  QFrame* decPanel = pos.DecPanel;

  MainLabel = new QLabel(this);
  MainLabel->setObjectName("MainLabel");
  MainLabel->setBuddy(HexEdit);
  HexLabel = new QLabel(this);
  HexLabel->setObjectName("HexLabel");
  HexLabel->setBuddy(HexEdit);
  DecLabel = new QLabel(this);
  DecLabel->setObjectName("DecLabel");
  DecLabel->setBuddy(DecEdit);
  ClearHexSB = ClearButton("ClearHexSB", this);
  ClearDecSB = ClearButton("ClearDecSB", this);
  connect(ClearHexSB, &QToolButton::clicked, this, [this] { ClearHexSBClick(); });
  connect(ClearDecSB, &QToolButton::clicked, this, [this] { ClearDecSBClick(); });

  const TOkCancel okCancel = OkCancelButtons(this);
  OKButton = okCancel.OK;
  CancelButton = okCancel.Cancel;

  // Label, panel and, one character width to the right, its clear button.
  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(0);
  fields->setColumnMinimumWidth(0, 15);
  fields->setColumnMinimumWidth(2, 8);
  fields->setColumnMinimumWidth(4, Grid.CharWidth);
  fields->addWidget(HexLabel, 0, 1);
  fields->addWidget(hexPanel, 0, 3);
  fields->addWidget(ClearHexSB, 0, 5, Qt::AlignVCenter);
  fields->addWidget(DecLabel, 1, 1);
  fields->addWidget(decPanel, 1, 3);
  fields->addWidget(ClearDecSB, 1, 5, Qt::AlignVCenter);
  fields->setColumnStretch(6, 1);
  fields->setVerticalSpacing(15);

  QHBoxLayout* buttons = CentredButtons(OKButton, CancelButton);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(9, 8, 9, 12);
  layout->addWidget(MainLabel);
  layout->addLayout(fields);
  layout->addSpacing(4);
  layout->addWidget(Bevel("Bevel1", this));
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(HexEdit, DecEdit);
  setTabOrder(DecEdit, OKButton);
  setTabOrder(OKButton, CancelButton);
  FormShow();
}

TGotoForm::~TGotoForm() {
  FState.PosData.Listener1 = nullptr;
  FState.PosData.Listener2 = nullptr;
}

void TGotoForm::FormShow() {
  const bool german = German(), isGoto = FState.IsGoto;
  if (isGoto)
    setWindowTitle(german ? Q("Gehe zu") : Q("Goto"));
  else
    setWindowTitle(german ? Q("Bytes löschen") : Q("Delete bytes"));
  MainLabel->setText(isGoto ? Q("&Position:") : german ? Q("&Anzahl:") : Q("&Count:"));
  HexLabel->setText(Q("&Hex:"));
  DecLabel->setText(german ? Q("&Dez:") : Q("&Dec:"));
  OKButton->setText(Q("OK"));
  CancelButton->setText(german ? Q("Abbrechen") : Q("Cancel"));
}

int TGotoForm::Execute() {
  FormShow();
  HexEdit->setFocus();
  CentreOnScreen(this);
  return exec() == QDialog::Accepted ? mrOk : mrCancel;
}

void TGotoForm::ClearHexSBClick() {
  ClearIntFields(FState.PosData, HexEdit->Field(), DecEdit->Field(), this);
  HexEdit->setFocus();
}

void TGotoForm::ClearDecSBClick() {
  ClearIntFields(FState.PosData, HexEdit->Field(), DecEdit->Field(), this);
  DecEdit->setFocus();
}
