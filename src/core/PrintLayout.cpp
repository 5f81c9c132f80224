#include "core/PrintLayout.h"

#include <cstdio>

#include "core/Cp1252.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/Geometry.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "core/Texts.h"

namespace {

constexpr char16_t HexDigits[] = u"0123456789ABCDEF";

// The narrowest listing: the font is chosen so that this many digits fit.
constexpr int32_t MinRowChars = 78;
// Lines of a page the font must fit: 5 above the rows, 68 rows.
constexpr int32_t PageLines = FirstRowLine + LinesPerPage;

std::u16string Blanks(int32_t n) { return std::u16string(size_t(Max(n, 0)), u' '); }

std::u16string Ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

std::u16string OffsetOfRow(const TPrintFormat& f, int32_t row) {
  const int64_t offset = int64_t(row) * f.BytesPerRow;
  char buf[24];
  std::snprintf(buf, sizeof buf, f.Hex ? "%0*llX" : "%0*llu", int(f.OffsetDigits),
                static_cast<unsigned long long>(offset));
  return Ascii(buf);
}

// A group blank follows the columns at which the next column's count of
// group blanks before it grows; never the last column.
bool GroupBlankAfter(const TPrintFormat& f, int32_t c) {
  return c + 1 < f.BytesPerRow && GroupBlanksBefore(f, c + 1) > GroupBlanksBefore(f, c);
}

int32_t Centered(const TPrintMetrics& m, const std::u16string& text) { return (m.PageWidth - m.TextWidth(text)) / 2; }

// A line of the grid takes one column per character, whatever the font
// would make of them: a soft hyphen or a control code must not move a row.
int32_t CenteredGrid(const TPrintMetrics& m, const std::u16string& text) {
  return (m.PageWidth - int32_t(text.size()) * m.W) / 2;
}

}  // namespace

TPrintPages ChosenPages(const TPrintDialogData& dialog) {
  if (dialog.PageRange) return {dialog.FromPage, dialog.ToPage};
  return {dialog.MinPage, dialog.MaxPage};
}

TPrintFormat CurrentPrintFormat() {
  TPrintFormat f;
  f.Hex = Grid.Hex;
  f.BytesPerRow = Grid.Hex ? 16 : 10;
  f.DigitsPerByte = Grid.Hex ? 2 : 3;
  f.RowCount = ComputeRowCount(Doc.DocSize, f.BytesPerRow);
  f.OffsetDigits = ComputeOffsetDigits(f.RowCount, f.BytesPerRow);
  return f;
}

int32_t PrintPageCount(int64_t docSize, int32_t bytesPerRow) {
  return int32_t((int64_t(ComputeRowCount(docSize, bytesPerRow)) + LinesPerPage - 1) / LinesPerPage);
}

int32_t PrintPageOfRow(int32_t row) { return Max(row, 0) / LinesPerPage + 1; }

TPrintDialogData InitialPrintDialog() {
  const TPrintFormat f = CurrentPrintFormat();
  TPrintDialogData d;
  d.Copies = 1;
  d.MinPage = 1;
  d.MaxPage = Max(PrintPageCount(Doc.DocSize, f.BytesPerRow), 1);
  d.FromPage = d.ToPage = Min(PrintPageOfRow(Cursor.CursorRow), d.MaxPage);
  d.PageRange = true;
  return d;
}

int32_t GroupBlanksBefore(const TPrintFormat& f, int32_t column) {
  if (f.Hex) return column / 4 > 3 ? 3 : column / 4;
  return column > 4 ? 1 : 0;
}

int32_t TotalGroupBlanks(const TPrintFormat& f) { return f.Hex ? 3 : 1; }

int32_t PrintRowChars(const TPrintFormat& f) {
  return f.OffsetDigits + 2 + f.BytesPerRow * (f.DigitsPerByte + 1) + TotalGroupBlanks(f) + 3 + f.BytesPerRow;
}

std::u16string PrintColumnHeader(const TPrintFormat& f) {
  std::u16string s = Blanks(f.OffsetDigits + 2);
  for (int32_t c = 0; c < f.BytesPerRow; ++c) {
    s += Blanks(f.DigitsPerByte);
    s += HexDigits[c];
    if (GroupBlankAfter(f, c)) s += u' ';
  }
  s += u"   ";
  for (int32_t c = 0; c < f.BytesPerRow; ++c) s += HexDigits[c];
  return s;
}

std::u16string PrintRowText(const TPrintFormat& f, int32_t row) {
  std::u16string s = OffsetOfRow(f, row);
  s += u"  ";
  const int64_t start = int64_t(row) * f.BytesPerRow;
  for (int32_t c = 0; c < f.BytesPerRow; ++c) {
    const int64_t o = start + c;
    if (o < Doc.DocSize) {
      s += u' ';
      s += Ascii(f.Hex ? Hex2(Doc.DocData[o]) : PadNumber(Doc.DocData[o], 3, true));
    } else {
      s += Blanks(f.DigitsPerByte + 1);
    }
    if (GroupBlankAfter(f, c)) s += u' ';
  }
  s += u"   ";
  for (int32_t c = 0; c < f.BytesPerRow; ++c) {
    const int64_t o = start + c;
    s += o < Doc.DocSize ? Cp1252ToUnicode(DisplayChar(Doc.DocData[o], false)) : u' ';
  }
  return s;
}

