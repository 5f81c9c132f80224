// The settings model: reading order and where it stops, writing, and the
// placement of the main window, against a store kept in memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <map>
#include <random>
#include <vector>

#include "commands/ProgramState.h"
#include "core/EnvState.h"
#include "core/Globals.h"
#include "core/GridState.h"
#include "core/OptionsState.h"
#include "core/Settings.h"
#include "fakes/TestSeed.h"

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return s;
}

// A store in memory: names are matched without regard to case, like the file.
class TMemoryStore : public ISettingsStore {
 public:
  bool Exists = true;
  bool Creatable = true;
  bool CommitFails = false;
  std::map<std::string, TStoredValue> Values;  // by lower-case name
  std::vector<std::string> Reads;
  std::vector<std::string> WrittenNames;
  int Closes = 0;

  void SetText(const std::string& name, const std::string& v) { Values[Lower(name)] = {TStoredValue::Text, v}; }
  void SetOther(const std::string& name) { Values[Lower(name)] = {TStoredValue::Other, ""}; }
  void Remove(const std::string& name) { Values.erase(Lower(name)); }

  bool Open(bool create) override { return create ? Creatable : Exists; }
  TStoredValue Read(const std::string& name) override {
    Reads.push_back(name);
    const auto it = Values.find(Lower(name));
    return it == Values.end() ? TStoredValue{} : it->second;
  }
  void WriteInteger(const std::string& name, int32_t value) override { Write(name, std::to_string(value)); }
  void WriteString(const std::string& name, const std::string& value) override { Write(name, value); }
  bool Close() override {
    ++Closes;
    return !CommitFails;
  }

 private:
  void Write(const std::string& name, const std::string& v) {
    WrittenNames.push_back(name);
    SetText(name, v);
  }
};

const std::vector<std::string> ReadOrder = {"Left",
                                            "Top",
                                            "Height",
                                            "Width",
                                            "DialogBaseUnits",
                                            "Hex",
                                            "NoUnknown",
                                            "PrintMarksHatched",
                                            "PrintMarksUsingColors",
                                            "DoNotPrintMarks",
                                            "KeepMarksOnLoad",
                                            "OverWriteWarning",
                                            "CreateBackUp",
                                            "Language",
                                            "CalcPath",
                                            "InitialDir",
                                            "MarksInitialDir",
                                            "File0",
                                            "File1",
                                            "File2",
                                            "File3",
                                            "File4",
                                            "InspectorOpen",
                                            "InspectorBigEndian",
                                            "InspectorLeft",
                                            "InspectorTop",
                                            "InspectorWidth",
                                            "InspectorHeight",
                                            "CopyFormat",
                                            "ChecksumKinds"};

// The strings stand at 14 .. 21 of the order; the rest are numbers.
constexpr size_t FirstString = 14, EndOfStrings = 22;
bool IsNumber(size_t k) { return k < FirstString || k >= EndOfStrings; }

// Values that differ from every default.
void FillNonDefault(TMemoryStore& s) {
  const char* ints[] = {"Left", "Top", "Height", "Width", "DialogBaseUnits"};
  int n = 11;
  for (const char* name : ints) s.SetText(name, std::to_string(n++));
  for (const char* name : {"Hex", "NoUnknown", "PrintMarksHatched", "OverWriteWarning", "CreateBackUp"})
    s.SetText(name, "0");
  for (const char* name : {"PrintMarksUsingColors", "DoNotPrintMarks", "KeepMarksOnLoad"}) s.SetText(name, "1");
  s.SetText("Language", "7");
  for (const char* name : {"CalcPath", "InitialDir", "MarksInitialDir", "File0", "File1", "File2", "File3", "File4"})
    s.SetText(name, std::string("/x/") + name);
  for (const char* name : {"InspectorOpen", "InspectorBigEndian"}) s.SetText(name, "1");
  for (const char* name : {"InspectorLeft", "InspectorTop", "InspectorWidth", "InspectorHeight", "CopyFormat",
                           "ChecksumKinds"})
    s.SetText(name, std::to_string(n++));
}

