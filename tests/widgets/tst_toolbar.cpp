// The toolbar, the Help menu, the help window and the about box.
#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextBrowser>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "actions/Actions.h"
#include "commands/FileCommands.h"
#include "commands/HelpCommands.h"
#include "commands/OptionCommands.h"
#include "controls/ModernSpeedButton.h"
#include "core/DocState.h"
#include "core/EnvState.h"
#include "core/GridState.h"
#include "core/OptionsState.h"
#include "core/Toolbar.h"
#include "fakes/FakeSeams.h"
#include "mainform/MainForm.h"
#include "mainform/VeskMainPanel.h"
#include "platform/HelpWindow.h"
#include "platform/QtHost.h"
#include "widgets/WindowTest.h"

class TestToolbar : public QObject {
  Q_OBJECT

  TQorinEditorMainForm* Form = nullptr;
  TFakeHost Host;
  std::string File;

  void Load(const std::string& content) {
    std::ofstream(File, std::ios::binary) << content;
    LoadFile(File);
  }
  TModernSpeedButton* Button(const char* name) const { return Form->SpeedButton(name); }
  void CheckPlaces() {
    QWidget* panel = Form->SpeedPanel();
    QCOMPARE(panel->height(), SpeedPanelHeight);
    for (const TToolButton& b : ToolButtons) {
      const TToolButtonPlace p = ToolButtonPlace(panel->width(), panel->height(), b);
      QCOMPARE(Button(b.Name)->geometry(), QRect(p.Left, p.Top, b.Width, b.Height));
    }
  }
  // The modal dialog that shows next gets handed to check, then closed, even
  // when check fails, so a failure never leaves the test waiting on it.
  // ModalSeen tells the test afterwards whether it showed.
  bool ModalSeen = false;
  void WhenModalShows(std::function<void(QDialog*)> check) {
    ModalSeen = false;
    QTimer::singleShot(0, Form, [this, check] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        ModalSeen = true;
        check(dialog);
        dialog->accept();
      }
    });
  }

 private slots:
  void init() {
    Host = TFakeHost();
    File = TestFileName("bq-toolbar-test.bin");
    QVERIFY(OpenTestWindow(Form, Host));
  }
  void cleanup() {
    SetHelpDirectories({});
    CloseTestWindow(Form, File);
  }

  // The mode buttons put the cursor on the byte's first digit, as the keys
  // do: 066 in decimal, then 7f in hex, gives 42 7F.
  void typingAfterTheModeButtons() {
    Load(std::string(20, '\0'));
    QTest::mouseClick(Button("DecSpeedButton"), Qt::LeftButton);
    QTest::keyClicks(Form, "066");
    QTest::mouseClick(Button("HexSpeedButton"), Qt::LeftButton);
    QTest::keyClicks(Form, "7f");
    QCOMPARE(Doc.DocData[0], uint8_t(0x42));
    QCOMPARE(Doc.DocData[1], uint8_t(0x7F));
  }

  void buttonsSpreadOverTheWidthInBothModes() {
    Load(std::string(300, 'x'));
    QCOMPARE(Form->SpeedPanel()->width(), Form->MainPanel()->width());
    QCOMPARE(Form->MainPanel()->y(), SpeedPanelHeight);
    CheckPlaces();
    // The decimal view is wider: the buttons move apart with it.
    const int hexWidth = Form->SpeedPanel()->width();
    const int hexLeft = Button("TabSB")->x();
    Form->Item("OptionDecMainMenuItem")->trigger();
    QVERIFY(!Grid.Hex);
    CheckPlaces();
    QVERIFY(Form->SpeedPanel()->width() != hexWidth);
    QVERIFY(Button("TabSB")->x() != hexLeft);
    QCOMPARE(Button("DecSpeedButton")->geometry(), Button("DezSpeedButton")->geometry());
  }

  void enablingFollowsTheDocumentAndTheItemsThatExist() {
    const auto enabled = [this](const char* name) { return Button(name)->isEnabled(); };
    QVERIFY(enabled("OpenSB") && enabled("HexSpeedButton") && enabled("DecSpeedButton"));
    QVERIFY(enabled("CalcSB") && enabled("TabSB"));
    for (const char* name : {"SaveSB", "SaveAsSB", "PrintSB", "InfoSB", "FindSB", "FindNextSB", "FindPreviousSB",
                             "ReplaceSB", "FindAndMarkSB"})
      QVERIFY2(!enabled(name), name);
    Load("abc");
    // A button is usable exactly when its menu item exists and is enabled.
    for (const TToolButton& b : ToolButtons)
      if (b.MenuItem) {
        QAction* item = Form->Item(b.MenuItem);
        QCOMPARE(enabled(b.Name), item != nullptr && item->isEnabled());
      }
    QVERIFY(enabled("SaveSB") && enabled("FindSB"));
    QVERIFY(!enabled("FindNextSB"));
    NewMainMenuItemClick();
    QVERIFY(!enabled("SaveSB"));
  }

  void hintsAndTheDecimalTwinFollowTheLanguage() {
    QCOMPARE(Button("OpenSB")->toolTip(), QString("Open..."));
    QCOMPARE(Button("CalcSB")->toolTip(), QString("Launch or bring to front the calculator"));
    QVERIFY(Button("DecSpeedButton")->isVisible());
    QVERIFY(!Button("DezSpeedButton")->isVisible());
    DeutschMenuItemClick();
    QCOMPARE(Button("OpenSB")->toolTip(), QString::fromUtf8("Datei öffnen..."));
    QCOMPARE(Button("FindNextSB")->toolTip(), QString::fromUtf8("Nächstes suchen"));
    QCOMPARE(Button("DezSpeedButton")->toolTip(), QString("Dezimal anzeigen"));
    QVERIFY(!Button("DecSpeedButton")->isVisible());
    QVERIFY(Button("DezSpeedButton")->isVisible());
    QCOMPARE(Form->Item("HelpMainMenuItem")->text(), QString("&Hilfe"));
    QCOMPARE(Form->Item("HilfeInhaltMenuItem")->text(), QString("&Inhalt\tF1"));
    EnglishMenuItemClick();
    QVERIFY(Button("DecSpeedButton")->isVisible());
    QCOMPARE(Form->Item("HilfeInhaltMenuItem")->text(), QString("&Contents\tF1"));
    QCOMPARE(Form->Item("Info2")->text(), QString("In&fo..."));
  }

  void buttonsRunTheirCommands() {
    Load(std::string(40, 'x'));
    QTest::mouseClick(Button("DecSpeedButton"), Qt::LeftButton);
    QVERIFY(!Grid.Hex);
    QTest::mouseClick(Button("HexSpeedButton"), Qt::LeftButton);
    QVERIFY(Grid.Hex);
    QTest::mouseClick(Button("OpenSB"), Qt::LeftButton);
    QCOMPARE(Host.FileDialogTitles, std::vector<std::string>{"Open"});
    QTest::mouseClick(Button("TabSB"), Qt::LeftButton);
    QTest::keyClick(Form, Qt::Key_F1);
    QCOMPARE(Host.HelpShown.size(), size_t(2));
    QCOMPARE(Host.HelpShown[0].second, HelpCharacterTableContext);
    QCOMPARE(Host.HelpShown[1].second, HelpContentsContext);
    Env.CalcPath = "/bin/calc";
    Host.Executables = {"/bin/calc"};
    QTest::mouseClick(Button("CalcSB"), Qt::LeftButton);
    QTest::mouseClick(Button("CalcSB"), Qt::LeftButton);
    QCOMPARE(Host.Started, std::vector<std::string>{"/bin/calc"});
    // A disabled button does nothing.
    QTest::mouseClick(Button("FindNextSB"), Qt::LeftButton);
    QCOMPARE(Host.FindDialogModes.size(), size_t(0));
  }

  void helpOpensAtTheAnchorInBothLanguages() {
    SetHelpDirectories({QStringLiteral(BQ_HELP_SOURCE_DIR)});
    TQtHost host(Form);
    for (const int32_t language : {9, 7}) {
      Options.Language = language;
      const std::string name = HelpFileName();
      QVERIFY(host.ShowHelp(name, HelpCharacterTableContext));
      QTextBrowser* browser = host.HelpWindow()->Browser();
      QVERIFY(host.HelpWindow()->isVisible());
      QVERIFY(browser->source().toLocalFile().endsWith(QString::fromStdString(name)));
      QScrollBar* bar = browser->verticalScrollBar();
      QTRY_VERIFY(bar->value() > 0);
      // The contents are at the top.
      QVERIFY(host.ShowHelp(name, HelpContentsContext));
      QTRY_VERIFY(bar->value() < bar->maximum() / 4);
      const QString text = browser->toPlainText();
      // Every one of the 256 byte values has its line in the table.
      for (const char* row : {"255", "FF", "11111111", "128", "80"}) QVERIFY2(text.contains(row), row);
    }
    // Escape closes it, also from the text.
    QTest::keyClick(host.HelpWindow()->Browser(), Qt::Key_Escape);
    QVERIFY(!host.HelpWindow()->isVisible());
    // Nothing found: the host says so, and the command reports it.
    SetHelpDirectories({QStringLiteral("/nonexistent-help-dir")});
    QVERIFY(!host.ShowHelp("QorinEditE.html", HelpContentsContext));
  }

  void programsAreStartedAndSeenToEnd() {
    TQtHost host(Form);
    QVERIFY(host.IsExecutableFile("/bin/sh"));
    for (const char* path : {"", "/etc/passwd", "/usr/bin", "/nonexistent/calc"})
      QVERIFY2(!host.IsExecutableFile(path), path);
    QCOMPARE(host.StartProgram("/nonexistent/calc"), int64_t(0));
    // A program that ends at once is soon seen as ended, even where nobody
    // reaps it.
    const int64_t id = host.StartProgram("/bin/true");
    QVERIFY(id > 0);
    QTRY_VERIFY(!host.ProgramRunning(id));
    QVERIFY(!host.ProgramRunning(0));
  }

  void aboutBoxShowsTheVersion() {
    QString version, qt;
    WhenModalShows([&](QDialog* dialog) {
      if (auto* label = dialog->findChild<QLabel*>("VersionLabel")) version = label->text();
      if (auto* label = dialog->findChild<QLabel*>("QtLabel")) qt = label->text();
    });
    Form->Item("Info2")->trigger();
    QVERIFY(ModalSeen);
    QVERIFY(QRegularExpression("^Version \\d+\\.\\d+").match(version).hasMatch());
    QVERIFY(qt.contains(QString::fromLatin1(qVersion())));
  }
};

