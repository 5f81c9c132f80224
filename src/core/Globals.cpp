#include "core/Globals.h"

#include "core/CursorState.h"
#include "core/DocBuffers.h"
#include "core/DocState.h"
#include "core/EnvState.h"
#include "core/GridState.h"
#include "core/OptionsState.h"

TDocState Doc;
TGridState Grid;
TCursorState Cursor;
TOptionsState Options;
TEnvState Env;

void ResetGlobals() {
  ResizeDocData(0);
  ResizeDocMarks(0);
  Doc = TDocState{};
  Grid = TGridState{};
  Cursor = TCursorState{};
  Options = TOptionsState{};
  Env = TEnvState{};
}
