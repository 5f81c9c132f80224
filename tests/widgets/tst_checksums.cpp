// The checksum window and its range picker as the user meets them: no OK
// without an algorithm, progress and Stop over a large range, the values of
// a small one, the green verdict of a pasted digest and the red one of a
// wrong digest, and Ctrl+C in the sha256sum format, in both languages;
// Return on a choice confirms the picker whatever the desktop's theme.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

#include "commands/ProgramState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/OptionsState.h"
#include "dialogs/ChecksumForm.h"
#include "dialogs/RangePickForm.h"
#include "platform/QtHost.h"
#include "platform/ReturnKey.h"
#include "widgets/WindowTest.h"

class TestChecksums : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    ResetProgramState();
    Options.Language = 9;
  }

  void thePickerWantsAnAlgorithmAndReturnsTheTickedOnes() {
    Doc.DocSize = 100;
    ResizeDocData(Doc.DocSize);
    FreshDocMarks(Doc.DocSize);
    TQtHost host(nullptr);
    bool checked = false;
    WhenModal([&](QWidget* dialog) {
      auto* form = static_cast<TRangePickForm*>(dialog);
      auto* box = form->findChild<TDigestKindsBox*>();
      QVERIFY(box && form->OKButton->isEnabled());
      box->Box(TDigestKind::Sha256)->setChecked(false);
      box->Box(TDigestKind::Crc32)->setChecked(false);
      QVERIFY(!form->OKButton->isEnabled());
      box->Box(TDigestKind::Blake2b512)->setChecked(true);
      QVERIFY(form->OKButton->isEnabled());
      checked = true;
      form->OKButton->click();
    });
    int32_t start = -1, count = -1;
    uint32_t kinds = DefaultDigestKinds;
    QCOMPARE(host.ShowChecksumRangeDialog(start, count, kinds), int(mrOk));
    QVERIFY(checked);
    QCOMPARE(kinds, DigestBit(TDigestKind::Blake2b512));
    QCOMPARE(start, 0);
    QCOMPARE(count, 100);
  }

  void returnOnAChoiceReachesTheDialogNotTheChoice() {
    InstallReturnKeyFilter(qApp);
    Doc.DocSize = 10;
    ResizeDocData(Doc.DocSize);
    FreshDocMarks(Doc.DocSize);
    // GNOME's theme lets a focused choice take Return; a filter on the
    // choice itself sees what would reach it.
    struct TCounter : QObject {
      int Returns = 0;
      bool eventFilter(QObject*, QEvent* e) override {
        Returns += e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Return;
        return false;
      }
    } counter;
    for (int k = 0; k < 2; ++k) {
      TRangePickForm form("Checksums");
      auto* box = new TDigestKindsBox(DefaultDigestKinds);
      form.SetExtraWidget(box);
      QWidget* choice = k == 0 ? static_cast<QWidget*>(form.WholeRB) : box->Box(TDigestKind::Md5);
      choice->installEventFilter(&counter);
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      choice->setFocus();
      QTest::keyClick(choice, Qt::Key_Return);
      QCOMPARE(form.result(), int(QDialog::Accepted));
      QVERIFY(!box->Box(TDigestKind::Md5)->isChecked());
    }
    QCOMPARE(counter.Returns, 0);
  }

  void aLargeRangeShowsProgressAndStops() {
    std::vector<uint8_t> data(size_t(ChecksumProgressFrom) + 1, 0x5A);
    TChecksumForm form;
    form.Start({data.data(), 0, int32_t(data.size()), AllDigestKinds, "big.bin"});
    QVERIFY(!form.Progress->isHidden() && !form.StopButton->isHidden());
    QTRY_VERIFY(form.Progress->value() > 0);
    form.StopButton->click();
    QVERIFY(!form.Running());
    QVERIFY(form.StoppedByUser());
    QVERIFY(form.Results().empty());
  }

  void valuesVerdictsAndCopyInBothLanguages() {
    const std::string abc = "abc";
    const auto* p = reinterpret_cast<const uint8_t*>(abc.data());
    const QString sha256 = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    for (int language : {9, 7}) {
      Options.Language = language;
      const bool german = language == 7;
      TChecksumForm form;
      form.Start({p, 16, 3, DefaultDigestKinds | DigestBit(TDigestKind::Md5), "abc.txt"});
      QVERIFY(form.Progress->isHidden() && form.StopButton->isHidden());
      QTRY_VERIFY(!form.Running());
      QCOMPARE(form.windowTitle(), german ? QString("Prüfsummen") : QString("Checksums"));
      QCOMPARE(form.ResultList->topLevelItemCount(), 3);
      QCOMPARE(form.ResultList->topLevelItem(2)->text(0), QString("SHA-256"));
      QCOMPARE(form.ResultList->topLevelItem(2)->text(1), sha256);
      QVERIFY(form.RangeLabel->text().startsWith("$10"));

      form.CompareEdit->setText("  " + sha256.toUpper() + "  abc.txt\n");
      QVERIFY(!form.VerdictLabel->isHidden());
      QCOMPARE(form.VerdictLabel->text(),
               german ? QString("Stimmt mit SHA-256 überein") : QString("Matches SHA-256"));
      QCOMPARE(form.ResultList->topLevelItem(2)->background(1).color(), QColor(0xC8, 0xF0, 0xC8));
      QCOMPARE(form.ResultList->topLevelItem(0)->background(1).style(), Qt::NoBrush);
      form.CompareEdit->setText("352441c3");
      QCOMPARE(form.VerdictLabel->text(), german ? QString("Keine Übereinstimmung") : QString("No match"));
      QCOMPARE(form.ResultList->topLevelItem(2)->background(1).style(), Qt::NoBrush);
      form.CompareEdit->clear();
      QVERIFY(form.VerdictLabel->isHidden());

      // Ctrl+C in the list: the selected line, else every line.
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      form.ResultList->setFocus();
      QTest::keyClick(form.ResultList, Qt::Key_C, Qt::ControlModifier);
      QCOMPARE(QGuiApplication::clipboard()->text().count('\n'), 3);
      form.ResultList->topLevelItem(2)->setSelected(true);
      QTest::keyClick(form.ResultList, Qt::Key_C, Qt::ControlModifier);
      QCOMPARE(QGuiApplication::clipboard()->text(), sha256 + "  abc.txt\n");
      form.close();
    }
  }
};

QTEST_MAIN(TestChecksums)
#include "tst_checksums.moc"