// Which settings hold the value FillNonDefault gave them, in read order.
std::vector<bool> TakenFromStore() {
  return {Env.Left == 11,
          Env.Top == 12,
          Env.Height == 13,
          Env.Width == 14,
          Env.DialogBaseUnits == 15,
          !Grid.Hex,
          !Options.NoUnknown,
          !Options.PrintMarksHatched,
          Options.PrintMarksUsingColors,
          Options.DoNotPrintMarks,
          Options.KeepMarksOnLoad,
          !Options.OverwriteWarning,
          !Options.CreateBackUp,
          Options.Language == 7,
          Env.CalcPath == "/x/CalcPath",
          Env.InitialDir == "/x/InitialDir",
          Env.MarksInitialDir == "/x/MarksInitialDir",
          Env.File[0] == "/x/File0",
          Env.File[1] == "/x/File1",
          Env.File[2] == "/x/File2",
          Env.File[3] == "/x/File3",
          Env.File[4] == "/x/File4",
          Options.InspectorOpen,
          Options.InspectorBigEndian,
          Env.InspectorLeft == 16,
          Env.InspectorTop == 17,
          Env.InspectorWidth == 18,
          Env.InspectorHeight == 19,
          Options.CopyFormat == 20,
          Options.ChecksumKinds == 21};
}

class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    SetStartupDefaults(9, "/usr/bin/calc");
  }
  void TearDown() override { ResetProgramState(); }
};

TEST_F(Settings, FirstStartKeepsEveryDefault) {
  SetStartupDefaults(7, "/usr/bin/calc");
  TMemoryStore store;
  store.Exists = false;
  LoadSettings(store);
  EXPECT_TRUE(store.Reads.empty());
  EXPECT_EQ(Options.Language, 7);
  EXPECT_TRUE(Grid.Hex && Options.NoUnknown && Options.PrintMarksHatched && Options.CreateBackUp &&
              Options.OverwriteWarning);
  EXPECT_FALSE(Options.PrintMarksUsingColors || Options.DoNotPrintMarks || Options.KeepMarksOnLoad);
  EXPECT_EQ(Env.CalcPath, "/usr/bin/calc");
  EXPECT_EQ(Env.Width, 0);
  EXPECT_EQ(Env.DialogBaseUnits, 0);
  for (const std::string& f : Env.File) EXPECT_TRUE(f.empty());
}

TEST_F(Settings, EverySettingIsReadInItsOrder) {
  TMemoryStore store;
  FillNonDefault(store);
  LoadSettings(store);
  EXPECT_EQ(store.Reads, ReadOrder);
  EXPECT_EQ(store.Closes, 1);
  for (bool taken : TakenFromStore()) EXPECT_TRUE(taken);
}

// A missing or wrongly typed integer or boolean ends the reading there:
// everything before is taken, it and everything after keep their defaults
// (a key without "Hex" gives only the geometry).
TEST_F(Settings, ReadingStopsAtTheFirstBadNumber) {
  const char* damages[] = {"missing", "other", "text", "empty", "huge", "fraction"};
  for (size_t k = 0; k < ReadOrder.size(); ++k)
    for (const char* damage : damages) {
      if (!IsNumber(k)) continue;
      SCOPED_TRACE(ReadOrder[k] + " " + damage);
      SetUp();
      TMemoryStore store;
      FillNonDefault(store);
      const std::string name = ReadOrder[k];
      if (std::string(damage) == "missing") store.Remove(name);
      if (std::string(damage) == "other") store.SetOther(name);
      if (std::string(damage) == "text") store.SetText(name, "true");
      if (std::string(damage) == "empty") store.SetText(name, "");
      if (std::string(damage) == "huge") store.SetText(name, "99999999999999999999");
      if (std::string(damage) == "fraction") store.SetText(name, "1.5");
      LoadSettings(store);
      const std::vector<bool> taken = TakenFromStore();
      for (size_t i = 0; i < taken.size(); ++i) EXPECT_EQ(taken[i], i < k) << ReadOrder[i];
      EXPECT_EQ(store.Reads.size(), k + 1);
    }
}

// A missing CalcPath among them empties the calculator's default path.
TEST_F(Settings, MissingStringsReadAsEmptyAndTheReadingGoesOn) {
  for (size_t k = FirstString; k < EndOfStrings; ++k) {
    SCOPED_TRACE(ReadOrder[k]);
    SetUp();
    TMemoryStore store;
    FillNonDefault(store);
    store.Remove(ReadOrder[k]);
    LoadSettings(store);
    const std::vector<bool> taken = TakenFromStore();
    for (size_t i = 0; i < taken.size(); ++i) EXPECT_EQ(taken[i], i != k) << ReadOrder[i];
  }
}

