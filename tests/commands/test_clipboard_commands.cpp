// Open clipboard through a scripted clipboard: the lines of the dialog, the
// load and how it ends, and every way the choice can fail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/Actions.h"
#include "commands/ClipboardCommands.h"
#include "commands/FileCommands.h"
#include "commands/UiState.h"
#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "core/Texts.h"
#include "fakes/FakeSeams.h"

namespace {

std::string DocumentBytes() { return std::string(reinterpret_cast<char*>(Doc.DocData), size_t(Doc.DocSize)); }

TEST(ClipboardLines, ColumnsNamesAndPredefinedIdentifiers) {
  // Plain text of 12 bytes under its predefined identifier.
  EXPECT_EQ(ClipboardFormatLine(1, 12, ""), "         1 $00000001         12 $0000000C (CF_TEXT)");
  // A MIME type as the registered name.
  EXPECT_EQ(ClipboardFormatLine(0xC000, 3, "text/plain"), "     49152 $0000C000          3 $00000003 \"text/plain\"");
  // Neither a name nor a predefined identifier: only the numbers.
  EXPECT_EQ(ClipboardFormatLine(18, 0, ""), "        18 $00000012          0 $00000000");
  EXPECT_EQ(ClipboardFormatLine(1024, 70000, ""), "      1024 $00000400      70000 $00011170");
  // Both a name and a symbolic name, and the ends of the two ranges.
  EXPECT_EQ(ClipboardFormatLine(13, 8, "x").substr(42), "\"x\" (CF_UNICODETEXT)");
  for (uint32_t id : {512u, 767u})
    EXPECT_EQ(ClipboardFormatLine(id, 0, "").substr(42), "(CF_PRIVATEFIRST..CF_PRIVATELAST)");
  for (uint32_t id : {768u, 1023u})
    EXPECT_EQ(ClipboardFormatLine(id, 0, "").substr(42), "(CF_GDIOBJFIRST..CF_GDIOBJLAST)");
  EXPECT_EQ(ClipboardFormatLine(142, 0, "").substr(42), "(CF_DSPENHMETAFILE)");
  // Sizes beyond ten places widen the line.
  EXPECT_EQ(ClipboardFormatLine(5, 12345678901, ""), "         5 $00000005 12345678901 $2DFDC1C35 (CF_DIF)");

  EXPECT_EQ(ClipboardLineId(ClipboardFormatLine(49153, 7, "a$b")), "49153");
  EXPECT_EQ(ClipboardLineId("no dollar"), "no dollar");
  EXPECT_EQ(ClipboardLineId("   $"), "");
}

class ClipboardCommands : public ::testing::Test {
 protected:
  TSeamFixture Seams;
  TFakeHost& Host = Seams.Host;

  void SetDocument(const std::string& bytes, uint8_t mark = 0) {
    const int64_t n = int64_t(bytes.size());
    ResizeDocData(n);
    FreshDocMarks(n);
    Doc.DocSize = int32_t(n);
    Doc.DataChangeCount = 0;
    for (int64_t i = 0; i < n; ++i) {
      Doc.DocData[i] = uint8_t(bytes[size_t(i)]);
      Doc.DocMarks[i] = mark;
    }
    Doc.OpenDialog.FileName = Doc.SaveDialog.FileName = "/tmp/old.bin";
    View().RequestLayout();
  }
  void Modify() {
    Doc.DocData[0] ^= 0xFF;
    ++Doc.DataChangeCount;
  }
};

TEST_F(ClipboardCommands, LoadsTheChosenFormatAsAnUntitledDocument) {
  SetDocument("old bytes", 2);
  Cursor.CursorCol = 5;
  Host.Clipboard = {{"text/plain", "abc"}, {"application/octet-stream", std::string("\x00\xFF\x10", 3)}};
  Host.ClipboardChoice = 1;
  LoadFromClipboardMainMenuItemClick();
  ASSERT_EQ(Host.ClipboardDialogLines.size(), 1u);
  EXPECT_EQ(Host.ClipboardDialogLines[0],
            (std::vector<std::string>{"     49152 $0000C000          3 $00000003 \"text/plain\"",
                                      "     49153 $0000C001          3 $00000003 \"application/octet-stream\""}));
  EXPECT_EQ(DocumentBytes(), std::string("\x00\xFF\x10", 3));
  EXPECT_EQ(Doc.DataChangeCount, 0);
  EXPECT_EQ(DocFileName(), "");
  EXPECT_EQ(Seams.View.Caption, "Brisquentalovard");
  EXPECT_EQ(CursorOffset(), 0);
  EXPECT_FALSE(ActionList().CanUndo());
  EXPECT_EQ(Seams.View.Layouts, 2);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Doc.DocMarks[i], 0) << i;  // marks cleared
  EXPECT_TRUE(Host.Messages.empty());
  // Nothing was modified, so no question; Save asks for a name.
  DoSave();
  ASSERT_EQ(Host.FileDialogTitles.size(), 1u);
  EXPECT_EQ(Host.FileDialogTitles[0], Doc.SaveDialog.Title);
}

