// The data inspector in the real window: F12 shows it beside the grid, it
// follows the cursor and the byte order, a value typed into a row is
// written (or refused and kept for correcting), Ctrl+C copies a value, and
// every name and value fits its column in both languages.
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>
#include <fstream>

#include "commands/FileCommands.h"
#include "controls/CellPainter.h"
#include "core/Cursor.h"
#include "core/DataInspector.h"
#include "core/DocState.h"
#include "core/EnvState.h"
#include "core/OptionsState.h"
#include "dialogs/DataInspectorForm.h"
#include "fakes/FakeSeams.h"
#include "widgets/WindowTest.h"

// Adds key to keys; true when it was there already.
bool AlreadyTaken(QSet<QChar>& keys, QChar key) {
  if (keys.contains(key)) return true;
  keys.insert(key);
  return false;
}

class TestInspector : public QObject {
  Q_OBJECT

  TQorinEditorMainForm* Form = nullptr;
  TFakeHost Host;
  std::string File;

  QString Value(TInspectType type) const {
    QCoreApplication::processEvents();
    return Form->Inspector()->Table()->item(int(type), 1)->text();
  }

 private slots:
  void init() {
    File = TestFileName("bq-inspector-test.bin");
    QVERIFY(OpenTestWindow(Form, Host));
    std::ofstream(File, std::ios::binary) << std::string("\x12\x34\x56\x78\x9a", 5);
    LoadFile(File);
  }
  void cleanup() { CloseTestWindow(Form, File); }

  void followsTheCursorAndTheByteOrder() {
    QTest::keyClick(Form, Qt::Key_F12);
    QVERIFY(Form->Inspector() && Form->Inspector()->isVisible());
    QVERIFY(Form->Item("DataInspectorMenuItem")->isChecked());
    QTRY_COMPARE(Value(TInspectType::UInt32), QString("$78563412"));
    // The keys themselves are the smoke test's: offscreen, the new window
    // keeps the focus.
    DoRight();
    DoRight();
    QTRY_COMPARE(Value(TInspectType::UInt32), QString("$9A785634"));
    Form->Inspector()->findChild<QRadioButton*>("BigEndianRadio")->click();
    QTRY_COMPARE(Value(TInspectType::UInt32), QString("$3456789A"));
    QVERIFY(Options.InspectorBigEndian);
    // Closing the window unchecks its item.
    Form->Inspector()->close();
    QVERIFY(!Options.InspectorOpen);
    QVERIFY(!Form->Item("DataInspectorMenuItem")->isChecked());
  }

  void typedValuesAreWrittenOrKept() {
    Form->Item("DataInspectorMenuItem")->trigger();
    TDataInspectorForm* inspector = Form->Inspector();
    inspector->BeginEdit(int(TInspectType::Int16));
    QVERIFY(inspector->Editor());
    inspector->Editor()->setText("70000");
    QTest::keyClick(inspector->Editor(), Qt::Key_Return);
    QVERIFY(inspector->Editor());  // refused: the text stays for correcting
    QCOMPARE(inspector->Editor()->text(), QString("70000"));
    QCOMPARE(Host.BeepReasons.back(), TBeepReason::InvalidValue);
    inspector->Editor()->setText("-2");
    QTest::keyClick(inspector->Editor(), Qt::Key_Return);
    QVERIFY(!inspector->Editor());
    QCOMPARE(Doc.DocData[0], uint8_t(0xFE));
    QCOMPARE(Doc.DocData[1], uint8_t(0xFF));
    QTRY_COMPARE(Value(TInspectType::Int16), QString("-$0002"));
    // Ctrl+C in the inspector copies the selected value, not a mark.
    inspector->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(inspector));
    inspector->Table()->setCurrentCell(int(TInspectType::Int16), 0);
    QTest::keyClick(inspector->Table(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("-$0002"));
    QCOMPARE(Doc.DocMarks[0], uint8_t(0));
  }

  void comesBackWhereItStood() {
    QAction* item = Form->Item("DataInspectorMenuItem");
    item->trigger();
    Form->Inspector()->move(123, 145);
    QTRY_COMPARE(Env.InspectorLeft, 123);
    item->trigger();
    QVERIFY(!Form->Inspector()->isVisible());
    item->trigger();
    QCOMPARE(Form->Inspector()->pos(), QPoint(123, 145));
    QCOMPARE(Env.InspectorTop, 145);
  }

  void everyTextFitsAndNoAccessKeyClashesInBothLanguages() {
    Form->Item("DataInspectorMenuItem")->trigger();
    for (const char* language : {"EnglishMenuItem", "DeutschMenuItem"}) {
      Form->Item(language)->trigger();
      for (const char* menu : {"OptionsMainMenuItem", "EditMainMenuItem", "FileMainMenuItem"}) {
        QSet<QChar> keys;
        for (QAction* a : Form->findChild<QMenu*>(menu)->actions()) {
          const qsizetype amp = a->text().indexOf('&');
          if (amp >= 0) QVERIFY2(!AlreadyTaken(keys, a->text()[amp + 1].toLower()), qPrintable(a->text()));
        }
      }
      QTableWidget* table = Form->Inspector()->Table();
      QCoreApplication::processEvents();
      for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < 2; ++c) {
          const QFontMetrics fm(c == 0 ? table->font() : DataFont());
          QVERIFY2(fm.horizontalAdvance(table->item(r, c)->text()) < table->columnWidth(c),
                   qPrintable(table->item(r, c)->text()));
        }
    }
    QCOMPARE(Form->Inspector()->windowTitle(), QString("Dateninspektor"));
  }
};

QTEST_MAIN(TestInspector)
#include "tst_inspector.moc"
