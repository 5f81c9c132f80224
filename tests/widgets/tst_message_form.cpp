// The message dialog as the user meets it: which button Enter and Escape
// press, what the close box answers, the order and captions of the buttons,
// and how a long text wraps.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "commands/ProgramState.h"
#include "core/OptionsState.h"
#include "dialogs/MessageForm.h"

namespace {

constexpr TMsgDlgButtons AllButtons = 0x1FF;

// Shows the dialog modally and lets act work on it once it is open. Should
// act leave the dialog open, the dialog is ended with -1 after a while so a
// broken key binding fails the test instead of hanging it.
int Run(const std::function<void(TMessageForm*)>& act, TMsgDlgButtons buttons, int defaultButton,
        const std::string& text = "Question?", int helpContext = 0) {
  auto poll = new QTimer;
  QElapsedTimer clock;
  clock.start();
  bool acted = false;
  QObject::connect(poll, &QTimer::timeout, [&] {
    auto* form = qobject_cast<TMessageForm*>(QApplication::activeModalWidget());
    if (!form || !form->isVisible()) return;
    if (!acted) {
      acted = true;
      act(form);
    } else if (clock.elapsed() > 3000) {
      form->done(-1);
    }
  });
  poll->start(10);
  const int result = ShowMessageForm(nullptr, text, TMsgDlgType::Confirmation, buttons, helpContext, defaultButton);
  delete poll;
  return result;
}

// Keys go where the keyboard focus of the dialog is, as a user's would.
std::function<void(TMessageForm*)> Press(Qt::Key key) {
  return [key](TMessageForm* form) {
    QWidget* target = form->focusWidget() ? form->focusWidget() : form;
    QTest::keyClick(target, key);
  };
}

std::function<void(TMessageForm*)> Click(TMsgDlgBtn b) {
  return [b](TMessageForm* form) {
    QPushButton* button = form->Button(b);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
  };
}

int ScreenWidth() { return QGuiApplication::primaryScreen()->geometry().width(); }

}  // namespace

