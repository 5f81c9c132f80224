// A byte sequence with one cursor, shown at once by a hexadecimal, a decimal
// and a character view. Dialogs read Buf() after they close with OK.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/FieldView.h"

class TBytesData {
 public:
  TBytesData() = default;
  TBytesData(const TBytesData&) = delete;
  TBytesData& operator=(const TBytesData&) = delete;
  // Tells the linked views, so that none of them reaches for it later.
  ~TBytesData();

  // Backspace and Delete never shrink the sequence below this; Clear resets
  // to it. The dialogs leave it 0.
  int32_t MinLen = 0;
  // A digit position: byte index * 3 + place within the byte (0, 1, 2).
  // Len() * 3 is the empty cell after the last byte.
  int32_t CursorPos = 0;

  // The linked views, not owned; any may be missing.
  IFieldView* HexDataEdit = nullptr;
  IFieldView* DecDataEdit = nullptr;
  IFieldView* CharDataEdit = nullptr;
  // Called after every update; the dialogs enable their OK button from it.
  std::function<void(TBytesData&)> OnChange;

  int32_t Len() const { return int32_t(Buf_.size()); }
  const std::vector<uint8_t>& Buf() const { return Buf_; }
  int32_t CursorByte() const { return CursorPos / 3; }
  int32_t CursorPosInByte() const { return CursorPos % 3; }

  // Replaces the bytes (a dialog starting with one zero byte, a test); the
  // cursor is pulled back inside, then every view is updated.
  void SetBuf(std::vector<uint8_t> bytes);

  // The editing primitives of the views. Growth beyond MaxLen() is refused
  // (false) so that Len() * 3 always fits the cursor's 32 bits.
  static int32_t MaxLen() { return INT32_MAX / 3; }
  bool InsertByte(int32_t at, uint8_t value);
  void RemoveByte(int32_t at);
  void SetByte(int32_t at, uint8_t value) { Buf_[size_t(at)] = value; }

  bool OneIsFocused() const;
  // DoUpdate of hex, decimal and character view in this order, then OnChange.
  void DoUpdateAll();
  // Len() := MinLen, all bytes 0, cursor to the start, then DoUpdateAll.
  void Clear();

 private:
  std::vector<uint8_t> Buf_;
};
