#include "core/DataInspector.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "core/CivilTime.h"
#include "core/Cp1252.h"

namespace {

const char* const MissingText = "\xE2\x80\x94";  // an em dash

// ---------------------------------------------------------------- text helpers

std::string Trim(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// The value of c as a digit of base, or -1.
int DigitValue(char c, unsigned base) {
  int d = -1;
  if (c >= '0' && c <= '9') d = c - '0';
  if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
  return d >= 0 && unsigned(d) < base ? d : -1;
}

// All of s as a number of base, or nullopt for an empty text, another
// character or a value beyond 64 bits.
std::optional<uint64_t> ParseDigits(const std::string& s, unsigned base) {
  if (s.empty()) return std::nullopt;
  uint64_t v = 0;
  for (const char c : s) {
    const int d = DigitValue(c, base);
    if (d < 0 || v > (std::numeric_limits<uint64_t>::max() - unsigned(d)) / base) return std::nullopt;
    v = v * base + unsigned(d);
  }
  return v;
}

std::string HexDigits(uint64_t v, int width) {
  std::string s;
  do {
    s.insert(s.begin(), "0123456789ABCDEF"[v & 15]);
    v >>= 4;
  } while (v != 0);
  if (int(s.size()) < width) s.insert(0, size_t(width) - s.size(), '0');
  return s;
}

bool EqualsNoCase(const std::string& a, const char* lower) {
  if (a.size() != std::strlen(lower)) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (char(a[i] | 0x20) != lower[i]) return false;
  return true;
}

// ---------------------------------------------------------------- bytes in either order

uint64_t ReadUnsigned(const uint8_t* bytes, int size, bool bigEndian) {
  uint64_t v = 0;
  for (int i = 0; i < size; ++i) v = v << 8 | bytes[bigEndian ? i : size - 1 - i];
  return v;
}

std::vector<uint8_t> WriteUnsigned(uint64_t v, int size, bool bigEndian) {
  std::vector<uint8_t> out(static_cast<size_t>(size));
  for (int i = 0; i < size; ++i) out[size_t(bigEndian ? size - 1 - i : i)] = uint8_t(v >> (8 * i));
  return out;
}

uint64_t Mask(int size) { return size >= 8 ? ~uint64_t(0) : (uint64_t(1) << (8 * size)) - 1; }

// ---------------------------------------------------------------- integers

struct TIntKind {
  int Size;
  bool Signed;
};

TIntKind IntKind(TInspectType type) {
  switch (type) {
    case TInspectType::Int8: return {1, true};
    case TInspectType::UInt8: return {1, false};
    case TInspectType::Int16: return {2, true};
    case TInspectType::UInt16: return {2, false};
    case TInspectType::Int32: return {4, true};
    case TInspectType::UInt32: return {4, false};
    case TInspectType::Int64: return {8, true};
    default: return {8, false};
  }
}

bool IsInteger(TInspectType type) { return type >= TInspectType::Int8 && type <= TInspectType::UInt64; }

// Signed values in hex show a sign and the magnitude ("-$0002"), not the two's
// complement: the grid already shows the raw digits right beside the inspector.
std::string IntText(uint64_t raw, TIntKind k, bool hex) {
  const bool negative = k.Signed && (raw >> (8 * k.Size - 1) & 1) != 0;
  const uint64_t magnitude = negative ? (~raw + 1) & Mask(k.Size) : raw;
  if (hex) return (negative ? "-$" : "$") + HexDigits(magnitude, 2 * k.Size);
  return (negative ? "-" : "") + std::to_string(magnitude);
}

std::optional<uint64_t> ParseInt(const std::string& text, TIntKind k, bool hexMode) {
  std::string s = Trim(text);
  const bool negative = !s.empty() && s[0] == '-';
  if (negative) {
    if (!k.Signed) return std::nullopt;
    s.erase(0, 1);
  }
  bool hex = hexMode;
  if (s.size() >= 1 && s[0] == '$') {
    hex = true;
    s.erase(0, 1);
  } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    hex = true;
    s.erase(0, 2);
  }
  const std::optional<uint64_t> magnitude = ParseDigits(s, hex ? 16 : 10);
  if (!magnitude) return std::nullopt;
  const uint64_t limit = !k.Signed ? Mask(k.Size) : (Mask(k.Size) >> 1) + (negative ? 1 : 0);
  if (*magnitude > limit) return std::nullopt;
  return (negative ? ~*magnitude + 1 : *magnitude) & Mask(k.Size);
}

// ---------------------------------------------------------------- floats

template <typename TFloat, typename TBits>
TFloat FloatFromBits(TBits bits) {
  TFloat v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

// Every NaN typed becomes the one quiet NaN; its sign and payload cannot be typed.
uint64_t BitsOfFloat(float v) {
  if (std::isnan(v)) return 0x7FC00000u;
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof v);
  return bits;
}

uint64_t BitsOfFloat(double v) {
  if (std::isnan(v)) return 0x7FF8000000000000u;
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof v);
  return bits;
}

