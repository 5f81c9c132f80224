#include "platform/ReturnKey.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace {

class TReturnKeyFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
      return false;
    // A push button is pressed by Return everywhere; only the choices go on.
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || qobject_cast<QPushButton*>(watched)) return false;
    auto* dialog = qobject_cast<QDialog*>(button->window());
    if (!dialog) return false;
    QCoreApplication::sendEvent(dialog, event);
    return true;
  }
};

}  // namespace

void InstallReturnKeyFilter(QCoreApplication* app) { app->installEventFilter(new TReturnKeyFilter(app)); }
