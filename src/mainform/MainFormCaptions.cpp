// The language switch of the main window and its placement at start-up.
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QRandomGenerator>
#include <QScreen>

#include "commands/FileCommands.h"
#include "commands/UiState.h"
#include "controls/WindowPlacement.h"
#include "core/Captions.h"
#include "core/DocState.h"
#include "core/EnvState.h"
#include "core/OptionsState.h"
#include "core/Settings.h"
#include "core/StatusBar.h"
#include "core/Texts.h"
#include "mainform/MainForm.h"

#include "dialogs/DataInspectorForm.h"
#include "platform/Instance.h"
#include "platform/QtTranslations.h"

namespace {

constexpr int DesignWidth = 540;
constexpr int DesignHeight = 450;

// The key as the Qt-free formatting wants it: its modifiers and the English
// name Qt gives the key itself.
TShortcut ToShortcut(const QKeySequence& key) {
  TShortcut s;
  if (key.isEmpty()) return s;
  const QKeyCombination c = key[0];
  s.Shift = c.keyboardModifiers().testFlag(Qt::ShiftModifier);
  s.Ctrl = c.keyboardModifiers().testFlag(Qt::ControlModifier);
  s.Alt = c.keyboardModifiers().testFlag(Qt::AltModifier);
  s.Key = QKeySequence(c.key()).toString(QKeySequence::PortableText).toStdString();
  return s;
}

}  // namespace

// A menu shows the text after a tab in place of the shortcut Qt would
// format itself, which puts Ctrl before Shift and knows no German names.
void TQorinEditorMainForm::ShowShortcutText(QAction* action, const QKeySequence& key) {
  const QString caption = action->text().section(QLatin1Char('\t'), 0, 0);
  const std::string text = ShortcutText(ToShortcut(key));
  action->setText(text.empty() ? caption : caption + QLatin1Char('\t') + QString::fromStdString(text));
}

void TQorinEditorMainForm::SetCaptionKeepingShortcutText(QAction* action, const QString& caption) {
  const QString text = action->text();
  const qsizetype tab = text.indexOf(QLatin1Char('\t'));
  action->setText(tab < 0 ? caption : caption + text.mid(tab));
}

void TQorinEditorMainForm::SetLanguageCaptions() {
  const bool german = German();
  // Qt's file and print dialogs speak the program's language too.
  UseQtTranslations(german);
  // The top-level menus are hidden while their items change.
  const char* const topMenus[] = {"EditMainMenuItem", "MarkMainMenuItem", "OptionsMainMenuItem", "HelpMainMenuItem"};
  for (const char* name : topMenus)
    if (QAction* a = Item(name)) a->setVisible(false);

  // Captions, hints and the file dialogs' titles. Undo and Redo get their
  // real captions from the central refresh below.
  for (const TMenu& m : FMenus) m.Menu->setTitle(QString::fromUtf8(german ? m.German : m.English));
  for (const TItem& item : FItems) item.Action->setText(QString::fromUtf8(german ? item.German : item.English));
  for (int i = 0; i < ToolbarHintCount; ++i) {
    const QString hint = QString::fromStdString(ToolbarHint(ToolbarHints[i].Name));
    if (auto* w = findChild<QWidget*>(ToolbarHints[i].Name)) w->setToolTip(hint);
    if (QAction* a = Item(ToolbarHints[i].Name)) a->setToolTip(hint);
  }
  SetFileDialogTitles();
  // One of the two decimal buttons, by language.
  if (auto* w = findChild<QWidget*>("DecSpeedButton")) w->setVisible(!german);
  if (auto* w = findChild<QWidget*>("DezSpeedButton")) w->setVisible(german);
  // The value label of the status bar follows the language by itself.

  // Shortcuts after the captions, so that the menus show the key names of
  // the current language.
  for (const auto& [action, key] : FShortcuts) action->setShortcut(key);
  for (const TItem& item : FItems) ShowShortcutText(item.Action, FShortcuts[item.Action]);
  // The pop-up twins show their main item's key as text only; binding the
  // key twice would make it ambiguous.
  for (const auto& [twin, main] : FPopupTwins) ShowShortcutText(twin, FShortcuts[main]);

  for (const char* name : topMenus)
    if (QAction* a = Item(name)) a->setVisible(true);
  // The colour items keep their swatch icons through every caption change.
  UpdateMenus();
  UpdateStatusBar();
  ShowPanel2();  // a beep's reason showing now, in the new language
  if (FInspector) FInspector->SetCaptions();
  InvalidateDataBox();
}

void TQorinEditorMainForm::PlaceWindow() {
  TPlacementInput in;
  in.CurrentDialogBaseUnits = CurrentDialogBaseUnits();
  in.DefaultLeft = x();
  in.DefaultTop = y();
  in.DefaultWidth = DesignWidth;
  in.DefaultHeight = DesignHeight;
  in.FirstInstance = Env.FirstInstance;
  in.Placeable = WindowsPlaceable();
  in.R = int32_t(QRandomGenerator::global()->bounded(5));
  in.S = int32_t(QRandomGenerator::global()->bounded(5));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect desk = screen->availableVirtualGeometry();
    in.ScreenLeft = desk.left();
    in.ScreenTop = desk.top();
    in.ScreenWidth = desk.width();
    in.ScreenHeight = desk.height();
  }
  // The window manager's frame is not known before the window is shown, and
  // a move after that lands differently under different window managers. So
  // the pull-back keeps room for a generous frame, a title bar of two text
  // lines and a border of 4 pixels, and for a second title bar: some window
  // managers shift a placed window down by its frame once more when it is
  // mapped.
  constexpr int Border = 4;
  const int titleBar = 2 * fontMetrics().height();
  in.FrameExtraWidth = 2 * Border;
  in.FrameExtraHeight = 2 * titleBar + 2 * Border;
  const TPlacement p = ComputePlacement(in);
  resize(p.Width, p.Height);
  if (p.Positioned) move(p.Left, p.Top);
  RequestLayout();
  Doc.OpenDialog.InitialDir = Doc.SaveDialog.InitialDir = Env.InitialDir;
  Doc.MarksOpenDialog.InitialDir = Doc.MarksSaveDialog.InitialDir = Env.MarksInitialDir;
  SetCurrentFileName("");
}
