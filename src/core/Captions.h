// The language-dependent texts of the main window that are not menu
// captions: the key names of shortcut texts, the toolbar hints and the file
// dialogs' titles. Menu captions travel with their items.
#pragma once

#include <string>

// A key combination as the menus show it. Key is the platform's English
// name of the key ("Z", "Del", "Left", "F3", "PgUp").
struct TShortcut {
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
  std::string Key;
};

// The shortcut text in the current language: Shift, Ctrl and Alt first, in
// that order, then the key, each with its localised name ("Umsch+Strg+Z").
// Empty for no key.
std::string ShortcutText(const TShortcut& shortcut);

// The localised name of a key; names without a German form stay as given.
std::string LocalKeyName(const std::string& englishName);

// A hint of a toolbar button, by the button's object name.
struct THint {
  const char* Name;
  const char* English;
  const char* German;
};
extern const THint ToolbarHints[];
extern const int ToolbarHintCount;

// The hint of the named button in the current language; empty for a name
// that is no toolbar button.
std::string ToolbarHint(const std::string& name);

// Gives the four file dialogs their titles in the current language.
void SetFileDialogTitles();
