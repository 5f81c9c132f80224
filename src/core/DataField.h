// The editing, cursor, mouse and scrolling rules of the three views of a
// TBytesData: hexadecimal cells, decimal cells and one line of characters.
// Each view keeps its own horizontal scroll position (FirstByte); the bytes
// and the cursor belong to the shared model. The widgets forward keys and
// clicks here and paint what Paint() describes.
#pragma once

#include <cstdint>
#include <vector>

#include "core/BytesData.h"
#include "core/CellPaint.h"
#include "core/FieldView.h"

// What a view paints: its cells from x 0 on, then white from FillX to the
// right edge.
struct TDataFieldPaint {
  std::vector<TCellSpec> Cells;
  int32_t FillX = 0;
};

class THexDataField {
 public:
  virtual ~THexDataField() = default;

  TBytesData* BytesData = nullptr;  // shared, not owned
  int32_t FirstByte = 0;            // leftmost byte shown by this view

  // Digits (or characters) per byte and the pixel width of a byte's cell.
  virtual int32_t CellCharCount() const { return 2; }
  int32_t CellWidth() const;
  int32_t CursorByte() const { return BytesData ? BytesData->CursorByte() : 0; }
  int32_t CursorPosInByte() const { return BytesData ? BytesData->CursorPosInByte() : 0; }

  void DoLeft();
  void DoRight();
  void DoHome();
  void DoEnd();
  // Backspace removes the byte before the cursor's byte, Delete the cursor's
  // byte, Insert puts a zero byte at the cursor; never below MinLen.
  void DoBack();
  void DoDel();
  void DoIns();
  // A typed character, by the view's own rules; beeps on what it refuses.
  virtual void DoChar(char32_t c);
  // A click at x (pixels in the view); the widget focuses the view first.
  virtual void MyMouseDown(int32_t x);

  void MyKeyPress(char32_t c);
  TFocusMove MyKeyDown(TFieldKey key);
  // Gaining the focus puts the cursor on the first digit of its byte, so a
  // units digit left in the decimal view never stands in the hex view.
  void FocusGained();
  void FocusLost();

  // Scrolls (changes FirstByte) so that the cursor's byte shows in a view
  // clientWidth pixels wide, then describes every cell. focused: this view
  // has the focus; cursorOn: the blink phase.
  virtual TDataFieldPaint Paint(int32_t clientWidth, bool focused, bool cursorOn);
  virtual void ScrollToCursor(int32_t clientWidth);

 protected:
  // Pulls a cursor set from outside back into 0 .. Len() * 3.
  bool Ready();
  // Appends a zero byte when the cursor stands on the end cell; false (with
  // a beep) when the sequence cannot grow.
  bool EnsureCursorByte();
  void MoveTo(int32_t pos);
  virtual std::u16string ByteText(uint8_t b) const;
};

class TDecDataField : public THexDataField {
 public:
  int32_t CellCharCount() const override { return 3; }
  void DoChar(char32_t c) override;
  void MyMouseDown(int32_t x) override;

 protected:
  std::u16string ByteText(uint8_t b) const override;
};

class TCharDataField : public THexDataField {
 public:
  int32_t CellCharCount() const override { return 1; }
  void DoChar(char32_t c) override;
  void MyMouseDown(int32_t x) override;
  TDataFieldPaint Paint(int32_t clientWidth, bool focused, bool cursorOn) override;
  void ScrollToCursor(int32_t clientWidth) override;
};
