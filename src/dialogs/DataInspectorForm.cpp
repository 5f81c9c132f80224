#include "dialogs/DataInspectorForm.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "commands/CommandGuard.h"
#include "commands/InspectorCommands.h"
#include "controls/CellPainter.h"
#include "controls/WindowPlacement.h"
#include "core/EnvState.h"
#include "core/OptionsState.h"
#include "core/Texts.h"

namespace {

constexpr int Rows = int(TInspectType::Count);

QString Text(const char* english, const char* german) { return QString::fromUtf8(Tr(english, german)); }

// A cell is its text and, when selected, the highlight: the style's full
// item drawing (icons, check boxes, focus frames) and text shaping would
// cost more than the cursor move the values follow. Values are set in the
// grid's data font, one character to a cell like the grid's own.
class TPlainCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    if (selected) painter->fillRect(option.rect, option.palette.brush(QPalette::Highlight));
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QString text = index.data().toString();
    const int margin = option.fontMetrics.horizontalAdvance(QLatin1Char('0')) / 2 + 2;
    const QRect box = option.rect.adjusted(margin, 0, -margin, 0);
    const bool simple = std::none_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); });
    if (index.column() == 1 && simple) {
      const QFontMetrics fm(DataFont());
      painter->setFont(DataFont());
      ScreenCharCells().Draw(*painter, box.left(), box.top() + (box.height() - fm.height()) / 2 + fm.ascent(),
                             fm.horizontalAdvance(QLatin1Char('0')), text);
      return;
    }
    painter->setFont(index.column() == 1 ? DataFont() : option.font);
    painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
  }
};

}  // namespace

TDataInspectorForm::TDataInspectorForm(QWidget* parent)
    : QWidget(parent, Qt::Dialog),
      FTable(new QTableWidget(Rows, 2, this)),
      FLittle(new QRadioButton(this)),
      FBig(new QRadioButton(this)),
      FZone(new QLabel(this)) {
  setObjectName("DataInspector");
  // A window of its own that stays above the main window. It shows without
  // taking the focus: the arrow keys keep moving the grid's cursor, and
  // the inspector follows.
  setAttribute(Qt::WA_ShowWithoutActivating);
  FTable->setObjectName("InspectorTable");
  FLittle->setObjectName("LittleEndianRadio");
  FBig->setObjectName("BigEndianRadio");
  FTable->verticalHeader()->hide();
  // Rows as high as a line of text: all of them in sight without scrolling.
  FTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  FTable->verticalHeader()->setDefaultSectionSize(FTable->fontMetrics().height() + 6);
  FTable->horizontalHeader()->setStretchLastSection(true);
  FTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FTable->setItemDelegate(new TPlainCellDelegate(FTable));
  FTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  FTable->setSelectionMode(QAbstractItemView::SingleSelection);
  FTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (int r = 0; r < Rows; ++r) {
    FTable->setItem(r, 0, new QTableWidgetItem);
    FTable->setItem(r, 1, new QTableWidgetItem);
  }
  FTable->setCurrentCell(0, 1);
  FTable->installEventFilter(this);
  connect(FTable, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { BeginEdit(row); });

  auto* order = new QHBoxLayout;
  order->addWidget(FLittle);
  order->addWidget(FBig);
  order->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(order);
  layout->addWidget(FTable);
  layout->addWidget(FZone);
  (Options.InspectorBigEndian ? FBig : FLittle)->setChecked(true);
  connect(FBig, &QRadioButton::toggled, this, [](bool big) { RunCommand([big] { SetInspectorBigEndian(big); }); });

  // F12 closes it from here too, as it opened it from the grid.
  auto* toggle = new QShortcut(QKeySequence(Qt::Key_F12), this);
  connect(toggle, &QShortcut::activated, this, [] { RunCommand(DataInspectorMenuItemClick); });

  SetCaptions();
}

void TDataInspectorForm::SetCaptions() {
  setWindowTitle(Text("Data inspector", "Dateninspektor"));
  FLittle->setText(Text("&Little-endian", "&Little-Endian"));
  FBig->setText(Text("&Big-endian", "&Big-Endian"));
  FTable->setHorizontalHeaderLabels({Text("Type", "Typ"), Text("Value", "Wert")});
  FTable->setAccessibleName(Text("Values at the cursor", "Werte am Cursor"));
  FZone->setText(Text("Times are UTC.", "Zeiten in UTC."));
  FitColumns();
  Refresh();
}

