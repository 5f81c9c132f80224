#include "mainform/MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QUrl>

#include "commands/CommandGuard.h"
#include "commands/EditCommands.h"
#include "commands/FileCommands.h"
#include "commands/UiState.h"
#include "controls/CellPainter.h"
#include "controls/WindowPlacement.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/EnvState.h"
#include "core/Geometry.h"
#include "core/GridState.h"
#include "core/OptionsState.h"
#include "core/StatusBar.h"
#include "core/Texts.h"
#include "dialogs/DataInspectorForm.h"
#include "mainform/KeyRules.h"
#include "mainform/ToolbarGlyphs.h"
#include "mainform/VeskBox.h"
#include "mainform/VeskMainPanel.h"

namespace {
constexpr int DesignWidth = 540;
constexpr int DesignHeight = 450;
}  // namespace

TQorinEditorMainForm::TQorinEditorMainForm(int argc, const char* const* argv) : FArgc(argc), FArgv(argv) {
  setObjectName("QorinEditorMainForm");
  // Every window of the program, the about box included, shows its icon.
  if (QApplication::windowIcon().isNull()) QApplication::setWindowIcon(ProgramIcon());
  TakeSystemColors();

  auto* central = new QWidget(this);
  setCentralWidget(central);
  CreateSpeedPanel(central);
  FMainPanel = new TVeskMainPanel(central);
  FDataBox = new TVeskBox(FMainPanel);
  FDataBox->installEventFilter(this);
  FMainPanel->installEventFilter(this);
  menuBar()->installEventFilter(this);

  for (int i = 0; i < 3; ++i) {
    FPanels[i] = new QLabel(this);
    statusBar()->addWidget(FPanels[i]);
  }
  SizeStatusPanels();
  statusBar()->setSizeGripEnabled(false);

  CreateMenus();
  CreateAccelerators();
  CreateSpeedButtons();

  setFocusPolicy(Qt::StrongFocus);
  SetSeams(nullptr, this);

  FCursorTimer.setInterval(500);
  connect(&FCursorTimer, &QTimer::timeout, this, &TQorinEditorMainForm::CursorTimerTimer);
  FCursorTimer.start();
  FBeepReasonTimer.setSingleShot(true);
  FBeepReasonTimer.setInterval(3000);
  connect(&FBeepReasonTimer, &QTimer::timeout, this, [this] { ShowPanel2(); });
  FDiskCheck.setSingleShot(true);
  connect(&FDiskCheck, &QTimer::timeout, this, &TQorinEditorMainForm::DiskCheckTimer);
  connect(&FWatcher, &QFileSystemWatcher::fileChanged, this, [this] { ScheduleDiskCheck(); });
  connect(&FWatcher, &QFileSystemWatcher::directoryChanged, this, [this] { ScheduleDiskCheck(); });
  FInspectorRefresh.setSingleShot(true);
  FInspectorRefresh.setInterval(0);
  connect(&FInspectorRefresh, &QTimer::timeout, this, [this] {
    if (FInspector && FInspector->isVisible()) FInspector->Refresh();
    FInspectorRefreshed.start();
  });

  PlaceWindow();
}

void TQorinEditorMainForm::TakeSystemColors() {
  const auto rgb = [](const QColor& c) { return TRgb{uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue())}; };
  Env.ButtonFace = rgb(palette().color(QPalette::Button));
  Env.ButtonShadow = rgb(palette().color(QPalette::Dark));
  Env.ButtonText = rgb(palette().color(QPalette::ButtonText));
}

void TQorinEditorMainForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange) {
    TakeSystemColors();
    if (FMainPanel) FMainPanel->update();
    if (FDataBox) FDataBox->update();
  }
  // Back from another program, which may have changed the file unwatched
  // (a watch can miss a network file system, or run out of slots).
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) ScheduleDiskCheck();
  QMainWindow::changeEvent(event);
}

