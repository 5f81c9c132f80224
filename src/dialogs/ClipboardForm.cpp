#include "dialogs/ClipboardForm.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "controls/CellPainter.h"
#include "controls/WindowPlacement.h"
#include "core/Texts.h"

namespace {

constexpr int ClientWidth = 603;
constexpr int ClientHeight = 257;
constexpr int PanelHeight = 29;
constexpr int ListHeight = 176;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ButtonGap = 8;

QString Text(const char* english, const char* german) { return QString::fromUtf8(Tr(english, german)); }

}  // namespace

TClipboardForm::TClipboardForm(QWidget* parent) : QDialog(parent) {
  setObjectName("ClipboardForm");
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setFixedSize(ClientWidth, ClientHeight);

  TitelPanel = new QWidget(this);
  TitelPanel->setObjectName("TitelPanel");
  TitelPanel->setGeometry(0, 0, ClientWidth, PanelHeight);
  const auto label = [this](const char* name) {
    auto* l = new QLabel(TitelPanel);
    l->setObjectName(name);
    return l;
  };
  IDDecLabel = label("IDDecLabel");
  IDHexLabel = label("IDHexLabel");
  SizeDecLabel = label("SizeDecLabel");
  SizeHexLabel = label("SizeHexLabel");
  NameLabel = label("NameLabel");

  ListBox = new QListWidget(this);
  ListBox->setObjectName("ListBox");
  ListBox->setGeometry(0, PanelHeight, ClientWidth, ListHeight);
  ListBox->setFont(DataFont());
  ListBox->setUniformItemSizes(true);
  ListBox->setSelectionMode(QAbstractItemView::SingleSelection);
  connect(ListBox, &QListWidget::itemDoubleClicked, this, [this] { accept(); });

  const int buttonTop = PanelHeight + ListHeight + (ClientHeight - PanelHeight - ListHeight - ButtonHeight) / 2;
  OKButton = new QPushButton("OK", this);
  OKButton->setObjectName("OKButton");
  OKButton->setGeometry(ClientWidth / 2 - ButtonGap / 2 - ButtonWidth, buttonTop, ButtonWidth, ButtonHeight);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  CancelButton = new QPushButton(this);
  CancelButton->setObjectName("CancelButton");
  CancelButton->setGeometry(ClientWidth / 2 + ButtonGap / 2, buttonTop, ButtonWidth, ButtonHeight);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TClipboardForm::SetLines(const std::vector<std::string>& lines) {
  ListBox->clear();
  for (const std::string& line : lines) ListBox->addItem(QString::fromStdString(line));
}

int TClipboardForm::Chosen() const { return ListBox->currentRow(); }

void TClipboardForm::setVisible(bool visible) {
  if (visible) FormShow();
  QDialog::setVisible(visible);
}

void TClipboardForm::FormShow() {
  setWindowTitle(Text("Open Clipboard", "Zwischenablage öffnen"));
  CancelButton->setText(Text("Cancel", "Abbruch"));
  IDDecLabel->setText(Text("ID Dec", "ID Dez"));
  IDHexLabel->setText(Text("ID Hex", "ID Hex"));
  SizeDecLabel->setText(Text("Size Dec", "Größe Dez"));
  SizeHexLabel->setText(Text("Size Hex", "Größe Hex"));
  NameLabel->setText(Text("Description", "Beschreibung"));
  PlaceHeadings();
  if (ListBox->count() > 0) ListBox->setCurrentRow(0);
  ListBox->setFocus();
  // In the middle of the screen, not of the main window.
  if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
    MoveWindow(this, screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

// The headings stand over the columns of the lines: the numbers end after
// 10, 20, 31 and 41 characters, the name starts after 42.
void TClipboardForm::PlaceHeadings() {
  const int w = QFontMetrics(DataFont()).horizontalAdvance(QLatin1Char('0'));
  // Where the text of a line starts: the list's frame and the margin the
  // style leaves before an item's text.
  const int b =
      ListBox->frameWidth() + ListBox->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, ListBox) + 1;
  const auto rightAt = [](QLabel* l, int edge) {
    l->adjustSize();
    l->move(edge - l->width(), (PanelHeight - l->height()) / 2);
  };
  rightAt(IDDecLabel, b + 10 * w);
  rightAt(IDHexLabel, b + 20 * w);
  rightAt(SizeDecLabel, b + 31 * w);
  rightAt(SizeHexLabel, b + 41 * w);
  NameLabel->adjustSize();
  NameLabel->move(b + 42 * w + 3, (PanelHeight - NameLabel->height()) / 2);
}
