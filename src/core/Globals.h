// The program-wide state is five named parts, each one instance in its own
// header: the document (DocState.h), the grid (GridState.h), the cursor
// (CursorState.h), the options (OptionsState.h) and the window's
// surroundings (EnvState.h). Every command reads and changes them directly on
// the user-interface thread.
#pragma once

// Frees the document's buffers and puts all five parts back to their start
// values. The whole program's state, singletons included, is reset by
// ResetProgramState (commands/ProgramState.h).
void ResetGlobals();
