// Many replacements of one run over the document, made in one pass.
//
// Replacing one occurrence after another moves the whole rest of the
// document each time the lengths differ, so a run of k hits costs k passes.
// A sweep instead notes each replacement in a piece table over the untouched
// document: the document reads as the untouched prefix [0, FPrefixEnd), a
// list of pieces (stretches of the untouched document and inserted bytes),
// and the untouched tail [FTailStart, FStartSize) of the document as it was
// when the sweep began. Flush then writes the result into the document
// buffers in one pass, moving every byte at most once.
//
// A sweep runs in one direction. Forwards each edit starts at or after the
// end of the previous one; backwards each edit starts at or before the start
// of the previous one, and may reach into the bytes the previous edit put
// there (a shorter replacement backwards can make a new occurrence that
// straddles its end). Fits tells whether an edit keeps to that; one that does
// not needs a Flush and a new sweep first.
//
// Every edit does what one replace action's change would: the first
// min(removed, inserted) bytes keep the marks of the bytes they replace, the
// marks of inserted bytes beyond those come from the caller or are 0. The
// allocations the one-at-a-time changes would make (buffer growth and
// shrinking in 64 KiB steps, the private copy of removed marks) are played
// against the allocation failure hook in the same order, without allocating,
// so a failure strikes at exactly the same edit.
#pragma once

#include <cstdint>
#include <vector>

class TReplaceSweep {
 public:
  explicit TReplaceSweep(bool backward);
  TReplaceSweep(const TReplaceSweep&) = delete;
  TReplaceSweep& operator=(const TReplaceSweep&) = delete;

  bool Backward() const { return FBackward; }
  // The size of the document as the edits so far leave it.
  int32_t Size() const { return int32_t(FPrefixEnd + FPiecesLength + (FStartSize - FTailStart)); }
  bool Pending() const { return FEdits > 0; }

  // The search of FindBytes on the edited document.
  int32_t Find(const uint8_t* pattern, int32_t n, bool caseSensitive, int32_t start, bool backward);

  // Backwards: the nearest occurrence at or below start that reaches past
  // the untouched prefix (into what the edits put there), or -1.
  int32_t FindReaching(const uint8_t* pattern, int32_t n, bool caseSensitive, int32_t start);

  // Whether an edit removing d bytes at p and inserting a keeps to the
  // sweep's direction (and grows or shrinks like the edits before it).
  bool Fits(int32_t p, int32_t d, int32_t a) const;

  // The allocations of one change from the current size by inserted - removed
  // bytes, against the hook; copiesRemovedMarks: the change keeps the marks
  // of the bytes a shortening removes. False when one fails: the simulated
  // buffers then stand as the failed change leaves them.
  bool Allocate(int32_t removed, int32_t inserted, bool copiesRemovedMarks);

  // Replaces the d bytes at p by the a bytes at bytes (kept alive by the
  // caller until Flush). addedMarks: a - d marks for the bytes beyond d, or
  // null for none. oldBytes and removedMarks (when given) receive the d
  // bytes replaced and, when a < d, the marks of the d - a bytes removed.
  void Edit(int32_t p, int32_t d, const uint8_t* bytes, int32_t a, const uint8_t* addedMarks,
            std::vector<uint8_t>* oldBytes, std::vector<uint8_t>* removedMarks);

  // Writes the edits into the document buffers (their capacities as the
  // one-at-a-time changes would leave them); the sweep then starts afresh on
  // the result. Throws std::bad_alloc, before anything changed, when the
  // buffers cannot be grown.
  void Flush();

 private:
  struct TPiece {
    const uint8_t* Bytes;  // inserted bytes, or null for a stretch of the untouched document
    int64_t Pos;           // offset into Bytes, or into the untouched document
    int64_t Len;
    int64_t Marks;  // offset into FMarkPool of the inserted bytes' marks; -1 for none
  };
  void Restart();
  void Push(const TPiece& piece);
  // Reads len bytes (and marks) of the edited document from p, which lies at
  // or after the prefix's end.
  void ReadAfterPrefix(int64_t p, int64_t len, uint8_t* bytes, uint8_t* marks) const;
  // Takes the first len bytes of what follows the prefix away (backwards).
  void ConsumeAfterPrefix(int64_t len);
  // unmarked: no byte that moves carries a mark.
  void Place(const TPiece& piece, int64_t at, bool unmarked);

  bool FBackward;
  // The document's size when the sweep began; the positions below are
  // positions in the document as it was then, which the buffers still hold.
  int64_t FStartSize = 0;
  // The document reads as [0, FPrefixEnd) unchanged, then the pieces, then
  // [FTailStart, FStartSize) unchanged. Forwards the prefix stays put and the
  // tail's start moves on with every edit; backwards the prefix shrinks.
  int64_t FPrefixEnd = 0;
  int64_t FTailStart = 0;
  int64_t FPiecesLength = 0;    // bytes in FPieces
  std::vector<TPiece> FPieces;  // in edit order: forwards first to last, backwards last to first
  std::vector<uint8_t> FMarkPool;
  int64_t FEdits = 0;
  // Whether the edits grow (+1) or shrink (-1) the document: the sign of
  // inserted - removed, the same for every edit of a sweep; 0 while no edit
  // has changed the size.
  int FGrowth = 0;
  int64_t FDataCapacity = 0, FMarksCapacity = 0;  // as the one-at-a-time changes would leave them
  // The bytes around the prefix's end that FindReaching searches, and their
  // marks.
  std::vector<uint8_t> FWindow, FWindowMarks;
  // The bytes and then the marks an edit straddling the prefix's end
  // replaces, gathered from the prefix and the pieces.
  std::vector<uint8_t> FStraddled;
};
