// The message dialog's layout in dialog units, its Enter and Escape buttons
// and its captions, without a window.
#include "core/MessageLayout.h"

#include <gtest/gtest.h>

#include <utility>

#include "commands/ProgramState.h"
#include "core/OptionsState.h"

namespace {

class MessageLayout : public ::testing::Test {
 protected:
  void SetUp() override { ResetProgramState(); }
};

TEST_F(MessageLayout, DialogUnitsTruncateTheAverageAndRoundTheUnits) {
  // 52 letters 363 pixels wide: 6.98 per letter counts as 6.
  const TDialogUnits du = TDialogUnits::FromLetterExtent(363, 13);
  EXPECT_EQ(du.AvgCharWidth, 6);
  EXPECT_EQ(du.CharHeight, 13);
  EXPECT_EQ(du.Horz(50), 75);  // 75.0
  EXPECT_EQ(du.Horz(5), 8);    // 7.5 rounds up
  EXPECT_EQ(du.Vert(14), 23);  // 22.75
  EXPECT_EQ(du.Vert(10), 16);  // 16.25
  EXPECT_EQ(du.Vert(4), 7);    // 6.5 rounds up

  EXPECT_EQ(MulDivRound(-13, 4, 8), -7);  // halves go away from zero on both sides
  EXPECT_EQ(MulDivRound(13, 4, -8), -7);
  EXPECT_EQ(MulDivRound(1, 1, 0), 0);
  EXPECT_EQ(MulDivRound(2000000000, 3, 4), 1500000000);  // no overflow in the product
}

TEST_F(MessageLayout, DefaultVariantHasBiggerButtonsFurtherApart) {
  const TDialogUnits du{8, 16};
  const TMessageMetrics plain = MessageMetrics(du, false);
  const TMessageMetrics chosen = MessageMetrics(du, true);
  EXPECT_EQ(chosen.HorzMargin, 16);
  EXPECT_EQ(chosen.VertSpacing, 20);
  EXPECT_EQ(plain.ButtonWidth, 100);
  EXPECT_EQ(plain.ButtonHeight, 28);
  EXPECT_EQ(plain.ButtonSpacing, 8);
  EXPECT_EQ(chosen.ButtonWidth, 124);
  EXPECT_EQ(chosen.ButtonHeight, 32);
  EXPECT_EQ(chosen.ButtonSpacing, 12);
}

TEST_F(MessageLayout, IconTextAndCentredButtonRow) {
  const TMessageMetrics m = MessageMetrics(TDialogUnits{8, 16}, false);

  // A short one-line text beside the icon: the icon decides the height, the
  // three buttons (3 * 100 + 2 * 8 = 316) the width.
  TMessageLayout l = LayoutMessage(m, 150, 16, true, mbYesNoCancel);
  EXPECT_EQ(l.ClientWidth, 316 + 2 * 16);
  EXPECT_EQ(l.ClientHeight, 32 + 20 + 28 + 2 * 16);
  EXPECT_EQ(l.Icon.Left, 16);
  EXPECT_EQ(l.Icon.Top, 16);
  EXPECT_EQ(l.Text.Left, 16 + 32 + 20);
  EXPECT_EQ(l.Text.Top, 16);
  ASSERT_EQ(l.Buttons.size(), 3u);
  EXPECT_EQ(l.Buttons[0].Bounds.Left, 16);
  EXPECT_EQ(l.Buttons[1].Bounds.Left, 16 + 108);
  EXPECT_EQ(l.Buttons[2].Bounds.Left, 16 + 216);
  EXPECT_EQ(l.Buttons[0].Bounds.Top, 16 + 32 + 20);

  // A wide, tall text without icon: the text decides both, the single button
  // sits in the middle below it.
  l = LayoutMessage(m, 400, 90, false, mbOKOnly);
  EXPECT_FALSE(l.HasIcon);
  EXPECT_EQ(l.Text.Left, 16);
  EXPECT_EQ(l.ClientWidth, 432);
  EXPECT_EQ(l.ClientHeight, 90 + 20 + 28 + 32);
  ASSERT_EQ(l.Buttons.size(), 1u);
  EXPECT_EQ(l.Buttons[0].Bounds.Left, (432 - 100) / 2);
  EXPECT_EQ(l.Buttons[0].Bounds.Top, 16 + 90 + 20);

  // No buttons at all must not shrink the dialog below its text.
  l = LayoutMessage(m, 10, 16, false, 0);
  EXPECT_TRUE(l.Buttons.empty());
  EXPECT_EQ(l.ClientWidth, 10 + 32);
}

TEST_F(MessageLayout, EnterAndEscapeButtons) {
  // The shown buttons, the default asked for, the button Enter presses.
  const struct {
    TMsgDlgButtons Shown;
    int Asked;
    int Enter;
  } enter[] = {
      {mbYesNoCancel, NoDefaultButton, mbYes},
      {mbYesNoCancel, mbNo, mbNo},
      {Btn(mbYes) | Btn(mbOK), NoDefaultButton, mbOK},
      {Btn(mbAbort) | Btn(mbRetry) | Btn(mbIgnore), NoDefaultButton, mbRetry},
      {mbOKOnly, mbNo, mbOK},  // a default that is not shown falls back to the usual rule
      {mbOKOnly, 42, mbOK},    // nor is an out-of-range one taken for a shown button
      {Btn(mbNo) | Btn(mbCancel), NoDefaultButton, NoDefaultButton},
  };
  for (const auto& c : enter) EXPECT_EQ(DefaultButtonOf(c.Shown, c.Asked), c.Enter) << c.Shown << " " << c.Asked;
  // The shown buttons and the one Escape presses.
  const std::pair<TMsgDlgButtons, int> escape[] = {
      {mbYesNoCancel, mbCancel},
      {Btn(mbYes) | Btn(mbNo), mbNo},
      {mbOKOnly, mbOK},
      {Btn(mbAbort) | Btn(mbRetry) | Btn(mbIgnore), NoDefaultButton},
  };
  for (const auto& [shown, button] : escape) EXPECT_EQ(CancelButtonOf(shown), button) << shown;
}

TEST_F(MessageLayout, CaptionsFollowTheLanguage) {
  for (int language : {9, 0, 8}) {
    Options.Language = language;
    EXPECT_EQ(MessageCaption(TMsgDlgType::Warning), "Warning");
    EXPECT_EQ(MessageButtonCaption(mbCancel), "Cancel");
    EXPECT_EQ(MessageButtonCaption(mbRetry), "&Retry");
  }
  Options.Language = 7;
  EXPECT_EQ(MessageCaption(TMsgDlgType::Warning), "Warnung");
  EXPECT_EQ(MessageCaption(TMsgDlgType::Error), "Fehler");
  EXPECT_EQ(MessageCaption(TMsgDlgType::Confirmation), "Bestätigung");
  EXPECT_EQ(MessageCaption(TMsgDlgType::Custom), "Brisquentalovard");
}

}  // namespace
