// The integer fields as a dialog wires them: one TIntData, the decimal field
// as Listener1 and the hex field as Listener2, typed into key by key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Geometry.h"
#include "core/Globals.h"
#include "core/IntField.h"
#include "core/Seams.h"

namespace {

class BeepCounter : public IHost {
 public:
  int Beeps = 0;
  int MessageDialog(const std::string&, TMsgDlgType, TMsgDlgButtons, int, int) override { return mrCancel; }
  bool ExecuteFileDialog(TFileDialog&, bool) override { return false; }
  void Beep() override { ++Beeps; }
};

class IntFields : public ::testing::Test {
 protected:
  BeepCounter host;
  TIntData data;
  THexIntField hex;
  TDecIntField dec;
  std::vector<const void*> dialogCalls;  // senders seen by Listener3

  void SetUp() override {
    ResetGlobals();
    SetSeams(&host, nullptr);
    hex.IntData = &data;
    dec.IntData = &data;
    data.Listener1 = [this](const void* s) { dec.DataChanged(s); };
    data.Listener2 = [this](const void* s) { hex.DataChanged(s); };
    data.Listener3 = [this](const void* s) { dialogCalls.push_back(s); };
  }
  void TearDown() override { SetSeams(nullptr, nullptr); }

  static void Type(THexIntField& f, const std::u32string& keys) {
    for (char32_t c : keys) f.MyKeyPress(c);
  }
};

TEST_F(IntFields, TypingInOneFieldRewritesTheOther) {
  Type(dec, U"10");  // over the 0, then appended
  EXPECT_EQ(dec.Digits, "10");
  EXPECT_EQ(hex.Digits, "A");
  EXPECT_EQ(data.Value(), 10);

  // Lower case is taken as upper case and typed over the single 0.
  TIntData other;
  THexIntField h;
  TDecIntField d;
  h.IntData = d.IntData = &other;
  other.Listener1 = [&](const void* s) { d.DataChanged(s); };
  other.Listener2 = [&](const void* s) { h.DataChanged(s); };
  Type(h, U"a");
  EXPECT_EQ(h.Digits, "A");
  EXPECT_EQ(d.Digits, "10");
  EXPECT_EQ(h.CursorPos, 1);
  EXPECT_EQ(host.Beeps, 0);
}

TEST_F(IntFields, CharactersOutsideTheFieldsDigitsBeep) {
  Type(hex, U"G:");
  Type(dec, U"A");
  Type(hex, U"\u00e4");
  EXPECT_EQ(host.Beeps, 4);
  EXPECT_EQ(hex.Digits, "0");
  EXPECT_EQ(dec.Digits, "0");
  EXPECT_EQ(hex.CursorPos, 0);
  EXPECT_TRUE(dialogCalls.empty());
}

TEST_F(IntFields, NoDigitAtOrAfterMaxLen) {
  Type(hex, U"1234567");
  EXPECT_EQ(host.Beeps, 0);
  Type(hex, U"8");
  EXPECT_EQ(host.Beeps, 1);
  EXPECT_EQ(hex.Digits, "1234567");
  EXPECT_EQ(data.Value(), 0x1234567);

  Type(dec, U"1234567890");
  EXPECT_EQ(host.Beeps, 2);
  EXPECT_EQ(dec.Digits, "123456789");
  EXPECT_EQ(hex.Digits, "75BCD15");

  // Insert is a no-op at MaxLen, but still re-reads (and so changes nothing).
  dec.DoHome();
  dec.MyKeyDown(TFieldKey::Insert);
  EXPECT_EQ(dec.Digits, "123456789");
}

TEST_F(IntFields, LeadingZerosStayInTheTypingFieldOnly) {
  Type(dec, U"0");  // the value is 0 already: nobody is told
  EXPECT_TRUE(dialogCalls.empty());
  Type(dec, U"07");
  EXPECT_EQ(dec.Digits, "007");
  EXPECT_EQ(hex.Digits, "7");
  ASSERT_EQ(dialogCalls.size(), 1u);
  EXPECT_EQ(dialogCalls[0], &dec);
}

TEST_F(IntFields, ListenersRunInOrderAndOnlyOnChange) {
  std::string order;
  TIntData d;
  d.Listener1 = [&](const void*) { order += '1'; };
  d.Listener2 = [&](const void*) { order += '2'; };
  d.Listener3 = [&](const void*) { order += '3'; };
  d.SetValue(5, nullptr);
  d.SetValue(5, nullptr);
  EXPECT_EQ(order, "123");
  d.Listener2 = nullptr;
  d.SetValue(6, nullptr);
  EXPECT_EQ(order, "12313");
}

TEST_F(IntFields, BackspaceDeleteAndInsert) {
  Type(hex, U"ABC");
  // Backspace at the first place only re-reads the value.
  hex.DoHome();
  hex.MyKeyPress(8);
  EXPECT_EQ(hex.Digits, "ABC");
  EXPECT_EQ(hex.CursorPos, 0);
  // Delete after the last digit does nothing.
  hex.MyKeyDown(TFieldKey::End);
  hex.MyKeyDown(TFieldKey::Delete);
  EXPECT_EQ(hex.Digits, "ABC");
  EXPECT_EQ(host.Beeps, 0);

  hex.MyKeyPress(8);
  EXPECT_EQ(hex.Digits, "AB");
  EXPECT_EQ(hex.CursorPos, 2);
  EXPECT_EQ(dec.Digits, "171");

  hex.MyKeyDown(TFieldKey::Home);
  hex.MyKeyDown(TFieldKey::Insert);  // a 0 under the cursor
  EXPECT_EQ(hex.Digits, "0AB");
  EXPECT_EQ(hex.CursorPos, 0);
  hex.MyKeyDown(TFieldKey::Right);
  hex.MyKeyDown(TFieldKey::Delete);
  EXPECT_EQ(hex.Digits, "0B");
  EXPECT_EQ(hex.CursorPos, 1);
  EXPECT_EQ(dec.Digits, "11");

  // Deleting every digit leaves the field empty and the value 0.
  hex.DoHome();
  hex.DoDel();
  hex.DoDel();
  EXPECT_EQ(hex.Digits, "");
  EXPECT_EQ(data.Value(), 0);
  EXPECT_EQ(dec.Digits, "0");
}

TEST_F(IntFields, TheOtherFieldPullsItsCursorBackInside) {
  Type(dec, U"123456");
  EXPECT_EQ(hex.Digits, "1E240");
  hex.DoEnd();
  Type(dec, U"\b\b\b\b");  // 12
  EXPECT_EQ(hex.Digits, "C");
  EXPECT_EQ(hex.CursorPos, 1);
}

TEST_F(IntFields, ArrowsMoveWithinTheDigitsAndUpDownAskForFocus) {
  Type(hex, U"12");
  hex.MyKeyDown(TFieldKey::Right);
  EXPECT_EQ(hex.CursorPos, 2);
  hex.MyKeyDown(TFieldKey::Home);
  hex.MyKeyDown(TFieldKey::Left);
  EXPECT_EQ(hex.CursorPos, 0);
  EXPECT_EQ(hex.MyKeyDown(TFieldKey::Down), TFocusMove::Down);
  EXPECT_EQ(dec.MyKeyDown(TFieldKey::Up), TFocusMove::Up);
  EXPECT_EQ(hex.MyKeyDown(TFieldKey::Other), TFocusMove::None);
}

TEST_F(IntFields, ALongNumberFromOutsideCanBeTypedOverButNotPastItsLimit) {
  data.SetValue(999999999, this);
  EXPECT_EQ(hex.Digits, "3B9AC9FF");  // 8 digits in a 7-digit field
  hex.DoHome();
  Type(hex, U"1");
  EXPECT_EQ(hex.Digits, "1B9AC9FF");
  EXPECT_EQ(data.Value(), 0x1B9AC9FF);
  // Place 7 is beyond MaxLen even though a digit stands there.
  hex.SetCursorPos(7);
  Type(hex, U"0");
  EXPECT_EQ(host.Beeps, 1);
  EXPECT_EQ(hex.Digits, "1B9AC9FF");
}

TEST_F(IntFields, TypingOverNeverWrapsToANegativeValue) {
  data.SetValue(2147483647, this);
  EXPECT_EQ(hex.Digits, "7FFFFFFF");
  EXPECT_EQ(dec.Digits, "2147483647");
  hex.DoHome();
  Type(hex, U"F");  // FFFFFFFF does not fit 32 signed bits
  EXPECT_EQ(host.Beeps, 1);
  EXPECT_EQ(hex.Digits, "7FFFFFFF");
  dec.DoHome();
  Type(dec, U"3");
  EXPECT_EQ(host.Beeps, 2);
  EXPECT_EQ(data.Value(), 2147483647);
  Type(dec, U"1");  // 1147483647 fits
  EXPECT_EQ(data.Value(), 1147483647);
  EXPECT_EQ(hex.Digits, "446535FF");

  // What the model cannot show as a count shows as 0.
  data.SetValue(-5, this);
  EXPECT_EQ(hex.Digits, "0");
  EXPECT_EQ(dec.Digits, "0");
}

TEST_F(IntFields, ClearButtonPutsBothCursorsAtTheStart) {
  Type(dec, U"000");
  hex.DoEnd();
  ClearIntFields(data, hex, dec, this);
  // The value was 0 already: the texts stay as typed.
  EXPECT_EQ(dec.Digits, "000");
  EXPECT_EQ(dec.CursorPos, 0);
  EXPECT_EQ(hex.CursorPos, 0);

  Type(dec, U"42");
  ClearIntFields(data, hex, dec, this);
  EXPECT_EQ(dec.Digits, "0");
  EXPECT_EQ(hex.Digits, "0");
  EXPECT_EQ(dialogCalls.back(), this);
}

TEST_F(IntFields, MousePutsTheCursorBeforeTheDigitHit) {
  ComputeGeometry(8, 16);  // CellPadLeft 3
  Type(hex, U"ABCD");
  hex.MyMouseDown(0);
  EXPECT_EQ(hex.CursorPos, 0);
  hex.MyMouseDown(3 + 2 * 8);
  EXPECT_EQ(hex.CursorPos, 2);
  hex.MyMouseDown(3 + 2 * 8 - 1);
  EXPECT_EQ(hex.CursorPos, 1);
  hex.MyMouseDown(200);
  EXPECT_EQ(hex.CursorPos, 4);
}

TEST_F(IntFields, PaintCellShowsElevenPlacesAndTheCursor) {
  Type(hex, U"1F");
  TCellSpec c = hex.PaintCell(true);
  EXPECT_EQ(c.Text, u"1F         ");
  EXPECT_EQ(c.BackColors[3], clBlack);  // place 2: the blank after the digits
  EXPECT_EQ(c.TextColors[2], clWhite);
  EXPECT_EQ(c.BackColors[1], clWhite);
  EXPECT_EQ(c.LineColor, clWhite);
  EXPECT_TRUE(hex.PaintCell(false).Uniform());
}

}  // namespace
