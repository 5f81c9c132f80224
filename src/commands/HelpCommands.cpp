#include "commands/HelpCommands.h"
#include "core/DocState.h"
#include "core/EnvState.h"
#include "core/OptionsState.h"

#include "core/Paths.h"
#include "core/Seams.h"
#include "core/Texts.h"

std::string HelpFileName() { return German() ? "QorinEditD.html" : "QorinEditE.html"; }

void ShowHelpTopic(int context) {
  const std::string name = HelpFileName();
  if (Host().ShowHelp(name, context)) return;
  ShowMessageDialog(std::string(Tr("The help file \"", "Die Hilfedatei \"")) + name +
                        Tr("\" could not be found.", "\" konnte nicht gefunden werden."),
                    TMsgDlgType::Error, mbOKOnly, 0);
}

void HilfeInhaltMenuItemClick() { ShowHelpTopic(HelpContentsContext); }

void TabSBClick() { ShowHelpTopic(HelpCharacterTableContext); }

TFileDialog& CalcOpenDialog() {
  static TFileDialog dialog;
  return dialog;
}

int64_t& CalculatorProcess() {
  static int64_t process = 0;
  return process;
}

void CalcSBClick() {
  // Bringing a foreign window to the front is nothing a program can rely on
  // here; what matters is that a second copy is not started.
  if (CalculatorProcess() != 0 && Host().ProgramRunning(CalculatorProcess())) return;
  CalculatorProcess() = 0;

  // A file that exists but cannot be run would only fail to start; it is
  // treated like a missing one, so the user can choose another.
  while (!Host().IsExecutableFile(Env.CalcPath)) {
    TFileDialog& dialog = CalcOpenDialog();
    dialog.Title = Tr("Search for calculator-application", "Rechner suchen");
    dialog.ExecutablesOnly = true;
    const int answer =
        ShowMessageDialog(Tr("The calculator-application could not be found. Do you want to search for it?",
                             "Die Rechner-Anwendung konnte nicht gefunden werden. Möchten Sie nach ihm suchen?"),
                          TMsgDlgType::Error, mbYesNoCancel, 0);
    if (answer != mrYes) return;
    dialog.FileName = Env.CalcPath;
    // Calculators live with the other programs when nothing better is known.
    dialog.InitialDir = Env.CalcPath.empty() ? "/usr/bin" : DirectoryPart(Env.CalcPath);
    if (!Host().ExecuteFileDialog(dialog, false)) return;
    Env.CalcPath = dialog.FileName;
  }

  CalculatorProcess() = Host().StartProgram(Env.CalcPath);
  if (CalculatorProcess() == 0)
    ShowMessageDialog(std::string(Tr("The calculator-application \"", "Die Rechner-Anwendung \"")) + Env.CalcPath +
                          Tr("\" could not be started.", "\" konnte nicht gestartet werden."),
                      TMsgDlgType::Error, mbOKOnly, 0);
}