// The shortest text that reads back as the same value.
template <typename TFloat>
std::string FloatText(TFloat v, char separator) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v < 0 ? "-Infinity" : "Infinity";
  char buffer[64];
  const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, v);
  std::string s(buffer, r.ptr);
  for (char& c : s)
    if (c == '.') c = separator;
  return s;
}

template <typename TFloat>
std::optional<TFloat> ParseFloat(const std::string& text, char separator) {
  std::string s = Trim(text);
  for (char& c : s)
    if (c == separator) c = '.';
  const bool negative = !s.empty() && s[0] == '-';
  if (negative) s.erase(0, 1);
  const TFloat sign = negative ? TFloat(-1) : TFloat(1);
  if (EqualsNoCase(s, "infinity") || EqualsNoCase(s, "inf")) return sign * std::numeric_limits<TFloat>::infinity();
  if (EqualsNoCase(s, "nan")) {
    if (negative) return std::nullopt;
    return std::numeric_limits<TFloat>::quiet_NaN();
  }
  // from_chars knows the words and a sign of its own; here only digits may start.
  if (s.empty() || (DigitValue(s[0], 10) < 0 && s[0] != '.')) return std::nullopt;
  TFloat v = 0;
  const std::from_chars_result r = std::from_chars(s.data(), s.data() + s.size(), v);
  // Too large for the type, or so small that only zero is left: the value does not fit.
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
  return sign * v;
}

// ---------------------------------------------------------------- characters

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Characters that leave no ink, or only a box: spaces, controls, format
// characters, private use and non-characters. Shown as a code alone, the row
// neither looks empty nor lets a direction mark or a line break disturb it.
bool IsInvisible(char32_t c) {
  static const struct {
    char32_t First, Last;
  } Ranges[] = {{0x0000, 0x0020},   {0x007F, 0x00A0},   {0x00AD, 0x00AD},   {0x034F, 0x034F},   {0x061C, 0x061C},
                {0x115F, 0x1160},   {0x1680, 0x1680},   {0x17B4, 0x17B5},   {0x180B, 0x180F},   {0x2000, 0x200F},
                {0x2028, 0x202F},   {0x205F, 0x206F},   {0x3000, 0x3000},   {0x3164, 0x3164},   {0xD800, 0xF8FF},
                {0xFDD0, 0xFDEF},   {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},   {0xFFA0, 0xFFA0},   {0xFFF0, 0xFFFB},
                {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF}, {0xF0000, 0x10FFFF}};
  if ((c & 0xFFFE) == 0xFFFE) return true;
  for (const auto& r : Ranges)
    if (c >= r.First && c <= r.Last) return true;
  return false;
}

std::string EncodeUtf8(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += char(c);
  } else if (c < 0x800) {
    s += char(0xC0 | c >> 6);
    s += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += char(0xE0 | c >> 12);
    s += char(0x80 | (c >> 6 & 0x3F));
    s += char(0x80 | (c & 0x3F));
  } else {
    s += char(0xF0 | c >> 18);
    s += char(0x80 | (c >> 12 & 0x3F));
    s += char(0x80 | (c >> 6 & 0x3F));
    s += char(0x80 | (c & 0x3F));
  }
  return s;
}

std::string CodeText(char32_t c) { return "U+" + HexDigits(c, 4); }

std::string CharacterText(char32_t c) { return IsInvisible(c) ? CodeText(c) : CodeText(c) + " " + EncodeUtf8(c); }

struct TDecoded {
  char32_t Code;
  int Size;  // of an invalid sequence: its first unit
  bool Valid;
};

