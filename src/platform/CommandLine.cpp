#include "platform/CommandLine.h"

#include <QCommandLineParser>

#ifndef BQ_VERSION
#define BQ_VERSION "0"
#endif

namespace {

QString UsageText(bool german) {
  if (german)
    return QStringLiteral(
        "Aufruf: brisquentalovard [OPTION] [DATEI]\n"
        "Zeigt die Bytes von DATEI (oder eines neuen, leeren Dokuments) in einem Fenster\n"
        "zum Bearbeiten, Markieren, Suchen und Vergleichen.\n"
        "\n"
        "  -h, --help     diese Hilfe zeigen und beenden\n"
        "  -v, --version  die Version zeigen und beenden\n"
        "\n"
        "Dateien ab 2 GiB werden nicht geladen; die ganze Datei liegt im Speicher.\n"
        "Mehr unter \"man brisquentalovard\" und mit F1 im Programm.\n");
  return QStringLiteral(
      "Usage: brisquentalovard [OPTION] [FILE]\n"
      "Shows the bytes of FILE (or of a new, empty document) in a window for\n"
      "editing, marking, searching and comparing.\n"
      "\n"
      "  -h, --help     show this help and exit\n"
      "  -v, --version  show the version and exit\n"
      "\n"
      "Files of 2 GiB or more are not loaded; the whole file is held in memory.\n"
      "More in \"man brisquentalovard\" and with F1 in the program.\n");
}

QString Mistake(const QString& what, bool german) {
  return "brisquentalovard: " + what + "\n" +
         (german ? QStringLiteral("\"brisquentalovard --help\" zeigt, was geht.\n")
                 : QStringLiteral("Try \"brisquentalovard --help\".\n"));
}

}  // namespace

QString VersionText() { return QStringLiteral("Brisquentalovard " BQ_VERSION "\n"); }

TCommandLine ParseCommandLine(const QStringList& arguments, bool german) {
  QCommandLineParser parser;
  // Qt's own options keep their single-dash spelling ("-platform xcb").
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help({"h", "help"}, "help");
  const QCommandLineOption version({"v", "version"}, "version");
  parser.addOption(help);
  parser.addOption(version);
  for (const char* qtOption : {"platform", "style", "stylesheet", "display", "qwindowgeometry", "qwindowtitle",
                               "qwindowicon", "platformpluginpath", "platformtheme", "plugin", "session"})
    parser.addOption(QCommandLineOption(qtOption, "", "value"));
  for (const char* qtSwitch : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
    parser.addOption(QCommandLineOption(qtSwitch, ""));
  parser.addPositionalArgument("file", "file");

  TCommandLine result;
  if (!parser.parse(arguments)) {
    const QStringList unknown = parser.unknownOptionNames();
    result.Action = TCommandLine::Error;
    result.Message =
        Mistake(unknown.isEmpty() ? parser.errorText()
                                  : (german ? "unbekannte Option \"" : "unknown option \"") + unknown.first() + "\"",
                german);
    return result;
  }
  if (parser.isSet(help)) {
    result.Action = TCommandLine::Help;
    result.Message = UsageText(german);
    return result;
  }
  if (parser.isSet(version)) {
    result.Action = TCommandLine::Version;
    result.Message = VersionText();
    return result;
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    result.Action = TCommandLine::Error;
    result.Message =
        Mistake(german ? QStringLiteral("nur eine Datei auf einmal, nicht ") + QString::number(files.size())
                       : QStringLiteral("one file at a time, not ") + QString::number(files.size()),
                german);
    return result;
  }
  if (!files.isEmpty()) result.File = files.first();
  return result;
}
