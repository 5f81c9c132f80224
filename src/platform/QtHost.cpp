#include "platform/QtHost.h"

#include <QApplication>
#include <QFileDialog>

#include "core/ByteRangeDialogs.h"
#include "dialogs/GotoForm.h"
#include "dialogs/InsertBytesForm.h"
#include "dialogs/MessageForm.h"

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
  if (!dialog.FileName.empty()) fd.selectFile(QString::fromStdString(dialog.FileName));
  if (fd.exec() != QDialog::Accepted || fd.selectedFiles().isEmpty()) return false;
  dialog.FileName = fd.selectedFiles().first().toStdString();
  return true;
}

void TQtHost::Beep() { QApplication::beep(); }

TQtHost::~TQtHost() {
  delete FGotoForm.data();
  delete FInsertBytesForm.data();
}

int TQtHost::ShowGotoDialog(bool deleteMode) {
  GotoDialog().IsGoto = !deleteMode;
  if (!FGotoForm) FGotoForm = new TGotoForm(FOwner);
  return FGotoForm->Execute();
}

int TQtHost::ShowInsertBytesDialog(bool append) {
  InsertBytesDialog().IsAppend = append;
  if (!FInsertBytesForm) FInsertBytesForm = new TInsertBytesForm(FOwner);
  return FInsertBytesForm->Execute();
}
