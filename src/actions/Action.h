// One undoable change to the document. The action list performs it with
// DoAction, takes it back with UndoAction (as often as the user likes) and
// asks it where the cursor belongs afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Kind codes; they only name an action in the Undo and Redo captions.
enum TActionKind : uint8_t {
  akMark = 0,
  akChangeValue = 1,
  akBack = 2,
  akDelete = 3,
  akDeleteBytes = 4,
  akUnmark = 5,
  akInsert = 6,
  akInsertBytes = 7,
  akLoadMark = 8,
  akAppend = 9,
  akAppendBytes = 10,
  akReplace = 11,
  akPasteBytes = 12,
  akPasteBytesOver = 13,
};

// A run of bytes handed to an action constructor; the action keeps a copy.
struct TByteRun {
  const uint8_t* Data = nullptr;
  int32_t Length = 0;
  TByteRun() = default;
  TByteRun(const uint8_t* data, int32_t length) : Data(data), Length(length < 0 ? 0 : length) {}
  TByteRun(const std::vector<uint8_t>& v) : Data(v.data()), Length(int32_t(v.size())) {}
  TByteRun(const std::string& s) : Data(reinterpret_cast<const uint8_t*>(s.data())), Length(int32_t(s.size())) {}
};

class TAction {
 public:
  TAction(uint8_t kind, int32_t group);
  virtual ~TAction() = default;
  TAction(const TAction&) = delete;
  TAction& operator=(const TAction&) = delete;

  // Apply / take back the change; false only when memory ran out, in which
  // case the document is unchanged and the user has been told.
  virtual bool DoAction();
  virtual bool UndoAction();
  // Where the cursor goes after DoAction / UndoAction.
  virtual void SetDoActionCursorPos();
  virtual void SetUndoActionCursorPos();
  // Whether the action changes DocSize, so that the grid must be laid out.
  virtual bool SizeChanged() const;

  uint8_t Kind() const { return FKind; }
  int32_t Group() const { return FGroup; }
  int32_t Pos() const { return FPos; }
  bool CharColumn() const { return FCharColumn; }
  uint8_t NewValue() const { return FNewValue; }
  uint8_t OldValue() const { return FOldValue; }
  int32_t Count() const { return FCount; }
  int32_t Count2() const { return FCount2; }
  const std::vector<uint8_t>& Buffer() const { return FBuffer; }
  const std::vector<uint8_t>& Buffer2() const { return FBuffer2; }
  // Whether the last DoAction changed the document and has not been taken
  // back since; an action whose DoAction found nothing to do undoes nothing.
  bool Applied() const { return FApplied; }

 protected:
  // The cursor on the action's byte, or on the last byte when the action
  // left fewer bytes than that.
  void GotoClampedPos() const;
  // The undo of a one-byte removal: the byte (FNewValue) and its mark
  // (FOldValue) go back at the given offset. False when memory ran out.
  bool ReinsertRemovedByte(int32_t at);

  uint8_t FKind;
  int32_t FGroup;
  int32_t FPos = 0;
  bool FCharColumn = false;
  uint8_t FNewValue = 0;
  uint8_t FOldValue = 0;
  int32_t FCount = 0;
  int32_t FCount2 = 0;
  std::vector<uint8_t> FBuffer;
  std::vector<uint8_t> FBuffer2;
  bool FApplied = false;
};
