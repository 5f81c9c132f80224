#include "core/ByteText.h"

#include "core/DocBuffers.h"

#include "core/HexVectors.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";
constexpr char Base64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr uint64_t HexPerLine = 16;
constexpr uint64_t CArrayPerLine = 12;
constexpr uint64_t Base64PerLine = 76;  // characters; 57 bytes
constexpr uint64_t Base64LineBytes = Base64PerLine / 4 * 3;

// Tables of the text of a byte (or of twelve bits for Base64), copied with
// fixed-size memcpy, which compiles to one or two stores.
struct THexPairs {
  char C[256][2];
};
constexpr THexPairs MakeHexPairs() {
  THexPairs t{};
  for (int i = 0; i < 256; ++i) {
    t.C[i][0] = HexDigits[i >> 4];
    t.C[i][1] = HexDigits[i & 15];
  }
  return t;
}
constexpr THexPairs HexPairs = MakeHexPairs();

struct TCValues {
  char C[256][6];  // "0xNN, "
};
constexpr TCValues MakeCValues() {
  TCValues t{};
  for (int i = 0; i < 256; ++i) {
    const char v[6] = {'0', 'x', HexDigits[i >> 4], HexDigits[i & 15], ',', ' '};
    for (int k = 0; k < 6; ++k) t.C[i][k] = v[k];
  }
  return t;
}
constexpr TCValues CValues = MakeCValues();

struct TBase64Pairs {
  char C[4096][2];
};
constexpr TBase64Pairs MakeBase64Pairs() {
  TBase64Pairs t{};
  for (int i = 0; i < 4096; ++i) {
    t.C[i][0] = Base64Alphabet[i >> 6];
    t.C[i][1] = Base64Alphabet[i & 63];
  }
  return t;
}
constexpr TBase64Pairs Base64Pairs = MakeBase64Pairs();

// A byte's escape: its length (1, 2 or 4) and up to four characters.
struct TEscapes {
  uint8_t Len[256];
  char C[256][4];
};
constexpr TEscapes MakeEscapes() {
  TEscapes t{};
  for (int i = 0; i < 256; ++i) {
    if (i == '\\' || i == '"') {
      t.Len[i] = 2;
      t.C[i][0] = '\\';
      t.C[i][1] = char(i);
    } else if (i >= 0x20 && i <= 0x7E) {
      t.Len[i] = 1;
      t.C[i][0] = char(i);
    } else {
      t.Len[i] = 4;
      t.C[i][0] = '\\';
      t.C[i][1] = 'x';
      t.C[i][2] = HexDigits[i >> 4];
      t.C[i][3] = HexDigits[i & 15];
    }
  }
  return t;
}
constexpr TEscapes Escapes = MakeEscapes();

uint64_t DecimalDigits(uint64_t n) {
  uint64_t d = 1;
  for (; n >= 10; n /= 10) ++d;
  return d;
}

uint64_t Lines(uint64_t n, uint64_t perLine) { return (n + perLine - 1) / perLine; }

// Beyond this many bytes no format's size is counted in 64 bits.
constexpr uint64_t MaxCountedBytes = uint64_t(1) << 60;

// ---- Writers. Each writes the text of whole lines, every line followed by
// its separator (also the last, which the caller takes off again), so that a
// long copy can be made piece by piece.

// Text is made in pieces in a buffer that stays in the cache and then
// appended: growing the string by resize would first fill it with zeros, a
// whole extra pass over memory for a copy of a document.
constexpr size_t PieceText = 24 * 1024;
constexpr size_t PieceSlack = 4;  // for the escapes' four-byte stores

template <class Write>
void AppendInPieces(const uint8_t* p, size_t n, size_t pieceBytes, std::string& out, Write write) {
  char buf[PieceText + PieceSlack];
  for (size_t i = 0; i < n; i += pieceBytes) {
    const char* end = write(p + i, std::min(pieceBytes, n - i), buf);
    out.append(buf, size_t(end - buf));
  }
}

char* WriteHexSpaced(const uint8_t* p, size_t n, char* d) {
  if (HexVectorsAvailable()) {
    d = WriteHexLinesVector(p, n / HexPerLine, d);
    p += n / HexPerLine * HexPerLine;
    n %= HexPerLine;
  }
  for (; n >= HexPerLine; n -= HexPerLine, p += HexPerLine) {
    for (size_t k = 0; k < HexPerLine; ++k, d += 3) {
      std::memcpy(d, HexPairs.C[p[k]], 2);
      d[2] = ' ';
    }
    d[-1] = '\n';
  }
  for (size_t k = 0; k < n; ++k, d += 3) {
    std::memcpy(d, HexPairs.C[p[k]], 2);
    d[2] = ' ';
  }
  return d;
}