// One UTF-8 sequence at p, n >= 1 bytes of which may be read.
TDecoded DecodeUtf8(const uint8_t* p, int64_t n) {
  const TDecoded invalid{0, 1, false};
  const uint8_t lead = p[0];
  if (lead < 0x80) return {lead, 1, true};
  int size;
  char32_t code, least;
  if ((lead & 0xE0) == 0xC0) {
    size = 2, code = lead & 0x1Fu, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    size = 3, code = lead & 0x0Fu, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    size = 4, code = lead & 0x07u, least = 0x10000;
  } else {
    return invalid;
  }
  if (n < size) return invalid;
  for (int i = 1; i < size; ++i) {
    if ((p[i] & 0xC0) != 0x80) return invalid;
    code = code << 6 | (p[i] & 0x3Fu);
  }
  // An overlong form would give a second spelling of the same character.
  if (code < least || code > 0x10FFFF || IsSurrogate(code)) return invalid;
  return {code, size, true};
}

// One UTF-16 character at p, n >= 2 bytes of which may be read.
TDecoded DecodeUtf16(const uint8_t* p, int64_t n, bool bigEndian) {
  const TDecoded invalid{0, 2, false};
  const auto high = char32_t(ReadUnsigned(p, 2, bigEndian));
  if (!IsSurrogate(high)) return {high, 2, true};
  if (high >= 0xDC00 || n < 4) return invalid;
  const auto low = char32_t(ReadUnsigned(p + 2, 2, bigEndian));
  if (low < 0xDC00 || low > 0xDFFF) return invalid;
  return {0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00), 4, true};
}

// The code point of a text that is exactly one valid UTF-8 character.
std::optional<char32_t> SingleCharacter(const std::string& s) {
  if (s.empty()) return std::nullopt;
  const TDecoded d = DecodeUtf8(reinterpret_cast<const uint8_t*>(s.data()), int64_t(s.size()));
  if (!d.Valid || size_t(d.Size) != s.size()) return std::nullopt;
  return d.Code;
}

// A character typed as itself, or as "U+XXXX" optionally followed by a space
// and the same character, which is how the inspector shows it.
std::optional<char32_t> ParseCharacter(const std::string& text) {
  if (const std::optional<char32_t> c = SingleCharacter(text)) return c;  // a space too
  const std::string s = Trim(text);
  if (const std::optional<char32_t> c = SingleCharacter(s)) return c;
  if (s.size() < 3 || (s[0] != 'U' && s[0] != 'u') || s[1] != '+') return std::nullopt;
  const size_t space = s.find(' ');
  const std::string digits = s.substr(2, space == std::string::npos ? std::string::npos : space - 2);
  const std::optional<uint64_t> code = digits.size() <= 6 ? ParseDigits(digits, 16) : std::nullopt;
  if (!code || *code > 0x10FFFF || IsSurrogate(char32_t(*code))) return std::nullopt;
  if (space != std::string::npos && SingleCharacter(s.substr(space + 1)) != char32_t(*code)) return std::nullopt;
  return char32_t(*code);
}

std::string Cp1252Text(uint8_t b) {
  const char32_t c = Cp1252ToUnicode(b);
  return IsInvisible(c) ? CodeText(c) : EncodeUtf8(c);
}

std::vector<uint8_t> EncodeUtf16(char32_t c, bool bigEndian) {
  if (c < 0x10000) return WriteUnsigned(c, 2, bigEndian);
  std::vector<uint8_t> out = WriteUnsigned(0xD800 + ((c - 0x10000) >> 10), 2, bigEndian);
  const std::vector<uint8_t> low = WriteUnsigned(0xDC00 + ((c - 0x10000) & 0x3FF), 2, bigEndian);
  out.insert(out.end(), low.begin(), low.end());
  return out;
}

// ---------------------------------------------------------------- dates and times

// Four-digit years only: what the inspector shows, and all any of the types holds.
const int64_t FirstSecond = DaysFromCivil(1, 1, 1) * 86400;
const int64_t LastSecond = DaysFromCivil(9999, 12, 31) * 86400 + 86399;

std::string UnixTimeText(int64_t seconds, bool german) {
  if (seconds < FirstSecond || seconds > LastSecond) return InspectInvalidText(german);
  return DateTimeText(CivilFromSeconds(seconds));
}

