// The byte-sequence model and its three views' rules: one TBytesData, a hex,
// a decimal and a character view, typed into and clicked without a display.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/DataField.h"
#include "core/Geometry.h"
#include "core/Globals.h"
#include "core/Seams.h"

namespace {

using Bytes = std::vector<uint8_t>;

class BeepCounter : public IHost {
 public:
  int Beeps = 0;
  int MessageDialog(const std::string&, TMsgDlgType, TMsgDlgButtons, int, int) override { return mrCancel; }
  bool ExecuteFileDialog(TFileDialog&, bool) override { return false; }
  void Beep() override { ++Beeps; }
};

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
  BeepCounter host;
  std::string log;
  FakeView hexView{&log, 'h'}, decView{&log, 'd'}, charView{&log, 'c'};
  TBytesData data;
  THexDataField hex;
  TDecDataField dec;
  TCharDataField chr;

  void SetUp() override {
    ResetGlobals();
    SetSeams(&host, nullptr);
    ComputeGeometry(8, 16);  // CellPadLeft 3: hex cells 24, decimal 32 pixels
    data.HexDataEdit = &hexView;
    data.DecDataEdit = &decView;
    data.CharDataEdit = &charView;
    for (THexDataField* f : {&hex, static_cast<THexDataField*>(&dec), static_cast<THexDataField*>(&chr)})
      f->BytesData = &data;
  }
  void TearDown() override { SetSeams(nullptr, nullptr); }

  static void Type(THexDataField& f, const std::u32string& keys) {
    for (char32_t c : keys) f.MyKeyPress(c);
  }
  void Focus(THexDataField& f, FakeView& v) {
    for (FakeView* o : {&hexView, &decView, &charView}) o->Focused = false;
    v.Focused = true;
    f.FocusGained();
  }
};

TEST_F(ByteFields, HexDigitsFillNibblesAndAppend) {
  Type(hex, U"4");
  EXPECT_EQ(data.Buf(), Bytes{0x40});
  EXPECT_EQ(data.CursorPos, 1);
  Type(hex, U"1");
  EXPECT_EQ(data.Buf(), Bytes{0x41});
  EXPECT_EQ(data.CursorPos, 3);  // the next byte's high digit: the end cell
  Type(hex, U"fF0");
  EXPECT_EQ(data.Buf(), (Bytes{0x41, 0xFF, 0x00}));
  EXPECT_EQ(data.CursorPos, 7);

  // Typing over a high digit keeps the low one.
  data.CursorPos = 3;
  Type(hex, U"2");
  EXPECT_EQ(data.Buf()[1], 0x2F);

  Type(hex, U"g \u20ac");
  EXPECT_EQ(host.Beeps, 3);
  EXPECT_EQ(data.CursorPos, 4);
}

TEST_F(ByteFields, EveryEditUpdatesTheViewsInOrderThenTheOwner) {
  int changes = 0;
  data.OnChange = [&](TBytesData& d) {
    EXPECT_EQ(&d, &data);
    ++changes;
  };
  Type(hex, U"4");
  EXPECT_EQ(log, "hdc");
  EXPECT_EQ(changes, 1);
}

TEST_F(ByteFields, DecimalDigitsAreCheckedAgainstTheByteLimit) {
  data.SetBuf({0});
  data.CursorPos = 0;
  Type(dec, U"29");
  EXPECT_EQ(host.Beeps, 1);
  EXPECT_EQ(data.Buf(), Bytes{200});
  EXPECT_EQ(data.CursorPos, 1);  // still on the tens
  Type(dec, U"56");             // 25, then units above 5 refused
  EXPECT_EQ(host.Beeps, 2);
  Type(dec, U"5");
  EXPECT_EQ(data.Buf(), Bytes{255});
  EXPECT_EQ(data.CursorPos, 3);

  // A 2 in the hundreds of 199 overshoots: stored as 255, with a beep.
  data.SetBuf({199});
  data.CursorPos = 0;
  Type(dec, U"2");
  EXPECT_EQ(host.Beeps, 3);
  EXPECT_EQ(data.Buf(), Bytes{255});
  EXPECT_EQ(data.CursorPos, 1);

  // Hundreds take 0 to 2 only; tens below 2xx take anything.
  Type(dec, U"x");
  data.CursorPos = 0;
  Type(dec, U"3");
  EXPECT_EQ(host.Beeps, 5);
  Type(dec, U"19");
  EXPECT_EQ(data.Buf(), Bytes{195});
}

