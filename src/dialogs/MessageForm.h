// The message dialog through which every question, warning and error of the
// program reaches the user: an icon, a word-wrapped text and a centred row of
// buttons, laid out in dialog units of the dialog's font.
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "core/MessageLayout.h"
#include "core/Seams.h"

#include <QPixmap>

class QPushButton;
class QLabel;

// The message text, painted with the same line breaking that measured it,
// so that what was measured is exactly what shows. A word longer than the
// line is broken inside the word instead of widening the dialog past the
// screen.
class TMessageText : public QWidget {
  Q_OBJECT
 public:
  TMessageText(const QString& text, QWidget* parent);
  const QString& Text() const { return FText; }

  // Width and height of text in font when lines break at maxWidth pixels.
  static QSize Measure(const QFont& font, const QString& text, int maxWidth);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString FText;
};

class TMessageForm : public QDialog {
  Q_OBJECT
 public:
  // defaultButton: a TMsgDlgBtn for the variant with a chosen default button
  // (bigger buttons, focus on the default), or NoDefaultButton.
  TMessageForm(QWidget* parent, const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
               int defaultButton);

  // The button widget of b, or nullptr when b is not shown.
  QPushButton* Button(TMsgDlgBtn b) const;
  TMessageText* MessageText() const { return FMessage; }
  QLabel* Icon() const { return FIcon; }
  const TMessageLayout& Layout() const { return FLayout; }
  int DefaultButton() const { return FDefault; }
  int CancelButton() const { return FCancel; }

  // The close box (and anything else that rejects the dialog) answers Cancel.
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void CreateWidgets(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons);
  void ButtonClicked(TMsgDlgBtn b);

  int FHelpContext;
  int FDefault;
  int FCancel;
  bool FDefaultVariant;
  TMessageLayout FLayout;
  TMessageText* FMessage = nullptr;
  QLabel* FIcon = nullptr;
  std::map<int, QPushButton*> FButtons;
};

// Shows the message dialog modally and returns the modal result of the
// pressed button (mrYes, mrNo, ...); the close box gives mrCancel. text is
// UTF-8 with CR characters as line breaks. The dialog is centred on the screen
// of parent (the primary screen without one) and destroyed before returning.
int ShowMessageForm(QWidget* parent, const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                    int defaultButton);

// The same dialog with its top left corner at the screen point (left, top),
// for questions that must not cover the place they ask about.
int ShowMessageFormAt(QWidget* parent, const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                      int helpContext, int left, int top);

// What the Help button does with the dialog's help context; the dialog stays
// open. Until a handler is set the Help button does nothing.
void SetMessageFormHelpHandler(std::function<void(int context)> handler);

// The picture of a message of type, size logical pixels square, drawn for a
// screen of the given device pixel ratio.
QPixmap MessageIcon(TMsgDlgType type, int size, qreal dpr);