TQorinEditorMainForm::~TQorinEditorMainForm() { SetSeams(&Host(), nullptr); }

QAction* TQorinEditorMainForm::Item(const std::string& name) const {
  const auto it = FByName.find(name);
  return it == FByName.end() ? nullptr : it->second;
}

QMenu* TQorinEditorMainForm::AddMenu(QMenu* parent, const char* name, const char* english, const char* german) {
  // Titled at once: the menu bar's height counts in the first layout, before
  // the captions are applied.
  const QString title = QString::fromUtf8(German() ? german : english);
  QMenu* menu = parent ? parent->addMenu(title) : menuBar()->addMenu(title);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  FMenus.push_back({menu, english, german});
  FByName[name] = menu->menuAction();
  return menu;
}

QAction* TQorinEditorMainForm::AddItem(QMenu* menu, const char* name, const char* english, const char* german,
                                       const QKeySequence& shortcut, std::function<void()> handler) {
  auto* action = new QAction(this);
  action->setObjectName(name);
  menu->addAction(action);
  connect(action, &QAction::triggered, this, [handler] { RunCommand(handler); });
  FItems.push_back({action, english, german});
  FByName[name] = action;
  FShortcuts[action] = shortcut;
  return action;
}

void TQorinEditorMainForm::AddAccelerator(const char* name, const QKeySequence& shortcut,
                                          std::function<void()> handler) {
  // Bound to the window, not to a visible menu: the keys work everywhere in it.
  auto* action = new QAction(this);
  action->setObjectName(name);
  action->setShortcutContext(Qt::WindowShortcut);
  addAction(action);
  connect(action, &QAction::triggered, this, [handler] { RunCommand(handler); });
  FByName[name] = action;
  FShortcuts[action] = shortcut;
}

void TQorinEditorMainForm::LayOut(int proposedHeight) {
  FInLayout = true;
  ComputeGeometryFromFont();
  const int menuHeight = menuBar()->sizeHint().height();
  TLayoutInput in;
  in.ProposedClientHeight = proposedHeight - menuHeight;
  in.ToolbarHeight = FSpeedPanel->height();
  in.StatusBarHeight = statusBar()->sizeHint().height();
  in.PanelFrame = 2 * TVeskMainPanel::Border;
  in.ScrollBarWidth = FDataBox->VertBar()->sizeHint().width();
  TLayoutResult r = ComputeLayout(in);
  if (FitStatusFont(r.PanelWidth)) {
    in.StatusBarHeight = statusBar()->sizeHint().height();
    r = ComputeLayout(in);
  }
  ApplyLayout(r.VisibleRows);

  FDataBox->move(TVeskMainPanel::Border + Grid.OffsetColumnWidth, TVeskMainPanel::Border + Grid.RowHeight);
  FDataBox->SetClientSize(r.DataBoxClientWidth, r.DataBoxClientHeight);
  FMainPanel->setGeometry(0, in.ToolbarHeight, r.PanelWidth, r.PanelHeight);
  FSpeedPanel->setGeometry(0, 0, r.PanelWidth, in.ToolbarHeight);

  // The width follows the grid; the height moves in whole rows. Only when
  // the status texts need more room than the grid gives even in the
  // smallest status font is the window wider than the grid, so that no
  // panel is cut.
  SizeStatusPanels();
  if (QLayout* status = statusBar()->layout()) status->activate();
  const int width = std::max(r.PanelWidth, statusBar()->minimumSizeHint().width());
  const int height = r.ClientHeight + menuHeight;
  setFixedWidth(width);
  setMinimumHeight(height - (r.VisibleRows - 1) * Grid.RowHeight);
  // Window managers that honour size hints snap the drag to whole rows.
  if (sizeIncrement() != QSize(0, Grid.RowHeight)) setSizeIncrement(0, Grid.RowHeight);
  if (baseSize() != QSize(width, height - r.VisibleRows * Grid.RowHeight))
    setBaseSize(width, height - r.VisibleRows * Grid.RowHeight);
  FLaidOutHeight = height;
  if (this->height() != height) resize(width, height);
  FInLayout = false;
  InvalidateMainPanel();
  InvalidateDataBox();
}

