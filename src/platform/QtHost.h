// The host seam over Qt: message dialogs, file dialogs, the beep and the
// program's own dialogs, created once with the host and kept for the run.
#pragma once

#include <QWidget>

#include "core/Seams.h"

class TFindForm;

class TQtHost : public IHost {
 public:
  explicit TQtHost(QWidget* owner);
  int MessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                    int defaultButton) override;
  bool ExecuteFileDialog(TFileDialog& dialog, bool save) override;
  void Beep() override;
  int ShowFindDialog(TFindMode mode) override;
  int MessageDialogAt(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext, int left,
                      int top) override;
  uint32_t TickCount() override;
  int32_t ScreenWidth() override;
  int32_t ScreenHeight() override;
  int32_t DataBoxScreenTop() override;

 private:
  QWidget* FOwner;
  TFindForm* FFindForm = nullptr;  // owned by FOwner
};
