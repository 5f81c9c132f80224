// The range picker as the user meets it: the proposed choice on a marked and
// an unmarked byte, typing a start and a count that run past the end, OK and
// Escape with what is remembered, the caller's extra controls in the tab
// order, unique access keys and texts that fit, in both languages.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "commands/ProgramState.h"
#include "controls/CellPainter.h"
#include "controls/IntEdit.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/OptionsState.h"
#include "core/RangePick.h"
#include "core/Seams.h"
#include "dialogs/RangePickForm.h"
#include "fakes/FakeSeams.h"

namespace {

QString Digits(THexIntEdit* f) { return QString::fromStdString(f->Field().Digits); }
QString Text(const TByteRange& r) { return QString::fromStdString(RangeText(r)); }

// Runs user while the next modal dialog is open.
void WhenModal(std::function<void(QWidget*)> user) {
  QTimer::singleShot(0, [user] {
    QWidget* dialog = nullptr;
    QTRY_VERIFY((dialog = QApplication::activeModalWidget()) != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    user(dialog);
    if (dialog->isVisible()) static_cast<QDialog*>(dialog)->reject();
  });
}

QWidget* Focused() { return QApplication::focusWidget(); }

// Replaces a field's digits by typing, as the user would.
void Type(THexIntEdit* field, const char* digits) {
  field->setFocus();
  QTest::keyClick(field, Qt::Key_End);
  for (int i = 0; i < 12; ++i) QTest::keyClick(field, Qt::Key_Backspace);
  QTest::keyClicks(field, digits);
}

void Document(int32_t size) {
  Doc.DocSize = size;
  ResizeDocData(size);
  FreshDocMarks(size);
}

void CursorAt(int32_t offset) {
  Cursor.CursorCol = offset % Grid.BytesPerRow * Grid.DigitsPerByte;
  Cursor.CursorRow = offset / Grid.BytesPerRow;
}

}  // namespace

class TestRangePick : public QObject {
  Q_OBJECT

  TFakeHost Host;

 private slots:
  void init() {
    ResetProgramState();
    ComputeGeometryFromFont();
    SetSeams(&Host, nullptr);
    Document(100);
    for (int32_t i = 10; i < 20; ++i) Doc.DocMarks[i] = 3;
  }
  void cleanup() { ResetProgramState(); }

  void proposesTheMarkedRunOnlyOnAMarkedByte() {
    for (const int language : {9, 7}) {
      Options.Language = language;
      CursorAt(15);
      TRangePickForm form("Checksum");
      QVERIFY(form.MarkedRunRB->isEnabled());
      QVERIFY(form.MarkedRunRB->isChecked());
      QCOMPARE(form.RangeLabel->text(), Text({10, 10}));
      QCOMPARE(Digits(form.StartHexEdit), QString("F"));
      QCOMPARE(Digits(form.StartDecEdit), QString("15"));
      QCOMPARE(Digits(form.CountDecEdit), QString("1"));

      CursorAt(30);
      form.FormShow();
      QVERIFY(!form.MarkedRunRB->isEnabled());
      QVERIFY(form.WholeRB->isChecked());
      QCOMPARE(form.RangeLabel->text(), Text({0, 100}));
      QVERIFY(form.OKButton->isEnabled());
    }
  }

  void typingPicksFromOffsetAndTheLabelShowsTheClip() {
    CursorAt(95);
    RangePickState().Count = 20;
    TRangePickForm form("Checksum");
    QCOMPARE(Digits(form.CountDecEdit), QString("5"));  // cut at the end
    QVERIFY(form.WholeRB->isChecked());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Type(form.CountDecEdit, "50");
    QVERIFY(form.FromOffsetRB->isChecked());
    QCOMPARE(Digits(form.CountHexEdit), QString("32"));
    QCOMPARE(form.RangeLabel->text(), Text({95, 5}));
    Type(form.StartHexEdit, "5A");
    QCOMPARE(form.RangeLabel->text(), Text({90, 10}));
    QCOMPARE(form.Range(), (TByteRange{90, 10}));
    // A start at the end leaves nothing to take, and nothing to confirm.
    Type(form.StartDecEdit, "100");
    QCOMPARE(form.RangeLabel->text(), Text({}));
    QVERIFY(!form.OKButton->isEnabled());
    form.WholeRB->click();
    QCOMPARE(form.RangeLabel->text(), Text({0, 100}));
    QVERIFY(form.OKButton->isEnabled());
  }