void TQorinEditorMainForm::RequestLayout() { LayOut(height()); }

static QString WidenedDigits(const QString& text, const QFontMetrics& metrics) {
  // Proportional fonts give digits different widths: every digit is
  // measured as the widest one of its kind, hexadecimal after a "$".
  const auto widest = [&](const char* set) {
    QChar best = QLatin1Char(set[0]);
    for (const char* c = set; *c; ++c)
      if (metrics.horizontalAdvance(QLatin1Char(*c)) > metrics.horizontalAdvance(best)) best = QLatin1Char(*c);
    return best;
  };
  const QChar decimal = widest("0123456789"), hex = widest("0123456789ABCDEF");
  QString out = text;
  bool inHex = false;
  for (QChar& c : out) {
    if (c == QLatin1Char('$'))
      inHex = true;
    else if (c == QLatin1Char(' '))
      inHex = false;
    else if (inHex && c.isLetterOrNumber() && c.unicode() < 128)
      c = hex;
    else if (c.isDigit() && c.unicode() < 128)
      c = decimal;
  }
  return out;
}

int TQorinEditorMainForm::StatusPanelNeed(int panel, int64_t bound) const {
  return StatusPanelNeed(panel, bound, FPanels[panel]->font());
}

int TQorinEditorMainForm::StatusPanelNeed(int panel, int64_t bound, const QFont& font) const {
  const QFontMetrics metrics(font);
  int text = 0;
  for (const std::string& t : LongestPanelTexts(panel, bound))
    text = std::max(text, metrics.horizontalAdvance(WidenedDigits(QString::fromStdString(t), metrics)));
  const QMargins m = FPanels[panel]->contentsMargins();
  // The label's own frame and margin, and a little air so no glyph touches the edge.
  return text + m.left() + m.right() + 2 * FPanels[panel]->margin() + metrics.averageCharWidth();
}

bool TQorinEditorMainForm::FitStatusFont(int width) {
  // The numbers of a large document in a narrow (decimal) grid can need
  // more room than the grid is wide. A smaller status font, down to three
  // quarters of the window's, is better than a window with a dead strip
  // beside its grid.
  SizeStatusPanels();
  if (QLayout* status = statusBar()->layout()) status->activate();
  int spacing = statusBar()->minimumSizeHint().width();
  for (const QLabel* panel : FPanels) spacing -= panel->width();
  const int64_t bound = PanelNumberBound();
  const auto need = [&](const QFont& font) {
    int sum = spacing;
    for (int i = 0; i < 3; ++i)
      sum += StatusPanelNeed(i, bound, FPanels[i]->testAttribute(Qt::WA_SetFont) ? FPanels[i]->font() : font);
    return sum;
  };
  QFont font = this->font();
  const bool points = font.pointSizeF() > 0;
  const qreal full = points ? font.pointSizeF() : font.pixelSize();
  for (qreal size = full; size >= 0.75 * full; size -= points ? 0.5 : 1) {
    if (points)
      font.setPointSizeF(size);
    else
      font.setPixelSize(int(size));
    if (need(font) <= width) break;
  }
  if (statusBar()->font() == font) return false;
  statusBar()->setFont(font);
  return true;
}

void TQorinEditorMainForm::SizeStatusPanels() {
  const int64_t bound = PanelNumberBound();
  for (int i = 0; i < 3; ++i) {
    const int need = StatusPanelNeed(i, bound);
    if (FPanels[i]->width() != need || FPanels[i]->minimumWidth() != need) FPanels[i]->setFixedWidth(need);
  }
}

void TQorinEditorMainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (!FInLayout && event->size().height() != FLaidOutHeight) LayOut(event->size().height());
}