class TestMessageForm : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    ResetProgramState();
    SetMessageFormHelpHandler(nullptr);
  }

  void enterAndEscapeWithDefaultNo() {
    // The name is taken while the form lives: its buttons go with it.
    QString focused;
    const int enter = Run(
        [&](TMessageForm* form) {
          if (auto* button = qobject_cast<QPushButton*>(form->focusWidget())) focused = button->objectName();
          Press(Qt::Key_Return)(form);
        },
        mbYesNoCancel, mbNo);
    QCOMPARE(enter, int(mrNo));
    QCOMPARE(focused, QString("No"));

    QCOMPARE(Run(Press(Qt::Key_Escape), mbYesNoCancel, mbNo), int(mrCancel));
    // Without a chosen default Enter answers Yes.
    QCOMPARE(Run(Press(Qt::Key_Enter), mbYesNoCancel, NoDefaultButton), int(mrYes));
  }

  void underlinedLetterAnswers() {
    QCOMPARE(Run(Press(Qt::Key_N), mbYesNoCancel, mbNo), int(mrNo));
    QCOMPARE(Run(Press(Qt::Key_Y), mbYesNoCancel, mbNo), int(mrYes));
    Options.Language = 7;
    QCOMPARE(Run(Press(Qt::Key_J), mbYesNoCancel, mbNo), int(mrYes));
    // Cancel has no underlined letter: C answers nothing, the dialog stays.
    QCOMPARE(Run(Press(Qt::Key_C), mbYesNoCancel, mbNo), -1);
  }

  void escapeOnOkOnlyAnswersOk() {
    QCOMPARE(Run(Press(Qt::Key_Escape), mbOKOnly, NoDefaultButton), int(mrOk));
    QCOMPARE(Run(Press(Qt::Key_Return), mbOKOnly, NoDefaultButton), int(mrOk));
    // No is the way out when there is no Cancel.
    QCOMPARE(Run(Press(Qt::Key_Escape), Btn(mbYes) | Btn(mbNo), NoDefaultButton), int(mrNo));
  }

  void everyButtonAnswersItsResult() {
    const std::pair<TMsgDlgBtn, int> expected[] = {{mbYes, 6},   {mbNo, 7},    {mbOK, 1},     {mbCancel, 2},
                                                   {mbAbort, 3}, {mbRetry, 4}, {mbIgnore, 5}, {mbAll, 8}};
    for (const auto& [button, result] : expected) QCOMPARE(Run(Click(button), AllButtons, NoDefaultButton), result);
  }

  void closeBoxAnswersCancel() {
    // Even where Escape would answer OK, closing the window answers Cancel.
    QCOMPARE(Run([](TMessageForm* form) { form->close(); }, mbOKOnly, NoDefaultButton), int(mrCancel));
    QCOMPARE(Run([](TMessageForm* form) { form->reject(); }, Btn(mbYes) | Btn(mbNo), mbNo), int(mrCancel));
  }

  void escapeWithoutCancelButtonDoesNothing() {
    const TMsgDlgButtons ari = Btn(mbAbort) | Btn(mbRetry) | Btn(mbIgnore);
    bool stillOpen = false;
    const int result = Run(
        [&](TMessageForm* form) {
          QTest::keyClick(form, Qt::Key_Escape);
          stillOpen = form->isVisible();
          QTest::mouseClick(form->Button(mbIgnore), Qt::LeftButton);
        },
        ari, NoDefaultButton);
    QVERIFY(stillOpen);
    QCOMPARE(result, int(mrIgnore));
    // Retry is the default there.
    QCOMPARE(Run(Press(Qt::Key_Return), ari, NoDefaultButton), int(mrRetry));
  }

  void helpButtonKeepsTheDialogOpen() {
    QList<int> contexts;
    SetMessageFormHelpHandler([&](int context) { contexts << context; });
    bool stillOpen = false;
    const int result = Run(
        [&](TMessageForm* form) {
          QTest::mouseClick(form->Button(mbHelp), Qt::LeftButton);
          stillOpen = form->isVisible();
          QTest::mouseClick(form->Button(mbOK), Qt::LeftButton);
        },
        Btn(mbOK) | Btn(mbHelp), NoDefaultButton, "Text", 1234);
    QVERIFY(stillOpen);
    QCOMPARE(contexts, QList<int>{1234});
    QCOMPARE(result, int(mrOk));
  }

  void buttonOrderAndCaptions() {
    Options.Language = 7;
    TMessageForm german(nullptr, "Frage?", TMsgDlgType::Confirmation, AllButtons, 0, NoDefaultButton);
    QCOMPARE(german.windowTitle(), QString("Bestätigung"));
    const TMsgDlgBtn order[] = {mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbHelp};
    const QStringList captions{"&Ja",          "&Nein",       "OK",    "Abbruch", "Abbruch",
                               "&Wiederholen", "&Ignorieren", "&Alle", "&Hilfe"};
    int lastRight = -1;
    for (int i = 0; i < 9; ++i) {
      QPushButton* b = german.Button(order[i]);
      QVERIFY(b);
      QCOMPARE(b->text(), captions[i]);
      QVERIFY(b->x() > lastRight);
      lastRight = b->geometry().right();
    }
    // The row is centred (within a pixel of rounding).
    const int left = german.Button(mbYes)->x();
    const int right = german.width() - 1 - german.Button(mbHelp)->geometry().right();
    QVERIFY(qAbs(left - right) <= 1);

    Options.Language = 9;
    TMessageForm english(nullptr, "Text", TMsgDlgType::Warning, Btn(mbCancel) | Btn(mbYes), 0, NoDefaultButton);
    QCOMPARE(english.windowTitle(), QString("Warning"));
    QCOMPARE(english.Button(mbCancel)->text(), QString("Cancel"));
    QVERIFY(english.Button(mbYes)->x() < english.Button(mbCancel)->x());
    QVERIFY(!english.Button(mbNo));
    QVERIFY(english.Icon());
    QCOMPARE(english.Icon()->size(), QSize(32, 32));

    TMessageForm custom(nullptr, "Text", TMsgDlgType::Custom, mbOKOnly, 0, NoDefaultButton);
    QCOMPARE(custom.windowTitle(), QString("Brisquentalovard"));
    QVERIFY(!custom.Icon());
    // Without the icon the text moves left by the icon and its spacing.
    QVERIFY(english.MessageText()->x() - custom.MessageText()->x() > 32);
    QCOMPARE(custom.MessageText()->y(), english.Icon()->y());
  }

  void defaultVariantIsBiggerAndEverythingIsCentred() {
    TMessageForm plain(nullptr, "Text", TMsgDlgType::Error, mbYesNoCancel, 0, NoDefaultButton);
    TMessageForm chosen(nullptr, "Text", TMsgDlgType::Error, mbYesNoCancel, 0, mbNo);
    QVERIFY(chosen.Button(mbNo)->width() > plain.Button(mbNo)->width());
    QVERIFY(chosen.Button(mbNo)->height() > plain.Button(mbNo)->height());
    QVERIFY(chosen.Button(mbNo)->isDefault());
    QVERIFY(plain.Button(mbYes)->isDefault());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY(qAbs(chosen.geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(chosen.geometry().center().y() - screen.center().y()) <= 1);
  }

  void longTextWrapsAtHalfTheScreen() {
    QString words;
    for (int i = 0; i < 200; ++i) words += "overwrite ";
    TMessageForm form(nullptr, words.toStdString(), TMsgDlgType::Warning, mbOKOnly, 0, NoDefaultButton);
    const int half = ScreenWidth() / 2;
    const int oneLine = QFontMetrics(form.font()).height();
    QVERIFY(form.MessageText()->width() <= half);
    QVERIFY(form.MessageText()->width() > half - QFontMetrics(form.font()).horizontalAdvance("overwrite ") - 1);
    QVERIFY(form.MessageText()->height() >= 3 * oneLine);
    QVERIFY(form.width() < half + 200);

    // A file name longer than a line is broken too rather than widening the
    // dialog past the screen.
    TMessageForm path(nullptr, "/" + std::string(600, 'x') + ".bin", TMsgDlgType::Error, mbOKOnly, 0, NoDefaultButton);
    QVERIFY(path.MessageText()->width() <= half);
    QVERIFY(path.MessageText()->height() >= 2 * oneLine);

    // CR characters break lines; two of them leave an empty line between.
    TMessageForm one(nullptr, "Line", TMsgDlgType::Custom, mbOKOnly, 0, NoDefaultButton);
    TMessageForm three(nullptr, "Line\r\rLine", TMsgDlgType::Custom, mbOKOnly, 0, NoDefaultButton);
    QCOMPARE(three.MessageText()->height(), 3 * one.MessageText()->height());
    QCOMPARE(three.MessageText()->width(), one.MessageText()->width());
  }
};

QTEST_MAIN(TestMessageForm)
#include "tst_message_form.moc"
