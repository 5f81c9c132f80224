// The settings file when the program is killed while writing it: a child
// process saves and is killed with SIGKILL after a random delay; the file is
// then the old one or the new one, byte for byte, never a mix.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <chrono>
#include <random>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/Globals.h"
#include "core/Settings.h"
#include "platform/SettingsStore.h"

namespace {

// Settings whose file is large enough for a kill to land inside the write.
void Settings(char fill) {
  ResetGlobals();
  SetStartupDefaults(fill == 'a' ? 9 : 7, std::string(20000, fill));
  G.InitialDir = std::string(20000, char(fill + 1));
  G.MarksInitialDir = std::string(20000, char(fill + 2));
  for (int i = 0; i < 5; ++i) G.File[i] = "/files/" + std::string(20000, char(fill + 3 + i));
  G.Left = fill;
}

QByteArray ReadAll(const QString& name) {
  QFile f(name);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

pid_t SaveInChild(const QString& name, char fill) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    Settings(fill);
    TQtSettingsStore store(name);
    ::_exit(SaveSettings(store, 0x10006) ? 0 : 1);
  }
  return pid;
}

}  // namespace

class TestCrashSafety : public QObject {
  Q_OBJECT

 private slots:
  void killedWhileWritingSettings() {
    QTemporaryDir dir;
    const QString name = dir.filePath("Brisquentalovard.ini");
    QByteArray files[2];
    const char fills[2] = {'a', 'k'};
    for (int i = 0; i < 2; ++i) {
      int status = 0;
      QCOMPARE(::waitpid(SaveInChild(name, fills[i]), &status, 0) > 0, true);
      files[i] = ReadAll(name);
    }
    QVERIFY(files[0] != files[1]);
    QVERIFY(files[0].size() > 100000);
    // How long a whole save takes, to spread the kills over it.
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    QVERIFY(::waitpid(SaveInChild(name, 'a'), &status, 0) > 0);
    const int64_t micros =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
    QCOMPARE(ReadAll(name), files[0]);
    std::mt19937 random(5);
    for (int i = 0; i < 30; ++i) {
      const pid_t pid = SaveInChild(name, fills[i % 2]);
      QVERIFY(pid > 0);
      ::usleep(useconds_t(random() % uint64_t(micros + 1)));
      ::kill(pid, SIGKILL);
      QVERIFY(::waitpid(pid, &status, 0) == pid);
      const QByteArray now = ReadAll(name);
      QVERIFY2(now == files[0] || now == files[1], qPrintable(QString("a mix after kill %1").arg(i)));
      // Whatever is there reads back as one of the two.
      ResetGlobals();
      SetStartupDefaults(9, "");
      TQtSettingsStore store(name);
      LoadSettings(store);
      QVERIFY(G.Left == 'a' || G.Left == 'k');
      QCOMPARE(G.File[4].size(), size_t(20007));
    }
  }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crash_safety.moc"
