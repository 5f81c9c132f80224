// Loading, saving and New, with the unsaved-changes and overwrite questions.
#pragma once

#include <string>

void SetCurrentFileName(const std::string& name);
std::string ExpandLongPath(const std::string& path);

// The unsaved-changes question; true when the document may be replaced.
bool FormCloseQuery();

void LoadFile(const std::string& name);
bool SaveFile(const std::string& name, bool askAlways);
// "Writing failed!", or where the old content is kept when a write in place
// could not be undone.
void ShowWritingFailed();

void DoOpenFromFile();
void DoSave();
void DoSaveAs();
void NewMainMenuItemClick();

// The command line: the first argument is loaded when the window first shows.
void FormShow(int argc, const char* const* argv);
void DroppedFiles(const std::string& firstName);