TPrintBox PrintValueBox(const TPrintFormat& f, int32_t rowLeft, int32_t w, int32_t h, int32_t lineHeight, int32_t i,
                        int32_t column) {
  TPrintBox b;
  b.X = rowLeft + (f.OffsetDigits + 3 + column * (f.DigitsPerByte + 1) + GroupBlanksBefore(f, column)) * w - w / 2;
  b.Y = (i + FirstRowLine) * lineHeight;
  b.W = (f.DigitsPerByte + 1) * w;
  b.H = h;
  return b;
}

TPrintBox PrintCharBox(const TPrintFormat& f, int32_t rowLeft, int32_t w, int32_t h, int32_t lineHeight, int32_t i,
                       int32_t column) {
  TPrintBox b;
  b.X = rowLeft + (f.OffsetDigits + 5 + (f.DigitsPerByte + 1) * f.BytesPerRow + TotalGroupBlanks(f) + column) * w;
  b.Y = (i + FirstRowLine) * lineHeight;
  b.W = w;
  b.H = h;
  return b;
}

int PrintHatchStyle(uint8_t mark) {
  // Like the colours, the hatch follows the low 7 bits of the code.
  const int c = mark & 0x7F;
  return c >= 1 && c <= 6 ? c : 0;
}

int32_t PrintFontSize(int32_t pageWidth, int32_t pageHeight, int32_t rowChars, const TDigitMeasure& measure) {
  // Offsets of more than six hex digits make a row longer than 78
  // characters; the font then shrinks so that the whole row still fits.
  const int64_t chars = Max(rowChars, MinRowChars);
  // A font that cannot be measured (or never fills the page) must not hang
  // the search; no device needs anywhere near this many points.
  constexpr int32_t MaxSize = 2000;
  int32_t size = 1;
  for (;;) {
    ++size;
    const auto [w, h] = measure(size);
    if (pageWidth < chars * w || pageHeight < int64_t(PageLines) * h || h == 100 || size >= MaxSize) break;
  }
  return Max(size - 1, 1);
}

TPrintMarks CurrentPrintMarks() {
  if (Options.DoNotPrintMarks) return TPrintMarks::None;
  if (Options.PrintMarksHatched) return TPrintMarks::Hatched;
  return TPrintMarks::Colors;
}

std::vector<TPrintedText> PrintHeader(const TPrintMetrics& m, int32_t page, const std::u16string& dateTime,
                                      const std::u16string& fileName) {
  const std::u16string left = u"    " + dateTime;
  const std::u16string right = Ascii(std::to_string(page)) + u"    ";
  return {{0, 0, left}, {Centered(m, fileName), 0, fileName}, {m.PageWidth - m.TextWidth(right), 0, right}};
}

TPrintedText PrintColumnHeaderLine(const TPrintFormat& f, const TPrintMetrics& m) {
  TPrintedText t;
  t.Text = PrintColumnHeader(f);
  t.X = CenteredGrid(m, t.Text);
  t.Y = 3 * m.LineHeight;
  return t;
}

TPrintedRow PrintPageRow(const TPrintFormat& f, const TPrintMetrics& m, TPrintMarks marks, int32_t page, int32_t i) {
  TPrintedRow r;
  r.Row = int32_t(int64_t(page - 1) * LinesPerPage + i);
  r.Text.Y = (i + FirstRowLine) * m.LineHeight;
  if (int64_t(page - 1) * LinesPerPage + i >= f.RowCount) return r;
  r.Text.Text = PrintRowText(f, r.Row);
  r.Text.X = CenteredGrid(m, r.Text.Text);
  if (marks == TPrintMarks::None) return r;
  const int64_t start = int64_t(r.Row) * f.BytesPerRow;
  for (int32_t c = 0; c < f.BytesPerRow && start + c < Doc.DocSize; ++c) {
    const uint8_t mark = Doc.DocMarks[start + c];
    if (mark == 0) continue;
    r.Boxes.push_back({PrintValueBox(f, r.Text.X, m.W, m.H, m.LineHeight, i, c), mark});
    r.Boxes.push_back({PrintCharBox(f, r.Text.X, m.W, m.H, m.LineHeight, i, c), mark});
  }
  return r;
}

std::string PrintJobTitle() { return "Brisquentalovard " + DocFileName(); }

std::string PrintProgressCaption() { return Tr("Printing...", "Drucke..."); }

std::string PrintProgressText(int32_t page) { return Tr("Page: ", "Seite: ") + std::to_string(page); }

std::string TxtPrintingFailed() {
  return Tr("Printing failed! The printer or the output file could not be written.",
            "Drucken fehlgeschlagen! Der Drucker oder die Ausgabedatei konnte nicht beschrieben werden.");
}
