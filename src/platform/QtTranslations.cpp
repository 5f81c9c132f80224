#include "platform/QtTranslations.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QSaveFile>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

namespace {

QTranslator* Translator() {
  // Owned by the application, so it goes with it.
  static QTranslator* translator = new QTranslator(QCoreApplication::instance());
  return translator;
}

bool Installed = false;

class TDialogTextWriter : public QObject {
 public:
  TDialogTextWriter(const QString& path, QObject* parent) : QObject(parent), FPath(path) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show)
      if (auto* dialog = qobject_cast<QDialog*>(watched)) Write(dialog);
    return QObject::eventFilter(watched, event);
  }

 private:
  void Write(QDialog* dialog) {
    QFile file(FPath);
    if (!file.open(QIODevice::Append | QIODevice::Text)) return;
    QTextStream out(&file);
    out << "title: " << dialog->windowTitle() << '\n';
    for (const QLabel* label : dialog->findChildren<QLabel*>())
      if (!label->text().isEmpty()) out << "label: " << label->text() << '\n';
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
      if (!button->text().isEmpty()) out << "button: " << button->text() << '\n';
    // A text the dialog paints itself (a message) is known by its accessible
    // name.
    for (const QWidget* widget : dialog->findChildren<QWidget*>())
      if (!qobject_cast<const QLabel*>(widget) && !qobject_cast<const QAbstractButton*>(widget) &&
          !widget->accessibleName().isEmpty())
        out << "text: " << widget->accessibleName() << '\n';
  }

  QString FPath;
};

}  // namespace

void UseQtTranslations(bool german) {
  if (!QCoreApplication::instance() || german == Installed) return;
  QTranslator* translator = Translator();
  if (german) {
    if (translator->isEmpty() &&
        !translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      return;
    Installed = QCoreApplication::installTranslator(translator);
  } else {
    QCoreApplication::removeTranslator(translator);
    Installed = false;
  }
}

bool QtTranslationsInUse() { return Installed; }

void WriteDialogTextsTo(const QString& path) {
  if (auto* app = QCoreApplication::instance()) app->installEventFilter(new TDialogTextWriter(path, app));
}

namespace {

void WriteAccessible(QTextStream& out, QAccessibleInterface* node, int depth) {
  if (!node || depth > 6) return;
  const QString name = node->text(QAccessible::Name), value = node->text(QAccessible::Value);
  if (!name.isEmpty() || !value.isEmpty()) out << name << (value.isEmpty() ? QString() : " = " + value) << '\n';
  for (int i = 0; i < node->childCount(); ++i) WriteAccessible(out, node->child(i), depth + 1);
}

}  // namespace

void WriteAccessibleTextsTo(const QString& path) {
  auto* timer = new QTimer(QCoreApplication::instance());
  QObject::connect(timer, &QTimer::timeout, [path] {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return;
    QTextStream out(&file);
    for (QWidget* window : QApplication::topLevelWidgets())
      if (window->isVisible() && window->parentWidget() && !window->isModal())
        WriteAccessible(out, QAccessible::queryAccessibleInterface(window), 0);
    out.flush();
    file.commit();
  });
  timer->start(250);
}
