// Bytes copied out as text, and clipboard text read back as bytes.
//
// The text formats are the ones people paste into code, mails and other
// tools: hex with and without blanks, a C array, Base64 and a C string body.
// Whole documents can be copied (up to MaxCopyText of text), so the writers
// and the hex reader work from tables into buffers that stay in the cache,
// near the speed of copying the text once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class TCopyFormat {
  Raw,        // the bytes themselves
  HexSpaced,  // "41 42 43", 16 bytes a line, lines joined by "\n"
  HexPlain,   // "414243", one line
  CArray,     // "unsigned char data[3] = { 0x41, 0x42, 0x43 };", 12 values a line beyond 12
  Base64,     // standard alphabet, '=' padding, lines of 76 characters joined by "\n"
  Escaped,    // a C string's body without the quotes: printable ASCII as is, \\, \" and \xNN
  Count
};

// The most text a copy may make; larger copies are refused before any
// allocation.
constexpr uint64_t MaxCopyText = uint64_t(256) << 20;

// The size in bytes of the text for n bytes, exact for every format but
// Escaped, whose size depends on the bytes: for it, the most it can be (4n).
// 0 bytes make no text in any format (a C array of none is not valid C, and
// nobody copies nothing). Sizes too large for 64 bits come back as UINT64_MAX.
uint64_t CopyTextSize(TCopyFormat f, uint64_t n);
// The exact size of the text of these bytes, Escaped included.
uint64_t CopyTextSize(TCopyFormat f, const uint8_t* p, size_t n);

// Appends the text of the bytes [p, p + n) to out.
void FormatBytes(TCopyFormat f, const uint8_t* p, size_t n, std::string& out);

// How pasted bytes were read. Raw is for callers that take bytes from the
// clipboard as they stand; ParsePasteText never gives it.
enum class TPasteReading { Raw, Hex, Base64, Utf8Text };

struct TPasteBytes {
  TPasteReading Reading;
  std::vector<uint8_t> Bytes;
};

// Clipboard text as bytes: the values of text that is hex as a whole, else
// the bytes of text that is Base64 as a whole, else the text's own UTF-8
// bytes. nullopt for empty text. Whatever reads as hex is hex: "face" gives
// FA CE and "12" gives 0x12; a word of four letters and digits that is not
// hex ("Test") reads as Base64.
std::optional<TPasteBytes> ParsePasteText(const std::string& utf8);

// Hex: groups of an even number of digits ("DEADBEEF", "DE AD", "DEAD BEEF")
// or one pair with "0x"/"0X", separated by blanks, tabs, line breaks and at
// most one comma between two groups; a comma may end the list. The values
// may stand inside braces, "{ ... }" or a C array declaration such as
// "unsigned char data[3] = { ... };", where each must be written "0xNN",
// since a bare number in C is decimal. nullopt for anything else, including
// text without a single value.
std::optional<std::vector<uint8_t>> ParseHexText(const std::string& text);

// Base64 of the standard alphabet with '=' padding; blanks, tabs and line
// breaks anywhere are skipped. The rest must be whole groups of four, the
// padding only at the end, and the text must be exactly what the bytes encode
// to (no stray bits in the last group). ParsePasteText looks for hex first,
// so text that is both ("DEADBEEF") pastes as hex there.
std::optional<std::vector<uint8_t>> ParseBase64Text(const std::string& text);
