#include "core/CellPaint.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/EnvState.h"
#include "core/GridState.h"
#include "core/Rgb.h"

#include "core/Cp1252.h"
#include "core/Helpers.h"

bool TCellSpec::Uniform() const {
  for (const TRgb& c : TextColors)
    if (c != TextColors.front()) return false;
  for (const TRgb& c : BackColors)
    if (c != BackColors.front()) return false;
  return true;
}

int32_t TCellSpec::Width() const {
  return Grid.CellPadLeft + int32_t(Text.size()) * Grid.CharWidth + Grid.CellPadRight + 1;
}

TCellSpec MakeCell(int32_t x, int32_t y, const std::u16string& text, TRgb textColor, TRgb backColor, TRgb lineColor) {
  TCellSpec c;
  c.X = x;
  c.Y = y;
  c.Text = text;
  c.TextColors.assign(text.size(), textColor);
  c.BackColors.assign(text.size() + 2, backColor);
  c.LineColor = lineColor;
  return c;
}

std::u16string ValueText(int64_t offset) {
  if (offset < 0 || offset >= Doc.DocSize) return std::u16string(size_t(Grid.DigitsPerByte), u' ');
  const uint8_t b = Doc.DocData[offset];
  const std::string s = Grid.Hex ? Hex2(b) : PadNumber(b, 3, true);
  return std::u16string(s.begin(), s.end());
}

namespace {

int32_t RowY(int64_t rowStart) {
  return int32_t((rowStart - int64_t(TopRow()) * Grid.BytesPerRow) / Grid.BytesPerRow) * Grid.RowHeight;
}

bool CursorInChars() { return Cursor.CursorCol >= 0 && InCharArea(Cursor.CursorCol); }

}  // namespace

TCellSpec ValueCellSpec(int32_t o) {
  const int32_t x = (o % Grid.BytesPerRow) * Grid.ValueCellWidth;
  const int32_t y = RowY(o - o % Grid.BytesPerRow);
  if (o >= Doc.DocSize) return MakeCell(x, y, ValueText(o), clBlack, clWhite, Env.ButtonFace);
  const uint8_t mark = Doc.DocMarks[o];
  TCellSpec c = MakeCell(x, y, ValueText(o), clBlack, MarkColor(mark), Env.ButtonFace);
  if (o / Grid.BytesPerRow == Cursor.CursorRow && Cursor.CursorCol >= 0) {
    if (!CursorInChars() && o % Grid.BytesPerRow == Cursor.CursorCol / Grid.DigitsPerByte) {
      if (Cursor.CursorBlinkOn) {
        const size_t d = size_t(Cursor.CursorCol % Grid.DigitsPerByte);
        c.TextColors[d] = clWhite;
        c.BackColors[d + 1] = clBlack;
      }
    } else if (CursorInChars() && o == CursorOffset()) {
      c.TextColors.assign(c.TextColors.size(), clWhite);
      c.BackColors.assign(c.BackColors.size(), MarkEchoColor(mark));
    }
  }
  return c;
}

TCellSpec CharRowSpec(int32_t o) {
  const int32_t s = o - o % Grid.BytesPerRow;
  TCellSpec c = MakeCell(Grid.BytesPerRow * Grid.ValueCellWidth, RowY(s),
                         std::u16string(size_t(Grid.BytesPerRow), u' '), clBlack, clWhite, Env.ButtonFace);
  for (int32_t j = 0; j < Grid.BytesPerRow; ++j) {
    const int64_t i = int64_t(s) + j;
    if (i >= Doc.DocSize) break;
    c.Text[size_t(j)] = Cp1252ToUnicode(DisplayChar(Doc.DocData[i], false));
    c.BackColors[size_t(j) + 1] = MarkColor(Doc.DocMarks[i]);
  }
  if (s / Grid.BytesPerRow == Cursor.CursorRow && Cursor.CursorCol >= 0) {
    if (!CursorInChars()) {
      const int32_t k = Cursor.CursorCol / Grid.DigitsPerByte;
      if (int64_t(s) + k < Doc.DocSize) {
        c.TextColors[size_t(k)] = clWhite;
        c.BackColors[size_t(k) + 1] = MarkEchoColor(Doc.DocMarks[s + k]);
      }
    } else if (Cursor.CursorBlinkOn && CursorOffset() < Doc.DocSize) {
      const size_t k = size_t(Cursor.CursorCol - Grid.BytesPerRow * Grid.DigitsPerByte);
      c.TextColors[k] = clWhite;
      c.BackColors[k + 1] = clBlack;
    }
  }
  return c;
}

