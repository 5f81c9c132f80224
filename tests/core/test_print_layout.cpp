// The printed listing without pixels: pages, the texts of the lines, the
// boxes behind marked bytes read back against those texts, and the font
// size search.
#include <gtest/gtest.h>

#include <random>

#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/OptionsState.h"
#include "core/PrintLayout.h"
#include "fakes/FakeSeams.h"
#include "fakes/TestSeed.h"

namespace {

class PrintLayout : public ::testing::Test {
 protected:
  TSeamFixture Seams;

  void Document(int32_t size, bool hex = true) {
    Grid.Hex = hex;
    Doc.DocSize = size;
    ResizeDocData(size);
    FreshDocMarks(size);
    for (int32_t i = 0; i < size; ++i) Doc.DocData[i] = uint8_t('A' + i % 26);
    Seams.View.RequestLayout();
  }
  // A monospaced device: every character 10 x 20 pixels, a page of 1000 x 1600.
  static TPrintMetrics Mono() {
    TPrintMetrics m;
    m.PageWidth = 1000;
    m.PageHeight = 1600;
    m.W = 10;
    m.H = 18;
    m.LineHeight = 20;
    m.TextWidth = [](const std::u16string& s) { return int32_t(s.size()) * 10; };
    return m;
  }
  static std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }
};

TEST_F(PrintLayout, PagesAndTheProposedPage) {
  struct {
    int32_t Size;
    bool Hex;
    int32_t CursorRow;
    int32_t Pages, Proposed;
  } const cases[] = {
      {1, true, 0, 1, 1},
      {1000, true, 62, 1, 1},
      {16 * 68, true, 67, 1, 1},
      {16 * 68 + 1, true, 68, 2, 2},
      {3000, true, 70, 3, 2},
      {680, false, 67, 1, 1},
      {681, false, 68, 2, 2},
      {100000, true, 6249, 92, 92},
      {100000, false, 9999, 148, 148},
  };
  for (const auto& c : cases) {
    Document(c.Size, c.Hex);
    Cursor.CursorRow = c.CursorRow;
    EXPECT_EQ(PrintPageCount(Doc.DocSize, Grid.Hex ? 16 : 10), c.Pages) << c.Size;
    const TPrintDialogData d = InitialPrintDialog();
    EXPECT_EQ(d.MinPage, 1);
    EXPECT_EQ(d.MaxPage, c.Pages) << c.Size;
    EXPECT_EQ(d.FromPage, c.Proposed) << c.Size << " row " << c.CursorRow;
    EXPECT_EQ(d.ToPage, c.Proposed);
    EXPECT_TRUE(d.PageRange);
    EXPECT_EQ(d.Copies, 1);
  }
}

// A font gives a soft hyphen and the control codes no width; the rows keep
// the column header's place all the same.
TEST_F(PrintLayout, RowsKeepTheirPlaceWhateverTheirBytes) {
  Document(256);
  for (int32_t i = 0; i < 256; ++i) Doc.DocData[i] = uint8_t(i);
  Options.NoUnknown = false;
  TPrintMetrics m = Mono();
  m.TextWidth = [](const std::u16string& s) {
    int32_t w = 0;
    for (char16_t c : s) w += c < 0x20 || c == 0xAD ? 0 : 10;
    return w;
  };
  const TPrintFormat f = CurrentPrintFormat();
  const int32_t x = PrintColumnHeaderLine(f, m).X;
  for (int32_t i = 0; i < 16; ++i) EXPECT_EQ(PrintPageRow(f, m, TPrintMarks::None, 1, i).Text.X, x) << i;
}

TEST_F(PrintLayout, ThousandBytesInHex) {
  Document(1000);
  const TPrintFormat f = CurrentPrintFormat();
  EXPECT_EQ(f.RowCount, 63);
  EXPECT_EQ(PrintColumnHeader(f), u"       0  1  2  3   4  5  6  7   8  9  A  B   C  D  E  F   0123456789ABCDEF");
  // The first row, then the last: 8 values, 8 blank places of three
  // characters, 8 characters.
  EXPECT_EQ(Narrow(PrintRowText(f, 0)), "000   41 42 43 44  45 46 47 48  49 4A 4B 4C  4D 4E 4F 50   ABCDEFGHIJKLMNOP");
  std::string last = "3E0  ";
  std::string chars;
  for (int32_t c = 0; c < 16; ++c) {
    const int32_t o = 992 + c;
    char v[4];
    std::snprintf(v, sizeof v, "%02X", unsigned(Doc.DocData[o < 1000 ? o : 0]));
    last += o < 1000 ? std::string(" ") + v : std::string("   ");
    if (c == 3 || c == 7 || c == 11) last += ' ';
    chars += o < 1000 ? char(Doc.DocData[o]) : ' ';
  }
  EXPECT_EQ(Narrow(PrintRowText(f, 62)), last + "   " + chars);
  EXPECT_EQ(int32_t(PrintRowText(f, 62).size()), PrintRowChars(f));
  EXPECT_EQ(int32_t(PrintColumnHeader(f).size()), PrintRowChars(f));
}

