#include "platform/HelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "core/OptionsState.h"

#ifndef BQ_DATA_DIR
#define BQ_DATA_DIR "/usr/local/share/brisquentalovard"
#endif

namespace {

QStringList& OverriddenDirectories() {
  static QStringList dirs;
  return dirs;
}

}  // namespace

QStringList HelpDirectories() {
  if (!OverriddenDirectories().isEmpty()) return OverriddenDirectories();
  QStringList dirs;
  const QString program = QCoreApplication::applicationDirPath();
  dirs << program;
  // An installed program finds its data beside its bin directory, wherever
  // the tree was put.
  dirs << QDir::cleanPath(program + "/../share/brisquentalovard");
  dirs << QString::fromUtf8(BQ_DATA_DIR);
  for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
    dirs << QDir(data).filePath("brisquentalovard");
  dirs.removeDuplicates();
  return dirs;
}

void SetHelpDirectories(const QStringList& directories) { OverriddenDirectories() = directories; }

QString FindHelpFile(const QString& name) {
  for (const QString& dir : HelpDirectories()) {
    const QFileInfo file(QDir(dir).filePath(name));
    if (file.isFile() && file.isReadable()) return file.absoluteFilePath();
  }
  return {};
}

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), FBrowser(new QTextBrowser(this)) {
  setObjectName("HelpWindow");
  FBrowser->setObjectName("HelpBrowser");
  FBrowser->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FBrowser);
  resize(720, 640);
}

void THelpWindow::ShowTopic(const QString& file, int context) {
  setWindowTitle(German() ? QStringLiteral("Brisquentalovard – Hilfe") : QStringLiteral("Brisquentalovard – Help"));
  QUrl url = QUrl::fromLocalFile(file);
  url.setFragment(QString::number(context));
  // The same file again only scrolls; another one (the language changed)
  // is loaded first.
  if (FBrowser->source().adjusted(QUrl::RemoveFragment) != url.adjusted(QUrl::RemoveFragment))
    FBrowser->setSource(url.adjusted(QUrl::RemoveFragment));
  show();
  FBrowser->scrollToAnchor(QString::number(context));
  raise();
  activateWindow();
}

void THelpWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}