void TQorinEditorMainForm::InvalidateDataBox() {
  FDataBox->update(FDataBox->ClientRect());
  // Bytes may have changed under the cursor without it moving.
  ScheduleInspectorRefresh();
}
void TQorinEditorMainForm::InvalidateMainPanel() { FMainPanel->update(); }

void TQorinEditorMainForm::UpdateDataBoxRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  FDataBox->update(QRect(x, y, w, h) & FDataBox->ClientRect());
}

// Long loops (Unmark all and the like) show their percentage while they
// run: the pending repaints of the window are delivered now, without
// handling any input.
void TQorinEditorMainForm::FlushPaint() { QCoreApplication::sendPostedEvents(this, QEvent::UpdateRequest); }

void TQorinEditorMainForm::ScrollDataBox(int32_t dy) {
  FDataBox->ScrollPixels(dy);
  FMainPanel->update();
}

void TQorinEditorMainForm::ScrollBarChanged() { FDataBox->MirrorScrollBar(); }

void TQorinEditorMainForm::SetCaption(const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); }

void TQorinEditorMainForm::RestartCursorTimer() { FCursorTimer.start(); }

void TQorinEditorMainForm::ApplyMenuState(const TMenuState& state) {
  for (const auto& [name, enabled] : state.Enabled)
    if (QAction* a = Item(name)) a->setEnabled(enabled);
  for (const auto& [name, checked] : state.Checked)
    if (QAction* a = Item(name)) {
      a->setCheckable(true);
      a->setChecked(checked);
    }
  for (const auto& [name, caption] : state.Captions)
    if (QAction* a = Item(name)) SetCaptionKeepingShortcutText(a, QString::fromStdString(caption));
  for (const auto& [name, visible] : state.Visible)
    if (QAction* a = Item(name)) a->setVisible(visible);
}

void TQorinEditorMainForm::SetStatusPanel(int panel, const std::string& text) {
  if (panel == 2) {
    FPanel2Text = text;
    ShowPanel2();
  } else if (panel >= 0 && panel < 2) {
    FPanels[panel]->setText(QString::fromStdString(text));
  }
}

// The third panel shows, first to last: the progress of long work, a beep's
// reason for its moment, or its own text.
void TQorinEditorMainForm::ShowPanel2() {
  if (FWorking) return;
  std::string text = FPanel2Text;
  if (FBeepReasonTimer.isActive()) text = FNotice.empty() ? TxtBeepReason(FBeepReason) : FNotice;
  FPanels[2]->setText(QString::fromStdString(text));
}

void TQorinEditorMainForm::ShowBeepReason(TBeepReason reason) {
  FBeepReason = reason;
  FNotice.clear();
  FBeepReasonTimer.start();
  ShowPanel2();
}

void TQorinEditorMainForm::ShowNotice(const std::string& text) {
  FNotice = text;
  FBeepReasonTimer.start();
  ShowPanel2();
}

void TQorinEditorMainForm::CursorMoved() {
  UpdateStatusBar();
  ScheduleInspectorRefresh();
}

// The inspector follows at most once a frame: a single move shows at the
// next turn of the event loop, a burst of moves (a held arrow key, a
// scripted run) costs one refresh per 16 ms, not one per move.
void TQorinEditorMainForm::ScheduleInspectorRefresh() {
  if (!FInspector || !FInspector->isVisible() || FInspectorRefresh.isActive()) return;
  constexpr qint64 Frame = 16;
  const qint64 since = FInspectorRefreshed.isValid() ? FInspectorRefreshed.elapsed() : Frame;
  FInspectorRefresh.start(int(std::max<qint64>(0, Frame - since)));
}