TEST_F(Settings, AStringOfAnotherTypeOrTooLongEndsTheReading) {
  for (bool tooLong : {false, true})
    for (size_t k = FirstString; k < EndOfStrings; ++k) {
      SCOPED_TRACE(ReadOrder[k]);
      SetUp();
      TMemoryStore store;
      FillNonDefault(store);
      if (tooLong)
        store.SetText(ReadOrder[k], std::string(MaxStoredStringLength + 1, 'a'));
      else
        store.SetOther(ReadOrder[k]);
      LoadSettings(store);
      const std::vector<bool> taken = TakenFromStore();
      for (size_t i = 0; i < taken.size(); ++i) EXPECT_EQ(taken[i], i < k) << ReadOrder[i];
    }
}

TEST_F(Settings, BooleansAreAnyNonZeroIntegerAndStringsEndAtAZeroByte) {
  TMemoryStore store;
  FillNonDefault(store);
  store.SetText("Hex", "-1");
  store.SetText("KeepMarksOnLoad", "2");
  store.SetText("NoUnknown", " 0 ");
  store.SetText("File0", std::string("/a\0/b", 5));
  store.SetText("File1", std::string("\0rest", 5));
  LoadSettings(store);
  EXPECT_TRUE(Grid.Hex);
  EXPECT_TRUE(Options.KeepMarksOnLoad);
  EXPECT_FALSE(Options.NoUnknown);
  EXPECT_EQ(Env.File[0], "/a");
  EXPECT_EQ(Env.File[1], "");
  EXPECT_EQ(Env.File[2], "/x/File2");
}

TEST_F(Settings, EverythingIsWrittenInOrderUnderItsWrittenName) {
  Env.DialogBaseUnits = 1234;  // the stored value is not what is written
  TMemoryStore store;
  EXPECT_TRUE(SaveSettings(store, 0x00100007));
  std::vector<std::string> expected = ReadOrder;
  expected[11] = "OverwriteWarning";
  EXPECT_EQ(store.WrittenNames, expected);
  EXPECT_EQ(store.Values["dialogbaseunits"].Value, std::to_string(0x00100007));
  EXPECT_EQ(store.Values["hex"].Value, "1");
  EXPECT_EQ(store.Values["donotprintmarks"].Value, "0");
  EXPECT_EQ(store.Values["file4"].Kind, TStoredValue::Text);  // empty strings are written too
  EXPECT_EQ(store.Values["file4"].Value, "");
}

TEST_F(Settings, NothingIsWrittenWhenTheStoreCannotBeCreated) {
  TMemoryStore store;
  store.Creatable = false;
  EXPECT_FALSE(SaveSettings(store, 1));
  EXPECT_TRUE(store.WrittenNames.empty());
  store.Creatable = true;
  store.CommitFails = true;
  EXPECT_FALSE(SaveSettings(store, 1));
}

