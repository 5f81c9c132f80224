// The list of the five most recently loaded or saved distinct files, newest
// first, kept in Env.File; the File menu shows it.
#pragma once

#include <string>

// Adds a name unless it is listed already (exact, case-sensitive match);
// a listed name keeps its place.
void AddRecentFile(const std::string& name);
