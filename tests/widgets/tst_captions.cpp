// The language switch of the main window: every menu item's caption and
// shortcut text in both languages, the swatches, the Options menu at work,
// and the window's place kept from one start to the next.
#include <QFile>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "actions/Actions.h"
#include "commands/FileCommands.h"
#include "commands/ProgramState.h"
#include "core/DocState.h"
#include "core/EnvState.h"
#include "core/GridState.h"
#include "core/OptionsState.h"
#include "fakes/FakeSeams.h"
#include "mainform/MainForm.h"
#include "platform/Instance.h"

namespace {

struct TExpected {
  const char* English;
  const char* German;
  const char* EnglishKey;
  const char* GermanKey;
};

// Every item of the main menu and the pop-up menu, as the user must see it.
// Items of features still to come are listed too: once they are built,
// they are checked here without a change.
const std::map<std::string, TExpected>& ExpectedItems() {
  static const std::map<std::string, TExpected> items = [] {
    std::map<std::string, TExpected> m = {
        {"FileMainMenuItem", {"&File", "&Datei", "", ""}},
        {"NewMainMenuItem", {"&New", "&Neu", "Ctrl+N", "Strg+N"}},
        {"FileOpenMainMenuItem", {"&Open...", "&Öffnen...", "Ctrl+O", "Strg+O"}},
        {"FileSaveMainMenuItem", {"&Save", "&Speichern", "Ctrl+S", "Strg+S"}},
        {"FileSaveAsMainMenuItem", {"Save &as...", "Speichern &unter...", "", ""}},
        {"LoadFromClipboardMainMenuItem", {"Open &clipboard...", "&Zwischenablage öffnen...", "", ""}},
        {"CompareMenuItem", {"Compare &with...", "&Vergleichen mit...", "", ""}},
        {"MarkOpenMainMenuItem", {"Open &marks...", "Markierungen ö&ffnen...", "", ""}},
        {"MarkSaveAsMainMenuItem", {"Save ma&rks as...", "Markierungen s&peichern unter...", "", ""}},
        {"FilePrintMainMenuItem", {"&Print...", "D&rucken...", "", ""}},
        {"FileInfoStatistikMainMenuItem", {"&Info/statistic...", "&Info/Statistik...", "Ctrl+I", "Strg+I"}},
        {"EndMainMenuItem", {"&Exit", "&Beenden", "", ""}},
        {"EditMainMenuItem", {"&Edit", "&Bearbeiten", "", ""}},
        {"EditUndoMainMenuItem", {"&Undo ", "&Rückgängig ", "Ctrl+Z", "Strg+Z"}},
        {"EditRedoMainMenuItem", {"&Redo ", "&Wiederrufen ", "Shift+Ctrl+Z", "Umsch+Strg+Z"}},
        {"DeleteByteMainMenuItem", {"&Delete byte", "Byte &löschen", "Del", "Entf"}},
        {"DeleteBytesMainMenuItem", {"D&elete bytes", "Bytes l&öschen", "Shift+Del", "Umsch+Entf"}},
        {"InsertByteMainMenuItem", {"&Insert byte", "Byte &einfügen", "Ins", "Einfg"}},
        {"InsertBytesMainMenuItem", {"Inser&t bytes", "Bytes e&infügen", "Shift+Ins", "Umsch+Einfg"}},
        {"AppendByteMainMenuItem", {"&Append byte", "Byte &anfügen", "Ctrl+Ins", "Strg+Einfg"}},
        {"AppendBytesMainMenuItem", {"Append &bytes", "Bytes an&fügen", "Shift+Ctrl+Ins", "Umsch+Strg+Einfg"}},
        {"FindMainMenuItem", {"&Find...", "&Suchen...", "Ctrl+F", "Strg+F"}},
        {"FindPreviousMainMenuItem", {"Find &previous", "&Voriges suchen", "Shift+F3", "Umsch+F3"}},
        {"FindNextMainMenuItem", {"Find &next", "&Nächstes suchen", "F3", "F3"}},
        {"ReplaceMainMenuItem", {"Repla&ce...", "Erset&zen...", "Ctrl+E", "Strg+E"}},
        {"FindAndMarkMainMenuItem", {"Find and &mark...", "Suchen und &markieren...", "", ""}},
        {"GotoMainMenuItem", {"&Go to...", "&Gehe zu...", "Ctrl+T", "Strg+T"}},
        {"GotoPreviousIdenticalByteMainMenuItem",
         {"Pre&vious identical byte", "V&origes ident. Byte", "Shift+Left", "Umsch+Links"}},
        {"GotoNextIdenticalByteMainMenuItem",
         {"Ne&xt identical byte", "N&ächstes ident. Byte", "Shift+Right", "Umsch+Rechts"}},
        {"MarkMainMenuItem", {"&Mark", "&Markierung", "", ""}},
        {"MarkUnmarkMainMenuItem", {"No mark", "Keine Markierung", "Ctrl+U", "Strg+U"}},
        {"MarkUnmarkAllMainMenuItem", {"&Unmark all", "&Alle aufheben", "", ""}},
        {"MarkGotoPreviousMainMenuItem", {"&Previous", "&Vorige", "Ctrl+Left", "Strg+Links"}},
        {"MarkGotoNextMainMenuItem", {"&Next", "&Nächste", "Ctrl+Right", "Strg+Rechts"}},
        {"MarkGotoPreviuosMainMenu", {"Pre&vious", "V&orige", "", ""}},
        {"MarkGotoNextMainMenu", {"Ne&xt", "N&ächste", "", ""}},
        {"MarkGotoPreviousIdenticalMainMenuItem",
         {"Previou&s identical", "Vo&rige ident.", "Shift+Ctrl+Left", "Umsch+Strg+Links"}},
        {"MarkGotoNextIdenticalMainMenuItem",
         {"Nex&t identical", "Nä&chste ident.", "Shift+Ctrl+Right", "Umsch+Strg+Rechts"}},
        {"OptionsMainMenuItem", {"&Options", "&Optionen", "", ""}},
        {"OptionHexMainMenuItem", {"&Hex", "&Hex", "Ctrl+H", "Strg+H"}},
        {"OptionDecMainMenuItem", {"&Dec", "&Dez", "Ctrl+D", "Strg+D"}},
        {"EnglishMenuItem", {"&English/Englisch", "&Englisch/English", "", ""}},
        {"DeutschMenuItem", {"&German/Deutsch", "Deutsch/&German", "", ""}},
        {"OptionPrintMarksHatchedMenuItem", {"Print marks ha&tched", "Markierungen &schraffiert drucken", "", ""}},
        {"OptionPrintMarksUsingColorsMenuItem", {"Print marks using &colors", "Markierungen &farbig drucken", "", ""}},
        {"OptionDoNotPrintMarksMenuItem", {"Do &not print marks", "Markierungen &nicht drucken", "", ""}},
        {"CreatebackupfilesMenuItem", {"Create &backup-files", "&Backup-Dateien anlegen", "", ""}},
        {"OverwriteWarnMenuItem", {"&Show overwrite warning", "Warnung vorm &Überschreiben von Dateien", "", ""}},
        {"KeepmarksonloadMenuItem", {"&Keep marks when opening", "Markierungen beim &Öffnen beibehalten", "", ""}},
        {"OptionNoUnknownMenuItem", {"&Unknown chars as space", "Nicht darstellbare &Zeichen als Space", "", ""}},
        {"DataInspectorMenuItem", {"Data &inspector", "Daten&inspektor", "F12", "F12"}},
        {"ChecksumsMainMenuItem", {"Chec&ksums...", "Prüfsu&mmen...", "", ""}},
        {"CopyBytesAsMainMenuItem", {"Copy bytes a&s...", "Bytes &kopieren als...", "Shift+Ctrl+C", "Umsch+Strg+C"}},
        {"PasteBytesMainMenuItem",
         {"Paste b&ytes", "&Bytes aus Zwischenablage einfügen", "Shift+Ctrl+V", "Umsch+Strg+V"}},
        {"PasteBytesOverMainMenuItem", {"Paste bytes &over", "Bytes aus Zwischenablage &überschreiben", "", ""}},
        {"CopyBytesAsPopUpMenuItem", {"Copy bytes a&s...", "Bytes &kopieren als...", "Shift+Ctrl+C", "Umsch+Strg+C"}},
        {"PasteBytesPopUpMenuItem",
         {"Paste b&ytes", "&Bytes aus Zwischenablage einfügen", "Shift+Ctrl+V", "Umsch+Strg+V"}},
        {"PasteBytesOverPopUpMenuItem", {"Paste bytes &over", "Bytes aus Zwischenablage &überschreiben", "", ""}},
        {"HelpMainMenuItem", {"&Help", "&Hilfe", "", ""}},
        {"HilfeInhaltMenuItem", {"&Contents", "&Inhalt", "F1", "F1"}},
        {"Info2", {"In&fo...", "In&fo...", "", ""}},
        {"MarkUnmarkPopUpMenuItem", {"No mark", "Keine Markierung", "Ctrl+U", "Strg+U"}},
        {"MarkGotoPreviousPopUpMenuItem", {"&Previous Mark", "&Vorige Markierung", "Ctrl+Left", "Strg+Links"}},
        {"MarkGotoNextPopUpMenuItem", {"&Next Mark", "&Nächste Markierung", "Ctrl+Right", "Strg+Rechts"}},
        {"MarkGotoPreviousIdenticalPopUpMenuItem",
         {"Previous identical Mark", "Vo&rige ident. Markierung", "Shift+Ctrl+Left", "Umsch+Strg+Links"}},
        {"MarkGotoNextIdenticalPopUpMenuItem",
         {"Next identical Mark", "Nä&chste ident. Markierung", "Shift+Ctrl+Right", "Umsch+Strg+Rechts"}},
        {"GotoPreviousIdenticalBytePopUpMenuItem",
         {"Previous identical Byte", "V&origes ident. Byte", "Shift+Left", "Umsch+Links"}},
        {"GotoNextIdenticalBytePopUpMenuItem",
         {"Next identical Byte", "N&ächstes ident. Byte", "Shift+Right", "Umsch+Rechts"}},
    };
    // The colour items: swatches whose caption, never drawn, names the colour.
    const char* colours[] = {"Red", "Green", "Blue", "Cyan", "Magenta", "Yellow"};
    const char* farben[] = {"Rot", "Grün", "Blau", "Cyan", "Magenta", "Gelb"};
    static const char* const keys[][2] = {{"Ctrl+R", "Strg+R"}, {"Ctrl+G", "Strg+G"}, {"Ctrl+B", "Strg+B"},
                                          {"Ctrl+C", "Strg+C"}, {"Ctrl+M", "Strg+M"}, {"Ctrl+Y", "Strg+Y"}};
    for (int i = 0; i < 6; ++i) {
      const std::string c = colours[i];
      m["Mark" + c + "MainMenuItem"] = {colours[i], farben[i], keys[i][0], keys[i][1]};
      m["Mark" + c + "PopUpMenuItem"] = {colours[i], farben[i], keys[i][0], keys[i][1]};
      m["MarkGotoPrevious" + c + "MainMenuItem"] = {colours[i], farben[i], "", ""};
      m["MarkGotoNext" + c + "MainMenuItem"] = {colours[i], farben[i], "", ""};
    }
    return m;
  }();
  return items;
}

// The hidden accelerators and their keys.
const std::map<std::string, QKeySequence>& ExpectedAccelerators() {
  static const std::map<std::string, QKeySequence> keys = {
      {"ShiftAltBackAcc", QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_Backspace)},
      {"AltBackAcc", QKeySequence(Qt::ALT | Qt::Key_Backspace)},
      {"BackAcc", QKeySequence(Qt::Key_Backspace)},
      {"PageUpAcc", QKeySequence(Qt::Key_PageUp)},
      {"PageDownAcc", QKeySequence(Qt::Key_PageDown)},
      {"UpAcc", QKeySequence(Qt::Key_Up)},
      {"DownAcc", QKeySequence(Qt::Key_Down)},
      {"LeftAcc", QKeySequence(Qt::Key_Left)},
      {"RightAcc", QKeySequence(Qt::Key_Right)},
      {"HomeAcc", QKeySequence(Qt::Key_Home)},
      {"EndAcc", QKeySequence(Qt::Key_End)},
      {"TabAcc", QKeySequence(Qt::Key_Tab)},
      {"ShiftTabAcc", QKeySequence(Qt::SHIFT | Qt::Key_Tab)},
      {"ShiftUpAcc", QKeySequence(Qt::SHIFT | Qt::Key_Up)},
      {"ShiftDownAcc", QKeySequence(Qt::SHIFT | Qt::Key_Down)},
      {"CtrlUpAcc", QKeySequence(Qt::CTRL | Qt::Key_Up)},
      {"CtrlDownAcc", QKeySequence(Qt::CTRL | Qt::Key_Down)},
      {"ShiftCtrlUpAcc", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up)},
      {"ShiftCtrlDownAcc", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down)},
      {"CtrlLAcc", QKeySequence(Qt::CTRL | Qt::Key_L)},
      {"ShiftCtrlLAcc", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L)},
  };
  return keys;
}

