#include "platform/QtHost.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <cerrno>
#include <csignal>

#include "controls/WindowPlacement.h"
#include "core/ByteRangeDialogs.h"
#include "core/FindState.h"
#include "core/PrintLayout.h"
#include "dialogs/ClipboardForm.h"
#include "dialogs/FindForm.h"
#include "dialogs/GotoForm.h"
#include "dialogs/InfoStatisticForm.h"
#include "dialogs/InsertBytesForm.h"
#include "dialogs/MessageForm.h"
#include "dialogs/PrintCancelForm.h"
#include "platform/HelpWindow.h"
#include "printing/PrintJob.h"

namespace {

// Folders and the files the user may run; everything else is hidden.
class TExecutablesOnly : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    auto* model = qobject_cast<QFileSystemModel*>(sourceModel());
    if (!model) return true;
    const QFileInfo info = model->fileInfo(model->index(row, 0, parent));
    return info.isDir() || info.isExecutable();
  }
};

}  // namespace

TQtHost::TQtHost(QWidget* owner) : FOwner(owner) { WatchClipboard(); }

// A message in the middle of long work waits for the user: the ordinary
// cursor while it shows, the wait cursor again after.
class TQtHost::TAskingCursor {
 public:
  explicit TAskingCursor(int busy) : FBusy(busy > 0) {
    if (FBusy) QGuiApplication::restoreOverrideCursor();
  }
  ~TAskingCursor() {
    if (FBusy) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  }
  TAskingCursor(const TAskingCursor&) = delete;
  TAskingCursor& operator=(const TAskingCursor&) = delete;

 private:
  bool FBusy;
};

void TQtHost::BeginBusy() {
  if (FBusy++ == 0) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void TQtHost::EndBusy() {
  if (FBusy > 0 && --FBusy == 0) QGuiApplication::restoreOverrideCursor();
}

int TQtHost::MessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                           int defaultButton) {
  const TAskingCursor asking(FBusy);
  return ShowMessageForm(FOwner, text, type, buttons, helpContext, defaultButton);
}

bool TQtHost::ExecuteFileDialog(TFileDialog& dialog, bool save) {
  QFileDialog fd(FOwner, QString::fromStdString(dialog.Title), QString::fromStdString(dialog.InitialDir));
  fd.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  fd.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The program asks about overwriting itself.
  fd.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (!dialog.DefaultExt.empty()) fd.setDefaultSuffix(QString::fromStdString(dialog.DefaultExt));
  if (!dialog.Filter.empty()) fd.setNameFilter(QString::fromStdString(dialog.Filter));
  if (!dialog.FileName.empty()) fd.selectFile(QString::fromStdString(dialog.FileName));
  if (dialog.ExecutablesOnly) {
    // Programs here carry no extension; the filter is whether a file may run.
    fd.setOption(QFileDialog::DontUseNativeDialog, true);
    fd.setProxyModel(new TExecutablesOnly(&fd));
    fd.setNameFilter(German() ? "Ausführbare Dateien (*)" : "Executable files (*)");
  }
  if (fd.exec() != QDialog::Accepted || fd.selectedFiles().isEmpty()) return false;
  dialog.FileName = fd.selectedFiles().first().toStdString();
  return true;
}

void TQtHost::Beep(TBeepReason) { QApplication::beep(); }

int TQtHost::ShowFindDialog(TFindMode mode) {
  // The dialog reads the mode from the state when it shows.
  FindState().SetMode(mode);
  if (!FFindForm) FFindForm = new TFindForm(FindState(), FOwner);
  const int result = FFindForm->exec();
  // Without a window manager nobody hands the focus back, and the window's
  // keys (F3, Ctrl+L) would stay dead until the next click.
  if (FOwner) FOwner->activateWindow();
  return result;
}

TQtHost::~TQtHost() {
  QObject::disconnect(FClipboardWatch);
  delete FGotoForm.data();
  delete FInsertBytesForm.data();
  delete FFindForm.data();
  delete FHelpWindow.data();
  delete FPrintCancelForm.data();
  delete FClipboardForm.data();
  delete FInfoStatisticForm.data();
}

int TQtHost::ShowGotoDialog(bool deleteMode) {
  GotoDialog().IsGoto = !deleteMode;
  if (!FGotoForm) FGotoForm = new TGotoForm(FOwner);
  const int result = FGotoForm->Execute();
  if (FOwner) FOwner->activateWindow();
  return result;
}

int TQtHost::ShowInsertBytesDialog(bool append) {
  InsertBytesDialog().IsAppend = append;
  if (!FInsertBytesForm) FInsertBytesForm = new TInsertBytesForm(FOwner);
  const int result = FInsertBytesForm->Execute();
  if (FOwner) FOwner->activateWindow();
  return result;
}

