// Saving the document's colour marks to a file of their own and loading them
// back onto this or another document, as one undoable step.
#pragma once

void MarkOpenMainMenuItemClick();
void MarkSaveAsMainMenuItemClick();
