// The Print command with the print dialog and the job played by the fake
// host: what the dialog proposes, what reaches the job, and the one message
// of a failed printer.
#include <gtest/gtest.h>

#include "commands/PrintCommands.h"
#include "core/Cursor.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/OptionsState.h"
#include "fakes/FakeSeams.h"

namespace {

class PrintCommands : public ::testing::Test {
 protected:
  TSeamFixture Seams;

  void Document(int32_t size) {
    Doc.DocSize = size;
    ResizeDocData(size);
    FreshDocMarks(size);
    Seams.View.RequestLayout();
    MoveCursor(0, 0, false);
  }
  // The user picks pages from..to (or all) and presses OK.
  void Choose(int32_t from, int32_t to, bool range = true) {
    Seams.Host.PrintDialogInput = [=](TPrintDialogData& d) {
      d.FromPage = from;
      d.ToPage = to;
      d.PageRange = range;
      return true;
    };
  }
};

TEST_F(PrintCommands, EmptyDocumentShowsNoDialog) {
  Document(0);
  DoPrint();
  EXPECT_TRUE(Seams.Host.PrintDialogs.empty());
  EXPECT_TRUE(Seams.Host.PrintJobs.empty());
}

TEST_F(PrintCommands, DialogProposesTheCursorsPageAndCancelPrintsNothing) {
  Document(3000);
  GotoOffset(70 * 16 + 3, false, true);
  DoPrint();
  ASSERT_EQ(Seams.Host.PrintDialogs.size(), 1u);
  const TPrintDialogData& d = Seams.Host.PrintDialogs[0];
  EXPECT_EQ(d.MinPage, 1);
  EXPECT_EQ(d.MaxPage, 3);
  EXPECT_EQ(d.FromPage, 2);
  EXPECT_EQ(d.ToPage, 2);
  EXPECT_TRUE(Seams.Host.PrintJobs.empty());
  EXPECT_TRUE(Seams.Host.Messages.empty());
  EXPECT_GE(Seams.View.MenuRefreshes, 1);
  EXPECT_TRUE(Seams.View.Menus.Enabled["FilePrintMainMenuItem"]);
}

TEST_F(PrintCommands, TheChosenRangeReachesTheJob) {
  Document(3000);
  Choose(1, 3);
  DoPrint();
  ASSERT_EQ(Seams.Host.PrintJobs.size(), 1u);
  EXPECT_EQ(ChosenPages(Seams.Host.PrintJobs[0]).First, 1);
  EXPECT_EQ(ChosenPages(Seams.Host.PrintJobs[0]).Last, 3);
  Choose(3, 3, false);
  DoPrint();
  ASSERT_EQ(Seams.Host.PrintJobs.size(), 2u);
  EXPECT_EQ(ChosenPages(Seams.Host.PrintJobs[1]).First, 1);
  EXPECT_EQ(ChosenPages(Seams.Host.PrintJobs[1]).Last, 3);
  // Stopping is no failure.
  Seams.Host.PrintResults = {mrCancel};
  DoPrint();
  EXPECT_TRUE(Seams.Host.Messages.empty());
}

TEST_F(PrintCommands, AFailedPrinterIsReportedOnceInTheCurrentLanguage) {
  Document(100);
  const std::vector<uint8_t> before(Doc.DocData, Doc.DocData + Doc.DocSize);
  Choose(1, 1);
  for (int32_t language : {9, 7}) {
    Options.Language = language;
    Seams.Host.Messages.clear();
    Seams.Host.PrintResults = {mrAbort};
    DoPrint();
    ASSERT_EQ(Seams.Host.Messages.size(), 1u);
    EXPECT_EQ(Seams.Host.Messages[0].Text, TxtPrintingFailed());
    EXPECT_EQ(Seams.Host.Messages[0].Type, TMsgDlgType::Error);
    EXPECT_EQ(Seams.Host.Messages[0].Buttons, mbOKOnly);
  }
  EXPECT_NE(TxtPrintingFailed().find("fehlgeschlagen"), std::string::npos);
  // The document is untouched.
  EXPECT_EQ(std::vector<uint8_t>(Doc.DocData, Doc.DocData + Doc.DocSize), before);
  EXPECT_EQ(Doc.DataChangeCount, 0);
}

}  // namespace
