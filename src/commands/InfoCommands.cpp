#include "commands/InfoCommands.h"

#include <algorithm>

#include "commands/UiState.h"
#include "core/ByteHistogram.h"
#include "core/Cp1252.h"
#include "core/DocState.h"
#include "core/Helpers.h"
#include "core/Progress.h"
#include "core/Seams.h"
#include "core/Texts.h"

namespace {

// The bar is drawn with a full block: the character the report was made
// for (code 127) has no glyph in the fonts here.
const char* const BarChar = "\xE2\x96\x88";  // U+2588
constexpr uint64_t BarLength = 20;

// The character column. Control characters (a line feed, a tab, DEL, the C1
// codes the code page leaves unassigned) are shown as a blank: raw, they
// would break the line or shift the columns behind them.
std::string CharColumn(uint8_t v) {
  const uint8_t c = DisplayChar(v, true);
  const char16_t u = Cp1252ToUnicode(c);
  if (u < 32 || (u >= 127 && u < 160)) return " ";
  return Cp1252ToUtf8(std::string(1, char(c)));
}

// count * 20 / maxCount rounded to the nearest whole number, halves to even.
uint64_t BarChars(uint64_t count, uint64_t maxCount) {
  if (maxCount == 0) return 0;
  const uint64_t scaled = count * BarLength;
  uint64_t k = scaled / maxCount;
  const uint64_t twice = 2 * (scaled % maxCount);
  if (twice > maxCount || (twice == maxCount && k % 2 == 1)) ++k;
  return k;
}

}  // namespace

std::string StatisticByteLine(uint8_t v, uint64_t count, uint64_t maxCount, int32_t size) {
  const double percent = size > 0 ? double(count) / double(size) * 100.0 : 0.0;
  std::string line = " " + PadNumber(v, 3, false) + "  " + Hex2(v) + "    " + CharColumn(v) + "  " +
                     BinaryString(v, 8) + " " + PadNumber(int64_t(count), 8, false) + "  " + FormatFloat2(percent, 5) +
                     "%" + "   ";
  const uint64_t bar = BarChars(count, maxCount);
  for (uint64_t i = 0; i < bar; ++i) line += BarChar;
  return line;
}

std::vector<std::string> InfoStatisticLines() {
  std::vector<std::string> lines;
  if (Doc.DocSize <= 0 || !Doc.DocData || !Doc.DocMarks) return lines;
  const TDocumentCounts counts = CountDocument(Doc.DocData, Doc.DocMarks, size_t(Doc.DocSize));
  const bool modified = Doc.DataChangeCount != 0;
  const auto markLine = [&](const char* english, const char* german, int mark) {
    return std::string(Tr(english, german)) + PadNumber(int64_t(counts.Marks[mark]), 8, false);
  };
  lines = {"",
           Tr(" File: ", " Datei: ") + DocFileName(),
           std::string(Tr(" Modified: ", " Geändert: ")) + (modified ? Tr("Yes", "Ja") : Tr("No", "Nein")),
           Tr(" Number of bytes: ", " Anzahl Bytes: ") + std::to_string(Doc.DocSize),
           "",
           "",
           Tr(" Mark        Count", " Markierung   Anzahl"),
           "",
           markLine(" Red:     ", " Rot:       ", 1),
           markLine(" Green:   ", " Grün:      ", 2),
           markLine(" Blue:    ", " Blau:      ", 3),
           markLine(" Cyan:    ", " Cyan:      ", 4),
           markLine(" Magenta: ", " Magenta:   ", 5),
           markLine(" Yellow:  ", " Gelb:      ", 6),
           markLine(" Unmarked:", " Unmarkiert:", 0),
           "",
           "",
           Tr(" Dec Hex Char       Bin    Count Percent", " Dez Hex Char       Bin   Anzahl Prozent"),
           ""};
  uint64_t maxCount = 0;
  for (uint64_t c : counts.Bytes) maxCount = c > maxCount ? c : maxCount;
  for (int v = 0; v < 256; ++v) lines.push_back(StatisticByteLine(uint8_t(v), counts.Bytes[v], maxCount, Doc.DocSize));
  lines.push_back("");
  return lines;
}

std::string InfoStatisticCopyText(const std::vector<std::string>& lines, std::vector<int> selected) {
  std::sort(selected.begin(), selected.end());
  selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
  std::string text;
  if (selected.empty()) {
    for (const std::string& line : lines) text += line + "\n";
  } else {
    for (int i : selected)
      if (i >= 0 && size_t(i) < lines.size()) text += lines[size_t(i)] + "\n";
  }
  return text;
}

void FileInfoStatistikMainMenuItemClick() {
  std::vector<std::string> lines;
  {
    // Counting a large document takes a moment.
    const TBusy busy;
    lines = InfoStatisticLines();
  }
  if (!lines.empty()) Host().ShowInfoStatisticDialog(lines);
  UpdateMenus();
}