// Items whose captions another refresh writes (the recent files).
bool CaptionedElsewhere(const QString& name) {
  return name == "FileBarMenuItem" || QRegularExpression("^File[0-4]MenuItem$").match(name).hasMatch();
}

}  // namespace

class TestCaptions : public QObject {
  Q_OBJECT

  TQorinEditorMainForm* Form = nullptr;
  TFakeHost Host;

  void NewForm() {
    delete Form;
    Form = new TQorinEditorMainForm(0, nullptr);
    SetSeams(&Host, Form);
    Form->SetLanguageCaptions();
  }

  // Every named item of every menu of the window, top-level menus included.
  QList<QAction*> MenuItems() const {
    QList<QAction*> items;
    for (QMenu* menu : Form->findChildren<QMenu*>())
      for (QAction* a : menu->actions())
        if (!a->isSeparator() && !a->objectName().isEmpty()) items.append(a);
    for (QAction* a : Form->menuBar()->actions()) items.append(a);
    return items;
  }

  void CheckEveryItem(bool german) {
    std::set<std::string> checked;
    for (QAction* a : MenuItems()) {
      const QString name = a->objectName();
      if (CaptionedElsewhere(name)) continue;
      const auto it = ExpectedItems().find(name.toStdString());
      QVERIFY2(it != ExpectedItems().end(), qPrintable("no caption known for " + name));
      const TExpected& e = it->second;
      const QString caption = a->text().section(QLatin1Char('\t'), 0, 0);
      const QString key = a->text().section(QLatin1Char('\t'), 1);
      QCOMPARE(caption, QString::fromUtf8(german ? e.German : e.English));
      QCOMPARE(key, QString::fromUtf8(german ? e.GermanKey : e.EnglishKey));
      checked.insert(name.toStdString());
    }
    // Every item the table knows is in the menus.
    QCOMPARE(checked.size(), ExpectedItems().size());
  }

