#include "core/DataField.h"

#include "core/Cp1252.h"
#include "core/EnvState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/Rgb.h"
#include "core/Seams.h"

namespace {

constexpr TRgb EchoGrey{128, 128, 128};

void Invert(TCellSpec& cell, size_t j) {
  cell.TextColors[j] = clWhite;
  cell.BackColors[j + 1] = clBlack;
}

void Echo(TCellSpec& cell) {
  cell.TextColors.assign(cell.TextColors.size(), clWhite);
  cell.BackColors.assign(cell.BackColors.size(), EchoGrey);
}

}  // namespace

int32_t THexDataField::CellWidth() const {
  return CellCharCount() * Grid.CharWidth + Grid.CellPadLeft + Grid.CellPadRight + 1;
}

bool THexDataField::Ready() {
  if (!BytesData) return false;
  BytesData->CursorPos = Max(0, Min(BytesData->CursorPos, BytesData->Len() * 3));
  return true;
}

void THexDataField::MoveTo(int32_t pos) {
  BytesData->CursorPos = Max(0, Min(pos, BytesData->Len() * 3));
  BytesData->DoUpdateAll();
}

bool THexDataField::EnsureCursorByte() {
  if (CursorByte() < BytesData->Len()) return true;
  if (BytesData->InsertByte(BytesData->Len(), 0)) return true;
  Beep(TBeepReason::NoRoom);
  return false;
}

// The hex view has no third place: stepping onto it steps once more.
void THexDataField::DoLeft() {
  if (!Ready()) return;
  int32_t p = BytesData->CursorPos;
  switch (CellCharCount()) {
    case 1: p = (p / 3) * 3 - 3; break;
    case 2:
      p -= 1;
      if (p % 3 == 2) p -= 1;
      break;
    default: p -= 1; break;
  }
  MoveTo(p);
}

void THexDataField::DoRight() {
  if (!Ready()) return;
  int32_t p = BytesData->CursorPos;
  switch (CellCharCount()) {
    case 1: p = (p / 3) * 3 + 3; break;
    case 2:
      p += 1;
      if (p % 3 == 2) p += 1;
      break;
    default: p += 1; break;
  }
  MoveTo(p);
}

void THexDataField::DoHome() {
  if (Ready()) MoveTo(0);
}

void THexDataField::DoEnd() {
  if (Ready()) MoveTo(BytesData->Len() * 3);
}

void THexDataField::DoIns() {
  if (!Ready()) return;
  // The cursor stays, so it now stands on the new zero byte.
  if (!BytesData->InsertByte(CursorByte(), 0)) Beep(TBeepReason::NoRoom);
  BytesData->DoUpdateAll();
}

void THexDataField::DoDel() {
  if (!Ready()) return;
  TBytesData& d = *BytesData;
  if (CursorByte() < d.Len() && d.Len() > d.MinLen) {
    d.RemoveByte(CursorByte());
    if (CursorByte() == d.Len()) d.CursorPos = (d.CursorPos / 3) * 3;
  }
  d.DoUpdateAll();
}

void THexDataField::DoBack() {
  if (!Ready()) return;
  TBytesData& d = *BytesData;
  if (CursorByte() >= 1 && d.Len() > d.MinLen) {
    d.RemoveByte(CursorByte() - 1);
    // The cursor keeps to the same byte value, on its first digit.
    d.CursorPos = ((d.CursorPos - 3) / 3) * 3;
  }
  d.DoUpdateAll();
}

void THexDataField::DoChar(char32_t c) {
  if (!Ready()) return;
  int v;
  if (c >= '0' && c <= '9')
    v = int(c - '0');
  else if (c >= 'A' && c <= 'F')
    v = int(c - 'A' + 10);
  else if (c >= 'a' && c <= 'f')
    v = int(c - 'a' + 10);
  else {
    Beep(TBeepReason::InvalidKey);
    return;
  }
  if (!EnsureCursorByte()) return;
  const uint8_t old = BytesData->Buf()[size_t(CursorByte())];
  BytesData->SetByte(CursorByte(), CursorPosInByte() == 0 ? uint8_t(v * 16 + old % 16) : uint8_t(old / 16 * 16 + v));
  DoRight();
}

