// The settings file when the program dies while writing it: a child process
// saves and stops before its k-th file call (the sync of the new file, the
// rename, the sync of the folder), for every k; the file is then the old one
// or the new one, byte for byte, never a mix.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "core/EnvState.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "fileio/FileIo.h"
#include "platform/SettingsStore.h"

namespace {

// Settings whose file is large enough for a kill to land inside the write.
void Settings(char fill) {
  ResetGlobals();
  SetStartupDefaults(fill == 'a' ? 9 : 7, std::string(20000, fill));
  Env.InitialDir = std::string(20000, char(fill + 1));
  Env.MarksInitialDir = std::string(20000, char(fill + 2));
  for (int i = 0; i < 5; ++i) Env.File[i] = "/files/" + std::string(20000, char(fill + 3 + i));
  Env.Left = fill;
}

QByteArray ReadAll(const QString& name) {
  QFile f(name);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Calls of the file seam the child may still make; -1: all of them.
int CallsLeft = -1;

bool Stop() {
  if (CallsLeft == 0) ::_exit(0);
  if (CallsLeft > 0) --CallsLeft;
  return false;
}

void CountCalls() {
  FileCalls.Open = [](const char* p, int flags, mode_t mode) { return Stop() ? -1 : ::open(p, flags, mode); };
  FileCalls.Fsync = [](int fd) { return Stop() ? -1 : ::fsync(fd); };
  FileCalls.Close = [](int fd) { return Stop() ? -1 : ::close(fd); };
  FileCalls.Rename = [](const char* a, const char* b) { return Stop() ? -1 : ::rename(a, b); };
}

// Saves the settings of fill in a child that stops before its calls-th file
// call; the child's exit status is 0 where it stopped or saved.
pid_t SaveInChild(const QString& name, char fill, int calls) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    Settings(fill);
    CallsLeft = calls;
    CountCalls();
    TQtSettingsStore store(name);
    ::_exit(SaveSettings(store, 0x10006) ? 0 : 1);
  }
  return pid;
}

}  // namespace

class TestCrashSafety : public QObject {
  Q_OBJECT

 private slots:
  void stoppedWhileWritingSettings() {
    QTemporaryDir dir;
    const QString name = dir.filePath("Brisquentalovard.ini");
    QByteArray files[2];
    const char fills[2] = {'a', 'k'};
    for (int i = 0; i < 2; ++i) {
      int status = 0;
      QCOMPARE(::waitpid(SaveInChild(name, fills[i], -1), &status, 0) > 0, true);
      files[i] = ReadAll(name);
    }
    QVERIFY(files[0] != files[1]);
    QVERIFY(files[0].size() > 100000);
    // Every stop, and one past the last call, which saves whole.
    bool sawNew = false;
    for (int calls = 0; !sawNew && calls < 50; ++calls) {
      int status = 0;
      QVERIFY(::waitpid(SaveInChild(name, 'a', -1), &status, 0) > 0);
      QCOMPARE(ReadAll(name), files[0]);
      const pid_t pid = SaveInChild(name, 'k', calls);
      QVERIFY(pid > 0);
      QVERIFY(::waitpid(pid, &status, 0) == pid);
      const QByteArray now = ReadAll(name);
      QVERIFY2(now == files[0] || now == files[1], qPrintable(QString("a mix after %1 calls").arg(calls)));
      sawNew = now == files[1];
      // Whatever is there reads back as one of the two.
      ResetGlobals();
      SetStartupDefaults(9, "");
      TQtSettingsStore store(name);
      LoadSettings(store);
      QCOMPARE(Env.Left, int32_t(sawNew ? 'k' : 'a'));
      QCOMPARE(Env.File[4].size(), size_t(20007));
    }
    QVERIFY(sawNew);
  }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crash_safety.moc"
