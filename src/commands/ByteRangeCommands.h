// Go to an offset, and insert, append and delete runs of bytes. Each shows
// its dialog through the host, reads the dialog's state after OK and records
// at most one action under a group of its own.
#pragma once

// Edit > Go to: the cursor to the offset typed, in the area where it stood;
// an offset past the end lands on the last byte with a beep.
void DoGoto();
// Edit > Insert bytes: a run before the cursor byte (at 0 when the cursor
// stands on no byte), filled by repeating the pattern.
void InsertBytesMainMenuItemClick();
// Edit > Append bytes: the same run at the end of the document.
void AppendBytesMainMenuItemClick();
// Edit > Delete bytes: up to the count typed, from the cursor byte on.
void DeleteBytesMainMenuItemClick();
