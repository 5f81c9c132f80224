// The settings reader over a store in memory filled from the input: every
// value it asks for is the next entry of the input (missing, text, or some
// other type). Whatever was read must write back and read again to the same
// settings, and the integers must parse as a plain reading of decimal text.
//
// Input: entries of a kind byte (0 missing, 1 text, 2 other; bit 7 of a text
// entry: a text past the longest allowed), a length byte and that many bytes.
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "core/EnvState.h"
#include "core/Globals.h"
#include "core/GridState.h"
#include "core/OptionsState.h"
#include "core/Settings.h"

namespace {

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return s;
}

class TInputStore : public ISettingsStore {
 public:
  TInputStore(const uint8_t* data, size_t n) : FData(data), FSize(n) {}
  bool Open(bool) override { return true; }
  TStoredValue Read(const std::string& name) override {
    auto it = FValues.find(Lower(name));
    if (it != FValues.end()) return it->second;
    TStoredValue v;
    if (FPos + 2 <= FSize) {
      const uint8_t kind = FData[FPos];
      const size_t length = std::min<size_t>(FData[FPos + 1], FSize - FPos - 2);
      const std::string text(reinterpret_cast<const char*>(FData + FPos + 2), length);
      FPos += 2 + length;
      v.Kind = kind % 3 == 0 ? TStoredValue::Missing : kind % 3 == 1 ? TStoredValue::Text : TStoredValue::Other;
      if (v.Kind == TStoredValue::Text) v.Value = kind & 0x80 ? text + std::string(MaxStoredStringLength, 'x') : text;
    }
    return FValues[Lower(name)] = v;
  }
  void WriteInteger(const std::string&, int32_t) override {}
  void WriteString(const std::string&, const std::string&) override {}
  bool Close() override { return true; }

 private:
  const uint8_t* FData;
  size_t FSize;
  size_t FPos = 0;
  std::map<std::string, TStoredValue> FValues;
};

// What SaveSettings writes, as text.
class TMemoryStore : public ISettingsStore {
 public:
  std::map<std::string, std::string> Values;
  bool Open(bool) override { return true; }
  TStoredValue Read(const std::string& name) override {
    auto it = Values.find(Lower(name));
    if (it == Values.end()) return {};
    return {TStoredValue::Text, it->second};
  }
  void WriteInteger(const std::string& name, int32_t value) override { Values[Lower(name)] = std::to_string(value); }
  void WriteString(const std::string& name, const std::string& value) override { Values[Lower(name)] = value; }
  bool Close() override { return true; }
};

// Decimal text the plain way: blanks, a sign, digits, blanks; within 32 bits
// signed or unsigned.
bool PlainParse(const std::string& t, int32_t& value) {
  size_t i = 0, end = t.size();
  while (i < end && (t[i] == ' ' || t[i] == '\t')) ++i;
  while (end > i && (t[end - 1] == ' ' || t[end - 1] == '\t')) --end;
  std::string body = t.substr(i, end - i);
  bool negative = false;
  if (!body.empty() && (body[0] == '-' || body[0] == '+')) {
    negative = body[0] == '-';
    body.erase(0, 1);
  }
  if (body.empty()) return false;
  for (char c : body)
    if (c < '0' || c > '9') return false;
  while (body.size() > 1 && body[0] == '0') body.erase(0, 1);
  if (body.size() > 10) return false;
  const long long n = (negative ? -1 : 1) * std::stoll(body);
  if (n < INT32_MIN || n > int64_t(UINT32_MAX)) return false;
  value = int32_t(uint32_t(n));
  return true;
}

struct TSnapshot {
  std::vector<int32_t> Ints;
  std::vector<std::string> Strings;
  bool operator==(const TSnapshot& o) const { return Ints == o.Ints && Strings == o.Strings; }
};

TSnapshot Take() {
  TSnapshot s;
  s.Ints = {Env.Left,
            Env.Top,
            Env.Height,
            Env.Width,
            Env.DialogBaseUnits,
            Grid.Hex,
            Options.NoUnknown,
            Options.PrintMarksHatched,
            Options.PrintMarksUsingColors,
            Options.DoNotPrintMarks,
            Options.KeepMarksOnLoad,
            Options.OverwriteWarning,
            Options.CreateBackUp,
            Options.Language};
  s.Strings = {Env.CalcPath, Env.InitialDir, Env.MarksInitialDir};
  for (const std::string& f : Env.File) s.Strings.push_back(f);
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t n) {
  // The integer parser on the whole input as text.
  {
    const std::string text(reinterpret_cast<const char*>(data), std::min<size_t>(n, 64));
    int32_t a = 0, b = 0;
    const bool ok = ParseStoredInteger(text, a);
    FUZZ_CHECK(ok == PlainParse(text, b));
    if (ok) FUZZ_CHECK(a == b);
  }
  ResetGlobals();
  SetStartupDefaults(9, "/usr/bin/calc");
  TInputStore input(data, n);
  LoadSettings(input);
  const TSnapshot read = Take();
  for (const std::string& s : read.Strings) {
    FUZZ_CHECK(s.size() <= MaxStoredStringLength);
    FUZZ_CHECK(s.find('\0') == std::string::npos);
  }
  TMemoryStore memory;
  FUZZ_CHECK(SaveSettings(memory, Env.DialogBaseUnits));
  ResetGlobals();
  SetStartupDefaults(7, "");
  LoadSettings(memory);
  FUZZ_CHECK(Take() == read);
  return 0;
}
