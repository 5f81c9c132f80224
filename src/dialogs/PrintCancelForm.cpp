#include "dialogs/PrintCancelForm.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "controls/WindowPlacement.h"
#include "core/PrintLayout.h"

namespace {

// The window's plan in the pixels of an 8-point dialog font, whose average
// letter is 6 x 13 pixels; a bigger desktop font scales it.
constexpr int ClientWidth = 124, ClientHeight = 88;
constexpr int LabelLeft = 24, LabelTop = 19, LabelWidth = 80, LabelHeight = 13;
constexpr int ButtonLeft = 24, ButtonTop = 49, ButtonWidth = 75, ButtonHeight = 25;

}  // namespace

TPrintCancelForm::TPrintCancelForm(QWidget* parent) : QDialog(parent) {
  setObjectName("PrintCancelForm");
  // A dialog frame with a title and no buttons in it: the job decides when
  // the window goes.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);
  ProgressLabel = new QLabel(this);
  ProgressLabel->setObjectName("ProgressLabel");
  CancelButton = new QPushButton(QStringLiteral("Stop"), this);
  CancelButton->setObjectName("CancelButton");
  CancelButton->setAutoDefault(false);
  connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
  StartTimer = new QTimer(this);
  StartTimer->setObjectName("StartTimer");
  StartTimer->setInterval(100);
  connect(StartTimer, &QTimer::timeout, this, [this] { StartTimerTimer(); });
  LayOut();
}

void TPrintCancelForm::LayOut() {
  const QFontMetrics fm(font());
  const double sx = std::max(1.0, fm.averageCharWidth() / 6.0);
  const double sy = std::max(1.0, fm.height() / 13.0);
  const auto x = [sx](int v) { return int(v * sx + 0.5); };
  const auto y = [sy](int v) { return int(v * sy + 0.5); };
  // Wide enough for the page number of the largest document in either
  // language.
  const int labelWidth = std::max({x(LabelWidth), fm.horizontalAdvance(QStringLiteral("Seite: 99999999")),
                                   fm.horizontalAdvance(QStringLiteral("Page: 99999999"))});
  ProgressLabel->setGeometry(x(LabelLeft), y(LabelTop), labelWidth, std::max(y(LabelHeight), fm.height()));
  CancelButton->setGeometry(x(ButtonLeft), y(ButtonTop), x(ButtonWidth), y(ButtonHeight));
  // Room for the caption beside the buttons a window manager puts in the
  // title bar.
  const int captionWidth =
      std::max(fm.horizontalAdvance(QStringLiteral("Printing...")), fm.horizontalAdvance(QStringLiteral("Drucke..."))) +
      8 * fm.height();
  const int width =
      std::max({x(ClientWidth), x(LabelLeft) + labelWidth + x(ClientWidth - LabelLeft - LabelWidth), captionWidth});
  setFixedSize(width, y(ClientHeight));
}

void TPrintCancelForm::setVisible(bool visible) {
  if (visible) {
    setWindowTitle(QString::fromStdString(PrintProgressCaption()));
    CancelButton->setText(QStringLiteral("Stop"));
    ProgressLabel->clear();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect s = screen->availableGeometry();
      MoveWindow(this, QPoint(s.x() + (s.width() - width()) / 2, s.y() + (s.height() - height()) / 2));
    }
    StartTimer->start();
  }
  QDialog::setVisible(visible);
}

void TPrintCancelForm::ShowPage(int32_t page) {
  ProgressLabel->setText(QString::fromStdString(PrintProgressText(page)));
}

void TPrintCancelForm::CancelButtonClick() { FCancelled = true; }

void TPrintCancelForm::reject() { CancelButtonClick(); }

void TPrintCancelForm::closeEvent(QCloseEvent* event) {
  // Closing the frame asks for a stop, like the button.
  CancelButtonClick();
  event->ignore();
}

void TPrintCancelForm::StartTimerTimer() {
  StartTimer->stop();
  FCancelled = false;
  if (FJob) FJob();
  done(FCancelled ? QDialog::Rejected : QDialog::Accepted);
}
