#include "platform/QtHost.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>

#include "core/FindState.h"
#include "dialogs/FindForm.h"
#include "dialogs/MessageForm.h"
#include "mainform/MainForm.h"
#include "mainform/VeskBox.h"

TQtHost::TQtHost(QWidget* owner) : FOwner(owner), FFindForm(new TFindForm(FindState(), owner)) {}

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

int TQtHost::MessageDialogAt(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                             int left, int top) {
  return ShowMessageFormAt(FOwner, text, type, buttons, helpContext, left, top);
}

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

int32_t TQtHost::DataBoxScreenTop() {
  auto* form = qobject_cast<TQorinEditorMainForm*>(FOwner);
  QWidget* box = form ? static_cast<QWidget*>(form->DataBox()) : nullptr;
  return box ? box->mapToGlobal(QPoint(0, 0)).y() : 0;
}
