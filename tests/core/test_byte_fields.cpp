// The byte-sequence model and its three views' rules: one TBytesData, a hex,
// a decimal and a character view, typed into and clicked without a display.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/ProgramState.h"
#include "core/DataField.h"
#include "core/Geometry.h"
#include "core/Globals.h"
#include "core/Rgb.h"
#include "core/Seams.h"
#include "fakes/FakeSeams.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr TRgb Grey{128, 128, 128};

// Stands in for a widget: has the focus or not, and logs its updates.
class FakeView : public IFieldView {
 public:
  FakeView(std::string* log, char name) : Log(log), Name(name) {}
  bool Focused = false;
  bool IsFocused() const override { return Focused; }
  void DoUpdate() override { *Log += Name; }
  std::string* Log;
  char Name;
};

class ByteFields : public ::testing::Test {
 protected:
  TFakeHost host;
  std::string log;
  FakeView hexView{&log, 'h'}, decView{&log, 'd'}, charView{&log, 'c'};
  TBytesData data;
  THexDataField hex;
  TDecDataField dec;
  TCharDataField chr;

  void SetUp() override {
    ResetProgramState();
    SetSeams(&host, nullptr);
    ComputeGeometry(8, 16);  // CellPadLeft 3: hex cells 24, decimal 32 pixels
    data.HexDataEdit = &hexView;
    data.DecDataEdit = &decView;
    data.CharDataEdit = &charView;
    hex.BytesData = dec.BytesData = chr.BytesData = &data;
  }
  void TearDown() override { SetSeams(nullptr, nullptr); }

  static void Type(THexDataField& f, const std::u32string& keys) {
    for (char32_t c : keys) f.MyKeyPress(c);
  }
  void Focus(THexDataField& f, FakeView& v) {
    hexView.Focused = decView.Focused = charView.Focused = false;
    v.Focused = true;
    f.FocusGained();
  }
};

TEST_F(ByteFields, HexDigitsFillNibblesAndAppend) {
  int changes = 0;
  data.OnChange = [&](TBytesData&) { ++changes; };
  Type(hex, U"4");
  EXPECT_EQ(data.Buf(), Bytes{0x40});
  EXPECT_EQ(data.CursorPos, 1);
  EXPECT_EQ(log, "hdc");  // every view, in this order, then the owner
  EXPECT_EQ(changes, 1);
  Type(hex, U"1fF0");
  EXPECT_EQ(data.Buf(), (Bytes{0x41, 0xFF, 0x00}));
  EXPECT_EQ(data.CursorPos, 7);
  data.CursorPos = 3;  // over a high digit: the low one stays
  Type(hex, U"2g \u20ac");
  EXPECT_EQ(data.Buf()[1], 0x2F);
  EXPECT_EQ(host.Beeps, 3);
}

TEST_F(ByteFields, DecimalDigitsAreCheckedAgainstTheByteLimit) {
  Type(dec, U"7");  // a new byte starts at its hundreds
  EXPECT_EQ(data.Len(), 0);
  Type(dec, U"29");
  EXPECT_EQ(host.Beeps, 2);
  EXPECT_EQ(data.Buf(), Bytes{200});
  EXPECT_EQ(data.CursorPos, 1);  // still on the tens
  Type(dec, U"56");              // 25, then units above 5 refused
  Type(dec, U"5");
  EXPECT_EQ(data.Buf(), Bytes{255});
  EXPECT_EQ(data.CursorPos, 3);
  // A 2 in the hundreds of 199 overshoots: stored as 255, with a beep.
  data.SetBuf({199});
  data.CursorPos = 0;
  Type(dec, U"2");
  EXPECT_EQ(host.Beeps, 4);
  EXPECT_EQ(data.Buf(), Bytes{255});
  EXPECT_EQ(data.CursorPos, 1);
  Type(dec, U"x");
  data.CursorPos = 0;
  Type(dec, U"3019");
  EXPECT_EQ(host.Beeps, 6);
  EXPECT_EQ(data.Buf(), Bytes{19});  // 255 -> 055 -> 015 -> 019
}

