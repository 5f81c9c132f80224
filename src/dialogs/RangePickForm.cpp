#include "dialogs/RangePickForm.h"

#include <algorithm>

#include <QButtonGroup>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "controls/IntEdit.h"
#include "core/DocState.h"
#include "core/Texts.h"
#include "dialogs/FieldPanels.h"

namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

QRadioButton* Radio(const char* objectName, QWidget* parent) {
  auto* button = new QRadioButton(parent);
  button->setObjectName(objectName);
  return button;
}

}  // namespace

TRangePickForm::TRangePickForm(const QString& title, QWidget* parent) : QDialog(parent) {
  setObjectName("RangePickForm");
  setWindowTitle(title);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);

  WholeRB = Radio("WholeRB", this);
  MarkedRunRB = Radio("MarkedRunRB", this);
  FromOffsetRB = Radio("FromOffsetRB", this);
  auto* choices = new QButtonGroup(this);
  choices->addButton(WholeRB);
  choices->addButton(MarkedRunRB);
  choices->addButton(FromOffsetRB);
  connect(choices, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool on) {
    if (on) UpdateRange();
  });

  const TIntFieldPair start = LinkedIntFields(StartData, "StartHexEdit", "StartDecEdit", this);
  const TIntFieldPair count = LinkedIntFields(CountData, "CountHexEdit", "CountDecEdit", this);
  StartHexEdit = start.Hex, StartDecEdit = start.Dec;
  CountHexEdit = count.Hex, CountDecEdit = count.Dec;
  // Hex and decimal sit side by side here, so Up and Down move between the
  // rows, each to the field of its own radix.
  StartHexEdit->ArrowUpControl = nullptr, StartHexEdit->ArrowDownControl = CountHexEdit;
  StartDecEdit->ArrowUpControl = nullptr, StartDecEdit->ArrowDownControl = CountDecEdit;
  CountHexEdit->ArrowUpControl = StartHexEdit, CountHexEdit->ArrowDownControl = nullptr;
  CountDecEdit->ArrowUpControl = StartDecEdit, CountDecEdit->ArrowDownControl = nullptr;
  StartData.Listener3 = [this](const void* sender) { FieldChanged(sender); };
  CountData.Listener3 = [this](const void* sender) { FieldChanged(sender); };

  StartLabel = BuddyLabel("StartLabel", nullptr, this);
  StartHexLabel = BuddyLabel("StartHexLabel", StartHexEdit, this);
  StartDecLabel = BuddyLabel("StartDecLabel", StartDecEdit, this);
  CountLabel = BuddyLabel("CountLabel", nullptr, this);
  CountHexLabel = BuddyLabel("CountHexLabel", CountHexEdit, this);
  CountDecLabel = BuddyLabel("CountDecLabel", CountDecEdit, this);
  RangeCaption = BuddyLabel("RangeCaption", nullptr, this);
  RangeLabel = BuddyLabel("RangeLabel", nullptr, this);
  RangeLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

  const TOkCancel okCancel = OkCancelButtons(this);
  OKButton = okCancel.OK;
  CancelButton = okCancel.Cancel;

  BuildLayout();
  setTabOrder(WholeRB, StartHexEdit);
  setTabOrder(StartHexEdit, StartDecEdit);
  setTabOrder(StartDecEdit, CountHexEdit);
  setTabOrder(CountHexEdit, CountDecEdit);
  setTabOrder(CountDecEdit, OKButton);
  setTabOrder(OKButton, CancelButton);
  FormShow();
}

void TRangePickForm::BuildLayout() {
  // Row label, then hex label and field, then decimal label and field,
  // indented under From offset.
  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(0);
  fields->setVerticalSpacing(8);
  fields->setColumnMinimumWidth(0, 20);
  fields->setColumnMinimumWidth(2, 12);
  fields->setColumnMinimumWidth(4, 6);
  fields->setColumnMinimumWidth(6, 16);
  fields->setColumnMinimumWidth(8, 6);
  const auto row = [fields](int r, QLabel* label, QLabel* hexLabel, QWidget* hexEdit, QLabel* decLabel,
                            QWidget* decEdit) {
    fields->addWidget(label, r, 1);
    fields->addWidget(hexLabel, r, 3);
    fields->addWidget(hexEdit->parentWidget(), r, 5);
    fields->addWidget(decLabel, r, 7);
    fields->addWidget(decEdit->parentWidget(), r, 9);
  };
  row(0, StartLabel, StartHexLabel, StartHexEdit, StartDecLabel, StartDecEdit);
  row(1, CountLabel, CountHexLabel, CountHexEdit, CountDecLabel, CountDecEdit);
  fields->setColumnStretch(10, 1);

  auto* range = new QHBoxLayout;
  range->setSpacing(6);
  range->addWidget(RangeCaption);
  range->addWidget(RangeLabel, 1);

  FExtraArea = new QVBoxLayout;
  FExtraArea->setContentsMargins(0, 0, 0, 0);

  QHBoxLayout* buttons = CentredButtons(OKButton, CancelButton);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 10, 12, 12);
  layout->setSpacing(6);
  layout->addWidget(WholeRB);
  layout->addWidget(MarkedRunRB);
  layout->addWidget(FromOffsetRB);
  layout->addLayout(fields);
  layout->addSpacing(8);
  layout->addLayout(range);
  layout->addLayout(FExtraArea);
  layout->addSpacing(4);
  layout->addWidget(Bevel("Bevel1", this));
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