std::optional<std::vector<uint8_t>> ParseUnixTime(const std::string& text, int size, bool bigEndian) {
  const std::optional<TDateTime> t = ParseDateTime(text);
  if (!t || t->Year < 1) return std::nullopt;
  const int64_t seconds = SecondsFromCivil(*t);
  if (size == 4 && (seconds < std::numeric_limits<int32_t>::min() || seconds > std::numeric_limits<int32_t>::max()))
    return std::nullopt;
  return WriteUnsigned(uint64_t(seconds), size, bigEndian);
}

// A DOS time stamp: the date in the high half (years from 1980, month, day),
// the time in the low half (hour, minute, seconds halved).
std::string DosDateTimeText(uint32_t v, bool german) {
  const TDateTime t{1980 + (v >> 25),  int(v >> 21 & 15), int(v >> 16 & 31),
                    int(v >> 11 & 31), int(v >> 5 & 63),  int(v & 31) * 2};
  return IsValidDateTime(t) ? DateTimeText(t) : InspectInvalidText(german);
}

std::optional<std::vector<uint8_t>> ParseDosDateTime(const std::string& text, bool bigEndian) {
  const std::optional<TDateTime> t = ParseDateTime(text);
  // Two-second steps: an odd second cannot be stored, and rounding would change the value typed.
  if (!t || t->Year < 1980 || t->Year > 2107 || t->Second % 2 != 0) return std::nullopt;
  const uint64_t date = uint64_t(t->Year - 1980) << 9 | uint64_t(t->Month) << 5 | uint64_t(t->Day);
  const uint64_t time = uint64_t(t->Hour) << 11 | uint64_t(t->Minute) << 5 | uint64_t(t->Second / 2);
  return WriteUnsigned(date << 16 | time, 4, bigEndian);
}

// ---------------------------------------------------------------- single bytes in other bases

// The digits of b in base, at least width of them.
std::string BaseText(uint8_t b, unsigned base, size_t width) {
  std::string s;
  do {
    s.insert(s.begin(), char('0' + b % base));
    b = uint8_t(b / base);
  } while (b != 0 || s.size() < width);
  return s;
}

std::optional<std::vector<uint8_t>> ParseByteInBase(const std::string& text, unsigned base, size_t mostDigits) {
  const std::string s = Trim(text);
  const std::optional<uint64_t> v = s.size() <= mostDigits ? ParseDigits(s, base) : std::nullopt;
  if (!v || *v > 255) return std::nullopt;
  return std::vector<uint8_t>{uint8_t(*v)};
}

int LeastSize(TInspectType type) {
  switch (type) {
    case TInspectType::Int8:
    case TInspectType::UInt8:
    case TInspectType::Utf8:
    case TInspectType::Cp1252:
    case TInspectType::Binary:
    case TInspectType::Octal: return 1;
    case TInspectType::Int16:
    case TInspectType::UInt16:
    case TInspectType::Utf16: return 2;
    case TInspectType::Int32:
    case TInspectType::UInt32:
    case TInspectType::Float32:
    case TInspectType::UnixTime32:
    case TInspectType::DosDateTime: return 4;
    case TInspectType::Int64:
    case TInspectType::UInt64:
    case TInspectType::Float64:
    case TInspectType::UnixTime64: return 8;
    case TInspectType::Count: break;
  }
  return 0;
}

}  // namespace

const char* InspectInvalidText(bool german) { return german ? "ungültig" : "invalid"; }

const char* InspectTypeName(TInspectType type, bool german) {
  switch (type) {
    case TInspectType::Int8: return "int8";
    case TInspectType::UInt8: return "uint8";
    case TInspectType::Int16: return "int16";
    case TInspectType::UInt16: return "uint16";
    case TInspectType::Int32: return "int32";
    case TInspectType::UInt32: return "uint32";
    case TInspectType::Int64: return "int64";
    case TInspectType::UInt64: return "uint64";
    case TInspectType::Float32: return "float32";
    case TInspectType::Float64: return "float64";
    case TInspectType::Utf8: return "UTF-8";
    case TInspectType::Utf16: return "UTF-16";
    case TInspectType::Cp1252: return "Windows-1252";
    case TInspectType::UnixTime32: return german ? "Unix-Zeit (32 Bit)" : "Unix time (32 bit)";
    case TInspectType::UnixTime64: return german ? "Unix-Zeit (64 Bit)" : "Unix time (64 bit)";
    case TInspectType::DosDateTime: return german ? "DOS-Datum und -Zeit" : "DOS date and time";
    case TInspectType::Binary: return german ? "Binär" : "Binary";
    case TInspectType::Octal: return german ? "Oktal" : "Octal";
    case TInspectType::Count: break;
  }
  return "";
}

