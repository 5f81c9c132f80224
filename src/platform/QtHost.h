// The host seam over Qt: message dialogs, file dialogs and the beep.
#pragma once

#include <QWidget>

#include "core/Seams.h"

class TQtHost : public IHost {
 public:
  explicit TQtHost(QWidget* owner) : FOwner(owner) {}
  int MessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                    int defaultButton) override;
  bool ExecuteFileDialog(TFileDialog& dialog, bool save) override;
  void Beep() override;

 private:
  QWidget* FOwner;
};
