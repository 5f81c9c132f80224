#include "platform/QtTranslations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QTextStream>
#include <QTranslator>

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