int InspectSize(TInspectType type, const uint8_t* bytes, int64_t available) {
  return InspectSize(type, bytes, available, TInspectFormat());
}

int InspectSize(TInspectType type, const uint8_t* bytes, int64_t available, const TInspectFormat& f) {
  const int least = LeastSize(type);
  if (least == 0 || available < least) return 0;
  if (type == TInspectType::Utf8) return DecodeUtf8(bytes, available).Size;
  if (type == TInspectType::Utf16) return DecodeUtf16(bytes, available, f.BigEndian).Size;
  return least;
}

std::string InspectValue(TInspectType type, const uint8_t* bytes, int64_t available, const TInspectFormat& f) {
  const int size = InspectSize(type, bytes, available, f);
  if (size == 0) return MissingText;
  const uint64_t raw = ReadUnsigned(bytes, LeastSize(type), f.BigEndian);
  if (IsInteger(type)) return IntText(raw, IntKind(type), f.Hex);
  switch (type) {
    case TInspectType::Float32: return FloatText(FloatFromBits<float>(uint32_t(raw)), f.DecimalSeparator);
    case TInspectType::Float64: return FloatText(FloatFromBits<double>(raw), f.DecimalSeparator);
    case TInspectType::Utf8:
    case TInspectType::Utf16: {
      const TDecoded d =
          type == TInspectType::Utf8 ? DecodeUtf8(bytes, available) : DecodeUtf16(bytes, available, f.BigEndian);
      return d.Valid ? CharacterText(d.Code) : InspectInvalidText(f.German);
    }
    case TInspectType::Cp1252: return Cp1252Text(bytes[0]);
    case TInspectType::UnixTime32: return UnixTimeText(int32_t(uint32_t(raw)), f.German);
    case TInspectType::UnixTime64: return UnixTimeText(int64_t(raw), f.German);
    case TInspectType::DosDateTime: return DosDateTimeText(uint32_t(raw), f.German);
    case TInspectType::Binary: return BaseText(bytes[0], 2, 8);
    case TInspectType::Octal: return BaseText(bytes[0], 8, 1);
    default: return MissingText;
  }
}

std::optional<std::vector<uint8_t>> InspectParse(TInspectType type, const std::string& text, const TInspectFormat& f) {
  if (IsInteger(type)) {
    const TIntKind k = IntKind(type);
    const std::optional<uint64_t> v = ParseInt(text, k, f.Hex);
    if (!v) return std::nullopt;
    return WriteUnsigned(*v, k.Size, f.BigEndian);
  }
  switch (type) {
    case TInspectType::Float32: {
      const std::optional<float> v = ParseFloat<float>(text, f.DecimalSeparator);
      if (!v) return std::nullopt;
      return WriteUnsigned(BitsOfFloat(*v), 4, f.BigEndian);
    }
    case TInspectType::Float64: {
      const std::optional<double> v = ParseFloat<double>(text, f.DecimalSeparator);
      if (!v) return std::nullopt;
      return WriteUnsigned(BitsOfFloat(*v), 8, f.BigEndian);
    }
    case TInspectType::Utf8:
    case TInspectType::Utf16:
    case TInspectType::Cp1252: {
      const std::optional<char32_t> c = ParseCharacter(text);
      if (!c) return std::nullopt;
      if (type == TInspectType::Utf16) return EncodeUtf16(*c, f.BigEndian);
      if (type == TInspectType::Utf8) {
        const std::string s = EncodeUtf8(*c);
        return std::vector<uint8_t>(s.begin(), s.end());
      }
      const int b = UnicodeToCp1252(*c);
      if (b < 0) return std::nullopt;
      return std::vector<uint8_t>{uint8_t(b)};
    }
    case TInspectType::UnixTime32: return ParseUnixTime(text, 4, f.BigEndian);
    case TInspectType::UnixTime64: return ParseUnixTime(text, 8, f.BigEndian);
    case TInspectType::DosDateTime: return ParseDosDateTime(text, f.BigEndian);
    case TInspectType::Binary: return ParseByteInBase(text, 2, 8);
    case TInspectType::Octal: return ParseByteInBase(text, 8, 3);
    default: return std::nullopt;
  }
}
