#include "commands/MarksFileCommands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "actions/Actions.h"
#include "actions/BulkMarks.h"
#include "commands/FileCommands.h"
#include "commands/UiState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/EnvState.h"
#include "core/MarksCodec.h"
#include "core/OptionsState.h"
#include "core/Paths.h"
#include "core/Progress.h"
#include "core/Seams.h"
#include "core/Texts.h"
#include "fileio/FileIo.h"

namespace {

// Run bytes read at a time; each gives at most 32 marks.
constexpr int32_t ReadBlock = 64 * 1024;

// Reads up to n bytes, retrying interrupted and partial reads; -1 on an error.
ssize_t ReadSome(int fd, uint8_t* buffer, size_t n) {
  size_t got = 0;
  while (got < n) {
    const ssize_t r = FileCalls.Read(fd, buffer + got, n - got);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return -1;
    if (r == 0) break;
    got += size_t(r);
  }
  return ssize_t(got);
}

// A regular file opened for reading, or -1. Pipes must not block the program
// and directories cannot be read.
int OpenMarksFile(const std::string& name) {
  const int fd = FileCalls.Open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC, 0);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    FileCalls.Close(fd);
    return -1;
  }
  return fd;
}

enum class TLoadResult { Done, NotCompatible, ReadFailed, NoMemory };

// Applies run bytes to the marks through bulk, showing the progress.
TLoadResult ApplyMarkRuns(const uint8_t* runs, int64_t count, TBulkMarks& bulk) {
  const int32_t size = Doc.DocSize;
  TMarkRunDecoder decoder(size);
  std::vector<uint8_t> wanted;
  int lastShown = 0;
  for (int64_t used = 0; used < count && !decoder.Ended();) {
    const int32_t piece = int32_t(std::min<int64_t>(count - used, ReadBlock));
    for (int32_t inPiece = 0; inPiece < piece && !decoder.Ended();) {
      const int64_t from = decoder.Position();
      inPiece += decoder.Decode(runs + used + inPiece, piece - inPiece, wanted);
      bulk.Assign(int32_t(from), int32_t(wanted.size()), wanted.data());
    }
    used += piece;
    const int shown = int(std::min<int64_t>(decoder.Position(), size) * 100 / size);
    if (shown != lastShown) ShowPercent(lastShown = shown);
  }
  // Past the last run every byte is unmarked.
  const int64_t covered = decoder.Position();
  if (covered < size) {
    ForEachPercentChunk(
        size - covered, [&](int64_t from, int64_t to) { bulk.Fill(int32_t(covered + from), int32_t(to - from), 0); },
        [&](int) {});
  }
  return TLoadResult::Done;
}

// Applies the runs of the open file to the marks through bulk. The runs are
// read whole, into one buffer reserved for the file's size, before any mark
// changes, so a read that fails part way leaves the marks as they were. No
// document needs more run bytes than it has bytes (every run covers at least
// one), so no more are read.
TLoadResult ApplyMarksFile(int fd, TBulkMarks& bulk) {
  const TBusy busy;
  uint8_t signature[25];
  const ssize_t got = ReadSome(fd, signature, sizeof signature);
  if (got < 0) return TLoadResult::ReadFailed;
  if (size_t(got) < sizeof signature || std::memcmp(signature, MarksSignature.data(), sizeof signature) != 0)
    return TLoadResult::NotCompatible;
  const int32_t size = Doc.DocSize;
  std::vector<uint8_t> runs;
  struct stat st {};
  const int64_t most = ::fstat(fd, &st) == 0 ? std::clamp<int64_t>(st.st_size - 25, 0, size) : size;
  ThrowIfAllocationFails(size_t(most));
  runs.reserve(size_t(most));
  for (int64_t have = 0; have < size;) {
    const size_t block = size_t(std::min<int64_t>(ReadBlock, size - have));
    runs.resize(size_t(have) + block);
    const ssize_t n = ReadSome(fd, runs.data() + have, block);
    if (n < 0) return TLoadResult::ReadFailed;
    have += n;
    runs.resize(size_t(have));
    if (size_t(n) < block) break;
  }
  return ApplyMarkRuns(runs.data(), int64_t(runs.size()), bulk);
}

enum class TWriteResult { Written, Failed, NoMemory };

