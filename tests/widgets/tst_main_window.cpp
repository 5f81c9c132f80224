// The main window with a real grid: pixels of a painted file, keys and clicks.
#include <QAccessible>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "actions/Actions.h"
#include "commands/FileCommands.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/EnvState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "fakes/FakeSeams.h"
#include "mainform/MainForm.h"
#include "mainform/VeskBox.h"
#include "mainform/VeskMainPanel.h"
#include "widgets/WindowTest.h"

class TestMainWindow : public QObject {
  Q_OBJECT

  TQorinEditorMainForm* Form = nullptr;
  TFakeHost Host;
  std::string File;

  void Load(const std::string& content) {
    std::ofstream(File, std::ios::binary) << content;
    LoadFile(File);
  }
  QPoint CellCentre(int32_t offset) const {
    return QPoint((offset % Grid.BytesPerRow) * Grid.ValueCellWidth + Grid.ValueCellWidth / 2,
                  (offset / Grid.BytesPerRow - TopRow()) * Grid.RowHeight + Grid.RowHeight / 2);
  }
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(Form, Qt::Key(key), mods); }

 private slots:
  void init() {
    File = TestFileName("bq-window-test.bin");
    QVERIFY(OpenTestWindow(Form, Host));
  }
  void cleanup() { CloseTestWindow(Form, File); }

  void captionAndLayout() {
    Load("0123456789");
    QCOMPARE(Form->windowTitle(), QString::fromStdString("Brisquentalovard [" + File + "]"));
    // The width is the grid's; the height holds whole rows.
    QCOMPARE(Form->minimumWidth(), Form->maximumWidth());
    QCOMPARE(Form->width(), Form->MainPanel()->width());
    QCOMPARE(Form->DataBox()->ClientRect().height(), Grid.VisibleRows * Grid.RowHeight - 1);
    QCOMPARE(Form->DataBox()->ClientRect().width(), 16 * Grid.ValueCellWidth + Grid.CharColumnWidth - 1);
    QVERIFY(!Form->DataBox()->VertBar()->isEnabled());
    QVERIFY(Form->DataBox()->VertBar()->isVisible());
    // Status bar after loading.
    QCOMPARE(Form->StatusPanel(0)->text(), QString("Pos: 0 $0"));
    QCOMPARE(Form->StatusPanel(1)->text(), QString("Val: 48 $30 00110000 \"0\""));
  }

  void pixelsOfTheGrid() {
    Load(std::string(40, 'A'));
    Doc.DocMarks[5] = 3;  // blue
    Cursor.CursorBlinkOn = true;
    const QImage image = Form->DataBox()->grab().toImage();
    // A marked cell's margin shows its colour.
    const QPoint marked(5 * Grid.ValueCellWidth + 1, 2);
    QCOMPARE(image.pixelColor(marked), QColor(0, 0, 255));
    // The cursor digit (first digit of byte 0) has a black background.
    QCOMPARE(image.pixelColor(Grid.CellPadLeft, 1), QColor(0, 0, 0));
    // Its echo in the character column: grey.
    QCOMPARE(image.pixelColor(16 * Grid.ValueCellWidth + Grid.CellPadLeft, 1), QColor(128, 128, 128));
    // A grid line on the right of cell 1 of a row without the cursor.
    const QColor face = ToQColorForTest();
    QCOMPARE(image.pixelColor(2 * Grid.ValueCellWidth - 1, Grid.RowHeight + 3), face);
    // The bottom grid line of row 1.
    QCOMPARE(image.pixelColor(7, 2 * Grid.RowHeight - 1), face);
    // White beyond the end of the data, on the line of a partial row.
    QCOMPARE(image.pixelColor(10 * Grid.ValueCellWidth + 2, 2 * Grid.RowHeight + 3), QColor(255, 255, 255));
  }

  QColor ToQColorForTest() { return QColor(Env.ButtonFace.R, Env.ButtonFace.G, Env.ButtonFace.B); }

  void keysMoveTheCursor() {
    Load(std::string(100, 'x'));
    Cursor.CursorCol = 31;
    Cursor.CursorRow = 3;
    Key(Qt::Key_Right);
    QCOMPARE(Cursor.CursorCol, 0);
    QCOMPARE(Cursor.CursorRow, 4);
    Key(Qt::Key_Left);
    QCOMPARE(Cursor.CursorCol, 31);
    QCOMPARE(Cursor.CursorRow, 3);
    // Down into the partly filled last row lands on the last byte.
    Cursor.CursorCol = 30;
    Cursor.CursorRow = 5;
    Key(Qt::Key_Down);
    QCOMPARE(CursorOffset(), 99);
    QCOMPARE(Cursor.CursorCol, 7);
    // Tab reaches the grid (not the focus chain) and comes back.
    Key(Qt::Key_Tab);
    QCOMPARE(Cursor.CursorCol, 32 + 3);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);  // as X11 delivers Shift+Tab
    QCOMPARE(Cursor.CursorCol, 6);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(Cursor.CursorCol, 6);
    // End then Home keep the area.
    Key(Qt::Key_Tab);
    Key(Qt::Key_End);
    QCOMPARE(CursorOffset(), 99);
    QVERIFY(InCharArea(Cursor.CursorCol));
    Key(Qt::Key_Home);
    QCOMPARE(CursorOffset(), 0);
    QCOMPARE(Cursor.CursorCol, 32);
  }

  void clickOnTheRightMargin() {
    Load(std::string(100, 'x'));
    const int x = 3 * Grid.ValueCellWidth - 2;  // right margin of byte 2
    QTest::mouseClick(Form->DataBox(), Qt::LeftButton, Qt::NoModifier, QPoint(x, Grid.RowHeight + 4));
    QCOMPARE(CursorOffset(), 18);
    QCOMPARE(Cursor.CursorCol, 5);
  }

  void swatchMenus() {
    Load("abc");
    QAction* red = Form->Item("MarkRedMainMenuItem");
    QVERIFY(red);
    // The caption, not drawn, names the colour for screen readers.
    QCOMPARE(red->text(), QString("Red\tCtrl+R"));
    QVERIFY(!red->icon().isNull());
    QCOMPARE(red->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    // The unmark swatch is white.
    const QImage unmark = Form->Item("MarkUnmarkMainMenuItem")->icon().pixmap(64, 64).toImage();
    QCOMPARE(unmark.pixelColor(unmark.width() / 2, unmark.height() / 2), QColor(255, 255, 255));
    // The pop-up twin shows the key as text without binding it a second time.
    QAction* twin = Form->Item("MarkRedPopUpMenuItem");
    QVERIFY(twin->shortcut().isEmpty());
    QVERIFY(twin->text().endsWith(QKeySequence(Qt::CTRL | Qt::Key_R).toString(QKeySequence::NativeText)));
    auto* markMenu = Form->findChild<QMenu*>("MarkMainMenuItem");
    QVERIFY(markMenu);
    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(markMenu);
    QVERIFY(menu && menu->childCount() > 0);
    QVERIFY(menu->child(0)->text(QAccessible::Name).startsWith("Red"));
    markMenu->popup(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowExposed(markMenu));
    markMenu->grab().save("/tmp/bq-mark-menu.png");
    markMenu->hide();
    // Ctrl+R marks through the main item.
    QTest::keyClick(Form, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(Doc.DocMarks[0], uint8_t(1));
    QVERIFY(Form->Item("EditUndoMainMenuItem")->isEnabled());
    QCOMPARE(Form->Item("EditUndoMainMenuItem")->text(), QString("&Undo (Mark)\tCtrl+Z"));
  }

  void typingAndUndo() {
    Load(std::string(1, '\x3C') + "zz");
    QTest::keyClicks(Form, "a7");
    QCOMPARE(int(Doc.DocData[0]), 0xA7);
    QCOMPARE(CursorOffset(), 1);
    QTest::keyClick(Form, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(Form, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(int(Doc.DocData[0]), 0x3C);
    QCOMPARE(Doc.DataChangeCount, 0);
  }

  void droppedFileIsLoaded() {
    Load("old");
    const std::string dropped = File + ".dropped";
    std::ofstream(dropped, std::ios::binary) << "dropped!";
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(dropped)), QUrl::fromLocalFile("/nonexistent")});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Form->DataBox(), &enter);
    QCoreApplication::sendEvent(Form->DataBox(), &drop);
    QCOMPARE(Doc.DocSize, 8);
    QCOMPARE(Form->windowTitle(), QString::fromStdString("Brisquentalovard [" + dropped + "]"));
    std::filesystem::remove(dropped);
  }

  void rightButtonMovesTheCursorAndOpensThePopup() {
    Load(std::string(64, 'x'));
    const QPoint at = CellCentre(37);
    QTest::mousePress(Form->DataBox(), Qt::RightButton, Qt::NoModifier, at);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, Form->DataBox()->mapToGlobal(at));
    QCoreApplication::sendEvent(Form->DataBox(), &menu);
    QCOMPARE(CursorOffset(), 37);
    QTRY_VERIFY(Form->PopupMenu()->isVisible());
    Form->PopupMenu()->hide();
  }

  void scrollBarShowsTheLastRows() {
    Load(std::string(10'000'000, 'z'));
    QScrollBar* bar = Form->DataBox()->VertBar();
    QVERIFY(bar->isEnabled());
    QCOMPARE(bar->maximum(), 625000 - Grid.VisibleRows);
    bar->setValue(bar->maximum());
    QCOMPARE(TopRow(), 625000 - Grid.VisibleRows);
    QCOMPARE(Cursor.CursorRow, 0);
    const QImage image = Form->MainPanel()->grab().toImage();
    QVERIFY(!image.isNull());
  }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
