#include "dialogs/InfoStatisticForm.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "commands/InfoCommands.h"

namespace {

constexpr int PanelHeight = 41;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ItemHeight = 16;
constexpr int FontPixels = 13;

// Every line of the report is one item of fixed height.
class TFixedHeightDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), ItemHeight);
  }
};

QFont ReportFont() {
  QFont f("Courier New");
  f.setPixelSize(FontPixels);
  f.setStyleHint(QFont::Monospace, QFont::PreferMatch);
  f.setFixedPitch(true);
  f.setKerning(false);
  return f;
}

}  // namespace

TInfoStatisticForm::TInfoStatisticForm(QWidget* parent) : QDialog(parent) {
  setObjectName("InfoStatisticForm");
  // Only the system menu and the close box: no help button, no minimising.
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

  ListBox = new QListWidget(this);
  ListBox->setObjectName("ListBox");
  ListBox->setFont(ReportFont());
  ListBox->setItemDelegate(new TFixedHeightDelegate(ListBox));
  ListBox->setUniformItemSizes(true);
  ListBox->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListBox->installEventFilter(this);

  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  OKButton = new QPushButton("OK", Panel1);
  OKButton->setObjectName("OKButton");
  OKButton->resize(ButtonWidth, ButtonHeight);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TInfoStatisticForm::SetLines(const std::vector<std::string>& lines) {
  FLines = lines;
  ListBox->clear();
  for (const std::string& line : lines) ListBox->addItem(QString::fromStdString(line));
}

void TInfoStatisticForm::Clear() {
  FLines.clear();
  ListBox->clear();
}

void TInfoStatisticForm::setVisible(bool visible) {
  if (visible) {
    setWindowTitle("Info/Statistic");
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
      const QRect s = screen->geometry();
      setGeometry(s.x() + s.width() / 8, s.y() + s.height() / 8, s.width() * 6 / 8, s.height() * 6 / 8);
    }
    ListBox->setFocus();
  }
  QDialog::setVisible(visible);
  // Each showing starts at the report's top, wherever the last one was left.
  if (visible) {
    ListBox->scrollToTop();
    ListBox->horizontalScrollBar()->setValue(0);
  }
}

void TInfoStatisticForm::reject() { accept(); }

void TInfoStatisticForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  ListBox->setGeometry(0, 0, width(), height() - PanelHeight);
  Panel1->setGeometry(0, height() - PanelHeight, width(), PanelHeight);
  OKButton->move((Panel1->width() - OKButton->width()) / 2, (PanelHeight - ButtonHeight) / 2);
}

bool TInfoStatisticForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ListBox && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    CopyLines();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TInfoStatisticForm::CopyLines() {
  std::vector<int> selected;
  for (const QModelIndex& index : ListBox->selectionModel()->selectedIndexes()) selected.push_back(index.row());
  QGuiApplication::clipboard()->setText(QString::fromStdString(InfoStatisticCopyText(FLines, selected)));
}
