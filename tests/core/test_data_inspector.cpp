// The data inspector's model: known values in every type and both byte orders,
// texts it must refuse, and random values that must survive the trip from
// bytes to text and back.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/DataInspector.h"
#include "fakes/TestSeed.h"

namespace {

using T = TInspectType;

// Formats of the tables: big-endian, hex integers, German, a comma for the decimal point.
constexpr unsigned BE = 1, HEX = 2, DE = 4, COMMA = 8;

TInspectFormat Format(unsigned flags) {
  TInspectFormat f;
  f.BigEndian = flags & BE, f.Hex = flags & HEX, f.German = flags & DE;
  f.DecimalSeparator = flags & COMMA ? ',' : '.';
  return f;
}

std::vector<uint8_t> Bytes(const char* hex) {
  std::vector<uint8_t> out;
  for (const char* p = hex; *p; ++p)
    if (*p != ' ') out.push_back(uint8_t(std::stoul(std::string(p, 2), nullptr, 16))), ++p;
  return out;
}

const std::string Dash = "\xE2\x80\x94";

TEST(DataInspector, ShowsKnownValues) {
  struct {
    T Type;
    unsigned Flags;
    const char* Hex;  // exactly the bytes available, so a read beyond them is caught under ASan
    int Size;
    const char* Text;
  } const cases[] = {
      {T::Int8, 0, "80", 1, "-128"},
      {T::Int8, HEX, "80", 1, "-$80"},
      {T::Int8, HEX, "FF", 1, "-$01"},
      {T::UInt8, 0, "FF", 1, "255"},
      {T::Int16, 0, "00 80", 2, "-32768"},
      {T::Int16, BE, "80 00", 2, "-32768"},
      {T::Int16, HEX, "FF 7F", 2, "$7FFF"},
      {T::Int16, BE | HEX, "FF FE", 2, "-$0002"},
      {T::UInt16, 0, "FE FF", 2, "65534"},
      {T::UInt16, BE | HEX, "FF FE", 2, "$FFFE"},
      {T::Int32, 0, "00 00 00 80", 4, "-2147483648"},
      {T::Int32, BE | HEX, "7F FF FF FF", 4, "$7FFFFFFF"},
      {T::UInt32, 0, "FF FF FF FF", 4, "4294967295"},
      {T::UInt32, BE | HEX, "00 00 00 01", 4, "$00000001"},
      {T::Int64, 0, "00 00 00 00 00 00 00 80", 8, "-9223372036854775808"},
      {T::Int64, BE, "7F FF FF FF FF FF FF FF", 8, "9223372036854775807"},
      {T::UInt64, 0, "FF FF FF FF FF FF FF FF", 8, "18446744073709551615"},
      {T::UInt64, BE | HEX, "00 00 00 00 00 00 00 01", 8, "$0000000000000001"},
      {T::Float32, 0, "00 00 C0 7F", 4, "NaN"},
      {T::Float32, BE, "7F 80 00 00", 4, "Infinity"},
      {T::Float32, BE, "FF 80 00 00", 4, "-Infinity"},
      {T::Float32, BE, "80 00 00 00", 4, "-0"},
      {T::Float32, BE, "00 00 00 01", 4, "1e-45"},
      {T::Float32, BE | COMMA, "3F C0 00 00", 4, "1,5"},
      {T::Float64, BE, "00 00 00 00 00 00 00 01", 8, "5e-324"},
      {T::Float64, BE, "3F B9 99 99 99 99 99 9A", 8, "0.1"},
      {T::Float64, 0, "00 00 00 00 00 00 F0 FF", 8, "-Infinity"},
      {T::Float64, 0, "01 00 00 00 00 00 F8 7F", 8, "NaN"},
      {T::Utf8, 0, "C3 A4", 2, "U+00E4 ä"},
      {T::Utf8, 0, "F0 9F 98 80 41", 4, "U+1F600 😀"},
      {T::Utf8, 0, "0A", 1, "U+000A"},
      {T::Utf8, 0, "E2 80 8B", 3, "U+200B"},
      {T::Utf8, 0, "C0 80", 1, "invalid"},
      {T::Utf8, 0, "80", 1, "invalid"},
      {T::Utf8, DE, "E2 82", 1, "ungültig"},
      {T::Utf8, 0, "ED A0 80", 1, "invalid"},
      {T::Utf8, 0, "F4 90 80 80", 1, "invalid"},
      {T::Utf8, 0, "C3 41", 1, "invalid"},
      {T::Utf16, 0, "E4 00", 2, "U+00E4 ä"},
      {T::Utf16, BE, "D8 3D DE 00", 4, "U+1F600 😀"},
      {T::Utf16, 0, "00 D8 00 DC", 4, "U+10000 𐀀"},
      {T::Utf16, BE, "00 D8 00 DC", 2, "U+00D8 Ø"},
      {T::Utf16, 0, "00 DC 00 DC", 2, "invalid"},
      {T::Utf16, 0, "3D D8 41 00", 2, "invalid"},
      {T::Utf16, 0, "3D D8 00", 2, "invalid"},
      {T::Cp1252, 0, "E4", 1, "ä"},
      {T::Cp1252, 0, "81", 1, "U+0081"},
      {T::Cp1252, 0, "20", 1, "U+0020"},
      {T::UnixTime32, 0, "FF FF FF 7F", 4, "2038-01-19 03:14:07"},
      {T::UnixTime32, BE, "80 00 00 00", 4, "1901-12-13 20:45:52"},
      {T::UnixTime32, 0, "FF FF FF FF", 4, "1969-12-31 23:59:59"},
      {T::UnixTime64, 0, "00 00 00 80 00 00 00 00", 8, "2038-01-19 03:14:08"},
      {T::UnixTime64, BE, "00 00 00 00 38 BB BC F0", 8, "2000-02-29 12:34:56"},
      {T::UnixTime64, BE, "00 00 00 3A FF F4 41 7F", 8, "9999-12-31 23:59:59"},
      {T::UnixTime64, BE, "00 00 00 3A FF F4 41 80", 8, "invalid"},
      {T::UnixTime64, BE, "FF FF FF F1 88 6E 09 00", 8, "0001-01-01 00:00:00"},
      {T::UnixTime64, BE | DE, "FF FF FF F1 88 6E 08 FF", 8, "ungültig"},
      // DOS: date in the high half, time in the low one.
      {T::DosDateTime, 0, "5C 64 5D 28", 4, "2000-02-29 12:34:56"},
      {T::DosDateTime, BE, "FF 9F BF 5D", 4, "2107-12-31 23:58:58"},
      {T::DosDateTime, 0, "00 00 5D 2A", 4, "invalid"},    // 2001-02-29
      {T::DosDateTime, BE, "F0 5D 00 00", 4, "invalid"},   // 2100-02-29: no leap year
      {T::DosDateTime, 0, "00 00 5E 28", 4, "invalid"},    // 2000-02-30
      {T::DosDateTime, 0, "00 00 A1 29", 4, "invalid"},    // month 13
      {T::DosDateTime, 0, "00 C0 5D 28", 4, "invalid"},    // hour 24
      {T::DosDateTime, DE, "1E 00 5D 28", 4, "ungültig"},  // second 60
      {T::Binary, 0, "AA", 1, "10101010"},
      {T::Binary, 0, "05", 1, "00000101"},
      {T::Octal, 0, "AA", 1, "252"},
      {T::Octal, 0, "00", 1, "0"},
      {T::Octal, 0, "FF", 1, "377"},
      // Too few bytes left.
      {T::Int16, 0, "FF", 0, ""},
      {T::Int64, 0, "FF FF FF FF FF FF FF", 0, ""},
      {T::Utf8, 0, "", 0, ""},
      {T::Utf16, 0, "3D", 0, ""},
      {T::DosDateTime, 0, "5C 64 5D", 0, ""},
      {T::Count, 0, "FF FF FF FF FF FF FF FF", 0, ""},
  };
  for (const auto& c : cases) {
    const std::vector<uint8_t> bytes = Bytes(c.Hex);
    const TInspectFormat f = Format(c.Flags);
    SCOPED_TRACE(std::string(InspectTypeName(c.Type, false)) + " " + c.Hex + " flags " + std::to_string(c.Flags));
    EXPECT_EQ(InspectValue(c.Type, bytes.data(), int64_t(bytes.size()), f), c.Size ? c.Text : Dash);
    EXPECT_EQ(InspectSize(c.Type, bytes.data(), int64_t(bytes.size()), f), c.Size);
  }
}

TEST(DataInspector, RefusesWhatDoesNotParseOrFit) {
  struct {
    T Type;
    unsigned Flags;
    std::vector<std::string> Texts;
  } const cases[] = {
      {T::UInt8, 0, {"256", "", " ", "12a", "$", "--1", "1 2"}},
      {T::UInt8, HEX, {"0x", "G", "-0"}},
      {T::Int8, 0, {"-129", "128", "- 1"}},
      {T::Int16, HEX, {"$8000", "8000", "-8001"}},
      {T::UInt64, 0, {"18446744073709551616", "99999999999999999999"}},
      {T::Int64, 0, {"-9223372036854775809", "9223372036854775808"}},
      {T::Float32, 0, {"3.5e38", "1e-50", "1,5", "1e", "", "infinit", "0x10", "-nan"}},
      {T::Float64, COMMA, {"1e400", "1.5,2", "1,5.2"}},
      {T::Utf8, 0, {"", "ab", "U+D800", "U+110000", "U+", "U+0041 B", "\xC3", "a\xCC\x81"}},
      {T::Utf16, BE, {"U+DFFF", "\xED\xA0\x80"}},
      {T::Cp1252, 0, {"\xC4\x80", "😀", "U+0100"}},
      {T::UnixTime32, 0, {"2038-01-19 03:14:08", "1901-12-13 20:45:51"}},
      {T::UnixTime64,
       0,
       {"0000-12-31 23:59:59", "2001-02-29", "2000-13-01", "2000-01-01 24:00:00", "2000-01-01 00:00:60",
        "2000-01-01 1:1", "2000-01-01T00:00:00", "20000-01-01"}},
      {T::DosDateTime, 0, {"2000-01-01 00:00:01", "1979-12-31 23:59:58", "2108-01-01", "2100-02-29"}},
      {T::Binary, 0, {"", "2", "101010101"}},
      {T::Octal, 0, {"400", "8", "0377"}},
      {T::Count, 0, {"0"}},
  };
  for (const auto& c : cases)
    for (const std::string& text : c.Texts)
      EXPECT_EQ(InspectParse(c.Type, text, Format(c.Flags)), std::nullopt)
          << InspectTypeName(c.Type, false) << " '" << text << "'";
}

// Looser forms than the inspector shows.
TEST(DataInspector, AcceptsLooserForms) {
  struct {
    T Type;
    unsigned Flags;
    const char* Text;
    const char* Hex;
  } const cases[] = {
      {T::Int8, 0, " -0 ", "00"},
      {T::Int8, 0, "-0x80", "80"},
      {T::UInt16, HEX | BE, "0X1234", "12 34"},
      {T::Float32, 0, "nan", "00 00 C0 7F"},
      {T::Float64, BE, "-INF", "FF F0 00 00 00 00 00 00"},
      {T::Float32, BE | COMMA, "2.5e1", "41 C8 00 00"},
      {T::Utf8, 0, " ", "20"},
      {T::Utf8, 0, " u+e4 ", "C3 A4"},
      {T::Cp1252, 0, "U+20AC", "80"},
      {T::UnixTime32, BE, "1970-01-02", "00 01 51 80"},
      {T::DosDateTime, BE, "1980-1-1 0:0:2", "00 21 00 01"},
      {T::Octal, 0, " 7", "07"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(InspectParse(c.Type, c.Text, Format(c.Flags)), Bytes(c.Hex))
        << InspectTypeName(c.Type, false) << " '" << c.Text << "'";
}

// A plain encoder of the code point, for random valid sequences.
std::vector<uint8_t> Encode(T type, char32_t c, bool bigEndian) {
  std::vector<uint16_t> units;
  std::vector<uint8_t> out;
  if (type == T::Utf16) {
    if (c < 0x10000)
      units = {uint16_t(c)};
    else
      units = {uint16_t(0xD800 + ((c - 0x10000) >> 10)), uint16_t(0xDC00 + (c & 0x3FF))};
    for (const uint16_t u : units) {
      out.push_back(uint8_t(bigEndian ? u >> 8 : u));
      out.push_back(uint8_t(bigEndian ? u : u >> 8));
    }
    return out;
  }
  const int size = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
  const uint8_t lead[] = {0, 0, 0xC0, 0xE0, 0xF0};
  out.push_back(uint8_t(size == 1 ? c : lead[size] | c >> (6 * (size - 1))));
  for (int i = size - 2; i >= 0; --i) out.push_back(uint8_t(0x80 | (c >> (6 * i) & 0x3F)));
  return out;
}

// Random valid bytes of the type, NaNs and times out of range left out.
std::vector<uint8_t> RandomValue(T type, std::mt19937& rng, bool bigEndian) {
  if (type == T::Utf8 || type == T::Utf16) {
    const char32_t limits[] = {0x80, 0x800, 0x10000, 0x110000};
    char32_t c;
    do c = char32_t(rng() % limits[rng() % 4]);
    while (c >= 0xD800 && c <= 0xDFFF);
    return Encode(type, c, bigEndian);
  }
  std::vector<uint8_t> bytes(8);
  bytes.resize(size_t(InspectSize(type, bytes.data(), 8)));
  for (;;) {
    for (uint8_t& b : bytes) b = uint8_t(rng());
    if (type == T::UnixTime64) {
      // 0001-01-01 to 9999-12-31, either side of 1970.
      const int64_t seconds = std::uniform_int_distribution<int64_t>(-62135596800, 253402300799)(rng);
      for (size_t i = 0; i < 8; ++i) bytes[bigEndian ? 7 - i : i] = uint8_t(uint64_t(seconds) >> (8 * i));
    }
    const std::string text = InspectValue(type, bytes.data(), int64_t(bytes.size()), TInspectFormat{bigEndian});
    if (text != "NaN" && text != "invalid") return bytes;
  }
}

TEST(DataInspector, RandomValuesSurviveTheTripThroughText) {
  BQ_SEEDED_RNG(rng, 11);
  for (int t = 0; t < int(T::Count); ++t) {
    const T type = T(t);
    SCOPED_TRACE(InspectTypeName(type, false));
    for (int i = 0; i < 400; ++i)
      for (const unsigned order : {0u, BE}) {
        const TInspectFormat f = Format(order | (i % 2 ? HEX : 0) | (i % 3 ? 0 : DE) | (i % 5 ? 0 : COMMA));
        const std::vector<uint8_t> bytes = RandomValue(type, rng, f.BigEndian);
        const std::string text = InspectValue(type, bytes.data(), int64_t(bytes.size()), f);
        ASSERT_EQ(InspectSize(type, bytes.data(), int64_t(bytes.size()), f), int(bytes.size())) << text;
        ASSERT_EQ(InspectParse(type, text, f), bytes) << text;
      }
  }
}

}  // namespace
