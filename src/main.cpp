// Start-up and shut-down of the editor.
#include <QApplication>
#include <QLocale>

#include "actions/Actions.h"
#include "core/DocBuffers.h"
#include "core/Globals.h"
#include "core/Seams.h"
#include "core/Settings.h"
#include "mainform/MainForm.h"
#include "platform/Instance.h"
#include "platform/QtHost.h"
#include "platform/SettingsStore.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // The application name only; a display name would be appended to every
  // window title.
  QApplication::setApplicationName("Brisquentalovard");
  QApplication::setOrganizationName("Mendrel");
  G.DecimalSeparator = QLocale::system().decimalPoint().toStdString();

  // Defaults (the language of the user's system until a stored choice
  // replaces it), whether another copy runs, then the stored settings.
  SetStartupDefaults(SystemLanguage(), DefaultCalcPath().toStdString());
  TInstanceGuard instance;
  G.FirstInstance = instance.FirstInstance();
  TQtSettingsStore store(TQtSettingsStore::DefaultFileName());
  LoadSettings(store);

  int result;
  {
    TQorinEditorMainForm mainForm(argc, argv);
    TQtHost host(&mainForm);
    SetSeams(&host, &mainForm);
    mainForm.SetLanguageCaptions();
    mainForm.show();
    result = app.exec();
    SetSeams(nullptr, nullptr);
  }
  ActionList().Forget();
  ResizeDocData(0);
  ResizeDocMarks(0);
  // Nothing to tell anyone when the settings cannot be written: everything
  // else is already done.
  SaveSettings(store, CurrentDialogBaseUnits());
  return result;
}
