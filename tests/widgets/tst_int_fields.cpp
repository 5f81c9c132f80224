// The hexadecimal and decimal integer fields in a real dialog: typing keeps
// them in step, the arrows link them, the dialog keys stay the dialog's, and
// the cursor is painted and blinks only in the focused field.
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

#include "commands/ProgramState.h"
#include "controls/CellPainter.h"
#include "controls/IntEdit.h"
#include "core/GridState.h"
#include "core/Seams.h"
#include "fakes/FakeSeams.h"

namespace {

class NumberDialog : public QDialog {
 public:
  TIntData Data;
  THexIntEdit* Hex;
  TDecIntEdit* Dec;
  int DialogCalls = 0;

  NumberDialog() {
    auto* layout = new QVBoxLayout(this);
    Hex = new THexIntEdit;
    Dec = new TDecIntEdit;
    for (THexIntEdit* f : {Hex, static_cast<THexIntEdit*>(Dec)}) {
      f->setFixedSize(f->sizeHint());
      layout->addWidget(f);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    LinkIntFields(Data, *Hex, *Dec);
    Data.Listener3 = [this](const void*) { ++DialogCalls; };
  }
};

QString Digits(THexIntEdit* f) { return QString::fromStdString(f->Field().Digits); }

}  // namespace

class TestIntFields : public QObject {
  Q_OBJECT

  std::unique_ptr<NumberDialog> Dlg;
  TFakeHost Host;

  void Open() {
    Dlg = std::make_unique<NumberDialog>();
    Dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(Dlg.get()));
    Dlg->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Dlg.get()));
  }

 private slots:
  void init() {
    ResetProgramState();
    ComputeGeometryFromFont();
    SetSeams(&Host, nullptr);
    Host.Beeps = 0;
    Open();
  }
  void cleanup() {
    Dlg.reset();
    SetSeams(nullptr, nullptr);
  }

  void typingArrowsAndDialogKeys() {
    QCOMPARE(Dlg->Hex->size(), QSize(12 * Grid.CharWidth - 2, Grid.RowHeight - 1));
    Dlg->Dec->setFocus();
    QTest::keyClicks(Dlg->Dec, "10");
    QCOMPARE(Digits(Dlg->Hex), QString("A"));
    QTest::keyClick(Dlg->Dec, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), Dlg->Hex);
    QTest::keyClick(Dlg->Hex, Qt::Key_End);
    QTest::keyClicks(Dlg->Hex, "fg");
    QTest::keyClick(Dlg->Hex, Qt::Key_Left);
    QTest::keyClick(Dlg->Hex, Qt::Key_Delete);
    QCOMPARE(Digits(Dlg->Dec), QString("10"));
    QCOMPARE(Host.Beeps, 1);
    QCOMPARE(Dlg->DialogCalls, 4);  // 1, 10, 175, 10
    QTest::keyClick(Dlg->Hex, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), Dlg->Dec);
    QTest::keyClick(Dlg->Dec, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), Dlg->Hex);
    QTest::keyClick(Dlg->Hex, Qt::Key_Enter);
    QCOMPARE(Dlg->result(), int(QDialog::Accepted));
    QCOMPARE(Dlg->Data.Value(), 10);

    Open();
    Dlg->Hex->setFocus();
    QTest::keyClick(Dlg->Hex, Qt::Key_Escape);
    QCOMPARE(Dlg->result(), int(QDialog::Rejected));
  }

  void clickPaintAndBlink() {
    Dlg->Data.SetValue(0x1234, this);
    QCOMPARE(Digits(Dlg->Dec), QString("4660"));
    QTest::mouseClick(Dlg->Dec, Qt::LeftButton, {}, QPoint(Grid.CellPadLeft + 2 * Grid.CharWidth + 1, 3));
    QCOMPARE(QApplication::focusWidget(), Dlg->Dec);
    QCOMPARE(Dlg->Dec->Field().CursorPos, 2);
    const int x = Grid.CellPadLeft + 2 * Grid.CharWidth;
    QCOMPARE(Dlg->Dec->grab().toImage().pixelColor(x, 0), QColor(Qt::black));
    QCOMPARE(Dlg->Hex->grab().toImage().pixelColor(x, 0), QColor(Qt::white));
    // Only the focused field blinks.
    QTRY_VERIFY(!Dlg->Dec->CursorOn());
    QCOMPARE(Dlg->Dec->grab().toImage().pixelColor(x, 0), QColor(Qt::white));
    QTRY_VERIFY(Dlg->Dec->CursorOn());
    QVERIFY(!Dlg->Hex->CursorOn());
  }
};

QTEST_MAIN(TestIntFields)
#include "tst_int_fields.moc"