char* WriteHexPlain(const uint8_t* p, size_t n, char* d) {
  if (HexVectorsAvailable()) {
    d = WriteHexPlainVector(p, n / 16, d);
    p += n / 16 * 16;
    n %= 16;
  }
  for (size_t k = 0; k < n; ++k, d += 2) std::memcpy(d, HexPairs.C[p[k]], 2);
  return d;
}

// "  0xNN, 0xNN, ... 0xNN,\n" for each line of up to 12 values.
char* WriteCArrayLines(const uint8_t* p, size_t n, char* d) {
  while (n > 0) {
    const size_t k = std::min<size_t>(n, CArrayPerLine);
    d[0] = ' ';
    d[1] = ' ';
    d += 2;
    for (size_t i = 0; i < k; ++i, d += 6) std::memcpy(d, CValues.C[p[i]], 6);
    d[-1] = '\n';
    p += k;
    n -= k;
  }
  return d;
}

char* WriteBase64Group(const uint8_t* p, char* d) {
  const uint32_t v = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
  std::memcpy(d, Base64Pairs.C[v >> 12], 2);
  std::memcpy(d + 2, Base64Pairs.C[v & 0xFFF], 2);
  return d + 4;
}

char* WriteBase64Lines(const uint8_t* p, size_t n, char* d) {
  for (; n >= Base64LineBytes; n -= Base64LineBytes) {
    for (size_t k = 0; k < Base64LineBytes; k += 3, p += 3) d = WriteBase64Group(p, d);
    *d++ = '\n';
  }
  if (n == 0) return d;
  for (; n >= 3; n -= 3, p += 3) d = WriteBase64Group(p, d);
  if (n > 0) {
    const uint8_t last[3] = {p[0], n == 2 ? p[1] : uint8_t(0), 0};
    WriteBase64Group(last, d);
    d[3] = '=';
    if (n == 1) d[2] = '=';
    d += 4;
  }
  *d++ = '\n';
  return d;
}

char* WriteEscaped(const uint8_t* p, size_t n, char* d) {
  for (size_t k = 0; k < n; ++k) {
    std::memcpy(d, Escapes.C[p[k]], 4);
    d += Escapes.Len[p[k]];
  }
  return d;
}

void AppendCArray(const uint8_t* p, size_t n, std::string& out) {
  out += "unsigned char data[";
  out += std::to_string(n);
  if (n <= CArrayPerLine) {
    out += "] = { ";
    char buf[CArrayPerLine * 6];
    for (size_t i = 0; i < n; ++i) std::memcpy(buf + 6 * i, CValues.C[p[i]], 6);
    out.append(buf, 6 * n - 2);  // less the last ", "
    out += " };";
    return;
  }
  out += "] = {\n";
  AppendInPieces(p, n, 256 * CArrayPerLine, out, WriteCArrayLines);
  out.resize(out.size() - 2);  // the last line's ",\n"
  out += "\n};";
}

}  // namespace

uint64_t CopyTextSize(TCopyFormat f, uint64_t n) {
  if (n == 0) return 0;
  if (n > MaxCountedBytes) return UINT64_MAX;
  switch (f) {
    case TCopyFormat::Raw: return n;
    case TCopyFormat::HexSpaced: return 3 * n - 1;
    case TCopyFormat::HexPlain: return 2 * n;
    case TCopyFormat::CArray: {
      // "unsigned char data[N] = { " ... " };", or "... = {\n" ... "\n};"
      // around lines of "  " + values + ",\n" without the last line's ",".
      const uint64_t frame = 19 + DecimalDigits(n) + 6 + 3;
      if (n <= CArrayPerLine) return frame + 6 * n - 2;
      const uint64_t lines = Lines(n, CArrayPerLine);
      return frame + 6 * n + 2 * lines - 2;
    }
    case TCopyFormat::Base64: {
      const uint64_t chars = 4 * Lines(n, 3);
      return chars + Lines(chars, Base64PerLine) - 1;
    }
    case TCopyFormat::Escaped: return 4 * n;
    case TCopyFormat::Count: break;
  }
  return 0;
}