 private slots:
  void init() {
    ResetProgramState();
    NewForm();
  }
  void cleanup() {
    delete Form;
    Form = nullptr;
    ResetProgramState();
  }

  void everyItemInEnglish() { CheckEveryItem(false); }

  void everyItemInGerman() {
    Form->Item("DeutschMenuItem")->trigger();
    QCOMPARE(Options.Language, 7);
    CheckEveryItem(true);
    // And back.
    Form->Item("EnglishMenuItem")->trigger();
    QCOMPARE(Options.Language, 9);
    CheckEveryItem(false);
  }

  void anyLanguageButSevenIsEnglish() {
    for (int32_t language : {0, 9, 1031}) {
      Options.Language = language;
      Form->SetLanguageCaptions();
      QCOMPARE(Form->Item("EditMainMenuItem")->text(), QString("&Edit"));
      QVERIFY(Form->Item("EnglishMenuItem")->isChecked());
      QVERIFY(!Form->Item("DeutschMenuItem")->isChecked());
    }
  }

  void theShortcutsStayBoundAfterASwitch() {
    Form->Item("DeutschMenuItem")->trigger();
    QCOMPARE(Form->Item("EditRedoMainMenuItem")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    QCOMPARE(Form->Item("MarkRedMainMenuItem")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    // The pop-up twins show the key but do not bind it a second time.
    QVERIFY(Form->Item("MarkRedPopUpMenuItem")->shortcut().isEmpty());
    for (const auto& [name, key] : ExpectedAccelerators()) {
      QAction* a = Form->Item(name);
      QVERIFY2(a, name.c_str());
      QCOMPARE(a->shortcut(), key);
    }
    for (const char* name : {"UpAcc", "TabAcc", "ShiftAltBackAcc", "ShiftCtrlDownAcc"}) QVERIFY(Form->Item(name));
  }

  void swatchesAfterASwitch() {
    const std::string file = (std::filesystem::temp_directory_path() / "bq-captions-test.bin").string();
    std::ofstream(file, std::ios::binary) << "abc";
    LoadFile(file);
    std::filesystem::remove(file);
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form));
    Form->Item("DeutschMenuItem")->trigger();
    QAction* red = Form->Item("MarkRedMainMenuItem");
    QVERIFY(!red->icon().isNull());
    QVERIFY(red->text().startsWith("Rot\t"));
    auto* markMenu = Form->findChild<QMenu*>("MarkMainMenuItem");
    markMenu->popup(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowExposed(markMenu));
    const QImage image = markMenu->grab().toImage();
    markMenu->hide();
    // The red swatch is painted where the caption would be.
    const QRect item = markMenu->actionGeometry(red);
    bool redSeen = false;
    for (int x = item.left(); x < item.left() + item.width() / 2 && !redSeen; ++x)
      redSeen = image.pixelColor(x, item.center().y()) == QColor(255, 0, 0);
    QVERIFY(redSeen);
    // The value label of the status bar speaks German too.
    QVERIFY(Form->StatusPanel(1)->text().startsWith("Wert: "));
    QCOMPARE(Form->Item("EditUndoMainMenuItem")->text(), QString("&Rückgängig \tStrg+Z"));
  }

