// The printed listing as data: how many pages, which page the print dialog
// proposes, the font size that fits a page, and for each page the texts of
// its lines and the boxes behind marked bytes with their coordinates. The
// page painter only turns this into ink, so every rule is tested here.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Data rows on one printed page.
constexpr int32_t LinesPerPage = 68;
// The first text line of the rows: header, two empty lines, column header,
// one empty line.
constexpr int32_t FirstRowLine = 5;

// What the print dialog starts with and what the user chose in it.
struct TPrintDialogData {
  int32_t Copies = 1;
  int32_t MinPage = 1;
  int32_t MaxPage = 1;
  int32_t FromPage = 1;
  int32_t ToPage = 1;
  // A page range was chosen; otherwise all pages.
  bool PageRange = true;
};

// The pages the job prints, first to last; none when last < first.
struct TPrintPages {
  int32_t First = 1;
  int32_t Last = 0;
};
TPrintPages ChosenPages(const TPrintDialogData& dialog);

// The listing's shape in the current view mode, from Hex and DocSize.
struct TPrintFormat {
  bool Hex = true;
  int32_t BytesPerRow = 16;
  int32_t DigitsPerByte = 2;
  int32_t RowCount = 0;
  int32_t OffsetDigits = 3;
};
TPrintFormat CurrentPrintFormat();

// ceil(rows / 68) for a document of docSize bytes.
int32_t PrintPageCount(int64_t docSize, int32_t bytesPerRow);
// The page (from 1) that holds a row.
int32_t PrintPageOfRow(int32_t row);

// The print dialog's start: all pages offered, the cursor's page proposed.
TPrintDialogData InitialPrintDialog();

// Group blanks: in hex one after columns 3, 7 and 11, in decimal one after
// column 4.
int32_t GroupBlanksBefore(const TPrintFormat& f, int32_t column);
int32_t TotalGroupBlanks(const TPrintFormat& f);
// Characters of a row text and of the column header (the same count).
int32_t PrintRowChars(const TPrintFormat& f);

std::u16string PrintColumnHeader(const TPrintFormat& f);
// The text of document row r: offset, values, characters; blanks where the
// document has ended.
std::u16string PrintRowText(const TPrintFormat& f, int32_t row);

struct TPrintBox {
  int32_t X = 0, Y = 0, W = 0, H = 0;
  bool operator==(const TPrintBox& o) const { return X == o.X && Y == o.Y && W == o.W && H == o.H; }
};

// The boxes behind a marked byte of column c in the page's row i: one half a
// character wider than the value on both sides, one exactly under the
// character. rowLeft is the x where the row text starts; w and h the size of
// "0", lineHeight the height of a text line.
TPrintBox PrintValueBox(const TPrintFormat& f, int32_t rowLeft, int32_t w, int32_t h, int32_t lineHeight, int32_t i,
                        int32_t column);
TPrintBox PrintCharBox(const TPrintFormat& f, int32_t rowLeft, int32_t w, int32_t h, int32_t lineHeight, int32_t i,
                       int32_t column);

// The hatch of a mark: 1 horizontal, 2 vertical, 3 forward diagonal,
// 4 backward diagonal, 5 cross, 6 diagonal cross; 0 for a code that names no
// colour (its box is only outlined, so the byte stays readable).
int PrintHatchStyle(uint8_t mark);

// The width and height of "0" at a font size, as the device measures it.
using TDigitMeasure = std::function<std::pair<int32_t, int32_t>(int32_t size)>;
// The largest size whose rowChars digits fit the page width and 73 lines the
// page height; a line of exactly 100 pixels ends the search too.
int32_t PrintFontSize(int32_t pageWidth, int32_t pageHeight, int32_t rowChars, const TDigitMeasure& measure);

// The device's measures of the print font.
struct TPrintMetrics {
  int32_t PageWidth = 0;
  int32_t PageHeight = 0;
  int32_t W = 0;           // width of "0"
  int32_t H = 0;           // height of "0"
  int32_t LineHeight = 0;  // height of "aString"
  std::function<int32_t(const std::u16string&)> TextWidth;
};

struct TPrintedText {
  int32_t X = 0, Y = 0;
  std::u16string Text;
};

struct TPrintedBox {
  TPrintBox Box;
  uint8_t Mark = 0;
};

// A row is drawn boxes first, then its text with a transparent background.
struct TPrintedRow {
  int32_t Row = 0;  // document row
  std::vector<TPrintedBox> Boxes;
  TPrintedText Text;
};

enum class TPrintMarks { Hatched, Colors, None };
TPrintMarks CurrentPrintMarks();

// The header's three parts at line 0: left, centre, right.
std::vector<TPrintedText> PrintHeader(const TPrintMetrics& m, int32_t page, const std::u16string& dateTime,
                                      const std::u16string& fileName);
TPrintedText PrintColumnHeaderLine(const TPrintFormat& f, const TPrintMetrics& m);
// Row i (0..67) of a page; an empty text and no boxes past the document's
// last row.
TPrintedRow PrintPageRow(const TPrintFormat& f, const TPrintMetrics& m, TPrintMarks marks, int32_t page, int32_t i);

// Texts of the job and the progress window in the current language.
std::string PrintJobTitle();
std::string PrintProgressCaption();
std::string PrintProgressText(int32_t page);
std::string TxtPrintingFailed();
