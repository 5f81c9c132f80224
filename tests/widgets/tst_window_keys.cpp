// The window's keys and status bar: reserved keys never type, the pop-up
// menu opens from the keyboard, the panels hold their longest texts.
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QWheelEvent>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "actions/Actions.h"
#include "commands/FileCommands.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "core/StatusBar.h"
#include "fakes/FakeSeams.h"
#include "mainform/KeyRules.h"
#include "mainform/MainForm.h"
#include "mainform/VeskBox.h"
#include "mainform/VeskMainPanel.h"
#include "widgets/WindowTest.h"

class TestWindowKeys : public QObject {
  Q_OBJECT

  TQorinEditorMainForm* Form = nullptr;
  TFakeHost Host;
  std::string File;

  void Load(const std::string& content) {
    std::ofstream(File, std::ios::binary) << content;
    LoadFile(File);
  }
  std::string Bytes() const { return std::string(reinterpret_cast<const char*>(Doc.DocData), size_t(Doc.DocSize)); }
  void Key(QKeyCombination k) { QTest::keyClick(Form, k.key(), k.keyboardModifiers()); }

 private slots:
  void init() {
    File = TestFileName("bq-keys-test.bin");
    QVERIFY(OpenTestWindow(Form, Host));
  }
  void cleanup() { CloseTestWindow(Form, File); }

  void boundKeysNeverTypeWithTheirCommandDisabled() {
    const std::string content(40, 'x');
    for (bool inChars : {true, false}) {
      Load(content);
      if (inChars) Key(QKeyCombination(Qt::Key_Tab));
      QCOMPARE(InCharArea(Cursor.CursorCol), inChars);
      const int32_t col = Cursor.CursorCol;
      std::vector<QKeyCombination> keys = ReservedKeys();
      for (QAction* a : Form->findChildren<QAction*>()) {
        if (!a->shortcut().isEmpty()) keys.push_back(a->shortcut()[0]);
        a->setEnabled(false);
      }
      // Never typed either: Delete in any form, Ctrl with digits and
      // punctuation, Escape, and Shift+Tab as X11 delivers it.
      for (int mods :
           {0, int(Qt::ShiftModifier), int(Qt::ControlModifier), int(Qt::ControlModifier | Qt::ShiftModifier)})
        keys.push_back(QKeyCombination(Qt::KeyboardModifiers(mods), Qt::Key_Delete));
      for (Qt::Key k : {Qt::Key_1, Qt::Key_0, Qt::Key_Period, Qt::Key_Minus, Qt::Key_BracketLeft, Qt::Key_Space})
        keys.push_back(Qt::ControlModifier | k);
      keys.push_back(QKeyCombination(Qt::Key_Escape));
      keys.push_back(Qt::ShiftModifier | Qt::Key_Backtab);
      for (QKeyCombination k : keys) {
        Key(k);
        if (Bytes() != content || Cursor.CursorCol != col) QFAIL(qPrintable("typed by " + QKeySequence(k).toString()));
      }
      QCOMPARE(Doc.DataChangeCount, 0);
      QCOMPARE(ActionList().CanUndo(), false);
    }
  }

  void unboundCtrlLettersTypeTheirControlCode() {
    Load(std::string(4, 'x'));
    Key(QKeyCombination(Qt::Key_Tab));
    Key(Qt::ControlModifier | Qt::Key_Q);
    Key(Qt::ControlModifier | Qt::Key_A);
    QCOMPARE(Bytes(), std::string("\x11\x01xx", 4));
  }

