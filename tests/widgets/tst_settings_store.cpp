// The settings file on disk: a round trip of every setting, damaged files,
// a directory that cannot be written, and the guard that tells a second
// running copy from the first.
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <random>

#include "commands/ProgramState.h"
#include "core/EnvState.h"
#include "core/Globals.h"
#include "core/GridState.h"
#include "core/OptionsState.h"
#include "core/Settings.h"
#include "platform/Instance.h"
#include "platform/SettingsStore.h"

namespace {

// Settings that differ from every default; strings that an INI file has to
// escape.
void SetNonDefaults() {
  Env.Left = -20;
  Env.Top = 7;
  Env.Height = 333;
  Env.Width = 610;
  Grid.Hex = false;
  Options.NoUnknown = false;
  Options.PrintMarksHatched = false;
  Options.PrintMarksUsingColors = true;
  Options.DoNotPrintMarks = false;
  Options.KeepMarksOnLoad = true;
  Options.OverwriteWarning = false;
  Options.CreateBackUp = false;
  Options.Language = 7;
  Env.CalcPath = "/opt/calc, \"the\" one/calc";
  Env.InitialDir = "/home/ü ber/Daten; #1 = [x]";
  Env.MarksInitialDir = " leading and trailing ";
  Env.File[0] = "@Variant(not one)";
  Env.File[1] = "C:\\back\\slashes";
  Env.File[2] = "";
  Env.File[3] = "tab\there";
  Env.File[4] = "/plain/file.bin";
}

void ExpectNonDefaults(int32_t units) {
  QCOMPARE(Env.Left, -20);
  QCOMPARE(Env.Top, 7);
  QCOMPARE(Env.Height, 333);
  QCOMPARE(Env.Width, 610);
  QCOMPARE(Env.DialogBaseUnits, units);
  QVERIFY(!Grid.Hex && !Options.NoUnknown && !Options.PrintMarksHatched && Options.PrintMarksUsingColors &&
          !Options.DoNotPrintMarks);
  QVERIFY(Options.KeepMarksOnLoad && !Options.OverwriteWarning && !Options.CreateBackUp);
  QCOMPARE(Options.Language, 7);
  QCOMPARE(Env.CalcPath, std::string("/opt/calc, \"the\" one/calc"));
  QCOMPARE(Env.InitialDir, std::string("/home/ü ber/Daten; #1 = [x]"));
  QCOMPARE(Env.MarksInitialDir, std::string(" leading and trailing "));
  QCOMPARE(Env.File[0], std::string("@Variant(not one)"));
  QCOMPARE(Env.File[1], std::string("C:\\back\\slashes"));
  QCOMPARE(Env.File[2], std::string(""));
  QCOMPARE(Env.File[3], std::string("tab\there"));
  QCOMPARE(Env.File[4], std::string("/plain/file.bin"));
}

void Defaults() {
  ResetGlobals();
  SetStartupDefaults(9, "/default/calc");
}

}  // namespace

class TestSettingsStore : public QObject {
  Q_OBJECT

  QTemporaryDir Dir;
  int Counter = 0;

  // A fresh file name for each case: the file system's view of one name is
  // never mixed between cases.
  QString FreshName() { return Dir.filePath(QString("conf%1/Brisquentalovard.ini").arg(++Counter)); }

  QString WriteFile(const QByteArray& content) {
    const QString name = FreshName();
    QDir().mkpath(QFileInfo(name).absolutePath());
    QFile f(name);
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write(content);
    return name;
  }

  void Load(const QString& name) {
    Defaults();
    TQtSettingsStore store(name);
    LoadSettings(store);
  }

 private slots:
  void init() { Defaults(); }
  void cleanup() { ResetProgramState(); }

  void roundTripOfEverySetting() {
    const QString name = FreshName();
    SetNonDefaults();
    TQtSettingsStore store(name);
    QVERIFY(SaveSettings(store, 0x00110006));
    // Only the file itself is left, no temporary beside it.
    QCOMPARE(QDir(QFileInfo(name).absolutePath()).entryList(QDir::Files), QStringList{"Brisquentalovard.ini"});
    Load(name);
    ExpectNonDefaults(0x00110006);
    // The file names the overwrite option as it is written.
    QFile f(name);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    QVERIFY(text.startsWith("[1.02]"));
    QVERIFY(text.contains("\nOverwriteWarning=0\n"));
    QVERIFY(text.contains("\nHex=0\n"));
    QVERIFY(text.contains("\nFile2=\n"));
  }

