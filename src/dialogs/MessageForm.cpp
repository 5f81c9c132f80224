#include "dialogs/MessageForm.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextLayout>
#include <cmath>
#include <utility>

#include "controls/WindowPlacement.h"

namespace {

std::function<void(int)>& HelpHandler() {
  static std::function<void(int)> handler;
  return handler;
}

const char* ButtonObjectName(TMsgDlgBtn b) {
  switch (b) {
    case mbYes: return "Yes";
    case mbNo: return "No";
    case mbOK: return "OK";
    case mbCancel: return "Cancel";
    case mbAbort: return "Abort";
    case mbRetry: return "Retry";
    case mbIgnore: return "Ignore";
    case mbAll: return "All";
    case mbHelp: return "Help";
  }
  return "";
}

}  // namespace

QPixmap MessageIcon(TMsgDlgType type, int size, qreal dpr) {
  // Drawn, not taken from the style: its bitmaps are 32 pixels and blur
  // when a scaled screen enlarges them.
  QPixmap pixmap(QSize(size, size) * dpr);
  pixmap.setDevicePixelRatio(dpr);
  pixmap.fill(Qt::transparent);
  if (type == TMsgDlgType::Custom) return pixmap;
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  QColor fill(0, 90, 200);
  QString sign;
  switch (type) {
    case TMsgDlgType::Warning:
      fill = QColor(250, 200, 0);
      sign = QStringLiteral("!");
      break;
    case TMsgDlgType::Error:
      fill = QColor(210, 30, 30);
      sign = QStringLiteral("\u00D7");
      break;
    case TMsgDlgType::Information: sign = QStringLiteral("i"); break;
    default: sign = QStringLiteral("?"); break;
  }
  p.setPen(QPen(fill.darker(140), s / 32));
  p.setBrush(fill);
  if (type == TMsgDlgType::Warning) {
    const QPointF corners[3] = {{s / 2, s * 0.06}, {s * 0.97, s * 0.92}, {s * 0.03, s * 0.92}};
    p.drawPolygon(corners, 3);
  } else {
    p.drawEllipse(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92));
  }
  QFont font = QGuiApplication::font();
  font.setBold(true);
  font.setPixelSize(int(s * (type == TMsgDlgType::Error ? 0.8 : 0.62)));
  p.setFont(font);
  p.setPen(type == TMsgDlgType::Warning ? Qt::black : Qt::white);
  QRectF box(0, 0, s, s);
  if (type == TMsgDlgType::Warning) box.adjust(0, s * 0.18, 0, 0);
  p.drawText(box, Qt::AlignCenter, sign);
  return pixmap;
}

namespace {

QRect ToQRect(const TRectI& r) { return QRect(r.Left, r.Top, r.Width, r.Height); }

QScreen* ScreenFor(QWidget* parent) {
  QScreen* s = parent ? parent->screen() : nullptr;
  return s ? s : QGuiApplication::primaryScreen();
}

// Breaks text into lines of at most maxWidth pixels: at word boundaries where
// possible, inside a word only when the word alone is wider than a line.
// Returns the size the lines take; the layout is left ready to draw.
QSize BreakLines(QTextLayout& layout, int maxWidth) {
  const QFontMetrics fm(layout.font());
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  option.setTabStopDistance(8 * fm.averageCharWidth());
  layout.setTextOption(option);
  qreal y = 0, width = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(maxWidth);
    line.setPosition(QPointF(0, y));
    y += line.height();
    width = std::max(width, line.naturalTextWidth());
  }
  layout.endLayout();
  return QSize(int(std::ceil(width)), int(std::ceil(y)));
}

QString ForLayout(const QString& text) {
  // QTextLayout takes one paragraph; forced breaks inside it are line separators.
  QString s = text;
  s.replace(QLatin1Char('\n'), QChar::LineSeparator);
  return s;
}

}  // namespace

// ---------------------------------------------------------------------------

TMessageText::TMessageText(const QString& text, QWidget* parent) : QWidget(parent), FText(text) {
  setObjectName("Message");
  setAccessibleName(text);
}

QSize TMessageText::Measure(const QFont& font, const QString& text, int maxWidth) {
  QTextLayout layout(ForLayout(text), font);
  return BreakLines(layout, maxWidth);
}

void TMessageText::paintEvent(QPaintEvent*) {
  // The widget was sized by Measure at the wrap width, and every measured
  // line fits into that width, so laying out at the widget's width breaks
  // the lines in the same places.
  QTextLayout layout(ForLayout(FText), font());
  BreakLines(layout, width());
  QPainter painter(this);
  painter.setPen(palette().color(foregroundRole()));
  layout.draw(&painter, QPointF(0, 0));
}

// ---------------------------------------------------------------------------

TMessageForm::TMessageForm(QWidget* parent, const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                           int helpContext, int defaultButton)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      FHelpContext(helpContext),
      FDefault(DefaultButtonOf(buttons, defaultButton)),
      FCancel(CancelButtonOf(buttons)),
      FDefaultVariant(defaultButton != NoDefaultButton) {
  setObjectName("MessageForm");
  setModal(true);
  setWindowTitle(QString::fromStdString(MessageCaption(type)));
  CreateWidgets(QString::fromStdString(MessageTextWithNewlines(text)), type, buttons);
}