TEST_F(ByteFields, ANewDecimalByteStartsAtItsHundreds) {
  Type(dec, U"7");
  EXPECT_EQ(host.Beeps, 1);
  EXPECT_EQ(data.Len(), 0);
  Type(dec, U"007");
  EXPECT_EQ(data.Buf(), Bytes{7});
  EXPECT_EQ(data.CursorPos, 3);
  Type(dec, U"1");
  EXPECT_EQ(data.Buf(), (Bytes{7, 100}));
  EXPECT_EQ(data.CursorPos, 4);
}

TEST_F(ByteFields, CharactersGoThroughTheCodePage) {
  Type(chr, U"A\u20ac\u00e9\x01");  // Ctrl+A arrives as code 1
  EXPECT_EQ(data.Buf(), (Bytes{0x41, 0x80, 0xE9, 0x01}));
  EXPECT_EQ(data.CursorPos, 12);
  Type(chr, U"\u0100\U0001F600");  // no byte for these
  EXPECT_EQ(host.Beeps, 2);
  EXPECT_EQ(data.Len(), 4);
  // Typing in the middle overwrites.
  data.CursorPos = 3;
  Type(chr, U"z");
  EXPECT_EQ(data.Buf(), (Bytes{0x41, 0x7A, 0xE9, 0x01}));
}

TEST_F(ByteFields, BackspaceDeleteInsertAtTheEdges) {
  // On an empty sequence nothing changes.
  hex.MyKeyPress(8);
  hex.DoDel();
  EXPECT_EQ(data.Len(), 0);
  // Insert on the end cell appends a zero byte; the cursor stays on it.
  hex.DoIns();
  EXPECT_EQ(data.Buf(), Bytes{0});
  EXPECT_EQ(data.CursorPos, 0);

  data.SetBuf({1, 2, 3});
  data.CursorPos = 1;  // low digit of the first byte
  hex.MyKeyPress(8);   // Backspace on the first byte
  data.CursorPos = 9;
  hex.DoDel();  // Delete on the end cell
  EXPECT_EQ(data.Buf(), (Bytes{1, 2, 3}));
  EXPECT_EQ(host.Beeps, 0);

  // Backspace keeps the cursor on the same byte value, at its first digit.
  data.CursorPos = 7;
  hex.MyKeyPress(8);
  EXPECT_EQ(data.Buf(), (Bytes{1, 3}));
  EXPECT_EQ(data.CursorPos, 3);
  // Delete of the last byte leaves the cursor on the end cell's first place.
  data.CursorPos = 5;
  dec.DoDel();
  EXPECT_EQ(data.Buf(), Bytes{1});
  EXPECT_EQ(data.CursorPos, 3);
  // Insert in the middle moves the rest up.
  data.CursorPos = 0;
  hex.DoIns();
  EXPECT_EQ(data.Buf(), (Bytes{0, 1}));
  EXPECT_EQ(data.CursorPos, 0);
}

TEST_F(ByteFields, MinLenStopsShrinkingAndClearResetsToIt) {
  data.MinLen = 2;
  data.SetBuf({5, 6});
  data.CursorPos = 3;
  hex.MyKeyPress(8);
  hex.DoDel();
  EXPECT_EQ(data.Buf(), (Bytes{5, 6}));
  data.CursorPos = 6;
  log.clear();
  data.Clear();
  EXPECT_EQ(data.Buf(), (Bytes{0, 0}));
  EXPECT_EQ(data.CursorPos, 0);
  EXPECT_EQ(log, "hdc");
  data.MinLen = 0;
  data.Clear();
  EXPECT_EQ(data.Len(), 0);
}

