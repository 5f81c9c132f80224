// What every value entry field shares as a widget: the 500 ms blink that
// runs only while it has the focus, Up/Down focus links, and the routing of
// keys, clicks and focus changes to the field's editing rules. Tab, Enter
// and Escape are left to the dialog (next control, default and cancel
// button).
#pragma once

#include <QTimer>
#include <QWidget>
#include <string>

#include "core/FieldView.h"

class TEntryField : public QWidget, public IFieldView {
  Q_OBJECT

 public:
  explicit TEntryField(QWidget* parent = nullptr);

  QWidget* ArrowUpControl = nullptr;
  QWidget* ArrowDownControl = nullptr;

  bool CursorOn() const { return FCursorOn; }
  bool IsFocused() const override { return hasFocus(); }
  // Shows the cursor at once and restarts the blink while focused.
  void DoUpdate() override;

 protected:
  // The field's rules, filled in by each kind of field.
  virtual void MyKeyPress(char32_t c) = 0;
  virtual TFocusMove MyKeyDown(TFieldKey key) = 0;
  virtual void MyMouseDown(int x) = 0;
  virtual void FocusGained() { DoUpdate(); }
  virtual void FocusLost() { DoUpdate(); }

  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  void CursorTimerClick();

  QTimer CursorTimer;
  bool FCursorOn = false;
};

// The key a field handles itself, Other for everything else.
TFieldKey FieldKeyOf(int qtKey);
// The characters a key press types into a field: its text, or the control
// code of Ctrl+letter. Empty for keys that belong to the dialog (Tab, Enter,
// Escape, Alt+letter).
std::u32string TypedChars(int qtKey, Qt::KeyboardModifiers mods, const QString& text);
