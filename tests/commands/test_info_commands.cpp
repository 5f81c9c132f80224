// The Info/statistic report: every line for small documents in both
// languages, the character column, percentages and bars, and the counts of
// a random document against a plain counting loop.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "commands/InfoCommands.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/EnvState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "fakes/FakeSeams.h"

namespace {

const std::string Block = "\xE2\x96\x88";

std::string Bar(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += Block;
  return s;
}

class InfoCommands : public ::testing::Test {
 protected:
  TSeamFixture Seams;

  void SetDocument(const std::string& bytes, const std::string& marks = "") {
    const int64_t n = int64_t(bytes.size());
    ResizeDocData(n);
    FreshDocMarks(n);
    Doc.DocSize = int32_t(n);
    for (int64_t i = 0; i < n; ++i) {
      Doc.DocData[i] = uint8_t(bytes[size_t(i)]);
      if (size_t(i) < marks.size()) Doc.DocMarks[i] = uint8_t(marks[size_t(i)]);
    }
  }
  // The line of byte value v in the report.
  static const std::string& ByteLine(const std::vector<std::string>& lines, int v) { return lines[size_t(19 + v)]; }
  // The character column of a byte line.
  static std::string CharOf(const std::string& line) { return line.substr(12, line.find("  ", 13) - 12); }
};

TEST_F(InfoCommands, OneByteOf41) {
  SetDocument("A");
  Doc.OpenDialog.FileName = "/tmp/one.bin";
  const std::vector<std::string> lines = InfoStatisticLines();
  ASSERT_EQ(lines.size(), 276u);
  const std::vector<std::string> head = {"",
                                         " File: /tmp/one.bin",
                                         " Modified: No",
                                         " Number of bytes: 1",
                                         "",
                                         "",
                                         " Mark        Count",
                                         "",
                                         " Red:            0",
                                         " Green:          0",
                                         " Blue:           0",
                                         " Cyan:           0",
                                         " Magenta:        0",
                                         " Yellow:         0",
                                         " Unmarked:       1",
                                         "",
                                         "",
                                         " Dec Hex Char       Bin    Count Percent",
                                         ""};
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 19), head);
  EXPECT_EQ(ByteLine(lines, 65), "  65  41    A  01000001        1  100.00%   " + Bar(20));
  EXPECT_EQ(ByteLine(lines, 66), "  66  42    B  01000010        0   0.00%   ");
  EXPECT_EQ(ByteLine(lines, 0), "   0  00       00000000        0   0.00%   ");
  EXPECT_EQ(ByteLine(lines, 255), " 255  FF    \xC3\xBF  11111111        0   0.00%   ");
  for (int v = 0; v < 256; ++v) {
    if (v == 65) continue;
    EXPECT_NE(ByteLine(lines, v).find(" 0.00%   "), std::string::npos) << v;
  }
  EXPECT_EQ(lines.back(), "");
}

TEST_F(InfoCommands, GermanLinesMarksAndModified) {
  Options.Language = 7;
  SetDocument("abcdefgh", std::string("\x01\x02\x03\x04\x05\x06\x06\x00", 8));
  Doc.DataChangeCount = 3;
  const std::vector<std::string> lines = InfoStatisticLines();
  const std::vector<std::string> head = {"",
                                         " Datei: ",
                                         " Geändert: Ja",
                                         " Anzahl Bytes: 8",
                                         "",
                                         "",
                                         " Markierung   Anzahl",
                                         "",
                                         " Rot:              1",
                                         " Grün:             1",
                                         " Blau:             1",
                                         " Cyan:             1",
                                         " Magenta:          1",
                                         " Gelb:             2",
                                         " Unmarkiert:       1",
                                         "",
                                         "",
                                         " Dez Hex Char       Bin   Anzahl Prozent",
                                         ""};
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 19), head);
  EXPECT_EQ(ByteLine(lines, 'a'), "  97  61    a  01100001        1  12.50%   " + Bar(20));
}

