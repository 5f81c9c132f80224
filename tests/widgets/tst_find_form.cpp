// The Find dialog in its three modes (panels, heights, captions, buttons),
// typing into its views, and the Find keys of the main window.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "actions/Actions.h"
#include "commands/FileCommands.h"
#include "commands/ProgramState.h"
#include "commands/UiState.h"
#include "controls/CellPainter.h"
#include "controls/DataEdit.h"
#include "core/Cursor.h"
#include "core/FindState.h"
#include "core/Geometry.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "dialogs/FindForm.h"
#include "fakes/FakeSeams.h"
#include "mainform/MainForm.h"

class TestFindForm : public QObject {
  Q_OBJECT

  TFakeHost Host;
  std::unique_ptr<TFindForm> Form;

  void Show(TFindMode mode) {
    if (Form->isVisible()) Form->hide();
    FindState().SetMode(mode);
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
    Form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Form.get()));
  }
  // Clicks a button of the dialog once exec() runs, and returns its result.
  int ExecAndClick(QPushButton* button) {
    QTimer::singleShot(0, button, [button] { button->click(); });
    return Form->exec();
  }
  int ExecAndPress(int key) {
    QTimer::singleShot(0, Form.get(), [this, key] { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)); });
    return Form->exec();
  }

 private slots:
  void init() {
    ResetProgramState();
    ComputeGeometryFromFont();
    SetSeams(&Host, nullptr);
    Host.Beeps = 0;
    Form = std::make_unique<TFindForm>(FindState());
  }
  void cleanup() {
    Form.reset();
    ResetProgramState();
  }

  void findModeAtFirstShowing() {
    Show(TFindMode::Find);
    QCOMPARE(Form->windowTitle(), QString("Find"));
    QVERIFY(Form->ReplacePanel->isHidden());
    QVERIFY(Form->MarkPanel->isHidden());
    QVERIFY(Form->ConfirmCB->isHidden());
    QVERIFY(Form->AllButton->isHidden());
    QCOMPARE(Form->size(), QSize(378, 128 + 70 + 55));
    QCOMPARE(Form->OptionPanel->geometry(), QRect(0, 128, 378, 70));
    QCOMPARE(Form->OKButton->x(), 189 - 5 * 75 / 4);
    QCOMPARE(Form->CancelButton->x(), 189 + 75 / 4);
    // One zero byte to start with, so OK can be pressed at once.
    QCOMPARE(FindState().FindData.Buf(), std::vector<uint8_t>{0});
    QVERIFY(Form->OKButton->isEnabled());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form->HexFindEdit));
    QVERIFY(Form->CaseCB->isChecked() && Form->BeginCursorRB->isChecked() && Form->DirectionDownRB->isChecked());
    QCOMPARE(Form->HexFLabel->buddy(), static_cast<QWidget*>(Form->HexFindEdit));
    QCOMPARE(Form->CharRLabel->buddy(), static_cast<QWidget*>(Form->CharReplaceEdit));
    // Each view is one cell row high inside its bordered panel.
    QCOMPARE(Form->HexFindEdit->height(), Grid.RowHeight - 1);
    QCOMPARE(Form->HexFPanel->height(), Grid.RowHeight - 1 + 2 * Form->HexFPanel->frameWidth());
    QCOMPARE(Form->ClearHexFSB->size(), QSize(28, 22));
  }

  void theThreeModesInGerman() {
    Options.Language = 7;
    Show(TFindMode::Replace);
    QCOMPARE(Form->windowTitle(), QString("Ersetzen"));
    QVERIFY(!Form->ReplacePanel->isHidden());
    QVERIFY(Form->MarkPanel->isHidden());
    QVERIFY(!Form->ConfirmCB->isHidden() && !Form->AllButton->isHidden());
    QCOMPARE(Form->size(), QSize(378, 128 + 128 + 70 + 55));
    QCOMPARE(Form->ReplacePanel->y(), 128);
    QCOMPARE(Form->AllButton->text(), QString("&Alles ersetzen"));
    QCOMPARE(Form->OKButton->x(), 189 - 7 * 75 / 4);
    QCOMPARE(Form->AllButton->x(), 189 - Form->AllButton->width() / 2);
    QCOMPARE(Form->CancelButton->x(), 189 + 3 * 75 / 4);
    QCOMPARE(Form->RLabel->text(), QString("Ersetzen durch:"));
    QCOMPARE(Form->DecRLabel->text(), QString("De&z:"));
    QCOMPARE(Form->ConfirmCB->text(), QString::fromUtf8("Mit &Bestätigung"));

    Show(TFindMode::FindAndMark);
    QCOMPARE(Form->windowTitle(), QString("Suchen und markieren"));
    QVERIFY(Form->ReplacePanel->isHidden());
    QVERIFY(!Form->MarkPanel->isHidden());
    QCOMPARE(Form->size(), QSize(378, 128 + 56 + 70 + 55));
    QCOMPARE(Form->AllButton->text(), QString("&Alles markieren"));
    QCOMPARE(Form->MarkLabel->text(), QString("Markieren mit:"));

    Show(TFindMode::Find);
    QCOMPARE(Form->windowTitle(), QString("Suchen"));
    QCOMPARE(Form->size(), QSize(378, 128 + 70 + 55));
    const std::pair<QWidget*, const char*> captions[] = {
        {Form->FLabel, "Suchen nach:"},      {Form->HexFLabel, "&Hex:"},
        {Form->DecFLabel, "&Dez:"},          {Form->CharFLabel, "&Char:"},
        {Form->OptionLabel, "Optionen:"},    {Form->CaseCB, "Groß-/&Kleinschreib."},
        {Form->DirectionLabel, "Richtung:"}, {Form->DirectionDownRB, "&Vorwärts"},
        {Form->DirectionUpRB, "Rück&wärts"}, {Form->BeginLabel, "Beginn:"},
        {Form->BeginCursorRB, "Ab Cur&sor"}, {Form->BeginStartEndRB, "&Textanfang/-ende"},
        {Form->CancelButton, "Abbrechen"},   {Form->OKButton, "OK"}};
    for (const auto& [widget, text] : captions) QCOMPARE(widget->property("text").toString(), QString::fromUtf8(text));
    // The option texts stay inside the dialog.
    for (QWidget* w : {static_cast<QWidget*>(Form->DirectionUpRB), static_cast<QWidget*>(Form->BeginStartEndRB)})
      QVERIFY2(w->geometry().right() < 378 + 8, qPrintable(w->objectName()));

    Options.Language = 9;
    Show(TFindMode::FindAndMark);
    QCOMPARE(Form->windowTitle(), QString("Find and mark"));
    QCOMPARE(Form->AllButton->text(), QString("Mark &all"));
    QCOMPARE(Form->BeginStartEndRB->text(), QString("E&ntire scope"));
  }

  void typingClearingAndTheButtons() {
    Show(TFindMode::Replace);
    QTest::keyClicks(Form->HexFindEdit, "4142");
    QCOMPARE(FindState().FindData.Buf(), (std::vector<uint8_t>{0x41, 0x42}));
    QTest::keyClick(Form->HexFindEdit, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form->DecFindEdit));
    QTest::keyClick(Form->DecFindEdit, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form->CharFindEdit));
    QTest::keyClick(Form->CharFindEdit, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form->DecFindEdit));

    QTest::mouseClick(Form->ClearCharFSB, Qt::LeftButton);
    QCOMPARE(FindState().FindData.Len(), 0);
    QVERIFY(!Form->OKButton->isEnabled());
    QVERIFY(!Form->AllButton->isEnabled());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form->CharFindEdit));
    Form->HexFindEdit->setFocus();
    QTest::keyClicks(Form->HexFindEdit, "7");
    QCOMPARE(FindState().FindData.Buf(), std::vector<uint8_t>{0x70});
    QVERIFY(Form->OKButton->isEnabled());
    QVERIFY(Form->AllButton->isEnabled());

    // The replacement may be empty; clearing it leaves OK alone.
    Form->DecReplaceEdit->setFocus();
    QTest::keyClicks(Form->DecReplaceEdit, "065");
    QCOMPARE(FindState().ReplaceData.Buf(), std::vector<uint8_t>{65});
    QTest::mouseClick(Form->ClearDecRSB, Qt::LeftButton);
    QCOMPARE(FindState().ReplaceData.Len(), 0);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Form->DecReplaceEdit));
    QVERIFY(Form->OKButton->isEnabled());

    // Kept between showings, also through a showing in find mode.
    QTest::keyClicks(Form->DecReplaceEdit, "066");
    Show(TFindMode::Find);
    Show(TFindMode::Replace);
    QCOMPARE(FindState().ReplaceData.Buf(), std::vector<uint8_t>{66});
    QCOMPARE(FindState().FindData.Buf(), std::vector<uint8_t>{0x70});
  }

  void optionsAndColoursReachTheState() {
    Show(TFindMode::FindAndMark);
    QTest::mouseClick(Form->ColourShapes[4], Qt::LeftButton);
    QVERIFY(Form->ColourRadioButtons[4]->isChecked());
    QCOMPARE(Form->ColourRadioButtons[4]->objectName(), QString("MRadioButton"));
    QCOMPARE(Form->ColourShapes[4]->objectName(), QString("MShape"));
    QVERIFY(!Form->ColourRadioButtons[0]->isChecked());
    QCOMPARE(FindState().MarkColour, 5);
    Form->CaseCB->click();
    Form->ConfirmCB->click();
    Form->BeginStartEndRB->click();
    Form->DirectionUpRB->click();
    const TFindState& s = FindState();
    QVERIFY(!s.CaseCB && !s.ConfirmCB && !s.BeginCursorRB && s.DirectionUpRB);
    Show(TFindMode::FindAndMark);  // shown again: everything as left
    QVERIFY(Form->ColourRadioButtons[4]->isChecked() && !Form->CaseCB->isChecked() && Form->DirectionUpRB->isChecked());
  }

  void resultsAndAccepted() {
    FindState().SetMode(TFindMode::Replace);
    QCOMPARE(ExecAndClick(Form->OKButton), int(mrOk));
    QVERIFY(FindState().Accepted);
    QCOMPARE(ExecAndClick(Form->CancelButton), int(mrCancel));
    QVERIFY(!FindState().Accepted);
    QCOMPARE(ExecAndClick(Form->AllButton), FindAllResult);
    QVERIFY(FindState().Accepted);
    QCOMPARE(ExecAndPress(Qt::Key_Escape), int(mrCancel));
    QVERIFY(!FindState().Accepted);
    QCOMPARE(ExecAndPress(Qt::Key_Return), int(mrOk));  // OK is the default button
    QVERIFY(FindState().Accepted);
  }
};

