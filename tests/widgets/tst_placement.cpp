// Where the compositor places the windows (Wayland), told offscreen through
// the platform's name: the program places nothing, keeps the position it had
// under X11, still restores the size, and scrolls the grid so that the
// Replace question cannot cover the occurrence.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <fstream>

#include "commands/FileCommands.h"
#include "commands/ReplaceCommands.h"
#include "controls/WindowPlacement.h"
#include "core/CursorState.h"
#include "core/EnvState.h"
#include "core/FindState.h"
#include "core/GridState.h"
#include "dialogs/MessageForm.h"
#include "platform/Instance.h"
#include "platform/QtHost.h"
#include "widgets/WindowTest.h"

namespace {
// The Qt host with the Find dialog answered: OK, from the start, asking.
class TAskingHost : public TQtHost {
 public:
  using TQtHost::TQtHost;
  int ShowFindDialog(TFindMode) override {
    TFindState& s = FindState();
    s.FindData.SetBuf({'a', 'b'});
    s.ReplaceData.SetBuf({'x'});
    s.ConfirmCB = true;
    s.BeginCursorRB = false;
    s.Accepted = true;
    return mrOk;
  }
};
}  // namespace

class TestPlacement : public QObject {
  Q_OBJECT

  TQorinEditorMainForm* Form = nullptr;
  std::string File = TestFileName("bq-placement-test.bin");

 private slots:
  void cleanup() {
    SetPlatformNameForTests(QString());
    CloseTestWindow(Form, File);
  }

  void platformsThatPlaceWindows() {
    QVERIFY(PlatformPlacesWindows("xcb"));
    QVERIFY(PlatformPlacesWindows("offscreen"));
    QVERIFY(!PlatformPlacesWindows("wayland"));
    QVERIFY(!PlatformPlacesWindows("wayland-egl"));
  }

  void onlyTheSizeComesBackAndThePositionStays() {
    ResetProgramState();
    SetPlatformNameForTests("wayland");
    Env.DialogBaseUnits = CurrentDialogBaseUnits();
    Env.Left = 40;
    Env.Top = 30;
    Env.Width = 500;
    Env.Height = 300;
    Form = new TQorinEditorMainForm(0, nullptr);
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form));
    QVERIFY(!Form->testAttribute(Qt::WA_Moved));
    QVERIFY(std::abs(Form->height() - 300) < Grid.RowHeight);
    Form->move(5, 6);  // as if the compositor had put it there
    Form->close();
    QCOMPARE(Env.Left, 40);
    QCOMPARE(Env.Top, 30);
    QCOMPARE(Env.Height, Form->height());
  }

  // The question for an occurrence that comes up in the bottom row: on X11
  // it is placed away from the row; where it cannot be placed, the row goes
  // up into the top quarter of the data area first.
  void theQuestionLeavesTheOccurrenceInSight_data() {
    QTest::addColumn<QString>("platform");
    QTest::newRow("x11") << "xcb";
    QTest::newRow("wayland") << "wayland";
  }
  void theQuestionLeavesTheOccurrenceInSight() {
    QFETCH(QString, platform);
    SetPlatformNameForTests(platform);
    TNullHost opening;
    QVERIFY(OpenTestWindow(Form, opening));
    TAskingHost host(Form);
    SetSeams(&host, Form);
    std::string doc(16 * 200, '-');
    doc.replace(16 * 120 + 5, 2, "ab");
    std::ofstream(File, std::ios::binary) << doc;
    LoadFile(File);
    QVERIFY(Grid.VisibleRows >= 8);
    int32_t shownRow = -1;
    QPoint at, asked;
    auto poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [&] {
      auto* form = qobject_cast<TMessageForm*>(QApplication::activeModalWidget());
      if (!form || !form->isVisible()) return;
      shownRow = Cursor.CursorRow - TopRow();
      at = form->pos();
      asked = QPoint(QuestionPlace().Left, QuestionPlace().Top);
      QTest::mouseClick(form->Button(mbNo), Qt::LeftButton);
    });
    poll->start(10);
    ReplaceMainMenuItemClick();
    delete poll;
    SetSeams(&opening, Form);
    if (platform == "xcb") {
      QCOMPARE(shownRow, Grid.VisibleRows - 1);
      QCOMPARE(at, asked);
    } else {
      QCOMPARE(shownRow, 1);
      QVERIFY(at != asked);
    }
  }
};

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
