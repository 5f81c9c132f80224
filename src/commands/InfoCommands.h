// File ▸ Info/statistic: a read-only report on the document - its name,
// whether it is modified, its size, how many bytes carry each mark colour,
// and how often each of the 256 byte values occurs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The line of the report for byte value v that occurs count times in a
// document of size bytes, where the most frequent value occurs maxCount times.
std::string StatisticByteLine(uint8_t v, uint64_t count, uint64_t maxCount, int32_t size);

// Every line of the report for the current document, in the current
// language; empty when there is no document to report on.
std::vector<std::string> InfoStatisticLines();

// What Ctrl+C in the report copies: the selected lines (indices into lines,
// in any order) in the report's order, or every line when none is selected;
// one text line each.
std::string InfoStatisticCopyText(const std::vector<std::string>& lines, std::vector<int> selected);

// The command (menu item, Ctrl+I and the toolbar's Info button).
void FileInfoStatistikMainMenuItemClick();
