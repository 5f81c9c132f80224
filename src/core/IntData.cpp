#include "core/IntData.h"

void TIntData::SetValue(int32_t value, const void* sender) {
  if (value == Value_) return;
  Value_ = value;
  // Copies: a listener may replace a listener.
  for (TListener l : {Listener1, Listener2, Listener3})
    if (l) l(sender);
}
