#include "commands/RecentFiles.h"

#include "commands/FileCommands.h"
#include "commands/UiState.h"
#include "core/Globals.h"

void AddRecentFile(const std::string& name) {
  if (name.empty()) return;
  for (const std::string& slot : G.File)
    if (slot == name) return;
  for (int k = 4; k > 0; --k) G.File[k] = G.File[k - 1];
  G.File[0] = name;
}

void RecentFileMenuItemClick(int k) {
  if (k < 0 || k > 4 || G.File[k].empty()) return;
  // Copied: loading records names and may shift the list under a reference.
  const std::string name = G.File[k];
  LoadFile(name);
  UpdateMenus();
}
