#include "core/Toolbar.h"

const TToolButton ToolButtons[ToolButtonCount] = {
    {"OpenSB", 32, 24, 10, "FileOpenMainMenuItem"},
    {"SaveSB", 32, 24, 20, "FileSaveMainMenuItem"},
    {"SaveAsSB", 32, 24, 30, "FileSaveAsMainMenuItem"},
    {"PrintSB", 32, 24, 45, "FilePrintMainMenuItem"},
    {"InfoSB", 32, 24, 55, "FileInfoStatistikMainMenuItem"},
    {"FindSB", 32, 24, 70, "FindMainMenuItem"},
    {"FindPreviousSB", 32, 24, 80, "FindPreviousMainMenuItem"},
    {"FindNextSB", 32, 24, 90, "FindNextMainMenuItem"},
    {"ReplaceSB", 32, 24, 100, "ReplaceMainMenuItem"},
    {"FindAndMarkSB", 32, 24, 110, "FindAndMarkMainMenuItem"},
    {"CalcSB", 25, 25, 125, nullptr},
    {"TabSB", 25, 25, 135, nullptr},
    {"HexSpeedButton", 25, 25, 149, "OptionHexMainMenuItem"},
    {"DecSpeedButton", 25, 25, 161, "OptionDecMainMenuItem"},
    {"DezSpeedButton", 25, 25, 161, "OptionDecMainMenuItem"},
};

namespace {

// num / den rounded to nearest, ties to even; den > 0.
int64_t RoundHalfEven(int64_t num, int64_t den) {
  int64_t q = num / den, r = num % den;
  if (r < 0) {
    r += den;
    --q;
  }
  if (2 * r > den || (2 * r == den && (q & 1) != 0)) ++q;
  return q;
}

}  // namespace

TToolButtonPlace ToolButtonPlace(int32_t panelWidth, int32_t panelHeight, const TToolButton& button) {
  // W * k10 / 170 - w / 2 = (2 * W * k10 - 170 * w) / 340.
  const int64_t num = 2 * int64_t(panelWidth) * button.PositionTenths - 170 * int64_t(button.Width);
  return {int32_t(RoundHalfEven(num, 340)), (panelHeight - button.Height) / 2 + 1};
}