TEST_F(InfoCommands, PercentagesAndBars) {
  // Counts 1, 2, 3 of 6 bytes; bars 20 * c / 3 = 6.67 -> 7, 13.3 -> 13, 20.
  SetDocument(std::string("\x01\x02\x02\x03\x03\x03", 6));
  std::vector<std::string> lines = InfoStatisticLines();
  EXPECT_EQ(ByteLine(lines, 1), "   1  01       00000001        1  16.67%   " + Bar(7));
  EXPECT_EQ(ByteLine(lines, 2), "   2  02       00000010        2  33.33%   " + Bar(13));
  EXPECT_EQ(ByteLine(lines, 3), "   3  03       00000011        3  50.00%   " + Bar(20));
  // The system's decimal separator.
  Env.DecimalSeparator = ",";
  lines = InfoStatisticLines();
  EXPECT_EQ(ByteLine(lines, 3).substr(32, 11), "  50,00%   ");
  // Halves of a bar round to even: 20 * 1 / 8 = 2.5 -> 2, 20 * 3 / 8 = 7.5 -> 8.
  EXPECT_EQ(StatisticByteLine(9, 1, 8, 100).substr(43), Bar(2));
  EXPECT_EQ(StatisticByteLine(9, 3, 8, 100).substr(43), Bar(8));
  EXPECT_EQ(StatisticByteLine(9, 5, 8, 100).substr(43), Bar(12));
  // Counts wider than the column are not cut.
  EXPECT_EQ(StatisticByteLine(0, 123456789, 123456789, 123456789).substr(23, 10), " 123456789");
}

TEST_F(InfoCommands, CharacterColumn) {
  SetDocument(std::string(1, '\0'));
  Options.NoUnknown = true;
  std::vector<std::string> lines = InfoStatisticLines();
  for (int v : {0, 127, 128, 129, 141, 142, 143, 144, 157, 158, 1, 10, 31})
    EXPECT_EQ(CharOf(ByteLine(lines, v)), " ") << v;
  EXPECT_EQ(CharOf(ByteLine(lines, 130)), "\xE2\x80\x9A");  // single low quotation mark
  EXPECT_EQ(CharOf(ByteLine(lines, 32)), " ");
  EXPECT_EQ(CharOf(ByteLine(lines, 'z')), "z");
  // Shown as they are without the option, except control characters, which
  // would break the line or shift the columns.
  Options.NoUnknown = false;
  lines = InfoStatisticLines();
  EXPECT_EQ(CharOf(ByteLine(lines, 128)), "\xE2\x82\xAC");  // euro sign
  EXPECT_EQ(CharOf(ByteLine(lines, 142)), "\xC5\xBD");      // Z with caron
  for (int v : {0, 9, 10, 13, 127, 129, 141, 143, 144, 157}) EXPECT_EQ(CharOf(ByteLine(lines, v)), " ") << v;
  for (const std::string& line : lines) EXPECT_EQ(line.find_first_of("\t\n\r"), std::string::npos);
}

TEST_F(InfoCommands, RandomDocumentAgainstAPlainCount) {
  std::mt19937 rng(41);
  std::string bytes(150000, '\0'), marks(bytes.size(), '\0');
  for (size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = char(i % 5000 < 3000 ? uint8_t(rng() % 40) : uint8_t(rng()));
    marks[i] = char(i % 7000 < 4000 ? 0 : rng() % 7);
  }
  SetDocument(bytes, marks);
  uint64_t count[256] = {}, markCount[7] = {}, max = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    ++count[uint8_t(bytes[i])];
    ++markCount[uint8_t(marks[i])];
  }
  for (uint64_t c : count) max = std::max(max, c);
  const std::vector<std::string> lines = InfoStatisticLines();
  for (int m = 1; m <= 6; ++m) EXPECT_EQ(lines[size_t(7 + m)].substr(10), PadNumber(int64_t(markCount[m]), 8, false));
  EXPECT_EQ(lines[14].substr(10), PadNumber(int64_t(markCount[0]), 8, false));
  for (int v = 0; v < 256; ++v)
    EXPECT_EQ(ByteLine(lines, v), StatisticByteLine(uint8_t(v), count[v], max, Doc.DocSize)) << v;
}

TEST_F(InfoCommands, TheCommandShowsTheReport) {
  FileInfoStatistikMainMenuItemClick();
  EXPECT_TRUE(Seams.Host.InfoDialogLines.empty());  // nothing for an empty document
  SetDocument("xyz");
  FileInfoStatistikMainMenuItemClick();
  ASSERT_EQ(Seams.Host.InfoDialogLines.size(), 1u);
  EXPECT_EQ(Seams.Host.InfoDialogLines[0], InfoStatisticLines());
  EXPECT_GE(Seams.View.MenuRefreshes, 1);
}

TEST_F(InfoCommands, CopiedText) {
  const std::vector<std::string> lines = {"a", "", "c", "d"};
  EXPECT_EQ(InfoStatisticCopyText(lines, {}), "a\n\nc\nd\n");
  EXPECT_EQ(InfoStatisticCopyText(lines, {3, 0, 3}), "a\nd\n");
  EXPECT_EQ(InfoStatisticCopyText(lines, {9, -1, 2}), "c\n");
}

}  // namespace
