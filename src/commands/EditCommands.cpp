#include "commands/EditCommands.h"

#include <memory>

#include "actions/Actions.h"
#include "actions/BackspaceAction.h"
#include "actions/DeleteAction.h"
#include "actions/EditAction.h"
#include "actions/InsertAction.h"
#include "commands/UiState.h"
#include "core/Cp1252.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/Seams.h"

namespace {

// The byte a hexadecimal digit makes of old: the high digit (even column) or
// the low one. -1 for a key that is no hexadecimal digit.
int HexTyped(char32_t key, uint8_t old, int32_t col) {
  const bool digit = (key >= '0' && key <= '9') || (key >= 'A' && key <= 'F') || (key >= 'a' && key <= 'f');
  if (!digit) return -1;
  const int v = HexDigitValue(char(key));
  return col % 2 == 0 ? v * 16 + old % 16 : v + (old / 16) * 16;
}

// The byte a decimal digit makes of old at digit position 0 (hundreds),
// 1 (tens) or 2 (ones). The limits keep the digit itself plausible; what they
// cannot catch (2 before 99, 5 before 6) becomes 255 with a beep. -1 for a
// key beyond the limit.
int DecTyped(char32_t key, uint8_t old, int32_t digitPos) {
  int h = old / 100, t = old % 100 / 10, o = old % 10;
  char32_t limit = '9';
  if (digitPos == 0) limit = '2';
  if (digitPos == 1 && h == 2) limit = '5';
  if (digitPos == 2 && h == 2 && t >= 5) limit = '5';
  if (key < '0' || key > limit) return -1;
  const int d = int(key - '0');
  (digitPos == 0 ? h : digitPos == 1 ? t : o) = d;
  const int value = h * 100 + t * 10 + o;
  if (value > 255) {
    Beep(TBeepReason::ValueLimited);
    return 255;
  }
  return value;
}

// The new value of the byte under the cursor for key, or -1 (after a beep)
// when the cell does not take the key.
int TypedValue(char32_t key, bool inChars) {
  const uint8_t old = Doc.DocData[CursorOffset()];
  int value;
  if (inChars)
    value = UnicodeToCp1252(key);
  else if (Grid.Hex)
    value = HexTyped(key, old, Cursor.CursorCol);
  else
    value = DecTyped(key, old, Cursor.CursorCol % 3);
  // A decimal digit is a key the cell takes in general, only not at this place.
  const bool decimalDigit = !inChars && !Grid.Hex && key >= '0' && key <= '9';
  if (value < 0) Beep(decimalDigit ? TBeepReason::DigitTooLarge : TBeepReason::InvalidKey);
  return value;
}

bool CursorOnByte() {
  const int32_t o = CursorOffset();
  return Cursor.CursorCol >= 0 && o >= 0 && o < Doc.DocSize;
}

}  // namespace

void FormKeyPress(char32_t key) {
  if (Doc.DocData && CursorOnByte()) {
    const bool inChars = InCharArea(Cursor.CursorCol);
    const int value = TypedValue(key, inChars);
    if (value >= 0) {
      ActionList().AddAction(
          std::make_unique<TEditAction>(akChangeValue, NextActionGroup(), CursorOffset(), inChars, uint8_t(value)),
          true);
      DoRight();
    }
  }
  UpdateMenus();
  EnsureCursorVisible();
}

void DoBackspace() {
  const int32_t o = CursorOffset();
  if (Doc.DocMarks && Cursor.CursorCol >= 0 && o > 0 && o < Doc.DocSize)
    ActionList().AddAction(
        std::make_unique<TBackspaceAction>(akBack, NextActionGroup(), o, InCharArea(Cursor.CursorCol)), true);
  UpdateMenus();
}

void DoDelete() {
  if (Doc.DocMarks && CursorOnByte())
    ActionList().AddAction(
        std::make_unique<TDeleteAction>(akDelete, NextActionGroup(), CursorOffset(), InCharArea(Cursor.CursorCol)),
        true);
  UpdateMenus();
}

void DoInsert() {
  const int32_t group = NextActionGroup();
  int32_t pos = 0;
  bool inChars = false;
  if (Doc.DocMarks && CursorOnByte()) {
    pos = CursorOffset();
    inChars = InCharArea(Cursor.CursorCol);
  }
  ActionList().AddAction(std::make_unique<TInsertAction>(akInsert, group, pos, inChars), true);
  UpdateMenus();
}

void DoAppendByte() {
  const int32_t group = NextActionGroup();
  ActionList().AddAction(std::make_unique<TInsertAction>(akAppend, group, Doc.DocSize, InCharArea(Cursor.CursorCol)),
                         true);
  UpdateMenus();
}

void EditUndoMainMenuItemClick() {
  ActionList().Undo();
  UpdateMenus();
}

void EditRedoMainMenuItemClick() {
  ActionList().Redo();
  UpdateMenus();
}
