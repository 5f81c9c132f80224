// Which key presses may type into the grid. A key that belongs to a command
// must never change a byte, whether that command is enabled right now or not:
// a disabled Undo that wrote 0x1A instead would silently damage the file.
#pragma once

#include <QKeyCombination>
#include <QKeySequence>
#include <optional>
#include <vector>

class QKeyEvent;

// Every key combination the window binds, including those of commands that
// are disabled at the moment. Tab and Shift+Tab, the pop-up menu keys and the
// whole menu key table are in it.
const std::vector<QKeyCombination>& ReservedKeys();

// The combination a key event stands for, as shortcuts are written: keypad
// flag dropped, Backtab read as Shift+Tab.
QKeyCombination EventCombination(const QKeyEvent* event);

// What a key press that no enabled shortcut took should do.
enum class TKeyUse {
  Type,     // hand Code to the typing command
  Swallow,  // reserved or never typed: nothing happens
  PassOn    // not ours (Alt combinations for the menu bar, keys without text)
};
struct TKeyDecision {
  TKeyUse Use = TKeyUse::PassOn;
  char32_t Code = 0;
};

// bound: the shortcuts assigned right now (the reserved keys are added).
TKeyDecision DecideKey(const QKeyEvent* event, const std::vector<QKeySequence>& bound);