TEST_F(ByteFields, CursorMovementPerView) {
  data.SetBuf({1, 2});
  data.CursorPos = 0;
  // Hex skips the third place of every byte.
  hex.DoRight();
  EXPECT_EQ(data.CursorPos, 1);
  hex.DoRight();
  EXPECT_EQ(data.CursorPos, 3);
  hex.DoLeft();
  EXPECT_EQ(data.CursorPos, 1);
  // Decimal walks every place.
  dec.DoRight();
  EXPECT_EQ(data.CursorPos, 2);
  // Characters go byte by byte, from any place to the next byte's start.
  chr.DoRight();
  EXPECT_EQ(data.CursorPos, 3);
  chr.DoRight();
  chr.DoRight();
  EXPECT_EQ(data.CursorPos, 6);  // clamped to the end cell
  dec.DoRight();
  EXPECT_EQ(data.CursorPos, 6);
  chr.DoLeft();
  EXPECT_EQ(data.CursorPos, 3);
  hex.DoHome();
  hex.DoLeft();
  dec.DoLeft();
  chr.DoLeft();
  EXPECT_EQ(data.CursorPos, 0);
  dec.MyKeyDown(TFieldKey::End);
  EXPECT_EQ(data.CursorPos, 6);
  EXPECT_EQ(dec.MyKeyDown(TFieldKey::Down), TFocusMove::Down);
  EXPECT_EQ(chr.MyKeyDown(TFieldKey::Up), TFocusMove::Up);
}

TEST_F(ByteFields, FocusPutsTheCursorOnTheBytesFirstDigit) {
  data.SetBuf({10, 20});
  data.CursorPos = 5;  // units of the second byte
  Focus(chr, charView);
  EXPECT_EQ(data.CursorPos, 3);
  EXPECT_TRUE(data.OneIsFocused());
  data.CursorPos = 4;
  Focus(dec, decView);
  EXPECT_EQ(data.CursorPos, 3);
  charView.Focused = decView.Focused = false;
  EXPECT_FALSE(data.OneIsFocused());
}

TEST_F(ByteFields, MouseHitsPerView) {
  data.SetBuf({1, 2, 3});
  // Hex cells are 24 pixels: the left half is the high digit.
  hex.MyMouseDown(24 + 11);
  EXPECT_EQ(data.CursorPos, 3);
  hex.MyMouseDown(24 + 12);
  EXPECT_EQ(data.CursorPos, 4);
  hex.MyMouseDown(500);
  EXPECT_EQ(data.CursorPos, 9);
  // Decimal cells are 32: the middle digit's pixels (11..18) give place 1,
  // the rest of each half the outer digit.
  dec.MyMouseDown(32 + 10);
  EXPECT_EQ(data.CursorPos, 3);
  dec.MyMouseDown(32 + 11);
  EXPECT_EQ(data.CursorPos, 4);
  dec.MyMouseDown(32 + 19);
  EXPECT_EQ(data.CursorPos, 5);
  dec.MyMouseDown(3 * 32 + 30);  // the end cell has only its first place
  EXPECT_EQ(data.CursorPos, 9);
  // Characters: byte FirstByte starts at x 3, each is 8 wide.
  chr.MyMouseDown(2);
  EXPECT_EQ(data.CursorPos, 0);
  chr.MyMouseDown(3 + 8);
  EXPECT_EQ(data.CursorPos, 3);
  chr.FirstByte = 2;
  chr.MyMouseDown(0);  // the byte half hidden at the left edge
  EXPECT_EQ(data.CursorPos, 3);
  hex.FirstByte = 1;
  hex.MyMouseDown(0);
  EXPECT_EQ(data.CursorPos, 3);
}

TEST_F(ByteFields, LinkedViewsShowTheSameBytes) {
  Focus(hex, hexView);
  Type(hex, U"41");
  const TDataFieldPaint d = dec.Paint(200, false, true);
  ASSERT_EQ(d.Cells.size(), 1u);
  EXPECT_EQ(d.Cells[0].Text, u"065");
  const TDataFieldPaint c = chr.Paint(200, false, true);
  ASSERT_EQ(c.Cells.size(), 1u);
  EXPECT_EQ(c.Cells[0].Text[1], u'A');
  EXPECT_EQ(c.Cells[0].X, -8);
}

