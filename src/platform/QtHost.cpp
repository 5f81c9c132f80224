#include "platform/QtHost.h"

#include <QApplication>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "core/FindState.h"
#include "core/PrintLayout.h"
#include "dialogs/FindForm.h"
#include "dialogs/MessageForm.h"
#include "dialogs/PrintCancelForm.h"
#include "printing/PrintJob.h"

TQtHost::TQtHost(QWidget* owner)
    : FOwner(owner), FFindForm(new TFindForm(FindState(), owner)), FPrintCancelForm(new TPrintCancelForm(owner)) {}

TQtHost::~TQtHost() = default;

int TQtHost::MessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                           int defaultButton) {
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
  if (fd.exec() != QDialog::Accepted || fd.selectedFiles().isEmpty()) return false;
  dialog.FileName = fd.selectedFiles().first().toStdString();
  return true;
}

void TQtHost::Beep() { QApplication::beep(); }

int TQtHost::ShowFindDialog(TFindMode mode) {
  // The dialog reads the mode from the state when it shows.
  FindState().SetMode(mode);
  const int result = FFindForm->exec();
  // Without a window manager nobody hands the focus back, and the window's
  // keys (F3, Ctrl+L) would stay dead until the next click.
  if (FOwner) FOwner->activateWindow();
  return result;
}

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

int TQtHost::PrintDocument(const TPrintDialogData& data) {
  QPrinter& printer = Printer();
  printer.setDocName(QString::fromStdString(PrintJobTitle()));
  TPrintJobResult result = TPrintJobResult::Done;
  TPrintCancelForm* form = FPrintCancelForm;
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
