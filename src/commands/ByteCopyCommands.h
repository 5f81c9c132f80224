// Bytes out and in through the clipboard: a range copied as raw bytes or as
// text in the formats people paste elsewhere, and clipboard bytes inserted
// at the cursor or written over the bytes there, each as one undo step.
#pragma once

// Edit > Copy bytes as... (Ctrl+Shift+C): the range and format from the
// dialog, the result on the clipboard, the count in the status bar.
void CopyBytesAsMenuItemClick();
// Edit > Paste bytes (Ctrl+Shift+V): inserts before the cursor's byte.
void PasteBytesMenuItemClick();
// Edit > Paste bytes over: writes from the cursor's byte onward, never
// past the end of the document.
void PasteBytesOverMenuItemClick();
