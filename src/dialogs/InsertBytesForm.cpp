#include "dialogs/InsertBytesForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/DataEdit.h"
#include "controls/IntEdit.h"
#include "core/ByteRangeDialogs.h"
#include "core/GridState.h"
#include "core/OptionsState.h"
#include "core/Seams.h"
#include "dialogs/FieldPanels.h"

namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

// One row of a group: indented label, the field's panel and, one character
// width to the right of it, the clear button.
void AddRow(QGridLayout* grid, int row, QLabel* label, QFrame* panel, QToolButton* clear) {
  grid->addWidget(label, row, 1);
  grid->addWidget(panel, row, 3);
  grid->addWidget(clear, row, 5, Qt::AlignVCenter);
}

QGridLayout* Group() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(0);
  grid->setVerticalSpacing(11);
  grid->setColumnMinimumWidth(0, 15);
  grid->setColumnMinimumWidth(2, 8);
  grid->setColumnMinimumWidth(4, Grid.CharWidth);
  grid->setColumnStretch(6, 1);
  return grid;
}

}  // namespace

TInsertBytesForm::TInsertBytesForm(QWidget* parent) : QDialog(parent), FState(InsertBytesDialog()) {
  setObjectName("InsertBytesForm");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);

  const TIntFieldPair counts = LinkedIntFields(FState.CountData, "HexCountEdit", "DecCountEdit", this);
  HexCountEdit = counts.Hex;
  DecCountEdit = counts.Dec;
  QFrame* hexPanel = counts.HexPanel;
  QFrame* decPanel = counts.DecPanel;
  FState.CountData.Listener3 = [this](const void*) { UpdateOKButton(); };

  HexFillEdit = new THexDataEdit;
  HexFillEdit->setObjectName("HexFillEdit");
  DecFillEdit = new TDecDataEdit;
  DecFillEdit->setObjectName("DecFillEdit");
  CharFillEdit = new TCharDataEdit;
  CharFillEdit->setObjectName("CharFillEdit");
  // All three views as wide as their panels: a dozen hexadecimal bytes.
  const QSize fillSize(12 * 3 * Grid.CharWidth, Grid.RowHeight - 1);
  QFrame* hexFPanel = FieldPanel(HexFillEdit, fillSize, this);
  hexFPanel->setObjectName("HexFPanel");
  QFrame* decFPanel = FieldPanel(DecFillEdit, fillSize, this);
  decFPanel->setObjectName("DecFPanel");
  QFrame* charFPanel = FieldPanel(CharFillEdit, fillSize, this);
  charFPanel->setObjectName("CharFPanel");
  LinkBytesViews(FState.FillData, *HexFillEdit, *DecFillEdit, *CharFillEdit);
  FState.FillData.OnChange = [this](TBytesData&) { UpdateOKButton(); };

  CountLabel = BuddyLabel("CountLabel", nullptr, this);
  HexLabel = BuddyLabel("HexLabel", HexCountEdit, this);
  DecLabel = BuddyLabel("DecLabel", DecCountEdit, this);
  FillWithLabel = BuddyLabel("FillWithLabel", nullptr, this);
  HexFLabel = BuddyLabel("HexFLabel", HexFillEdit, this);
  DecFLabel = BuddyLabel("DecFLabel", DecFillEdit, this);
  CharFLabel = BuddyLabel("CharFLabel", CharFillEdit, this);

  ClearHexSB = ClearButton("ClearHexSB", this);
  ClearDecSB = ClearButton("ClearDecSB", this);
  ClearHexFSB = ClearButton("ClearHexFSB", this);
  ClearDecFSB = ClearButton("ClearDecFSB", this);
  ClearCharFSB = ClearButton("ClearCharFSB", this);
  connect(ClearHexSB, &QToolButton::clicked, this, [this] { ClearCount(HexCountEdit); });
  connect(ClearDecSB, &QToolButton::clicked, this, [this] { ClearCount(DecCountEdit); });
  connect(ClearHexFSB, &QToolButton::clicked, this, [this] { ClearFill(HexFillEdit); });
  connect(ClearDecFSB, &QToolButton::clicked, this, [this] { ClearFill(DecFillEdit); });
  connect(ClearCharFSB, &QToolButton::clicked, this, [this] { ClearFill(CharFillEdit); });

  const TOkCancel okCancel = OkCancelButtons(this);
  OKButton = okCancel.OK;
  CancelButton = okCancel.Cancel;

  QGridLayout* count = FCountGrid = Group();
  AddRow(count, 0, HexLabel, hexPanel, ClearHexSB);
  AddRow(count, 1, DecLabel, decPanel, ClearDecSB);
  QGridLayout* fill = FFillGrid = Group();
  AddRow(fill, 0, HexFLabel, hexFPanel, ClearHexFSB);
  AddRow(fill, 1, DecFLabel, decFPanel, ClearDecFSB);
  AddRow(fill, 2, CharFLabel, charFPanel, ClearCharFSB);

  QHBoxLayout* buttons = CentredButtons(OKButton, CancelButton, 34);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 4, 10, 12);
  layout->addWidget(CountLabel);
  layout->addLayout(count);
  layout->addWidget(Bevel("Bevel1", this));
  layout->addWidget(FillWithLabel);
  layout->addLayout(fill);
  layout->addWidget(Bevel("Bevel2", this));
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(HexCountEdit, DecCountEdit);
  setTabOrder(DecCountEdit, HexFillEdit);
  setTabOrder(HexFillEdit, DecFillEdit);
  setTabOrder(DecFillEdit, CharFillEdit);
  setTabOrder(CharFillEdit, OKButton);
  setTabOrder(OKButton, CancelButton);
  FormShow();
}

