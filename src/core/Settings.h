// The persisted settings: start-up defaults, the reading and writing
// sequences over a typed store, and the placement of the main window. The
// store itself (a file on disk) lives in the platform layer; tests use a
// store in memory.
#pragma once

#include <cstdint>
#include <string>

// One stored value as the store finds it: missing, text, or something that
// is not text at all (a list, binary data, another typed value).
struct TStoredValue {
  enum TKind { Missing, Text, Other };
  TKind Kind = Missing;
  std::string Value;  // UTF-8, only for Text
};

class ISettingsStore {
 public:
  virtual ~ISettingsStore() = default;
  // Opens the settings for reading (create false: fails when there are none
  // yet) or for writing (create true: fails when they cannot be created).
  virtual bool Open(bool create) = 0;
  // Value names are matched without regard to letter case.
  virtual TStoredValue Read(const std::string& name) = 0;
  virtual void WriteInteger(const std::string& name, int32_t value) = 0;
  virtual void WriteString(const std::string& name, const std::string& value) = 0;
  // Ends the access. After writing, everything written lands at once or not
  // at all; false when it could not land.
  virtual bool Close() = 0;
};

// Strings longer than this count as damaged, like a value of the wrong type:
// no path on this system is longer.
constexpr size_t MaxStoredStringLength = 32767;

// An integer as stored: optional blanks, an optional sign and decimal digits,
// within 32 bits signed or unsigned (an unsigned value keeps its bits).
bool ParseStoredInteger(const std::string& text, int32_t& value);

// Start-up defaults of every setting, before anything is read. language is
// the user's system language (7 German, else 9), calcPath the calculator
// found on this system.
void SetStartupDefaults(int32_t language, const std::string& calcPath);

// Reads the stored settings in their fixed order. The first integer or
// boolean that is missing or not an integer, or the first string that is not
// text, ends the reading silently: what was read before stays, the rest keeps
// its defaults. A missing string reads as empty.
void LoadSettings(ISettingsStore& store);

// Writes every setting, with the dialog base units of the running system.
// False when nothing could be written; nothing is shown either way.
bool SaveSettings(ISettingsStore& store, int32_t dialogBaseUnits);

// The placement of the main window at start-up, as plain arithmetic.
struct TPlacementInput {
  int32_t CurrentDialogBaseUnits = 0;
  // The window as it would open without stored geometry.
  int32_t DefaultLeft = 0;
  int32_t DefaultTop = 0;
  int32_t DefaultWidth = 540;
  int32_t DefaultHeight = 450;
  bool FirstInstance = true;
  // Two random numbers in 0..4 for the offset of a second copy.
  int32_t R = 0;
  int32_t S = 0;
  // The desktop the window must stay on.
  int32_t ScreenLeft = 0;
  int32_t ScreenTop = 0;
  int32_t ScreenWidth = 0;
  int32_t ScreenHeight = 0;
  // What the window manager's frame adds to the client size.
  int32_t FrameExtraWidth = 0;
  int32_t FrameExtraHeight = 0;
  // False where the compositor places every window (Wayland): only the size
  // is restored, and a second copy is not offset.
  bool Placeable = true;
};

struct TPlacement {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  // False: the window system chooses the position.
  bool Positioned = false;
};

// Uses the stored geometry of G when the dialog base units still match.
TPlacement ComputePlacement(const TPlacementInput& in);
