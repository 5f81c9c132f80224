#include "controls/EntryField.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

TEntryField::TEntryField(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  // The field paints every pixel itself.
  setAttribute(Qt::WA_OpaquePaintEvent);
  CursorTimer.setInterval(500);
  connect(&CursorTimer, &QTimer::timeout, this, &TEntryField::CursorTimerClick);
}

void TEntryField::DoUpdate() {
  FCursorOn = hasFocus();
  CursorTimer.stop();
  if (hasFocus()) CursorTimer.start();
  update();
}

void TEntryField::CursorTimerClick() {
  FCursorOn = !FCursorOn;
  CursorTimer.stop();
  if (hasFocus()) CursorTimer.start();
  update();
}

TFieldKey FieldKeyOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_End: return TFieldKey::End;
    case Qt::Key_Home: return TFieldKey::Home;
    case Qt::Key_Left: return TFieldKey::Left;
    case Qt::Key_Right: return TFieldKey::Right;
    case Qt::Key_Up: return TFieldKey::Up;
    case Qt::Key_Down: return TFieldKey::Down;
    case Qt::Key_Insert: return TFieldKey::Insert;
    case Qt::Key_Delete: return TFieldKey::Delete;
    default: return TFieldKey::Other;
  }
}

std::u32string TypedChars(int qtKey, Qt::KeyboardModifiers mods, const QString& text) {
  switch (qtKey) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: return {};
    case Qt::Key_Backspace: return U"\b";
    default: break;
  }
  // Alt+letter is a label's accelerator, never a character.
  if (mods & Qt::AltModifier) return {};
  // Ctrl+letter types its control code, whatever text the platform sends
  // along (the code itself, the plain letter, or nothing).
  if ((mods & Qt::ControlModifier) && qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
    return std::u32string(1, char32_t(qtKey - Qt::Key_A + 1));
  std::u32string out;
  for (uint c : text.toUcs4()) out.push_back(char32_t(c));
  return out;
}

bool TEntryField::event(QEvent* e) {
  // Keys the field types or moves with are its own, not a shortcut of the
  // window around it.
  if (e->type() == QEvent::ShortcutOverride) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (FieldKeyOf(k->key()) != TFieldKey::Other || !TypedChars(k->key(), k->modifiers(), k->text()).empty()) {
      e->accept();
      return true;
    }
  }
  return QWidget::event(e);
}

void TEntryField::keyPressEvent(QKeyEvent* e) {
  const TFieldKey key = FieldKeyOf(e->key());
  if (key != TFieldKey::Other) {
    const TFocusMove move = MyKeyDown(key);
    QWidget* target = move == TFocusMove::Up ? ArrowUpControl : move == TFocusMove::Down ? ArrowDownControl : nullptr;
    if (target) target->setFocus(Qt::OtherFocusReason);
    DoUpdate();
    return;
  }
  const std::u32string chars = TypedChars(e->key(), e->modifiers(), e->text());
  if (chars.empty()) {
    // Enter, Escape and the rest go on to the dialog.
    e->ignore();
    return;
  }
  for (char32_t c : chars) MyKeyPress(c);
  DoUpdate();
}

void TEntryField::mousePressEvent(QMouseEvent* e) {
  setFocus(Qt::MouseFocusReason);
  MyMouseDown(int(e->position().x()));
  DoUpdate();
}

void TEntryField::focusInEvent(QFocusEvent*) { FocusGained(); }
void TEntryField::focusOutEvent(QFocusEvent*) { FocusLost(); }
