// The menus, the pop-up menu of the grid and the window-wide keys. Every item
// only calls its command; the central refresh decides what is enabled.
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <algorithm>

#include "commands/ByteCopyCommands.h"
#include "commands/ByteRangeCommands.h"
#include "commands/ClipboardCommands.h"
#include "commands/CommandGuard.h"
#include "commands/CompareCommands.h"
#include "commands/EditCommands.h"
#include "commands/FileCommands.h"
#include "commands/FindCommands.h"
#include "commands/ChecksumCommands.h"
#include "commands/InfoCommands.h"
#include "commands/InspectorCommands.h"
#include "commands/MarkCommands.h"
#include "commands/MarksFileCommands.h"
#include "commands/OptionCommands.h"
#include "commands/PrintCommands.h"
#include "commands/RecentFiles.h"
#include "commands/ReplaceCommands.h"
#include "commands/ViewCommands.h"
#include "controls/CellPainter.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "core/Texts.h"
#include "mainform/MainForm.h"
#include "mainform/SwatchMenuStyle.h"
#include "mainform/VeskBox.h"

namespace {

QKeySequence Key(QKeyCombination combination) { return QKeySequence(combination); }

const char* const ColourNames[7] = {"Unmark", "Red", "Green", "Blue", "Cyan", "Magenta", "Yellow"};

}  // namespace

// A swatch stands in for the caption of the colour items: filled with the
// mark colour and framed; disabled items show only a grey frame.
QIcon TQorinEditorMainForm::SwatchIcon(uint8_t mark) const {
  const QSize size(16, 16);
  QPixmap normal(size), disabled(size);
  normal.fill(Qt::transparent);
  disabled.fill(Qt::transparent);
  {
    QPainter p(&normal);
    p.fillRect(QRect(QPoint(0, 0), size), ToQColor(MarkColor(mark)));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawRect(0, 0, size.width() - 1, size.height() - 1);
  }
  {
    QPainter p(&disabled);
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(1, 1, size.width() - 2, size.height() - 2);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(0, 0, size.width() - 2, size.height() - 2);
  }
  QIcon icon(normal);
  icon.addPixmap(disabled, QIcon::Disabled);
  return icon;
}

QAction* TQorinEditorMainForm::AddSwatch(QMenu* menu, const std::string& name, uint8_t mark,
                                         const QKeySequence& shortcut, std::function<void()> handler) {
  // The caption names the colour for screen readers; the style draws the
  // swatch in its place.
  QAction* action =
      AddItem(menu, "", MarkColourName(mark, false), MarkColourName(mark, true), shortcut, std::move(handler));
  action->setObjectName(QString::fromStdString(name));
  FByName.erase("");
  FByName[name] = action;
  action->setIcon(SwatchIcon(mark));
  action->setIconVisibleInMenu(true);
  if (!FSwatchStyle) FSwatchStyle = new TSwatchMenuStyle([this] { return menuBar()->height(); });
  if (menu->style() != FSwatchStyle) {
    FSwatchStyle->setParent(this);
    menu->setStyle(FSwatchStyle);
  }
  FSwatches.push_back({action, mark});
  return action;
}

