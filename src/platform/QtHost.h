// The host seam over Qt: message dialogs, file dialogs, the beep and the
// program's own dialogs whose values the commands read, kept for the run.
#pragma once

#include <QPointer>
#include <QWidget>

#include "core/Seams.h"

class TFindForm;
class THelpWindow;

class TQtHost : public IHost {
 public:
  explicit TQtHost(QWidget* owner);
  int MessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                    int defaultButton) override;
  bool ExecuteFileDialog(TFileDialog& dialog, bool save) override;
  void Beep() override;
  int ShowFindDialog(TFindMode mode) override;
  // The Goto and Insert bytes dialogs are made at their first showing and then kept, so that they
  // keep what the user typed from one use to the next.
  int ShowGotoDialog(bool deleteMode) override;
  int ShowInsertBytesDialog(bool append) override;
  ~TQtHost() override;
  bool ShowHelp(const std::string& fileName, int context) override;
  bool IsExecutableFile(const std::string& path) override;
  int64_t StartProgram(const std::string& path) override;
  bool ProgramRunning(int64_t processId) override;
  THelpWindow* HelpWindow() const { return FHelpWindow; }

 private:
  QWidget* FOwner;
  // Children of the owner; whichever of the two goes first takes them along.
  QPointer<class TGotoForm> FGotoForm;
  QPointer<class TInsertBytesForm> FInsertBytesForm;
  TFindForm* FFindForm = nullptr;  // owned by FOwner
  THelpWindow* FHelpWindow = nullptr;  // made on first use, owned by FOwner
};
