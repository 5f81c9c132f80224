// The program's own texts in both languages, chosen where they are shown:
// German when Language is 7, English otherwise.
#pragma once

#include <string>

#include "core/Globals.h"

inline const char* Tr(const char* english, const char* german) { return German() ? german : english; }

std::string TxtReadingFailed(const std::string& name);
std::string TxtWritingFailed();
std::string TxtOverwriteQuestion(const std::string& name);
std::string TxtSaveChangesQuestion(const std::string& name);
std::string TxtCaption(const std::string& fileName);
