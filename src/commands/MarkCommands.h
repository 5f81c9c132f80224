// Colour marks on the byte under the cursor, and jumps to marked bytes and
// to bytes of the same value. Nothing wraps around; a jump that finds
// nothing beeps.
#pragma once

#include <cstdint>

// Mark codes written by the commands.
enum TMarkColour : uint8_t { mcNone = 0, mcRed = 1, mcGreen = 2, mcBlue = 3, mcCyan = 4, mcMagenta = 5, mcYellow = 6 };

void MarkCursorByte(uint8_t mark);
void DoMarkRed();
void DoMarkGreen();
void DoMarkBlue();
void DoMarkCyan();
void DoMarkMagenta();
void DoMarkYellow();
void DoUnmark();
void DoUnmarkAll();

void DoGotoNextMark();
void DoGotoPreviousMark();
void GotoNextMarkValue(uint8_t mark);
void GotoPreviousMarkValue(uint8_t mark);
void MarkGotoNextIdenticalMainMenuItemClick();
void MarkGotoPreviousIdenticalMainMenuItemClick();
void GotoNextIdenticalByteMainMenuItemClick();
void GotoPreviousIdenticalByteMainMenuItemClick();
