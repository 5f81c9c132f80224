#include "commands/CompareCommands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "actions/Actions.h"
#include "actions/BulkMarks.h"
#include "commands/MarkCommands.h"
#include "commands/UiState.h"
#include "core/ByteCount.h"
#include "core/DocState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "core/Paths.h"
#include "core/Progress.h"
#include "core/Seams.h"
#include "core/Texts.h"
#include "fileio/FileIo.h"

namespace {

const std::string CR = "\r";

// Reads the other file strictly forward in large blocks: it is never held
// whole in memory. Its calls go through FileCalls like every other file's.
class TOtherFile {
 public:
  explicit TOtherFile(const std::string& name) {
    FFd = FileCalls.Open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC, 0);
    if (FFd < 0) {
      FError = errno;
      return;
    }
    struct stat st {};
    if (::fstat(FFd, &st) != 0 || !S_ISREG(st.st_mode)) {
      FError = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
      FileCalls.Close(FFd);
      FFd = -1;
      return;
    }
    FSize = st.st_size;
  }
  ~TOtherFile() {
    if (FFd >= 0) FileCalls.Close(FFd);
  }
  TOtherFile(const TOtherFile&) = delete;
  TOtherFile& operator=(const TOtherFile&) = delete;

  bool IsOpen() const { return FFd >= 0; }
  int64_t Size() const { return FSize; }
  int Error() const { return FError; }
  // The next n bytes (fewer only at the end of the file); false on an error.
  bool Read(uint8_t* buffer, int64_t n, int64_t& got) {
    got = 0;
    while (got < n) {
      const ssize_t r = FileCalls.Read(FFd, buffer + got, size_t(n - got));
      if (r < 0 && errno == EINTR) continue;
      if (r < 0) {
        FError = errno;
        return false;
      }
      if (r == 0) break;
      got += r;
    }
    return true;
  }

 private:
  int FFd = -1;
  int64_t FSize = 0;
  int FError = 0;
};

constexpr int64_t Block = 1 << 20;

void ReportFileError(const std::string& name, int error, bool opening) {
  const std::string reason = std::strerror(error ? error : EIO);
  std::string text;
  if (opening)
    text = German() ? "Die Datei \"" + name + "\" kann nicht geöffnet werden. " + reason
                    : "Cannot open file \"" + name + "\". " + reason;
  else
    text = German() ? "Fehler beim Lesen von \"" + name + "\". " + reason : "Read error in \"" + name + "\". " + reason;
  ShowMessageDialog(text, TMsgDlgType::Error, mbOKOnly, 0);
}

// First pass: the file's size and the number of differing bytes in the part
// both share. False (reported) when the file cannot be opened or read.
bool CountDifferences(const std::string& name, int64_t& fileSize, int64_t& differences) {
  TOtherFile file(name);
  if (!file.IsOpen()) {
    ReportFileError(name, file.Error(), true);
    return false;
  }
  fileSize = file.Size();
  differences = 0;
  const int64_t shared = std::min<int64_t>(Doc.DocSize, fileSize);
  std::vector<uint8_t> buffer(size_t(std::min(Block, std::max<int64_t>(shared, 1))));
  for (int64_t at = 0; at < shared;) {
    int64_t got = 0;
    if (!file.Read(buffer.data(), std::min<int64_t>(Block, shared - at), got)) {
      ReportFileError(name, file.Error(), false);
      return false;
    }
    if (got == 0) break;  // the file shrank meanwhile: the rest counts as missing
    differences += int64_t(CountDifferent(Doc.DocData + at, buffer.data(), size_t(got)));
    at += got;
  }
  return true;
}

std::string Question(int64_t fileSize, int64_t differences) {
  const bool de = German();
  std::string q;
  if (fileSize != Doc.DocSize)
    q += std::string(de ? "Anzahl der Bytes im Speicher: " : "Number of bytes in memory: ") +
         std::to_string(Doc.DocSize) + CR + (de ? "Anzahl der Bytes in der Datei: " : "Number of bytes in file: ") +
         std::to_string(fileSize) + CR + CR;
  if (differences > 0)
    q += std::string(de ? "Anzahl unterschiedlicher Bytes: " : "number of different bytes: ") +
         std::to_string(differences) + CR + CR;
  if (de)
    q += "Sollen alle von den Bytes in der Datei abweichenden Bytes rot und alle nicht in der Datei vorhandenen "
         "Bytes gelb markiert werden?" +
         CR + CR +
         "WARNUNG: Hierbei werden alle zur Zeit bestehenden Markierungen "
         "gelöscht!";
  else
    q += "Should all bytes that differ from the bytes in the file be marked red and all bytes that do not exist in "
         "the file be marked yellow?" +
         CR + CR + "WARNING: All existing marks will be erased!";
  return q;
}

// Second pass: red where the bytes differ, yellow beyond the file's end,
// unmarked elsewhere, as one undoable step.
void MarkDifferences(const std::string& name) {
  TOtherFile file(name);
  if (!file.IsOpen()) {
    ReportFileError(name, file.Error(), true);
    return;
  }
  TBulkMarks bulk(akMark, NextActionGroup());
  std::vector<uint8_t> buffer(size_t(std::min<int64_t>(Block, Doc.DocSize))), wanted(buffer.size());
  int64_t fileLeft = file.Size();
  bool failed = false;
  ForEachPercentChunk(
      Doc.DocSize,
      [&](int64_t from, int64_t to) {
        for (int64_t at = from; at < to && !failed;) {
          const int64_t n = std::min<int64_t>(Block, to - at);
          int64_t got = 0;
          if (fileLeft > 0 && !file.Read(buffer.data(), std::min(n, fileLeft), got)) {
            failed = true;
            break;
          }
          fileLeft = got < std::min(n, fileLeft) ? 0 : fileLeft - got;
          SelectByDifference(Doc.DocData + at, buffer.data(), size_t(got), mcNone, mcRed, wanted.data());
          bulk.Assign(int32_t(at), int32_t(got), wanted.data());
          bulk.Fill(int32_t(at + got), int32_t(n - got), mcYellow);
          at += n;
        }
      },
      [&](int percent) {
        if (!failed) ShowPercent(percent);
      });
  // Marks made before a read error stay, undoable as one step.
  bulk.Finish();
  if (failed) ReportFileError(name, file.Error(), false);
  ActionList().UpdateView();
}

}  // namespace

void CompareMenuItemClick() {
  if (!Doc.DocData || Doc.DocSize <= 0) return;
  TFileDialog& dialog = Doc.CompareOpenDialog;
  dialog.Title = Tr("Select file to compare the data with?", "Daten mit welcher Datei vergleichen?");
  dialog.InitialDir = dialog.FileName.empty() ? Doc.OpenDialog.InitialDir : DirectoryPart(dialog.FileName);
  if (!Host().ExecuteFileDialog(dialog, false)) return;
  int64_t fileSize = 0, differences = 0;
  if (!CountDifferences(dialog.FileName, fileSize, differences)) return;
  if (differences == 0 && fileSize == Doc.DocSize) {
    ShowMessageDialog(Tr("The contents of the file is identical to the bytes in memory!",
                         "Der Inhalt der Datei ist mit den Bytes im Speicher identisch!"),
                      TMsgDlgType::Information, mbOKOnly, 0);
    return;
  }
  if (ShowMessageDialog(Question(fileSize, differences), TMsgDlgType::Information, mbYesNoCancel, 0) != mrYes) return;
  MarkDifferences(dialog.FileName);
  UpdateMenus();
}