bool TQtHost::ShowHelp(const std::string& fileName, int context) {
  const QString file = FindHelpFile(QString::fromStdString(fileName));
  if (file.isEmpty()) return false;
  if (!FHelpWindow) FHelpWindow = new THelpWindow(FOwner);
  FHelpWindow->ShowTopic(file, context);
  return true;
}

bool TQtHost::IsExecutableFile(const std::string& path) {
  if (path.empty()) return false;
  const QFileInfo info(QString::fromStdString(path));
  return info.isFile() && info.isExecutable();
}

int64_t TQtHost::StartProgram(const std::string& path) {
  qint64 pid = 0;
  if (!QProcess::startDetached(QString::fromStdString(path), {}, QString(), &pid)) return 0;
  return pid;
}

bool TQtHost::ProgramRunning(int64_t processId) {
  // A detached program is nobody's child here; whether its id still names
  // a live process is all there is to ask. An ended one can linger as a
  // zombie where nobody reaps orphans (a container without an init), so
  // its state counts, not only its id.
  if (processId <= 0) return false;
  if (kill(pid_t(processId), 0) != 0 && errno != EPERM) return false;
  QFile stat(QStringLiteral("/proc/%1/stat").arg(processId));
  if (!stat.open(QIODevice::ReadOnly)) return true;
  const QByteArray line = stat.readAll();
  const qsizetype close = line.lastIndexOf(')');
  if (close < 0 || close + 2 >= line.size()) return true;
  const char state = line.at(close + 2);
  return state != 'Z' && state != 'X';
}

int TQtHost::MessageDialogAt(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                             int left, int top) {
  const TAskingCursor asking(FBusy);
  return ShowMessageFormAt(FOwner, text, type, buttons, helpContext, left, top);
}

bool TQtHost::PlacesDialogs() { return WindowsPlaceable(); }

uint32_t TQtHost::TickCount() { return uint32_t(QDateTime::currentMSecsSinceEpoch()); }

namespace {
QRect ScreenRect(QWidget* owner) {
  QScreen* s = owner ? owner->screen() : nullptr;
  if (!s) s = QGuiApplication::primaryScreen();
  return s ? s->geometry() : QRect(0, 0, 1024, 768);
}
}  // namespace

int32_t TQtHost::ScreenWidth() { return ScreenRect(FOwner).width(); }
int32_t TQtHost::ScreenHeight() { return ScreenRect(FOwner).height(); }

QPrinter& TQtHost::Printer() {
  if (!FPrinter) FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *FPrinter;
}

bool TQtHost::ExecutePrintDialog(TPrintDialogData& data) {
  QPrinter& printer = Printer();
  printer.setCopyCount(data.Copies);
  // The dialog makes its proposed PDF name from the document name; the
  // job's title holds a whole path and is set for the job alone.
  printer.setDocName(QString());
  QPrintDialog dialog(&printer, FOwner);
  // All pages or a range; there is no selection to print.
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setMinMax(data.MinPage, data.MaxPage);
  dialog.setFromTo(data.FromPage, data.ToPage);
  dialog.setPrintRange(data.PageRange ? QAbstractPrintDialog::PageRange : QAbstractPrintDialog::AllPages);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  if (FOwner) FOwner->activateWindow();
  if (!accepted) return false;
  data.PageRange = dialog.printRange() == QAbstractPrintDialog::PageRange;
  data.FromPage = printer.fromPage();
  data.ToPage = printer.toPage();
  data.Copies = printer.copyCount();
  return true;
}

THelpWindow* TQtHost::HelpWindow() const { return FHelpWindow; }

TPrintCancelForm* TQtHost::PrintCancelForm() {
  if (!FPrintCancelForm) FPrintCancelForm = new TPrintCancelForm(FOwner);
  return FPrintCancelForm;
}

int TQtHost::PrintDocument(const TPrintDialogData& data) {
  QPrinter& printer = Printer();
  printer.setDocName(QString::fromStdString(PrintJobTitle()));
  TPrintJobResult result = TPrintJobResult::Done;
  TPrintCancelForm* form = PrintCancelForm();
  form->SetJob([&] {
    TPrintJobHooks hooks;
    hooks.PageStarted = [form](int32_t page) { form->ShowPage(page); };
    hooks.RowPrinted = [] { QCoreApplication::processEvents(); };
    hooks.Cancelled = [form] { return form->Cancelled(); };
    result = RunPrintJob(printer, ChosenPages(data), hooks);
  });
  const int modal = form->exec();
  form->SetJob(nullptr);
  printer.setDocName(QString());
  if (FOwner) FOwner->activateWindow();
  if (result == TPrintJobResult::Failed) return mrAbort;
  return modal == QDialog::Accepted ? mrOk : mrCancel;
}
