// Path pieces the dialogs need.
#pragma once

#include <string>

// The directory a file is in, without the trailing "/" unless it is the root
// ("/dir/file" gives "/dir", "/file" gives "/"); empty for a bare name.
std::string DirectoryPart(const std::string& name);
