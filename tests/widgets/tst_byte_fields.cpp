// The three linked byte-sequence views in a real dialog: typing with the
// keyboard, clicking, the focus chain, the blink, and the pixels of the
// cursor and its grey echo.
#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

#include "commands/ProgramState.h"
#include "controls/CellPainter.h"
#include "controls/DataEdit.h"
#include "core/EnvState.h"
#include "core/GridState.h"
#include "core/Rgb.h"
#include "core/Seams.h"
#include "fakes/FakeSeams.h"

namespace {

// A dialog as the Find dialog builds one pattern row: each view in its
// bordered panel, then OK (the default button) and Cancel.
class PatternDialog : public QDialog {
 public:
  TBytesData Data;
  THexDataEdit* Hex;
  TDecDataEdit* Dec;
  TCharDataEdit* Chr;
  QPushButton* Ok;
  int Changes = 0;

  explicit PatternDialog(int viewWidth) {
    auto* layout = new QVBoxLayout(this);
    Hex = new THexDataEdit;
    Dec = new TDecDataEdit;
    Chr = new TCharDataEdit;
    for (QWidget* view : {static_cast<QWidget*>(Hex), static_cast<QWidget*>(Dec), static_cast<QWidget*>(Chr)}) {
      auto* panel = new QFrame;
      panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      auto* inner = new QVBoxLayout(panel);
      inner->setContentsMargins(0, 0, 0, 0);
      view->setFixedSize(viewWidth, Grid.RowHeight - 1);
      inner->addWidget(view);
      layout->addWidget(panel);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    Ok = buttons->button(QDialogButtonBox::Ok);
    Ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    LinkBytesViews(Data, *Hex, *Dec, *Chr);
    Data.OnChange = [this](TBytesData&) { ++Changes; };
  }
};

// What a view should look like: one cell, white to the right.
QImage Expected(QWidget* view, const TCellSpec& cell) {
  QImage image(view->size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  DrawCellText(painter, cell);
  painter.end();
  return image;
}

QColor At(QWidget* w, int x, int y) { return w->grab().toImage().pixelColor(x, y); }

const QColor Grey(128, 128, 128);

}  // namespace

class TestByteFields : public QObject {
  Q_OBJECT

  std::unique_ptr<PatternDialog> Dlg;
  TFakeHost Host;

