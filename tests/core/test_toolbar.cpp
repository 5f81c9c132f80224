// Where the toolbar buttons sit.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <random>
#include <set>
#include <string>

#include "core/Toolbar.h"
#include "fakes/TestSeed.h"

namespace {

const TToolButton& Button(const std::string& name) {
  for (const TToolButton& b : ToolButtons)
    if (name == b.Name) return b;
  throw std::runtime_error("no button " + name);
}

}  // namespace

TEST(Toolbar, PlacesAtTwoWidths) {
  struct {
    int32_t Width;
    const char* Name;
    int32_t Left, Top;
  } cases[] = {
      // 17 * 32 = 544: every seventeenth is 32 pixels exactly.
      {544, "OpenSB", 16, 7},
      {544, "PrintSB", 128, 7},         // 4.5 * 32 - 16
      {544, "CalcSB", 388, 7},          // 12.5 * 32 - 12.5 = 387.5, tie to even
      {544, "TabSB", 420, 7},           // 13.5 * 32 - 12.5 = 419.5, tie to even
      {544, "HexSpeedButton", 464, 7},  // 476.8 - 12.5 = 464.3
      {544, "DecSpeedButton", 503, 7},  // 515.2 - 12.5 = 502.7
      {544, "DezSpeedButton", 503, 7},
      // A wider panel spreads them further apart.
      {850, "OpenSB", 34, 7},           // 50 - 16
      {850, "FindAndMarkSB", 534, 7},   // 550 - 16
      {850, "CalcSB", 612, 7},          // 625 - 12.5 = 612.5, tie to even
      {850, "TabSB", 662, 7},           // 675 - 12.5 = 662.5, tie to even
      {850, "DecSpeedButton", 792, 7},  // 805 - 12.5 = 792.5, tie to even
  };
  for (const auto& c : cases) {
    const TToolButtonPlace p = ToolButtonPlace(c.Width, SpeedPanelHeight, Button(c.Name));
    EXPECT_EQ(p.Left, c.Left) << c.Name << " at " << c.Width;
    EXPECT_EQ(p.Top, c.Top) << c.Name << " at " << c.Width;
  }
}

// Against the formula in floating point, away from ties (where the
// decimal positions such as 14.9 cannot be exact in binary anyway).
TEST(Toolbar, AgreesWithTheFormulaAtRandomWidths) {
  BQ_SEEDED_RNG(rng, 7);
  ASSERT_EQ(std::fegetround(), FE_TONEAREST);
  for (int i = 0; i < 5000; ++i) {
    const int32_t width = int32_t(rng() % 4000), height = int32_t(rng() % 80);
    for (const TToolButton& b : ToolButtons) {
      const double x = width * (b.PositionTenths / 10.0) / 17 - b.Width * 0.5;
      if (std::fabs(x - std::floor(x) - 0.5) < 1e-6) continue;
      const TToolButtonPlace p = ToolButtonPlace(width, height, b);
      ASSERT_EQ(p.Left, int32_t(std::nearbyint(x))) << b.Name << " at " << width;
      ASSERT_EQ(p.Top, (height - b.Height) / 2 + 1);
    }
  }
}

TEST(Toolbar, FifteenButtonsInOrderAndTheDecimalTwinsShareAPlace) {
  std::set<std::string> names;
  for (const TToolButton& b : ToolButtons) names.insert(b.Name);
  EXPECT_EQ(names.size(), size_t(ToolButtonCount));
  for (int i = 1; i < ToolButtonCount; ++i) EXPECT_LE(ToolButtons[i - 1].PositionTenths, ToolButtons[i].PositionTenths);
  for (int32_t width : {300, 544, 851}) {
    const TToolButtonPlace dec = ToolButtonPlace(width, SpeedPanelHeight, Button("DecSpeedButton"));
    const TToolButtonPlace dez = ToolButtonPlace(width, SpeedPanelHeight, Button("DezSpeedButton"));
    EXPECT_EQ(dec.Left, dez.Left);
    EXPECT_EQ(dec.Top, dez.Top);
  }
}
