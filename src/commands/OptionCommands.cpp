#include "commands/OptionCommands.h"

#include "commands/UiState.h"
#include "core/Globals.h"
#include "core/Seams.h"
#include "core/Texts.h"

namespace {

void SetPrintMarks(bool hatched, bool usingColors, bool none) {
  G.PrintMarksHatched = hatched;
  G.PrintMarksUsingColors = usingColors;
  G.DoNotPrintMarks = none;
  UpdateMenus();
}

void SetLanguage(int32_t language) {
  G.Language = language;
  View().SetLanguageCaptions();
}

}  // namespace

void OptionPrintMarksHatchedMenuItemClick() { SetPrintMarks(true, false, false); }
void OptionPrintMarksUsingColorsMenuItemClick() { SetPrintMarks(false, true, false); }
void OptionDoNotPrintMarksMenuItemClick() { SetPrintMarks(false, false, true); }

void OptionNoUnknownMenuItemClick() {
  G.NoUnknown = !G.NoUnknown;
  View().InvalidateDataBox();
  UpdateMenus();
}

void KeepmarksonloadMenuItemClick() {
  G.KeepMarksOnLoad = !G.KeepMarksOnLoad;
  UpdateMenus();
}

void CreatebackupfilesMenuItemClick() {
  G.CreateBackUp = !G.CreateBackUp;
  UpdateMenus();
}

void OverwriteWarnMenuItemClick() {
  if (!G.OverwriteWarning)
    G.OverwriteWarning = true;
  else if (ShowDefaultMessageDialog(TxtDeactivateWarningQuestion(), TMsgDlgType::Confirmation, mbYesNoCancel, 0,
                                    mbNo) == mrYes)
    G.OverwriteWarning = false;
  UpdateMenus();
}

void EnglishMenuItemClick() { SetLanguage(9); }
void DeutschMenuItemClick() { SetLanguage(7); }