TEST_F(ByteFields, CursorInTheFocusedViewEchoInTheOthers) {
  const TRgb grey{128, 128, 128};
  data.SetBuf({0x12, 0x34});
  Focus(hex, hexView);
  data.CursorPos = 4;
  TDataFieldPaint h = hex.Paint(200, true, true);
  ASSERT_EQ(h.Cells.size(), 2u);
  EXPECT_EQ(h.Cells[1].BackColors[2], clBlack);  // the low digit
  EXPECT_EQ(h.Cells[1].BackColors[1], clWhite);
  EXPECT_EQ(h.Cells[0].LineColor, G.ButtonFace);
  EXPECT_EQ(h.FillX, 48);
  EXPECT_TRUE(hex.Paint(200, true, false).Cells[1].Uniform());  // blink phase off

  // The other views show the whole cursor byte grey, margins included.
  TDataFieldPaint d = dec.Paint(200, false, true);
  EXPECT_TRUE(d.Cells[1].Uniform());
  EXPECT_EQ(d.Cells[1].BackColors[0], grey);
  EXPECT_EQ(d.Cells[1].TextColors[0], clWhite);
  TDataFieldPaint c = chr.Paint(200, false, true);
  EXPECT_EQ(c.Cells[0].BackColors[3], grey);
  EXPECT_EQ(c.Cells[0].BackColors[2], clWhite);

  // With the focus elsewhere in the dialog no view shows a cursor.
  hexView.Focused = false;
  EXPECT_TRUE(dec.Paint(200, false, true).Cells[1].Uniform());
  EXPECT_EQ(dec.Paint(200, false, true).Cells[1].BackColors[0], clWhite);
  EXPECT_TRUE(chr.Paint(200, false, true).Cells[0].Uniform());
}

TEST_F(ByteFields, TheEndCellIsTheFocusedViewsCursorOnly) {
  data.SetBuf({0x12});
  Focus(dec, decView);
  data.CursorPos = 3;
  TDataFieldPaint d = dec.Paint(200, true, true);
  ASSERT_EQ(d.Cells.size(), 2u);
  EXPECT_EQ(d.Cells[1].Text, u"   ");
  EXPECT_EQ(d.Cells[1].BackColors[1], clBlack);
  EXPECT_EQ(d.Cells[1].LineColor, clWhite);
  EXPECT_EQ(d.FillX, 64);
  EXPECT_EQ(dec.Paint(200, true, false).Cells.size(), 1u);
  EXPECT_EQ(hex.Paint(200, false, true).Cells.size(), 1u);  // no echo of the end
  TDataFieldPaint c = chr.Paint(200, false, true);
  EXPECT_TRUE(c.Cells[0].Uniform());
  // In the character view the end is a blank inside the line.
  Focus(chr, charView);
  c = chr.Paint(200, true, true);
  EXPECT_EQ(c.Cells[0].BackColors[3], clBlack);
}

TEST_F(ByteFields, EachViewScrollsByItselfToKeepTheCursorByteVisible) {
  data.SetBuf(Bytes(40, 0xAB));
  data.CursorPos = 30 * 3;
  // 100 pixels: four hex cells (24), three decimal cells (32), 12 characters.
  hex.Paint(100, true, true);
  EXPECT_EQ(hex.FirstByte, 27);
  dec.Paint(100, false, true);
  EXPECT_EQ(dec.FirstByte, 28);
  TDataFieldPaint c = chr.Paint(100, false, true);
  EXPECT_EQ(chr.FirstByte, 19);
  EXPECT_EQ(c.Cells[0].Text.size(), 16u);

  // Back to the left: the cursor byte becomes the first shown.
  data.CursorPos = 10 * 3;
  hex.Paint(100, true, true);
  EXPECT_EQ(hex.FirstByte, 10);
  EXPECT_EQ(dec.FirstByte, 28);  // untouched until it paints

  // A view narrower than one cell still shows the cursor's cell.
  hex.Paint(10, true, true);
  EXPECT_EQ(hex.FirstByte, 10);
  data.CursorPos = 11 * 3;
  hex.Paint(10, true, true);
  EXPECT_EQ(hex.FirstByte, 11);

  // A cleared sequence brings every view back to the start.
  data.Clear();
  dec.Paint(100, false, true);
  EXPECT_EQ(dec.FirstByte, 0);
}

TEST_F(ByteFields, ACursorSetFromOutsideIsPulledBackIn) {
  data.SetBuf({1});
  data.CursorPos = 99;
  Type(hex, U"7");
  EXPECT_EQ(data.Buf(), (Bytes{1, 0x70}));
  data.CursorPos = 12;
  data.SetBuf({9});
  EXPECT_EQ(data.CursorPos, 3);
}

}  // namespace