void TMessageForm::CreateWidgets(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  // Everything is measured in the dialog's own font, so a bigger desktop
  // font gives a proportionally bigger dialog.
  const QFontMetrics fm(font());
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const TDialogUnits du = TDialogUnits::FromLetterExtent(fm.horizontalAdvance(letters), fm.height());
  const TMessageMetrics metrics = MessageMetrics(du, FDefaultVariant);

  QScreen* screen = ScreenFor(parentWidget());
  const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
  const QSize textSize = TMessageText::Measure(font(), text, screenRect.width() / 2);

  const bool hasIcon = MessageHasIcon(type);
  FLayout = LayoutMessage(metrics, textSize.width(), textSize.height(), hasIcon, buttons);

  if (hasIcon) {
    FIcon = new QLabel(this);
    FIcon->setObjectName("Image");
    FIcon->setPixmap(MessageIcon(type, MessageIconSize, devicePixelRatioF()));
    FIcon->setGeometry(ToQRect(FLayout.Icon));
  }

  FMessage = new TMessageText(text, this);
  FMessage->setGeometry(ToQRect(FLayout.Text));

  // Created in row order, so Tab walks the buttons from left to right.
  for (const TMessageButtonPlace& place : FLayout.Buttons) {
    auto* button = new QPushButton(QString::fromStdString(MessageButtonCaption(place.Button)), this);
    button->setObjectName(ButtonObjectName(place.Button));
    button->setAutoDefault(true);
    button->setDefault(place.Button == FDefault);
    button->setGeometry(ToQRect(place.Bounds));
    const TMsgDlgBtn b = place.Button;
    connect(button, &QPushButton::clicked, this, [this, b] { ButtonClicked(b); });
    FButtons[b] = button;
  }

  setFixedSize(FLayout.ClientWidth, FLayout.ClientHeight);
  MoveWindow(this, QPoint(screenRect.x() + (screenRect.width() - FLayout.ClientWidth) / 2,
                          screenRect.y() + (screenRect.height() - FLayout.ClientHeight) / 2));
}

QPushButton* TMessageForm::Button(TMsgDlgBtn b) const {
  auto it = FButtons.find(b);
  return it == FButtons.end() ? nullptr : it->second;
}

void TMessageForm::ButtonClicked(TMsgDlgBtn b) {
  if (b == mbHelp) {
    // Help answers nothing; the question stays open while the user reads.
    if (HelpHandler()) HelpHandler()(FHelpContext);
    return;
  }
  done(MessageButtonResult(b));
}

void TMessageForm::reject() { done(mrCancel); }

void TMessageForm::keyPressEvent(QKeyEvent* event) {
  // Escape presses the cancel button, whatever that answers (OK when it is
  // the only way out); the dialog's own handling would always answer Cancel.
  // With no cancel button Escape does nothing: the user has to choose.
  if (event->matches(QKeySequence::Cancel)) {
    if (QPushButton* cancel = FCancel == NoDefaultButton ? nullptr : Button(TMsgDlgBtn(FCancel))) cancel->click();
    event->accept();
    return;
  }
  // As in any message box, the underlined letter of a button answers with
  // it, Alt or not.
  const QString typed = event->text();
  if (typed.size() == 1 && typed.at(0).isLetter() && !(event->modifiers() & Qt::ControlModifier)) {
    for (const auto& [id, button] : FButtons) {
      const QString caption = button->text();
      const qsizetype amp = caption.indexOf(QLatin1Char('&'));
      if (amp >= 0 && amp + 1 < caption.size() && caption.at(amp + 1).toLower() == typed.at(0).toLower()) {
        button->click();
        event->accept();
        return;
      }
    }
  }
  QDialog::keyPressEvent(event);
}

void TMessageForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Enter answers with the default button from the start: the focus goes to
  // it (a focused button is the one Enter presses), else to the first button.
  QPushButton* target = FDefault == NoDefaultButton ? nullptr : Button(TMsgDlgBtn(FDefault));
  if (!target && !FLayout.Buttons.empty()) target = Button(FLayout.Buttons.front().Button);
  if (target) target->setFocus(Qt::ActiveWindowFocusReason);
}

// ---------------------------------------------------------------------------

int ShowMessageForm(QWidget* parent, const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                    int defaultButton) {
  QPointer<TMessageForm> form = new TMessageForm(parent, text, type, buttons, helpContext, defaultButton);
  const int result = form->exec();
  // The parent may have taken the dialog with it while it was open; then
  // nobody answered, which counts as closing it.
  if (!form) return mrCancel;
  delete form;
  return result;
}

int ShowMessageFormAt(QWidget* parent, const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                      int helpContext, int left, int top) {
  QPointer<TMessageForm> form = new TMessageForm(parent, text, type, buttons, helpContext, NoDefaultButton);
  MoveWindow(form, QPoint(left, top));
  const int result = form->exec();
  if (!form) return mrCancel;
  delete form;
  return result;
}

void SetMessageFormHelpHandler(std::function<void(int context)> handler) { HelpHandler() = std::move(handler); }
