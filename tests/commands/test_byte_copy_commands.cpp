// Copying a range out as raw bytes or text and pasting clipboard bytes in:
// what reaches the clipboard, which reading a paste used, one undo step that
// takes exactly the pasted bytes back, and the refusals that change nothing.
#include <gtest/gtest.h>

#include <cstring>

#include "actions/Actions.h"
#include "commands/ByteCopyCommands.h"
#include "commands/ChecksumCommands.h"
#include "commands/EditCommands.h"
#include "core/Cursor.h"
#include "core/Digests.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "fakes/FakeSeams.h"

namespace {

using Bytes = std::vector<uint8_t>;

class ByteCopyCommands : public ::testing::Test {
 protected:
  TSeamFixture Seams;
  void Document(const Bytes& bytes) {
    Doc.DocSize = int32_t(bytes.size());
    ResizeDocData(Doc.DocSize);
    FreshDocMarks(Doc.DocSize);
    if (!bytes.empty()) std::memcpy(Doc.DocData, bytes.data(), bytes.size());
    Seams.View.RequestLayout();
    MoveCursor(0, 0, false);
  }
  Bytes Data() const { return Bytes(Doc.DocData, Doc.DocData + Doc.DocSize); }
};

TEST_F(ByteCopyCommands, ARangeGoesOutInTheChosenFormat) {
  Document({0x41, 0x42, 0x43, 0x00, 0xFF});
  const struct {
    int Format;
    const char* Text;
    bool Raw;
  } cases[] = {{0, "BC\0", true}, {1, "42 43 00", false}, {3, "unsigned char data[3] = { 0x42, 0x43, 0x00 };", false}};
  for (const auto& c : cases) {
    Seams.Host.CopyStart = 1, Seams.Host.CopyCount = 3, Seams.Host.CopyFormatChosen = c.Format;
    CopyBytesAsMenuItemClick();
    EXPECT_EQ(Seams.Host.Copied, std::string(c.Text, c.Raw ? 3 : std::strlen(c.Text)));
    EXPECT_EQ(Seams.Host.CopiedRaw, c.Raw);
    EXPECT_EQ(Options.CopyFormat, c.Format);
  }
  EXPECT_EQ(Seams.View.Notices.back(), "3 bytes copied");
  Seams.Host.CopyCount = 0;  // Cancel
  Seams.Host.Copied.clear();
  CopyBytesAsMenuItemClick();
  EXPECT_TRUE(Seams.Host.Copied.empty());
}

TEST_F(ByteCopyCommands, PastedBytesAreOneUndoStepAtTheCursor) {
  const Bytes start = {1, 2, 3};
  const struct {
    TPasteSource From;
    Bytes Inserted;
    const char* Notice;
  } cases[] = {
      {{true, {0x00, 0x7F}, "ignored"}, {0x00, 0x7F}, "2 bytes from raw bytes"},
      {{false, {}, "DE AD be ef"}, {0xDE, 0xAD, 0xBE, 0xEF}, "4 bytes from hex text"},
      {{false, {}, "hello!"}, {'h', 'e', 'l', 'l', 'o', '!'}, "6 bytes from text"},
  };
  for (const auto& c : cases) {
    Document(start);
    MoveCursor(2, 0, false);  // byte 1
    Seams.Host.PasteFrom = c.From;
    PasteBytesMenuItemClick();
    Bytes expected = start;
    expected.insert(expected.begin() + 1, c.Inserted.begin(), c.Inserted.end());
    EXPECT_EQ(Data(), expected) << c.Notice;
    EXPECT_EQ(CursorOffset(), 1);
    EXPECT_EQ(Seams.View.Notices.back(), c.Notice);
    EXPECT_EQ(ActionList().UndoName(), "(Paste bytes)");
    EditUndoMainMenuItemClick();
    EXPECT_EQ(Data(), start);
  }
  // Over the bytes there, never past the end.
  Document(start);
  MoveCursor(2, 0, false);
  Seams.Host.PasteFrom = {false, {}, "AA BB CC DD"};
  PasteBytesOverMenuItemClick();
  EXPECT_EQ(Data(), (Bytes{1, 0xAA, 0xBB}));
  EditUndoMainMenuItemClick();
  EXPECT_EQ(Data(), start);
  // Nothing to paste: a beep, no change, no history.
  Seams.Host.PasteFrom = {};
  PasteBytesMenuItemClick();
  PasteBytesOverMenuItemClick();
  EXPECT_EQ(Seams.Host.BeepReasons,
            (std::vector<TBeepReason>{TBeepReason::NothingToPaste, TBeepReason::NothingToPaste}));
  EXPECT_EQ(Data(), start);
}

}  // namespace

// Checksums hands the window the chosen range of the document itself and
// remembers the algorithms; Cancel remembers nothing, and Stop says so.
TEST_F(ByteCopyCommands, ChecksumsTakeTheChosenRangeAndRememberTheAlgorithms) {
  Document({1, 2, 3, 4, 5, 6});
  Options.ChecksumKinds = -1;  // a damaged setting proposes only what exists
  ChecksumsMenuItemClick();
  EXPECT_EQ(Seams.Host.ChecksumKindsProposed, AllDigestKinds);
  EXPECT_TRUE(Seams.Host.ChecksumJobs.empty());
  EXPECT_EQ(Options.ChecksumKinds, -1);

  Doc.OpenDialog.FileName = "/tmp/dir/image.bin";
  Seams.Host.ChecksumStart = 2, Seams.Host.ChecksumCount = 3;
  Seams.Host.ChecksumKindsChosen = DigestBit(TDigestKind::Md5);
  ChecksumsMenuItemClick();
  ASSERT_EQ(Seams.Host.ChecksumJobs.size(), 1u);
  const TChecksumJob& job = Seams.Host.ChecksumJobs[0];
  EXPECT_EQ(job.Data, Doc.DocData + 2);
  EXPECT_EQ(job.Count, 3);
  EXPECT_EQ(job.Name, "image.bin");
  EXPECT_EQ(Options.ChecksumKinds, int32_t(DigestBit(TDigestKind::Md5)));
  EXPECT_TRUE(Seams.View.Notices.empty());

  Doc.OpenDialog.FileName.clear();
  Seams.Host.ChecksumAnswer = mrCancel;
  Seams.Host.ChecksumCount = 5;  // past the end: refused
  ChecksumsMenuItemClick();
  EXPECT_EQ(Seams.Host.ChecksumJobs.size(), 1u);
  Seams.Host.ChecksumCount = 4;
  ChecksumsMenuItemClick();
  ASSERT_EQ(Seams.Host.ChecksumJobs.size(), 2u);
  EXPECT_EQ(Seams.Host.ChecksumJobs[1].Name, "-");
  EXPECT_EQ(Seams.View.Notices, std::vector<std::string>{"Checksums stopped"});
}
