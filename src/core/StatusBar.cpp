#include "core/StatusBar.h"

#include <cstdlib>

#include "core/Cp1252.h"
#include "core/Cursor.h"
#include "core/Globals.h"
#include "core/Helpers.h"
#include "core/Seams.h"

namespace {
bool Displayable(uint8_t b) { return (b >= 32 && b <= 126) || b == 145 || b == 146 || b >= 161; }
}  // namespace

std::string PositionPanelText() {
  if (G.DocSize <= 0) return "";
  const int32_t o = CursorOffset();
  return "Pos: " + std::to_string(o) + " $" + HexUpper(uint32_t(o));
}

std::string ValuePanelText() {
  if (G.DocSize <= 0) return "";
  const int32_t o = CursorOffset();
  if (o < 0 || o >= G.DocSize) return "";
  const uint8_t b = G.DocData[o];
  std::string s = std::string(German() ? "Wert:" : "Val:") + " " + std::to_string(b) + " $" + Hex2(b) + " " +
                  BinaryString(b, 8);
  if (Displayable(b)) s += " \"" + Cp1252ToUtf8(std::string(1, char(b))) + "\"";
  return s;
}

std::string DistancePanelText() {
  if (G.DocSize == 0 || G.MouseX < 0 || G.MouseY < 0) return "";
  const TCell cell = PixelToCell(G.MouseX, G.MouseY);
  const int64_t d = int64_t(CellOffset(cell.Col, cell.Row)) - CursorOffset();
  char hex[32];
  std::snprintf(hex, sizeof hex, "%llX", static_cast<unsigned long long>(std::llabs(d)));
  return "Dist: " + std::to_string(d) + " " + (d < 0 ? "-$" : "$") + hex;
}

void UpdateDistancePanel() { View().SetStatusPanel(2, DistancePanelText()); }

void UpdateStatusBar() {
  View().SetStatusPanel(0, PositionPanelText());
  View().SetStatusPanel(1, ValuePanelText());
  UpdateDistancePanel();
}
