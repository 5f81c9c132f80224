#include "core/Settings.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "core/Digests.h"
#include "core/EnvState.h"
#include "core/GridState.h"
#include "core/OptionsState.h"

static_assert(TOptionsState{}.ChecksumKinds == int32_t(DefaultDigestKinds));

namespace {

enum class TSlotKind { Integer, Boolean, String };

// One setting: the name it is read under, the name it is written under
// (they differ only in letter case for the overwrite warning) and where it
// lives.
struct TSlot {
  const char* ReadName;
  const char* WriteName;
  TSlotKind Kind;
  int32_t* Int = nullptr;
  bool* Bool = nullptr;
  std::string* Str = nullptr;
};

TSlot IntSlot(const char* name, int32_t& v) { return {name, name, TSlotKind::Integer, &v, nullptr, nullptr}; }
TSlot BoolSlot(const char* read, const char* write, bool& v) {
  return {read, write, TSlotKind::Boolean, nullptr, &v, nullptr};
}
TSlot BoolSlot(const char* name, bool& v) { return BoolSlot(name, name, v); }
TSlot StrSlot(const char* name, std::string& v) { return {name, name, TSlotKind::String, nullptr, nullptr, &v}; }

// The fixed order of reading and writing.
std::vector<TSlot> Slots() {
  return {IntSlot("Left", Env.Left), IntSlot("Top", Env.Top), IntSlot("Height", Env.Height),
          IntSlot("Width", Env.Width), IntSlot("DialogBaseUnits", Env.DialogBaseUnits), BoolSlot("Hex", Grid.Hex),
          BoolSlot("NoUnknown", Options.NoUnknown), BoolSlot("PrintMarksHatched", Options.PrintMarksHatched),
          BoolSlot("PrintMarksUsingColors", Options.PrintMarksUsingColors),
          BoolSlot("DoNotPrintMarks", Options.DoNotPrintMarks), BoolSlot("KeepMarksOnLoad", Options.KeepMarksOnLoad),
          BoolSlot("OverWriteWarning", "OverwriteWarning", Options.OverwriteWarning),
          BoolSlot("CreateBackUp", Options.CreateBackUp), IntSlot("Language", Options.Language),
          StrSlot("CalcPath", Env.CalcPath), StrSlot("InitialDir", Env.InitialDir),
          StrSlot("MarksInitialDir", Env.MarksInitialDir), StrSlot("File0", Env.File[0]), StrSlot("File1", Env.File[1]),
          StrSlot("File2", Env.File[2]), StrSlot("File3", Env.File[3]), StrSlot("File4", Env.File[4]),
          // Additions come last: a damaged one cannot stop the values above
          // from being read.
          BoolSlot("InspectorOpen", Options.InspectorOpen), BoolSlot("InspectorBigEndian", Options.InspectorBigEndian),
          IntSlot("InspectorLeft", Env.InspectorLeft), IntSlot("InspectorTop", Env.InspectorTop),
          IntSlot("InspectorWidth", Env.InspectorWidth), IntSlot("InspectorHeight", Env.InspectorHeight),
          IntSlot("CopyFormat", Options.CopyFormat), IntSlot("ChecksumKinds", Options.ChecksumKinds)};
}

// Reads one value into its setting; false ends the reading.
bool ReadSlot(const TSlot& slot, const TStoredValue& v) {
  if (slot.Kind == TSlotKind::String) {
    if (v.Kind == TStoredValue::Other) return false;
    std::string s = v.Kind == TStoredValue::Text ? v.Value : std::string();
    s.resize(std::min(s.size(), s.find('\0')));
    if (s.size() > MaxStoredStringLength) return false;
    *slot.Str = std::move(s);
    return true;
  }
  int32_t n = 0;
  if (v.Kind != TStoredValue::Text || !ParseStoredInteger(v.Value, n)) return false;
  if (slot.Kind == TSlotKind::Integer)
    *slot.Int = n;
  else
    *slot.Bool = n != 0;
  return true;
}

}  // namespace

