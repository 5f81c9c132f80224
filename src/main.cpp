// Start-up and shut-down of the editor.
#include <QApplication>
#include <QLocale>

#include "actions/Actions.h"
#include "core/DocBuffers.h"
#include "core/Globals.h"
#include "core/Seams.h"
#include "mainform/MainForm.h"
#include "platform/QtHost.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // The application name only; a display name would be appended to every
  // window title.
  QApplication::setApplicationName("Brisquentalovard");
  QApplication::setOrganizationName("Mendrel");

  // The language of the user's system until a stored choice replaces it.
  G.Language = QLocale::system().language() == QLocale::German ? 7 : 9;
  G.DecimalSeparator = QLocale::system().decimalPoint().toStdString();

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
  return result;
}
