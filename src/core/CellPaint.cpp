#include "core/CellPaint.h"

#include "core/Cp1252.h"
#include "core/Helpers.h"

bool TCellSpec::Uniform() const {
  for (const TRgb& c : TextColors)
    if (c != TextColors.front()) return false;
  for (const TRgb& c : BackColors)
    if (c != BackColors.front()) return false;
  return true;
}

int32_t TCellSpec::Width() const { return G.CellPadLeft + int32_t(Text.size()) * G.CharWidth + G.CellPadRight + 1; }

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
  if (offset < 0 || offset >= G.DocSize) return std::u16string(size_t(G.DigitsPerByte), u' ');
  const uint8_t b = G.DocData[offset];
  const std::string s = G.Hex ? Hex2(b) : PadNumber(b, 3, true);
  return std::u16string(s.begin(), s.end());
}

namespace {

int32_t RowY(int64_t rowStart) {
  return int32_t((rowStart - int64_t(TopRow()) * G.BytesPerRow) / G.BytesPerRow) * G.RowHeight;
}

bool CursorInChars() { return G.CursorCol >= 0 && InCharArea(G.CursorCol); }

}  // namespace

TCellSpec ValueCellSpec(int32_t o) {
  const int32_t x = (o % G.BytesPerRow) * G.ValueCellWidth;
  const int32_t y = RowY(o - o % G.BytesPerRow);
  if (o >= G.DocSize) return MakeCell(x, y, ValueText(o), clBlack, clWhite, G.ButtonFace);
  const uint8_t mark = G.DocMarks[o];
  TCellSpec c = MakeCell(x, y, ValueText(o), clBlack, MarkColor(mark), G.ButtonFace);
  if (o / G.BytesPerRow == G.CursorRow && G.CursorCol >= 0) {
    if (!CursorInChars() && o % G.BytesPerRow == G.CursorCol / G.DigitsPerByte) {
      if (G.CursorBlinkOn) {
        const size_t d = size_t(G.CursorCol % G.DigitsPerByte);
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
  const int32_t s = o - o % G.BytesPerRow;
  TCellSpec c = MakeCell(G.BytesPerRow * G.ValueCellWidth, RowY(s), std::u16string(size_t(G.BytesPerRow), u' '),
                         clBlack, clWhite, G.ButtonFace);
  for (int32_t j = 0; j < G.BytesPerRow; ++j) {
    const int64_t i = int64_t(s) + j;
    if (i >= G.DocSize) break;
    c.Text[size_t(j)] = Cp1252ToUnicode(DisplayChar(G.DocData[i], false));
    c.BackColors[size_t(j) + 1] = MarkColor(G.DocMarks[i]);
  }
  if (s / G.BytesPerRow == G.CursorRow && G.CursorCol >= 0) {
    if (!CursorInChars()) {
      const int32_t k = G.CursorCol / G.DigitsPerByte;
      if (int64_t(s) + k < G.DocSize) {
        c.TextColors[size_t(k)] = clWhite;
        c.BackColors[size_t(k) + 1] = MarkEchoColor(G.DocMarks[s + k]);
      }
    } else if (G.CursorBlinkOn && CursorOffset() < G.DocSize) {
      const size_t k = size_t(G.CursorCol - G.BytesPerRow * G.DigitsPerByte);
      c.TextColors[k] = clWhite;
      c.BackColors[k + 1] = clBlack;
    }
  }
  return c;
}

TRowPaint DataBoxRow(int32_t r) {
  TRowPaint p;
  p.Row = r;
  p.Y = r * G.RowHeight;
  const int64_t s = (int64_t(TopRow()) + r) * G.BytesPerRow;
  const int64_t end = s + G.BytesPerRow;
  const uint8_t m = s < G.DocSize ? G.DocMarks[s] : 0;
  bool mixed = false;
  for (int64_t i = s; i < end && i < G.DocSize && !mixed; ++i) mixed = G.DocMarks[i] != m;
  if (mixed || int64_t(TopRow()) + r == G.CursorRow) {
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
    p.Text += i < G.DocSize ? Cp1252ToUnicode(DisplayChar(G.DocData[i], false)) : u' ';
  p.Text += u' ';
  p.TextX = G.CellPadLeft - G.CharWidth;
  p.Back = MarkColor(m);
  if (m != 0) {
    p.WhiteCharMargins = true;
    const int32_t cx = G.BytesPerRow * G.ValueCellWidth;
    p.LeftMarginX = cx;
    p.LeftMarginW = G.CharWidth / 2 - 1;
    p.RightMarginX = cx + G.CharColumnWidth - G.CharWidth / 2 - 1;
    p.RightMarginW = G.CharWidth / 2 + 1;
  }
  return p;
}

std::vector<int32_t> RowsMeeting(int32_t top, int32_t bottom) {
  std::vector<int32_t> rows;
  for (int32_t r = 0; r < G.VisibleRows; ++r) {
    const int32_t y0 = r * G.RowHeight, y1 = (r + 1) * G.RowHeight - 1;
    if (y1 >= top && y0 <= bottom) rows.push_back(r);
  }
  return rows;
}

std::vector<int32_t> GridLineXs() {
  std::vector<int32_t> xs;
  for (int32_t e = 0; e <= G.BytesPerRow; ++e) xs.push_back(e * G.ValueCellWidth - 1);
  xs.push_back(G.BytesPerRow * G.ValueCellWidth + G.CharColumnWidth - 1);
  return xs;
}

std::u16string OffsetText(int64_t row) {
  std::string digits;
  if (G.Hex) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(row));
    digits = buf;
  } else {
    digits = std::to_string(row);
  }
  const size_t width = size_t(Max(G.OffsetDigits - 1, 0));
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  digits += '0';
  return std::u16string(digits.begin(), digits.end());
}

std::vector<TCellSpec> MainPanelCells() {
  std::vector<TCellSpec> cells;
  const TRgb face = G.ButtonFace, shadow = G.ButtonShadow;
  cells.push_back(MakeCell(0, 0, std::u16string(size_t(G.OffsetDigits), u' '), clBlack, face, shadow));
  for (int32_t i = 1; i <= G.VisibleRows; ++i)
    cells.push_back(MakeCell(0, i * G.RowHeight, OffsetText(int64_t(TopRow()) + i - 1), clBlack, face, shadow));
  static const char16_t digits[] = u"0123456789ABCDEF";
  std::u16string header;
  for (int32_t k = 0; k < G.BytesPerRow; ++k) {
    std::u16string t(size_t(Max(G.DigitsPerByte - 1, 0)), u' ');
    t += digits[k];
    cells.push_back(MakeCell(k * G.ValueCellWidth + G.OffsetColumnWidth, 0, t, clBlack, face, shadow));
    header += digits[k];
  }
  header += u"    ";
  cells.push_back(
      MakeCell(G.BytesPerRow * G.ValueCellWidth + G.OffsetColumnWidth, 0, header, clBlack, face, shadow));
  return cells;
}
