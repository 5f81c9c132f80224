#include "core/RecentList.h"

#include "core/EnvState.h"

void AddRecentFile(const std::string& name) {
  if (name.empty()) return;
  for (const std::string& slot : Env.File)
    if (slot == name) return;
  for (int k = 4; k > 0; --k) Env.File[k] = Env.File[k - 1];
  Env.File[0] = name;
}
