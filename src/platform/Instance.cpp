#include "platform/Instance.h"

#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QLocalSocket>
#include <QLocale>
#include <QStandardPaths>

QString TInstanceGuard::DefaultName() {
  const QString user = QString::number(getuid());
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) return "brisquentalovard-" + user;
  return QDir(dir).filePath("brisquentalovard-" + user);
}

TInstanceGuard::TInstanceGuard(const QString& name) {
  QLocalSocket probe;
  probe.connectToServer(name);
  FFirst = !probe.waitForConnected(300);
  probe.abort();
  if (!FFirst) return;
  // Nobody answers: a socket left by a crashed copy may still be lying
  // there; this copy takes the name over.
  QLocalServer::removeServer(name);
  FServer.setSocketOptions(QLocalServer::UserAccessOption);
  FServer.listen(name);
  QObject::connect(&FServer, &QLocalServer::newConnection, &FServer, [this] {
    while (QLocalSocket* s = FServer.nextPendingConnection()) {
      s->disconnectFromServer();
      s->deleteLater();
    }
  });
}

int32_t CurrentDialogBaseUnits() {
  const QFontMetrics fm(QApplication::font());
  const QString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  const int width = fm.horizontalAdvance(letters) / 52;
  const int height = fm.height();
  return int32_t((uint32_t(height & 0xFFFF) << 16) | uint32_t(width & 0xFFFF));
}

int32_t SystemLanguage() { return QLocale::system().language() == QLocale::German ? 7 : 9; }

QString DefaultCalcPath() {
  for (const char* name : {"gnome-calculator", "kcalc", "galculator", "xcalc"}) {
    const QString path = QStandardPaths::findExecutable(name);
    if (!path.isEmpty()) return path;
  }
  return "/usr/bin/gnome-calculator";
}