  void savingReplacesAnOldFileWhole() {
    const QString name = WriteFile("[1.02]\nLeft=1\nJunk=\x01\x02\n[Other]\nx=1\n");
    SetNonDefaults();
    TQtSettingsStore store(name);
    QVERIFY(SaveSettings(store, 5));
    QSettings check(name, QSettings::IniFormat);
    QCOMPARE(check.childGroups(), QStringList{"1.02"});
    QVERIFY(!check.contains("1.02/Junk"));
    QCOMPARE(check.value("1.02/Left").toInt(), -20);
  }

  void namesInAnyLetterCase() {
    const QString name = WriteFile(
        "[1.02]\nleft=5\nTOP=6\nheight=7\nwidth=8\ndialogbaseunits=9\nhex=0\nNOUNKNOWN=0\nprintmarkshatched=1\n"
        "printmarksusingcolors=0\ndonotprintmarks=0\nkeepmarksonload=1\nOverwriteWarning=0\ncreatebackup=0\n"
        "language=7\ncalcpath=/c\ninitialdir=/i\nmarksinitialdir=/m\nfile0=/0\nFILE4=/4\n");
    Load(name);
    QCOMPARE(Env.Left, 5);
    QCOMPARE(Env.DialogBaseUnits, 9);
    QVERIFY(!Grid.Hex && !Options.NoUnknown && Options.KeepMarksOnLoad && !Options.CreateBackUp);
    QVERIFY(!Options.OverwriteWarning);  // written as OverwriteWarning, read as OverWriteWarning
    QCOMPARE(Options.Language, 7);
    QCOMPARE(Env.CalcPath, std::string("/c"));
    QCOMPARE(Env.File[0], std::string("/0"));
    QCOMPARE(Env.File[1], std::string(""));
    QCOMPARE(Env.File[4], std::string("/4"));
  }

  // Each damaged file starts the program with what could be read before the
  // damage and defaults for the rest; none crashes the reader.
  void damagedFiles_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("marksDir");
    QTest::addColumn<QString>("file0");
    const QByteArray head = "[1.02]\nLeft=10\nTop=20\nHeight=30\nWidth=40\nDialogBaseUnits=50\n";
    const QByteArray options =
        "Hex=0\nNoUnknown=1\nPrintMarksHatched=1\nPrintMarksUsingColors=0\nDoNotPrintMarks=0\nKeepMarksOnLoad=0\n"
        "OverWriteWarning=1\nCreateBackUp=1\nLanguage=9\nCalcPath=/c\nInitialDir=/i\nMarksInitialDir=/m\n";
    std::mt19937 rng(7);
    QByteArray junk(4096, '\0');
    for (char& c : junk) c = char(rng());

