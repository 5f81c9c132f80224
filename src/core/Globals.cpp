#include "core/Globals.h"

#include "core/DocBuffers.h"

TGlobals G;

void ResetGlobals() {
  ResizeDocData(0);
  ResizeDocMarks(0);
  G = TGlobals{};
}