TEST_F(ByteFields, CharactersGoThroughTheCodePage) {
  Type(chr, U"A\u20ac\u00e9\x01\u0100\U0001F600");  // the last two have no byte
  EXPECT_EQ(data.Buf(), (Bytes{0x41, 0x80, 0xE9, 0x01}));
  EXPECT_EQ(host.Beeps, 2);
  EXPECT_EQ(data.CursorPos, 12);
}

TEST_F(ByteFields, BackspaceDeleteInsertAtTheEdges) {
  hex.MyKeyPress(8);  // an empty sequence stays empty
  hex.DoDel();
  hex.DoIns();  // on the end cell: appends, the cursor stays on the new byte
  EXPECT_EQ(data.Buf(), Bytes{0});
  EXPECT_EQ(data.CursorPos, 0);

  data.SetBuf({1, 2, 3});
  data.CursorPos = 1;
  hex.MyKeyPress(8);  // Backspace on the first byte
  data.CursorPos = 9;
  hex.DoDel();  // Delete on the end cell
  EXPECT_EQ(data.Buf(), (Bytes{1, 2, 3}));
  data.CursorPos = 7;
  hex.MyKeyPress(8);  // the cursor keeps to the byte 3, on its first digit
  EXPECT_EQ(data.Buf(), (Bytes{1, 3}));
  EXPECT_EQ(data.CursorPos, 3);
  data.CursorPos = 5;
  dec.DoDel();  // the last byte: the cursor is left on the end cell
  EXPECT_EQ(data.Buf(), Bytes{1});
  EXPECT_EQ(data.CursorPos, 3);

  data.MinLen = 1;
  hex.MyKeyPress(8);
  data.CursorPos = 0;
  hex.DoDel();
  EXPECT_EQ(data.Buf(), Bytes{1});
  data.Clear();
  EXPECT_EQ(data.Buf(), Bytes{0});
  EXPECT_EQ(host.Beeps, 0);
}

TEST_F(ByteFields, CursorMovementPerView) {
  data.SetBuf({1, 2});
  data.CursorPos = 0;
  std::vector<int32_t> seen;
  for (auto step : {&THexDataField::DoRight, &THexDataField::DoRight, &THexDataField::DoLeft}) {
    (hex.*step)();  // hex skips every third place
    seen.push_back(data.CursorPos);
  }
  dec.DoRight();  // decimal walks every place
  seen.push_back(data.CursorPos);
  for (int i = 0; i < 3; ++i) chr.DoRight();  // characters go by bytes, to the end cell
  seen.push_back(data.CursorPos);
  chr.DoLeft();
  seen.push_back(data.CursorPos);
  hex.DoHome();
  hex.DoLeft();
  dec.DoLeft();
  chr.DoLeft();
  seen.push_back(data.CursorPos);
  EXPECT_EQ(seen, (std::vector<int32_t>{1, 3, 1, 2, 6, 3, 0}));
  EXPECT_EQ(dec.MyKeyDown(TFieldKey::Down), TFocusMove::Down);
  EXPECT_EQ(chr.MyKeyDown(TFieldKey::Up), TFocusMove::Up);
}

TEST_F(ByteFields, FocusAndClicksPlaceTheCursor) {
  data.SetBuf({10, 20, 30});
  data.CursorPos = 5;  // units of the second byte
  Focus(chr, charView);
  EXPECT_EQ(data.CursorPos, 3);
  data.CursorPos = 4;
  Focus(dec, decView);
  EXPECT_EQ(data.CursorPos, 3);

  auto click = [&](THexDataField& f, int32_t x) {
    f.MyMouseDown(x);
    return data.CursorPos;
  };
  // Hex cells (24): halves. Decimal cells (32): the middle digit's pixels,
  // else the nearer outer digit; the end cell has only its first place.
  EXPECT_EQ(click(hex, 24 + 11), 3);
  EXPECT_EQ(click(hex, 24 + 12), 4);
  EXPECT_EQ(click(hex, 500), 9);
  EXPECT_EQ(click(dec, 32 + 10), 3);
  EXPECT_EQ(click(dec, 32 + 11), 4);
  EXPECT_EQ(click(dec, 32 + 19), 5);
  EXPECT_EQ(click(dec, 3 * 32 + 30), 9);
  // Characters: byte FirstByte starts at x 3, the one before is half hidden.
  EXPECT_EQ(click(chr, 2), 0);
  EXPECT_EQ(click(chr, 3 + 8), 3);
  chr.FirstByte = 2;
  EXPECT_EQ(click(chr, 0), 3);
}

