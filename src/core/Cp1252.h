// The single-byte code page of the program: Windows-1252. Bytes 0x00-0x7F and
// 0xA0-0xFF are Latin-1; 0x80-0x9F follow the Windows table.
#pragma once

#include <cstdint>
#include <string>

// The Unicode character of byte b (the five unassigned bytes map to their
// C1 control code points, as the system's conversion does).
char16_t Cp1252ToUnicode(uint8_t b);

// The byte of a Unicode character, or -1 when the code page has none.
int UnicodeToCp1252(char32_t c);

// A byte string decoded into UTF-16 / UTF-8.
std::u16string Cp1252ToUtf16(const std::string& bytes);
std::string Cp1252ToUtf8(const std::string& bytes);
