// The range picker as the user meets it: the proposed choice on a marked and
// an unmarked byte, typing a start and a count that run past the end, Enter,
// Escape and an access key with what is remembered, the caller's controls in
// the tab order, unique access keys and texts that fit, in both languages.
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
#include "widgets/WindowTest.h"

namespace {

QString Digits(THexIntEdit* f) { return QString::fromStdString(f->Field().Digits); }
QString Text(const TByteRange& r) { return QString::fromStdString(RangeText(r)); }

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

  void typingPicksFromOffsetAndTheLabelShowsTheClip() {
    CursorAt(95);
    RangePickState().Count = 20;
    TRangePickForm form("Checksum");
    QCOMPARE(Digits(form.CountDecEdit), QString("5"));  // cut at the end
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Type(form.CountDecEdit, "50");
    QVERIFY(form.FromOffsetRB->isChecked());
    QCOMPARE(Digits(form.CountHexEdit), QString("32"));
    QCOMPARE(form.RangeLabel->text(), Text({95, 5}));
    Type(form.StartHexEdit, "5A");
    QCOMPARE(form.RangeLabel->text(), Text({90, 10}));
    // A start at the end leaves nothing to take, and nothing to confirm.
    Type(form.StartDecEdit, "100");
    QCOMPARE(form.RangeLabel->text(), Text({}));
    QVERIFY(!form.OKButton->isEnabled());
    form.WholeRB->click();
    QVERIFY(form.OKButton->isEnabled());
  }

  void enterConfirmsAndRemembersEscapeDoesNot() {
    CursorAt(15);
    TRangePickForm form("Copy bytes as");
    auto* formats = new QListWidget;
    formats->addItems({"C", "Base64"});
    form.SetExtraWidget(formats);
    TByteRange range;
    WhenModal([&form, formats](QWidget*) {
      QCOMPARE(Focused(), static_cast<QWidget*>(form.MarkedRunRB));
      Type(form.StartDecEdit, "12");
      Type(form.CountDecEdit, "40");
      // The caller's controls come between the count and OK, below the range.
      QTest::keyClick(form.CountDecEdit, Qt::Key_Tab);
      QCOMPARE(Focused(), static_cast<QWidget*>(formats));
      QTest::keyClick(formats, Qt::Key_Tab);
      QCOMPARE(Focused(), static_cast<QWidget*>(form.OKButton));
      QVERIFY(formats->y() > form.RangeLabel->geometry().bottom());
      QVERIFY(formats->geometry().bottom() < form.OKButton->y());
      QTest::keyClick(Focused(), Qt::Key_Return);
    });
    QVERIFY(form.Execute(range));
    QCOMPARE(range, (TByteRange{12, 40}));
    QCOMPARE(RangePickState().Choice, TRangeChoice::FromOffset);
    QCOMPARE(RangePickState().Count, 40);

    // Next time From offset again, at the cursor, with the count kept; an
    // access key picks the whole document, Escape forgets it.
    CursorAt(80);
    WhenModal([&form](QWidget*) {
      QVERIFY(form.FromOffsetRB->isChecked());
      QCOMPARE(Digits(form.StartDecEdit), QString("80"));
      QCOMPARE(Digits(form.CountDecEdit), QString("20"));
      QTest::keyClick(Focused(), Qt::Key_W, Qt::AltModifier);
      QTRY_VERIFY(form.WholeRB->isChecked());  // an access key clicks after a moment
      QCOMPARE(form.Range(), (TByteRange{0, 100}));
      QTest::keyClick(Focused(), Qt::Key_Escape);
    });
    QVERIFY(!form.Execute(range));
    QCOMPARE(range, (TByteRange{12, 40}));
    QCOMPARE(RangePickState().Choice, TRangeChoice::FromOffset);
  }

  void proposalAccessKeysAndFitInBothLanguages() {
    for (const int language : {9, 7}) {
      Options.Language = language;
      Doc.DocSize = 100;
      CursorAt(15);
      TRangePickForm form("Checksum");
      QVERIFY(form.MarkedRunRB->isEnabled() && form.MarkedRunRB->isChecked());
      QCOMPARE(form.RangeLabel->text(), Text({10, 10}));
      QCOMPARE(Digits(form.StartHexEdit), QString("F"));
      QCOMPARE(Digits(form.StartDecEdit), QString("15"));
      CursorAt(30);
      Doc.DocSize = INT32_MAX;  // the widest range text there can be
      form.FormShow();
      QVERIFY(!form.MarkedRunRB->isEnabled() && form.WholeRB->isChecked());
      QCOMPARE(form.RangeLabel->text(), Text({0, INT32_MAX}));
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      QSet<QChar> keys;
      const auto key = [&keys](const QString& text) { keys.insert(text.at(text.indexOf('&') + 1).toLower()); };
      for (QRadioButton* b : form.findChildren<QRadioButton*>()) {
        QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->text()));
        key(b->text());
      }
      for (QLabel* l : form.findChildren<QLabel*>()) {
        QString text = l->text();
        if (text.contains('&')) key(text);
        text.remove('&');
        QVERIFY2(l->contentsRect().width() >= l->fontMetrics().horizontalAdvance(text), qPrintable(text));
      }
      QCOMPARE(keys.size(), 7);  // three choices and four fields, none twice
    }
    Doc.DocSize = 100;
  }
};

QTEST_MAIN(TestRangePick)
#include "tst_range_pick.moc"
