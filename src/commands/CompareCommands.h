// Comparing the document with a file on disk, and marking the differences.
#pragma once

void CompareMenuItemClick();
