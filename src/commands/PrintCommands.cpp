#include "commands/PrintCommands.h"

#include "commands/UiState.h"
#include "core/DocState.h"
#include "core/PrintLayout.h"
#include "core/Seams.h"

void DoPrint() {
  // The menu item and the button are disabled without a document; a key or
  // a late click must not print a listing of nothing.
  if (Doc.DocSize <= 0 || !Doc.DocData) return;
  TPrintDialogData dialog = InitialPrintDialog();
  if (Host().ExecutePrintDialog(dialog)) {
    if (Host().PrintDocument(dialog) == mrAbort)
      ShowMessageDialog(TxtPrintingFailed(), TMsgDlgType::Error, mbOKOnly, 0);
  }
  UpdateMenus();
}
