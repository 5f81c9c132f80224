// The Goto / Delete bytes dialog and the Insert / Append bytes dialog as the
// user meets them: captions in both languages and modes, focus and arrow
// links, the clear buttons, when OK is enabled, Enter and Escape; and the
// whole road from the window's keys through the dialogs to the document.
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <functional>

#include "actions/Actions.h"
#include "commands/FileCommands.h"
#include "commands/ProgramState.h"
#include "controls/CellPainter.h"
#include "controls/DataEdit.h"
#include "controls/IntEdit.h"
#include "core/ByteRangeDialogs.h"
#include "core/Cursor.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "core/Seams.h"
#include "dialogs/GotoForm.h"
#include "dialogs/InsertBytesForm.h"
#include "fakes/FakeSeams.h"
#include "widgets/WindowTest.h"
#include "mainform/MainForm.h"
#include "platform/QtHost.h"

namespace {

QString Digits(THexIntEdit* f) { return QString::fromStdString(f->Field().Digits); }


QWidget* Focused() { return QApplication::focusWidget(); }

// The window's shortcuts work only while it is the active window again.
bool Reactivate(QWidget* window) {
  window->activateWindow();
  return QTest::qWaitForWindowActive(window);
}

}  // namespace

class TestByteRangeForms : public QObject {
  Q_OBJECT

  TFakeHost Host;

 private slots:
  void init() {
    ResetProgramState();
    ComputeGeometryFromFont();
    SetSeams(&Host, nullptr);
    Host.Beeps = 0;
  }
  void cleanup() { ResetProgramState(); }

  void gotoCaptionsInBothLanguagesAndModes() {
    TGotoForm form;
    struct TCase {
      int language;
      bool isGoto;
      const char *title, *main, *dec, *cancel;
    };
    const TCase cases[] = {{9, true, "Goto", "&Position:", "&Dec:", "Cancel"},
                           {9, false, "Delete bytes", "&Count:", "&Dec:", "Cancel"},
                           {7, true, "Gehe zu", "&Position:", "&Dez:", "Abbrechen"},
                           {7, false, "Bytes löschen", "&Anzahl:", "&Dez:", "Abbrechen"}};
    for (const TCase& c : cases) {
      Options.Language = c.language;
      GotoDialog().IsGoto = c.isGoto;
      form.FormShow();
      QCOMPARE(form.windowTitle(), QString::fromUtf8(c.title));
      QCOMPARE(form.MainLabel->text(), QString::fromUtf8(c.main));
      QCOMPARE(form.HexLabel->text(), QString("&Hex:"));
      QCOMPARE(form.DecLabel->text(), QString::fromUtf8(c.dec));
      QCOMPARE(form.OKButton->text(), QString("OK"));
      QCOMPARE(form.CancelButton->text(), QString::fromUtf8(c.cancel));
    }
    QVERIFY(form.OKButton->isDefault());
    QCOMPARE(form.ClearHexSB->size(), QSize(28, 22));
    QCOMPARE(form.HexLabel->buddy(), static_cast<QWidget*>(form.HexEdit));
    QCOMPARE(form.DecLabel->buddy(), static_cast<QWidget*>(form.DecEdit));
    // The clear button sits beside its panel, centred on it.
    QWidget* panel = form.HexEdit->parentWidget();
    form.adjustSize();
    QCOMPARE(form.ClearHexSB->geometry().center().y(), panel->geometry().center().y());
    QVERIFY(form.ClearHexSB->x() >= panel->geometry().right() + Grid.CharWidth);
  }

  void insertCaptionsInBothLanguagesAndModes() {
    TInsertBytesForm form;
    struct TCase {
      int language;
      bool append;
      const char *title, *count, *dec, *fill, *decF, *cancel;
    };
    const TCase cases[] = {{9, false, "Insert bytes", "Count", "&Dec:", "Fill with", "De&c:", "Cancel"},
                           {9, true, "Append bytes", "Count", "&Dec:", "Fill with", "De&c:", "Cancel"},
                           {7, false, "Bytes einfügen", "Anzahl", "&Dez:", "Füllen mit", "De&z:", "Abbrechen"},
                           {7, true, "Bytes anfügen", "Anzahl", "&Dez:", "Füllen mit", "De&z:", "Abbrechen"}};
    for (const TCase& c : cases) {
      Options.Language = c.language;
      InsertBytesDialog().IsAppend = c.append;
      form.FormShow();
      QCOMPARE(form.windowTitle(), QString::fromUtf8(c.title));
      QCOMPARE(form.CountLabel->text(), QString::fromUtf8(c.count));
      QCOMPARE(form.HexLabel->text(), QString("&Hex:"));
      QCOMPARE(form.DecLabel->text(), QString::fromUtf8(c.dec));
      QCOMPARE(form.FillWithLabel->text(), QString::fromUtf8(c.fill));
      QCOMPARE(form.HexFLabel->text(), QString("He&x:"));
      QCOMPARE(form.DecFLabel->text(), QString::fromUtf8(c.decF));
      QCOMPARE(form.CharFLabel->text(), QString("Cha&r:"));
      QCOMPARE(form.CancelButton->text(), QString::fromUtf8(c.cancel));
    }
    QCOMPARE(form.CharFLabel->buddy(), static_cast<QWidget*>(form.CharFillEdit));
    // Each fill view fills its panel.
    QCOMPARE(form.HexFillEdit->width(), form.CharFillEdit->width());
    QCOMPARE(form.HexFillEdit->width(), form.DecFillEdit->width());
  }

