#include "commands/DiskState.h"

#include "core/DocState.h"
#include "core/Seams.h"
#include "core/Texts.h"

namespace {
TFileState Remembered;
TFileState Asked;
}  // namespace

void RememberDiskState(const std::string& name, const TFileState& state) {
  Remembered = state;
  Asked = state;
  View().WatchFile(name);
}

void ForgetDiskState() {
  Remembered = Asked = TFileState{};
  View().WatchFile("");
}

const TFileState& RememberedDiskState() { return Remembered; }

TDiskChange TakeDiskChange(const TFileState& now) {
  if (!Remembered.Exists || now == Asked) return TDiskChange::None;
  Asked = now;
  if (now == Remembered) return TDiskChange::None;
  return now.Exists ? TDiskChange::Changed : TDiskChange::Deleted;
}

bool MayOverwriteOutsideChanges(const std::string& name) {
  if (!Remembered.Exists || name != DocFileName()) return true;
  const TFileState now = ReadFileState(name);
  if (!now.Exists || now == Remembered) return true;
  return ShowDefaultMessageDialog(TxtOverwriteOutsideChangesQuestion(name), TMsgDlgType::Confirmation, mbYesNo, 0,
                                  mbNo) == mrYes;
}

void ResetDiskState() { Remembered = Asked = TFileState{}; }