  void keysForAnOpenMenuNeverReachTheGrid() {
    Load(std::string(4, 'x'));
    Key(QKeyCombination(Qt::Key_Tab));
    auto* file = Form->findChild<QMenu*>("FileMainMenuItem");
    Form->menuBar()->setActiveAction(file->menuAction());
    QTRY_VERIFY(file->isVisible());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_9);
    QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget() : Form, Qt::Key_Q);
    if (QApplication::activePopupWidget()) QApplication::activePopupWidget()->close();
    QCOMPARE(Bytes(), std::string(4, 'x'));
  }

  void insertOnAnEmptyDocumentMakesOneZeroByte() {
    NewMainMenuItemClick();
    QVERIFY(Form->Item("InsertByteMainMenuItem")->isEnabled());
    Key(QKeyCombination(Qt::Key_Insert));
    QCOMPARE(Bytes(), std::string(1, '\0'));
  }

  void popupMenuFromTheKeyboardOpensAtTheCursor() {
    Load(std::string(100, 'x'));
    GotoOffset(37, false, true);
    for (QKeyCombination k : {QKeyCombination(Qt::Key_Menu), Qt::ShiftModifier | Qt::Key_F10}) {
      Key(k);
      QTRY_VERIFY(Form->PopupMenu()->isVisible());
      const QPoint at = Form->DataBox()->mapFromGlobal(Form->PopupMenu()->pos());
      QCOMPARE(at.x(), 5 * Grid.ValueCellWidth);
      QCOMPARE(at.y(), 3 * Grid.RowHeight);
      Form->PopupMenu()->hide();
    }
  }

  // The wheel over the data area scrolls three rows a notch; the cursor stays.
  void theWheelOverTheDataAreaScrolls() {
    Load(std::string(10000, 'x'));
    TVeskBox* box = Form->DataBox();
    const QPointF at(10, 10);
    QWheelEvent down(at, box->mapToGlobal(at), QPoint(), QPoint(0, -240), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &down);
    QCOMPARE(TopRow(), 6);
    QCOMPARE(box->VertBar()->value(), 6);
    QCOMPARE(CursorOffset(), 0);
  }

  void statusPanelsHoldTheirLongestTexts() {
    Load(std::string(100, 'x'));
    // The label's own measure of each text, against the width it was given.
    for (int panel = 0; panel < 3; ++panel) {
      QLabel* label = Form->StatusPanel(panel);
      for (const std::string& t : LongestPanelTexts(panel, PanelNumberBound())) {
        label->setText(QString::fromStdString(t));
        QVERIFY2(label->sizeHint().width() <= label->width(), t.c_str());
      }
      // The largest document's numbers, written with every digit.
      QLabel probe;
      probe.setFont(label->font());
      const int need = Form->StatusPanelNeed(panel, 2147483646);
      for (const char* t :
           {"Pos: 2147483646 $7FFFFFFE", "Pos: 1999999999 $7DDDDDDD", "Pos: 1888888888 $7BBBBBBB",
            "Dist: -2147483646 -$7FFFFFFE", "Dist: -1999999999 -$7DDDDDDD", "Wert: 255 $FF 11111111 \"ÿ\"",
            "Wert: 177 $B1 10110001 \"±\"", "Wert: 198 $C6 11000110 \"Æ\""})
        if (QString(t).startsWith(panel == 0 ? "Pos" : panel == 1 ? "Wert" : "Dist")) {
          probe.setText(QString::fromUtf8(t));
          QVERIFY2(probe.sizeHint().width() <= need, t);
        }
    }
    // German value texts fit too.
    Options.Language = 7;
    UpdateStatusBar();
    QVERIFY(Form->StatusPanel(1)->text().startsWith("Wert: 120 $78"));
    QVERIFY(Form->StatusPanel(1)->sizeHint().width() <= Form->StatusPanel(1)->width());
  }

  void theWindowNeverCutsAPanel() {
    Load(std::string(100, 'x'));
    QCOMPARE(Form->width(), Form->MainPanel()->width());
    // A status font large enough that the panels need more than the grid.
    QFont big = Form->statusBar()->font();
    big.setPointSize(big.pointSize() * 2);
    for (int i = 0; i < 3; ++i) Form->StatusPanel(i)->setFont(big);
    Form->RequestLayout();
    QVERIFY(Form->width() > Form->MainPanel()->width());
    QTRY_VERIFY(Form->StatusPanel(2)->geometry().right() < Form->width());
  }

  void aLargeDocumentsNumbersFitTheDecimalGrid() {
    // Eight-digit offsets and distances beside the narrow decimal grid: the
    // status font shrinks instead of the window growing a dead strip.
    Load(std::string(20000000, '\0'));
    Form->Item("OptionDecMainMenuItem")->trigger();
    QCOMPARE(Form->width(), Form->MainPanel()->width());
    for (int panel = 0; panel < 3; ++panel)
      QVERIFY(Form->StatusPanelNeed(panel, PanelNumberBound()) <= Form->StatusPanel(panel)->width());
    Form->Item("OptionHexMainMenuItem")->trigger();
    QCOMPARE(Form->statusBar()->font(), Form->font());
  }

  void aBeepsReasonCoversTheDistanceForAMoment() {
    Load(std::string(100, 'x'));
    Form->SetBeepReasonDuration(200);
    Form->DataBox()->setFocus();
    QTest::keyClick(Form, Qt::Key_G);  // no hex digit
    QCOMPARE(Form->StatusPanel(2)->text(), QString("Invalid key"));
    Form->Item("DeutschMenuItem")->trigger();
    QCOMPARE(Form->StatusPanel(2)->text(), QString::fromUtf8("Ungültige Taste"));
    // The distance may change meanwhile; it shows once the reason goes.
    Form->SetStatusPanel(2, "Dist: 3 $3");
    QCOMPARE(Form->StatusPanel(2)->text(), QString::fromUtf8("Ungültige Taste"));
    QTRY_COMPARE(Form->StatusPanel(2)->text(), QString("Dist: 3 $3"));
  }

  void distancePanelEmptiesOffTheCells() {
    Load(std::string(100, 'x'));
    TVeskBox* box = Form->DataBox();
    QTest::mouseMove(box, QPoint(Grid.ValueCellWidth * 3 + 2, Grid.RowHeight + 2));
    QTRY_COMPARE(Form->StatusPanel(2)->text(), QString("Dist: 19 $13"));
    // Onto the scroll bar, which lies inside the data area's widget.
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(box->VertBar(), &enter);
    QCOMPARE(Form->StatusPanel(2)->text(), QString());
    QTest::mouseMove(box, QPoint(Grid.ValueCellWidth * 4 + 2, Grid.RowHeight + 2));
    QTRY_COMPARE(Form->StatusPanel(2)->text(), QString("Dist: 20 $14"));
    QTest::mouseMove(box, QPoint(box->ClientRect().width() + 2, 5));
    QTRY_COMPARE(Form->StatusPanel(2)->text(), QString());
  }

  void thePanelsGreenShowsNowhere() {
    Load(std::string(1000, 'x'));
    const QImage image = Form->grab().toImage();
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y) == QColor(0, 128, 0)) QFAIL(qPrintable(QString("green at %1,%2").arg(x).arg(y)));
  }
};

QTEST_MAIN(TestWindowKeys)
#include "tst_window_keys.moc"