  void fileDialogTitlesFollowTheLanguage() {
    Form->Item("DeutschMenuItem")->trigger();
    QCOMPARE(Doc.OpenDialog.Title, std::string("Öffnen"));
    QCOMPARE(Doc.SaveDialog.Title, std::string("Speichern unter"));
    QCOMPARE(Doc.MarksOpenDialog.Title, std::string("Markierungen öffnen"));
    QCOMPARE(Doc.MarksSaveDialog.Title, std::string("Markierungen speichern unter"));
    Form->Item("EnglishMenuItem")->trigger();
    QCOMPARE(Doc.SaveDialog.Title, std::string("Save as"));
  }

  void qtsOwnDialogsFollowTheLanguage() {
    const QString qm = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm";
    if (!QFile::exists(qm)) QSKIP("Qt's German translation is not installed");
    const auto fileName = [] { return QCoreApplication::translate("QFileDialog", "File &name:"); };
    Form->Item("DeutschMenuItem")->trigger();
    QVERIFY2(fileName().startsWith("Datei"), qPrintable(fileName()));
    Form->Item("EnglishMenuItem")->trigger();
    QCOMPARE(fileName(), QString("File &name:"));
  }

  void toolbarHintsReachButtonsByName() {
    // A later toolbar only names its buttons; the hints find them.
    auto* save = new QWidget(Form);
    save->setObjectName("SaveSB");
    auto* dec = new QWidget(Form);
    dec->setObjectName("DecSpeedButton");
    auto* dez = new QWidget(Form);
    dez->setObjectName("DezSpeedButton");
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form));
    Form->SetLanguageCaptions();
    QCOMPARE(save->toolTip(), QString("Save"));
    QVERIFY(dec->isVisible() && !dez->isVisible());
    Form->Item("DeutschMenuItem")->trigger();
    QCOMPARE(save->toolTip(), QString("Datei speichern"));
    QVERIFY(!dec->isVisible() && dez->isVisible());
  }

  void theOptionsMenuWorks() {
    // Radio groups and check items show the settings.
    Form->Item("OptionDoNotPrintMarksMenuItem")->trigger();
    QVERIFY(Options.DoNotPrintMarks && !Options.PrintMarksHatched);
    QVERIFY(Form->Item("OptionDoNotPrintMarksMenuItem")->isChecked());
    QVERIFY(!Form->Item("OptionPrintMarksHatchedMenuItem")->isChecked());
    Form->Item("KeepmarksonloadMenuItem")->trigger();
    QVERIFY(Options.KeepMarksOnLoad && Form->Item("KeepmarksonloadMenuItem")->isChecked());
    Form->Item("CreatebackupfilesMenuItem")->trigger();
    QVERIFY(!Options.CreateBackUp && !Form->Item("CreatebackupfilesMenuItem")->isChecked());
    Form->Item("OptionNoUnknownMenuItem")->trigger();
    QVERIFY(!Options.NoUnknown && !Form->Item("OptionNoUnknownMenuItem")->isChecked());
    // No to the question keeps the warning and its checkmark.
    Host.Answers = {mrNo};
    Form->Item("OverwriteWarnMenuItem")->trigger();
    QVERIFY(Options.OverwriteWarning);
    QVERIFY(Form->Item("OverwriteWarnMenuItem")->isChecked());
    QCOMPARE(Host.Messages.back().DefaultButton, int(mbNo));
    Host.Answers = {mrYes};
    Form->Item("OverwriteWarnMenuItem")->trigger();
    QVERIFY(!Options.OverwriteWarning && !Form->Item("OverwriteWarnMenuItem")->isChecked());
  }

  // Closing keeps the window's place; the next start puts it back there.
  void theWindowComesBackWhereItWas() {
    Env.DialogBaseUnits = CurrentDialogBaseUnits();
    Env.Left = 40;
    Env.Top = 30;
    Env.Width = 500;
    Env.Height = 300;
    NewForm();
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form));
    QCOMPARE(Form->pos(), QPoint(40, 30));
    const int rowHeight = Grid.RowHeight;
    QVERIFY(std::abs(Form->height() - 300) < rowHeight);
    const QSize size = Form->size();
    Form->close();
    QCOMPARE(Env.Left, 40);
    QCOMPARE(Env.Top, 30);
    QCOMPARE(Env.Height, size.height());
    NewForm();
    Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form));
    QCOMPARE(Form->pos(), QPoint(40, 30));
    QCOMPARE(Form->size(), size);
    // Another font: the stored place no longer counts.
    Env.DialogBaseUnits += 1;
    Env.Left = 77;
    NewForm();
    QVERIFY(Form->pos() != QPoint(77, 30));
  }
};

QTEST_MAIN(TestCaptions)
#include "tst_captions.moc"
