// Opening and closing the real main window around each widget test: a fresh
// program state, the window shown and active on the given host.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>
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

// Runs user while the next modal dialog is open; user gets that dialog.
inline void WhenModal(std::function<void(QWidget*)> user) {
  QTimer::singleShot(0, [user] {
    QWidget* dialog = nullptr;
    QTRY_VERIFY((dialog = QApplication::activeModalWidget()) != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    user(dialog);
    // A failed check leaves user early: close the dialog so the test ends.
    if (dialog->isVisible()) static_cast<QDialog*>(dialog)->reject();
  });
}