  void gotoTypingClearEnterAndEscape() {
    TGotoForm form;
    GotoDialog().PosData.SetValue(0x63, this);
    WhenModal([&form](QWidget* dialog) {
      QCOMPARE(dialog, static_cast<QWidget*>(&form));
      QCOMPARE(Focused(), static_cast<QWidget*>(form.HexEdit));
      QCOMPARE(Digits(form.DecEdit), QString("99"));
      QTest::keyClick(form.HexEdit, Qt::Key_Down);
      QCOMPARE(Focused(), static_cast<QWidget*>(form.DecEdit));
      QTest::mouseClick(form.ClearDecSB, Qt::LeftButton);
      QCOMPARE(Digits(form.HexEdit), QString("0"));
      QCOMPARE(Focused(), static_cast<QWidget*>(form.DecEdit));
      QTest::keyClicks(form.DecEdit, "100");
      QCOMPARE(Digits(form.HexEdit), QString("64"));
      QTest::keyClick(form.DecEdit, Qt::Key_Up);
      QCOMPARE(Focused(), static_cast<QWidget*>(form.HexEdit));
      QTest::keyClick(form.HexEdit, Qt::Key_Return);
    });
    QCOMPARE(form.Execute(), int(mrOk));
    QCOMPARE(GotoDialog().PosData.Value(), 100);

    // The largest value fits in both fields; Escape cancels.
    WhenModal([&form](QWidget*) {
      QTest::mouseClick(form.ClearHexSB, Qt::LeftButton);
      QTest::keyClicks(form.HexEdit, "7fffffff");
      QCOMPARE(Digits(form.DecEdit), QString("2147483647"));
      QTest::keyClick(form.HexEdit, Qt::Key_Escape);
    });
    QCOMPARE(form.Execute(), int(mrCancel));
    QCOMPARE(Host.Beeps, 0);
  }

  void insertOkFollowsCountAndPattern() {
    TInsertBytesForm form;
    WhenModal([&form](QWidget*) {
      QCOMPARE(Focused(), static_cast<QWidget*>(form.HexCountEdit));
      QVERIFY(!form.OKButton->isEnabled());  // count 0
      QTest::keyClicks(form.HexCountEdit, "5");
      QVERIFY(form.OKButton->isEnabled());  // with the one zero byte
      // Clearing the pattern disables OK; one character in any view
      // enables it again.
      const std::pair<QToolButton*, THexDataEdit*> rows[] = {{form.ClearHexFSB, form.HexFillEdit},
                                                             {form.ClearDecFSB, form.DecFillEdit},
                                                             {form.ClearCharFSB, form.CharFillEdit}};
      for (const auto& [clear, view] : rows) {
        QTest::mouseClick(clear, Qt::LeftButton);
        QCOMPARE(InsertBytesDialog().FillData.Len(), 0);
        QVERIFY(!form.OKButton->isEnabled());
        QCOMPARE(Focused(), static_cast<QWidget*>(view));
        QTest::keyClicks(view, "1");  // a hex digit, the hundreds of a decimal, a character
        QVERIFY(form.OKButton->isEnabled());
      }
      QCOMPARE(InsertBytesDialog().FillData.Buf(), std::vector<uint8_t>{'1'});
      QTest::mouseClick(form.ClearDecSB, Qt::LeftButton);
      QVERIFY(!form.OKButton->isEnabled());
      QCOMPARE(Focused(), static_cast<QWidget*>(form.DecCountEdit));
      // The two groups are not linked by the arrows.
      QTest::keyClick(form.DecCountEdit, Qt::Key_Down);
      QCOMPARE(Focused(), static_cast<QWidget*>(form.DecCountEdit));
      QTest::keyClicks(form.DecCountEdit, "3");
      QVERIFY(form.OKButton->isEnabled());
      QTest::keyClick(form.DecCountEdit, Qt::Key_Enter);
    });
    QCOMPARE(form.Execute(), int(mrOk));
    QCOMPARE(InsertBytesDialog().CountData.Value(), 3);

    // The dialog opens as it was left; Tab walks the fields, then the buttons.
    WhenModal([&form](QWidget*) {
      QVERIFY(form.OKButton->isEnabled());
      QCOMPARE(Digits(form.DecCountEdit), QString("3"));
      QWidget* const order[] = {form.DecCountEdit, form.HexFillEdit, form.DecFillEdit,
                                form.CharFillEdit, form.OKButton,    form.CancelButton};
      for (QWidget* next : order) {
        QTest::keyClick(Focused(), Qt::Key_Tab);
        QCOMPARE(Focused(), next);
      }
      QTest::keyClick(form.CancelButton, Qt::Key_Escape);
    });
    QCOMPARE(form.Execute(), int(mrCancel));
  }

