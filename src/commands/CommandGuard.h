// The last net under every command the user starts from a menu, a key, a
// button or a drop.
#pragma once

#include <functional>

// Runs command. Memory that runs out where the command has no plan of its own
// ends in the memory message, never in the end of the program and the loss
// of the user's unsaved edits. Commands still answer for their own state:
// each allocates before it changes anything, or catches and undoes.
void RunCommand(const std::function<void()>& command);

// Whether a command is running: a dialog it shows runs an event loop, and
// what the window does on its own meanwhile must wait until it has ended.
bool CommandRunning();
