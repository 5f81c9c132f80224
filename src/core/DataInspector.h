// The data inspector's model: the bytes from the cursor onward read as one of
// several types, and a typed value turned back into the bytes it stands for.
// The window shows one row per type; it asks InspectValue for the text,
// InspectSize for how many bytes the row covers, and InspectParse when the user
// types a new value. Nothing here keeps state: the format travels with every
// call, so the window can show the same bytes in both byte orders at once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class TInspectType {
  Int8,
  UInt8,
  Int16,
  UInt16,
  Int32,
  UInt32,
  Int64,
  UInt64,
  Float32,
  Float64,
  Utf8,
  Utf16,
  Cp1252,
  UnixTime32,
  UnixTime64,
  DosDateTime,
  Binary,
  Octal,
  Count
};

struct TInspectFormat {
  bool BigEndian = false;
  bool Hex = false;             // integers in hex (the grid's mode)
  bool German = false;          // language of the words ("invalid" / "ungültig")
  char DecimalSeparator = '.';  // of floats on display; parsing accepts '.' and this one
};

// The row's name: "int8", "uint8", ..., "float32", "float64", "UTF-8", "UTF-16",
// "Windows-1252", "Unix time (32 bit)" / "Unix-Zeit (32 Bit)", "Unix time (64 bit)" / "Unix-Zeit (64 Bit)",
// "DOS date and time" / "DOS-Datum und -Zeit", "Binary" / "Binär", "Octal" / "Oktal".
const char* InspectTypeName(TInspectType type, bool german);

// How many bytes the type reads at bytes (available of them): the fixed size, or for
// UTF-8 / UTF-16 the length of the sequence that starts there (1..4 / 2 or 4; an invalid
// start counts as 1 / 2). 0 when fewer than needed are available.
// A sequence cut short by the end of the data is invalid, not missing: it counts as
// 1 / 2 and shows "invalid". So InspectSize is 0 exactly when InspectValue shows "—".
// UTF-16 is read in little-endian order here; the form below follows the format's.
int InspectSize(TInspectType type, const uint8_t* bytes, int64_t available);
// The same in the format's byte order, which decides whether UTF-16's first unit
// opens a surrogate pair (00 D8 00 DC is one character one way round, two the other).
int InspectSize(TInspectType type, const uint8_t* bytes, int64_t available, const TInspectFormat& f);

// The value text; "—" (U+2014, UTF-8) when fewer bytes than the type needs remain
// (available may be 0; never reads past bytes + available).
std::string InspectValue(TInspectType type, const uint8_t* bytes, int64_t available, const TInspectFormat& f);

// The bytes a typed text stands for, in the chosen byte order, or nullopt when the text
// does not parse or the value does not fit the type (never truncates).
// Every text InspectValue shows for a valid value parses back to the same bytes
// (a NaN comes back as the quiet NaN).
std::optional<std::vector<uint8_t>> InspectParse(TInspectType type, const std::string& text, const TInspectFormat& f);

// The text shown for an undecodable value, in the format's language.
const char* InspectInvalidText(bool german);
