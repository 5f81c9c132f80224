// Percentages of long loops, shown in the third status panel. A loop that
// reports after every index i the figure i * 100 / total, whenever it differs
// from the one shown last (0 at the start), shows exactly the texts that
// these chunked loops show, without deciding anything per byte.
#pragma once

#include <cstdint>
#include <functional>

// Calls work(from, to) for consecutive ranges covering [0, total), and after
// each range the percentage reached, when it changed.
void ForEachPercentChunk(int64_t total, const std::function<void(int64_t from, int64_t to)>& work,
                         const std::function<void(int percent)>& show);

// Shows "p%" in the third panel and paints it at once.
void ShowPercent(int percent);