  void Open() {
    Dlg = std::make_unique<PatternDialog>(300);
    Dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(Dlg.get()));
    Dlg->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Dlg.get()));
  }
  int HexCell() const { return 3 * Grid.CharWidth; }
  int DecCell() const { return 4 * Grid.CharWidth; }

 private slots:
  void init() {
    ResetProgramState();
    ComputeGeometryFromFont();
    SetSeams(&Host, nullptr);
    Host.Beeps = 0;
  }
  void cleanup() {
    Dlg.reset();
    SetSeams(nullptr, nullptr);
  }

  void typingInTheHexViewShowsInTheOthers() {
    Open();
    Dlg->Hex->setFocus();
    QTest::keyClicks(Dlg->Hex, "41");
    QCOMPARE(Dlg->Data.Buf(), std::vector<uint8_t>{0x41});
    QVERIFY(Dlg->Changes > 0);
    // The views' pixels are those of the cells "065" and "A" in the grid's
    // cell routine (the cursor stands on the end cell: no echo).
    QCOMPARE(Dlg->Dec->grab().toImage(), Expected(Dlg->Dec, MakeCell(0, 0, u"065", clBlack, clWhite, Env.ButtonFace)));
    QCOMPARE(
        Dlg->Chr->grab().toImage(),
        Expected(Dlg->Chr, MakeCell(-Grid.CharWidth, 0, u" A" + std::u16string(60, u' '), clBlack, clWhite, clWhite)));
    QCOMPARE(Host.Beeps, 0);
    QTest::keyClicks(Dlg->Hex, "x");
    QCOMPARE(Host.Beeps, 1);
  }

  void typingInTheOtherViews() {
    Open();
    Dlg->Dec->setFocus();
    QTest::keyClicks(Dlg->Dec, "0072");
    QTest::keyClick(Dlg->Dec, Qt::Key_Backspace);  // removes the 7, stays on 200
    QCOMPARE(Dlg->Data.Buf(), std::vector<uint8_t>{200});
    Dlg->Chr->setFocus();
    QTest::keyClick(Dlg->Chr, Qt::Key_End);
    // A character beyond Latin-1, as a keyboard layout delivers it.
    QTest::sendKeyEvent(QTest::Press, Dlg->Chr, Qt::Key_unknown, QString(QChar(0x20AC)), Qt::NoModifier);
    QTest::keyClick(Dlg->Chr, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Dlg->Chr, Qt::Key_Home);
    QTest::keyClick(Dlg->Chr, Qt::Key_Insert);
    QCOMPARE(Dlg->Data.Buf(), (std::vector<uint8_t>{0, 200, 0x80, 1}));
  }

  void dialogKeysAndArrows() {
    Open();
    Dlg->Hex->setFocus();
    QTest::keyClick(Dlg->Hex, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Dlg->Dec);
    QTest::keyClick(Dlg->Dec, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), Dlg->Chr);
    QTest::keyClick(Dlg->Chr, Qt::Key_Up);
    QTest::keyClick(Dlg->Dec, Qt::Key_Up);
    QTest::keyClick(Dlg->Hex, Qt::Key_Up);  // nothing above
    QCOMPARE(QApplication::focusWidget(), Dlg->Hex);
    QTest::keyClick(Dlg->Hex, Qt::Key_Return);
    QCOMPARE(Dlg->result(), int(QDialog::Accepted));
    QVERIFY(!Dlg->isVisible());
    QCOMPARE(Dlg->Data.Len(), 0);

    Open();
    Dlg->Chr->setFocus();
    QTest::keyClick(Dlg->Chr, Qt::Key_Escape);
    QCOMPARE(Dlg->result(), int(QDialog::Rejected));
    QVERIFY(!Dlg->isVisible());
    QCOMPARE(Dlg->Data.Len(), 0);
    QCOMPARE(Host.Beeps, 0);
  }

  void focusAndClicksPlaceTheCursor() {
    Open();
    Dlg->Data.SetBuf({1, 2, 3});
    Dlg->Data.CursorPos = 5;  // units of the second byte
    QTest::mouseClick(Dlg->Chr, Qt::LeftButton, {}, QPoint(Grid.CellPadLeft + 2 * Grid.CharWidth + 1, 3));
    QCOMPARE(QApplication::focusWidget(), Dlg->Chr);
    QCOMPARE(Dlg->Data.CursorPos, 6);
    QTest::mouseClick(Dlg->Hex, Qt::LeftButton, {}, QPoint(HexCell() + HexCell() / 2 + 1, 3));
    QCOMPARE(Dlg->Data.CursorPos, 4);
    Dlg->Dec->setFocus();  // back to the byte's first digit
    QCOMPARE(Dlg->Data.CursorPos, 3);
    QTest::mouseClick(Dlg->Dec, Qt::LeftButton, {}, QPoint(Grid.CellPadLeft + 2 * Grid.CharWidth + 1, 3));
    QCOMPARE(Dlg->Data.CursorPos, 2);
  }

  void cursorInTheFocusedViewGreyEchoInTheOthers() {
    Open();
    Dlg->Hex->setFocus();
    QTest::keyClicks(Dlg->Hex, "414243");
    QTest::keyClick(Dlg->Hex, Qt::Key_Left);  // the low digit of 43
    QCOMPARE(Dlg->Data.CursorPos, 7);
    Dlg->Hex->DoUpdate();  // blink phase on
    const int digit = 2 * HexCell() + Grid.CellPadLeft + Grid.CharWidth;
    QCOMPARE(At(Dlg->Hex, digit, 0), QColor(Qt::black));
    QCOMPARE(At(Dlg->Hex, digit - Grid.CharWidth, 0), QColor(Qt::white));
    QCOMPARE(At(Dlg->Dec, 2 * DecCell() + 1, 0), Grey);
    QCOMPARE(At(Dlg->Dec, DecCell() + 1, 0), QColor(Qt::white));
    QCOMPARE(At(Dlg->Chr, Grid.CellPadLeft + 2 * Grid.CharWidth, 0), Grey);

    if (qEnvironmentVariableIsSet("BQ_GRAB")) {
      const QString path = qEnvironmentVariable("BQ_GRAB");
      QVERIFY(Dlg->grab().save(path));
    }

    // With the focus on a button no view shows a cursor.
    Dlg->Ok->setFocus();
    QCOMPARE(At(Dlg->Hex, digit, 0), QColor(Qt::white));
    QCOMPARE(At(Dlg->Dec, 2 * DecCell() + 1, 0), QColor(Qt::white));
    QCOMPARE(At(Dlg->Chr, Grid.CellPadLeft + 2 * Grid.CharWidth, 0), QColor(Qt::white));
  }

  void onlyTheFocusedViewBlinks() {
    Open();
    Dlg->Data.SetBuf({9});
    Dlg->Dec->setFocus();
    QVERIFY(Dlg->Dec->CursorOn());
    QTRY_VERIFY(!Dlg->Dec->CursorOn());
    QTRY_VERIFY(Dlg->Dec->CursorOn());
    QVERIFY(!Dlg->Hex->CursorOn());
    QVERIFY(!Dlg->Chr->CursorOn());
    // A key shows the cursor at once.
    QTRY_VERIFY(!Dlg->Dec->CursorOn());
    QTest::keyClick(Dlg->Dec, Qt::Key_Right);
    QVERIFY(Dlg->Dec->CursorOn());
  }

  // A dialog's model is its member and dies before the child views; views
  // deleted early must not be left behind in a living model either.
  void modelAndViewsOutliveEachOther() {
    Open();
    auto* data = new TBytesData;
    LinkBytesViews(*data, *Dlg->Hex, *Dlg->Dec, *Dlg->Chr);
    Dlg->Hex->setFocus();
    delete data;
    QVERIFY(!Dlg->Hex->BytesData() && !Dlg->Chr->BytesData());
    QTest::keyClicks(Dlg->Hex, "4");
    Dlg->Dec->setFocus();
    QCOMPARE(At(Dlg->Dec, 1, 0), QColor(Qt::white));

    TBytesData model;
    {
      THexDataEdit hex;
      TDecDataEdit dec;
      TCharDataEdit chr;
      LinkBytesViews(model, hex, dec, chr);
    }
    QVERIFY(!model.HexDataEdit && !model.DecDataEdit && !model.CharDataEdit);
    model.Clear();
  }
};

QTEST_MAIN(TestByteFields)
#include "tst_byte_fields.moc"
