// The main window: menus, the grid, the status bar. It implements the view
// seam (what the screen must do after a command) and hands every user input
// to the Qt-free commands.
#pragma once

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/Seams.h"
#include "dialogs/DataInspectorForm.h"

class TModernSpeedButton;
class TVeskBox;
class TVeskMainPanel;

class TQorinEditorMainForm : public QMainWindow, public IView {
  Q_OBJECT
 public:
  TQorinEditorMainForm(int argc, const char* const* argv);
  ~TQorinEditorMainForm() override;

  TVeskBox* DataBox() const { return FDataBox; }
  TVeskMainPanel* MainPanel() const { return FMainPanel; }
  QAction* Item(const std::string& name) const;
  QLabel* StatusPanel(int i) const { return FPanels[i]; }
  // The width panel i needs to show every text it can get while no number
  // exceeds bound.
  int StatusPanelNeed(int panel, int64_t bound) const;
  int StatusPanelNeed(int panel, int64_t bound, const QFont& font) const;
  QMenu* PopupMenu() const { return FPopupMenu; }
  QWidget* SpeedPanel() const { return FSpeedPanel; }
  TModernSpeedButton* SpeedButton(const std::string& name) const;

  // Applies the captions and shortcuts of the current language, then the
  // central refresh and a full repaint.
  void SetLanguageCaptions() override;

  // The view seam.
  void RequestLayout() override;
  void InvalidateDataBox() override;
  void InvalidateMainPanel() override;
  void UpdateDataBoxRect(int32_t x, int32_t y, int32_t w, int32_t h) override;
  void FlushPaint() override;
  void ScrollDataBox(int32_t dy) override;
  void ScrollBarChanged() override;
  void SetCaption(const std::string& caption) override;
  void RestartCursorTimer() override;
  void ApplyMenuState(const TMenuState& state) override;
  void SetStatusPanel(int panel, const std::string& text) override;
  void CursorMoved() override;
  int32_t DataBoxScreenTop() override;
  void ShowInspector(bool shown) override;
  TDataInspectorForm* Inspector() const { return FInspector; }
  void ShowBeepReason(TBeepReason reason) override;
  void ShowNotice(const std::string& text) override;
  // How long a beep's reason covers panel 2 (3 s); tests shorten it.
  void SetBeepReasonDuration(int milliseconds) { FBeepReasonTimer.setInterval(milliseconds); }
  void ShowWork(const std::string& text) override;
  void EndWork() override;
  void RepaintWindow() override;
  void WatchFile(const std::string& name) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  // Files dropped on the grid or its panel: the first one is loaded.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // A new theme while the program runs: the grid takes its colours.
  void changeEvent(QEvent* event) override;

 private:
  struct TItem {
    QAction* Action;
    const char* English;
    const char* German;
  };
  struct TMenu {
    QMenu* Menu;
    const char* English;
    const char* German;
  };

  void CreateMenus();
  void CreatePopupMenu();
  void CreateOptionItems(QMenu* options);
  void CreateAccelerators();
  // The toolbar (MainToolbar.cpp): the panel first, for the layout; the
  // buttons once the menu items they repeat exist.
  void CreateSpeedPanel(QWidget* parent);
  void CreateSpeedButtons();
  void SpeedPanelResize();
  void CreateHelpMenu();
  QIcon SwatchIcon(uint8_t mark) const;
  QAction* AddSwatch(QMenu* menu, const std::string& name, uint8_t mark, const QKeySequence& shortcut,
                     std::function<void()> handler);
  QMenu* AddMenu(QMenu* parent, const char* name, const char* english, const char* german);
  QAction* AddItem(QMenu* menu, const char* name, const char* english, const char* german, const QKeySequence& shortcut,
                   std::function<void()> handler);
  void AddAccelerator(const char* name, const QKeySequence& shortcut, std::function<void()> handler);
  void LayOut(int proposedHeight);
  // Stored geometry, the offset of a second copy, the pull-back onto the
  // screen; then the first layout and the dialogs' start folders.
  void PlaceWindow();
  // The menu shows the key with the localised names, modifiers first.
  static void ShowShortcutText(QAction* action, const QKeySequence& key);
  static void SetCaptionKeepingShortcutText(QAction* action, const QString& caption);
  void CursorTimerTimer();
  void PopupAtCursor();
  void SizeStatusPanels();
  // The button face, its shadow and its text colour of the current palette.
  void TakeSystemColors();
  void ShowPanel2();
  // Gives the status bar the largest font, down to a limit, in which its
  // panels fit into width; true when its font changed.
  bool FitStatusFont(int width);
  // Loads the file named on the command line, once.
  void LoadCommandLineFile();

  int FArgc;
  const char* const* FArgv;
  TVeskMainPanel* FMainPanel = nullptr;
  TVeskBox* FDataBox = nullptr;
  QWidget* FSpeedPanel = nullptr;
  std::map<std::string, TModernSpeedButton*> FSpeedButtons;
  QLabel* FPanels[3] = {};
  QTimer FCursorTimer;
  std::vector<TItem> FItems;
  std::vector<TMenu> FMenus;
  std::map<std::string, QAction*> FByName;
  std::map<QAction*, QKeySequence> FShortcuts;
  struct TSwatch {
    QAction* Action;
    uint8_t Mark;
  };
  std::vector<TSwatch> FSwatches;
  QMenu* FPopupMenu = nullptr;
  class TSwatchMenuStyle* FSwatchStyle = nullptr;
  // Pop-up items and the main items whose shortcut text they show.
  std::vector<std::pair<QAction*, QAction*>> FPopupTwins;
  // A beep's reason covers panel 2 for a moment; its own text is kept
  // meanwhile and comes back when the timer ends.
  QTimer FBeepReasonTimer;
  TBeepReason FBeepReason = TBeepReason::NotFound;
  std::string FPanel2Text;
  std::string FNotice;  // instead of the beep's reason, while the timer runs
  bool FInLayout = false;
  int FLaidOutHeight = -1;
  // The data inspector, made when first shown, and its refresh: at the
  // event loop's next turn, at most once a frame.
  QPointer<TDataInspectorForm> FInspector;
  QTimer FInspectorRefresh;
  QElapsedTimer FInspectorRefreshed;
  void ScheduleInspectorRefresh();
  // Long work shows its progress in the third panel while it goes on.
  bool FWorking = false;
  // The command line's file: waiting for the window's first paint, loaded.
  bool FLoadWaits = false;
  bool FLoadStarted = false;
  // The document's file and its folder are watched for changes by other
  // programs; what the watch reports is looked at a moment later, at once
  // for a burst of reports, and only when no command or dialog is running.
  QFileSystemWatcher FWatcher;
  QString FWatchedFile;
  QTimer FDiskCheck;
  void ScheduleDiskCheck();
  void DiskCheckTimer();
};
