#include "commands/CommandGuard.h"

#include <new>

#include "actions/DocEdit.h"
#include "commands/UiState.h"
#include "core/Seams.h"
#include "core/Texts.h"

void RunCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::bad_alloc&) {
    View().SetStatusPanel(2, "");
    ReportMemoryFailure(TxtNotEnoughMemory());
    View().InvalidateDataBox();
    UpdateMenus();
  }
}