TEST_F(ClipboardCommands, KeepMarksOnLoadKeepsThemForTheOverlap) {
  SetDocument("ab", 3);
  Options.KeepMarksOnLoad = true;
  Host.Clipboard = {{"text/plain", "wxyz"}};
  LoadFromClipboardMainMenuItemClick();
  EXPECT_EQ(DocumentBytes(), "wxyz");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(Doc.DocMarks), 4), std::string("\x03\x03\x00\x00", 4));
}

TEST_F(ClipboardCommands, CancelAndAnEmptyClipboardChangeNothing) {
  SetDocument("keep");
  LoadFromClipboardMainMenuItemClick();  // nothing on the clipboard: no dialog
  EXPECT_TRUE(Host.ClipboardDialogLines.empty());
  Host.Clipboard = {{"text/plain", "abc"}};
  Host.ClipboardAnswer = mrCancel;
  LoadFromClipboardMainMenuItemClick();
  EXPECT_EQ(Host.ClipboardDialogLines.size(), 1u);
  EXPECT_EQ(DocumentBytes(), "keep");
  EXPECT_EQ(DocFileName(), "/tmp/old.bin");
  EXPECT_EQ(Host.ClipboardReads, 0);
}

TEST_F(ClipboardCommands, TheUnsavedChangesQuestionComesFirst) {
  SetDocument("keep");
  Modify();
  Host.Clipboard = {{"text/plain", "abc"}};
  Host.Answers = {mrCancel};
  LoadFromClipboardMainMenuItemClick();
  ASSERT_EQ(Host.Messages.size(), 1u);
  EXPECT_EQ(Host.Messages[0].Type, TMsgDlgType::Confirmation);
  EXPECT_EQ(Doc.DataChangeCount, 1);
  EXPECT_EQ(Host.ClipboardReads, 0);
  // No: the changes are dropped and the clipboard loaded.
  Host.Answers = {mrNo};
  LoadFromClipboardMainMenuItemClick();
  EXPECT_EQ(DocumentBytes(), "abc");
  EXPECT_EQ(Doc.DataChangeCount, 0);
}