// The button class on its own: the flat face, the pressed shift, groups and
// the disabled look.
class TestModernSpeedButton : public QObject {
  Q_OBJECT

  static QPixmap Dot() {
    QPixmap pm(5, 5);
    pm.fill(Qt::black);
    return pm;
  }
  static QPoint FirstDark(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) < 60) return QPoint(x, y);
    return QPoint(-1, -1);
  }

 private slots:
  void flatFaceAndPressedShift() {
    QWidget parent;
    TModernSpeedButton b(&parent);
    b.SetGlyph(Dot());
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QCOMPARE(b.size(), QSize(25, 25));
    const QImage up = b.grab().toImage();
    const QColor face = b.palette().color(QPalette::Button);
    // No bevel: every edge pixel is the face.
    for (int i = 0; i < 25; ++i)
      for (const QPoint p : {QPoint(i, 0), QPoint(i, 24), QPoint(0, i), QPoint(24, i)})
        QCOMPARE(up.pixelColor(p), face);
    QCOMPARE(FirstDark(up), QPoint(10, 10));
    b.setDown(true);
    QCOMPARE(FirstDark(b.grab().toImage()), QPoint(11, 11));
  }

  void groupsBehaveAsRadioButtons() {
    QWidget parent;
    TModernSpeedButton a(&parent), b(&parent), other(&parent);
    for (TModernSpeedButton* x : {&a, &b}) x->SetGroupIndex(1);
    other.SetGroupIndex(2);
    other.SetDown(true);
    a.click();
    QVERIFY(a.Down());
    b.click();
    QVERIFY(b.Down() && !a.Down());
    // Down stays down unless the group allows all up.
    b.click();
    QVERIFY(b.Down());
    b.SetAllowAllUp(true);
    b.click();
    QVERIFY(!b.Down());
    QVERIFY(other.Down());
    // Down in a group: checkered face, content shifted.
    a.SetGlyph(Dot());
    a.SetDown(true);
    const QImage image = a.grab().toImage();
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
    QCOMPARE(image.pixelColor(1, 0), a.palette().color(QPalette::Button));
    QCOMPARE(FirstDark(image), QPoint(11, 11));
  }

  void disabledGlyphs() {
    QWidget parent;
    TModernSpeedButton b(&parent);
    b.SetGlyph(Dot());
    b.setEnabled(false);
    // Embossed: the shape in the shadow colour with a highlight one pixel off.
    const QImage embossed = b.CurrentGlyph().toImage();
    QCOMPARE(embossed.size(), QSize(6, 6));
    QCOMPARE(embossed.pixelColor(0, 0), b.palette().color(QPalette::Dark));
    QCOMPARE(embossed.pixelColor(5, 5), b.palette().color(QPalette::Light));
    QCOMPARE(embossed.pixelColor(5, 0).alpha(), 0);
    // A glyph with its own disabled image uses it.
    QPixmap two(10, 5);
    two.fill(Qt::black);
    {
      QPainter p(&two);
      p.fillRect(5, 0, 5, 5, Qt::red);
    }
    b.SetGlyph(two, 2);
    QCOMPARE(b.CurrentGlyph().toImage().pixelColor(0, 0), QColor(Qt::red));
    b.setEnabled(true);
    QCOMPARE(b.CurrentGlyph().toImage().pixelColor(0, 0), QColor(Qt::black));
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int status = 0;
  {
    TestToolbar t;
    status |= QTest::qExec(&t, argc, argv);
  }
  {
    TestModernSpeedButton t;
    status |= QTest::qExec(&t, argc, argv);
  }
  return status;
}

#include "tst_toolbar.moc"
