#include <gtest/gtest.h>

#include "commands/ProgramState.h"
#include "core/Cp1252.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/EnvState.h"
#include "core/Globals.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "core/Rgb.h"
#include "core/Texts.h"

namespace {

class Helpers : public ::testing::Test {
 protected:
  void SetUp() override { ResetProgramState(); }
  void TearDown() override {
    AllocationFailureHook = nullptr;
    ResetProgramState();
  }
};

TEST_F(Helpers, DisplayCharHidesUnknownBytesOnlyWhileAsked) {
  EXPECT_EQ(DisplayChar(129, false), ' ');
  EXPECT_EQ(DisplayChar('A', false), 'A');
  for (int b : {0, 31, 127, 128, 129, 141, 144, 157, 158}) EXPECT_EQ(DisplayChar(uint8_t(b), false), ' ') << b;
  for (int b : {32, 126, 130, 140, 145, 156, 159, 255}) EXPECT_EQ(DisplayChar(uint8_t(b), false), b) << b;
  Options.NoUnknown = false;
  EXPECT_EQ(DisplayChar(129, false), 129);
  EXPECT_EQ(DisplayChar(0, false), 0);
  EXPECT_EQ(DisplayChar(0, true), ' ');
}

TEST_F(Helpers, NumberFormatting) {
  EXPECT_EQ(PadNumber(7, 3, true), "007");
  EXPECT_EQ(PadNumber(7, 3, false), "  7");
  EXPECT_EQ(PadNumber(1234, 3, true), "1234");
  EXPECT_EQ(BinaryString(5, 8), "00000101");
  EXPECT_EQ(BinaryString(255, 8), "11111111");
  EXPECT_EQ(BinaryString(256 + 5, 8), "00000101");
  EXPECT_EQ(FormatFloat2(12.5, 7), "  12.50");
  EXPECT_EQ(FormatFloat2(0, 0), "0.00");
  EXPECT_EQ(FormatFloat2(99.999, 0), "100.00");
  Env.DecimalSeparator = ",";
  EXPECT_EQ(FormatFloat2(3.14159, 6), "  3,14");
  EXPECT_EQ(HexUpper(0), "0");
  EXPECT_EQ(HexUpper(300), "12C");
  EXPECT_EQ(Hex2(10), "0A");
}

TEST_F(Helpers, MarkColoursLookAtTheLowSevenBits) {
  EXPECT_EQ(MarkColor(0), (TRgb{255, 255, 255}));
  EXPECT_EQ(MarkColor(1), (TRgb{255, 0, 0}));
  EXPECT_EQ(MarkColor(129), (TRgb{255, 0, 0}));
  EXPECT_EQ(MarkColor(6), (TRgb{255, 255, 0}));
  EXPECT_EQ(MarkColor(7), (TRgb{255, 255, 255}));
  EXPECT_EQ(MarkEchoColor(0), (TRgb{128, 128, 128}));
  EXPECT_EQ(MarkEchoColor(4), (TRgb{0, 128, 128}));
  EXPECT_EQ(MarkEchoColor(200), (TRgb{128, 128, 128}));
}

TEST_F(Helpers, HexDigits) {
  EXPECT_EQ(HexDigitValue('0'), 0);
  EXPECT_EQ(HexDigitValue('9'), 9);
  EXPECT_EQ(HexDigitValue('a'), 10);
  EXPECT_EQ(HexDigitValue('F'), 15);
  try {
    HexDigitValue('g');
    FAIL() << "no error for g";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Invalid Hex-Digit!");
  }
}

TEST_F(Helpers, CellOffsetOfBothAreas) {
  Grid.BytesPerRow = 16;
  Grid.DigitsPerByte = 2;
  EXPECT_EQ(CellOffset(-1, 0), 0);
  EXPECT_EQ(CellOffset(0, 0), 0);
  EXPECT_EQ(CellOffset(3, 2), 33);
  EXPECT_EQ(CellOffset(32, 2), 32);
  EXPECT_EQ(CellOffset(47, 2), 47);
  EXPECT_TRUE(InCharArea(32));
  EXPECT_FALSE(InCharArea(31));
  // The last row of the largest document stays in range.
  EXPECT_EQ(CellOffset(47, INT32_MAX / 16), INT32_MAX);
}

TEST_F(Helpers, BufferCapacityMovesInSteps) {
  ResizeDocData(1);
  EXPECT_EQ(Doc.DocDataCapacity, 65536);
  ResizeDocData(65536);
  EXPECT_EQ(Doc.DocDataCapacity, 65536);
  ResizeDocData(65537);
  EXPECT_EQ(Doc.DocDataCapacity, 131072);
  Doc.DocData[65536] = 42;
  ResizeDocData(131072);
  EXPECT_EQ(Doc.DocData[65536], 42);
  ResizeDocData(0);
  EXPECT_EQ(Doc.DocData, nullptr);
  EXPECT_EQ(Doc.DocDataCapacity, 0);
  EXPECT_EQ(CapacityFor(INT32_MAX), int64_t(1) << 31);
}

TEST_F(Helpers, FailedResizeKeepsTheBuffer) {
  ResizeDocMarks(10);
  Doc.DocMarks[3] = 5;
  uint8_t* before = Doc.DocMarks;
  AllocationFailureHook = [](size_t) { return true; };
  EXPECT_THROW(ResizeDocMarks(70000), std::bad_alloc);
  EXPECT_THROW(FreshDocMarks(70000), std::bad_alloc);
  EXPECT_EQ(Doc.DocMarks, before);
  EXPECT_EQ(Doc.DocMarksCapacity, 65536);
  EXPECT_EQ(Doc.DocMarks[3], 5);
}

TEST_F(Helpers, FreshMarksAreZero) {
  ResizeDocMarks(100);
  for (int i = 0; i < 100; ++i) Doc.DocMarks[i] = 3;
  FreshDocMarks(100);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(Doc.DocMarks[i], 0);
  FreshDocMarks(0);
  EXPECT_EQ(Doc.DocMarks, nullptr);
}

TEST_F(Helpers, Cp1252RoundTrip) {
  EXPECT_EQ(Cp1252ToUnicode(0x80), u'\u20AC');
  EXPECT_EQ(Cp1252ToUnicode(0xE4), u'\u00E4');
  EXPECT_EQ(UnicodeToCp1252(U'\u20AC'), 0x80);
  EXPECT_EQ(UnicodeToCp1252(U'\u0161'), 0x9A);
  EXPECT_EQ(UnicodeToCp1252(U'\u4E00'), -1);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(UnicodeToCp1252(Cp1252ToUnicode(uint8_t(b))), b);
  EXPECT_EQ(Cp1252ToUtf8("\xE4\x80"), "ä€");
}

TEST_F(Helpers, MessagesInBothLanguages) {
  EXPECT_EQ(TxtReadingFailed("/a"), "Reading /a failed!");
  EXPECT_EQ(TxtWritingFailed(), "Writing failed!");
  EXPECT_EQ(TxtSaveChangesQuestion(""), "Data has been changed. Save changes?");
  Options.Language = 7;
  EXPECT_EQ(TxtReadingFailed("/a"), "Konnte /a nicht lesen!");
  EXPECT_EQ(TxtWritingFailed(), "Konnte nicht schreiben!");
  EXPECT_EQ(TxtSaveChangesQuestion("/x"), "/x wurde geändert. Änderungen speichern?");
  EXPECT_EQ(TxtSaveChangesQuestion(""), "Daten wurden geändert. Änderungen speichern?");
  EXPECT_EQ(TxtOverwriteQuestion("f").substr(0, 51), "Die Datei f existiert bereits. Bestehende Datei üb");
  Options.Language = 0;
  EXPECT_EQ(TxtOverwriteQuestion("f").substr(0, 52), "File f already exists. Overwrite existing file?\r\rWAR");
}

}  // namespace
