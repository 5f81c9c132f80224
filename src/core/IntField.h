// The editing rules of the integer fields: a hexadecimal field and its
// decimal twin showing one TIntData. The widgets only translate keys and
// clicks into these calls and paint PaintCell().
#pragma once

#include <cstdint>
#include <string>

#include "core/CellPaint.h"
#include "core/FieldView.h"
#include "core/IntData.h"

class THexIntField {
 public:
  virtual ~THexIntField() = default;

  TIntData* IntData = nullptr;  // shared, not owned
  IFieldView* View = nullptr;   // the widget, not owned
  // What the field shows and edits. Leading zeros typed by the user stay;
  // only a change from the other side rewrites them.
  std::string Digits = "0";
  int32_t CursorPos = 0;  // 0 .. Digits.size()

  // Enough places for any offset or count of a document up to 2^31 - 1
  // bytes: 8 hexadecimal digits (7FFFFFFF), 10 decimal ones (2147483647).
  virtual int32_t MaxLen() const { return 8; }
  virtual int32_t Radix() const { return 16; }
  // Upper-cases c in place and tells whether it is a digit of this field.
  virtual bool LegalChar(char32_t& c) const;
  int32_t MaxCursorPos() const { return int32_t(Digits.size()); }
  void SetCursorPos(int32_t p);

  // Digits := the model's value, upper case, no leading zeros; "0" for a
  // value of 0 or less.
  void CalcDataStr();
  // The model's value := Digits read in the field's radix, with this field
  // as the sender (so it keeps its own text).
  void CalcData();
  void IChangedData() { CalcData(); }

  void DoLeft() { SetCursorPos(CursorPos - 1); }
  void DoRight() { SetCursorPos(CursorPos + 1); }
  void DoHome() { SetCursorPos(0); }
  void DoEnd() { SetCursorPos(MaxCursorPos()); }
  void DoBack();
  void DoDel();
  // A 0 at the cursor while there is room; refused with a beep when it
  // would make the number too large for 32 bits.
  void DoIns();

  // A typed character (Backspace is 8). Beeps on anything that is not a
  // digit of the field, at or after place MaxLen, or that would make the
  // number too large for 32 bits.
  void MyKeyPress(char32_t c);
  // Editing keys; Up and Down only ask the widget to move the focus.
  TFocusMove MyKeyDown(TFieldKey key);
  // A click at x (pixels in the field) puts the cursor before the digit hit.
  void MyMouseDown(int32_t x);

  // The model's listener: another sender changed the value.
  void DataChanged(const void* sender);

  // The field's one cell: Digits padded to 11 places, black on white, the
  // cursor's place inverted while shown.
  TCellSpec PaintCell(bool cursorShown) const;

 private:
  void Update();
};

class TDecIntField : public THexIntField {
 public:
  int32_t MaxLen() const override { return 10; }
  int32_t Radix() const override { return 10; }
  bool LegalChar(char32_t& c) const override;
};

// The value of a digit string in radix 16 or 10; an empty string is 0.
int64_t IntDigitsValue(const std::string& digits, int32_t radix);

// The client size of an integer field: one row, ten digits and the cursor
// after them wide.
int32_t IntEditClientWidth();
int32_t IntEditClientHeight();

// A clear button: the value becomes 0 (both fields show "0" unless it was 0
// already) and both cursors go to the start.
void ClearIntFields(TIntData& data, THexIntField& hex, THexIntField& dec, const void* sender);
