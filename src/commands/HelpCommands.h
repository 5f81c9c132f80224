// Help, the character table and the desktop calculator: the commands of the
// Help menu and of the two buttons that only the toolbar has.
#pragma once

#include <cstdint>
#include <string>

#include "core/DocState.h"
#include "core/OptionsState.h"

// The anchors of the help files: the contents and the character table.
constexpr int HelpContentsContext = 1000;
constexpr int HelpCharacterTableContext = 1500;

// "QorinEditD.html" in German, "QorinEditE.html" otherwise.
std::string HelpFileName();

// Opens the help of the current language at the anchor of context; a help
// file that cannot be found is reported, in the current language.
void ShowHelpTopic(int context);

// F1 and Help > Contents.
void HilfeInhaltMenuItemClick();
// The character-table button.
void TabSBClick();

// Starts the calculator at CalcPath, unless the one this program started
// last still runs. While CalcPath names no file the user may run, asks
// whether to search for one; a file chosen there becomes CalcPath.
void CalcSBClick();
// The search dialog of the calculator.
TFileDialog& CalcOpenDialog();
// The process id of the calculator this program started last, 0 for none.
int64_t& CalculatorProcess();
