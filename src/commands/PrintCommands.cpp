#include "commands/PrintCommands.h"

#include "commands/UiState.h"
#include "core/Globals.h"
#include "core/PrintLayout.h"
#include "core/Seams.h"

void DoPrint() {
  // The menu item and the button are disabled without a document; a key or
  // a late click must not print a listing of nothing.
  if (G.DocSize <= 0 || !G.DocData) return;
  TPrintDialogData dialog = InitialPrintDialog();
  if (Host().ExecutePrintDialog(dialog)) {
    if (Host().PrintDocument(dialog) == mrAbort)
      ShowMessageDialog(TxtPrintingFailed(), TMsgDlgType::Error, mbOKOnly, 0);
  }
  UpdateMenus();
}