TEST_F(ClipboardCommands, AFormatGoneWhileTheDialogShowedIsNotLoaded) {
  for (int language : {9, 7}) {
    Options.Language = language;
    // Emptied, replaced by another type at the same place, or moved down.
    const std::vector<std::vector<TFakeHost::TFakeFormat>> changes = {
        {}, {{"text/html", "<b>"}}, {{"text/html", "<b>"}, {"text/plain", "abc"}}};
    for (const auto& change : changes) {
      SetDocument("keep");
      Modify();
      Host.Messages.clear();
      Host.Answers = {mrNo};
      Host.Clipboard = {{"text/plain", "abc"}};
      Host.ClipboardDialogInput = [&] { Host.Clipboard = change; };
      LoadFromClipboardMainMenuItemClick();
      ASSERT_EQ(Host.Messages.size(), 2u);
      EXPECT_EQ(Host.Messages[1].Text, TxtClipboardFormatGone());
      EXPECT_EQ(Host.Messages[1].Type, TMsgDlgType::Error);
      EXPECT_EQ(Host.Messages[1].Buttons, mbOKOnly);
      EXPECT_EQ(DocumentBytes(), std::string("\x94"
                                             "eep"));
      EXPECT_EQ(Doc.DataChangeCount, 1);
      EXPECT_EQ(DocFileName(), "/tmp/old.bin");
    }
  }
  EXPECT_EQ(TxtClipboardFormatGone(), "Zwischenablagenformat ist nicht mehr verfügbar!");
  Options.Language = 9;
  EXPECT_EQ(TxtClipboardFormatGone(), "Clipboard-format is not any more available!");
  EXPECT_EQ(Host.ClipboardReads, 0);
}

TEST_F(ClipboardCommands, AFormatTooLargeForADocumentIsRefused) {
  SetDocument("keep");
  Modify();
  Host.Clipboard = {{"image/png", "", int64_t(INT32_MAX) + 1}};
  LoadFromClipboardMainMenuItemClick();
  ASSERT_EQ(Host.Messages.size(), 1u);  // no question first
  EXPECT_EQ(Host.Messages[0].Text, TxtReadingFailed("\"image/png\""));
  EXPECT_EQ(Host.Messages[0].Type, TMsgDlgType::Error);
  EXPECT_EQ(Doc.DocSize, 4);
  EXPECT_EQ(Doc.DataChangeCount, 1);
  // Grown past the limit after the listing: refused when read.
  Host.Messages.clear();
  Host.Clipboard = {{"image/png", "small"}};
  Host.ClipboardDialogInput = [&] { Host.Clipboard[0].Size = int64_t(INT32_MAX) + 1; };
  Host.Answers = {mrNo};
  LoadFromClipboardMainMenuItemClick();
  ASSERT_EQ(Host.Messages.size(), 2u);
  EXPECT_EQ(Host.Messages[1].Text, TxtReadingFailed("\"image/png\""));
  EXPECT_EQ(Doc.DocSize, 4);
  EXPECT_EQ(DocFileName(), "/tmp/old.bin");
}

TEST_F(ClipboardCommands, AnEmptyFormatAndAFailedCopyGiveAnEmptyDocument) {
  SetDocument("keep");
  Host.Clipboard = {{"application/x-empty", ""}};
  LoadFromClipboardMainMenuItemClick();
  EXPECT_EQ(Doc.DocSize, 0);
  EXPECT_EQ(Doc.DocData, nullptr);
  EXPECT_TRUE(Host.Messages.empty());
  EXPECT_EQ(Seams.View.Caption, "Brisquentalovard");

  // Out of memory: an empty document, and the user is told.
  SetDocument("keep");
  Host.Clipboard = {{"text/plain", std::string(100000, 'x')}};
  AllocationFailureHook = [](size_t bytes) { return bytes >= 100000; };
  LoadFromClipboardMainMenuItemClick();
  AllocationFailureHook = nullptr;
  EXPECT_EQ(Doc.DocSize, 0);
  EXPECT_EQ(Doc.DocData, nullptr);
  EXPECT_EQ(DocFileName(), "");
  ASSERT_EQ(Host.Messages.size(), 1u);
  EXPECT_EQ(Host.Messages[0].Text, TxtNotEnoughMemory());
}

TEST_F(ClipboardCommands, TheMenuItemFollowsTheClipboard) {
  UpdateMenus();
  EXPECT_FALSE(Seams.View.Menus.Enabled["LoadFromClipboardMainMenuItem"]);
  Host.Clipboard = {{"text/plain", ""}};
  UpdateMenus();
  EXPECT_TRUE(Seams.View.Menus.Enabled["LoadFromClipboardMainMenuItem"]);
}

}  // namespace