  void enterConfirmsAndRemembersEscapeDoesNot() {
    CursorAt(15);
    TRangePickForm form("Copy bytes as");
    TByteRange range;
    WhenModal([&form](QWidget* dialog) {
      QCOMPARE(dialog, static_cast<QWidget*>(&form));
      QCOMPARE(Focused(), static_cast<QWidget*>(form.MarkedRunRB));
      Type(form.StartDecEdit, "12");
      Type(form.CountDecEdit, "40");
      QTest::keyClick(Focused(), Qt::Key_Return);
    });
    QVERIFY(form.Execute(range));
    QCOMPARE(range, (TByteRange{12, 40}));
    QCOMPARE(RangePickState().Choice, TRangeChoice::FromOffset);
    QCOMPARE(RangePickState().Count, 40);

    // Next time: From offset again, at the cursor, with the count kept.
    CursorAt(80);
    WhenModal([&form](QWidget*) {
      QVERIFY(form.FromOffsetRB->isChecked());
      QCOMPARE(Digits(form.StartDecEdit), QString("80"));
      QCOMPARE(Digits(form.CountDecEdit), QString("20"));
      form.WholeRB->click();
      QTest::keyClick(Focused(), Qt::Key_Escape);
    });
    QVERIFY(!form.Execute(range));
    QCOMPARE(range, (TByteRange{12, 40}));
    QCOMPARE(RangePickState().Choice, TRangeChoice::FromOffset);

    // Alt+W picks the whole document; Enter takes it.
    WhenModal([&form](QWidget*) {
      QTest::keyClick(Focused(), Qt::Key_W, Qt::AltModifier);
      QTRY_VERIFY(form.WholeRB->isChecked());  // an access key clicks after a moment
      QTest::keyClick(Focused(), Qt::Key_Return);
    });
    QVERIFY(form.Execute(range));
    QCOMPARE(range, (TByteRange{0, 100}));
    QCOMPARE(RangePickState().Choice, TRangeChoice::Whole);
    QCOMPARE(RangePickState().Count, 40);
  }

  void extraControlsSitBetweenTheRangeAndTheButtons() {
    TRangePickForm form("Copy bytes as");
    auto* formats = new QListWidget;
    formats->addItems({"C", "Pascal", "Base64"});
    form.SetExtraWidget(formats);
    WhenModal([&form, formats](QWidget*) {
      form.CountDecEdit->setFocus();
      QTest::keyClick(form.CountDecEdit, Qt::Key_Tab);
      QCOMPARE(Focused(), static_cast<QWidget*>(formats));
      QTest::keyClick(formats, Qt::Key_Tab);
      QCOMPARE(Focused(), static_cast<QWidget*>(form.OKButton));
      QVERIFY(formats->geometry().top() > form.RangeLabel->geometry().bottom());
      QVERIFY(formats->geometry().bottom() < form.OKButton->geometry().top());
    });
    TByteRange range;
    form.Execute(range);
  }

  void accessKeysUniqueAndTextsFitInBothLanguages() {
    // The widest range text there can be.
    Document(0);
    Doc.DocSize = INT32_MAX;
    for (const int language : {9, 7}) {
      Options.Language = language;
      TRangePickForm form("Checksum");
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      QSet<QChar> keys;
      for (QRadioButton* b : form.findChildren<QRadioButton*>()) {
        QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->text()));
        const qsizetype amp = b->text().indexOf('&');
        QVERIFY(amp >= 0);
        keys.insert(b->text().at(amp + 1).toLower());
      }
      for (QLabel* l : form.findChildren<QLabel*>()) {
        QString text = l->text();
        const qsizetype amp = text.indexOf('&');
        if (amp >= 0) {
          QVERIFY2(!keys.contains(text.at(amp + 1).toLower()), qPrintable(text));
          keys.insert(text.at(amp + 1).toLower());
          text.remove(amp, 1);
        }
        QVERIFY2(l->contentsRect().width() >= l->fontMetrics().horizontalAdvance(text), qPrintable(text));
      }
      QCOMPARE(keys.size(), 7);
      QCOMPARE(form.RangeLabel->text(), Text({0, INT32_MAX}));
    }
    Doc.DocSize = 0;
  }
};

QTEST_MAIN(TestRangePick)
#include "tst_range_pick.moc"