void TQorinEditorMainForm::CreateMenus() {
  QMenu* file = AddMenu(nullptr, "FileMainMenuItem", "&File", "&Datei");
  AddItem(file, "NewMainMenuItem", "&New", "&Neu", Key(Qt::CTRL | Qt::Key_N), NewMainMenuItemClick);
  AddItem(file, "FileOpenMainMenuItem", "&Open...", "&Öffnen...", Key(Qt::CTRL | Qt::Key_O), DoOpenFromFile);
  AddItem(file, "FileSaveMainMenuItem", "&Save", "&Speichern", Key(Qt::CTRL | Qt::Key_S), DoSave);
  AddItem(file, "FileSaveAsMainMenuItem", "Save &as...", "Speichern &unter...", QKeySequence(), DoSaveAs);
  file->addSeparator();
  AddItem(file, "LoadFromClipboardMainMenuItem", "Open &clipboard...", "&Zwischenablage öffnen...", QKeySequence(),
          LoadFromClipboardMainMenuItemClick);
  file->addSeparator();
  AddItem(file, "CompareMenuItem", "Compare &with...", "&Vergleichen mit...", QKeySequence(), CompareMenuItemClick);
  file->addSeparator();
  AddItem(file, "MarkOpenMainMenuItem", "Open &marks...", "Markierungen ö&ffnen...", QKeySequence(),
          MarkOpenMainMenuItemClick);
  AddItem(file, "MarkSaveAsMainMenuItem", "Save ma&rks as...", "Markierungen s&peichern unter...", QKeySequence(),
          MarkSaveAsMainMenuItemClick);
  file->addSeparator();
  AddItem(file, "FilePrintMainMenuItem", "&Print...", "D&rucken...", QKeySequence(), DoPrint);
  AddItem(file, "FileInfoStatistikMainMenuItem", "&Info/statistic...", "&Info/Statistik...", Key(Qt::CTRL | Qt::Key_I),
          FileInfoStatistikMainMenuItemClick);
  AddItem(file, "ChecksumsMainMenuItem", "Chec&ksums...", "Prüfsu&mmen...", QKeySequence(), ChecksumsMenuItemClick);
  file->addSeparator();
  AddItem(file, "EndMainMenuItem", "&Exit", "&Beenden", QKeySequence(), [this] { close(); });
  // The recent files; their captions and visibility come from the refresh.
  QAction* bar = file->addSeparator();
  bar->setObjectName("FileBarMenuItem");
  bar->setVisible(false);
  FByName["FileBarMenuItem"] = bar;
  for (int k = 0; k < 5; ++k) {
    const std::string name = "File" + std::to_string(k) + "MenuItem";
    QAction* item = new QAction(this);
    item->setObjectName(QString::fromStdString(name));
    item->setVisible(false);
    file->addAction(item);
    connect(item, &QAction::triggered, this, [k] { RunCommand([k] { RecentFileMenuItemClick(k); }); });
    FByName[name] = item;
  }

  QMenu* edit = AddMenu(nullptr, "EditMainMenuItem", "&Edit", "&Bearbeiten");
  AddItem(edit, "EditUndoMainMenuItem", "U", "U", Key(Qt::CTRL | Qt::Key_Z), EditUndoMainMenuItemClick);
  AddItem(edit, "EditRedoMainMenuItem", "U", "U", Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), EditRedoMainMenuItemClick);
  edit->addSeparator();
  AddItem(edit, "DeleteByteMainMenuItem", "&Delete byte", "Byte &löschen", Key(Qt::Key_Delete), DoDelete);
  AddItem(edit, "DeleteBytesMainMenuItem", "D&elete bytes", "Bytes l&öschen", Key(Qt::SHIFT | Qt::Key_Delete),
          DeleteBytesMainMenuItemClick);
  edit->addSeparator();
  AddItem(edit, "InsertByteMainMenuItem", "&Insert byte", "Byte &einfügen", Key(Qt::Key_Insert), DoInsert);
  AddItem(edit, "InsertBytesMainMenuItem", "Inser&t bytes", "Bytes e&infügen", Key(Qt::SHIFT | Qt::Key_Insert),
          InsertBytesMainMenuItemClick);
  AddItem(edit, "AppendByteMainMenuItem", "&Append byte", "Byte &anfügen", Key(Qt::CTRL | Qt::Key_Insert),
          DoAppendByte);
  AddItem(edit, "AppendBytesMainMenuItem", "Append &bytes", "Bytes an&fügen",
          Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Insert), AppendBytesMainMenuItemClick);
  edit->addSeparator();
  // Ctrl+C marks cyan, so the clipboard's bytes take the terminals' keys.
  AddItem(edit, "CopyBytesAsMainMenuItem", "Copy bytes a&s...", "Bytes &kopieren als...",
          Key(Qt::CTRL | Qt::SHIFT | Qt::Key_C), CopyBytesAsMenuItemClick);
  AddItem(edit, "PasteBytesMainMenuItem", "Paste b&ytes", "&Bytes aus Zwischenablage einfügen",
          Key(Qt::CTRL | Qt::SHIFT | Qt::Key_V), PasteBytesMenuItemClick);
  AddItem(edit, "PasteBytesOverMainMenuItem", "Paste bytes &over", "Bytes aus Zwischenablage &überschreiben",
          QKeySequence(), PasteBytesOverMenuItemClick);
  edit->addSeparator();
  AddItem(edit, "FindMainMenuItem", "&Find...", "&Suchen...", Key(Qt::CTRL | Qt::Key_F), FindMainMenuItemClick);
  AddItem(edit, "FindPreviousMainMenuItem", "Find &previous", "&Voriges suchen", Key(Qt::SHIFT | Qt::Key_F3),
          FindPreviousMainMenuItemClick);
  AddItem(edit, "FindNextMainMenuItem", "Find &next", "&Nächstes suchen", Key(Qt::Key_F3), FindNextMainMenuItemClick);
  AddItem(edit, "ReplaceMainMenuItem", "Repla&ce...", "Erset&zen...", Key(Qt::CTRL | Qt::Key_E),
          ReplaceMainMenuItemClick);
  AddItem(edit, "FindAndMarkMainMenuItem", "Find and &mark...", "Suchen und &markieren...", QKeySequence(),
          FindAndMarkMainMenuItemClick);
  edit->addSeparator();
  AddItem(edit, "GotoMainMenuItem", "&Go to...", "&Gehe zu...", Key(Qt::CTRL | Qt::Key_T), DoGoto);
  AddItem(edit, "GotoPreviousIdenticalByteMainMenuItem", "Pre&vious identical byte", "V&origes ident. Byte",
          Key(Qt::SHIFT | Qt::Key_Left), GotoPreviousIdenticalByteMainMenuItemClick);
  AddItem(edit, "GotoNextIdenticalByteMainMenuItem", "Ne&xt identical byte", "N&ächstes ident. Byte",
          Key(Qt::SHIFT | Qt::Key_Right), GotoNextIdenticalByteMainMenuItemClick);

  QMenu* mark = AddMenu(nullptr, "MarkMainMenuItem", "&Mark", "&Markierung");
  const Qt::Key colourKeys[7] = {Qt::Key_U, Qt::Key_R, Qt::Key_G, Qt::Key_B, Qt::Key_C, Qt::Key_M, Qt::Key_Y};
  for (uint8_t m = 1; m <= 6; ++m)
    AddSwatch(mark, std::string("Mark") + ColourNames[m] + "MainMenuItem", m, Key(Qt::CTRL | colourKeys[m]),
              [m] { MarkCursorByte(m); });
  mark->addSeparator();
  AddSwatch(mark, "MarkUnmarkMainMenuItem", 0, Key(Qt::CTRL | Qt::Key_U), DoUnmark);
  AddItem(mark, "MarkUnmarkAllMainMenuItem", "&Unmark all", "&Alle aufheben", QKeySequence(), DoUnmarkAll);
  mark->addSeparator();
  AddItem(mark, "MarkGotoPreviousMainMenuItem", "&Previous", "&Vorige", Key(Qt::CTRL | Qt::Key_Left),
          DoGotoPreviousMark);
  AddItem(mark, "MarkGotoNextMainMenuItem", "&Next", "&Nächste", Key(Qt::CTRL | Qt::Key_Right), DoGotoNextMark);
  mark->addSeparator();
  QMenu* previous = AddMenu(mark, "MarkGotoPreviuosMainMenu", "Pre&vious", "V&orige");
  QMenu* next = AddMenu(mark, "MarkGotoNextMainMenu", "Ne&xt", "N&ächste");
  for (uint8_t m = 1; m <= 6; ++m) {
    AddSwatch(previous, std::string("MarkGotoPrevious") + ColourNames[m] + "MainMenuItem", m, QKeySequence(),
              [m] { GotoPreviousMarkValue(m); });
    AddSwatch(next, std::string("MarkGotoNext") + ColourNames[m] + "MainMenuItem", m, QKeySequence(),
              [m] { GotoNextMarkValue(m); });
  }
  mark->addSeparator();
  AddItem(mark, "MarkGotoPreviousIdenticalMainMenuItem", "Previou&s identical", "Vo&rige ident.",
          Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Left), MarkGotoPreviousIdenticalMainMenuItemClick);
  AddItem(mark, "MarkGotoNextIdenticalMainMenuItem", "Nex&t identical", "Nä&chste ident.",
          Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Right), MarkGotoNextIdenticalMainMenuItemClick);

  QMenu* options = AddMenu(nullptr, "OptionsMainMenuItem", "&Options", "&Optionen");
  auto* mode = new QActionGroup(this);
  mode->addAction(AddItem(options, "OptionHexMainMenuItem", "&Hex", "&Hex", Key(Qt::CTRL | Qt::Key_H), HexClick));
  mode->addAction(AddItem(options, "OptionDecMainMenuItem", "&Dec", "&Dez", Key(Qt::CTRL | Qt::Key_D), DecClick));
  CreateOptionItems(options);
  CreateHelpMenu();

  CreatePopupMenu();
}

