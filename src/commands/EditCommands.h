// Editing single bytes from the keyboard, and Undo / Redo. Every command that
// changes something records exactly one action under a group of its own, so
// each keystroke is one undo step; each ends with the central refresh.
#pragma once

// A typed character (not a shortcut). In the value area a hexadecimal or
// decimal digit overwrites the digit under the cursor; in the character area
// any character the Windows-1252 code page has overwrites the byte. Keys the
// cell cannot take beep and change nothing.
void FormKeyPress(char32_t key);

// Backspace: removes the byte before the cursor.
void DoBackspace();
// Delete byte: removes the byte under the cursor.
void DoDelete();
// Insert byte: a zero byte at the cursor (at 0 in an empty document).
void DoInsert();
// Append byte: a zero byte at the end.
void DoAppendByte();

void EditUndoMainMenuItemClick();
void EditRedoMainMenuItemClick();
