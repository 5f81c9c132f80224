#include "core/StatusBar.h"

#include <algorithm>
#include <cstdlib>

#include "core/Cp1252.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/DocState.h"
#include "core/GridState.h"
#include "core/Helpers.h"
#include "core/OptionsState.h"
#include "core/Seams.h"
#include "core/Texts.h"

namespace {
bool Displayable(uint8_t b) { return (b >= 32 && b <= 126) || b == 145 || b == 146 || b >= 161; }
}  // namespace

std::string PositionTextOf(int32_t offset) {
  return "Pos: " + std::to_string(offset) + " $" + HexUpper(uint32_t(offset));
}

std::string ValueTextOf(uint8_t b, bool german) {
  std::string s =
      std::string(german ? "Wert:" : "Val:") + " " + std::to_string(b) + " $" + Hex2(b) + " " + BinaryString(b, 8);
  if (Displayable(b)) s += " \"" + Cp1252ToUtf8(std::string(1, char(b))) + "\"";
  return s;
}

std::string DistanceTextOf(int64_t d) {
  char hex[32];
  std::snprintf(hex, sizeof hex, "%llX", static_cast<unsigned long long>(std::llabs(d)));
  return "Dist: " + std::to_string(d) + " " + (d < 0 ? "-$" : "$") + hex;
}

std::string PositionPanelText() {
  if (Doc.DocSize <= 0) return "";
  return PositionTextOf(CursorOffset());
}

std::string ValuePanelText() {
  if (Doc.DocSize <= 0) return "";
  const int32_t o = CursorOffset();
  if (o < 0 || o >= Doc.DocSize) return "";
  return ValueTextOf(Doc.DocData[o], German());
}

std::string DistancePanelText() {
  if (Doc.DocSize == 0 || Cursor.MouseX < 0 || Cursor.MouseY < 0) return "";
  const TCell cell = PixelToCell(Cursor.MouseX, Cursor.MouseY);
  return DistanceTextOf(int64_t(CellOffset(cell.Col, cell.Row)) - CursorOffset());
}

int64_t PanelNumberBound() {
  // The pointer may rest on a cell beyond the document's end, anywhere in
  // the rows on screen.
  const int64_t beyond = int64_t(Grid.BytesPerRow) * (int64_t(Grid.VisibleRows) + 1);
  return std::min<int64_t>(2147483646, int64_t(Doc.DocSize) + beyond);
}

std::vector<std::string> LongestPanelTexts(int panel, int64_t bound) {
  const int32_t last = int32_t(std::clamp<int64_t>(bound, 0, 2147483646));
  switch (panel) {
    case 0: return {PositionTextOf(last)};
    case 1: {
      std::vector<std::string> texts;
      for (int b = 0; b < 256; ++b)
        for (bool german : {false, true}) texts.push_back(ValueTextOf(uint8_t(b), german));
      return texts;
    }
    default: {
      // Long loops show their percentage here too, and a beep its reason.
      std::vector<std::string> texts = AllBeepReasonTexts();
      for (const std::string& t : {DistanceTextOf(-int64_t(last)), DistanceTextOf(last), std::string("100%")})
        texts.push_back(t);
      for (bool german : {false, true})
        for (bool saving : {false, true}) texts.push_back(TxtWorkPercent(saving, 100, german));
      return texts;
    }
  }
}

void UpdateDistancePanel() { View().SetStatusPanel(2, DistancePanelText()); }

void UpdateStatusBar() {
  View().SetStatusPanel(0, PositionPanelText());
  View().SetStatusPanel(1, ValuePanelText());
  UpdateDistancePanel();
}