void TQorinEditorMainForm::CreatePopupMenu() {
  FPopupMenu = new QMenu(this);
  FPopupMenu->setObjectName("PopupMenu");
  // The pop-up twins show the main items' shortcuts; the keys themselves
  // belong to the main menu, so the twins carry them only as text.
  for (uint8_t m = 1; m <= 6; ++m)
    AddSwatch(FPopupMenu, std::string("Mark") + ColourNames[m] + "PopUpMenuItem", m, QKeySequence(),
              [m] { MarkCursorByte(m); });
  FPopupMenu->addSeparator();
  AddSwatch(FPopupMenu, "MarkUnmarkPopUpMenuItem", 0, QKeySequence(), DoUnmark);
  FPopupMenu->addSeparator();
  AddItem(FPopupMenu, "MarkGotoPreviousPopUpMenuItem", "&Previous Mark", "&Vorige Markierung", QKeySequence(),
          DoGotoPreviousMark);
  AddItem(FPopupMenu, "MarkGotoNextPopUpMenuItem", "&Next Mark", "&Nächste Markierung", QKeySequence(), DoGotoNextMark);
  FPopupMenu->addSeparator();
  AddItem(FPopupMenu, "MarkGotoPreviousIdenticalPopUpMenuItem", "Previous identical Mark", "Vo&rige ident. Markierung",
          QKeySequence(), MarkGotoPreviousIdenticalMainMenuItemClick);
  AddItem(FPopupMenu, "MarkGotoNextIdenticalPopUpMenuItem", "Next identical Mark", "Nä&chste ident. Markierung",
          QKeySequence(), MarkGotoNextIdenticalMainMenuItemClick);
  FPopupMenu->addSeparator();
  AddItem(FPopupMenu, "GotoPreviousIdenticalBytePopUpMenuItem", "Previous identical Byte", "V&origes ident. Byte",
          QKeySequence(), GotoPreviousIdenticalByteMainMenuItemClick);
  AddItem(FPopupMenu, "GotoNextIdenticalBytePopUpMenuItem", "Next identical Byte", "N&ächstes ident. Byte",
          QKeySequence(), GotoNextIdenticalByteMainMenuItemClick);
  FPopupMenu->addSeparator();
  AddItem(FPopupMenu, "CopyBytesAsPopUpMenuItem", "Copy bytes a&s...", "Bytes &kopieren als...", QKeySequence(),
          CopyBytesAsMenuItemClick);
  AddItem(FPopupMenu, "PasteBytesPopUpMenuItem", "Paste b&ytes", "&Bytes aus Zwischenablage einfügen", QKeySequence(),
          PasteBytesMenuItemClick);
  AddItem(FPopupMenu, "PasteBytesOverPopUpMenuItem", "Paste bytes &over", "Bytes aus Zwischenablage &überschreiben",
          QKeySequence(), PasteBytesOverMenuItemClick);
  // Shown, not bound: the twins display their main item's key.
  const char* twins[][2] = {{"MarkRedPopUpMenuItem", "MarkRedMainMenuItem"},
                            {"MarkGreenPopUpMenuItem", "MarkGreenMainMenuItem"},
                            {"MarkBluePopUpMenuItem", "MarkBlueMainMenuItem"},
                            {"MarkCyanPopUpMenuItem", "MarkCyanMainMenuItem"},
                            {"MarkMagentaPopUpMenuItem", "MarkMagentaMainMenuItem"},
                            {"MarkYellowPopUpMenuItem", "MarkYellowMainMenuItem"},
                            {"MarkUnmarkPopUpMenuItem", "MarkUnmarkMainMenuItem"},
                            {"MarkGotoPreviousPopUpMenuItem", "MarkGotoPreviousMainMenuItem"},
                            {"MarkGotoNextPopUpMenuItem", "MarkGotoNextMainMenuItem"},
                            {"MarkGotoPreviousIdenticalPopUpMenuItem", "MarkGotoPreviousIdenticalMainMenuItem"},
                            {"MarkGotoNextIdenticalPopUpMenuItem", "MarkGotoNextIdenticalMainMenuItem"},
                            {"GotoPreviousIdenticalBytePopUpMenuItem", "GotoPreviousIdenticalByteMainMenuItem"},
                            {"GotoNextIdenticalBytePopUpMenuItem", "GotoNextIdenticalByteMainMenuItem"},
                            {"CopyBytesAsPopUpMenuItem", "CopyBytesAsMainMenuItem"},
                            {"PasteBytesPopUpMenuItem", "PasteBytesMainMenuItem"}};
  for (const auto& twin : twins) FPopupTwins.push_back({Item(twin[0]), Item(twin[1])});
  FDataBox->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(FDataBox, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { FPopupMenu->popup(FDataBox->mapToGlobal(pos)); });
}