  // On a 100-byte file: Ctrl+T, decimal 100, Enter puts the cursor on 99
  // and "ff" changes the last byte; Insert bytes with count 5 and pattern
  // 41 42 inserts 41 42 41 42 41 before the cursor byte, and one Ctrl+Z
  // takes it back; Delete bytes by count; Append bytes.
  void theWindowsKeysThroughTheDialogs() {
    const std::string file = (std::filesystem::temp_directory_path() / "bq-byte-range-test.bin").string();
    {
      std::ofstream out(file, std::ios::binary);
      for (int i = 0; i < 100; ++i) out.put(char(i));
    }
    ActionList().Forget();
    auto* form = new TQorinEditorMainForm(0, nullptr);
    {
      TQtHost host(form);
      SetSeams(&host, form);
      form->SetLanguageCaptions();
      form->show();
      QVERIFY(QTest::qWaitForWindowExposed(form));
      form->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(form));
      LoadFile(file);
      QCOMPARE(Doc.DocSize, 100);
      QCOMPARE(form->Item("GotoMainMenuItem")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));

      WhenModal([](QWidget* dialog) {
        auto* dec = dialog->findChild<TDecIntEdit*>("DecEdit");
        QVERIFY(dec);
        QCOMPARE(dialog->windowTitle(), QString("Goto"));
        dec->setFocus();
        QTest::keyClick(dec, Qt::Key_End);
        QTest::keyClicks(dec, "100");
        QTest::keyClick(dec, Qt::Key_Return);
      });
      QTest::keyClick(form, Qt::Key_T, Qt::ControlModifier);
      QCOMPARE(CursorOffset(), 99);
      QCOMPARE(GotoDialog().LastGotoPos, 100);
      QTest::keyClicks(form, "ff");
      QCOMPARE(int(Doc.DocData[99]), 0xFF);

      GotoOffset(10, false, false);
      QVERIFY(Reactivate(form));
      WhenModal([](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QString("Insert bytes"));
        auto* count = dialog->findChild<TDecIntEdit*>("DecCountEdit");
        auto* hex = dialog->findChild<THexDataEdit*>("HexFillEdit");
        count->setFocus();
        QTest::keyClicks(count, "5");
        dialog->findChild<QToolButton*>("ClearHexFSB")->click();
        QTest::keyClicks(hex, "4142");
        QTest::keyClick(hex, Qt::Key_Return);
      });
      QTest::keyClick(form, Qt::Key_Insert, Qt::ShiftModifier);
      QCOMPARE(Doc.DocSize, 105);
      const std::vector<uint8_t> run(Doc.DocData + 10, Doc.DocData + 16);
      QCOMPARE(run, (std::vector<uint8_t>{0x41, 0x42, 0x41, 0x42, 0x41, 10}));
      QVERIFY(Reactivate(form));
      QTest::keyClick(form, Qt::Key_Z, Qt::ControlModifier);
      QCOMPARE(Doc.DocSize, 100);
      QCOMPARE(int(Doc.DocData[10]), 10);

      QVERIFY(Reactivate(form));
      WhenModal([](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QString("Append bytes"));
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);  // count 5 and 41 42 again
      });
      QTest::keyClick(form, Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
      QCOMPARE(Doc.DocSize, 105);
      QCOMPARE(int(Doc.DocData[104]), 0x41);

      GotoOffset(0, false, false);
      QVERIFY(Reactivate(form));
      WhenModal([](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QString("Delete bytes"));
        auto* dec = dialog->findChild<TDecIntEdit*>("DecEdit");
        dialog->findChild<QToolButton*>("ClearDecSB")->click();
        QTest::keyClicks(dec, "20");
        QTest::keyClick(dec, Qt::Key_Return);
      });
      QTest::keyClick(form, Qt::Key_Delete, Qt::ShiftModifier);
      QCOMPARE(Doc.DocSize, 85);
      QCOMPARE(int(Doc.DocData[0]), 20);
      QCOMPARE(GotoDialog().LastDeleteCount, 20);
      QCOMPARE(form->Item("EditUndoMainMenuItem")->text().section(QLatin1Char('\t'), 0, 0),
               QString("&Undo (Delete bytes)"));
      SetSeams(&Host, nullptr);
    }
    delete form;
    ActionList().Forget();
    std::filesystem::remove(file);
  }
};

QTEST_MAIN(TestByteRangeForms)
#include "tst_byte_range_forms.moc"
