// Copying bytes out as text and reading pasted text back: the exact texts at
// the line boundaries, which pasted texts read as what, and every format
// read back from random bytes, also across the writers' and readers' pieces.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/ByteText.h"
#include "fakes/TestSeed.h"

namespace {

using TBytes = std::vector<uint8_t>;

TBytes Iota(size_t n) {
  TBytes b(n);
  for (size_t i = 0; i < n; ++i) b[i] = uint8_t(i);
  return b;
}

TBytes Of(const std::string& s) { return TBytes(s.begin(), s.end()); }

std::string Format(TCopyFormat f, const TBytes& b) {
  std::string out = "<";  // appends, never replaces
  FormatBytes(f, b.data(), b.size(), out);
  EXPECT_EQ(out.size() - 1, CopyTextSize(f, b.data(), b.size()));
  return out.substr(1);
}

}  // namespace

TEST(ByteText, FormatsAtLineBoundariesAndEscapes) {
  const std::string hex16 = "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F";
  const std::string c12 = "0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B";
  const std::string c24 = "0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17";
  const std::string b64 = "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKissLS4vMDEyMzQ1Njc4";
  const struct {
    TCopyFormat Format;
    TBytes Bytes;
    std::string Text;
  } cases[] = {
      {TCopyFormat::Raw, {0x00, 0xFF}, std::string("\0\xFF", 2)},
      {TCopyFormat::HexSpaced, Of("ABC"), "41 42 43"},
      {TCopyFormat::HexSpaced, Iota(16), hex16},
      {TCopyFormat::HexSpaced, Iota(17), hex16 + "\n10"},
      {TCopyFormat::HexPlain, {0x00, 0xFF, 0x0A, 0xbe}, "00FF0ABE"},
      {TCopyFormat::CArray, Of("ABC"), "unsigned char data[3] = { 0x41, 0x42, 0x43 };"},
      {TCopyFormat::CArray, Iota(12), "unsigned char data[12] = { " + c12 + " };"},
      {TCopyFormat::CArray, Iota(13), "unsigned char data[13] = {\n  " + c12 + ",\n  0x0C\n};"},
      {TCopyFormat::CArray, Iota(24), "unsigned char data[24] = {\n  " + c12 + ",\n  " + c24 + "\n};"},
      {TCopyFormat::CArray, {}, ""},
      {TCopyFormat::Base64, Of("f"), "Zg=="},
      {TCopyFormat::Base64, Of("fo"), "Zm8="},
      {TCopyFormat::Base64, Of("foo"), "Zm9v"},
      {TCopyFormat::Base64, Iota(57), b64},
      {TCopyFormat::Base64, Iota(58), b64 + "\nOQ=="},
      {TCopyFormat::Escaped, TBytes{'a', '"', 'b', '\\', 0x00, 0x7F, 0x1F, ' ', '~', 0xE9},
       "a\\\"b\\\\\\x00\\x7F\\x1F ~\\xE9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.Format));
    EXPECT_EQ(Format(c.Format, c.Bytes), c.Text);
    if (c.Format != TCopyFormat::Escaped) {
      EXPECT_EQ(CopyTextSize(c.Format, uint64_t(c.Bytes.size())), c.Text.size());
    }
  }
  EXPECT_EQ(CopyTextSize(TCopyFormat::Escaped, 5), 20u);
  EXPECT_EQ(CopyTextSize(TCopyFormat::HexSpaced, uint64_t(1) << 62), UINT64_MAX);
}

TEST(ByteText, ReadsPastedTextAsHexThenBase64ThenItself) {
  using R = TPasteReading;
  const struct {
    std::string Text;
    R Reading;
    TBytes Bytes;  // for Utf8Text: the text's own bytes
  } cases[] = {
      {"DEADBEEF", R::Hex, {0xDE, 0xAD, 0xBE, 0xEF}},
      {" de ad\tbe\r\nef\n", R::Hex, {0xDE, 0xAD, 0xBE, 0xEF}},
      {"DEAD BEEF", R::Hex, {0xDE, 0xAD, 0xBE, 0xEF}},
      {"0x41, 0X42,\n0x43,", R::Hex, {0x41, 0x42, 0x43}},
      {"41 0x42 4344", R::Hex, {0x41, 0x42, 0x43, 0x44}},
      {"unsigned char data[3] = { 0x41, 0x42,\n  0x43\n};", R::Hex, {0x41, 0x42, 0x43}},
      {"static const uint8_t x[]={0x41};", R::Hex, {0x41}},
      {"{ 0x41, 0x42, }", R::Hex, {0x41, 0x42}},
      {"face", R::Hex, {0xFA, 0xCE}},
      {"12", R::Hex, {0x12}},
      {"{ 41, 42 }", R::Utf8Text, {}},  // decimal in C, not guessed
      {"unsigned char data[1] = { 0x41 }", R::Hex, {0x41}},
      {"data[1] = { 0x41 };", R::Utf8Text, {}},
      {"ABC", R::Utf8Text, {}},
      {"0x123", R::Utf8Text, {}},
      {"0x4 0x41", R::Utf8Text, {}},
      {"0x41x", R::Utf8Text, {}},
      {"41,,42", R::Utf8Text, {}},
      {",41", R::Utf8Text, {}},
      {"41 4G0", R::Utf8Text, {}},
      {"41 };", R::Utf8Text, {}},
      {"{ }", R::Utf8Text, {}},
      {" \n", R::Utf8Text, {}},
      {"QUJD", R::Base64, Of("ABC")},
      {"QU\r\nJD QQ==", R::Base64, Of("ABCA")},
      {"Zm8=", R::Base64, Of("fo")},
      {"Test", R::Base64, {0x4D, 0xEB, 0x2D}},
      {"Zh==", R::Utf8Text, {}},  // stray bits after the byte
      {"Zm9=", R::Utf8Text, {}},
      {"Zg=", R::Utf8Text, {}},
      {"Z===", R::Utf8Text, {}},
      {"Zg==Zg==", R::Utf8Text, {}},
      {"Zg==x", R::Utf8Text, {}},
      {"QUJDR", R::Utf8Text, {}},
      {"h\xC3\xA9llo", R::Utf8Text, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    const std::optional<TPasteBytes> got = ParsePasteText(c.Text);
    ASSERT_TRUE(got);
    EXPECT_EQ(int(got->Reading), int(c.Reading));
    EXPECT_EQ(got->Bytes, c.Reading == R::Utf8Text ? Of(c.Text) : c.Bytes);
    EXPECT_EQ(ParseHexText(c.Text).has_value(), c.Reading == R::Hex);
  }
  EXPECT_FALSE(ParsePasteText(""));
  // Text that is both reads as either on its own.
  EXPECT_EQ(ParseBase64Text("DEADBEEF"), (TBytes{0x0C, 0x40, 0x03, 0x04, 0x41, 0x05}));
}

TEST(ByteText, EveryFormatReadsBackRandomBytes) {
  BQ_SEEDED_RNG(rng, 11);
  std::vector<size_t> lengths = {40000, 70001};  // beyond the pieces of writers and readers
  for (int i = 0; i < 300; ++i) lengths.push_back(1 + rng() % 300);
  for (const size_t n : lengths) {
    SCOPED_TRACE(n);
    TBytes bytes(n);
    for (uint8_t& b : bytes) b = uint8_t(rng());
    for (const TCopyFormat f : {TCopyFormat::HexSpaced, TCopyFormat::HexPlain, TCopyFormat::CArray}) {
      const std::optional<TPasteBytes> got = ParsePasteText(Format(f, bytes));
      ASSERT_TRUE(got);
      EXPECT_EQ(int(got->Reading), int(TPasteReading::Hex));
      EXPECT_EQ(got->Bytes, bytes);
    }
    EXPECT_EQ(ParseBase64Text(Format(TCopyFormat::Base64, bytes)), bytes);
    EXPECT_EQ(Format(TCopyFormat::Raw, bytes), std::string(bytes.begin(), bytes.end()));
    Format(TCopyFormat::Escaped, bytes);  // checks its exact size
    for (const TCopyFormat f :
         {TCopyFormat::Raw, TCopyFormat::HexSpaced, TCopyFormat::HexPlain, TCopyFormat::CArray, TCopyFormat::Base64})
      EXPECT_EQ(CopyTextSize(f, uint64_t(n)), CopyTextSize(f, bytes.data(), n));

    // Hand-made hex: random separators between bytes, and "0x" where a byte
    // stands alone, so the reader switches between its loops anywhere.
    static const char* const seps[] = {"", " ", ", ", "\r\n", "\t ", " ,"};
    std::vector<const char*> after(n);
    for (const char*& s : after) s = seps[rng() % 6];
    std::string hex;
    for (size_t i = 0; i < n; ++i) {
      const bool alone = (i == 0 || *after[i - 1]) && *after[i];
      if (alone && rng() % 2) hex += "0x";
      const char pair[] = {"0123456789abcdef"[bytes[i] >> 4], "0123456789ABCDEF"[bytes[i] & 15], 0};
      hex += pair;
      hex += after[i];
    }
    EXPECT_EQ(ParseHexText(hex), bytes) << hex.substr(0, 200);

    // One character that is no digit in place of a digit, anywhere in a
    // long run, also where 16 of them are read at a time.
    static const char bad[] = {'G', 'g', '/', ':', '@', '`', 'x', '\x10', '\x19', '\x1A', '\xC6', '\0'};
    for (const TCopyFormat f : {TCopyFormat::HexSpaced, TCopyFormat::HexPlain}) {
      std::string text = Format(f, bytes);
      const size_t pair = rng() % n;
      text[f == TCopyFormat::HexSpaced ? 3 * pair + rng() % 2 : 2 * pair + rng() % 2] = bad[rng() % sizeof bad];
      EXPECT_FALSE(ParseHexText(text)) << text.substr(0, 200);
    }
  }
}
