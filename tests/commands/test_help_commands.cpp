// Help, the character table and the calculator.
#include <gtest/gtest.h>

#include "commands/HelpCommands.h"
#include "core/EnvState.h"
#include "core/OptionsState.h"
#include "fakes/FakeSeams.h"

namespace {

class HelpCommands : public ::testing::Test {
 protected:
  TSeamFixture Seams;
  TFakeHost& Host = Seams.Host;
};

}  // namespace

TEST_F(HelpCommands, OpensTheFileOfTheLanguageAtTheAnchor) {
  struct {
    int32_t Language;
    void (*Command)();
    const char* File;
    int Context;
  } cases[] = {{9, HilfeInhaltMenuItemClick, "QorinEditE.html", 1000},
               {9, TabSBClick, "QorinEditE.html", 1500},
               {7, HilfeInhaltMenuItemClick, "QorinEditD.html", 1000},
               {7, TabSBClick, "QorinEditD.html", 1500},
               {12, TabSBClick, "QorinEditE.html", 1500}};
  for (const auto& c : cases) {
    Options.Language = c.Language;
    Host.HelpShown.clear();
    c.Command();
    ASSERT_EQ(Host.HelpShown.size(), 1u);
    EXPECT_EQ(Host.HelpShown[0].first, c.File);
    EXPECT_EQ(Host.HelpShown[0].second, c.Context);
  }
  EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(HelpCommands, AMissingHelpFileIsReportedInTheLanguage) {
  Host.HelpFiles = {"QorinEditE.html"};
  Options.Language = 7;
  HilfeInhaltMenuItemClick();
  ASSERT_EQ(Host.Messages.size(), 1u);
  EXPECT_EQ(Host.Messages[0].Text, "Die Hilfedatei \"QorinEditD.html\" konnte nicht gefunden werden.");
  EXPECT_EQ(Host.Messages[0].Type, TMsgDlgType::Error);
  Options.Language = 9;
  HilfeInhaltMenuItemClick();
  EXPECT_EQ(Host.Messages.size(), 1u);
}

TEST_F(HelpCommands, TheCalculatorIsStartedOnceWhileItRuns) {
  Env.CalcPath = "/usr/bin/calc";
  Host.Executables = {"/usr/bin/calc"};
  CalcSBClick();
  CalcSBClick();
  EXPECT_EQ(Host.Started, std::vector<std::string>{"/usr/bin/calc"});
  // Once it has ended, the next press starts it again.
  Host.Running.clear();
  CalcSBClick();
  EXPECT_EQ(Host.Started.size(), 2u);
  EXPECT_TRUE(Host.Messages.empty());
}

TEST_F(HelpCommands, AMissingCalculatorAsksAndTheChosenFileIsKept) {
  Env.CalcPath = "/nowhere/calc";
  Host.Executables = {"/opt/calc/bin/calc"};
  Host.Answers = {mrYes};
  Host.FileAnswers = {std::string("/opt/calc/bin/calc")};
  CalcSBClick();
  ASSERT_EQ(Host.Messages.size(), 1u);
  EXPECT_EQ(Host.Messages[0].Text, "The calculator-application could not be found. Do you want to search for it?");
  EXPECT_EQ(Host.Messages[0].Type, TMsgDlgType::Error);
  EXPECT_EQ(Host.Messages[0].Buttons, mbYesNoCancel);
  ASSERT_EQ(Host.FileDialogsShown.size(), 1u);
  EXPECT_EQ(Host.FileDialogsShown[0].Title, "Search for calculator-application");
  EXPECT_EQ(Host.FileDialogsShown[0].FileName, "/nowhere/calc");
  EXPECT_TRUE(Host.FileDialogsShown[0].ExecutablesOnly);
  EXPECT_EQ(Env.CalcPath, "/opt/calc/bin/calc");
  EXPECT_EQ(Host.Started, std::vector<std::string>{"/opt/calc/bin/calc"});
  // The next press, after the calculator ended, asks nothing.
  Host.Running.clear();
  CalcSBClick();
  EXPECT_EQ(Host.Messages.size(), 1u);
  EXPECT_EQ(Host.Started.size(), 2u);
}

TEST_F(HelpCommands, TheSearchAsksAgainUntilAFileCanBeRunOrTheUserGivesUp) {
  struct {
    std::deque<int> Answers;
    std::deque<std::optional<std::string>> Files;
    size_t Questions;
    bool Starts;
  } cases[] = {
      {{mrNo}, {}, 1, false},
      {{mrCancel}, {}, 1, false},
      {{mrYes}, {std::nullopt}, 1, false},
      // A chosen file that cannot be run brings the question back.
      {{mrYes, mrYes}, {std::string("/tmp/notes.txt"), std::string("/bin/calc")}, 2, true},
      {{mrYes, mrNo}, {std::string("/tmp/notes.txt")}, 2, false},
  };
  for (const auto& c : cases) {
    Env.CalcPath = "";
    Options.Language = 7;
    Host.Messages.clear();
    Host.Started.clear();
    Host.Executables = {"/bin/calc"};
    Host.Answers = c.Answers;
    Host.FileAnswers = c.Files;
    CalcSBClick();
    EXPECT_EQ(Host.Messages.size(), c.Questions);
    EXPECT_EQ(Host.Messages[0].Text,
              "Die Rechner-Anwendung konnte nicht gefunden werden. Möchten Sie nach ihm suchen?");
    EXPECT_EQ(CalcOpenDialog().Title, "Rechner suchen");
    for (const std::string& title : Host.FileDialogTitles) EXPECT_EQ(title, "Rechner suchen");
    EXPECT_EQ(Host.Started.size(), c.Starts ? 1u : 0u);
    Host.Running.clear();
  }
}

TEST_F(HelpCommands, ACalculatorThatWillNotStartIsReported) {
  Env.CalcPath = "/usr/bin/calc";
  Host.Executables = {Env.CalcPath};
  Host.StartFails = true;
  CalcSBClick();
  ASSERT_EQ(Host.Messages.size(), 1u);
  EXPECT_EQ(Host.Messages[0].Text, "The calculator-application \"/usr/bin/calc\" could not be started.");
  EXPECT_EQ(CalculatorProcess(), 0);
  // Nothing runs, so the next press tries again.
  Host.StartFails = false;
  CalcSBClick();
  EXPECT_EQ(Host.Started.size(), 2u);
}
