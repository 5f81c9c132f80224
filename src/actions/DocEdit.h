// The few primitive edits every action is built from: moving a stretch of
// the document (bytes and marks together), growing and shrinking the two
// buffers, and taking private copies for the history.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Moves count bytes of DocData and of DocMarks from offset `from` to offset
// `to`, as memmove would; both ranges must lie inside the buffers' capacity.
// Marks travel with their bytes. Unmarked stretches are not copied: a mark
// buffer that is zero where it matters is left alone, so an edit near the
// start of a large unmarked document moves the data once and only reads the
// marks. gapUnmarked tells that the marks of the destination outside the
// source are 0 already (a deleted run known to be unmarked), so they need
// not even be read.
void MoveDocBytes(int64_t from, int64_t to, int64_t count, bool gapUnmarked = false);

// The marks half of MoveDocBytes, on its own so that it can be tested
// against a plain memmove.
void MoveMarks(uint8_t* marks, int64_t from, int64_t to, int64_t count, bool gapUnmarked = false);

// Sets count marks from offset `from` to 0, as memset would, but writes
// only the stretch between the first and the last mark found there: fresh
// memory and unmarked documents are read, never written, so their pages
// are neither faulted in nor copied.
void ClearMarks(uint8_t* marks, int64_t from, int64_t count);

// Makes room in both buffers for a document of n bytes, the data buffer
// first. Throws std::bad_alloc when either cannot be had (or when n does not
// fit the 32-bit size); the buffers then fit the unchanged DocSize again, so
// nothing of the document has changed.
void GrowDocBuffers(int64_t n);

// Gives back what a document of n bytes no longer needs. Keeping a larger
// buffer is harmless, so a refusal to shrink is ignored.
void FitDocBuffers(int64_t n);

// One byte with its mark: removed at offset r (the bytes after it move down
// by one), or put at offset r (the bytes from r move up by one). Inserting
// throws std::bad_alloc before anything has changed.
void RemoveByteAt(int32_t r, uint8_t& byte, uint8_t& mark);
void InsertByteAt(int32_t r, uint8_t byte, uint8_t mark);

// A private copy of n bytes for the history. Goes through the same
// allocation failure hook as the document buffers so that every failure path
// can be reached; throws std::bad_alloc.
std::vector<uint8_t> CopyBlock(const uint8_t* source, int64_t n);

// Whether any of count marks from offset `from` is set.
bool AnyMark(const uint8_t* marks, int64_t from, int64_t count);

// What every action does when it cannot get memory: fit the buffers to the
// unchanged document, ask for a layout and tell the user.
void ReportMemoryFailure(const std::string& text);

// DataChangeCount moves by one per change; the wrap is harmless but must not
// be undefined.
void CountChange(int delta);
