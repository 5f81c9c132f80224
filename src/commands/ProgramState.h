// The whole program's state in one reset, for shut-down and for tests: any
// test may run after any other, in any order.
#pragma once

// Puts back to its start: the five parts of the global state (freeing the
// document), the history, the remembered values of the Find, Go to, Insert
// bytes and range picker dialogs, the calculator's dialog and process, the
// file-call and memory-failure seams, and the host and view (the null
// stand-ins).
void ResetProgramState();