TRowPaint DataBoxRow(int32_t r) {
  TRowPaint p;
  p.Row = r;
  p.Y = r * Grid.RowHeight;
  const int64_t s = (int64_t(TopRow()) + r) * Grid.BytesPerRow;
  const int64_t end = s + Grid.BytesPerRow;
  const uint8_t m = s < Doc.DocSize ? Doc.DocMarks[s] : 0;
  bool mixed = false;
  for (int64_t i = s; i < end && i < Doc.DocSize && !mixed; ++i) mixed = Doc.DocMarks[i] != m;
  if (mixed || int64_t(TopRow()) + r == Cursor.CursorRow) {
    p.PerCell = true;
    for (int64_t i = s; i < end; ++i) p.Cells.push_back(ValueCellSpec(int32_t(i)));
    p.Cells.push_back(CharRowSpec(int32_t(s)));
    return p;
  }
  p.Text.assign(1, u' ');
  for (int64_t i = s; i < end; ++i) {
    p.Text += ValueText(i);
    p.Text += u' ';
  }
  for (int64_t i = s; i < end; ++i)
    p.Text += i < Doc.DocSize ? Cp1252ToUnicode(DisplayChar(Doc.DocData[i], false)) : u' ';
  p.Text += u' ';
  p.TextX = Grid.CellPadLeft - Grid.CharWidth;
  p.Back = MarkColor(m);
  if (m != 0) {
    p.WhiteCharMargins = true;
    const int32_t cx = Grid.BytesPerRow * Grid.ValueCellWidth;
    p.LeftMarginX = cx;
    p.LeftMarginW = Grid.CharWidth / 2 - 1;
    p.RightMarginX = cx + Grid.CharColumnWidth - Grid.CharWidth / 2 - 1;
    p.RightMarginW = Grid.CharWidth / 2 + 1;
  }
  return p;
}

std::vector<int32_t> RowsMeeting(int32_t top, int32_t bottom) {
  std::vector<int32_t> rows;
  for (int32_t r = 0; r < Grid.VisibleRows; ++r) {
    const int32_t y0 = r * Grid.RowHeight, y1 = (r + 1) * Grid.RowHeight - 1;
    if (y1 >= top && y0 <= bottom) rows.push_back(r);
  }
  return rows;
}

std::vector<int32_t> GridLineXs() {
  std::vector<int32_t> xs;
  for (int32_t e = 0; e <= Grid.BytesPerRow; ++e) xs.push_back(e * Grid.ValueCellWidth - 1);
  xs.push_back(Grid.BytesPerRow * Grid.ValueCellWidth + Grid.CharColumnWidth - 1);
  return xs;
}

std::u16string OffsetText(int64_t row) {
  std::string digits;
  if (Grid.Hex) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(row));
    digits = buf;
  } else {
    digits = std::to_string(row);
  }
  const size_t width = size_t(Max(Grid.OffsetDigits - 1, 0));
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  digits += '0';
  return std::u16string(digits.begin(), digits.end());
}

std::vector<TCellSpec> MainPanelCells() {
  std::vector<TCellSpec> cells;
  // Headers sit on the button face and take its text colour, so that a
  // dark theme keeps them readable.
  const TRgb face = Env.ButtonFace, shadow = Env.ButtonShadow, ink = Env.ButtonText;
  cells.push_back(MakeCell(0, 0, std::u16string(size_t(Grid.OffsetDigits), u' '), ink, face, shadow));
  for (int32_t i = 1; i <= Grid.VisibleRows; ++i)
    cells.push_back(MakeCell(0, i * Grid.RowHeight, OffsetText(int64_t(TopRow()) + i - 1), ink, face, shadow));
  static const char16_t digits[] = u"0123456789ABCDEF";
  std::u16string header;
  for (int32_t k = 0; k < Grid.BytesPerRow; ++k) {
    std::u16string t(size_t(Max(Grid.DigitsPerByte - 1, 0)), u' ');
    t += digits[k];
    cells.push_back(MakeCell(k * Grid.ValueCellWidth + Grid.OffsetColumnWidth, 0, t, ink, face, shadow));
    header += digits[k];
  }
  header += u"    ";
  cells.push_back(
      MakeCell(Grid.BytesPerRow * Grid.ValueCellWidth + Grid.OffsetColumnWidth, 0, header, ink, face, shadow));
  return cells;
}
