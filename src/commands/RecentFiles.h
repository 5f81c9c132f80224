// The recent files at the end of the File menu (the list itself is kept by
// core/RecentList.h).
#pragma once

// Loads the file of slot k (0..4) as Open would.
void RecentFileMenuItemClick(int k);
