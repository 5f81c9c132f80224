#include "commands/UiState.h"

#include "actions/Actions.h"
#include "core/DocState.h"
#include "core/EnvState.h"
#include "core/FindState.h"
#include "core/GridState.h"
#include "core/OptionsState.h"
#include "core/StatusBar.h"
#include "core/Texts.h"

namespace {

const char* const AlwaysEnabled[] = {
    "FileMainMenuItem", "NewMainMenuItem", "FileOpenMainMenuItem", "EndMainMenuItem", "EditMainMenuItem",
    "AppendByteMainMenuItem", "AppendBytesMainMenuItem", "MarkMainMenuItem", "OptionsMainMenuItem",
    // Insert on an empty document creates a document of one zero byte.
    "InsertByteMainMenuItem", "OptionHexMainMenuItem", "OptionDecMainMenuItem", "CreatebackupfilesMenuItem",
    "KeepmarksonloadMenuItem", "OptionNoUnknownMenuItem", "OverwriteWarnMenuItem", "OptionPrintMarksHatchedMenuItem",
    "OptionPrintMarksUsingColorsMenuItem", "OptionDoNotPrintMarksMenuItem", "EnglishMenuItem", "DeutschMenuItem",
    "HelpMainMenuItem", "HilfeInhaltMenuItem", "DataInspectorMenuItem", "PasteBytesMainMenuItem",
    "PasteBytesPopUpMenuItem", "OpenSB", "HexSpeedButton", "DecSpeedButton", "DezSpeedButton"};

const char* const WithDocument[] = {"FileSaveMainMenuItem",
                                    "FileSaveAsMainMenuItem",
                                    "CompareMenuItem",
                                    "FilePrintMainMenuItem",
                                    "FileInfoStatistikMainMenuItem",
                                    "DeleteByteMainMenuItem",
                                    "DeleteBytesMainMenuItem",
                                    "InsertBytesMainMenuItem",
                                    "FindMainMenuItem",
                                    "ReplaceMainMenuItem",
                                    "FindAndMarkMainMenuItem",
                                    "GotoMainMenuItem",
                                    "GotoNextIdenticalByteMainMenuItem",
                                    "GotoPreviousIdenticalByteMainMenuItem",
                                    "MarkRedMainMenuItem",
                                    "MarkGreenMainMenuItem",
                                    "MarkBlueMainMenuItem",
                                    "MarkCyanMainMenuItem",
                                    "MarkMagentaMainMenuItem",
                                    "MarkYellowMainMenuItem",
                                    "MarkUnmarkMainMenuItem",
                                    "MarkUnmarkAllMainMenuItem",
                                    "MarkGotoNextMainMenuItem",
                                    "MarkGotoPreviousMainMenuItem",
                                    "MarkGotoNextMainMenu",
                                    "MarkGotoPreviuosMainMenu",
                                    "MarkGotoNextIdenticalMainMenuItem",
                                    "MarkGotoPreviousIdenticalMainMenuItem",
                                    "MarkOpenMainMenuItem",
                                    "MarkSaveAsMainMenuItem",
                                    "MarkRedPopUpMenuItem",
                                    "MarkGreenPopUpMenuItem",
                                    "MarkBluePopUpMenuItem",
                                    "MarkCyanPopUpMenuItem",
                                    "MarkMagentaPopUpMenuItem",
                                    "MarkYellowPopUpMenuItem",
                                    "MarkUnmarkPopUpMenuItem",
                                    "MarkGotoNextPopUpMenuItem",
                                    "MarkGotoPreviousPopUpMenuItem",
                                    "MarkGotoNextIdenticalPopUpMenuItem",
                                    "MarkGotoPreviousIdenticalPopUpMenuItem",
                                    "GotoNextIdenticalBytePopUpMenuItem",
                                    "GotoPreviousIdenticalBytePopUpMenuItem",
                                    "SaveSB",
                                    "SaveAsSB",
                                    "PrintSB",
                                    "InfoSB",
                                    "ChecksumsMainMenuItem",
                                    "FindSB",
                                    "ReplaceSB",
                                    "FindAndMarkSB",
                                    "CopyBytesAsMainMenuItem",
                                    "CopyBytesAsPopUpMenuItem",
                                    "PasteBytesOverMainMenuItem",
                                    "PasteBytesOverPopUpMenuItem"};

const char* const WithFindResult[] = {
    "FindNextMainMenuItem", "FindPreviousMainMenuItem", "CtrlLAcc", "ShiftCtrlLAcc", "FindNextSB", "FindPreviousSB"};

}  // namespace

