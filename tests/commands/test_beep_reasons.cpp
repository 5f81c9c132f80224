// Every beep names its reason, which the window shows in the status bar: one
// row per place that beeps, and the reasons' texts in both languages.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <string>

#include "commands/ByteRangeCommands.h"
#include "commands/EditCommands.h"
#include "commands/FindCommands.h"
#include "commands/MarkCommands.h"
#include "commands/ReplaceCommands.h"
#include "core/ByteRangeDialogs.h"
#include "core/Cursor.h"
#include "core/DataField.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/FindState.h"
#include "core/GridState.h"
#include "core/IntField.h"
#include "core/OptionsState.h"
#include "core/Texts.h"
#include "fakes/FakeSeams.h"

namespace {

// "ab" and "ab" again, the first byte marked red; the cursor on the last byte.
void Document() {
  const char bytes[] = "abab";
  Doc.DocSize = 4;
  ResizeDocData(Doc.DocSize);
  FreshDocMarks(Doc.DocSize);
  std::memcpy(Doc.DocData, bytes, 4);
  Doc.DocMarks[0] = mcRed;
  View().RequestLayout();
  MoveCursor(0, 0, false);
}

void Decimal() {
  Grid.Hex = false;
  View().RequestLayout();
  MoveCursor(0, 0, false);
}

void FindDialog(TFakeHost& host, const char* find, int answer) {
  host.FindDialogInput = [find](TFindState& s) {
    s.FindData.SetBuf(std::vector<uint8_t>(find, find + std::strlen(find)));
    s.BeginCursorRB = true;
    s.DirectionUpRB = false;
  };
  host.FindAnswers.push_back(answer);
}

template <class TField>
void Type(TField& field, const std::u32string& keys) {
  for (char32_t c : keys) field.MyKeyPress(c);
}

TEST(BeepReasons, EachBeepNamesWhyItSounded) {
  struct TCase {
    const char* What;
    std::function<void(TFakeHost&)> Act;
    TBeepReason Reason;
  };
  const TCase cases[] = {
      {"Find",
       [](TFakeHost& h) {
         FindDialog(h, "zz", mrOk);
         FindMainMenuItemClick();
       },
       TBeepReason::NotFound},
      {"Find next",
       [](TFakeHost& h) {
         FindDialog(h, "zz", mrCancel);
         FindMainMenuItemClick();
         FindNextMainMenuItemClick();
       },
       TBeepReason::NotFound},
      {"Replace all",
       [](TFakeHost& h) {
         FindDialog(h, "zz", FindAllResult);
         ReplaceMainMenuItemClick();
       },
       TBeepReason::NotFound},
      {"Go to past the end",
       [](TFakeHost& h) {
         h.GotoDialogs.push_back([] {
           GotoDialog().PosData.SetValue(99, nullptr);
           return int(mrOk);
         });
         DoGoto();
       },
       TBeepReason::EndOfDocument},
      {"Next mark", [](TFakeHost&) { DoGotoNextMark(); }, TBeepReason::NoFurtherMark},
      {"Previous red mark", [](TFakeHost&) { GotoPreviousMarkValue(mcRed); }, TBeepReason::NoFurtherMark},
      {"Previous identical byte", [](TFakeHost&) { GotoPreviousIdenticalByteMainMenuItemClick(); },
       TBeepReason::NoIdenticalByte},
      {"Hex cell, g", [](TFakeHost&) { FormKeyPress('g'); }, TBeepReason::InvalidKey},
      {"Character cell, no code",
       [](TFakeHost&) {
         MoveCursor(Grid.BytesPerRow * Grid.DigitsPerByte, 0, false);
         FormKeyPress(0x4E00);
       },
       TBeepReason::InvalidKey},
      {"Decimal cell, 3 as hundreds",
       [](TFakeHost&) {
         Decimal();
         FormKeyPress('3');
       },
       TBeepReason::DigitTooLarge},
      {"Decimal cell, 2 before 97",
       [](TFakeHost&) {
         Decimal();
         FormKeyPress('2');
       },
       TBeepReason::ValueLimited},
      {"Hex number field, overflow",
       [](TFakeHost&) {
         TIntData data;
         THexIntField f;
         f.IntData = &data;
         Type(f, U"FFFFFFFF");
       },
       TBeepReason::NumberTooLarge},
      {"Decimal number field, eleventh digit",
       [](TFakeHost&) {
         TIntData data;
         TDecIntField f;
         f.IntData = &data;
         Type(f, U"10000000000");
       },
       TBeepReason::NoRoom},
      {"Decimal number field, letter",
       [](TFakeHost&) {
         TIntData data;
         TDecIntField f;
         f.IntData = &data;
         Type(f, U"A");
       },
       TBeepReason::InvalidKey},
      {"Decimal sequence field, 3 as hundreds",
       [](TFakeHost&) {
         TBytesData data;
         TDecDataField f;
         f.BytesData = &data;
         Type(f, U"3");
       },
       TBeepReason::DigitTooLarge},
  };
  for (const TCase& c : cases) {
    TSeamFixture seams;
    Document();
    c.Act(seams.Host);
    EXPECT_EQ(seams.Host.BeepReasons, std::vector<TBeepReason>{c.Reason}) << c.What;
  }
}

TEST(BeepReasons, EveryReasonHasItsOwnTextInBothLanguages) {
  TSeamFixture seams;
  std::set<std::string> seen;
  for (int r = int(TBeepReason::NotFound); r <= int(TBeepReason::NumberTooLarge); ++r)
    for (int language : {9, 7}) {
      Options.Language = language;
      const std::string text = TxtBeepReason(TBeepReason(r));
      EXPECT_FALSE(text.empty()) << r;
      EXPECT_TRUE(seen.insert(text).second) << text;
    }
  EXPECT_EQ(AllBeepReasonTexts().size(), seen.size());
}

}  // namespace