void TDecDataField::DoChar(char32_t c) {
  if (!Ready()) return;
  if (c < '0' || c > '9') {
    Beep(TBeepReason::InvalidKey);
    return;
  }
  const int d = int(c - '0');
  const uint8_t old = CursorByte() < BytesData->Len() ? BytesData->Buf()[size_t(CursorByte())] : 0;
  int h = old / 100, t = old / 10 % 10, u = old % 10;
  bool legal;
  switch (CursorPosInByte()) {
    case 0:
      legal = d <= 2;
      h = d;
      break;
    case 1:
      legal = d <= (h == 2 ? 5 : 9);
      t = d;
      break;
    default:
      legal = d <= (h == 2 && t == 5 ? 5 : 9);
      u = d;
      break;
  }
  if (!legal) {
    Beep(TBeepReason::DigitTooLarge);
    return;
  }
  // Each place is checked against the old digits of the others, so a 2 in
  // the hundreds of 199 still overshoots: the byte saturates, with a beep.
  int value = 100 * h + 10 * t + u;
  if (value > 255) {
    value = 255;
    Beep(TBeepReason::ValueLimited);
  }
  if (!EnsureCursorByte()) return;
  BytesData->SetByte(CursorByte(), uint8_t(value));
  DoRight();
}

void TCharDataField::DoChar(char32_t c) {
  if (!Ready()) return;
  const int b = UnicodeToCp1252(c);
  if (b < 0) {
    Beep(TBeepReason::InvalidKey);
    return;
  }
  if (!EnsureCursorByte()) return;
  BytesData->SetByte(CursorByte(), uint8_t(b));
  DoRight();
}

void THexDataField::MyKeyPress(char32_t c) {
  if (c == 8)
    DoBack();
  else
    DoChar(c);
}

TFocusMove THexDataField::MyKeyDown(TFieldKey key) {
  switch (key) {
    case TFieldKey::End: DoEnd(); break;
    case TFieldKey::Home: DoHome(); break;
    case TFieldKey::Left: DoLeft(); break;
    case TFieldKey::Right: DoRight(); break;
    case TFieldKey::Up: return TFocusMove::Up;
    case TFieldKey::Down: return TFocusMove::Down;
    case TFieldKey::Insert: DoIns(); break;
    case TFieldKey::Delete: DoDel(); break;
    case TFieldKey::Other: break;
  }
  return TFocusMove::None;
}

void THexDataField::FocusGained() {
  if (!Ready()) return;
  BytesData->CursorPos = (BytesData->CursorPos / 3) * 3;
  BytesData->DoUpdateAll();
}

void THexDataField::FocusLost() {
  if (BytesData) BytesData->DoUpdateAll();
}

void THexDataField::MyMouseDown(int32_t x) {
  if (!Ready() || Grid.CharWidth <= 0) return;
  const int32_t w = CellWidth();
  x = Max(x, 0);
  const int32_t b = x / w + FirstByte;
  MoveTo(b * 3 + (x % w >= w / 2 ? 1 : 0));
}

void TDecDataField::MyMouseDown(int32_t x) {
  if (!Ready() || Grid.CharWidth <= 0) return;
  const int32_t w = CellWidth();
  x = Max(x, 0);
  const int32_t b = x / w + FirstByte;
  const int32_t r = x % w;
  int32_t place;
  if (Grid.CellPadLeft + Grid.CharWidth <= r && r < Grid.CellPadLeft + 2 * Grid.CharWidth)
    place = 1;
  else
    place = r < w / 2 ? 0 : 2;
  MoveTo(b * 3 + place);
}

void TCharDataField::MyMouseDown(int32_t x) {
  if (!Ready() || Grid.CharWidth <= 0) return;
  // Byte FirstByte begins at CellPadLeft; the boundaries fall on the
  // character edges.
  const int32_t b = (Max(x, 0) + Grid.CharWidth / 2 + 1) / Grid.CharWidth + FirstByte - 1;
  MoveTo(b * 3);
}

