#include "commands/RecentFiles.h"

#include <string>

#include "commands/FileCommands.h"
#include "commands/UiState.h"
#include "core/EnvState.h"

void RecentFileMenuItemClick(int k) {
  if (k < 0 || k > 4 || Env.File[k].empty()) return;
  // Copied: loading records names and may shift the list under a reference.
  const std::string name = Env.File[k];
  LoadFile(name);
  UpdateMenus();
}
