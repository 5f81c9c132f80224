// One 32-bit number shared by a hexadecimal and a decimal field. A dialog
// reads Value() after it closes; the fields keep each other in step through
// the listeners.
#pragma once

#include <cstdint>
#include <functional>

class TIntData {
 public:
  // Called with the object that caused the change (a field, the dialog).
  using TListener = std::function<void(const void* sender)>;

  // The dialog registers the decimal field as Listener1, the hex field as
  // Listener2 and, where it reacts itself, its own routine as Listener3.
  TListener Listener1, Listener2, Listener3;

  int32_t Value() const { return Value_; }
  // Stores value and calls the listeners 1, 2, 3 in this order; an unchanged
  // value calls nobody, so typing a leading zero does not rewrite the other
  // field.
  void SetValue(int32_t value, const void* sender);

 private:
  int32_t Value_ = 0;
};
