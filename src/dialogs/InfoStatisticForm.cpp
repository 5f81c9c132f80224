#include "dialogs/InfoStatisticForm.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "commands/InfoCommands.h"
#include "controls/WindowPlacement.h"

namespace {

constexpr int PanelHeight = 41;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ItemHeight = 16;
constexpr int FontPixels = 13;

// Every line of the report is one item of fixed height. The bar at a line's
// end is one rectangle rather than a row of block characters, whose glyphs
// leave gaps between them on a scaled screen.
class TFixedHeightDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), ItemHeight);
  }
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    qsizetype bar = 0;
    while (bar < opt.text.size() && opt.text[opt.text.size() - 1 - bar] == QChar(0x2588)) ++bar;
    opt.text.chop(bar);
    // The soft hyphen would take no room and pull the columns after it left.
    opt.text.replace(QChar(0xAD), QChar(u'-'));
    const QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    if (bar == 0) return;
    const QFontMetricsF fm(opt.font);
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
    const qreal margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
    const qreal x = textRect.left() + margin + fm.horizontalAdvance(opt.text);
    const qreal height = fm.ascent() + fm.descent();
    const qreal y = textRect.top() + (textRect.height() - height) / 2;
    const bool selected = opt.state & QStyle::State_Selected;
    painter->fillRect(QRectF(x, y, qreal(bar) * fm.horizontalAdvance(QChar(0x2588)), height),
                      opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
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
      const QRect r(s.x() + s.width() / 8, s.y() + s.height() / 8, s.width() * 6 / 8, s.height() * 6 / 8);
      if (WindowsPlaceable())
        setGeometry(r);
      else
        resize(r.size());
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