bool ParseStoredInteger(const std::string& text, int32_t& value) {
  size_t i = 0, end = text.size();
  while (i < end && (text[i] == ' ' || text[i] == '\t')) ++i;
  while (end > i && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  bool negative = false;
  if (i < end && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == end) return false;
  int64_t n = 0;
  for (; i < end; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    n = n * 10 + (text[i] - '0');
    if (n > int64_t(UINT32_MAX) + 1) return false;
  }
  if (negative) n = -n;
  if (n < INT32_MIN || n > int64_t(UINT32_MAX)) return false;
  value = static_cast<int32_t>(static_cast<uint32_t>(n));
  return true;
}

void SetStartupDefaults(int32_t language, const std::string& calcPath) {
  Env.CalcPath = calcPath;
  Env.InitialDir.clear();
  Env.MarksInitialDir.clear();
  for (std::string& f : Env.File) f.clear();
  Grid.Hex = true;
  Options.NoUnknown = true;
  Options.PrintMarksHatched = true;
  Options.PrintMarksUsingColors = false;
  Options.DoNotPrintMarks = false;
  Options.KeepMarksOnLoad = false;
  Options.OverwriteWarning = true;
  Options.CreateBackUp = true;
  Env.Left = Env.Top = Env.Height = Env.Width = 0;
  Env.DialogBaseUnits = 0;
  Options.Language = language;
  Options.InspectorOpen = Options.InspectorBigEndian = false;
  Options.CopyFormat = 1;
  Options.ChecksumKinds = int32_t(DefaultDigestKinds);
  Env.InspectorLeft = Env.InspectorTop = Env.InspectorWidth = Env.InspectorHeight = 0;
}

void LoadSettings(ISettingsStore& store) {
  if (!store.Open(false)) return;
  for (const TSlot& slot : Slots())
    if (!ReadSlot(slot, store.Read(slot.ReadName))) break;
  store.Close();
}

bool SaveSettings(ISettingsStore& store, int32_t dialogBaseUnits) {
  if (!store.Open(true)) return false;
  for (const TSlot& slot : Slots()) {
    if (slot.Int == &Env.DialogBaseUnits)
      store.WriteInteger(slot.WriteName, dialogBaseUnits);
    else if (slot.Kind == TSlotKind::Integer)
      store.WriteInteger(slot.WriteName, *slot.Int);
    else if (slot.Kind == TSlotKind::Boolean)
      store.WriteInteger(slot.WriteName, *slot.Bool ? 1 : 0);
    else
      store.WriteString(slot.WriteName, *slot.Str);
  }
  return store.Close();
}

namespace {

// Pulled back inside the right and bottom edges of the screen; then a window
// that still starts left of or above the screen (a monitor that is gone, a
// window taller than the screen) is brought back to its top left corner,
// where its title bar can be reached.
void PullInside(int64_t& left, int64_t& top, int64_t width, int64_t height, const TPlacementInput& in) {
  const int64_t right = int64_t(in.ScreenLeft) + in.ScreenWidth;
  const int64_t bottom = int64_t(in.ScreenTop) + in.ScreenHeight;
  if (right < left + width) left = right - width;
  if (bottom < top + height) top = bottom - height;
  left = std::max<int64_t>(left, in.ScreenLeft);
  top = std::max<int64_t>(top, in.ScreenTop);
}

}  // namespace

TPlacement ComputePlacement(const TPlacementInput& in) {
  TPlacement p;
  // Stored geometry only for the same font and scaling it was taken with,
  // and only when its size makes sense.
  if (in.CurrentDialogBaseUnits == Env.DialogBaseUnits && Env.Width > 0 && Env.Height > 0) {
    p = {Env.Left, Env.Top, Env.Width, Env.Height, true};
  } else {
    p = {in.DefaultLeft, in.DefaultTop, in.DefaultWidth, in.DefaultHeight, false};
  }
  // The frame around the client area counts: it is the frame whose edges
  // must meet the screen's.
  const auto fitHeight = [&] {
    if (in.ScreenHeight > 0 && p.Height + in.FrameExtraHeight > in.ScreenHeight)
      p.Height = std::max(in.ScreenHeight - in.FrameExtraHeight, 1);
  };
  if (!in.Placeable) {
    // The stored size may come from a larger screen.
    p.Left = in.DefaultLeft;
    p.Top = in.DefaultTop;
    p.Positioned = false;
    fitHeight();
    return p;
  }
  // A second copy opens lower and further right, so both are seen.
  int64_t left = p.Left, top = p.Top;
  if (!in.FirstInstance) {
    top += 8 * (int64_t(in.R) + 1);
    left += 8 * (int64_t(in.S) + 1);
    p.Positioned = true;
  }
  if (!p.Positioned) return p;
  fitHeight();
  PullInside(left, top, int64_t(p.Width) + in.FrameExtraWidth, int64_t(p.Height) + in.FrameExtraHeight, in);
  p.Left = static_cast<int32_t>(left);
  p.Top = static_cast<int32_t>(top);
  return p;
}