// The Edit menu's Find items and the hidden Ctrl+L keys in the main window.
class TestFindKeys : public QObject {
  Q_OBJECT

  TQorinEditorMainForm* Main = nullptr;
  TFakeHost Host;
  std::string File;

  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(Main, Qt::Key(key), mods); }

 private slots:
  void init() {
    ResetProgramState();
    File = (std::filesystem::temp_directory_path() / "bq-find-test.bin").string();
    std::ofstream(File, std::ios::binary) << "xxABxxabxx";
    Main = new TQorinEditorMainForm(0, nullptr);
    SetSeams(&Host, Main);
    Main->SetLanguageCaptions();
    Main->show();
    QVERIFY(QTest::qWaitForWindowExposed(Main));
    Main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Main));
    LoadFile(File);
  }
  void cleanup() {
    delete Main;
    std::filesystem::remove(File);
    ResetProgramState();
  }

  void findThenNextAndPrevious() {
    QVERIFY(!Main->Item("FindNextMainMenuItem")->isEnabled());
    Host.FindDialogInput = [](TFindState& s) {
      s.FindData.SetBuf({0x41, 0x42});
      s.CaseCB = false;
    };
    Host.FindAnswers.push_back(mrOk);
    Key(Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(Host.FindDialogModes.size(), size_t(1));
    QCOMPARE(CursorOffset(), 2);
    QVERIFY(Main->Item("FindNextMainMenuItem")->isEnabled());
    Key(Qt::Key_F3);
    QCOMPARE(CursorOffset(), 6);
    Key(Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(CursorOffset(), 2);
    Key(Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(CursorOffset(), 6);
    Key(Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(CursorOffset(), 2);
    QCOMPARE(Host.Beeps, 0);

    // Cancelled: the keys do nothing until the next OK.
    Key(Qt::Key_F, Qt::ControlModifier);
    QVERIFY(!Main->Item("CtrlLAcc")->isEnabled());
    Key(Qt::Key_F3);
    Key(Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(CursorOffset(), 2);
  }

  void germanCaptionsAndKeys() {
    Options.Language = 7;
    Main->SetLanguageCaptions();
    QCOMPARE(Main->Item("FindMainMenuItem")->text(), QString("&Suchen...\tStrg+F"));
    QCOMPARE(Main->Item("FindPreviousMainMenuItem")->text(), QString("&Voriges suchen\tUmsch+F3"));
    QCOMPARE(Main->Item("FindNextMainMenuItem")->text(), QString::fromUtf8("&Nächstes suchen\tF3"));
    QCOMPARE(Main->Item("FindNextMainMenuItem")->shortcut(), QKeySequence(Qt::Key_F3));
    QCOMPARE(Main->Item("FindPreviousMainMenuItem")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F3));
    QCOMPARE(Main->Item("FindMainMenuItem")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int status = 0;
  {
    TestFindForm t;
    status |= QTest::qExec(&t, argc, argv);
  }
  {
    TestFindKeys t;
    status |= QTest::qExec(&t, argc, argv);
  }
  return status;
}

#include "tst_find_form.moc"
