// The options of the Options menu and the interface language, read by the
// commands when they run. One instance, Options.
#pragma once

#include <cstdint>

struct TOptionsState {
  bool NoUnknown = true;
  bool KeepMarksOnLoad = false;
  bool OverwriteWarning = true;
  bool CreateBackUp = true;
  bool PrintMarksHatched = true;
  bool PrintMarksUsingColors = false;
  bool DoNotPrintMarks = false;
  int32_t Language = 9;  // 7 is German, anything else English
  // The data inspector: shown, and the byte order it reads in.
  bool InspectorOpen = false;
  bool InspectorBigEndian = false;
  // The text format Copy bytes as offers first (a TCopyFormat).
  int32_t CopyFormat = 1;
  // The algorithms Checksums computes, as bits of TDigestKind (SHA-256 and
  // CRC-32 at first).
  int32_t ChecksumKinds = 0x21;
};

extern TOptionsState Options;

inline bool German() { return Options.Language == 7; }
