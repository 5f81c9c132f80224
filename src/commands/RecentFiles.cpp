#include "commands/RecentFiles.h"

#include "commands/FileCommands.h"
#include "commands/UiState.h"
#include "core/EnvState.h"

void AddRecentFile(const std::string& name) {
  if (name.empty()) return;
  for (const std::string& slot : Env.File)
    if (slot == name) return;
  for (int k = 4; k > 0; --k) Env.File[k] = Env.File[k - 1];
  Env.File[0] = name;
}

void RecentFileMenuItemClick(int k) {
  if (k < 0 || k > 4 || Env.File[k].empty()) return;
  // Copied: loading records names and may shift the list under a reference.
  const std::string name = Env.File[k];
  LoadFile(name);
  UpdateMenus();
}