TEST_F(PrintLayout, DecimalModeHasOneGroupBlankAfterColumnFour) {
  Document(1234, false);
  const TPrintFormat f = CurrentPrintFormat();
  EXPECT_EQ(f.OffsetDigits, 4);  // 124 rows: three decimal digits and one
  EXPECT_EQ(PrintColumnHeader(f), u"         0   1   2   3   4    5   6   7   8   9   0123456789");
  Doc.DocData[1230] = 0;
  Doc.DocData[1231] = 255;
  EXPECT_EQ(PrintRowText(f, 123),
            u"1230   000 255 075 076" + std::u16string(4 + 1 + 20, u' ') + u"   " + u" \u00FFKL      ");
  EXPECT_EQ(int32_t(PrintRowText(f, 123).size()), PrintRowChars(f));
}

// Page p begins with row (p - 1) x 68 and ends with row p x 68 - 1; the
// last page stops at the document's last row.
TEST_F(PrintLayout, PagesFollowOnRowByRow) {
  for (bool hex : {true, false}) {
    Document(3000, hex);
    const TPrintFormat f = CurrentPrintFormat();
    const TPrintMetrics m = Mono();
    const int32_t pages = PrintPageCount(Doc.DocSize, f.BytesPerRow);
    int32_t next = 0;
    for (int32_t p = 1; p <= pages; ++p)
      for (int32_t i = 0; i < LinesPerPage; ++i) {
        const TPrintedRow row = PrintPageRow(f, m, TPrintMarks::None, p, i);
        if (row.Text.Text.empty()) continue;
        EXPECT_EQ(row.Row, next++);
        EXPECT_EQ(row.Text.Text, PrintRowText(f, row.Row));
      }
    EXPECT_EQ(next, f.RowCount);
  }
  Document(3000);
  const TPrintFormat f = CurrentPrintFormat();
  EXPECT_EQ(Narrow(PrintPageRow(f, Mono(), TPrintMarks::None, 1, 67).Text.Text.substr(0, 4)), "430 ");
  EXPECT_EQ(Narrow(PrintPageRow(f, Mono(), TPrintMarks::None, 2, 0).Text.Text.substr(0, 4)), "440 ");
  EXPECT_EQ(Narrow(PrintPageRow(f, Mono(), TPrintMarks::None, 3, 51).Text.Text.substr(0, 4)), "BB0 ");
  EXPECT_TRUE(PrintPageRow(f, Mono(), TPrintMarks::None, 3, 52).Text.Text.empty());
}

TEST_F(PrintLayout, OffsetsOfLargeDocumentsAndTheirWidth) {
  TPrintFormat f;
  f.RowCount = 1 << 27;  // a 2 GiB document in hex
  f.OffsetDigits = 8;
  EXPECT_EQ(PrintRowChars(f), 80);
  // Unknown bytes are not read for the offset column alone.
  Document(0);
  EXPECT_EQ(Narrow(PrintRowText(f, (1 << 27) - 1).substr(0, 8)), "7FFFFFF0");
  f.Hex = false, f.BytesPerRow = 10, f.DigitsPerByte = 3, f.OffsetDigits = 9;
  EXPECT_EQ(Narrow(PrintRowText(f, 12345678).substr(0, 9)), "123456780");
}

