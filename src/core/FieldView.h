// What the editing rules of an entry field need from the widget that shows
// it: whether it has the keyboard focus, and a way to show the new state
// (restart the blink and repaint). The rules themselves stay Qt-free.
#pragma once

class IFieldView {
 public:
  virtual ~IFieldView() = default;
  virtual bool IsFocused() const = 0;
  // Cursor visible at once, blink restarted if focused, repaint requested.
  virtual void DoUpdate() = 0;
  // The model shown is being destroyed. A dialog's models are its members
  // and die before its child widgets, which may still get focus events.
  virtual void ModelDestroyed(const void* /*model*/) {}
};

// The keys an entry field handles besides typed characters.
enum class TFieldKey { Other, End, Home, Left, Right, Up, Down, Insert, Delete };

// Up and Down do not edit: they ask the widget to focus a neighbour.
enum class TFocusMove { None, Up, Down };
