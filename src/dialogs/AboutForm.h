// The about box: the program's name, version and purpose, and the Qt in use.
#pragma once

#include <QDialog>

class TAboutForm : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutForm(QWidget* parent = nullptr);
};

// Shows the about box modally.
void ShowAboutForm(QWidget* parent);
