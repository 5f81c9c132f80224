#include "core/BytesData.h"

#include "core/Helpers.h"

TBytesData::~TBytesData() {
  for (IFieldView* v : {HexDataEdit, DecDataEdit, CharDataEdit})
    if (v) v->ModelDestroyed(this);
}

void TBytesData::SetBuf(std::vector<uint8_t> bytes) {
  Buf_ = std::move(bytes);
  CursorPos = Max(0, Min(CursorPos, Len() * 3));
  DoUpdateAll();
}

bool TBytesData::InsertByte(int32_t at, uint8_t value) {
  if (Len() >= MaxLen()) return false;
  Buf_.insert(Buf_.begin() + at, value);
  return true;
}

void TBytesData::RemoveByte(int32_t at) {
  Buf_.erase(Buf_.begin() + at);
  // Give the memory back: a long pattern cleared again should not linger.
  if (Buf_.capacity() > 4096 && Buf_.capacity() > 4 * Buf_.size()) Buf_.shrink_to_fit();
}

bool TBytesData::OneIsFocused() const {
  for (IFieldView* v : {HexDataEdit, DecDataEdit, CharDataEdit})
    if (v && v->IsFocused()) return true;
  return false;
}

void TBytesData::DoUpdateAll() {
  for (IFieldView* v : {HexDataEdit, DecDataEdit, CharDataEdit})
    if (v) v->DoUpdate();
  if (OnChange) OnChange(*this);
}

void TBytesData::Clear() {
  Buf_.assign(size_t(Max(MinLen, 0)), 0);
  CursorPos = 0;
  DoUpdateAll();
}