// A reader of the page finds each box exactly around the value and the
// character of its byte: the value box starts half a character before the
// first digit and ends half a character after the last, the character box
// covers the character.
TEST_F(PrintLayout, MarkBoxesSitUnderTheirValuesAndCharacters) {
  for (bool hex : {true, false}) {
    Document(5000, hex);
    const TPrintFormat f = CurrentPrintFormat();
    const TPrintMetrics m = Mono();
    BQ_SEEDED_RNG(rng, hex ? 7 : 11);
    for (int32_t i = 0; i < Doc.DocSize; ++i) Doc.DocMarks[i] = rng() % 3 == 0 ? uint8_t(1 + rng() % 6) : 0;
    for (int32_t page : {1, 2, PrintPageCount(Doc.DocSize, f.BytesPerRow)}) {
      for (int32_t i = 0; i < LinesPerPage; ++i) {
        const TPrintedRow row = PrintPageRow(f, m, TPrintMarks::Hatched, page, i);
        if (row.Row >= f.RowCount) {
          EXPECT_TRUE(row.Text.Text.empty());
          EXPECT_TRUE(row.Boxes.empty());
          continue;
        }
        EXPECT_EQ(row.Text.Y, (i + 5) * m.LineHeight);
        EXPECT_EQ(row.Text.X, (m.PageWidth - int32_t(row.Text.Text.size()) * m.W) / 2);
        size_t b = 0;
        for (int32_t c = 0; c < f.BytesPerRow; ++c) {
          const int64_t o = int64_t(row.Row) * f.BytesPerRow + c;
          if (o >= Doc.DocSize || Doc.DocMarks[o] == 0) continue;
          ASSERT_LT(b + 1, row.Boxes.size());
          const TPrintedBox& v = row.Boxes[b++];
          const TPrintedBox& ch = row.Boxes[b++];
          EXPECT_EQ(v.Mark, Doc.DocMarks[o]);
          EXPECT_EQ(ch.Mark, Doc.DocMarks[o]);
          const int32_t first = (v.Box.X - row.Text.X + m.W / 2) / m.W;
          EXPECT_EQ((v.Box.X - row.Text.X + m.W / 2) % m.W, 0);
          EXPECT_EQ(v.Box.W, (f.DigitsPerByte + 1) * m.W);
          const std::string value = Narrow(row.Text.Text.substr(size_t(first), size_t(f.DigitsPerByte)));
          char expected[4];
          std::snprintf(expected, sizeof expected, hex ? "%02X" : "%03u", unsigned(Doc.DocData[o]));
          EXPECT_EQ(value, expected) << "row " << row.Row << " column " << c;
          const int32_t at = (ch.Box.X - row.Text.X) / m.W;
          EXPECT_EQ(ch.Box.W, m.W);
          EXPECT_EQ(char(row.Text.Text[size_t(at)]), char(Doc.DocData[o]));
          for (const TPrintedBox* box : {&v, &ch}) {
            EXPECT_EQ(box->Box.Y, (i + 5) * m.LineHeight);
            EXPECT_EQ(box->Box.H, m.H);
          }
        }
        EXPECT_EQ(b, row.Boxes.size());
        EXPECT_TRUE(PrintPageRow(f, m, TPrintMarks::None, page, i).Boxes.empty());
        EXPECT_EQ(PrintPageRow(f, m, TPrintMarks::Colors, page, i).Boxes.size(), row.Boxes.size());
      }
    }
  }
}

TEST_F(PrintLayout, HeaderAndColumnHeaderLines) {
  Document(100);
  const TPrintMetrics m = Mono();
  const auto header = PrintHeader(m, 12, u"08.12.2026 10:11:12", u"/tmp/a.bin");
  ASSERT_EQ(header.size(), 3u);
  EXPECT_EQ(header[0].Text, u"    08.12.2026 10:11:12");
  EXPECT_EQ(header[0].X, 0);
  EXPECT_EQ(header[1].Text, u"/tmp/a.bin");
  EXPECT_EQ(header[1].X, (1000 - 100) / 2);
  EXPECT_EQ(header[2].Text, u"12    ");
  EXPECT_EQ(header[2].X, 1000 - 60);
  for (const auto& t : header) EXPECT_EQ(t.Y, 0);
  const TPrintedText columns = PrintColumnHeaderLine(CurrentPrintFormat(), m);
  EXPECT_EQ(columns.Y, 3 * m.LineHeight);
  EXPECT_EQ(columns.X, (1000 - 750) / 2);
}

TEST_F(PrintLayout, HatchStylesFollowTheLowSevenBits) {
  const int expected[8] = {0, 1, 2, 3, 4, 5, 6, 0};
  for (int m = 0; m < 8; ++m) {
    EXPECT_EQ(PrintHatchStyle(uint8_t(m)), expected[m]) << m;
    EXPECT_EQ(PrintHatchStyle(uint8_t(m | 0x80)), expected[m]) << m;
  }
  EXPECT_EQ(PrintHatchStyle(0x7F), 0);
}

TEST_F(PrintLayout, FontSizeSearch) {
  // A font whose "0" is 0.6 x 1.2 of its size in pixels.
  const auto font = [](int32_t size) { return std::make_pair(size * 6 / 10, size * 12 / 10); };
  struct {
    int32_t Width, Height, Chars, Size;
  } const cases[] = {
      {780, 10000, 75, 18},                             // 78 digits of 10 pixels: sizes 17 and 18 give 10, 19 gives 11
      {779, 10000, 75, 16},                             // one pixel less: 9 pixels wide at most
      {100000, 876, 75, 10},                            // 73 lines of 12 pixels
      {100000, 875, 75, 9},  {800, 10000, 80, 18},      // a wider row needs its own width
      {799, 10000, 80, 16},  {100000, 100000, 75, 83},  // stops below a line of exactly 100 pixels
  };
  for (const auto& c : cases)
    EXPECT_EQ(PrintFontSize(c.Width, c.Height, c.Chars, font), c.Size) << c.Width << "x" << c.Height;
  // A line height that jumps over 100 does not stop the search there.
  const auto jumpy = [](int32_t size) { return std::make_pair(size, size * 11); };
  EXPECT_EQ(PrintFontSize(1000000, 1000000, 75, jumpy), 1245);
  // A device that measures nothing ends the search anyway.
  EXPECT_GT(PrintFontSize(1000, 1000, 75, [](int32_t) { return std::make_pair(0, 0); }), 1);
  // A page too small for any font still gets size 1.
  EXPECT_EQ(PrintFontSize(10, 10, 75, font), 1);
}

}  // namespace
