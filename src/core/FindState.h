// What the Find dialog holds for the whole run and the commands read after
// it closes: the search and replacement sequences, the options, the mark
// colour, the mode it was last shown in and whether that showing ended with
// OK or All. The Qt dialog edits this state; it never searches itself.
#pragma once

#include <cstdint>

#include "core/BytesData.h"

enum class TFindMode { Find, Replace, FindAndMark };

// The modal result of the dialog's All button (OK gives mrOk).
constexpr int FindAllResult = 4;

struct TFindState {
  TFindState();
  TFindState(const TFindState&) = delete;
  TFindState& operator=(const TFindState&) = delete;

  TBytesData FindData;     // the search sequence; starts as the one byte 0
  TBytesData ReplaceData;  // the replacement; starts empty and may stay so

  bool CaseCB = true;          // checked: bytes compare exactly; else letters fold case
  bool ConfirmCB = true;       // ask before each replacement or marking
  bool BeginCursorRB = true;   // start at the cursor; else at the start or the last byte
  bool DirectionUpRB = false;  // backwards; else forwards (DirectionDownRB)
  uint8_t MarkColour = 1;      // the checked colour button: 1 red ... 6 yellow

  bool ReplaceMode = false;
  bool MarkMode = false;
  bool Accepted = false;  // the last showing ended with OK or All

  bool BeginStartEndRB() const { return !BeginCursorRB; }
  bool DirectionDownRB() const { return !DirectionUpRB; }
  void SetMode(TFindMode mode);
  // Everything back to its start values (the views stay linked).
  void Reset();
};

// The one dialog state of the program.
TFindState& FindState();

// The sizes of the dialog's panels and the arithmetic of its showing: which
// panels show, the client height, and where the buttons stand.
constexpr int FindFormClientWidth = 378;
constexpr int FindPanelHeight = 128;
constexpr int ReplacePanelHeight = 128;
constexpr int MarkPanelHeight = 56;
constexpr int OptionPanelHeight = 70;
constexpr int ButtonPanelHeight = 55;

struct TFindFormLayout {
  bool ReplacePanelVisible = false;
  bool MarkPanelVisible = false;
  bool ConfirmVisible = false;  // ConfirmCB and AllButton
  int ClientHeight = 0;
  int OKLeft = 0;
  int AllLeft = 0;
  int CancelLeft = 0;
};

// okWidth: the OK button's width; allWidth: the All button's own width.
TFindFormLayout ComputeFindFormLayout(bool replaceMode, bool markMode, int clientWidth, int okWidth, int allWidth);
