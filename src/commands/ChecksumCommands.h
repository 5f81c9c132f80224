// File > Checksums...: the digests of the document or a range of it, in the
// algorithms the user ticks, computed while the window shows how far it has
// got.
#pragma once

#include <string>

// The name the copied lines carry: the document's file name without its
// folder, or "-" (as sha256sum writes for its input) when it has none.
std::string ChecksumName();

void ChecksumsMenuItemClick();