void TDataInspectorForm::FitColumns() {
  const QFontMetrics fm(FTable->font());
  int names = fm.horizontalAdvance(Text("Type", "Typ"));
  for (int t = 0; t < Rows; ++t)
    for (bool german : {false, true})
      names = std::max(names, fm.horizontalAdvance(QString::fromUtf8(InspectTypeName(TInspectType(t), german))));
  // The longest value: a float64 with a negative three-digit exponent.
  const int values = QFontMetrics(DataFont()).horizontalAdvance(QLatin1Char('0')) * 24;
  const int pad = 3 * fm.horizontalAdvance(QLatin1Char('0'));
  FTable->setColumnWidth(0, names + pad);
  FTable->setColumnWidth(1, values + pad);
  const int width = names + values + 2 * pad + 2 * FTable->frameWidth();
  const int height = FTable->horizontalHeader()->sizeHint().height() +
                     Rows * FTable->verticalHeader()->defaultSectionSize() + 2 * FTable->frameWidth();
  FTable->setMinimumSize(width, height);
}

void TDataInspectorForm::Refresh() {
  const std::vector<TInspectorRow> rows = InspectorRows();
  // One repaint for all the rows that changed, not one for each.
  QRect changed;
  {
    const QSignalBlocker quiet(FTable->model());
    for (int r = 0; r < Rows && r < int(rows.size()); ++r)
      for (int c = 0; c < 2; ++c) {
        const QString text = QString::fromStdString(c == 0 ? rows[size_t(r)].Name : rows[size_t(r)].Value);
        QTableWidgetItem* item = FTable->item(r, c);
        if (item->text() == text) continue;
        item->setText(text);
        changed |= FTable->visualItemRect(item);
      }
  }
  if (!changed.isEmpty()) FTable->viewport()->update(changed);
  if (FBig->isChecked() != Options.InspectorBigEndian) {
    const QSignalBlocker block(FBig);
    (Options.InspectorBigEndian ? FBig : FLittle)->setChecked(true);
  }
}

void TDataInspectorForm::BeginEdit(int row) {
  if (row < 0 || row >= Rows) return;
  EndEdit();
  FEditRow = row;
  FTable->setCurrentCell(row, 1);
  FEditor = new QLineEdit(FTable->viewport());
  FEditor->setObjectName("InspectorEditor");
  FEditor->setAccessibleName(FTable->item(row, 0)->text());
  const QString value = FTable->item(row, 1)->text();
  FEditor->setText(value == QString::fromUtf8("\xE2\x80\x94") ? QString() : value);
  FEditor->selectAll();
  FEditor->setGeometry(FTable->visualItemRect(FTable->item(row, 1)));
  FEditor->installEventFilter(this);
  FEditor->show();
  FEditor->setFocus();
}

void TDataInspectorForm::CommitEdit() {
  if (!FEditor || FEditRow < 0) return;
  const auto type = TInspectType(FEditRow);
  const std::string text = FEditor->text().toStdString();
  bool written = false;
  RunCommand([&] { written = InspectorWrite(type, text); });
  // A refused value stays in the field for correcting; the beep said why.
  if (!written) return;
  EndEdit();
  Refresh();
}

void TDataInspectorForm::EndEdit() {
  if (FEditor) {
    FEditor->removeEventFilter(this);
    FEditor->hide();
    FEditor->deleteLater();
    FTable->setFocus();
  }
  FEditor = nullptr;
  FEditRow = -1;
}

void TDataInspectorForm::CopyValue() {
  const int row = FTable->currentRow();
  if (row < 0) return;
  QGuiApplication::clipboard()->setText(FTable->item(row, 1)->text());
}

bool TDataInspectorForm::eventFilter(QObject* watched, QEvent* event) {
  // In the table Ctrl+C copies the selected row's value, whichever of its
  // cells is current.
  if (watched == FTable && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    event->accept();
    if (event->type() == QEvent::KeyPress) CopyValue();
    return true;
  }
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (watched == FTable && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
      BeginEdit(FTable->currentRow());
      return true;
    }
    // The field takes Enter and Escape itself: passed on, Enter would open
    // the row again from the table.
    if (watched == FEditor && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
      CommitEdit();
      return true;
    }
    if (watched == FEditor && key == Qt::Key_Escape) {
      EndEdit();
      return true;
    }
  }
  if (watched == FEditor && event->type() == QEvent::FocusOut) EndEdit();
  return QWidget::eventFilter(watched, event);
}

void TDataInspectorForm::closeEvent(QCloseEvent* event) {
  EndEdit();
  QWidget::closeEvent(event);
  emit Closed();
}

void TDataInspectorForm::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  KeepGeometry();
}

void TDataInspectorForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  KeepGeometry();
}

void TDataInspectorForm::KeepGeometry() {
  if (!isVisible()) return;
  // Where windows cannot be placed, the position read here means nothing:
  // the one last kept under X11 stays.
  if (WindowsPlaceable()) {
    Env.InspectorLeft = x();
    Env.InspectorTop = y();
  }
  Env.InspectorWidth = width();
  Env.InspectorHeight = height();
}
