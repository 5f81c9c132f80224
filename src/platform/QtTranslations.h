// Qt's own texts (the file and print dialogs, the edit fields' context
// menus) in the program's language, and a way for the smoke test to read
// what a dialog on a real screen says.
#pragma once

#include <QString>

// Loads Qt's German translation when german, drops it otherwise. Where the
// translations are not installed, Qt's dialogs simply stay in English.
void UseQtTranslations(bool german);
// Whether Qt's German translation is in use.
bool QtTranslationsInUse();

// Appends the title, label, button and message texts of every dialog that
// shows to the file at path, one text a line. Used only when the environment
// asks for it (BQ_DIALOG_TEXTS), so that a test driving the real program can
// check texts no window manager reports.
void WriteDialogTextsTo(const QString& path);

// Rewrites the file at path a few times a second with the accessible names
// and values of every visible modeless window over the main window (the
// data inspector), one a line.
// Used only when the environment asks for it (BQ_ACCESSIBLE_TEXTS), so that
// the smoke test reads what a screen reader would.
void WriteAccessibleTextsTo(const QString& path);
