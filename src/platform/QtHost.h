// The host seam over Qt: message dialogs, file dialogs, the beep and the
// program's own dialogs, created once with the host and kept for the run.
#pragma once

#include <QWidget>

#include "core/Seams.h"

class TFindForm;
class TClipboardForm;
class TInfoStatisticForm;

class TQtHost : public IHost {
 public:
  explicit TQtHost(QWidget* owner);
  ~TQtHost() override;
  int MessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                    int defaultButton) override;
  bool ExecuteFileDialog(TFileDialog& dialog, bool save) override;
  void Beep() override;
  int ShowFindDialog(TFindMode mode) override;
  // The clipboard: each MIME type is one format, numbered from 0xC000.
  int ClipboardFormatCount() override;
  std::vector<TClipboardFormat> ClipboardFormats(bool withSizes) override;
  bool ReadClipboardFormat(int index, const std::string& name,
                           const std::function<void(const uint8_t*, size_t)>& use) override;
  int ShowClipboardDialog(const std::vector<std::string>& lines, int& chosen) override;
  void ShowInfoStatisticDialog(const std::vector<std::string>& lines) override;

 private:
  // The count of clipboard formats is kept until the clipboard changes; a
  // change refreshes the menus, so that Open clipboard follows it.
  void WatchClipboard();
  int FClipboardCount = -1;
  QMetaObject::Connection FClipboardWatch;
  TClipboardForm* FClipboardForm = nullptr;          // owned by FOwner, made when first shown
  TInfoStatisticForm* FInfoStatisticForm = nullptr;  // likewise

  QWidget* FOwner;
  TFindForm* FFindForm = nullptr;  // owned by FOwner
};
