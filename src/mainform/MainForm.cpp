#include "mainform/MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QKeyEvent>
#include <QMenuBar>
#include <QResizeEvent>
#include <QStatusBar>

#include "commands/EditCommands.h"
#include "commands/FileCommands.h"
#include "commands/UiState.h"
#include "core/Cursor.h"
#include "core/Geometry.h"
#include "core/Globals.h"
#include "core/StatusBar.h"
#include "core/Texts.h"
#include "mainform/CellPainter.h"
#include "mainform/VeskBox.h"
#include "mainform/VeskMainPanel.h"

namespace {
constexpr int PanelWidths[3] = {140, 160, 140};
}  // namespace

TQorinEditorMainForm::TQorinEditorMainForm(int argc, const char* const* argv) : FArgc(argc), FArgv(argv) {
  setObjectName("QorinEditorMainForm");
  G.ButtonFace = {uint8_t(palette().color(QPalette::Button).red()),
                  uint8_t(palette().color(QPalette::Button).green()),
                  uint8_t(palette().color(QPalette::Button).blue())};
  const QColor shadow = palette().color(QPalette::Dark);
  G.ButtonShadow = {uint8_t(shadow.red()), uint8_t(shadow.green()), uint8_t(shadow.blue())};

  auto* central = new QWidget(this);
  setCentralWidget(central);
  FSpeedPanel = new QWidget(central);
  FSpeedPanel->setObjectName("SpeedPanel");
  FSpeedPanel->setGeometry(0, 0, 0, 0);
  FMainPanel = new TVeskMainPanel(central);
  FDataBox = new TVeskBox(FMainPanel);
  FDataBox->installEventFilter(this);
  FMainPanel->installEventFilter(this);

  for (int i = 0; i < 3; ++i) {
    FPanels[i] = new QLabel(this);
    FPanels[i]->setFixedWidth(PanelWidths[i]);
    statusBar()->addWidget(FPanels[i]);
  }
  statusBar()->setSizeGripEnabled(false);

  CreateMenus();
  CreateAccelerators();

  setFocusPolicy(Qt::StrongFocus);
  SetSeams(nullptr, this);

  FCursorTimer.setInterval(500);
  connect(&FCursorTimer, &QTimer::timeout, this, &TQorinEditorMainForm::CursorTimerTimer);
  FCursorTimer.start();

  PlaceWindow();
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
  connect(action, &QAction::triggered, this, [handler] { handler(); });
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
  connect(action, &QAction::triggered, this, [handler] { handler(); });
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
  const TLayoutResult r = ComputeLayout(in);
  ApplyLayout(r.VisibleRows);

  FDataBox->move(TVeskMainPanel::Border + G.OffsetColumnWidth, TVeskMainPanel::Border + G.RowHeight);
  FDataBox->SetClientSize(r.DataBoxClientWidth, r.DataBoxClientHeight);
  FMainPanel->setGeometry(0, in.ToolbarHeight, r.PanelWidth, r.PanelHeight);
  FSpeedPanel->setGeometry(0, 0, r.PanelWidth, in.ToolbarHeight);

  // The width follows the grid alone; the height moves in whole rows.
  const int height = r.ClientHeight + menuHeight;
  setFixedWidth(r.PanelWidth);
  setMinimumHeight(height - (r.VisibleRows - 1) * G.RowHeight);
  // Window managers that honour size hints snap the drag to whole rows.
  if (sizeIncrement() != QSize(0, G.RowHeight)) setSizeIncrement(0, G.RowHeight);
  if (baseSize() != QSize(r.PanelWidth, height - r.VisibleRows * G.RowHeight))
    setBaseSize(r.PanelWidth, height - r.VisibleRows * G.RowHeight);
  FLaidOutHeight = height;
  if (this->height() != height) resize(r.PanelWidth, height);
  FInLayout = false;
  InvalidateMainPanel();
  InvalidateDataBox();
}

void TQorinEditorMainForm::RequestLayout() { LayOut(height()); }

void TQorinEditorMainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (!FInLayout && event->size().height() != FLaidOutHeight) LayOut(event->size().height());
}

void TQorinEditorMainForm::InvalidateDataBox() { FDataBox->update(FDataBox->ClientRect()); }
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
}

void TQorinEditorMainForm::SetStatusPanel(int panel, const std::string& text) {
  if (panel >= 0 && panel < 3) FPanels[panel]->setText(QString::fromStdString(text));
}

void TQorinEditorMainForm::CursorTimerTimer() {
  CursorBlink();
  if (!FDataBox->underMouse() && (G.MouseX >= 0 || G.MouseY >= 0)) {
    G.MouseX = G.MouseY = -1;
    UpdateDistancePanel();
  }
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
  if (event->type() == QEvent::DragEnter) {
    auto* enter = static_cast<QDragEnterEvent*>(event);
    if (!FirstDroppedFile(enter->mimeData()).isEmpty()) enter->acceptProposedAction();
    return true;
  }
  if (event->type() == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    const QString file = FirstDroppedFile(drop->mimeData());
    drop->acceptProposedAction();
    if (!file.isEmpty()) DroppedFiles(file.toStdString());
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TQorinEditorMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (G.FirstShow) QTimer::singleShot(0, this, [this] { FormShow(FArgc, FArgv); });
}

void TQorinEditorMainForm::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  // The bounds are kept for the next start: the position of the frame and
  // the size inside it, which is what the next start gives back to the
  // window system (the frame's own size is the window manager's).
  G.Left = x();
  G.Top = y();
  G.Height = height();
  G.Width = width();
  event->accept();
}

void TQorinEditorMainForm::keyPressEvent(QKeyEvent* event) {
  // A key that is no shortcut and gives a character is typed into the grid;
  // Alt combinations belong to the menu bar.
  const QString text = event->text();
  if (text.isEmpty() || (event->modifiers() & Qt::AltModifier)) {
    QMainWindow::keyPressEvent(event);
    return;
  }
  FormKeyPress(text.toUcs4().value(0));
}

bool TQorinEditorMainForm::focusNextPrevChild(bool) {
  // Tab and Shift+Tab belong to the grid: they switch between the columns.
  return false;
}
