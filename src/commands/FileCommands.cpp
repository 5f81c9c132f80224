#include "commands/FileCommands.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <stdexcept>

#include "actions/Actions.h"
#include "commands/DiskState.h"
#include "commands/UiState.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/EnvState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "core/Paths.h"
#include "core/Progress.h"
#include "core/RecentList.h"
#include "core/Seams.h"
#include "core/Texts.h"
#include "fileio/FileIo.h"

namespace {

void EmptyDocument() {
  ResizeDocData(0);
  ResizeDocMarks(0);
  Doc.DocSize = 0;
  Doc.DataChangeCount = 0;
}

// Whether the memory the system can still give holds bytes more beside what
// is in use, with some room to spare. Allocations rarely fail on this system
// even when the memory is not there, and running out while the pages are
// filled ends the program; so the figure is asked for first. Where it cannot
// be read, there is taken to be room.
bool RoomFor(int64_t bytes) {
  std::ifstream meminfo("/proc/meminfo");
  std::string key, rest;
  int64_t kib = 0;
  while (meminfo >> key >> kib) {
    if (key == "MemAvailable:") return bytes + (int64_t(64) << 20) <= kib * 1024;
    std::getline(meminfo, rest);
  }
  return true;
}

// The bytes of the opened file in a fresh buffer of the document's capacity
// for them, or null when the memory cannot be had beside the current
// document. Throws when the read fails or comes up short.
uint8_t* ReadFresh(int fd, int64_t size, const TIoProgress& progress) {
  const int64_t capacity = CapacityFor(size);
  if (capacity == 0) return nullptr;
  if (Doc.DocSize > 0 && !RoomFor(capacity)) return nullptr;
  if (AllocationFailureHook && AllocationFailureHook(size_t(capacity))) return nullptr;
  auto* fresh = static_cast<uint8_t*>(std::malloc(size_t(capacity)));
  if (!fresh) return nullptr;
  PreferHugePages(fresh, capacity);
  if (!ReadExactly(fd, fresh, size, progress)) {
    std::free(fresh);
    throw std::runtime_error("read");
  }
  return fresh;
}

// The marks for a new document of size bytes: kept below the old size with
// KeepMarksOnLoad, else all 0.
void MarksForLoadedDocument(int64_t size, int32_t previousSize) {
  if (Options.KeepMarksOnLoad) {
    ResizeDocMarks(size);
    if (size > previousSize) std::memset(Doc.DocMarks + previousSize, 0, size_t(size - previousSize));
  } else {
    FreshDocMarks(size);
  }
}

// Reads the opened file into the document. The file is read into a buffer
// of its own first, so that a failing or short read leaves the document as it
// was. Only when the memory does not hold both is the old document dropped
// before reading; a failure then leaves the document empty and unnamed, as
// after New. False on a failure; unchanged tells whether the document is the
// old one still.
bool ReadIntoDocument(int fd, int64_t size, const std::string& name, bool& unchanged) {
  unchanged = true;
  const int32_t previousSize = Doc.DocSize;
  TWorkProgress work(TxtLoadingPercent, size);
  const TIoProgress progress = [&work](int64_t done) { work.Reached(done); };
  try {
    uint8_t* fresh = size > 0 ? ReadFresh(fd, size, progress) : nullptr;
    if (fresh || size == 0) {
      // The marks first: should they fail, the old document is still whole.
      try {
        MarksForLoadedDocument(size, previousSize);
      } catch (...) {
        std::free(fresh);
        throw;
      }
      unchanged = false;
      std::free(Doc.DocData);
      Doc.DocData = fresh;
      Doc.DocDataCapacity = int32_t(std::min<int64_t>(CapacityFor(size), INT32_MAX));
      Doc.DocSize = int32_t(size);
      Doc.DataChangeCount = 0;
      SetCurrentFileName(name);
      return true;
    }
    // Not enough memory for both: drop the old bytes first, as keeping them
    // through a reallocation would only copy what is about to be overwritten.
    unchanged = false;
    ResizeDocData(0);
    Doc.DocSize = int32_t(size);
    ResizeDocData(size);
    MarksForLoadedDocument(size, previousSize);
    if (!ReadExactly(fd, Doc.DocData, size, progress)) throw std::runtime_error("read");
    Doc.DataChangeCount = 0;
    SetCurrentFileName(name);
    return true;
  } catch (const std::exception&) {
    if (!unchanged) {
      EmptyDocument();
      SetCurrentFileName("");
    }
    return false;
  }
}

}  // namespace

