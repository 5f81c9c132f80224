// The program-wide state: one document, one view, one set of options.
// Every command reads and changes it directly on the user-interface thread;
// there is exactly one instance, G.
#pragma once

#include <cstdint>
#include <string>

struct TRgb {
  uint8_t R = 0, G = 0, B = 0;
  constexpr bool operator==(const TRgb& o) const { return R == o.R && G == o.G && B == o.B; }
  constexpr bool operator!=(const TRgb& o) const { return !(*this == o); }
};

constexpr TRgb clBlack{0, 0, 0};
constexpr TRgb clWhite{255, 255, 255};

// What a standard file dialog remembers between showings. The open dialog's
// file name is the document's name; the save dialog's is where the next Save
// writes. Both are set together by SetCurrentFileName.
struct TFileDialog {
  std::string FileName;
  std::string InitialDir;
  std::string Title;
  // Appended to a name typed without extension, and the one name filter
  // offered ("*.mrk"); both empty for any file.
  std::string DefaultExt = "";
  std::string Filter = "";
  // Offers only the files the user may run (the calculator search).
  bool ExecutablesOnly = false;
};

// The vertical scroll bar of the data area as the program sees it: whole rows,
// 32-bit positions, no scaling. The widget only mirrors it.
struct TVeskScrollBar {
  int32_t Range = 0;
  int32_t Page = 0;
  int32_t Position = 0;
};

struct TGlobals {
  // Document buffers. Capacities are multiples of 65536; an empty document
  // owns no memory.
  uint8_t* DocData = nullptr;
  uint8_t* DocMarks = nullptr;
  int32_t DocSize = 0;
  int32_t DocDataCapacity = 0;
  int32_t DocMarksCapacity = 0;

  // Change tracking.
  int32_t DataChangeCount = 0;
  int32_t ActionGroupCounter = 0;

  // File dialogs; OpenDialog.FileName is the document's file name.
  TFileDialog OpenDialog{"", "", "Open"};
  TFileDialog SaveDialog{"", "", "Save as"};
  TFileDialog MarksOpenDialog{"", "", "Open marks", "mrk", "*.mrk"};
  TFileDialog MarksSaveDialog{"", "", "Save marks as", "mrk", "*.mrk"};
  TFileDialog CompareOpenDialog{"", "", "Select file to compare the data with?"};
  std::string Caption = "Brisquentalovard";
  bool FirstShow = true;

  // Display mode and cell geometry (start values before the first layout).
  bool Hex = true;
  int32_t BytesPerRow = 0;
  int32_t DigitsPerByte = 1;
  int32_t CharWidth = 0;
  int32_t CharHeight = 0;
  int32_t RowHeight = 1;
  int32_t CellPadLeft = 0;
  int32_t CellPadRight = 0;
  int32_t RowCount = 0;
  int32_t OffsetDigits = 3;
  int32_t OffsetTextWidth = 0;
  int32_t OffsetColumnWidth = 0;
  int32_t ValueTextWidth = 1;
  int32_t ValueCellWidth = 1;
  int32_t CharTextWidth = 1;
  int32_t CharColumnWidth = 1;
  int32_t VisibleRows = 0;
  int32_t LastTopRow = 0;
  TVeskScrollBar VertBar;

  // Cursor.
  int32_t CursorCol = 0;
  int32_t CursorRow = 0;
  bool CursorBlinkOn = true;
  int32_t MouseX = -1;
  int32_t MouseY = -1;

  // Mode-switch bookkeeping.
  bool PendingCursorRestore = false;
  bool PendingCursorInChars = false;
  int32_t PendingCursorOffset = 0;
  bool SwitchedToHex = false;
  bool SwitchedToDec = false;

  // Options.
  bool NoUnknown = true;
  bool KeepMarksOnLoad = false;
  bool OverwriteWarning = true;
  bool CreateBackUp = true;
  bool PrintMarksHatched = true;
  bool PrintMarksUsingColors = false;
  bool DoNotPrintMarks = false;

  // Settings that belong to the window and the environment.
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Height = 0;
  int32_t Width = 0;
  int32_t DialogBaseUnits = 0;
  int32_t Language = 9;
  bool FirstInstance = true;
  std::string CalcPath;
  std::string InitialDir;
  std::string MarksInitialDir;
  std::string File[5];

  // System colours of the platform, filled in by the window at start.
  TRgb ButtonFace{240, 240, 240};
  TRgb ButtonShadow{160, 160, 160};
  std::string DecimalSeparator = ".";
};

extern TGlobals G;

// The document's file name, empty for a new document.
inline const std::string& DocFileName() { return G.OpenDialog.FileName; }

// The first visible row: the scroll bar's position.
inline int32_t TopRow() { return G.VertBar.Position; }

inline bool German() { return G.Language == 7; }

// Frees the buffers and puts every global back to its start value; used at
// shut-down and by tests.
void ResetGlobals();
