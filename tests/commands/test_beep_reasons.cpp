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

TFakeHost* FakeHost = nullptr;

// The Find dialog answered with answer over a sequence that is nowhere.
void Unfindable(int answer) {
  FakeHost->FindDialogInput = [](TFindState& s) { s.FindData.SetBuf({'z', 'z'}); };
  FakeHost->FindAnswers.push_back(answer);
}

// A key typed into the grid: hex or decimal, at column col.
void GridKey(bool decimal, int32_t col, char32_t key) {
  if (decimal) Decimal();
  MoveCursor(col, 0, false);
  FormKeyPress(key);
}

// Keys typed into a dialog field of its own: a number or a byte sequence.
template <class TField>
void NumberKeys(const std::u32string& keys) {
  TIntData data;
  TField field;
  field.IntData = &data;
  for (char32_t c : keys) field.MyKeyPress(c);
}
template <class TField>
void SequenceKeys(const std::u32string& keys) {
  TBytesData data;
  TField field;
  field.BytesData = &data;
  for (char32_t c : keys) field.MyKeyPress(c);
}

TEST(BeepReasons, EachBeepNamesWhyItSounded) {
  using R = TBeepReason;
  const std::pair<void (*)(), TBeepReason> cases[] = {
      {[] { Unfindable(mrOk), FindMainMenuItemClick(); }, R::NotFound},
      {[] { Unfindable(mrCancel), FindMainMenuItemClick(), FindNextMainMenuItemClick(); }, R::NotFound},
      {[] { Unfindable(FindAllResult), ReplaceMainMenuItemClick(); }, R::NotFound},
      {[] {
         FakeHost->GotoDialogs.push_back([] { return GotoDialog().PosData.SetValue(99, nullptr), int(mrOk); });
         DoGoto();
       },
       R::EndOfDocument},
      {DoGotoNextMark, R::NoFurtherMark},
      {[] { GotoPreviousMarkValue(mcRed); }, R::NoFurtherMark},
      {GotoPreviousIdenticalByteMainMenuItemClick, R::NoIdenticalByte},
      {[] { GridKey(false, 0, 'g'); }, R::InvalidKey},
      {[] { GridKey(false, Grid.BytesPerRow * Grid.DigitsPerByte, 0x4E00); }, R::InvalidKey},  // no code for it
      {[] { GridKey(true, 0, '3'); }, R::DigitTooLarge},
      {[] { GridKey(true, 0, '2'); }, R::ValueLimited},  // over the 97 of "a"
      {[] { NumberKeys<THexIntField>(U"FFFFFFFF"); }, R::NumberTooLarge},
      {[] { NumberKeys<TDecIntField>(U"10000000000"); }, R::NoRoom},
      {[] { NumberKeys<TDecIntField>(U"A"); }, R::InvalidKey},
      {[] { SequenceKeys<TDecDataField>(U"3"); }, R::DigitTooLarge},
  };
  int row = 0;
  for (const auto& [act, reason] : cases) {
    TSeamFixture seams;
    FakeHost = &seams.Host;
    Document();
    act();
    EXPECT_EQ(seams.Host.BeepReasons, std::vector<TBeepReason>{reason}) << "row " << row++;
  }
}

TEST(BeepReasons, EveryReasonHasItsOwnTextInBothLanguages) {
  TSeamFixture seams;
  std::set<std::string> seen;
  for (int r = int(TBeepReason::NotFound); r <= int(TBeepReason::NothingToPaste); ++r)
    for (int language : {9, 7}) {
      Options.Language = language;
      const std::string text = TxtBeepReason(TBeepReason(r));
      EXPECT_FALSE(text.empty()) << r;
      EXPECT_TRUE(seen.insert(text).second) << text;
    }
  EXPECT_EQ(AllBeepReasonTexts().size(), seen.size());
}

}  // namespace