uint64_t CopyTextSize(TCopyFormat f, const uint8_t* p, size_t n) {
  if (f != TCopyFormat::Escaped) return CopyTextSize(f, uint64_t(n));
  uint64_t size = 0;
  for (size_t k = 0; k < n; ++k) size += Escapes.Len[p[k]];
  return size;
}

void FormatBytes(TCopyFormat f, const uint8_t* p, size_t n, std::string& out) {
  if (n == 0) return;
  out.reserve(out.size() + size_t(CopyTextSize(f, p, n)));
  switch (f) {
    case TCopyFormat::Raw: out.append(reinterpret_cast<const char*>(p), n); break;
    case TCopyFormat::HexSpaced:
      AppendInPieces(p, n, PieceText / 3 / HexPerLine * HexPerLine, out, WriteHexSpaced);
      out.pop_back();
      break;
    case TCopyFormat::HexPlain: AppendInPieces(p, n, PieceText / 2, out, WriteHexPlain); break;
    case TCopyFormat::CArray: AppendCArray(p, n, out); break;
    case TCopyFormat::Base64:
      AppendInPieces(p, n, PieceText / (Base64PerLine + 1) * Base64LineBytes, out, WriteBase64Lines);
      out.pop_back();
      break;
    case TCopyFormat::Escaped: AppendInPieces(p, n, PieceText / 4, out, WriteEscaped); break;
    case TCopyFormat::Count: break;
  }
}

namespace {

// ---- Readers.

// Bytes gathered in a buffer that stays in the cache and appended to the
// result now and then, for the same reason as the text above. The result is
// reserved for the most the text can hold; pages never written are never
// touched.
class TByteSink {
 public:
  // A large paste fills tens of thousands of new pages; huge pages make
  // that a few dozen faults.
  TByteSink(std::vector<uint8_t>& out, size_t most) : FOut(out) {
    FOut.reserve(most);
    PreferHugePages(FOut.data(), int64_t(FOut.capacity()));
  }
  ~TByteSink() { Flush(); }
  void Put(uint8_t b) {
    if (FCount == sizeof FBuf) Flush();
    FBuf[FCount++] = b;
  }
  void Flush() {
    FOut.insert(FOut.end(), FBuf, FBuf + FCount);
    FCount = 0;
  }
  bool Empty() const { return FCount == 0 && FOut.empty(); }
  // Room for k more bytes; Advance keeps those written there.
  uint8_t* Room(size_t k) {
    if (sizeof FBuf - FCount < k) Flush();
    return FBuf + FCount;
  }
  void Advance(size_t k) { FCount += k; }

