// The five most recently loaded or saved distinct files, newest first, at the
// end of the File menu.
#pragma once

#include <string>

// Adds a name unless it is listed already (exact, case-sensitive match);
// a listed name keeps its place.
void AddRecentFile(const std::string& name);

// Loads the file of slot k (0..4) as Open would.
void RecentFileMenuItemClick(int k);