void TQorinEditorMainForm::CreateAccelerators() {
  AddAccelerator("UpAcc", Key(Qt::Key_Up), DoUp);
  AddAccelerator("DownAcc", Key(Qt::Key_Down), DoDown);
  AddAccelerator("LeftAcc", Key(Qt::Key_Left), DoLeft);
  AddAccelerator("RightAcc", Key(Qt::Key_Right), DoRight);
  AddAccelerator("PageUpAcc", Key(Qt::Key_PageUp), DoPageUp);
  AddAccelerator("PageDownAcc", Key(Qt::Key_PageDown), DoPageDown);
  AddAccelerator("HomeAcc", Key(Qt::Key_Home), DoHome);
  AddAccelerator("EndAcc", Key(Qt::Key_End), DoEnd);
  AddAccelerator("TabAcc", Key(Qt::Key_Tab), DoTab);
  // One binding only: X11 delivers Shift+Tab as Shift+Backtab, which the
  // shortcut map retries as Shift+Tab. Binding the Backtab forms as well
  // makes one key press match several shortcuts, and Qt then runs none.
  AddAccelerator("ShiftTabAcc", Key(Qt::SHIFT | Qt::Key_Tab), DoTab);
  AddAccelerator("BackAcc", Key(Qt::Key_Backspace), DoBackspace);
  AddAccelerator("AltBackAcc", Key(Qt::ALT | Qt::Key_Backspace), EditUndoMainMenuItemClick);
  AddAccelerator("ShiftAltBackAcc", Key(Qt::SHIFT | Qt::ALT | Qt::Key_Backspace), EditRedoMainMenuItemClick);
  AddAccelerator("ShiftUpAcc", Key(Qt::SHIFT | Qt::Key_Up), GotoPreviousIdenticalByteMainMenuItemClick);
  AddAccelerator("ShiftDownAcc", Key(Qt::SHIFT | Qt::Key_Down), GotoNextIdenticalByteMainMenuItemClick);
  AddAccelerator("CtrlUpAcc", Key(Qt::CTRL | Qt::Key_Up), DoGotoPreviousMark);
  AddAccelerator("CtrlDownAcc", Key(Qt::CTRL | Qt::Key_Down), DoGotoNextMark);
  AddAccelerator("ShiftCtrlUpAcc", Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Up), MarkGotoPreviousIdenticalMainMenuItemClick);
  AddAccelerator("ShiftCtrlDownAcc", Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Down), MarkGotoNextIdenticalMainMenuItemClick);
  AddAccelerator("CtrlLAcc", Key(Qt::CTRL | Qt::Key_L), FindNextMainMenuItemClick);
  AddAccelerator("ShiftCtrlLAcc", Key(Qt::CTRL | Qt::SHIFT | Qt::Key_L), FindPreviousMainMenuItemClick);
  // The pop-up menu from the keyboard, at the cursor, as on every desktop.
  AddAccelerator("MenuKeyAcc", Key(Qt::Key_Menu), [this] { PopupAtCursor(); });
  AddAccelerator("ShiftF10Acc", Key(Qt::SHIFT | Qt::Key_F10), [this] { PopupAtCursor(); });
}