// Random settings survive a write and a read, whatever their values.
TEST_F(Settings, RandomRoundTrips) {
  BQ_SEEDED_RNG(rng, 13);
  std::uniform_int_distribution<int64_t> anyInt(INT32_MIN, INT32_MAX);
  auto anyString = [&] {
    std::string s(rng() % 40, ' ');
    for (char& c : s) c = char(1 + rng() % 255);  // any byte but zero
    return s;
  };
  for (int round = 0; round < 200; ++round) {
    Env.Left = int32_t(anyInt(rng));
    Env.Top = int32_t(anyInt(rng));
    Env.Height = int32_t(anyInt(rng));
    Env.Width = int32_t(anyInt(rng));
    const int32_t units = int32_t(anyInt(rng));
    bool* flags[] = {&Grid.Hex,
                     &Options.NoUnknown,
                     &Options.PrintMarksHatched,
                     &Options.PrintMarksUsingColors,
                     &Options.DoNotPrintMarks,
                     &Options.KeepMarksOnLoad,
                     &Options.OverwriteWarning,
                     &Options.CreateBackUp};
    for (bool* f : flags) *f = rng() % 2;
    Options.Language = int32_t(anyInt(rng));
    Env.CalcPath = anyString();
    Env.InitialDir = anyString();
    Env.MarksInitialDir = anyString();
    for (std::string& f : Env.File) f = anyString();
    const TEnvState env = Env;
    const TOptionsState options = Options;
    const bool hex = Grid.Hex;

    TMemoryStore store;
    ASSERT_TRUE(SaveSettings(store, units));
    ResetGlobals();
    SetStartupDefaults(9, "");
    LoadSettings(store);
    EXPECT_EQ(Env.Left, env.Left);
    EXPECT_EQ(Env.Top, env.Top);
    EXPECT_EQ(Env.Height, env.Height);
    EXPECT_EQ(Env.Width, env.Width);
    EXPECT_EQ(Env.DialogBaseUnits, units);
    EXPECT_EQ(Grid.Hex, hex);
    EXPECT_EQ(Options.NoUnknown, options.NoUnknown);
    EXPECT_EQ(Options.PrintMarksHatched, options.PrintMarksHatched);
    EXPECT_EQ(Options.PrintMarksUsingColors, options.PrintMarksUsingColors);
    EXPECT_EQ(Options.DoNotPrintMarks, options.DoNotPrintMarks);
    EXPECT_EQ(Options.KeepMarksOnLoad, options.KeepMarksOnLoad);
    EXPECT_EQ(Options.OverwriteWarning, options.OverwriteWarning);
    EXPECT_EQ(Options.CreateBackUp, options.CreateBackUp);
    EXPECT_EQ(Options.Language, options.Language);
    EXPECT_EQ(Env.CalcPath, env.CalcPath);
    EXPECT_EQ(Env.InitialDir, env.InitialDir);
    EXPECT_EQ(Env.MarksInitialDir, env.MarksInitialDir);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Env.File[i], env.File[i]);
    ResetGlobals();
  }
}

TEST(StoredIntegers, OnlyWholeDecimalNumbersWithin32Bits) {
  struct {
    const char* Text;
    bool Ok;
    int32_t Value;
  } cases[] = {{"0", true, 0},
               {"42", true, 42},
               {"  -7 ", true, -7},
               {"+3", true, 3},
               {"-2147483648", true, INT32_MIN},
               {"2147483647", true, INT32_MAX},
               {"4294967295", true, -1},  // an unsigned 32-bit value keeps its bits
               {"4294967296", false, 0},
               {"-2147483649", false, 0},
               {"99999999999999999999999999", false, 0},
               {"", false, 0},
               {"   ", false, 0},
               {"-", false, 0},
               {"1e3", false, 0},
               {"0x10", false, 0},
               {"12abc", false, 0},
               {"1 2", false, 0},
               {"true", false, 0}};
  for (const auto& c : cases) {
    int32_t v = 12345;
    EXPECT_EQ(ParseStoredInteger(c.Text, v), c.Ok) << c.Text;
    EXPECT_EQ(v, c.Ok ? c.Value : 12345) << c.Text;
  }
}

// The placement of the main window as arithmetic.
class Placement : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    Env.Left = 100;
    Env.Top = 50;
    Env.Width = 600;
    Env.Height = 400;
    Env.DialogBaseUnits = 0x00100007;
    In.CurrentDialogBaseUnits = 0x00100007;
    In.DefaultLeft = 3;
    In.DefaultTop = 4;
    In.ScreenWidth = 1920;
    In.ScreenHeight = 1080;
  }
  void TearDown() override { ResetProgramState(); }
  TPlacementInput In;
  // "left,top widthxheight", and " placed" when the position counts.
  static std::string Describe(const TPlacement& p) {
    return std::to_string(p.Left) + "," + std::to_string(p.Top) + " " + std::to_string(p.Width) + "x" +
           std::to_string(p.Height) + (p.Positioned ? " placed" : "");
  }
};

TEST_F(Placement, StoredGeometryOnlyForTheSameDialogBaseUnits) {
  TPlacement p = ComputePlacement(In);
  EXPECT_TRUE(p.Positioned);
  EXPECT_EQ(p.Left, 100);
  EXPECT_EQ(p.Top, 50);
  EXPECT_EQ(p.Width, 600);
  EXPECT_EQ(p.Height, 400);
  In.CurrentDialogBaseUnits = 0x00120008;  // another font size
  p = ComputePlacement(In);
  EXPECT_FALSE(p.Positioned);
  EXPECT_EQ(p.Width, 540);
  EXPECT_EQ(p.Height, 450);
  // A stored size that makes no sense is not used either.
  In.CurrentDialogBaseUnits = Env.DialogBaseUnits;
  Env.Height = 0;
  EXPECT_FALSE(ComputePlacement(In).Positioned);
}

