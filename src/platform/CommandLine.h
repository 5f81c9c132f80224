// The command line: one optional file, --help and --version. It is read
// before any window system is touched, so that --help, --version and a
// mistake answer on the terminal even where no display is.
#pragma once

#include <QString>
#include <QStringList>

struct TCommandLine {
  enum TAction { Run, Help, Version, Error };
  TAction Action = Run;
  QString File;     // empty: a new, empty document
  QString Message;  // what to print: the usage, the version or the mistake
};

// arguments as the program got them, the program's name first.
TCommandLine ParseCommandLine(const QStringList& arguments, bool german);

QString VersionText();
