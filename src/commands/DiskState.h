// What the program knows of the document's file on disk: its state when the
// program last read or wrote it, and the last state the user was asked
// about. Other programs may change the file meanwhile; these rules decide
// when that is worth a question.
#pragma once

#include <string>

#include "fileio/FileIo.h"

// After a load or a save of name: its state then, and the view watches it.
void RememberDiskState(const std::string& name, const TFileState& state);
// The document has no file (New, a failed load, the clipboard): nothing to
// compare or watch.
void ForgetDiskState();
const TFileState& RememberedDiskState();

enum class TDiskChange { None, Deleted, Changed };
// The state now against the remembered one. Each state that differs counts
// once: it is taken as asked about, and the same state again is None. None
// too while no file is remembered.
TDiskChange TakeDiskChange(const TFileState& now);

// The save guard, before Save writes over name: true when it may, because
// name is not the document's file, or the file is as remembered or gone, or
// the user agrees to overwrite what another program wrote (default No).
bool MayOverwriteOutsideChanges(const std::string& name);

void ResetDiskState();
