// The integer fields as a dialog wires them: one TIntData, the decimal field
// as Listener1 and the hex field as Listener2, typed into key by key.
#include <gtest/gtest.h>

#include <string>

#include "commands/ProgramState.h"
#include "core/Globals.h"
#include "core/IntField.h"
#include "core/Seams.h"
#include "fakes/FakeSeams.h"

namespace {

class IntFields : public ::testing::Test {
 protected:
  TFakeHost host;
  TIntData data;
  THexIntField hex;
  TDecIntField dec;
  std::string calls;  // '1', '2', '3' per listener call

  void SetUp() override {
    ResetProgramState();
    SetSeams(&host, nullptr);
    hex.IntData = dec.IntData = &data;
    data.Listener1 = [this](const void* s) {
      calls += '1';
      dec.DataChanged(s);
    };
    data.Listener2 = [this](const void* s) {
      calls += '2';
      hex.DataChanged(s);
    };
    data.Listener3 = [this](const void*) { calls += '3'; };
  }
  void TearDown() override { SetSeams(nullptr, nullptr); }

  static void Type(THexIntField& f, const std::u32string& keys) {
    for (char32_t c : keys) f.MyKeyPress(c);
  }
};

TEST_F(IntFields, TypingInOneFieldRewritesTheOther) {
  Type(dec, U"0");  // the value is 0 already: nobody is called
  EXPECT_EQ(calls, "");
  dec.DoHome();
  Type(dec, U"10");  // over the 0, then appended
  EXPECT_EQ(hex.Digits, "A");
  EXPECT_EQ(calls, "123123");
  hex.DoHome();
  Type(hex, U"b");  // lower case is upper case
  EXPECT_EQ(hex.Digits, "B");
  EXPECT_EQ(dec.Digits, "11");
  EXPECT_EQ(hex.CursorPos, 1);
  // Leading zeros stay in the typing field only.
  dec.DoHome();
  Type(dec, U"0011");
  EXPECT_EQ(dec.Digits, "0011");
  EXPECT_EQ(hex.Digits, "B");
  EXPECT_EQ(host.Beeps, 0);
}

TEST_F(IntFields, RefusedCharactersBeepAndChangeNothing) {
  Type(hex, U"G:\u00e4");
  Type(dec, U"A");
  EXPECT_EQ(host.Beeps, 4);
  EXPECT_EQ(hex.Digits + dec.Digits, "00");
  // Nothing can be typed at or after place MaxLen.
  Type(hex, U"123456789");
  EXPECT_EQ(hex.Digits, "12345678");
  Type(dec, U"12345678901");
  EXPECT_EQ(dec.Digits, "1234567890");
  EXPECT_EQ(host.Beeps, 6);
  dec.DoHome();
  dec.MyKeyDown(TFieldKey::Insert);
  EXPECT_EQ(dec.Digits, "1234567890");
  EXPECT_EQ(host.Beeps, 6);  // no room: nothing, not even a beep
}

TEST_F(IntFields, BackspaceDeleteAndInsert) {
  Type(hex, U"ABC");
  hex.DoHome();
  hex.MyKeyPress(8);  // at the first place: only re-reads
  hex.DoEnd();
  hex.MyKeyDown(TFieldKey::Delete);  // after the last digit: nothing
  EXPECT_EQ(hex.Digits, "ABC");
  hex.MyKeyPress(8);
  EXPECT_EQ(hex.Digits, "AB");
  EXPECT_EQ(dec.Digits, "171");
  hex.MyKeyDown(TFieldKey::Home);
  hex.MyKeyDown(TFieldKey::Insert);  // a 0 under the cursor
  hex.MyKeyDown(TFieldKey::Right);
  hex.MyKeyDown(TFieldKey::Delete);
  EXPECT_EQ(hex.Digits, "0B");
  EXPECT_EQ(hex.CursorPos, 1);
  // Deleting every digit leaves the field empty and the value 0; the other
  // field's cursor is pulled back inside its shorter text.
  dec.DoEnd();
  hex.DoHome();
  hex.DoDel();
  hex.DoDel();
  EXPECT_EQ(hex.Digits, "");
  EXPECT_EQ(dec.Digits, "0");
  EXPECT_EQ(dec.CursorPos, 1);
  EXPECT_EQ(host.Beeps, 0);
}

TEST_F(IntFields, TypingOverALongNumberNeverWrapsPast32Bits) {
  data.SetValue(2147483647, this);
  EXPECT_EQ(hex.Digits, "7FFFFFFF");
  hex.DoHome();
  Type(hex, U"F");  // FFFFFFFF would be negative
  dec.DoHome();
  Type(dec, U"3");
  EXPECT_EQ(host.Beeps, 2);
  EXPECT_EQ(data.Value(), 2147483647);
  Type(dec, U"1");
  EXPECT_EQ(hex.Digits, "446535FF");
  // Place 8 is beyond MaxLen.
  hex.SetCursorPos(8);
  Type(hex, U"0");
  EXPECT_EQ(host.Beeps, 3);
  // A value no count can have shows as 0.
  data.SetValue(-5, this);
  EXPECT_EQ(hex.Digits + dec.Digits, "00");
}

// The largest offset of a 2^31 - 1 byte document, and the largest count,
// can be typed in either field; one more is refused with a beep, whichever
// digit would carry the value past 2,147,483,647.
TEST_F(IntFields, BothFieldsReachTheLargestValueAndRefuseOneMore) {
  struct TCase {
    bool hexField;
    std::u32string keys;
    int32_t value;
    int beeps;
    std::string digits;
  };
  const TCase cases[] = {
      {true, U"7FFFFFFF", 2147483647, 0, "7FFFFFFF"},      {true, U"7FFFFFFE", 2147483646, 0, "7FFFFFFE"},
      {true, U"80000000", 0x8000000, 1, "8000000"},  // the 8th digit would overflow
      {true, U"FFFFFFFF", 0xFFFFFFF, 1, "FFFFFFF"},        {true, U"10000000", 0x10000000, 0, "10000000"},
      {false, U"2147483647", 2147483647, 0, "2147483647"}, {false, U"2147483648", 214748364, 1, "214748364"},
      {false, U"9999999999", 999999999, 1, "999999999"},   {false, U"1999999999", 1999999999, 0, "1999999999"},
      {false, U"0002147483", 2147483, 0, "0002147483"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.keys.begin(), c.keys.end()));
    ClearIntFields(data, hex, dec, this);
    THexIntField& f = c.hexField ? hex : static_cast<THexIntField&>(dec);
    f.Digits.clear();
    f.CursorPos = 0;
    host.Beeps = 0;
    Type(f, c.keys);
    EXPECT_EQ(data.Value(), c.value);
    EXPECT_EQ(host.Beeps, c.beeps);
    EXPECT_EQ(f.Digits, c.digits);
  }
  // The other field shows the largest value in full.
  data.SetValue(2147483647, this);
  EXPECT_EQ(dec.Digits, "2147483647");
  // Insert widens the number only while it still fits.
  data.SetValue(999999999, this);
  dec.DoEnd();
  host.Beeps = 0;
  dec.MyKeyDown(TFieldKey::Insert);  // 9999999990
  EXPECT_EQ(dec.Digits, "999999999");
  EXPECT_EQ(host.Beeps, 1);
  dec.DoHome();
  dec.MyKeyDown(TFieldKey::Insert);  // a leading zero changes nothing
  EXPECT_EQ(dec.Digits, "0999999999");
  EXPECT_EQ(data.Value(), 999999999);
  data.SetValue(0x7FFFFFF, this);
  hex.DoEnd();
  hex.MyKeyDown(TFieldKey::Insert);  // 7FFFFFF0 fits
  EXPECT_EQ(data.Value(), 0x7FFFFFF0);
  data.SetValue(0x8FFFFFF, this);
  hex.DoEnd();
  hex.MyKeyDown(TFieldKey::Insert);  // 8FFFFFF0 does not
  EXPECT_EQ(data.Value(), 0x8FFFFFF);
  EXPECT_EQ(host.Beeps, 2);
}

TEST_F(IntFields, ClearButtonPutsBothCursorsAtTheStart) {
  Type(dec, U"000");
  hex.DoEnd();
  ClearIntFields(data, hex, dec, this);
  EXPECT_EQ(dec.Digits, "000");  // the value was 0 already
  EXPECT_EQ(dec.CursorPos + hex.CursorPos, 0);
  Type(dec, U"42");
  ClearIntFields(data, hex, dec, this);
  EXPECT_EQ(dec.Digits + hex.Digits, "00");
}

}  // namespace