void TQorinEditorMainForm::PopupAtCursor() {
  if (Grid.BytesPerRow <= 0) return;
  const int32_t offset = std::max<int32_t>(0, std::min(CursorOffset(), Doc.DocSize - 1));
  const int32_t column = offset % Grid.BytesPerRow;
  const int32_t row = offset / Grid.BytesPerRow - TopRow();
  int x = column * Grid.ValueCellWidth;
  if (InCharArea(Cursor.CursorCol))
    x = Grid.BytesPerRow * Grid.ValueCellWidth + Grid.CellPadLeft + column * Grid.CharWidth;
  // Below the cursor's cell, kept inside the data area when the cursor row
  // is scrolled out of sight.
  const QRect client = FDataBox->ClientRect();
  const QPoint at(std::clamp(x, 0, client.width() - 1), std::clamp((row + 1) * Grid.RowHeight, 0, client.height() - 1));
  FPopupMenu->popup(FDataBox->mapToGlobal(at));
}

// The Options menu below Hex and Dec: the language, how marks are printed,
// and the independent switches.
void TQorinEditorMainForm::CreateOptionItems(QMenu* options) {
  options->addSeparator();
  auto* language = new QActionGroup(this);
  language->addAction(AddItem(options, "EnglishMenuItem", "&English/Englisch", "&Englisch/English", QKeySequence(),
                              EnglishMenuItemClick));
  language->addAction(
      AddItem(options, "DeutschMenuItem", "&German/Deutsch", "Deutsch/&German", QKeySequence(), DeutschMenuItemClick));
  options->addSeparator();
  auto* print = new QActionGroup(this);
  print->addAction(AddItem(options, "OptionPrintMarksHatchedMenuItem", "Print marks ha&tched",
                           "Markierungen &schraffiert drucken", QKeySequence(), OptionPrintMarksHatchedMenuItemClick));
  print->addAction(AddItem(options, "OptionPrintMarksUsingColorsMenuItem", "Print marks using &colors",
                           "Markierungen &farbig drucken", QKeySequence(), OptionPrintMarksUsingColorsMenuItemClick));
  print->addAction(AddItem(options, "OptionDoNotPrintMarksMenuItem", "Do &not print marks",
                           "Markierungen &nicht drucken", QKeySequence(), OptionDoNotPrintMarksMenuItemClick));
  options->addSeparator();
  AddItem(options, "CreatebackupfilesMenuItem", "Create &backup-files", "&Backup-Dateien anlegen", QKeySequence(),
          CreatebackupfilesMenuItemClick);
  AddItem(options, "OverwriteWarnMenuItem", "&Show overwrite warning", "Warnung vorm &Überschreiben von Dateien",
          QKeySequence(), OverwriteWarnMenuItemClick);
  AddItem(options, "KeepmarksonloadMenuItem", "&Keep marks when opening", "Markierungen beim &Öffnen beibehalten",
          QKeySequence(), KeepmarksonloadMenuItemClick);
  AddItem(options, "OptionNoUnknownMenuItem", "&Unknown chars as space", "Nicht darstellbare &Zeichen als Space",
          QKeySequence(), OptionNoUnknownMenuItemClick);
  options->addSeparator();
  AddItem(options, "DataInspectorMenuItem", "Data &inspector", "Daten&inspektor", QKeySequence(Qt::Key_F12),
          DataInspectorMenuItemClick);
}
