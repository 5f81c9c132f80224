#include "commands/ClipboardCommands.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "actions/Actions.h"
#include "commands/FileCommands.h"
#include "commands/UiState.h"
#include "core/Cursor.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "core/Seams.h"
#include "core/Texts.h"

namespace {

constexpr int64_t MaxDocumentSize = INT32_MAX;

struct TPredefined {
  uint32_t First, Last;
  const char* Text;
};

// The identifiers the system reserves for its own formats.
const TPredefined Predefined[] = {
    {1, 1, " (CF_TEXT)"},
    {2, 2, " (CF_BITMAP)"},
    {3, 3, " (CF_METAFILEPICT)"},
    {4, 4, " (CF_SYLK)"},
    {5, 5, " (CF_DIF)"},
    {6, 6, " (CF_TIFF)"},
    {7, 7, " (CF_OEMTEXT)"},
    {8, 8, " (CF_DIB)"},
    {9, 9, " (CF_PALETTE)"},
    {10, 10, " (CF_PENDATA)"},
    {11, 11, " (CF_RIFF)"},
    {12, 12, " (CF_WAVE)"},
    {13, 13, " (CF_UNICODETEXT)"},
    {14, 14, " (CF_ENHMETAFILE)"},
    {15, 15, " (CF_HDROP)"},
    {16, 16, " (CF_LOCALE)"},
    {17, 17, " (CF_MAX)"},
    {128, 128, " (CF_OWNERDISPLAY)"},
    {129, 129, " (CF_DSPTEXT)"},
    {130, 130, " (CF_DSPBITMAP)"},
    {131, 131, " (CF_DSPMETAFILEPICT)"},
    {142, 142, " (CF_DSPENHMETAFILE)"},
    {512, 767, " (CF_PRIVATEFIRST..CF_PRIVATELAST)"},
    {768, 1023, " (CF_GDIOBJFIRST..CF_GDIOBJLAST)"},
};

std::string Hex8(uint64_t v) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%08llX", static_cast<unsigned long long>(v));
  return buf;
}

enum class TCopy { Done, TooLarge, NoMemory };

// The clipboard's bytes become the document. Marks are kept with Keep
// marks on load (new bytes unmarked), else cleared. A format too large for a
// document leaves everything as it was; when memory runs out the document
// is empty.
TCopy CopyIntoDocument(const uint8_t* data, size_t size) {
  if (size > size_t(MaxDocumentSize)) return TCopy::TooLarge;
  const int64_t n = int64_t(size);
  const int32_t previousSize = Doc.DocSize;
  try {
    // The old bytes go first: keeping them through a reallocation would only
    // copy what is about to be overwritten.
    ResizeDocData(0);
    Doc.DocSize = int32_t(n);
    ResizeDocData(n);
    if (Options.KeepMarksOnLoad) {
      ResizeDocMarks(n);
      if (n > previousSize) std::memset(Doc.DocMarks + previousSize, 0, size_t(n - previousSize));
    } else {
      FreshDocMarks(n);
    }
    if (n > 0) std::memcpy(Doc.DocData, data, size);
    Doc.DataChangeCount = 0;
    return TCopy::Done;
  } catch (const std::bad_alloc&) {
    ResizeDocData(0);
    ResizeDocMarks(0);
    Doc.DocSize = 0;
    Doc.DataChangeCount = 0;
    return TCopy::NoMemory;
  }
}

// A loaded document starts like a file just opened, but without a name.
void EndOfLoad() {
  MoveCursor(0, 0, true);
  SetScrollPosition(0);
  ActionList().Forget();
  View().RequestLayout();
  SetCurrentFileName("");
  UpdateMenus();
}

void ShowError(const std::string& text) { ShowMessageDialog(text, TMsgDlgType::Error, mbOKOnly, 0); }

// What the reading message calls a clipboard format.
std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

}  // namespace

std::string ClipboardFormatLine(uint32_t id, int64_t size, const std::string& name) {
  std::string line = PadNumber(id, 10, false) + " $" + Hex8(id) + " " + PadNumber(size, 10, false) + " $" +
                     Hex8(uint64_t(size < 0 ? 0 : size));
  if (!name.empty()) line += " \"" + name + "\"";
  for (const TPredefined& p : Predefined)
    if (id >= p.First && id <= p.Last) line += p.Text;
  return line;
}

std::string ClipboardLineId(const std::string& line) {
  std::string id = line.substr(0, line.find('$'));
  const size_t first = id.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return id.substr(first, id.find_last_not_of(' ') - first + 1);
}

std::string TxtClipboardFormatGone() {
  return Tr("Clipboard-format is not any more available!", "Zwischenablagenformat ist nicht mehr verfügbar!");
}

void LoadFromClipboardMainMenuItemClick() {
  IHost& host = Host();
  if (host.ClipboardFormatCount() <= 0) {
    UpdateMenus();
    return;
  }
  const std::vector<TClipboardFormat> listed = host.ClipboardFormats(true);
  std::vector<std::string> lines;
  for (const TClipboardFormat& f : listed) lines.push_back(ClipboardFormatLine(f.Id, f.Size, f.Name));
  int chosen = 0;
  if (lines.empty() || host.ShowClipboardDialog(lines, chosen) != mrOk || chosen < 0 ||
      size_t(chosen) >= lines.size()) {
    UpdateMenus();
    return;
  }
  const TClipboardFormat& format = listed[size_t(chosen)];
  // Refused before the document is put at stake.
  if (format.Size > MaxDocumentSize) {
    ShowError(TxtReadingFailed(Quoted(format.Name)));
    UpdateMenus();
    return;
  }
  if (!FormCloseQuery()) {
    UpdateMenus();
    return;
  }

  // The clipboard may have changed while the dialog was open: the format
  // must still stand where it was listed, under the identifier shown.
  const std::vector<TClipboardFormat> now = host.ClipboardFormats(false);
  const bool available = size_t(chosen) < now.size() &&
                         std::to_string(now[size_t(chosen)].Id) == ClipboardLineId(lines[size_t(chosen)]) &&
                         now[size_t(chosen)].Name == format.Name;
  TCopy outcome = TCopy::Done;
  const bool read = available && host.ReadClipboardFormat(chosen, format.Name, [&](const uint8_t* data, size_t size) {
    outcome = CopyIntoDocument(data, size);
  });
  if (!read) {
    ShowError(TxtClipboardFormatGone());
    UpdateMenus();
    return;
  }
  if (outcome == TCopy::TooLarge) {
    ShowError(TxtReadingFailed(Quoted(format.Name)));
    UpdateMenus();
    return;
  }
  EndOfLoad();
  if (outcome == TCopy::NoMemory) ShowError(TxtNotEnoughMemory());
}
