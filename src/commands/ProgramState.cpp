#include "commands/ProgramState.h"

#include "actions/Actions.h"
#include "commands/DiskState.h"
#include "commands/HelpCommands.h"
#include "core/ByteRangeDialogs.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/FindState.h"
#include "core/Globals.h"
#include "core/RangePick.h"
#include "core/Seams.h"
#include "fileio/FileIo.h"

void ResetProgramState() {
  // The null seams first: nothing below may reach a window or a test's fake.
  SetSeams(nullptr, nullptr);
  ActionList().Forget();
  ActionList().OneByOne = false;
  AllocationFailureHook = nullptr;
  ResetFileCalls();
  ResetDiskState();
  ResetGlobals();
  FindState().Reset();
  ResetByteRangeDialogs();
  ResetRangePick();
  CalcOpenDialog() = TFileDialog{};
  CalculatorProcess() = 0;
}