void SetCurrentFileName(const std::string& name) {
  Doc.OpenDialog.FileName = name;
  Doc.SaveDialog.FileName = name;
  if (!name.empty()) {
    Env.InitialDir = DirectoryPart(name);
    Doc.OpenDialog.InitialDir = Env.InitialDir;
    Doc.SaveDialog.InitialDir = Env.InitialDir;
    AddRecentFile(name);
  } else {
    ForgetDiskState();
  }
  Doc.Caption = TxtCaption(name);
  View().SetCaption(Doc.Caption);
}

std::string ExpandLongPath(const std::string& path) {
  if (path.empty() || path.find_first_of("*?") != std::string::npos) return path;
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec))) return path;
  std::filesystem::path p = std::filesystem::absolute(path, ec);
  if (ec) return path;
  std::string s = p.lexically_normal().string();
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

bool FormCloseQuery() {
  if (Doc.DataChangeCount == 0) return true;
  const int answer =
      ShowMessageDialog(TxtSaveChangesQuestion(Doc.OpenDialog.FileName), TMsgDlgType::Confirmation, mbYesNoCancel, 0);
  if (answer == mrYes) {
    if (!Doc.SaveDialog.FileName.empty()) return SaveFile(Doc.SaveDialog.FileName, false);
    if (Host().ExecuteFileDialog(Doc.SaveDialog, true)) return SaveFile(Doc.SaveDialog.FileName, true);
    Doc.SaveDialog.FileName = Doc.OpenDialog.FileName;
    return false;
  }
  return answer == mrNo;
}

void LoadFile(const std::string& name) {
  if (FormCloseQuery()) ReadDocumentFile(name);
}

void ReadDocumentFile(const std::string& name) {
  bool ok = false;
  {
    // A large file takes seconds, and dropping the old document's history
    // may take a moment too.
    const TBusy busy;
    int64_t size = 0;
    TFileState state;
    const int fd = OpenForReading(name, size, &state);
    bool unchanged = true;
    if (fd >= 0) {
      ok = ReadIntoDocument(fd, size, name, unchanged);
      FileCalls.Close(fd);
    }
    if (ok) RememberDiskState(name, state);
    // A document that was replaced (or lost) starts at the top with no
    // history; one that a failed read left alone keeps its place and its
    // history.
    if (!unchanged) {
      MoveCursor(0, 0, false);
      SetScrollPosition(0);
      ActionList().Forget();
      View().RequestLayout();
      UpdateMenus();
    }
  }
  if (!ok) ShowMessageDialog(TxtReadingFailed(name), TMsgDlgType::Error, mbOKOnly, 0);
}

