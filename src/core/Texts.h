// The program's own texts in both languages, chosen where they are shown:
// German when Language is 7, English otherwise.
#pragma once

#include <string>
#include <vector>

#include "core/OptionsState.h"

enum class TBeepReason;

inline const char* Tr(const char* english, const char* german) { return German() ? german : english; }

std::string TxtReadingFailed(const std::string& name);
std::string TxtWritingFailed();
// A write in place failed and even its undoing did: where the old content is.
std::string TxtWritingFailedRescueKept(const std::string& rescueFile);
// Another program changed the document's file: reload it (and lose the
// unsaved changes)? And before a save over such a file: overwrite?
std::string TxtChangedOnDiskQuestion(const std::string& name, bool unsavedChanges);
std::string TxtOverwriteOutsideChangesQuestion(const std::string& name);
// How far loading or saving has got, for the status bar; the first in the
// language asked for, the others in the current one.
std::string TxtWorkPercent(bool saving, int percent, bool german);
std::string TxtLoadingPercent(int percent);
std::string TxtSavingPercent(int percent);
std::string TxtOverwriteQuestion(const std::string& name);
// Saving marks asks only the first sentence, without the warning paragraph.
std::string TxtMarksOverwriteQuestion(const std::string& name);
std::string TxtSaveChangesQuestion(const std::string& name);
std::string TxtCaption(const std::string& fileName);

// What an action reports when it cannot get memory: the plain form, and the
// two forms that ask the user to close the program because the history had
// to be dropped half-way through taking something back.
std::string TxtNotEnoughMemory();
std::string TxtNotEnoughMemoryPleaseClose();
std::string TxtNotEnoughMemoryCloseApplication();

// The name of an action kind for the Undo and Redo captions; "?" for a code
// that names no kind.
std::string TxtActionKindName(int kind);

// The question before the overwrite warning is switched off: three
// paragraphs, each pair separated by two carriage returns.
std::string TxtDeactivateWarningQuestion();

// The short status-bar text that tells why the program beeped.
std::string TxtBeepReason(TBeepReason reason);
// Every reason's text in both languages, for sizing the panel that shows them.
std::vector<std::string> AllBeepReasonTexts();

// The name of a mark colour (1 red to 6 yellow; 0 is no mark), for screen
// readers: the swatches and colour buttons show the colour, not a word.
std::string TxtMarkColourName(int mark);
const char* MarkColourName(int mark, bool german);

// Copying and pasting bytes: what the status bar says afterwards, and the
// refusal of a text too large for the clipboard. reading: 0 raw bytes,
// 1 hex text, 2 Base64, 3 text.
std::string TxtBytesCopied(int64_t n);
std::string TxtCopyTooLarge();
std::string TxtBytesPasted(int reading, int64_t n);
