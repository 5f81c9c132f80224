// The help window: the program's own HTML help in a browser pane, opened at
// the anchor of a context number, and where the help files are looked for.
#pragma once

#include <QStringList>
#include <QWidget>

class QTextBrowser;

class THelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit THelpWindow(QWidget* parent = nullptr);
  // Shows file scrolled to the anchor named after context (the top when it
  // has no such anchor) and brings the window forward.
  void ShowTopic(const QString& file, int context);
  QTextBrowser* Browser() const { return FBrowser; }

 protected:
  // Escape closes the window, as it closes the program's dialogs.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QTextBrowser* FBrowser;
};

// Next to the program first, then the installed data directories.
QStringList HelpDirectories();
// Replaces the directories searched (tests point them at the source tree);
// an empty list restores the usual ones.
void SetHelpDirectories(const QStringList& directories);
// The full path of the help file name, or empty when none is found.
QString FindHelpFile(const QString& name);
