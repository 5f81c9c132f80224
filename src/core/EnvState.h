// What belongs to the window and its surroundings: the stored placement, the
// stored folders, calculator and recent files, whether another copy runs,
// and what the platform tells at start. One instance, Env.
#pragma once

#include <cstdint>
#include <string>

#include "core/Rgb.h"

struct TEnvState {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Height = 0;
  int32_t Width = 0;
  int32_t DialogBaseUnits = 0;
  bool FirstInstance = true;
  bool FirstShow = true;
  std::string CalcPath;
  std::string InitialDir;
  std::string MarksInitialDir;
  std::string File[5];
  // Where the data inspector stood (Width 0: never placed).
  int32_t InspectorLeft = 0;
  int32_t InspectorTop = 0;
  int32_t InspectorWidth = 0;
  int32_t InspectorHeight = 0;

  // System colours and number format of the platform, filled in by the
  // window at start.
  TRgb ButtonFace{240, 240, 240};
  TRgb ButtonShadow{160, 160, 160};
  // Text on the button face: black on a light theme, light on a dark one.
  TRgb ButtonText{0, 0, 0};
  std::string DecimalSeparator = ".";
};

extern TEnvState Env;
