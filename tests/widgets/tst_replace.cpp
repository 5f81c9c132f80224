// Replace and Find and mark in the main window: the menu items and Ctrl+E,
// the question placed where it was asked to stand, and what the Qt host
// reports of the screen and the data area, and how long work shows itself.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "actions/Actions.h"
#include "commands/FileCommands.h"
#include "commands/ProgramState.h"
#include "core/DocState.h"
#include "core/FindState.h"
#include "dialogs/MessageForm.h"
#include "fakes/FakeSeams.h"
#include "mainform/MainForm.h"
#include "mainform/VeskBox.h"
#include "platform/QtHost.h"
#include "widgets/WindowTest.h"

class TestReplace : public QObject {
  Q_OBJECT

  TQorinEditorMainForm* Form = nullptr;
  TFakeHost Host;
  std::string File;

  void Load(const std::string& content) {
    std::ofstream(File, std::ios::binary) << content;
    LoadFile(File);
  }
  std::string Text() const { return std::string(Doc.DocData, Doc.DocData + Doc.DocSize); }
  QString Caption(const char* name) const { return Form->Item(name)->text().section('\t', 0, 0); }

 private slots:
  void init() {
    ResetProgramState();
    File = TestFileName("bq-replace-test.bin");
    QVERIFY(OpenTestWindow(Form, Host));
  }
  void cleanup() {
    CloseTestWindow(Form, File);
    ResetProgramState();
  }

  void ctrlEReplacesAndOneUndoTakesItBack() {
    QVERIFY(!Form->Item("ReplaceMainMenuItem")->isEnabled());
    Load("abab-ab");
    QVERIFY(Form->Item("ReplaceMainMenuItem")->isEnabled());
    QVERIFY(Form->Item("FindAndMarkMainMenuItem")->isEnabled());
    Host.FindDialogInput = [](TFindState& s) {
      s.FindData.SetBuf({'a', 'b'});
      s.ReplaceData.SetBuf({'x', 'y', 'z'});
      s.ConfirmCB = false;
      s.BeginCursorRB = false;
    };
    Host.FindAnswers.push_back(FindAllResult);
    QTest::keyClick(Form, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(Host.FindDialogModes.size(), size_t(1));
    QCOMPARE(Text(), std::string("xyzxyz-xyz"));
    QCOMPARE(Caption("EditUndoMainMenuItem"), QString("&Undo (3 * Replace)"));
    QTest::keyClick(Form, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Text(), std::string("abab-ab"));
  }

  void findAndMarkFromTheMenu() {
    Load("abcabc");
    Host.FindDialogInput = [](TFindState& s) {
      s.FindData.SetBuf({'b', 'c'});
      s.ConfirmCB = false;
      s.BeginCursorRB = false;
      s.MarkColour = 2;
    };
    Host.FindAnswers.push_back(FindAllResult);
    Form->Item("FindAndMarkMainMenuItem")->trigger();
    QCOMPARE(Host.FindDialogModes.back(), TFindMode::FindAndMark);
    QCOMPARE(std::vector<uint8_t>(Doc.DocMarks, Doc.DocMarks + 6), (std::vector<uint8_t>{0, 2, 2, 0, 2, 2}));
    QCOMPARE(Caption("EditUndoMainMenuItem"), QString("&Undo (4 * Mark)"));
  }

  void theQuestionStandsWhereItIsPut() {
    QPoint shownAt;
    auto poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [&] {
      auto* form = qobject_cast<TMessageForm*>(QApplication::activeModalWidget());
      if (!form || !form->isVisible()) return;
      shownAt = form->pos();
      QTest::mouseClick(form->Button(mbAll), Qt::LeftButton);
    });
    poll->start(10);
    const int answer =
        ShowMessageFormAt(Form, "Replace?", TMsgDlgType::Confirmation, mbYesNoCancel | Btn(mbAll), 0, 123, 234);
    delete poll;
    QCOMPARE(answer, int(mrAll));
    QCOMPARE(shownAt, QPoint(123, 234));
  }

  void theHostMeasuresTheScreenAndTheDataArea() {
    TQtHost host(Form);
    QVERIFY(host.ScreenWidth() > 0);
    QVERIFY(host.ScreenHeight() > 0);
    QCOMPARE(Form->DataBoxScreenTop(), Form->DataBox()->mapToGlobal(QPoint(0, 0)).y());
    const uint32_t t0 = host.TickCount();
    QTest::qWait(20);
    QVERIFY(host.TickCount() - t0 >= 10);
  }

  void longWorkShowsItselfAndGivesTheWindowBack() {
    TQtHost host(Form);
    host.BeginBusy();
    host.BeginBusy();
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    // A message in the middle of the work has the ordinary cursor.
    const QCursor* shown = QGuiApplication::overrideCursor();
    QTimer::singleShot(50, [&] {
      auto* form = qobject_cast<TMessageForm*>(QApplication::activeModalWidget());
      QVERIFY(form);
      shown = QGuiApplication::overrideCursor();
      QTest::mouseClick(form->Button(mbOK), Qt::LeftButton);
    });
    host.MessageDialog("Operation failed!", TMsgDlgType::Error, mbOKOnly, 0, NoDefaultButton);
    QVERIFY(!shown);
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    host.EndBusy();
    host.EndBusy();
    QVERIFY(!QGuiApplication::overrideCursor());
    // The work's text stands in the third panel until the work ends.
    Form->SetStatusPanel(2, "Dist: 3 $3");
    Form->ShowWork("Loading 10%");
    Form->ShowWork("Loading 20%");
    QCOMPARE(Form->StatusPanel(2)->text(), QString("Loading 20%"));
    Form->EndWork();
    QCOMPARE(Form->StatusPanel(2)->text(), QString("Dist: 3 $3"));
  }
};

QTEST_MAIN(TestReplace)
#include "tst_replace.moc"
