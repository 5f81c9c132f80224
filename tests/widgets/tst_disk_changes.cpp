// The window watches the document's file while another process replaces it
// by a rename, cuts it short or deletes it (the smoke test rewrites it in
// place): the question comes within a second, and the watch goes on.
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include "commands/FileCommands.h"
#include "core/DocState.h"
#include "fakes/FakeSeams.h"
#include "fakes/TestFiles.h"
#include "widgets/WindowTest.h"

class TestDiskChanges : public QObject {
  Q_OBJECT

  TQorinEditorMainForm* Form = nullptr;
  TFakeHost Host;
  std::string File;

  void Outside(const QString& command) {
    QProcess sh;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("F", QString::fromStdString(File));
    sh.setProcessEnvironment(env);
    sh.start("sh", {"-c", command});
    QVERIFY(sh.waitForFinished(5000) && sh.exitCode() == 0);
  }
  size_t QuestionsWithin(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (Host.Messages.empty() && clock.elapsed() < milliseconds) QTest::qWait(20);
    return Host.Messages.size();
  }

 private slots:
  void init() {
    File = TestFileName("bq-disk-changes.bin");
    WriteAllTo(File, "original");
    QVERIFY(OpenTestWindow(Form, Host));
    LoadFile(File);
    Host.Messages.clear();
  }
  void cleanup() { CloseTestWindow(Form, File); }

  void outsideChanges_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QByteArray>("shown");
    QTest::newRow("replace by rename, unsaved, Yes")
        << "printf 'renamed' > \"$F.new\" && mv \"$F.new\" \"$F\"" << true << int(mrYes) << QByteArray("renamed");
    QTest::newRow("truncate, clean, No") << "truncate -s 3 \"$F\"" << false << int(mrNo) << QByteArray("original");
  }
  void outsideChanges() {
    QFETCH(QString, command);
    QFETCH(bool, unsaved);
    QFETCH(int, answer);
    QFETCH(QByteArray, shown);
    Doc.DataChangeCount = unsaved;
    Host.Answers = {answer};
    Outside(command);
    QCOMPARE(QuestionsWithin(1000), size_t(1));
    QCOMPARE(Host.Messages[0].DefaultButton, unsaved ? int(mbNo) : NoDefaultButton);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(Doc.DocData), Doc.DocSize), shown);
    // The watch goes on, on the new file after a rename.
    Host.Messages.clear();
    Outside("printf 'again!!!' > \"$F\"");
    QCOMPARE(QuestionsWithin(1000), size_t(1));
  }

  // A deleted file asks nothing; made anew, it is noticed through its folder.
  void deletedThenMadeAgain() {
    Outside("rm \"$F\"");
    QCOMPARE(QuestionsWithin(600), size_t(0));
    QCOMPARE(Doc.DocSize, 8);
    Outside("printf 'back' > \"$F\"");
    QCOMPARE(QuestionsWithin(1000), size_t(1));
  }
};

QTEST_MAIN(TestDiskChanges)
#include "tst_disk_changes.moc"