TRangePickForm::~TRangePickForm() {
  // The fields point at StartData and CountData, members that go before the
  // child widgets do; the fields go first.
  StartData = TIntData{};
  CountData = TIntData{};
  delete StartHexEdit->parentWidget();
  delete StartDecEdit->parentWidget();
  delete CountHexEdit->parentWidget();
  delete CountDecEdit->parentWidget();
}

void TRangePickForm::SetExtraWidget(QWidget* widget) {
  delete FExtraWidget;
  FExtraWidget = widget;
  if (!widget) return;
  FExtraArea->addWidget(widget);
  // Tab goes through the caller's controls between the count and OK.
  QList<QWidget*> chain{widget};
  chain += widget->findChildren<QWidget*>();
  QWidget* last = CountDecEdit;
  for (QWidget* w : chain)
    if (w->focusPolicy() & Qt::TabFocus) {
      setTabOrder(last, w);
      last = w;
    }
  setTabOrder(last, OKButton);
  setTabOrder(OKButton, CancelButton);
}

void TRangePickForm::SetExtraValid(std::function<bool()> valid) {
  FExtraValid = std::move(valid);
  UpdateRange();
}

void TRangePickForm::FormShow() {
  WholeRB->setText(Tr("&Whole document", "&Ganzes Dokument"));
  MarkedRunRB->setText(Tr("&Marked run at the cursor", "&Markierter Bereich am Cursor"));
  FromOffsetRB->setText(Tr("&From offset", "&Ab Position"));
  StartLabel->setText(Tr("Start:", "Position:"));
  CountLabel->setText(Tr("Count:", "Anzahl:"));
  StartHexLabel->setText(Q("&Hex:"));
  StartDecLabel->setText(Tr("&Dec:", "&Dez:"));
  CountHexLabel->setText(Q("He&x:"));
  CountDecLabel->setText(Tr("De&c:", "De&z:"));
  RangeCaption->setText(Tr("Range:", "Bereich:"));
  OKButton->setText(Q("OK"));
  CancelButton->setText(Tr("Cancel", "Abbrechen"));

  // Room for about the longest range this document can give (half of it
  // from the middle has the most digits), so the dialog keeps its size while
  // the fields change.
  const int32_t size = std::max(Doc.DocSize, 2);
  const QFontMetrics metrics = RangeLabel->fontMetrics();
  int width = 0;
  for (const TByteRange r : {TByteRange{}, TByteRange{0, size}, TByteRange{size / 2, size - size / 2}})
    width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(RangeText(r))));
  RangeLabel->setMinimumWidth(width);

  MarkedRunRB->setEnabled(MarkedRunAt(CursorByte()).Count > 0);
  const int32_t start = ProposedRangeStart();
  StartData.SetValue(start, this);
  CountData.SetValue(ProposedRangeCount(start), this);
  const TRangeChoice choice = ProposedRangeChoice();
  QRadioButton* checked = choice == TRangeChoice::MarkedRun    ? MarkedRunRB
                          : choice == TRangeChoice::FromOffset ? FromOffsetRB
                                                               : WholeRB;
  checked->setChecked(true);
  UpdateRange();
}

bool TRangePickForm::Execute(TByteRange& range) {
  FormShow();
  (MarkedRunRB->isChecked() ? MarkedRunRB : FromOffsetRB->isChecked() ? FromOffsetRB : WholeRB)->setFocus();
  CentreOnScreen(this);
  if (exec() != QDialog::Accepted) return false;
  range = Range();
  RememberRangePick(Choice(), CountData.Value());
  return true;
}

TRangeChoice TRangePickForm::Choice() const {
  if (MarkedRunRB->isChecked()) return TRangeChoice::MarkedRun;
  if (FromOffsetRB->isChecked()) return TRangeChoice::FromOffset;
  return TRangeChoice::Whole;
}

TByteRange TRangePickForm::Range() const { return RangeOf(Choice(), StartData.Value(), CountData.Value()); }

void TRangePickForm::FieldChanged(const void* sender) {
  // The user typed a start or a count: that is a wish for From offset. The
  // dialog's own proposal leaves the choice alone.
  if (sender != this) FromOffsetRB->setChecked(true);
  UpdateRange();
}

void TRangePickForm::UpdateRange() {
  const TByteRange r = Range();
  RangeLabel->setText(QString::fromStdString(RangeText(r)));
  // No command has anything to do with no bytes.
  OKButton->setEnabled(r.Count > 0 && (!FExtraValid || FExtraValid()));
}