void TQorinEditorMainForm::ShowInspector(bool shown) {
  if (!shown) {
    if (FInspector) FInspector->hide();
    return;
  }
  if (!FInspector) {
    FInspector = new TDataInspectorForm(this);
    connect(FInspector, &TDataInspectorForm::Closed, this, [] {
      Options.InspectorOpen = false;
      UpdateMenus();
    });
  }
  // Where it stood last, if that is still on a screen; else beside the window.
  // Where the compositor places windows, only the size comes back.
  const QRect stored(Env.InspectorLeft, Env.InspectorTop, Env.InspectorWidth, Env.InspectorHeight);
  const QScreen* screen = QGuiApplication::screenAt(stored.center());
  const bool placeable = WindowsPlaceable();
  if (Env.InspectorWidth > 0 && Env.InspectorHeight > 0 &&
      (!placeable || (screen && screen->availableGeometry().intersects(stored)))) {
    FInspector->resize(stored.size().expandedTo(FInspector->minimumSizeHint()));
    MoveWindow(FInspector, stored.topLeft());
  } else {
    FInspector->adjustSize();
    const QRect avail = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    const int left = std::min(frameGeometry().right() + 8, avail.right() - FInspector->width());
    MoveWindow(FInspector, QPoint(std::max(avail.left(), left), std::max(avail.top(), y())));
  }
  FInspector->Refresh();
  FInspector->show();
  FInspector->raise();
}

void TQorinEditorMainForm::ShowWork(const std::string& text) {
  const bool first = !FWorking;
  FWorking = true;
  FPanels[2]->setText(QString::fromStdString(text));
  // The work gives the event loop no turn until it ends: the panel is
  // painted now, and at first the whole window, over whatever the menu or
  // dialog that started the work left on it.
  if (first)
    RepaintWindow();
  else
    FPanels[2]->repaint();
}

void TQorinEditorMainForm::EndWork() {
  if (!FWorking) return;
  FWorking = false;
  ShowPanel2();
}

void TQorinEditorMainForm::RepaintWindow() {
  // What a closed dialog uncovered the window system tells by events, which
  // long work would leave waiting: they are taken now (input stays queued
  // for later), and then the whole window is painted.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  repaint();
}

void TQorinEditorMainForm::WatchFile(const std::string& name) {
  if (!FWatcher.files().isEmpty()) FWatcher.removePaths(FWatcher.files());
  if (!FWatcher.directories().isEmpty()) FWatcher.removePaths(FWatcher.directories());
  FWatchedFile = QString::fromStdString(name);
  if (name.empty()) return;
  // The folder too: a file replaced by a rename, or deleted and made anew,
  // is a new file that the old watch does not see.
  FWatcher.addPath(FWatchedFile);
  FWatcher.addPath(QFileInfo(FWatchedFile).absolutePath());
}

void TQorinEditorMainForm::ScheduleDiskCheck() {
  // A burst of reports (a truncation, then the writes) makes one look, soon
  // enough to feel immediate.
  if (!FWatchedFile.isEmpty() && !FDiskCheck.isActive()) FDiskCheck.start(100);
}

void TQorinEditorMainForm::DiskCheckTimer() {
  if (FWatchedFile.isEmpty()) return;
  if (CommandRunning() || QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
    FDiskCheck.start(250);
    return;
  }
  if (!FWatcher.files().contains(FWatchedFile) && QFileInfo::exists(FWatchedFile)) FWatcher.addPath(FWatchedFile);
  RunCommand(CheckDiskChange);
}

int32_t TQorinEditorMainForm::DataBoxScreenTop() { return FDataBox->mapToGlobal(QPoint(0, 0)).y(); }

void TQorinEditorMainForm::CursorTimerTimer() {
  CursorBlink();
  // The pointer may have left without a notice (onto the scroll bar, or
  // with a menu open): the distance then refers to no cell.
  const QPoint pointer = FDataBox->mapFromGlobal(QCursor::pos());
  if ((Cursor.MouseX >= 0 || Cursor.MouseY >= 0) &&
      !(FDataBox->underMouse() && FDataBox->ClientRect().contains(pointer)))
    FDataBox->ForgetMouse();
}

