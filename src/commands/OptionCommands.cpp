#include "commands/OptionCommands.h"

#include "commands/UiState.h"
#include "core/OptionsState.h"
#include "core/Seams.h"
#include "core/Texts.h"

namespace {

void SetPrintMarks(bool hatched, bool usingColors, bool none) {
  Options.PrintMarksHatched = hatched;
  Options.PrintMarksUsingColors = usingColors;
  Options.DoNotPrintMarks = none;
  UpdateMenus();
}

void SetLanguage(int32_t language) {
  Options.Language = language;
  View().SetLanguageCaptions();
}

}  // namespace

void OptionPrintMarksHatchedMenuItemClick() { SetPrintMarks(true, false, false); }
void OptionPrintMarksUsingColorsMenuItemClick() { SetPrintMarks(false, true, false); }
void OptionDoNotPrintMarksMenuItemClick() { SetPrintMarks(false, false, true); }

void OptionNoUnknownMenuItemClick() {
  Options.NoUnknown = !Options.NoUnknown;
  View().InvalidateDataBox();
  UpdateMenus();
}

void KeepmarksonloadMenuItemClick() {
  Options.KeepMarksOnLoad = !Options.KeepMarksOnLoad;
  UpdateMenus();
}

void CreatebackupfilesMenuItemClick() {
  Options.CreateBackUp = !Options.CreateBackUp;
  UpdateMenus();
}

void OverwriteWarnMenuItemClick() {
  if (!Options.OverwriteWarning)
    Options.OverwriteWarning = true;
  else if (ShowDefaultMessageDialog(TxtDeactivateWarningQuestion(), TMsgDlgType::Confirmation, mbYesNoCancel, 0,
                                    mbNo) == mrYes)
    Options.OverwriteWarning = false;
  UpdateMenus();
}

void EnglishMenuItemClick() { SetLanguage(9); }
void DeutschMenuItemClick() { SetLanguage(7); }
