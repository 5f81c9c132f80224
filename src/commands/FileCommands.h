// Loading, saving and New, with the unsaved-changes and overwrite questions.
#pragma once

#include <string>

void SetCurrentFileName(const std::string& name);
std::string ExpandLongPath(const std::string& path);

// The unsaved-changes question; true when the document may be replaced.
bool FormCloseQuery();

void LoadFile(const std::string& name);
// LoadFile without the unsaved-changes question, for callers that have
// asked in their own words.
void ReadDocumentFile(const std::string& name);
bool SaveFile(const std::string& name, bool askAlways);
// "Writing failed!", or where the old content is kept when a write in place
// could not be undone.
void ShowWritingFailed();

// Another program may have changed the document's file: the first time the
// file is seen in a new state, the user is asked whether to reload it (No
// by default over unsaved changes). A deleted file asks nothing: the next
// save writes it again.
void CheckDiskChange();
// The document's file read again; the cursor stays on its byte (the last
// one, should the file be shorter now) in its area, and the view keeps its
// top row.
void ReloadDocumentFile();

void DoOpenFromFile();
void DoSave();
void DoSaveAs();
void NewMainMenuItemClick();

// The command line: the first argument is loaded when the window first shows.
void FormShow(int argc, const char* const* argv);
void DroppedFiles(const std::string& firstName);