TEST_F(Placement, ASecondCopyOpensLowerAndFurtherRight) {
  In.FirstInstance = false;
  for (int r = 0; r < 5; ++r)
    for (int s = 0; s < 5; ++s) {
      In.R = r;
      In.S = s;
      const TPlacement p = ComputePlacement(In);
      EXPECT_EQ(p.Top, 50 + 8 * (r + 1));
      EXPECT_EQ(p.Left, 100 + 8 * (s + 1));
    }
  // Without stored geometry the offset starts from the default position.
  In.CurrentDialogBaseUnits = 1;
  In.R = 4;
  In.S = 0;
  const TPlacement p = ComputePlacement(In);
  EXPECT_TRUE(p.Positioned);
  EXPECT_EQ(p.Top, 4 + 40);
  EXPECT_EQ(p.Left, 3 + 8);
}

TEST_F(Placement, OffScreenPositionsArePulledBack) {
  struct {
    int32_t Left, Top, ExpectedLeft, ExpectedTop;
  } cases[] = {
      {1500, 900, 1920 - 600, 1080 - 400},  // right and bottom edges meet the screen's
      {1320, 680, 1320, 680},               // exactly fits
      {1321, 681, 1320, 680},
      {-3000, -2000, 0, 0},               // a monitor on the left that is gone
      {INT32_MAX, INT32_MAX, 1320, 680},  // no overflow on damaged values
      {INT32_MIN, INT32_MIN, 0, 0},
  };
  for (const auto& c : cases) {
    Env.Left = c.Left;
    Env.Top = c.Top;
    const TPlacement p = ComputePlacement(In);
    EXPECT_EQ(p.Left, c.ExpectedLeft) << c.Left;
    EXPECT_EQ(p.Top, c.ExpectedTop) << c.Top;
  }
  // A second copy near the edge is pulled back too.
  Env.Left = 1320;
  Env.Top = 680;
  In.FirstInstance = false;
  In.R = In.S = 4;
  const TPlacement p = ComputePlacement(In);
  EXPECT_EQ(p.Left, 1320);
  EXPECT_EQ(p.Top, 680);
}

// Where the compositor places windows: the stored size (fitted to the
// screen, which may be smaller than the one it was stored on) and no
// position, not even a second copy's offset.
TEST_F(Placement, WhereWindowsCannotBePlacedOnlyTheSizeComesBack) {
  In.Placeable = false;
  In.FirstInstance = false;
  In.FrameExtraHeight = 30;
  EXPECT_EQ(Describe(ComputePlacement(In)), "3,4 600x400");
  Env.Height = 5000;
  EXPECT_EQ(Describe(ComputePlacement(In)), "3,4 600x1050");
  In.CurrentDialogBaseUnits = 1;
  EXPECT_EQ(Describe(ComputePlacement(In)), "3,4 540x450");
}

// The frame's edges meet the screen's, title bar and borders included.
TEST_F(Placement, TheFrameCountsAtTheEdges) {
  Env.Left = Env.Top = 5000;
  In.FrameExtraWidth = 8;
  In.FrameExtraHeight = 30;
  TPlacement p = ComputePlacement(In);
  EXPECT_EQ(p.Left + p.Width + 8, 1920);
  EXPECT_EQ(p.Top + p.Height + 30, 1080);
  Env.Height = 5000;
  p = ComputePlacement(In);
  EXPECT_EQ(p.Height, 1080 - 30);
  EXPECT_EQ(p.Top, 0);
}

TEST_F(Placement, ADesktopThatDoesNotStartAtZero) {
  In.ScreenLeft = -1280;
  In.ScreenTop = 0;
  In.ScreenWidth = 1280 + 1920;
  Env.Left = -1200;
  EXPECT_EQ(ComputePlacement(In).Left, -1200);
  Env.Left = 1900;
  EXPECT_EQ(ComputePlacement(In).Left, 1920 - 600);
  // A window taller than the screen shrinks to it and starts at its top.
  Env.Height = 5000;
  const TPlacement p = ComputePlacement(In);
  EXPECT_EQ(p.Height, 1080);
  EXPECT_EQ(p.Top, 0);
}

}  // namespace
