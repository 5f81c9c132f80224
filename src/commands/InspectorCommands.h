// The data inspector's commands: the rows it shows for the bytes at the
// cursor, writing a typed value over them as one undoable step, and the
// switches of its menu item and byte order.
#pragma once

#include <string>
#include <vector>

#include "core/DataInspector.h"

struct TInspectorRow {
  TInspectType Type;
  std::string Name;
  std::string Value;
};

// The number format of the inspector now: byte order, the grid's mode, the
// language and the decimal separator.
TInspectFormat InspectorFormat();

// Every type decoded at the cursor ("—" where too few bytes remain, and in
// an empty document).
std::vector<TInspectorRow> InspectorRows();

// Writes the bytes that text stands for over those at the cursor, as one
// undo group of value changes; the cursor stays where it is. A text that
// does not parse or fit, or bytes that would reach past the end, are
// refused with a beep and nothing changes.
bool InspectorWrite(TInspectType type, const std::string& text);

// Options > Data inspector (F12): shows or hides the inspector.
void DataInspectorMenuItemClick();
// The byte order the inspector reads and writes in.
void SetInspectorBigEndian(bool bigEndian);