TInsertBytesForm::~TInsertBytesForm() {
  FState.CountData.Listener1 = nullptr;
  FState.CountData.Listener2 = nullptr;
  FState.CountData.Listener3 = nullptr;
  FState.FillData.OnChange = nullptr;
}

void TInsertBytesForm::FormShow() {
  const bool german = German();
  if (FState.IsAppend)
    setWindowTitle(german ? Q("Bytes anfügen") : Q("Append bytes"));
  else
    setWindowTitle(german ? Q("Bytes einfügen") : Q("Insert bytes"));
  CountLabel->setText(german ? Q("Anzahl") : Q("Count"));
  HexLabel->setText(Q("&Hex:"));
  DecLabel->setText(german ? Q("&Dez:") : Q("&Dec:"));
  FillWithLabel->setText(german ? Q("Füllen mit") : Q("Fill with"));
  HexFLabel->setText(Q("He&x:"));
  DecFLabel->setText(german ? Q("De&z:") : Q("De&c:"));
  CharFLabel->setText(Q("Cha&r:"));
  OKButton->setText(Q("OK"));
  CancelButton->setText(german ? Q("Abbrechen") : Q("Cancel"));
  AlignFieldColumns();
}

void TInsertBytesForm::AlignFieldColumns() {
  int width = 0;
  for (const QLabel* label : {HexLabel, DecLabel, HexFLabel, DecFLabel, CharFLabel})
    width = std::max(width, label->sizeHint().width());
  FCountGrid->setColumnMinimumWidth(1, width);
  FFillGrid->setColumnMinimumWidth(1, width);
}

int TInsertBytesForm::Execute() {
  FormShow();
  HexCountEdit->setFocus();
  UpdateOKButton();
  CentreOnScreen(this);
  return exec() == QDialog::Accepted ? mrOk : mrCancel;
}

void TInsertBytesForm::UpdateOKButton() {
  if (OKButton) OKButton->setEnabled(FState.OKEnabled());
}

void TInsertBytesForm::ClearCount(QWidget* focus) {
  ClearIntFields(FState.CountData, HexCountEdit->Field(), DecCountEdit->Field(), this);
  focus->setFocus();
}

void TInsertBytesForm::ClearFill(QWidget* focus) {
  FState.FillData.Clear();
  focus->setFocus();
}