// The signature and the runs go straight into the one buffer that is written,
// reserved once for the most runs the marks can need.
TWriteResult WriteMarksFile(const std::string& name) {
  const TBusy busy;
  std::vector<uint8_t> file;
  try {
    const int32_t size = Doc.DocMarks ? Doc.DocSize : 0;
    const size_t most = MarksSignature.size() + size_t(size);
    ThrowIfAllocationFails(most);
    file.reserve(most);
    file.assign(MarksSignature.begin(), MarksSignature.end());
    int lastShown = -1;
    EncodeMarkRuns(Doc.DocMarks, size, file, [&](int32_t position, int32_t last) {
      const int shown = last > 0 ? int(int64_t(position) * 100 / last) : 100;
      if (shown != lastShown) ShowPercent(lastShown = shown);
    });
  } catch (const std::bad_alloc&) {
    return TWriteResult::NoMemory;
  }
  // Like a document: a temporary file renamed over the old one, so a failed
  // write never costs the marks file that was there.
  return WriteFileSafely(name, file.data(), int64_t(file.size()), Options.CreateBackUp) ? TWriteResult::Written
                                                                                        : TWriteResult::Failed;
}

void SetMarksInitialDir(const std::string& name) {
  Env.MarksInitialDir = DirectoryPart(name);
  Doc.MarksOpenDialog.InitialDir = Env.MarksInitialDir;
  Doc.MarksSaveDialog.InitialDir = Env.MarksInitialDir;
}

}  // namespace

void MarkOpenMainMenuItemClick() {
  if (Doc.DocSize <= 0 || !Doc.DocMarks) return;
  bool ok = false;
  if (Host().ExecuteFileDialog(Doc.MarksOpenDialog, false)) {
    TBulkMarks bulk(akLoadMark, NextActionGroup());
    TLoadResult result = TLoadResult::ReadFailed;
    const int fd = OpenMarksFile(Doc.MarksOpenDialog.FileName);
    if (fd >= 0) {
      // Out of memory part way: what was applied is recorded by Finish, so
      // one Undo still takes it back.
      try {
        result = ApplyMarksFile(fd, bulk);
      } catch (const std::bad_alloc&) {
        result = TLoadResult::NoMemory;
      }
      FileCalls.Close(fd);
    }
    bulk.Finish();
    View().SetStatusPanel(2, "");
    if (result == TLoadResult::NotCompatible)
      ShowMessageDialog(Tr("Not a compatible file!", "Inkompatibles Dateiformat!"), TMsgDlgType::Error, mbOKOnly, 0);
    else if (result == TLoadResult::ReadFailed)
      ShowMessageDialog(Tr("Reading failed!", "Konnte nicht lesen!"), TMsgDlgType::Error, mbOKOnly, 0);
    else if (result == TLoadResult::NoMemory)
      ShowMessageDialog(TxtNotEnoughMemory(), TMsgDlgType::Error, mbOKOnly, 0);
    ok = result == TLoadResult::Done;
  }
  if (ok)
    Doc.MarksSaveDialog.FileName = Doc.MarksOpenDialog.FileName;
  else
    Doc.MarksOpenDialog.FileName = Doc.MarksSaveDialog.FileName;
  SetMarksInitialDir(Doc.MarksOpenDialog.FileName);
  View().InvalidateDataBox();
  View().FlushPaint();
  UpdateMenus();
}

void MarkSaveAsMainMenuItemClick() {
  const std::string remembered = Doc.MarksSaveDialog.FileName;
  bool ok = false;
  bool go = Host().ExecuteFileDialog(Doc.MarksSaveDialog, true);
  // Overwriting a marks file is always asked, whatever the overwrite option.
  while (go && FileExists(Doc.MarksSaveDialog.FileName)) {
    const int answer = ShowDefaultMessageDialog(TxtMarksOverwriteQuestion(Doc.MarksSaveDialog.FileName),
                                                TMsgDlgType::Confirmation, mbYesNoCancel, 0, mbNo);
    if (answer == mrYes) break;
    go = answer == mrNo && Host().ExecuteFileDialog(Doc.MarksSaveDialog, true);
  }
  if (go) {
    const TWriteResult result = WriteMarksFile(Doc.MarksSaveDialog.FileName);
    ok = result == TWriteResult::Written;
    View().SetStatusPanel(2, "");
    if (result == TWriteResult::Failed) ShowWritingFailed();
    if (result == TWriteResult::NoMemory) ShowMessageDialog(TxtNotEnoughMemory(), TMsgDlgType::Error, mbOKOnly, 0);
  }
  if (ok) {
    Doc.MarksOpenDialog.FileName = Doc.MarksSaveDialog.FileName;
  } else {
    Doc.MarksOpenDialog.FileName = remembered;
    Doc.MarksSaveDialog.FileName = remembered;
  }
  SetMarksInitialDir(Doc.MarksOpenDialog.FileName);
}
