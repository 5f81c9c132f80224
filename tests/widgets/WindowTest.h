// Opening and closing the real main window around each widget test: a fresh
// program state, the window shown and active on the given host.
#pragma once

#include <QtTest>
#include <filesystem>
#include <string>

#include "actions/Actions.h"
#include "commands/ProgramState.h"
#include "core/Seams.h"
#include "mainform/MainForm.h"

inline bool OpenTestWindow(TQorinEditorMainForm*& form, IHost& host) {
  ResetProgramState();
  form = new TQorinEditorMainForm(0, nullptr);
  SetSeams(&host, form);
  form->SetLanguageCaptions();
  form->show();
  if (!QTest::qWaitForWindowExposed(form)) return false;
  form->activateWindow();
  return QTest::qWaitForWindowActive(form);
}

inline void CloseTestWindow(TQorinEditorMainForm*& form, const std::string& file) {
  delete form;
  form = nullptr;
  std::filesystem::remove(file);
  ResetProgramState();
}

inline std::string TestFileName(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }
