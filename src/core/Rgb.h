// A colour as the platform's system colours and the mark colours give it.
#pragma once

#include <cstdint>

struct TRgb {
  uint8_t R = 0, G = 0, B = 0;
  constexpr bool operator==(const TRgb& o) const { return R == o.R && G == o.G && B == o.B; }
  constexpr bool operator!=(const TRgb& o) const { return !(*this == o); }
};

constexpr TRgb clBlack{0, 0, 0};
constexpr TRgb clWhite{255, 255, 255};
