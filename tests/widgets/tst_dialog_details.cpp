// Small things of the dialogs that are easy to lose: the Insert bytes
// fields on one edge, Info/Statistic opening at its top, names for the
// colour choices that show no text, and the about box's icon and button.
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

#include "commands/ProgramState.h"
#include "controls/CellPainter.h"
#include "core/FindState.h"
#include "core/OptionsState.h"
#include "dialogs/AboutForm.h"
#include "dialogs/FindForm.h"
#include "dialogs/InfoStatisticForm.h"
#include "dialogs/InsertBytesForm.h"
#include "mainform/ToolbarGlyphs.h"

class TestDialogDetails : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    ResetProgramState();
    ComputeGeometryFromFont();
  }
  void cleanup() { ResetProgramState(); }

  void insertBytesFieldsStartAtOneEdge() {
    for (int language : {9, 7}) {
      Options.Language = language;
      TInsertBytesForm form;
      form.FormShow();
      form.layout()->activate();
      QSet<int> lefts;
      for (const char* name : {"HexPanel", "DecPanel", "HexFPanel", "DecFPanel", "CharFPanel"})
        lefts << form.findChild<QFrame*>(name)->mapTo(&form, QPoint(0, 0)).x();
      QCOMPARE(lefts.size(), 1);
    }
  }

  void infoStatisticOpensAtItsTop() {
    TInfoStatisticForm form;
    QStringList lines;
    for (int i = 0; i < 500; ++i) lines << QString(" line %1").arg(i) + QString(300, 'x');
    std::vector<std::string> report;
    for (const QString& l : lines) report.push_back(l.toStdString());
    form.SetLines(report);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.ListBox->scrollToBottom();
    form.ListBox->horizontalScrollBar()->setValue(form.ListBox->horizontalScrollBar()->maximum());
    QVERIFY(form.ListBox->verticalScrollBar()->value() > 0);
    form.accept();
    form.Clear();
    form.SetLines(report);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_COMPARE(form.ListBox->verticalScrollBar()->value(), 0);
    QCOMPARE(form.ListBox->horizontalScrollBar()->value(), 0);
  }

  void colourChoicesAreNamedInBothLanguages() {
    const char* const names[6][2] = {{"Red", "Rot"},   {"Green", "Grün"},      {"Blue", "Blau"},
                                     {"Cyan", "Cyan"}, {"Magenta", "Magenta"}, {"Yellow", "Gelb"}};
    TFindForm form(FindState());
    for (int german : {0, 1}) {
      Options.Language = german ? 7 : 9;
      FindState().SetMode(TFindMode::FindAndMark);
      form.show();
      for (int i = 0; i < 6; ++i) {
        QCOMPARE(form.ColourRadioButtons[i]->accessibleName(), QString::fromUtf8(names[i][german]));
        QCOMPARE(form.ColourShapes[i]->accessibleName(), QString::fromUtf8(names[i][german]));
      }
      form.hide();
    }
  }

  void aboutBoxShowsTheIconAndAPlainOK() {
    QApplication::setWindowIcon(ProgramIcon());
    TAboutForm form;
    const QLabel* icon = form.findChild<QLabel*>("IconLabel");
    QVERIFY(icon && !icon->pixmap().isNull());
    const QPushButton* ok = form.findChild<QPushButton*>("OKButton");
    QVERIFY(ok && ok->icon().isNull());
  }
};

QTEST_MAIN(TestDialogDetails)
#include "tst_dialog_details.moc"
