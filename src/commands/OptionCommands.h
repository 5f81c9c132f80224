// The commands of the Options menu other than Hex and Dec. Each flips its
// setting and ends with the central refresh.
#pragma once

void OptionPrintMarksHatchedMenuItemClick();
void OptionPrintMarksUsingColorsMenuItemClick();
void OptionDoNotPrintMarksMenuItemClick();
void OptionNoUnknownMenuItemClick();
void KeepmarksonloadMenuItemClick();
void CreatebackupfilesMenuItemClick();
// Switching the warning off asks first (default No); switching it on does not.
void OverwriteWarnMenuItemClick();
// The language switch: every caption of the window follows at once.
void EnglishMenuItemClick();
void DeutschMenuItemClick();
