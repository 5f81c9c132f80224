// The host seam over Qt: message dialogs, file dialogs, the beep and the
// program's own dialogs whose values the commands read, kept for the run.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "core/Seams.h"

class QPrinter;
class TFindForm;
class THelpWindow;
class TClipboardForm;
class TInfoStatisticForm;
class TPrintCancelForm;
class TRangePickForm;

class TQtHost : public IHost {
 public:
  explicit TQtHost(QWidget* owner);
  ~TQtHost() override;
  int MessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                    int defaultButton) override;
  bool ExecuteFileDialog(TFileDialog& dialog, bool save) override;
  void Beep(TBeepReason reason) override;
  int ShowFindDialog(TFindMode mode) override;
  // The dialogs are made at their first showing and then kept, so that the
  // Goto and Insert bytes dialogs keep what the user typed from one use to
  // the next.
  int ShowGotoDialog(bool deleteMode) override;
  int ShowInsertBytesDialog(bool append) override;
  bool ShowHelp(const std::string& fileName, int context) override;
  bool IsExecutableFile(const std::string& path) override;
  int64_t StartProgram(const std::string& path) override;
  bool ProgramRunning(int64_t processId) override;
  THelpWindow* HelpWindow() const;
  // The clipboard: each MIME type is one format, numbered from 0xC000.
  int ClipboardFormatCount() override;
  std::vector<TClipboardFormat> ClipboardFormats(bool withSizes) override;
  bool ReadClipboardFormat(int index, const std::string& name,
                           const std::function<void(const uint8_t*, size_t)>& use) override;
  int ShowClipboardDialog(const std::vector<std::string>& lines, int& chosen) override;
  int ShowCopyBytesDialog(int32_t& start, int32_t& count, int& format) override;
  void SetClipboardBytes(const std::string& data, bool raw) override;
  TPasteSource ReadPasteSource() override;
  int ShowChecksumRangeDialog(int32_t& start, int32_t& count, uint32_t& kinds) override;
  int ShowChecksums(const TChecksumJob& job) override;
  void ShowInfoStatisticDialog(const std::vector<std::string>& lines) override;
  int MessageDialogAt(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext, int left,
                      int top) override;
  bool PlacesDialogs() override;
  uint32_t TickCount() override;
  int32_t ScreenWidth() override;
  int32_t ScreenHeight() override;
  bool ExecutePrintDialog(TPrintDialogData& dialog) override;
  int PrintDocument(const TPrintDialogData& dialog) override;
  // The wait cursor over the whole application.
  void BeginBusy() override;
  void EndBusy() override;

  // The printer the print dialog sets up, kept from job to job; made on
  // first use, since asking the print system for it can take a moment.
  QPrinter& Printer();
  TPrintCancelForm* PrintCancelForm();

 private:
  // The range picker modally, the owner active again afterwards; on OK the
  // range it shows, and mrOk.
  int PickRange(TRangePickForm& form, int32_t& start, int32_t& count);
  // The count of clipboard formats is kept until the clipboard changes; a
  // change refreshes the menus, so that Open clipboard follows it.
  void WatchClipboard();
  int FClipboardCount = -1;
  QMetaObject::Connection FClipboardWatch;
  // How deep the busy pairs are; while a message shows, the wait cursor
  // steps aside.
  int FBusy = 0;
  class TAskingCursor;

  QWidget* FOwner;
  // One rule for every form: made at its first showing as a child of the
  // owner, and deleted with the host. Whichever of owner and host goes first
  // takes the forms along; the pointers clear themselves.
  QPointer<class TGotoForm> FGotoForm;
  QPointer<class TInsertBytesForm> FInsertBytesForm;
  QPointer<TFindForm> FFindForm;
  QPointer<THelpWindow> FHelpWindow;
  QPointer<TPrintCancelForm> FPrintCancelForm;
  QPointer<TClipboardForm> FClipboardForm;
  QPointer<TInfoStatisticForm> FInfoStatisticForm;
  std::unique_ptr<QPrinter> FPrinter;
};
