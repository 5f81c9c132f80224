// Start-up and shut-down of the editor.
#include <QApplication>
#include <QLocale>
#include <cstdio>
#include <ctime>

#include "actions/Actions.h"
#include "core/DocBuffers.h"
#include "core/EnvState.h"
#include "core/OptionsState.h"
#include "core/Seams.h"
#include "core/Settings.h"
#include "fileio/Leftovers.h"
#include "mainform/MainForm.h"
#include "platform/CommandLine.h"
#include "platform/Instance.h"
#include "platform/QtHost.h"
#include "platform/QtTranslations.h"
#include "platform/ReturnKey.h"
#include "platform/SettingsStore.h"

int main(int argc, char* argv[]) {
  // The application name only; a display name would be appended to every
  // window title.
  QCoreApplication::setApplicationName("Brisquentalovard");
  QCoreApplication::setOrganizationName("Mendrel");
  // The desktop entry's name: under Wayland it is the window's app id, by
  // which the desktop finds the entry and shows the program's own icon.
  // Under X11 the entry's StartupWMClass names the window class instead,
  // which Qt takes from the application name.
  QGuiApplication::setDesktopFileName("brisquentalovard");

  // Defaults (the language of the user's system until a stored choice
  // replaces it), then the stored settings, so that even the command line
  // answers in the chosen language.
  SetStartupDefaults(SystemLanguage(), DefaultCalcPath().toStdString());
  TQtSettingsStore store(TQtSettingsStore::DefaultFileName());
  LoadSettings(store);

  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const TCommandLine commandLine = ParseCommandLine(arguments, German());
  if (commandLine.Action != TCommandLine::Run) {
    std::fputs(commandLine.Message.toLocal8Bit().constData(),
               commandLine.Action == TCommandLine::Error ? stderr : stdout);
    return commandLine.Action == TCommandLine::Error ? 2 : 0;
  }

  // What saves of copies that died part way left behind.
  RemoveLeftovers(std::time(nullptr));

  QApplication app(argc, argv);
  InstallReturnKeyFilter(&app);
  if (qEnvironmentVariableIsSet("BQ_DIALOG_TEXTS")) WriteDialogTextsTo(qEnvironmentVariable("BQ_DIALOG_TEXTS"));
  if (qEnvironmentVariableIsSet("BQ_ACCESSIBLE_TEXTS"))
    WriteAccessibleTextsTo(qEnvironmentVariable("BQ_ACCESSIBLE_TEXTS"));
  Env.DecimalSeparator = QLocale::system().decimalPoint().toStdString();
  TInstanceGuard instance;
  Env.FirstInstance = instance.FirstInstance();

  // The window loads the file when it first shows, as if it were the only
  // argument.
  const QByteArray file = commandLine.File.toLocal8Bit();
  const char* const fileArgv[] = {argv[0], file.constData()};
  const int fileArgc = file.isEmpty() ? 1 : 2;

  int result;
  {
    TQorinEditorMainForm mainForm(fileArgc, fileArgv);
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
