// The central refresh: menus, checkmarks and toolbar follow the state after
// every command. Commands never enable, disable or check items themselves.
#pragma once

#include "core/Seams.h"

struct TMenuInputs {
  bool DocumentNotEmpty = false;
  bool FindAccepted = false;  // the Find dialog last closed with OK or All
  bool ClipboardHasFormats = false;
  bool CanUndo = false;
  bool CanRedo = false;
  std::string UndoName;
  std::string RedoName;
};

// The inputs as the program stands now.
TMenuInputs CurrentMenuInputs();

// Every rule of the refresh as a plain function of its inputs and the options.
TMenuState ComputeMenuState(const TMenuInputs& in);

// Applies the computed state to the window, then rewrites the status bar.
void UpdateMenus();
