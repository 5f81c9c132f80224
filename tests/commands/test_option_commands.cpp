// The commands of the Options menu.
#include <gtest/gtest.h>

#include "commands/OptionCommands.h"
#include "core/OptionsState.h"
#include "fakes/FakeSeams.h"

namespace {

// A view that also counts the language switches it is asked for.
class TCaptionView : public TFakeView {
 public:
  int CaptionSwitches = 0;
  int32_t LanguageSeen = -1;
  void SetLanguageCaptions() override {
    ++CaptionSwitches;
    LanguageSeen = Options.Language;
  }
};

class OptionCommands : public ::testing::Test {
 protected:
  TSeamFixture Seams;
  int Refreshes() const { return Seams.View.MenuRefreshes; }
};

TEST_F(OptionCommands, ThePrintOptionsAreOneRadioGroup) {
  struct {
    void (*Command)();
    bool Hatched, Colors, None;
  } cases[] = {{OptionDoNotPrintMarksMenuItemClick, false, false, true},
               {OptionPrintMarksUsingColorsMenuItemClick, false, true, false},
               {OptionPrintMarksUsingColorsMenuItemClick, false, true, false},
               {OptionPrintMarksHatchedMenuItemClick, true, false, false}};
  for (const auto& c : cases) {
    const int before = Refreshes();
    c.Command();
    EXPECT_EQ(Options.PrintMarksHatched, c.Hatched);
    EXPECT_EQ(Options.PrintMarksUsingColors, c.Colors);
    EXPECT_EQ(Options.DoNotPrintMarks, c.None);
    EXPECT_EQ(Refreshes(), before + 1);
    EXPECT_EQ(Seams.View.Menus.Checked["OptionPrintMarksHatchedMenuItem"], c.Hatched);
    EXPECT_EQ(Seams.View.Menus.Checked["OptionPrintMarksUsingColorsMenuItem"], c.Colors);
    EXPECT_EQ(Seams.View.Menus.Checked["OptionDoNotPrintMarksMenuItem"], c.None);
  }
}

TEST_F(OptionCommands, TheSwitchesFlipAndShowTheirCheckmark) {
  struct {
    void (*Command)();
    bool* Setting;
    const char* Item;
  } cases[] = {{KeepmarksonloadMenuItemClick, &Options.KeepMarksOnLoad, "KeepmarksonloadMenuItem"},
               {CreatebackupfilesMenuItemClick, &Options.CreateBackUp, "CreatebackupfilesMenuItem"},
               {OptionNoUnknownMenuItemClick, &Options.NoUnknown, "OptionNoUnknownMenuItem"}};
  for (const auto& c : cases)
    for (int i = 0; i < 2; ++i) {
      const bool before = *c.Setting;
      c.Command();
      EXPECT_NE(*c.Setting, before) << c.Item;
      EXPECT_EQ(Seams.View.Menus.Checked[c.Item], *c.Setting) << c.Item;
    }
  EXPECT_TRUE(Seams.Host.Messages.empty());
}

TEST_F(OptionCommands, UnknownCharactersRepaintTheWholeGrid) {
  const int before = Seams.View.DataBoxInvalidations;
  OptionNoUnknownMenuItemClick();
  EXPECT_GT(Seams.View.DataBoxInvalidations, before);
}

TEST_F(OptionCommands, OnlyYesSwitchesTheOverwriteWarningOff) {
  for (int answer : {int(mrNo), int(mrCancel), int(mrNone), int(mrYes)}) {
    Seams.Host.Answers = {answer};
    Seams.Host.Messages.clear();
    OverwriteWarnMenuItemClick();
    ASSERT_EQ(Seams.Host.Messages.size(), 1u);
    const TShownMessage& m = Seams.Host.Messages[0];
    EXPECT_EQ(m.Type, TMsgDlgType::Confirmation);
    EXPECT_EQ(m.Buttons, mbYesNoCancel);
    EXPECT_EQ(m.DefaultButton, int(mbNo));
    EXPECT_EQ(Options.OverwriteWarning, answer != mrYes);
    EXPECT_EQ(Seams.View.Menus.Checked["OverwriteWarnMenuItem"], Options.OverwriteWarning);
  }
  // Switching it on again asks nothing.
  Seams.Host.Messages.clear();
  OverwriteWarnMenuItemClick();
  EXPECT_TRUE(Options.OverwriteWarning);
  EXPECT_TRUE(Seams.Host.Messages.empty());
  EXPECT_TRUE(Seams.View.Menus.Checked["OverwriteWarnMenuItem"]);
}

TEST_F(OptionCommands, TheOverwriteQuestionHasThreeParagraphsInEitherLanguage) {
  const std::string gap = "\r\r";
  for (int32_t language : {9, 7}) {
    Options.Language = language;
    Options.OverwriteWarning = true;
    Seams.Host.Messages.clear();
    OverwriteWarnMenuItemClick();
    ASSERT_EQ(Seams.Host.Messages.size(), 1u);
    const std::string& text = Seams.Host.Messages[0].Text;
    EXPECT_EQ(text.find('\n'), std::string::npos);
    const size_t first = text.find(gap);
    const size_t second = text.find(gap, first + 2);
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(text.find(gap, second + 2), std::string::npos);
    EXPECT_EQ(text.find("\r\r\r"), std::string::npos);
    if (language == 7) {
      EXPECT_EQ(text.substr(0, first), "Wollen Sie die Warnungen deaktivieren?");
      EXPECT_EQ(text.substr(first + 2, 9), "WARNUNG: ");
      EXPECT_NE(text.find("daß Sie versehentlich eine Datei mit modifizierten Daten überschreiben.\r\r"),
                std::string::npos);
      EXPECT_EQ(text.substr(second + 2),
                "Das Überschreiben von bestehenden Dateien kann Software und Daten ihres Systems beschädigen. Es "
                "kann zu einem instabilen System führen. Wenn Sie nicht genau wissen was Sie tun oder sich nicht "
                "über die möglichen Konsequenzen im Klaren sind, dann drücken Sie den Nein-Schalter.");
    } else {
      EXPECT_EQ(text.substr(0, first), "Do you want to deactivate the warnings?");
      EXPECT_EQ(text.substr(first + 2, second - first - 2),
                "WARNUNG: If you deactivate this option you will not be asked to confirm saving files under their "
                "present filename. Thus the risk will be high that you accidently overwrite files with modified "
                "data.");
      EXPECT_EQ(text.substr(second + 2),
                "Overwriting files can damage your system's software and data. It can lead to an unstable system. "
                "If you don't know exactly what you are doing or you don't know about the possible consequences "
                "then you should press the No-button.");
    }
  }
}

TEST_F(OptionCommands, TheLanguageCommandsSetTheLanguageAndTheCaptions) {
  TCaptionView view;
  SetSeams(&Seams.Host, &view);
  DeutschMenuItemClick();
  EXPECT_EQ(Options.Language, 7);
  EXPECT_EQ(view.LanguageSeen, 7);
  EnglishMenuItemClick();
  EXPECT_EQ(Options.Language, 9);
  EXPECT_EQ(view.LanguageSeen, 9);
  EXPECT_EQ(view.CaptionSwitches, 2);
  SetSeams(&Seams.Host, &Seams.View);
}

}  // namespace
