// Small routines shared by every part of the program.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/GridState.h"
#include "core/Rgb.h"

inline int32_t Max(int32_t a, int32_t b) { return a > b ? a : b; }
inline int32_t Min(int32_t a, int32_t b) { return a < b ? a : b; }

// Cursor arithmetic on the column encoding: value-area columns are digits,
// character-area columns follow them, one per byte.
inline bool InCharArea(int32_t col) { return col >= Grid.BytesPerRow * Grid.DigitsPerByte; }
int32_t CellOffset(int32_t col, int32_t row);
int32_t CursorOffset();

// The character shown for byte b (a byte of the Windows-1252 code page).
uint8_t DisplayChar(uint8_t b, bool blankZero);

std::string PadNumber(int64_t n, int width, bool zeros);
std::string BinaryString(uint32_t v, int n);
std::string FormatFloat2(double x, int width);
std::string HexUpper(uint32_t v);  // no leading zeros, at least one digit
std::string Hex2(uint8_t b);       // exactly two upper-case digits

TRgb MarkColor(uint8_t m);
TRgb MarkEchoColor(uint8_t m);

class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// 0..15 for a hexadecimal digit; throws EConvertError("Invalid Hex-Digit!").
int HexDigitValue(char c);