    QTest::newRow("empty file") << QByteArray() << 0 << 0 << true << ""
                                << "";
    QTest::newRow("binary junk") << junk << 0 << 0 << true << ""
                                 << "";
    QTest::newRow("junk after good values") << head + options + "File0=/f\n" + junk << 10 << 20 << false << "/m"
                                            << "/f";
    QTest::newRow("zero bytes in a line") << head + QByteArray("Hex=\0\0\0\n", 9) + options << 10 << 20 << true << ""
                                          << "";
    QTest::newRow("truncated line") << QByteArray("[1.02]\nLeft=10\nTop=20\nHei") << 10 << 20 << true << ""
                                    << "";
    QTest::newRow("truncated group") << QByteArray("[1.0") << 0 << 0 << true << ""
                                     << "";
    QTest::newRow("huge integer") << head + "Hex=99999999999999999999999\n" + options.mid(6) << 10 << 20 << true << ""
                                  << "";
    QTest::newRow("huge string") << head + options + "File0=" + QByteArray(100000, 'a') + "\n"
                                 << 10 << 20 << false << "/m"
                                 << "";
    QTest::newRow("boolean as a word") << head + "Hex=false\n" + options.mid(6) << 10 << 20 << true << ""
                                       << "";
    QTest::newRow("boolean of another type")
        << head + "Hex=@Variant(\\0\\0\\0\\x1\\0)\n" + options.mid(6) << 10 << 20 << true << ""
        << "";
    QTest::newRow("list for a string") << head + options + "File0=a, b\n"
                                       << 10 << 20 << false << "/m"
                                       << "";
    QTest::newRow("binary data for a string") << head + options + "File0=@ByteArray(abc)\n"
                                              << 10 << 20 << false << "/m"
                                              << "";
    QTest::newRow("zero byte in a string") << head + options + "File0=/a\\0/b\n"
                                           << 10 << 20 << false << "/m"
                                           << "/a";
    QTest::newRow("second group") << "[Other]\nLeft=1\nTop=2\nHex=1\n" + head + options + "File0=/f\n[More]\nTop=3\n"
                                  << 10 << 20 << false << "/m"
                                  << "/f";
    QTest::newRow("only another group") << QByteArray("[Other]\nLeft=1\n") << 0 << 0 << true << ""
                                        << "";
    QTest::newRow("values outside any group") << QByteArray("Left=1\nTop=2\n") << 0 << 0 << true << ""
                                              << "";
    QTest::newRow("far too large a file") << head + options + QByteArray(5 * 1024 * 1024, '#') << 0 << 0 << true << ""
                                          << "";
  }

  void damagedFiles() {
    QFETCH(QByteArray, content);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(bool, hex);
    QFETCH(QString, marksDir);
    QFETCH(QString, file0);
    Load(WriteFile(content));
    QCOMPARE(Env.Left, left);
    QCOMPARE(Env.Top, top);
    QCOMPARE(Grid.Hex, hex);
    QCOMPARE(QString::fromStdString(Env.MarksInitialDir), marksDir);
    QCOMPARE(QString::fromStdString(Env.File[0]), file0);
    if (left == 0) QCOMPARE(Env.CalcPath, std::string("/default/calc"));
  }

  void noFileOrADirectoryInItsPlace() {
    Load(Dir.filePath("nowhere/Brisquentalovard.ini"));
    QCOMPARE(Env.CalcPath, std::string("/default/calc"));
    const QString name = FreshName();
    QVERIFY(QDir().mkpath(name));  // a directory where the file should be
    Load(name);
    QCOMPARE(Env.CalcPath, std::string("/default/calc"));
    QVERIFY(Grid.Hex);
  }

  void anUnwritablePlaceLosesNothing() {
    // The settings directory cannot be made: a file stands in its way.
    const QString blocker = Dir.filePath("blocked");
    {
      QFile f(blocker);
      QVERIFY(f.open(QIODevice::WriteOnly));
    }
    SetNonDefaults();
    TQtSettingsStore blocked(blocker + "/Mendrel/Brisquentalovard.ini");
    QVERIFY(!SaveSettings(blocked, 1));
    QCOMPARE(Env.Left, -20);  // the settings in memory are untouched
    // The file cannot be replaced: the old one stays as it was, and no
    // temporary is left behind.
    const QString name = FreshName();
    QVERIFY(QDir().mkpath(name + "/inside"));
    TQtSettingsStore store(name);
    QVERIFY(!SaveSettings(store, 1));
    QVERIFY(QFileInfo(name).isDir());
    QCOMPARE(QDir(QFileInfo(name).absolutePath()).entryList(QDir::Files), QStringList());
    // A read-only directory, where permissions count (not for root).
    if (geteuid() != 0) {
      const QString ro = WriteFile("[1.02]\nLeft=77\n");
      const QString dir = QFileInfo(ro).absolutePath();
      QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
      TQtSettingsStore readOnly(ro);
      QVERIFY(!SaveSettings(readOnly, 1));
      QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
      Load(ro);
      QCOMPARE(Env.Left, 77);
    }
  }

  void theDefaultFileIsPerUser() {
    qputenv("XDG_CONFIG_HOME", Dir.filePath("xdg").toLocal8Bit());
    QCOMPARE(TQtSettingsStore::DefaultFileName(), Dir.filePath("xdg/Mendrel/Brisquentalovard.ini"));
  }

  void aSecondCopyIsRecognised() {
    const QString name = Dir.filePath("instance-socket");
    {
      TInstanceGuard first(name);
      QVERIFY(first.FirstInstance());
      TInstanceGuard second(name);
      QVERIFY(!second.FirstInstance());
    }
    // Once the first has gone, the next copy is the first again.
    TInstanceGuard again(name);
    QVERIFY(again.FirstInstance());
    // A socket left behind by a copy that crashed does not count.
    const QString stale = Dir.filePath("stale-socket");
    {
      QFile f(stale);
      QVERIFY(f.open(QIODevice::WriteOnly));
    }
    TInstanceGuard afterCrash(stale);
    QVERIFY(afterCrash.FirstInstance());
    TInstanceGuard next(stale);
    QVERIFY(!next.FirstInstance());
  }

  void dialogBaseUnitsFollowTheFont() {
    const int32_t units = CurrentDialogBaseUnits();
    QVERIFY((units & 0xFFFF) > 0);
    QVERIFY((units >> 16) > 0);
    const QFont saved = QApplication::font();
    QFont larger = saved;
    larger.setPointSizeF(saved.pointSizeF() * 2);
    QApplication::setFont(larger);
    QVERIFY(CurrentDialogBaseUnits() != units);
    QApplication::setFont(saved);
  }
};

QTEST_MAIN(TestSettingsStore)
#include "tst_settings_store.moc"