bool SaveFile(const std::string& name, bool askAlways) {
  Doc.SaveDialog.FileName = name;
  bool written = false;
  bool go = MayOverwriteOutsideChanges(name);
  while (go && FileExists(Doc.SaveDialog.FileName) && (Options.OverwriteWarning || askAlways)) {
    const int answer = ShowDefaultMessageDialog(TxtOverwriteQuestion(Doc.SaveDialog.FileName),
                                                TMsgDlgType::Confirmation, mbYesNoCancel, 0, mbNo);
    if (answer == mrYes) break;
    if (answer != mrNo || !Host().ExecuteFileDialog(Doc.SaveDialog, true)) {
      go = false;
      break;
    }
  }
  if (go) {
    {
      TWorkProgress work(TxtSavingPercent, Doc.DocSize);
      written = WriteFileSafely(Doc.SaveDialog.FileName, Doc.DocData, Doc.DocSize, Options.CreateBackUp,
                                [&work](int64_t done) { work.Reached(done); });
    }
    if (written) {
      Doc.DataChangeCount = 0;
    } else {
      ShowWritingFailed();
      // What a write in place that could not be undone left is ours, and
      // the message has said so: no question about another program.
      if (!KeptRescueFile().empty() && Doc.SaveDialog.FileName == DocFileName())
        TakeDiskChange(ReadFileState(DocFileName()));
    }
  }
  SetCurrentFileName(written ? Doc.SaveDialog.FileName : Doc.OpenDialog.FileName);
  if (written) RememberDiskState(Doc.SaveDialog.FileName, ReadFileState(Doc.SaveDialog.FileName));
  return written;
}

void ShowWritingFailed() {
  const std::string& rescue = KeptRescueFile();
  ShowMessageDialog(rescue.empty() ? TxtWritingFailed() : TxtWritingFailedRescueKept(rescue), TMsgDlgType::Error,
                    mbOKOnly, 0);
}

void CheckDiskChange() {
  const std::string name = DocFileName();
  if (name.empty() || TakeDiskChange(ReadFileState(name)) != TDiskChange::Changed) return;
  const bool unsaved = Doc.DataChangeCount != 0;
  const std::string question = TxtChangedOnDiskQuestion(name, unsaved);
  const int answer = unsaved ? ShowDefaultMessageDialog(question, TMsgDlgType::Confirmation, mbYesNo, 0, mbNo)
                             : ShowMessageDialog(question, TMsgDlgType::Confirmation, mbYesNo, 0);
  if (answer == mrYes && DocFileName() == name) ReloadDocumentFile();
}

void ReloadDocumentFile() {
  const int32_t offset = Max(CursorOffset(), 0);
  const bool inChars = Cursor.CursorCol >= 0 && InCharArea(Cursor.CursorCol);
  const int32_t top = TopRow();
  ReadDocumentFile(DocFileName());
  if (DocFileName().empty()) return;  // the read failed, as any load can
  SetScrollPosition(top);
  PlaceCursorOnByte(Min(offset, Max(Doc.DocSize - 1, 0)), inChars, true);
  UpdateMenus();
}

void DoOpenFromFile() {
  const std::string remembered = Doc.OpenDialog.FileName;
  if (Host().ExecuteFileDialog(Doc.OpenDialog, false)) {
    const std::string chosen = Doc.OpenDialog.FileName;
    Doc.OpenDialog.FileName = remembered;
    LoadFile(chosen);
  } else {
    SetCurrentFileName(remembered);
  }
  UpdateMenus();
}

void DoSave() {
  if (!Doc.SaveDialog.FileName.empty())
    SaveFile(Doc.SaveDialog.FileName, false);
  else
    DoSaveAs();
  UpdateMenus();
}

void DoSaveAs() {
  if (Host().ExecuteFileDialog(Doc.SaveDialog, true))
    SaveFile(Doc.SaveDialog.FileName, true);
  else
    Doc.SaveDialog.FileName = Doc.OpenDialog.FileName;
  UpdateMenus();
}

void NewMainMenuItemClick() {
  if (!FormCloseQuery()) return;
  EmptyDocument();
  MoveCursor(0, 0, true);
  SetScrollPosition(0);
  ActionList().Forget();
  View().RequestLayout();
  SetCurrentFileName("");
  UpdateMenus();
}

void FormShow(int argc, const char* const* argv) {
  if (!Env.FirstShow || argc < 2) return;
  Env.FirstShow = false;
  LoadFile(ExpandLongPath(argv[1]));
}

void DroppedFiles(const std::string& firstName) {
  if (!firstName.empty()) LoadFile(ExpandLongPath(firstName));
}
