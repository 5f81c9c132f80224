#include "commands/CommandGuard.h"

#include <new>

#include "actions/DocEdit.h"
#include "commands/UiState.h"
#include "core/Seams.h"
#include "core/Texts.h"

namespace {
int Depth = 0;
}  // namespace

bool CommandRunning() { return Depth > 0; }

void RunCommand(const std::function<void()>& command) {
  struct TDepth {
    TDepth() { ++Depth; }
    ~TDepth() { --Depth; }
  } depth;
  try {
    command();
  } catch (const std::bad_alloc&) {
    View().SetStatusPanel(2, "");
    ReportMemoryFailure(TxtNotEnoughMemory());
    View().InvalidateDataBox();
    UpdateMenus();
  }
}
