#include "core/IntField.h"
#include "core/GridState.h"
#include "core/Rgb.h"

#include <limits>

#include "core/Helpers.h"
#include "core/Seams.h"

namespace {

int DigitValue(char c) { return c <= '9' ? c - '0' : c - 'A' + 10; }

constexpr int32_t PaintedPlaces = 11;

}  // namespace

int64_t IntDigitsValue(const std::string& digits, int32_t radix) {
  int64_t v = 0;
  for (char c : digits) {
    v = v * radix + DigitValue(c);
    // More digits than any 32-bit value has: stop before 64 bits overflow.
    if (v > std::numeric_limits<int32_t>::max()) return int64_t(std::numeric_limits<int32_t>::max()) + 1;
  }
  return v;
}

bool THexIntField::LegalChar(char32_t& c) const {
  if (c >= 'a' && c <= 'f') c = c - 'a' + 'A';
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

bool TDecIntField::LegalChar(char32_t& c) const {
  if (c >= 'a' && c <= 'z') c = c - 'a' + 'A';
  return c >= '0' && c <= '9';
}

void THexIntField::SetCursorPos(int32_t p) { CursorPos = Max(0, Min(p, MaxCursorPos())); }

void THexIntField::CalcDataStr() {
  const int32_t v = IntData ? IntData->Value() : 0;
  if (v <= 0)
    Digits = "0";
  else
    Digits = Radix() == 16 ? HexUpper(uint32_t(v)) : std::to_string(v);
}

void THexIntField::CalcData() {
  if (!IntData) return;
  // MyKeyPress refuses what does not fit, so this never truncates.
  IntData->SetValue(int32_t(IntDigitsValue(Digits, Radix())), this);
}

void THexIntField::DoBack() {
  if (CursorPos > 0) Digits.erase(size_t(CursorPos) - 1, 1);
  IChangedData();
  SetCursorPos(CursorPos - 1);
}

void THexIntField::DoDel() {
  if (CursorPos < MaxCursorPos()) Digits.erase(size_t(CursorPos), 1);
  IChangedData();
}

void THexIntField::DoIns() {
  if (MaxCursorPos() < MaxLen()) {
    std::string widened = Digits;
    widened.insert(size_t(CursorPos), 1, '0');
    if (IntDigitsValue(widened, Radix()) > std::numeric_limits<int32_t>::max()) {
      Beep(TBeepReason::NumberTooLarge);
      return;
    }
    Digits = widened;
  }
  IChangedData();
}

void THexIntField::MyKeyPress(char32_t c) {
  if (c == 8) {
    DoBack();
  } else if (CursorPos < MaxLen() && LegalChar(c)) {
    std::string typed = Digits;
    if (CursorPos == MaxCursorPos())
      typed.push_back(char(c));
    else
      typed[size_t(CursorPos)] = char(c);
    // Both fields have room for numbers that 32 bits cannot hold (FFFFFFFF,
    // 9999999999); such a digit would silently wrap the value to a negative
    // number, so it is refused.
    if (IntDigitsValue(typed, Radix()) > std::numeric_limits<int32_t>::max()) {
      Beep(TBeepReason::NumberTooLarge);
    } else {
      Digits = typed;
      IChangedData();
      DoRight();
    }
  } else {
    Beep(LegalChar(c) ? TBeepReason::NoRoom : TBeepReason::InvalidKey);
  }
  Update();
}

TFocusMove THexIntField::MyKeyDown(TFieldKey key) {
  TFocusMove move = TFocusMove::None;
  switch (key) {
    case TFieldKey::End: DoEnd(); break;
    case TFieldKey::Home: DoHome(); break;
    case TFieldKey::Left: DoLeft(); break;
    case TFieldKey::Right: DoRight(); break;
    case TFieldKey::Up: move = TFocusMove::Up; break;
    case TFieldKey::Down: move = TFocusMove::Down; break;
    case TFieldKey::Insert: DoIns(); break;
    case TFieldKey::Delete: DoDel(); break;
    case TFieldKey::Other: break;
  }
  Update();
  return move;
}

void THexIntField::MyMouseDown(int32_t x) {
  if (Grid.CharWidth > 0) SetCursorPos((x - Grid.CellPadLeft) / Grid.CharWidth);
  Update();
}

void THexIntField::DataChanged(const void* sender) {
  if (sender == this) return;
  CalcDataStr();
  if (CursorPos > MaxCursorPos()) CursorPos = MaxCursorPos();
  Update();
}

TCellSpec THexIntField::PaintCell(bool cursorShown) const {
  std::u16string text(Digits.begin(), Digits.end());
  if (int32_t(text.size()) < PaintedPlaces) text.resize(size_t(PaintedPlaces), u' ');
  TCellSpec cell = MakeCell(0, 0, text, clBlack, clWhite, clWhite);
  if (cursorShown && CursorPos >= 0 && CursorPos < int32_t(text.size())) {
    cell.TextColors[size_t(CursorPos)] = clWhite;
    cell.BackColors[size_t(CursorPos) + 1] = clBlack;
  }
  return cell;
}

void THexIntField::Update() {
  if (View) View->DoUpdate();
}

// Ten digits and the cursor's place after them: a 10-digit decimal number
// still shows where the next key would go.
int32_t IntEditClientWidth() { return Grid.CellPadLeft + Grid.CellPadRight + 11 * Grid.CharWidth - 1; }
int32_t IntEditClientHeight() { return Grid.RowHeight - 1; }

void ClearIntFields(TIntData& data, THexIntField& hex, THexIntField& dec, const void* sender) {
  data.SetValue(0, sender);
  hex.SetCursorPos(0);
  dec.SetCursorPos(0);
  for (THexIntField* f : {&hex, &dec})
    if (f->View) f->View->DoUpdate();
}
