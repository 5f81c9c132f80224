#include "mainform/KeyRules.h"

#include <QKeyEvent>
#include <algorithm>

namespace {

constexpr Qt::KeyboardModifiers Relevant = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

bool SameKey(QKeyCombination a, QKeyCombination b) {
  return a.key() == b.key() && (a.keyboardModifiers() & Relevant) == (b.keyboardModifiers() & Relevant);
}

}  // namespace

const std::vector<QKeyCombination>& ReservedKeys() {
  static const std::vector<QKeyCombination> keys = [] {
    const Qt::KeyboardModifier C = Qt::ControlModifier, S = Qt::ShiftModifier, A = Qt::AltModifier;
    std::vector<QKeyCombination> k = {
        // File, Edit, Mark, Options and Help menus, built or still to come.
        C | Qt::Key_N, C | Qt::Key_O, C | Qt::Key_S, C | Qt::Key_I, C | Qt::Key_Z, C | S | Qt::Key_Z,
        QKeyCombination(Qt::Key_Delete), S | Qt::Key_Delete, QKeyCombination(Qt::Key_Insert), S | Qt::Key_Insert,
        C | Qt::Key_Insert, C | S | Qt::Key_Insert, C | Qt::Key_F, C | Qt::Key_E, QKeyCombination(Qt::Key_F3),
        S | Qt::Key_F3, C | Qt::Key_T, S | Qt::Key_Left, S | Qt::Key_Right, C | Qt::Key_R, C | Qt::Key_G, C | Qt::Key_B,
        C | Qt::Key_C, C | Qt::Key_M, C | Qt::Key_Y, C | Qt::Key_U, C | Qt::Key_Left, C | Qt::Key_Right,
        C | S | Qt::Key_Left, C | S | Qt::Key_Right, C | Qt::Key_H, C | Qt::Key_D, QKeyCombination(Qt::Key_F1),
        // The hidden accelerators of the grid and the search.
        S | A | Qt::Key_Backspace, A | Qt::Key_Backspace, QKeyCombination(Qt::Key_Backspace),
        QKeyCombination(Qt::Key_PageUp), QKeyCombination(Qt::Key_PageDown), QKeyCombination(Qt::Key_Up),
        QKeyCombination(Qt::Key_Down), QKeyCombination(Qt::Key_Left), QKeyCombination(Qt::Key_Right),
        QKeyCombination(Qt::Key_Home), QKeyCombination(Qt::Key_End), QKeyCombination(Qt::Key_Tab), S | Qt::Key_Tab,
        S | Qt::Key_Up, S | Qt::Key_Down, C | Qt::Key_Up, C | Qt::Key_Down, C | S | Qt::Key_Up, C | S | Qt::Key_Down,
        C | Qt::Key_L, C | S | Qt::Key_L,
        // The grid's pop-up menu from the keyboard.
        QKeyCombination(Qt::Key_Menu), S | Qt::Key_F10};
    return k;
  }();
  return keys;
}

QKeyCombination EventCombination(const QKeyEvent* event) {
  Qt::KeyboardModifiers mods = event->modifiers() & Relevant;
  int key = event->key();
  if (key == Qt::Key_Backtab) {
    key = Qt::Key_Tab;
    mods |= Qt::ShiftModifier;
  }
  return QKeyCombination(mods, Qt::Key(key));
}

TKeyDecision DecideKey(const QKeyEvent* event, const std::vector<QKeySequence>& bound) {
  const QKeyCombination combination = EventCombination(event);
  const Qt::Key key = combination.key();
  const Qt::KeyboardModifiers mods = combination.keyboardModifiers();
  const auto matches = [&](QKeyCombination k) { return SameKey(k, combination); };
  // Delete in any form removes bytes or nothing; it never types 0x7F. Escape
  // means "leave this" everywhere; writing 0x1B for it would be a surprise.
  if (key == Qt::Key_Delete || key == Qt::Key_Escape) return {TKeyUse::Swallow, 0};
  if (std::any_of(ReservedKeys().begin(), ReservedKeys().end(), matches)) return {TKeyUse::Swallow, 0};
  for (const QKeySequence& s : bound)
    if (s.count() == 1 && matches(s[0])) return {TKeyUse::Swallow, 0};
  if (mods & (Qt::AltModifier | Qt::MetaModifier)) return {TKeyUse::PassOn, 0};
  if (mods & Qt::ControlModifier) {
    // Ctrl with a letter is that letter's control character, as a terminal
    // would send it; Ctrl with anything else is no character at all.
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return {TKeyUse::Type, char32_t(key - Qt::Key_A + 1)};
    return {TKeyUse::Swallow, 0};
  }
  const QString text = event->text();
  if (text.isEmpty()) return {TKeyUse::PassOn, 0};
  return {TKeyUse::Type, text.toUcs4().value(0)};
}