TEST_F(ByteFields, CursorInTheFocusedViewEchoInTheOthers) {
  data.SetBuf({0x41, 0x34});
  Focus(hex, hexView);
  data.CursorPos = 4;
  TDataFieldPaint h = hex.Paint(200, true, true);
  ASSERT_EQ(h.Cells.size(), 2u);
  EXPECT_EQ(h.Cells[1].BackColors[2], clBlack);  // the low digit
  EXPECT_EQ(h.Cells[1].BackColors[1], clWhite);
  EXPECT_EQ(h.FillX, 48);
  EXPECT_TRUE(hex.Paint(200, true, false).Cells[1].Uniform());  // blink phase off
  // The others show the whole cursor byte grey, margins included.
  TDataFieldPaint d = dec.Paint(200, false, true);
  EXPECT_EQ(d.Cells[0].Text, u"065");
  EXPECT_TRUE(d.Cells[1].Uniform());
  EXPECT_EQ(d.Cells[1].BackColors[0], Grey);
  TDataFieldPaint c = chr.Paint(200, false, true);
  EXPECT_EQ(c.Cells[0].Text.substr(0, 3), u" A4");
  EXPECT_EQ(c.Cells[0].BackColors[3], Grey);
  EXPECT_EQ(c.Cells[0].BackColors[2], clWhite);
  // With the focus elsewhere in the dialog no view shows a cursor.
  hexView.Focused = false;
  EXPECT_TRUE(dec.Paint(200, false, true).Cells[1].Uniform());
  EXPECT_EQ(dec.Paint(200, false, true).Cells[1].BackColors[0], clWhite);
  EXPECT_TRUE(chr.Paint(200, false, true).Cells[0].Uniform());

  // The end cell is the focused view's cursor only, never an echo.
  data.CursorPos = 6;
  decView.Focused = true;
  d = dec.Paint(200, true, true);
  ASSERT_EQ(d.Cells.size(), 3u);
  EXPECT_EQ(d.Cells[2].BackColors[1], clBlack);
  EXPECT_EQ(d.Cells[2].LineColor, clWhite);
  EXPECT_EQ(hex.Paint(200, false, true).Cells.size(), 2u);
  EXPECT_TRUE(chr.Paint(200, false, true).Cells[0].Uniform());
  EXPECT_EQ(chr.Paint(200, true, true).Cells[0].BackColors[4], clBlack);
}

TEST_F(ByteFields, EachViewScrollsByItselfToKeepTheCursorByteVisible) {
  data.SetBuf(Bytes(40, 0xAB));
  data.CursorPos = 30 * 3;
  // 100 pixels: four hex cells, three decimal cells, 12 characters.
  hex.Paint(100, true, true);
  dec.Paint(100, false, true);
  chr.Paint(100, false, true);
  EXPECT_EQ(hex.FirstByte, 27);
  EXPECT_EQ(dec.FirstByte, 28);
  EXPECT_EQ(chr.FirstByte, 19);
  data.CursorPos = 10 * 3;
  hex.Paint(100, true, true);
  EXPECT_EQ(hex.FirstByte, 10);
  EXPECT_EQ(dec.FirstByte, 28);  // untouched until it paints
  // A view narrower than one cell still shows the cursor's cell.
  data.CursorPos = 11 * 3;
  hex.Paint(10, true, true);
  EXPECT_EQ(hex.FirstByte, 11);
  data.Clear();
  dec.Paint(100, false, true);
  EXPECT_EQ(dec.FirstByte, 0);
}

}  // namespace
