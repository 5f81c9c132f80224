// The marks file: a 25-byte signature, then one byte per run of equal marks.
// A run byte holds the mark in bits 2..0 and the run length minus one (1 to
// 32 bytes) in bits 7..3. The runs start at offset 0 and end at the last
// marked byte; everything after it is unmarked.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

extern const std::string MarksSignature;

// Appends the run bytes for marks[0 .. size) to out: nothing when no byte is
// marked. progress is told the position reached now and then. Throws
// std::bad_alloc before the first run byte when out cannot grow enough.
void EncodeMarkRuns(const uint8_t* marks, int32_t size, std::vector<uint8_t>& out,
                    const std::function<void(int32_t position, int32_t last)>& progress = {});
std::vector<uint8_t> EncodeMarkRuns(const uint8_t* marks, int32_t size);

// Turns run bytes into the marks they give, stopping at the end of the
// document. Bits 2..0 of 7 name no colour; such a run leaves its bytes
// unmarked.
class TMarkRunDecoder {
 public:
  explicit TMarkRunDecoder(int32_t docSize) : FDocSize(docSize) {}
  // Decodes run bytes from runs[0 .. n) into wanted (the marks of the
  // positions from Position() on, cleared first) until the runs are used up
  // or the document has ended; returns how many run bytes were used.
  int32_t Decode(const uint8_t* runs, int32_t n, std::vector<uint8_t>& wanted);
  // The next position a run would start at (it may lie past the document).
  int64_t Position() const { return FPos; }
  bool Ended() const { return FEnded; }

 private:
  int32_t FDocSize;
  int64_t FPos = 0;
  bool FEnded = false;
};