void THexDataField::ScrollToCursor(int32_t clientWidth) {
  if (!BytesData || Grid.CharWidth <= 0) return;
  const int32_t w = CellWidth(), cb = CursorByte();
  if (cb < FirstByte) FirstByte = cb;
  if (int64_t(cb - FirstByte) * w > clientWidth - w) {
    // A view narrower than one cell still shows the cursor's cell first.
    FirstByte = Max(0, Min(cb - Max(clientWidth / w, 1) + 1, BytesData->Len()));
  }
}

void TCharDataField::ScrollToCursor(int32_t clientWidth) {
  if (!BytesData || Grid.CharWidth <= 0) return;
  const int32_t perView = Max(clientWidth / Grid.CharWidth, 1), cb = CursorByte();
  if (cb < FirstByte) FirstByte = cb;
  if (cb > FirstByte + perView - 1) FirstByte = cb - perView + 1;
}

std::u16string THexDataField::ByteText(uint8_t b) const {
  const std::string s = Hex2(b);
  return std::u16string(s.begin(), s.end());
}

std::u16string TDecDataField::ByteText(uint8_t b) const {
  const std::string s = PadNumber(b, 3, true);
  return std::u16string(s.begin(), s.end());
}

TDataFieldPaint THexDataField::Paint(int32_t clientWidth, bool focused, bool cursorOn) {
  TDataFieldPaint p;
  if (!Ready() || Grid.CharWidth <= 0) return p;
  ScrollToCursor(clientWidth);
  const TBytesData& d = *BytesData;
  const int32_t w = CellWidth(), cb = CursorByte(), place = CursorPosInByte();
  const bool echo = !focused && d.OneIsFocused();
  int32_t x = 0;
  for (int32_t i = FirstByte; i < d.Len() && x < clientWidth; ++i, x += w) {
    TCellSpec cell = MakeCell(x, 0, ByteText(d.Buf()[size_t(i)]), clBlack, clWhite, Env.ButtonFace);
    if (i == cb) {
      if (focused && cursorOn && place < CellCharCount())
        Invert(cell, size_t(place));
      else if (echo)
        Echo(cell);
    }
    p.Cells.push_back(cell);
  }
  // The end cell shows only as the focused view's cursor, never as an echo.
  if (focused && cursorOn && cb == d.Len() && x < clientWidth) {
    TCellSpec cell = MakeCell(x, 0, std::u16string(size_t(CellCharCount()), u' '), clBlack, clWhite, clWhite);
    Invert(cell, 0);
    p.Cells.push_back(cell);
    x += w;
  }
  p.FillX = x;
  return p;
}

TDataFieldPaint TCharDataField::Paint(int32_t clientWidth, bool focused, bool cursorOn) {
  TDataFieldPaint p;
  if (!Ready() || Grid.CharWidth <= 0) return p;
  ScrollToCursor(clientWidth);
  const TBytesData& d = *BytesData;
  const int32_t cb = CursorByte();
  const bool echo = !focused && d.OneIsFocused();
  // One character more on each side than fits, so that the line starts
  // left of the view and byte FirstByte lands at CellPadLeft.
  const int32_t first = FirstByte - 1, last = FirstByte + clientWidth / Grid.CharWidth + 2;
  TCellSpec cell =
      MakeCell(-Grid.CharWidth, 0, std::u16string(size_t(last - first + 1), u' '), clBlack, clWhite, clWhite);
  for (int32_t i = first; i <= last; ++i) {
    const size_t j = size_t(i - first);
    if (i >= 0 && i < d.Len()) cell.Text[j] = Cp1252ToUnicode(DisplayChar(d.Buf()[size_t(i)], false));
    if (i != cb) continue;
    if (focused && cursorOn) {
      Invert(cell, j);
    } else if (echo && i < d.Len()) {
      cell.TextColors[j] = clWhite;
      cell.BackColors[j + 1] = EchoGrey;
    }
  }
  p.FillX = cell.X + cell.Width();
  p.Cells.push_back(std::move(cell));
  return p;
}