TMenuInputs CurrentMenuInputs() {
  TMenuInputs in;
  in.DocumentNotEmpty = Doc.DocData != nullptr;
  in.FindAccepted = FindState().Accepted;
  in.ClipboardHasFormats = Host().ClipboardFormatCount() > 0;
  in.CanUndo = ActionList().CanUndo();
  in.CanRedo = ActionList().CanRedo();
  in.UndoName = ActionList().UndoName();
  in.RedoName = ActionList().RedoName();
  return in;
}

TMenuState ComputeMenuState(const TMenuInputs& in) {
  TMenuState s;
  s.Captions["EditUndoMainMenuItem"] = std::string(Tr("&Undo", "&Rückgängig")) + " " + in.UndoName;
  s.Enabled["EditUndoMainMenuItem"] = in.CanUndo;
  s.Captions["EditRedoMainMenuItem"] = std::string(Tr("&Redo", "&Wiederrufen")) + " " + in.RedoName;
  s.Enabled["EditRedoMainMenuItem"] = in.CanRedo;

  s.Checked["OptionHexMainMenuItem"] = Grid.Hex;
  s.Checked["OptionDecMainMenuItem"] = !Grid.Hex;
  s.Checked["OptionNoUnknownMenuItem"] = Options.NoUnknown;
  s.Checked["KeepmarksonloadMenuItem"] = Options.KeepMarksOnLoad;
  s.Checked["CreatebackupfilesMenuItem"] = Options.CreateBackUp;
  s.Checked["OverwriteWarnMenuItem"] = Options.OverwriteWarning;
  s.Checked["OptionPrintMarksHatchedMenuItem"] = Options.PrintMarksHatched;
  s.Checked["OptionPrintMarksUsingColorsMenuItem"] = Options.PrintMarksUsingColors;
  s.Checked["OptionDoNotPrintMarksMenuItem"] = Options.DoNotPrintMarks;
  s.Checked["EnglishMenuItem"] = Options.Language != 7;
  s.Checked["DeutschMenuItem"] = Options.Language == 7;
  s.Checked["DataInspectorMenuItem"] = Options.InspectorOpen;

  for (const char* name : AlwaysEnabled) s.Enabled[name] = true;
  for (const char* name : WithDocument) s.Enabled[name] = in.DocumentNotEmpty;
  for (const char* name : WithFindResult) s.Enabled[name] = in.DocumentNotEmpty && in.FindAccepted;
  s.Enabled["LoadFromClipboardMainMenuItem"] = in.ClipboardHasFormats;

  // The recent files: "&1: name" .. "&5: name", empty slots hidden, and the
  // separator above them only while one is shown.
  bool anyFile = false;
  for (int k = 0; k < 5; ++k) {
    const std::string item = "File" + std::to_string(k) + "MenuItem";
    // An "&" in a path is shown, not taken for the item's access key.
    std::string shown;
    for (char c : Env.File[k]) shown += c == '&' ? std::string("&&") : std::string(1, c);
    s.Captions[item] = "&" + std::to_string(k + 1) + ": " + shown;
    s.Visible[item] = !Env.File[k].empty();
    s.Enabled[item] = true;
    anyFile = anyFile || !Env.File[k].empty();
  }
  s.Visible["FileBarMenuItem"] = anyFile;
  return s;
}

void UpdateMenus() {
  View().ApplyMenuState(ComputeMenuState(CurrentMenuInputs()));
  UpdateStatusBar();
}
