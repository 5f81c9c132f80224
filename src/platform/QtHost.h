// The host seam over Qt: message dialogs, file dialogs, the beep and the
// program's own dialogs, created once with the host and kept for the run.
#pragma once

#include <QWidget>
#include <memory>

#include "core/Seams.h"

class QPrinter;
class TFindForm;
class TPrintCancelForm;

class TQtHost : public IHost {
 public:
  explicit TQtHost(QWidget* owner);
  ~TQtHost() override;
  int MessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                    int defaultButton) override;
  bool ExecuteFileDialog(TFileDialog& dialog, bool save) override;
  void Beep() override;
  int ShowFindDialog(TFindMode mode) override;
  bool ExecutePrintDialog(TPrintDialogData& dialog) override;
  int PrintDocument(const TPrintDialogData& dialog) override;

  // The printer the print dialog sets up, kept from job to job; made on
  // first use, since asking the print system for it can take a moment.
  QPrinter& Printer();
  TPrintCancelForm* PrintCancelForm() const { return FPrintCancelForm; }

 private:
  QWidget* FOwner;
  TFindForm* FFindForm = nullptr;  // owned by FOwner
  TPrintCancelForm* FPrintCancelForm = nullptr;  // owned by FOwner
  std::unique_ptr<QPrinter> FPrinter;
};
