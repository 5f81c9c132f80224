#include "core/Cp1252.h"

namespace {
constexpr char16_t High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                               0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                               0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

char16_t Cp1252ToUnicode(uint8_t b) {
  if (b >= 0x80 && b < 0xA0) return High[b - 0x80];
  return char16_t(b);
}

int UnicodeToCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return int(c);
  for (int i = 0; i < 32; ++i)
    if (High[i] == c) return 0x80 + i;
  return -1;
}

std::u16string Cp1252ToUtf16(const std::string& bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (const char b : bytes) out.push_back(Cp1252ToUnicode(static_cast<unsigned char>(b)));
  return out;
}

std::string Cp1252ToUtf8(const std::string& bytes) {
  std::string out;
  for (const char byte : bytes) {
    const char16_t c = Cp1252ToUnicode(static_cast<unsigned char>(byte));
    if (c < 0x80) {
      out.push_back(char(c));
    } else if (c < 0x800) {
      out.push_back(char(0xC0 | (c >> 6)));
      out.push_back(char(0x80 | (c & 0x3F)));
    } else {
      out.push_back(char(0xE0 | (c >> 12)));
      out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(char(0x80 | (c & 0x3F)));
    }
  }
  return out;
}