 private:
  std::vector<uint8_t>& FOut;
  uint8_t FBuf[16 * 1024];
  size_t FCount = 0;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Character classes of hex text: a digit's value, or one of these.
constexpr uint8_t HexBlank = 16, HexComma = 17, HexOther = 18;
struct THexClasses {
  uint8_t C[256];
};
constexpr THexClasses MakeHexClasses() {
  THexClasses t{};
  for (int i = 0; i < 256; ++i) {
    t.C[i] = i >= '0' && i <= '9'                              ? uint8_t(i - '0')
             : i >= 'A' && i <= 'F'                            ? uint8_t(i - 'A' + 10)
             : i >= 'a' && i <= 'f'                            ? uint8_t(i - 'a' + 10)
             : i == ' ' || i == '\t' || i == '\r' || i == '\n' ? HexBlank
             : i == ','                                        ? HexComma
                                                               : HexOther;
  }
  return t;
}
constexpr THexClasses HexClasses = MakeHexClasses();

uint8_t HexClass(const char* s) { return HexClasses.C[uint8_t(*s)]; }

// A small cursor over the words of a C declaration.
struct TScan {
  const char* S;
  const char* E;
  void SkipBlanks() {
    while (S < E && IsBlank(*S)) ++S;
  }
  bool Take(char c) {
    SkipBlanks();
    if (S == E || *S != c) return false;
    ++S;
    return true;
  }
  bool TakeWord() {
    SkipBlanks();
    const char* s = S;
    while (S < E &&
           (*S == '_' || (*S >= 'a' && *S <= 'z') || (*S >= 'A' && *S <= 'Z') || (S > s && *S >= '0' && *S <= '9')))
      ++S;
    return S > s;
  }
};

// The words before "{": a type of one or more words ("unsigned char",
// "const uint8_t"), the name, "[", an optional decimal size, "]" and "=".
// The size is not checked against the values: they are what is read.
bool IsArrayDeclaration(const char* s, const char* e) {
  TScan t{s, e};
  int words = 0;
  while (t.TakeWord()) ++words;
  if (words < 2 || !t.Take('[')) return false;
  t.SkipBlanks();
  while (t.S < t.E && *t.S >= '0' && *t.S <= '9') ++t.S;
  if (!t.Take(']') || !t.Take('=')) return false;
  t.SkipBlanks();
  return t.S == t.E;
}

// Narrows [s, e) to what stands between the braces of a C array or a bare
// "{ ... }" (braced is then true). False for a semicolon or braces that make
// neither.
bool StripArray(const char*& s, const char*& e, bool& braced) {
  braced = false;
  while (s < e && IsBlank(e[-1])) --e;
  const bool semicolon = s < e && e[-1] == ';';
  if (semicolon)
    for (--e; s < e && IsBlank(e[-1]);) --e;
  if (s == e || e[-1] != '}') return !semicolon;
  const char* open = std::find(s, e, '{');
  if (open == e) return false;
  TScan head{s, open};
  head.SkipBlanks();
  if (head.S != open && !IsArrayDeclaration(head.S, open)) return false;
  s = open + 1;
  e = e - 1;
  braced = true;
  return true;
}

// Whole blocks of hex text, read by the vector loops of HexVectors (the
// spaced copy in 48 characters, a plain group in 32) for as long as the text
// keeps to the block; returns where they stopped.
template <class Read>
const char* ReadBlocks(const char* s, const char* e, size_t chars, Read read, TByteSink& sink) {
  for (;;) {
    const size_t most = std::min<size_t>(size_t(e - s) / chars, 256);
    if (most == 0) return s;
    const size_t done = read(s, most, sink.Room(16 * most));
    sink.Advance(16 * done);
    s += chars * done;
    if (done < most) return s;
  }
}

// The values of hex text; onlyPrefixed: every value must be "0xNN".
bool ReadHexValues(const char* s, const char* e, bool onlyPrefixed, TByteSink& sink) {
  const bool vectors = HexVectorsAvailable();
  bool commaAllowed = false;  // one comma after each group, none before the first
  while (s < e) {
    const uint8_t c = HexClass(s);
    if (c == HexBlank) {
      ++s;
      continue;
    }
    if (c == HexComma) {
      if (!commaAllowed) return false;
      commaAllowed = false;
      ++s;
      continue;
    }
    if (c > 15) return false;
    commaAllowed = true;
    if (*s == '0' && e - s >= 2 && (s[1] | 0x20) == 'x') {
      // The usual C array, "0xNN, " after "0xNN, ", in a loop of its own.
      const char* listed = s;
      for (; e - s >= 6 && s[0] == '0' && (s[1] | 0x20) == 'x' && s[4] == ',' && s[5] == ' '; s += 6) {
        const uint8_t hi = HexClass(s + 2), lo = HexClass(s + 3);
        if ((hi | lo) > 15) break;
        sink.Put(uint8_t(hi << 4 | lo));
      }
      if (s > listed) {
        commaAllowed = false;
        continue;
      }
      // "0x" takes exactly one pair: "0x123" and "0x4" are no bytes.
      if (e - s < 4 || (HexClass(s + 2) | HexClass(s + 3)) > 15 || (e - s > 4 && HexClass(s + 4) < 16)) return false;
      sink.Put(uint8_t(HexClass(s + 2) << 4 | HexClass(s + 3)));
      s += 4;
      continue;
    }
    if (onlyPrefixed) return false;
    // The usual copy, pairs each followed by one blank, in a loop of its own;
    // where it stops, a new group starts.
    const char* spaced = s;
    if (vectors) s = ReadBlocks(s, e, 48, ReadHexSpacedVector, sink);
    for (; e - s >= 3; s += 3) {
      const uint8_t hi = HexClass(s), lo = HexClass(s + 1);
      if ((hi | lo) > 15 || HexClass(s + 2) != HexBlank) break;
      sink.Put(uint8_t(hi << 4 | lo));
    }
    if (s > spaced) continue;
    // Then a group of pairs without separators.
    if (vectors) s = ReadBlocks(s, e, 32, ReadHexPlainVector, sink);
    for (; e - s >= 2; s += 2) {
      const uint8_t hi = HexClass(s), lo = HexClass(s + 1);
      if ((hi | lo) > 15) break;
      sink.Put(uint8_t(hi << 4 | lo));
    }
    if (s < e && HexClass(s) < 16) return false;  // a group of an odd number of digits
  }
  return !sink.Empty();
}

// Base64 values, and the classes of the other characters.
constexpr uint8_t B64Blank = 64, B64Pad = 65, B64Other = 66;
struct TBase64Values {
  uint8_t C[256];
};
constexpr TBase64Values MakeBase64Values() {
  TBase64Values t{};
  for (int i = 0; i < 256; ++i) t.C[i] = B64Other;
  for (int i = 0; i < 64; ++i) t.C[uint8_t(Base64Alphabet[i])] = uint8_t(i);
  t.C[uint8_t(' ')] = t.C[uint8_t('\t')] = t.C[uint8_t('\r')] = t.C[uint8_t('\n')] = B64Blank;
  t.C[uint8_t('=')] = B64Pad;
  return t;
}
constexpr TBase64Values Base64Values = MakeBase64Values();

uint8_t Base64Value(const char* s) { return Base64Values.C[uint8_t(*s)]; }

void PutGroup(uint32_t v, TByteSink& sink) {
  sink.Put(uint8_t(v >> 16));
  sink.Put(uint8_t(v >> 8));
  sink.Put(uint8_t(v));
}

// The end of Base64 text after a group's first '='. have: the values of
// the group before it (2 or 3), acc: their bits. The group must fill up with
// '=' and the bits beyond the last byte must be 0, or the text would not be
// what its bytes encode to.
bool ReadBase64End(const char* s, const char* e, int have, uint32_t acc, TByteSink& sink) {
  if (have < 2) return false;
  int pads = 3 - have;  // still to come
  for (; s < e; ++s) {
    const uint8_t v = Base64Value(s);
    if (v == B64Pad && pads > 0)
      --pads;
    else if (v != B64Blank)
      return false;
  }
  if (pads > 0) return false;
  if (have == 2) {
    if (acc & 0xF) return false;
    sink.Put(uint8_t(acc >> 4));
  } else {
    if (acc & 0x3) return false;
    sink.Put(uint8_t(acc >> 10));
    sink.Put(uint8_t(acc >> 2));
  }
  return true;
}

bool ReadBase64(const char* s, const char* e, TByteSink& sink) {
  uint32_t acc = 0;
  int have = 0;  // values of the group so far
  while (s < e) {
    if (have == 0)
      for (; e - s >= 4; s += 4) {
        const uint8_t a = Base64Value(s), b = Base64Value(s + 1), c = Base64Value(s + 2), d = Base64Value(s + 3);
        if ((a | b | c | d) > 63) break;
        PutGroup(uint32_t(a) << 18 | uint32_t(b) << 12 | uint32_t(c) << 6 | d, sink);
      }
    if (s == e) break;
    const uint8_t v = Base64Value(s++);
    if (v < 64) {
      acc = acc << 6 | v;
      if (++have == 4) {
        PutGroup(acc, sink);
        acc = 0;
        have = 0;
      }
    } else if (v == B64Pad) {
      return ReadBase64End(s, e, have, acc, sink);
    } else if (v != B64Blank) {
      return false;
    }
  }
  return have == 0 && !sink.Empty();
}

}  // namespace

std::optional<std::vector<uint8_t>> ParseHexText(const std::string& text) {
  const char* s = text.data();
  const char* e = s + text.size();
  bool braced;
  if (!StripArray(s, e, braced)) return std::nullopt;
  std::vector<uint8_t> bytes;
  {
    TByteSink sink(bytes, text.size() / 2);
    if (!ReadHexValues(s, e, braced, sink)) return std::nullopt;
  }
  return bytes;
}

std::optional<std::vector<uint8_t>> ParseBase64Text(const std::string& text) {
  std::vector<uint8_t> bytes;
  {
    TByteSink sink(bytes, text.size() / 4 * 3);
    if (!ReadBase64(text.data(), text.data() + text.size(), sink)) return std::nullopt;
  }
  return bytes;
}

std::optional<TPasteBytes> ParsePasteText(const std::string& utf8) {
  if (utf8.empty()) return std::nullopt;
  if (auto hex = ParseHexText(utf8)) return TPasteBytes{TPasteReading::Hex, std::move(*hex)};
  if (auto base64 = ParseBase64Text(utf8)) return TPasteBytes{TPasteReading::Base64, std::move(*base64)};
  return TPasteBytes{TPasteReading::Utf8Text, std::vector<uint8_t>(utf8.begin(), utf8.end())};
}
