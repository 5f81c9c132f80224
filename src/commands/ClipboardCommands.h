// File ▸ Open clipboard: every format on the clipboard listed with its
// identifier, size and name; the chosen one becomes a new untitled document.
#pragma once

#include <cstdint>
#include <string>

// The dialog's line for a format: identifier and size, each in decimal (ten
// places) and hexadecimal (eight digits), then the registered name in
// double quotes and the symbolic name of a predefined identifier.
std::string ClipboardFormatLine(uint32_t id, int64_t size, const std::string& name);

// The identifier a line shows: its text before the first "$", trimmed.
std::string ClipboardLineId(const std::string& line);

std::string TxtClipboardFormatGone();

void LoadFromClipboardMainMenuItemClick();
