// The files a save makes for a while - the new content before it replaces
// the old file, the rescue copy of a file written in place - and what a
// program that died in the middle of a save leaves of them.
//
// Their names say whose they are: "." + the file's name + ".brisquentalovard-
// save." (or "-rescue.") + the process id + "." + six random characters. Each
// process also keeps a ledger of the folders its saves make such files in,
// written before it makes them, in its cache folder. The next start looks
// there, and only there, for files of processes that no longer run.
#pragma once

#include <ctime>
#include <string>

enum class TSaveFileKind { Save, Rescue };

// The mkstemp pattern for a file of kind, made for target, in directory.
std::string SaveFilePattern(const std::string& directory, const std::string& target, TSaveFileKind kind);

// The process id a name made from SaveFilePattern carries, or 0 when the
// name is not one of them.
long SaveFileOwner(const std::string& fileName);

// The folder for the program's own files: $XDG_CACHE_HOME/brisquentalovard,
// else ~/.cache/brisquentalovard, made (for the user alone) when missing.
// Empty when there is none.
std::string CacheDirectory();

// Enters directory in this process's ledger before a save makes a file
// there; once per directory and run. A ledger that cannot be written is no
// reason to stop a save.
void NoteSaveDirectory(const std::string& directory);
// A rescue file that is kept on purpose (the user was told where it is):
// never removed as a leftover.
void NoteKeptFile(const std::string& path);

// The files that saves of processes no longer running left behind, once
// older than a day at now, are removed; so is a ledger that names nothing
// else to wait for. Nothing but such files and ledgers is ever touched.
void RemoveLeftovers(std::time_t now);