namespace {
// The first local file a drag carries, or empty.
QString FirstDroppedFile(const QMimeData* mime) {
  if (!mime || !mime->hasUrls()) return {};
  for (const QUrl& url : mime->urls())
    if (url.isLocalFile()) return url.toLocalFile();
  return {};
}
}  // namespace

bool TQorinEditorMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FDataBox && event->type() == QEvent::Paint && FLoadWaits) {
    // The window is on the screen: the load starts once this paint is done.
    FLoadWaits = false;
    QTimer::singleShot(0, this, &TQorinEditorMainForm::LoadCommandLineFile);
  }
  // A key the menu bar (or an open menu, which hands unmatched keys to the
  // menu bar) does not want would travel on to the window and be typed into
  // the grid. It ends at the menu bar instead.
  if (watched == menuBar() && event->type() == QEvent::KeyPress) {
    static_cast<QObject*>(menuBar())->event(event);
    return true;
  }
  if (event->type() == QEvent::DragEnter) {
    auto* enter = static_cast<QDragEnterEvent*>(event);
    if (!FirstDroppedFile(enter->mimeData()).isEmpty()) enter->acceptProposedAction();
    return true;
  }
  if (event->type() == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    const QString file = FirstDroppedFile(drop->mimeData());
    drop->acceptProposedAction();
    if (!file.isEmpty()) RunCommand([&] { DroppedFiles(file.toStdString()); });
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TQorinEditorMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // A large file takes seconds to load, and a window not yet painted shows
  // that time as a black hole: the load waits for the first paint of the
  // grid. Should the window system never ask for one, it starts anyway.
  if (Env.FirstShow && !FLoadStarted && !FLoadWaits) {
    FLoadWaits = true;
    QTimer::singleShot(1000, this, &TQorinEditorMainForm::LoadCommandLineFile);
  }
}

void TQorinEditorMainForm::LoadCommandLineFile() {
  if (FLoadStarted) return;
  FLoadStarted = true;
  FLoadWaits = false;
  RunCommand([this] { FormShow(FArgc, FArgv); });
  if (Options.InspectorOpen) ShowInspector(true);
}

void TQorinEditorMainForm::closeEvent(QCloseEvent* event) {
  bool canClose = false;
  RunCommand([&canClose] { canClose = FormCloseQuery(); });
  if (!canClose) {
    event->ignore();
    return;
  }
  // The bounds are kept for the next start: the position of the frame and
  // the size inside it, which is what the next start gives back to the
  // window system (the frame's own size is the window manager's). Where
  // the compositor places windows the position reads 0, 0: the one last
  // kept under X11 stays for the next X11 session.
  if (WindowsPlaceable()) {
    Env.Left = x();
    Env.Top = y();
  }
  Env.Height = height();
  Env.Width = width();
  event->accept();
}

void TQorinEditorMainForm::keyPressEvent(QKeyEvent* event) {
  // Only keys that no enabled shortcut took arrive here. A key meant for an
  // open menu or for a command (enabled or not) must not touch the data.
  if (QApplication::activePopupWidget() || menuBar()->activeAction()) {
    event->accept();
    return;
  }
  std::vector<QKeySequence> bound;
  bound.reserve(FShortcuts.size());
  for (const auto& [action, key] : FShortcuts) bound.push_back(key);
  const TKeyDecision decision = DecideKey(event, bound);
  switch (decision.Use) {
    case TKeyUse::Type:
      event->accept();
      RunCommand([&] { FormKeyPress(decision.Code); });
      break;
    case TKeyUse::Swallow: event->accept(); break;
    case TKeyUse::PassOn: QMainWindow::keyPressEvent(event); break;
  }
}

bool TQorinEditorMainForm::focusNextPrevChild(bool) {
  // Tab and Shift+Tab belong to the grid: they switch between the columns.
  return false;
}
