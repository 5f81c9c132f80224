#include "commands/ByteCopyCommands.h"

#include <algorithm>
#include <memory>

#include "actions/Actions.h"
#include "actions/InsertBytesAction.h"
#include "actions/ReplaceAction.h"
#include "commands/UiState.h"
#include "core/ByteText.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "core/Seams.h"
#include "core/Texts.h"

void CopyBytesAsMenuItemClick() {
  if (!Doc.DocData || Doc.DocSize <= 0) return;
  int32_t start = 0, count = 0;
  int format = std::clamp(Options.CopyFormat, 0, int(TCopyFormat::Count) - 1);
  if (Host().ShowCopyBytesDialog(start, count, format) != mrOk) return;
  if (format < 0 || format >= int(TCopyFormat::Count) || start < 0 || count <= 0 ||
      int64_t(start) + count > Doc.DocSize)
    return;
  Options.CopyFormat = format;
  const auto f = TCopyFormat(format);
  const uint8_t* p = Doc.DocData + start;
  // Refused before any memory is taken for it.
  if (f != TCopyFormat::Raw && CopyTextSize(f, p, size_t(count)) > MaxCopyText) {
    Host().MessageDialog(TxtCopyTooLarge(), TMsgDlgType::Warning, Btn(mbOK), 0, mbOK);
    return;
  }
  std::string data;
  if (f == TCopyFormat::Raw)
    data.assign(reinterpret_cast<const char*>(p), size_t(count));
  else
    FormatBytes(f, p, size_t(count), data);
  Host().SetClipboardBytes(data, f == TCopyFormat::Raw);
  View().ShowNotice(TxtBytesCopied(count));
}

namespace {

// The bytes the clipboard offers and how they were read; empty when none.
std::vector<uint8_t> PastedBytes(int& reading) {
  TPasteSource source = Host().ReadPasteSource();
  if (source.HasRaw) {
    reading = 0;
    return std::move(source.Raw);
  }
  std::optional<TPasteBytes> parsed = ParsePasteText(source.Text);
  if (!parsed) return {};
  reading = int(parsed->Reading);
  return std::move(parsed->Bytes);
}

bool CursorInChars() { return Cursor.CursorCol >= 0 && InCharArea(Cursor.CursorCol); }

}  // namespace

void PasteBytesMenuItemClick() {
  int reading = 0;
  std::vector<uint8_t> bytes = PastedBytes(reading);
  if (bytes.empty()) {
    Beep(TBeepReason::NothingToPaste);
    return;
  }
  // The document holds at most 2^31 - 1 bytes; the history stays.
  if (int64_t(Doc.DocSize) + int64_t(bytes.size()) > INT32_MAX) {
    Host().MessageDialog(TxtNotEnoughMemoryPleaseClose(), TMsgDlgType::Error, Btn(mbOK), 0, mbOK);
    return;
  }
  const bool inChars = CursorInChars();
  const int32_t at = Doc.DocData ? std::clamp(CursorOffset(), 0, Doc.DocSize) : 0;
  const auto n = int32_t(bytes.size());
  ActionList().AddAction(
      std::make_unique<TInsertBytesAction>(akPasteBytes, NextActionGroup(), at, inChars, n, std::move(bytes)), false);
  ActionList().UpdateView();
  GotoOffset(at, inChars, false);
  UpdateMenus();
  EnsureCursorVisible();
  View().ShowNotice(TxtBytesPasted(reading, n));
}

void PasteBytesOverMenuItemClick() {
  int reading = 0;
  std::vector<uint8_t> bytes = PastedBytes(reading);
  const int32_t at = CursorOffset();
  if (bytes.empty() || !Doc.DocData || at < 0 || at >= Doc.DocSize) {
    Beep(TBeepReason::NothingToPaste);
    return;
  }
  // Only over the bytes that are there: the document never grows.
  bytes.resize(std::min(bytes.size(), size_t(Doc.DocSize - at)));
  const auto n = int32_t(bytes.size());
  const bool inChars = CursorInChars();
  const TByteRun old(Doc.DocData + at, n);
  ActionList().AddAction(
      std::make_unique<TReplaceAction>(akPasteBytesOver, NextActionGroup(), at, inChars, old, TByteRun(bytes)), false);
  ActionList().UpdateView();
  GotoOffset(at, inChars, false);
  UpdateMenus();
  View().ShowNotice(TxtBytesPasted(reading, n));
}
