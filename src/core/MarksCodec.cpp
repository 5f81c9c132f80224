#include "core/MarksCodec.h"

#include <algorithm>
#include <cstring>

const std::string MarksSignature = "Brisquentalovard Marks V1";

namespace {

constexpr int32_t MaxRun = 32;

// The length of the run of marks equal to marks[from] starting at from, at
// most MaxRun and not past end.
int32_t RunLength(const uint8_t* marks, int32_t from, int32_t end) {
  // In 64 bits: a run near the end of a document of 2^31 - 1 bytes would
  // overflow the sum.
  const int32_t limit = int32_t(std::min<int64_t>(end, int64_t(from) + MaxRun));
  const uint8_t m = marks[from];
  int32_t i = from + 1;
  while (i < limit && marks[i] == m) ++i;
  return i - from;
}

int32_t LastMarked(const uint8_t* marks, int32_t size) {
  int32_t i = size;
  // Whole words of unmarked bytes at a time from the end.
  while (i >= 8) {
    uint64_t word;
    std::memcpy(&word, marks + i - 8, 8);
    if (word != 0) break;
    i -= 8;
  }
  while (i > 0 && marks[i - 1] == 0) --i;
  return i - 1;
}

}  // namespace

void EncodeMarkRuns(const uint8_t* marks, int32_t size, std::vector<uint8_t>& out,
                    const std::function<void(int32_t, int32_t)>& progress) {
  if (!marks || size <= 0) return;
  const int32_t last = LastMarked(marks, size);
  // The first byte alone being marked still needs its run: a file without
  // runs would lose that mark.
  if (last < 0) return;
  const int64_t end = int64_t(last) + 1;
  // Every run covers at least one byte, so this one reservation is all the
  // encoding ever asks for; untouched pages of it cost nothing.
  out.reserve(out.size() + size_t(end));
  int64_t nextReport = 0;
  for (int64_t p = 0; p < end;) {
    const int32_t n = RunLength(marks, int32_t(p), int32_t(end));
    out.push_back(uint8_t((n - 1) * 8 + (marks[p] & 7)));
    p += n;
    if (progress && p >= nextReport) {
      progress(int32_t(p - 1), last);
      nextReport = p + (1 << 20);
    }
  }
}

std::vector<uint8_t> EncodeMarkRuns(const uint8_t* marks, int32_t size) {
  std::vector<uint8_t> runs;
  EncodeMarkRuns(marks, size, runs);
  return runs;
}

int32_t TMarkRunDecoder::Decode(const uint8_t* runs, int32_t n, std::vector<uint8_t>& wanted) {
  wanted.clear();
  int32_t used = 0;
  while (used < n && !FEnded) {
    const uint8_t b = runs[used++];
    const uint8_t mark = (b & 7) == 7 ? 0 : (b & 7);
    const int64_t length = (b >> 3) + 1;
    const int64_t inside = std::clamp<int64_t>(FDocSize - FPos, 0, length);
    wanted.insert(wanted.end(), size_t(inside), mark);
    FPos += length;
    if (FPos >= FDocSize) FEnded = true;
  }
  return used;
}
