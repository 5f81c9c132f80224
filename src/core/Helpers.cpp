#include "core/Helpers.h"
#include "core/CursorState.h"
#include "core/EnvState.h"
#include "core/GridState.h"
#include "core/OptionsState.h"
#include "core/Rgb.h"

#include <cmath>
#include <cstdio>

int32_t CellOffset(int32_t col, int32_t row) {
  // 64-bit intermediate: row * BytesPerRow of the last row of a 2^31 - 1
  // byte document fits, but a clamped-away row might not.
  int64_t offset;
  if (InCharArea(col))
    offset = int64_t(col) - int64_t(Grid.BytesPerRow) * Grid.DigitsPerByte + int64_t(row) * Grid.BytesPerRow;
  else
    offset = col / Grid.DigitsPerByte + int64_t(row) * Grid.BytesPerRow;
  if (offset > INT32_MAX) return INT32_MAX;
  if (offset < INT32_MIN) return INT32_MIN;
  return int32_t(offset);
}

int32_t CursorOffset() { return CellOffset(Cursor.CursorCol, Cursor.CursorRow); }

uint8_t DisplayChar(uint8_t b, bool blankZero) {
  if (b == 0 && blankZero) return ' ';
  if (!Options.NoUnknown) return b;
  if ((b >= 32 && b <= 126) || (b >= 130 && b <= 140) || (b >= 145 && b <= 156) || b >= 159) return b;
  return ' ';
}

std::string PadNumber(int64_t n, int width, bool zeros) {
  std::string s = std::to_string(n);
  if (int(s.size()) < width) s.insert(0, size_t(width) - s.size(), zeros ? '0' : ' ');
  return s;
}

std::string BinaryString(uint32_t v, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) {
    s.insert(s.begin(), char('0' + (v % 2)));
    v /= 2;
  }
  return s;
}

std::string FormatFloat2(double x, int width) {
  // Round to hundredths (halves to even), add 0.001 so that the shortest text
  // always has three decimals, then drop the last one.
  const double rounded = std::nearbyint(x * 100.0) / 100.0 + 0.001;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.3f", rounded);
  std::string s(buf);
  s.pop_back();
  const auto dot = s.find('.');
  if (dot != std::string::npos) s.replace(dot, 1, Env.DecimalSeparator);
  if (int(s.size()) < width) s.insert(0, size_t(width) - s.size(), ' ');
  return s;
}

std::string HexUpper(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%X", v);
  return buf;
}

std::string Hex2(uint8_t b) {
  static const char digits[] = "0123456789ABCDEF";
  return {digits[b >> 4], digits[b & 15]};
}

namespace {
constexpr TRgb MarkColors[7] = {{255, 255, 255}, {255, 0, 0},   {0, 255, 0},  {0, 0, 255},
                                {0, 255, 255},   {255, 0, 255}, {255, 255, 0}};
constexpr TRgb EchoColors[7] = {{128, 128, 128}, {128, 0, 0},   {0, 128, 0},  {0, 0, 128},
                                {0, 128, 128},   {128, 0, 128}, {128, 128, 0}};
}  // namespace

TRgb MarkColor(uint8_t m) {
  const uint8_t c = m & 0x7F;
  return c < 7 ? MarkColors[c] : MarkColors[0];
}

TRgb MarkEchoColor(uint8_t m) {
  const uint8_t c = m & 0x7F;
  return c < 7 ? EchoColors[c] : EchoColors[0];
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  throw EConvertError("Invalid Hex-Digit!");
}
